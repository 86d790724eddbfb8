// "Send to QuickBooks" against a local company: the adds of a customer, its
// job and the task as a customer:job:task sub-job, the update on later
// sends, the identities kept in the tables, the request texts as sent, and
// each failure with its message and nothing written half.
#include <gtest/gtest.h>

#include <QFile>

#include "exchange/qb/libraryerror.h"
#include "exportfixture.h"
#include "support/qbfaults.h"

namespace tw::exchange::qbexport::test {
namespace {

using tw::test::FixtureRow;
using tw::test::QbFaults;

const QString kUsOnly = QStringLiteral("Only US and Canadian QuickBooks are supported by Tarnwick");

// A customer QuickBooks does not know, with one job and a task on two
// resources; a second customer that QuickBooks knows as "Ashdown Farms".
std::vector<FixtureRow> Rows(const std::string& customerName = "Marsh, Lena",
                             const std::string& jobName = "Kitchen refit")
{
    return {
        {"customers.dbf",
         {{"CID", "1"},
          {"NAME", customerName},
          {"ADDR1", "4 Quay Street"},
          {"CITY", "Portlow"},
          {"STATE", "ME"},
          {"POSTAL", "04101"},
          {"COUNTRY", "USA"},
          {"PHONE1", "555-0199"},
          {"EMAIL1", "lena@marsh.example"},
          {"CONTACT1", "Lena Marsh"},
          {"CITY2", "Dunmore"}}},
        {"customers.dbf", {{"CID", "2"}, {"NAME", "Ashdown Farms"}}},
        {"jobs.dbf", {{"JID", "10"}, {"CID", "1"}, {"DESC", jobName}}},
        {"jobs.dbf", {{"JID", "20"}, {"CID", "2"}, {"DESC", "Barn roof"}}},
        {"crews.dbf", {{"CREWID", "1"}, {"DESC", "Dana Reed"}, {"RATE", "12.5"}}},
        {"crews.dbf", {{"CREWID", "2"}, {"DESC", "Evan Hale"}, {"RATE", "7.25"}}},
        {"crews.dbf", {{"CREWID", "3"}, {"DESC", "Flo Grant"}, {"RATE", "10.0001"}}},
        {"ICrews.DBF", {{"CREWID", "1"}, {"CHARTSID", "100"}}},
        {"ICrews.DBF", {{"CREWID", "2"}, {"CHARTSID", "100"}}},
        {"ICrews.DBF", {{"CREWID", "3"}, {"CHARTSID", "200"}}},
        {"Charts.DBF",
         {{"CHARTSID", "100"},
          {"CID", "1"},
          {"JID", "10"},
          {"DESC", "Tile splashback"},
          {"HOURS", "2.3"},
          {"BIDID", "2"}}},
        {"Charts.DBF",
         {{"CHARTSID", "200"},
          {"CID", "2"},
          {"JID", "20"},
          {"DESC", "Gutters"},
          {"HOURS", "1.5"},
          {"BIDID", "5"},
          {"NOTES", "Ladder on the van"}}},
        {"params.dbf", {{"MATCHC", "0"}, {"EXPORT", "F"}}},
    };
}

class ExportRunTest : public ::testing::Test {
protected:
    void SetUp() override { Setup(world_); }
    void Setup(ExportWorld& w, const std::vector<FixtureRow>& rows = Rows())
    {
        w.AddRows(rows);
        for (auto [id, sd, ed] : {std::tuple{100, At(2026, 3, 2, 8), At(2026, 3, 4, 12, 30)},
                                  std::tuple{200, At(2026, 3, 9, 9), At(2026, 3, 9, 10, 30)}})
            SetTimes(w, id, sd, ed);
    }
    static void SetTimes(ExportWorld& w, std::int32_t id, TDateTime sd, TDateTime ed)
    {
        w.SetField("Charts.DBF", "CHARTSID", id, "SD", std::to_string(sd));
        w.SetField("Charts.DBF", "CHARTSID", id, "ED", std::to_string(ed));
    }

