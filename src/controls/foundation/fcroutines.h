#pragma once
// The window-free small routines of the component library: strings,
// identifiers and component names, calendar steps and ISO week numbers, and
// the arithmetic of placing a window on a monitor's work area. The parts that
// need a screen or a font live in fcplacement.h and fctextmetrics.h.

#include "controls/foundation/fctypes.h"
#include "platform/datetime/datetime.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace tw::controls {

// The last character; callers pass a non-empty text (an empty one gives '\0').
QChar LastChar(const QString& s);
int CountChar(QChar c, const QString& s);
// The part of s from start (1-based) up to and including the character where
// the count-th c was met; s itself when s is shorter than start or holds
// fewer of them.
QString CopyEx(const QString& s, int start, QChar c, int count);
// Deletes the first c; true when there was one.
bool RemoveChar(QString& s, QChar c);

inline int Min(int a, int b)
{
    return a < b ? a : b;
}
inline int Max(int a, int b)
{
    return a > b ? a : b;
}
inline void Swap(int& a, int& b)
{
    const int t = a;
    a = b;
    b = t;
}
inline void Swap(std::uint16_t& a, std::uint16_t& b)
{
    const std::uint16_t t = a;
    a = b;
    b = t;
}

// The first name, base or base followed by 1, 2, 3 ..., that taken() refuses.
QString GetNewComponentName(const std::function<bool(const QString&)>& taken, const QString& base,
                            bool tryBaseFirst);
// The same, for the names of owner's children.
QString GetNewComponentName(const QObject* owner, const QString& base, bool tryBaseFirst);
// A valid identifier made of text's letters, digits and underscores.
QString CreateValidIdent(const QString& text, const QString& defaultIdent);
bool IsValidIdent(const QString& text);

// ISO 8601 week number.
int WeekOf(TDateTime date);
// Months forward or back, the day clamped to the length of the new month;
// the time of day is kept.
TDateTime IncMonth(TDateTime date, int months);
TDateTime IncYear(TDateTime date, int years);
TDateTime IncDay(TDateTime date, int days);
TDateTime IncHour(TDateTime date, std::int64_t hours);
TDateTime IncMinute(TDateTime date, std::int64_t minutes);

// The desktop less the band of the task bar, by the side it lies on.
TRect DesktopClientRect(const TRect& desktop, const std::optional<TRect>& taskBar);

struct TPlacement {
    int Left = 0;
    int Top = 0;
    friend bool operator==(const TPlacement&, const TPlacement&) = default;
};
// Centres a width by height window over the reference rectangle and keeps it
// inside the work area: never past its right and bottom, never before its left
// and top (so a work area at negative coordinates keeps the window on it).
TPlacement CenterInWorkArea(const TRect& reference, int width, int height, const TRect& workArea);

}  // namespace tw::controls
