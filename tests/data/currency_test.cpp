#include <gtest/gtest.h>

#include <string>

#include "data/currency.h"

namespace tw {
namespace {

TEST(Currency, TextRoundTripAndRounding)
{
    struct Row {
        const char* text;
        std::int64_t raw;
        const char* four;
        const char* two;
    };
    const Row rows[] = {
        {"12", 120000, "12.0000", "12.00"},
        {" -3.5 ", -35000, "-3.5000", "-3.50"},
        {"0.00005", 1, "0.0001", "0.00"},     // half of the fifth decimal rounds up
        {"-0.00005", -1, "-0.0001", "0.00"},  // and away from zero when negative
        {"0.00004", 0, "0.0000", "0.00"},
        {"1.005", 10050, "1.0050", "1.01"},  // two decimals: half away from zero
        {"-1.005", -10050, "-1.0050", "-1.01"},
        {"+7.", 70000, "7.0000", "7.00"},
        {".25", 2500, "0.2500", "0.25"},
        {"922337203685477.5807", 9223372036854775807, "922337203685477.5807", "922337203685477.58"},
    };
    for (const Row& row : rows) {
        auto value = Currency::FromText(row.text);
        ASSERT_TRUE(value.has_value()) << row.text;
        EXPECT_EQ(value->Raw(), row.raw) << row.text;
        EXPECT_EQ(value->ToText(), row.four) << row.text;
        EXPECT_EQ(value->ToText(2), row.two) << row.text;
    }
    for (const char* bad : {"", " ", "-", "1.2.3", "12a", "1,5", "922337203685477.5808", "1e99"})
        EXPECT_FALSE(Currency::FromText(bad).has_value()) << bad;
}

TEST(Currency, DoublesRoundAsTyped)
{
    EXPECT_EQ(Currency::FromDouble(0.00005).Raw(), 1);
    EXPECT_EQ(Currency::FromDouble(-0.00005).Raw(), -1);
    EXPECT_EQ(Currency::FromDouble(2.675).Rounded(2).ToText(2), "2.68");
    EXPECT_EQ(Currency::FromDouble(1e-20).Raw(), 0);
    EXPECT_DOUBLE_EQ(Currency::FromDouble(19.99).ToDouble(), 19.99);
}

TEST(Currency, RateTimesHoursRoundsOnce)
{
    Currency rate = *Currency::FromText("37.50");
    EXPECT_EQ((rate * 7.25).ToText(), "271.8750");
    EXPECT_EQ((rate * 0.1).ToText(), "3.7500");
    // 0.3333 x 0.0015 = 0.00049995: exact product, rounded once.
    EXPECT_EQ((*Currency::FromText("0.3333") * *Currency::FromText("0.0015")).Raw(), 5);
    Currency total;
    for (int i = 0; i < 10; ++i)
        total += *Currency::FromText("0.1");
    EXPECT_EQ(total, *Currency::FromText("1"));
    EXPECT_EQ((total - *Currency::FromText("1.5")).ToText(2), "-0.50");
    EXPECT_LT(-total, Currency());
}

}  // namespace
}  // namespace tw
