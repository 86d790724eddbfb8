#include "platform/datetime/localetexts.h"

#include <QLocale>
#include <QString>

#include <cctype>
#include <cstdio>
#include <memory>
#include <mutex>

namespace tw::locale {

namespace {

std::string ToStd(const QString& s)
{
    return s.toStdString();
}

// Qt's format patterns use M for months, m for minutes, AP for the marker and
// t for the time zone; ours use m/n and AMPM, and carry no time zone.
std::string PatternFromQt(const QString& qt, bool fourDigitYear)
{
    std::string out;
    const std::string s = ToStd(qt);
    bool hasFullYear = false;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        size_t run = 1;
        while (i + run < s.size() && s[i + run] == c)
            ++run;
        switch (c) {
        case 'd': out.append(run, 'd'); break;
        case 'M': out.append(run, 'm'); break;
        case 'y':
            if (run >= 4)
                hasFullYear = true;
            out.append(run >= 4 || fourDigitYear ? 4 : 2, 'y');
            break;
        case 'h':
        case 'H': out.append(std::min<size_t>(run, 2), 'h'); break;
        case 'm': out.append(std::min<size_t>(run, 2), 'n'); break;
        case 's': out.append(std::min<size_t>(run, 2), 's'); break;
        case 'z': out.append(run >= 3 ? 3 : 1, 'z'); break;
        case 'A':
        case 'a':
            out += "AMPM";
            if (i + run < s.size() && (s[i + run] == 'P' || s[i + run] == 'p'))
                ++run;
            break;
        case 't':
            // Time zone: dropped together with the blank before it.
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            break;
        case '\'': {
            size_t end = s.find('\'', i + 1);
            if (end == std::string::npos)
                end = s.size();
            out += '"';
            out += s.substr(i + 1, end - i - 1);
            out += '"';
            run = end - i + 1;
            break;
        }
        default: out.append(run, c); break;
        }
        i += run;
    }
    (void)hasFullYear;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

char FirstSeparator(const std::string& pattern, char fallback)
{
    for (char c : pattern) {
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != '"' && c != ' ')
            return c;
    }
    return fallback;
}

std::unique_ptr<LocaleFormats> Build(const QLocale& loc)
{
    auto f = std::make_unique<LocaleFormats>();
    f->name = ToStd(loc.name());
    f->shortDateFormat = PatternFromQt(loc.dateFormat(QLocale::ShortFormat), true);
    f->longDateFormat = PatternFromQt(loc.dateFormat(QLocale::LongFormat), true);
    f->shortTimeFormat = PatternFromQt(loc.timeFormat(QLocale::ShortFormat), false);
    f->longTimeFormat = PatternFromQt(loc.timeFormat(QLocale::LongFormat), false);
    f->timeAMString = ToStd(loc.amText());
    f->timePMString = ToStd(loc.pmText());
    f->dateSeparator = FirstSeparator(f->shortDateFormat, '/');
    f->timeSeparator = FirstSeparator(f->longTimeFormat, ':');
    for (int m = 1; m <= 12; ++m) {
        f->shortMonthNames.push_back(ToStd(loc.monthName(m, QLocale::ShortFormat)));
        f->longMonthNames.push_back(ToStd(loc.monthName(m, QLocale::LongFormat)));
    }
    // Qt numbers weekdays from Monday = 1; ours start on Sunday.
    for (int d : {7, 1, 2, 3, 4, 5, 6}) {
        f->shortDayNames.push_back(ToStd(loc.dayName(d, QLocale::ShortFormat)));
        f->longDayNames.push_back(ToStd(loc.dayName(d, QLocale::LongFormat)));
    }
    return f;
}

std::mutex gMutex;
std::unique_ptr<LocaleFormats> gFormats;

std::string Pad(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

bool StartsWithNoCase(std::string_view s, size_t pos, std::string_view what)
{
    if (pos + what.size() > s.size())
        return false;
    for (size_t i = 0; i < what.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[pos + i])) != what[i])
            return false;
    }
    return true;
}

