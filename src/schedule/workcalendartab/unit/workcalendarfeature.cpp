#include "schedule/workcalendartab/unit/workcalendarfeature.h"

#include <QLayout>

#include "schedule/workcalendartab/workcalendarpage.h"

namespace tw::app {

WorkCalendarFeature::WorkCalendarFeature(const FeatureContext& context, QWidget* area, QLayout* areaLayout)
    : context_(context),
      page_(new TWorkCalendarPage(area))
{
    areaLayout->addWidget(page_);
}

// The page works on the session's tables; it goes before them.
WorkCalendarFeature::~WorkCalendarFeature()
{
    delete page_;
}

void WorkCalendarFeature::Attach()
{
    if (page_->Attached())
        return;
    AppSession& s = context_.Session;
    data::TEstimateData& d = s.Data();
    const schedule::WorkCalendarTab::Tables tables{d.CalendarTable, d.CalendarTable2, d.HolidaysTable,
                                                   d.HolidaysTable2, d.CrewsTable2};
    page_->Attach(tables, s.State, s.Holidays, context_.UI, *this);
}

void WorkCalendarFeature::RecomputeAllTaskEnds()
{
    context_.Session.RecomputeAllTaskEnds();
}

void WorkCalendarFeature::Refresh()
{
    page_->RefreshWorkCalendar();
    page_->LoadHolidays();
    page_->UpdateCalendarPanels();
}

void WorkCalendarFeature::LoadHolidays()
{
    page_->LoadHolidays();
}

void WorkCalendarFeature::FillCalendarResourceList(bool allResources)
{
    page_->FillCalendarResourceList(allResources);
}

void WorkCalendarFeature::SelectCalendarResource(double resourceId)
{
    page_->SelectCalendarResource(resourceId);
}

void WorkCalendarFeature::ShowWorkCalendar(std::int32_t resourceId)
{
    page_->ShowWorkCalendar(resourceId);
}

void WorkCalendarFeature::ShowCalendarOf(bool allResources, std::int32_t resourceId)
{
    page_->FillCalendarResourceList(allResources);
    page_->SelectCalendarResource(resourceId);
    page_->ShowWorkCalendar(resourceId);
}

schedule::CalendarControls WorkCalendarFeature::Controls() const
{
    return page_->Controls();
}

}  // namespace tw::app
