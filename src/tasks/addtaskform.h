#pragma once
// The task editor "Add / Edit task": the one window where a single task is
// added or edited. It only moves values between its controls and the
// window-free tasks::TaskEditor, which opens, recalculates, validates and
// saves; every caller (the chart's double click, the Add / Edit / Query tab,
// the QuickBooks import) opens it through ShowTaskEditor.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

#include "tasks/editor/taskeditor.h"

namespace Ui {
class TAddTask;
}

namespace tw::db {
class Table;
}

namespace tw::tasks {

class TRepeatTask;
class TCustomRepeat;
class TReuseTasks;

class TAddTask : public QDialog, private TaskEditorView {
    Q_OBJECT
public:
    explicit TAddTask(TaskEditorContext& context, QWidget* parent = nullptr);
    ~TAddTask() override;

    // Opens the editor on the current record of table (edit) or for a new
    // task added through table (add). An editor that is open only comes to
    // the front; the arguments are then ignored.
    void ShowTaskEditor(db::Table& table, bool isMainView, bool edit, int helpLevel,
                        const std::string& description, std::optional<TDateTime> start, bool addMissingData,
                        const std::string& notesText, const std::string& customerListId,
                        const std::string& listId, const std::string& jobListId, const std::string& fullName,
                        bool rebuildOnClose, int status, bool modal, bool skipOverlapCheck);

    // True when the last Done saved the task.
    bool Result() const;
    // Where the editor was last closed; it opens there again (0, 0: not yet).
    void KeepPlaceIn(int* top, int* left)
    {
        top_ = top;
        left_ = left;
    }
    TaskEditor& Editor() { return *editor_; }
    // The task list that "Find a previous task" opens; the button stays
    // disabled without one.
    void SetReuseTasks(TReuseTasks* dialog) { reuseTasks_ = dialog; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct Controls;
    // The repeat dialogs of a series, made at their first use.
    bool AskRepeatMode() override;
    int CustomRepeat(int code, TDateTime start) override;
    // Reads the controls into the editor, runs the handler, shows the result
    // and closes when the editor asks.
    void Run(void (TaskEditor::*handler)());
    template <typename Work>
    bool Guarded(Work&& work);
    void ReadForm();
    void ShowForm();
    void OpenHelp(const std::string& page);

    std::unique_ptr<Ui::TAddTask> ui;
    std::unique_ptr<TaskEditor> editor_;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<TRepeatTask> repeatTask_;
    std::unique_ptr<TCustomRepeat> customRepeat_;
    TaskEditorContext& context_;
    TReuseTasks* reuseTasks_ = nullptr;
    int* top_ = nullptr;
    int* left_ = nullptr;
};

}  // namespace tw::tasks
