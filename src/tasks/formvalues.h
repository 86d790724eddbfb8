#pragma once
// Values between the controls of the task windows and what their window-free
// logic keeps: dates as days since 30 Dec 1899, radio groups as indexes.

#include <QButtonGroup>
#include <QDate>
#include <QRadioButton>
#include <QTime>

#include <cmath>

#include "platform/datetime/datetime.h"

namespace tw::tasks {

inline const QDate kDayZero(1899, 12, 30);

inline QDate ToDate(TDateTime value)
{
    return kDayZero.addDays(static_cast<qint64>(std::floor(value)));
}
inline QTime ToTime(TDateTime value)
{
    const int ms = static_cast<int>(std::llround(TimePart(value) * kMSecsPerDay)) % kMSecsPerDay;
    return QTime::fromMSecsSinceStartOfDay(ms);
}
inline TDateTime FromDate(const QDate& date)
{
    return static_cast<double>(kDayZero.daysTo(date));
}
inline TDateTime FromTime(const QTime& time)
{
    return time.msecsSinceStartOfDay() / double(kMSecsPerDay);
}

// The radio buttons prefix0 .. prefix<count-1> of owner as one group, ids
// in that order.
inline QButtonGroup* GroupOf(QWidget* owner, const QString& prefix, int count)
{
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < count; ++i)
        group->addButton(owner->findChild<QRadioButton*>(prefix + QString::number(i)), i);
    return group;
}

}  // namespace tw::tasks
