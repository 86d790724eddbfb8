#include "platform/db/aliases.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/types.h"

namespace tw::db {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class AliasConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tw-aliases-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "tarnwick" / "aliases.conf").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void writeFile(const std::string& text)
    {
        fs::create_directories(fs::path(path_).parent_path());
        std::ofstream(path_, std::ios::binary) << text;
    }
    std::string readFile() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Everything in the file's folder but the file and its lock file.
    Lines strayFiles() const
    {
        Lines stray;
        for (const auto& e : fs::directory_iterator(fs::path(path_).parent_path())) {
            const std::string name = e.path().filename().string();
            if (name != "aliases.conf" && name != "aliases.conf.lock")
                stray.push_back(name);
        }
        return stray;
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(AliasConfigTest, AddModifyAndListSurviveSaveAndReload)
{
    AliasConfig config(path_);
    EXPECT_TRUE(config.GetAliasNames().empty());

    config.AddStandardAlias("DOZOrez", "/srv/shared data");
    config.AddStandardAlias("TWUXData", "/opt/tarnwick", "DBASE");
    EXPECT_TRUE(config.AliasExists("dozorez"));
    EXPECT_FALSE(config.AliasExists("DOZOre"));
    EXPECT_EQ(config.GetAliasParams("DOZOREZ"), (Lines{"PATH=/srv/shared data", "DEFAULT DRIVER=DBASE"}));
    config.Save();

    AliasConfig second(path_);
    EXPECT_EQ(second.GetAliasNames(), (Lines{"DOZOrez", "TWUXData"}));
    EXPECT_EQ(second.GetAliasParams("TWUXData"), (Lines{"PATH=/opt/tarnwick", "DEFAULT DRIVER=DBASE"}));

    // Repointing keeps PATH the first line, which callers read the folder from.
    second.ModifyAlias("twuxdata", {"PATH=/home/me/tarnwick"});
    second.ModifyAlias("TWUXData", {"LANGDRIVER=ascii"});
    const Lines repointed{"PATH=/home/me/tarnwick", "DEFAULT DRIVER=DBASE", "LANGDRIVER=ascii"};
    EXPECT_EQ(second.GetAliasParams("TWUXData"), repointed);
    second.Save();

    AliasConfig third(path_);
    EXPECT_EQ(third.GetAliasNames(), (Lines{"DOZOrez", "TWUXData"}));
    EXPECT_EQ(third.GetAliasParams("TWUXData"), repointed);
    EXPECT_EQ(third.GetAliasParams("DOZOrez"), (Lines{"PATH=/srv/shared data", "DEFAULT DRIVER=DBASE"}));
    EXPECT_TRUE(strayFiles().empty());
}

TEST_F(AliasConfigTest, ChangesReachTheFileOnlyOnSaveAndSurviveAReload)
{
    AliasConfig writer(path_);
    writer.AddStandardAlias("Tarnwick1", "/a");
    AliasConfig reader(path_);
    EXPECT_FALSE(reader.AliasExists("Tarnwick1"));

    writer.Reload();
    EXPECT_TRUE(writer.AliasExists("Tarnwick1"));
    writer.Save();
    reader.Reload();
    EXPECT_TRUE(reader.AliasExists("Tarnwick1"));
}

TEST_F(AliasConfigTest, RefusesWhatItCannotStoreOrDoesNotKnow)
{
    AliasConfig config(path_);
    config.AddStandardAlias("DOZOrez", "/a");
    const struct {
        const char* what;
        std::function<void()> call;
        ErrorCode code;
    } cases[] = {
        {"existing name in other case", [&] { config.AddStandardAlias("dozOREZ", "/b"); },
         ErrorCode::InvalidArgument},
        {"empty name", [&] { config.AddStandardAlias("", "/b"); }, ErrorCode::InvalidArgument},
        {"name with line break", [&] { config.AddStandardAlias("a\nPATH=/etc", "/b"); },
         ErrorCode::InvalidArgument},
        {"name with bracket", [&] { config.AddStandardAlias("a]b", "/b"); }, ErrorCode::InvalidArgument},
        {"empty folder", [&] { config.AddStandardAlias("New", ""); }, ErrorCode::InvalidArgument},
        {"folder with line break", [&] { config.AddStandardAlias("New", "/b\n[x]"); },
         ErrorCode::InvalidArgument},
        {"modify unknown", [&] { config.ModifyAlias("Nowhere", {"PATH=/b"}); }, ErrorCode::InvalidAlias},
        {"line without =", [&] { config.ModifyAlias("DOZOrez", {"PATH"}); }, ErrorCode::InvalidArgument},
        {"line without key", [&] { config.ModifyAlias("DOZOrez", {"=/b"}); }, ErrorCode::InvalidArgument},
        {"line that is a section", [&] { config.ModifyAlias("DOZOrez", {"[X]=1"}); },
         ErrorCode::InvalidArgument},
        {"params of unknown", [&] { config.GetAliasParams("Nowhere"); }, ErrorCode::InvalidAlias},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "accepted: " << c.what;
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), c.code) << c.what << ": " << e.what();
        }
    }
    EXPECT_EQ(config.GetAliasNames(), (Lines{"DOZOrez"}));
    EXPECT_EQ(config.GetAliasParams("DOZOrez").front(), "PATH=/a");
}

