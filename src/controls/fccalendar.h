#pragma once
// A month calendar whose owner decides which days of the shown month are in
// bold: each time the month is shown or the control is invalidated it asks
// through OnGetBoldDays for a mask, bit d - 1 for day d.
//
//   calendar->OnGetBoldDays = [&](QObject*, int year, int month, std::uint32_t& mask) {
//       mask = TFcCalendar::DaysToBitmask(days.data(), static_cast<int>(days.size()));
//   };
//   calendar->Invalidate();  // after the days changed

#include <QCalendarWidget>

#include <cstdint>
#include <functional>

#include "platform/datetime/datetime.h"

namespace tw::controls {

class TFcCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    using GetBoldDaysEvent =
        std::function<void(QObject* sender, int year, int month, std::uint32_t& dayMask)>;

    explicit TFcCalendar(QWidget* parent = nullptr);

    // Bit d - 1 for every day number d from 1 to 31; other numbers are ignored.
    static std::uint32_t DaysToBitmask(const std::uint8_t* days, int count);

    // The selected date at 0:00; 0 (no date) when none is selected.
    TDateTime Date() const;
    void SetDate(TDateTime date);

    // Asks for the bold days of the shown month again and repaints.
    void Invalidate();
    // The mask the shown month was last painted with.
    std::uint32_t BoldDays() const { return boldDays_; }

    GetBoldDaysEvent OnGetBoldDays;

private:
    std::uint32_t boldDays_ = 0;
};

}  // namespace tw::controls
