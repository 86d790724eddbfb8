#include "schedule/workingtime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "data/quartergrid.h"

namespace tw::schedule {

namespace {

// Instants on the grid as whole quarter hours since 30 December 1899, so that
// the walks compare and step without rounding drift.
using Quarter = std::int64_t;
constexpr int kQ = WorkCalendar::kQuarters;

// Far beyond any task; keeps absurd lengths from overflowing the counts.
constexpr double kMaxQuarters = 1e12;

Quarter FloorDiv(Quarter a, Quarter b)
{
    const Quarter q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

Quarter DayOf(Quarter q)
{
    return FloorDiv(q, kQ);
}

int QuarterInDay(Quarter q)
{
    return static_cast<int>(q - DayOf(q) * kQ);
}

Quarter ToQuarter(TDateTime onGrid)
{
    const auto day = static_cast<Quarter>(DatePart(onGrid));
    return day * kQ + std::llround(TimePart(onGrid) * kQ);
}

TDateTime FromQuarter(Quarter q)
{
    // k / 96 is the same double as EncodeTime of the quarter's hour and minute.
    const int k = QuarterInDay(q);
    return ComposeDateTime(static_cast<double>(DayOf(q)), static_cast<double>(k) / kQ);
}

// The number of quarter hours, each worth `perQuarter` hours, that reach
// `hours`: the walk goes on while the counted hours, a single like the
// length, are below the length less one single-precision step of the
// length. A length that is a whole number of quarter hours in float noise
// stops there; a real remainder, however small, costs one more quarter hour.
// The tolerance is fixed, so that it does not grow with long tasks and cut
// their last quarter hour.
Quarter QuartersToReach(float hours, double perQuarter)
{
    if (!(hours > 0) || !(perQuarter > 0))
        return 0;
    const double tolerance = static_cast<double>(std::nextafter(hours, HUGE_VALF)) - hours;
    const double threshold = static_cast<double>(hours) - tolerance;
    const double x = threshold / perQuarter;
    if (!(x < kMaxQuarters))
        return static_cast<Quarter>(kMaxQuarters);
    const auto counted = [perQuarter](Quarter n) { return static_cast<float>(n * perQuarter); };
    auto n = std::max<Quarter>(0, static_cast<Quarter>(std::ceil(x)));
    while (n > 0 && counted(n - 1) >= threshold)
        --n;
    while (counted(n) < threshold)
        ++n;
    return n;
}

class Walker {
public:
    Walker(const WorkCalendar& calendar, const HolidayList& holidays)
        : cal_(calendar),
          holidays_(holidays.Days())
    {}

    bool IsWorkDay(Quarter day) const
    {
        return cal_.IsWorkingWeekday(Weekday(day))
            && !std::binary_search(holidays_.begin(), holidays_.end(), day);
    }

    Quarter NextWorkDay(Quarter day) const
    {
        while (!IsWorkDay(day))
            ++day;
        return day;
    }

    // Working days among first .. last - 1.
    Quarter CountWorkDays(Quarter first, Quarter last) const
    {
        if (last <= first)
            return 0;
        const Quarter weeks = (last - first) / 7;
        Quarter count = weeks * static_cast<Quarter>(cal_.DaysPerWeek());
        for (Quarter day = first + weeks * 7; day < last; ++day)
            count += cal_.IsWorkingWeekday(Weekday(day)) ? 1 : 0;
        auto it = std::lower_bound(holidays_.begin(), holidays_.end(), first);
        for (; it != holidays_.end() && *it < last; ++it)
            count -= cal_.IsWorkingWeekday(Weekday(*it)) ? 1 : 0;
        return count;
    }

    // Moves on from `day`, counting each working day it stands on, until
    // `count` of them are passed; returns the day after the last one.
    Quarter PassWorkDays(Quarter day, Quarter count) const
    {
        const auto perWeek = static_cast<Quarter>(cal_.DaysPerWeek());
        while (count > perWeek) {
            // Whole weeks that cannot hold all of the count, even without holidays.
            const Quarter weeks = (count - 1) / perWeek;
            count -= CountWorkDays(day, day + 7 * weeks);
            day += 7 * weeks;
        }
        for (; count > 0; ++day) {
            if (IsWorkDay(day))
                --count;
        }
        return day;
    }

    // The instant just after the n-th (n >= 1) working quarter at or after
    // `from`, looking at the time of day only.
    Quarter AfterWorkingQuarters(Quarter from, Quarter n) const
    {
        if (n <= 0)
            return from;
        Quarter day = DayOf(from);
        const int k = QuarterInDay(from);
        const int today = cal_.WorkingQuartersFrom(k);
        if (n > today) {
            const int perDay = cal_.WorkingQuartersFrom(0);
            n -= today;
            const Quarter wholeDays = (n - 1) / perDay;
            n -= wholeDays * perDay;
            day += 1 + wholeDays;
            return day * kQ + cal_.NthWorkingQuarter(static_cast<int>(n - 1)) + 1;
        }
        const int before = cal_.WorkingQuartersFrom(0) - today;
        return day * kQ + cal_.NthWorkingQuarter(static_cast<int>(before + n - 1)) + 1;
    }

    // A start on a day off moves to the same time of day of the next working
    // day, and from there to the next working quarter hour.
    Quarter FirstWorkingInstant(Quarter from) const
    {
        Quarter day = NextWorkDay(DayOf(from));
        int k = QuarterInDay(from);
        for (;;) {
            const int next = cal_.NextWorkingQuarter(k);
            if (next < kQ)
                return day * kQ + next;
            day = NextWorkDay(day + 1);
            k = 0;
        }
    }

private:
    static int Weekday(Quarter day)
    {
        // 30 December 1899 (day 0) was a Saturday; 0 = Sunday.
        return static_cast<int>(((day % 7) + 7 + 6) % 7);
    }

    const WorkCalendar& cal_;
    const std::vector<std::int64_t>& holidays_;
};

// Typed hours per day: every working quarter hour of a working day is worth
// the typed share of a quarter hour.
Quarter OverrideEnd(const Walker& walker, const WorkCalendar& cal, Quarter start, float hours,
                    Quarter& startOut)
{
    Quarter need = QuartersToReach(hours, 0.25 * cal.Loaded().THOURSFC);
    startOut = start;
    if (need == 0)
        return start;
    const int perDay = cal.WorkingQuartersFrom(0);
    Quarter day = walker.NextWorkDay(DayOf(start));
    int k = day == DayOf(start) ? QuarterInDay(start) : 0;
    // The first day with a working quarter left gives the start.
    while (cal.WorkingQuartersFrom(k) == 0) {
        day = walker.NextWorkDay(day + 1);
        k = 0;
    }
    startOut = day * kQ + cal.NextWorkingQuarter(k);
    const int today = cal.WorkingQuartersFrom(k);
    if (need <= today)
        return walker.AfterWorkingQuarters(day * kQ + k, need);
    need -= today;
    const Quarter wholeDays = (need - 1) / perDay;
    need -= wholeDays * perDay;
    day = walker.NextWorkDay(walker.PassWorkDays(day + 1, wholeDays));
    return walker.AfterWorkingQuarters(day * kQ, need);
}

Quarter OrdinaryEnd(const Walker& walker, const WorkCalendar& cal, Quarter start, float hours,
                    Quarter& startOut)
{
    const Quarter perDay = cal.QuartersPerDay();
    const Quarter length = QuartersToReach(hours, 0.25);

    // The first working instant; a task of no length stays where it starts.
    const Quarter first = length > 0 ? walker.FirstWorkingInstant(start) : start;
    startOut = first;

    // The first day, from its working day's start at the earliest to its end.
    const Quarter firstDay = DayOf(first);
    const Quarter from = std::max(first, firstDay * kQ + cal.DayStartQuarter());
    const Quarter limit = firstDay * kQ + cal.DayEndQuarter();
    Quarter firstPart = 0;
    if (from < limit) {
        const int a = QuarterInDay(from);
        const int b = static_cast<int>(limit - firstDay * kQ);
        firstPart = std::min<Quarter>(perDay, cal.WorkingQuartersFrom(a) - cal.WorkingQuartersFrom(b));
        if (cal.NextWorkingQuarter(a) < b)
            startOut = firstDay * kQ + cal.NextWorkingQuarter(a);
    } else if (cal.IsWorkingQuarter(QuarterInDay(from))) {
        // Starting at or past the day's end still looks at that one quarter.
        firstPart = 1;
        startOut = from;
    }
    firstPart = std::min(firstPart, length);

    // Whole days, then the rest on the last day.
    const Quarter remaining = length - firstPart;
    const Quarter n = remaining / perDay;
    const Quarter dayCount = n + (remaining % perDay != 0 ? 1 : 0);
    const Quarter lastDay = walker.NextWorkDay(walker.PassWorkDays(DayOf(startOut), dayCount));
    const Quarter rest = remaining - n * perDay;

    Quarter cursor = lastDay * kQ + cal.DayStartQuarter();
    Quarter toWalk = perDay;
    if (rest > 0)
        toWalk = rest;
    else if (remaining == 0)
        cursor = lastDay * kQ + QuarterInDay(startOut);
    return walker.AfterWorkingQuarters(cursor, std::min(toWalk, length));
}

}  // namespace

TDateTime ComputeTaskEnd(const WorkCalendar& calendar, const HolidayList& holidays, TDateTime& startOut,
                         TDateTime start, float hours)
{
    const TDateTime rounded = data::RoundUpToQuarterHour(start);
    startOut = rounded;
    if (!calendar.HasWorkingTime())
        return rounded;
    const Walker walker(calendar, holidays);
    const Quarter from = ToQuarter(rounded);
    Quarter out = from;
    const Quarter end = calendar.Loaded().OVERRIDE ? OverrideEnd(walker, calendar, from, hours, out)
                                                   : OrdinaryEnd(walker, calendar, from, hours, out);
    startOut = FromQuarter(out);
    return FromQuarter(end);
}

float WorkingHoursBetween(const WorkCalendar& calendar, const HolidayList& holidays, TDateTime start,
                          TDateTime end)
{
    const Quarter a = ToQuarter(data::RoundUpToQuarterHour(start));
    const Quarter b = ToQuarter(data::RoundUpToQuarterHour(end));
    // No time between the rounded instants, or none that works: the day
    // sums below would otherwise leave the difference of hours per day
    // worked out two ways (overlapping down times, typed hours).
    if (b <= a || !calendar.HasWorkingTime())
        return 0;
    const Quarter dayA = DayOf(a);
    const Quarter dayB = DayOf(b);
    const Walker walker(calendar, holidays);
    const Quarter workDays = walker.CountWorkDays(dayA, dayB + 1);
    if (workDays == 0)
        return 0;

    // The first working day is counted from the start's time of day to the
    // day's end, and the end's day, when it is a working day, up to the end.
    const int from = QuarterInDay(a);
    const int limit = calendar.DayEndQuarter();
    Quarter walked = 0;
    if (from < limit)
        walked = calendar.WorkingQuartersFrom(from) - calendar.WorkingQuartersFrom(limit);
    int wholeDaysReplaced = 1;
    if (walker.IsWorkDay(dayB)) {
        walked += calendar.WorkingQuartersFrom(0) - calendar.WorkingQuartersFrom(QuarterInDay(b));
        wholeDaysReplaced = 2;
    }

    const double factor = calendar.Loaded().OVERRIDE ? calendar.Loaded().THOURSFC : 1.0;
    const double hoursPerDay = calendar.HoursPerDay();
    const double result =
        (workDays - wholeDaysReplaced) * hoursPerDay + static_cast<double>(walked) * 0.25 * factor;
    return result > 0 ? static_cast<float>(result) : 0.0f;
}

TDateTime ComputeTaskEnd(WorkCalendar& loaded, const CalendarRecord* record, const HolidayList& holidays,
                         TDateTime& startOut, TDateTime start, float hours)
{
    if (record == nullptr) {
        startOut = data::RoundUpToQuarterHour(start);
        return start;
    }
    loaded.Load(*record);
    return ComputeTaskEnd(loaded, holidays, startOut, start, hours);
}

float WorkingHoursBetween(WorkCalendar& loaded, const CalendarRecord* record, const HolidayList& holidays,
                          TDateTime start, TDateTime end)
{
    if (record == nullptr)
        return 0;
    loaded.Load(*record);
    return WorkingHoursBetween(loaded, holidays, start, end);
}

}  // namespace tw::schedule
