#include "tasks/unit/taskeditorfeature.h"

#include "app/appservices.h"
#include "tasks/unit/timeblocksfeature.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "query/unit/queryfeature.h"
#include "query/querypage.h"
#include "schedule/visualize/visualizepage.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::app {

TaskEditorFeature::TaskEditorFeature(const FeatureContext& context, const MainFeatures& features)
    : context_(context),
      features_(features)
{
    AppSession& s = context_.Session;
    data::TEstimateData& d = s.Data();
    editorContext_.reset(new tasks::TaskEditorContext{
        .Tables = {d.ChartsTable, d.ChartsTable3, d.ChartsTable8, d.TasksTable3, d.CrewsTable, d.CrewsTable2,
                   d.ICrewsTable2, d.CustomersTable, d.CustomersTable2, d.JobsTable, d.JobsTable2},
        .Schedule = s.ScheduleTables(),
        .Sync = s.Sync(),
        .Adder = s.Adder(),
        .Calendars = s.Calendars(),
        .State = s.State,
        .UI = context_.UI,
        .StatusTexts = {},
        .Host = *this,
    });
    editor_ = std::make_unique<tasks::TAddTask>(*editorContext_);
    editor_->KeepPlaceIn(&context_.Layout.AddTaskTop, &context_.Layout.AddTaskLeft);

    reuseTasksContext_.reset(new tasks::ReuseTasksContext{d.TasksTable, d.ITasksTable2, s.Lock(), s.Calendars(),
                                                          s.State, context_.UI});
    reuseTasks_ = std::make_unique<tasks::TReuseTasks>(*reuseTasksContext_);
    reuseTasks_->OpenHelp = [this, &s](const std::string& page) {
        ShowHelpPage(&context_.Window, QString::fromStdString(s.State.ProgramFolder),
                     QString::fromStdString(page));
    };
    editor_->SetReuseTasks(reuseTasks_.get());
}

TaskEditorFeature::~TaskEditorFeature() = default;

void TaskEditorFeature::ConnectTaskResources()
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
                if (features_.Query->Page()->Attached())
                    features_.Query->Page()->Logic().ShowResourcesOfTask(key);
            },
    });
}

void TaskEditorFeature::AddResourceClick()
{
    if (taskResources_)
        taskResources_->AddResourceToTask();
}

void TaskEditorFeature::RemoveResourceClick()
{
    if (taskResources_)
        taskResources_->RemoveResourceFromTask();
}

void TaskEditorFeature::CrewsGridDblClick()
{
    if (taskResources_)
        taskResources_->CrewsGridDblClick();
}

// The job task list over the main schedule view; it is made when first asked
// for, when the chart's engine and the editor exist.
void TaskEditorFeature::OpenEditChart()
{
    AppSession& s = context_.Session;
    if (!editChart_) {
        data::TEstimateData& d = s.Data();
        WindowLayout& layout = context_.Layout;
        editChart_ = std::make_unique<tasks::TEditChart>(
            d.ChartsTable, d.ChartsTable2, s.State, editorContext_->StatusTexts,
            static_cast<tasks::EditChartHost&>(*this), context_.UI,
            tasks::EditChartPlace{&layout.EditChartLeft, &layout.EditChartTop, &layout.EditChartWidth,
                                  &layout.EditChartHeight});
    }
    editChart_->Open(s.State.HelpLevel);
}

void TaskEditorFeature::EditTask(std::int32_t key, int status)
{
    AppSession& s = context_.Session;
    db::Table& view = s.Data().ChartsTable3;
    view.refresh();
    if (data::LocateScheduleItem(view, key))
        editor_->ShowTaskEditor(view, false, true, s.State.HelpLevel, "", std::nullopt, false, "", "", "", "",
                                "", false, status, true, false);
}

void TaskEditorFeature::RecomputeAllTaskEnds()
{
    context_.Session.RecomputeAllTaskEnds();
}

void TaskEditorFeature::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

void TaskEditorFeature::SetStatusTexts(const data::JobStatusTexts& texts)
{
    editorContext_->StatusTexts = texts;
}

void TaskEditorFeature::CloseWindows()
{
    QWidget* const windows[] = {reuseTasks_.get(), editChart_.get(), editor_.get()};
    for (QWidget* window : windows) {
        if (window && window->isVisible())
            window->close();
    }
}

void TaskEditorFeature::EditTask(int jobStatus)
{
    editor_->ShowTaskEditor(context_.Session.Data().ChartsTable3, false, true, context_.Session.State.HelpLevel,
                            "", std::nullopt, false, "", "", "", "", "", true, jobStatus, false, false);
}

std::int32_t TaskEditorFeature::CurrentResource()
{
    if (features_.Query && features_.Query->Page()->Attached())
        return features_.Query->CurrentResource();
    TVisualizePage* page = features_.Visualize ? features_.Visualize->Page() : nullptr;
    if (page && page->Attached()) {
        const visualize::ChartState& chart = page->Logic().Chart;
        const auto link = chart.BarLinks.find(chart.SelectedBar);
        db::Table& charts = context_.Session.Data().ChartsTable2;
        if (link != chart.BarLinks.end() && charts.active()
            && data::LocateScheduleItem(charts, link->second.ChartsId))
            return data::ScheduleItemField(charts, &data::ScheduleItemRecord::CREWID).asInteger();
    }
    return context_.Session.State.CurrentResourceId;
}

// While an inserted block is pending, a new task starts in it.
std::optional<tasks::PendingBlock> TaskEditorFeature::PendingInsert()
{
    return features_.TimeBlocks ? features_.TimeBlocks->PendingBlock() : std::nullopt;
}

// What the editor saved shows in the tasks grid as well as on the chart.
void TaskEditorFeature::BuildChart()
{
    features_.Visualize->BuildChart(false);
    if (features_.Query && features_.Query->Page()->Attached())
        features_.Query->Page()->ShowControls();
}

void TaskEditorFeature::ShowTaskStatusBar()
{
    if (features_.Visualize)
        features_.Visualize->ShowTaskStatusBar();
}

// Until the Add / Edit / Query page is attached its customer grid counts as
// taking edits.
bool TaskEditorFeature::CustomerGridEnabled()
{
    if (features_.Query && features_.Query->Page()->Attached())
        return features_.Query->Page()->Logic().Controls().Select.CustomerGrid;
    return true;
}

}  // namespace tw::app
