#pragma once
// Texts that follow the user's locale: the short and long date formats, the
// long time format, AM/PM and the month and day names, and the formatting of
// instants with patterns of d, m, y, h, n, s, z, t and am/pm specifiers.
//
// This is the one place the program asks for them. By default the user's
// locale is used; tests pin one (PinLocale("en_US")) so that they are
// deterministic wherever they run.
//
// Pattern specifiers (letters are case-insensitive):
//   c        short date, then the long time unless the time is 0:00
//   d dd     day of month;  ddd dddd short/long day name
//   ddddd    short date format;  dddddd long date format
//   m mm     month (minutes when directly after h or hh); mmm mmmm month names
//   n nn     minutes;  s ss seconds;  z zzz milliseconds
//   yy yyyy  year in two or four digits
//   h hh     hour (12-hour clock when the pattern holds an am/pm specifier)
//   t tt     short / long time format
//   am/pm a/p ampm   the AM/PM marker ("ampm" uses the locale's texts)
//   /  :     the locale's date and time separators
//   "..." '...'  literal text

#include <string>
#include <string_view>
#include <vector>

#include "platform/datetime/datetime.h"

namespace tw::locale {

struct LocaleFormats {
    std::string name;             // e.g. "en_US"
    std::string shortDateFormat;  // e.g. "M/d/yyyy"
    std::string longDateFormat;   // e.g. "dddd, mmmm d, yyyy"
    std::string shortTimeFormat;  // e.g. "h:nn AMPM"
    std::string longTimeFormat;   // e.g. "h:nn:ss AMPM"
    std::string timeAMString;     // "AM"
    std::string timePMString;     // "PM"
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::vector<std::string> shortMonthNames;  // 12, January first
    std::vector<std::string> longMonthNames;
    std::vector<std::string> shortDayNames;  // 7, Sunday first
    std::vector<std::string> longDayNames;
};

// The formats in use: the pinned locale's, or else the user's.
const LocaleFormats& Formats();

// Uses the named locale ("en_US", "de_DE", "en_GB", ...) from now on; an
// empty name goes back to the user's locale.
void PinLocale(std::string_view name);

std::string FormatDateTime(std::string_view pattern, TDateTime value);

// The same pattern in Qt's notation (where m is the minute and M the month),
// for the date and time pickers: "m/d/yyyy" becomes "M/d/yyyy". Literal text
// holding letters comes out quoted; "c" always shows the time.
std::string QtPattern(std::string_view pattern);
// The short date format in Qt's notation: the format of every date picker.
std::string QtShortDatePattern();

// Short date; long time; the date and, unless it is 0:00, the time.
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);

// Reads a date written in the short date format's order of day, month and
// year (any non-digit separates the numbers; a missing year is this year; a
// two-digit year lies in 1950..2049). False for no valid date.
bool TryStrToDate(std::string_view text, TDateTime& out);
// A time of day "h:nn" or "h:nn:ss", with the locale's AM/PM marker (or
// "AM"/"PM", any case) after it on a 12-hour clock or none for 24 hours, as
// the fraction of a day. False, and out untouched, for anything else.
bool TryStrToTime(std::string_view text, TDateTime& out);
// A date as TryStrToDate reads it, optionally followed by a blank and a time
// "h:nn" or "h:nn:ss" with the locale's AM/PM marker after it (on a 12-hour
// clock) or none (24 hours). False, and out untouched, for anything else.
bool TryStrToDateTime(std::string_view text, TDateTime& out);

}  // namespace tw::locale
