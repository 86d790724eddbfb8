#include "settings/unit/utilitieshosts.h"

#include <chrono>
#include <map>
#include <stdexcept>
#include <utility>

#include "schedule/sync/chartsconversion.h"

namespace tw::app {

bool TakeSessionLock(AppSession& session, int maxWaitMilliseconds)
{
    data::NetworkLock& lock = session.Lock();
    if (maxWaitMilliseconds < 0) {
        lock.TakeWithWait();
        return session.State.LockHeld || !session.State.SharedTablesUsable;
    }
    data::UserInterface& ui = session.Interface();
    const std::string before = ui.StatusText(0);
    constexpr int kRetryMilliseconds = 2000;
    int waited = 0;
    // A bounded wait gives up instead of breaking the other copy's lock, which
    // the lock's own rule does after enough refusals in a row: its refusals
    // are not counted.
    const std::int32_t refusals = session.State.LockRefusals;
    for (;;) {
        session.State.LockRefusals = 0;
        const bool taken = lock.UpdateAccessRecord(true);
        session.State.LockRefusals = refusals;
        if (taken)
            break;
        if (waited >= maxWaitMilliseconds) {
            ui.SetStatusText(0, before);
            return false;
        }
        ui.SetStatusText(0, "Waiting for network access");
        ui.RepaintStatus();
        ui.Sleep(kRetryMilliseconds);
        waited += kRetryMilliseconds;
    }
    ui.SetStatusText(0, before);
    return true;
}

TDateTime SessionBackupHost::Now() const
{
    return tw::Now();
}

void SessionBackupHost::StoreBackupFolder(const std::string& folder)
{
    db::Table& params = session_.Data().ParamsTable;
    params.edit();
    params.fieldByName("BUDIR").setAsString(folder);
    params.post();
    params.refresh();
}

void SessionBackupHost::PushChartUpdates()
{
    if (!session_.Sync().PushChartUpdates())
        throw std::runtime_error("The schedule could not be shared with the other workstations.");
}

void SessionBackupHost::CloseAllTables()
{
    session_.Tables().CloseAllTables();
}

void SessionBackupHost::OpenAllTables()
{
    tables_.ReopenAllTables();
}

bool SessionBackupHost::TakeNetworkLock(int maxWaitMilliseconds)
{
    // The backup reads the tables closed; the lock record is read through its
    // own table, which is opened for the while.
    db::Table& access = session_.Data().AccessTable;
    if (!access.active()) {
        access.open();
        openedAccess_ = true;
    }
    // A lock this copy holds already (an operation cut short left it) is
    // this backup's; it is let go with the backup's.
    if (session_.State.LockHeld)
        return true;
    const bool taken = TakeSessionLock(session_, maxWaitMilliseconds);
    if (!taken)
        CloseOpenedAccess();
    return taken;
}

void SessionBackupHost::ReleaseNetworkLock()
{
    session_.Lock().UpdateAccessRecord(false);
    CloseOpenedAccess();
}

void SessionBackupHost::CloseOpenedAccess()
{
    if (std::exchange(openedAccess_, false))
        session_.Data().AccessTable.close();
}

void SessionBackupHost::RefreshBackupView()
{
    screens_.RefreshBackupView();
}

void SessionBackupHost::CloseMainWindow()
{
    screens_.CloseMainWindow();
}

bool SessionEmptyDatabaseHost::Question(const std::string& text, const std::string& caption)
{
    return screens_.Question(text, caption);
}

db::Table& SessionEmptyDatabaseHost::Component(const std::string& name)
{
    data::TEstimateData& d = session_.Data();
    const std::map<std::string, db::Table*> components = {
        {"IChartsTable2", &d.IChartsTable2},   {"ITasksTable2", &d.ITasksTable2},
        {"ChartsTable2", &d.ChartsTable2},     {"TasksTable2", &d.TasksTable2},
        {"CrewsTable2", &d.CrewsTable2},       {"ICrewsTable2", &d.ICrewsTable2},
        {"JobsTable2", &d.JobsTable2},         {"CustomersTable2", &d.CustomersTable2},
        {"PhotosTable", &d.PhotosTable},       {"CustomFieldsTable2", &d.CustomFieldsTable2},
        {"PrinterTable2", &d.PrinterTable2},   {"AccessTable", &d.AccessTable},
        {"CalendarTable", &d.CalendarTable},   {"HolidaysTable", &d.HolidaysTable},
        {"MyCompanyTable", &d.MyCompanyTable},
    };
    const auto found = components.find(name);
    if (found == components.end())
        throw std::invalid_argument("No table component named " + name);
    return *found->second;
}

void SessionEmptyDatabaseHost::SaveAndClearAllocations(bool clearChart)
{
    screens_.SaveAndClearAllocations(clearChart);
}

void SessionEmptyDatabaseHost::RefreshTables()
{
    data::TEstimateData& d = session_.Data();
    for (db::Table* table : {&d.CustomersTable, &d.JobsTable, &d.ChartsTable, &d.TasksTable, &d.CrewsTable,
                             &d.CalendarTable, &d.HolidaysTable})
        if (table->active())
            table->refresh();
}

void SessionEmptyDatabaseHost::ShowDefaultCalendar()
{
    session_.State.WorkCalendarMode = 0;
    screens_.RefreshWorkCalendar();
}

void SessionEmptyDatabaseHost::ShowEmptyScreens()
{
    screens_.ShowEmptyScreens();
}

std::string SessionRestoreHost::SelectedBackupFile() const
{
    return screens_.SelectedBackupFile();
}

std::string SessionRestoreHost::RestoreFolder() const
{
    // Without a folder of its own the restore expands beside the program's tables.
    const data::SessionSettings& settings = session_.State;
    return settings.RestoreFolder.empty() ? settings.ProgramFolder : settings.RestoreFolder;
}

bool SessionRestoreHost::Question(const std::string& text, const std::string& caption)
{
    return screens_.Question(text, caption);
}

void SessionRestoreHost::CloseAllTables()
{
    session_.Tables().CloseAllTables();
}

void SessionRestoreHost::OpenAllTables()
{
    tables_.ReopenAllTables();
}

bool SessionRestoreHost::ConvertChartsTable(const std::string& folder)
{
    return schedule::ConvertChartsTable(session_.ScheduleTables(), session_.State, session_.Interface(),
                                        session_.Sync(), session_.State.ScheduleAlias, folder);
}

void SessionRestoreHost::PullChartUpdates(bool force)
{
    session_.Sync().PullChartUpdates(force);
}

void SessionRestoreHost::ShowRestoredCalendar()
{
    screens_.RefreshWorkCalendar();
}

void SessionRestoreHost::RefreshAfterRestore()
{
    screens_.RefreshAfterRestore();
}

void SessionRestoreHost::SetCustomersLabel(const std::string& text)
{
    screens_.SetCustomersLabel(text);
}

void SessionRestoreHost::CloseMainWindow()
{
    screens_.CloseMainWindow();
}

}  // namespace tw::app
