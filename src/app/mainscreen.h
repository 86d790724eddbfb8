#pragma once
// The main window: six tab pages over a three-panel status bar, the start-up
// sequence that runs from its Start timer once the window is shown, and the
// shutdown that runs when it closes.
//
// The window works on an AppSession (the data module, the lock record, the
// synchronisation, the run's state); it is created before any database is
// open, so its construction touches no table, and every database step runs in
// StartTimer. Each page and dialog family is a feature unit of its own
// (app/features/): the window lays the pages out and hands each to its unit;
// the units reach each other through MainFeatures.
//
// Adding a page or dialog: write its unit in app/features/ and make it in
// CreateFeatures next to the others. The shutdown closes every window the
// main window owns (CloseDialogs); a window of its own, without a parent,
// is closed there by its unit.
//
// Status bar panels: 0 the action or its result, 1 the table, description or
// mode, 2 a length or a second text.

#include "app/features/featurecontext.h"
#include "app/features/utilitiesfeature.h"
#include "app/mainpagecontrol.h"
#include "app/session/appsession.h"
#include "app/session/startupsequence.h"
#include "app/startupstate.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"
#include "app/windowlayout.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/status/fcstatusbar.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "platform/datetime/datetime.h"
#include "schedule/sync/addtask.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"
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
class TPrintPreview;
}  // namespace tw::reports

namespace tw::email {
class TSendEmail;
}

namespace tw::controls {
class TFcBalloonHints;
}

namespace tw::settings {
class TQMSetup;
}

namespace tw::exchange {
class TExportJobToQB;
class TImportQB;
class TImportQM;
}  // namespace tw::exchange

namespace tw::app {

class TCustomerPage;
class TDatabaseSelection;
class TPassword;
class TTWDatabaseSelection;
class TUtilitiesPage;
class TVisualizePage;
class TWorkCalendarPage;

class TMainScreen : public QMainWindow, private StartupWindow, private UtilitiesWindow {
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
    // The pages and dialogs of the feature units, for the entry point and tests.
    TWorkCalendarPage* WorkCalendarPage() const { return workCalendarPage_; }
    TVisualizePage* VisualizePage() const { return visualizePage_; }
    TCustomerPage* CustomerPage() const { return customerPage_; }
    TQueryPage* QueryPage() const { return queryPage_; }
    TUtilitiesPage* UtilitiesTabPage() const { return utilities_->Page(); }
    tasks::TAddTask* TaskEditor() const { return taskEditor_; }
    reports::TPrintPreview* PrintPreview() const;
    email::TSendEmail* SendEmail() const;
    timeblocks::SlotOperations& SlotOperations();
    tasks::TInsertSlot* InsertSlot() const;
    tasks::TRemoveSlot* RemoveSlot() const;
    // The exchange windows once opened from the Add / Edit / Query page, else null.
    exchange::TImportQM* ImportQM() const;
    exchange::TExportJobToQB* ExportJobToQB() const;
    exchange::TImportQB* ImportQB() const;
    // The Add / Edit / Query tab's "Custom fields" buttons of tasks and resources.
    void TasksCustomFieldsClick();
    void CrewsCustomFieldsClick();
    // The setup dialog, made once with the Utilities page.
    settings::TQMSetup& SetupDialog() { return utilities_->SetupDialog(); }
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    // The Utilities page's names of the two databases in use.
    QLineEdit* TWDatabaseInUse() const;
    QLineEdit* QMDatabaseInUse() const;
    // The customer tab's e-mail button: a message to the current customer.
    void SendEmailToClientClick();

    data::TEstimateData& Data() { return *data_; }
    // Every new schedule item enters the schedule here (see schedule::ScheduleAdder).
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item);
    data::UserInterface& Interface();

    // The colour of entry fields, and the one the dialogs take from it.
    void SetFieldColour(const QColor& colour) { fieldColour_ = colour; }
    QColor FieldColour() const { return fieldColour_; }
    QColor DialogFieldColour() const { return dialogFieldColour_; }
    // Window and dialog places as read at start-up; dialogs update theirs and
    // the shutdown writes them back.
    WindowLayout& Layout() { return layout_; }
    QTimer* StartClock() const { return start_; }              // 2 ms, armed by every showing
    QTimer* PollClock() const { return updatePoll_; }          // 15 s, started by the schedule synchronisation
    QTimer* RemoveSpaceClock() const { return removeSpace_; }  // 300 s after "Insert time": the insert is pushed

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
    // The automatic backup of the shutdown, unless params.dbf SF3 is set.
    void BackupAtExit();
    void FormResize();

    void RestoreWindowLayout();
    void LayoutMainWindow(bool scalePeriod);
    void ApplyColourScheme();
    // The hints' caption width and hide pause by help level and chart hint
    // mode; level 1 silences every hint of the window but the chart's.
    void ApplyHelpLevel() override;
    // Every hint of the program shows as a balloon through this component.
    controls::TFcBalloonHints* BalloonHints() const { return FcBalloonHints; }
    void HelpClick();
    void TWDbManagementClick();
    void QMDbManagementClick();
    // Reports that a database did not open.
    void ReportDatabaseFailure(const QString& text);

