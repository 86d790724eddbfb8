#pragma once
// "Export to QuickBooks" without its window: the export state that the
// dialog loads when it opens, its control handlers, and the export run with
// its request routines (customer, job and task sub-job adds, the sub-job
// update, the item look-up and the item's cost).
//
// The dialog keeps the keys of the customer, job and schedule item it
// loaded; every read and write of a run finds its record by key on a cursor
// of its own, so that whatever the main window's views stand on meanwhile,
// the identities land on the records the user saw.

#include <QString>

#include <cstdint>
#include <string>

#include "data/currency.h"
#include "exchange/exchangeservices.h"
#include "exchange/qbsessionframe.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::exchange::qbexport {

inline constexpr int kSingleTask = 0;
inline constexpr int kResourceSummary = 1;
// The leading characters the summary's item name is matched on: those of "Summary".
inline constexpr int kSummaryMatchCount = 7;

struct TaskTexts {
    QString customer, job, task, start, end;
};

// The dialog's controls as the export drives them. Setting a control here
// never runs its click handler; the logic runs what must follow itself.
class ExportJobView : public ExchangeStatus {
public:
    virtual void SetHintsShown(bool shown) = 0;
    virtual void ShowTask(const TaskTexts& texts) = 0;
    virtual int ExportTypeIndex() const = 0;
    virtual void SetExportTypeIndex(int index) = 0;
    virtual void SetExportTypeEnabled(bool enabled) = 0;
    virtual void SetJobPanelEnabled(bool enabled) = 0;
    virtual bool ExportCostChecked() const = 0;
    virtual void SetExportCostChecked(bool checked) = 0;
    // "Number of leading characters to match".
    virtual void SetMatchLabelEnabled(bool enabled) = 0;
    // MatchingCharCount with its up-down arrows.
    virtual void SetMatchCountEnabled(bool enabled) = 0;
    virtual void ShowMatchCount(int count) = 0;
    virtual QString MatchCountText() const = 0;
    virtual void SetItemName(const QString& text) = 0;
    virtual void ShowWindow() = 0;
    // Back to its normal state when it is minimised or maximised.
    virtual void RestoreWindow() = 0;
};

// What the export needs of the main window.
class ExportJobHost {
public:
    virtual ~ExportJobHost() = default;
    // A restriction, "Show all" or a custom-field search narrows the task list.
    virtual bool SelectionInForce() const = 0;
    virtual bool ResourceSearchActive() const = 0;
    virtual std::string ResourceSearchFilter() const = 0;
    // The Add / Edit / Query page's "tasks of one resource" box, and that resource.
    virtual bool RestrictTasksToCrew() const = 0;
    virtual std::int32_t CurrentResourceId() const = 0;
    virtual float WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end) = 0;
    // The setup dialog on its accounting page.
    virtual void ShowQuickBooksSetup(bool restricted) = 0;
    // A page of the program's help set, from the program folder.
    virtual void OpenHelpPage(const QString& page) = 0;
};

// The data module's tables the export starts from. The current records of
// the first two are the customer and the schedule item the dialog shows;
// the selection is the main window's filtered schedule; the others only
// tell where the export's own cursors open.
struct ExportJobTables {
    db::Table& CustomersTable;
    db::Table& ChartsTable;
    db::Table& ChartsTable3;
    db::Table& JobsTable2;
    db::Table& CrewsTable2;
    db::Table& ICrewsTable2;
    db::Table& ParamsTable;
};

struct ExportJobServices {
    ExchangeMessages& messages;
    ExchangeBusyHooks& busy;
    ExchangeSettings& settings;
    SetupEditionView& setup;
    ExportJobHost& host;
    QbSessionFrame::ManagerFactory factory;
};

