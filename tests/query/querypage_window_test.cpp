// The Add / Edit / Query page in the main window, on a schedule in a freshly
// started program folder: a restriction as the grids and the chart show it,
// and a removal as another workstation sees it.
#include "query/querypage.h"

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "app/windowlayout.h"
#include "chart/resourceallocationchart.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/cursormodel.h"
#include "exchange/importqmform.h"
#include "exchange/exportjobform.h"
#include "exchange/qb/sessionfactory.h"
#include "exchange/qbtestcompany.h"
#include "controls/status/fcstatusbar.h"
#include "settings/setupdialog.h"
#include "controls/tabs/fcpagecontrol.h"
#include "exchange/quillmarkfixture.h"
#include "controls/recordnavigator.h"
#include "platform/datetime/localetexts.h"
#include "platform/registry/registry.h"
#include "tasks/addtaskform.h"
#include "captionsfit.h"
#include "chartrows.h"
#include "sampleschedule.h"
#include "testapplication.h"
#include "utilitieswidgets.h"
#include "querypagefixture.h"
#include "workstation.h"
#include "support/december.h"
#include "support/qblink.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace tw::app {
namespace {

TEST_F(QueryPageTest, ARestrictionToAResourceShowsOnlyItsTasksInTheGridAndOnTheChart)
{
    QTableView* tasks = page->TasksGrid();
    EXPECT_EQ(Column(tasks), (std::vector<std::string>{"Fit units", "Paint walls", "Clear site"}));
    SelectRow(page->CrewsGrid(), "Ann");
    Find<controls::TFcCheckBox>("RestrictTasksToCrew")->ChangeState();

    EXPECT_EQ(Column(tasks), (std::vector<std::string>{"Fit units", "Paint walls"}));
    EXPECT_EQ(window.windowTitle(), "Ann task assignments");
    EXPECT_TRUE(window.Session().Query.QueryRestricted);
    EXPECT_FALSE(Find<QWidget>("JobsGrid")->isEnabled());
    EXPECT_GT(PaintedPixels(tasks, 0), 30);
    EXPECT_GT(PaintedPixels(tasks, 1), 30);
    EXPECT_LT(PaintedPixels(tasks, 2), 5) << "Bob's task is not shown";
    // Scrolling the resources grid runs the query for the next resource.
    SelectRow(page->CrewsGrid(), "Bob");
    EXPECT_EQ(Column(tasks), std::vector<std::string>{"Clear site"});
    SelectRow(page->CrewsGrid(), "Ann");

    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    EXPECT_EQ(ChartRows(), (std::vector<std::string>{"Fit units", "Paint walls"}));

    window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
    Find<controls::TFcCheckBox>("RestrictTasksToCrew")->ChangeState();
    EXPECT_EQ(Column(tasks).size(), 3u);
    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    EXPECT_EQ(ChartRows().size(), 3u);
}

TEST_F(QueryPageTest, ARemovedTaskIsGoneOnASecondWorkstation)
{
    schedule::test::TempFolder otherProgram;
    schedule::test::CreateProgramFolder(otherProgram.path());
    schedule::test::Workstation other(otherProgram.path(), window.Session().State.ScheduleFolder);
    ASSERT_TRUE(other.sync.PullChartUpdates(true));
    ASSERT_TRUE(other.ChartsTable.locate("CHARTSID", db::Value(double(paintWalls))));

    SelectRow(page->TasksGrid(), "Paint walls");
    {
        testing::YesToEveryQuestion yes;
        Find<controls::RecordNavigator>("TasksNavigator")
            ->ButtonOf(controls::RecordNavigator::Delete)
            ->click();
        EXPECT_EQ(yes.Answered, 1) << "the removal is asked for";
    }
    EXPECT_EQ(Column(page->TasksGrid()), (std::vector<std::string>{"Fit units", "Clear site"}));

    EXPECT_TRUE(other.sync.RemoveObsoleteTasks());
    other.ChartsTable.refresh();
    EXPECT_FALSE(other.ChartsTable.locate("CHARTSID", db::Value(double(paintWalls))));
    EXPECT_TRUE(other.ChartsTable.locate("CHARTSID", db::Value(double(fitUnits))));
    other.ICrewsTable2.refresh();
    EXPECT_FALSE(other.ICrewsTable2.locate("CHARTSID", db::Value(double(paintWalls))));
}

// Add on the tasks navigator proposes the job's next task for the resource
// selected in the resources grid; a double click edits the task.
TEST_F(QueryPageTest, TheTaskEditorOpensForANewTaskAndForTheSelectedOne)
{
    SelectRow(page->CrewsGrid(), "Bob");
    SelectRow(page->TasksGrid(), "Paint walls");
    Find<controls::RecordNavigator>("TasksNavigator")->ButtonOf(controls::RecordNavigator::Insert)->click();
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->findChild<QLineEdit*>("TaskDesc")->text(), "Kitchen task 4");
    EXPECT_EQ(editor->findChild<QLineEdit*>("Resource")->text(), "Bob");
    EXPECT_FALSE(window.Session().State.TablesBusy);
    editor->close();

