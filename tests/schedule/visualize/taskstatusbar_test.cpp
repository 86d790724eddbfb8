#include "pagefixture.h"

namespace tw::visualize::testing {
namespace {

class TaskStatusBarTest : public PageFixture {
protected:
    void SetUp() override
    {
        AddCustomer(1100, "Ames");
        AddTask({.Id = 1, .Desc = "Paint", .Start = Day(8, 9), .End = Day(8, 21), .Hours = 12, .Crew = 1});
        AddTask({.Id = 2, .Desc = "Sand", .Start = Day(8, 21), .End = Day(8, 22), .Hours = 1, .Crew = 1});
        AddTask({.Id = 3,
                 .Desc = "Roof",
                 .Start = Day(8, 9),
                 .End = Day(8, 22),
                 .Hours = 13,
                 .Crew = 1,
                 .IsJob = true});
    }
    void ShowRecord(int id)
    {
        c1.refresh();
        ASSERT_TRUE(c1.locate("CHARTSID", db::Value(static_cast<double>(id))));
        status.ShowTaskStatusBar();
    }
};

TEST_F(TaskStatusBarTest, ATaskShowsItsCustomerDescriptionAndLengthOrAConflict)
{
    ShowRecord(1);
    EXPECT_EQ(ui.Status[0], "Ames");
    EXPECT_EQ(ui.Status[1], "Paint");
    EXPECT_EQ(ui.Status[2], "12.00 hours");
    EXPECT_NEAR(display.CurrentTaskStart, Day(8, 9), 1e-6);
    EXPECT_EQ(display.TasksFound, 0);

    // Touching Sand at 21:00 is no conflict; overlapping it is.
    c5.locate("CHARTSID", db::Value(2.0));
    c5.edit();
    c5.fieldByName("SD").setAsFloat(Day(8, 20));
    c5.post();
    ShowRecord(1);
    EXPECT_EQ(ui.Status[2], "Resource conflict");
    // A job summary row never shows a conflict.
    ShowRecord(3);
    EXPECT_EQ(ui.Status[2], "13.00 hours");
}

TEST_F(TaskStatusBarTest, WithoutATaskNoLengthIsShown)
{
    for (c5.first(); !c5.eof();)
        c5.deleteRecord();
    c1.refresh();
    ui.Status[2] = "stale";
    status.ShowTaskStatusBar();
    EXPECT_EQ(ui.Status[0], "");
    EXPECT_EQ(ui.Status[1], "");
    EXPECT_EQ(ui.Status[2], "");
}

TEST_F(TaskStatusBarTest, UnderAQueryRestrictionTheCountOfTasksFoundIsShown)
{
    controls.RestrictByDate = true;
    ShowRecord(1);
    EXPECT_EQ(ui.Status[0], "");
    EXPECT_EQ(ui.Status[1], "3 tasks found");
    EXPECT_EQ(ui.Status[2], "");
    EXPECT_EQ(display.TasksFound, 3);
}

TEST_F(TaskStatusBarTest, ABarsTimesAreShownOnTheQuarterHourGrid)
{
    builder.BuildChart(true);
    TResourceAllocation* bar = chart.ChartBars.front();
    bar->SetDateTime(Day(9, 9, 7), Day(9, 11, 52));
    status.WriteTaskTimes(bar, 2.75f);
    EXPECT_EQ(ui.Status[1], "12/9/2026 9:15 AM  to  12/9/2026 12:00 PM");
    EXPECT_EQ(ui.Status[2], "2.75 hours");

    builder.SaveAndClearAllocations(false);
    TChart other;
    TResourceAllocation* stray = other.AddResource("x", 0, chart::rsBlock)->AddSlot(Day(9, 9), Day(9, 10));
    status.WriteTaskTimes(stray, 1);
    EXPECT_EQ(ui.Status[0], "Internal error");
    EXPECT_EQ(ui.Status[1], "Cannot locate task record");
}

}  // namespace
}  // namespace tw::visualize::testing
