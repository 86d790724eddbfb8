// The task editor window in the main window: opened by a double click on a
// chart bar, it saves a new length that the chart shows and that another
// workstation pulls.
#include "tasks/addtaskform.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"

#include "controls/buttons/fcbitbtn.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "app/samplewindow.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "data/services/recordservices.h"
#include "platform/datetime/localetexts.h"
#include "app/chartrows.h"
#include "sampleschedule.h"
#include "schedule/sync/workstation.h"
#include "tasks/editchart/editchartform.h"
#include "tasks/editor/taskeditor.h"
#include "support/december.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tw::tasks {
namespace {

using chart::TResourceAllocation;

using fixtures::Day;

class TaskEditorWindowTest : public app::testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        page = window.Features().Visualize->Page();
        rac = page->RAC();
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        fitUnits = examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Fit units", Day(7, 10), 2});
        paintWalls = examples::AddSampleTask(window, ann, {"Ames", "Kitchen", "Paint walls", Day(8, 13), 1});
        ShowOn(app::TMainScreen::SchedulePage);
        window.Features().Visualize->BuildChart(true);
        editor = window.Features().Editor->Editor();
    }
    void TearDown() override
    {
        if (editor && editor->isVisible())
            editor->close();
    }

    TResourceAllocation* BarOf(std::int32_t key) { return app::testing::BarOf(page->Logic().Chart, key); }
    // A double click as the system delivers it: press, release, double-click
    // press, release.
    void DoubleClick(std::int32_t key, TDateTime when)
    {
        const chart::TRect row = BarOf(key)->DisplayRect();
        const QPoint at(rac->DateTimeToX(when), (row.Top + row.Bottom) / 2);
        const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, rac->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(rac, &event);
        };
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        send(QEvent::MouseButtonDblClick, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
    }
    // A task of Ames's garden job at 30 an hour, also entered in the task list.
    void AddTaskListEntry(const char* description, TDateTime start, float hours)
    {
        schedule::NewScheduleItem item;
        item.Key = data::UniqueKeyValue(window.Session().State.Keys, window.Session().Data().ChartsTable5,
                                        "CHARTSID");
        item.CustomerName = "Ames";
        item.JobName = "Garden";
        item.Description = description;
        item.Hours = hours;
        item.End = page->Logic().Context.Time.ComputeTaskEnd(window.Session().State.CurrentResourceId,
                                                             item.Start, start, hours);
        item.HourlyRate = 30;
        item.AddToTaskList = true;
        ASSERT_TRUE(window.Session().Adder().AddTaskToSchedule(item));
    }
    template <typename T>
    T* Find(const char* name)
    {
        T* widget = editor->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Saved for the documentation when TARNWICK_SCREENSHOTS names a folder.
    static void SaveScreenshot(QWidget* widget, const char* name)
    {
        const QImage shot = widget->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
        if (!folder.isEmpty()) {
            EXPECT_TRUE(shot.save(QDir(folder).filePath(name)));
        }
    }
    // Types into the length as a user does.
    void TypeLength(const QString& text)
    {
        auto* length = Find<QLineEdit>("TaskLength");
        length->selectAll();
        QTest::keyClicks(length, text);
    }

    app::TVisualizePage* page = nullptr;
    chart::TResourceAllocationChart* rac = nullptr;
    TAddTask* editor = nullptr;
    std::int32_t fitUnits = 0;
    std::int32_t paintWalls = 0;
};