    const QModelIndex paint = page->TasksGrid()->currentIndex();
    emit page->TasksGrid()->doubleClicked(paint);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->findChild<QLineEdit*>("TaskDesc")->text(), "Paint walls");
    editor->close();
}

// A new task is proposed where the current task ends, whatever the locale
// writes dates as (the process's own among them: the ctest runs of LocaleRuns
// start it under C.UTF-8, de_DE.UTF-8 and en_US.UTF-8): Fit units ends
// 7 December 11:00.
TEST_F(QueryPageTest, LocaleRunsANewTaskStartsWhereTheCurrentTaskEnds)
{
    for (const char* name : {"", "en_US", "de_DE"}) {
        SCOPED_TRACE(*name ? name : "the process's locale");
        locale::PinLocale(name);
        SelectRow(page->TasksGrid(), "Fit units");
        auto* navigator = Find<controls::RecordNavigator>("TasksNavigator");
        navigator->ButtonOf(controls::RecordNavigator::Insert)->click();
        tasks::TAddTask* editor = window.Features().Editor->Editor();
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->findChild<QDateTimeEdit*>("TaskStartDate")->date(), QDate(2026, 12, 7));
        EXPECT_EQ(editor->findChild<QDateTimeEdit*>("TaskStartTime")->time(), QTime(11, 0));
        editor->close();
    }
    locale::PinLocale("en_US");
}

// Tasks added one after another from this page rebuild the chart behind it
// each time: it holds each task's row once, the rows the Visualize page's own
// full build shows.
TEST_F(QueryPageTest, TasksAddedFromThisPageLeaveTheChartBehindItAsAFullBuildDoes)
{
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    for (const char* after : {"Clear site", "Kitchen task 4"}) {
        SCOPED_TRACE(after);
        SelectRow(page->TasksGrid(), after);
        Find<controls::RecordNavigator>("TasksNavigator")->ButtonOf(controls::RecordNavigator::Insert)->click();
        ASSERT_TRUE(editor->isVisible());
        auto* length = editor->findChild<QLineEdit*>("TaskLength");
        length->setText("1");
        emit length->textEdited(length->text());
        editor->findChild<controls::TFcBitBtn*>("AddTaskManual")->Click();
        ASSERT_FALSE(editor->isVisible());
    }
    const std::vector<std::string> behind = ChartRows();
    EXPECT_EQ(behind.size(), 5u);
    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    EXPECT_EQ(behind, ChartRows());
}

