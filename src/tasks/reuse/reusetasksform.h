#pragma once
// "Reuse a task": the task list browsed from the task editor's "Find a
// previous task" button. The window only moves values between its controls
// and the window-free tasks::ReuseTasks.

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "tasks/reuse/reusetasks.h"

namespace Ui {
class TReuseTasks;
}

namespace tw::tasks {

class TaskEditor;

class TReuseTasks : public QDialog {
    Q_OBJECT
public:
    TReuseTasks(ReuseTasksContext& context, QWidget* parent = nullptr);
    ~TReuseTasks() override;

    // Shows the task list modally next to the editor's window; "Reuse this
    // task" copies the entry into editor. Nothing shows when the list is empty.
    void Execute(int helpLevel, TaskEditor& editor, QWidget* editorWindow);
    ReuseTasks& Logic() { return logic_; }
    // Opens a help page by file name.
    std::function<void(const std::string& page)> OpenHelp;

protected:
    void done(int result) override;

private:
    struct Controls;
    void Run(const std::function<void()>& handler);
    void ReadForm();
    void ShowForm();

    std::unique_ptr<Ui::TReuseTasks> ui;
    std::unique_ptr<Controls> controls_;
    ReuseTasks logic_;
    TaskEditor* editor_ = nullptr;
};

}  // namespace tw::tasks