TEST_F(TaskEditorWindowTest, ADoubleClickedBarIsEditedAndEveryWorkstationSeesTheNewEnd)
{
    // Another workstation on the same schedule, in step before the change.
    schedule::test::TempFolder otherProgram;
    schedule::test::CreateProgramFolder(otherProgram.path());
    schedule::test::Workstation other(otherProgram.path(), window.Session().State.ScheduleFolder);
    other.sync.PullChartUpdates(true);

    const TDateTime oldEnd = BarOf(fitUnits)->EndAt();
    DoubleClick(fitUnits, Day(7, 11));
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Edit task");
    EXPECT_EQ(Find<QLineEdit>("TaskDesc")->text(), "Fit units");
    EXPECT_EQ(Find<QLineEdit>("TaskLength")->text(), "2.00");
    EXPECT_EQ(Find<QLineEdit>("Resource")->text(), "Ann");
    EXPECT_TRUE(Find<controls::TFcRadioButton>("PeriodPanel0")->Checked());
    EXPECT_FALSE(Find<QWidget>("TaskEndDate")->isEnabled());
    // The status is one radio group whose items keep the buttons' names.
    auto* status = Find<controls::TFcRadioGroup>("TaskStatus");
    EXPECT_EQ(status->Columns(), 6);
    EXPECT_EQ(status->ItemIndex(), 2);
    EXPECT_TRUE(Find<controls::TFcRadioButton>("TaskStatus2")->Checked());
    EXPECT_EQ(Find<controls::TFcRadioButton>("TaskStatus2")->Caption(), "In progress");

    TypeLength("5");
    // The end the calendar gives five hours from 10:00.
    const QTime endTime = Find<QWidget>("TaskEndTime")->property("time").toTime();
    const TDateTime newEnd = Day(7) + endTime.msecsSinceStartOfDay() / double(kMSecsPerDay);
    EXPECT_GT(newEnd, oldEnd + 3.0 / 24 - 1e-9);
    Find<controls::TFcBitBtn>("AddTaskManual")->Click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(editor->Result());

    // The chart was rebuilt with the new end.
    ASSERT_NE(BarOf(fitUnits), nullptr);
    EXPECT_NEAR(BarOf(fitUnits)->EndAt(), newEnd, 1e-6);
    QImage image(rac->size(), QImage::Format_RGB32);
    rac->render(&image);
    const chart::TRect row = BarOf(fitUnits)->DisplayRect();
    const int y = (row.Top + row.Bottom) / 2;
    const QColor start = image.pixelColor(rac->DateTimeToX(Day(7, 10, 30)), y);
    EXPECT_EQ(image.pixelColor(rac->DateTimeToX(newEnd - 1.0 / 48), y), start)
        << "the bar reaches its new end";
    EXPECT_NE(image.pixelColor(rac->DateTimeToX(newEnd + 1.0 / 48), y), start) << "and stops there";

    // The other workstation's poll pulls it.
    EXPECT_TRUE(other.sync.PullChartUpdates(false));
    other.ChartsTable5.refresh();
    ASSERT_TRUE(other.ChartsTable5.locate("CHARTSID", db::Value(double(fitUnits))));
    EXPECT_NEAR(other.ChartsTable5.fieldByName("ED").asFloat(), newEnd, 1e-6);
    EXPECT_FLOAT_EQ(static_cast<float>(other.ChartsTable5.fieldByName("HOURS").asFloat()), 5.0f);
}

TEST_F(TaskEditorWindowTest, CancelBringsTheChartBackUnchangedAndTheEditorKeepsItsPlace)
{
    DoubleClick(paintWalls, Day(8, 13, 30));
    ASSERT_TRUE(editor->isVisible());
    editor->move(40, 30);
    TypeLength("3");
    Find<controls::TFcBitBtn>("Cancel")->Click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(window.Layout().AddTaskLeft, editor->x());
    EXPECT_EQ(window.Layout().AddTaskTop, editor->y());
    ASSERT_NE(BarOf(paintWalls), nullptr);
    EXPECT_NEAR(BarOf(paintWalls)->EndAt(), Day(8, 14), 1e-6);
}

// Closing the main window while the editor is open: the editor goes first,
// as Cancel would leave it, and the shutdown then runs through and stores
// the run's settings; no exception leaves the close.
TEST_F(TaskEditorWindowTest, ClosingTheMainWindowClosesTheOpenEditorFirstAndShutsDownNormally)
{
    DoubleClick(paintWalls, Day(8, 13, 30));
    ASSERT_TRUE(editor->isVisible());
    TypeLength("3");
    EXPECT_NO_THROW(window.close());
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(window.Session().State.StartupDone) << "the shutdown ran";
    EXPECT_FALSE(window.Session().State.TablesOpen);
    for (const app::MessageBoxRequest& box : recorder.Boxes)
        ADD_FAILURE() << box.Text.toStdString();
}

