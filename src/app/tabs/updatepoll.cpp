#include "app/tabs/updatepoll.h"

#include <exception>
#include <string>

#include "app/mainpage.h"
#include "data/hookcall.h"

namespace tw::app {

using data::Ask;
using data::Call;

bool UpdatePoll::StandsAside() const
{
    // A nudged task waits a second for its push; a pull before that would
    // bring the shared record's old times back over it, and the push would
    // then write them back for good.
    return !state_.StartupDone || state_.TablesBusy || state_.DependencySetupMode || state_.InsertTimePending
        || state_.QueryRestricted || state_.TaskEditorOpen || state_.NudgePending;
}

void UpdatePoll::UpdatePollTimer()
{
    if (StandsAside())
        return;
    Call(Hooks.SetPollTimerEnabled, false);
    ui_.SetBusyCursor(true);
    Call(Hooks.SetRefreshChartEnabled, false);
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
        Call(Hooks.SetRefreshChartEnabled, true);
        ui_.SetBusyCursor(false);
        ui_.ShowMessage("The schedule could not be brought up to date with the other workstations: "
                            + failure,
                        "Schedule update", data::MessageIcon::Stop);
        Call(Hooks.SetPollTimerEnabled, true);
        return;
    }
    Finish();
}

void UpdatePoll::Tick()
{
    const int page = Hooks.ActivePage ? Hooks.ActivePage() : -1;
    // On the "My company" page the user may be editing the record: it is read
    // as the view holds it.
    if (page != MyCompanyPage)
        Call(Hooks.ReopenMyCompanyTable);
    if (Hooks.ReadWorkCalendarMode)
        state_.WorkCalendarMode = Hooks.ReadWorkCalendarMode();

    bool calendarChanged = false;
    if (state_.WorkCalendarMode != state_.LastWorkCalendarMode) {
        Call(Hooks.RecomputeAllTaskEnds);
        state_.ChartRefreshNeeded = true;
        calendarChanged = true;
        state_.LastWorkCalendarMode = state_.WorkCalendarMode;
    }

    // Both run whatever the other found.
    const bool removed = Ask(Hooks.RemoveObsoleteTasks);
    const bool pulled = Ask(Hooks.PullChartUpdates, false);

    if (removed || pulled || calendarChanged) {
        if (page == SchedulePage)
            Call(Hooks.SaveAndClearAllocations, false);
        Call(Hooks.ApplyQueryFilters);
        if (page == SchedulePage)
            Call(Hooks.BuildChart, false);
    }
    if (calendarChanged) {
        ui_.SetStatusText(0, kWorkCalendarUpdated);
        ui_.RepaintStatus();
    }
    Call(Hooks.RefreshChartsTable);
}

void UpdatePoll::Finish()
{
    Call(Hooks.SetRefreshChartEnabled, true);
    ui_.SetBusyCursor(false);
    Call(Hooks.SetPollTimerEnabled, true);
}

}  // namespace tw::app
