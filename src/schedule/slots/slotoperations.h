#pragma once
// The "Insert time" and "Remove time" buttons, the insert's 5-minute timer
// and the dialogs' closing: the states an insert of time runs through.
//
//   idle --Insert time--> under way --OK with changes--> pending
//   under way/pending --timer--> pushed, idle
//   pending --Remove time--> discarded (shared state pulled back), idle
//   idle --Remove time--> remove dialog --OK that moved tasks--> pushed
//
// While an insert is under way (MainScreenState::InsertTimePending) the
// pulls and the poll hold back, so the unpushed changes are not overwritten.

#include <functional>

#include "data/services/mainstate.h"
#include "schedule/slots/insertslot.h"
#include "schedule/sync/schedulesync.h"

namespace tw::timeblocks {

struct SlotHooks {
    std::function<void()> RestartRemoveSpaceTimer;  // off, then on: 300 s
    std::function<void()> StopRemoveSpaceTimer;
    std::function<void(bool)> SetInsertSpaceEnabled;
    std::function<void(bool)> SetRemoveSpaceEnabled;
    std::function<void()> OpenInsertDialog;  // TInsertSlot::Open
    std::function<void()> OpenRemoveDialog;  // TRemoveSlot::Open
    // The working copy changed under the chart's view.
    std::function<void()> RefreshChartsView;
};

class SlotOperations {
public:
    SlotOperations(schedule::ScheduleSync& sync, data::MainScreenState& state, SlotHooks hooks);

    void InsertSpaceClick();
    void RemoveSpaceClick();
    void RemoveSpaceTimerTimer();

    // The insert dialog's Cancel: back to idle unless an earlier block is
    // still pending, which must survive until it is pushed or discarded.
    void InsertCancelClick();
    // The insert dialog closed (OK or Cancel).
    void InsertDialogClosed();
    // The remove dialog's Cancel, and its closing.
    void RemoveCancelClick();
    void RemoveDialogClosed();
    // The remove dialog moved tasks: they go to the shared tables at once,
    // or the next poll would take them back.
    void RemoveDialogMovedTasks();

    // Takes the shared tables' state back into the working copy.
    void DiscardPendingInsertedSlot();

    PendingInsertState Pending;

private:
    static void Call(const std::function<void()>& f)
    {
        if (f)
            f();
    }
    static void Call(const std::function<void(bool)>& f, bool v)
    {
        if (f)
            f(v);
    }

    schedule::ScheduleSync& sync_;
    data::MainScreenState& state_;
    SlotHooks hooks_;
};

}  // namespace tw::timeblocks