// The editor has no default button: Enter in a field presses none and saves
// nothing; Escape answers Cancel, which leaves the task as it was.
TEST_F(TaskEditorWindowTest, EnterPressesNoButtonAndEscapeCancels)
{
    const TDateTime saved = BarOf(fitUnits)->EndAt();
    DoubleClick(fitUnits, Day(7, 11));
    ASSERT_TRUE(editor->isVisible());
    TypeLength("3");
    QTest::keyClick(Find<QLineEdit>("TaskDesc"), Qt::Key_Return);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Find<QLineEdit>("TaskLength")->text(), "3");
    QTest::keyClick(Find<QLineEdit>("TaskDesc"), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    ASSERT_NE(BarOf(fitUnits), nullptr);
    EXPECT_NEAR(BarOf(fitUnits)->EndAt(), saved, 1e-6);
}

TEST_F(TaskEditorWindowTest, APickedEndLetsTheLengthFollow)
{
    DoubleClick(fitUnits, Day(7, 11));
    Find<controls::TFcCheckBox>("AutoEndDate")->ChangeState();
    EXPECT_FALSE(Find<QWidget>("TaskLength")->isEnabled());
    EXPECT_TRUE(Find<QWidget>("TaskEndTime")->isEnabled());
    EXPECT_EQ(Find<QWidget>("Label7")->property("text").toString(), "Choose end time:");
    // 10:00 to 16:00 with the calendar's hour off at noon.
    Find<QWidget>("TaskEndTime")->setProperty("time", QTime(16, 0));
    EXPECT_EQ(Find<QLineEdit>("TaskLength")->text(), "5.00");
}

// A time typed over a time field's text is the time the editor takes, and
// the end follows it; text that is no time gives the field its time back.
TEST_F(TaskEditorWindowTest, ATypedTimeIsTaken)
{
    DoubleClick(fitUnits, Day(7, 11));
    ASSERT_TRUE(editor->isVisible());
    auto* start = Find<QTimeEdit>("TaskStartTime");
    auto* end = Find<QTimeEdit>("TaskEndTime");
    QLineEdit* line = start->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(end->time(), QTime(12, 0));
    const struct {
        const char* Typed;
        QTime Taken;
    } cases[] = {
        {"7:00 AM", QTime(7, 0)}, {"1:15 pm", QTime(13, 15)}, {"9:30", QTime(9, 30)},
        {"25:00", QTime(9, 30)},  {"noon", QTime(9, 30)},     {"10:00 AM", QTime(10, 0)},
    };
    for (const auto& c : cases) {
        line->selectAll();
        QTest::keyClicks(start, QString::fromLatin1(c.Typed));
        EXPECT_EQ(line->text().toUpper(), QString::fromLatin1(c.Typed).toUpper()) << "shown as typed";
        QTest::keyClick(start, Qt::Key_Tab);
        EXPECT_EQ(start->time(), c.Taken) << c.Typed << " shows " << line->text().toStdString();
        EXPECT_EQ(line->text(), QLocale().toString(c.Taken, start->displayFormat())) << c.Typed;
    }
    // The end follows a typed start as it follows a start set by the arrows.
    EXPECT_EQ(end->time(), QTime(12, 0));
    line->selectAll();
    QTest::keyClicks(start, QStringLiteral("2:00 PM"));
    QTest::keyClick(start, Qt::Key_Return);
    const QTime typedEnd = end->time();
    EXPECT_GT(typedEnd, QTime(15, 0));
    start->setTime(QTime(10, 0));
    EXPECT_EQ(end->time(), QTime(12, 0));
    start->setTime(QTime(14, 0));
    EXPECT_EQ(end->time(), typedEnd);
}

