// The Visualize page in the main window, on a schedule in a freshly started
// program folder: what it draws, and what its buttons and mouse gestures do
// to the working copy and the shared tables.
#include "schedule/visualize/visualizepage.h"
#include "controls/choices/fcglyphbutton.h"

#include "controls/buttons/fcbitbtn.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/workcalendartab/workcalendarpage.h"
#include "chart/resourceallocationchart.h"
#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "reports/printpreview.h"
#include "platform/datetime/localetexts.h"
#include "chartrows.h"
#include "sampleschedule.h"
#include "tasks/addtaskform.h"
#include "tasks/editchart/editchartform.h"
#include "tasks/slots/slotdialogs.h"
#include "samplewindow.h"
#include "support/december.h"

#include "schedule/visualize/heldrepeat.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/status/fcstatuspane.h"
#include "captionsfit.h"
#include "pressbutton.h"

#include <QAccessible>
#include <QApplication>
#include <QDateEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <QScrollBar>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tw::app {
namespace {

using chart::TResourceAllocation;

using fixtures::Day;

class VisualizePageTest : public testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        page = window.Features().Visualize->Page();
        ASSERT_TRUE(page->Attached());
        rac = page->RAC();
        page->SetClock([this] { return clockMs; });

        const KitchenJob job = AddKitchenJob();
        fitUnits = job.FitUnits;
        paintWalls = job.PaintWalls;
        clearSite = job.ClearSite;
        ShowOn(TMainScreen::SchedulePage);
        window.Features().Visualize->BuildChart(true);
    }

    template <typename T>
    T* Find(const char* name)
    {
        T* widget = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Click(const char* button) { Find<controls::TFcBitBtn>(button)->Click(); }

    TResourceAllocation* BarOf(std::int32_t key) { return app::testing::BarOf(page->Logic().Chart, key); }
    // Where on the chart a bar's row shows an instant.
    QPoint At(std::int32_t key, TDateTime when)
    {
        const chart::TRect row = BarOf(key)->DisplayRect();
        return QPoint(rac->DateTimeToX(when), (row.Top + row.Bottom) / 2);
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, rac->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(rac, &event);
    }
    // A press on the bar at `from`, a move to `to` and a release `ms` later.
    void Drag(std::int32_t key, TDateTime from, TDateTime to, std::int64_t ms)
    {
        Mouse(QEvent::MouseButtonPress, At(key, from), Qt::LeftButton);
        Mouse(QEvent::MouseMove, (At(key, from) + At(key, to)) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, At(key, to), Qt::LeftButton);
        clockMs += ms;
        Mouse(QEvent::MouseButtonRelease, At(key, to), Qt::NoButton);
    }

    // A record's field in this workstation's working copy and in the shared table.
    double Working(std::int32_t key, const char* field)
    {
        db::Table& t = window.Session().Data().ChartsTable5;
        t.refresh();
        EXPECT_TRUE(t.locate("CHARTSID", db::Value(double(key))));
        return t.fieldByName(field).asFloat();
    }
    double Shared(std::int32_t key, const char* field)
    {
        db::Table t;
        t.setFolder(window.Session().State.ScheduleFolder);
        t.setTableName("ICharts.DBF");
        t.open();
        EXPECT_TRUE(t.locate("CHARTSID", db::Value(double(key))));
        const double value = t.fieldByName(field).asFloat();
        t.close();
        return value;
    }
    std::vector<std::string> Rows() { return testing::ChartRowNames(*rac); }

    TVisualizePage* page = nullptr;
    chart::TResourceAllocationChart* rac = nullptr;
    std::int64_t clockMs = 0;
    std::int32_t fitUnits = 0;
    std::int32_t paintWalls = 0;
    std::int32_t clearSite = 0;
};

