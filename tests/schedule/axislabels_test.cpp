#include "schedule/axislabels.h"

#include <gtest/gtest.h>

#include "calendars.h"
#include "platform/datetime/localetexts.h"

namespace tw::schedule {
namespace {

using testing::Day;

class AxisLabels : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }
    void TearDown() override { locale::PinLocale("en_US"); }
};

TEST_F(AxisLabels, TimeWithoutSeconds)
{
    const TDateTime t = Day(8) + EncodeTime(13, 45, 30, 0);
    EXPECT_EQ(TimeTextWithoutSeconds(t), "1:45 PM");
    EXPECT_EQ(TimeTextWithoutSeconds(Day(8)), "12:00 AM");
    locale::PinLocale("de_DE");
    EXPECT_EQ(TimeTextWithoutSeconds(t), "13:45");
}

TEST_F(AxisLabels, WeekdayOnlyOnShortSpans)
{
    EXPECT_EQ(ChartDateLabelText(Day(8, 10, 0), 22.0), "Tue 12/8/2026");
    EXPECT_EQ(ChartDateLabelText(Day(8, 10, 0), 22.0 + 15.0 / 1440), "12/8/2026");
    locale::PinLocale("de_DE");
    EXPECT_EQ(ChartDateLabelText(Day(8, 10, 0), 7.0).substr(0, 2), "Di");
    EXPECT_EQ(ChartDateLabelText(Day(8, 10, 0), 30.0), "08.12.2026");
}

TEST_F(AxisLabels, LabelsOnTheGridBeyondAnHour)
{
    std::string date;
    std::string time;
    const TDateTime at = Day(8, 10, 7);
    GetDateTimeLabelText(Day(8, 10, 0), Day(8, 11, 0), at, date, time);
    EXPECT_EQ(time, "10:07 AM");
    EXPECT_EQ(date, "Tue 12/8/2026");
    GetDateTimeLabelText(Day(8, 10, 0), Day(8, 11, 1), at, date, time);
    EXPECT_EQ(time, "10:15 AM");
    GetDateTimeLabelText(Day(1), Day(31), Day(8, 23, 50), date, time);
    EXPECT_EQ(time, "12:00 AM");
    EXPECT_EQ(date, "12/9/2026");
}

}  // namespace
}  // namespace tw::schedule
