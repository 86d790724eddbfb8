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

// The accounting exchange's rules sit beside the operators without changing them.
TEST(Currency, ExchangeFixedPointRules)
{
    struct FromFloat {
        double value;
        std::int64_t halfEven;
        std::int64_t operatorRounding;
    };
    // 1/32 and 3/32 are exact binary halves of a count: the two roundings part ways there.
    const FromFloat floats[] = {
        {0.03125, 312, 313},        {0.09375, 938, 938}, {-0.03125, -312, -313},
        {12.34567, 123457, 123457}, {0.0, 0, 0},         {1e300, INT64_MAX, INT64_MAX},
    };
    for (const FromFloat& f : floats) {
        EXPECT_EQ(Currency::FromDoubleHalfEven(f.value).Raw(), f.halfEven) << f.value;
        EXPECT_EQ(Currency::FromDouble(f.value).Raw(), f.operatorRounding) << f.value;
    }

    struct Pair {
        std::int64_t a, b;
        std::int64_t product;   // truncated toward zero
        std::int64_t rounded;   // what operator* gives
        std::int64_t quotient;  // truncated toward zero
    };
    const Pair pairs[] = {
        {15000, 15001, 22501, 22502, 9999},      // 1.5 x 1.5001 = 2.25015
        {-15000, 15001, -22501, -22502, -9999},  // toward zero, not down
        {10000, 30000, 30000, 30000, 3333},      // 1 / 3 = 0.3333
        {-20000, 30000, -60000, -60000, -6666},  // -2 / 3 = -0.6666
        {1, 1, 0, 0, 10000},
    };
    for (const Pair& p : pairs) {
        Currency a = Currency::FromRaw(p.a), b = Currency::FromRaw(p.b);
        EXPECT_EQ(a.TruncatedProduct(b).Raw(), p.product) << p.a << " x " << p.b;
        EXPECT_EQ((a * b).Raw(), p.rounded) << p.a << " x " << p.b;
        EXPECT_EQ(a.TruncatedQuotient(b)->Raw(), p.quotient) << p.a << " / " << p.b;
    }
    EXPECT_FALSE(Currency::FromRaw(5).TruncatedQuotient(Currency()).has_value());
    EXPECT_EQ(Currency::FromRaw(INT64_MAX).TruncatedQuotient(Currency::FromRaw(1))->Raw(), INT64_MAX);
}

}  // namespace
}  // namespace tw
