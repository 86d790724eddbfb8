#include "referencewalk.h"

#include <algorithm>
#include <string>

#include "data/quartergrid.h"
#include "platform/datetime/localetexts.h"
#include "schedule/timeofday.h"

namespace tw::schedule::testing {

namespace {

using data::RoundUpToQuarterHour;

struct Walk {
    const WorkCalendar& cal;
    const HolidayList& holidays;

    bool WorkingDay(TDateTime t) const
    {
        return cal.IsWorkingWeekday(DayOfWeek(t) - 1) && !holidays.IsHoliday(t);
    }
    bool WorkingTime(TDateTime t) const { return cal.IsWorkingTime(t); }
    static TDateTime Step(TDateTime t) { return RoundUpToQuarterHour(t + data::kQuarterHour); }
    static TDateTime NextDay(TDateTime t) { return RoundUpToQuarterHour(t + 1.0); }
    TDateTime DayStart() const { return cal.Loaded().DAY1 ? cal.Loaded().START1 : 0.0; }
    TDateTime DayEnd() const { return cal.Loaded().DAY1 ? cal.Loaded().END1 : EncodeTime(23, 58, 59, 999); }
};

}  // namespace

TDateTime ReferenceTaskEnd(const WorkCalendar& cal, const HolidayList& holidays, TDateTime& startOut,
                           TDateTime start, float hours)
{
    const Walk w{cal, holidays};
    TDateTime cursor = RoundUpToQuarterHour(start);
    startOut = cursor;
    if (!cal.HasWorkingTime())
        return cursor;
    const float perDay = cal.HoursPerDay();

    // The first working instant.
    TDateTime firstStart = cursor;
    bool first = true;
    for (float acc = 0; acc < hours;) {
        if (!w.WorkingDay(cursor)) {
            cursor = Walk::NextDay(cursor);
        } else if (w.WorkingTime(cursor)) {
            acc += perDay;
            if (first) {
                firstStart = startOut = cursor;
                first = false;
            }
            cursor = Walk::NextDay(cursor);
        } else {
            cursor = Walk::Step(cursor);
        }
    }

    // The first day.
    cursor = std::max(firstStart, CombineDateTime(firstStart, w.DayStart()));
    const TDateTime stop = CombineDateTime(firstStart, w.DayEnd());
    float acc = 0;
    first = true;
    while (acc < perDay) {
        if (w.WorkingTime(cursor)) {
            acc += 0.25f;
            if (first) {
                startOut = cursor;
                first = false;
            }
        }
        cursor = Walk::Step(cursor);
        if (cursor >= stop)
            break;
    }
    const float firstPart = std::min(acc, hours);

    // Whole days.
    const float remaining = hours - firstPart;
    const float q = remaining / perDay;
    const int n = static_cast<int>(q);
    const int dayCount = q != static_cast<float>(n) ? n + 1 : n;
    TDateTime day = startOut;
    for (int passed = 0; passed < dayCount; day = Walk::NextDay(day)) {
        if (w.WorkingDay(day))
            ++passed;
    }
    while (!w.WorkingDay(day))
        day = Walk::NextDay(day);
    const float rest = remaining - static_cast<float>(n) * perDay;

    // The last day.
    float toWalk = perDay;
    if (rest > 0) {
        cursor = CombineDateTime(day, w.DayStart());
        toWalk = rest;
    } else if (remaining == 0) {
        cursor = day;
    } else {
        cursor = CombineDateTime(day, w.DayStart());
    }
    toWalk = std::min(toWalk, hours);
    for (acc = 0; acc < toWalk; cursor = Walk::Step(cursor)) {
        if (w.WorkingTime(cursor))
            acc += 0.25f;
    }
    return cursor;
}

float ReferenceHoursBetween(const WorkCalendar& cal, const HolidayList& holidays, TDateTime start,
                            TDateTime end)
{
    const Walk w{cal, holidays};
    const TDateTime a = RoundUpToQuarterHour(start);
    const TDateTime b = RoundUpToQuarterHour(end);
    if (b <= a || !cal.HasWorkingTime())
        return 0;
    const float perDay = cal.HoursPerDay();
    const float factor = cal.Loaded().OVERRIDE ? static_cast<float>(cal.Loaded().THOURSFC) : 1.0f;

    float daySum = 0;
    bool met = false;
    TDateTime firstStart = 0;
    TDateTime shifted = a;
    for (TDateTime day = DatePart(a); day <= b; day += 1, shifted = Walk::NextDay(shifted)) {
        if (w.WorkingDay(day)) {
            daySum += perDay;
            if (!met)
                firstStart = shifted;
            met = true;
        }
    }
    if (!met)
        return 0;

    float firstPart = 0;
    const TDateTime stop = CombineDateTime(firstStart, w.DayEnd());
    for (TDateTime c = firstStart; c < stop; c = Walk::Step(c)) {
        if (w.WorkingTime(c))
            firstPart += 0.25f * factor;
    }
    // The end's day counts up to the end when it is a working day; it is
    // counted as a whole day above only then.
    float lastPart = 0;
    const bool endOnWorkingDay = w.WorkingDay(b);
    if (endOnWorkingDay) {
        for (TDateTime c = DatePart(b); c < b; c = Walk::Step(c)) {
            if (w.WorkingTime(c))
                lastPart += 0.25f * factor;
        }
    }
    const float result =
        endOnWorkingDay ? daySum - 2 * perDay + firstPart + lastPart : daySum - perDay + firstPart;
    return std::max(result, 0.0f);
}

}  // namespace tw::schedule::testing
