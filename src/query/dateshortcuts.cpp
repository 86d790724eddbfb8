#include "query/dateshortcuts.h"

#include <cmath>

#include "schedule/timeofday.h"

namespace tw::query {

namespace {

// A picker's value as the arrows read it: its date at its time, rounded up
// to the quarter hour.
TDateTime Read(TDateTime picker)
{
    return schedule::CombineDateTime(picker, TimePart(picker));
}

// A picker given another date; its time of day stays.
TDateTime WithDate(TDateTime picker, TDateTime date)
{
    return ComposeDateTime(std::floor(date), TimePart(picker));
}

}  // namespace

Period ShortcutPeriod(DateShortcut shortcut, TDateTime now)
{
    const TDateTime today = std::floor(now);
    switch (shortcut) {
    case DateShortcut::Today: return {today, today};
    case DateShortcut::ThisWeek: {
        const int weekday = DayOfWeek(today);
        return {today - (weekday - 1), today + (7 - weekday)};
    }
    case DateShortcut::ThisMonth: {
        const DateFields d = DecodeDate(today);
        return {EncodeDate(d.year, d.month, 1), EncodeDate(d.year, d.month, DaysInMonth(d.year, d.month))};
    }
    }
    return {today, today};
}

DatePickers FillPickers(const Period& period, bool specifyWorkingDay, TDateTime workingDayStart,
                        TDateTime workingDayEnd)
{
    DatePickers p;
    if (specifyWorkingDay) {
        p.Start = ComposeDateTime(period.FirstDay,
                                  TimePart(schedule::CombineDateTime(period.FirstDay, workingDayStart)));
        p.End = ComposeDateTime(period.LastDay,
                                TimePart(schedule::CombineDateTime(period.LastDay, workingDayEnd)));
    } else {
        p.Start = period.FirstDay;
        p.End = period.LastDay;
    }
    return p;
}

DatePickers StepDay(const DatePickers& pickers, bool forward)
{
    const TDateTime day = std::floor(Read(pickers.Start)) + (forward ? 1 : -1);
    return {WithDate(pickers.Start, day), WithDate(pickers.End, day)};
}

DatePickers StepWeek(const DatePickers& pickers, bool forward)
{
    const int days = forward ? 7 : -7;
    return {WithDate(pickers.Start, std::floor(Read(pickers.Start)) + days),
            WithDate(pickers.End, std::floor(Read(pickers.End)) + days)};
}

DatePickers StepMonth(const DatePickers& pickers, bool forward)
{
    const DateFields d = DecodeDate(Read(pickers.Start));
    int year = d.year;
    int month = d.month + (forward ? 1 : -1);
    if (month > 12) {
        month = 1;
        ++year;
    } else if (month < 1) {
        month = 12;
        --year;
    }
    return {WithDate(pickers.Start, EncodeDate(year, month, 1)),
            WithDate(pickers.End, EncodeDate(year, month, DaysInMonth(year, month)))};
}

}  // namespace tw::query
