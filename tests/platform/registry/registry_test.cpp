#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <sys/wait.h>
#include <unistd.h>

namespace tw::registry {
namespace {

namespace fs = std::filesystem;

const char* const kProductKey = "Software\\Fernhollow\\TarnwickX\\7.0";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path()
            / ("tw-registry-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        file_ = (dir_ / "cfg" / "registry.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string file_;
};

TEST_F(RegistryTest, MissingKeyIsNotCreatedByAPlainOpen)
{
    TRegistry reg(file_);
    reg.SetRootKey(RootKey::LocalMachine);
    EXPECT_FALSE(reg.OpenKey(kProductKey, false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(kProductKey));
    EXPECT_FALSE(reg.KeyExists(kProductKey));
    EXPECT_FALSE(fs::exists(file_));
    EXPECT_THROW(reg.WriteString("TW alias name", "x"), std::runtime_error);
}

TEST_F(RegistryTest, ValuesSurviveAnotherInstanceAndKeepTheirText)
{
    {
        TRegistry reg(file_);
        reg.SetRootKey(RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey(kProductKey, true));
        reg.WriteString("TW alias name", "DOZOrez");
        reg.WriteString("Odd", " lead=ing\\ and\nbreak ");
        reg.WriteInteger("Height", 640);
    }
    TRegistry again(file_);
    again.SetRootKey(RootKey::LocalMachine);
    // Keys are matched without regard to case, as the system registry does.
    ASSERT_TRUE(again.OpenKeyReadOnly("\\software\\fernhollow\\tarnwickx\\7.0"));
    EXPECT_EQ(again.ReadString("TW alias name"), "DOZOrez");
    EXPECT_EQ(again.ReadString("Odd"), " lead=ing\\ and\nbreak ");
    EXPECT_EQ(again.ReadInteger("Height"), 640);
    EXPECT_EQ(again.ReadString("Missing"), "");
    EXPECT_FALSE(again.ValueExists("Missing"));
    EXPECT_THROW(again.ReadInteger("TW alias name"), std::runtime_error);
    EXPECT_THROW(again.WriteString("Height", "1"), std::runtime_error);  // read-only

    // The two roots are separate trees.
    again.SetRootKey(RootKey::CurrentUser);
    EXPECT_FALSE(again.KeyExists(kProductKey));
}

TEST_F(RegistryTest, AFailedWriteIsReportedAndChangesNothing)
{
    TRegistry reg(file_);
    ASSERT_TRUE(reg.OpenKey("Install", true));
    reg.WriteString("Completed", "No");
    // A folder in the way of the temporary file makes the save fail, even for root.
    const fs::path blocker = file_ + ".tmp." + std::to_string(::getpid());
    fs::create_directories(blocker / "x");
    EXPECT_THROW(reg.WriteString("Completed", "Yes"), std::runtime_error);
    EXPECT_EQ(reg.ReadString("Completed"), "No");
    fs::remove_all(blocker);
    TRegistry again(file_);
    ASSERT_TRUE(again.OpenKeyReadOnly("Install"));
    EXPECT_EQ(again.ReadString("Completed"), "No");
}

TEST_F(RegistryTest, WritesOfSeveralProcessesAreAllKept)
{
    {
        TRegistry reg(file_);
        ASSERT_TRUE(reg.OpenKey("Shared", true));
    }
    constexpr int kProcesses = 4;
    constexpr int kWrites = 25;
    for (int p = 0; p < kProcesses; ++p) {
        if (::fork() == 0) {
            TRegistry reg(file_);
            if (!reg.OpenKey("Shared", false))
                _exit(1);
            for (int i = 0; i < kWrites; ++i)
                reg.WriteInteger("p" + std::to_string(p) + "-" + std::to_string(i), i);
            _exit(0);
        }
    }
    for (int p = 0; p < kProcesses; ++p) {
        int status = 0;
        ::wait(&status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TRegistry reg(file_);
    ASSERT_TRUE(reg.OpenKeyReadOnly("Shared"));
    for (int p = 0; p < kProcesses; ++p)
        for (int i = 0; i < kWrites; ++i)
            EXPECT_EQ(reg.ReadInteger("p" + std::to_string(p) + "-" + std::to_string(i)), i);
}

}  // namespace
}  // namespace tw::registry
