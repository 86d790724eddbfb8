// The "Export to QuickBooks" window as a user meets it: opened on a task
// with its settings, the summary when a selection is in force, the count's
// arrows kept within 1 to 20, a send against the local company with its
// status text, and the buttons that reach the main window. With
// TARNWICK_SCREENSHOTS set to a folder, the window leaves its picture there
// (docs/screenshots holds it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <cstdlib>

#include "controls/testapplication.h"
#include "exchange/exportjobform.h"
#include "exportfixture.h"
#include "platform/datetime/localetexts.h"
#include "ui_exportjobform.h"

namespace tw::exchange::qbexport::test {
namespace {

class ExportJobFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tw::locale::PinLocale("en_US");
        world_.AddRows({
            {"customers.dbf", {{"CID", "1"}, {"NAME", "Marsh, Lena"}, {"CITY", "Portlow"}}},
            {"jobs.dbf", {{"JID", "10"}, {"CID", "1"}, {"DESC", "Kitchen refit"}}},
            {"crews.dbf", {{"CREWID", "1"}, {"DESC", "Dana Reed"}, {"RATE", "12.5"}}},
            {"ICrews.DBF", {{"CREWID", "1"}, {"CHARTSID", "100"}}},
            {"Charts.DBF",
             {{"CHARTSID", "100"},
              {"CID", "1"},
              {"JID", "10"},
              {"DESC", "Tile splashback"},
              {"HOURS", "4"},
              {"BIDID", "2"}}},
            {"params.dbf", {{"MATCHC", "19"}, {"EXPORT", "F"}}},
        });
        world_.SetField("Charts.DBF", "CHARTSID", 100, "SD", std::to_string(At(2026, 3, 2, 8)));
        world_.SetField("Charts.DBF", "CHARTSID", 100, "ED", std::to_string(At(2026, 3, 2, 12)));
        world_.Start(1, 100);
        window_ = std::make_unique<TExportJobToQB>(world_.Tables(), world_.Services(world_.host));
    }

    void TearDown() override { window_.reset(); }
    void Click(QWidget* w) { static_cast<controls::TFcControl*>(w)->Click(); }

    controls::testing::ApplicationInUse application_;
    ExportWorld world_;
    std::unique_ptr<TExportJobToQB> window_;
};

TEST_F(ExportJobFormTest, OpensOnTheTaskAndSendsItToTheCompany)
{
    window_->Open(0, false);
    Ui::TExportJobToQB& ui = window_->Controls();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(window_->windowTitle(), "Export to QuickBooks");
    EXPECT_EQ(ui.CustomerToExport->text(), "Marsh, Lena");
    EXPECT_EQ(ui.JobToExport->text(), "Kitchen refit");
    EXPECT_EQ(ui.TaskToExport->text(), "Tile splashback");
    EXPECT_EQ(ui.StartDateTime->text(), "3/2/2026 8:00 AM");
    EXPECT_EQ(ui.EndDateTime->text(), "3/2/2026 12:00 PM");
    EXPECT_EQ(ui.MatchingCharCount->text(), "19");
    EXPECT_EQ(ui.ItemName->text(), "Tile splashback");
    EXPECT_FALSE(ui.ExportCost->Checked());
    EXPECT_FALSE(ui.Label17->isEnabled());
    EXPECT_EQ(ui.ExportType->ItemIndex(), kSingleTask);

    // The arrows stop at 20 and each step is saved.
    ui.ExportCost->ChangeState();
    ASSERT_TRUE(ui.Label17->isEnabled());
    QToolButton* up = ui.MatchCountUpDown->findChild<QToolButton*>("Up");
    QToolButton* down = ui.MatchCountUpDown->findChild<QToolButton*>("Down");
    for (int i = 0; i < 3; ++i)
        up->click();
    EXPECT_EQ(ui.MatchingCharCount->text(), "20");
    EXPECT_EQ(world_.Param("MATCHC"), "20");
    for (int i = 0; i < 17; ++i)
        down->click();
    EXPECT_EQ(ui.MatchingCharCount->text(), "3");
    EXPECT_EQ(ui.ItemName->text(), "Til");
    ui.ExportCost->ChangeState();

    Click(ui.ExportJob);
    EXPECT_TRUE(world_.recorder.boxes.isEmpty()) << world_.recorder.boxes.join("\n").toStdString();
    EXPECT_EQ(window_->Controls().StatusBar->PanelText(0), "Tile splashback exported");
    EXPECT_NE(world_.Field("Charts.DBF", "CHARTSID", 100, "JLID"), "");

    // The status text is painted: dark pixels in the status bar.
    const QImage image = window_->grab().toImage();
    const QRect bar = ui.StatusBar->geometry().adjusted(4, 4, -4, -4);
    int dark = 0;
    for (int y = bar.top(); y <= bar.bottom(); ++y)
        for (int x = bar.left(); x <= bar.left() + 150; ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
    if (const char* folder = std::getenv("TARNWICK_SCREENSHOTS"))
        window_->grab().save(QString::fromLocal8Bit(folder) + "/export-to-quickbooks.png");

    Click(ui.Done);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(world_.Param("EXPORT"), "False");
}

TEST_F(ExportJobFormTest, ASelectionInForceShowsTheSummary)
{
    world_.host.selectionInForce = true;
    window_->Open(1, true);
    Ui::TExportJobToQB& ui = window_->Controls();
    EXPECT_EQ(ui.ExportType->ItemIndex(), kResourceSummary);
    EXPECT_FALSE(ui.ExportType->isEnabled());
    EXPECT_FALSE(ui.JobPanel->isEnabled());
    EXPECT_TRUE(ui.ExportCost->Checked());
    EXPECT_EQ(ui.MatchingCharCount->text(), "7");
    EXPECT_FALSE(ui.MatchingCharCount->isEnabled());
    EXPECT_EQ(ui.ItemName->text(), "Summary");
    // Balloon help off: no hints.
    EXPECT_TRUE(ui.ExportJob->toolTip().isEmpty());
    EXPECT_TRUE(ui.MatchCountUpDown->toolTip().isEmpty());

    Click(ui.CallQBSetup);
    Click(ui.ExportCostHelp);
    EXPECT_EQ(world_.host.calls, QStringList({"setup restricted", "help Exporting.htm"}));
    window_->close();
    EXPECT_EQ(world_.Param("EXPORT"), "True");
}

}  // namespace
}  // namespace tw::exchange::qbexport::test
