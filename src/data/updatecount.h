#pragma once
// The change counter UPDATE of schedule records is raised by one with every
// change. The counter the main window keeps is a single-precision number; the
// sum is taken wider and not rounded back to a single, so that a record
// written with it gets 2.100000023841858 from 1.1f, not 2.0999999.

namespace tw::data {

inline double NextUpdateCount(float counter)
{
    return static_cast<double>(counter) + 1.0;
}

}  // namespace tw::data
