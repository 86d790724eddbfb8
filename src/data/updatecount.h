#pragma once
// The change counter UPDATE of schedule records is a single-precision number
// raised by one with every change.

namespace tw::data {

inline float NextUpdateCount(float counter)
{
    return static_cast<float>(static_cast<double>(counter) + 1.0);
}

}  // namespace tw::data
