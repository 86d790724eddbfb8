#pragma once
// The company holidays: non-working days for every resource. They are kept
// as the short-date texts that the holiday buttons show and store; a day is a
// holiday when its short-date text equals an entry.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"

namespace tw::schedule {

class HolidayList {
public:
    HolidayList() = default;
    explicit HolidayList(std::vector<std::string> texts);

    // Replaces the entries; the texts are read in the locale in use now.
    void Assign(std::vector<std::string> texts);
    const std::vector<std::string>& Texts() const { return texts_; }

    bool IsHoliday(TDateTime day) const;
    // By day number (whole days since 30 December 1899).
    bool IsHolidayDay(std::int64_t dayNumber) const;
    // The holidays' day numbers, ascending.
    const std::vector<std::int64_t>& Days() const { return days_; }

private:
    std::vector<std::string> texts_;
    // Day numbers whose short-date text is an entry, sorted: the engine asks
    // about every day it crosses, and formatting each one would dominate.
    std::vector<std::int64_t> days_;
};

}  // namespace tw::schedule