// The export state: what the dialog loaded and what the run learnt.
struct ExportState {
    bool SetupRestricted = false;
    int QBItemPriceForm = 0;  // 0 none, 1 sales-or-purchase, 2 sales-and-purchase
    QString QBItemName;
    QString QBItemEditSequence;
    QString QBItemListID;
    std::int32_t TaskChartsID = 0;
    int QBItemKind = 0;  // 0 service item, 2 other-charge item
    int MatchCount = 4;
    QString CustomerLookupName;  // the name as loaded; first part of the full names looked up
    QString JobDescription;
    QString CustomerFullName;
    QString JobFullName;
    QString CustomerListID;
    QString CustomerName;  // as shown; the customer add replaces it by the name sent
    QString JobListID;
    QString TaskListID;
    QString TaskText;
    QString TaskEditSequence;
    QString TaskNotes;
    bool IsOpen = false;
    // The keys of what was loaded; 0 when there was none.
    std::int32_t CustomerID = 0;
    std::int32_t JobID = 0;
};

// The export's own cursors on the files it reads and writes.
struct ExportCursors {
    db::Table customers, jobs, charts, crews, icrews;
};

// Leading characters agree: both trimmed of blanks and control characters
// and upper-cased (a to z only); either empty never matches; at most count
// characters are compared, fewer when one of them is shorter.
bool MatchesLeadingChars(const QString& a, const QString& b, int count);

class ExportJobToQB {
public:
    ExportJobToQB(ExportJobTables tables, ExportJobServices services, ExportJobView& view);
    ~ExportJobToQB();

    // Help level 0 switches the hints on, 1 off, others leave them.
    void Open(int helpLevel, bool restricted);
    void ExportTypeClick();
    void ExportCostClick();
    // After the up-down has put its new position into MatchingCharCount.
    void MatchCountUpDownClick();
    void CallQBSetupClick();
    void ExportCostHelpClick();
    // The dialog closes: the cost check box is saved.
    void FormClose();
    // "Send to QuickBooks".
    void ExportJobClick();

    const ExportState& State() const { return state_; }

    // The run's parts, each over the run's open session.
    QString FindQBCustomer(QbSession& session, const QString& listId, const QString& fullName);
    bool AddQBCustomer(QbSession& session);
    bool AddQBJob(QbSession& session);
    bool AddQBTaskJob(QbSession& session);
    bool UpdateQBTaskJob(QbSession& session);
    bool FindQBItem(QbSession& session, const QString& text);
    bool UpdateQBItem(QbSession& session, int kind, const QString& listId, const QString& editSequence,
                      Currency cost, int priceForm, const QString& description);
    bool MatchesLeadingChars(const QString& a, const QString& b) const;
    // The labour cost of the loaded task, and of the main window's selection.
    Currency TaskCost();
    Currency SummaryCost();

private:
    void OpenCursors();
    bool Summary() const;
    // The run's check that what the dialog shows still exists.
    bool LoadedRecordsExist();
    void Run(QbSession& session);
    // A request routine's send: a library error from DoRequests is shown as
    // the session frame shows it, and gives nothing.
    std::optional<QbSession::Sent> SendGuarded(QbSession& session,
                                               const std::function<bool(qb::MsgSetRequest&)>& fill,
                                               const QbSession::Rules& rules);
    void SaveMatchCount();
    // The status text and one customer add whose fill sets what its level
    // adds before the customer block; the record QuickBooks answered with.
    std::optional<qb::CustomerRet> SendCustomerAdd(QbSession& session, const QString& name,
                                                   const std::function<void(qb::CustomerAddRq&)>& fill);
    // The sub-job's ListID and EditSequence, kept and written into the
    // schedule item; false when the answer lacks one of them.
    bool KeepTaskIdentity(const qb::CustomerRet& answered);

    ExportJobTables tables_;
    ExportJobServices services_;
    ExportJobView& view_;
    ExportState state_;
    QString loadedTaskText_;
    std::unique_ptr<ExportCursors> cursors_;
};

}  // namespace tw::exchange::qbexport
