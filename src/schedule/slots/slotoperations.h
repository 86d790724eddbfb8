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

#include "data/services/mainstate.h"
#include "schedule/slots/insertslot.h"
#include "schedule/sync/schedulesync.h"

namespace tw::timeblocks {

// The buttons, the timer and the dialogs of the operation: the Blocks of time
// feature unit answers for them.
class TimeBlocksView {
public:
    virtual ~TimeBlocksView() = default;

    virtual void RestartRemoveSpaceTimer() = 0;  // off, then on: 300 s
    virtual void StopRemoveSpaceTimer() = 0;
    virtual void SetInsertSpaceEnabled(bool enabled) = 0;
    virtual void SetRemoveSpaceEnabled(bool enabled) = 0;
    // The dialogs run modal; the operation's handlers below hear their buttons.
    virtual void OpenInsertDialog() = 0;
    virtual void OpenRemoveDialog() = 0;
    // The working copy changed under the chart's view.
    virtual void RefreshChartsView() = 0;
};

class SlotOperations {
public:
    SlotOperations(schedule::ScheduleSync& sync, data::MainScreenState& state, TimeBlocksView& view);

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
    schedule::ScheduleSync& sync_;
    data::MainScreenState& state_;
    TimeBlocksView& view_;
};

}  // namespace tw::timeblocks
