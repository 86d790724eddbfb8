#include "app/session/startupsequence.h"

#include <array>
#include <exception>
#include <filesystem>
#include <system_error>

#include "data/services/tablecreation.h"
#include "platform/db/database.h"
#include "schedule/sync/chartsconversion.h"
#include "settings/backuparchive.h"
#include "settings/leftovers.h"
#include "settings/restoreswap.h"

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

StartupSequence::StartupSequence(AppSession& session, StartupWindow& window) : s_(session), window_(window) {}

template <typename Work>
void StartupSequence::Guarded(Work&& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        s_.Interface().ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

bool StartupSequence::CreateFirstRunAliases()
{
    db::AliasConfig& aliases = s_.Data().Aliases;
    const InstallPaths& paths = s_.Settings.FirstRunPaths;
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
        pointAlias(kProgramFolderAlias, paths.ProgramFiles);
        pointAlias(kRestoreFolderAlias, paths.Restore);
        s_.State.RestoreFolder = paths.Restore;
        CreateFolder(s_.State.RestoreFolder);
        pointAlias(s_.State.ScheduleAlias, paths.Database);
        // The installer made the schedule database's folder; here the first run does.
        CreateFolder(paths.Database);
        return true;
    } catch (const std::exception& e) {
        s_.Interface().ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        return false;
    }
}

bool StartupSequence::OpenDatabases()
{
    data::MainScreenState& state = s_.State;
    window_.ShowEstimatingDatabaseInUse(state.EstimatorAlias);
    window_.ShowScheduleDatabaseInUse(state.ScheduleAlias);
    s_.Tables().CloseAllTables();
    if (!OpenScheduleDatabase()) {
        window_.ShowDatabaseFailure("The " + state.ScheduleAlias + " database could not be opened");
        window_.EndAfterDatabaseFailure();
        return false;
    }
    if (!state.EstimatorAlias.empty() && !OpenEstimatorDatabase())
        window_.ShowDatabaseFailure("The " + state.EstimatorAlias + " database could not be opened");
    if (!OpenParametersDatabase()) {
        window_.ShowDatabaseFailure("The parameters database could not be opened");
        window_.EndAfterDatabaseFailure();
        return false;
    }
    ReadDatabaseFolders();
    FinishInterruptedRestore();
    CheckParamsTable();
    ReadFirstSettings();
    OpenAllTables();
    window_.LayOut();
    RestoreChartPeriod();
    StartupSettingsTables& settings = s_.SettingsTables();
    Guarded([&] { settings.ReadSelectionSettings(); });
    Guarded([&] { settings.ReadPasswordSetting(); });
    ReindexWhenDue();
    Guarded([&] { settings.ReadBackupSettings(); });
    ReadJobStatusTexts();
    Guarded([&] { settings.ReadPageFormat(); });
    state.StartupDone = true;
    Guarded([&] { settings.SetUpBackupFolders(); });
    RemoveRunLeftovers();
    ReadQuickBooksSettings();
    return true;
}

bool StartupSequence::OpenScheduleDatabase()
{
    s_.Data().SchedulerDatabase.setAliasName(s_.State.ScheduleAlias);
    return DatabaseOpens(s_.Data().SchedulerDatabase);
}

bool StartupSequence::OpenEstimatorDatabase()
{
    data::MainScreenState& state = s_.State;
    s_.Data().EstimatorDatabase.setAliasName(state.EstimatorAlias);
    const bool opened = DatabaseOpens(s_.Data().EstimatorDatabase);
    // A name without a folder leaves the Quillmark tables closed.
    state.EstimatorFolder.clear();
    if (opened)
        state.EstimatorFolder = s_.Data().EstimatorDatabase.folder();
    window_.ShowEstimatingDatabaseInUse(state.EstimatorAlias + ": " + state.EstimatorFolder);
    return opened;
}

bool StartupSequence::OpenParametersDatabase()
{
    s_.Data().ParametersDatabase.setAliasName(kProgramFolderAlias);
    return DatabaseOpens(s_.Data().ParametersDatabase);
}

void StartupSequence::ReadDatabaseFolders()
{
    Guarded([this] {
        data::MainScreenState& state = s_.State;
        state.ScheduleFolder = s_.Data().SchedulerDatabase.folder();
        window_.ShowScheduleDatabaseInUse(state.ScheduleAlias + ": " + state.ScheduleFolder);
        state.ProgramFolder = s_.Data().ParametersDatabase.folder();
    });
}

// A restore that a crash cut short is finished, when its swap was decided, or
// its left-overs removed, before any schedule table is opened.
void StartupSequence::FinishInterruptedRestore()
{
    const std::string& folder = s_.State.ScheduleFolder;
    if (!folder.empty())
        Guarded([&folder] { settings::FinishPendingSwap(folder); });
}

