// The main window's side of the task editor: the editor's cursors, engines
// and hooks, and opening it from the chart.
#include "app/mainscreen.h"
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
