#include "pagefixture.h"

namespace tw::visualize::testing {
namespace {

constexpr double kQuarter = 15.0 / 1440.0;

class NudgeTest : public PageFixture {
protected:
    void SetUp() override
    {
        AddTask({.Id = 1, .Desc = "Paint", .Start = Day(8, 9), .End = Day(8, 11), .Hours = 2});
        AddTask({.Id = 2, .Desc = "Sand", .Start = Day(8, 12), .End = Day(8, 13), .Hours = 1});
        controls.ChartSortBy = 2;
        builder.BuildChart(true);
        chart.SelectedBar = BarOf(1);
    }
};

struct NudgeCase {
    const char* name;
    void (ChartAdjuster::*handler)();
    TDateTime start;
    TDateTime end;
    float hours;
};

TEST_F(NudgeTest, EachNudgeMovesOrStretchesTheTaskByAQuarterHourAndWritesItOnceTheTimerFires)
{
    const NudgeCase cases[] = {
        {"compress", &ChartAdjuster::DecreScheduleClick, Day(8, 9), Day(8, 10, 45), 1.75f},
        {"lengthen", &ChartAdjuster::IncreScheduleClick, Day(8, 9), Day(8, 11, 15), 2.25f},
        {"left", &ChartAdjuster::MoveTaskLeftClick, Day(8, 8, 45), Day(8, 10, 45), 2},
        {"right", &ChartAdjuster::MoveTaskRightClick, Day(8, 9, 15), Day(8, 11, 15), 2},
    };
    for (const NudgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Back to where the task started.
        builder.SaveAndClearAllocations(false);
        c5.refresh();
        c5.locate("CHARTSID", db::Value(1.0));
        c5.edit();
        WriteTaskPeriod(c5, Day(8, 9), Day(8, 11));
        c5.fieldByName("HOURS").setAsFloat(2);
        c5.post();
        builder.BuildChart(false);
        chart.SelectedBar = BarOf(1);
        pushedRecords.clear();
        const double updateBefore = Read(1, "UPDATE");

        (adjuster.*c.handler)();
        EXPECT_NEAR(BarOf(1)->StartAt(), c.start, 1e-6);
        EXPECT_NEAR(BarOf(1)->EndAt(), c.end, 1e-6);
        EXPECT_NEAR(Read(1, "SD"), c.start, 1e-6);
        EXPECT_NEAR(Read(1, "ED"), c.end, 1e-6);
        EXPECT_FLOAT_EQ(static_cast<float>(Read(1, "HOURS")), c.hours);
        EXPECT_DOUBLE_EQ(Read(1, "UPDATE"), updateBefore + 1);
        EXPECT_TRUE(state.NudgePending);
        EXPECT_TRUE(timerArmed);
        EXPECT_TRUE(pushedRecords.empty());

        adjuster.MicroAdjustTimer();
        EXPECT_EQ(pushedRecords, std::vector<std::int32_t>{1});
        EXPECT_FALSE(state.NudgePending);
        EXPECT_FALSE(timerArmed);
    }
}

TEST_F(NudgeTest, ABurstOfNudgesIsWrittenOnce)
{
    adjuster.MoveTaskLeftClick();
    adjuster.MoveTaskLeftClick();
    adjuster.MoveTaskLeftClick();
    EXPECT_TRUE(pushedRecords.empty());
    adjuster.MicroAdjustTimer();
    adjuster.MicroAdjustTimer();
    EXPECT_EQ(pushedRecords, std::vector<std::int32_t>{1});
    EXPECT_NEAR(Read(1, "SD"), Day(8, 8, 15), 1e-6);
}

TEST_F(NudgeTest, AQuarterHourTaskIsNotCompressedFurther)
{
    chart.SelectedBar = BarOf(2);
    for (int i = 0; i < 6; ++i)
        adjuster.DecreScheduleClick();
    EXPECT_NEAR(BarOf(2)->EndAt() - BarOf(2)->StartAt(), kQuarter, 1e-6);
    EXPECT_NEAR(Read(2, "ED"), Day(8, 12, 15), 1e-6);
}

TEST_F(NudgeTest, MovingIntoAnotherTaskOfTheResourceIsUndoneAndWritesNothing)
{
    // Lengthened up to Sand (12:00), the next step would overlap it.
    for (int i = 0; i < 4; ++i)
        adjuster.IncreScheduleClick();
    adjuster.MicroAdjustTimer();
    pushedRecords.clear();
    const double updateBefore = Read(1, "UPDATE");
    adjuster.IncreScheduleClick();
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(8, 12), 1e-6);
    EXPECT_NEAR(Read(1, "ED"), Day(8, 12), 1e-6);
    EXPECT_DOUBLE_EQ(Read(1, "UPDATE"), updateBefore + 0);
    EXPECT_FALSE(state.NudgePending);
}

TEST_F(NudgeTest, StretchingIntoTimeWithoutWorkingHoursPutsTheBarBackAndKeepsTheRecord)
{
    // No working hours lie between the new ends: the task would be written
    // with 0 hours and collapse at the next write-back.
    schedule::CalendarRecord none;
    none.MONDAY = none.TUESDAY = none.WEDNESDAY = none.THURSDAY = none.FRIDAY = false;
    calendar = none;
    adjuster.IncreScheduleClick();
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(8, 11), 1e-6);
    EXPECT_FLOAT_EQ(static_cast<float>(Read(1, "HOURS")), 2);
    EXPECT_NEAR(Read(1, "ED"), Day(8, 11), 1e-6);
    EXPECT_FALSE(state.NudgePending);
}