    ExportWorld world_;
};

TEST_F(ExportRunTest, FirstSendAddsCustomerJobAndSubJobAndKeepsTheirIdentities)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    EXPECT_EQ(world_.view.texts.customer, "Marsh, Lena");
    EXPECT_EQ(world_.view.texts.job, "Kitchen refit");
    EXPECT_EQ(world_.view.texts.task, "Tile splashback");

    world_.Send();
    EXPECT_TRUE(world_.recorder.boxes.isEmpty()) << world_.recorder.boxes.join("\n").toStdString();
    EXPECT_EQ(world_.view.statuses,
              QStringList({"Accessing QuickBooks", "Adding MARSH, LENA to QuickBooks",
                           "Marsh, Lena added to QB", "Adding KITCHEN REFIT to QuickBooks",
                           "Kitchen refit added to QB", "Adding TILE SPLASHBACK to QuickBooks",
                           "Tile splashback added to QB", "Tile splashback exported"}));

    const qb::CompanyData company = world_.Company();
    const qb::CustomerRet* customer = world_.CompanyCustomer(company, "Marsh, Lena");
    const qb::CustomerRet* job = world_.CompanyCustomer(company, "Kitchen refit");
    const qb::CustomerRet* task = world_.CompanyCustomer(company, "Tile splashback");
    ASSERT_TRUE(customer && job && task);
    EXPECT_FALSE(customer->ParentRef);
    EXPECT_EQ(job->ParentRef->ListID, customer->ListID);
    EXPECT_EQ(task->ParentRef->ListID, job->ListID);
    EXPECT_EQ(task->JobStatus, qb::ENJobStatus::InProgress);
    EXPECT_EQ(task->JobStartDate, QDate(2026, 3, 2));
    EXPECT_EQ(task->JobEndDate, QDate(2026, 3, 4));
    EXPECT_EQ(task->BillAddress->Addr1, "Marsh, Lena");
    EXPECT_EQ(task->BillAddress->Addr2, "4 Quay Street");
    EXPECT_EQ(task->BillAddress->State, "ME");
    EXPECT_EQ(task->ShipAddress->City, "Dunmore");

    EXPECT_EQ(world_.Field("customers.dbf", "CID", 1, "LISTID"), customer->ListID->toStdString());
    EXPECT_EQ(world_.Field("customers.dbf", "CID", 1, "FULLNAME"), "Marsh, Lena");
    EXPECT_EQ(world_.Field("jobs.dbf", "JID", 10, "LISTID"), job->ListID->toStdString());
    EXPECT_EQ(world_.Field("jobs.dbf", "JID", 10, "FULLNAME"), "Marsh, Lena:Kitchen refit");
    EXPECT_EQ(world_.Field("Charts.DBF", "CHARTSID", 100, "LISTID"), task->ListID->toStdString());
    EXPECT_EQ(world_.Field("Charts.DBF", "CHARTSID", 100, "JLID"), task->EditSequence->toStdString());
}

TEST_F(ExportRunTest, NextSendUpdatesTheSubJobWithTheTasksChanges)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    world_.Send();
    const std::string firstSequence = world_.Field("Charts.DBF", "CHARTSID", 100, "JLID");

    // A second send in the same sitting finds all three and updates.
    world_.Send();
    EXPECT_EQ(world_.view.statuses.mid(1),
              QStringList({"Updating job TILE SPLASHBACK to QuickBooks", "Tile splashback updated in QB",
                           "Tile splashback exported"}));
    const std::string secondSequence = world_.Field("Charts.DBF", "CHARTSID", 100, "JLID");
    EXPECT_NE(secondSequence, firstSequence);