// A backup or restore killed in an earlier run left its work files in the
// folders it used; on a memory stick they would take the next backup's room.
void StartupSequence::RemoveRunLeftovers()
{
    const data::MainScreenState& state = s_.State;
    const std::string restoreFolder = state.RestoreFolder.empty() ? state.ProgramFolder : state.RestoreFolder;
    std::vector<std::string> removed;
    for (const std::string& folder :
         {state.BackupFolder, restoreFolder, settings::StagingParentOf(settings::BackupArchiveOptions{})})
        for (std::string& name : settings::RemoveLeftovers(folder))
            removed.push_back(std::move(name));
    const std::string text = settings::LeftoversRemovedText(removed);
    if (!text.empty()) {
        s_.Interface().SetStatusText(2, text);
        s_.Interface().RepaintStatus();
    }
}

void StartupSequence::CheckParamsTable()
{
    data::TEstimateData& d = s_.Data();
    if (d.ParamsTable.active())
        return;
    Guarded([&] {
        // A fresh program folder has no params.dbf and no reference twin yet.
        data::CreateMissingProgramTables(s_.State.ProgramFolder);
        s_.Tables().CheckTableStructure(d.ParamsTable, d.RParamsTable, s_.State.ProgramFolder);
    });
}

void StartupSequence::ReadFirstSettings()
{
    Guarded([this] { s_.SettingsTables().ReadFirstSettings(); });
    window_.ApplyReadOnlyAccess(s_.State.ReadOnlyCopy);
}

void StartupSequence::OpenAllTables()
{
    Guarded([this] { s_.Tables().OpenAllTables(true); });
    window_.AttachPages();
}

void StartupSequence::RestoreChartPeriod()
{
    ChartState& chart = s_.Chart;
    Guarded([this] { s_.SettingsTables().ReadChartPeriod(); });
    window_.ShowChartPeriod(chart.ChartStartAt, chart.ChartEndAt);
}

void StartupSequence::ReindexWhenDue()
{
    bool due = s_.State.FirstRun;
    Guarded([&] { due = s_.SettingsTables().ReindexDue(); });
    if (due)
        Guarded([this] { s_.Tables().ReindexDatabase(); });
    if (s_.State.FirstRun)
        Guarded([this] { s_.Tables().ReindexDatabase(); });
}

void StartupSequence::ReadJobStatusTexts()
{
    Guarded([this] { s_.SettingsTables().ReadJobStatusTexts(); });
    std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = s_.Settings.JobStatusTexts[static_cast<int>(i)].toStdString();
    window_.ShowJobStatusTexts(data::JobStatusTexts(texts));
}

void StartupSequence::ReadQuickBooksSettings()
{
    Guarded([this] { s_.SettingsTables().ReadQuickBooksSettings(); });
    window_.ShowResourceCaptionMode(s_.Settings.ResourceCaptionMode);
}

bool StartupSequence::SynchroniseSchedule()
{
    data::MainScreenState& state = s_.State;
    bool converted = false;
    Guarded([&] {
        converted = schedule::ConvertChartsTable(s_.ScheduleTables(), state, s_.Interface(), s_.Sync(),
                                                 state.ScheduleAlias, state.ScheduleFolder);
    });
    if (converted)
        return false;
    Guarded([this] {
        s_.Sync().PullChartUpdates(true, true);  // level with the shared tables; no chart drawn yet
        s_.Sync().RemoveObsoleteTasks();
    });
    ReadUpdateCounter();
    return true;
}

// The change counter goes on from the last one any workstation used.
void StartupSequence::ReadUpdateCounter()
{
    Guarded([this] {
        data::NetworkLock& lock = s_.Lock();
        lock.TakeWithWait();
        try {
            if (db::Table* access = SettingsRecord(s_.Data().AccessTable))
                s_.State.UpdateCounter = static_cast<float>(access->fieldByName("UPDATE").asFloat());
        } catch (...) {
            lock.UpdateAccessRecord(false);
            throw;
        }
        lock.UpdateAccessRecord(false);
    });
}

void StartupSequence::ReadWorkCalendarMode()
{
    Guarded([this] {
        s_.State.WorkCalendarMode = s_.SettingsTables().ReadWorkCalendarMode();
        s_.State.LastWorkCalendarMode = s_.State.WorkCalendarMode;
    });
}

void StartupSequence::ReadEmailSettings()
{
    Guarded([this] { s_.SettingsTables().ReadEmailSettings(); });
}

void StartupSequence::RecomputeAllTaskEnds()
{
    s_.RecomputeAllTaskEnds();
}

}  // namespace tw::app
