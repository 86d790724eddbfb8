#pragma once
// What the other units may ask of the task editor unit (taskeditorfeature.h).

#include "data/jobstatus.h"

class QWidget;

namespace tw::query {
struct TaskEditorRequest;
}

namespace tw::tasks {
struct EditorArguments;
}

namespace tw::app {

class TaskEditing {
public:
    virtual ~TaskEditing() = default;
    // A new task, or the current one, from the Add / Edit / Query page.
    virtual void OpenTaskEditor(const query::TaskEditorRequest& request) = 0;
    // The editor on the current record of ChartsTable3 (a double click on a bar).
    virtual void EditTask(int jobStatus) = 0;
    // The job task list.
    virtual void OpenEditChart() = 0;
    // The editor on what an import asks; true when its Done saved.
    virtual bool ShowTaskEditor(const tasks::EditorArguments& arguments) = 0;
    virtual bool TaskEditorOpen() const = 0;
    virtual void SetStatusTexts(const data::JobStatusTexts& texts) = 0;
    // The editor's window, watched by the poll.
    virtual QWidget* EditorWindow() const = 0;
    // The reuse dialog, the task list and the editor, innermost first, each
    // as its close button leaves it; the shutdown runs after them.
    virtual void CloseWindows() = 0;
};

}  // namespace tw::app