// The update poll stands aside while the task editor is open: a pull would
// bring another workstation's values under the user's unsaved edit. Every
// way the editor opens from the page sets the flag, every way out clears it.
TEST_F(QueryPageTest, TheTaskEditorKeepsThePollAsideWhileItIsOpen)
{
    const bool& open = window.Session().Query.TaskEditorOpen;
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    const auto press = [editor](const char* button) {
        editor->findChild<controls::TFcBitBtn*>(QString::fromLatin1(button))->Click();
    };
    SelectRow(page->CrewsGrid(), "Bob");
    SelectRow(page->TasksGrid(), "Paint walls");
    EXPECT_FALSE(open);

    // Add on the tasks navigator, then Cancel.
    Find<controls::RecordNavigator>("TasksNavigator")->ButtonOf(controls::RecordNavigator::Insert)->click();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_TRUE(open);
    press("Cancel");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(open);

    // A double click edits the task; Done saves it and closes.
    emit page->TasksGrid()->doubleClicked(page->TasksGrid()->currentIndex());
    ASSERT_TRUE(editor->isVisible());
    EXPECT_TRUE(open);
    editor->findChild<QLineEdit*>("TaskDesc")->setText("Paint walls twice");
    press("AddTaskManual");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(open);
    EXPECT_EQ(Column(page->TasksGrid()),
              (std::vector<std::string>{"Fit units", "Paint walls twice", "Clear site"}));

    // The window's close button, and the shutdown's closing of the dialogs.
    emit page->TasksGrid()->doubleClicked(page->TasksGrid()->currentIndex());
    EXPECT_TRUE(open);
    editor->close();
    EXPECT_FALSE(open);
    emit page->TasksGrid()->doubleClicked(page->TasksGrid()->currentIndex());
    EXPECT_TRUE(open);
    window.Features().Pages->CloseDialogs();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(open);
}

// At the window's default size the tab and the Utilities tab beside it
// show every caption whole, "Restrict to selected…" four times among them.
TEST_F(QueryPageTest, AtTheDefaultSizeNoCaptionIsCut)
{
    window.resize(927, 758);
    SelectRow(page->CrewsGrid(), "Ann");
    Find<controls::TFcCheckBox>("RestrictTasksToCrew")->ChangeState();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(927, 758));
    // The schedule started empty; its customers are listed now.
    EXPECT_EQ(page->findChild<QLabel*>(QStringLiteral("CustomersLabel"))->text(), "All customers");
    testing::ExpectCaptionsWhole(page);
    testing::ExpectCaptionsWhole(window.findChild<controls::TFcBitBtn*>("Tutorial")->parentWidget());
    if (const char* dir = std::getenv("TARNWICK_SCREENSHOTS"))
        window.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/add-edit-query.png"));

    window.TabControl()->setCurrentIndex(TMainScreen::UtilitiesPage);
    QApplication::processEvents();
    testing::ExpectCaptionsWhole(window.TabControl()->widget(TMainScreen::UtilitiesPage));
}

