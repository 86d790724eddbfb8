#pragma once
// The Query group's date shortcuts: "Today", "This week" and "This month"
// put a period into the two date pickers, and the day, week and month
// arrows step it. Values only; the page writes them into its pickers and
// then applies the date restriction.
//
//   DatePickers p = FillPickers(ShortcutPeriod(DateShortcut::ThisWeek, Now()), false, 0, 0);
//   p = StepMonth(p, true);

#include "platform/datetime/datetime.h"

namespace tw::query {

enum class DateShortcut { Today, ThisWeek, ThisMonth };

struct Period {
    TDateTime FirstDay = 0;
    TDateTime LastDay = 0;
};

// What the two pickers hold: a date and a time of day each.
struct DatePickers {
    TDateTime Start = 0;
    TDateTime End = 0;
};

// Weeks run Sunday to Saturday.
Period ShortcutPeriod(DateShortcut shortcut, TDateTime now);

// Both pickers on the period's days. With a specified working day they hold
// its start and end times; otherwise both hold 0:00, so the end picker shows
// the period's last day and never the day after it.
DatePickers FillPickers(const Period& period, bool specifyWorkingDay, TDateTime workingDayStart,
                        TDateTime workingDayEnd);

// The arrows: forward (up) or back. Only the pickers' dates change.
// One day from the start: the period becomes that single day.
DatePickers StepDay(const DatePickers& pickers, bool forward);
// Both ends a week on.
DatePickers StepWeek(const DatePickers& pickers, bool forward);
// The whole month after or before the start's month.
DatePickers StepMonth(const DatePickers& pickers, bool forward);

}  // namespace tw::query