bool HasAmPm(std::string_view pattern)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '"' || c == '\'') {
            const size_t end = pattern.find(c, i + 1);
            if (end == std::string_view::npos)
                return false;
            i = end;
            continue;
        }
        if (StartsWithNoCase(pattern, i, "am/pm") || StartsWithNoCase(pattern, i, "a/p")
            || StartsWithNoCase(pattern, i, "ampm"))
            return true;
    }
    return false;
}

// One specifier of a pattern, as the formatter and the Qt translation read it.
struct Spec {
    char kind;              // the specifier's letter in lower case; 'n' also for m after an hour,
                            // 'a' for an AM/PM marker, '"' for literal text, '/' and ':'
    size_t run;             // how often the letter repeats
    bool upper;             // the marker's first letter is upper case
    std::string_view text;  // the literal text, or the marker's form ("am/pm", "a/p", "ampm")
};

// Walks a pattern specifier by specifier; both outputs read it the same way.
template <typename Take>
void WalkPattern(std::string_view p, Take&& take)
{
    bool afterHour = false;
    for (size_t i = 0; i < p.size();) {
        const char raw = p[i];
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        size_t run = 1;
        while (i + run < p.size() && std::tolower(static_cast<unsigned char>(p[i + run])) == c)
            ++run;
        Spec spec{c, run, std::isupper(static_cast<unsigned char>(raw)) != 0, {}};
        switch (c) {
        case 'c':
        case '/':
        case ':': spec.run = run = 1; break;
        case 'm':
            if (afterHour) {
                spec.kind = 'n';
                spec.run = run = std::min<size_t>(run, 2);
            }
            break;
        case 'd':
        case 'n':
        case 's':
        case 'z':
        case 'y':
        case 'h':
        case 't': break;
        case 'a': {
            bool marker = false;
            for (std::string_view form : {"am/pm", "a/p", "ampm"}) {
                if (StartsWithNoCase(p, i, form)) {
                    spec.text = form;
                    run = form.size();
                    marker = true;
                    break;
                }
            }
            if (!marker) {
                spec = {'"', 1, false, p.substr(i, 1)};
                run = 1;
            }
            break;
        }
        case '"':
        case '\'': {
            size_t end = p.find(raw, i + 1);
            if (end == std::string_view::npos)
                end = p.size();
            spec = {'"', 1, false, p.substr(i + 1, end - i - 1)};
            run = end - i + 1;
            break;
        }
        default:
            spec = {'"', 1, false, p.substr(i, 1)};
            run = 1;
            break;
        }
        take(spec);
        // Blanks and punctuation between "h" and "m" keep m as minutes.
        if (c == 'h')
            afterHour = true;
        else if (std::isalpha(static_cast<unsigned char>(c)))
            afterHour = false;
        i += run;
    }
}

