#include "app/features/queryfeature.h"

#include <QGridLayout>

#include "app/features/customerfeature.h"
#include "app/features/exchangefeature.h"
#include "app/features/pagecontrol.h"
#include "app/features/taskeditorfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
#include "app/mainpage.h"
#include "app/mainpagecontrol.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "platform/registry/registry.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"

namespace tw::app {

QueryFeature::QueryFeature(const FeatureContext& context, const MainFeatures& features, QWidget* area,
                           QGridLayout* areaLayout, TMainPageControl* tabs)
    : context_(context),
      features_(features),
      tabs_(tabs)
{
    page_ = new TQueryPage(area);
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
    page_->Attach(s.Data(), s.State, context_.UI);
    query::QueryHooks& hooks = page_->Logic().Hooks;
    hooks.ShowTaskStatusBar = [this] { features_.Visualize->ShowTaskStatusBar(); };
    hooks.DeleteCrewIndexRows = [&s](std::int32_t key) { s.Adder().DeleteCrewIndexRows(key); };
    hooks.ShowWorkCalendar = [this](std::int32_t id) { features_.Calendar->ShowWorkCalendar(id); };
    hooks.FillCalendarResourceList = [this](bool allResources) {
        features_.Calendar->FillCalendarResourceList(allResources);
    };
    hooks.WorkingDay = [&s] {
        const schedule::WorkCalendar& loaded = s.Calendars().Loaded();
        return std::make_pair(loaded.WorkDayStart(), loaded.WorkDayEnd());
    };
    hooks.ShowJobsOnly = [this] { return features_.Visualize->Page()->DisplayChoice(); };
    hooks.ChartSortBy = [this, &s](int choice) {
        features_.Visualize->SetSortChoice(choice);
        s.Chart.ChartSortBy = choice;
        features_.Pages->ChartSortByClick();
    };
    hooks.ShowTaskEditor = [this](const tasks::EditorArguments& r) {
        features_.Editor->Editor()->ShowTaskEditor(*r.Table, r.IsMainView, r.Edit, r.HelpLevel, r.Description,
                                                   r.StartText, r.AddMissingData, r.NotesText,
                                                   r.CustomerListId, r.ListId, r.JobListId, r.FullName,
                                                   r.RebuildOnClose, r.Status, r.Modal, r.SkipOverlapCheck);
    };
    // A new task is for the resource selected in the resources grid.
    tasks::TaskEditorHooks& editor = features_.Editor->Context().Hooks;
    editor.GetCurrentResource = [this] { return CurrentResource(); };
    editor.CustomerGridEnabled = [this] { return page_->Logic().Controls.Select.CustomerGrid; };
    // What the editor saved shows in the tasks grid as well as on the chart.
    editor.BuildChart = [this, buildChart = editor.BuildChart] {
        if (buildChart)
            buildChart();
        page_->ShowControls();
    };
    hooks.SaveTasksGridWidths = [](const std::array<int, 4>& widths) {
        registry::TRegistry reg;
        return SaveTasksGridWidths(reg, widths);
    };
    page_->ImportFromQMClick = [this] { features_.Exchange->ImportFromQMClick(); };
    page_->ExportToQBClick = [this] { features_.Exchange->ExportToQBClick(); };
    page_->CustomerGridDblClick = [this] { tabs_->setCurrentIndex(CustomerTabPage); };
    page_->TasksCustomFieldsClick = [this] { features_.Customers->TasksCustomFieldsClick(); };
    page_->CrewsCustomFieldsClick = [this] { features_.Customers->CrewsCustomFieldsClick(); };
    page_->ImportFromQBClick = [this] { features_.Exchange->ImportFromQBClick(); };
    page_->ReadOtherPages = [this](query::QueryControls& controls) {
        controls.SpecifyWorkingDay = features_.Calendar->Controls().SpecifyWorkingDay;
    };
    ConnectOtherPages();
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

// The chart asks the page to bring its selection controls up to date, and
// reads the query's restrictions for its status bar.
void QueryFeature::ConnectOtherPages()
{
    TVisualizePage* chartPage = features_.Visualize->Page();
    if (!chartPage->Attached())
        return;
    auto readOtherPages = chartPage->ReadOtherPages;
    chartPage->ReadOtherPages = [this, readOtherPages](visualize::PageControls& controls) {
        if (readOtherPages)
            readOtherPages(controls);
        const query::QueryPageLogic& q = page_->Logic();
        controls.RestrictTasksToCrew = q.Controls.Boxes.RestrictTasksToCrew;
        controls.RestrictByDate = q.Controls.Boxes.RestrictByDate;
        controls.RestrictToCustomer = q.Controls.Boxes.RestrictToCustomer;
        controls.RestrictToSelectedStatus = q.Controls.Boxes.RestrictToSelectedStatus;
        controls.RestrictToActive = q.Controls.Boxes.RestrictToActive;
        controls.CustomerFieldSearch = q.Search.CustomerSearchActive;
        controls.TaskFieldSearch = q.Search.TaskSearchActive;
        controls.TaskStartDate = q.Controls.Pickers.Start;
        controls.TaskEndDate = q.Controls.Pickers.End;
    };
}

void QueryFeature::ApplyCustomerQuery()
{
    page_->ApplyCustomerQuery();
}

void QueryFeature::ApplyQueryAndShowTasksNavigator()
{
    ApplyCustomerQuery();
    db::Table& jobs = context_.Session.Data().JobsTable2;
    if (!jobs.active() || jobs.isEmpty())
        return;
    if (QWidget* navigator = page_->findChild<QWidget*>(QStringLiteral("TasksNavigator")))
        navigator->show();
}

void QueryFeature::ShowEmptyDatabase()
{
    query::QueryControls& controls = page_->Logic().Controls;
    controls.CustomersLabel = "No customers";
    controls.JobsLabel = "No jobs";
    controls.TasksLabel = "No tasks";
    controls.TasksNavigatorEnabled = false;
    page_->ShowControls();
    if (QWidget* navigator = page_->findChild<QWidget*>(QStringLiteral("TasksNavigator")))
        navigator->hide();
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
    page_->Logic().Controls.CustomersLabel = caption.toStdString();
    page_->ShowControls();
}

void QueryFeature::EnableJobsNavigator()
{
    page_->Logic().Controls.Select.JobsNavigator = true;
    page_->ShowControls();
}

void QueryFeature::UpdateSelectControls()
{
    page_->UpdateSelectControls();
}

}  // namespace tw::app
