#pragma once
// Calls through optional hooks: an empty hook does nothing, or answers false.

#include "data/hookcall.h"

namespace tw::visualize {

using data::Ask;
using data::Call;

}  // namespace tw::visualize
