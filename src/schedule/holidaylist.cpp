#include "schedule/holidaylist.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/datetime/localetexts.h"

namespace tw::schedule {

HolidayList::HolidayList(std::vector<std::string> texts)
{
    Assign(std::move(texts));
}

void HolidayList::Assign(std::vector<std::string> texts)
{
    texts_ = std::move(texts);
    days_.clear();
    for (const std::string& text : texts_) {
        TDateTime day = 0;
        // An entry that is not exactly how the locale writes a date never
        // equals a day's text, so it marks no day.
        if (locale::TryStrToDate(text, day) && locale::DateToStr(day) == text)
            days_.push_back(static_cast<std::int64_t>(day));
    }
    std::sort(days_.begin(), days_.end());
    days_.erase(std::unique(days_.begin(), days_.end()), days_.end());
}

bool HolidayList::IsHoliday(TDateTime day) const
{
    return IsHolidayDay(static_cast<std::int64_t>(std::trunc(day)));
}

bool HolidayList::IsHolidayDay(std::int64_t dayNumber) const
{
    return std::binary_search(days_.begin(), days_.end(), dayNumber);
}

}  // namespace tw::schedule