TEST_F(AliasConfigTest, ReadsAHandEditedFileAndNamesTheLineOfABrokenOne)
{
    writeFile(
        "# comment\r\n\r\n[DOZOrez]\r\ntype=STANDARD\r\n  PATH=/srv/x\r\n; another\n[Other]\nPATH=/y\n");
    AliasConfig config(path_);
    EXPECT_EQ(config.GetAliasNames(), (Lines{"DOZOrez", "Other"}));
    EXPECT_EQ(config.GetAliasParams("dozorez"), (Lines{"PATH=/srv/x"}));

    const struct {
        const char* text;
        const char* says;
    } broken[] = {
        {"PATH=/x\n", "line 1"},
        {"[A]\nPATH=/x\n[]\n", "line 3"},
        {"[A]\n[B]\n[a]\n", "line 3: the database name a appears twice"},
        {"[A]\nPATH=/x\ngarbage\n", "line 3: KEY=value expected"},
        {"[A] trailing\n", "line 1"},
    };
    for (const auto& b : broken) {
        writeFile(b.text);
        try {
            AliasConfig c(path_);
            ADD_FAILURE() << "accepted: " << b.text;
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), ErrorCode::CorruptFile) << b.text;
            EXPECT_NE(std::string(e.what()).find(path_), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(b.says), std::string::npos) << e.what();
        }
    }
}

TEST_F(AliasConfigTest, AFailedSaveIsReportedAndCanBeRetried)
{
    // The configuration folder cannot be created: a file stands in its way.
    const std::string blocker = (dir_ / "tarnwick").string();
    std::ofstream(blocker) << "not a folder";
    AliasConfig config(path_);
    config.AddStandardAlias("DOZOrez", "/a");
    try {
        config.Save();
        ADD_FAILURE() << "save into a missing folder reported success";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::IoError);
        EXPECT_NE(std::string(e.what()).find(path_), std::string::npos) << e.what();
    }
    EXPECT_TRUE(config.AliasExists("DOZOrez"));

    fs::remove(blocker);
    config.Save();
    EXPECT_TRUE(AliasConfig(path_).AliasExists("DOZOrez"));
}

TEST_F(AliasConfigTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    AliasConfig config(path_);
    config.AddStandardAlias("DOZOrez", "/a");
    config.Save();
    const std::string before = readFile();

    // A child process whose files may not grow past 64 bytes: the new file's
    // write fails after the old one was read.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        AliasConfig c(path_);
        c.AddStandardAlias("Tarnwick1", "/" + std::string(200, 'x'));
        try {
            c.Save();
        } catch (const DbError& e) {
            ::_exit(e.code() == ErrorCode::IoError ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success, 2: a wrong error";
    EXPECT_EQ(readFile(), before);
    EXPECT_TRUE(strayFiles().empty());
}

TEST_F(AliasConfigTest, TwoInstancesSavingKeepEachOthersAliases)
{
    AliasConfig first(path_);
    AliasConfig second(path_);
    first.AddStandardAlias("DOZOrez", "/a");
    second.AddStandardAlias("TWUXData", "/b");
    first.Save();
    second.Save();
    first.ModifyAlias("DOZOrez", {"PATH=/c"});
    first.Save();

    AliasConfig fresh(path_);
    EXPECT_EQ(fresh.GetAliasNames(), (Lines{"DOZOrez", "TWUXData"}));
    EXPECT_EQ(fresh.GetAliasParams("DOZOrez").front(), "PATH=/c");
    EXPECT_EQ(fresh.GetAliasParams("TWUXData").front(), "PATH=/b");
    // Saving picked up the other instance's work as well.
    EXPECT_TRUE(first.AliasExists("TWUXData"));
}

TEST_F(AliasConfigTest, ProcessesSavingAtOnceLoseNothing)
{
    constexpr int kProcesses = 4;
    constexpr int kAliasesEach = 15;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            AliasConfig config(path_);
            for (int k = 0; k < kAliasesEach; ++k) {
                try {
                    config.AddStandardAlias("P" + std::to_string(p) + "_" + std::to_string(k), "/d");
                    config.Save();
                } catch (const DbError&) {
                    ++failures;
                }
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    AliasConfig config(path_);
    EXPECT_EQ(config.GetAliasNames().size(), static_cast<std::size_t>(kProcesses * kAliasesEach));
    for (int p = 0; p < kProcesses; ++p) {
        for (int k = 0; k < kAliasesEach; ++k)
            EXPECT_TRUE(config.AliasExists("P" + std::to_string(p) + "_" + std::to_string(k)));
    }
    EXPECT_TRUE(strayFiles().empty());
}

TEST(DefaultAliasConfigPathTest, FollowsXdgConfigHomeElseHome)
{
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string xdg = savedXdg != nullptr ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(DefaultAliasConfigPath(), "/tmp/xdg/tarnwick/aliases.conf");
    ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        EXPECT_EQ(DefaultAliasConfigPath(), std::string(home) + "/.config/tarnwick/aliases.conf");
    }
    if (savedXdg != nullptr)
        ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tw::db
