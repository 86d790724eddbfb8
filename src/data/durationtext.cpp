#include "data/durationtext.h"

#include <cstdio>

#include "data/textroutines.h"

namespace tw::data {

std::string DurationText(const CalendarHours& calendar, int& unit, float hours, std::string& unitWord)
{
    if (unit < 0) {
        if (hours <= 2 * calendar.HoursPerWeek)
            unit = 0;
        else if (hours <= calendar.HoursPerMonth)
            unit = 1;
        else if (hours <= calendar.HoursPerYear)
            unit = 2;
        else
            unit = 3;
    }
    char buffer[64];
    switch (unit) {
    case 0:
        std::snprintf(buffer, sizeof buffer, "%15.2f", static_cast<double>(hours));
        unitWord = " hours";
        break;
    case 1:
        std::snprintf(buffer, sizeof buffer, "%15.1f", static_cast<double>(hours / calendar.HoursPerDay));
        unitWord = " days";
        break;
    case 2:
        std::snprintf(buffer, sizeof buffer, "%15.1f", static_cast<double>(hours / calendar.HoursPerWeek));
        unitWord = " weeks";
        break;
    default:
        std::snprintf(buffer, sizeof buffer, "%15.1f", static_cast<double>(hours / calendar.HoursPerMonth));
        unitWord = " months";
        break;
    }
    return TrimBlanks(buffer);
}

}  // namespace tw::data
