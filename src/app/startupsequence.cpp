// The steps of the start-up sequence that read and write the settings tables,
// and the settings the shutdown stores. StartTimer (mainscreen.cpp) runs them
// in order; each one reads what its part of the program needs and leaves the
// rest alone, so that a step whose table did not open does no harm.

#include "app/appservices.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "app/workcalendarpage.h"
#include "data/services/busyscopes.h"
#include "data/services/tablecreation.h"
#include "platform/db/database.h"
#include "chart/resourceallocationchart.h"
#include "schedule/sync/chartsconversion.h"
#include "schedule/sync/resourceoverlap.h"
#include "schedule/visualize/calendarhooks.h"
#include "schedule/visualize/visualizecontext.h"
#include "ui_mainscreen.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>

namespace tw::app {

namespace {

constexpr const char* kProgramFolderAlias = "TWUXData";
constexpr const char* kRestoreFolderAlias = "TWDbRs";

bool DatabaseOpens(const db::Database& database)
{
    try {
        database.folder();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CreateFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
}

}  // namespace

bool TMainScreen::CreateFirstRunAliases()
{
    db::AliasConfig& aliases = data_->Aliases;
    // Each name is saved at once, so that a name made before a later one
    // fails is kept.
    const auto pointAlias = [&aliases](const std::string& alias, const std::string& folder) {
        if (!aliases.AliasExists(alias))
            aliases.AddStandardAlias(alias, folder);
        else
            aliases.ModifyAlias(alias, {"PATH=" + folder});
        aliases.Save();
    };
    try {
        pointAlias(kProgramFolderAlias, Settings.FirstRunPaths.ProgramFiles);
        pointAlias(kRestoreFolderAlias, Settings.FirstRunPaths.Restore);
        State.RestoreFolder = Settings.FirstRunPaths.Restore;
        CreateFolder(State.RestoreFolder);
        pointAlias(State.ScheduleAlias, Settings.FirstRunPaths.Database);
        // The installer made the schedule database's folder; here the first run does.
        CreateFolder(Settings.FirstRunPaths.Database);
        return true;
    } catch (const std::exception& e) {
        userInterface_->ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        return false;
    }
}

void TMainScreen::ShowDatabaseNames()
{
    ui->QMDatabaseInUse->setText(QString::fromStdString(State.EstimatorAlias));
    ui->TWDatabaseInUse->setText(QString::fromStdString(State.ScheduleAlias));
}

void TMainScreen::CloseAllTables()
{
    tables_->CloseAllTables();
}

bool TMainScreen::OpenScheduleDatabase()
{
    data_->SchedulerDatabase.setAliasName(State.ScheduleAlias);
    return DatabaseOpens(data_->SchedulerDatabase);
}

bool TMainScreen::OpenEstimatorDatabase()
{
    data_->EstimatorDatabase.setAliasName(State.EstimatorAlias);
    const bool opened = DatabaseOpens(data_->EstimatorDatabase);
    // A name without a folder leaves the Quillmark tables closed.
    State.EstimatorFolder.clear();
    if (opened)
        State.EstimatorFolder = data_->EstimatorDatabase.folder();
    ui->QMDatabaseInUse->setText(QString::fromStdString(State.EstimatorAlias + ": " + State.EstimatorFolder));
    return opened;
}

bool TMainScreen::OpenParametersDatabase()
{
    data_->ParametersDatabase.setAliasName(kProgramFolderAlias);
    return DatabaseOpens(data_->ParametersDatabase);
}

void TMainScreen::ReadDatabaseFolders()
{
    Guarded([this] {
        State.ScheduleFolder = data_->SchedulerDatabase.folder();
        const std::string inUse = State.ScheduleAlias + ": " + State.ScheduleFolder;
        ui->TWDatabaseInUse->setText(QString::fromStdString(inUse));
        State.ProgramFolder = data_->ParametersDatabase.folder();
    });
}

void TMainScreen::CheckParamsTable()
{
    if (data_->ParamsTable.active())
        return;
    Guarded([this] {
        // A fresh program folder has no params.dbf and no reference twin yet.
        data::CreateMissingProgramTables(State.ProgramFolder);
        tables_->CheckTableStructure(data_->ParamsTable, data_->RParamsTable, State.ProgramFolder);
    });
}

void TMainScreen::ReadFirstSettings()
{
    Guarded([this] { settingsTables_->ReadFirstSettings(); });
    ApplyReadOnlyAccess(State.ReadOnlyCopy);
}

void TMainScreen::ApplyReadOnlyAccess(bool readOnly)
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
        if (QWidget* control = findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(!readOnly);
    }
    visualizePage_->ApplyReadOnlyAccess(readOnly);
    queryPage_->ApplyReadOnlyAccess(readOnly);
}

void TMainScreen::OpenAllTables(bool rebuildAllowed)
{
    Guarded([&] { tables_->OpenAllTables(rebuildAllowed); });
    AttachWorkCalendar();
    AttachVisualizePage();
    AttachQueryPage();
}

void TMainScreen::AttachWorkCalendar()
{
    if (!workCalendarPage_ || workCalendarPage_->Attached())
        return;
    data::TEstimateData& d = *data_;
    schedule::WorkCalendarTab::Hooks hooks;
    hooks.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
    const schedule::WorkCalendarTab::Tables tables{d.CalendarTable, d.CalendarTable2, d.HolidaysTable,
                                                   d.HolidaysTable2, d.CrewsTable2};
    workCalendarPage_->Attach(tables, State, Holidays, *userInterface_, std::move(hooks));
}

void TMainScreen::AttachVisualizePage()
{
    if (visualizePage_->Attached())
        return;
    visualizePage_->Attach(visualize::ChartTablesOf(*data_), State, *userInterface_,
                           calendarTables_->Loaded());
    visualize::VisualizeHooks& hooks = visualizePage_->Logic().Hooks;
    hooks.PushChartUpdates = [this] { sync_->PushChartUpdates(); };
    hooks.PushChartRecord = [this](std::int32_t key) { sync_->PushChartRecord(key); };
    visualize::ConnectCalendarTables(hooks, *calendarTables_);
    hooks.ResourcesAreFree = [this](std::int32_t crewId, TDateTime start, TDateTime end, std::int32_t key) {
        return schedule::ResourcesAreFree(*scheduleTables_, *userInterface_, true, crewId, start, end, key);
    };
    hooks.AddTaskToSchedule = [this](const visualize::JobSummaryRow& row) {
        // A job's summary row, with the values chart building gives every one.
        schedule::NewScheduleItem item;
        item.Key = row.ChartsId;
        item.CustomerName = row.CustomerName;
        item.JobName = row.JobName;
        item.Description = row.Description;
        item.Start = row.Start;
        item.End = row.End;
        item.Hours = row.Hours;
        item.HourlyRate = row.Rate;
        item.TotalCost = row.TotalCost;
        item.JobRow = true;
        item.Active = true;
        item.JobStatus = 3;
        item.LengthUnit = -1;
        item.RepeatCount = 1;
        item.SingleAdd = true;
        item.AddToTaskList = false;
        item.FindOrCreate = true;
        AddTaskToSchedule(item);
    };
    hooks.ApplyCustomerQuery = [this] { ApplyCustomerQuery(); };
    // The task editor and the task list editor rebuild the chart they found
    // cleared when they close; until they exist, the chart comes back at once.
    hooks.ShowTaskEditor = [this](int jobStatus) { EditTask(jobStatus); };
    hooks.OpenTaskListEditor = [this] { OpenEditChart(); };
    hooks.RefreshChart = [this] { RefreshChartClick(); };
    hooks.ChartSortByClick = [this] {
        // The dependency set-up chose the order; the choice shows it first.
        visualizePage_->ShowControls();
        Chart.ChartSortBy = visualizePage_->SortChoice();
        ChartSortByClick();
    };
    visualizePage_->ReadOtherPages = [this](visualize::PageControls& controls) {
        const schedule::CalendarControls calendar = workCalendarPage_->Controls();
        controls.SpecifyWorkingDay = calendar.SpecifyWorkingDay;
        controls.StartDayTime = calendar.StartDayTime;
    };
    visualizePage_->ApplyReadOnlyAccess(State.ReadOnlyCopy);
}

void TMainScreen::RestoreChartPeriod()
{
    Guarded([this] { settingsTables_->ReadChartPeriod(); });
    // A saved period of no length is shown as one day, as the chart does with
    // dates the user enters; nobody entered these, so the status bar does not
    // say so over whatever page the start-up ends on.
    if (Chart.ChartEndAt == Chart.ChartStartAt)
        Chart.ChartEndAt = Chart.ChartStartAt + 1.0;
    SetChartDateRange(true, Chart.ChartStartAt, Chart.ChartEndAt);
}

void TMainScreen::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    Chart.ChartStartAt = start;
    Chart.ChartEndAt = end;
    visualizePage_->SetChartDateRange(update, start, end);
}