TEST_F(VisualizePageTest, ControlsCarryTheirCaptionsAndHints)
{
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } controls[] = {
        {"DecreSchedule", nullptr, "Click and hold to compress task"},
        {"IncreSchedule", nullptr, "Click and hold to lengthen task"},
        {"MoveTaskLeft", nullptr, "Click and hold to move task left"},
        {"MoveTaskRight", nullptr, "Click and hold to move task right"},
        {"ZoomForward", "Zoom forward", nullptr},
        {"ZoomBackward", "Zoom back", nullptr},
        {"RefreshChart", "Refresh", "Refresh screen"},
        {"PrintPreviewButton", nullptr, "Print, Preview or E-Mail this schedule"},
        {"SetDependencies", "Set dependencies", "Lock tasks together"},
        {"StopButton", "End setup of task dependencies", nullptr},
        {"ShowJobsOnlyJobs", "Overall jobs only", nullptr},
        {"ShowJobsOnlyTasks", "Individual tasks", nullptr},
        {"ChartSortBy2", "Start date / time    ", nullptr},
        {"ChartSortBy6", "Dependent group    ", nullptr},
    };
    for (const auto& c : controls) {
        auto* button = Find<controls::TFcControl>(c.name);
        if (c.caption) {
            EXPECT_EQ(button->Caption(), c.caption) << c.name;
        }
        if (c.hint) {
            EXPECT_EQ(button->toolTip(), c.hint) << c.name;
        }
    }
    EXPECT_EQ(Find<controls::TFcGroupBox>("TaskControls")->Caption(), "Fine task adjustment");
    EXPECT_EQ(Find<controls::TFcRadioGroup>("ChartSortBy")->Caption(), "Sort by");
    EXPECT_EQ(Find<QWidget>("ChartSortBy")->toolTip(), "Task / job display order");
    EXPECT_EQ(Find<controls::TFcRadioGroup>("ChartSortBy")->Columns(), 7);
    for (const char* held :
         {"DecreSchedule", "MoveTaskRight", "ZoomOut", "ZoomIn", "AlignLeft", "AlignRight"})
        EXPECT_NE(THeldRepeat::Of(Find<controls::TFcBitBtn>(held)), nullptr) << held;
    EXPECT_EQ(THeldRepeat::Of(Find<controls::TFcBitBtn>("ZoomIn"))->Delay(), 25);
    EXPECT_EQ(THeldRepeat::Of(Find<controls::TFcBitBtn>("RefreshChart")), nullptr);
    EXPECT_EQ(page->MicroAdjust()->interval(), 1000);
    EXPECT_TRUE(page->MicroAdjust()->isSingleShot());
}

TEST_F(VisualizePageTest, EveryTaskIsDrawnAsABarOnItsRow)
{
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Fit units", "Paint walls", "Clear site"}));
    QImage image(page->size(), QImage::Format_RGB32);
    page->render(&image);
    const QColor rowColour(0xCC, 0xFF, 0xCC);
    const auto pixel = [&](std::int32_t key, TDateTime when) {
        return image.pixelColor(rac->mapTo(page, At(key, when)));
    };
    // Inside each bar, its row's colour; beside it, the plot.
    EXPECT_EQ(pixel(fitUnits, Day(7, 10, 30)), rowColour);
    EXPECT_EQ(pixel(paintWalls, Day(7, 13, 30)), rowColour);
    EXPECT_EQ(pixel(clearSite, Day(8, 11)), rowColour);
    EXPECT_NE(pixel(fitUnits, Day(7, 13, 30)), rowColour);
    EXPECT_NE(pixel(clearSite, Day(7, 10, 30)), rowColour);
    // The period fits the bars and its captions say so.
    EXPECT_NEAR(rac->StartAt(), Day(7, 10), 1e-6);
    EXPECT_NEAR(rac->EndAt(), Day(8, 12), 1e-6);
    EXPECT_EQ(Find<controls::TFcStatusPane>("ChartStartDate")->Caption().toStdString(),
              data::DateTimeText(Day(7, 10)));
    EXPECT_EQ(Find<controls::TFcStatusPane>("ChartStartDate")->width(), 130);
}

