#pragma once
// The main window's side of the start-up as a feature unit: what the Start
// timer runs (the installer's values and the database names, the databases
// through StartupSequence, the password, the schedule brought in step, the
// selection restored at the end), what the start-up and the Utilities page's
// restore show on the pages, the lines naming the databases in use with the
// buttons that open their dialogs, and the shutdown's work on the tables. The
// few steps that belong to the window itself go through StartupHost.
//
//   StartupFeature startup(context, units, window, places);
//   startup.Prepare();   // the run's state before the first showing
//   ...
//   startup.Run();       // from the Start timer, at every showing
//   ...
//   startup.Shutdown(page, backup);   // once the window's dialogs are closed

#include "app/databasedialoghost.h"
#include "app/features/featurecontext.h"
#include "settings/unit/tablereopener.h"
#include "settings/unit/utilitiesfeature.h"
#include "app/session/startupsequence.h"

#include <string>

class QLineEdit;
class QTimer;

namespace tw::controls {
class TFcControl;
}

namespace tw::app {

class Appearance;
class CalendarPages;
class ChartPage;
class ChartSettings;
class CustomerDialogs;
class ExitBackup;
class PageTurns;
class QueryFilters;
class QueryScreens;
class TDatabaseSelection;
class TMainPageControl;
class TaskEditing;
class TPassword;
class TTWDatabaseSelection;

// What the start-up asks of the main window itself.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    // Shows the window the first showing held back, once.
    virtual void ShowStartedWindow() = 0;
    // Closes the window after a failure; a window never shown ends the program.
    virtual void EndRun() = 0;
    // The window's size, once the settings are read.
    virtual void LayOutWindow() = 0;
    // The window's place, written back by the shutdown.
    virtual void SaveWindowLayout() = 0;
};

// The places the start-up fills or starts on the main window.
struct StartupPlaces {
    TMainPageControl* Tabs = nullptr;
    QTimer* Poll = nullptr;  // the 15-second update poll
    QLineEdit* ScheduleInUse = nullptr;
    QLineEdit* EstimatingInUse = nullptr;
    controls::TFcControl* ScheduleNamesButton = nullptr;  // the "Management" buttons beside them
    controls::TFcControl* EstimatingNamesButton = nullptr;
};

// The units whose pages the start-up fills and the shutdown reads.
struct StartupUnits {
    CalendarPages& Calendar;
    ChartPage& Chart;
    ChartSettings& Settings;
    QueryScreens& Query;
    QueryFilters& Filters;
    CustomerDialogs& Customers;
    TaskEditing& Editor;
    Appearance& Look;
    PageTurns& Pages;
};

class StartupFeature final : public StartupWindow,
                             public UtilitiesWindow,
                             public TableReopener,
                             public DatabaseDialogHost {
public:
    StartupFeature(const FeatureContext& context, const StartupUnits& units, StartupHost& host,
                   const StartupPlaces& places);

    // The run's state as the first showing finds it.
    void Prepare();
    // The dialog the start-up shows when the settings ask for a password.
    void SetPasswordDialog(TPassword* password);
    // The dialogs that change the database names; created once by the entry point.
    void SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames, TDatabaseSelection* estimatingNames);
    // One showing: the whole start-up at the first, the password at the others.
    void Run();
    // What the database-name dialogs ask (DatabaseDialogHost).
    void OpenAllTables(bool rebuildAllowed) override;
    QColor DialogFieldColour() const override;
    void ShowSwitchedCalendars() override;
    // True once the start-up is done, unless the run ends without saving.
    bool ShutdownDue() const;
    // The chart written back, the page, customer, schedule item and resource
    // shown kept for the next start, the tables closed, the backup at exit,
    // the lock record given back; page: the page shown.
    void Shutdown(int page, ExitBackup& backup);
    // Reports that a database did not open.
    void ReportDatabaseFailure(const QString& text);
    StartupSequence& Sequence() { return sequence_; }

    // What the start-up and the Utilities page show (StartupWindow, UtilitiesWindow);
    // the tables reopened for the Utilities unit's hosts (TableReopener).
    void ShowScheduleDatabaseInUse(const std::string& text) override;
    void ShowEstimatingDatabaseInUse(const std::string& text) override;
    void ShowDatabaseFailure(const std::string& text) override;
    void EndAfterDatabaseFailure() override;
    void ApplyReadOnlyAccess(bool readOnly) override;
    void AttachPages() override;
    void LayOut() override;
    void ShowChartPeriod(TDateTime start, TDateTime end) override;
    void ShowJobStatusTexts(const data::JobStatusTexts& texts) override;
    void ShowResourceCaptionMode(int mode) override;
    void ReopenAllTables() override { OpenAllTables(false); }
    void RefreshWorkCalendar() override;
    void ApplyHelpLevel() override;
    bool AskPassword() override;

private:
    bool ReadStartupNames();
    void RestoreSelection();
    void SaveRunSettings(int page);

    FeatureContext context_;
    StartupUnits units_;
    StartupHost& host_;
    StartupPlaces places_;
    StartupSequence sequence_;
    TPassword* password_ = nullptr;
    TTWDatabaseSelection* scheduleNames_ = nullptr;
    TDatabaseSelection* estimatingNames_ = nullptr;
    std::string chartCorrection_;  // of the saved chart period, shown when the start-up ends
};

}  // namespace tw::app
