#include "pagefixture.h"

namespace tw::visualize::testing {
namespace {

class ChartEventsTest : public PageFixture {
protected:
    void SetUp() override
    {
        AddCrew(1, "North");
        AddCrew(2, "South");
        AddTask({.Id = 1,
                 .Desc = "Paint",
                 .Start = Day(8, 9),
                 .End = Day(8, 11),
                 .Hours = 2,
                 .Crew = 1,
                 .Status = 2});
        AddTask({.Id = 2, .Desc = "Sand", .Start = Day(8, 12), .End = Day(8, 13), .Hours = 1, .Crew = 1});
        AddTask({.Id = 3, .Desc = "Haul", .Start = Day(8, 12), .End = Day(8, 14), .Hours = 2, .Crew = 2});
        controls.ChartSortBy = 2;
        builder.BuildChart(true);
    }
};

TEST_F(ChartEventsTest, AMovedTaskKeepsItsHoursAndIsWrittenAndPushed)
{
    Drag(1, Day(9, 9), Day(9, 10), 800);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(9, 9), 1e-6);
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(9, 11), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(9, 9), 1e-6);
    EXPECT_NEAR(Read(1, "ED"), Day(9, 11), 1e-6);
    EXPECT_NEAR(Read(1, "EDD"), Day(9), 1e-6);
    EXPECT_EQ(pushedRecords, std::vector<std::int32_t>{1});
    EXPECT_EQ(ui.Status[0], "Paint");
    EXPECT_EQ(ui.Status[1], "12/9/2026 9:00 AM  to  12/9/2026 11:00 AM");
    EXPECT_EQ(ui.Status[2], "2.00 hours");
}

TEST_F(ChartEventsTest, ADragOntoAnotherTaskOfTheResourceIsRefused)
{
    // Haul (resource 2) is in another row; Paint moved onto Sand's time
    // overlaps a task of its own resource.
    Drag(1, Day(8, 12, 30), Day(8, 13, 30), 800);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 9), 1e-6);
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(8, 11), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(8, 9), 1e-6);
    EXPECT_EQ(ui.Status[2], "Resource conflict");
    EXPECT_TRUE(pushedRecords.empty());
}

TEST_F(ChartEventsTest, ABarWhoseRecordWasPulledMeanwhileIsOnlyPutBack)
{
    c5.locate("CHARTSID", db::Value(1.0));
    c5.edit();
    c5.fieldByName("PTR").setAsFloat(0);
    c5.post();
    Drag(1, Day(9, 9), Day(9, 11), 800);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 9), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(8, 9), 1e-6);
    EXPECT_EQ(ui.Status[2], "");
    EXPECT_TRUE(pushedRecords.empty());
}

TEST_F(ChartEventsTest, AShortPressIsAClickAndALongerOneAMoveAlsoAcrossMidnight)
{
    Drag(1, Day(9, 9), Day(9, 11), 200);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 9), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(8, 9), 1e-6);
    // Pressed at 23:59:59.900 and released 400 ms later: milliseconds since
    // midnight would make that a click; the clock that never goes back does not.
    clockMs = 86'399'900;
    Drag(1, Day(9, 9), Day(9, 11), 400);
    EXPECT_NEAR(Read(1, "SD"), Day(9, 9), 1e-6);
}

TEST_F(ChartEventsTest, InJobDisplayBarsCannotBeMoved)
{
    controls.ShowJobsOnly = 0;
    EXPECT_FALSE(handlers.RACAllocationDragStart(BarOf(1)));
}

TEST_F(ChartEventsTest, AClickHighlightsTheBarAndShowsItsTimes)
{
    handlers.RACAllocationClick(BarOf(1));
    EXPECT_EQ(chart.SelectedBar, BarOf(1));
    EXPECT_EQ(BarOf(1)->Color(), kHighlightColour);
    EXPECT_TRUE(controls.TaskControlsEnabled);
    handlers.RACAllocationClick(BarOf(2));
    EXPECT_EQ(BarOf(1)->Color(), kPlainRowColour);
    EXPECT_EQ(BarOf(2)->Color(), kHighlightColour);
    EXPECT_EQ(ui.Status[0], "Sand");
    EXPECT_EQ(ui.Status[2], "1.00 hours");
}

struct HintCase {
    const char* name;
    int mode;
    bool detail;
    std::string notes;
    std::string hint;
};

TEST_F(ChartEventsTest, TheHintFollowsTheHintSettings)
{
    AddAssignment(2, 1, 100, false);
    display.ChartSpanDays = 30;
    const std::string times = "12/8/2026 9:00 AM to 12/8/2026 11:00 AM";
    const std::string line = "Paint:  Single.    Status: In progress\n" + times + "\n2.00 hours";
    const std::string resources = "Assigned to:\n  North;  168 Hours per week\n  South;  168 Hours per week";
    const HintCase cases[] = {
        {"dates, length, status and notes", 0, false, "Bring ladder", line + "\nBring ladder"},
        {"same without notes", 0, false, "", line},
        {"dates, length and status", 1, false, "Bring ladder", line},
        {"with resources", 1, true, "", line + "\n" + resources},
        {"dates only", 2, false, "", "Paint:  " + times},
        {"none", 3, false, "", ""},
        {"resources only", 3, true, "", resources},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        c5.refresh();
        c5.locate("CHARTSID", db::Value(1.0));
        c5.edit();
        c5.fieldByName("NOTES").setAsString(c.notes);
        c5.post();
        c2.refresh();
        state.HintMode = c.mode;
        state.HintDetail = c.detail;
        EXPECT_EQ(handlers.RACAllocationAutoHint(BarOf(1)), c.hint);
    }
}

TEST_F(ChartEventsTest, TheHintTellsOfAnOverlapAndOfRepeats)
{
    AddTask(
        {.Id = 4, .Desc = "Mow", .Start = Day(9, 8), .End = Day(9, 9), .Hours = 1, .Crew = 2, .Chain = 7});
    builder.BuildChart(true);
    state.HintMode = 1;
    display.ChartSpanDays = 30;
    auto firstLine = [this](int id) {
        const std::string hint = handlers.RACAllocationAutoHint(BarOf(id));
        return hint.substr(0, hint.find('\n'));
    };
    EXPECT_EQ(firstLine(4), "Mow:  Reoccurring.    Status: Awarded");
    resourcesBusy = true;
    EXPECT_EQ(firstLine(2), "Sand:  Single.  Overlaps another task using same resource.  Status: Awarded");
}

TEST_F(ChartEventsTest, ADoubleClickOpensTheEditorOnTheTaskAfterTheWriteBack)
{
    handlers.RACAllocationDblClick(BarOf(3));
    EXPECT_EQ(editorOpenedOn, std::vector<std::int32_t>{3});
    EXPECT_EQ(RAC.Count(), 0);
    EXPECT_EQ(ui.Status[0], "Edit Haul");
}

}  // namespace
}  // namespace tw::visualize::testing