TEST_F(VisualizePageTest, ABurstOfNudgesWritesTheTaskOnceWhenTheTimerRunsOut)
{
    Mouse(QEvent::MouseButtonPress, At(fitUnits, Day(7, 10, 30)), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, At(fitUnits, Day(7, 10, 30)), Qt::NoButton);
    ASSERT_EQ(page->Logic().Chart.SelectedBar, BarOf(fitUnits));
    EXPECT_TRUE(Find<QWidget>("TaskControls")->isEnabled());
    const double sharedUpdate = Shared(fitUnits, "UPDATE");

    for (int i = 0; i < 3; ++i)
        testing::PressButton(Find<controls::TFcBitBtn>("MoveTaskRight"));
    EXPECT_NEAR(Working(fitUnits, "SD"), Day(7, 10, 45), 1e-6);
    EXPECT_NEAR(Working(fitUnits, "ED"), Day(7, 11, 45), 1e-6);
    EXPECT_TRUE(page->MicroAdjust()->isActive());
    EXPECT_NEAR(Shared(fitUnits, "SD"), Day(7, 10), 1e-6);

    // What the timer's running out does.
    page->MicroAdjustTimer();
    EXPECT_FALSE(page->MicroAdjust()->isActive());
    EXPECT_NEAR(Shared(fitUnits, "SD"), Day(7, 10, 45), 1e-6);
    EXPECT_NEAR(Shared(fitUnits, "ED"), Day(7, 11, 45), 1e-6);
    const double written = Shared(fitUnits, "UPDATE");
    EXPECT_NE(written, sharedUpdate);
    // A second run-out without a nudge writes nothing more.
    page->MicroAdjustTimer();
    EXPECT_EQ(Shared(fitUnits, "UPDATE"), written);
    EXPECT_EQ(QString::fromStdString(window.Session().Interface().StatusText(2)), "1.00 hours");
}

// Held down, a nudge button clicks on each tick of its repeat and once more
// on release; the release stops the repeat.
TEST_F(VisualizePageTest, AHeldNudgeButtonRepeatsItsClick)
{
    Mouse(QEvent::MouseButtonPress, At(fitUnits, Day(7, 10, 30)), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, At(fitUnits, Day(7, 10, 30)), Qt::NoButton);
    ASSERT_EQ(page->Logic().Chart.SelectedBar, BarOf(fitUnits));
    auto* right = Find<controls::TFcBitBtn>("MoveTaskRight");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 200));
    THeldRepeat* repeat = THeldRepeat::Of(right);
    ASSERT_NE(repeat, nullptr);

    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_TRUE(repeat->Running());
    repeat->Tick();
    repeat->Tick();
    EXPECT_NEAR(Working(fitUnits, "SD"), Day(7, 10, 30), 1e-6);
    QTest::mouseRelease(right, Qt::LeftButton);
    EXPECT_FALSE(repeat->Running());
    EXPECT_NEAR(Working(fitUnits, "SD"), Day(7, 10, 45), 1e-6);
    // Once released, a tick clicks nothing.
    repeat->Tick();
    EXPECT_NEAR(Working(fitUnits, "SD"), Day(7, 10, 45), 1e-6);
}

// At the main window's default size every caption of the page is whole.
TEST_F(VisualizePageTest, AtTheDefaultSizeNoCaptionIsCut)
{
    window.resize(window.minimumSize().expandedTo(QSize(927, 758)));
    QApplication::processEvents();
    testing::ExpectCaptionsWhole(page);
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(window.grab().save(folder + "/visualize.png"));
    }
}

