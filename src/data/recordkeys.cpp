#include "data/recordkeys.h"

#include <utility>

namespace tw::data {

RecordKeys::RecordKeys(Clock clock) : clock_(std::move(clock)) {}

std::int32_t RecordKeys::NewRecordId()
{
    const TimeFields t = DecodeTime(clock_());
    const std::int32_t msecs = ((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.msec;
    ++KeyCounter_;
    return msecs + KeyCounter_;
}

}  // namespace tw::data
