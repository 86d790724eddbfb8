#include "tasks/editor/lengthrules.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/nametexts.h"
#include "data/textroutines.h"

namespace tw::tasks {

namespace {

// Trimmed, with a lone comma as the decimal point: under a locale with a
// decimal comma the program's own number texts come out as "1,5".
std::string DecimalText(std::string_view text)
{
    std::string trimmed = data::TrimBlanks(text);
    if (trimmed.find('.') == std::string::npos && std::count(trimmed.begin(), trimmed.end(), ',') == 1)
        trimmed[trimmed.find(',')] = '.';
    return trimmed;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text)
{
    const std::string trimmed = DecimalText(text);
    if (trimmed.empty())
        return std::nullopt;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

float LengthToHours(const schedule::WorkCalendar& calendar, int unit, std::string_view lengthText)
{
    double value = ParseNumber(lengthText).value_or(0.0);
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
    double value = ParseNumber(lengthText).value_or(0.0);
    value = up ? value + step : std::max(value - step, step);
    // Written with '.' whatever the C locale says.
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, inHours ? 2 : 1);
    return error == std::errc() ? std::string(buffer, end) : std::string("1");
}

std::string WholeLength(std::string_view lengthText)
{
    const std::optional<double> value = ParseNumber(lengthText);
    if (!value)
        return std::string(lengthText);
    return std::to_string(static_cast<long long>(std::trunc(*value)));
}

Validation ValidateTaskInput(std::string_view lengthText, std::string_view rateText,
                             std::string_view descriptionText)
{
    Validation v;
    const std::optional<double> length = ParseNumber(lengthText);
    if (!length || *length <= 0) {
        v.Refusal = "Enter task length";
        return v;
    }
    const std::optional<Currency> rate = Currency::FromText(DecimalText(rateText));
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
