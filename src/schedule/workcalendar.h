#pragma once
// A resource's working calendar: working weekdays, the working day, up to
// three daily down times and an optional override of the hours per day.
//
// CalendarRecord carries the fields of a calendar.dbf record as the table
// holds them; WorkCalendar is that record loaded: the hours per day, week,
// month and year worked out from it, and the day's working quarter hours
// precomputed for the working-time engine (schedule/workingtime.h).

#include <array>

#include "data/durationtext.h"
#include "platform/datetime/datetime.h"
#include "schedule/holidaylist.h"

namespace tw::schedule {

struct CalendarRecord {
    double WORKID = 0;
    double CREWID = 0;  // 0: the calendar of every resource
    bool SUNDAY = false;
    bool MONDAY = true;
    bool TUESDAY = true;
    bool WEDNESDAY = true;
    bool THURSDAY = true;
    bool FRIDAY = true;
    bool SATURDAY = false;
    bool DAY1 = true;   // START1..END1 is the working day; off: the whole day
    bool DAY2 = false;  // down times START2..END2, START3..END3, START4..END4
    bool DAY3 = false;
    bool DAY4 = false;
    // Only the time of day of these counts.
    TDateTime START1 = 0;
    TDateTime END1 = 0;
    TDateTime START2 = 0;
    TDateTime END2 = 0;
    TDateTime START3 = 0;
    TDateTime END3 = 0;
    TDateTime START4 = 0;
    TDateTime END4 = 0;
    bool OVERRIDE = false;  // THOURSDY are the typed hours per day
    double THOURSDY = 0;
    double THOURSFC = 0;  // typed hours per day / computed hours per day

    bool operator==(const CalendarRecord&) const = default;
};

// a * b in single precision rounded up to a multiple of 0.25.
float CeilQuarterHour(float a, float b);

class WorkCalendar {
public:
    static constexpr int kQuarters = 96;

    // The default calendar (Monday to Friday, 8 hours a day).
    WorkCalendar();

    void Load(const CalendarRecord& record);
    // Monday to Friday, 8 hours a day, no down times; the stored times,
    // WorkDayStart and WorkDayEnd stay as the last load left them.
    void LoadDefaults();

    // The weekday flags, the working-day and down-time flags and times, and
    // the override as loaded.
    const CalendarRecord& Loaded() const { return loaded_; }

    double DaysPerWeek() const { return DaysPerWeek_; }
    float HoursPerDay() const { return HoursPerDay_; }
    float HoursPerWeek() const { return HoursPerWeek_; }
    float HoursPerMonth() const { return HoursPerMonth_; }
    float HoursPerYear() const { return HoursPerYear_; }
    data::CalendarHours Hours() const;
    // The working day's start and end on the quarter-hour grid (times of day).
    TDateTime WorkDayStart() const { return WorkDayStart_; }
    TDateTime WorkDayEnd() const { return WorkDayEnd_; }

    // The weekday's flag, unless the date is a holiday.
    bool IsWorkingDay(TDateTime t, const HolidayList& holidays) const;
    // On the time of day only; an instant less than 5 minutes before a
    // boundary of the working day or of a down time behaves as the boundary.
    bool IsWorkingTime(TDateTime t) const;

    // What the engine walks on. Quarter k of a day is 0:00 + k * 15 minutes.
    bool IsWorkingWeekday(int weekday) const { return weekdays_[weekday]; }  // 0 = Sunday
    bool IsWorkingQuarter(int k) const { return working_[k]; }
    // Working quarters among k .. 95 (k from 0 to 96).
    int WorkingQuartersFrom(int k) const { return workingFrom_[k]; }
    // The first working quarter at or after k, 96 when there is none.
    int NextWorkingQuarter(int k) const { return nextWorking_[k]; }
    // The day's n-th working quarter, counted from 0.
    int NthWorkingQuarter(int n) const { return nthWorking_[n]; }
    // Quarters of the day start and end (0..96; 96 is the next midnight).
    int DayStartQuarter() const { return dayStartQuarter_; }
    int DayEndQuarter() const { return dayEndQuarter_; }
    // HoursPerDay in quarter hours.
    int QuartersPerDay() const { return quartersPerDay_; }
    // False for a calendar on which no amount of walking adds up: no working
    // weekday, no working quarter hour, or no hours per day.
    bool HasWorkingTime() const { return hasWorkingTime_; }

private:
    void Derive();

    CalendarRecord loaded_;
    bool fromRecord_ = false;
    double DaysPerWeek_ = 5;
    float HoursPerDay_ = 8;
    float HoursPerWeek_ = 40;
    float HoursPerMonth_ = 173.5f;
    float HoursPerYear_ = 2082;
    TDateTime WorkDayStart_ = 0;
    TDateTime WorkDayEnd_ = 0;

    std::array<bool, 7> weekdays_{};
    std::array<bool, kQuarters> working_{};
    std::array<int, kQuarters + 1> workingFrom_{};
    std::array<int, kQuarters + 1> nextWorking_{};
    std::array<int, kQuarters> nthWorking_{};
    int dayStartQuarter_ = 0;
    int dayEndQuarter_ = kQuarters;
    int quartersPerDay_ = 32;
    bool hasWorkingTime_ = true;
};

}  // namespace tw::schedule
