#pragma once
// The arithmetic behind the task editor's length, rate and description
// fields: a typed length in hours, days, weeks or months becomes working
// hours on a resource's calendar; the spin buttons step it; a form that
// cannot be saved is refused with the text the user sees. Nothing here reads
// a table or a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/currency.h"
#include "schedule/workcalendar.h"

namespace tw::tasks {

// PeriodPanel's items; a record's PIN is the item + 1.
enum LengthUnit { UnitHours = 0, UnitDays = 1, UnitWeeks = 2, UnitMonths = 3 };

// More working hours than this are not typed on purpose.
inline constexpr float kHourLimit = 19200.0f;

// The working hours of a length in a unit on the calendar, rounded up to the
// quarter hour. A text that is not a number, or a negative one, counts as 0.
float LengthToHours(const schedule::WorkCalendar& calendar, int unit, std::string_view lengthText);

// The length text after a click on the spin buttons: a quarter hour at a time
// in Hours (never below 0.25), a whole unit otherwise (never below 1).
std::string SpinLength(std::string_view lengthText, int unit, bool up);

// The whole part of a typed length, for a unit change in add mode; the text
// unchanged when it is not a number.
std::string WholeLength(std::string_view lengthText);

// What Done reads from the form once it passes.
struct TaskInput {
    Currency HourlyRate;
    std::string Description;  // trimmed, cut to 41 characters
};

// The form's length, rate and description, or the refusal to show
// ("Enter task length", "Enter task hourly rate", "Enter task description").
struct Validation {
    std::optional<TaskInput> Input;
    std::string Refusal;
};
Validation ValidateTaskInput(std::string_view lengthText, std::string_view rateText,
                             std::string_view descriptionText);

// rate x hours: the hours taken to four decimals, the fixed-point product
// cut (not rounded) to four decimals.
Currency TotalCost(Currency rate, float hours);

// The description of a repeat occurrence: the text up to its last blank (or
// the whole text) with n + 1 after a blank.
std::string NumberedDescription(std::string_view description, int n);

}  // namespace tw::tasks
