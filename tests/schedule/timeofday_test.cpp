#include "schedule/timeofday.h"

#include <gtest/gtest.h>

#include "calendars.h"

namespace tw::schedule {
namespace {

using testing::Day;
using testing::Time;

TEST(CombineDateTime, DateOfOneTimeOfTheOtherOnTheGrid)
{
    EXPECT_EQ(CombineDateTime(Day(8, 16, 40), Time(10, 7)), Day(8, 10, 15));
    EXPECT_EQ(CombineDateTime(Day(8), Time(23, 50)), Day(9));
    EXPECT_EQ(CombineDateTime(Day(8, 9, 0), Day(20, 13, 45)), Day(8, 13, 45));
    EXPECT_EQ(CombineDateTime(Day(31, 1, 0), EncodeTime(23, 58, 59, 999)), EncodeDate(2027, 1, 1));
    EXPECT_EQ(CombineDateTime(Day(8), EncodeTime(10, 15, 59, 0)), Day(8, 10, 15));
}

TEST(TimeOfDayDifference, FiveMinuteTolerance)
{
    const float fiveMinutes = static_cast<float>(5.0 / kMinutesPerDay);
    struct Case {
        const char* name;
        TDateTime a;
        TDateTime b;
        float expected;
    };
    const Case cases[] = {
        {"4:59 later is equal", Day(8) + EncodeTime(10, 4, 59, 0), Time(10, 0), 0.0f},
        {"4:59 earlier is equal", Time(10, 0), Day(3) + EncodeTime(10, 4, 59, 0), 0.0f},
        {"5 minutes later", Day(8, 10, 5), Time(10, 0), fiveMinutes},
        {"5 minutes earlier", Time(10, 0), Day(9, 10, 5), -fiveMinutes},
        {"dates do not count", Day(8, 10, 0), Day(30, 10, 0), 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(TimeOfDayDifference(c.a, c.b), c.expected, 1e-7) << c.name;
    EXPECT_GT(TimeOfDayDifference(Time(14, 0), Time(13, 0)), 0.04f);
    EXPECT_LT(TimeOfDayDifference(Time(8, 0), Time(17, 0)), -0.37f);
}

}  // namespace
}  // namespace tw::schedule
