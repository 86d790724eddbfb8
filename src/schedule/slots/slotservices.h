#pragma once
// What the insert and remove operations need of the program: the working
// copy's cursors, the run's state, the adder for split-off pieces and the
// working-time engine on each resource's own calendar.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "schedule/resourceworkingtime.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/scheduletables.h"

namespace tw::timeblocks {

// The working-time engine on each resource's own calendar, and the clock the
// notes of moved tasks are dated by.
class SlotWorkingTime : public schedule::ResourceWorkingTime {
public:
    // Working hours per day of the calendar loaded in the main window.
    virtual float LoadedHoursPerDay() = 0;
    virtual TDateTime Now() = 0;
};

struct SlotServices {
    schedule::ScheduleTables& Tables;
    data::MainScreenState& State;
    schedule::ScheduleAdder& Adder;
    SlotWorkingTime& Time;
};

// The physical record numbers of the working copy in stored order, taken
// before a pass so that records it appends are not visited by it.
std::vector<std::uint32_t> StoredRecordNumbers(db::Table& table);

// The NOTES text trimmed, split into lines, with one line added.
std::string NotesWithLine(const std::string& notes, const std::string& line);

// Rewrites the current record of `table` with a new period, the next change
// count and one more line of notes; HOURS and RCOUNT only when given.
void WriteMovedRecord(db::Table& table, data::MainScreenState& state, TDateTime start, TDateTime end,
                      const std::string& noteLine, std::optional<float> hours = {},
                      std::optional<int> rcount = {});

// Two instants on the quarter-hour grid are the same when they are less than
// a second apart; their doubles may differ in the last bits.
inline bool SameInstant(TDateTime a, TDateTime b)
{
    return a - b < 1.0 / 86400.0 && b - a < 1.0 / 86400.0;
}

}  // namespace tw::timeblocks
