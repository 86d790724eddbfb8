#include "schedule/visualize/unit/visualizefeature.h"

#include <QAbstractButton>
#include <QLayout>

#include "query/unit/queryunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "data/records/scheduleitemrecord.h"
#include "schedule/sync/resourceoverlap.h"
#include "schedule/visualize/calendarworkingtime.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::app {

namespace {

// A job's summary row, with the values chart building gives every one.
schedule::NewScheduleItem SummaryItem(const visualize::JobSummaryRow& row)
{
    schedule::NewScheduleItem item;
    item.Key = row.ChartsId;
    item.CustomerName = row.CustomerName;
    item.JobName = row.JobName;
    item.Description = row.Description;
    item.Start = row.Start;
    item.End = row.End;
    item.Hours = row.Hours;
    item.HourlyRate = row.Rate;
    item.TotalCost = row.TotalCost;
    item.JobRow = true;
    item.Active = true;
    item.JobStatus = 3;
    item.LengthUnit = -1;
    item.RepeatCount = 1;
    item.SingleAdd = true;
    item.AddToTaskList = false;
    item.FindOrCreate = true;
    return item;
}

}  // namespace

VisualizeFeature::VisualizeFeature(const FeatureContext& context, CalendarPages& calendar, QWidget* container,
                                   QLayout* containerLayout)
    : context_(context),
      calendar_(calendar),
      page_(new TVisualizePage(container))
{
    containerLayout->addWidget(page_);
    QObject::connect(page_->RefreshChart(), &controls::TFcControl::clicked, page_, [this] { Run(refresh_); });
    QObject::connect(page_->PrintPreviewButton(), &controls::TFcControl::clicked, page_, [this] { Run(print_); });
    QObject::connect(page_->InsertSpace(), &controls::TFcControl::clicked, page_, [this] { Run(insertTime_); });
    QObject::connect(page_->RemoveSpace(), &controls::TFcControl::clicked, page_, [this] { Run(removeTime_); });
    QObject::connect(page_, &TVisualizePage::ChartSortByClicked, page_, [this](int choice) {
        context_.Session.Chart.ChartSortBy = choice;
        Run(sortChosen_);
    });
    // What the task editor saved and the imports brought is drawn again. (The
    // poll does not raise the notice: it clears and builds the chart through
    // ChartPage itself, and only on this page.)
    changes_ = context_.Session.Changes.Subscribe(data::NoticeStage::Chart, [this](data::ScheduleChanges c) {
        if (!c.Has(data::ScheduleChange::Tasks))
            return;
        // Behind another page nothing wrote the chart back since the last
        // notice built it (its bars cannot be moved there): that build goes
        // first, or every task added from the Add / Edit / Query page would
        // add all rows again.
        if (!page_->isVisible() && page_->RAC()->Count() > 0)
            page_->SaveAndClearAllocations(false);
        page_->BuildChart(false);
    });
}

// The page works on the session's tables; it goes before them.
VisualizeFeature::~VisualizeFeature()
{
    delete page_;
}

void VisualizeFeature::ConnectQuery(QuerySelection& selection, QueryFilters& filters)
{
    query_ = &selection;
    queryFilters_ = &filters;
}

void VisualizeFeature::Run(const Action& action)
{
    if (action)
        action();
}

bool VisualizeFeature::Attached() const
{
    return page_->Attached();
}

void VisualizeFeature::Attach()
{
    if (page_->Attached())
        return;
    AppSession& s = context_.Session;
    workingTime_ = std::make_unique<visualize::CalendarWorkingTime>(s.Calendars());
    page_->Attach(visualize::ChartTablesOf(s.Data()), s.State, s.Chart, context_.UI, s.Calendars().Loaded(),
                  *this, *workingTime_, *this, static_cast<VisualizePageHost&>(*this));
    page_->ApplyReadOnlyAccess(s.State.ReadOnlyCopy);
}

void VisualizeFeature::ReadOtherPages(visualize::PageControls& controls)
{
    const schedule::CalendarControls calendar = calendar_.Controls();
    controls.SpecifyWorkingDay = calendar.SpecifyWorkingDay;
    controls.StartDayTime = calendar.StartDayTime;
    if (query_ && query_->Attached())
        query_->ReadRestrictions(controls);
}

void VisualizeFeature::BuildChart(bool writeBack)
{
    page_->BuildChart(writeBack);
}

void VisualizeFeature::SaveAndClearAllocations(bool recompute)
{
    page_->SaveAndClearAllocations(recompute);
}

void VisualizeFeature::RebuildFromRecords()
{
    page_->SaveAndClearAllocations(false);
    page_->BuildChart(false);
}

void VisualizeFeature::KeepChartScale(double widthRatio)
{
    page_->KeepChartScale(widthRatio);
}

const char* VisualizeFeature::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    return page_->SetChartDateRange(update, start, end);
}

void VisualizeFeature::KeepChartPeriod()
{
    page_->SetChartPeriod(page_->RAC()->StartAt(), page_->RAC()->EndAt());
}

