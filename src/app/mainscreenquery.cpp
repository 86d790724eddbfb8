// The main window's side of the Add / Edit / Query page: the page is attached
// to the data module once the tables are open, and its hooks reach the
// Visualize page, the Work calendar page, the schedule adder and the settings.
#include "app/features/exchangefeature.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "app/workcalendarpage.h"
#include "platform/registry/registry.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"
#include "ui_mainscreen.h"

#include <QTabWidget>

namespace tw::app {

void TMainScreen::AttachQueryPage()
{
    if (queryPage_->Attached())
        return;
    queryPage_->Attach(*data_, State, *userInterface_);
    query::QueryHooks& hooks = queryPage_->Logic().Hooks;
    hooks.ShowTaskStatusBar = [this] {
        if (visualizePage_->Attached())
            visualizePage_->Logic().Status.ShowTaskStatusBar();
    };
    hooks.DeleteCrewIndexRows = [this](std::int32_t key) { adder_->DeleteCrewIndexRows(key); };
    hooks.ShowWorkCalendar = [this](std::int32_t id) { ShowWorkCalendar(id); };
    hooks.FillCalendarResourceList = [this](bool allResources) { FillCalendarResourceList(allResources); };
    hooks.WorkingDay = [this] {
        const schedule::WorkCalendar& loaded = calendarTables_->Loaded();
        return std::make_pair(loaded.WorkDayStart(), loaded.WorkDayEnd());
    };
    hooks.ShowJobsOnly = [this] { return visualizePage_->DisplayChoice(); };
    hooks.ChartSortBy = [this](int choice) {
        visualizePage_->SetSortChoice(choice);
        Chart.ChartSortBy = choice;
        ChartSortByClick();
    };
    hooks.ShowTaskEditor = [this](const tasks::EditorArguments& r) {
        taskEditor_->ShowTaskEditor(*r.Table, r.IsMainView, r.Edit, r.HelpLevel, r.Description, r.StartText,
                                    r.AddMissingData, r.NotesText, r.CustomerListId, r.ListId, r.JobListId,
                                    r.FullName, r.RebuildOnClose, r.Status, r.Modal, r.SkipOverlapCheck);
    };
    // A new task is for the resource selected in the resources grid.
    tasks::TaskEditorHooks& editor = taskEditorContext_->Hooks;
    editor.GetCurrentResource = [this] { return queryPage_->Logic().GetCurrentResource(); };
    editor.CustomerGridEnabled = [this] { return queryPage_->Logic().Controls.Select.CustomerGrid; };
    // What the editor saved shows in the tasks grid as well as on the chart.
    editor.BuildChart = [this, buildChart = editor.BuildChart] {
        if (buildChart)
            buildChart();
        queryPage_->ShowControls();
    };
    hooks.SaveTasksGridWidths = [](const std::array<int, 4>& widths) {
        registry::TRegistry reg;
        return SaveTasksGridWidths(reg, widths);
    };
    queryPage_->ImportFromQMClick = [this] { exchange_->ImportFromQMClick(); };
    queryPage_->ExportToQBClick = [this] { exchange_->ExportToQBClick(); };
    queryPage_->CustomerGridDblClick = [this] { ui->TabControl->setCurrentIndex(CustomerTabPage); };
    queryPage_->TasksCustomFieldsClick = [this] { TasksCustomFieldsClick(); };
    queryPage_->CrewsCustomFieldsClick = [this] { CrewsCustomFieldsClick(); };
    queryPage_->ImportFromQBClick = [this] { exchange_->ImportFromQBClick(); };
    queryPage_->ReadOtherPages = [this](query::QueryControls& controls) {
        controls.SpecifyWorkingDay = workCalendarPage_->Controls().SpecifyWorkingDay;
    };

    if (visualizePage_->Attached()) {
        visualize::VisualizeHooks& chart = visualizePage_->Logic().Hooks;
        chart.UpdateSelectControls = [this] { queryPage_->UpdateSelectControls(); };
        // The chart reads the query's restrictions for its status bar.
        auto readOtherPages = visualizePage_->ReadOtherPages;
        visualizePage_->ReadOtherPages = [this, readOtherPages](visualize::PageControls& controls) {
            if (readOtherPages)
                readOtherPages(controls);
            const query::QueryPageLogic& q = queryPage_->Logic();
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

    poll_->Hooks.ApplyQueryFilters = [this] { queryPage_->ApplyQueryFilters(); };
    ConnectCustomFieldsToQuery();
    tabHandlers_->Hooks.SetChartSortBy2 = [this](int choice) { queryPage_->SetChartSortBy2(choice); };

    // Leaving the page keeps its current task; showing it again reads the views afresh.
    connect(ui->TabControl, &TMainPageControl::currentChanged, this,
            [this, shown = ui->TabControl->currentIndex()](int page) mutable {
                if (shown == SelectPage && page != SelectPage)
                    queryPage_->SelectExit();
                else if (page == SelectPage && State.SelectionReady)
                    queryPage_->ShowControls();
                shown = page;
            });
}

void TMainScreen::ApplyCustomerQuery()
{
    queryPage_->ApplyCustomerQuery();
}

void TMainScreen::RefreshCustomerViews()
{
    data_->CustomersTable.refresh();
    data_->JobsTable.refresh();
    queryPage_->ShowControls();
}

void TMainScreen::SetCustomersLabel(const QString& caption)
{
    queryPage_->Logic().Controls.CustomersLabel = caption.toStdString();
    queryPage_->ShowControls();
}

void TMainScreen::UpdateSelectControls()
{
    queryPage_->UpdateSelectControls();
}

void TMainScreen::ResourceDisplayClick()
{
    queryPage_->ResourceDisplayClick();
}

}  // namespace tw::app
