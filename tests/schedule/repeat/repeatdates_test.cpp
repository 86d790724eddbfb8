#include "schedule/repeat/repeatdates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "schedule/workingtime.h"
#include "support/recordinguserinterface.h"

namespace tw::schedule {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0)
{
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, 0, 0);
}

// Monday to Friday, 08:00 to 16:00: 8 hours a day.
struct EightHourWeek {
    EightHourWeek()
    {
        CalendarRecord r;
        r.START1 = EncodeTime(8, 0, 0, 0);
        r.END1 = EncodeTime(16, 0, 0, 0);
        loaded.Load(r);
        calendar.ComputeTaskEnd = [this](TDateTime& startOut, TDateTime start, float hours) {
            return schedule::ComputeTaskEnd(loaded, holidays, startOut, start, hours);
        };
        calendar.LoadedHoursPerDay = loaded.HoursPerDay();
        calendar.UI = &ui;
        calendar.CountMaximum = &maximum;
    }
    WorkCalendar loaded;
    HolidayList holidays;
    data::RecordingUserInterface ui;
    int maximum = 0;
    RepeatCalendar calendar;
};

struct Step {
    const char* name;
    int period;
    int customCode;
    TDateTime prevStart;
    TDateTime prevEnd;
    float hours;
    TDateTime start;
    TDateTime end;
    int maximum;  // 0: left as it was
};

TEST(NextRepeatDate, PeriodsRollOversAndOverlaps)
{
    const Step steps[] = {
        // 1 Dec 2026 is a Tuesday.
        {"daily", kRepeatDaily, 0, At(2026, 12, 1, 9), At(2026, 12, 1, 11), 2, At(2026, 12, 2, 9),
         At(2026, 12, 2, 11), 365},
        {"weekly", kRepeatWeekly, 0, At(2026, 12, 1, 9), At(2026, 12, 1, 11), 2, At(2026, 12, 8, 9),
         At(2026, 12, 8, 11), 52},
        // A 10-hour task from Monday 8:00 ends Tuesday 10:00: the next starts there.
        {"daily overlap starts at the previous end", kRepeatDaily, 0, At(2026, 12, 7, 8), At(2026, 12, 8, 10),
         10, At(2026, 12, 8, 10), At(2026, 12, 9, 12), 365},
        // Friday + 1 is Saturday: the calendar moves it to the same time on Monday.
        {"daily across the weekend", kRepeatDaily, 0, At(2026, 12, 11, 9), At(2026, 12, 11, 10), 1,
         At(2026, 12, 14, 9), At(2026, 12, 14, 10), 365},
        // Monthly from 31 Jan: 31 Feb does not exist, so 1 March; in 2028 (leap) 29 Feb would do, but
        // 31 Feb still rolls.
        {"monthly from the 31st", kRepeatMonthly, 0, At(2027, 1, 29, 9), At(2027, 1, 29, 10), 1,
         At(2027, 3, 1, 9), At(2027, 3, 1, 10), 12},
        {"monthly from the 31st, leap year", kRepeatMonthly, 0, At(2028, 1, 31, 9), At(2028, 1, 31, 10), 1,
         At(2028, 3, 1, 9), At(2028, 3, 1, 10), 12},
        {"monthly from 29 Jan, leap year", kRepeatMonthly, 0, At(2028, 1, 29, 9), At(2028, 1, 29, 10), 1,
         At(2028, 2, 29, 9), At(2028, 2, 29, 10), 12},
        {"monthly across the year end", kRepeatMonthly, 0, At(2026, 12, 15, 9), At(2026, 12, 15, 10), 1,
         At(2027, 1, 15, 9), At(2027, 1, 15, 10), 12},
        // 30 Nov + 3 months: 30 Feb does not exist, so 1 March of the next year (a Wednesday).
        {"quarterly from 30 November", kRepeatQuarterly, 0, At(2026, 11, 30, 9), At(2026, 11, 30, 10), 1,
         At(2027, 3, 1, 9), At(2027, 3, 1, 10), 4},
        // 31 Aug 2027 + 6 months: 31 Feb -> 1 March 2028 (a Wednesday).
        {"six months from 31 August", kRepeatSixMonths, 0, At(2027, 8, 31, 9), At(2027, 8, 31, 10), 1,
         At(2028, 3, 1, 9), At(2028, 3, 1, 10), 4},
        // 3 months from 15 Jan 2027: (31 + 28 + 31) * 8 = 720 hours = 90 calendar days: 15 April.
        {"custom three months", kRepeatCustom, CustomRepeatCode(3, kCustomMonths), At(2027, 1, 15, 9),
         At(2027, 1, 15, 10), 1, At(2027, 4, 15, 9), At(2027, 4, 15, 10), 0},
        {"custom two weeks", kRepeatCustom, CustomRepeatCode(2, kCustomWeeks), At(2026, 12, 1, 9),
         At(2026, 12, 1, 10), 1, At(2026, 12, 15, 9), At(2026, 12, 15, 10), 0},
        // 4 hours on an 8-hour day: half a calendar day later, 21:00, is after work: next morning.
        {"custom four hours", kRepeatCustom, CustomRepeatCode(4, kCustomHours), At(2026, 12, 1, 9),
         At(2026, 12, 1, 10), 1, At(2026, 12, 2, 8), At(2026, 12, 2, 9), 0},
        // Code 0: a period of no length; each occurrence starts where the previous ended.
        {"custom never chosen", kRepeatCustom, 0, At(2026, 12, 1, 9), At(2026, 12, 1, 10), 1,
         At(2026, 12, 1, 10), At(2026, 12, 1, 11), 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        EightHourWeek f;
        TDateTime start = -1, end = -1;
        ASSERT_TRUE(NextRepeatDate(f.calendar, false, step.customCode, step.prevEnd, step.prevStart,
                                   step.period, step.hours, start, end));
        EXPECT_NEAR(start, step.start, 1e-7);
        EXPECT_NEAR(end, step.end, 1e-7);
        EXPECT_EQ(f.maximum, step.maximum);
        EXPECT_TRUE(f.ui.Messages.empty());
    }
}

TEST(NextRepeatDate, ASeriesCarriesAMovedStartOn)
{
    // Daily from Thursday 9:00: Friday, then Saturday moves to Monday 9:00, and Tuesday follows Monday.
    EightHourWeek f;
    TDateTime start = At(2026, 12, 10, 9), end = At(2026, 12, 10, 10);
    std::vector<TDateTime> starts;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(NextRepeatDate(f.calendar, false, 0, end, start, kRepeatDaily, 1, start, end));
        starts.push_back(start);
    }
    EXPECT_NEAR(starts[0], At(2026, 12, 11, 9), 1e-7);
    EXPECT_NEAR(starts[1], At(2026, 12, 14, 9), 1e-7);
    EXPECT_NEAR(starts[2], At(2026, 12, 15, 9), 1e-7);
}

