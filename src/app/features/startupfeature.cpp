#include "app/features/startupfeature.h"

#include "app/appservices.h"
#include "app/databaseselection.h"
#include "app/features/appearanceunit.h"
#include "customers/unit/customerunit.h"
#include "app/features/pagecontrolunit.h"
#include "query/unit/queryunit.h"
#include "tasks/unit/taskeditorunit.h"
#include "settings/unit/utilitiesunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "app/mainpagecontrol.h"
#include "app/password.h"
#include "app/programfolder.h"
#include "controls/base/fccontrol.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/busyscopes.h"
#include "platform/registry/registry.h"

#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <exception>

namespace tw::app {

StartupFeature::StartupFeature(const FeatureContext& context, const StartupUnits& units, StartupHost& host,
                               const StartupPlaces& places)
    : context_(context),
      units_(units),
      host_(host),
      places_(places),
      sequence_(context.Session, *this)
{
    const data::MainScreenState& state = context.Session.State;
    QObject::connect(places.ScheduleNamesButton, &controls::TFcControl::clicked, &context.Window,
                     [this, &state] {
                         if (scheduleNames_)
                             scheduleNames_->Execute(state.HelpLevel);
                     });
    QObject::connect(places.EstimatingNamesButton, &controls::TFcControl::clicked, &context.Window,
                     [this, &state] {
                         if (estimatingNames_)
                             estimatingNames_->Open(state.HelpLevel);
                     });
}

void StartupFeature::SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames,
                                        TDatabaseSelection* estimatingNames)
{
    scheduleNames_ = scheduleNames;
    estimatingNames_ = estimatingNames;
}

void StartupFeature::Prepare()
{
    data::MainScreenState& state = context_.Session.State;
    RunFlags& flags = context_.Session.Flags;
    state.SelectionReady = false;
    state.HintDetail = true;
    state.SharedTablesUsable = true;
    state.TablesOpen = flags.PasswordAccepted = state.QuitWithoutSaving = state.StartupDone = false;
    state.UpdateCounter = data::kInitialUpdateCounter;
    flags.StartMoment = tw::Now();
    state.ProgramFolder = DefaultProgramFolder();
}

void StartupFeature::SetPasswordDialog(TPassword* password)
{
    password_ = password;
    if (password_) {
        AppSession& session = context_.Session;
        password_->SetStoredPasswordSource([&session] { return session.SettingsTables().StoredPassword(); });
    }
}

void StartupFeature::Run()
{
    data::MainScreenState& state = context_.Session.State;
    if (IsAnotherInstanceRunning()) {
        state.QuitWithoutSaving = true;
        TerminateApplication();
        return;
    }
    state.FirstRun = false;

    if (state.StartupDone) {
        context_.Window.showNormal();
    } else {
        data::BusyScope hourglass(context_.UI);
        if (!ReadStartupNames() || !sequence_.OpenDatabases())
            return;
    }

    // Every showing from here on.
    if (context_.Session.Flags.PasswordRequired && !AskPassword()) {
        state.QuitWithoutSaving = true;
        context_.Session.Tables().CloseAllTables();
        TerminateApplication();
        return;
    }
    host_.ShowStartedWindow();
    if (state.TablesOpen) {
        if (sequence_.SynchroniseSchedule())
            places_.Poll->start();
        units_.Customers.RestrictCustomerClick();
        RefreshWorkCalendar();
    }
    sequence_.ReadEmailSettings();
    if (state.TablesOpen)
        RestoreSelection();
    state.SelectionReady = true;
    units_.Pages.TabControlChange();
    if (!chartCorrection_.empty()) {
        context_.UI.SetStatusText(0, chartCorrection_);
        context_.UI.RepaintStatus();
        chartCorrection_.clear();
    }
}

