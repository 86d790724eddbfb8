#pragma once
// The working-time engine: the end of a task that lasts a number of working
// hours, and the working hours between two instants, on a resource's loaded
// work calendar and the company holidays.
//
// Every instant is first rounded up to the quarter hour. Inside a day the
// engine steps quarter hour by quarter hour over the calendar's precomputed
// working quarters; across days it counts whole working days, so the cost of
// a call grows with the days crossed and never with the quarter hours.
//
// Working quarter hours are counted as whole numbers: a calendar whose typed
// hours per day make each quarter hour worth an inexact fraction (6 typed
// hours on a 9-hour day) still fills whole days exactly.

#include "platform/datetime/datetime.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendar.h"

namespace tw::schedule {

// The end of a task of `hours` working hours starting at `start`; startOut
// receives the start moved onto the calendar (the first working quarter
// hour). A calendar that has no working time gives the rounded start for
// both.
TDateTime ComputeTaskEnd(const WorkCalendar& calendar, const HolidayList& holidays, TDateTime& startOut,
                         TDateTime start, float hours);

// The working hours between two instants; never below 0, and 0 when no
// working day lies between them.
float WorkingHoursBetween(const WorkCalendar& calendar, const HolidayList& holidays, TDateTime start,
                          TDateTime end);

// As the main window calls them: `record` is the resource's calendar record,
// nullptr when it has none, and `loaded` (the main window's loaded calendar)
// is replaced by it. Without a record the task keeps no length: the end is
// the start unchanged, startOut the rounded start, and the hours are 0.
TDateTime ComputeTaskEnd(WorkCalendar& loaded, const CalendarRecord* record, const HolidayList& holidays,
                         TDateTime& startOut, TDateTime start, float hours);
float WorkingHoursBetween(WorkCalendar& loaded, const CalendarRecord* record, const HolidayList& holidays,
                          TDateTime start, TDateTime end);

}  // namespace tw::schedule
