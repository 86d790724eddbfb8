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
         {{"CID", "1"}, {"NAME", customerName}, {"ADDR1", "4 Quay Street"}, {"CITY", "Portlow"},
          {"STATE", "ME"}, {"POSTAL", "04101"}, {"COUNTRY", "USA"}, {"PHONE1", "555-0199"},
          {"EMAIL1", "lena@marsh.example"}, {"CONTACT1", "Lena Marsh"}, {"CITY2", "Dunmore"}}},
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
         {{"CHARTSID", "100"}, {"CID", "1"}, {"JID", "10"}, {"DESC", "Tile splashback"}, {"HOURS", "2.3"},
          {"BIDID", "2"}}},
        {"Charts.DBF",
         {{"CHARTSID", "200"}, {"CID", "2"}, {"JID", "20"}, {"DESC", "Gutters"}, {"HOURS", "1.5"},
          {"BIDID", "5"}, {"NOTES", "Ladder on the van"}}},
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
              QStringList({"Accessing QuickBooks", "Adding MARSH, LENA to QuickBooks", "Marsh, Lena added to QB",
                           "Adding KITCHEN REFIT to QuickBooks", "Kitchen refit added to QB",
                           "Adding TILE SPLASHBACK to QuickBooks", "Tile splashback added to QB",
                           "Tile splashback exported"}));

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
    EXPECT_EQ(world_.view.statuses.mid(1), QStringList({"Updating job TILE SPLASHBACK to QuickBooks",
                                                        "Tile splashback updated in QB",
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
// next send's modify, for each edition; a customer name over 41 characters
// is cut, job and task names go whole, empty fields are sent empty, notes
// stay out of an add when empty and go into the modify even when empty.
TEST_F(ExportRunTest, RequestTextsOfWholeRunsMatchTheGoldenTexts)
{
    for (const char* edition : {"US", "CA"}) {
        SCOPED_TRACE(edition);
        ExportWorld w(qb::test::SampleCompany(QString::fromLatin1(edition)));
        Setup(w, Rows("Harbourside Property Management Association North",
                      "Replace gutters and downpipes, west sides"));
        w.recorder.edition = std::string(edition) == "US" ? 1 : 0;
        w.mode = qb::LinkMode::Xml;
        w.Start(1, 100);
        w.logic->Open(0, false);
        w.Send();
        QStringList texts = *w.sets;
        w.Send();
        texts << *w.sets;
        EXPECT_TRUE(w.recorder.boxes.isEmpty()) << w.recorder.boxes.join("\n").toStdString();
        const QString name = QStringLiteral(TW_EXCHANGE_GOLDEN_DIR "/export_run_%1.xml").arg(edition).toLower();
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

}  // namespace
}  // namespace tw::exchange::qbexport::test
