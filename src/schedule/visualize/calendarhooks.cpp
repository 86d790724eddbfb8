#include "schedule/visualize/calendarhooks.h"

namespace tw::visualize {

void ConnectCalendarTables(VisualizeHooks& hooks, schedule::CalendarTables& calendars)
{
    hooks.ComputeTaskEnd = [&calendars](std::int32_t id, TDateTime& startOut, TDateTime start, float hours) {
        return calendars.ComputeTaskEnd(id, startOut, start, hours);
    };
    hooks.WorkingHoursBetween = [&calendars](std::int32_t id, TDateTime start, TDateTime end) {
        return calendars.WorkingHoursBetween(id, start, end);
    };
    hooks.LoadWorkCalendar = [&calendars](std::int32_t id) -> const schedule::WorkCalendar& {
        calendars.LoadWorkCalendar(true, id);
        return calendars.Loaded();
    };
}

}  // namespace tw::visualize
