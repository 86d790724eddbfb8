// Jobs from the customer-job list onto the schedule: dated rows at once,
// undated ones through the task editor, every listed row with progress and
// Stop, and the refusals.
#include <gtest/gtest.h>

#include "importqbfixture.h"
#include "platform/datetime/datetime.h"

namespace tw::exchange {
namespace {

using qb::test::Customer;
using qb::test::Id;

// What a job import tells the pages, once, at its end (never on the way,
// when it refreshes each job's customer from QuickBooks).
const std::vector<data::ScheduleChanges> kOneJobNotice{data::ScheduleChange::Customers
                                                       | data::ScheduleChange::Jobs
                                                       | data::ScheduleChange::Tasks};

// The sample company with a job for each way a date can be missing.
qb::CompanyData JobsCompany()
{
    qb::CompanyData d = qb::test::SampleCompany();
    qb::CustomerRet porch = Customer(40, "Porch", 5);  // a job of brook lane
    porch.JobStatus = qb::ENJobStatus::InProgress;
    porch.JobStartDate = QDate(2026, 4, 6);
    porch.Notes = QStringLiteral("Front steps");
    qb::CustomerRet shed = Customer(41, "Shed", 5);
    shed.JobStatus = qb::ENJobStatus::Closed;
    shed.JobProjectedEndDate = QDate(2026, 4, 10);
    qb::CustomerRet same = Customer(42, "Same day", 5);  // on one working day
    same.JobStatus = qb::ENJobStatus::NotAwarded;
    same.JobStartDate = QDate(2026, 4, 8);
    same.JobProjectedEndDate = QDate(2026, 4, 8);
    qb::CustomerRet swapped = Customer(43, "Swapped", 5);  // projected end before start
    swapped.JobStatus = qb::ENJobStatus::Awarded;
    swapped.JobStartDate = QDate(2026, 4, 17);
    swapped.JobProjectedEndDate = QDate(2026, 4, 13);
    qb::CustomerRet coleJob = Customer(44, "Yard", 6);  // an active job of the inactive Cole & Sons
    coleJob.JobStatus = qb::ENJobStatus::Awarded;
    coleJob.JobStartDate = QDate(2026, 5, 4);
    coleJob.JobProjectedEndDate = QDate(2026, 5, 5);
    d.customers.insert(d.customers.end(), {porch, shed, same, swapped, coleJob});
    return d;
}

class ImportQBJobsTest : public ::testing::Test, public test::ImportQBFixture {
protected:
    ImportQBJobsTest() : ImportQBFixture(JobsCompany()) {}