    // The task is renamed, moved, given notes and closed; the dialog opened again carries it all.
    world_.logic->FormClose();
    world_.SetField("Charts.DBF", "CHARTSID", 100, "DESC", "Tiles and grout");
    world_.SetField("Charts.DBF", "CHARTSID", 100, "NOTES", "Grey grout");
    world_.SetField("Charts.DBF", "CHARTSID", 100, "BIDID", "1");
    SetTimes(world_, 100, At(2026, 4, 6, 8), At(2026, 4, 7, 17));
    world_.ChartsTable.refresh();
    world_.ChartsTable.locate("CHARTSID", db::Value(100.0));
    world_.logic->Open(0, false);
    world_.Send();
    EXPECT_EQ(world_.view.statuses.last(), "Tiles and grout exported");
    const qb::CompanyData company = world_.Company();
    EXPECT_FALSE(world_.CompanyCustomer(company, "Tile splashback"));
    const qb::CustomerRet* task = world_.CompanyCustomer(company, "Tiles and grout");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->Notes, "Grey grout");
    EXPECT_EQ(task->JobStatus, qb::ENJobStatus::Closed);
    EXPECT_EQ(task->JobStartDate, QDate(2026, 4, 6));
    EXPECT_EQ(task->JobProjectedEndDate, QDate(2026, 4, 7));
    EXPECT_EQ(world_.Field("Charts.DBF", "CHARTSID", 100, "JLID"), task->EditSequence->toStdString());
}

