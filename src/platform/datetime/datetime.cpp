#include "platform/datetime/datetime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <stdexcept>

namespace tw {

namespace {

// Day number of 30 December 1899 counted as in DaysFromCivil (days since
// 1 January 1970).
constexpr std::int64_t kEpochShift = -25569;

struct Split {
    std::int64_t day;  // whole days since 30 December 1899
    std::int64_t ms;   // milliseconds into that day, 0 .. kMSecsPerDay-1
};

Split SplitInstant(TDateTime value)
{
    if (value >= 0) {
        const auto total = static_cast<std::int64_t>(std::llround(value * kMSecsPerDay));
        return {total / kMSecsPerDay, total % kMSecsPerDay};
    }
    // Negative instants: the whole part counts back, the fraction is the time.
    auto day = static_cast<std::int64_t>(std::trunc(value));
    auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - std::trunc(value)) * kMSecsPerDay));
    if (ms >= kMSecsPerDay) {
        // Rounded up to the next midnight, which lies one day further back.
        day -= 1;
        ms = 0;
    }
    return {day, ms};
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Howard Hinnant's days_from_civil: days since 1970-01-01.
std::int64_t DaysFromCivil(int year, int month, int day)
{
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateFields CivilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return {y, m, d};
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    out = static_cast<double>(DaysFromCivil(year, month, day) - kEpochShift);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw std::invalid_argument("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0
        || msec > 999)
        throw std::invalid_argument("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMSecsPerDay;
}

DateFields DecodeDate(TDateTime value)
{
    return CivilFromDays(SplitInstant(value).day + kEpochShift);
}

TimeFields DecodeTime(TDateTime value)
{
    std::int64_t ms = SplitInstant(value).ms;
    TimeFields t;
    t.hour = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    t.minute = static_cast<int>(ms / 60000);
    ms %= 60000;
    t.second = static_cast<int>(ms / 1000);
    t.msec = static_cast<int>(ms % 1000);
    return t;
}

void DecodeDateTime(TDateTime value, DateFields& date, TimeFields& time)
{
    date = DecodeDate(value);
    time = DecodeTime(value);
}

double DatePart(TDateTime value)
{
    return std::trunc(value);
}

double TimePart(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}

TDateTime ComposeDateTime(double date, double timeOfDay)
{
    return date < 0 ? date - timeOfDay : date + timeOfDay;
}

int DayOfWeek(TDateTime value)
{
    // 30 December 1899 was a Saturday.
    const std::int64_t day = SplitInstant(value).day;
    const std::int64_t r = ((day % 7) + 7 + 6) % 7;  // 0 = Sunday
    return static_cast<int>(r) + 1;
}

TDateTime Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)
        + EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
}

TDateTime Today()
{
    return DatePart(Now());
}

}  // namespace tw
