#include "schedule/visualize/calendarworkingtime.h"

namespace tw::visualize {

TDateTime CalendarWorkingTime::ComputeTaskEnd(std::int32_t crewId, TDateTime& startOut, TDateTime start,
                                              float hours)
{
    return calendars_.ComputeTaskEnd(crewId, startOut, start, hours);
}

float CalendarWorkingTime::WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end)
{
    return calendars_.WorkingHoursBetween(crewId, start, end);
}

const schedule::WorkCalendar& CalendarWorkingTime::LoadWorkCalendar(std::int32_t crewId)
{
    calendars_.LoadWorkCalendar(true, crewId);
    return calendars_.Loaded();
}

}  // namespace tw::visualize
