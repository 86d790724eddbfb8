// Smart restore without its window: the questions, merge and replace, the
// stamping of the shared schedule tables, keys that round alike, a partial
// archive, progress texts, and the paths that must leave the database as it
// was.
#include <gtest/gtest.h>

#include <algorithm>

#include "restorefixture.h"

namespace tw::settings::test {
namespace {

std::vector<double> Floats(const std::string& folder, const std::string& file, const std::string& field)
{
    db::Table t;
    t.setFolder(folder);
    t.setTableName(file);
    t.setReadOnly(true);
    t.open();
    std::vector<double> values;
    for (t.first(); !t.eof(); t.next())
        values.push_back(t.fieldByName(field).asFloat());
    return values;
}

bool Saw(const CursorRecordingUi& ui, int panel, const std::string& text)
{
    return std::find(ui.StatusHistory.begin(), ui.StatusHistory.end(), std::make_pair(panel, text))
        != ui.StatusHistory.end();
}

class RestoreTest : public RestoreFixture {};

TEST_F(RestoreTest, NoToEitherQuestionOrNoSelectionChangesNothing)
{
    Put(Src(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Backup")}}});
    Put(Db(), "customers.dbf", {{{"CID", 2.0}, {"NAME", std::string("Live")}}});
    const std::string path = Archive();
    const auto before = FolderBytes(db_);

    struct Case {
        std::deque<bool> answers;
        std::string selected;
        std::size_t questions;
        std::string status0, status1;
    };
    const std::vector<Case> cases = {
        {{false}, path, 1, "", ""},
        {{true, false}, path, 2, "Shutdown other Tarnwicks", "on the network before restoring."},
        {{true, true}, "", 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.questions);
        host_.questions.clear();
        host_.selected = c.selected;
        ui_ = CursorRecordingUi();
        EXPECT_EQ(Restore(c.answers), RestoreOutcome::Declined);
        EXPECT_EQ(host_.questions.size(), c.questions);
        EXPECT_EQ(ui_.Status[0], c.status0);
        EXPECT_EQ(ui_.Status[1], c.status1);
        EXPECT_TRUE(host_.calls.empty());
        EXPECT_EQ(FolderBytes(db_), before);
        ExpectNoLeftovers();
    }
    EXPECT_EQ(host_.questions.size(), 0u);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Select a backup file");
    EXPECT_EQ(ui_.Messages[0].caption, "Use right pane");

    host_.selected = path;
    host_.questions.clear();
    Restore({false});
    EXPECT_EQ(host_.questions, (std::vector<std::string>{"Restore: Restore " + path}));
    Restore({true, false});
    EXPECT_EQ(host_.questions.back(), "Restore advisory: Are all other Tarnwick copies closed down ?");
}

TEST_F(RestoreTest, MergeKeepsLiveRecordsAppendsTheRestAndStampsOnlyTheScheduleTables)
{
    Put(Db(), "customers.dbf",
        {{{"CID", 1.0}, {"NAME", std::string("Live one")}},
         {{"CID", 2.0}, {"NAME", std::string("Live two")}}});
    Put(Db(), "ICharts.DBF", {{{"CHARTSID", 10.0}, {"DESC", std::string("live ten")}, {"UPDATE", 5.0}}});
    std::vector<Fields> customers;
    for (int cid = 2; cid <= 6; ++cid)
        customers.push_back({{"CID", double(cid)}, {"NAME", "Backup " + std::to_string(cid)}});
    Put(Src(), "customers.dbf", customers);
    Put(Src(), "ICharts.DBF",
        {{{"CHARTSID", 10.0}, {"DESC", std::string("backup ten")}, {"UPDATE", 7.0}},
         {{"CHARTSID", 11.0}, {"DESC", std::string("backup eleven")}, {"UPDATE", 7.0}}});
    Put(Src(), "ITasks.dbf", {{{"CHARTSID", 20.0}, {"UPDATE", 7.0}}});
    Put(Src(), "jobs.dbf", {{{"JID", 30.0}, {"DESC", std::string("a job")}}});
    // Photos and the lock record come back from no archive.
    Put(Src(), "photos.dbf", {{{"CID", 1.0}}});
    Put(Src(), "Access.dbf", {{{"ACCID", 1.0}, {"UPDATE", 9.0}}});
    Archive();
    const std::string photos = ReadFile(db_ / "photos.dbf"), access = ReadFile(db_ / "Access.dbf");

    ASSERT_EQ(Restore(), RestoreOutcome::Completed) << (ui_.Messages.empty() ? "" : ui_.Messages[0].text);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_EQ(
        Column(Db(), "customers.dbf", "NAME"),
        (std::vector<std::string>{"Live one", "Live two", "Backup 3", "Backup 4", "Backup 5", "Backup 6"}));
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "DESC"), (std::vector<std::string>{"live ten", "backup eleven"}));
    EXPECT_EQ(Floats(Db(), "ICharts.DBF", "UPDATE"), (std::vector<double>{5.0, 1.1}));
    EXPECT_EQ(Floats(Db(), "ITasks.dbf", "UPDATE"), std::vector<double>{1.1});
    EXPECT_EQ(Dump(Db(), "jobs.dbf"), Dump(Src(), "jobs.dbf"));
    EXPECT_EQ(ReadFile(db_ / "photos.dbf"), photos);
    EXPECT_EQ(ReadFile(db_ / "Access.dbf"), access);

    // Progress: the backup's count, from the first record on.
    EXPECT_TRUE(Saw(ui_, 0, "Scanning"));
    EXPECT_TRUE(Saw(ui_, 0, "Completed backup file scan"));
    EXPECT_TRUE(Saw(ui_, 0, "Checking customers.dbf"));
    EXPECT_TRUE(Saw(ui_, 0, "Appending customers.dbf"));
    EXPECT_TRUE(Saw(ui_, 1, "Record 1 of 5"));
    EXPECT_TRUE(Saw(ui_, 1, "Record 5 of 5"));
    EXPECT_FALSE(Saw(ui_, 1, "Record 0 of 5"));
    EXPECT_EQ(ui_.Status[0], "");
    EXPECT_EQ(ui_.Status[1], "Completed database update");

    EXPECT_EQ(host_.calls,
              (Calls{"CloseAllTables", "OpenAllTables", "ConvertChartsTable", "PullChartUpdates",
                     "ReindexDatabase", "ShowRestoredCalendar", "RefreshAfterRestore"}));
    EXPECT_EQ(host_.customersLabel, "All customers");
    EXPECT_FALSE(host_.busy);
    EXPECT_FALSE(ui_.hourglass);
    ExpectNoLeftovers();
}

TEST_F(RestoreTest, KeysThatRoundAlikeAreOneRecord)
{
    Put(Db(), "ICharts.DBF", {{{"CHARTSID", 7.0}, {"DESC", std::string("live")}}});
    Put(Src(), "ICharts.DBF",
        {{{"CHARTSID", 7.4}, {"DESC", std::string("rounds to the live key")}},
         {{"CHARTSID", 9.4}, {"DESC", std::string("first of two nines")}},
         {{"CHARTSID", 8.6}, {"DESC", std::string("second of two nines")}}});
    Archive();
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "DESC"), (std::vector<std::string>{"live", "first of two nines"}));
}