// A screen reader's toggle of a box or a choice acts as the user's click:
// "Show all" puts another customer's job on the chart, and every box and
// choice of the tab reaches the query.
TEST_F(QueryPageTest, BoxesAndChoicesToggledByAScreenReaderActAsClicks)
{
    examples::AddSampleTask(window, ann, {"Brook", "Porch", "Sand floor", Day(8, 13), 1});
    db::Table& customers = window.Session().Data().CustomersTable;
    customers.refresh();
    ASSERT_TRUE(customers.locate("NAME", db::Value(std::string("Ames"))));
    window.Features().Query->ApplyCustomerQuery();
    const auto toggle = [this](const char* name, QAccessible::Role role) {
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(Find<QWidget>(name));
        EXPECT_EQ(item->role(), role) << name;
        item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
        return item->state().checked;
    };
    const auto onChart = [this](const std::string& task) {
        window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        const std::vector<std::string> rows = ChartRows();
        window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        return std::find(rows.begin(), rows.end(), task) != rows.end();
    };
    const query::RestrictionBoxes& boxes = page->Logic().Controls().Boxes;
    ASSERT_FALSE(onChart("Sand floor"));
    ASSERT_TRUE(onChart("Fit units"));

    EXPECT_TRUE(toggle("RestrictToActive", QAccessible::CheckBox));
    EXPECT_TRUE(boxes.RestrictToActive);
    EXPECT_TRUE(onChart("Sand floor"));
    EXPECT_TRUE(onChart("Fit units"));
    EXPECT_FALSE(toggle("RestrictToActive", QAccessible::CheckBox));
    EXPECT_FALSE(boxes.RestrictToActive);
    EXPECT_FALSE(onChart("Sand floor"));

    EXPECT_TRUE(toggle("RestrictByDate", QAccessible::CheckBox));
    EXPECT_TRUE(boxes.RestrictByDate);
    EXPECT_TRUE(window.Session().Query.QueryRestricted);
    EXPECT_FALSE(toggle("RestrictByDate", QAccessible::CheckBox));
    EXPECT_FALSE(boxes.RestrictByDate);

    EXPECT_TRUE(toggle("RestrictToSelectedStatus", QAccessible::CheckBox));
    EXPECT_TRUE(boxes.RestrictToSelectedStatus);
    EXPECT_TRUE(Find<QWidget>("TaskStatus")->isEnabled());
    EXPECT_TRUE(toggle("TaskStatus5", QAccessible::RadioButton));
    EXPECT_EQ(page->Logic().Controls().TaskStatus, 5);
    EXPECT_FALSE(toggle("RestrictToSelectedStatus", QAccessible::CheckBox));

    EXPECT_TRUE(toggle("ResourceDisplayByTask", QAccessible::RadioButton));
    EXPECT_EQ(page->Logic().Controls().ResourceDisplay, 1);
    EXPECT_TRUE(toggle("ResourceDisplayAll", QAccessible::RadioButton));
    EXPECT_EQ(page->Logic().Controls().ResourceDisplay, 0);

    EXPECT_TRUE(toggle("ChartSortBy2_1", QAccessible::RadioButton));
    EXPECT_EQ(window.Session().Chart.ChartSortBy, 1);
}

// A second resource on a task, then the list of the task's resources.
TEST_F(QueryPageTest, AddResourceGivesTheTaskAFurtherResource)
{
    auto* add = Find<controls::TFcBitBtn>("AddResource");
    auto* remove = Find<controls::TFcBitBtn>("RemoveResource");
    EXPECT_EQ(add->Caption(), "Add resource");
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    SelectRow(page->TasksGrid(), "Clear site");
    SelectRow(page->CrewsGrid(), "Ann");
    add->Click();
    db::Table& rows = window.Session().Data().ICrewsTable2;
    rows.refresh();
    EXPECT_TRUE(rows.locate("CHARTSID;CREWID", {db::Value(double(clearSite)), db::Value(double(ann))}));
    EXPECT_TRUE(rows.locate("CHARTSID;CREWID", {db::Value(double(clearSite)), db::Value(double(bob))}));

    Find<controls::TFcRadioButton>("ResourceDisplayByTask")->SetChecked(true);
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
}

// A click on a title keeps each column's own width in the settings file.
TEST_F(QueryPageTest, TheTasksGridsColumnWidthsAreKept)
{
    QHeaderView* header = page->TasksGrid()->horizontalHeader();
    const int widths[4] = {0, 140, 150, 160};
    for (int column = 1; column < 4; ++column)
        header->resizeSection(column, widths[column]);
    emit header->sectionClicked(2);
    registry::TRegistry reg(user.RegistryFile());
    reg.SetRootKey(registry::RootKey::LocalMachine);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kVersionKey));
    for (int column = 1; column < 4; ++column)
        EXPECT_EQ(reg.ReadString("tcw" + std::to_string(column)), std::to_string(widths[column])) << column;
    EXPECT_EQ(reg.ReadString("tcw0"), std::to_string(header->sectionSize(0)));
    EXPECT_TRUE(page->Logic().TasksGridColumnsUserSized());
}

}  // namespace
}  // namespace tw::app

