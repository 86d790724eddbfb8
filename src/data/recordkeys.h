#pragma once
// Record keys: the milliseconds since midnight plus a counter that rises with
// every key of the run, so that two keys made in the same millisecond differ.
// A key is unique only as far as the table that receives it has been checked
// (that check needs the table and lives with the data module).

#include <cstdint>
#include <functional>

#include "platform/datetime/datetime.h"

namespace tw::data {

class RecordKeys {
public:
    // The clock gives the current instant; only its time of day is used.
    using Clock = std::function<TDateTime()>;

    explicit RecordKeys(Clock clock = &tw::Now);

    std::int32_t NewRecordId();

    // The number of keys made so far in this run.
    std::int32_t KeyCounter() const { return KeyCounter_; }

private:
    Clock clock_;
    std::int32_t KeyCounter_ = 0;
};

}  // namespace tw::data