// Ctrl+A selects a time field's whole text, so that what is typed next
// replaces it and Enter takes it.
TEST_F(TaskEditorWindowTest, CtrlASelectsTheTimeToTypeOver)
{
    DoubleClick(fitUnits, Day(7, 11));
    ASSERT_TRUE(editor->isVisible());
    auto* start = Find<QTimeEdit>("TaskStartTime");
    QLineEdit* line = start->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    start->setFocus();
    for (const char* typed : {"8:00 AM", "9:15 AM"}) {
        QTest::keyClick(start, Qt::Key_End);
        QTest::keyClick(start, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(line->selectedText(), line->text());
        QTest::keyClicks(start, QString::fromLatin1(typed));
        EXPECT_EQ(line->text(), QString::fromLatin1(typed));
        QTest::keyClick(start, Qt::Key_Return);
        EXPECT_EQ(start->time().toString("h:mm AP"), QString::fromLatin1(typed));
    }
}

TEST_F(TaskEditorWindowTest, HelpOpensThePageOfTheModeAndTheHelpLevelSilencesHints)
{
    window.Session().State.HelpLevel = 1;
    DoubleClick(fitUnits, Day(7, 11));
    EXPECT_TRUE(Find<QWidget>("TaskLength")->toolTip().isEmpty());
    EXPECT_FALSE(Find<QWidget>("TaskDesc")->toolTip().isEmpty()) << "not among the hints the level switches";

    app::testing::UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    Find<controls::TFcBitBtn>("Help")->Click();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.Opened.size(), 1);
    const QString page = catcher.Opened[0].toLocalFile();
    EXPECT_TRUE(page.endsWith("/Edit_a_task.htm"));
    EXPECT_TRUE(QFile::exists(page)) << page.toStdString();
    editor->close();

    window.Session().State.HelpLevel = 2;  // leaves the hints as they were
    DoubleClick(fitUnits, Day(7, 11));
    EXPECT_TRUE(Find<QWidget>("TaskLength")->toolTip().isEmpty());
    editor->close();
    window.Session().State.HelpLevel = 0;
    DoubleClick(fitUnits, Day(7, 11));
    EXPECT_FALSE(Find<QWidget>("TaskLength")->toolTip().isEmpty());
}

TEST_F(TaskEditorWindowTest, TheRepeatCountFollowsThePeriodChosen)
{
    editor->ShowTaskEditor(window.Session().Data().ChartsTable, true, false, 0, "Mow front lawn",
                           Day(9, 8), false, "", "", "", "", "", true, 3, false, false);
    ASSERT_TRUE(editor->isVisible());
    auto* count = Find<QLineEdit>("RepeatRep");
    auto* up = Find<QToolButton>("UpDown1Up");
    EXPECT_FALSE(count->isEnabled());
    EXPECT_EQ(count->text(), "1");
    EXPECT_TRUE(Find<controls::TFcRadioButton>("RepeatPeriod2")->isEnabled());

    Find<controls::TFcRadioButton>("RepeatPeriod4")->ChangeState();  // quarterly: four a year
    EXPECT_TRUE(count->isEnabled());
    EXPECT_EQ(count->text(), "2");
    up->click();
    up->click();
    EXPECT_EQ(count->text(), "4");
    EXPECT_FALSE(up->isEnabled());

    Find<controls::TFcRadioButton>("RepeatPeriod2")->ChangeState();  // weekly
    EXPECT_TRUE(up->isEnabled());
    up->click();
    EXPECT_EQ(count->text(), "5");

    Find<controls::TFcRadioButton>("RepeatPeriod0")->ChangeState();
    EXPECT_EQ(count->text(), "1");
    EXPECT_FALSE(count->isEnabled());

    Find<controls::TFcRadioButton>("RepeatPeriod2")->ChangeState();
    up->click();
    up->click();
    Find<QLineEdit>("TaskDesc")->setText("Mow front lawn");
    editor->resize(880, 660);
    SaveScreenshot(editor, "repeat-controls.png");
}

