#include "schedule/slots/slotoperations.h"

namespace tw::timeblocks {

SlotOperations::SlotOperations(schedule::ScheduleSync& sync, data::MainScreenState& state,
                               TimeBlocksView& view)
    : sync_(sync),
      state_(state),
      view_(view)
{}

void SlotOperations::InsertSpaceClick()
{
    state_.InsertTimePending = true;
    view_.RestartRemoveSpaceTimer();
    view_.SetRemoveSpaceEnabled(false);
    view_.OpenInsertDialog();
}

void SlotOperations::RemoveSpaceClick()
{
    if (Pending.PendingInsert) {
        state_.InsertTimePending = false;
        view_.SetRemoveSpaceEnabled(false);
        DiscardPendingInsertedSlot();
    } else {
        view_.SetInsertSpaceEnabled(false);
        state_.InsertTimePending = false;
        view_.OpenRemoveDialog();
    }
    view_.RefreshChartsView();
}

void SlotOperations::RemoveSpaceTimerTimer()
{
    view_.StopRemoveSpaceTimer();
    sync_.PushChartUpdates();
    state_.InsertTimePending = false;
    Pending.PendingInsert = false;
}

void SlotOperations::InsertCancelClick()
{
    if (!Pending.PendingInsert) {
        state_.InsertTimePending = false;
        view_.StopRemoveSpaceTimer();
    }
    view_.SetRemoveSpaceEnabled(true);
}

void SlotOperations::InsertDialogClosed()
{
    view_.SetRemoveSpaceEnabled(true);
}

void SlotOperations::RemoveCancelClick()
{
    state_.InsertTimePending = false;
    view_.SetInsertSpaceEnabled(true);
}

void SlotOperations::RemoveDialogClosed()
{
    view_.SetInsertSpaceEnabled(true);
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
