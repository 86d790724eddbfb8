#include "data/recordkeys.h"

#include <gtest/gtest.h>

namespace tw::data {
namespace {

TEST(RecordKeys, MillisecondsSinceMidnightPlusTheCounter)
{
    TDateTime now = EncodeDate(2026, 12, 8);
    RecordKeys keys([&] { return now; });
    EXPECT_EQ(keys.NewRecordId(), 1);  // midnight, counter 0 before the call

    now = EncodeDate(2026, 12, 8) + EncodeTime(10, 15, 30, 250);
    EXPECT_EQ(keys.NewRecordId(), 36930250 + 2);
    EXPECT_EQ(keys.KeyCounter(), 2);

    // The date plays no part.
    now = EncodeDate(2031, 1, 1) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(keys.NewRecordId(), 86399999 + 3);
}

TEST(RecordKeys, KeysOfTheSameMillisecondDiffer)
{
    const TDateTime frozen = EncodeDate(2026, 12, 8) + EncodeTime(9, 0, 0, 0);
    RecordKeys keys([&] { return frozen; });
    const auto first = keys.NewRecordId();
    EXPECT_EQ(keys.NewRecordId(), first + 1);
    EXPECT_EQ(keys.NewRecordId(), first + 2);
}

TEST(RecordKeys, RunsOnTheSystemClock)
{
    RecordKeys keys;
    const auto key = keys.NewRecordId();
    EXPECT_GE(key, 1);
    EXPECT_LE(key, 86399999 + 1);
}

}  // namespace
}  // namespace tw::data