TEST(NextRepeatDate, RefusesWithoutTouchingTheOutputs)
{
    EightHourWeek f;
    TDateTime start = 42, end = 43;
    // Before 1899.
    EXPECT_FALSE(NextRepeatDate(f.calendar, true, 0, At(1850, 1, 1, 10), At(1850, 1, 1, 9), kRepeatDaily, 1,
                                start, end));
    ASSERT_EQ(f.ui.Messages.size(), 1u);
    EXPECT_EQ(f.ui.Messages[0].text, "Start or end date is corrupted");
    EXPECT_EQ(f.ui.Messages[0].caption, "Task repeat error");
    EXPECT_FALSE(NextRepeatDate(f.calendar, true, 0, 0, std::nan(""), kRepeatDaily, 1, start, end));

    // A custom period on a calendar with no working hours has no length in days.
    f.calendar.LoadedHoursPerDay = 0;
    EXPECT_FALSE(NextRepeatDate(f.calendar, false, CustomRepeatCode(2, kCustomDays), At(2026, 12, 1, 10),
                                At(2026, 12, 1, 9), kRepeatCustom, 1, start, end));
    EXPECT_EQ(start, 42);
    EXPECT_EQ(end, 43);

    // "None" or an unknown period: nothing to compute, nothing written.
    EXPECT_TRUE(NextRepeatDate(f.calendar, false, 0, At(2026, 12, 1, 10), At(2026, 12, 1, 9), kRepeatNone, 1,
                               start, end));
    EXPECT_EQ(start, 42);
}

TEST(RepeatPeriodHours, Units)
{
    const TDateTime jan15 = At(2027, 1, 15);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomHours, 5, jan15, 8), 5);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomDays, 3, jan15, 8), 24);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomWeeks, 2, jan15, 7.5f), 105);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomMonths, 3, jan15, 8), 720);
    // A leap start year counts 29 February in every step, across the year end too.
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomMonths, 14, At(2028, 1, 15), 1), 366 + 31 + 29);
    // Whole hours after each month: 31 * 7.7 = 238.7 -> 238, + 28 * 7.7 = 453.6 -> 453.
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomMonths, 2, jan15, 7.7f), 453);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(kCustomMonths, 0, jan15, 8), 0);
    EXPECT_FLOAT_EQ(RepeatPeriodHours(7, 3, jan15, 8), 0);
    // The code keeps its count's sign.
    EXPECT_EQ(CustomRepeatCountOf(CustomRepeatCode(-2, kCustomDays)), -2);
    EXPECT_EQ(CustomRepeatUnitOf(CustomRepeatCode(999, kCustomMonths)), kCustomMonths);
}

}  // namespace
}  // namespace tw::schedule
