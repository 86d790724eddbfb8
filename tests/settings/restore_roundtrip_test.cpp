// Back up, change records, restore, in both modes; and a backup the older
// releases wrote, an LHA archive under a ".zip" name, restores like a ZIP.
#include <gtest/gtest.h>

#include "restorefixture.h"
#include "settings/backuparchive.h"

namespace tw::settings::test {
namespace {

class RestoreRoundTripTest : public RestoreFixture {
protected:
    void SetUp() override
    {
        RestoreFixture::SetUp();
        Put(Db(), "customers.dbf",
            {{{"CID", 1.0}, {"NAME", std::string("Ashby Farm")}},
             {{"CID", 2.0}, {"NAME", std::string("Brook Mill")}},
             {{"CID", 3.0}, {"NAME", std::string("Carter & Sons")}}});
        Put(Db(), "ICharts.DBF",
            {{{"CHARTSID", 40.0},
              {"DESC", std::string("Roof")},
              {"UPDATE", 3.0},
              {"NOTES", std::string("slate, north side")}}});
        const std::string path = (backups_ / "scheduler_12_10_2026.zip").string();
        BackupArchiveCalls calls;
        calls.takeLock = [] { return true; };
        calls.releaseLock = [] {};
        WriteBackupArchive(Db(), path, calls);
        host_.selected = path;
        backedUp_ = Dump(Db(), "customers.dbf");

        // The day after the backup.
        db::Table t;
        t.setFolder(Db());
        t.setTableName("customers.dbf");
        t.open();
        ASSERT_TRUE(t.locate("CID", 1.0));
        t.edit();
        t.fieldByName("NAME").setAsString("Ashby Farm Ltd");
        t.post();
        ASSERT_TRUE(t.locate("CID", 2.0));
        t.deleteRecord();
        t.close();
        Put(Db(), "customers.dbf", {{{"CID", 4.0}, {"NAME", std::string("Dale Orchard")}}});
        Put(Db(), "ICharts.DBF", {{{"CHARTSID", 41.0}, {"DESC", std::string("Fence")}}});
    }

    std::vector<std::string> backedUp_;
};

TEST_F(RestoreRoundTripTest, MergeBringsBackWhatWasDeletedAndKeepsTodaysWork)
{
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Column(Db(), "customers.dbf", "NAME"),
              (std::vector<std::string>{"Ashby Farm Ltd", "Carter & Sons", "Dale Orchard", "Brook Mill"}));
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "DESC"), (std::vector<std::string>{"Roof", "Fence"}));
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "NOTES"), (std::vector<std::string>{"slate, north side", ""}));
    ExpectNoLeftovers();
}

TEST_F(RestoreRoundTripTest, ReplaceGivesBackTheDayOfTheBackup)
{
    host_.sharedUsable = false;
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Dump(Db(), "customers.dbf"), backedUp_);
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "NOTES"), std::vector<std::string>{"slate, north side"});
    ExpectNoLeftovers();
}

TEST_F(RestoreFixture, ALegacyLhaArchiveRestoresLikeAZip)
{
    host_.selected = (backups_ / "legacy_backup.zip").string();
    fs::copy_file(fs::path(TW_RESTORE_FIXTURES) / "legacy_backup.zip", host_.selected);
    Put(Db(), "holidays.dbf", {{{"HOLIID", 1.0}, {"DESC", std::string("Christmas (live)")}}});
    ASSERT_EQ(Restore(), RestoreOutcome::Completed) << (ui_.Messages.empty() ? "" : ui_.Messages[0].text);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_EQ(Column(Db(), "holidays.dbf", "DESC"),
              (std::vector<std::string>{"Christmas (live)", "New Year"}));
    EXPECT_EQ(Column(Db(), "jobs.dbf", "DESC"), (std::vector<std::string>{"Roof repair", "Gutters"}));
    EXPECT_EQ(Column(Db(), "jobs.dbf", "STATUS"), (std::vector<std::string>{"2", "5"}));
    ExpectNoLeftovers();
}

}  // namespace
}  // namespace tw::settings::test
