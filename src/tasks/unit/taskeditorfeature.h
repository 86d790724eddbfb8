#pragma once
// The task editor as a feature unit: the editor window (tasks::TAddTask) over
// its window-free logic (tasks::TaskEditor) and the session's cursors,
// synchronisation, adder and calendars; the reuse dialog it opens; the job
// task list (tasks::TEditChart). It opens on the requests of the Add / Edit /
// Query page and of the chart; what it saved goes out as the schedule notice.

#include <cstdint>
#include <memory>

#include "app/features/featurecontext.h"
#include "tasks/unit/taskeditorunit.h"
#include "data/jobstatus.h"
#include "tasks/addtaskform.h"
#include "tasks/editchart/editchartform.h"
#include "tasks/editor/taskeditor.h"
#include "tasks/reuse/reusetasksform.h"

namespace tw::app {

class ChartButtons;
class ChartPage;
class ChartSelection;
class PendingBlocks;
class QueryRequests;
class QuerySelection;

class TaskEditorFeature final : public TaskEditing, private tasks::TaskEditorHost, private tasks::EditChartHost {
public:
    TaskEditorFeature(const FeatureContext& context, QuerySelection& query, QueryRequests& queryRequests,
                      ChartPage& chart, ChartSelection& chartSelection, ChartButtons& chartButtons,
                      PendingBlocks& blocks);
    ~TaskEditorFeature() override;

    tasks::TAddTask* Editor() const { return editor_.get(); }
    tasks::TaskEditorContext& Context() { return *editorContext_; }
    // TaskEditing
    void OpenTaskEditor(const query::TaskEditorRequest& request) override;
    void EditTask(int jobStatus) override;
    // Made at its first opening.
    void OpenEditChart() override;
    bool ShowTaskEditor(const tasks::EditorArguments& arguments) override;
    bool TaskEditorOpen() const override;
    void SetStatusTexts(const data::JobStatusTexts& texts) override;
    QWidget* EditorWindow() const override { return editor_.get(); }
    void CloseWindows() override;
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
    QuerySelection& query_;
    ChartPage& chart_;
    ChartSelection& chartSelection_;
    PendingBlocks& blocks_;
    std::unique_ptr<tasks::TaskEditorContext> editorContext_;
    // A window of its own, not a child: the main window's controls are
    // looked up by name, and the editor has a Help button too.
    std::unique_ptr<tasks::TAddTask> editor_;
    std::unique_ptr<tasks::ReuseTasksContext> reuseTasksContext_;
    std::unique_ptr<tasks::TReuseTasks> reuseTasks_;
    std::unique_ptr<tasks::TEditChart> editChart_;
};

}  // namespace tw::app
