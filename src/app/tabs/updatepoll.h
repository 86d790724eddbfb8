#pragma once
// The 15-second poll through which each workstation takes in the schedule
// changes that the other workstations made. It stands aside while anything
// else works on the schedule or the user is in the middle of an operation;
// otherwise it notices a changed work-calendar mode, removes working items
// deleted elsewhere, pulls changed items and, when anything changed, applies
// the query again and rebuilds the chart on the Visualize page.
//
//   UpdatePoll poll(state, session.Query, ui, schedule, {chart, filters}, view);
//   // schedule: the session's; chart, filters: the Visualize and query units'; view: the window's
//   connect(timer, &QTimer::timeout, [&] { poll.UpdatePollTimer(); });
//
// A failure inside a tick is reported and polling goes on: the timer, the
// cursor and the Refresh button are restored.

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "query/querystate.h"

namespace tw::app {

class ChartPage;
class QueryFilters;

// What the poll takes from the session: the settings table, the calendars
// and the synchronisation (app/features/pagecontrol.cpp answers over the
// session; tests with a small fake).
class PollSchedule {
public:
    virtual ~PollSchedule() = default;

    // Closes mycomp.dbf with refresh and opens it again, so that its record is
    // read as the other workstations left it.
    virtual void ReopenMyCompanyTable() = 0;
    // PAPERO of the mycomp.dbf record as the view holds it.
    virtual int ReadWorkCalendarMode() = 0;
    virtual void RecomputeAllTaskEnds() = 0;
    virtual bool RemoveObsoleteTasks() = 0;
    virtual bool PullChartUpdates(bool force) = 0;
    virtual void RefreshChartsTable() = 0;
};

// What the poll tells the window: its timer and Refresh button while it
// works, and which page it shows.
class PollView {
public:
    virtual ~PollView() = default;

    virtual void SetPollTimerEnabled(bool enabled) = 0;
    virtual void SetRefreshChartEnabled(bool enabled) = 0;
    // The page the page control shows (app/mainpage.h).
    virtual int ActivePage() const = 0;
};

// The pages that show what the poll took in, through their units' own
// interfaces: the Visualize unit's chart and the query unit's filters.
struct PollPages {
    ChartPage& Chart;
    QueryFilters& Filters;
};

inline constexpr const char* kWorkCalendarUpdated = "Work calendar was updated";

class UpdatePoll {
public:
    // query: the restriction and task editor flags, read only.
    UpdatePoll(data::MainScreenState& state, const query::QueryState& query, data::UserInterface& ui,
               PollSchedule& schedule, const PollPages& pages, PollView& view)
        : state_(state),
          query_(query),
          ui_(ui),
          schedule_(schedule),
          pages_(pages),
          view_(view)
    {}

    // The timer's handler: one tick.
    void UpdatePollTimer();
    // True when a tick now would do nothing at all.
    bool StandsAside() const;

private:
    void Tick();

    data::MainScreenState& state_;
    const query::QueryState& query_;
    data::UserInterface& ui_;
    PollSchedule& schedule_;
    PollPages pages_;
    PollView& view_;
};

}  // namespace tw::app