// Whole runs as the product reads them: the first send's three adds and the
// next send's modify, for each edition; customer, job and task names over 41
// characters are cut (the task's description keeps its whole text), empty
// fields are sent empty, notes stay out of an add when empty and go into the
// modify even when empty.
TEST_F(ExportRunTest, RequestTextsOfWholeRunsMatchTheGoldenTexts)
{
    for (const char* edition : {"US", "CA"}) {
        SCOPED_TRACE(edition);
        ExportWorld w(qb::test::SampleCompany(QString::fromLatin1(edition)));
        Setup(w,
              Rows("Harbourside Property Management Association North",
                   "Replace gutters and downpipes, west sides"));
        w.SetField("Charts.DBF", "CHARTSID", 100, "DESC",
                   "Tile splashback behind the range, grouted in grey");
        w.recorder.edition = std::string(edition) == "US" ? 1 : 0;
        w.mode = qb::LinkMode::Xml;
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.Send();
        QStringList texts = *w.sets;
        w.Send();
        texts << *w.sets;
        EXPECT_TRUE(w.recorder.boxes.isEmpty()) << w.recorder.boxes.join("\n").toStdString();
        const QString name =
            QStringLiteral(TW_EXCHANGE_GOLDEN_DIR "/export_run_%1.xml").arg(edition).toLower();
        const QString actual = texts.join(QStringLiteral("\n"));
        if (qEnvironmentVariableIsSet("TW_WRITE_GOLDEN")) {
            QFile f(name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(actual.toUtf8());
            continue;
        }
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(actual.toStdString(), QString::fromUtf8(f.readAll()).toStdString());
        EXPECT_EQ(w.logic->State().CustomerName, "Harbourside Property Management Associati");
    }
}

// Job and task texts over the 41 characters a QuickBooks name holds are cut
// to a name as the customer's is, and kept whole in the description. A second
// task whose cut name its job already has is refused in QuickBooks's words.
TEST_F(ExportRunTest, LongJobAndTaskTextsAreCutToANameAndKeptWholeInTheDescription)
{
    const QString job = QStringLiteral("Replace the slate roof over the north wing, phase one");
    const QString task = QStringLiteral("Strip the old slates and battens from the north slope first");
    ExportWorld w;
    Setup(w, Rows("Marsh, Lena", job.toStdString()));
    w.SetField("Charts.DBF", "CHARTSID", 100, "DESC", task.toStdString());
    w.AddRows(
        {{"Charts.DBF",
          {{"CHARTSID", "300"}, {"CID", "1"}, {"JID", "10"}, {"DESC", (task + " again").toStdString()}}}});
    SetTimes(w, 300, At(2026, 3, 5, 8), At(2026, 3, 5, 12));
    w.mode = qb::LinkMode::Xml;
    w.Start(1, 100);
    w.logic->Open(0, false);
    w.Send();
    EXPECT_TRUE(w.recorder.boxes.isEmpty()) << w.recorder.boxes.join("\n").toStdString();
    EXPECT_EQ(w.view.statuses.last(), task + " exported");
    qb::CompanyData company = w.Company();
    const qb::CustomerRet* addedJob = w.CompanyCustomer(company, job.left(41));
    const qb::CustomerRet* addedTask = w.CompanyCustomer(company, task.left(41));
    ASSERT_TRUE(addedJob && addedTask);
    EXPECT_EQ(addedJob->JobDesc, job);
    EXPECT_EQ(addedTask->JobDesc, task);
    EXPECT_EQ(addedTask->ParentRef->ListID, addedJob->ListID);
    EXPECT_EQ(w.Field("jobs.dbf", "JID", 10, "FULLNAME"), "Marsh, Lena:" + job.left(41).toStdString());

    w.Send();  // found by its identity and updated under the same cut name
    EXPECT_TRUE(w.recorder.boxes.isEmpty()) << w.recorder.boxes.join("\n").toStdString();
    EXPECT_EQ(w.view.statuses.mid(1),
              QStringList({"Updating job " + task.toUpper() + " to QuickBooks", task + " updated in QB",
                           task + " exported"}));

    w.logic->FormClose();
    w.ChartsTable.locate("CHARTSID", db::Value(300.0));
    w.logic->Open(0, false);
    w.Send();
    EXPECT_EQ(w.recorder.boxes,
              QStringList{"QuickBooks error: The name \"" + task.left(41)
                          + "\" of the list element is already in use."});
    EXPECT_EQ(w.view.statuses.last(), task + " again not exported");
    EXPECT_EQ(w.Field("Charts.DBF", "CHARTSID", 300, "LISTID"), "");
    company = w.Company();
    // The first task's sub-job is untouched.
    EXPECT_EQ(w.CompanyCustomer(company, task.left(41))->JobDesc, task);
}

// The dialog keeps what it loaded: the main window's views moved to another
// customer, task and job meanwhile receive nothing, and the requests carry
// the loaded customer's fields and the loaded task's dates and status.
TEST_F(ExportRunTest, IdentitiesLandOnTheLoadedRecordsWhereverTheViewsStand)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    world_.CustomersTable.locate("CID", db::Value(2.0));
    world_.ChartsTable.locate("CHARTSID", db::Value(200.0));
    world_.JobsTable2.locate("JID", db::Value(20.0));
    world_.Send();

    EXPECT_EQ(world_.Field("customers.dbf", "CID", 2, "LISTID"), "");
    EXPECT_EQ(world_.Field("jobs.dbf", "JID", 20, "LISTID"), "");
    EXPECT_EQ(world_.Field("Charts.DBF", "CHARTSID", 200, "LISTID"), "");
    EXPECT_NE(world_.Field("customers.dbf", "CID", 1, "LISTID"), "");
    EXPECT_NE(world_.Field("jobs.dbf", "JID", 10, "LISTID"), "");
    EXPECT_NE(world_.Field("Charts.DBF", "CHARTSID", 100, "JLID"), "");
    const qb::CompanyData company = world_.Company();
    const qb::CustomerRet* task = world_.CompanyCustomer(company, "Tile splashback");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->BillAddress->Addr2, "4 Quay Street");
    EXPECT_EQ(task->JobStatus, qb::ENJobStatus::InProgress);
    EXPECT_EQ(task->JobStartDate, QDate(2026, 3, 2));
    EXPECT_FALSE(task->Notes);
}

