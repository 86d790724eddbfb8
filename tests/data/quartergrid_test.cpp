#include "data/quartergrid.h"

#include <gtest/gtest.h>

#include <random>

namespace tw::data {
namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

TEST(RoundUpToQuarterHour, EveryMinuteBoundary)
{
    struct Case {
        const char* name;
        TDateTime in;
        TDateTime expected;
    };
    const Case cases[] = {
        {"on the hour, seconds dropped", At(2026, 12, 8, 10, 0, 45), At(2026, 12, 8, 10, 0)},
        {"just after midnight stays", At(2026, 12, 8, 0, 0, 30), At(2026, 12, 8, 0, 0)},
        {"minute 1", At(2026, 12, 8, 10, 1), At(2026, 12, 8, 10, 15)},
        {"on 15", At(2026, 12, 8, 10, 15), At(2026, 12, 8, 10, 15)},
        {"15 and 59 seconds", At(2026, 12, 8, 10, 15, 59, 999), At(2026, 12, 8, 10, 15)},
        {"minute 16", At(2026, 12, 8, 10, 16), At(2026, 12, 8, 10, 30)},
        {"on 30", At(2026, 12, 8, 10, 30), At(2026, 12, 8, 10, 30)},
        {"minute 31", At(2026, 12, 8, 10, 31), At(2026, 12, 8, 10, 45)},
        {"45 and 59 seconds", At(2026, 12, 8, 10, 45, 59), At(2026, 12, 8, 10, 45)},
        {"minute 46", At(2026, 12, 8, 10, 46), At(2026, 12, 8, 11, 0)},
        {"minute 59 at 22", At(2026, 12, 8, 22, 59, 59), At(2026, 12, 8, 23, 0)},
        {"23:46 to next midnight", At(2026, 12, 8, 23, 46), EncodeDate(2026, 12, 9)},
        {"23:59:59 to next midnight", At(2026, 12, 8, 23, 59, 59), EncodeDate(2026, 12, 9)},
        {"end of month", At(2026, 11, 30, 23, 50), EncodeDate(2026, 12, 1)},
        {"end of year", At(2026, 12, 31, 23, 50), EncodeDate(2027, 1, 1)},
        {"end of leap February", At(2028, 2, 29, 23, 50), EncodeDate(2028, 3, 1)},
        {"1898 unchanged, seconds and all", At(1898, 5, 1, 10, 7, 33), At(1898, 5, 1, 10, 7, 33)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundUpToQuarterHour(c.in), c.expected) << c.name;
}

TEST(RoundUpToQuarterHour, GridInstantsAreFixedPoints)
{
    const TDateTime day = EncodeDate(2026, 12, 8);
    for (int k = 0; k < kQuartersPerDay; ++k) {
        const TDateTime onGrid = day + EncodeTime(k / 4, (k % 4) * 15, 0, 0);
        EXPECT_EQ(RoundUpToQuarterHour(onGrid), onGrid) << k;
        // Stepping by a quarter hour and rounding lands exactly on the next one.
        const TDateTime next =
            k + 1 < kQuartersPerDay ? day + EncodeTime((k + 1) / 4, ((k + 1) % 4) * 15, 0, 0) : day + 1;
        EXPECT_EQ(RoundUpToQuarterHour(onGrid + kQuarterHour), next) << k;
    }
}

// The rule on the calendar fields, minute by minute.
TDateTime RoundedByFields(TDateTime value)
{
    const DateFields d = DecodeDate(value);
    const TimeFields t = DecodeTime(value);
    const TDateTime day = EncodeDate(d.year, d.month, d.day);
    if (t.minute == 0)
        return day + EncodeTime(t.hour, 0, 0, 0);
    if (t.minute <= 45)
        return day + EncodeTime(t.hour, (t.minute + 14) / 15 * 15, 0, 0);
    return t.hour < 23 ? day + EncodeTime(t.hour + 1, 0, 0, 0) : day + 1;
}

TEST(RoundUpToQuarterHour, AgreesWithTheCalendarFields)
{
    std::mt19937_64 rng(1899);
    std::uniform_real_distribution<double> instants(0, 2958465.999);
    for (int i = 0; i < 200000; ++i) {
        const TDateTime value = instants(rng);
        ASSERT_EQ(RoundUpToQuarterHour(value), RoundedByFields(value)) << std::hexfloat << value;
    }
    // Right at the millisecond boundaries of a minute.
    const TDateTime minute = At(2026, 12, 8, 10, 15);
    for (const TDateTime v : {minute - 0.4 / kMSecsPerDay, minute + 59999.4 / kMSecsPerDay,
                              minute + 59999.6 / kMSecsPerDay, minute - 0.6 / kMSecsPerDay})
        EXPECT_EQ(RoundUpToQuarterHour(v), RoundedByFields(v)) << std::hexfloat << v;
}

TEST(RoundUpToQuarterHour, DaysBeforeTheEpochKeepTheirDate)
{
    // 29 December 1899 10:07 is -1.4215...: the time counts away from zero.
    const TDateTime before = ComposeDateTime(-1, EncodeTime(10, 7, 0, 0));
    const TDateTime rounded = RoundUpToQuarterHour(before);
    EXPECT_EQ(DecodeDate(rounded).day, 29);
    EXPECT_EQ(DecodeTime(rounded).minute, 15);
}

}  // namespace
}  // namespace tw::data
