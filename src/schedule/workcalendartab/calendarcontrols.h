#pragma once
// What the Work calendar page shows of one calendar: the weekday boxes, the
// working day and the three down times with their pickers, the override and
// the typed hours per day. The page copies this value into its controls and
// back; everything worked out from it (hours per day and week, the checks
// before a save, the record written) lives here so that it is tested
// without a window.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/datetime/datetime.h"
#include "schedule/workcalendar.h"

namespace tw::schedule {

struct CalendarControls {
    // Sunday first, as DayOfWeek counts.
    std::array<bool, 7> Weekdays{};
    bool SpecifyWorkingDay = true;
    // Pickers hold a date and a time; only the time of day is shown.
    TDateTime StartDayTime = 0;
    TDateTime EndDayTime = 0;
    std::array<bool, 3> SpecifyDownTime{};
    std::array<TDateTime, 3> StartDownTime{};
    std::array<TDateTime, 3> EndDownTime{};
    bool Override = false;
    std::string WorkingHours;  // editable only with Override

    int CheckedWeekdays() const;
    bool operator==(const CalendarControls&) const = default;
};

// The calendar an identifier gets when it is shown for the first time:
// Monday to Friday, 08:00 to 18:00 less three half-hour breaks.
CalendarRecord DefaultCalendarRecord(double workId, double crewId, TDateTime today);

// The record on the controls: times rounded up to the quarter hour, the
// typed hours per day only when the override is set.
CalendarControls ControlsFromRecord(const CalendarRecord& record);

// A number as the page writes it: up to 15 significant digits, no trailing
// zeros ("9", "8.5", "42.5").
std::string HoursText(double hours);

// The working day less the checked down times, in hours; 24 without a
// working day.
float ComputedHoursPerDay(const CalendarControls& controls);

struct HoursPerDay {
    double Hours = 0;
    std::optional<double> Factor;  // typed / computed hours, with the override only
    std::string Text;              // what WorkingHours shows
};
HoursPerDay CalcHoursPerDayFromControls(const CalendarControls& controls);

// h times the checked weekdays.
std::string HoursPerWeekText(const CalendarControls& controls, double hoursPerDay);
// A typed number (blanks around it allowed); nothing when the text is not one.
std::optional<double> ReadNumber(std::string_view text);
// The typed hours per day as a number; 0 when the text is not one.
double TypedHours(std::string_view text);

// WorkingHours and WorkingHoursPerWeek after any control changed.
struct HoursFigures {
    std::string WorkingHours;
    std::string WorkingHoursPerWeek;
};
HoursFigures CalendarControlsChanged(const CalendarControls& controls);

// Rounds the eight pickers up to the quarter hour, as Save does before its
// checks; the page keeps the rounded times even when the save is refused.
void RoundPickerTimes(CalendarControls& controls);

// The first check that fails, as its message; nothing when the calendar may
// be saved.
std::optional<std::string> CheckCalendarControls(const CalendarControls& controls);

// The record that Save writes for the controls.
CalendarRecord RecordFromControls(const CalendarControls& controls, double workId, double crewId);

// The page's "Create 24 / 7 calendar": every weekday, no working day and no
// down time; the hours per day follow unless overridden.
void SetAllDayEveryDay(CalendarControls& controls);

}  // namespace tw::schedule
