#include "controls/foundation/fcroutines.h"

#include <cmath>

namespace tw::controls {

QChar LastChar(const QString& s)
{
    return s.isEmpty() ? QChar() : s.back();
}

int CountChar(QChar c, const QString& s)
{
    return static_cast<int>(s.count(c));
}

QString CopyEx(const QString& s, int start, QChar c, int count)
{
    if (s.size() < start || start < 1)
        return s;
    int seen = 0;
    for (int pos = start; pos <= s.size(); ++pos) {
        if (s[pos - 1] == c)
            ++seen;
        // Tested after each character, so a count of 0 stops at the first
        // character that is not c.
        if (seen == count)
            return s.mid(start - 1, pos);
    }
    return s;
}

bool RemoveChar(QString& s, QChar c)
{
    const qsizetype at = s.indexOf(c);
    if (at < 0)
        return false;
    s.remove(at, 1);
    return true;
}

QString GetNewComponentName(const std::function<bool(const QString&)>& taken, const QString& base,
                            bool tryBaseFirst)
{
    if (tryBaseFirst && !taken(base))
        return base;
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (!taken(name))
            return name;
    }
}

QString GetNewComponentName(const QObject* owner, const QString& base, bool tryBaseFirst)
{
    return GetNewComponentName(
        [owner](const QString& name) {
            return owner && owner->findChild<QObject*>(name, Qt::FindDirectChildrenOnly) != nullptr;
        },
        base, tryBaseFirst);
}

namespace {
bool IsIdentStart(QChar c)
{
    return c == u'_' || (c.unicode() < 128 && c.isLetter());
}
bool IsIdentChar(QChar c)
{
    return IsIdentStart(c) || (c.unicode() < 128 && c.isDigit());
}
}  // namespace

bool IsValidIdent(const QString& text)
{
    if (text.isEmpty() || !IsIdentStart(text[0]))
        return false;
    for (QChar c : text) {
        if (!IsIdentChar(c))
            return false;
    }
    return true;
}

QString CreateValidIdent(const QString& text, const QString& defaultIdent)
{
    if (IsValidIdent(text))
        return text;
    QString result;
    if (!text.isEmpty()) {
        if (IsIdentStart(text[0]))
            result += text[0];
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (IsIdentChar(text[i]))
                result += text[i];
        }
    }
    // Dropping a leading digit may leave a digit in front: not an identifier.
    while (!result.isEmpty() && !IsIdentStart(result[0]))
        result.remove(0, 1);
    return result.isEmpty() ? defaultIdent : result;
}

namespace {

// Monday 1 ... Sunday 7.
int IsoDayOfWeek(TDateTime date)
{
    const int dow = DayOfWeek(date);  // 1 = Sunday
    return dow == 1 ? 7 : dow - 1;
}

}  // namespace

int WeekOf(TDateTime date)
{
    const DateFields f = DecodeDate(date);
    const TDateTime jan1 = EncodeDate(f.year, 1, 1);
    const int dayOfYear = static_cast<int>(std::floor(DatePart(date) - jan1)) + 1;
    const int jan1Day = IsoDayOfWeek(jan1);
    const int n = jan1Day >= 5 ? dayOfYear - (8 - jan1Day) : dayOfYear + jan1Day - 1;
    if (n <= 0)
        return WeekOf(EncodeDate(f.year - 1, 12, 31));
    int week = n / 7 + (n % 7 != 0 ? 1 : 0);
    if (week > 52) {
        int lastDay = jan1Day + (IsLeapYear(f.year) ? 1 : 0);
        if (lastDay > 7)
            lastDay -= 7;
        if (lastDay <= 3)
            week = 1;
    }
    return week;
}

TDateTime IncMonth(TDateTime date, int months)
{
    const DateFields f = DecodeDate(date);
    const int total = f.year * 12 + (f.month - 1) + months;
    const int year = total / 12;
    const int month = total % 12 + 1;
    const int day = std::min(f.day, DaysInMonth(year, month));
    return ComposeDateTime(EncodeDate(year, month, day), TimePart(date));
}

TDateTime IncYear(TDateTime date, int years)
{
    return IncMonth(date, 12 * years);
}
TDateTime IncDay(TDateTime date, int days)
{
    return date + days;
}
TDateTime IncHour(TDateTime date, std::int64_t hours)
{
    return (date * 24 + static_cast<double>(hours)) / 24;
}
TDateTime IncMinute(TDateTime date, std::int64_t minutes)
{
    return (date * 1440 + static_cast<double>(minutes)) / 1440;
}

TRect DesktopClientRect(const TRect& desktop, const std::optional<TRect>& taskBar)
{
    TRect r = desktop;
    if (!taskBar)
        return r;
    const TRect bar{std::max(taskBar->Left, desktop.Left), std::max(taskBar->Top, desktop.Top),
                    std::min(taskBar->Right, desktop.Right), std::min(taskBar->Bottom, desktop.Bottom)};
    if (bar.IsEmpty())
        return r;
    if (bar.Left == desktop.Left && bar.Top == desktop.Top) {
        if (bar.Width() < desktop.Width())
            r.Left += bar.Width();
        else
            r.Top += bar.Height();
    } else if (bar.Left != desktop.Left) {
        r.Right -= bar.Width();
    } else {
        r.Bottom -= bar.Height();
    }
    return r;
}

TPlacement CenterInWorkArea(const TRect& reference, int width, int height, const TRect& workArea)
{
    TPlacement p;
    p.Left = reference.Left + (reference.Width() - width) / 2;
    if (p.Left < workArea.Left)
        p.Left = workArea.Left;
    if (p.Left + width > workArea.Right)
        p.Left = workArea.Right - width;
    p.Top = reference.Top + (reference.Height() - height) / 2;
    if (p.Top < workArea.Top)
        p.Top = workArea.Top;
    if (p.Top + height > workArea.Bottom)
        p.Top = workArea.Bottom - height;
    return p;
}

}  // namespace tw::controls
