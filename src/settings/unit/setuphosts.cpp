#include "settings/unit/setuphosts.h"

#include "exchange/qb/sessionfactory.h"
#include "platform/registry/registry.h"
#include "settings/setupdialoglogic.h"

namespace tw::app {

void SessionSetupHost::Load()
{
    settings::SetupSettings& s = Settings;
    const data::MainScreenState& state = session_.State;
    const RunSettings& run = session_.Settings;
    s.QBEdition = run.QBEdition;
    s.HelpLevel = state.HelpLevel;
    s.ChartHintLevel = state.HintMode;
    s.ShowAssignedResources = state.HintDetail;
    s.WorkCalendarMode = state.WorkCalendarMode;
    s.LastWorkCalendarMode = state.LastWorkCalendarMode;
    s.ResourceDisplayMode = run.ResourceCaptionMode;
    s.TablesOpen = state.TablesOpen;
    s.QBManualCompanyFile = run.SetupChoice2;
    s.QBCompanyFile = run.QBCompanyFile;
    s.AccessChoice = run.SetupChoice1;
    s.PasswordRequired = session_.Flags.PasswordRequired;
    s.PasswordAccepted = session_.Flags.PasswordAccepted;
    s.ReadOnlyAccess = state.ReadOnlyCopy;
    s.LoginRefused = state.QuitWithoutSaving;
    s.Email = run.Email;
    s.JobStatusTexts = run.JobStatusTexts;
    s.NoAutoBackup = session_.Flags.NoAutoBackup;
    s.BackupFolder = QString::fromStdString(state.BackupFolder);
    s.StartDrive = QString::fromStdString(screens_.StartDrive());
}

void SessionSetupHost::Store()
{
    const settings::SetupSettings& s = Settings;
    data::MainScreenState& state = session_.State;
    RunSettings& run = session_.Settings;
    run.QBEdition = s.QBEdition;
    state.HelpLevel = s.HelpLevel;
    state.HintMode = s.ChartHintLevel;
    state.HintDetail = s.ShowAssignedResources;
    state.WorkCalendarMode = s.WorkCalendarMode;
    state.LastWorkCalendarMode = s.LastWorkCalendarMode;
    if (run.ResourceCaptionMode != s.ResourceDisplayMode)
        screens_.ShowResourceCaptionMode(s.ResourceDisplayMode);
    run.ResourceCaptionMode = s.ResourceDisplayMode;
    run.SetupChoice2 = s.QBManualCompanyFile;
    run.QBCompanyFile = s.QBCompanyFile;
    run.SetupChoice1 = s.AccessChoice;
    session_.Flags.PasswordRequired = s.PasswordRequired;
    session_.Flags.PasswordAccepted = s.PasswordAccepted;
    state.ReadOnlyCopy = s.ReadOnlyAccess;
    state.QuitWithoutSaving = state.QuitWithoutSaving || s.LoginRefused;
    run.Email = s.Email;
    run.JobStatusTexts = s.JobStatusTexts;
    session_.Flags.NoAutoBackup = s.NoAutoBackup;
    state.BackupFolder = s.BackupFolder.toStdString();
}

void SessionSetupHost::ApplyHelpLevel(int)
{
    Store();
    screens_.ApplyHelpLevel();
}

// Showing a resource's calendar appends its record when it has none; a cursor
// of its own keeps every page's current resource where it was.
void SessionSetupHost::EnsureResourceCalendars()
{
    Store();
    const db::Table& shown = session_.Data().CrewsTable;
    db::Table crews;
    crews.setDatabaseName(shown.databaseName());
    crews.setFolder(shown.folder());
    crews.setTableName(shown.tableName());
    crews.setReadOnly(true);
    crews.open();
    std::vector<std::int32_t> ids;
    for (crews.first(); !crews.eof(); crews.next())
        ids.push_back(static_cast<std::int32_t>(crews.fieldByName("CREWID").asInteger()));
    crews.close();
    for (std::int32_t id : ids)
        screens_.ShowWorkCalendar(id);
}

void SessionSetupHost::CompanyRecordChanged()
{
    session_.Data().MyCompanyTable.refresh();
}

void SessionSetupHost::RecomputeAllTaskEnds()
{
    Store();
    session_.RecomputeAllTaskEnds();
    session_.State.ChartRefreshNeeded = true;
}

void SessionSetupHost::ShowWorkCalendarMode(int)
{
    Store();
    screens_.RefreshWorkCalendar();
}

void SessionSetupHost::ApplyReadOnlyAccess(bool readOnly)
{
    Store();
    screens_.ApplyReadOnlyAccess(readOnly);
}

void SessionSetupHost::CloseAllTables()
{
    Store();
    session_.Tables().CloseAllTables();
}

void SessionSetupHost::OpenAllTables()
{
    tables_.ReopenAllTables();
    Settings.TablesOpen = session_.State.TablesOpen;
}

bool SessionSetupHost::AskPassword()
{
    return screens_.AskPassword();
}

void SessionSetupHost::TerminateProgram()
{
    Store();
    session_.State.QuitWithoutSaving = true;
    screens_.TerminateProgram();
}

int SessionSetupHost::TaskStatusIndex() const
{
    return screens_.TaskStatusIndex();
}

void SessionSetupHost::SetTaskStatusIndex(int index)
{
    screens_.SetTaskStatusIndex(index);
}

void SessionSetupHost::SetTaskStatusItems(const QStringList& items)
{
    std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = items.value(static_cast<int>(i)).toStdString();
    screens_.ShowJobStatusTexts(data::JobStatusTexts(texts));
}

void SessionSetupHost::UntickRestrictToSelectedStatus()
{
    screens_.UntickRestrictToSelectedStatus();
}

void SessionSetupHost::ApplyJobStatusTexts(const QStringList&)
{
    Store();
}

std::unique_ptr<qb::SessionManager> SessionSetupHost::OpenAccountingLink()
{
    registry::TRegistry registry;
    return qb::CreateSessionManager(registry);
}

void SessionSetupHost::SetQBEdition(int edition)
{
    session_.Settings.QBEdition = edition;
    Settings.QBEdition = edition;
}

void SessionSetupHost::WriteUSCAN(int edition)
{
    if (Logic)
        Logic->WriteUSCAN(edition);
}

}  // namespace tw::app
