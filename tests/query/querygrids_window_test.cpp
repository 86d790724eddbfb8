// The grids of the Add / Edit / Query page under the mouse and the keyboard:
// double clicks reach each grid's command, and names and rates typed into
// the jobs and resources grids are written where the reports and the other
// workstations read them.
#include "app/features/allfeatures.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/recordnavigator.h"
#include "tasks/addtaskform.h"
#include "reporttext.h"
#include "pressbutton.h"
#include "querypagefixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace tw::app {
namespace {

// A double click as the desktop delivers it: a press and release, then the
// second press as a double-click event and its release. Between the two the
// first click's handlers run, as they do for a user.
void DoubleClickRow(QTableView* grid, int row)
{
    QWidget* viewport = grid->viewport();
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
}

int RowOf(QTableView* grid, const std::string& text)
{
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        if (grid->model()->index(row, 0).data().toString().toStdString() == text)
            return row;
    ADD_FAILURE() << text << " is not in the grid";
    return -1;
}

// Types into the cell's editor and leaves it with the key given.
void TypeInto(QTableView* grid, int row, int column, const QString& text, Qt::Key leave)
{
    const QModelIndex cell = grid->model()->index(row, column);
    // Tab out of the cell before opens this one's editor already.
    if (!grid->indexWidget(cell)) {
        grid->setCurrentIndex(cell);
        grid->edit(cell);
    }
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(editor, nullptr) << column;
    editor->setText(text);
    QTest::keyClick(editor, leave);
    QCoreApplication::processEvents();  // the editor hands its text over once the key is done
}

TEST_F(QueryPageTest, ADoubleClickOnEachGridRunsItsCommand)
{
    // Tasks: the task opens in the editor, also when the click moved to it.
    QTableView* tasks = page->TasksGrid();
    DoubleClickRow(tasks, RowOf(tasks, "Paint walls"));
    tasks::TAddTask* editor = window.Features().Editor->Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->findChild<QLineEdit*>("TaskDesc")->text(), "Paint walls");
    editor->close();

    // Resources: the double-clicked one becomes the current task's primary resource.
    SelectRow(tasks, "Fit units");
    QTableView* crews = page->CrewsGrid();
    DoubleClickRow(crews, RowOf(crews, "Bob"));
    db::Table& charts = window.Session().Data().ChartsTable2;
    charts.refresh();
    ASSERT_TRUE(charts.locate("CHARTSID", db::Value(double(fitUnits))));
    EXPECT_EQ(charts.fieldByName("CREWID").asInteger(), bob);
    EXPECT_EQ(window.StatusText(1), "Bob assigned to Fit units");

    // Customers: the customer tab shows.
    QTableView* customers = Find<QTableView>("CustomerGrid");
    DoubleClickRow(customers, RowOf(customers, "Ames"));
    EXPECT_EQ(window.TabControl()->currentIndex(), CustomerTabPage);
}

// Clicks on the resource already selected, then a double click on it, as a
// user makes it the task's primary resource: no name editor opens in
// between to take the double click, not even once the double-click time is
// over; F2 starts the edit as in every other cell.
TEST_F(QueryPageTest, ClicksOnTheSelectedResourceDoNotRenameIt)
{
    SelectRow(page->TasksGrid(), "Fit units");
    QTableView* crews = page->CrewsGrid();
    const int row = RowOf(crews, "Bob");
    // Through the window system, as the desktop delivers a user's clicks.
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    const QPoint at = crews->viewport()->mapTo(&window, crews->visualRect(crews->model()->index(row, 0)).center());
    const auto pause = [] { QTest::qWait(QApplication::doubleClickInterval() + 100); };
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, at);
    pause();
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, at);
    pause();
    EXPECT_EQ(crews->indexWidget(crews->model()->index(row, 0)), nullptr) << "a click opened the name editor";
    QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, at);
    pause();
    EXPECT_EQ(crews->indexWidget(crews->model()->index(row, 0)), nullptr) << "the double click opened it";
    db::Table& charts = window.Session().Data().ChartsTable2;
    charts.refresh();
    ASSERT_TRUE(charts.locate("CHARTSID", db::Value(double(fitUnits))));
    EXPECT_EQ(charts.fieldByName("CREWID").asInteger(), bob);
    EXPECT_EQ(window.StatusText(1), "Bob assigned to Fit units");

    crews->setFocus();
    QTest::keyClick(crews, Qt::Key_F2);
    QWidget* nameEditor = crews->indexWidget(crews->currentIndex());
    ASSERT_NE(nameEditor, nullptr);
    QTest::keyClick(nameEditor, Qt::Key_Escape);
    EXPECT_EQ(RowOf(crews, "Bob"), row);
}

