// Two workstations on one schedule folder: the one under test shows the chart
// and polls, the other changes and deletes schedule items through its own
// working copy and the shared tables. What the other does must show on this
// chart after the next tick, and a nudge still waiting for its timer must not
// be pulled over.
#include <gtest/gtest.h>

#include <memory>

#include "app/mainpage.h"
#include "app/tabs/updatepoll.h"
#include "data/layouts/layouts.h"
#include "pagefixture.h"
#include "pollpages.h"
#include "workstation.h"

namespace tw::visualize::testing {
namespace {

// The poll lives in the app.
using namespace tw::app;

using schedule::test::TempFolder;
using schedule::test::Workstation;

// The fixture is this workstation's window and pages as the poll sees them:
// the chart and the synchronisation answer, the rest does nothing.
class PollStationsTest : public PageFixture, private PollView, private PollSchedule, private PollPagesDouble {
protected:
    PollStationsTest()
    {
        schedule::test::CreateLayout(folder_, *data::FindLayout("Tasks.DBF"));
        schedule::test::CreateScheduleFolder(shared_.path());
        schedule::test::CreateProgramFolder(otherFolder_.path());
        here_ = std::make_unique<Workstation>(folder_, shared_.path());
        other_ = std::make_unique<Workstation>(otherFolder_.path(), shared_.path());

        AddTask({.Id = 1, .Desc = "Gutters", .Start = Day(8, 8), .End = Day(8, 12), .Hours = 4, .Crew = 1});
        AddTask({.Id = 2, .Desc = "Fascia", .Start = Day(8, 13), .End = Day(8, 15), .Hours = 2, .Crew = 1});
        here_->sync.PushChartUpdates();
        other_->sync.PullChartUpdates(true);

        state.StartupDone = true;
        builder.BuildChart(true);
    }

    int ActivePage() const override { return SchedulePage; }
    bool RemoveObsoleteTasks() override { return here_->sync.RemoveObsoleteTasks(); }
    bool PullChartUpdates(bool force) override { return here_->sync.PullChartUpdates(force); }
    void SaveAndClearAllocations(bool recompute) override { builder.SaveAndClearAllocations(recompute); }
    void BuildChart(bool writeBack) override { builder.BuildChart(writeBack); }
    void RefreshChartsTable() override { c1.refresh(); }
    int ReadWorkCalendarMode() override { return state.WorkCalendarMode; }
    void SetPollTimerEnabled(bool) override {}
    void SetRefreshChartEnabled(bool) override {}
    void ReopenMyCompanyTable() override {}
    void RecomputeAllTaskEnds() override {}
    void ApplyQueryFilters() override {}

    // The other workstation moves an item by a day in its working copy and
    // pushes it, as its own chart would after a drag.
    void MoveElsewhere(int id, float update)
    {
        db::Table& t = other_->ChartsTable5;
        t.refresh();
        ASSERT_TRUE(t.locate("CHARTSID", db::Value(static_cast<double>(id))));
        t.edit();
        t.fieldByName("SD").setAsFloat(t.fieldByName("SD").asFloat() + 1);
        t.fieldByName("ED").setAsFloat(t.fieldByName("ED").asFloat() + 1);
        t.fieldByName("UPDATE").setAsFloat(update);
        t.post();
        ASSERT_TRUE(other_->sync.PushChartRecord(id));
    }

    TempFolder shared_, otherFolder_;
    std::unique_ptr<Workstation> here_, other_;
    query::QueryState query;
    UpdatePoll poll{state, query, ui, *this, PollPages{*this, *this}, *this};
};

TEST_F(PollStationsTest, ChangeAndDeletionElsewhereShowAfterTheNextTick)
{
    ASSERT_NE(BarOf(1), nullptr);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 8), 1e-6);

    MoveElsewhere(1, 7);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 8), 1e-6) << "nothing moves before the tick";
    poll.UpdatePollTimer();
    ASSERT_NE(BarOf(1), nullptr);
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(9, 8), 1e-6);
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(9, 12), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(9, 8), 1e-6);

    // Deleting parts delete in the shared table; the removal carries it here.
    other_->IChartsTable.refresh();
    ASSERT_TRUE(other_->IChartsTable.locate("CHARTSID", db::Value(2.0)));
    other_->IChartsTable.deleteRecord();
    poll.UpdatePollTimer();
    EXPECT_EQ(BarOf(2), nullptr);
    EXPECT_NE(BarOf(1), nullptr);
}

TEST_F(PollStationsTest, PendingNudgeIsNotPulledOver)
{
    // A nudge here wrote the working record and waits for its 1-second timer;
    // meanwhile the other workstation changed the same task.
    TResourceAllocation* bar = BarOf(1);
    ASSERT_NE(bar, nullptr);
    chart.SelectedBar = bar;
    page.Adjuster.MoveTaskRightClick();
    ASSERT_TRUE(state.NudgePending);
    EXPECT_NEAR(Read(1, "SD"), Day(8, 8, 15), 1e-6);
    MoveElsewhere(1, 9);

    poll.UpdatePollTimer();
    EXPECT_NEAR(Read(1, "SD"), Day(8, 8, 15), 1e-6) << "the tick stood aside";
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(8, 8, 15), 1e-6);
}

}  // namespace
}  // namespace tw::visualize::testing
