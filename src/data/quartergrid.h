#pragma once
// Every start and end that the program stores or compares lies on a
// 15-minute grid; this is the one rounding onto it.

#include "platform/datetime/datetime.h"

namespace tw::data {

// 15 minutes as a fraction of a day.
inline constexpr double kQuarterHour = 15.0 / kMinutesPerDay;
inline constexpr int kQuartersPerDay = 96;

// Rounds up to the next quarter hour; seconds and milliseconds are dropped,
// never rounded up (10:15:59 stays 10:15, 10:16 becomes 10:30, 23:46 becomes
// 0:00 of the next day). Instants before 1899 or beyond 9999 come back
// unchanged.
TDateTime RoundUpToQuarterHour(TDateTime value);

}  // namespace tw::data
