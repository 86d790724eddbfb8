#include "schedule/workingtime.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "calendars.h"
#include "platform/datetime/localetexts.h"

namespace tw::schedule {
namespace {

using namespace testing;

class WorkingTimeTest : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }

    TDateTime End(const CalendarRecord& r, TDateTime start, float hours, TDateTime* startOut = nullptr)
    {
        TDateTime out = 0;
        const TDateTime end = ComputeTaskEnd(Loaded(r), holidays, out, start, hours);
        if (startOut != nullptr)
            *startOut = out;
        return end;
    }

    float Between(const CalendarRecord& r, TDateTime start, TDateTime end)
    {
        return WorkingHoursBetween(Loaded(r), holidays, start, end);
    }

    HolidayList holidays;
};

TEST_F(WorkingTimeTest, TaskEndsOnANineHourDay)
{
    struct Case {
        const char* name;
        TDateTime start;
        float hours;
        TDateTime startOut;
        TDateTime end;
    };
    const Case cases[] = {
        {"one whole day", Day(kMonday, 8, 0), 9, Day(kMonday, 8, 0), Day(kMonday, 17, 0)},
        {"two whole days", Day(kMonday, 8, 0), 18, Day(kMonday, 8, 0), Day(kTuesday, 17, 0)},
        {"a day and a third", Day(kMonday, 8, 0), 12, Day(kMonday, 8, 0), Day(kTuesday, 11, 0)},
        {"afternoon start", Day(kMonday, 13, 0), 12, Day(kMonday, 13, 0), Day(kTuesday, 16, 0)},
        {"afternoon start, whole next day", Day(kMonday, 13, 0), 13, Day(kMonday, 13, 0),
         Day(kTuesday, 17, 0)},
        {"over the weekend", Day(kFriday, 13, 0), 8, Day(kFriday, 13, 0), Day(kNextMonday, 12, 0)},
        {"within the first day", Day(kMonday, 13, 0), 3, Day(kMonday, 13, 0), Day(kMonday, 16, 0)},
        {"a quarter hour", Day(kMonday, 16, 45), 0.25f, Day(kMonday, 16, 45), Day(kMonday, 17, 0)},
        {"Saturday morning keeps its time of day", Day(kSaturday, 10, 0), 2, Day(kNextMonday, 10, 0),
         Day(kNextMonday, 12, 0)},
        {"Saturday evening waits for Tuesday", Day(kSaturday, 20, 0), 1, Day(kNextMonday + 1, 8, 0),
         Day(kNextMonday + 1, 9, 0)},
        {"after hours", Day(kMonday, 17, 30), 2, Day(kTuesday, 8, 0), Day(kTuesday, 10, 0)},
        {"start rounded up", Day(kMonday, 10, 7), 2, Day(kMonday, 10, 15), Day(kMonday, 12, 15)},
        {"length rounded up", Day(kMonday, 8, 0), 1.1f, Day(kMonday, 8, 0), Day(kMonday, 9, 15)},
        {"no length before the day", Day(kMonday, 6, 0), 0, Day(kMonday, 8, 0), Day(kMonday, 8, 0)},
        {"no length in the day", Day(kMonday, 10, 0), 0, Day(kMonday, 10, 0), Day(kMonday, 10, 0)},
        {"negative length", Day(kMonday, 10, 0), -3, Day(kMonday, 10, 0), Day(kMonday, 10, 0)},
        {"four weeks", Day(kMonday, 8, 0), 180, Day(kMonday, 8, 0), EncodeDate(2027, 1, 1) + Time(17, 0)},
    };
    for (const Case& c : cases) {
        TDateTime startOut = 0;
        EXPECT_EQ(End(EightToFive(), c.start, c.hours, &startOut), c.end) << c.name;
        EXPECT_EQ(startOut, c.startOut) << c.name;
    }
}

