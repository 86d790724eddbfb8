// A job imported from QuickBooks and sent back from the same tables: what
// QuickBooks holds afterwards is what it held before, on the XML link.
#include <gtest/gtest.h>

#include "exchange/qbexport/exportjob.h"
#include "importqbfixture.h"

namespace tw::exchange {
namespace {

using qb::test::Id;

// The export dialog's controls as plain values: one task, no item cost.
class PlainExportView : public qbexport::ExportJobView {
public:
    QStringList statuses;
    void ShowStatus(const QString& text) override { statuses << text; }
    void SetHintsShown(bool) override {}
    void ShowTask(const qbexport::TaskTexts&) override {}
    int ExportTypeIndex() const override { return qbexport::kSingleTask; }
    void SetExportTypeIndex(int) override {}
    void SetExportTypeEnabled(bool) override {}
    void SetJobPanelEnabled(bool) override {}
    bool ExportCostChecked() const override { return false; }
    void SetExportCostChecked(bool) override {}
    void SetMatchLabelEnabled(bool) override {}
    void SetMatchCountEnabled(bool) override {}
    void ShowMatchCount(int) override {}
    QString MatchCountText() const override { return QStringLiteral("4"); }
    void SetItemName(const QString&) override {}
    void ShowWindow() override {}
    void RestoreWindow() override {}
};

class NoSelectionHost : public qbexport::ExportJobHost {
public:
    bool SelectionInForce() const override { return false; }
    bool ResourceSearchActive() const override { return false; }
    std::string ResourceSearchFilter() const override { return {}; }
    bool RestrictTasksToCrew() const override { return false; }
    std::int32_t CurrentResourceId() const override { return 0; }
    float WorkingHoursBetween(std::int32_t, TDateTime, TDateTime) override { return 0; }
    void ShowQuickBooksSetup(bool) override {}
    void OpenHelpPage(const QString&) override {}
};

qb::CompanyData NotedCompany()
{
    qb::CompanyData d = qb::test::SampleCompany();
    for (qb::CustomerRet& c : d.customers)
        if (c.ListID == Id(2))
            c.Notes = QStringLiteral("Slates on site");
    return d;
}

class QbRoundTripTest : public ::testing::Test, public test::ImportQBFixture {
protected:
    QbRoundTripTest() : ImportQBFixture(NotedCompany()) { host->mode = qb::LinkMode::Xml; }

    // The job as QuickBooks keeps it now.
    qb::CustomerRet Job(const QString& listId)
    {
        QString error;
        auto company = qb::LocalCompany::Open(Company().Path(), &error);
        EXPECT_TRUE(company) << error.toStdString();
        for (const qb::CustomerRet& c : company->Data().customers)
            if (c.ListID == listId)
                return c;
        ADD_FAILURE() << "no " << listId.toStdString();
        return {};
    }
};

TEST_F(QbRoundTripTest, AnImportedJobSentBackKeepsItsNotesAsTheyWere)
{
    logic->Open(0);
    logic->ShowQBCustomersClick();
    for (const QBJobRow& row : logic->Rows())
        if (row.ListID == Id(2))
            view.selected = row.Index;
    logic->ImportQBJobClick();
    ASSERT_TRUE(view.status.contains("Ashdown Farms:Barn roof imported"))
        << view.status.join("|").toStdString();

    // The main window stands on the imported task and its customer, and the user sends it.
    D().CustomersTable.refresh();
    ASSERT_TRUE(D().CustomersTable.locate("LISTID", db::Value(Id(1).toStdString())));
    D().ChartsTable.refresh();
    ASSERT_TRUE(D().ChartsTable.locate("LISTID", db::Value(Id(2).toStdString())));
    PlainExportView exportView;
    NoSelectionHost mainWindow;
    qbexport::ExportJobToQB exporter({D().CustomersTable, D().ChartsTable, D().ChartsTable3, D().JobsTable2,
                                      D().CrewsTable2, D().ICrewsTable2, D().ParamsTable},
                                     {host->recorder, host->recorder, host->recorder, host->recorder,
                                      mainWindow, [this] { return host->CreateSessionManager(); }},
                                     exportView);
    exporter.Open(0, false);
    exporter.ExportJobClick();
    EXPECT_TRUE(host->recorder.boxes.isEmpty()) << host->recorder.boxes.join("|").toStdString();
    EXPECT_EQ(exportView.statuses.last(), "Barn roof exported");

    const qb::CustomerRet job = Job(Id(2));
    // The update reached it, and the notes came back as they went.
    EXPECT_EQ(job.EditSequence->toStdString(),
              Text(D().ChartsTable2, "LISTID", db::Value(Id(2).toStdString()), "JLID"));
    EXPECT_EQ(job.Notes, "Slates on site");
    EXPECT_EQ(job.Name, "Barn roof");
    exporter.FormClose();
}

}  // namespace
}  // namespace tw::exchange