TEST_F(ExportRunTest, ARecordDeletedMeanwhileEndsTheRunBeforeAnythingIsSent)
{
    struct Case {
        const char* table;
        const char* key;
        std::int32_t id;
        const char* box;
    };
    const Case cases[] = {
        {"customers.dbf", "CID", 1, "Tarnwick: Marsh, Lena no longer exists"},
        {"jobs.dbf", "JID", 10, "Tarnwick: Kitchen refit no longer exists"},
        {"Charts.DBF", "CHARTSID", 100, "Tarnwick: Tile splashback no longer exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        ExportWorld w;
        Setup(w);
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.Delete(c.table, c.key, c.id);
        w.Send();
        EXPECT_EQ(w.recorder.boxes, QStringList{c.box});
        EXPECT_TRUE(w.calls->isEmpty()) << w.calls->join(",").toStdString();
        EXPECT_EQ(w.Field("customers.dbf", "CID", 1, "LISTID"), c.id == 1 ? "<none>" : "");
    }
}

// A job that QuickBooks knows by its full name but that the job table holds
// without identity is given its own ListID, never the customer's.
TEST_F(ExportRunTest, AJobWithoutIdentityGetsItsOwnListIDAfterTheSubJobAdd)
{
    world_.SetField("Charts.DBF", "CHARTSID", 200, "DESC", "Ridge tiles");
    world_.Start(2, 200);
    world_.logic->Open(0, false);
    world_.Send();
    EXPECT_TRUE(world_.recorder.boxes.isEmpty()) << world_.recorder.boxes.join("\n").toStdString();
    EXPECT_EQ(
        world_.view.statuses.mid(1),
        QStringList({"Adding RIDGE TILES to QuickBooks", "Ridge tiles added to QB", "Ridge tiles exported"}));
    EXPECT_EQ(world_.Field("jobs.dbf", "JID", 20, "LISTID"), qb::test::Id(2).toStdString());
    const qb::CompanyData company = world_.Company();
    const qb::CustomerRet* task = world_.CompanyCustomer(company, "Ridge tiles");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->ParentRef->ListID, qb::test::Id(2));
    EXPECT_EQ(task->Notes, "Ladder on the van");
}

// A job the company refuses leaves the task without a parent: it is not
// sent, so it cannot become a customer of its own.
TEST_F(ExportRunTest, AFailedJobAddSendsNoTaskWithoutParent)
{
    ExportWorld w;
    Setup(w, Rows("Marsh, Lena", "Gutters: west side"));  // a colon QuickBooks refuses in a name
    w.Start(1, 100);
    w.logic->Open(0, false);
    w.Send();
    ASSERT_EQ(w.recorder.boxes.size(), 1);
    EXPECT_TRUE(w.recorder.boxes[0].startsWith(
        "QuickBooks error: There was an error when saving a Customers list, element \"Gutters: west side\""))
        << w.recorder.boxes[0].toStdString();
    EXPECT_EQ(w.view.statuses.last(), "Tile splashback not exported");
    int adds = 0;
    for (const QString& text : *w.sets)
        adds += text.contains("<CustomerAddRq>");
    EXPECT_EQ(adds, 2);  // the customer, then the refused job
    const qb::CompanyData company = w.Company();
    EXPECT_TRUE(w.CompanyCustomer(company, "Marsh, Lena"));
    EXPECT_FALSE(w.CompanyCustomer(company, "Tile splashback"));
    EXPECT_EQ(w.Field("jobs.dbf", "JID", 10, "LISTID"), "");
    EXPECT_EQ(w.Field("Charts.DBF", "CHARTSID", 100, "LISTID"), "");
}

