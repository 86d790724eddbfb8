#pragma once
// Calendar arithmetic on the program's instant type.
//
// An instant (TDateTime) is a double: whole days since 30 December 1899 with
// the time of day as the fraction, on the wall clock (no time zones). Every
// conversion between that number and calendar fields lives here, so that the
// table engine, the scheduling core and the windows agree to the millisecond.
//
// Negative values follow the usual convention of this representation: the
// whole part counts days back from 30 December 1899 and the fraction is always
// the time of day (-1.25 is 29 December 1899 06:00).

#include <cstdint>

namespace tw {

using TDateTime = double;

inline constexpr double kHoursPerDay = 24.0;
inline constexpr double kMinutesPerDay = 1440.0;
inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr std::int64_t kMSecsPerDay = 86400000;

struct DateFields {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct TimeFields {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// False (and out untouched) for a date outside 1/1/1 .. 12/31/9999.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Throws std::invalid_argument for an invalid date.
TDateTime EncodeDate(int year, int month, int day);
// Throws std::invalid_argument outside 0:00:00.000 .. 23:59:59.999.
TDateTime EncodeTime(int hour, int minute, int second, int msec);

// The instant's fields, rounded to the nearest millisecond (so 0.9999999999
// is midnight of the next day, never hour 24).
DateFields DecodeDate(TDateTime value);
TimeFields DecodeTime(TDateTime value);
void DecodeDateTime(TDateTime value, DateFields& date, TimeFields& time);

// Whole days (the date alone) and the time-of-day fraction.
double DatePart(TDateTime value);
double TimePart(TDateTime value);

// The instant of a date (whole days) at a time of day (a fraction); before
// 30 December 1899 the fraction counts away from zero, as in DecodeTime.
TDateTime ComposeDateTime(double date, double timeOfDay);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

// Days since 30 December 1899 <-> the proleptic Gregorian day number used by
// file formats (dBase dates are "YYYYMMDD" texts, converted through fields).
std::int64_t DaysFromCivil(int year, int month, int day);
DateFields CivilFromDays(std::int64_t days);

// The current local date and time, and today's date at 0:00.
TDateTime Now();
TDateTime Today();

}  // namespace tw
