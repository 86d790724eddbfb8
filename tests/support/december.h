#pragma once
// The tests' calendar: December 2026, whose 7th is a Monday.

#include "platform/datetime/datetime.h"

namespace tw::fixtures {

inline TDateTime Day(int dayOfDecember, int hour = 0, int minute = 0)
{
    return EncodeDate(2026, 12, dayOfDecember) + EncodeTime(hour, minute, 0, 0);
}

}  // namespace tw::fixtures
