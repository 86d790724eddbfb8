#include "schedule/holidaylist.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/datetime/localetexts.h"

namespace tw::schedule {

std::int64_t DayNumber(TDateTime instant)
{
    return static_cast<std::int64_t>(std::floor(instant));
}

HolidayList::HolidayList(std::vector<std::int64_t> days)
{
    Assign(std::move(days));
}

void HolidayList::Assign(std::vector<std::int64_t> days)
{
    days_ = std::move(days);
    std::sort(days_.begin(), days_.end());
    days_.erase(std::unique(days_.begin(), days_.end()), days_.end());
}

void HolidayList::Add(std::int64_t day)
{
    const auto at = std::lower_bound(days_.begin(), days_.end(), day);
    if (at == days_.end() || *at != day)
        days_.insert(at, day);
}

void HolidayList::Remove(std::int64_t day)
{
    const auto at = std::lower_bound(days_.begin(), days_.end(), day);
    if (at != days_.end() && *at == day)
        days_.erase(at);
}

bool HolidayList::IsHoliday(TDateTime day) const
{
    return IsHolidayDay(static_cast<std::int64_t>(std::trunc(day)));
}

bool HolidayList::IsHolidayDay(std::int64_t dayNumber) const
{
    return std::binary_search(days_.begin(), days_.end(), dayNumber);
}

std::vector<std::string> HolidayList::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(days_.size());
    for (const std::int64_t day : days_)
        texts.push_back(locale::DateToStr(static_cast<TDateTime>(day)));
    return texts;
}

}  // namespace tw::schedule
