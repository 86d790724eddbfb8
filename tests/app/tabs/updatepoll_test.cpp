// The update poll over recording doubles of what it calls: when it stands
// aside, what one tick does in which order, and how it acts on a changed
// work-calendar mode, a removal or a pull, and on an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/db/types.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"
#include "pollpages.h"
#include "support/recordinguserinterface.h"

namespace tw::visualize {
namespace {

// The main window's page and poll logic lives in the app.
using namespace tw::app;

using Log = std::vector<std::string>;

class CursorRecordingUi : public data::RecordingUserInterface {
public:
    explicit CursorRecordingUi(Log& log) : log_(log) {}
    void SetBusyCursor(bool busy) override
    {
        Busy = busy;
        log_.push_back(busy ? "hourglass" : "default cursor");
    }
    void ShowMessage(const std::string& text, const std::string& caption, data::MessageIcon icon) override
    {
        log_.push_back("message");
        RecordingUserInterface::ShowMessage(text, caption, icon);
    }
    bool Busy = false;

private:
    Log& log_;
};

// The window, the session and the pages as the poll sees them: every call is
// logged, the answers are the fixture's.
class UpdatePollTest : public ::testing::Test, private PollView, private PollSchedule, private PollPagesDouble {
protected:
    UpdatePollTest()
    {
        state.StartupDone = true;
        state.TablesOpen = true;
    }

    void SetPollTimerEnabled(bool on) override
    {
        timerRunning = on;
        log.push_back(on ? "timer on" : "timer off");
    }
    void SetRefreshChartEnabled(bool on) override
    {
        refreshEnabled = on;
        log.push_back(on ? "refresh button on" : "refresh button off");
    }
    int ActivePage() const override { return page; }
    void ReopenMyCompanyTable() override { log.push_back("reopen mycomp"); }
    int ReadWorkCalendarMode() override
    {
        log.push_back("read PAPERO");
        return papero;
    }
    void RecomputeAllTaskEnds() override { log.push_back("recompute task ends"); }
    bool RemoveObsoleteTasks() override
    {
        log.push_back("remove obsolete");
        return removes;
    }
    bool PullChartUpdates(bool force) override
    {
        log.push_back(force ? "pull forced" : "pull");
        if (pullFails)
            throw db::DbError(db::ErrorCode::CorruptFile, "Cannot read ICharts.DBF");
        return pulls;
    }
    void SaveAndClearAllocations(bool recompute) override
    {
        log.push_back(recompute ? "write back" : "clear chart");
    }
    void ApplyQueryFilters() override { log.push_back("apply filters"); }
    void BuildChart(bool writeBack) override { log.push_back(writeBack ? "build with write-back" : "build"); }
    void RefreshChartsTable() override { log.push_back("refresh ChartsTable"); }

    bool Called(const std::string& call) const
    {
        return std::find(log.begin(), log.end(), call) != log.end();
    }
    int Count(const std::string& call) const
    {
        return static_cast<int>(std::count(log.begin(), log.end(), call));
    }

