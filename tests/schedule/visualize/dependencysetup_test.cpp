#include "pagefixture.h"

namespace tw::visualize::testing {
namespace {

class DependencySetupTest : public PageFixture {
protected:
    void SetUp() override
    {
        AddTask({.Id = 1, .Desc = "A", .Start = Day(7, 8), .End = Day(7, 12), .Hours = 4});
        AddTask({.Id = 2, .Desc = "B", .Start = Day(7, 14), .End = Day(7, 16), .Hours = 2, .Crew = 2});
        AddTask({.Id = 3, .Desc = "C", .Start = Day(7, 15), .End = Day(7, 17), .Hours = 2, .Crew = 3});
        controls.ChartSortBy = 2;
        builder.BuildChart(true);
    }
    void Click(int id) { handlers.RACAllocationClick(BarOf(id)); }
};

TEST_F(DependencySetupTest, ClickingTasksInOrderChainsThemIntoAGroup)
{
    dependencies.SetDependenciesClick();
    EXPECT_EQ(ui.Status[0], "Click on the parent task");
    const double updateA = Read(1, "UPDATE");
    const double updateB = Read(2, "UPDATE");
    const double updateC = Read(3, "UPDATE");
    Click(1);
    EXPECT_EQ(BarOf(1)->Color(), kGroupFirstColour);
    Click(2);
    Click(3);
    EXPECT_EQ(BarOf(3)->Color(), kGroupDependentColour);
    EXPECT_EQ(ui.Status[1], "Click red button to end dependency setup");

    const struct {
        int id;
        double dgn, pid, child, offset;
        bool parent;
    } expected[] = {
        {1, 1, 0, 2, 0, true},
        {2, 2, 1, 3, Day(7, 14) - Day(7, 12), false},
        // C starts before B ends: a negative offset.
        {3, 3, 2, 0, Day(7, 15) - Day(7, 16), false},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        EXPECT_NEAR(Read(e.id, "DG"), Day(7, 8), 1e-6);
        EXPECT_EQ(Read(e.id, "DGN"), e.dgn);
        EXPECT_EQ(Read(e.id, "PID"), e.pid);
        EXPECT_EQ(Read(e.id, "CHILD"), e.child);
        EXPECT_NEAR(Read(e.id, "OFFSET"), e.offset, 1e-6);
        EXPECT_EQ(ReadFlag(e.id, "PARENT"), e.parent);
    }
    // A's counter rises twice (group start, then its CHILD), B's once (its
    // CHILD), and the last task's not at all.
    EXPECT_EQ(Read(1, "UPDATE"), updateA + 2);
    EXPECT_EQ(Read(2, "UPDATE"), updateB + 1);
    EXPECT_EQ(Read(3, "UPDATE"), updateC);

    dependencies.StopButtonClick();
    EXPECT_EQ(pushAll, 1);
    EXPECT_FALSE(state.DependencySetupMode);
    EXPECT_EQ(controls.ChartSortBy, kSortByDependentGroup);
    EXPECT_EQ(ui.Status[1], "Completed dependency task setup");
    // Rebuilt in group order: the group's bars are linked and keep their places.
    EXPECT_EQ(NextGroupBar(BarOf(1)), BarOf(2));
    EXPECT_EQ(NextGroupBar(BarOf(2)), BarOf(3));
    EXPECT_NEAR(BarOf(3)->StartAt(), Day(7, 15), 1e-6);
}

TEST_F(DependencySetupTest, ABarClickedTwiceInOneSetupIsTakenOnce)
{
    dependencies.SetDependenciesClick();
    Click(1);
    Click(2);
    Click(2);
    Click(3);
    EXPECT_EQ(Read(2, "PID"), 1);
    EXPECT_EQ(Read(2, "CHILD"), 3);
    EXPECT_EQ(Read(3, "PID"), 2);
    EXPECT_EQ(Read(3, "DGN"), 3);
    EXPECT_NE(NextGroupBar(BarOf(2)), BarOf(2));
}

TEST_F(DependencySetupTest, ResetTakesTheBarsPositionsAsTheNewOffsets)
{
    dependencies.SetDependenciesClick();
    Click(1);
    Click(2);
    dependencies.StopButtonClick();
    // B dragged one hour later during a set-up-free moment, then reset.
    BarOf(2)->SetDateTime(Day(7, 15), Day(7, 17));
    chart.SelectedBar = BarOf(1);
    dependencies.ResetDependenciesClick();
    EXPECT_NEAR(Read(2, "OFFSET"), Day(7, 15) - Day(7, 12), 1e-6);
    EXPECT_EQ(ui.Status[0], "Dependencies reset for task: A");
    EXPECT_EQ(ui.Status[1], "Dependent tasks: B");

    chart.SelectedBar = BarOf(3);
    dependencies.ResetDependenciesClick();
    EXPECT_EQ(ui.Status[0], "C has no dependent tasks");
    EXPECT_EQ(ui.Status[1], "");
}

}  // namespace
}  // namespace tw::visualize::testing
