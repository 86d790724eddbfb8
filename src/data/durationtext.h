#pragma once
// A number of working hours shown in the unit that suits it: hours, days,
// weeks or months of one resource's working calendar.

#include <string>

namespace tw::data {

// The quantities of a loaded work calendar that the text divides by.
struct CalendarHours {
    float HoursPerDay = 8.0f;
    float HoursPerWeek = 40.0f;
    float HoursPerMonth = 173.5f;
    float HoursPerYear = 2082.0f;
};

// unit: 0 hours, 1 days, 2 weeks, 3 and above months; a negative unit is
// chosen from the hours and written back. Returns the number ("8.00",
// "12.5"); unitWord receives the unit with its leading blank (" hours").
std::string DurationText(const CalendarHours& calendar, int& unit, float hours, std::string& unitWord);

}  // namespace tw::data
