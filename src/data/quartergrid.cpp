#include "data/quartergrid.h"

#include <cmath>
#include <cstdint>

namespace tw::data {

namespace {

// 1 January 10000: beyond it no date can be encoded.
constexpr double kEndOfDates = 2958466.0;

}  // namespace

TDateTime RoundUpToQuarterHour(TDateTime value)
{
    // Every task end passes through here, often several times: for the
    // instants of this era the grid is worked out on whole milliseconds (as
    // DecodeTime reads them) instead of through the calendar fields.
    if (value >= 0 && value < kEndOfDates) {
        const auto total = std::llround(value * kMSecsPerDay);
        const std::int64_t day = total / kMSecsPerDay;
        const std::int64_t minute = total % kMSecsPerDay / 60000;
        const std::int64_t quarter = (minute + 14) / 15;  // seconds dropped
        return static_cast<double>(day) + static_cast<double>(quarter) / kQuartersPerDay;
    }
    const DateFields date = DecodeDate(value);
    if (date.year < 1899 || date.year > 9999)
        return value;
    const TimeFields time = DecodeTime(value);
    const TDateTime day = EncodeDate(date.year, date.month, date.day);

    int hour = time.hour;
    int minute = 0;
    if (time.minute == 0)
        minute = 0;
    else if (time.minute <= 15)
        minute = 15;
    else if (time.minute <= 30)
        minute = 30;
    else if (time.minute <= 45)
        minute = 45;
    else if (hour < 23)
        ++hour;
    else
        return ComposeDateTime(day + 1, 0);  // exactly the next midnight
    return ComposeDateTime(day, EncodeTime(hour, minute, 0, 0));
}

}  // namespace tw::data
