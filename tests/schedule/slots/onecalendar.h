#pragma once
// The insert and remove passes' working time on one calendar that every
// resource works by, with today's clock, as the dialogs' test and the
// benchmark give it.

#include <cstdint>

#include "platform/datetime/datetime.h"
#include "schedule/holidaylist.h"
#include "schedule/slots/slotservices.h"
#include "schedule/workcalendar.h"
#include "schedule/workingtime.h"

namespace tw::timeblocks::test {

class OneCalendar : public SlotWorkingTime {
public:
    TDateTime ComputeTaskEnd(std::int32_t, TDateTime& startOut, TDateTime start, float hours) override
    {
        return schedule::ComputeTaskEnd(calendar, holidays, startOut, start, hours);
    }
    float WorkingHoursBetween(std::int32_t, TDateTime from, TDateTime to) override
    {
        return schedule::WorkingHoursBetween(calendar, holidays, from, to);
    }
    float LoadedHoursPerDay() override { return 8.0f; }
    TDateTime Now() override { return tw::Now(); }

    schedule::WorkCalendar calendar;
    schedule::HolidayList holidays;
};

}  // namespace tw::timeblocks::test
