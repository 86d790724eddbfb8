#pragma once
// The Work calendar page as a feature unit: the page in its tab, its
// window-free logic (schedule::WorkCalendarTab) attached to the session's
// calendar and holiday tables once they are open, a saved calendar moving the
// session's tasks, and what the other pages ask of it (the calendar of one
// resource, the holidays read afresh).

#include <cstdint>

#include "app/features/featurecontext.h"
#include "schedule/workcalendartab/workcalendartab.h"

class QLayout;

namespace tw::app {

class TWorkCalendarPage;

class WorkCalendarFeature : public schedule::CalendarSchedule {
public:
    WorkCalendarFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout);
    ~WorkCalendarFeature() override;

    TWorkCalendarPage* Page() const { return page_; }
    // Takes up the tables just opened; once per run.
    void Attach();
    // Shows the calendar of the mode just read, with its holidays.
    void Refresh();
    void LoadHolidays();
    void FillCalendarResourceList(bool allResources);
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(double resourceId);
    // The list of calendars, the one of the resource chosen, and that calendar.
    void ShowCalendarOf(bool allResources, double resourceId);
    schedule::CalendarControls Controls() const;

    void RecomputeAllTaskEnds() override;

private:
    FeatureContext context_;
    TWorkCalendarPage* page_ = nullptr;
};

}  // namespace tw::app
