#include "schedule/workcalendartab/calendarcontrols.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "schedule/timeofday.h"

namespace tw::schedule {

namespace {

TDateTime At(TDateTime today, int hour, int minute)
{
    return data::RoundUpToQuarterHour(DatePart(today) + EncodeTime(hour, minute, 0, 0));
}

double RoundedHours(TDateTime start, TDateTime end)
{
    return data::RoundUpToQuarterHour(end - start) * kHoursPerDay;
}

}  // namespace

int CalendarControls::CheckedWeekdays() const
{
    int count = 0;
    for (bool day : Weekdays)
        count += day ? 1 : 0;
    return count;
}

CalendarRecord DefaultCalendarRecord(double workId, double crewId, TDateTime today)
{
    CalendarRecord r;
    r.WORKID = workId;
    r.CREWID = crewId;
    r.SUNDAY = r.SATURDAY = false;
    r.MONDAY = r.TUESDAY = r.WEDNESDAY = r.THURSDAY = r.FRIDAY = true;
    r.DAY1 = r.DAY2 = r.DAY3 = r.DAY4 = true;
    r.START1 = At(today, 8, 0);
    r.END1 = At(today, 18, 0);
    r.START2 = At(today, 9, 0);
    r.END2 = At(today, 9, 30);
    r.START3 = At(today, 12, 0);
    r.END3 = At(today, 12, 30);
    r.START4 = At(today, 14, 0);
    r.END4 = At(today, 14, 30);
    r.OVERRIDE = false;
    // The week's hours, as every copy of the program has written them; read
    // only with the override, which is off.
    r.THOURSDY = 42.5;
    r.THOURSFC = 1;
    return r;
}

CalendarControls ControlsFromRecord(const CalendarRecord& r)
{
    CalendarControls c;
    c.Weekdays = {r.SUNDAY, r.MONDAY, r.TUESDAY, r.WEDNESDAY, r.THURSDAY, r.FRIDAY, r.SATURDAY};
    c.SpecifyWorkingDay = r.DAY1;
    c.StartDayTime = data::RoundUpToQuarterHour(r.START1);
    c.EndDayTime = data::RoundUpToQuarterHour(r.END1);
    c.SpecifyDownTime = {r.DAY2, r.DAY3, r.DAY4};
    c.StartDownTime = {data::RoundUpToQuarterHour(r.START2), data::RoundUpToQuarterHour(r.START3),
                       data::RoundUpToQuarterHour(r.START4)};
    c.EndDownTime = {data::RoundUpToQuarterHour(r.END2), data::RoundUpToQuarterHour(r.END3),
                     data::RoundUpToQuarterHour(r.END4)};
    c.Override = r.OVERRIDE;
    if (r.OVERRIDE)
        c.WorkingHours = HoursText(r.THOURSDY);
    c.WorkingHours = CalendarControlsChanged(c).WorkingHours;
    return c;
}

std::string HoursText(double hours)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", hours);
    std::string text = buf;
    return text == "-0" ? "0" : text;
}

float ComputedHoursPerDay(const CalendarControls& c)
{
    if (!c.SpecifyWorkingDay)
        return 24;
    double hours = RoundedHours(c.StartDayTime, c.EndDayTime);
    for (int i = 0; i < 3; ++i) {
        if (c.SpecifyDownTime[i])
            hours -= RoundedHours(c.StartDownTime[i], c.EndDownTime[i]);
    }
    return static_cast<float>(hours);
}