TEST_F(VisualizePageTest, ZoomButtonsChangeThePeriod)
{
    const double span = Day(8, 12) - Day(7, 10);
    struct Step {
        const char* button;
        TDateTime start;
        TDateTime end;
    };
    const double margin = 0.01 * span;
    // Each step's period; every instant the chart shows is on the quarter hour.
    const Step steps[] = {
        {"ZoomIn", Day(7, 10) + margin, Day(8, 12) - margin},
        {"ZoomForward", Day(7, 10), Day(7, 12)},   // the first task, its length twice
        {"ZoomForward", Day(7, 13), Day(7, 15)},   // the next one
        {"ZoomBackward", Day(7, 10), Day(7, 12)},  // back to the first
    };
    const auto quarter = [](TDateTime t) { return data::RoundUpToQuarterHour(t); };
    for (const Step& s : steps) {
        Click(s.button);
        EXPECT_NEAR(rac->StartAt(), quarter(s.start), 1e-6) << s.button;
        EXPECT_NEAR(rac->EndAt(), quarter(s.end), 1e-6) << s.button;
    }
    const double before = rac->EndAt() - rac->StartAt();
    Click("ZoomOut");
    EXPECT_GT(rac->EndAt() - rac->StartAt(), before);
    EXPECT_EQ(Find<controls::TFcStatusPane>("ChartEndDate")->Caption().toStdString(),
              data::DateTimeText(window.Session().Chart.ShownEnd()));
}

TEST_F(VisualizePageTest, AMoveOntoAnotherTaskOfTheResourceIsRefused)
{
    // Paint walls dragged onto the morning, where Ann fits units.
    Drag(paintWalls, Day(7, 13, 30), Day(7, 11), 800);
    EXPECT_NEAR(BarOf(paintWalls)->StartAt(), Day(7, 13), 1e-6);
    EXPECT_NEAR(Working(paintWalls, "SD"), Day(7, 13), 1e-6);
    EXPECT_EQ(window.StatusText(2), "Resource conflict");

    // The same move for Bob's task, whose resource is free then, is taken.
    Drag(clearSite, Day(8, 11), Day(8, 15), 800);
    EXPECT_NEAR(Working(clearSite, "SD"), Day(8, 14, 30), 1e-6);
    EXPECT_NEAR(Shared(clearSite, "SD"), Day(8, 14, 30), 1e-6);
}

TEST_F(VisualizePageTest, TheSortChoiceReordersTheRows)
{
    Find<controls::TFcRadioButton>("ChartSortBy1")->SetChecked(true);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Clear site", "Fit units", "Paint walls"}));
    EXPECT_EQ(window.Session().Chart.ChartSortBy, 1);
    // The Add / Edit / Query page shows the same order.
    auto* queryOrder = window.findChild<controls::TFcRadioButton*>(QStringLiteral("ChartSortBy2_1"));
    ASSERT_NE(queryOrder, nullptr);
    EXPECT_TRUE(queryOrder->Checked());
    Find<controls::TFcRadioButton>("ChartSortBy0")->SetChecked(true);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Fit units", "Paint walls", "Clear site"}));
}

