#include "schedule/workcalendar.h"

#include <gtest/gtest.h>

#include "calendars.h"
#include "platform/datetime/localetexts.h"

namespace tw::schedule {
namespace {

using namespace testing;

TEST(CeilQuarterHour, MonthAndYearFactors)
{
    EXPECT_EQ(CeilQuarterHour(4.3333333f, 45), 195.0f);
    EXPECT_EQ(CeilQuarterHour(4.3333333f, 40), 173.5f);
    EXPECT_EQ(CeilQuarterHour(4.3333333f, 168), 728.0f);
    EXPECT_EQ(CeilQuarterHour(12, 195), 2340.0f);
    EXPECT_EQ(CeilQuarterHour(5, 7.3f), 36.5f);
}

TEST(WorkCalendar, HoursPerDayWeekMonthYear)
{
    CalendarRecord wholeWeek;
    wholeWeek.SUNDAY = wholeWeek.SATURDAY = true;
    wholeWeek.DAY1 = false;

    CalendarRecord threeBreaks = WithLunch(EightToFive());
    threeBreaks.DAY3 = threeBreaks.DAY4 = true;
    threeBreaks.START3 = Time(10, 0);
    threeBreaks.END3 = Time(10, 15);
    threeBreaks.START4 = Time(15, 0);
    threeBreaks.END4 = Time(15, 30);

    CalendarRecord typed = EightToFive();
    typed.OVERRIDE = true;
    typed.THOURSDY = 4.5;
    typed.THOURSFC = 0.5;

    CalendarRecord offGrid = EightToFive();
    offGrid.START1 = EncodeTime(8, 7, 0, 0);
    offGrid.END1 = EncodeTime(16, 52, 0, 0);

    CalendarRecord threeDays = EightToFive();
    threeDays.MONDAY = threeDays.WEDNESDAY = false;

    struct Case {
        const char* name;
        CalendarRecord record;
        double days;
        float day, week, month, year;
    };
    const Case cases[] = {
        {"08:00-17:00", EightToFive(), 5, 9, 45, 195, 2340},
        {"with lunch", WithLunch(EightToFive()), 5, 8, 40, 173.5f, 2082},
        {"all day every day", wholeWeek, 7, 24, 168, 728, 8736},
        {"three down times", threeBreaks, 5, 7.25f, 36.25f, 157.25f, 1887},
        {"typed hours", typed, 5, 4.5f, 22.5f, 97.5f, 1170},
        {"times off the grid", offGrid, 5, 8.75f, 43.75f, 189.75f, 2277},
        {"three weekdays: 27 x 4 1/3 rounds up", threeDays, 3, 9, 27, 117.25f, 1407},
    };
    for (const Case& c : cases) {
        const WorkCalendar cal = Loaded(c.record);
        EXPECT_EQ(cal.DaysPerWeek(), c.days) << c.name;
        EXPECT_EQ(cal.HoursPerDay(), c.day) << c.name;
        EXPECT_EQ(cal.HoursPerWeek(), c.week) << c.name;
        EXPECT_EQ(cal.HoursPerMonth(), c.month) << c.name;
        EXPECT_EQ(cal.HoursPerYear(), c.year) << c.name;
        EXPECT_TRUE(cal.HasWorkingTime()) << c.name;
    }
}

TEST(WorkCalendar, WorkingDayStartAndEnd)
{
    CalendarRecord offGrid = EightToFive();
    offGrid.START1 = EncodeTime(8, 7, 0, 0);
    offGrid.END1 = EncodeTime(16, 52, 0, 0);
    WorkCalendar cal = Loaded(offGrid);
    EXPECT_EQ(cal.WorkDayStart(), Time(8, 15));
    EXPECT_EQ(cal.WorkDayEnd(), Time(17, 0));
    // The calendar page saves the times on the day it saved them.
    CalendarRecord dated = EightToFive();
    dated.START1 = EncodeDate(2027, 1, 4) + Time(8, 0);
    dated.END1 = EncodeDate(2027, 1, 4) + Time(17, 0);
    EXPECT_EQ(Loaded(dated).WorkDayStart(), Time(8, 0));
    EXPECT_EQ(Loaded(dated).WorkDayEnd(), Time(17, 0));

    // The defaults, and a typed number of hours, keep the last working day.
    cal.LoadDefaults();
    EXPECT_EQ(cal.HoursPerDay(), 8.0f);
    EXPECT_EQ(cal.HoursPerMonth(), 173.5f);
    EXPECT_EQ(cal.WorkDayStart(), Time(8, 15));
    CalendarRecord typed = EightToFive();
    typed.START1 = Time(6, 0);
    typed.OVERRIDE = true;
    typed.THOURSDY = 4.5;
    cal.Load(typed);
    EXPECT_EQ(cal.WorkDayStart(), Time(8, 15));

    CalendarRecord allDay = EightToFive();
    allDay.DAY1 = false;
    cal.Load(allDay);
    EXPECT_EQ(cal.WorkDayStart(), 0.0);
    EXPECT_EQ(cal.WorkDayEnd(), EncodeTime(23, 58, 59, 999));
}

TEST(WorkCalendar, ReloadingFollowsTheRecord)
{
    WorkCalendar cal;
    cal.Load(EightToFive());
    cal.Load(WithLunch(EightToFive()));
    EXPECT_EQ(cal.HoursPerDay(), 8.0f);
    EXPECT_FALSE(cal.IsWorkingTime(Time(12, 30)));
    cal.Load(EightToFive());
    EXPECT_EQ(cal.HoursPerDay(), 9.0f);
    EXPECT_TRUE(cal.IsWorkingTime(Time(12, 30)));
}

TEST(WorkCalendar, IsWorkingTimeNearTheBoundaries)
{
    const WorkCalendar lunch = Loaded(WithLunch(EightToFive()));
    CalendarRecord allDayRecord = WithLunch(EightToFive());
    allDayRecord.DAY1 = false;
    const WorkCalendar allDay = Loaded(allDayRecord);
    struct Case {
        const char* name;
        const WorkCalendar& cal;
        TDateTime t;
        bool expected;
    };
    const Case cases[] = {
        {"07:57 counts as 08:00", lunch, Day(9) + Time(7, 57), true},
        {"07:54 is before the day", lunch, Time(7, 54), false},
        {"08:00", lunch, Time(8, 0), true},
        {"11:45", lunch, Time(11, 45), true},
        {"11:57 counts as lunch", lunch, Time(11, 57), false},
        {"12:30 lunch", lunch, Time(12, 30), false},
        {"12:57 counts as 13:00", lunch, Time(12, 57), true},
        {"16:45", lunch, Time(16, 45), true},
        {"16:54 still working", lunch, Time(16, 54), true},
        {"16:57 counts as the end", lunch, Time(16, 57), false},
        {"17:00", lunch, Time(17, 0), false},
        {"whole day at 03:00", allDay, Time(3, 0), true},
        {"down times apply without a working day", allDay, Time(12, 15), false},
        {"whole day at 23:45", allDay, Time(23, 45), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cal.IsWorkingTime(c.t), c.expected) << c.name;
}

// Holidays are days, not texts: the locale in use changes nothing.
TEST(WorkCalendar, WorkingDaysAndHolidays)
{
    const WorkCalendar cal = Loaded(EightToFive());
    for (const char* name : {"en_US", "de_DE", "C", "en_GB"}) {
        locale::PinLocale(name);
        const HolidayList holidays(
            {DayNumber(Day(kTuesday)), DayNumber(EncodeDate(2026, 12, 12)), DayNumber(Day(kTuesday, 13, 0))});
        EXPECT_EQ(holidays.Days().size(), 2u) << name;
        EXPECT_TRUE(cal.IsWorkingDay(Day(kMonday, 10, 0), holidays)) << name;
        EXPECT_FALSE(cal.IsWorkingDay(Day(kTuesday, 10, 0), holidays)) << name;
        EXPECT_FALSE(cal.IsWorkingDay(Day(kSaturday), holidays)) << name;
        EXPECT_TRUE(cal.IsWorkingDay(Day(kWednesday), holidays)) << name;
        EXPECT_TRUE(cal.IsWorkingDay(Day(kTuesday), HolidayList())) << name;
    }
    locale::PinLocale("en_US");
}

TEST(WorkCalendar, CalendarsWithoutWorkingTime)
{
    CalendarRecord noWeekday = EightToFive();
    noWeekday.MONDAY = noWeekday.TUESDAY = noWeekday.WEDNESDAY = false;
    noWeekday.THURSDAY = noWeekday.FRIDAY = false;
    CalendarRecord emptyDay = EightToFive();
    emptyDay.END1 = emptyDay.START1;
    CalendarRecord downAllDay = EightToFive();
    downAllDay.DAY2 = true;
    downAllDay.START2 = Time(7, 0);
    downAllDay.END2 = Time(18, 0);
    CalendarRecord reversed = EightToFive();
    reversed.START1 = Time(17, 0);
    reversed.END1 = Time(8, 0);
    CalendarRecord typedNothing = EightToFive();
    typedNothing.OVERRIDE = true;
    typedNothing.THOURSDY = 0;
    typedNothing.THOURSFC = 0;
    for (const CalendarRecord& r : {noWeekday, emptyDay, downAllDay, reversed, typedNothing})
        EXPECT_FALSE(Loaded(r).HasWorkingTime());
}

}  // namespace
}  // namespace tw::schedule
