#include "app/startupsettings.h"

#include "app/windowlayout.h"
#include "platform/registry/registry.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace tw::app {
namespace {

namespace fs = std::filesystem;

class StartupSettingsTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        file_ = (dir_ / "registry.ini").string();
    }

    void Write(const char* key, std::initializer_list<std::pair<const char*, const char*>> values)
    {
        registry::TRegistry reg(file_);
        reg.SetRootKey(registry::RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey(key, true));
        for (const auto& [name, value] : values)
            reg.WriteString(name, value);
    }

    StartupRegistry Read()
    {
        registry::TRegistry reg(file_);
        return ReadStartupRegistry(reg);
    }

    std::string file_;
};

TEST_F(StartupSettingsTest, NamesKeepTheirDefaultsOnlyWhileAKeyIsMissing)
{
    StartupRegistry none = Read();
    EXPECT_EQ(none.ScheduleAlias, "DOZOrez");
    EXPECT_EQ(none.EstimatorAlias, "VAZOdiz");
    EXPECT_FALSE(none.VersionKeyOpen);

    Write(kProductKey, {});
    StartupRegistry productOnly = Read();
    EXPECT_EQ(productOnly.ScheduleAlias, "DOZOrez");
    EXPECT_EQ(productOnly.EstimatorAlias, "VAZOdiz");

    // Once the version key opens, a missing value is an empty name.
    Write(kVersionKey, {{"TW alias name", "Shop"}});
    StartupRegistry named = Read();
    EXPECT_TRUE(named.VersionKeyOpen);
    EXPECT_EQ(named.ScheduleAlias, "Shop");
    EXPECT_EQ(named.EstimatorAlias, "");
}

TEST_F(StartupSettingsTest, OnlyCompletedNoMarksAFirstRun)
{
    struct Case {
        const char* completed;
        bool firstRun;
    };
    const Case cases[] = {{"No", true}, {"no", false}, {"No ", false}, {"Yes", false}, {"", false}};
    for (const Case& c : cases) {
        fs::remove_all(dir_);
        Write(kProductKey, {});
        Write(kInstallKey,
              {{"Completed", c.completed}, {"Database_path", "/srv/db"}, {"Backups", "/srv/bk"}});
        const StartupRegistry read = Read();
        EXPECT_EQ(read.FirstRun, c.firstRun) << "Completed '" << c.completed << "'";
        EXPECT_EQ(read.Paths.Database, c.firstRun ? "/srv/db" : "") << "Completed '" << c.completed << "'";
        EXPECT_EQ(read.Paths.Backups, c.firstRun ? "/srv/bk" : "") << "Completed '" << c.completed << "'";
    }
}

TEST_F(StartupSettingsTest, FreshMachineGetsTheInstallersValuesOnceAndRunsFirstTimeOnce)
{
    {
        registry::TRegistry reg(file_);
        EXPECT_TRUE(WriteInstallDefaults(reg, "/home/ann/.local/share/tarnwick"));
    }
    StartupRegistry first = Read();
    EXPECT_TRUE(first.FirstRun);
    EXPECT_TRUE(first.VersionKeyOpen);
    EXPECT_EQ(first.Paths.ProgramFiles, "/home/ann/.local/share/tarnwick");
    EXPECT_EQ(first.Paths.Database, "/home/ann/.local/share/tarnwick/Database");
    EXPECT_EQ(first.Paths.Restore, "/home/ann/.local/share/tarnwick/Restore");
    EXPECT_EQ(first.Paths.Backups, "/home/ann/.local/share/tarnwick/Backups");
    EXPECT_EQ(first.ScheduleAlias, "DOZOrez");
    EXPECT_EQ(first.EstimatorAlias, "");

    registry::TRegistry reg(file_);
    MarkInstallationCompleted(reg);
    // A later start neither rewrites the installer's values nor runs first-time work.
    Write(kInstallKey, {{"Backups", "/mnt/usb"}});
    EXPECT_FALSE(WriteInstallDefaults(reg, "/elsewhere"));
    registry::TRegistry again(file_);
    again.SetRootKey(registry::RootKey::LocalMachine);
    ASSERT_TRUE(again.OpenKey(kInstallKey, false));
    EXPECT_EQ(again.ReadString("Backups"), "/mnt/usb");
    EXPECT_EQ(again.ReadString("Completed"), "Yes");
    EXPECT_FALSE(Read().FirstRun);
}

TEST_F(StartupSettingsTest, InstallerDefaultsKeepANameTheUserChose)
{
    Write(kVersionKey, {{"TW alias name", "Shop"}, {"Height", "700"}});
    registry::TRegistry reg(file_);
    EXPECT_TRUE(WriteInstallDefaults(reg, "/p"));
    const StartupRegistry read = Read();
    EXPECT_TRUE(read.FirstRun);
    EXPECT_EQ(read.ScheduleAlias, "Shop");
}

}  // namespace
}  // namespace tw::app
