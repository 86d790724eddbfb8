#pragma once
// Inserting a block of time into the schedule: every task that meets the
// block is delayed to its end or split at its start, and every later task is
// pushed back by the working time the block cost; the later occurrences of a
// repeating task are re-dated by its rule. The change stays in the working
// copy until the pending insert is pushed or discarded.

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "schedule/slots/slotblock.h"
#include "schedule/slots/slotservices.h"

namespace tw::timeblocks {

// What the pass does with one record, by where it lies against the block.
enum class SlotOutcome { None, Delay, SplitAtStart, SplitRemainder, Protect };

// a and b are the record's start and end, s and e the block's, all on the
// quarter-hour grid. SplitAtStart measures the remainder from the block's
// start to b; SplitRemainder takes it as the hours less the first piece.
SlotOutcome DecideSlotOutcome(TDateTime a, TDateTime b, TDateTime s, TDateTime e);

// The status text of the insert dialog: whose tasks will be pushed back.
std::string InsertSlotStatusText(bool allResources, const std::string& resourceName);

// An inserted block that lives in the working copy only, until the timer
// pushes it or "Remove time" discards it. While an insert is under way
// (MainScreenState::InsertTimePending) pulls and the poll hold back.
struct PendingInsertState {
    bool PendingInsert = false;
    TDateTime PendingInsertStart = 0;
    float PendingInsertHours = 0;
    int PendingInsertUnit = 0;
};

class InsertSlot {
public:
    InsertSlot(SlotServices services, PendingInsertState& pending);

    // The pass over the working copy for `block`; selectedResourceId 0
    // applies it to every resource. True when a record was delayed or split:
    // the insert is then pending. Job summary rows are never changed by the
    // pass; the chart's "Overall jobs only" build recomputes them from their tasks.
    bool InsertBlock(const SlotBlock& block, std::int32_t selectedResourceId);

    // Rewrites the current record of the pass cursor.
    void DelayOrSplitTask(bool split, int rcount, TDateTime oldStart, TDateTime newStart, TDateTime newEnd,
                          float hours);
    // Adds the piece of the current record that lies after the block; its end.
    TDateTime AppendSplitOffTask(std::int32_t repeat, std::int32_t newKey, TDateTime start, float hours,
                                 int rperiod, int rcount, std::int32_t crepeath);
    // Moves every unprotected record by the working hours between the ends.
    void PushBackDependants(TDateTime oldEnd, TDateTime newEnd);

    // In the order protected; looked up through protectedSet_.
    std::vector<std::int32_t> ProtectedTasks;
    std::vector<std::int32_t> ChangedResources;
    std::int32_t SelectedResourceId = 0;

private:
    bool IsProtected(std::int32_t key) const;
    void Protect(std::int32_t key);
    void RelinkChain(std::int32_t chain);
    std::string NoteLine(const std::string& text) const;

    std::unordered_set<std::int32_t> protectedSet_;
    SlotServices s_;
    PendingInsertState& pending_;
    db::Table& charts_;  // the pass cursor
    db::Table& other_;   // locates and chains, so the pass keeps its place
};

}  // namespace tw::timeblocks