void Append(std::string& out, std::string_view p, TDateTime value, const LocaleFormats& f, int depth)
{
    auto nested = [&](const std::string& pattern) {
        if (depth < 3)
            Append(out, pattern, value, f, depth + 1);
    };
    const DateFields date = DecodeDate(value);
    const TimeFields time = DecodeTime(value);
    const bool twelveHour = HasAmPm(p);
    WalkPattern(p, [&](const Spec& s) {
        const size_t run = s.run;
        switch (s.kind) {
        case 'c':
            nested(f.shortDateFormat);
            if (TimePart(value) != 0) {
                out += ' ';
                nested(f.longTimeFormat);
            }
            break;
        case 'd':
            if (run == 1)
                out += std::to_string(date.day);
            else if (run == 2)
                out += Pad(date.day, 2);
            else if (run == 3)
                out += f.shortDayNames[DayOfWeek(value) - 1];
            else if (run == 4)
                out += f.longDayNames[DayOfWeek(value) - 1];
            else
                nested(run == 5 ? f.shortDateFormat : f.longDateFormat);
            break;
        case 'm':
            if (run == 1)
                out += std::to_string(date.month);
            else if (run == 2)
                out += Pad(date.month, 2);
            else if (run == 3)
                out += f.shortMonthNames[date.month - 1];
            else
                out += f.longMonthNames[date.month - 1];
            break;
        case 'n': out += run == 1 ? std::to_string(time.minute) : Pad(time.minute, 2); break;
        case 's': out += run == 1 ? std::to_string(time.second) : Pad(time.second, 2); break;
        case 'z': out += run < 3 ? std::to_string(time.msec) : Pad(time.msec, 3); break;
        case 'y': out += run <= 2 ? Pad(date.year % 100, 2) : Pad(date.year, 4); break;
        case 'h': {
            int h = time.hour;
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += run == 1 ? std::to_string(h) : Pad(h, 2);
            break;
        }
        case 't': nested(run == 1 ? f.shortTimeFormat : f.longTimeFormat); break;
        case 'a': {
            const bool am = time.hour < 12;
            if (s.text == "ampm")
                out += am ? f.timeAMString : f.timePMString;
            else if (s.text == "a/p")
                out += am ? (s.upper ? "A" : "a") : (s.upper ? "P" : "p");
            else
                out += am ? (s.upper ? "AM" : "am") : (s.upper ? "PM" : "pm");
            break;
        }
        case '/': out += f.dateSeparator; break;
        case ':': out += f.timeSeparator; break;
        default: out.append(s.text); break;
        }
    });
}

// Text Qt shows as it stands: quoted when it holds a letter or a quote.
void AppendQtLiteral(std::string& out, std::string_view text)
{
    bool plain = true;
    for (char c : text)
        plain = plain && !std::isalpha(static_cast<unsigned char>(c)) && c != '\'';
    if (plain) {
        out.append(text);
        return;
    }
    out += '\'';
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    out += '\'';
}

void AppendQt(std::string& out, std::string_view p, const LocaleFormats& f, int depth)
{
    auto nested = [&](const std::string& pattern) {
        if (depth < 3)
            AppendQt(out, pattern, f, depth + 1);
    };
    WalkPattern(p, [&](const Spec& s) {
        const size_t run = s.run;
        switch (s.kind) {
        case 'c':
            nested(f.shortDateFormat);
            out += ' ';
            nested(f.longTimeFormat);
            break;
        case 'd':
            if (run <= 4)
                out.append(run, 'd');
            else
                nested(run == 5 ? f.shortDateFormat : f.longDateFormat);
            break;
        case 'm': out.append(std::min<size_t>(run, 4), 'M'); break;
        case 'n': out.append(std::min<size_t>(run, 2), 'm'); break;
        case 's': out.append(std::min<size_t>(run, 2), 's'); break;
        case 'z': out += run < 3 ? "z" : "zzz"; break;
        case 'y': out += run <= 2 ? "yy" : "yyyy"; break;
        case 'h': out.append(std::min<size_t>(run, 2), 'h'); break;
        case 't': nested(run == 1 ? f.shortTimeFormat : f.longTimeFormat); break;
        case 'a': out += s.upper || s.text == "ampm" ? "AP" : "ap"; break;
        case '/': AppendQtLiteral(out, std::string(1, f.dateSeparator)); break;
        case ':': AppendQtLiteral(out, std::string(1, f.timeSeparator)); break;
        default: AppendQtLiteral(out, s.text); break;
        }
    });
}

}  // namespace

std::string QtPattern(std::string_view pattern)
{
    std::string out;
    AppendQt(out, pattern, Formats(), 0);
    return out;
}

std::string QtShortDatePattern()
{
    return QtPattern(Formats().shortDateFormat);
}