TEST_F(WorkingTimeTest, TaskEndsAroundLunch)
{
    const CalendarRecord lunch = WithLunch(EightToFive());
    EXPECT_EQ(End(lunch, Day(kMonday, 8, 0), 8), Day(kMonday, 17, 0));
    EXPECT_EQ(End(lunch, Day(kMonday, 8, 0), 4), Day(kMonday, 12, 0));
    EXPECT_EQ(End(lunch, Day(kMonday, 8, 0), 4.25f), Day(kMonday, 13, 15));
    TDateTime startOut = 0;
    EXPECT_EQ(End(lunch, Day(kMonday, 12, 10), 1, &startOut), Day(kMonday, 14, 0));
    EXPECT_EQ(startOut, Day(kMonday, 13, 0));
    EXPECT_EQ(End(lunch, Day(kMonday, 13, 0), 12), Day(kTuesday, 17, 0));
}

TEST_F(WorkingTimeTest, HolidaysAreDaysOff)
{
    holidays.Assign({DayNumber(EncodeDate(2026, 12, 8))});
    EXPECT_EQ(End(EightToFive(), Day(kMonday, 13, 0), 12), Day(kWednesday, 16, 0));
    TDateTime startOut = 0;
    EXPECT_EQ(End(EightToFive(), Day(kTuesday, 9, 0), 2, &startOut), Day(kWednesday, 11, 0));
    EXPECT_EQ(startOut, Day(kWednesday, 9, 0));
    EXPECT_EQ(Between(EightToFive(), Day(kMonday, 8, 0), Day(kFriday, 17, 0)), 36.0f);

    holidays.Assign({});
    EXPECT_EQ(End(EightToFive(), Day(kMonday, 13, 0), 12), Day(kTuesday, 16, 0));
}