TEST_F(RestoreTest, APartialArchiveRestoresItsTablesAndLeavesTheOthers)
{
    Put(Src(), "holidays.dbf", {{{"HOLIID", 1.0}, {"DESC", std::string("New Year")}}});
    Put(Db(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Live")}}});
    for (const auto& e : fs::directory_iterator(source_))
        if (e.path().stem().string() != "holidays")
            fs::remove(e.path());
    Archive();
    // A table an earlier restore left in the restore folder is not this archive's.
    MakeSchedule(restore_.string());
    Put(restore_.string(), "customers.dbf", {{{"CID", 5.0}, {"NAME", std::string("Stale")}}});
    const auto stale = FolderBytes(restore_);

    auto withoutHolidays = [](std::map<std::string, std::string> files) {
        std::erase_if(files, [](const auto& f) { return f.first.rfind("holidays", 0) == 0; });
        return files;
    };
    const auto before = withoutHolidays(FolderBytes(db_));
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Column(Db(), "holidays.dbf", "DESC"), std::vector<std::string>{"New Year"});
    EXPECT_EQ(withoutHolidays(FolderBytes(db_)), before);
    EXPECT_EQ(FolderBytes(restore_), stale);
}

// A table is the same table whatever the letter case of its files, in the
// archive and in the database folder alike; the live file keeps its name.
TEST_F(RestoreTest, TableFilesAreFoundInAnyLetterCase)
{
    const data::TableLayout* layout = data::FindLayout(data::Database::Scheduler, "customers.dbf");
    ASSERT_NE(layout, nullptr);
    auto remake = [&](const fs::path& folder, const std::string& name) {
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().stem().string() == "customers")
                fs::remove(e.path());
        db::CreateTable(folder.string(), name, layout->fields, layout->indexes, true);
    };
    remake(source_, "CUSTOMERS.DBF");
    remake(db_, "Customers.Dbf");
    Put(Src(), "CUSTOMERS.DBF", {{{"CID", 7.0}, {"NAME", std::string("From the backup")}}});
    Put(Db(), "Customers.Dbf", {{{"CID", 1.0}, {"NAME", std::string("Live")}}});
    Archive();

    ASSERT_EQ(Restore(), RestoreOutcome::Completed) << (ui_.Messages.empty() ? "" : ui_.Messages[0].text);
    EXPECT_EQ(Column(Db(), "Customers.Dbf", "NAME"), (std::vector<std::string>{"Live", "From the backup"}));
    EXPECT_FALSE(fs::exists(db_ / "customers.dbf")) << "no second table beside the live one";
    EXPECT_FALSE(fs::exists(db_ / "CUSTOMERS.DBF"));
}