TEST_F(TaskEditorWindowTest, FindAPreviousTaskCopiesTheChosenEntryIntoTheEditor)
{
    // Two earlier tasks in the task list.
    AddTaskListEntry("Trim hedge", Day(9, 8), 3);
    AddTaskListEntry("Clear gutters", Day(10, 8), 2);
    editor->ShowTaskEditor(window.Session().Data().ChartsTable, true, false, 0, "", Day(11, 8),
                           false, "", "", "", "", "", true, 3, false, false);
    auto* find = Find<controls::TFcBitBtn>("ReuseTaskButton");
    ASSERT_TRUE(find->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Reuse a task");
        // Sorted by description: "Clear gutters" before "Trim hedge".
        shown = dialog->findChild<QLineEdit*>("TaskDesc")->text();
        dialog->findChild<QToolButton*>("NavigatorNext")->click();
        dialog->resize(760, 560);
        SaveScreenshot(dialog, "reuse-task.png");
        dialog->findChild<controls::TFcBitBtn*>("ReuseTask")->Click();
    });
    find->Click();
    EXPECT_EQ(shown, "Clear gutters");
    EXPECT_EQ(Find<QLineEdit>("TaskDesc")->text(), "Trim hedge");
    EXPECT_EQ(Find<QLineEdit>("TaskLength")->text(), "3.00");
    EXPECT_EQ(Find<QLineEdit>("HourlyRate")->text(), "30.00");
    EXPECT_EQ(Find<QWidget>("TaskStartDate")->property("date").toDate(), QDate(2026, 12, 9));
}

// In "Reuse a task" Escape answers Cancel and leaves the editor as it was;
// Enter answers "Reuse this task".
TEST_F(TaskEditorWindowTest, EscapeAndEnterInTheReuseDialog)
{
    AddTaskListEntry("Trim hedge", Day(9, 8), 3);
    editor->ShowTaskEditor(window.Session().Data().ChartsTable, true, false, 0, "", Day(11, 8),
                           false, "", "", "", "", "", true, 3, false, false);
    const QString before = Find<QLineEdit>("TaskDesc")->text();
    const auto pressIn = [](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            QTest::keyClick(dialog->findChild<QLineEdit*>("HourlyRate"), key);
            EXPECT_FALSE(dialog->isVisible());
            if (dialog->isVisible())
                qobject_cast<QDialog*>(dialog)->reject();  // the key did nothing; do not hang
        });
    };
    pressIn(Qt::Key_Escape);
    Find<controls::TFcBitBtn>("ReuseTaskButton")->Click();
    EXPECT_EQ(Find<QLineEdit>("TaskDesc")->text(), before);
    pressIn(Qt::Key_Return);
    Find<controls::TFcBitBtn>("ReuseTaskButton")->Click();
    EXPECT_EQ(Find<QLineEdit>("TaskDesc")->text(), "Trim hedge");
}

TEST_F(TaskEditorWindowTest, TheTaskListButtonOpensTheJobTaskListAndClosingRebuildsTheChart)
{
    // "Paint walls" follows the end of "Fit units".
    db::Table& charts = window.Session().Data().ChartsTable5;
    const auto link = [&](std::int32_t key, std::int32_t pid, std::int32_t child, bool head, int dgn) {
        charts.refresh();
        ASSERT_TRUE(charts.locate("CHARTSID", db::Value(double(key))));
        charts.edit();
        charts.fieldByName("PID").setAsInteger(pid);
        charts.fieldByName("CHILD").setAsInteger(child);
        charts.fieldByName("PARENT").setAsBoolean(head);
        charts.fieldByName("DGN").setAsInteger(dgn);
        charts.post();
    };
    link(fitUnits, 0, paintWalls, true, 1);
    link(paintWalls, fitUnits, 0, false, 2);

    page->findChild<controls::TFcBitBtn*>("EditChartButton")->Click();
    TEditChart* list = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<TEditChart*>(w); found && found->isVisible())
            list = found;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "Task editor");
    auto* grid = list->findChild<QTableView*>("TaskGrid");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    QStringList dependsOn;
    for (int row = 0; row < 2; ++row)
        dependsOn << grid->model()->index(row, 3).data().toString();
    dependsOn.sort();
    EXPECT_EQ(dependsOn, (QStringList{"Fit units", "Is parent"}));

    // A click on the dependent row enables its choice of edge.
    const int dependent = grid->model()->index(0, 3).data().toString() == "Fit units" ? 0 : 1;
    grid->selectRow(dependent);
    emit grid->clicked(grid->model()->index(dependent, 0));
    EXPECT_TRUE(list->findChild<QWidget*>("DependentFollowing")->isEnabled());
    EXPECT_TRUE(list->findChild<controls::TFcRadioButton*>("DependentFollowing1")->Checked());
    EXPECT_TRUE(list->findChild<controls::TFcBitBtn*>("RemoveDependency")->isEnabled());

    list->resize(1000, 450);
    SaveScreenshot(list, "job-task-list.png");

    list->move(25, 35);
    list->findChild<controls::TFcBitBtn*>("Done")->Click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window.Layout().EditChartLeft, list->x());
    // The chart was rebuilt: both bars are there again.
    EXPECT_NE(BarOf(fitUnits), nullptr);
    EXPECT_NE(BarOf(paintWalls), nullptr);

    // Opened again it comes back where it was closed, frame and all, as far
    // as the screen lets it.
    page->findChild<controls::TFcBitBtn*>("EditChartButton")->Click();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->y(), 35);
    const QRect area = list->screen()->availableGeometry();
    EXPECT_EQ(list->x(), std::max(area.left(), std::min(25, area.right() + 1 - list->width())));
    list->findChild<controls::TFcBitBtn*>("Done")->Click();
}

