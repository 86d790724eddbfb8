#pragma once
// The working-time walks written the plain way: a cursor stepping 15 minutes
// at a time and a day cursor stepping one day at a time, asking the calendar
// about every instant and formatting every date for the holiday texts. The
// engine must give the same results. Steps round onto the grid so that the
// cursor never drifts; only calendars without typed hours are walked.

#include "platform/datetime/datetime.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendar.h"

namespace tw::schedule::testing {

TDateTime ReferenceTaskEnd(const WorkCalendar& cal, const HolidayList& holidays, TDateTime& startOut,
                           TDateTime start, float hours);

float ReferenceHoursBetween(const WorkCalendar& cal, const HolidayList& holidays, TDateTime start,
                            TDateTime end);

}  // namespace tw::schedule::testing
