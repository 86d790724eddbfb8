// "Import from QuickBooks" as a user meets it, through the real window
// against a local company: opening, the list by status boxes, sorting and
// importing the right row, "Import all" with its progress window and Stop,
// and the layout. With TARNWICK_SCREENSHOTS set to a folder, the window
// leaves its picture there (docs/screenshots holds it).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>

#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/status/fcstatusbar.h"
#include "controls/testapplication.h"
#include "exchange/importqbform.h"
#include "importqbfixture.h"
#include "ui_importqbform.h"

namespace tw::exchange {
namespace {

using qb::test::Id;

class ImportQBFormTest : public ::testing::Test, public test::ImportQBFixture {
protected:
    explicit ImportQBFormTest(const qb::CompanyData& company = qb::test::SampleCompany())
        : ImportQBFixture(company)
    {
        window = std::make_unique<TImportQB>(*data_, state_.Keys, host->Hosts());
        window->SetPlotColour(QColor(255, 255, 225));
    }
    Ui::TImportQB& U() { return window->Controls(); }
    QTreeWidget& List() { return *U().CustomerList; }
    QString Status() { return U().StatusBar->PanelText(0); }
    QTreeWidgetItem* RowOf(const char* job)
    {
        for (int i = 0; i < List().topLevelItemCount(); ++i)
            if (List().topLevelItem(i)->text(3) == QString::fromUtf8(job))
                return List().topLevelItem(i);
        return nullptr;
    }
    QStringList Column(int column)
    {
        QStringList texts;
        for (int i = 0; i < List().topLevelItemCount(); ++i)
            texts << List().topLevelItem(i)->text(column);
        return texts;
    }