// A new resource named and priced in the grid: the shared table holds it,
// and a report of its task prints its name.
TEST_F(QueryPageTest, ATypedResourceNameReachesTheSharedTableAndTheReport)
{
    QTableView* crews = page->CrewsGrid();
    Find<controls::RecordNavigator>("CrewsNavigator")->ButtonOf(controls::RecordNavigator::Insert)->click();
    window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
    const int row = RowOf(crews, "New resource");
    ASSERT_GE(row, 0);
    TypeInto(crews, row, 0, QStringLiteral("Hall Painters"), Qt::Key_Return);
    TypeInto(crews, row, 1, QStringLiteral("ten"), Qt::Key_Return);
    // The poll's query leaves the row as typed.
    const std::size_t boxes = recorder.Boxes.size();
    page->ApplyQueryFilters();
    EXPECT_EQ(recorder.Boxes.size(), boxes);
    EXPECT_EQ(crews->model()->index(row, 1).data().toString(), "ten");
    // Leaving the row posts it: the name goes in, the rate that is no number is refused.
    SelectRow(crews, "Ann");
    ASSERT_EQ(recorder.Boxes.size(), boxes + 1);
    EXPECT_EQ(recorder.Boxes.back().Text, "Enter resource hourly rate");
    EXPECT_EQ(RowOf(crews, "New resource"), row) << "a refused row writes nothing";

    TypeInto(crews, row, 0, QStringLiteral("Hall Painters"), Qt::Key_Tab);
    TypeInto(crews, row, 1, QStringLiteral("42.50"), Qt::Key_Return);
    SelectRow(crews, "Ann");
    EXPECT_EQ(recorder.Boxes.size(), boxes + 1);
    EXPECT_EQ(RowOf(crews, "Hall Painters"), row);
    EXPECT_EQ(crews->model()->index(row, 1).data().toString(), "42.50");
    const QStringList nameAndRate{QStringLiteral("DESC"), QStringLiteral("RATE")};
    const std::string shared = testing::DbfRecords(window.Session().Data().CrewsTable.path(), nameAndRate);
    EXPECT_NE(shared.find("Hall Painters|42.50"), std::string::npos) << shared;
    EXPECT_EQ(shared.find("New resource"), std::string::npos) << shared;

    // Made the primary resource of a task, it is named in the resource summary.
    SelectRow(page->TasksGrid(), "Clear site");
    DoubleClickRow(crews, RowOf(crews, "Hall Painters"));
    const QString text = testing::ChosenReportText(window, reports::ResourceSummary);
    EXPECT_TRUE(text.contains(QStringLiteral("Hall Painters"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("New resource"))) << text.toStdString();
}

// The custom-fields window opens from the tab for tasks and for resources.
TEST_F(QueryPageTest, TheCustomFieldsButtonsOpenTheWindowForTasksAndResources)
{
    SelectRow(page->TasksGrid(), "Paint walls");
    SelectRow(page->CrewsGrid(), "Bob");
    const std::pair<const char*, const char*> buttons[] = {{"TasksCustomFields", "Paint walls"},
                                                           {"CrewsCustomFields", "Bob"}};
    for (const auto& [name, owner] : buttons) {
        auto* button = Find<controls::TFcBitBtn>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Caption(), "Custom fields");
        EXPECT_TRUE(button->isEnabled());
        testing::PressButton(button);
        QWidget* fields = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle().startsWith(QStringLiteral("Custom fields")))
                fields = top;
        ASSERT_NE(fields, nullptr) << name;
        EXPECT_EQ(fields->windowTitle(), QStringLiteral("Custom fields for ") + owner) << name;
        fields->close();
    }
}

// A click on a resources title sizes its columns to the grid; Enter on a
// grid with the focus reads its records afresh.
TEST_F(QueryPageTest, ResourcesTitleClickAndEnterOnAGrid)
{
    QTableView* crews = page->CrewsGrid();
    crews->resize(300, crews->height());
    emit crews->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(crews->horizontalHeader()->sectionSize(0), 150 - 64);

    // Another cursor renames a task under the grid.
    db::Table& other = window.Session().Data().ChartsTable5;
    other.refresh();
    ASSERT_TRUE(other.locate("CHARTSID", db::Value(double(clearSite))));
    other.edit();
    other.fieldByName("DESC").setAsString("Clear the site");
    other.post();
    QTableView* tasks = page->TasksGrid();
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(tasks, &focusIn);
    ASSERT_TRUE(page->Logic().TasksGridFocused());
    QTest::keyClick(tasks, Qt::Key_Return);
    EXPECT_EQ(Column(tasks), (std::vector<std::string>{"Fit units", "Paint walls", "Clear the site"}));
}

// Dates typed into the Query pickers restrict the tasks once typed in full.
TEST_F(QueryPageTest, TypedDatesRestrictTheTasks)
{
    Find<controls::TFcCheckBox>("RestrictByDate")->ChangeState();
    for (const char* name : {"TaskStartDate", "TaskEndDate"}) {
        auto* picker = Find<QDateEdit>(name);
        picker->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(picker, QStringLiteral("12/8/2026"));
        QTest::keyClick(picker, Qt::Key_Tab);
        EXPECT_EQ(picker->date(), QDate(2026, 12, 8)) << name;
    }
    EXPECT_EQ(Column(page->TasksGrid()), std::vector<std::string>{"Clear site"});
}

}  // namespace
}  // namespace tw::app