// A library error in a request routine reaches the user, and the closing
// text says that the task did not reach QuickBooks.
TEST_F(ExportRunTest, ALibraryErrorInAnAddOrUpdateIsShownAndTheTaskIsNotExported)
{
    const QString box = "QuickBooks error: The QuickBooks call DoRequests failed: Timed out";
    {
        ExportWorld w;
        Setup(w);
        w.throwOn = "CustomerAddRq";
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.Send();
        EXPECT_EQ(w.recorder.boxes, QStringList{box});
        EXPECT_EQ(w.view.statuses.last(), "Tile splashback not exported");
        EXPECT_EQ(w.Field("customers.dbf", "CID", 1, "LISTID"), "");
        EXPECT_TRUE(w.calls->contains("EndSession"));
    }
    {
        ExportWorld w;
        Setup(w);
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.Send();
        const std::string sequence = w.Field("Charts.DBF", "CHARTSID", 100, "JLID");
        w.throwOn = "CustomerModRq";
        w.Send();
        EXPECT_EQ(w.recorder.boxes, QStringList{box});
        EXPECT_EQ(w.view.statuses.last(), "Tile splashback not exported");
        EXPECT_EQ(w.Field("Charts.DBF", "CHARTSID", 100, "JLID"), sequence);
    }
}

