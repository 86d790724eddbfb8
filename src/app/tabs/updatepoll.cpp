#include "app/tabs/updatepoll.h"

#include <exception>
#include <string>

#include "app/mainpage.h"
#include "data/services/busyscopes.h"
#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"

namespace tw::app {

bool UpdatePoll::StandsAside() const
{
    // A nudged task waits a second for its push; a pull before that would
    // bring the shared record's old times back over it, and the push would
    // then write them back for good.
    return !state_.StartupDone || state_.TablesBusy || state_.DependencySetupMode || state_.InsertTimePending
        || query_.QueryRestricted || query_.TaskEditorOpen || state_.NudgePending;
}

void UpdatePoll::UpdatePollTimer()
{
    if (StandsAside())
        return;
    view_.SetPollTimerEnabled(false);
    data::BusyScope hourglass(ui_);
    view_.SetRefreshChartEnabled(false);
    bool failed = false;
    std::string failure;
    try {
        Tick();
    } catch (const std::exception& e) {
        failed = true;
        failure = e.what();
    }
    if (failed) {
        // Restored before the box, so the window is usable behind it; the
        // timer only after it, so that the next tick cannot stack a second box.
        view_.SetRefreshChartEnabled(true);
        hourglass.Release();
        ui_.ShowMessage("The schedule could not be brought up to date with the other workstations: "
                            + failure,
                        "Schedule update", data::MessageIcon::Stop);
        view_.SetPollTimerEnabled(true);
        return;
    }
    view_.SetRefreshChartEnabled(true);
    hourglass.Release();
    view_.SetPollTimerEnabled(true);
}

void UpdatePoll::Tick()
{
    const int page = view_.ActivePage();
    // On the "My company" page the user may be editing the record: it is read
    // as the view holds it.
    if (page != MyCompanyPage)
        schedule_.ReopenMyCompanyTable();
    state_.WorkCalendarMode = schedule_.ReadWorkCalendarMode();

    bool calendarChanged = false;
    if (state_.WorkCalendarMode != state_.LastWorkCalendarMode) {
        schedule_.RecomputeAllTaskEnds();
        state_.ChartRefreshNeeded = true;
        calendarChanged = true;
        state_.LastWorkCalendarMode = state_.WorkCalendarMode;
    }

    // Both run whatever the other found.
    const bool removed = schedule_.RemoveObsoleteTasks();
    const bool pulled = schedule_.PullChartUpdates(false);

    if (removed || pulled || calendarChanged) {
        if (page == SchedulePage)
            pages_.Chart.SaveAndClearAllocations(false);
        pages_.Filters.ApplyQueryFilters();
        if (page == SchedulePage)
            pages_.Chart.BuildChart(false);
    }
    if (calendarChanged) {
        ui_.SetStatusText(0, kWorkCalendarUpdated);
        ui_.RepaintStatus();
    }
    schedule_.RefreshChartsTable();
}

}  // namespace tw::app