// The installer's values on a fresh machine, the first-run marker and the two
// database names. False when the settings file cannot be written; the program
// has ended then.
bool StartupFeature::ReadStartupNames()
{
    data::MainScreenState& state = context_.Session.State;
    try {
        registry::TRegistry reg;
        WriteInstallDefaults(reg, state.ProgramFolder);
        InstallHelpPages(QString::fromStdString(state.ProgramFolder));
        const StartupRegistry names = ReadStartupRegistry(reg);
        state.FirstRun = names.FirstRun;
        state.ScheduleAlias = names.ScheduleAlias;
        state.EstimatorAlias = names.EstimatorAlias;
        if (state.FirstRun && names.VersionKeyOpen) {
            context_.Session.Settings.FirstRunPaths = names.Paths;
            if (sequence_.CreateFirstRunAliases())
                MarkInstallationCompleted(reg);
        }
        return true;
    } catch (const std::exception& e) {
        ShowMessageBox(&context_.Window, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"),
                       MessageIcon::Stop, MessageModality::Application);
        EndAfterDatabaseFailure();
        return false;
    }
}

bool StartupFeature::AskPassword()
{
    RunFlags& flags = context_.Session.Flags;
    flags.PasswordAccepted = false;
    flags.PasswordAccepted = password_ && password_->exec() == QDialog::Accepted;
    return flags.PasswordAccepted;
}

void StartupFeature::ReportDatabaseFailure(const QString& text)
{
    // Linux has no administrator elevation that would change the outcome:
    // the failure is always named, never answered with advice to restart.
    ShowMessageBox(&context_.Window, text, QStringLiteral("Error"), MessageIcon::Stop,
                   MessageModality::Application);
}

void StartupFeature::ShowDatabaseFailure(const std::string& text)
{
    ReportDatabaseFailure(QString::fromStdString(text));
}

void StartupFeature::EndAfterDatabaseFailure()
{
    context_.Session.Tables().CloseAllTables();
    host_.EndRun();
}

