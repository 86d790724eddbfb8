#pragma once
// "Reuse a task" without its window: browsing the task list (every task ever
// added), sorted as chosen, copying one into the task editor, and deleting
// entries from the working and the shared task list.
//
//   ReuseTasks reuse(context);
//   if (reuse.Execute(helpLevel)) ... show the dialog on reuse.Form ...
//   reuse.ReuseTaskClick(editor);       // the editor then saves a new task

#include <cstdint>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "schedule/sync/calendartables.h"

namespace tw::tasks {

class TaskEditor;

struct ReuseTasksContext {
    db::Table& TasksTable;   // the working task list, browsed here
    db::Table& ITasksTable;  // the shared task list
    data::NetworkLock& Lock;
    schedule::CalendarTables& Calendars;
    data::MainScreenState& State;
    data::UserInterface& UI;
};

// The dialog's controls.
struct ReuseForm {
    int TaskStatus = 3;
    int PeriodPanel = 0;
    std::string TaskLength;
    std::string HourlyRate;
    TDateTime TaskStartDate = 0;
    TDateTime TaskStartTime = 0;
    int RepeatPeriod = 0;
    int RepeatCount = 1;
    int RepeatCountMax = 999;
    std::string Customer;
    std::string TaskDesc;
    std::vector<std::string> Notes;
    int SortByPanel = 0;  // "Description", "Start date", "Length", "Client"
    bool HintsShown = true;
};

class ReuseTasks {
public:
    explicit ReuseTasks(ReuseTasksContext& context) : ctx_(context) {}

    ReuseForm Form;

    // True when the dialog is to be shown: false when it is open already
    // (RestoreRequested is set then) or the task list is empty.
    bool Execute(int helpLevel);
    void SortByPanelClick();
    void FillFromTask();
    void RepeatPeriodClick();

    enum class Move { First, Prior, Next, Last };
    void NavigatorClick(Move move);
    // Deletes the current entry here and in the shared task list (under the
    // network lock); an emptied list closes the dialog.
    void DeleteClick();

    void ReuseTaskClick(TaskEditor& editor);
    void CancelClick() { CloseRequested = true; }
    void FormClose() { open_ = false; }

    bool IsOpen() const { return open_; }
    ReuseTasksContext& Context() { return ctx_; }
    // The custom repeat code of the entry shown.
    int RepeatCode() const { return repeatCode_; }
    bool CloseRequested = false;
    bool RestoreRequested = false;

private:
    ReuseTasksContext& ctx_;
    bool open_ = false;
    int repeatCode_ = 0;
};

}  // namespace tw::tasks
