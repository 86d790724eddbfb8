// The structure check and upgrade of live tables written by older releases:
// every record carried over by type, nothing lost when the upgrade cannot be
// completed, and nothing touched on a network folder.

#include <gtest/gtest.h>

#include <cmath>

#include "data/layouts/layouts.h"
#include "platform/datetime/datetime.h"
#include "olderdatabase.h"
#include "fakemoduleviews.h"
#include "servicesfixture.h"

namespace tw::data::testing {
namespace {

using db::FieldDef;
using db::FieldType;

FieldDef F(const char* name, FieldType type, int width = 0)
{
    return MakeField(name, type, width);
}

class TableCheckTest : public ServicesTest {
protected:
    // A schedule database whose tables are all current, closed.
    void SetUp() override
    {
        ServicesTest::SetUp();
        OpenFreshTables();
        ops_->CloseAllTables();
    }

    db::Table& Open(db::Table& t)
    {
        if (!t.active())
            t.open();
        return t;
    }

    void ExpectCurrentLayout(db::Table& t, Database database)
    {
        const TableLayout* layout = FindLayout(database, t.tableName());
        ASSERT_EQ(t.fieldDefs().size(), layout->fields.size());
        for (size_t i = 0; i < layout->fields.size(); ++i) {
            EXPECT_EQ(t.fieldDefs()[i].name, layout->fields[i].name);
            EXPECT_EQ(t.fieldDefs()[i].type, layout->fields[i].type);
        }
        EXPECT_EQ(t.indexDefs().size(), layout->indexes.size());
    }
};

// jobs.dbf of an older release: BIDID and FULLNAME missing, LISTID a number,
// a field since dropped, and an index more.
TEST_F(TableCheckTest, OutdatedTableIsUpgradedWithEveryRecordCarriedOver)
{
    WriteTable(schedule_, "jobs.dbf",
               {F("JID", FieldType::Float), F("CID", FieldType::Float), F("DESC", FieldType::Char, 80),
                F("STATUS", FieldType::Smallint), F("LISTID", FieldType::Float),
                F("CUSTNAME", FieldType::Char, 80), F("OLDFLAG", FieldType::Logical)},
               {{"STATUS", "STATUS"}, {"DESC", "DESC"}, {"JID", "JID"}});
    {
        db::Table old;
        old.setFolder(schedule_);
        old.setTableName("jobs.dbf");
        old.open();
        for (int i = 1; i <= 3; ++i) {
            old.append();
            old.fieldByName("JID").setAsInteger(1000 + i);
            old.fieldByName("CID").setAsInteger(i);
            old.fieldByName("DESC").setAsString("Job " + std::to_string(i));
            old.fieldByName("STATUS").setAsInteger(i);
            old.fieldByName("LISTID").setAsFloat(i == 2 ? 123.5 : 7);
            old.fieldByName("CUSTNAME").setAsString("Customer " + std::to_string(i));
            old.fieldByName("OLDFLAG").setAsBoolean(true);
            old.post();
        }
        // A deleted record is no live record.
        old.first();
        old.deleteRecord();
    }

    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_TRUE(state_.TablesOpen);
    db::Table& jobs = data_->JobsTable3;
    ExpectCurrentLayout(jobs, Database::Scheduler);
    ASSERT_EQ(jobs.recordCount(), 2);
    jobs.first();
    EXPECT_EQ(jobs.fieldByName("JID").asInteger(), 1002);
    EXPECT_EQ(jobs.fieldByName("CID").asInteger(), 2);
    EXPECT_EQ(jobs.fieldByName("DESC").asString(), "Job 2");
    EXPECT_EQ(jobs.fieldByName("STATUS").asInteger(), 2);
    EXPECT_EQ(jobs.fieldByName("LISTID").asString(), "123.5");
    EXPECT_EQ(jobs.fieldByName("CUSTNAME").asString(), "Customer 2");
    EXPECT_EQ(jobs.fieldByName("BIDID").asFloat(), 0);
    EXPECT_EQ(jobs.fieldByName("FULLNAME").asString(), "");
    jobs.next();
    EXPECT_EQ(jobs.fieldByName("JID").asInteger(), 1003);
    EXPECT_EQ(jobs.fieldByName("LISTID").asString(), "7");
    // The views get their own index back.
    EXPECT_EQ(data_->JobsTable.indexName(), "DESC");
    EXPECT_TRUE(data_->JobsTable.active());
    EXPECT_EQ(ui_.StatusText(0), "");
}

// The twin keeps the records of an upgrade; the next upgrade of the table
// starts from an empty twin, and carries only its own records.
TEST_F(TableCheckTest, NextUpgradeOfATableCarriesOnlyItsOwnRecords)
{
    for (int records : {3, 1}) {
        SCOPED_TRACE(records);
        WriteOlder(schedule_, Database::Scheduler, "jobs.dbf", records);
        ops_->OpenAllTables(true);
        EXPECT_TRUE(ui_.Messages.empty());
        ExpectCurrentLayout(data_->JobsTable3, Database::Scheduler);
        EXPECT_EQ(data_->JobsTable3.recordCount(), records);
        ops_->CloseAllTables();
    }
}

// holidays.dbf with dates, blank dates, a memo and a field of another name:
// dates stay dates, blank dates stay blank, the memo text goes along.
TEST_F(TableCheckTest, DatesAndMemosAreCarriedOverByType)
{
    WriteTable(program_, "Tasks.DBF",
               {F("CHARTSID", FieldType::Float), F("SDD", FieldType::Date), F("NOTES", FieldType::Memo),
                F("SHOWIT", FieldType::Logical), F("RPERIOD", FieldType::Smallint)});
    const TDateTime day = EncodeDate(2026, 12, 24);
    {
        db::Table old;
        old.setFolder(program_);
        old.setTableName("Tasks.DBF");
        old.open();
        old.append();
        old.fieldByName("CHARTSID").setAsInteger(1);
        old.fieldByName("SDD").setAsDateTime(day);
        old.fieldByName("NOTES").setAsString("Moved by two days.");
        old.fieldByName("SHOWIT").setAsBoolean(true);
        old.fieldByName("RPERIOD").setAsInteger(-3);
        old.post();
        old.append();
        old.fieldByName("CHARTSID").setAsInteger(2);
        old.post();
    }
    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    db::Table& tasks = Open(data_->TasksTable3);
    ExpectCurrentLayout(tasks, Database::Parameters);
    ASSERT_EQ(tasks.recordCount(), 2);
    tasks.first();
    EXPECT_EQ(tasks.fieldByName("SDD").asDate(), day);
    EXPECT_EQ(tasks.fieldByName("NOTES").asString(), "Moved by two days.");
    EXPECT_TRUE(tasks.fieldByName("SHOWIT").asBoolean());
    EXPECT_EQ(tasks.fieldByName("RPERIOD").asInteger(), -3);
    EXPECT_TRUE(tasks.fieldByName("EDD").isNull()) << "a field new to the layout starts blank";
    EXPECT_FALSE(tasks.fieldByName("JOB").asBoolean());
    tasks.next();
    EXPECT_TRUE(tasks.fieldByName("SDD").isNull()) << "no date stays no date";
    EXPECT_EQ(tasks.fieldByName("NOTES").asString(), "");
}

TEST_F(TableCheckTest, SameFieldsInAnotherOrderPassUnchanged)
{
    const TableLayout* layout = FindLayout(Database::Scheduler, "holidays.dbf");
    std::vector<FieldDef> fields(layout->fields.rbegin(), layout->fields.rend());
    WriteTable(schedule_, "holidays.dbf", fields);
    const std::string before = ReadFile(schedule_ + "/holidays.dbf");
    ASSERT_TRUE(ops_->CheckTableStructure(data_->HolidaysTable, data_->RHolidaysTable, schedule_));
    EXPECT_TRUE(data_->HolidaysTable.active());
    EXPECT_EQ(ReadFile(schedule_ + "/holidays.dbf"), before);
    EXPECT_TRUE(ui_.StatusHistory.empty());
}

// customers.dbf from before first and last names had fields of their own.
TEST_F(TableCheckTest, CustomerNamesAreSplitIntoLastAndFirst)
{
    WriteTable(schedule_, "customers.dbf",
               {F("NAME", FieldType::Char, 80), F("CID", FieldType::Float), F("NOTES", FieldType::Memo)},
               {{"NAME", "UPPER(NAME)"}});
    struct Case {
        const char* name;
        const char* last;
        const char* first;
    };
    const Case cases[] = {
        {"Smith, John", "Smith", "John"},
        {"Smith,  John", "Smith", "John"},
        {" Doe , Mary  Ann ", "Doe", "Mary  Ann"},
        {"Acme Corp", "Acme Corp", ""},
    };
    {
        db::Table old;
        old.setFolder(schedule_);
        old.setTableName("customers.dbf");
        old.open();
        int cid = 0;
        for (const Case& c : cases) {
            old.append();
            old.fieldByName("NAME").setAsString(c.name);
            old.fieldByName("CID").setAsInteger(++cid);
            old.fieldByName("NOTES").setAsString(std::string("Notes of ") + c.name);
            old.post();
        }
    }
    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    db::Table& customers = data_->CustomersTable3;
    ASSERT_EQ(customers.recordCount(), 4);
    customers.first();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(customers.fieldByName("LAST").asString(), c.last);
        EXPECT_EQ(customers.fieldByName("FIRST").asString(), c.first);
        EXPECT_EQ(customers.fieldByName("NOTES").asString(), std::string("Notes of ") + c.name);
        customers.next();
    }
}

// crews.dbf of a release before its indexes: the views' own index is missing.
TEST_F(TableCheckTest, TableWithoutTheIndexOfItsViewIsUpgradedNotReported)
{
    const TableLayout* layout = FindLayout(Database::Scheduler, "crews.dbf");
    WriteTable(schedule_, "crews.dbf", layout->fields);
    {
        db::Table old;
        old.setFolder(schedule_);
        old.setTableName("crews.dbf");
        old.open();
        old.append();
        old.fieldByName("CREWID").setAsInteger(7);
        old.fieldByName("DESC").setAsString("Blue crew");
        old.post();
    }
    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_TRUE(state_.TablesOpen);
    ASSERT_TRUE(data_->CrewsTable.active());
    EXPECT_EQ(data_->CrewsTable.indexDefs().size(), layout->indexes.size());
    EXPECT_EQ(data_->CrewsTable.recordCount(), 1);
    EXPECT_EQ(data_->CrewsTable.fieldByName("DESC").asString(), "Blue crew");
}

TEST_F(TableCheckTest, UpgradeOfCrewsAsksForTheAssignmentRebuild)
{
    const TableLayout* layout = FindLayout(Database::Scheduler, "crews.dbf");
    std::vector<FieldDef> fields(layout->fields.begin(), layout->fields.end() - 1);
    WriteTable(schedule_, "crews.dbf", fields, layout->indexes);
    ops_->OpenAllTables(false);
    EXPECT_TRUE(state_.RebuildAssignments);
    ExpectCurrentLayout(data_->CrewsTable4, Database::Scheduler);
}

// A record that the current layout cannot hold (a description longer than the
// field) stops the upgrade: the live table keeps every record in its old
// layout, and the user is told once.
TEST_F(TableCheckTest, UpgradeThatCannotCarryEveryRecordKeepsTheLiveTable)
{
    WriteTable(schedule_, "jobs.dbf", {F("JID", FieldType::Float), F("DESC", FieldType::Char, 120)},
               {{"DESC", "DESC"}});
    {
        db::Table old;
        old.setFolder(schedule_);
        old.setTableName("jobs.dbf");
        old.open();
        for (std::size_t width : {10, 100}) {
            old.append();
            old.fieldByName("DESC").setAsString(std::string(width, 'x'));
            old.post();
        }
    }
    const std::string before = ReadFile(schedule_ + "/jobs.dbf");
    // Crews as well, so that the message shows once for two tables.
    WriteTable(schedule_, "crews.dbf", {F("CREWID", FieldType::Float), F("DESC", FieldType::Char, 100)});
    {
        db::Table old;
        old.setFolder(schedule_);
        old.setTableName("crews.dbf");
        old.open();
        old.append();
        old.fieldByName("DESC").setAsString(std::string(90, 'y'));
        old.post();
    }

    ops_->OpenAllTables(true);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text,
              "Your database may be damaged- use Smart restore to load a backup file or "
              "switch to a different database");
    EXPECT_EQ(ui_.Messages[0].caption, "Tarnwick");
    EXPECT_EQ(ReadFile(schedule_ + "/jobs.dbf"), before);
    EXPECT_FALSE(state_.SharedTablesUsable);
    EXPECT_FALSE(state_.TablesOpen);
    EXPECT_FALSE(state_.RebuildAssignments);
    ASSERT_TRUE(data_->JobsTable2.active()) << "left open in its old layout";
    EXPECT_EQ(data_->JobsTable2.recordCount(), 2);
    EXPECT_EQ(data_->JobsTable2.fieldCount(), 2);
}