void StartupFeature::ApplyReadOnlyAccess(bool readOnly)
{
    // The controls that change data; those not on the window yet join as
    // their tabs are built.
    static const char* const kReadOnlyControls[] = {
        "Reverse",          "UseAlt",          "PhotoPanel",     "Copy",
        "ShowJobsOnly",     "ImportFromQB",    "ImportFromQM",   "ExportToQB",
        "ReIndexDb",        "EmptyDatabase",   "Restore",        "HoursPanel",
        "WorkingDaysPanel", "HolidaysPanel",   "MyCompanyPanel", "TaskControls",
        "MarkAllActive",    "MarkAllInactive", "ResourceList",   "CalendarOk",
        "Create247",        "InsertSpace",     "RemoveSpace",    "SetDependencies",
        "ChartManagement",
    };
    for (const char* name : kReadOnlyControls) {
        if (QWidget* control = context_.Window.findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(!readOnly);
    }
    units_.Settings.ApplyReadOnlyAccess(readOnly);
    units_.Query.ApplyReadOnlyAccess(readOnly);
}

void StartupFeature::OpenAllTables(bool rebuildAllowed)
{
    ShowingErrors(context_.UI, [&] { context_.Session.Tables().OpenAllTables(rebuildAllowed); });
    AttachPages();
}

QColor StartupFeature::DialogFieldColour() const
{
    return units_.Look.DialogFieldColour();
}

void StartupFeature::ShowSwitchedCalendars()
{
    const data::MainScreenState& state = context_.Session.State;
    units_.Calendar.LoadHolidays();
    if (state.WorkCalendarMode == 0)
        units_.Calendar.ShowCalendarOf(true, 0);
    else
        units_.Calendar.ShowCalendarOf(false, state.CurrentResourceId);
}

void StartupFeature::AttachPages()
{
    units_.Calendar.Attach();
    units_.Chart.Attach();
    units_.Query.Attach();
}

void StartupFeature::ShowScheduleDatabaseInUse(const std::string& text)
{
    places_.ScheduleInUse->setText(QString::fromStdString(text));
}

void StartupFeature::ShowEstimatingDatabaseInUse(const std::string& text)
{
    places_.EstimatingInUse->setText(QString::fromStdString(text));
}

void StartupFeature::LayOut()
{
    host_.LayOutWindow();
    ApplyHelpLevel();
}

void StartupFeature::ApplyHelpLevel()
{
    units_.Look.ApplyHelpLevel();
}

void StartupFeature::ShowChartPeriod(TDateTime start, TDateTime end)
{
    // The session keeps the period as the chart holds it, corrected or not;
    // a correction is said again once the start-up has written its own lines.
    if (const char* correction = units_.Settings.SetChartDateRange(true, start, end))
        chartCorrection_ = correction;
}

void StartupFeature::ShowJobStatusTexts(const data::JobStatusTexts& texts)
{
    units_.Settings.SetJobStatusTexts(texts);
    units_.Query.ShowJobStatusTexts(texts);
    units_.Editor.SetStatusTexts(texts);
}

void StartupFeature::ShowResourceCaptionMode(int mode)
{
    units_.Settings.ShowResourceCaptionMode(mode);
}

void StartupFeature::RefreshWorkCalendar()
{
    sequence_.ReadWorkCalendarMode();
    units_.Calendar.Refresh();
}

void StartupFeature::RestoreSelection()
{
    AppSession& s = context_.Session;
    data::TEstimateData& d = s.Data();
    bool emptyDatabase = false;
    ShowingErrors(context_.UI, [&] {
        s.SettingsTables().ReadCompanyName();
        s.SettingsTables().ReadSortChoice();
        units_.Settings.SetSortChoice(s.Chart.ChartSortBy);
        s.Chart.SortChoiceRestored = true;
        emptyDatabase = d.CustomersTable.isEmpty() && d.JobsTable.isEmpty() && d.ChartsTable.isEmpty();
        if (emptyDatabase)
            context_.Window.setWindowTitle(QStringLiteral("Tarnwick"));
    });

    const int page = s.Settings.SavedPage >= CustomerTabPage && s.Settings.SavedPage <= MyCompanyPage
        ? s.Settings.SavedPage
        : UtilitiesPage;
    if (page == SchedulePage)
        s.State.ChartRefreshNeeded = true;
    places_.Tabs->setCurrentIndex(page);

    ShowingErrors(context_.UI, [&] {
        if (!d.CustomersTable.locate("CID", db::Value(double(s.Settings.SavedCustomerId))))
            d.CustomersTable.first();
        data::BusyScope busy(s.State);
        const bool found = d.CrewsTable.locate("CREWID", db::Value(double(s.State.CurrentResourceId)));
        if (!found)
            d.CrewsTable.first();
    });
    units_.Filters.ApplyCustomerQuery();
    ShowingErrors(context_.UI,
                  [&] { data::LocateScheduleItem(d.ChartsTable, s.Settings.SavedScheduleItemId); });
    units_.Query.ResourceDisplayClick();
    if (emptyDatabase)
        units_.Query.ShowEmptyDatabase();
    // The chart of a start on the Visualize page is built once, by the page
    // change that ends the start-up (Run), not here as well.
}

bool StartupFeature::ShutdownDue() const
{
    const data::MainScreenState& state = context_.Session.State;
    return state.StartupDone && !state.QuitWithoutSaving;
}

void StartupFeature::Shutdown(int page, ExitBackup& backup)
{
    AppSession& s = context_.Session;
    data::BusyScope hourglass(context_.UI);
    if (s.State.TablesOpen) {
        units_.Chart.SaveAndClearAllocations(true);
        s.State.StartupDone = false;
        SaveRunSettings(page);
        host_.SaveWindowLayout();
    }
    s.Tables().CloseAllTables();
    backup.BackupAtExit(s.Flags.NoAutoBackup);
    s.ReleaseHeldLock();
    // Closing the window and destroying it both come here; without open
    // tables nothing above cleared the flag, and a second pass would run the
    // shutdown twice.
    s.State.StartupDone = false;
}

void StartupFeature::SaveRunSettings(int page)
{
    data::TEstimateData& d = context_.Session.Data();
    const char* itemKey = data::ScheduleItemFieldName(&data::ScheduleItemRecord::CHARTSID);
    ShowingErrors(context_.UI, [&] {
        context_.Session.SettingsTables().SaveRunSettings(page, CurrentKey(d.CustomersTable, "CID"),
                                                          CurrentKey(d.ChartsTable, itemKey),
                                                          CurrentKey(d.CrewsTable, "CREWID"));
    });
}

}  // namespace tw::app