TEST_F(RestoreTest, ReplaceModeLeavesExactlyTheBackupsRecords)
{
    host_.sharedUsable = false;
    Put(Db(), "customers.dbf",
        {{{"CID", 1.0}, {"NAME", std::string("Live one")}},
         {{"CID", 2.0}, {"NAME", std::string("Live two")}},
         {{"CID", 3.0}, {"NAME", std::string("Live three")}}});
    Put(Src(), "customers.dbf", {{{"CID", 2.0}, {"NAME", std::string("Backup two")}}});
    Put(Db(), "ICharts.DBF", {{{"CHARTSID", 7.0}, {"DESC", std::string("live, no backup records")}}});
    Put(Db(), "mycomp.dbf", {{{"CID", 1.0}, {"MYCOMPY", std::string("Live company")}}});
    Put(Src(), "mycomp.dbf", {{{"CID", 9.0}, {"MYCOMPY", std::string("Backup company")}}});
    Put(Db(), "holidays.dbf", {{{"HOLIID", 1.0}, {"DESC", std::string("live holiday")}}});
    Put(Src(), "holidays.dbf",
        {{{"HOLIID", 1.0}, {"DESC", std::string("backup holiday")}},
         {{"HOLIID", 2.0}, {"DESC", std::string("second holiday")}}});
    Archive();

    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Dump(Db(), "customers.dbf"), Dump(Src(), "customers.dbf"));
    EXPECT_EQ(Dump(Db(), "mycomp.dbf"), Dump(Src(), "mycomp.dbf"));
    EXPECT_EQ(Column(Db(), "ICharts.DBF", "DESC"), std::vector<std::string>{"live, no backup records"});
    // Holidays are always merged.
    EXPECT_EQ(Column(Db(), "holidays.dbf", "DESC"),
              (std::vector<std::string>{"live holiday", "second holiday"}));
    // This workstation's working copies go; reopening makes them again from the shared tables.
    EXPECT_FALSE(db::TableExists(program_.string(), "Charts.DBF"));
    EXPECT_FALSE(db::TableExists(program_.string(), "Tasks.DBF"));
    EXPECT_EQ(
        host_.calls,
        (Calls{"CloseAllTables", "OpenAllTables", "CloseAllTables", "OpenAllTables", "ConvertChartsTable",
               "PullChartUpdates", "ReindexDatabase", "ShowRestoredCalendar", "RefreshAfterRestore"}));
    ExpectNoLeftovers();
}