TEST_F(NudgeTest, NothingIsNudgedInDependencySetupOrOnAReadOnlyCopyOrWithoutASelection)
{
    state.DependencySetupMode = true;
    adjuster.MoveTaskRightClick();
    state.DependencySetupMode = false;
    state.ReadOnlyCopy = true;
    adjuster.MoveTaskRightClick();
    state.ReadOnlyCopy = false;
    chart.SelectedBar = nullptr;
    adjuster.MoveTaskRightClick();
    EXPECT_NEAR(Read(1, "SD"), Day(8, 9), 1e-6);
    EXPECT_FALSE(state.NudgePending);
}

TEST_F(NudgeTest, ALinkedBarFollowsTheNudgedOne)
{
    c5.refresh();
    c5.locate("CHARTSID", db::Value(2.0));
    c5.edit();
    c5.fieldByName("DGN").setAsFloat(2);
    c5.fieldByName("DG").setAsFloat(1);
    c5.fieldByName("OFFSET").setAsFloat(1.0 / 24);
    c5.post();
    c5.locate("CHARTSID", db::Value(1.0));
    c5.edit();
    c5.fieldByName("DGN").setAsFloat(1);
    c5.fieldByName("DG").setAsFloat(1);
    c5.post();
    controls.ChartSortBy = kSortByDependentGroup;
    builder.BuildChart(true);
    chart.SelectedBar = BarOf(1);
    adjuster.MoveTaskRightClick();
    EXPECT_NEAR(BarOf(2)->StartAt(), Day(8, 12, 15), 1e-6);
    EXPECT_NEAR(Read(2, "SD"), Day(8, 12, 15), 1e-6);
}

class ZoomTest : public PageFixture {
protected:
    void SetUp() override
    {
        AddTask({.Id = 1, .Desc = "A", .Start = Day(7, 8), .End = Day(7, 12), .Hours = 4});
        AddTask({.Id = 2, .Desc = "B", .Start = Day(9, 8), .End = Day(9, 10), .Hours = 2});
        AddTask({.Id = 3, .Desc = "C", .Start = Day(11, 8), .End = Day(11, 9), .Hours = 1});
        controls.ChartSortBy = 2;
        builder.BuildChart(true);
    }
};

TEST_F(ZoomTest, ZoomInTakesOnePercentOffEachEndDownToAQuarterHour)
{
    dates.SetChartDateRange(true, Day(10), Day(20));
    adjuster.ZoomInClick();
    EXPECT_NEAR(RAC.StartAt(), Day(10, 2, 30), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(19, 21, 45), 1e-6);
    EXPECT_NEAR(display.ChartSpanDays, 9.8, 1e-9);

    dates.SetChartDateRange(true, Day(10, 8), Day(10, 8, 15));
    adjuster.ZoomInClick();
    EXPECT_NEAR(RAC.StartAt(), Day(10, 8), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(10, 8, 15), 1e-6);
}

TEST_F(ZoomTest, ZoomOutWidensThePeriodOrUnderADateRestrictionTheQuery)
{
    dates.SetChartDateRange(true, Day(10), Day(20));
    adjuster.ZoomOutClick();
    EXPECT_NEAR(display.ChartSpanDays, 10.2, 1e-9);
    EXPECT_NEAR(RAC.StartAt(), Day(9, 21, 45), 1e-6);
    EXPECT_LE(display.EarliestBarStart, Day(7, 8));

    controls.RestrictByDate = true;
    controls.TaskStartDate = Day(10);
    controls.TaskEndDate = Day(20);
    dates.SetChartDateRange(true, Day(10), Day(20));
    adjuster.ZoomOutClick();
    EXPECT_EQ(queriesApplied, 1);
    EXPECT_NEAR(controls.TaskStartDate, Day(9), 1e-9);
    EXPECT_NEAR(controls.TaskEndDate, Day(20), 1e-9);
}

TEST_F(ZoomTest, ZoomForwardStepsFromTaskToTaskAndBackStepsBack)
{
    const struct {
        bool back;
        TDateTime start;
        TDateTime end;
        int stepAfter;
    } steps[] = {
        {false, Day(7, 8), Day(7, 16), 2},   {false, Day(9, 8), Day(9, 12), 3},
        {false, Day(11, 8), Day(11, 10), 4}, {false, Day(11, 8), Day(11, 10), 5},
        {true, Day(11, 8), Day(11, 10), 4},  {true, Day(9, 8), Day(9, 12), 3},
        {true, Day(7, 8), Day(7, 16), 2},    {true, Day(7, 8), Day(7, 16), 2},
    };
    for (const auto& s : steps) {
        if (s.back)
            adjuster.ZoomBackwardClick();
        else
            adjuster.ZoomForwardClick();
        EXPECT_NEAR(RAC.StartAt(), s.start, 1e-6);
        EXPECT_NEAR(RAC.EndAt(), s.end, 1e-6);
        EXPECT_EQ(display.ZoomStep, s.stepAfter);
    }
}