// A kept place off the screen (another monitor's, a smaller screen's) opens
// the window whole on the screen instead.
TEST_F(TaskEditorWindowTest, AKeptTaskListPlaceOffTheScreenOpensWhollyOnIt)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(area.width() / 2, area.height() / 2);
    const struct {
        QPoint at;
        QPoint expected;
    } cases[] = {
        {area.topLeft() + QPoint(25, 35), area.topLeft() + QPoint(25, 35)},
        {area.topLeft() + QPoint(-300, -40), area.topLeft()},
        {area.bottomRight() + QPoint(100, 100),
         area.bottomRight() + QPoint(1, 1) - QPoint(size.width(), size.height())},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TEditChart::OnScreen(c.at, size), c.expected) << c.at.x() << "," << c.at.y();
}

// Taken for the documentation: the editor on a task, as a user sees it.
// The Help buttons of "Reuse a task" and "Specify how repeat works" open pages that the program installs.
TEST_F(TaskEditorWindowTest, TheRepeatAndReuseDialogsHelpPagesAreShipped)
{
    AddTaskListEntry("Trim hedge", Day(9, 8), 3);
    editor->ShowTaskEditor(window.Session().Data().ChartsTable, true, false, 0, "", Day(14, 8),
                           false, "", "", "", "", "", true, 3, false, false);

    app::testing::UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    // The dialog named by each step, and the button that closes it.
    const auto inModalDialog = [](const char* title, const char* close) {
        QTimer::singleShot(0, [=] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), title);
            dialog->findChild<controls::TFcBitBtn*>("Help")->Click();
            dialog->findChild<controls::TFcBitBtn*>(close)->Click();
        });
    };
    inModalDialog("Reuse a task", "Cancel");
    Find<controls::TFcBitBtn>("ReuseTaskButton")->Click();

    Find<QLineEdit>("TaskDesc")->setText("Water plants");
    Find<controls::TFcRadioButton>("RepeatPeriod2")->ChangeState();
    inModalDialog("Specify how repeat works", "Ok");
    Find<controls::TFcBitBtn>("AddTaskManual")->Click();
    QDesktopServices::unsetUrlHandler("file");

    ASSERT_EQ(catcher.Opened.size(), 2);
    for (const QUrl& url : catcher.Opened) {
        const QString page = url.toLocalFile();
        EXPECT_TRUE(QFile::exists(page)) << page.toStdString();
        QFile contents(QDir(window.Session().State.ProgramFolder.c_str()).filePath("Table_of_contents.htm"));
        ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
        EXPECT_TRUE(contents.readAll().contains(("href=\"" + url.fileName() + "\"").toUtf8()))
            << url.fileName().toStdString();
    }
}

TEST_F(TaskEditorWindowTest, Screenshot)
{
    DoubleClick(fitUnits, Day(7, 11));
    ASSERT_TRUE(editor->isVisible());
    editor->resize(880, 660);
    SaveScreenshot(editor, "taskeditor.png");
}

}  // namespace
}  // namespace tw::tasks
