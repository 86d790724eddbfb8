#include "tasks/editor/lengthrules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/nametexts.h"
#include "data/textroutines.h"

namespace tw::tasks {

float LengthToHours(const schedule::WorkCalendar& calendar, int unit, std::string_view lengthText)
{
    double value = data::ParseNumber(lengthText).value_or(0.0);
    if (value < 0)
        value = 0;
    const double perDay = calendar.HoursPerDay();
    double hours = value;
    switch (unit) {
    case UnitDays: hours = value * perDay; break;
    case UnitWeeks: hours = value * calendar.DaysPerWeek() * perDay; break;
    case UnitMonths: hours = value * calendar.DaysPerWeek() * perDay * 52.0 * (1.0 / 12.0); break;
    default: break;
    }
    return schedule::CeilQuarterHour(1.0f, static_cast<float>(hours));
}

std::string SpinLength(std::string_view lengthText, int unit, bool up)
{
    const bool inHours = unit == UnitHours;
    const double step = inHours ? 0.25 : 1.0;
    double value = data::ParseNumber(lengthText).value_or(0.0);
    value = up ? value + step : std::max(value - step, step);
    // Written with '.' whatever the C locale says.
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, inHours ? 2 : 1);
    return error == std::errc() ? std::string(buffer, end) : std::string("1");
}

std::string WholeLength(std::string_view lengthText)
{
    const std::optional<double> value = data::ParseNumber(lengthText);
    if (!value)
        return std::string(lengthText);
    return std::to_string(static_cast<long long>(std::trunc(*value)));
}

Validation ValidateTaskInput(std::string_view lengthText, std::string_view rateText,
                             std::string_view descriptionText)
{
    Validation v;
    const std::optional<double> length = data::ParseNumber(lengthText);
    if (!length || *length <= 0) {
        v.Refusal = "Enter task length";
        return v;
    }
    const std::optional<Currency> rate = Currency::FromText(data::DecimalText(rateText));
    if (!rate || *rate < Currency()) {
        v.Refusal = "Enter task hourly rate";
        return v;
    }
    std::string description = data::CutToQuickBooksName(data::TrimBlanks(descriptionText));
    if (description.empty()) {
        v.Refusal = "Enter task description";
        return v;
    }
    v.Input = TaskInput{*rate, std::move(description)};
    return v;
}

Currency TotalCost(Currency rate, float hours)
{
    const __int128 product =
        static_cast<__int128>(Currency::FromDouble(hours).Raw()) * rate.Raw() / Currency::Scale;
    return Currency::FromRaw(static_cast<std::int64_t>(product));
}

std::string NumberedDescription(std::string_view description, int n)
{
    const size_t blank = description.rfind(' ');
    const std::string_view stem =
        blank == std::string_view::npos ? description : description.substr(0, blank);
    return std::string(stem) + " " + std::to_string(n + 1);
}

}  // namespace tw::tasks
