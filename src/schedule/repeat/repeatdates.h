#pragma once
// Where the next occurrence of a repeating task starts and ends, and how long
// a custom repeat period is. The task editor walks a series with these when
// it saves one, and the push-back after an inserted block re-spaces the
// occurrences it moves.

#include <cstdint>
#include <functional>

#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"

namespace tw::schedule {

// The items of the editor's repeat choice, stored in RPERIOD.
enum RepeatPeriodIndex : int {
    kRepeatNone = 0,
    kRepeatDaily = 1,
    kRepeatWeekly = 2,
    kRepeatMonthly = 3,
    kRepeatQuarterly = 4,
    kRepeatSixMonths = 5,
    kRepeatCustom = 6,
};

// A custom period is one integer: count * 16 + unit, the unit in the low four
// bits (0 hours, 1 days, 2 weeks, 3 months). Below 1: no custom period chosen.
enum CustomRepeatUnit : int { kCustomHours = 0, kCustomDays = 1, kCustomWeeks = 2, kCustomMonths = 3 };
inline constexpr int CustomRepeatCode(int count, int unit)
{
    return count * 16 + (unit & 15);
}
inline constexpr int CustomRepeatUnitOf(int code)
{
    return code & 15;
}
inline constexpr int CustomRepeatCountOf(int code)
{
    return code >> 4;
}

// The most occurrences a new series of a period may have: 365 daily, 52
// weekly, 12 monthly, 4 quarterly and half-yearly (four a year, as the dates
// allow); `other` for None and Custom.
inline constexpr int RepeatCountMaximum(int period, int other)
{
    switch (period) {
    case kRepeatDaily: return 365;
    case kRepeatWeekly: return 52;
    case kRepeatMonthly: return 12;
    case kRepeatQuarterly:
    case kRepeatSixMonths: return 4;
    default: return other;
    }
}

// Length of a custom period in hours on a calendar of `hoursPerDay`. Months
// add up the days of `count` months from the start's month, February with 29
// days throughout when the start's year is a leap year, cut to whole hours
// after each month. A unit above 3 has no length (0).
float RepeatPeriodHours(int unit, int count, TDateTime start, float hoursPerDay);

// The end of a task laid onto the primary resource's calendar from `start`;
// `startOut` receives the start moved onto the first working quarter hour.
using TaskEndOnCalendar = std::function<TDateTime(TDateTime& startOut, TDateTime start, float hours)>;

struct RepeatCalendar {
    TaskEndOnCalendar ComputeTaskEnd;
    // Working hours per day of the calendar loaded in the main window; a
    // custom period is spread over calendar days by it.
    float LoadedHoursPerDay = 8;
    data::UserInterface* UI = nullptr;
    // The editor's repeat count maximum, which the fixed periods reset;
    // nullptr when nobody shows one.
    int* CountMaximum = nullptr;
};

// The occurrence after the one that started at prevStart and ended at
// prevEnd. Never overlaps the previous one: a nominal start before prevEnd
// is moved to prevEnd. False, with the outputs untouched, when no next
// occurrence can be computed: a corrupted previous start (reported even when
// quiet) or a custom period on a calendar without working hours. An unknown
// period gives true and leaves the outputs as they are.
bool NextRepeatDate(const RepeatCalendar& calendar, bool quiet, int customCode, TDateTime prevEnd,
                    TDateTime prevStart, int period, float hours, TDateTime& nextStart, TDateTime& nextEnd);

}  // namespace tw::schedule
