// The "Import Quillmark job" window as a user meets it: captions, the two
// restrictions, a click on a company, the import without a Quillmark
// database, and the layout at each size. With TARNWICK_SCREENSHOTS set to a
// folder, the window leaves its picture there (docs/screenshots holds it).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <cstdlib>

#include "controls/testapplication.h"
#include "exchange/importqmform.h"
#include "exchange/quillmarkfixture.h"
#include "platform/datetime/localetexts.h"
#include "support/exchangerecorder.h"
#include "ui_importqmform.h"

namespace tw::exchange {
namespace {

using quillmark::ImportQMLayoutFor;

QStringList Column(QTableView* grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << grid->model()->index(row, column).data().toString();
    return texts;
}

class ImportQMFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        folders.tables.CompanyTable.first();
        window = std::make_unique<TImportQM>(folders.tables, folders.Cursors(), host, recorder, recorder, keys);
        window->SetPlotColour(QColor(255, 255, 225));
        window->resize(800, 440);
    }
    void TearDown() override { window.reset(); }

    Ui::TImportQM& ui() { return window->Controls(); }

    void ClickCompany(const QString& name)
    {
        const int row = Column(ui().CustomerGrid, 0).indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QModelIndex index = ui().CustomerGrid->model()->index(row, 0);
        QTest::mouseClick(ui().CustomerGrid->viewport(), Qt::LeftButton, {},
                          ui().CustomerGrid->visualRect(index).center());
    }

    controls::testing::ApplicationInUse application;
    test::QuillmarkFolders folders;
    quillmark::QuillmarkTables& tables = folders.tables;
    test::SilentImportHost host;
    test::ExchangeRecorder recorder;
    data::RecordKeys keys;
    std::unique_ptr<TImportQM> window;
};

TEST_F(ImportQMFormTest, OpensWithItsCaptionsAndTheCurrentCompanysBids)
{
    window->Open(0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Import Quillmark job");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(ui().Label1->text(), "Quillmark customers");
    EXPECT_EQ(ui().Label2->text(), "Quillmark bids");
    EXPECT_FALSE(ui().RestrictToActive->Checked());
    EXPECT_FALSE(ui().RestrictToApproved->Checked());
    EXPECT_EQ(ui().ImportFromQM->Caption(), "Import from Quillmark");
    EXPECT_EQ(ui().Done->Caption(), "Done");
    EXPECT_EQ(ui().RestrictToActive->Caption(), "Restrict to active customers only");
    EXPECT_EQ(ui().RestrictToApproved->Caption(), "Restrict to approved bids only");
    EXPECT_EQ(ui().CustomerGrid->model()->headerData(0, Qt::Horizontal).toString(), "Customer");
    QStringList titles;
    for (int c = 0; c < 4; ++c)
        titles << ui().BidGrid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Description", "Date", "No.", "Approved"}));
    EXPECT_EQ(Column(ui().CustomerGrid, 0),
              (QStringList{"Alder Roofing", "Birch, Anna", "cedar works", "Dunmore, Pat"}));
    EXPECT_EQ(Column(ui().BidGrid, 0), QStringList{"Roof renewal"});
    EXPECT_EQ(Column(ui().BidGrid, 1), QStringList{"3/5/2026"});
    EXPECT_EQ(Column(ui().BidGrid, 3), QStringList{"True"});
    EXPECT_EQ(ui().BidGrid->toolTip(), "Select a bid before clicking Import from Quillmark");

    // The grids are drawn in the plot colour.
    QImage image = ui().CustomerGrid->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 4), QColor(255, 255, 225));
}

TEST_F(ImportQMFormTest, RestrictionsAndACompanyClickFilterTheLists)
{
    window->Open(2);
    // A check box takes a mouse click only in the active window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::mouseClick(ui().RestrictToActive, Qt::LeftButton);
    EXPECT_EQ(ui().Label1->text(), "Active Quillmark customers");
    EXPECT_EQ(Column(ui().CustomerGrid, 0), (QStringList{"Alder Roofing", "cedar works", "Dunmore, Pat"}));
    ClickCompany("Dunmore, Pat");
    EXPECT_EQ(Column(ui().BidGrid, 0), QStringList{"Porch"});
    QTest::mouseClick(ui().RestrictToActive, Qt::LeftButton);
    EXPECT_EQ(ui().Label1->text(), "Quillmark customers");
    ClickCompany("Birch, Anna");
    EXPECT_EQ(Column(ui().BidGrid, 0).size(), 1);
    QTest::mouseClick(ui().RestrictToApproved, Qt::LeftButton);
    EXPECT_EQ(ui().Label2->text(), "Approved Quillmark bids");
    EXPECT_TRUE(Column(ui().BidGrid, 0).isEmpty());

    // A second open while showing only restores: the ticks stay.
    window->Open(0);
    EXPECT_TRUE(ui().RestrictToApproved->Checked());
    // After closing, the next open starts afresh.
    window->close();
    window->Open(0);
    EXPECT_FALSE(ui().RestrictToApproved->Checked());
    EXPECT_EQ(ui().Label2->text(), "Quillmark bids");
}

