#pragma once
// The main window: six tab pages over a three-panel status bar, the start-up
// sequence that runs from its Start timer once the window is shown, and the
// shutdown that runs when it closes.
//
// The window is created before any database is open, so its construction
// touches no table; every database step runs in StartTimer. Steps whose work
// belongs to the data module, the scheduling core or a tab not built yet are
// members of their own that do nothing so far; the sequence calls them in
// their place so that each lands without reordering the start-up.
//
// Status bar panels: 0 the action or its result, 1 the table, description or
// mode, 2 a length or a second text.

#include "app/startupsettings.h"
#include "app/windowlayout.h"
#include "platform/datetime/datetime.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

#include <memory>

namespace Ui {
class TMainScreen;
}

class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace tw::app {

class TDatabaseSelection;
class TPassword;
class TTWDatabaseSelection;
class TWin7Advice;
class TWorkCalendarPage;

class TMainScreen : public QMainWindow {
    Q_OBJECT
public:
    // Pages of TabControl by index; the index is what the settings keep.
    enum Page { CustomerTabPage, SelectPage, SchedulePage, CalendarPage, MyCompanyPage, UtilitiesPage };

    explicit TMainScreen(QWidget* parent = nullptr);
    ~TMainScreen() override;

    // The dialogs the start-up shows; created once by the entry point.
    void SetDialogs(TPassword* password, TWin7Advice* advice);
    // The database-name dialogs of the Utilities page; created once by the entry point.
    void SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames, TDatabaseSelection* estimatingNames);

    QTabWidget* TabControl() const;
    // The Visualize page's place for the resource allocation chart.
    QWidget* RACContainer() const;
    // The Work calendar page; the data module attaches its tables to it.
    TWorkCalendarPage* WorkCalendarPage() const { return workCalendarPage_; }
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    // The Utilities page's names of the two databases in use.
    QLineEdit* TWDatabaseInUse() const;
    QLineEdit* QMDatabaseInUse() const;

    // Run state read and written by the dialogs.
    bool SelectionReady = false;     // the start-up has restored the saved view
    bool StartupDone = false;        // settings loaded; cleared by the shutdown
    bool QuitWithoutSaving = false;  // ending after the one-copy test or a refused password
    bool FirstRun = false;           // first run after installation
    bool OldWindows = true;          // no settings redirection or elevation (always, on Linux)
    bool UserIsAdmin = true;         // no elevation on Linux: every user counts as one
    bool TablesOpen = false;
    bool TablesBusy = false;  // tables are being opened, closed or rewritten
    bool PasswordRequired = false;
    bool PasswordAccepted = false;
    bool NoAutoBackup = false;
    int HelpLevel = 0;  // 0 hints on, 1 hints off
    int HintMode = 0;
    bool HintDetail = true;
    QString ScheduleAlias;
    QString EstimatorAlias;
    QString ScheduleFolder;
    QString EstimatorFolder;
    int WorkCalendarMode = 0;   // 0 one calendar for all resources, else one per resource
    int CurrentResourceId = 0;  // the resource whose calendar is shown
    QString ProgramFolder;
    InstallPaths FirstRunPaths;  // the installer's folders, read on a first run
    TDateTime StartMoment = 0;
    QColor FieldColour;
    QColor DialogFieldColour;
    bool TasksGridAutoWidth = true;
    double LastLayoutWidth = 0;
    // Window and dialog places as read at start-up; dialogs update theirs and
    // the shutdown writes them back.
    WindowLayout Layout;

    QTimer* Start = nullptr;       // 2 ms, armed by every showing
    QTimer* UpdatePoll = nullptr;  // 15 s, started by the schedule synchronisation

    void FormCreate();
    void FormShow();
    void StartTimer();
    void FormClose();
    // The shutdown; does its work once per run.
    void FormDestroy();
    void FormResize();

    void RestoreWindowLayout();
    void LayoutMainWindow(bool scalePeriod);
    void ApplyColourScheme();
    void ApplyHelpLevel();
    void HelpClick();
    void TWDbManagementClick();
    void QMDbManagementClick();
    // Reports that a database did not open: the advice to restart as an
    // administrator for a user who is not one, the plain message otherwise.
    void ReportDatabaseFailure(const QString& text);

    // Steps that join with the data module, the scheduling core and the tabs.
    // True once the database names of a first run exist; until then the
    // installation is not marked completed, so the next start tries again.
    bool CreateFirstRunAliases() { return false; }
    void ShowDatabaseNames() {}
    void CloseAllTables() {}
    bool OpenScheduleDatabase() { return true; }
    bool OpenEstimatorDatabase() { return true; }
    bool OpenParametersDatabase() { return true; }
    void ReadDatabaseFolders() {}
    void CheckParamsTable() {}
    void ReadFirstSettings() {}
    void OpenAllTables(bool /*checkTables*/) {}
    void ShowHelpLevelInSetup() {}
    void RestoreChartPeriod() {}
    void ReadSelectionSettings() {}
    void ReadPasswordSetting() {}
    void ReindexWhenDue() {}
    void ReadBackupSettings() {}
    void ReadJobStatusTexts() {}
    void ReadPageFormat() {}
    void SetUpBackupFolders() {}
    void ShowBackupFolder() {}
    void ReadQuickBooksSettings() {}
    void SynchroniseSchedule() {}
    void RestrictCustomerClick() {}
    void RefreshWorkCalendar() {}
    void ReadEmailSettings() {}
    void RestoreSelection() {}
    void TabControlChange() {}
    void KeepChartScale(double /*widthRatio*/) {}
    void SaveRunSettings(int /*page*/) {}
    void BackupDatabase(bool /*atExit*/) {}
    bool UpdateAccessRecord(bool /*take*/) { return true; }
    bool PullChartUpdates(bool /*force*/) { return false; }
    void LoadHolidays();
    void FillCalendarResourceList(bool allResources);
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(double resourceId);
    // The database names live in one file per user that every copy reads
    // and writes directly; there is no redirected per-user copy to bring in
    // line after a save, so this has nothing to do.
    bool SyncBdeConfigFile() { return true; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ReadStartupNames();
    bool AskPassword();
    void EndAfterDatabaseFailure();

    std::unique_ptr<Ui::TMainScreen> ui;
    QLabel* statusPanels_[3] = {};
    TPassword* password_ = nullptr;
    TWin7Advice* advice_ = nullptr;
    TTWDatabaseSelection* scheduleNames_ = nullptr;
    TDatabaseSelection* estimatingNames_ = nullptr;
    TWorkCalendarPage* workCalendarPage_ = nullptr;
    bool hintsShown_ = true;
};

}  // namespace tw::app
