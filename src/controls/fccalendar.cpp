#include "controls/fccalendar.h"

#include <QDate>
#include <QTextCharFormat>

namespace tw::controls {

TFcCalendar::TFcCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::currentPageChanged, this, [this] { Invalidate(); });
    // The year field shows in place of the year when that is clicked; its
    // name says what it holds. The day grid takes the calendar's own name
    // as the calendar's focus proxy (NameField).
    if (auto* year = findChild<QWidget*>(QStringLiteral("qt_calendar_yearedit")))
        year->setAccessibleName(QStringLiteral("Year"));
}

std::uint32_t TFcCalendar::DaysToBitmask(const std::uint8_t* days, int count)
{
    std::uint32_t mask = 0;
    for (int i = 0; i < count; ++i) {
        if (days[i] >= 1 && days[i] <= 31)
            mask |= std::uint32_t{1} << (days[i] - 1);
    }
    return mask;
}

TDateTime TFcCalendar::Date() const
{
    const QDate date = selectedDate();
    TDateTime value = 0;
    if (!date.isValid() || !TryEncodeDate(date.year(), date.month(), date.day(), value))
        return 0;
    return value;
}

void TFcCalendar::SetDate(TDateTime date)
{
    const DateFields fields = DecodeDate(date);
    setSelectedDate(QDate(fields.year, fields.month, fields.day));
}

void TFcCalendar::Invalidate()
{
    std::uint32_t mask = 0;
    const int year = yearShown();
    const int month = monthShown();
    if (OnGetBoldDays)
        OnGetBoldDays(this, year, month, mask);
    boldDays_ = mask;

    // Only the shown month's days carry a format; the neighbours' days shown
    // at its edges stay plain.
    setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const int days = QDate(year, month, 1).daysInMonth();
    for (int day = 1; day <= days; ++day) {
        if (mask & (std::uint32_t{1} << (day - 1)))
            setDateTextFormat(QDate(year, month, day), bold);
    }
    update();
}

}  // namespace tw::controls