void TMainScreen::ReadSelectionSettings()
{
    Guarded([this] { settingsTables_->ReadSelectionSettings(); });
}

void TMainScreen::ReadPasswordSetting()
{
    Guarded([this] { settingsTables_->ReadPasswordSetting(); });
}

void TMainScreen::ReindexWhenDue()
{
    bool due = State.FirstRun;
    Guarded([&] { due = settingsTables_->ReindexDue(); });
    if (due)
        Guarded([this] { tables_->ReindexDatabase(); });
    if (State.FirstRun)
        Guarded([this] { tables_->ReindexDatabase(); });
}

void TMainScreen::ReadBackupSettings()
{
    Guarded([this] { settingsTables_->ReadBackupSettings(); });
}

void TMainScreen::ReadJobStatusTexts()
{
    Guarded([this] { settingsTables_->ReadJobStatusTexts(); });
    std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = Settings.JobStatusTexts[static_cast<int>(i)].toStdString();
    visualizePage_->SetJobStatusTexts(data::JobStatusTexts(texts));
    queryPage_->SetJobStatusTexts(data::JobStatusTexts(texts));
    SetTaskEditorStatusTexts(data::JobStatusTexts(texts));
}

void TMainScreen::ReadPageFormat()
{
    Guarded([this] { settingsTables_->ReadPageFormat(); });
}

