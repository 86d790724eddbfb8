#include "query/unit/queryfeature.h"

#include <QGridLayout>

#include "customers/unit/customerfeature.h"
#include "exchange/unit/exchangefeature.h"
#include "app/features/pagecontrol.h"
#include "tasks/unit/taskeditorfeature.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "schedule/workcalendartab/unit/workcalendarfeature.h"
#include "app/mainpage.h"
#include "app/mainpagecontrol.h"
#include "query/querypage.h"
#include "schedule/visualize/visualizepage.h"
#include "platform/registry/registry.h"
#include "tasks/addtaskform.h"

namespace tw::app {

QueryFeature::QueryFeature(const FeatureContext& context, const MainFeatures& features, QWidget* area,
                           QGridLayout* areaLayout, TMainPageControl* tabs)
    : context_(context),
      features_(features),
      tabs_(tabs)
{
    page_ = new TQueryPage(static_cast<QueryPageHost&>(*this), area);
    areaLayout->addWidget(page_, 0, 0);
}

QueryFeature::~QueryFeature()
{
    delete page_;
}

void QueryFeature::Attach()
{
    if (page_->Attached())
        return;
    AppSession& s = context_.Session;
    page_->Attach(s.Data(), s.State, s.Query, context_.UI, static_cast<query::QueryHost&>(*this));
    features_.Customers->ConnectToQuery(page_);

    // Leaving the page keeps its current task; showing it again reads the views afresh.
    QObject::connect(tabs_, &TMainPageControl::currentChanged, page_,
                     [this, &s, shown = tabs_->currentIndex()](int page) mutable {
                         const int select = SelectPage;
                         if (shown == select && page != select)
                             page_->SelectExit();
                         else if (page == select && s.State.SelectionReady)
                             page_->ShowControls();
                         shown = page;
                     });
}

void QueryFeature::ReadRestrictions(visualize::PageControls& controls) const
{
    const query::QueryPageLogic& q = page_->Logic();
    controls.RestrictTasksToCrew = q.Controls().Boxes.RestrictTasksToCrew;
    controls.RestrictByDate = q.Controls().Boxes.RestrictByDate;
    controls.RestrictToCustomer = q.Controls().Boxes.RestrictToCustomer;
    controls.RestrictToSelectedStatus = q.Controls().Boxes.RestrictToSelectedStatus;
    controls.RestrictToActive = q.Controls().Boxes.RestrictToActive;
    controls.CustomerFieldSearch = q.Search().CustomerSearchActive;
    controls.TaskFieldSearch = q.Search().TaskSearchActive;
    controls.TaskStartDate = q.Controls().Pickers.Start;
    controls.TaskEndDate = q.Controls().Pickers.End;
}

void QueryFeature::OpenTaskEditor(const query::TaskEditorRequest& r)
{
    features_.Editor->Editor()->ShowTaskEditor(context_.Session.Data().ChartsTable, true, r.Edit, r.HelpLevel,
                                               r.Description, r.Start, false, "", "", "", "", "", true,
                                               r.Status, false, false);
}

void QueryFeature::ShowTaskStatusBar()
{
    features_.Visualize->ShowTaskStatusBar();
}

void QueryFeature::LoadCustomFieldValues(int ownerKind)
{
    if (data::CustomFieldValues* values = context_.Session.Data().Views().FieldValues)
        values->LoadCustomFieldValues(ownerKind);
}

void QueryFeature::SearchCustomFields()
{
    features_.Customers->OpenCustomFieldSearch();
}

void QueryFeature::DeleteCrewIndexRows(std::int32_t chartsId)
{
    context_.Session.Adder().DeleteCrewIndexRows(chartsId);
}

void QueryFeature::ShowWorkCalendar(std::int32_t resourceId)
{
    features_.Calendar->ShowWorkCalendar(resourceId);
}

void QueryFeature::FillCalendarResourceList(bool allResources)
{
    features_.Calendar->FillCalendarResourceList(allResources);
}

std::pair<TDateTime, TDateTime> QueryFeature::WorkingDay()
{
    const schedule::WorkCalendar& loaded = context_.Session.Calendars().Loaded();
    return {loaded.WorkDayStart(), loaded.WorkDayEnd()};
}

int QueryFeature::ChartDisplayChoice() const
{
    return features_.Visualize->Page()->DisplayChoice();
}

void QueryFeature::SetChartSortBy(int choice)
{
    features_.Visualize->SetSortChoice(choice);
    context_.Session.Chart.ChartSortBy = choice;
    features_.Pages->ChartSortByClick();
}

bool QueryFeature::SaveTasksGridWidths(const std::array<int, 4>& widths)
{
    registry::TRegistry reg;
    return app::SaveTasksGridWidths(reg, widths);
}

TDateTime QueryFeature::Now() const
{
    return tw::Now();
}

bool QueryFeature::SpecifyWorkingDay() const
{
    return features_.Calendar->Controls().SpecifyWorkingDay;
}

void QueryFeature::AddResourceClick()
{
    features_.Editor->AddResourceClick();
}

void QueryFeature::RemoveResourceClick()
{
    features_.Editor->RemoveResourceClick();
}

void QueryFeature::CrewsGridDblClick()
{
    features_.Editor->CrewsGridDblClick();
}

void QueryFeature::TasksCustomFieldsClick()
{
    features_.Customers->TasksCustomFieldsClick();
}

void QueryFeature::CrewsCustomFieldsClick()
{
    features_.Customers->CrewsCustomFieldsClick();
}

void QueryFeature::CustomerGridDblClick()
{
    tabs_->setCurrentIndex(CustomerTabPage);
}

void QueryFeature::ImportFromQMClick()
{
    features_.Exchange->ImportFromQMClick();
}

void QueryFeature::ExportToQBClick()
{
    features_.Exchange->ExportToQBClick();
}

void QueryFeature::ImportFromQBClick()
{
    features_.Exchange->ImportFromQBClick();
}

void QueryFeature::ApplyCustomerQuery()
{
    page_->ApplyCustomerQuery();
}

void QueryFeature::ApplyQueryAndShowTasksNavigator()
{
    // The query brings the navigator back once the database has a job.
    ApplyCustomerQuery();
}

void QueryFeature::ShowEmptyDatabase()
{
    page_->Logic().ShowEmptyDatabase();
    page_->ShowControls();
}

void QueryFeature::ResourceDisplayClick()
{
    page_->ResourceDisplayClick();
}

std::int32_t QueryFeature::CurrentResource()
{
    return page_->Logic().GetCurrentResource();
}

void QueryFeature::RefreshCustomerViews()
{
    data::TEstimateData& d = context_.Session.Data();
    d.CustomersTable.refresh();
    d.JobsTable.refresh();
    page_->ShowControls();
}

void QueryFeature::SetCustomersLabel(const QString& caption)
{
    page_->Logic().SetCustomersLabel(caption.toStdString());
    page_->ShowControls();
}

void QueryFeature::EnableJobsNavigator()
{
    page_->Logic().EnableJobsNavigator();
    page_->ShowControls();
}

void QueryFeature::UpdateSelectControls()
{
    page_->UpdateSelectControls();
}

}  // namespace tw::app