    Log log;
    data::MainScreenState state;
    query::QueryState query;
    CursorRecordingUi ui{log};
    UpdatePoll poll{state, query, ui, *this, PollPages{*this, *this}, *this};
    bool timerRunning = true;
    bool refreshEnabled = true;
    int page = SchedulePage;
    int papero = 0;
    bool removes = false;
    bool pulls = false;
    bool pullFails = false;
};

TEST_F(UpdatePollTest, StandsAsideWithoutTouchingAnythingWhileTheScheduleIsInUse)
{
    using Apply = std::function<void(data::MainScreenState&, query::QueryState&)>;
    const std::vector<std::pair<const char*, Apply>> cases = {
        {"start-up not done", [](data::MainScreenState& s, query::QueryState&) { s.StartupDone = false; }},
        {"tables busy", [](data::MainScreenState& s, query::QueryState&) { s.TablesBusy = true; }},
        {"dependency set-up",
         [](data::MainScreenState& s, query::QueryState&) { s.DependencySetupMode = true; }},
        {"insert of time pending",
         [](data::MainScreenState& s, query::QueryState&) { s.InsertTimePending = true; }},
        {"query restricted", [](data::MainScreenState&, query::QueryState& q) { q.QueryRestricted = true; }},
        {"task editor open", [](data::MainScreenState&, query::QueryState& q) { q.TaskEditorOpen = true; }},
        {"nudge waiting for its push",
         [](data::MainScreenState& s, query::QueryState&) { s.NudgePending = true; }},
    };
    for (const auto& [name, apply] : cases) {
        SCOPED_TRACE(name);
        log.clear();
        state = data::MainScreenState();
        query = query::QueryState();
        state.StartupDone = true;
        state.LastWorkCalendarMode = 0;
        papero = 1;  // a changed mode is not acted on either
        pulls = removes = true;
        apply(state, query);
        poll.UpdatePollTimer();
        EXPECT_TRUE(log.empty()) << log.front();
        EXPECT_TRUE(timerRunning);
        EXPECT_EQ(state.WorkCalendarMode, 0);
        EXPECT_FALSE(state.ChartRefreshNeeded);
    }
}

// A pull while the task editor is open would bring another workstation's
// values under the user's unsaved edit: the ticks meanwhile pull nothing, and
// the first tick after the editor closed takes in what changed.
TEST_F(UpdatePollTest, OpenTaskEditorHoldsOffThePullUntilItCloses)
{
    pulls = true;
    query.TaskEditorOpen = true;
    poll.UpdatePollTimer();
    poll.UpdatePollTimer();
    EXPECT_EQ(Count("pull"), 0);
    EXPECT_FALSE(Called("apply filters"));
    EXPECT_TRUE(timerRunning);

    query.TaskEditorOpen = false;
    poll.UpdatePollTimer();
    EXPECT_EQ(Count("pull"), 1);
    EXPECT_TRUE(Called("apply filters"));
    EXPECT_TRUE(Called("build"));
    EXPECT_TRUE(timerRunning);
}

TEST_F(UpdatePollTest, NothingChangedReadsTheModeRemovesAndPullsButNeitherFiltersNorBuilds)
{
    poll.UpdatePollTimer();
    EXPECT_EQ(log,
              (Log{"timer off", "hourglass", "refresh button off", "reopen mycomp", "read PAPERO",
                   "remove obsolete", "pull", "refresh ChartsTable", "refresh button on", "default cursor",
                   "timer on"}));
    EXPECT_FALSE(state.ChartRefreshNeeded);
    EXPECT_TRUE(ui.StatusHistory.empty());
}

TEST_F(UpdatePollTest, ModeChangedElsewhereIsActedOnByOneTickOnly)
{
    papero = 1;
    poll.UpdatePollTimer();
    EXPECT_EQ(log,
              (Log{"timer off", "hourglass", "refresh button off", "reopen mycomp", "read PAPERO",
                   "recompute task ends", "remove obsolete", "pull", "clear chart", "apply filters", "build",
                   "refresh ChartsTable", "refresh button on", "default cursor", "timer on"}));
    EXPECT_EQ(state.WorkCalendarMode, 1);
    EXPECT_EQ(state.LastWorkCalendarMode, 1);
    EXPECT_TRUE(state.ChartRefreshNeeded);
    EXPECT_EQ(ui.Status[0], kWorkCalendarUpdated);

    log.clear();
    state.ChartRefreshNeeded = false;
    poll.UpdatePollTimer();
    EXPECT_FALSE(Called("recompute task ends"));
    EXPECT_FALSE(Called("apply filters"));
    EXPECT_FALSE(state.ChartRefreshNeeded);
    EXPECT_EQ(ui.StatusHistory.size(), 1u);
}

TEST_F(UpdatePollTest, ModeSetOnThisWorkstationIsNoChange)
{
    // The setup dialog sets both modes itself.
    state.WorkCalendarMode = state.LastWorkCalendarMode = 1;
    papero = 1;
    poll.UpdatePollTimer();
    EXPECT_FALSE(Called("recompute task ends"));
    EXPECT_FALSE(state.ChartRefreshNeeded);
}

TEST_F(UpdatePollTest, NewsFromElsewhereRebuildsTheChartOnlyOnTheVisualizePage)
{
    struct Case {
        const char* name;
        int page;
        bool removes, pulls;
        bool rebuilt, filtered;
    };
    const Case cases[] = {
        {"pulled on the Visualize page", SchedulePage, false, true, true, true},
        {"removed on the Visualize page", SchedulePage, true, false, true, true},
        {"pulled on the query page", SelectPage, false, true, false, true},
        {"removed on the customer page", CustomerTabPage, true, false, false, true},
        {"both on the Utilities page", UtilitiesPage, true, true, false, true},
        {"nothing on the Visualize page", SchedulePage, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        page = c.page;
        removes = c.removes;
        pulls = c.pulls;
        poll.UpdatePollTimer();
        // The removal runs before the pull and neither is skipped for the other.
        ASSERT_EQ(Count("remove obsolete"), 1);
        ASSERT_EQ(Count("pull"), 1);
        EXPECT_LT(std::find(log.begin(), log.end(), "remove obsolete"),
                  std::find(log.begin(), log.end(), "pull"));
        EXPECT_EQ(Called("apply filters"), c.filtered);
        EXPECT_EQ(Called("clear chart"), c.rebuilt);
        EXPECT_EQ(Called("build"), c.rebuilt);
        EXPECT_FALSE(Called("write back"));
        EXPECT_FALSE(Called("build with write-back"));
        EXPECT_FALSE(state.ChartRefreshNeeded);
    }
}

TEST_F(UpdatePollTest, OnTheMyCompanyPageTheRecordIsReadAsTheViewHoldsIt)
{
    for (int p = CustomerTabPage; p <= UtilitiesPage; ++p) {
        SCOPED_TRACE(p);
        log.clear();
        page = p;
        poll.UpdatePollTimer();
        EXPECT_EQ(Called("reopen mycomp"), p != MyCompanyPage);
        EXPECT_TRUE(Called("read PAPERO"));
    }
}

TEST_F(UpdatePollTest, AnErrorIsReportedAndPollingGoesOn)
{
    pullFails = true;
    poll.UpdatePollTimer();
    EXPECT_TRUE(timerRunning);
    EXPECT_TRUE(refreshEnabled);
    EXPECT_FALSE(ui.Busy);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_NE(ui.Messages[0].text.find("Cannot read ICharts.DBF"), std::string::npos);
    EXPECT_EQ(ui.Messages[0].icon, data::MessageIcon::Stop);
    // The next tick must not come while the box is still up.
    EXPECT_LT(std::find(log.begin(), log.end(), "message"), std::find(log.begin(), log.end(), "timer on"));

    log.clear();
    pullFails = false;
    pulls = true;
    poll.UpdatePollTimer();
    EXPECT_TRUE(Called("build"));
    EXPECT_EQ(ui.Messages.size(), 1u);
}

}  // namespace
}  // namespace tw::visualize