TEST_F(RestoreTest, AnOlderLayoutIsBroughtToTheCurrentOneAndTheCrewIndexRebuilt)
{
    db::CreateTable(Src(), "crews.dbf",
                    {{"CREWID", db::FieldType::Float, 20, 8}, {"DESC", db::FieldType::Char, 40, 0}}, {},
                    true);
    Put(Src(), "crews.dbf", {{{"CREWID", 4.0}, {"DESC", std::string("Old crew")}}});
    Archive();
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Column(Db(), "crews.dbf", "DESC"), std::vector<std::string>{"Old crew"});
    db::Table crews;
    crews.setFolder(Db());
    crews.setTableName("crews.dbf");
    crews.open();
    EXPECT_EQ(crews.fieldCount(),
              static_cast<int>(data::FindLayout(data::Database::Scheduler, "crews.dbf")->fields.size()));
    EXPECT_NE(std::find(host_.calls.begin(), host_.calls.end(), "RebuildCrewIndex"), host_.calls.end());
}

TEST_F(RestoreTest, AMissingLiveTableIsLoadedFromTheBackup)
{
    Put(Src(), "jobs.dbf", {{{"JID", 1.0}, {"DESC", std::string("from the backup")}}});
    Archive();
    db::DeleteTable(Db(), "jobs.dbf");
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_TRUE(Saw(ui_, 0, "Loading "));
    EXPECT_EQ(Dump(Db(), "jobs.dbf"), Dump(Src(), "jobs.dbf"));
}

// A failure before the swap, or a rebuild step that fails after it: told,
// and the hourglass, Busy and the open tables come back on every path.
TEST_F(RestoreTest, FailuresAreToldAndLeaveTheProgramUsable)
{
    Put(Src(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Backup")}}});
    Archive();
    const auto before = FolderBytes(db_);
    for (const std::string step : {"write journal", "decide"}) {
        SCOPED_TRACE(step);
        RestoreOptions options;
        options.onSwapStep = [&](const std::string& s) {
            if (s == step)
                throw std::runtime_error("No space left on device");
        };
        host_.calls.clear();
        ui_ = CursorRecordingUi();
        EXPECT_EQ(Restore({true, true}, options), RestoreOutcome::Failed);
        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].caption, "Restore failed");
        EXPECT_NE(ui_.Messages[0].text.find("left as it was"), std::string::npos);
        EXPECT_EQ(host_.calls, (Calls{"CloseAllTables", "OpenAllTables"}));
        EXPECT_FALSE(host_.busy);
        EXPECT_FALSE(ui_.hourglass);
        EXPECT_EQ(FolderBytes(db_), before);
        ExpectNoLeftovers();
    }

    host_.calls.clear();
    ui_ = CursorRecordingUi();
    host_.failOn = "ReindexDatabase";
    EXPECT_EQ(Restore(), RestoreOutcome::Completed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "ReindexDatabase failed");
    EXPECT_EQ(host_.calls.back(), "RefreshAfterRestore");
    EXPECT_FALSE(host_.busy);
    EXPECT_FALSE(ui_.hourglass);
    EXPECT_EQ(Column(Db(), "customers.dbf", "NAME"), std::vector<std::string>{"Backup"});
}

TEST_F(RestoreTest, ANewerWindowsWouldEndTheProgramAfterTheRestore)
{
    host_.oldWindows = false;
    Put(Src(), "customers.dbf", {{{"CID", 1.0}}});
    Archive();
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Please restart Tarnwick normally");
    EXPECT_EQ(ui_.Messages[0].caption, "Advisory");
    EXPECT_EQ(host_.calls.back(), "CloseMainWindow");
}

}  // namespace
}  // namespace tw::settings::test
