#pragma once
// The Work calendar page as a feature unit: the page in its tab, its
// window-free logic (schedule::WorkCalendarTab) attached to the session's
// calendar and holiday tables once they are open, a saved calendar moving the
// session's tasks, and what the other pages ask of it (the calendar of one
// resource, the holidays read afresh).

#include <cstdint>

#include "app/features/featurecontext.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "schedule/workcalendartab/workcalendartab.h"

class QLayout;

namespace tw::app {

class TWorkCalendarPage;

class WorkCalendarFeature final : public CalendarPages, public schedule::CalendarSchedule {
public:
    WorkCalendarFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout);
    ~WorkCalendarFeature() override;

    TWorkCalendarPage* Page() const { return page_; }
    // Takes up the tables just opened; once per run.
    void Attach() override;
    // Shows the calendar of the mode just read, with its holidays.
    void Refresh() override;
    void LoadHolidays() override;
    void FillCalendarResourceList(bool allResources) override;
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(std::int32_t resourceId) override;
    // The list of calendars, the one of the resource chosen, and that calendar.
    void ShowCalendarOf(bool allResources, std::int32_t resourceId) override;
    schedule::CalendarControls Controls() const override;

    void RecomputeAllTaskEnds() override;

private:
    FeatureContext context_;
    TWorkCalendarPage* page_ = nullptr;
};

}  // namespace tw::app
