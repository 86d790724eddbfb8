// Axis and gesture arithmetic: rounding dragged instants, the automatic label
// interval, stepped series and band parity, and the automatic hint text.

#include <gtest/gtest.h>

#include <cmath>

#include "chart/charttime.h"
#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"

using namespace tw::chart;

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kHour = 1.0 / 24.0;

TDateTime At(int hour, int minute = 0, int second = 0, int dayOffset = 0)
{
    return tw::EncodeDate(2026, 3, 2) + dayOffset + tw::EncodeTime(hour, minute, second, 0);
}

}  // namespace

TEST(ChartTime, RoundToAQuarterHour)
{
    const double quarter = 15.0 / 1440.0;
    struct Case {
        const char* name;
        TDateTime in;
        TDateTime out;
    };
    const Case cases[] = {
        {"7:29 past rounds down", At(10, 7, 29), At(10)},
        {"7:31 past rounds up", At(10, 7, 31), At(10, 15)},
        {"on the grid stays", At(10, 15), At(10, 15)},
        {"22:30 past midnight-bound", At(23, 53), At(0, 0, 0, 1)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RoundDateTimeToStep(c.in, quarter), c.out, 1e-9) << c.name;
    // Under half a second there is no step: the instant stays as it is.
    EXPECT_EQ(RoundDateTimeToStep(At(10, 7, 29), 0.4 * kSecond), At(10, 7, 29));
}

TEST(ChartTime, AutomaticLabelInterval)
{
    struct Case {
        const char* name;
        int labelWidth, plotWidth;
        double span;
        double interval;
    };
    const Case cases[] = {
        {"one week on 900 px", 90, 900, 7.0, 1.0},
        {"two hours on 600 px", 60, 600, 2 * kHour, kHour},
        {"one minute", 60, 600, 60 * kSecond, 10 * kSecond},
        {"a day and a half", 60, 600, 1.5, 0.25},
        {"no room between the ends", 60, 100, 7.0, 0.0},
        {"labels wider than the plot", 60, 50, 7.0, -1.0},
        {"a zero-width label does not divide by zero", 0, 100, 7.0, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(AutomaticLabelInterval(c.labelWidth, c.plotWidth, c.span), c.interval, 1e-12) << c.name;
}

TEST(ChartTime, FirstSteppedInstant)
{
    // With no base, multiples of the interval.
    EXPECT_NEAR(FirstSteppedInstant(0, 1.0, At(0)), At(0), 1e-9);
    EXPECT_NEAR(FirstSteppedInstant(0, 1.0, At(13)), At(0, 0, 0, 1), 1e-9);
    EXPECT_NEAR(FirstSteppedInstant(0, kHour, At(10, 20)), At(11), 1e-9);
    // From a base, in either direction.
    EXPECT_NEAR(FirstSteppedInstant(At(7, 30, 0, 5), 1.0, At(0)), At(7, 30), 1e-9);
    EXPECT_NEAR(FirstSteppedInstant(At(7, 30, 0, -5), 1.0, At(0)), At(7, 30), 1e-9);
    EXPECT_NEAR(FirstSteppedInstant(At(7, 30), 1.0, At(7, 30)), At(7, 30), 1e-9);
}

TEST(ChartTime, BandsKeepTheirColourWhereverThePeriodStarts)
{
    // The first band drawn is an alternate one; a day's colour is its parity.
    for (int startDay = 0; startDay < 4; ++startDay) {
        const TDateTime start = At(5, 0, 0, startDay);
        const TDateTime first = FirstBandStart(0, 1.0, start);
        EXPECT_LE(first, start);
        EXPECT_EQ(std::fmod(std::round(first), 2.0), 1.0) << startDay;
    }
    for (int startDay = 0; startDay < 4; ++startDay) {
        const TDateTime base = At(6);
        const TDateTime first = FirstBandStart(base + 10, 1.0, At(5, 0, 0, startDay));
        EXPECT_EQ(std::fabs(std::fmod(std::round(first - base), 2.0)), 1.0) << startDay;
    }
}

TEST(ChartTime, AutoHintText)
{
    tw::locale::PinLocale("en_US");
    const TDateTime s = At(9, 30);
    struct Case {
        TDateTimeStyle style;
        TDateTime end;
        const char* text;
    };
    const Case cases[] = {
        {dtTimeOnly, At(11), "9:30:00 AM - 11:00:00 AM (1:30:00)"},
        {dtDateOnly, At(11), "3/2/2026 - 3/2/2026 (1:30:00)"},
        {dtDateAndTime, At(14, 15), "3/2/2026 9:30:00 AM - 2:15:00 PM (4:45:00)"},
        {dtDateAndTime, At(10, 0, 0, 2), "3/2/2026 9:30:00 AM - 3/4/2026 10:00:00 AM (2 0:30:00)"},
        {dtTimeAndDate, At(11), "9:30:00 AM 3/2/2026 - 11:00:00 AM (1:30:00)"},
        {dtTimeAndDate, At(11, 0, 0, 1), "9:30:00 AM 3/2/2026 - 11:00:00 AM 3/3/2026 (1 1:30:00)"},
        {dtFirstDateAndTime, At(11, 0, 0, 1), "3/2/2026 9:30:00 AM - 11:00:00 AM (1 1:30:00)"},
        {dtTimeAndFirstDate, At(11), "9:30:00 AM 3/2/2026 - 11:00:00 AM (1:30:00)"},
        {dtNone, At(11), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoHintText(c.style, s, c.end, {}, {}).toStdString(), c.text) << c.style;
    // Own formats; the length still reads on a 24-hour clock.
    EXPECT_EQ(AutoHintText(dtTimeOnly, At(1), At(15, 20), {}, "hh:nn AMPM").toStdString(),
              "01:00 AM - 03:20 PM (14:20)");
    EXPECT_EQ(AutoHintText(dtDateOnly, At(1), At(2), "yyyy-mm-dd", {}).toStdString(),
              "2026-03-02 - 2026-03-02 (1:00:00)");
}
