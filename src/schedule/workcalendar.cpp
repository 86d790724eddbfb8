#include "schedule/workcalendar.h"

#include <cmath>

#include "data/quartergrid.h"
#include "schedule/timeofday.h"

namespace tw::schedule {

namespace {

// 4 1/3 weeks a month, as the nearest single-precision number.
constexpr float kWeeksPerMonth = 4.3333333f;

double RoundedSpan(TDateTime start, TDateTime end)
{
    return data::RoundUpToQuarterHour(end - start);
}

int QuarterOfDay(TDateTime timeOfDay)
{
    return static_cast<int>(std::llround(CombineDateTime(0, timeOfDay) * data::kQuartersPerDay));
}

// A calendar without a working day set ends its days here, which the grid
// takes to the next midnight.
TDateTime EndOfWholeDay()
{
    return EncodeTime(23, 58, 59, 999);
}

}  // namespace

float CeilQuarterHour(float a, float b)
{
    const float product = a * b;
    return static_cast<float>(std::ceil(static_cast<double>(product) * 4) * 0.25);
}

WorkCalendar::WorkCalendar()
{
    LoadDefaults();
}

void WorkCalendar::Load(const CalendarRecord& record)
{
    // Recomputing every task end loads the same few calendars over and over.
    if (fromRecord_ && record == loaded_)
        return;
    loaded_ = record;
    fromRecord_ = true;

    const CalendarRecord& r = record;
    DaysPerWeek_ = r.SUNDAY + r.MONDAY + r.TUESDAY + r.WEDNESDAY + r.THURSDAY + r.FRIDAY + r.SATURDAY;
    if (r.OVERRIDE) {
        HoursPerDay_ = static_cast<float>(r.THOURSDY);
    } else if (r.DAY1) {
        // The calendar page stores the day it was saved with the times; a
        // caller that adds the start to another day must not get two dates.
        WorkDayStart_ = data::RoundUpToQuarterHour(TimePart(r.START1));
        WorkDayEnd_ = data::RoundUpToQuarterHour(TimePart(r.END1));
        double hours = RoundedSpan(r.START1, r.END1) * kHoursPerDay;
        if (r.DAY2)
            hours -= RoundedSpan(r.START2, r.END2) * kHoursPerDay;
        if (r.DAY3)
            hours -= RoundedSpan(r.START3, r.END3) * kHoursPerDay;
        if (r.DAY4)
            hours -= RoundedSpan(r.START4, r.END4) * kHoursPerDay;
        HoursPerDay_ = static_cast<float>(hours);
    } else {
        WorkDayStart_ = 0;
        WorkDayEnd_ = EndOfWholeDay();
        HoursPerDay_ = 24;
    }
    Derive();
}

void WorkCalendar::LoadDefaults()
{
    fromRecord_ = false;
    loaded_.SUNDAY = false;
    loaded_.MONDAY = loaded_.TUESDAY = loaded_.WEDNESDAY = loaded_.THURSDAY = loaded_.FRIDAY = true;
    loaded_.SATURDAY = false;
    loaded_.DAY1 = true;
    loaded_.DAY2 = loaded_.DAY3 = loaded_.DAY4 = false;
    loaded_.OVERRIDE = false;
    DaysPerWeek_ = 5;
    HoursPerDay_ = 8;
    Derive();
}

void WorkCalendar::Derive()
{
    HoursPerWeek_ = CeilQuarterHour(static_cast<float>(DaysPerWeek_), HoursPerDay_);
    HoursPerMonth_ = CeilQuarterHour(kWeeksPerMonth, HoursPerWeek_);
    HoursPerYear_ = CeilQuarterHour(12, HoursPerMonth_);

    const CalendarRecord& r = loaded_;
    weekdays_ = {r.SUNDAY, r.MONDAY, r.TUESDAY, r.WEDNESDAY, r.THURSDAY, r.FRIDAY, r.SATURDAY};
    int count = 0;
    for (int k = 0; k < kQuarters; ++k) {
        working_[k] = IsWorkingTime(k * data::kQuarterHour);
        if (working_[k])
            nthWorking_[count++] = k;
    }
    workingFrom_[kQuarters] = 0;
    nextWorking_[kQuarters] = kQuarters;
    for (int k = kQuarters - 1; k >= 0; --k) {
        workingFrom_[k] = workingFrom_[k + 1] + (working_[k] ? 1 : 0);
        nextWorking_[k] = working_[k] ? k : nextWorking_[k + 1];
    }
    const bool anyQuarter = count > 0;
    dayStartQuarter_ = r.DAY1 ? QuarterOfDay(r.START1) : 0;
    dayEndQuarter_ = QuarterOfDay(r.DAY1 ? r.END1 : EndOfWholeDay());
    quartersPerDay_ = static_cast<int>(std::floor(static_cast<double>(HoursPerDay_) * 4));

    const bool anyWeekday = DaysPerWeek_ > 0;
    const bool adds = r.OVERRIDE ? r.THOURSFC > 0 : quartersPerDay_ > 0;
    hasWorkingTime_ = anyWeekday && anyQuarter && adds;
}

data::CalendarHours WorkCalendar::Hours() const
{
    return {HoursPerDay_, HoursPerWeek_, HoursPerMonth_, HoursPerYear_};
}

bool WorkCalendar::IsWorkingDay(TDateTime t, const HolidayList& holidays) const
{
    // The weekday and the holiday both of the date itself, whatever the time.
    const double day = DatePart(t);
    return weekdays_[DayOfWeek(day) - 1] && !holidays.IsHoliday(day);
}

bool WorkCalendar::IsWorkingTime(TDateTime t) const
{
    const CalendarRecord& r = loaded_;
    if (r.DAY1 && (TimeOfDayDifference(t, r.START1) < 0 || TimeOfDayDifference(t, r.END1) >= 0))
        return false;
    const bool downFlags[3] = {r.DAY2, r.DAY3, r.DAY4};
    const TDateTime downStarts[3] = {r.START2, r.START3, r.START4};
    const TDateTime downEnds[3] = {r.END2, r.END3, r.END4};
    for (int i = 0; i < 3; ++i) {
        if (downFlags[i] && TimeOfDayDifference(t, downStarts[i]) >= 0
            && TimeOfDayDifference(t, downEnds[i]) < 0)
            return false;
    }
    return true;
}

}  // namespace tw::schedule
