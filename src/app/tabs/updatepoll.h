#pragma once
// The 15-second poll through which each workstation takes in the schedule
// changes that the other workstations made. It stands aside while anything
// else works on the schedule or the user is in the middle of an operation;
// otherwise it notices a changed work-calendar mode, removes working items
// deleted elsewhere, pulls changed items and, when anything changed, applies
// the query again and rebuilds the chart on the Visualize page.
//
//   UpdatePoll poll(state, ui);
//   poll.Hooks.PullChartUpdates = [&](bool force) { return sync.PullChartUpdates(force); };
//   ...                                  // the main window fills the others
//   connect(timer, &QTimer::timeout, [&] { poll.UpdatePollTimer(); });
//
// A failure inside a tick is reported and polling goes on: the timer, the
// cursor and the Refresh button are restored.

#include <functional>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"

namespace tw::app {

// What the poll reaches in the main window, the data module and the
// synchronisation. Each hook may be empty: it then does nothing, or answers
// false (ActivePage: no page; ReadWorkCalendarMode: the mode as the run state
// holds it).
struct PollHooks {
    std::function<void(bool enabled)> SetPollTimerEnabled;
    std::function<void(bool enabled)> SetRefreshChartEnabled;
    std::function<int()> ActivePage;
    // Closes mycomp.dbf with refresh and opens it again, so that its record is
    // read as the other workstations left it.
    std::function<void()> ReopenMyCompanyTable;
    // PAPERO of the mycomp.dbf record as the view holds it.
    std::function<int()> ReadWorkCalendarMode;
    std::function<void()> RecomputeAllTaskEnds;
    std::function<bool()> RemoveObsoleteTasks;
    std::function<bool(bool force)> PullChartUpdates;
    std::function<void(bool recompute)> SaveAndClearAllocations;
    std::function<void()> ApplyQueryFilters;
    std::function<void(bool writeBack)> BuildChart;
    std::function<void()> RefreshChartsTable;
};

inline constexpr const char* kWorkCalendarUpdated = "Work calendar was updated";

class UpdatePoll {
public:
    UpdatePoll(data::MainScreenState& state, data::UserInterface& ui) : state_(state), ui_(ui) {}

    // The timer's handler: one tick.
    void UpdatePollTimer();
    // True when a tick now would do nothing at all.
    bool StandsAside() const;

    PollHooks Hooks;

private:
    void Tick();
    void Finish();

    data::MainScreenState& state_;
    data::UserInterface& ui_;
};

}  // namespace tw::app