// A screen reader's toggle of a choice acts as a click: the display turns
// to jobs and back, the chart following, and each item reports its state.
TEST_F(VisualizePageTest, AChoiceToggledByAScreenReaderActsAsAClick)
{
    const auto toggle = [this](const char* name) {
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(Find<QWidget>(name));
        EXPECT_EQ(item->role(), QAccessible::RadioButton) << name;
        item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
        return item->state().checked;
    };
    const std::vector<std::string> tasks = Rows();
    EXPECT_TRUE(toggle("ShowJobsOnlyJobs"));
    EXPECT_EQ(page->DisplayChoice(), 0);
    EXPECT_EQ(page->Logic().Controls.ShowJobsOnly, 0);
    EXPECT_NE(Rows(), tasks);
    EXPECT_TRUE(toggle("ShowJobsOnlyTasks"));
    EXPECT_EQ(page->Logic().Controls.ShowJobsOnly, 1);
    EXPECT_EQ(Rows(), tasks);

    EXPECT_TRUE(toggle("ChartSortBy1"));
    EXPECT_EQ(window.Session().Chart.ChartSortBy, 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Clear site", "Fit units", "Paint walls"}));
}

TEST_F(VisualizePageTest, AReadOnlyCopyShowsTasksThatCannotBeMoved)
{
    window.Features().Startup->ApplyReadOnlyAccess(true);
    EXPECT_EQ(rac->Options(),
              (chart::TResourceAllocationChartOptions{chart::racAllowDragScroll, chart::racAutoHint,
                                                      chart::racDateAxisAtTop,
                                                      chart::racScrollBarOnlyIfNecessary}));
    for (const char* name : {"ShowJobsOnly", "TaskControls", "InsertSpace", "RemoveSpace", "SetDependencies"})
        EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(Find<controls::TFcRadioButton>("ShowJobsOnlyTasks")->Checked());
    window.Features().Startup->ApplyReadOnlyAccess(false);
    EXPECT_TRUE(rac->Options().Contains(chart::racAllowDragAllocation));
}

// Neither a drag, nor a stretch at the bar's edge, nor a nudge moves a bar of
// a read-only copy, and nothing reaches the working copy or the shared table.
TEST_F(VisualizePageTest, AReadOnlyCopysBarsDoNotMove)
{
    window.Session().State.ReadOnlyCopy = true;
    window.Features().Startup->ApplyReadOnlyAccess(true);
    window.Features().Visualize->BuildChart(false);
    ASSERT_NE(BarOf(clearSite), nullptr);
    const TDateTime start = BarOf(clearSite)->StartAt();
    const TDateTime end = BarOf(clearSite)->EndAt();
    const double working = Working(clearSite, "SD");
    const double shared = Shared(clearSite, "SD");
    const double update = Shared(clearSite, "UPDATE");

    Drag(clearSite, Day(8, 11), Day(8, 15), 800);  // the middle of the bar
    Drag(clearSite, end, end + 2.0 / 24, 800);     // its right edge
    Mouse(QEvent::MouseButtonPress, At(clearSite, Day(8, 11)), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, At(clearSite, Day(8, 11)), Qt::NoButton);
    for (const char* nudge : {"MoveTaskRight", "MoveTaskLeft", "IncreSchedule", "DecreSchedule"})
        Find<controls::TFcBitBtn>(nudge)->Click();
    page->MicroAdjustTimer();

    EXPECT_NEAR(BarOf(clearSite)->StartAt(), start, 1e-9);
    EXPECT_NEAR(BarOf(clearSite)->EndAt(), end, 1e-9);
    EXPECT_EQ(Working(clearSite, "SD"), working);
    EXPECT_EQ(Shared(clearSite, "SD"), shared);
    EXPECT_EQ(Shared(clearSite, "UPDATE"), update);
}

TEST_F(VisualizePageTest, AChartWhoseRowsFitShowsNoScrollBar)
{
    rac->grab();  // laid out and painted as on screen
    auto* scrollBar = rac->findChild<QScrollBar*>();
    ASSERT_NE(scrollBar, nullptr);
    EXPECT_FALSE(scrollBar->isVisible());
    window.Features().Visualize->SaveAndClearAllocations(false);
    rac->grab();
    EXPECT_FALSE(scrollBar->isVisible()) << "an empty chart has nothing to scroll";
}

TEST_F(VisualizePageTest, ItsHelpPageIsInTheContents)
{
    ASSERT_TRUE(InstallHelpPages(user.ProgramFolder()).isEmpty());
    QFile help(user.ProgramFolder() + "/Visualize.htm");
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    EXPECT_TRUE(help.readAll().contains("Fine task adjustment"));
    QFile contents(user.ProgramFolder() + "/Table_of_contents.htm");
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    EXPECT_TRUE(contents.readAll().contains("href=\"Visualize.htm\""));
}

// Another workstation moved a task in the shared table; the window's next
// poll brings it onto this chart and leaves the poll running.
TEST_F(VisualizePageTest, ThePollShowsAChangeMadeOnAnotherWorkstation)
{
    {
        db::Table shared;
        shared.setFolder(window.Session().State.ScheduleFolder);
        shared.setTableName("ICharts.DBF");
        shared.open();
        ASSERT_TRUE(shared.locate("CHARTSID", db::Value(double(fitUnits))));
        shared.edit();
        shared.fieldByName("SD").setAsFloat(shared.fieldByName("SD").asFloat() + 1);
        shared.fieldByName("ED").setAsFloat(shared.fieldByName("ED").asFloat() + 1);
        shared.fieldByName("UPDATE").setAsFloat(shared.fieldByName("UPDATE").asFloat() + 10);
        shared.post();
    }
    window.Session().State.StartupDone = true;
    window.Features().Pages->UpdatePollTimer();
    ASSERT_NE(BarOf(fitUnits), nullptr);
    EXPECT_NEAR(BarOf(fitUnits)->StartAt(), Day(8, 10), 1e-6);
    EXPECT_TRUE(window.PollClock()->isActive());
    EXPECT_TRUE(page->RefreshChart()->isEnabled());
}

// Refresh reopens the tables, writes a customer's new name into every one of
// its schedule items and pushes them; leaving the page and coming back builds
// the chart again.
TEST_F(VisualizePageTest, RefreshCarriesACustomersNewNameAndTheChartComesBack)
{
    {
        db::Table customers;
        customers.setFolder(window.Session().State.ScheduleFolder);
        customers.setTableName("customers.dbf");
        customers.open();
        ASSERT_TRUE(customers.locate("NAME", db::Value(std::string("Ames"))));
        customers.edit();
        customers.fieldByName("NAME").setAsString("Ames and Sons");
        customers.post();
    }
    Find<controls::TFcBitBtn>("RefreshChart")->Click();
    const auto customerName = [this](const std::string& folder, const char* table) {
        db::Table t;
        t.setFolder(folder);
        t.setTableName(table);
        t.open();
        EXPECT_TRUE(t.locate("CHARTSID", db::Value(double(paintWalls))));
        return t.fieldByName("CUSTNAME").asString();
    };
    EXPECT_EQ(customerName(window.Session().State.ProgramFolder, "Charts.DBF"), "Ames and Sons");
    EXPECT_EQ(customerName(window.Session().State.ScheduleFolder, "ICharts.DBF"), "Ames and Sons");
    EXPECT_NE(BarOf(paintWalls), nullptr);

    window.Session().State.StartupDone = window.Session().State.SelectionReady = true;
    window.TabControl()->setCurrentIndex(TMainScreen::CalendarPage);
    EXPECT_TRUE(page->Logic().Chart.ChartBars.empty());
    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    EXPECT_EQ(page->Logic().Chart.ChartBars.size(), 3u);
}

// The date lines of a day start at the working day's start that the Work
// calendar page shows.
TEST_F(VisualizePageTest, TheChartReadsTheWorkingDayOfTheWorkCalendarPage)
{
    schedule::CalendarControls calendar = window.Features().Calendar->Page()->Controls();
    calendar.SpecifyWorkingDay = true;
    calendar.StartDayTime = Day(7, 7, 30);
    window.Features().Calendar->Page()->SetControls(calendar);
    window.Features().Visualize->BuildChart(false);
    EXPECT_TRUE(page->Logic().Controls.SpecifyWorkingDay);
    EXPECT_NEAR(TimePart(page->Logic().Controls.StartDayTime), EncodeTime(7, 30, 0, 0), 1e-6);

    calendar.SpecifyWorkingDay = false;
    window.Features().Calendar->Page()->SetControls(calendar);
    window.Features().Visualize->BuildChart(false);
    EXPECT_FALSE(page->Logic().Controls.SpecifyWorkingDay);
}

// The chart follows the restrictions ticked on the Add / Edit / Query page as
// they stand when it reads its controls, whichever page is in front.
TEST_F(VisualizePageTest, TheChartReadsTheRestrictionsOfTheQueryPage)
{
    TQueryPage* query = window.Features().Query->Page();
    auto* active = query->findChild<controls::TFcCheckBox*>(QStringLiteral("RestrictToActive"));
    ASSERT_NE(active, nullptr);
    const bool before = page->Logic().Controls.RestrictToActive;
    active->ChangeState();
    window.Features().Visualize->BuildChart(false);
    EXPECT_EQ(page->Logic().Controls.RestrictToActive, !before);
    EXPECT_EQ(page->Logic().Controls.AnyQueryRestriction(), !before);
    active->ChangeState();
    window.Features().Visualize->BuildChart(false);
    EXPECT_EQ(page->Logic().Controls.RestrictToActive, before);
}

// A double click and the Task list button clear the chart for their editors,
// which rebuild it when they close; until the task list editor exists the
// chart must not be left empty.
TEST_F(VisualizePageTest, TheChartIsNotLeftEmptyByTheEditorsButtons)
{
    Find<controls::TFcBitBtn>("EditChartButton")->Click();
    // The job task list is open over the chart; closing it rebuilds the chart.
    tasks::TEditChart* list = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<tasks::TEditChart*>(w); found && found->isVisible())
            list = found;
    ASSERT_NE(list, nullptr);
    list->findChild<controls::TFcBitBtn*>("Done")->Click();
    EXPECT_EQ(page->Logic().Chart.ChartBars.size(), 3u);
    page->Logic().Handlers.RACAllocationDblClick(BarOf(fitUnits));
    ASSERT_TRUE(window.Features().Editor->Editor()->isVisible());
    window.Features().Editor->Editor()->close();
    EXPECT_EQ(page->Logic().Chart.ChartBars.size(), 3u);
}