const LocaleFormats& Formats()
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (!gFormats)
        gFormats = Build(QLocale::system());
    return *gFormats;
}

void PinLocale(std::string_view name)
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (name.empty())
        gFormats = Build(QLocale::system());
    else
        gFormats = Build(QLocale(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))));
}

std::string FormatDateTime(std::string_view pattern, TDateTime value)
{
    std::string out;
    Append(out, pattern, value, Formats(), 0);
    return out;
}

std::string DateToStr(TDateTime value)
{
    return FormatDateTime(Formats().shortDateFormat, value);
}

std::string TimeToStr(TDateTime value)
{
    return FormatDateTime(Formats().longTimeFormat, value);
}

std::string DateTimeToStr(TDateTime value)
{
    return FormatDateTime("c", value);
}

bool TryStrToDate(std::string_view text, TDateTime& out)
{
    // Order of day, month and year as the short date format writes them.
    std::string order;
    for (char ch : Formats().shortDateFormat) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos)
            order += c;
    }
    if (order.size() != 3)
        order = "mdy";

    std::vector<int> numbers;
    std::vector<int> digits;
    for (size_t i = 0; i < text.size();) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            int v = 0;
            int n = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                if (n < 9)
                    v = v * 10 + (text[i] - '0');
                ++n;
                ++i;
            }
            numbers.push_back(v);
            digits.push_back(n);
        } else if (std::isspace(static_cast<unsigned char>(text[i]))
                   || std::ispunct(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else {
            return false;
        }
    }
    int day = 0;
    int month = 0;
    int year = DecodeDate(Today()).year;
    int yearDigits = 4;
    if (numbers.size() == 3) {
        for (size_t k = 0; k < 3; ++k) {
            if (order[k] == 'd')
                day = numbers[k];
            else if (order[k] == 'm')
                month = numbers[k];
            else {
                year = numbers[k];
                yearDigits = digits[k];
            }
        }
    } else if (numbers.size() == 2) {
        // Day and month in the format's order, this year.
        const std::string dm = order.substr(0, order.find('y')) + order.substr(order.find('y') + 1);
        for (size_t k = 0; k < 2; ++k) {
            if (dm[k] == 'd')
                day = numbers[k];
            else
                month = numbers[k];
        }
    } else {
        return false;
    }
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900;
    return TryEncodeDate(year, month, day, out);
}

namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "10:15", "10:15:30", "2:30 PM" (the marker as the locale writes it).
bool ReadTime(std::string_view text, double& out)
{
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    while (count < 3 && i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        int v = 0;
        int n = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n < 3) {
            v = v * 10 + (text[i] - '0');
            ++n;
            ++i;
        }
        parts[count++] = v;
        if (i < text.size() && (text[i] == ':' || text[i] == Formats().timeSeparator))
            ++i;
        else
            break;
    }
    if (count < 2)
        return false;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string_view marker = text.substr(i);
    int hour = parts[0];
    if (!marker.empty()) {
        const bool am = SameLetters(marker, Formats().timeAMString) || SameLetters(marker, "AM");
        const bool pm = SameLetters(marker, Formats().timePMString) || SameLetters(marker, "PM");
        if ((!am && !pm) || hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        return false;
    out = (hour * 3600.0 + parts[1] * 60.0 + parts[2]) / kSecondsPerDay;
    return true;
}

}  // namespace

bool TryStrToTime(std::string_view text, TDateTime& out)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    double time = 0;
    if (!ReadTime(text, time))
        return false;
    out = time;
    return true;
}

bool TryStrToDateTime(std::string_view text, TDateTime& out)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const size_t blank = text.find(' ');
    TDateTime date = 0;
    if (!TryStrToDate(text.substr(0, blank), date))
        return false;
    double time = 0;
    if (blank != std::string_view::npos && !ReadTime(text.substr(blank + 1), time))
        return false;
    out = date + time;
    return true;
}

}  // namespace tw::locale