std::optional<double> ReadNumber(std::string_view text)
{
    std::string trimmed = data::TrimBlanks(text);
    if (!trimmed.empty() && trimmed[0] == '+')
        trimmed.erase(0, 1);
    double value = 0;
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (trimmed.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double TypedHours(std::string_view text)
{
    return ReadNumber(text).value_or(0);
}

HoursPerDay CalcHoursPerDayFromControls(const CalendarControls& c)
{
    HoursPerDay result;
    result.Text = data::TrimBlanks(c.WorkingHours);
    if (c.Override) {
        const std::optional<double> typed = ReadNumber(result.Text);
        result.Hours = typed.value_or(0);
        if (!typed)
            result.Text = std::string(1, '0');  // not a literal: GCC 12 warns falsely on "0" here
        result.Factor = result.Hours / ComputedHoursPerDay(c);
    } else {
        result.Hours = ComputedHoursPerDay(c);
        result.Text = HoursText(result.Hours);
    }
    return result;
}

std::string HoursPerWeekText(const CalendarControls& c, double hoursPerDay)
{
    return HoursText(hoursPerDay * c.CheckedWeekdays());
}

HoursFigures CalendarControlsChanged(const CalendarControls& c)
{
    const HoursPerDay perDay = CalcHoursPerDayFromControls(c);
    // While the times are being edited the day can lose more to down times
    // than it has; no figure is better than a negative one. Save refuses
    // such a calendar with its own message.
    if (!c.Override && perDay.Hours < 0)
        return {std::string(), std::string()};
    return {perDay.Text, HoursPerWeekText(c, perDay.Hours)};
}

void RoundPickerTimes(CalendarControls& c)
{
    c.StartDayTime = data::RoundUpToQuarterHour(c.StartDayTime);
    c.EndDayTime = data::RoundUpToQuarterHour(c.EndDayTime);
    for (int i = 0; i < 3; ++i) {
        c.StartDownTime[i] = data::RoundUpToQuarterHour(c.StartDownTime[i]);
        c.EndDownTime[i] = data::RoundUpToQuarterHour(c.EndDownTime[i]);
    }
}

std::optional<std::string> CheckCalendarControls(const CalendarControls& c)
{
    if (c.CheckedWeekdays() == 0)
        return "No working days are checked";
    if (c.SpecifyWorkingDay && TimeOfDayDifference(c.EndDayTime, c.StartDayTime) <= 0)
        return "End day time is incorrect";
    // Each down time starts after the one before it; the first after the
    // working day's start.
    TDateTime previousStart = c.StartDayTime;
    for (int i = 0; i < 3; ++i) {
        const std::string number = std::to_string(i + 1);
        if (c.SpecifyDownTime[i]) {
            if (TimeOfDayDifference(c.StartDownTime[i], previousStart) <= 0)
                return "Start down time " + number + " is incorrect";
            if (TimeOfDayDifference(c.EndDownTime[i], c.StartDownTime[i]) <= 0)
                return "End down time " + number + " is incorrect";
        }
        previousStart = c.StartDownTime[i];
    }
    const HoursPerDay perDay = CalcHoursPerDayFromControls(c);
    // With the override the typed hours are spread over the computed ones; a
    // day whose down times eat it whole would spread them over nothing, and
    // every task would end where it starts.
    if (perDay.Hours <= 0 || (c.Override && ComputedHoursPerDay(c) <= 0))
        return "Work calendar has no working hours";
    return std::nullopt;
}

CalendarRecord RecordFromControls(const CalendarControls& c, double workId, double crewId)
{
    CalendarRecord r;
    r.WORKID = workId;
    r.CREWID = crewId;
    r.SUNDAY = c.Weekdays[0];
    r.MONDAY = c.Weekdays[1];
    r.TUESDAY = c.Weekdays[2];
    r.WEDNESDAY = c.Weekdays[3];
    r.THURSDAY = c.Weekdays[4];
    r.FRIDAY = c.Weekdays[5];
    r.SATURDAY = c.Weekdays[6];
    r.DAY1 = c.SpecifyWorkingDay;
    r.START1 = CombineDateTime(c.StartDayTime, c.StartDayTime);
    r.END1 = CombineDateTime(c.EndDayTime, c.EndDayTime);
    r.DAY2 = c.SpecifyDownTime[0];
    r.DAY3 = c.SpecifyDownTime[1];
    r.DAY4 = c.SpecifyDownTime[2];
    r.START2 = CombineDateTime(c.StartDownTime[0], c.StartDownTime[0]);
    r.END2 = CombineDateTime(c.EndDownTime[0], c.EndDownTime[0]);
    r.START3 = CombineDateTime(c.StartDownTime[1], c.StartDownTime[1]);
    r.END3 = CombineDateTime(c.EndDownTime[1], c.EndDownTime[1]);
    r.START4 = CombineDateTime(c.StartDownTime[2], c.StartDownTime[2]);
    r.END4 = CombineDateTime(c.EndDownTime[2], c.EndDownTime[2]);
    r.OVERRIDE = c.Override;
    const HoursPerDay perDay = CalcHoursPerDayFromControls(c);
    r.THOURSDY = perDay.Hours;
    // Nothing reads the factor without the override; 1 keeps the record as
    // a fresh one has it.
    r.THOURSFC = perDay.Factor.value_or(1);
    return r;
}

void SetAllDayEveryDay(CalendarControls& c)
{
    c.Weekdays.fill(true);
    c.SpecifyWorkingDay = false;
    c.SpecifyDownTime.fill(false);
    c.WorkingHours = CalendarControlsChanged(c).WorkingHours;
}

}  // namespace tw::schedule
