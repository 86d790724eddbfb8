#pragma once
// Same-time-of-day tests of the scheduling code rest on these two.

#include "platform/datetime/datetime.h"

namespace tw::schedule {

// Two times of day closer than this (just under 5 minutes) count as equal.
inline constexpr double kTimeOfDayTolerance = 0.003472208;

// The date of dateSource at the time of day of timeSource, rounded up to the
// quarter hour (8 December and 23:50 give 9 December 0:00).
TDateTime CombineDateTime(TDateTime dateSource, TDateTime timeSource);

// The time of day of a minus that of b in days, single precision, keeping its
// sign; 0 when they are less than kTimeOfDayTolerance apart. Dates play no part.
float TimeOfDayDifference(TDateTime a, TDateTime b);

}  // namespace tw::schedule
