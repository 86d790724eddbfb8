#pragma once
// The company holidays: non-working days for every resource, kept as day
// numbers (whole days since 30 December 1899) as holidays.dbf stores them.
// They become texts only to be shown, so the locale in use never changes
// which days are holidays.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"

namespace tw::schedule {

class HolidayList {
public:
    HolidayList() = default;
    explicit HolidayList(std::vector<std::int64_t> days);

    // Replaces the entries; repeats count once.
    void Assign(std::vector<std::int64_t> days);
    void Add(std::int64_t day);
    void Remove(std::int64_t day);

    bool IsHoliday(TDateTime day) const;
    // By day number (whole days since 30 December 1899).
    bool IsHolidayDay(std::int64_t dayNumber) const;
    // The holidays' day numbers, ascending.
    const std::vector<std::int64_t>& Days() const { return days_; }
    // The holidays as the locale writes short dates, ascending; for showing only.
    std::vector<std::string> Texts() const;

private:
    // Sorted and unique: the engine asks about every day it crosses.
    std::vector<std::int64_t> days_;
};

// The day number of an instant.
std::int64_t DayNumber(TDateTime instant);

}  // namespace tw::schedule