TEST_F(VisualizePageTest, InsertTimeMovesTasksAtOnceAndSharesThemWhenTheTimerFires)
{
    EXPECT_EQ(Find<controls::TFcBitBtn>("InsertSpace")->Caption(), "Insert time");
    EXPECT_EQ(Find<controls::TFcBitBtn>("RemoveSpace")->Caption(), "Remove time");
    tasks::TInsertSlot* dialog = window.Features().TimeBlocks->InsertSlot();
    QTimer::singleShot(0, [&] {
        dialog->Controls.Units[timeblocks::kSlotHours]->SetChecked(true);
        dialog->Controls.UpDown2->setValue(2);
        dialog->Controls.AllResources->SetChecked(true);
        dialog->Controls.SlotStartDate->setDate(QDate(2026, 12, 7));
        dialog->Controls.SlotStartTime->setTime(QTime(10, 0));
        dialog->findChild<controls::TFcBitBtn*>("Ok")->Click();
    });
    Click("InsertSpace");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    EXPECT_TRUE(window.RemoveSpaceClock()->isActive());
    EXPECT_TRUE(Find<controls::TFcBitBtn>("RemoveSpace")->isEnabled());
    EXPECT_GE(Working(fitUnits, "SD"), Day(7, 12) - 1e-6);
    EXPECT_NEAR(Shared(fitUnits, "SD"), Day(7, 10), 1e-6);
    // The bar follows the working copy at once.
    EXPECT_NEAR(BarOf(fitUnits)->StartAt(), Working(fitUnits, "SD"), 1e-6);

    window.RemoveSpaceClock()->stop();
    window.Features().TimeBlocks->RemoveSpaceTimerTimer();
    EXPECT_FALSE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    EXPECT_FALSE(window.Session().State.InsertTimePending);
    EXPECT_NEAR(Shared(fitUnits, "SD"), Working(fitUnits, "SD"), 1e-6);
}

