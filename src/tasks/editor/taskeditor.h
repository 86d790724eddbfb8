#pragma once
// The task editor without its window: the form's values, the editor's state
// and every handler of the "Add / Edit task" window, on the working copy and
// the shared schedule. The window (tasks::TAddTask) copies its controls into
// Form before a handler runs and shows Form afterwards.
//
//   TaskEditor editor(context, window);  // window: the repeat dialogs
//   editor.ShowTaskEditor(args);        // open on ChartsTable3's current task
//   editor.Form.TaskLength = "3";  editor.TaskLengthChange();
//   editor.SaveTask(false, false);     // Done
//   if (editor.CloseRequested) ...     // the window closes, then FormClose()

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/currency.h"
#include "tasks/editor/editorarguments.h"
#include "tasks/editor/lengthrules.h"
#include "data/jobstatus.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "schedule/repeat/repeatdates.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/calendartables.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"

namespace tw::tasks {

// The data module's cursors in the editor's roles.
struct TaskEditorTables {
    db::Table& ChartsTable;      // the working copy's main view
    db::Table& ChartsTable3;     // the chart's view (with the query filter)
    db::Table& ChartsTable8;     // new keys are checked against it
    db::Table& TasksTable3;      // the task-list twins
    db::Table& CrewsTable;       // the current resource (its rate)
    db::Table& CrewsTable2;      // resource look-ups
    db::Table& ICrewsTable2;     // the assignment rows of one task
    db::Table& CustomersTable;   // the current customer
    db::Table& CustomersTable2;  // customer look-ups
    db::Table& JobsTable;        // the current job
    db::Table& JobsTable2;       // job look-ups
};

// A block of time just inserted and not yet pushed: a new task starts there.
struct PendingBlock {
    TDateTime Start = 0;
    float Hours = 0;
    int Unit = 0;
};

// The editor's window: the two repeat dialogs a series asks.
class TaskEditorView {
public:
    virtual ~TaskEditorView() = default;

    // "Specify how repeat works": true for a Reoccurring series.
    virtual bool AskRepeatMode() = 0;
    // "Setup custom repeat period" shown on `code`; the dialog's result code
    // (an earlier OK's when cancelled).
    virtual int CustomRepeat(int code, TDateTime start) = 0;
};

// What the editor reaches of the rest of the program: the page whose
// resource a new task is for, the inserted block a new task starts in, the
// chart and its status bar. The task editor feature implements it.
class TaskEditorHost {
public:
    virtual ~TaskEditorHost() = default;

    // The resource a new task is for.
    virtual std::int32_t CurrentResource() = 0;
    // The block inserted by the insert-of-time dialog and not yet pushed.
    virtual std::optional<PendingBlock> PendingInsert() = 0;
    // The chart built again from the records, with what else shows them.
    virtual void BuildChart() = 0;
    virtual void ShowTaskStatusBar() = 0;
    // The Add / Edit / Query page's customer grid takes edits.
    virtual bool CustomerGridEnabled() = 0;
};

struct TaskEditorContext {
    TaskEditorTables Tables;
    schedule::ScheduleTables& Schedule;
    schedule::ScheduleSync& Sync;
    schedule::ScheduleAdder& Adder;
    schedule::CalendarTables& Calendars;
    data::MainScreenState& State;
    data::UserInterface& UI;
    data::JobStatusTexts StatusTexts;
    TaskEditorHost& Host;
};

// The controls' values and states.
struct TaskForm {
    std::string Caption;
    std::string GroupCaption;
    std::string TaskLength = "1";
    int PeriodPanel = 0;
    TDateTime TaskStartDate = 0;  // the picker's day
    TDateTime TaskStartTime = 0;  // the picker's time of day
    TDateTime TaskEndDate = 0;
    TDateTime TaskEndTime = 0;
    bool AutoEndDate = true;
    std::string HourlyRate;
    std::vector<std::string> StatusItems;
    int TaskStatus = data::JobStatusTexts::kNone;
    int RepeatPeriod = 0;
    int RepeatCount = 1;
    int RepeatCountMax = 365;  // UpDown1's maximum
    std::string Customer;
    std::string Resource;
    std::string TaskDesc;
    std::vector<std::string> Notes;
    bool IsActive = true;
    std::string Label6 = "Calculated end date:";
    std::string Label7 = "Calculated end time:";
    std::string EndDateHint = "Calculated task end date";
    std::string EndTimeHint = "Calculated task end time";
    std::string StatusBar;