void TMainScreen::SetUpBackupFolders()
{
    Guarded([this] { settingsTables_->SetUpBackupFolders(); });
}

void TMainScreen::ReadQuickBooksSettings()
{
    Guarded([this] { settingsTables_->ReadQuickBooksSettings(); });
    if (visualizePage_->Attached())
        visualizePage_->Logic().Controls.ResourceCaptionMode = Settings.ResourceCaptionMode;
}

void TMainScreen::SynchroniseSchedule()
{
    bool converted = false;
    Guarded([&] { converted = ConvertChartsTable(); });
    if (converted)
        return;  // the converted schedule is pushed as a whole; no poll in this run
    Guarded([this] {
        PullChartUpdates(true);
        RemoveObsoleteTasks();
    });
    ReadUpdateCounter();
    UpdatePoll->start();
}

// The change counter goes on from the last one any workstation used.
void TMainScreen::ReadUpdateCounter()
{
    Guarded([this] {
        lock_->TakeWithWait();
        try {
            if (db::Table* access = SettingsRecord(data_->AccessTable))
                State.UpdateCounter = static_cast<float>(access->fieldByName("UPDATE").asFloat());
        } catch (...) {
            lock_->UpdateAccessRecord(false);
            throw;
        }
        lock_->UpdateAccessRecord(false);
    });
}

void TMainScreen::RefreshWorkCalendar()
{
    Guarded([this] {
        State.WorkCalendarMode = settingsTables_->ReadWorkCalendarMode();
        State.LastWorkCalendarMode = State.WorkCalendarMode;
    });
    workCalendarPage_->RefreshWorkCalendar();
    workCalendarPage_->LoadHolidays();
    workCalendarPage_->UpdateCalendarPanels();
}

void TMainScreen::ReadEmailSettings()
{
    Guarded([this] { settingsTables_->ReadEmailSettings(); });
}

void TMainScreen::RestoreSelection()
{
    data::TEstimateData& d = *data_;
    Guarded([&] {
        settingsTables_->ReadCompanyName();
        settingsTables_->ReadSortChoice();
        visualizePage_->SetSortChoice(Chart.ChartSortBy);
        Chart.SortChoiceRestored = true;
        if (d.CustomersTable.isEmpty() && d.JobsTable.isEmpty() && d.ChartsTable.isEmpty())
            setWindowTitle(QStringLiteral("Tarnwick"));
    });

    const int page = Settings.SavedPage >= CustomerTabPage && Settings.SavedPage <= MyCompanyPage ? Settings.SavedPage : UtilitiesPage;
    if (page == SchedulePage)
        State.ChartRefreshNeeded = true;
    ui->TabControl->setCurrentIndex(page);

    Guarded([&] {
        if (!d.CustomersTable.locate("CID", db::Value(double(Settings.SavedCustomerId))))
            d.CustomersTable.first();
        data::TablesBusyScope busy(State);
        const bool found = d.CrewsTable.locate("CREWID", db::Value(double(State.CurrentResourceId)));
        if (!found)
            d.CrewsTable.first();
    });
    State.TablesBusy = false;
    ApplyCustomerQuery();
    Guarded([&] { d.ChartsTable.locate("CHARTSID", db::Value(double(Settings.SavedScheduleItemId))); });
    ResourceDisplayClick();
    // The chart of a start on the Visualize page is built once, by the page
    // change that ends the start-up (StartTimer), not here as well.
}

void TMainScreen::SaveRunSettings(int page)
{
    data::TEstimateData& d = *data_;
    if (visualizePage_->Attached()) {
        Chart.ChartStartAt = visualizePage_->RAC()->StartAt();
        Chart.ChartEndAt = visualizePage_->RAC()->EndAt();
    }
    Guarded([&] {
        settingsTables_->SaveRunSettings(page, CurrentKey(d.CustomersTable, "CID"),
                                         CurrentKey(d.ChartsTable, "CHARTSID"),
                                         CurrentKey(d.CrewsTable, "CREWID"));
    });
}

bool TMainScreen::ConvertChartsTable()
{
    return schedule::ConvertChartsTable(*scheduleTables_, State, *userInterface_, *sync_, State.ScheduleAlias,
                                        State.ScheduleFolder);
}

bool TMainScreen::PullChartUpdates(bool force)
{
    return sync_->PullChartUpdates(force);
}

bool TMainScreen::RemoveObsoleteTasks()
{
    return sync_->RemoveObsoleteTasks();
}

void TMainScreen::RecomputeAllTaskEnds()
{
    Guarded([this] { calendarTables_->RecomputeAllTaskEnds(data_->ChartsTable5, data_->ChartsTable); });
}

bool TMainScreen::UpdateAccessRecord(bool take)
{
    return lock_->UpdateAccessRecord(take);
}

}  // namespace tw::app
