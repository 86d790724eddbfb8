#pragma once
// The task editor as a feature unit: the editor window (tasks::TAddTask) over
// its window-free logic (tasks::TaskEditor) and the session's cursors,
// synchronisation, adder and calendars; the reuse dialog it opens; the job
// task list (tasks::TEditChart); and the Add / Edit / Query tab's resource
// buttons (schedule::TaskResources).

#include <cstdint>
#include <memory>

#include "app/features/featurecontext.h"
#include "data/jobstatus.h"
#include "schedule/taskresources/taskresources.h"
#include "tasks/addtaskform.h"
#include "tasks/editchart/editchartform.h"
#include "tasks/editor/taskeditor.h"
#include "tasks/reuse/reusetasksform.h"

namespace tw::app {

class TaskEditorFeature : private tasks::TaskEditorHost, private tasks::EditChartHost {
public:
    TaskEditorFeature(const FeatureContext& context, const MainFeatures& features);
    ~TaskEditorFeature();

    tasks::TAddTask* Editor() const { return editor_.get(); }
    tasks::TaskEditorContext& Context() { return *editorContext_; }
    // The resource buttons of the Add / Edit / Query page act on its current
    // task and resource.
    void ConnectTaskResources();
    void AddResourceClick();
    void RemoveResourceClick();
    void CrewsGridDblClick();
    // The editor on the current record of ChartsTable3 (a double click on a bar).
    void EditTask(int jobStatus);
    // The job task list, made at its first opening.
    void OpenEditChart();
    void SetStatusTexts(const data::JobStatusTexts& texts);
    // The reuse dialog, the task list and the editor, innermost first, each
    // as its close button leaves it; the shutdown runs after them.
    void CloseWindows();
    // The resource a new task or block of time is for: the one selected on
    // the Add / Edit / Query page once it is attached, until then the one of
    // the bar selected on the chart, else the current one.
    std::int32_t CurrentResource() override;

private:
    // What the editor reaches of the other pages.
    std::optional<tasks::PendingBlock> PendingInsert() override;
    void BuildChart() override;
    void ShowTaskStatusBar() override;
    bool CustomerGridEnabled() override;
    // What the job task list reaches: the editor on one of its tasks, the
    // session's schedule and the chart.
    void EditTask(std::int32_t key, int status) override;
    void RecomputeAllTaskEnds() override;
    void PushChartUpdates() override;

    FeatureContext context_;
    const MainFeatures& features_;
    std::unique_ptr<schedule::TaskResources> taskResources_;
    std::unique_ptr<tasks::TaskEditorContext> editorContext_;
    // A window of its own, not a child: the main window's controls are
    // looked up by name, and the editor has a Help button too.
    std::unique_ptr<tasks::TAddTask> editor_;
    std::unique_ptr<tasks::ReuseTasksContext> reuseTasksContext_;
    std::unique_ptr<tasks::TReuseTasks> reuseTasks_;
    std::unique_ptr<tasks::TEditChart> editChart_;
};

}  // namespace tw::app
