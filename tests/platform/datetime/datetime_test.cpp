#include "platform/datetime/datetime.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tw {
namespace {

TEST(DateTime, KnownDatesEncodeToTheirDayNumbers)
{
    struct Case {
        int y, m, d;
        double expected;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},     {1900, 1, 1, 2},         {1899, 12, 29, -1},
        {2000, 2, 29, 36585}, {2026, 12, 10, 46366}, {9999, 12, 31, 2958465}, {1, 1, 1, -693593},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
        const DateFields back = DecodeDate(c.expected);
        EXPECT_EQ(back.year, c.y);
        EXPECT_EQ(back.month, c.m);
        EXPECT_EQ(back.day, c.d);
    }
}

TEST(DateTime, InvalidDatesAndTimesAreRefused)
{
    TDateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(2026, 2, 29, out));
    EXPECT_FALSE(TryEncodeDate(2026, 13, 1, out));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
    EXPECT_DOUBLE_EQ(out, 123);
    EXPECT_THROW(EncodeDate(2026, 4, 31), std::invalid_argument);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), std::invalid_argument);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), std::invalid_argument);
}

TEST(DateTime, TimeOfDayRoundsToTheMillisecondWithoutAnHour24)
{
    const TDateTime t = EncodeDate(2026, 12, 10) + EncodeTime(10, 15, 30, 250);
    const TimeFields f = DecodeTime(t);
    EXPECT_EQ(f.hour, 10);
    EXPECT_EQ(f.minute, 15);
    EXPECT_EQ(f.second, 30);
    EXPECT_EQ(f.msec, 250);

    // A hair before midnight reads as the next day's 0:00.
    const TDateTime almost = EncodeDate(2026, 12, 10) + 0.99999999999;
    EXPECT_EQ(DecodeTime(almost).hour, 0);
    EXPECT_EQ(DecodeDate(almost).day, 11);
}

TEST(DateTime, NegativeInstantsKeepTheFractionAsTimeOfDay)
{
    const DateFields d = DecodeDate(-1.25);
    EXPECT_EQ(d.year, 1899);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.day, 29);
    EXPECT_EQ(DecodeTime(-1.25).hour, 6);
}

TEST(DateTime, DayOfWeekStartsOnSunday)
{
    EXPECT_EQ(DayOfWeek(0), 7);                               // 30 Dec 1899, Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);        // Thursday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13) + 0.9), 1);  // Sunday evening
}

}  // namespace
}  // namespace tw

namespace tw {
namespace {

TEST(ComposeDateTime, TimeCountsAwayFromZeroBeforeTheEpoch)
{
    const TDateTime tenFifteen = EncodeTime(10, 15, 0, 0);
    const TDateTime after = ComposeDateTime(EncodeDate(2026, 12, 8), tenFifteen);
    EXPECT_EQ(after, EncodeDate(2026, 12, 8) + tenFifteen);
    const TDateTime before = ComposeDateTime(EncodeDate(1899, 12, 29), tenFifteen);
    EXPECT_EQ(DecodeDate(before).day, 29);
    EXPECT_EQ(DecodeTime(before).hour, 10);
    EXPECT_EQ(DecodeTime(before).minute, 15);
}

}  // namespace
}  // namespace tw
