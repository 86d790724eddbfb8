// The periods the shortcuts put into the pickers and the arrows' steps.
#include "query/dateshortcuts.h"

#include <gtest/gtest.h>

namespace tw::query {
namespace {

TDateTime D(int y, int m, int d, int h = 0, int min = 0)
{
    return EncodeDate(y, m, d) + EncodeTime(h, min, 0, 0);
}

TEST(DateShortcutsTest, PeriodsOfTheButtons)
{
    struct Case {
        const char* name;
        DateShortcut shortcut;
        TDateTime now, first, last;
    } cases[] = {
        {"today", DateShortcut::Today, D(2026, 12, 9, 14, 20), D(2026, 12, 9), D(2026, 12, 9)},
        {"a Wednesday's week", DateShortcut::ThisWeek, D(2026, 12, 9, 14, 20), D(2026, 12, 6),
         D(2026, 12, 12)},
        {"a week across the year end", DateShortcut::ThisWeek, D(2026, 12, 30), D(2026, 12, 27),
         D(2027, 1, 2)},
        {"a Sunday starts its week", DateShortcut::ThisWeek, D(2026, 12, 6), D(2026, 12, 6), D(2026, 12, 12)},
        {"leap February", DateShortcut::ThisMonth, D(2028, 2, 10), D(2028, 2, 1), D(2028, 2, 29)},
        {"plain February", DateShortcut::ThisMonth, D(2027, 2, 10), D(2027, 2, 1), D(2027, 2, 28)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Period p = ShortcutPeriod(c.shortcut, c.now);
        EXPECT_EQ(p.FirstDay, c.first);
        EXPECT_EQ(p.LastDay, c.last);
    }
}

// The end picker shows the period's last day: "Today" must not reach into tomorrow.
TEST(DateShortcutsTest, PickersEndOnTheLastDay)
{
    const Period today{D(2026, 12, 9), D(2026, 12, 9)};
    DatePickers p = FillPickers(today, false, EncodeTime(8, 0, 0, 0), EncodeTime(23, 58, 59, 999));
    EXPECT_EQ(p.Start, D(2026, 12, 9));
    EXPECT_EQ(p.End, D(2026, 12, 9));

    p = FillPickers(today, true, EncodeTime(8, 10, 0, 0), EncodeTime(17, 0, 0, 0));
    EXPECT_EQ(p.Start, D(2026, 12, 9, 8, 15));
    EXPECT_EQ(p.End, D(2026, 12, 9, 17, 0));
    // A working day that ends at midnight keeps the end on its day.
    p = FillPickers(today, true, 0, EncodeTime(23, 58, 59, 999));
    EXPECT_EQ(p.End, D(2026, 12, 9));
}

TEST(DateShortcutsTest, ArrowsStepThePeriod)
{
    const DatePickers week{D(2026, 12, 6), D(2026, 12, 12)};
    DatePickers p = StepDay(week, false);
    EXPECT_EQ(p.Start, D(2026, 12, 5));
    EXPECT_EQ(p.End, D(2026, 12, 5));
    p = StepDay(week, true);
    EXPECT_EQ(p.Start, D(2026, 12, 7));
    EXPECT_EQ(p.End, D(2026, 12, 7));

    p = StepWeek({D(2026, 12, 27, 8), D(2027, 1, 2, 17)}, true);
    EXPECT_EQ(p.Start, D(2027, 1, 3, 8));
    EXPECT_EQ(p.End, D(2027, 1, 9, 17));

    p = StepMonth({D(2027, 1, 1), D(2027, 1, 31)}, false);
    EXPECT_EQ(p.Start, D(2026, 12, 1));
    EXPECT_EQ(p.End, D(2026, 12, 31));
    p = StepMonth({D(2028, 1, 1), D(2028, 1, 31)}, true);
    EXPECT_EQ(p.Start, D(2028, 2, 1));
    EXPECT_EQ(p.End, D(2028, 2, 29));
    p = StepMonth({D(2026, 12, 1), D(2026, 12, 31)}, true);
    EXPECT_EQ(p.Start, D(2027, 1, 1));
    EXPECT_EQ(p.End, D(2027, 1, 31));
}

}  // namespace
}  // namespace tw::query