TEST_F(ImportQMFormTest, KeyboardMovesDoNotRefilterTheBids)
{
    window->Open(0);
    ui().CustomerGrid->setFocus();
    QTest::keyClick(ui().CustomerGrid, Qt::Key_Down);
    EXPECT_EQ(tables.CompanyTable.fieldByName("NAME").asString(), "Birch, Anna");
    EXPECT_EQ(Column(ui().BidGrid, 0), QStringList{"Roof renewal"});
}

TEST_F(ImportQMFormTest, HelpLevelsSwitchHints)
{
    window->Open(1);
    EXPECT_TRUE(ui().BidGrid->toolTip().isEmpty());
    EXPECT_TRUE(ui().Done->toolTip().isEmpty());
    window->close();
    window->Open(2);
    EXPECT_TRUE(ui().BidGrid->toolTip().isEmpty());
    window->close();
    window->Open(0);
    EXPECT_EQ(ui().Done->toolTip(), "Close this window");
}

TEST_F(ImportQMFormTest, ImportWithoutAQuillmarkDatabaseSaysSo)
{
    host.alias.clear();
    window->Open(0);
    ui().ImportFromQM->Click();
    EXPECT_EQ(recorder.boxes, QStringList{"Tarnwick: The Quillmark database must be selected before import"});
    EXPECT_EQ(host.added, 0);
}

TEST_F(ImportQMFormTest, ImportOfTheSelectedBidReportsInBothPanels)
{
    window->Open(0);
    ui().ImportFromQM->Click();
    EXPECT_EQ(host.added, 2);
    EXPECT_EQ(window->StatusPanel(0).Caption(), "Roof renewal imported");
    EXPECT_EQ(window->StatusPanel(1).Caption(), "Paint has no labor hours");
    EXPECT_EQ(host.mainStatus, "2 tasks added");
    if (const char* folder = std::getenv("TARNWICK_SCREENSHOTS"))
        window->grab().save(QString::fromLocal8Bit(folder) + "/import-quillmark-job.png");
}

TEST_F(ImportQMFormTest, LayoutFollowsTheClientSize)
{
    struct Case {
        QSize client;
        QSize snapped;
        QRect customerGrid, bidGrid, statusBar, done;
        int firstColumn, panel;
    };
    const Case cases[] = {
        {{700, 400}, {800, 440}, {16, 40, 297, 226}, {336, 40, 410, 318}, {8, 377, 695, 19}, {708, 372, 75, 25},
         200, 337},
        {{1000, 600}, {1000, 600}, {16, 40, 297, 386}, {336, 40, 610, 478}, {8, 537, 895, 19},
         {908, 532, 75, 25}, 400, 437},
    };
    for (const Case& c : cases) {
        const auto l = ImportQMLayoutFor(c.client);
        EXPECT_EQ(l.Client, c.snapped);
        EXPECT_EQ(l.CustomerGrid, c.customerGrid);
        EXPECT_EQ(l.BidGrid, c.bidGrid);
        EXPECT_EQ(l.StatusBar, c.statusBar);
        EXPECT_EQ(l.Done, c.done);
        EXPECT_EQ(l.FirstBidColumn, c.firstColumn);
        EXPECT_EQ(l.StatusPanel, c.panel);
        EXPECT_EQ(l.RestrictToApproved.top(), l.RestrictToActive.bottom() + 1 + 10);
        EXPECT_EQ(l.ImportFromQM.top(), l.CustomerGrid.bottom() + 1 + 30);
    }
    window->Open(0);
    window->resize(700, 400);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(800, 440));
    EXPECT_EQ(ui().CustomerGrid->height(), 226);
    EXPECT_EQ(ui().BidGrid->size(), QSize(410, 318));
}

}  // namespace
}  // namespace tw::exchange