    int IndexOf(const char* fullName)
    {
        for (const QBJobRow& r : logic->Rows())
            if (r.FullName == QString::fromUtf8(fullName))
                return r.Index;
        ADD_FAILURE() << "no row " << fullName;
        return -1;
    }
    void ShowList()
    {
        logic->Open(0);
        logic->ShowQBCustomersClick();
    }
    bool LocateTask(const QString& listId)
    {
        D().ChartsTable2.refresh();
        return D().ChartsTable2.locate("LISTID", db::Value(listId.toStdString()));
    }
    double TaskNumber(const char* field) { return D().ChartsTable2.fieldByName(field).asFloat(); }
};

TEST(ImportQBCost, HoursAtFourDecimalsTimesTheRateTruncated)
{
    struct Case {
        float hours;
        std::int64_t rate;  // ten-thousandths
        std::int64_t cost;
    };
    const Case cases[] = {
        {7.5f, 250000, 1875000},         // 7.5 h at 25.00
        {1.0f / 3, 30000, 9999},         // 0.3333 h at 3.00: truncated, not rounded up to 1.00
        {8.0f, 123457, 987656},          // 8 h at 12.3457
        {0.00005f, 1000000000, 0},       // half a ten-thousandth of an hour goes to the even count 0
        {0.00015f, 1000000000, 200000},  // and one and a half to 2
        {40.0f, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JobCost(c.hours, Currency::FromRaw(c.rate)).Raw(), c.cost) << c.hours << " at " << c.rate;
}

TEST_F(ImportQBJobsTest, ADatedJobGoesOnTheScheduleOnceWithItsHoursRateAndCost)
{
    ShowList();
    view.rate = "25";
    view.selected = IndexOf("Ashdown Farms:Barn roof");
    logic->ImportQBJobClick();
    EXPECT_EQ(view.status.contains("Ashdown Farms:Barn roof imported"), true)
        << view.status.join("|").toStdString();
    EXPECT_EQ(host->mainStatus, QStringList({"Ashdown Farms:Barn roof imported", "1 task added"}));
    EXPECT_EQ(host->notices, kOneJobNotice);
    ASSERT_TRUE(LocateTask(Id(2)));
    db::Table& t = D().ChartsTable2;
    // 2 March to 20 March 2026 at midnight: fourteen working days.
    const double hours = TaskNumber("HOURS");
    EXPECT_GT(hours, 14 * 7.0);
    EXPECT_DOUBLE_EQ(TaskNumber("COST"), 25.0);
    EXPECT_DOUBLE_EQ(TaskNumber("TCOST"),
                     JobCost(static_cast<float>(hours), Currency::FromRaw(250000)).ToDouble());
    EXPECT_EQ(t.fieldByName("JLID").asString().substr(0, 10), "1100000001");
    EXPECT_EQ(t.fieldByName("BIDID").asInteger(), 0);  // Awarded
    EXPECT_EQ(static_cast<int>(t.fieldByName("SD").asDateTime()), static_cast<int>(EncodeDate(2026, 3, 2)));
    EXPECT_NE(t.fieldByName("NOTES").asString().find("Scaffold first"), std::string::npos);
    EXPECT_DOUBLE_EQ(state_.AverageRate, 25.0);  // the typed rate stays the rate for new work
    // The shared tables have it, and the customer was refreshed from QuickBooks.
    db::Table shared;
    shared.setFolder(schedule_);
    shared.setTableName("ICharts.DBF");
    shared.open();
    EXPECT_TRUE(shared.locate("LISTID", db::Value(Id(2).toStdString())));
    EXPECT_EQ(Text(D().CustomersTable2, "LISTID", db::Value(Id(1).toStdString()), "PHONE1"), "555-0101");
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(Count(D().JobsTable2), 1);

    const std::int64_t tasks = Count(D().ChartsTable2);
    logic->ImportQBJobClick();
    EXPECT_EQ(view.status.last(), "Ashdown Farms:Barn roof has already been imported");
    EXPECT_EQ(Count(D().ChartsTable2), tasks);
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(Count(D().JobsTable2), 1);
}

TEST_F(ImportQBJobsTest, DatesAreSwappedAndOneDayGetsThatDaysHours)
{
    ShowList();
    view.rate = "not a rate";  // the resource's rate is used
    std::int32_t key = 0;
    QString customer;
    ASSERT_TRUE(logic->ImportQBJob(IndexOf("brook lane:Same day"), key, customer));
    EXPECT_EQ(customer, Id(5));
    ASSERT_TRUE(LocateTask(Id(42)));
    EXPECT_EQ(D().ChartsTable2.fieldByName("CHARTSID").asInteger(), key);
    const double oneDay = TaskNumber("HOURS");
    EXPECT_GT(oneDay, 0);
    EXPECT_EQ(D().ChartsTable2.fieldByName("BIDID").asInteger(), 4);  // Not awarded
    EXPECT_DOUBLE_EQ(TaskNumber("COST"), 0.0);

    ASSERT_TRUE(logic->ImportQBJob(IndexOf("brook lane:Swapped"), key, customer));
    ASSERT_TRUE(LocateTask(Id(43)));
    EXPECT_EQ(static_cast<int>(D().ChartsTable2.fieldByName("SD").asDateTime()),
              static_cast<int>(EncodeDate(2026, 4, 13)));
    EXPECT_DOUBLE_EQ(TaskNumber("HOURS"), 4 * oneDay);  // 13 to 17 April at midnight: four days
}

TEST_F(ImportQBJobsTest, TheStatusComesFromTheEntryNotFromTheShownText)
{
    host->statusTexts = {"Open", "Open", "", "", "", "Open"};  // three statuses share one text
    view.boxes[1] = false;                                     // and Awarded's box is unticked
    ShowList();
    std::int32_t key = 0;
    QString customer;
    ASSERT_TRUE(logic->ImportQBJob(IndexOf("Ashdown Farms:Barn roof"), key, customer));
    ASSERT_TRUE(LocateTask(Id(2)));
    EXPECT_EQ(D().ChartsTable2.fieldByName("BIDID").asInteger(), 0);
    ASSERT_TRUE(logic->ImportQBJob(IndexOf("brook lane:Swapped"), key, customer));
    ASSERT_TRUE(LocateTask(Id(43)));
    EXPECT_EQ(D().ChartsTable2.fieldByName("BIDID").asInteger(), 0);
}

TEST_F(ImportQBJobsTest, UndatedRowsWriteCustomerAndJobAndOpenTheEditor)
{
    ShowList();
    struct Case {
        const char* fullName;
        const char* job;
        const char* task;
        std::optional<TDateTime> start;
        int status;
        bool saves;
    };
    const Case cases[] = {
        {"Ashdown Farms:Barn roof:Gutters", "Barn roof", "Gutters", std::nullopt, 5, true},
        {"brook lane:Porch", "Porch", "Porch", EncodeDate(2026, 4, 6), 2, false},
        // Shed has a projected end only: the day before it.
        {"brook lane:Shed", "Shed", "Shed", EncodeDate(2026, 4, 9), 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fullName);
        host->editorCalls.clear();
        host->editorSaves = c.saves;
        std::int32_t key = -7;
        QString customer;
        EXPECT_EQ(logic->ImportQBJob(IndexOf(c.fullName), key, customer), c.saves);
        EXPECT_EQ(key, -7);
        ASSERT_EQ(host->editorCalls.size(), 1u);
        const tasks::EditorArguments& a = host->editorCalls.front();
        EXPECT_EQ(a.Table, &D().ChartsTable);
        EXPECT_TRUE(a.IsMainView);
        EXPECT_FALSE(a.Edit);
        EXPECT_TRUE(a.AddMissingData);
        EXPECT_TRUE(a.Modal);
        EXPECT_TRUE(a.SkipOverlapCheck);
        EXPECT_FALSE(a.RebuildOnClose);
        EXPECT_EQ(a.Description, c.job);
        EXPECT_EQ(a.Start, c.start);
        EXPECT_EQ(a.Status, c.status);
        EXPECT_EQ(a.FullName, c.fullName);
        EXPECT_EQ(QString::fromStdString(a.CustomerListId), customer);
        // Customer and job are written before the editor opens, and stand on the main window's views.
        EXPECT_TRUE(D().JobsTable.locate("DESC", db::Value(std::string(c.job))));
        EXPECT_EQ(D().JobsTable.fieldByName("JID").asInteger(), D().JobsTable.fieldByName("JID").asInteger());
        EXPECT_EQ(D().CustomersTable.fieldByName("CID").asInteger(),
                  D().JobsTable.fieldByName("CID").asInteger());
    }
    EXPECT_EQ(Text(D().CustomersTable2, "LAST", db::Value(std::string("brook lane")), "S3"), "True");
    EXPECT_EQ(Count(D().CustomersTable2), 2);  // brook lane written once for its two jobs
    EXPECT_EQ(Text(D().JobsTable2, "DESC", db::Value(std::string("Shed")), "LISTID"), Id(41).toStdString());
}

TEST_F(ImportQBJobsTest, AnOpenEditRefusesUndatedRowsBeforeWritingAnything)
{
    ShowList();
    host->editorOpen = true;
    std::int32_t key = 0;
    QString customer;
    EXPECT_FALSE(logic->ImportQBJob(IndexOf("brook lane:Porch"), key, customer));
    EXPECT_EQ(host->recorder.boxes, QStringList{"Tarnwick: Close the task editor before importing jobs"});
    EXPECT_TRUE(host->editorCalls.empty());
    EXPECT_EQ(Count(D().CustomersTable2), 0);
    EXPECT_EQ(Count(D().JobsTable2), 0);

    // "Import all" stops at the first such row; the rows before it stay imported.
    view.shownOrder = {IndexOf("Ashdown Farms:Barn roof"), IndexOf("brook lane:Porch"),
                       IndexOf("brook lane:Same day")};
    logic->ImportAllQBJobsClick();
    EXPECT_EQ(view.status.last(), "1 Jobs imported");
    EXPECT_TRUE(LocateTask(Id(2)));
    EXPECT_FALSE(LocateTask(Id(42)));
}

TEST_F(ImportQBJobsTest, ImportAllGoesInListOrderAndStopsBetweenRows)
{
    ShowList();
    host->editorSaves = false;  // undated rows are cancelled in the editor and not counted
    view.shownOrder = {IndexOf("brook lane:Swapped"), IndexOf("brook lane:Shed"),
                       IndexOf("Ashdown Farms:Barn roof"), IndexOf("brook lane:Same day")};
    view.stopAt = 3;
    logic->ImportAllQBJobsClick();
    EXPECT_EQ(view.progressTotal, 4);
    EXPECT_FALSE(view.progressOpen);
    EXPECT_EQ(view.status.last(), "2 Jobs imported");
    EXPECT_TRUE(LocateTask(Id(43)));
    EXPECT_TRUE(LocateTask(Id(2)));
    EXPECT_FALSE(LocateTask(Id(42)));  // after Stop
    EXPECT_EQ(host->editorCalls.size(), 1u);
    EXPECT_EQ(host->notices, kOneJobNotice);  // three customers refreshed on the way
    // The dated rows' pushes keep the shared tables open; never while the
    // editor waits on the user, nor after the import.
    EXPECT_EQ(host->sharedOpenAtEditor, std::vector<bool>{false});
    EXPECT_FALSE(D().IChartsTable.active());
    EXPECT_FALSE(D().ITasksTable2.active());

    view.stopAt = -1;
    view.shownOrder.clear();
    logic->FormClose();
    logic->Open(0);  // an empty list imports nothing
    logic->ImportAllQBJobsClick();
    EXPECT_EQ(view.status.last(), "0 Jobs imported");
}

// A run of dated rows is written in one batch and pushed once; a Stop in the
// middle keeps, and shares, the rows before it.
TEST_F(ImportQBJobsTest, ADatedRunIsPushedOnceAndAStopSharesWhatWasImported)
{
    ShowList();
    view.shownOrder = {IndexOf("Ashdown Farms:Barn roof"), IndexOf("brook lane:Same day"),
                       IndexOf("brook lane:Swapped"), IndexOf("Cole & Sons:Yard")};
    view.stopAt = 3;
    logic->ImportAllQBJobsClick();
    EXPECT_EQ(view.status.last(), "3 Jobs imported");
    EXPECT_EQ(host->addThenPushCalls, 1);
    EXPECT_FALSE(D().IChartsTable.active());

    // What another workstation finds in the shared tables.
    for (db::Table* shared : {&D().IChartsTable, &D().ITasksTable2}) {
        shared->open();
        for (int id : {2, 42, 43})
            EXPECT_TRUE(shared->locate("LISTID", db::Value(Id(id).toStdString())))
                << shared->tableName() << " lacks " << id;
        EXPECT_FALSE(shared->locate("LISTID", db::Value(Id(44).toStdString()))) << "after Stop";
        shared->close();
    }
    EXPECT_TRUE(LocateTask(Id(43)));
    EXPECT_FALSE(LocateTask(Id(44)));
}

TEST_F(ImportQBJobsTest, AJobGoesToItsOwnCustomerWhenThatCustomerIsNotListed)
{
    view.boxes[5] = false;  // Cole & Sons is inactive: its active job is listed right after brook lane
    ShowList();
    const int yard = IndexOf("Cole & Sons:Yard");
    EXPECT_EQ(logic->Rows()[static_cast<std::size_t>(yard)].ParentListID, Id(6));
    view.selected = yard;
    logic->ImportQBJobClick();
    ASSERT_TRUE(LocateTask(Id(44)));
    EXPECT_EQ(Count(D().CustomersTable2), 1);
    EXPECT_EQ(Text(D().CustomersTable2, "LISTID", db::Value(Id(6).toStdString()), "NAME"), "Cole & Sons");
    EXPECT_FALSE(Text(D().CustomersTable2, "LISTID", db::Value(Id(5).toStdString()), "NAME"));
    EXPECT_EQ(D().ChartsTable2.fieldByName("CUSTNAME").asString().substr(0, 11), "Cole & Sons");
}

TEST_F(ImportQBJobsTest, WithoutASelectionTheUserIsAskedToChooseOne)
{
    ShowList();
    view.selected.reset();
    logic->ImportQBJobClick();
    EXPECT_EQ(host->recorder.boxes, QStringList{"Tarnwick: Please select a client"});
    EXPECT_EQ(Count(D().ChartsTable2), 0);
    EXPECT_EQ(host->notices, kOneJobNotice);  // the views are brought up to date all the same
}

}  // namespace
}  // namespace tw::exchange
