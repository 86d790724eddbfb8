#include "query/unit/queryfeature.h"

#include <QGridLayout>

#include "schedule/visualize/unit/visualizeunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "app/mainpage.h"
#include "app/mainpagecontrol.h"
#include "query/querypage.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "platform/registry/registry.h"
#include "schedule/taskresources/taskresources.h"
#include "schedule/visualize/visualizecontext.h"

#include <QSignalBlocker>

namespace tw::app {

QueryFeature::QueryFeature(const FeatureContext& context, CalendarPages& calendar, ChartPage& chart,
                           ChartSelection& chartSelection, ChartSettings& chartSettings, QWidget* area,
                           QGridLayout* areaLayout, TMainPageControl* tabs)
    : context_(context),
      calendar_(calendar),
      chart_(chart),
      chartSelection_(chartSelection),
      chartSettings_(chartSettings),
      tabs_(tabs)
{
    page_ = new TQueryPage(static_cast<QueryPageHost&>(*this), area);
    areaLayout->addWidget(page_, 0, 0);
    ConnectTaskResources();
    changes_ = context_.Session.Changes.Subscribe(data::NoticeStage::Views,
                                                  [this](data::ScheduleChanges c) { ScheduleChanged(c); });
}

QueryFeature::~QueryFeature()
{
    delete page_;
}

// Customers or jobs changed: the grids read their tables again and the query
// runs on them; changed tasks only show in the tasks grid.
void QueryFeature::ScheduleChanged(data::ScheduleChanges changes)
{
    using enum data::ScheduleChange;
    if (changes.Has(Customers) || changes.Has(Jobs)) {
        data::TEstimateData& d = context_.Session.Data();
        d.CustomersTable.refresh();
        d.JobsTable.refresh();
        page_->ApplyCustomerQuery();
        page_->UpdateSelectControls();
    } else if (changes.Has(Tasks)) {
        page_->ShowControls();
    }
}

// The resource buttons act on the page's current task and resource.
void QueryFeature::ConnectTaskResources()
{
    AppSession& s = context_.Session;
    data::TEstimateData& d = s.Data();
    taskResources_ = std::make_unique<schedule::TaskResources>(schedule::TaskResourceContext{
        .Charts = d.ChartsTable,
        .Crews = d.CrewsTable,
        .Assignments = d.ICrewsTable3,
        .Tables = s.ScheduleTables(),
        .State = s.State,
        .UI = context_.UI,
        .Adder = s.Adder(),
        .Sync = s.Sync(),
        .Calendars = s.Calendars(),
        .ShowResourcesOfTask =
            [this](std::int32_t key) {
                if (page_->Attached())
                    page_->Logic().ShowResourcesOfTask(key);
            },
    });
}

void QueryFeature::Attach()
{
    if (page_->Attached())
        return;
    AppSession& s = context_.Session;
    page_->Attach(s.Data(), s.State, s.Query, context_.UI, static_cast<query::QueryHost&>(*this));

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

// Read from the page's logic; before the page is attached no restriction is
// in force and the reports take the window's caption for their title.
reports::SelectionState QueryFeature::ReportSelection(int chartSortBy, std::int32_t currentResourceId) const
{
    if (!page_->Attached()) {
        reports::SelectionState s;
        s.ChartSortBy = chartSortBy;
        s.CurrentResourceId = currentResourceId;
        return s;
    }
    return page_->Logic().ReportSelection(chartSortBy);
}

QString QueryFeature::ReportTitle(const QString& caption) const
{
    return page_->Attached() ? QString::fromStdString(page_->Logic().Controls().Title) : caption;
}

bool QueryFeature::CustomerGridEnabled() const
{
    return !page_->Attached() || page_->Logic().Controls().Select.CustomerGrid;
}

void QueryFeature::OpenTaskEditor(const query::TaskEditorRequest& r)
{
    if (openTaskEditor_)
        openTaskEditor_(r);
}

void QueryFeature::ShowTaskStatusBar()
{
    chart_.ShowTaskStatusBar();
}

void QueryFeature::LoadCustomFieldValues(int ownerKind)
{
    if (data::CustomFieldValues* values = context_.Session.Data().Views().FieldValues)
        values->LoadCustomFieldValues(ownerKind);
}

void QueryFeature::SearchCustomFields()
{
    if (customFields_)
        customFields_(Fields::Search);
}

void QueryFeature::DeleteCrewIndexRows(std::int32_t chartsId)
{
    context_.Session.Adder().DeleteCrewIndexRows(chartsId);
}

void QueryFeature::ShowWorkCalendar(std::int32_t resourceId)
{
    calendar_.ShowWorkCalendar(resourceId);
}

void QueryFeature::FillCalendarResourceList(bool allResources)
{
    calendar_.FillCalendarResourceList(allResources);
}

std::pair<TDateTime, TDateTime> QueryFeature::WorkingDay()
{
    const schedule::WorkCalendar& loaded = context_.Session.Calendars().Loaded();
    return {loaded.WorkDayStart(), loaded.WorkDayEnd()};
}

int QueryFeature::ChartDisplayChoice() const
{
    return chartSelection_.DisplayChoice();
}

void QueryFeature::SetChartSortBy(int choice)
{
    chartSettings_.ChooseSort(choice);
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
    return calendar_.Controls().SpecifyWorkingDay;
}

void QueryFeature::AddResourceClick()
{
    taskResources_->AddResourceToTask();
}

void QueryFeature::RemoveResourceClick()
{
    taskResources_->RemoveResourceFromTask();
}

void QueryFeature::CrewsGridDblClick()
{
    taskResources_->CrewsGridDblClick();
}

void QueryFeature::TasksCustomFieldsClick()
{
    if (customFields_)
        customFields_(Fields::Tasks);
}

void QueryFeature::CrewsCustomFieldsClick()
{
    if (customFields_)
        customFields_(Fields::Resources);
}

void QueryFeature::CustomerGridDblClick()
{
    tabs_->setCurrentIndex(CustomerTabPage);
}

void QueryFeature::ImportFromQMClick()
{
    if (exchange_)
        exchange_(Exchange::ImportFromQM);
}

void QueryFeature::ExportToQBClick()
{
    if (exchange_)
        exchange_(Exchange::ExportToQB);
}

void QueryFeature::ImportFromQBClick()
{
    if (exchange_)
        exchange_(Exchange::ImportFromQB);
}

void QueryFeature::OnOpenTaskEditor(std::function<void(const query::TaskEditorRequest&)> action)
{
    openTaskEditor_ = std::move(action);
}

void QueryFeature::OnCustomFields(std::function<void(Fields)> action)
{
    customFields_ = std::move(action);
}

void QueryFeature::OnExchange(std::function<void(Exchange)> action)
{
    exchange_ = std::move(action);
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

void QueryFeature::ApplyQueryFilters()
{
    page_->ApplyQueryFilters();
}

void QueryFeature::ShowEmptyDatabase()
{
    page_->Logic().ShowEmptyDatabase();
    page_->ShowControls();
}

void QueryFeature::ShowTitle(const std::string& title)
{
    if (page_->Attached())
        page_->Logic().SetTitle(title);
}

void QueryFeature::ResourceDisplayClick()
{
    page_->ResourceDisplayClick();
}

std::int32_t QueryFeature::CurrentResource()
{
    return page_->Logic().GetCurrentResource();
}

double QueryFeature::CurrentResourceRate() const
{
    return page_->Attached() ? page_->Logic().CurrentResourceRate() : 0;
}

void QueryFeature::RefreshCustomerViews()
{
    data::TEstimateData& d = context_.Session.Data();
    d.CustomersTable.refresh();
    d.JobsTable.refresh();
    page_->ShowControls();
}

void QueryFeature::SetCustomersLabel(const std::string& text)
{
    if (!page_->Attached())
        return;
    page_->Logic().SetCustomersLabel(text);
    page_->ShowControls();
}

void QueryFeature::RestrictToCustomer()
{
    if (!page_->Attached())
        return;
    page_->Logic().ClickBox(&query::RestrictionBoxes::RestrictToCustomer, true);
    page_->ShowControls();
}

void QueryFeature::RestrictTasksToCrew()
{
    if (!page_->Attached())
        return;
    page_->Logic().ClickBox(&query::RestrictionBoxes::RestrictTasksToCrew, true);
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

void QueryFeature::ShowJobStatusTexts(const data::JobStatusTexts& texts)
{
    page_->SetJobStatusTexts(texts);
}

void QueryFeature::ApplyReadOnlyAccess(bool readOnly)
{
    page_->ApplyReadOnlyAccess(readOnly);
}

void QueryFeature::SetChartSortBy2(int choice)
{
    page_->SetChartSortBy2(choice);
}

namespace {

// The page's status choice, by its control's name.
controls::TFcRadioGroup* StatusChoice(TQueryPage* page)
{
    return page->findChild<controls::TFcRadioGroup*>(QStringLiteral("TaskStatus"));
}

}  // namespace

int QueryFeature::TaskStatusIndex() const
{
    return StatusChoice(page_)->ItemIndex();
}

void QueryFeature::SetTaskStatusIndex(int index)
{
    controls::TFcRadioGroup* choice = StatusChoice(page_);
    if (index >= 0 && index < choice->Count()) {
        const QSignalBlocker quiet(choice);
        choice->SetItemIndex(index);
    }
}

void QueryFeature::UntickRestrictToSelectedStatus()
{
    auto* box = page_->findChild<controls::TFcCheckBox*>(QStringLiteral("RestrictToSelectedStatus"));
    if (box && box->Checked())
        box->SetChecked(false);
}

}  // namespace tw::app
