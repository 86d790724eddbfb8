#pragma once
// What the other units may ask of the Work calendar unit (workcalendarfeature.h).

#include <cstdint>

#include "schedule/workcalendartab/workcalendartab.h"

namespace tw::app {

class CalendarPages {
public:
    virtual ~CalendarPages() = default;
    // Takes up the tables just opened; once per opening.
    virtual void Attach() = 0;
    // The calendar of the mode just read, with its holidays.
    virtual void Refresh() = 0;
    virtual void LoadHolidays() = 0;
    // The list of calendars (all resources or one each), the resource chosen
    // in it and its calendar.
    virtual void ShowCalendarOf(bool allResources, std::int32_t resourceId) = 0;
    virtual void ShowWorkCalendar(std::int32_t resourceId) = 0;
    virtual void FillCalendarResourceList(bool allResources) = 0;
    // The page's working day choice, read by the query and the chart.
    virtual schedule::CalendarControls Controls() const = 0;
};

}  // namespace tw::app