TEST_F(ZoomTest, AlignKeepsTheSpanAndPutsTheFirstOrLastBarAtTheEdge)
{
    dates.SetChartDateRange(true, Day(20), Day(22));
    adjuster.AlignLeftClick();
    EXPECT_NEAR(RAC.StartAt(), Day(7, 8), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(9, 8), 1e-6);
    adjuster.AlignRightClick();
    EXPECT_NEAR(RAC.StartAt(), Day(9, 9), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(11, 9), 1e-6);
}

TEST_F(ZoomTest, ZoomAndAlignDoNothingDuringDependencySetup)
{
    dates.SetChartDateRange(true, Day(20), Day(22));
    state.DependencySetupMode = true;
    adjuster.ZoomInClick();
    adjuster.ZoomOutClick();
    adjuster.ZoomForwardClick();
    adjuster.AlignLeftClick();
    EXPECT_NEAR(RAC.StartAt(), Day(20), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(22), 1e-6);
}

struct GridCase {
    double span;
    double interval;
    chart::TDateTimeStyle style;
};

TEST_F(PageFixture, TheGridFollowsTheSpanOfTheChartPeriod)
{
    const GridCase cases[] = {
        {1.0 / 24, ChartDates::kTwelveMinutes, chart::dtDateAndTime},
        {1.0, ChartDates::kOneHour, chart::dtDateAndTime},
        {7.0, 1.0, chart::dtDateAndTime},
        {8.0, 1.0, chart::dtDateOnly},
        {31.0, 1.0, chart::dtDateOnly},
        {93.0, 7.0, chart::dtDateOnly},
        {94.0, 28.0, chart::dtDateOnly},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.span);
        dates.SetChartDateRange(true, Day(1), Day(1) + c.span);
        EXPECT_DOUBLE_EQ(gridInterval, c.interval);
        EXPECT_EQ(gridStyle, c.style);
        EXPECT_NEAR(display.ChartGridCount, c.span / c.interval, 1e-6);
    }
}

TEST_F(PageFixture, AReversedPeriodIsSwappedAndGetsTheGridOfItsRealSpan)
{
    dates.SetChartDateRange(true, Day(20), Day(10));
    EXPECT_NEAR(RAC.StartAt(), Day(10), 1e-9);
    EXPECT_NEAR(RAC.EndAt(), Day(20), 1e-9);
    EXPECT_DOUBLE_EQ(display.ChartGridInterval, 1.0);
    EXPECT_DOUBLE_EQ(display.ChartGridCount, 10.0);
    EXPECT_EQ(ui.Status[0], "Start and end dates were reversed");

    dates.SetChartDateRange(true, Day(5, 10), Day(5, 10));
    EXPECT_NEAR(RAC.EndAt(), Day(6, 10), 1e-9);
    EXPECT_EQ(ui.Status[0], "End date was set one day later");
}

TEST_F(PageFixture, TheChartPeriodIsKeptOnTheQuarterHourGrid)
{
    dates.SetChartDateRange(true, Day(8, 9, 5), Day(8, 17, 50));
    dates.SetChartPeriod(Day(8, 9, 5), Day(8, 17, 50));
    EXPECT_NEAR(display.ShownStart(), Day(8, 9, 15), 1e-9);
    EXPECT_NEAR(display.ShownEnd(), Day(8, 18), 1e-9);
    EXPECT_NEAR(display.ChartSpanDays, 0.364583, 1e-6);
    EXPECT_EQ(controls.ChartStartDateCaption, "12/8/2026 9:15 AM");
}

// The session keeps the period the chart holds, whatever set it: on the grid
// when this page set it, as it stands when the chart moved it itself.
TEST_F(PageFixture, TheSessionKeepsThePeriodTheChartHolds)
{
    const struct {
        const char* how;
        TDateTime start, end;
        TDateTime keptStart, keptEnd;
    } cases[] = {
        {"set off the grid", Day(8, 9, 5), Day(8, 17, 50), Day(8, 9, 15), Day(8, 18)},
        {"reversed", Day(9), Day(8, 9, 5), Day(8, 9, 15), Day(9)},
        {"empty", Day(8, 9, 5), Day(8, 9, 5), Day(8, 9, 15), Day(9, 9, 15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        dates.SetChartDateRange(true, c.start, c.end);
        EXPECT_NEAR(display.ChartStartAt, c.keptStart, 1e-9);
        EXPECT_NEAR(display.ChartEndAt, c.keptEnd, 1e-9);
    }
    // As a drag of the plot leaves it.
    RAC.SetDateTime(Day(8, 9, 5), Day(8, 17, 50));
    EXPECT_EQ(display.ChartStartAt, Day(8, 9, 5));
    EXPECT_EQ(display.ChartEndAt, Day(8, 17, 50));
}

}  // namespace
}  // namespace tw::visualize::testing