// Stored identities that QuickBooks contradicts: nothing is added.
TEST_F(ExportRunTest, IdentitiesTheCompanyContradictsGiveTheShouldNotHappenBoxes)
{
    struct Case {
        const char* jobListId;
        const char* taskListId;
        const char* box;
    };
    const Case cases[] = {
        {"", "3", "Error 1: Should not happen"},
        {"2", "", "Error 2: Should not happen"},
        {"2", "3", "Error 3: Should not happen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        ExportWorld w;
        Setup(w);
        const auto id = [](const char* n) {
            return *n ? qb::test::Id(std::atoi(n)).toStdString() : std::string();
        };
        w.SetField("jobs.dbf", "JID", 10, "LISTID", id(c.jobListId));
        w.SetField("Charts.DBF", "CHARTSID", 100, "LISTID", id(c.taskListId));
        w.Start(1, 100);
        w.logic->Open(0, false);
        const std::size_t before = w.Company().customers.size();
        w.Send();
        EXPECT_EQ(w.recorder.boxes, QStringList{c.box});
        EXPECT_EQ(w.view.statuses.last(), "Tile splashback not exported");
        EXPECT_EQ(w.Company().customers.size(), before);
        EXPECT_EQ(w.Field("customers.dbf", "CID", 1, "LISTID"), "");
    }
}

// Each failure the company can be made to show: its boxes in order, and
// identities either written whole or not at all.
TEST_F(ExportRunTest, EveryFailureShowsItsTextAndWritesNothingHalf)
{
    struct Case {
        const char* name;
        qb::FaultScript faults;
        int edition;
        bool cost;
        QStringList boxes;
    };
    const QString refused = "The name \"Marsh, Lena\" of the list element is already in use.";
    const Case cases[] = {
        {"add refused",
         QbFaults().Status("CustomerAddRq", 3100, refused).Build(),
         1,
         false,
         {"QuickBooks error: " + refused}},
        {"look-up error",
         QbFaults().Status("CustomerQueryRq", 3180, "Cannot read the list").Build(),
         1,
         false,
         {"QuickBooks error: Cannot read the list"}},
        {"look-up throws",
         QbFaults().Throw(0x80040400, "Lost").Build(),
         1,
         false,
         {"QuickBooks error: The QuickBooks call DoRequests failed: Lost"}},
        {"no session",
         QbFaults().Code("BeginSession", 0x8004041D).Build(),
         1,
         false,
         {"Unable to establish QuickBooks session: Your QuickBooks is not running or logged into"}},
        {"other edition", {}, 2, false, {"QuickBooks advisory: " + kUsOnly}},
        {"no items",
         QbFaults().Status("ItemQueryRq", 1, "").Build(),
         1,
         true,
         {"QuickBooks advisory: No QuickBooks items found",
          "Tarnwick: Unable to find matching QuickBooks item"}},
        {"item refused",
         QbFaults().Status("ItemServiceModRq", 3200, "Out of date").Build(),
         1,
         true,
         {"QuickBooks error: Out of date", "Tarnwick: Unable to update QuickBooks item"}},
        {"item throws",
         {},
         1,
         true,
         {"QuickBooks error: The QuickBooks call DoRequests failed: Timed out",
          "Tarnwick: Unable to update QuickBooks item"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qb::CompanyData data = qb::test::SampleCompany();
        data.items.insert(data.items.begin(), qb::test::Item(40, qb::ENItemKind::Service, "Tile work", 1));
        ExportWorld w(data);
        Setup(w);
        w.recorder.edition = c.edition;
        if (std::string(c.name) == "item throws")
            w.throwOn = "ItemServiceModRq";
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.view.costChecked = c.cost;
        w.Send(c.faults);
        EXPECT_EQ(w.recorder.boxes, c.boxes);
        EXPECT_EQ(w.recorder.hourglasses, 0);
        // The item's refusals are read under the normal cursor, the session still open.
        for (qsizetype i = 0; i < c.boxes.size(); ++i)
            if (c.boxes[i].startsWith("Tarnwick: Unable"))
                EXPECT_EQ(w.recorder.hourglassesAtBoxes.at(static_cast<size_t>(i)), 0) << c.boxes[i].toStdString();
        for (auto [table, key, id, a, b] : {std::tuple{"customers.dbf", "CID", 1, "LISTID", "FULLNAME"},
                                            std::tuple{"jobs.dbf", "JID", 10, "LISTID", "FULLNAME"},
                                            std::tuple{"Charts.DBF", "CHARTSID", 100, "LISTID", "JLID"}})
            EXPECT_EQ(w.Field(table, key, id, a).empty(), w.Field(table, key, id, b).empty()) << table;
        if (c.cost)
            EXPECT_EQ(w.CompanyItem(w.Company(), "Tile work")->SalesOrPurchase->Price,
                      Currency::FromRaw(450000));
    }
}

TEST_F(ExportRunTest, AnUpdateAnsweredWithNothingFoundChangesNothing)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    world_.Send();
    const std::string sequence = world_.Field("Charts.DBF", "CHARTSID", 100, "JLID");
    world_.Send(QbFaults().Status("CustomerModRq", 1, "").Build());
    EXPECT_EQ(world_.recorder.boxes, QStringList{"QuickBooks advisory: No QuickBooks customers found"});
    EXPECT_EQ(world_.Field("Charts.DBF", "CHARTSID", 100, "JLID"), sequence);
    EXPECT_EQ(world_.view.statuses.last(), "Tile splashback not exported");
}

// Items for the cost: one of another kind and one that matches nothing
// ahead of the task's, a second match behind it, both price forms.
qb::CompanyData CostCompany()
{
    using qb::ENItemKind;
    using qb::test::Item;
    qb::CompanyData d = qb::test::SampleCompany();
    d.items.insert(d.items.begin(),
                   {Item(40, ENItemKind::Inventory, "Tile nails", 1),
                    Item(41, ENItemKind::Service, "Grout", 1), Item(42, ENItemKind::Service, "Tile work", 1),
                    Item(43, ENItemKind::Service, "Tiles, extra", 1),
                    Item(44, ENItemKind::OtherCharge, "Gutter clearing", 2),
                    Item(45, ENItemKind::OtherCharge, "Summary of labour", 1)});
    return d;
}

// The cost written into the matched item, read back from the company: the
// task's resources' rates times its hours, or the selection's working hours
// per resource, each product truncated to four decimals.
TEST_F(ExportRunTest, TheCostLandsInTheMatchedItemInItsPriceForm)
{
    enum class Choice { Single, OneResource, Search, Gathered };
    struct Case {
        const char* name;
        std::int32_t item;
        Choice choice;
        const char* target;
        std::int64_t raw;
        const char* status;
    };
    const Case cases[] = {
        {"two resources", 100, Choice::Single, "Tile work", 454250,
         "Tile splashback exported, QB item Tile work updated"},
        {"no resources", 300, Choice::Single, "Tile work", 0,
         "Tile trim exported, QB item Tile work updated"},
        {"truncated product", 200, Choice::Single, "Gutter clearing", 150001,
         "Gutters exported, QB item Gutter clearing updated"},
        {"restricted to one resource", 100, Choice::OneResource, "Summary of labour", 6562500,
         "Summary exported, QB item Summary of labour updated"},
        {"resource search", 100, Choice::Search, "Summary of labour", 3956251, nullptr},
        {"resources of the selection", 100, Choice::Gathered, "Summary of labour", 10518751, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportWorld w(CostCompany());
        std::vector<FixtureRow> rows = Rows();
        rows.push_back(
            {"Charts.DBF",
             {{"CHARTSID", "300"}, {"CID", "1"}, {"JID", "10"}, {"DESC", "Tile trim"}, {"HOURS", "3"}}});
        Setup(w, rows);
        w.host.selectionInForce = c.choice != Choice::Single;
        w.host.restrictToCrew = c.choice == Choice::OneResource;
        w.host.currentCrew = 1;
        w.host.searchActive = c.choice == Choice::Search;
        w.host.searchFilter = "(CREWID = 2) OR (CREWID = 3)";
        w.Start(1, c.item);
        w.logic->Open(0, false);
        w.view.costChecked = true;
        w.Send();
        EXPECT_TRUE(w.recorder.boxes.isEmpty()) << w.recorder.boxes.join("\n").toStdString();
        if (c.status)
            EXPECT_EQ(w.view.statuses.last(), c.status);
        const qb::CompanyData company = w.Company();
        const qb::ItemRet* item = w.CompanyItem(company, c.target);
        ASSERT_TRUE(item);
        const QString text = c.choice == Choice::Single ? w.logic->State().TaskText : QString("Summary");
        if (item->SalesOrPurchase) {
            EXPECT_EQ(item->SalesOrPurchase->Price, Currency::FromRaw(c.raw));
            EXPECT_EQ(item->SalesOrPurchase->Desc, text);
        } else {
            EXPECT_EQ(item->SalesAndPurchase->PurchaseCost, Currency::FromRaw(c.raw));
            EXPECT_EQ(item->SalesAndPurchase->SalesDesc, text);
            EXPECT_EQ(item->SalesAndPurchase->SalesPrice, Currency::FromRaw(650000));
        }
        // Only the first match of a service or other-charge kind is touched.
        for (const char* other : {"Tile nails", "Grout", "Tiles, extra"})
            EXPECT_EQ(w.CompanyItem(company, other)->SalesOrPurchase->Price, Currency::FromRaw(450000))
                << other;
        // The summary sends no customer, job or task.
        if (c.choice != Choice::Single)
            EXPECT_EQ(w.sets->size(), 2);
    }
}

// A stored count below 1 would match every name; it is read as 4.
TEST_F(ExportRunTest, AStoredMatchCountBelowOneIsReadAsFour)
{
    for (const char* stored : {"-3", "0"}) {
        SCOPED_TRACE(stored);
        ExportWorld w(CostCompany());
        Setup(w);
        w.SetParam("MATCHC", stored);
        w.Start(1, 100);
        w.logic->Open(0, false);
        EXPECT_EQ(w.view.count, 4);
        EXPECT_EQ(w.view.itemName, "Tile");
        w.view.costChecked = true;
        w.Send();
        const qb::CompanyData company = w.Company();
        EXPECT_EQ(w.CompanyItem(company, "Grout")->SalesOrPurchase->Price, Currency::FromRaw(450000));
        EXPECT_EQ(w.CompanyItem(company, "Tile work")->SalesOrPurchase->Price, Currency::FromRaw(454250));
    }
}

}  // namespace
}  // namespace tw::exchange::qbexport::test
