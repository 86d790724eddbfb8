#include "schedule/visualize/detachedpage.h"

#include <chrono>

namespace tw::visualize {

std::int64_t DetachedPage::MonotonicMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace tw::visualize
