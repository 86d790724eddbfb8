#pragma once
// Removing a block of time: a period that must be free of work is closed,
// and every task that starts at or after its end moves earlier by the same
// calendar shift, so that the first of them starts at the period's start.

#include <cstdint>
#include <string>
#include <vector>

#include "schedule/slots/slotblock.h"
#include "schedule/slots/slotservices.h"

namespace tw::timeblocks {

class RemoveSlot {
public:
    explicit RemoveSlot(SlotServices services);

    enum class Result { Refused, NothingToMove, Moved };

    // Moves the tasks after `block` up; selectedResourceId 0 for every
    // resource, with `resourceName` the selected one's trimmed DESC for the
    // refusal text. A period in which a considered task is assigned is
    // refused with the dialog's status text in `refusal`, and nothing changes.
    Result RemoveBlock(const SlotBlock& block, std::int32_t selectedResourceId,
                       const std::string& resourceName, std::string& refusal);

    // Rewrites the current record of the pass cursor.
    void MoveTaskUp(TDateTime oldStart, TDateTime newStart, TDateTime newEnd);

    std::vector<std::int32_t> TasksToMove;

private:
    SlotServices s_;
    db::Table& charts_;
};

// The status text of the remove dialog for the period starting at `start`.
std::string RemoveSlotStatusText(bool allResources, const std::string& resourceName, TDateTime start);

}  // namespace tw::timeblocks
