#pragma once
// What the "Import from QuickBooks" logic needs of its window
// (ImportQBView) and of the running program around it (ImportQBHosts: the
// accounting link, the settings, the schedule and the main window's pages).
// The window and the session implement them in a few lines; tests record
// through them.

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "data/currency.h"
#include "data/services/schedulenotice.h"
#include "exchange/exchangeservices.h"
#include "exchange/qb/sessionmanager.h"
#include "platform/datetime/datetime.h"
#include "schedule/sync/addtask.h"
#include "tasks/editor/editorarguments.h"

namespace tw::exchange {

// One row of the customer-job list. Index is its place in the logic's rows
// whatever order the rows are shown in; the dates and the status number are
// kept as they came so that the import never reads them back from text.
struct QBJobRow {
    int Index = 0;
    QString Customer;
    QString Job;
    QString Task;
    QString StatusText;  // empty when the status's box is unticked
    std::optional<QDate> Start;
    std::optional<QDate> ProjectedEnd;
    int Level = 0;
    int Status = 3;  // the entry's own job status number; None when it has none
    // What the import writes of the entry besides what the list shows.
    QString Notes;
    QString ParentListID;  // the top customer's ListID
    QString ListID;
    QString EditSequence;
    QString FullName;
};

// A long import's progress: the window shows "n of N" and Stop once the
// work has run for half a second, and takes the other windows' input away.
class ImportProgress {
public:
    virtual ~ImportProgress() = default;
    virtual void BeginProgress(int total) = 0;
    // False once the user has pressed Stop.
    virtual bool StepProgress(int done) = 0;
    virtual void EndProgress() = 0;
};

class ImportQBView : public ExchangeStatus, public ImportProgress {
public:
    // The seven boxes of ListOptions: 0 Pending, 1 Awarded, 2 In progress,
    // 3 Closed, 4 Not awarded, 5 Inactive, 6 None.
    virtual bool ListOptionChecked(int item) const = 0;
    virtual void SetListOptionCaption(int item, const QString& caption) = 0;
    virtual QString HourlyRateText() const = 0;
    virtual void SetHourlyRateText(const QString& text) = 0;
    virtual void SetEmployeesEnabled(bool enabled) = 0;
    virtual void SetHintsShown(bool shown) = 0;
    // Rebuilds the list's rows from the logic's rows.
    virtual void ReloadRows() = 0;
    // The Index of the selected row; nothing when none is selected.
    virtual std::optional<int> SelectedIndex() const = 0;
    // The Index of every row in the order the list shows them.
    virtual std::vector<int> ShownIndexes() const = 0;
    virtual int WindowWidth() const = 0;
    virtual void PlaceWindow(int left) = 0;
    virtual void LayOut() = 0;
    virtual void ShowWindow() = 0;
    virtual void RestoreWindow() = 0;
};

// The accounting side of an import: the boxes, busy flag, settings and
// edition check every exchange uses, and the link itself.
class ImportExchangeHost {
public:
    virtual ~ImportExchangeHost() = default;
    virtual ExchangeMessages& Messages() = 0;
    virtual ExchangeBusyHooks& Busy() = 0;
    virtual ExchangeSettings& Settings() = 0;
    virtual SetupEditionView& Setup() = 0;
    // The accounting link; nullptr when there is none.
    virtual std::unique_ptr<qb::SessionManager> CreateSessionManager() = 0;
};

// The run's settings the import reads and corrects.
class ImportSettings {
public:
    virtual ~ImportSettings() = default;
    // The six job status texts by number (Awarded, Closed, In progress,
    // None, Not awarded, Pending), as the settings hold them.
    virtual QStringList JobStatusTexts() const = 0;
    virtual void SetJobStatusTexts(const QStringList& texts) = 0;
    // The main window's rate for new work (fixed point, four decimals).
    virtual Currency AverageRate() const = 0;
    virtual void SetAverageRate(Currency rate) = 0;
    virtual int WorkCalendarMode() const = 0;
};

// The schedule the imported jobs become tasks of: the resource and calendar
// they are timed on, and the adds.
class ImportScheduleHost : public virtual ScheduleItemAdding {
public:
    // The current resource (one is made when there is none); its rate
    // becomes the average rate.
    virtual std::int32_t GetCurrentResource() = 0;
    virtual float WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end) = 0;
    virtual TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                                     float hours) = 0;
    // The working day of the calendar loaded last (time of day only).
    virtual TDateTime WorkDayStart() = 0;
    virtual TDateTime WorkDayEnd() = 0;
    // Runs adds that push nothing themselves in one write batch, then pushes
    // the items whose keys they return at once.
    virtual void AddThenPush(const std::function<std::set<std::int32_t>()>& adds) = 0;
};

// The task editor and the tasks the main window shows.
class ImportTaskPages {
public:
    virtual ~ImportTaskPages() = default;
    // The left edge the task editor window was last closed at.
    virtual int TaskEditorLeft() const = 0;
    // The task editor is open (an edit or another add): opening it for an import would take it over.
    virtual bool TaskEditorOpen() const = 0;
    // Opens the editor modally; true when the user saved the task.
    virtual bool ShowTaskEditor(const tasks::EditorArguments& arguments) = 0;
    virtual std::int32_t CurrentTaskKey() = 0;
    virtual void LocateCurrentTask(std::int32_t chartsId) = 0;
    // Panel 0 or 1 of the main window's status bar, repainted at once.
    virtual void ShowMainStatus(int panel, const QString& text) = 0;
};

// The pages that show the imported customers and resources.
class ImportRecordPages {
public:
    virtual ~ImportRecordPages() = default;
    // Tells the pages what an import changed, once at its end; they show it
    // again themselves (the chart is rebuilt on tasks, which sorts the
    // working tables).
    virtual void ScheduleChanged(data::ScheduleChanges changes) = 0;
    // Runs the customer query on the customer and jobs just located, so that
    // the task editor opens on them.
    virtual void ApplyCustomerQuery() = 0;
    virtual void ShowCustomerCount() = 0;
    // A custom field of that owner kind (1 customers, 2 resources) on the
    // next free column; false when it exists, the name is blank or no column is free.
    virtual bool DefineCustomField(int kind, const QString& name) = 0;
    virtual void LoadCustomFieldNames(int kind) = 0;
    // Makes sure the resource (0: the common calendar) has a work calendar and shows it.
    virtual void ShowWorkCalendar(std::int32_t resourceId) = 0;
};

// Everything the import reaches outside its own window.
struct ImportQBHosts {
    ImportExchangeHost& Exchange;
    ImportSettings& Settings;
    ImportScheduleHost& Schedule;
    ImportTaskPages& Tasks;
    ImportRecordPages& Records;
};

}  // namespace tw::exchange
