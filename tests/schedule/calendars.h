#pragma once
// Calendars and instants the schedule tests share.

#include "platform/datetime/datetime.h"
#include "schedule/workcalendar.h"
#include "support/december.h"

namespace tw::schedule::testing {

inline TDateTime Time(int h, int m)
{
    return EncodeTime(h, m, 0, 0);
}

// Week of Monday 7 December 2026.
using fixtures::Day;
inline constexpr int kMonday = 7;
inline constexpr int kTuesday = 8;
inline constexpr int kWednesday = 9;
inline constexpr int kFriday = 11;
inline constexpr int kSaturday = 12;
inline constexpr int kNextMonday = 14;

// Monday to Friday, 08:00 to 17:00, no down times: 9 hours a day.
inline CalendarRecord EightToFive()
{
    CalendarRecord r;
    r.START1 = Time(8, 0);
    r.END1 = Time(17, 0);
    return r;
}

inline CalendarRecord WithLunch(CalendarRecord r)
{
    r.DAY2 = true;
    r.START2 = Time(12, 0);
    r.END2 = Time(13, 0);
    return r;
}

inline WorkCalendar Loaded(const CalendarRecord& r)
{
    WorkCalendar calendar;
    calendar.Load(r);
    return calendar;
}

}  // namespace tw::schedule::testing