    bool TaskLengthEnabled = true;
    bool EndPickersEnabled = false;
    bool ResetRateEnabled = false;
    bool DoneEnabled = true;
    bool EditNextEnabled = false;
    bool EditPrevEnabled = false;
    bool ReuseEnabled = true;
    bool RepeatEnabled = true;        // RepeatPeriod
    bool RepeatCountEnabled = false;  // RepeatRep and UpDown1
    bool HintsShown = true;
};

class TaskEditor {
public:
    TaskEditor(TaskEditorContext& context, TaskEditorView& view);

    TaskForm Form;

    // Opening. An editor that is open only asks to be restored.
    void ShowTaskEditor(const EditorArguments& args);
    const EditorArguments& Arguments() const { return args_; }
    bool IsOpen() const { return open_; }
    bool EditMode() const { return args_.Edit; }
    // The window is asked to come to the front instead of opening again.
    bool RestoreRequested = false;
    // The window is asked to close (then FormClose runs).
    bool CloseRequested = false;

    // Length, units and end.
    float LengthToHours(std::int32_t resourceId, int unit, const std::string& lengthText);
    bool RecalcEndDate(bool writeStartBack, bool readLength, bool testLimit);
    void AutoEndDateClick();
    void PeriodPanelClick();
    void TaskLengthChange();
    void TaskStartDateChange() { StartChange(true); }
    void TaskStartTimeChange() { StartChange(false); }
    void TaskEndDateChange() { EndChange(); }
    void TaskEndTimeChange() { EndChange(); }
    void UpDown2UpRightClick() { Spin(true); }
    void UpDown2DownLeftClick() { Spin(false); }

    // Saving: Done (neither flag), Next or Previous.
    bool ValidateTaskInput();
    void SaveTask(bool goToNext, bool goToPrevious);
    void AddTaskManualClick() { SaveTask(false, false); }
    void EditNextClick() { SaveTask(true, false); }
    void EditPrevClick() { SaveTask(false, true); }
    // True when the last Done saved the task.
    bool Result() const { return result_; }

    // The small buttons.
    void CancelClick();
    void AddTimeStampClick();
    void EraseNoteClick() { Form.Notes.clear(); }
    void ResetRateClick();
    // The repeat period's choice: the count's range, and a stored series
    // cannot be made single here.
    void RepeatPeriodClick();
    void UpDown1UpClick() { SpinCount(1); }
    void UpDown1DownClick() { SpinCount(-1); }
    // A task taken from the task list ("Find a previous task"): it is not
    // added to the list again, and a custom period starts from its code.
    void MarkReused(int repeatCode);
    // The reused task's values are in Form: the end follows from them.
    void ReusedTaskCopied();
    // The help page for the mode.
    std::string HelpPage() const { return args_.Edit ? "Edit_a_task.htm" : "Add_a_task.htm"; }

    // Closing: rebuilds the chart when asked and makes the task current.
    void FormClose();

    // The task being edited, or the last one added.
    std::int32_t TaskKey() const { return key_; }
    float WorkingHours() const { return hours_; }
    // Whether the user picked the end (stored in NEW).
    bool EndSpecified() const { return endSpecified_; }

private:
    void OpenForEdit();
    void OpenForAdd();
    void WriteJobCustomerName();
    TDateTime Start() const;
    TDateTime End() const;
    void SetStart(TDateTime value);
    void SetEnd(TDateTime value);
    void ShowLengthOf(float hours);
    void LengthFromPickers();
    void StartChange(bool dateChanged);
    void EndChange();
    void Spin(bool up);
    std::int32_t CurrentResource() const { return ctx_.State.CurrentResourceId; }
    const schedule::WorkCalendar& CalendarOf(std::int32_t resourceId);
    std::string ResourceName(std::int32_t resourceId);
    std::string ResourceText(std::int32_t primary, std::int32_t key);
    bool SaveEdit(const TaskInput& input, TDateTime start, TDateTime end);
    bool SaveAdd(const TaskInput& input, TDateTime start, TDateTime end);
    bool AddSeries(const TaskInput& input, const schedule::NewScheduleItem& first, bool pushNow);
    schedule::RepeatCalendar RepeatRules();
    void SpinCount(int step);
    void AfterSave(bool goToNext, bool goToPrevious);
    void Refuse(const std::string& text);
    void Close() { CloseRequested = true; }

    TaskEditorContext& ctx_;
    TaskEditorView& view_;
    EditorArguments args_;
    bool open_ = false;
    bool guard_ = false;
    bool keepStoredHours_ = false;
    bool endSpecified_ = false;
    bool reused_ = false;
    bool reusedInEdit_ = false;
    bool reoccurring_ = false;
    int storedRepeatPeriod_ = 0;
    int reusedRepeatCode_ = 0;
    int customRepeatCode_ = 0;
    bool result_ = false;
    std::int32_t key_ = 0;
    std::int32_t customerKey_ = 0;
    float hours_ = 1.0f;
};

}  // namespace tw::tasks
