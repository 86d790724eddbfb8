#pragma once
// Values between the controls of the task windows and what their window-free
// logic keeps: dates as days since 30 Dec 1899, radio groups as indexes.

#include <QDate>
#include <QSignalBlocker>
#include <QTime>

#include <cmath>
#include <functional>
#include <vector>

#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
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

// One choice of a task window, numbered from 0: the items of a radio group
// (named prefix0 .. as the radio buttons of older forms were), or loose
// radio buttons prefix0 .. prefix<count-1> of owner. A choice the user makes
// (by mouse, keys or a screen reader) reaches OnClicked; a number set from
// code does not.
class RadioChoice {
public:
    RadioChoice() = default;
    RadioChoice(QWidget* owner, const QString& prefix, int count)
    {
        for (int i = 0; i < count; ++i)
            buttons_.push_back(owner->findChild<controls::TFcRadioButton*>(prefix + QString::number(i)));
    }
    RadioChoice(controls::TFcRadioGroup* group, const QString& prefix, const QStringList& items) : group_(group)
    {
        group->SetItems(items);
        for (int i = 0; i < group->Count(); ++i)
            group->Item(i)->setObjectName(prefix + QString::number(i));
    }

    // -1 when none is checked.
    int CheckedId() const
    {
        if (group_)
            return group_->ItemIndex();
        for (size_t i = 0; i < buttons_.size(); ++i)
            if (buttons_[i] && buttons_[i]->Checked())
                return static_cast<int>(i);
        return -1;
    }
    controls::TFcRadioButton* Button(int id) const
    {
        if (group_)
            return id >= 0 && id < group_->Count() ? group_->Button(id) : nullptr;
        return id >= 0 && id < static_cast<int>(buttons_.size()) ? buttons_[static_cast<size_t>(id)] : nullptr;
    }
    void SetCheckedId(int id) const
    {
        if (group_) {
            const QSignalBlocker quiet(group_);
            if (id >= 0 && id < group_->Count())
                group_->SetItemIndex(id);
            return;
        }
        if (controls::TFcRadioButton* button = Button(id)) {
            const QSignalBlocker quiet(button);
            button->SetChecked(true);
        }
    }
    void OnClicked(QObject* context, const std::function<void(int)>& handler) const
    {
        if (group_) {
            controls::TFcRadioGroup* group = group_;
            QObject::connect(group, &controls::TFcControl::clicked, context,
                             [handler, group] { handler(group->ItemIndex()); });
            return;
        }
        for (size_t i = 0; i < buttons_.size(); ++i)
            if (buttons_[i])
                QObject::connect(buttons_[i], &controls::TFcControl::clicked, context,
                                 [handler, id = static_cast<int>(i)] { handler(id); });
    }

private:
    controls::TFcRadioGroup* group_ = nullptr;
    std::vector<controls::TFcRadioButton*> buttons_;
};

// The job status choice: one item per status in status-number order, named
// prefix0 .. as the radio buttons of older forms were.
inline const QStringList& JobStatusItems()
{
    static const QStringList items{"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"};
    return items;
}
inline void SetChoiceItems(controls::TFcRadioGroup* group, const QStringList& items, const QString& prefix)
{
    if (group->Items() != items)
        group->SetItems(items);
    for (int i = 0; i < group->Count(); ++i)
        group->Item(i)->setObjectName(prefix + QString::number(i));
}
// Selects index without raising the group's click (a value shown, not chosen).
inline void SetChoiceQuietly(controls::TFcRadioGroup* group, int index)
{
    const QSignalBlocker quiet(group);
    group->SetItemIndex(index);
}

}  // namespace tw::tasks