std::optional<std::int32_t> VisualizeFeature::SelectedBarResource()
{
    if (!page_->Attached())
        return std::nullopt;
    const visualize::ChartState& chart = page_->Logic().Chart;
    const auto link = chart.BarLinks.find(chart.SelectedBar);
    db::Table& charts = context_.Session.Data().ChartsTable2;
    if (link != chart.BarLinks.end() && charts.active() && data::LocateScheduleItem(charts, link->second.ChartsId))
        return data::ScheduleItemField(charts, &data::ScheduleItemRecord::CREWID).asInteger();
    return std::nullopt;
}

int VisualizeFeature::DisplayChoice() const
{
    return page_->DisplayChoice();
}

chart::TResourceAllocationChart& VisualizeFeature::PrintedChart()
{
    return *page_->RAC();
}

void VisualizeFeature::ChooseSort(int choice)
{
    page_->SetSortChoice(choice);
    context_.Session.Chart.ChartSortBy = choice;
    Run(sortChosen_);
}

void VisualizeFeature::ApplyReadOnlyAccess(bool readOnly)
{
    page_->ApplyReadOnlyAccess(readOnly);
}

void VisualizeFeature::SetRefreshEnabled(bool enabled)
{
    page_->RefreshChart()->setEnabled(enabled);
}

void VisualizeFeature::SetInsertTimeEnabled(bool enabled)
{
    page_->InsertSpace()->setEnabled(enabled);
}

void VisualizeFeature::SetRemoveTimeEnabled(bool enabled)
{
    page_->RemoveSpace()->setEnabled(enabled);
}

void VisualizeFeature::ShowTaskStatusBar()
{
    if (page_->Attached())
        page_->Logic().Status.ShowTaskStatusBar();
}

void VisualizeFeature::SetResetDependenciesEnabled(bool enabled)
{
    if (!page_->Attached())
        return;
    page_->Logic().Controls.ResetDependenciesEnabled = enabled;
    page_->ShowControls();
}

void VisualizeFeature::SetJobStatusTexts(const data::JobStatusTexts& texts)
{
    page_->SetJobStatusTexts(texts);
}

void VisualizeFeature::ShowResourceCaptionMode(int mode)
{
    if (page_->Attached())
        page_->Logic().Controls.ResourceCaptionMode = mode;
}

void VisualizeFeature::SetSortChoice(int choice)
{
    page_->SetSortChoice(choice);
}

void VisualizeFeature::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

void VisualizeFeature::PushChartRecord(std::int32_t chartsId)
{
    context_.Session.Sync().PushChartRecord(chartsId);
}

void VisualizeFeature::PushChartRecords(const std::set<std::int32_t>& chartsIds)
{
    context_.Session.Sync().PushChartRecords(chartsIds);
}

void VisualizeFeature::KeepSyncLevels(const std::function<void()>& change)
{
    context_.Session.Sync().KeepLevelsThrough(change);
}

bool VisualizeFeature::ResourcesAreFree(std::int32_t crewId, TDateTime start, TDateTime end,
                                        std::int32_t chartsId)
{
    return schedule::ResourcesAreFree(context_.Session.ScheduleTables(), context_.UI, true, crewId, start,
                                      end, chartsId);
}

bool VisualizeFeature::AddTaskToSchedule(const visualize::JobSummaryRow& row)
{
    AppSession& s = context_.Session;
    // The adder makes the item's customer current, as the task editor
    // wants; a summary row is only drawn, so the user's customer stays.
    db::Table& customers = s.Data().CustomersTable;
    const bool hadCustomer = customers.active() && !customers.eof() && !customers.isEmpty();
    const double customer = hadCustomer ? customers.fieldByName("CID").asFloat() : 0;
    const bool added = s.Adder().AddTaskToSchedule(SummaryItem(row));
    if (hadCustomer)
        customers.locate("CID", db::Value(customer));
    return added;
}

void VisualizeFeature::ApplyCustomerQuery()
{
    if (data::PageControlView* pages = context_.Session.Data().Views().Pages)
        pages->ApplyCustomerQuery();
}

void VisualizeFeature::UpdateSelectControls()
{
    if (queryFilters_)
        queryFilters_->UpdateSelectControls();
}

// The task editor and the task list editor rebuild the chart they found
// cleared when they close.
void VisualizeFeature::ShowTaskEditor(int jobStatus)
{
    if (editTask_)
        editTask_(jobStatus);
}

void VisualizeFeature::OpenTaskListEditor()
{
    Run(openTaskList_);
}

void VisualizeFeature::RefreshChart()
{
    Run(refresh_);
}

void VisualizeFeature::ChartSortByClick()
{
    // The dependency set-up chose the order; the choice shows it first.
    page_->ShowControls();
    context_.Session.Chart.ChartSortBy = page_->SortChoice();
    Run(sortChosen_);
}

}  // namespace tw::app