TEST_F(TableCheckTest, NetworkFolderIsNeverUpgraded)
{
    FakePageControl pages;
    data_->Views().Pages = &pages;
    const bool& terminated = pages.Terminated;
    WriteTable(schedule_, "jobs.dbf", {F("JID", FieldType::Float)});
    WriteTable(schedule_, "crews.dbf", {F("CREWID", FieldType::Float)});
    const std::string jobs = ReadFile(schedule_ + "/jobs.dbf");
    const std::string server = "//server/tarnwick";

    EXPECT_FALSE(ops_->CheckTableStructure(data_->JobsTable2, data_->RJobsTable, server));
    EXPECT_FALSE(ops_->CheckTableStructure(data_->CrewsTable2, data_->RCrewsTable, server));
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Update server Tarnwick before running this local copy");
    EXPECT_EQ(ui_.Messages[0].caption, "Your server jobs.dbf requires an update");
    EXPECT_EQ(ui_.Messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(terminated);
    EXPECT_FALSE(state_.SharedTablesUsable);
    EXPECT_EQ(ReadFile(schedule_ + "/jobs.dbf"), jobs);
    EXPECT_EQ(ui_.StatusHistory.front(), std::make_pair(0, std::string("Updating file:")));
}

TEST_F(TableCheckTest, MissingTwinIsMadeFromTheLayout)
{
    db::DeleteTable(program_, "Rcalendar.DBF");
    ASSERT_TRUE(ops_->CheckTableStructure(data_->CalendarTable, data_->RCalendarTable, schedule_));
    EXPECT_TRUE(db::TableExists(program_, "Rcalendar.DBF"));
    EXPECT_TRUE(ui_.StatusHistory.empty()) << "the live table was current";
}

// The start-up checks params.dbf before anything else is opened.
TEST_F(TableCheckTest, MissingSettingsTableIsMadeWithItsOneRecord)
{
    db::DeleteTable(program_, "params.dbf");
    db::DeleteTable(program_, "rparams.DBF");
    ASSERT_TRUE(ops_->CheckTableStructure(data_->ParamsTable, data_->RParamsTable, program_));
    ASSERT_TRUE(data_->ParamsTable.active());
    EXPECT_EQ(data_->ParamsTable.recordCount(), 1);
    ExpectCurrentLayout(data_->ParamsTable, Database::Parameters);
    EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(TableCheckTest, RebuildCrewIndexAddsTheMissingAssignmentRows)
{
    ops_->OpenAllTables(true);
    auto addCrew = [&](int id, const char* desc) {
        db::Table& c = data_->CrewsTable4;
        c.append();
        c.fieldByName("CREWID").setAsInteger(id);
        c.fieldByName("DESC").setAsString(desc);
        c.post();
    };
    addCrew(1, "Blue crew");
    addCrew(2, "Red crew");
    auto addItem = [&](int id, int crew, bool job) {
        db::Table& t = data_->ChartsTable3;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(id);
        t.fieldByName("CREWID").setAsInteger(crew);
        t.fieldByName("JID").setAsInteger(id * 10);
        t.fieldByName("JOB").setAsBoolean(job);
        t.fieldByName("TDESC").setAsString("old");
        t.post();
    };
    addItem(100, 1, false);
    addItem(101, 1, false);
    addItem(102, 2, true);
    addItem(103, 9, false);
    db::Table& a = data_->ICrewsTable3;
    a.append();
    a.fieldByName("CREWID").setAsInteger(1);
    a.fieldByName("CHARTSID").setAsInteger(100);
    a.fieldByName("ICREWID").setAsInteger(55);
    a.fieldByName("JOB").setAsBoolean(false);
    a.post();
    state_.RebuildAssignments = true;

    ops_->RebuildCrewIndex();
    EXPECT_FALSE(state_.RebuildAssignments);
    db::Table& rows = data_->ICrewsTable;
    EXPECT_EQ(rows.recordCount(), 2) << "one row added, none for the job row or the unknown resource";
    ASSERT_TRUE(rows.locate("CREWID;CHARTSID", {db::Value(1.0), db::Value(101.0)}));
    EXPECT_EQ(rows.fieldByName("JID").asInteger(), 1010);
    EXPECT_FALSE(rows.fieldByName("JOB").asBoolean());
    EXPECT_NE(rows.fieldByName("ICREWID").asInteger(), 0);
    EXPECT_NE(rows.fieldByName("ICREWID").asInteger(), 55);

    db::Table& charts = data_->ChartsTable3;
    const std::pair<int, const char*> tdesc[] = {
        {100, "Blue crew"}, {101, "Blue crew"}, {102, "old"}, {103, "old"}};
    for (const auto& [id, text] : tdesc) {
        ASSERT_TRUE(charts.locate("CHARTSID", db::Value(double(id))));
        EXPECT_EQ(charts.fieldByName("TDESC").asString(), text) << id;
    }
}

// The first open of an older database of `records` tasks: the flushes it
// made, listed by file in `listing`.
int FirstOpenSyncs(int records, std::string& listing)
{
    ScratchInstallation install;
    install.ops_->OpenAllTables(true);
    install.state_.FirstRun = false;
    install.ops_->CloseAllTables();
    WriteOlderDatabase(install.program_, install.schedule_, records);

    SyncCountingFs counting;
    db::SetFileSystem(&counting);
    install.ops_->OpenAllTables(true);
    db::SetFileSystem(nullptr);

    EXPECT_TRUE(install.state_.TablesOpen);
    EXPECT_TRUE(install.ui_.Messages.empty()) << install.ui_.Messages.front().text;
    // Every record was carried over, and the rebuild gave each task its
    // resource's name and its assignment row.
    EXPECT_FALSE(install.state_.RebuildAssignments);
    EXPECT_EQ(install.data_->ChartsTable.recordCount(), records);
    EXPECT_EQ(install.data_->ICrewsTable.recordCount(), records);
    db::Table& charts = install.data_->ChartsTable5;
    for (charts.first(); !charts.eof(); charts.next())
        EXPECT_EQ(charts.fieldByName("TDESC").asString(),
                  "DESC " + std::to_string(charts.fieldByName("CREWID").asInteger() - 1));
    install.ops_->CloseAllTables();
    listing = counting.Listing();
    return counting.Total();
}

// One flush per table per operation, not one per record: the first open of
// a database of 40 records flushes exactly as often as that of 4.
TEST_F(ServicesTest, FirstOpenOfAnOlderDatabaseFlushesPerTableNotPerRecord)
{
    std::string few, many;
    const int fewSyncs = FirstOpenSyncs(4, few);
    const int manySyncs = FirstOpenSyncs(40, many);
    EXPECT_EQ(manySyncs, fewSyncs) << "4 records:\n" << few << "40 records:\n" << many;
    // Seven tables upgraded (the twin filled, then copied into place: 68
    // flushes with their folders when this was written, where one flush per
    // record made 819) and two tables written by the rebuild.
    EXPECT_LE(manySyncs, 80) << many;
}

}  // namespace
}  // namespace tw::data::testing
