#include "schedule/timeofday.h"

#include <cmath>

#include "data/quartergrid.h"

namespace tw::schedule {

TDateTime CombineDateTime(TDateTime dateSource, TDateTime timeSource)
{
    const TimeFields t = DecodeTime(timeSource);
    const TDateTime joined =
        ComposeDateTime(DatePart(dateSource), EncodeTime(t.hour, t.minute, t.second, t.msec));
    return data::RoundUpToQuarterHour(joined);
}

float TimeOfDayDifference(TDateTime a, TDateTime b)
{
    const float fa = static_cast<float>(a - std::trunc(a));
    const float fb = static_cast<float>(b - std::trunc(b));
    const float diff = fa - fb;
    if (std::fabs(static_cast<double>(diff)) < kTimeOfDayTolerance)
        return 0.0f;
    return diff;
}

}  // namespace tw::schedule