    controls::testing::ApplicationInUse application;
    std::unique_ptr<TImportQB> window;
};

class ImportQBFormCanadaTest : public ImportQBFormTest {
protected:
    ImportQBFormCanadaTest() : ImportQBFormTest(qb::test::SampleCompany(QStringLiteral("CA"))) {}
};

TEST_F(ImportQBFormTest, OpensBesideTheTaskEditorWithItsTexts)
{
    host->taskEditorLeft = 1000;
    host->statusTexts = {"", "", "", "", "", "Quoted"};
    state_.AverageRate = 37.25;
    window->Open(0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Import from QuickBooks");
    EXPECT_EQ(window->x(), 200);
    EXPECT_EQ(window->size(), QSize(800, 550));  // raised to the least size
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(U().ListOptions->Items(),
              QStringList({"Quoted", "Awarded", "In progress", "Closed", "Not awarded", "Inactive", "None"}));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(U().ListOptions->ItemChecked(i)) << i;
    EXPECT_EQ(U().HourlyRate->text(), "37.25");
    EXPECT_TRUE(U().ImportEmployees->isEnabled());
    EXPECT_EQ(U().ImportQBJob->toolTip(), "Import the job selected below");
    EXPECT_EQ(List().palette().color(QPalette::Base), QColor(255, 255, 225));
    window->Open(1);  // open already: the hints stay as they were
    EXPECT_EQ(U().ImportQBJob->toolTip(), "Import the job selected below");
    window->close();
    window->Open(1);
    EXPECT_EQ(U().ImportQBJob->toolTip(), "");
}

TEST_F(ImportQBFormCanadaTest, TheEmployeeButtonIsGreyedForCanada)
{
    window->Open(0);
    EXPECT_FALSE(U().ImportEmployees->isEnabled());
}

// A fresh settings file holds the Canadian edition; the first session's
// edition check finds the company's own, and the button follows at once.
TEST_F(ImportQBFormTest, TheEmployeeButtonFollowsTheEditionTheFirstSessionFinds)
{
    host->recorder.edition = 0;
    window->Open(0);
    EXPECT_FALSE(U().ImportEmployees->isEnabled());
    U().ShowQBCustomers->Click();
    EXPECT_EQ(host->recorder.edition, 1);
    EXPECT_TRUE(U().ImportEmployees->isEnabled());
    U().ImportEmployees->Click();
    EXPECT_EQ(Status(), "1 employees from QuickBooks added to Tarnwick resource list");
}

TEST_F(ImportQBFormCanadaTest, TheEmployeeButtonGreysOnceTheSessionFindsACanadianCompany)
{
    host->recorder.edition = 1;
    window->Open(0);
    EXPECT_TRUE(U().ImportEmployees->isEnabled());
    U().ImportCustomers->Click();
    EXPECT_EQ(host->recorder.edition, 0);
    EXPECT_FALSE(U().ImportEmployees->isEnabled());
}

// The company file the setup names cannot be read: the box names it and says
// so, and no import claims QuickBooks had nothing to give.
TEST_F(ImportQBFormTest, ADamagedCompanyFileIsNamedAndNothingIsSaidFound)
{
    QFile file(Company().Dir() + "/Damaged Company.qbw");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Company().Bytes().left(200));
    file.close();
    host->openCompany.clear();
    host->recorder.companyFile = file.fileName();
    const QString box = "Unable to establish QuickBooks session: The QuickBooks company file \""
        + file.fileName() + "\" could not be read: it is damaged (";
    window->Open(0);
    struct Button {
        const char* name;
        controls::TFcBitBtn* button;
    };
    for (const Button& b : {Button{"employees", U().ImportEmployees},
                            Button{"customers", U().ImportCustomers}, Button{"list", U().ShowQBCustomers}}) {
        SCOPED_TRACE(b.name);
        host->recorder.boxes.clear();
        b.button->Click();
        ASSERT_EQ(host->recorder.boxes.size(), 1u);
        EXPECT_TRUE(host->recorder.boxes.front().startsWith(box))
            << host->recorder.boxes.front().toStdString();
        EXPECT_FALSE(Status().contains("found in QuickBooks")) << Status().toStdString();
    }
    EXPECT_EQ(Count(D().CrewsTable2), 0);
}

TEST_F(ImportQBFormTest, ListsSortsAndImportsTheRowTheUserChose)
{
    window->Open(0);
    U().ListOptions->SetItemChecked(5, false);  // "Inactive" off
    U().ShowQBCustomers->Click();
    EXPECT_EQ(Status(), "4 customers found");
    EXPECT_EQ(List().topLevelItemCount(), 4);
    EXPECT_EQ(Column(3), QStringList({"Ashdown Farms", "Barn roof", "Gutters", "brook lane"}));
    EXPECT_EQ(Column(5), QStringList({"No date", "3/2/2026", "No date", "No date"}));
    U().ListOptions->SetItemChecked(5, true);
    U().ShowQBCustomers->Click();
    EXPECT_EQ(Status(), "6 customers found");

    // Sorting by customer ignores letter case; by start puts "No date" last.
    List().sortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(Column(1).mid(0, 4),
              QStringList({"Ashdown Farms", "Ashdown Farms", "Ashdown Farms", "Ashdown Farms"}));
    EXPECT_EQ(Column(1).last(), "Cole & Sons");
    List().sortByColumn(5, Qt::AscendingOrder);
    EXPECT_EQ(Column(5).first(), "3/2/2026");
    List().sortByColumn(3, Qt::DescendingOrder);
    QTreeWidgetItem* barn = RowOf("Barn roof");
    ASSERT_NE(barn, nullptr);
    List().setCurrentItem(barn);
    U().HourlyRate->setText("30");
    U().ImportQBJob->Click();
    EXPECT_EQ(Status(), "Ashdown Farms:Barn roof imported");
    db::Table& charts = D().ChartsTable2;
    charts.refresh();
    ASSERT_TRUE(charts.locate("LISTID", db::Value(Id(2).toStdString())));
    EXPECT_DOUBLE_EQ(charts.fieldByName("COST").asFloat(), 30.0);
    U().ImportQBJob->Click();
    EXPECT_EQ(Status(), "Ashdown Farms:Barn roof has already been imported");
    if (const char* folder = std::getenv("TARNWICK_SCREENSHOTS")) {
        List().setCurrentItem(RowOf("Barn roof"));
        window->grab().save(QString::fromLocal8Bit(folder) + "/import-from-quickbooks.png");
    }

    List().clearSelection();
    List().setCurrentItem(nullptr);
    U().ImportQBJob->Click();
    EXPECT_EQ(host->recorder.boxes, QStringList{"Tarnwick: Please select a client"});
}

TEST_F(ImportQBFormTest, ImportAllShowsItsProgressAndStops)
{
    window->Open(0);
    U().ShowQBCustomers->Click();
    window->SetProgressDelay(0);
    QString shownText;
    bool otherWindowsBlocked = false;
    QTimer::singleShot(0, [&] {
        ASSERT_NE(window->ProgressWindow(), nullptr);
        otherWindowsBlocked = window->ProgressWindow()->isModal();
        shownText = window->ProgressWindow()->findChild<QLabel*>()->text();
        window->StopButton()->Click();
    });
    U().ImportAllQBJobs->Click();
    EXPECT_EQ(shownText, "0 of 6");
    EXPECT_TRUE(otherWindowsBlocked);
    EXPECT_EQ(window->ProgressWindow(), nullptr);
    EXPECT_EQ(Status(), "0 Jobs imported");
    EXPECT_EQ(Count(D().ChartsTable2), 0);
    EXPECT_FALSE(state_.TablesBusy);

    window->SetProgressDelay(60 * 60 * 1000);  // a quick run shows no progress window
    host->editorSaves = false;
    U().ImportAllQBJobs->Click();
    EXPECT_EQ(Status(), "1 Jobs imported");  // Barn roof; the undated rows were cancelled in the editor
    EXPECT_EQ(host->editorCalls.size(), 5u);
}

TEST_F(ImportQBFormTest, TheLayoutFollowsTheWindowsSize)
{
    window->Open(0);
    struct Case {
        QSize size, snapped;
        int listWidth, listHeight, otherTop, statusTop, taskColumn;
    };
    const Case cases[] = {
        {{600, 400}, {800, 550}, 730, 234, 393, 489, 186},
        {{1000, 700}, {1000, 700}, 930, 384, 543, 639, 253},
    };
    for (const Case& c : cases) {
        window->resize(c.size);
        EXPECT_EQ(window->size(), c.snapped);
        EXPECT_EQ(List().width(), c.listWidth);
        EXPECT_EQ(List().height(), c.listHeight);
        EXPECT_EQ(U().OtherImportsPanel->y(), c.otherTop);
        EXPECT_EQ(U().Done->y(), c.otherTop + 20);
        EXPECT_EQ(U().StatusBar->y(), c.statusTop);
        EXPECT_EQ(List().columnWidth(3), c.taskColumn);
        EXPECT_EQ(List().columnWidth(0), 40);
    }
}

}  // namespace
}  // namespace tw::exchange