TEST_F(WorkingTimeTest, HoursBetweenOnANineHourDay)
{
    struct Case {
        const char* name;
        TDateTime start;
        TDateTime end;
        float hours;
    };
    const Case cases[] = {
        {"same day", Day(kMonday, 10, 0), Day(kMonday, 14, 0), 4},
        {"into the next day", Day(kMonday, 13, 0), Day(kTuesday, 17, 0), 13},
        {"from Saturday", Day(kSaturday, 10, 0), Day(kNextMonday, 12, 0), 2},
        {"the working week", Day(kMonday, 8, 0), Day(kFriday, 17, 0), 45},
        {"over the weekend", Day(kFriday, 13, 0), Day(kNextMonday, 12, 0), 8},
        {"rounded ends", Day(kMonday, 9, 50), Day(kMonday, 10, 40), 0.75f},
        {"same instant", Day(kMonday, 10, 0), Day(kMonday, 10, 0), 0},
        {"end before start", Day(kTuesday, 10, 0), Day(kMonday, 10, 0), 0},
        {"end before start, same day", Day(kMonday, 15, 0), Day(kMonday, 10, 0), 0},
        {"weekend only", Day(kSaturday, 8, 0), Day(kSaturday + 1, 17, 0), 0},
        {"night", Day(kMonday, 18, 0), Day(kTuesday, 7, 0), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Between(EightToFive(), c.start, c.end), c.hours) << c.name;
}

// The end's day used to be taken off as a whole day even when it is no
// working day, losing a day's hours.
TEST_F(WorkingTimeTest, HoursBetweenEndingOnADayOff)
{
    EXPECT_EQ(Between(EightToFive(), Day(kMonday, 8, 0), Day(kSaturday, 0, 15)), 45.0f);
    EXPECT_EQ(Between(EightToFive(), Day(kFriday, 13, 0), Day(kSaturday, 12, 0)), 4.0f);
    EXPECT_EQ(Between(EightToFive(), Day(kFriday, 13, 0), Day(kSaturday + 1, 23, 0)), 4.0f);
    holidays.Assign({DayNumber(EncodeDate(2026, 12, 8))});
    EXPECT_EQ(Between(EightToFive(), Day(kMonday, 13, 0), Day(kTuesday, 12, 0)), 4.0f);
    EXPECT_EQ(Between(EightToFive(), Day(kMonday, 13, 0), Day(kWednesday, 10, 0)), 6.0f);
}

// Typed hours per day: every working quarter hour is worth the typed share.
TEST_F(WorkingTimeTest, TypedHoursPerDay)
{
    CalendarRecord half = EightToFive();
    half.OVERRIDE = true;
    half.THOURSDY = 4.5;
    half.THOURSFC = 0.5;
    EXPECT_EQ(End(half, Day(kMonday, 8, 0), 4.5f), Day(kMonday, 17, 0));
    EXPECT_EQ(End(half, Day(kMonday, 8, 0), 0.125f), Day(kMonday, 8, 15));
    EXPECT_EQ(End(half, Day(kFriday, 13, 0), 4.5f), Day(kNextMonday, 13, 0));
    EXPECT_EQ(Between(half, Day(kMonday, 8, 0), Day(kMonday, 17, 0)), 4.5f);
    EXPECT_EQ(Between(half, Day(kMonday, 8, 0), Day(kTuesday, 17, 0)), 9.0f);

    // With typed hours a start on a day off moves to the first working
    // quarter hour, not to the same time of day.
    TDateTime startOut = 0;
    EXPECT_EQ(End(half, Day(kSaturday, 10, 0), 1, &startOut), Day(kNextMonday, 10, 0));
    EXPECT_EQ(startOut, Day(kNextMonday, 8, 0));
    holidays.Assign({DayNumber(EncodeDate(2026, 12, 14))});
    EXPECT_EQ(End(half, Day(kSaturday, 10, 0), 1, &startOut), Day(kNextMonday + 1, 10, 0));
    EXPECT_EQ(End(half, Day(kMonday, 8, 0), 0), Day(kMonday, 8, 0));
}

// A quarter hour worth two thirds of a quarter cannot be summed exactly; a
// 6-hour task on 6 typed hours a day used to take a quarter hour of the next
// day.
TEST_F(WorkingTimeTest, TypedHoursThatAreNoExactFraction)
{
    CalendarRecord six = EightToFive();
    six.OVERRIDE = true;
    six.THOURSDY = 6;
    six.THOURSFC = 6.0 / 9.0;
    EXPECT_EQ(End(six, Day(kMonday, 8, 0), 6), Day(kMonday, 17, 0));
    EXPECT_EQ(End(six, Day(kMonday, 8, 0), 12), Day(kTuesday, 17, 0));
    EXPECT_EQ(End(six, Day(kMonday, 8, 0), 60), Day(kFriday + 7, 17, 0));
    EXPECT_NEAR(Between(six, Day(kMonday, 8, 0), Day(kMonday, 17, 0)), 6.0f, 1e-5);
    EXPECT_NEAR(Between(six, Day(kMonday, 8, 0), Day(kTuesday, 17, 0)), 12.0f, 1e-5);
    EXPECT_NEAR(Between(six, Day(kMonday, 13, 0), Day(kTuesday, 10, 0)), 4.0f, 1e-5);

    // The share as a seven-digit number falls a hair short of two thirds.
    six.THOURSFC = 0.6666666;
    EXPECT_EQ(End(six, Day(kMonday, 8, 0), 6), Day(kMonday, 17, 0));
    EXPECT_EQ(End(six, Day(kMonday, 8, 0), 300), EncodeDate(2027, 2, 12) + Time(17, 0));
}

TEST_F(WorkingTimeTest, ResourceWithoutCalendar)
{
    WorkCalendar loaded = Loaded(WithLunch(EightToFive()));
    TDateTime startOut = 0;
    EXPECT_EQ(ComputeTaskEnd(loaded, nullptr, holidays, startOut, Day(kMonday, 10, 7), 5),
              Day(kMonday, 10, 7));
    EXPECT_EQ(startOut, Day(kMonday, 10, 15));
    EXPECT_EQ(WorkingHoursBetween(loaded, nullptr, holidays, Day(kMonday, 8, 0), Day(kMonday, 17, 0)), 0.0f);

    // With a record the loaded calendar becomes that record's.
    const CalendarRecord nine = EightToFive();
    EXPECT_EQ(ComputeTaskEnd(loaded, &nine, holidays, startOut, Day(kMonday, 8, 0), 9), Day(kMonday, 17, 0));
    EXPECT_EQ(loaded.HoursPerDay(), 9.0f);
    EXPECT_EQ(WorkingHoursBetween(loaded, &nine, holidays, Day(kMonday, 8, 0), Day(kMonday, 17, 0)), 9.0f);
}

// A calendar with no working time used to send every walk round for ever.
TEST_F(WorkingTimeTest, CalendarsWithoutWorkingTimeEndAtTheStart)
{
    CalendarRecord noWeekday = EightToFive();
    noWeekday.MONDAY = noWeekday.TUESDAY = noWeekday.WEDNESDAY = false;
    noWeekday.THURSDAY = noWeekday.FRIDAY = false;
    CalendarRecord downAllDay = EightToFive();
    downAllDay.DAY2 = true;
    downAllDay.START2 = Time(0, 0);
    downAllDay.END2 = Time(23, 45);
    CalendarRecord typedNothing = EightToFive();
    typedNothing.OVERRIDE = true;
    CalendarRecord typedNoWeekday = noWeekday;
    typedNoWeekday.OVERRIDE = true;
    typedNoWeekday.THOURSDY = 4.5;
    typedNoWeekday.THOURSFC = 0.5;
    for (const CalendarRecord& r : {noWeekday, downAllDay, typedNothing, typedNoWeekday}) {
        TDateTime startOut = 0;
        EXPECT_EQ(End(r, Day(kMonday, 10, 7), 20, &startOut), Day(kMonday, 10, 15));
        EXPECT_EQ(startOut, Day(kMonday, 10, 15));
        EXPECT_EQ(Between(r, Day(kMonday, 8, 0), Day(kFriday + 7, 17, 0)), 0.0f);
    }
    EXPECT_EQ(Between(noWeekday, Day(kMonday, 8, 0), Day(kFriday + 7, 17, 0)), 0.0f);
}

// A calendar's day with its down times as they are typed; they may overlap.
CalendarRecord DayWithDownTimes(int fromH, int fromM, int toH, int toM,
                                std::initializer_list<std::array<int, 4>> downs)
{
    CalendarRecord r;
    r.START1 = Time(fromH, fromM);
    r.END1 = Time(toH, toM);
    bool* flags[] = {&r.DAY2, &r.DAY3, &r.DAY4};
    TDateTime* starts[] = {&r.START2, &r.START3, &r.START4};
    TDateTime* ends[] = {&r.END2, &r.END3, &r.END4};
    int i = 0;
    for (const auto& d : downs) {
        *flags[i] = true;
        *starts[i] = Time(d[0], d[1]);
        *ends[i] = Time(d[2], d[3]);
        ++i;
    }
    return r;
}

// Typed hours per day over the hours the times give.
CalendarRecord Typed(CalendarRecord r, double hoursPerDay)
{
    const double computed = Loaded(r).HoursPerDay();
    r.OVERRIDE = true;
    r.THOURSDY = hoursPerDay;
    r.THOURSFC = computed > 0 ? hoursPerDay / computed : 0;
    return r;
}

// Both instants are rounded up to the quarter hour first; no time between
// them, or a calendar with no working time, is 0 hours whatever the hours per
// day the times work out to.
TEST_F(WorkingTimeTest, NoTimeBetweenOrNoWorkingTimeIsNoHours)
{
    CalendarRecord monToSat =
        Typed(DayWithDownTimes(8, 30, 17, 30, {{10, 0, 11, 45}, {14, 0, 15, 30}, {14, 30, 15, 0}}), 6);
    monToSat.SATURDAY = true;
    const CalendarRecord earlyTwice = DayWithDownTimes(6, 15, 7, 0, {{6, 45, 7, 0}, {6, 45, 7, 0}});
    const CalendarRecord afternoon = DayWithDownTimes(12, 0, 19, 15, {{13, 0, 14, 0}, {13, 30, 14, 30}});
    const CalendarRecord fourMinutes = DayWithDownTimes(8, 0, 8, 4, {});
    const CalendarRecord belowZero = DayWithDownTimes(9, 0, 10, 0, {{9, 0, 10, 0}, {9, 45, 10, 0}});
    CalendarRecord factorZero = EightToFive();
    factorZero.OVERRIDE = true;
    struct Case {
        const char* name;
        CalendarRecord calendar;
        TDateTime start;
        TDateTime end;
        float hours;
    };
    const Case cases[] = {
        {"overlapping down times, Saturday evening", monToSat, Day(kSaturday, 22, 49), Day(kSaturday, 23, 0),
         0},
        {"overlapping down times, one instant", monToSat, Day(kMonday, 9, 0), Day(kMonday, 9, 0), 0},
        {"a down time given twice", earlyTwice, Day(kMonday, 6, 15), Day(kMonday, 6, 15), 0},
        {"overlapping down times, mid-afternoon", afternoon, Day(kWednesday, 15, 7), Day(kWednesday, 15, 7),
         0},
        {"rounded up to the same quarter", afternoon, Day(kWednesday, 15, 1), Day(kWednesday, 15, 14), 0},
        {"typed hours, one instant", Typed(EightToFive(), 6.81), Day(kMonday, 10, 0), Day(kMonday, 10, 0), 0},
        {"the end before the start", EightToFive(), Day(kTuesday, 10, 0), Day(kMonday, 10, 0), 0},
        {"no working quarter hour", fourMinutes, Day(kMonday, 8, 0), Day(kFriday, 8, 0), 0},
        {"hours per day below zero", belowZero, Day(kMonday, 9, 30), Day(kMonday, 9, 30), 0},
        {"hours per day below zero, a day", belowZero, Day(kMonday, 9, 30), Day(kTuesday, 9, 30), 0},
        {"typed hours with a factor of 0", factorZero, Day(kMonday, 8, 0), Day(kFriday, 17, 0), 0},
        {"an ordinary day still counts", EightToFive(), Day(kMonday, 8, 0), Day(kMonday, 17, 0), 9},
        {"a quarter hour still counts", EightToFive(), Day(kMonday, 8, 0), Day(kMonday, 8, 15), 0.25f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Between(c.calendar, c.start, c.end), c.hours) << c.name;
}

// The walk goes on while the counted hours are below the length less one
// single-precision step of the length, however long the task.
TEST_F(WorkingTimeTest, TypedHoursStopWhereTheWorkIsDone)
{
    CalendarRecord wholeDays = EightToFive();
    wholeDays.DAY1 = false;
    const CalendarRecord fullDays = Typed(wholeDays, 24);
    const CalendarRecord sixOnNine = Typed(EightToFive(), 6);
    // Forty-one whole weekdays from Monday 7 December 2026 end on Tuesday 2 February 2027.
    const TDateTime lastDay = EncodeDate(2027, 2, 2);
    struct Case {
        const char* name;
        CalendarRecord calendar;
        TDateTime start;
        float hours;
        TDateTime end;
    };
    const Case cases[] = {
        {"6 hours typed on a 9-hour day", sixOnNine, Day(kMonday, 8, 0), 6, Day(kMonday, 17, 0)},
        {"two such days", sixOnNine, Day(kMonday, 8, 0), 12, Day(kTuesday, 17, 0)},
        {"a third of such a day", sixOnNine, Day(kMonday, 8, 0), 2, Day(kMonday, 11, 0)},
        {"a long task of whole quarters", fullDays, Day(kMonday), 1000, lastDay + Time(16, 0)},
        {"a long task with a small remainder", fullDays, Day(kMonday), 1000.0001f, lastDay + Time(16, 15)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(End(c.calendar, c.start, c.hours), c.end) << c.name;
}

TEST_F(WorkingTimeTest, ALongHolidaySeasonStillEnds)
{
    // Every day of 2027 and 2028 is a holiday.
    std::vector<std::int64_t> season;
    for (TDateTime d = EncodeDate(2027, 1, 1); d < EncodeDate(2029, 1, 1); d += 1)
        season.push_back(DayNumber(d));
    holidays.Assign(season);
    TDateTime startOut = 0;
    EXPECT_EQ(End(EightToFive(), Day(31, 10, 0), 9, &startOut), EncodeDate(2029, 1, 1) + Time(10, 0));
    EXPECT_EQ(startOut, Day(31, 10, 0));
    EXPECT_EQ(End(EightToFive(), EncodeDate(2027, 3, 3) + Time(9, 0), 1, &startOut),
              EncodeDate(2029, 1, 1) + Time(10, 0));
    EXPECT_EQ(Between(EightToFive(), Day(31, 8, 0), EncodeDate(2029, 1, 1) + Time(17, 0)), 18.0f);
}

}  // namespace
}  // namespace tw::schedule
