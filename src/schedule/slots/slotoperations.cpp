#include "schedule/slots/slotoperations.h"

#include <utility>

namespace tw::timeblocks {

SlotOperations::SlotOperations(schedule::ScheduleSync& sync, data::MainScreenState& state, SlotHooks hooks)
    : sync_(sync),
      state_(state),
      hooks_(std::move(hooks))
{}

void SlotOperations::InsertSpaceClick()
{
    state_.InsertTimePending = true;
    Call(hooks_.RestartRemoveSpaceTimer);
    Call(hooks_.SetRemoveSpaceEnabled, false);
    Call(hooks_.OpenInsertDialog);
}

void SlotOperations::RemoveSpaceClick()
{
    if (Pending.PendingInsert) {
        state_.InsertTimePending = false;
        Call(hooks_.SetRemoveSpaceEnabled, false);
        DiscardPendingInsertedSlot();
    } else {
        Call(hooks_.SetInsertSpaceEnabled, false);
        state_.InsertTimePending = false;
        Call(hooks_.OpenRemoveDialog);
    }
    Call(hooks_.RefreshChartsView);
}

void SlotOperations::RemoveSpaceTimerTimer()
{
    Call(hooks_.StopRemoveSpaceTimer);
    sync_.PushChartUpdates();
    state_.InsertTimePending = false;
    Pending.PendingInsert = false;
}

void SlotOperations::InsertCancelClick()
{
    if (!Pending.PendingInsert) {
        state_.InsertTimePending = false;
        Call(hooks_.StopRemoveSpaceTimer);
    }
    Call(hooks_.SetRemoveSpaceEnabled, true);
}

void SlotOperations::InsertDialogClosed()
{
    Call(hooks_.SetRemoveSpaceEnabled, true);
}

void SlotOperations::RemoveCancelClick()
{
    state_.InsertTimePending = false;
    Call(hooks_.SetInsertSpaceEnabled, true);
}

void SlotOperations::RemoveDialogClosed()
{
    Call(hooks_.SetInsertSpaceEnabled, true);
}

void SlotOperations::RemoveDialogMovedTasks()
{
    sync_.PushChartUpdates();
}

void SlotOperations::DiscardPendingInsertedSlot()
{
    if (!Pending.PendingInsert)
        return;
    sync_.RemoveObsoleteTasks();
    sync_.PullChartUpdates(true);
    Pending.PendingInsert = false;
    // The removal above counts the split-off pieces as obsolete tasks; the user removed inserted time.
    sync_.ShowStatus("Inserted time removed");
}

}  // namespace tw::timeblocks