namespace tw::app {
namespace {

// "Import from Quillmark" beside the accounting buttons: on while nothing
// restricts the page, off under a restriction and in a read-only copy, and a
// click opens the import window, which without a Quillmark database says so.
TEST_F(QueryPageTest, ImportFromQuillmarkOpensTheImportWindow)
{
    auto* button = Find<controls::TFcBitBtn>("ImportFromQM");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "Import from Quillmark");
    EXPECT_EQ(button->toolTip(), "Import customer : job : tasks from Quillmark");
    EXPECT_EQ(button->parentWidget(), Find<controls::TFcBitBtn>("ImportFromQB")->parentWidget());
    EXPECT_TRUE(button->isEnabled());
    auto* byDate = Find<controls::TFcCheckBox>("RestrictByDate");
    byDate->ChangeState();
    EXPECT_FALSE(button->isEnabled());
    QTest::keyClick(byDate, Qt::Key_Space);
    ASSERT_TRUE(button->isEnabled());

    window.Session().State.EstimatorAlias.clear();
    button->Click();
    exchange::TImportQM* importWindow = window.Features().Exchange->ImportQM();
    ASSERT_NE(importWindow, nullptr);
    EXPECT_TRUE(importWindow->isVisible());
    EXPECT_EQ(importWindow->windowTitle(), "Import Quillmark job");
    auto* import = importWindow->findChild<controls::TFcBitBtn*>(QStringLiteral("ImportFromQM"));
    ASSERT_NE(import, nullptr);
    const std::size_t before = recorder.Boxes.size();
    import->Click();
    ASSERT_EQ(recorder.Boxes.size(), before + 1);
    EXPECT_EQ(recorder.Boxes.back().Text, "The Quillmark database must be selected before import");
    EXPECT_EQ(recorder.Boxes.back().Caption, "Tarnwick");
    EXPECT_EQ(recorder.Boxes.back().Icon, MessageIcon::Stop);
    EXPECT_FALSE(window.Session().State.TablesBusy);
    importWindow->close();
}

TEST_F(QueryPageTest, AReadOnlyCopyCannotImportFromQuillmark)
{
    auto* button = Find<controls::TFcBitBtn>("ImportFromQM");
    ASSERT_NE(button, nullptr);
    window.Features().Startup->ApplyReadOnlyAccess(true);
    EXPECT_FALSE(button->isEnabled());
    page->UpdateSelectControls();
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(window.Features().Exchange->ImportQM(), nullptr);
}

// The whole way from the page: the window lists the Quillmark database in
// use, and importing the current bid puts its sections on the schedule.
TEST_F(QueryPageTest, ABidImportedFromTheWindowReachesTheSchedule)
{
    test::QuillmarkFolders folders;
    window.Session().State.EstimatorAlias = "VAZOdiz";
    window.Session().State.EstimatorFolder = folders.qm;
    Find<controls::TFcBitBtn>("ImportFromQM")->Click();
    exchange::TImportQM* importWindow = window.Features().Exchange->ImportQM();
    ASSERT_NE(importWindow, nullptr);
    auto* companies = importWindow->findChild<QTableView*>(QStringLiteral("CustomerGrid"));
    auto* bids = importWindow->findChild<QTableView*>(QStringLiteral("BidGrid"));
    ASSERT_NE(companies, nullptr);
    ASSERT_NE(bids, nullptr);
    EXPECT_EQ(Column(companies),
              (std::vector<std::string>{"Alder Roofing", "Birch, Anna", "cedar works", "Dunmore, Pat"}));
    ASSERT_EQ(Column(bids), std::vector<std::string>{"Roof renewal"});
    bids->setCurrentIndex(bids->model()->index(0, 0));

    const std::size_t boxes = recorder.Boxes.size();
    importWindow->ImportFromQMClick();
    EXPECT_EQ(recorder.Boxes.size(), boxes);
    EXPECT_EQ(window.StatusText(0), "2 tasks added");
    EXPECT_FALSE(window.Session().State.TablesBusy);
    std::vector<std::string> imported;
    db::Table& charts = window.Session().Data().ChartsTable5;
    charts.refresh();
    for (charts.first(); !charts.eof(); charts.next())
        if (charts.fieldByName("JOBNAME").asString() == "Roof renewal" && !charts.fieldByName("JOB").asBoolean())
            imported.push_back(charts.fieldByName("DESC").asString());
    std::sort(imported.begin(), imported.end());
    EXPECT_EQ(imported, (std::vector<std::string>{"Gutters", "Roof"}));
    importWindow->close();
}

}  // namespace
}  // namespace tw::app