    // The window's side of the start-up; the database work is StartupSequence's.
    void CloseAllTables();
    void ApplyReadOnlyAccess(bool readOnly) override;
    void OpenAllTables(bool rebuildAllowed);
    void ReopenAllTables() override { OpenAllTables(false); }
    void SetChartDateRange(bool update, TDateTime start, TDateTime end);
    void RefreshWorkCalendar() override;
    void TabControlChange();
    bool UpdateAccessRecord(bool take);
    // The schedule synchronisation with the other workstations.
    bool PullChartUpdates(bool force);
    bool RemoveObsoleteTasks();
    // Takes in the other workstations' changes every 15 seconds.
    void UpdatePollTimer();
    void RecomputeAllTaskEnds();
    // The Visualize page's chart.
    void SaveAndClearAllocations(bool recompute);
    void BuildChart(bool writeBack);
    void PrintPreviewButtonClick();
    // The print and preview dialog on a chart period.
    void OpenPrintPreview(int helpLevel, double spanDays, double gridInterval, double gridCount,
                          TDateTime chartStart, TDateTime chartEnd);
    void ApplyCustomerQuery();
    // The Work calendar page's list of calendars, its choice and the calendar shown.
    void LoadHolidays();
    void FillCalendarResourceList(bool allResources);
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(double resourceId);
    void RemoveSpaceTimerTimer();

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
    bool ReadStartupNames();
    bool AskPassword() override;
    // Shows the window deferred by ShowWhenStarted, once.
    void ShowStartedWindow();
    void CreateFeatures();
    void CreateStatusBar();
    void CreateTimers();
    // Closes every dialog and window the pages opened, saving what they show.
    void CloseDialogs();
    void ConnectUpdatePoll();
    void RestrictCustomerClick();
    void RestoreSelection();
    void SaveRunSettings(int page);
    void KeepChartScale(double widthRatio);
    void ChartSortByClick();
    bool ShowsChartHints(const QWidget* widget) const;
    void ReleaseHeldLock();
    // Runs one step's table work; a failure of the engine reaches the user
    // as its own text in an "Error" box and the start-up goes on.
    template <typename Work>
    void Guarded(Work&& work)
    {
        ShowingErrors(*userInterface_, std::forward<Work>(work));
    }

    // The run's state, held by the session (app/startupstate.h), named as the
    // pages' wiring uses it.
    data::MainScreenState& State = session_.State;
    RunFlags& Flags = session_.Flags;
    RunSettings& Settings = session_.Settings;
    ChartState& Chart = session_.Chart;
    WindowLayout layout_;
    QColor fieldColour_;
    QColor dialogFieldColour_;
    QTimer* start_ = nullptr;
    QTimer* updatePoll_ = nullptr;
    QTimer* removeSpace_ = nullptr;

    std::unique_ptr<Ui::TMainScreen> ui;
    // The session's services, named as the pages' wiring uses them.
    data::TEstimateData* data_ = &session_.Data();
    std::unique_ptr<data::UserInterface> userInterface_;
    data::TableOperations* tables_ = &session_.Tables();
    schedule::CalendarTables* calendarTables_ = &session_.Calendars();
    schedule::ScheduleAdder* adder_ = &session_.Adder();
    StartupSequence startup_{session_, *this};
    FeatureContext context_{session_, *userInterface_, layout_, *this};
    // The feature units, one per page or dialog family; each knows the others
    // through features_.
    MainFeatures features_;
    std::unique_ptr<TaskEditorFeature> editor_;
    std::unique_ptr<WorkCalendarFeature> calendar_;
    std::unique_ptr<VisualizeFeature> visualize_;
    std::unique_ptr<CustomerFeature> customers_;
    std::unique_ptr<TimeBlocksFeature> timeBlocks_;
    std::unique_ptr<PrintingFeature> printing_;
    std::unique_ptr<EmailFeature> email_;
    std::unique_ptr<ExchangeFeature> exchange_;
    std::unique_ptr<QueryFeature> query_;
    std::unique_ptr<PageControl> pages_;
    std::unique_ptr<app::UpdatePoll> poll_;
    TPassword* password_ = nullptr;
    TTWDatabaseSelection* scheduleNames_ = nullptr;
    TDatabaseSelection* estimatingNames_ = nullptr;
    TWorkCalendarPage* workCalendarPage_ = nullptr;
    TVisualizePage* visualizePage_ = nullptr;
    TCustomerPage* customerPage_ = nullptr;
    TQueryPage* queryPage_ = nullptr;
    std::unique_ptr<UtilitiesFeature> utilities_;
    tasks::TAddTask* taskEditor_ = nullptr;
    bool hintsShown_ = true;
    controls::TFcBalloonHints* FcBalloonHints = nullptr;
    bool showWhenStarted_ = false;
    bool showingAfterStart_ = false;
};

}  // namespace tw::app
