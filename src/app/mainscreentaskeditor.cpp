// The main window's side of the task editor: the editor's cursors, engines
// and hooks, and opening it from the chart.
#include "app/mainscreen.h"
#include "app/appservices.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"

namespace tw::app {

void TMainScreen::CreateTaskEditor()
{
    data::TEstimateData& d = *data_;
    tasks::TaskEditorHooks hooks;
    // Until the Add / Edit / Query tab has its resources grid, a new task is
    // for the resource of the bar selected on the chart, else the current one.
    hooks.GetCurrentResource = [this] {
        if (visualizePage_ && visualizePage_->Attached()) {
            const visualize::ChartState& chart = visualizePage_->Logic().Chart;
            const auto link = chart.BarLinks.find(chart.SelectedBar);
            db::Table& charts = data_->ChartsTable2;
            if (link != chart.BarLinks.end() && charts.active()
                && charts.locate("CHARTSID", db::Value(double(link->second.ChartsId))))
                return charts.fieldByName("CREWID").asInteger();
        }
        return State.CurrentResourceId;
    };
    // While an inserted block is pending, a new task starts in it.
    hooks.PendingInsert = [this]() -> std::optional<tasks::PendingBlock> {
        if (!slotOperations_ || !slotOperations_->Pending.PendingInsert)
            return std::nullopt;
        const timeblocks::PendingInsertState& p = slotOperations_->Pending;
        return tasks::PendingBlock{p.PendingInsertStart, p.PendingInsertHours, p.PendingInsertUnit};
    };
    hooks.BuildChart = [this] { BuildChart(false); };
    hooks.ShowTaskStatusBar = [this] {
        if (visualizePage_ && visualizePage_->Attached())
            visualizePage_->Logic().Status.ShowTaskStatusBar();
    };
    taskEditorContext_.reset(new tasks::TaskEditorContext{
        .Tables = {d.ChartsTable, d.ChartsTable3, d.ChartsTable8, d.TasksTable3, d.CrewsTable, d.CrewsTable2,
                   d.ICrewsTable2, d.CustomersTable, d.CustomersTable2, d.JobsTable, d.JobsTable2},
        .Schedule = *scheduleTables_,
        .Sync = *sync_,
        .Adder = *adder_,
        .Calendars = *calendarTables_,
        .State = State,
        .UI = *userInterface_,
        .StatusTexts = {},
        .Hooks = std::move(hooks),
    });
    taskEditor_ = std::make_unique<tasks::TAddTask>(*taskEditorContext_);
    taskEditor_->KeepPlaceIn(&Layout.AddTaskTop, &Layout.AddTaskLeft);

    reuseTasksContext_.reset(new tasks::ReuseTasksContext{d.TasksTable, d.ITasksTable2, *lock_,
                                                          *calendarTables_, State, *userInterface_});
    reuseTasks_ = std::make_unique<tasks::TReuseTasks>(*reuseTasksContext_);
    reuseTasks_->OpenHelp = [this](const std::string& page) {
        OpenHelpPage(QString::fromStdString(State.ProgramFolder), QString::fromStdString(page));
    };
    taskEditor_->SetReuseTasks(reuseTasks_.get());
}

// The Add / Edit / Query tab's resource buttons and the resources grid's
// double click act on the current task and resource of the tab.
void TMainScreen::ConnectTaskResources()
{
    data::TEstimateData& d = *data_;
    taskResources_ = std::make_unique<schedule::TaskResources>(schedule::TaskResourceContext{
        .Charts = d.ChartsTable,
        .Crews = d.CrewsTable,
        .Assignments = d.ICrewsTable3,
        .Tables = *scheduleTables_,
        .State = State,
        .UI = *userInterface_,
        .Adder = *adder_,
        .Sync = *sync_,
        .Calendars = *calendarTables_,
        .ShowResourcesOfTask =
            [this](std::int32_t key) {
                if (queryPage_ && queryPage_->Attached())
                    queryPage_->Logic().ShowResourcesOfTask(key);
            },
    });
    queryPage_->AddResourceClick = [this] { taskResources_->AddResourceToTask(); };
    queryPage_->RemoveResourceClick = [this] { taskResources_->RemoveResourceFromTask(); };
    queryPage_->CrewsGridDblClick = [this] { taskResources_->CrewsGridDblClick(); };
}

// The job task list over the main schedule view; it is made when first asked
// for, when the chart's engine and the editor exist.
void TMainScreen::OpenEditChart()
{
    if (!editChart_) {
        tasks::EditChartHooks hooks;
        hooks.EditTask = [this](std::int32_t key, int status) {
            db::Table& view = data_->ChartsTable3;
            view.refresh();
            if (view.locate("CHARTSID", db::Value(static_cast<double>(key))))
                taskEditor_->ShowTaskEditor(view, false, true, State.HelpLevel, "", "", false, "", "", "", "",
                                            "", false, status, true, false);
        };
        hooks.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
        hooks.BuildChart = [this] { BuildChart(false); };
        hooks.PushChartUpdates = [this] { sync_->PushChartUpdates(); };
        hooks.SetBusyCursor = [this](bool busy) { userInterface_->SetBusyCursor(busy); };
        editChart_ = std::make_unique<tasks::TEditChart>(
            data_->ChartsTable, data_->ChartsTable2, State, taskEditorContext_->StatusTexts, std::move(hooks),
            tasks::EditChartPlace{&Layout.EditChartLeft, &Layout.EditChartTop, &Layout.EditChartWidth,
                                  &Layout.EditChartHeight});
    }
    editChart_->Open(State.HelpLevel);
}

void TMainScreen::SetTaskEditorStatusTexts(const data::JobStatusTexts& texts)
{
    taskEditorContext_->StatusTexts = texts;
}

void TMainScreen::EditTask(int jobStatus)
{
    taskEditor_->ShowTaskEditor(data_->ChartsTable3, false, true, State.HelpLevel, "", "", false, "", "", "",
                                "", "", true, jobStatus, false, false);
}

}  // namespace tw::app
