#include "schedule/repeat/repeatdates.h"

#include <cmath>

#include "data/quartergrid.h"

namespace tw::schedule {

namespace {

// The same day and time of day `months` later; a day the new month lacks
// rolls to the 1st of the month after (never clamped to the month's end).
TDateTime AddMonthsRollingOver(TDateTime start, int months)
{
    DateFields date;
    TimeFields time;
    DecodeDateTime(start, date, time);
    int month = date.month + months;
    int year = date.year;
    while (month > 12) {
        month -= 12;
        ++year;
    }
    int day = date.day;
    if (day > DaysInMonth(year, month)) {
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return ComposeDateTime(EncodeDate(year, month, day), TimePart(start));
}

bool StartIsCorrupted(TDateTime start)
{
    if (!std::isfinite(start))
        return true;
    const DateFields date = DecodeDate(start);
    return date.year < 1899 || date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31;
}

}  // namespace

float RepeatPeriodHours(int unit, int count, TDateTime start, float hoursPerDay)
{
    switch (unit) {
    case kCustomHours: return static_cast<float>(count);
    case kCustomDays: return static_cast<float>(count) * hoursPerDay;
    case kCustomWeeks: return static_cast<float>(count) * hoursPerDay * 7;
    case kCustomMonths: {
        if (count <= 0)
            return 0;
        const DateFields date = DecodeDate(start);
        const bool leap = IsLeapYear(date.year);
        int month = date.month;
        float total = 0;
        for (int i = 0; i < count; ++i) {
            const int days = month == 2 ? (leap ? 29 : 28) : DaysInMonth(2001, month);
            total = std::trunc(total + static_cast<float>(days) * hoursPerDay);
            month = month == 12 ? 1 : month + 1;
        }
        return total;
    }
    default: return 0;
    }
}

bool NextRepeatDate(const RepeatCalendar& calendar, bool quiet, int customCode, TDateTime prevEnd,
                    TDateTime prevStart, int period, float hours, TDateTime& nextStart, TDateTime& nextEnd)
{
    (void)quiet;  // the one message this rule shows is shown either way
    if (StartIsCorrupted(prevStart)) {
        if (calendar.UI)
            calendar.UI->ShowMessage("Start or end date is corrupted", "Task repeat error",
                                     data::MessageIcon::Stop);
        return false;
    }
    auto setMaximum = [&](int maximum) {
        if (calendar.CountMaximum)
            *calendar.CountMaximum = maximum;
    };

    TDateTime nominal = 0;
    switch (period) {
    case kRepeatDaily:
        nominal = prevStart + 1;
        setMaximum(365);
        break;
    case kRepeatWeekly:
        nominal = prevStart + 7;
        setMaximum(52);
        break;
    case kRepeatMonthly:
        nominal = AddMonthsRollingOver(prevStart, 1);
        setMaximum(12);
        break;
    case kRepeatQuarterly:
        nominal = AddMonthsRollingOver(prevStart, 3);
        setMaximum(4);
        break;
    case kRepeatSixMonths:
        nominal = AddMonthsRollingOver(prevStart, 6);
        setMaximum(4);
        break;
    case kRepeatCustom: {
        // The period is spread over calendar days by the loaded calendar's
        // working day; without working hours there is no day to spread over.
        const float perDay = calendar.LoadedHoursPerDay;
        if (!(perDay > 0))
            return false;
        const float periodHours = RepeatPeriodHours(CustomRepeatUnitOf(customCode),
                                                    CustomRepeatCountOf(customCode), prevStart, perDay);
        nominal = prevStart + static_cast<double>(periodHours / perDay);
        break;
    }
    default: return true;
    }

    TDateTime moved = nominal;
    TDateTime end = data::RoundUpToQuarterHour(calendar.ComputeTaskEnd(moved, nominal, hours));
    if (moved < prevEnd)
        end = data::RoundUpToQuarterHour(calendar.ComputeTaskEnd(moved, prevEnd, hours));
    nextStart = moved;
    nextEnd = end;
    return true;
}

}  // namespace tw::schedule