namespace tw::app {
namespace {

// "Export to QuickBooks" on the page: on unless the copy is read-only, and a
// click opens the export window on the task selected in the tasks grid.
TEST_F(QueryPageTest, ExportToQuickBooksOpensOnTheSelectedTask)
{
    auto* button = Find<controls::TFcBitBtn>("ExportToQB");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "Export to QuickBooks");
    page->UpdateSelectControls();
    ASSERT_TRUE(button->isEnabled());
    window.Session().Data().ChartsTable.locate("CHARTSID", db::Value(double(paintWalls)));
    button->Click();
    exchange::TExportJobToQB* exportWindow = window.Features().Exchange->ExportJobToQB();
    ASSERT_NE(exportWindow, nullptr);
    EXPECT_TRUE(exportWindow->isVisible());
    EXPECT_EQ(exportWindow->windowTitle(), "Export to QuickBooks");
    EXPECT_EQ(exportWindow->findChild<QLineEdit*>("TaskToExport")->text(), "Paint walls");
    EXPECT_EQ(exportWindow->findChild<QLineEdit*>("JobToExport")->text(), "Kitchen");
    EXPECT_EQ(exportWindow->findChild<QLineEdit*>("MatchingCharCount")->text(), "4");

    // "QuickBooks setup" opens the setup dialog on its accounting page.
    settings::TQMSetup& setup = window.Features().Utilities->SetupDialog();
    auto* pages = setup.findChild<controls::TFcPageControl*>("GeneralSetupTabs");
    pages->SetActivePage(setup.GeneralSetupTab());
    bool shown = false;
    QTimer::singleShot(0, &setup, [&] {
        shown = setup.isVisible() && pages->ActivePage() == setup.QuickBooksSetupTab();
        setup.reject();
    });
    exportWindow->findChild<controls::TFcBitBtn*>("CallQBSetup")->Click();
    EXPECT_TRUE(shown);
    exportWindow->close();

    window.Features().Startup->ApplyReadOnlyAccess(true);
    EXPECT_FALSE(button->isEnabled());
}

// The whole way as a new user goes it: the local company is the one the
// accounting program has open, and "Send to QuickBooks" adds the task's
// customer, job and the task itself, keeping their identities.
TEST_F(QueryPageTest, SendToQuickBooksAddsTheTaskToTheOpenCompany)
{
    qb::test::CompanyFolder company(qb::test::SampleCompany());
    ASSERT_TRUE(test::LinkLocalCompany(company.Path()));

    window.Session().Data().ChartsTable.locate("CHARTSID", db::Value(double(paintWalls)));
    Find<controls::TFcBitBtn>("ExportToQB")->Click();
    exchange::TExportJobToQB* exportWindow = window.Features().Exchange->ExportJobToQB();
    ASSERT_NE(exportWindow, nullptr);
    const std::size_t boxes = recorder.Boxes.size();
    exportWindow->findChild<controls::TFcBitBtn*>("ExportJob")->Click();
    for (std::size_t i = boxes; i < recorder.Boxes.size(); ++i)
        ADD_FAILURE() << (recorder.Boxes[i].Caption + ": " + recorder.Boxes[i].Text).toStdString();
    EXPECT_EQ(exportWindow->findChild<controls::TFcStatusBar*>("StatusBar")->PanelText(0), "Paint walls exported");
    db::Table& charts = window.Session().Data().ChartsTable2;
    charts.refresh();
    ASSERT_TRUE(charts.locate("CHARTSID", db::Value(double(paintWalls))));
    EXPECT_FALSE(charts.fieldByName("LISTID").asString().empty());
    EXPECT_FALSE(charts.fieldByName("JLID").asString().empty());
    EXPECT_FALSE(window.Session().State.TablesBusy);
    exportWindow->close();
}

}  // namespace
}  // namespace tw::app