// What the shutdown writes to params.dbf is the period the chart control shows:
// a period off the quarter-hour grid is shown on it, and so saved rounded; one
// the chart was left showing off the grid (a drag of the plot does that) is
// saved as it stands.
class ChartPeriodSavedTest : public VisualizePageTest {
protected:
    std::pair<double, double> SavedPeriod()
    {
        const std::string folder = window.Session().State.ProgramFolder;
        window.close();
        db::Table params;
        params.setFolder(folder);
        params.setTableName("params.dbf");
        params.open();
        params.first();
        const std::pair<double, double> period{params.fieldByName("CHARTSD").asFloat(),
                                               params.fieldByName("CHARTED").asFloat()};
        params.close();
        return period;
    }
};

TEST_F(ChartPeriodSavedTest, APeriodOffTheGridIsShownAndSavedOnIt)
{
    const TDateTime start = Day(7, 8, 7);
    const TDateTime end = Day(21, 17, 52);
    window.Features().Visualize->SetChartDateRange(true, start, end);
    EXPECT_EQ(rac->StartAt(), data::RoundUpToQuarterHour(start));
    const auto [savedStart, savedEnd] = SavedPeriod();
    EXPECT_EQ(savedStart, data::RoundUpToQuarterHour(start));
    EXPECT_EQ(savedEnd, data::RoundUpToQuarterHour(end));
    EXPECT_EQ(savedEnd, Day(21, 18));
}

