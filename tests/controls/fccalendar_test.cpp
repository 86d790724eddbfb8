#include "controls/fccalendar.h"

#include <QApplication>
#include <QDate>
#include <QImage>
#include <QTableView>
#include <QTextCharFormat>

#include <gtest/gtest.h>

#include <vector>

#include "support/calendarink.h"
#include "testapplication.h"

namespace tw::controls {
namespace {

TEST(TFcCalendarTest, DaysToBitmask)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> days;
        std::uint32_t mask;
    };
    const Case cases[] = {
        {"none", {}, 0},
        {"day 1 is bit 0", {1}, 0x1},
        {"day 31 is bit 30", {31}, 0x40000000u},
        {"several, in any order, twice", {3, 1, 3, 24}, 0x00800005u},
        {"0 and numbers past 31 are ignored", {0, 32, 255, 2}, 0x2},
    };
    for (const Case& k : cases)
        EXPECT_EQ(TFcCalendar::DaysToBitmask(k.days.data(), static_cast<int>(k.days.size())), k.mask)
            << k.name;
}

class TFcCalendarShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        calendar.OnGetBoldDays = [this](QObject* sender, int year, int month, std::uint32_t& mask) {
            EXPECT_EQ(sender, &calendar);
            asked.push_back(year * 100 + month);
            if (year == 2026 && month == 12)
                mask = boldInDecember;
        };
        calendar.setSelectedDate(QDate(2026, 12, 10));
        calendar.setCurrentPage(2026, 12);
    }
    bool IsBold(int year, int month, int day)
    {
        return calendar.dateTextFormat(QDate(year, month, day)).fontWeight() == QFont::Bold;
    }

    testing::ApplicationInUse application;
    TFcCalendar calendar;
    std::uint32_t boldInDecember = 0;
    std::vector<int> asked;
};

TEST_F(TFcCalendarShowTest, TheDaysOfTheMaskShowBoldAndFollowItWhenInvalidated)
{
    boldInDecember = (1u << 24) | (1u << 30);
    calendar.Invalidate();
    EXPECT_TRUE(IsBold(2026, 12, 25));
    EXPECT_TRUE(IsBold(2026, 12, 31));
    EXPECT_FALSE(IsBold(2026, 12, 24));
    EXPECT_EQ(calendar.BoldDays(), boldInDecember);

    boldInDecember = 1u << 23;
    calendar.Invalidate();
    EXPECT_TRUE(IsBold(2026, 12, 24));
    EXPECT_FALSE(IsBold(2026, 12, 25));
}

TEST_F(TFcCalendarShowTest, AnotherMonthAsksForItsOwnDays)
{
    boldInDecember = 1u << 0;
    calendar.Invalidate();
    asked.clear();
    calendar.showNextMonth();
    EXPECT_EQ(asked, std::vector<int>{202701});
    // 1 January is not 1 December: nothing of the last month stays bold.
    EXPECT_FALSE(IsBold(2027, 1, 1));
    EXPECT_FALSE(IsBold(2026, 12, 1));
    EXPECT_EQ(calendar.BoldDays(), 0u);
}

TEST_F(TFcCalendarShowTest, ABoldDayIsDrawnWithMoreInk)
{
    // The 24th and 25th of December 2026 sit side by side in one week row;
    // the same two digits drawn bold leave more dark pixels.
    calendar.resize(420, 300);
    const auto inkOfDay = [this](int day) { return tw::testing::InkOfDay(calendar, day); };
    boldInDecember = 0;
    calendar.Invalidate();
    const int plain = inkOfDay(25);
    boldInDecember = 1u << 24;
    calendar.Invalidate();
    const int bold = inkOfDay(25);
    ASSERT_GT(plain, 0);
    EXPECT_GT(bold, plain);
}

TEST_F(TFcCalendarShowTest, TheSelectedDateIsAnInstant)
{
    EXPECT_EQ(calendar.Date(), EncodeDate(2026, 12, 10));
    calendar.SetDate(EncodeDate(2027, 2, 3) + 0.75);
    EXPECT_EQ(calendar.selectedDate(), QDate(2027, 2, 3));
}

}  // namespace
}  // namespace tw::controls
