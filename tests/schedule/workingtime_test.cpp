#include "schedule/workingtime.h"

#include <gtest/gtest.h>

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
    holidays.Assign({"12/8/2026"});
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
    holidays.Assign({"12/8/2026"});
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
    holidays.Assign({"12/14/2026"});
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
        EXPECT_EQ(Between(r, Day(kMonday, 8, 0), Day(kFriday + 7, 17, 0)) >= 0, true);
    }
    EXPECT_EQ(Between(noWeekday, Day(kMonday, 8, 0), Day(kFriday + 7, 17, 0)), 0.0f);
}

TEST_F(WorkingTimeTest, ALongHolidaySeasonStillEnds)
{
    // Every day of 2027 and 2028 is a holiday.
    std::vector<std::string> season;
    for (TDateTime d = EncodeDate(2027, 1, 1); d < EncodeDate(2029, 1, 1); d += 1)
        season.push_back(locale::DateToStr(d));
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