TEST_F(ChartPeriodSavedTest, APeriodTheChartShowsOffTheGridIsSavedAsItStands)
{
    rac->SetDateTime(Day(7, 8, 7) + 0.3 / 86400, Day(9, 16, 52) + 0.3 / 86400);
    const TDateTime start = rac->StartAt();
    const TDateTime end = rac->EndAt();
    ASSERT_NE(start, data::RoundUpToQuarterHour(start));
    const auto [savedStart, savedEnd] = SavedPeriod();
    // The stored number keeps about a millisecond.
    EXPECT_NEAR(savedStart, start, 1e-8);
    EXPECT_NEAR(savedEnd, end, 1e-8);
    EXPECT_NE(savedStart, data::RoundUpToQuarterHour(start));
}

// A zoom asks for a period off the grid and the chart shows it on the grid;
// a drag of the plot leaves the chart off the grid. Either way the print
// dialog opens on the grid, and the shutdown saves what the chart shows,
// whether or not the print dialog was opened before.
TEST_F(ChartPeriodSavedTest, AfterAZoomOrADragAndThePrintDialogTheChartsPeriodIsSaved)
{
    const auto openAndClosePrintDialog = [this] {
        page->PrintPreviewButton()->Click();
        reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
        EXPECT_NE(dialog, nullptr);
        std::pair<TDateTime, TDateTime> shown{0, 0};
        if (dialog) {
            shown = {dialog->Request().Period.Start, dialog->Request().Period.End};
            dialog->close();
        }
        return shown;
    };
    window.Features().Visualize->SetChartDateRange(true, Day(1, 8, 7), Day(28, 17, 52));
    Click("ZoomIn");  // a margin of about 6h30 off each end
    const TDateTime zoomedStart = rac->StartAt();
    ASSERT_EQ(zoomedStart, data::RoundUpToQuarterHour(Day(1, 8, 15) + 0.01 * (Day(28, 18) - Day(1, 8, 15))));
    EXPECT_EQ(openAndClosePrintDialog(), std::make_pair(rac->StartAt(), rac->EndAt()));
    EXPECT_EQ(window.Session().Chart.ChartStartAt, zoomedStart);

    // Dragged on an empty part of the plot, past the bars.
    const chart::TRACResource* row = rac->Resources(0);
    const QPoint from(rac->width() * 3 / 4, (row->DisplayTop() + row->DisplayBottom()) / 2);
    QTest::mousePress(rac, Qt::LeftButton, {}, from);
    QTest::mouseMove(rac, from - QPoint(20, 0));
    QTest::mouseMove(rac, from - QPoint(37, 0));
    QTest::mouseRelease(rac, Qt::LeftButton, {}, from - QPoint(37, 0));
    const TDateTime start = rac->StartAt();
    const TDateTime end = rac->EndAt();
    ASSERT_GT(start, zoomedStart) << "the plot was dragged";
    ASSERT_NE(start, data::RoundUpToQuarterHour(start));
    EXPECT_EQ(Find<controls::TFcStatusPane>("ChartStartDate")->Caption().toStdString(),
              data::DateTimeText(data::RoundUpToQuarterHour(start)));
    EXPECT_EQ(openAndClosePrintDialog(),
              std::make_pair(data::RoundUpToQuarterHour(start), data::RoundUpToQuarterHour(end)));

    const auto [savedStart, savedEnd] = SavedPeriod();
    EXPECT_NEAR(savedStart, start, 1e-8);
    EXPECT_NEAR(savedEnd, end, 1e-8);
}

}  // namespace
}  // namespace tw::app
