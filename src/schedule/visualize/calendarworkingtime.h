#pragma once
// The page's working time on the calendar tables: the engine on the calendar
// that governs each resource under the current calendar mode.

#include "schedule/sync/calendartables.h"
#include "schedule/visualize/visualizeview.h"

namespace tw::visualize {

// Keeps a reference to calendars, which must outlive it.
class CalendarWorkingTime : public WorkingTime {
public:
    explicit CalendarWorkingTime(schedule::CalendarTables& calendars) : calendars_(calendars) {}

    TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& startOut, TDateTime start, float hours) override;
    float WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end) override;
    const schedule::WorkCalendar& LoadWorkCalendar(std::int32_t crewId) override;

private:
    schedule::CalendarTables& calendars_;
};

}  // namespace tw::visualize
