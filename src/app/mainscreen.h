#pragma once
// The main window: six tab pages over a three-panel status bar, the start-up
// sequence that runs from its Start timer once the window is shown, and the
// shutdown that runs when it closes.
//
// The window owns the run's state and the data module with its lock record,
// whole-table operations and schedule synchronisation; it is created before
// any database is open, so its construction touches no table, and every
// database step runs in StartTimer. Steps whose work belongs to a tab or
// dialog not built yet are members of their own that do nothing so far; the
// sequence calls them in their place so that each lands without reordering
// the start-up.
//
// Status bar panels: 0 the action or its result, 1 the table, description or
// mode, 2 a length or a second text.

#include "app/mainpagecontrol.h"
#include "app/session/appsession.h"
#include "app/session/startupsequence.h"
#include "app/startupsettings.h"
#include "app/startupstate.h"
#include "app/startuptables.h"
#include "app/quillmarkhost.h"
#include "app/importqbhost.h"
#include "app/windowlayout.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/status/fcstatusbar.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"
#include "platform/datetime/datetime.h"
#include "schedule/holidaylist.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/calendartables.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"
#include "exchange/importqmform.h"
#include "exchange/exportjobform.h"
#include "app/qbexporthost.h"
#include "exchange/importqbform.h"
#include "exchange/quillmark/quillmarktables.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"
#include "schedule/taskresources/taskresources.h"
#include "tasks/editchart/editchartform.h"
#include "tasks/reuse/reusetasksform.h"
#include "tasks/slots/slotdialogs.h"

#include <QColor>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <exception>
#include <memory>

namespace Ui {
class TMainScreen;
}

class QLineEdit;
class QTimer;

namespace tw::reports {
struct ChartPeriod;
class ChartPages;
class TPageFormat;
class TPrintPreview;
}  // namespace tw::reports

namespace tw::email {
class TSendEmail;
}

namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

class TCustomerPage;
class TDatabaseSelection;
class TPassword;
class TQueryPage;
class TTWDatabaseSelection;
class TUtilitiesPage;
struct UtilitiesWiring;
class TVisualizePage;
class TWorkCalendarPage;

class TMainScreen : public QMainWindow, private StartupWindow, private QuillmarkImportWindow {
    Q_OBJECT
    // The session the window works on, first so that it outlives everything
    // below; a window built without one makes its own.
    std::unique_ptr<AppSession> ownSession_;
    AppSession& session_;

public:
    // Pages of TabControl by index; the index is what the settings keep.
    using Page = MainPage;
    using enum MainPage;

    // A window over a session of its own, on the user's database names.
    explicit TMainScreen(QWidget* parent = nullptr);
    // A window over the program's session; main builds it first.
    explicit TMainScreen(AppSession& session, QWidget* parent = nullptr);
    ~TMainScreen() override;
    AppSession& Session() { return session_; }

