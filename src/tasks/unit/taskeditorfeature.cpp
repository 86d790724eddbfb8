#include "tasks/unit/taskeditorfeature.h"

#include "app/appservices.h"
#include "tasks/unit/currentresource.h"
#include "query/unit/queryunit.h"
#include "tasks/unit/timeblocksunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "data/records/scheduleitemrecord.h"
#include "query/querypagelogic.h"
#include "tasks/editor/editorarguments.h"

namespace tw::app {

TaskEditorFeature::TaskEditorFeature(const FeatureContext& context, QuerySelection& query,
                                     QueryRequests& queryRequests, ChartPage& chart, ChartSelection& chartSelection,
                                     ChartButtons& chartButtons, PendingBlocks& blocks)
    : context_(context),
      query_(query),
      chart_(chart),
      chartSelection_(chartSelection),
      blocks_(blocks)
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

    queryRequests.OnOpenTaskEditor([this](const query::TaskEditorRequest& r) { OpenTaskEditor(r); });
    chartButtons.OnEditTask([this](int jobStatus) { EditTask(jobStatus); });
    chartButtons.OnOpenTaskList([this] { OpenEditChart(); });
}

TaskEditorFeature::~TaskEditorFeature() = default;

void TaskEditorFeature::OpenTaskEditor(const query::TaskEditorRequest& r)
{
    editor_->ShowTaskEditor(context_.Session.Data().ChartsTable, true, r.Edit, r.HelpLevel, r.Description, r.Start,
                            false, "", "", "", "", "", true, r.Status, false, false);
}

bool TaskEditorFeature::ShowTaskEditor(const tasks::EditorArguments& a)
{
    if (!a.Table)
        return false;
    editor_->ShowTaskEditor(*a.Table, a.IsMainView, a.Edit, a.HelpLevel, a.Description, a.Start,
                            a.AddMissingData, a.NotesText, a.CustomerListId, a.ListId, a.JobListId, a.FullName,
                            a.RebuildOnClose, a.Status, a.Modal, a.SkipOverlapCheck);
    return editor_->Result();
}

bool TaskEditorFeature::TaskEditorOpen() const
{
    return editor_->Editor().IsOpen();
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
    return CurrentResourceOf(query_, chartSelection_, context_.Session.State.CurrentResourceId);
}

// While an inserted block is pending, a new task starts in it.
std::optional<tasks::PendingBlock> TaskEditorFeature::PendingInsert()
{
    return blocks_.PendingBlock();
}

// What the editor saved shows in the tasks grid as well as on the chart.
void TaskEditorFeature::BuildChart()
{
    context_.Session.Changes.Raise(data::ScheduleChange::Tasks);
}

void TaskEditorFeature::ShowTaskStatusBar()
{
    chart_.ShowTaskStatusBar();
}

bool TaskEditorFeature::CustomerGridEnabled()
{
    return query_.CustomerGridEnabled();
}

}  // namespace tw::app
