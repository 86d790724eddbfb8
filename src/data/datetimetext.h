#pragma once

#include <string>

#include "platform/datetime/datetime.h"

namespace tw::data {

// The instant in the locale's short date and long time formats without the
// seconds ("12/8/2026 10:15 AM"); exactly midnight reads "12/8/2026 midnight".
std::string DateTimeText(TDateTime value);

}  // namespace tw::data