    // The dialogs the start-up shows; created once by the entry point.
    void SetDialogs(TPassword* password);
    // The database-name dialogs of the Utilities page; created once by the entry point.
    void SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames, TDatabaseSelection* estimatingNames);

    TMainPageControl* TabControl() const;
    controls::TFcStatusBar* StatusBar() const;
    // The Visualize page's place for the resource allocation chart.
    QWidget* RACContainer() const;
    // The Work calendar page; the data module attaches its tables to it.
    TWorkCalendarPage* WorkCalendarPage() const { return workCalendarPage_; }
    // The Visualize page in RACContainer; the data module attaches its tables to it.
    TVisualizePage* VisualizePage() const { return visualizePage_; }
    // The Customer details page, with the custom fields window and the photo dialog.
    TCustomerPage* CustomerPage() const { return customerPage_; }
    // The Add / Edit / Query tab's "Custom fields" buttons of tasks and resources.
    void TasksCustomFieldsClick();
    void CrewsCustomFieldsClick();
    // The Add / Edit / Query page in SelectArea; the data module attaches its tables to it.
    TQueryPage* QueryPage() const { return queryPage_; }
    // The Utilities page in the Utilities tab, over the session's backup and emptying.
    TUtilitiesPage* UtilitiesTabPage() const { return utilitiesPage_; }
    // The setup dialog, made once with the Utilities page.
    settings::TQMSetup& SetupDialog();
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    // The Utilities page's names of the two databases in use.
    QLineEdit* TWDatabaseInUse() const;
    QLineEdit* QMDatabaseInUse() const;
    // The e-mail window; the print dialog opens it with the schedule report.
    email::TSendEmail* SendEmail() const { return sendEmail_; }
    // The customer tab's e-mail button: a message to the current customer.
    void SendEmailToClientClick();
    // The print dialog's e-mail button: the report chosen there as "schedule.pdf".
    void OpenScheduleEmail(int helpLevel, const reports::ChartPeriod& period, const QString& message);

    // The run's state, shared with the data services and read and written by
    // the dialogs.
    data::MainScreenState& State = session_.State;
    // The data module, its lock record and its whole-table operations; they
    // live as long as the window.
    data::TEstimateData& Data() { return *data_; }
    data::NetworkLock& Lock() { return *lock_; }
    data::TableOperations& Tables() { return *tables_; }
    schedule::ScheduleSync& Sync() { return *sync_; }
    // Every new schedule item enters the schedule here (see schedule::ScheduleAdder).
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item);
    data::UserInterface& Interface();
    schedule::HolidayList& Holidays = session_.Holidays;

    // The run's state by concern, window-free (app/startupstate.h), held by
    // the session.
    RunFlags& Flags = session_.Flags;
    RunSettings& Settings = session_.Settings;
    ChartState& Chart = session_.Chart;

    QColor FieldColour;
    QColor DialogFieldColour;
    // Window and dialog places as read at start-up; dialogs update theirs and
    // the shutdown writes them back.
    WindowLayout Layout;

    QTimer* Start = nullptr;             // 2 ms, armed by every showing
    QTimer* UpdatePoll = nullptr;        // 15 s, started by the schedule synchronisation
    QTimer* RemoveSpaceTimer = nullptr;  // 300 s after "Insert time": the insert is pushed

    // Blocks of time: the "Insert time" and "Remove time" buttons and the
    // insert's timer; the operation's states live in SlotOperations().
    void InsertSpaceClick();
    void RemoveSpaceClick();
    void RemoveSpaceTimerTimer();
    timeblocks::SlotOperations& SlotOperations() { return *slotOperations_; }
    tasks::TInsertSlot* InsertSlot() const { return insertSlot_.get(); }
    tasks::TRemoveSlot* RemoveSlot() const { return removeSlot_.get(); }

    void FormCreate();
    // The first showing of the program: the start-up runs with the window
    // still hidden, so that the password dialog, when the settings ask for
    // it, comes before the window, and the window appears once it is accepted.
    void ShowWhenStarted();
    void FormShow();
    void StartTimer();
    void FormClose();
    // The shutdown; does its work once per run.
    void FormDestroy();
    // The automatic backup of the shutdown, unless params.dbf SF3 is set (mainscreenutilities.cpp).
    void BackupAtExit();
    void FormResize();

    void RestoreWindowLayout();
    void LayoutMainWindow(bool scalePeriod);
    void ApplyColourScheme();
    void ApplyHelpLevel();
    void HelpClick();
    void TWDbManagementClick();
    void QMDbManagementClick();
    // Reports that a database did not open.
    void ReportDatabaseFailure(const QString& text);

    // The window's side of the start-up; the database work is StartupSequence's.
    void CloseAllTables();
    void ApplyReadOnlyAccess(bool readOnly) override;
    void OpenAllTables(bool rebuildAllowed);
    void SetChartDateRange(bool update, TDateTime start, TDateTime end);
    void RestrictCustomerClick();  // the customer tab's restriction to active customers
    void RefreshWorkCalendar();
    void RestoreSelection();
    // Prepares the page the user turns to.
    void TabControlChange();
    void KeepChartScale(double widthRatio);
    void SaveRunSettings(int page);
    bool UpdateAccessRecord(bool take);
    // The schedule synchronisation with the other workstations.
    bool PullChartUpdates(bool force);
    bool RemoveObsoleteTasks();
    // Takes in the other workstations' changes every 15 seconds.
    void UpdatePollTimer();
    void RecomputeAllTaskEnds();
    // The Visualize page's chart and the Add / Edit / Query tab.
    void SaveAndClearAllocations(bool recompute);
    void BuildChart(bool writeBack);
    // The Visualize page's Refresh and print buttons.
    void RefreshChartClick();
    void PrintPreviewButtonClick();
    // The print and preview dialog, made at its first opening.
    void OpenPrintPreview(int helpLevel, double spanDays, double gridInterval, double gridCount,
                          TDateTime chartStart, TDateTime chartEnd);
    reports::TPrintPreview* PrintPreview() const { return printPreview_; }
    // "Import Quillmark job", made at its first opening from the Add / Edit / Query page.
    void ImportFromQMClick();
    exchange::TImportQM* ImportQM() const { return importQM_.get(); }
    void ExportToQBClick();
    exchange::TExportJobToQB* ExportJobToQB() const { return exportJobToQB_.get(); }
    // "Import from QuickBooks", made at its first opening from the Add / Edit / Query page.
    void ImportFromQBClick();
    exchange::TImportQB* ImportQB() const { return importQB_.get(); }
    // A new sort choice rebuilds the chart in that order.
    void ChartSortByClick();
    void ApplyCustomerQuery() override;
    // The task editor, created with the window; EditTask opens it on the
    // current record of ChartsTable3 (a double click on a chart bar).
    tasks::TAddTask* TaskEditor() const { return taskEditor_.get(); }
    void EditTask(int jobStatus);
    void SetTaskEditorStatusTexts(const data::JobStatusTexts& texts);
    void ResourceDisplayClick();
    void LoadHolidays();
    void FillCalendarResourceList(bool allResources);
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(double resourceId);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainScreen(std::unique_ptr<AppSession> own, QWidget* parent);
    // What the start-up shows on the window (app/session/startupsequence.h).
    void ShowScheduleDatabaseInUse(const std::string& text) override;
    void ShowEstimatingDatabaseInUse(const std::string& text) override;
    void ShowDatabaseFailure(const std::string& text) override;
    void EndAfterDatabaseFailure() override;
    void AttachPages() override;
    void LayOut() override;
    void ShowChartPeriod(TDateTime start, TDateTime end) override;
    void ShowJobStatusTexts(const data::JobStatusTexts& texts) override;
    void ShowResourceCaptionMode(int mode) override;
    // What an import from Quillmark does on the window (app/quillmarkhost.h).
    std::int32_t CurrentResource() override;
    void RefreshCustomerViews() override;
    void SetCustomersLabel(const QString& caption) override;
    void EnableJobsNavigator() override;
    void UpdateSelectControls() override;
    bool ReadStartupNames();
    bool AskPassword();
    // Shows the window deferred by ShowWhenStarted, once.
    void ShowStartedWindow();
    void AttachWorkCalendar();
    void AttachVisualizePage();
    void CreateCustomerPage();
    void CreateUtilitiesPage();
    void CreateSetupDialog();
    // Saves what the customer page and the custom fields window show, and
    // closes that window and the photo dialog.
    void CloseCustomerDialogs();
    // The custom-field search opens from the Add / Edit / Query tab and
    // restricts what it shows.
    void ConnectCustomFieldsToQuery();
    void AttachQueryPage();
    void ConnectTabHandlers();
    void ConnectUpdatePoll();
    void CreateSendEmail();
    bool ShowsChartHints(const QWidget* widget) const;
    void ReleaseHeldLock();
    // Runs one step's table work; a failure of the engine reaches the user
    // as its own text in an "Error" box and the start-up goes on.
    template <typename Work>
    void Guarded(Work&& work)
    {
        try {
            work();
        } catch (const std::exception& e) {
            userInterface_->ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        }
    }

    std::unique_ptr<Ui::TMainScreen> ui;
    // The session's services, named as the pages' wiring uses them.
    data::TEstimateData* data_ = &session_.Data();
    std::unique_ptr<data::UserInterface> userInterface_;
    data::NetworkLock* lock_ = &session_.Lock();
    data::TableOperations* tables_ = &session_.Tables();
    schedule::ScheduleTables* scheduleTables_ = &session_.ScheduleTables();
    schedule::ScheduleSync* sync_ = &session_.Sync();
    schedule::CalendarTables* calendarTables_ = &session_.Calendars();
    schedule::ScheduleAdder* adder_ = &session_.Adder();
    std::unique_ptr<TabHandlers> tabHandlers_;
    std::unique_ptr<app::UpdatePoll> poll_;
    StartupSettingsTables* settingsTables_ = &session_.SettingsTables();
    StartupSequence startup_{session_, *this};
    TPassword* password_ = nullptr;
    TTWDatabaseSelection* scheduleNames_ = nullptr;
    TDatabaseSelection* estimatingNames_ = nullptr;
    TWorkCalendarPage* workCalendarPage_ = nullptr;
    TVisualizePage* visualizePage_ = nullptr;
    TCustomerPage* customerPage_ = nullptr;
    TQueryPage* queryPage_ = nullptr;
    TUtilitiesPage* utilitiesPage_ = nullptr;
    std::unique_ptr<UtilitiesWiring> utilities_;
    email::TSendEmail* sendEmail_ = nullptr;
    bool hintsShown_ = true;
    void CreateTaskEditor();
    void OpenEditChart();
    void ConnectTaskResources();
    std::unique_ptr<schedule::TaskResources> taskResources_;
    std::unique_ptr<tasks::TaskEditorContext> taskEditorContext_;
    // A window of its own, not a child: the main window's controls are
    // looked up by name, and the editor has a Help button too.
    std::unique_ptr<tasks::TAddTask> taskEditor_;
    std::unique_ptr<tasks::ReuseTasksContext> reuseTasksContext_;
    std::unique_ptr<tasks::TReuseTasks> reuseTasks_;
    std::unique_ptr<tasks::TEditChart> editChart_;
    reports::TPrintPreview* printPreview_ = nullptr;
    reports::TPageFormat* pageFormat_ = nullptr;
    std::shared_ptr<reports::ChartPages> chartPages_;
    void CreateSlotDialogs();
    void RebuildChartFromRecords();
    timeblocks::SlotServices SlotServices();
    std::unique_ptr<timeblocks::SlotOperations> slotOperations_;
    std::unique_ptr<tasks::TInsertSlot> insertSlot_;
    std::unique_ptr<tasks::TRemoveSlot> removeSlot_;
    std::unique_ptr<exchange::quillmark::QuillmarkTables> quillmarkTables_;
    std::unique_ptr<QuillmarkHost> quillmarkHost_;
    std::unique_ptr<exchange::TImportQM> importQM_;
    std::unique_ptr<QbExportHost> exportHost_;
    std::unique_ptr<exchange::TExportJobToQB> exportJobToQB_;
    std::unique_ptr<QuickBooksImportHost> importQBHost_;
    std::unique_ptr<exchange::TImportQB> importQB_;
    bool showWhenStarted_ = false;
    bool showingAfterStart_ = false;
};

}  // namespace tw::app
