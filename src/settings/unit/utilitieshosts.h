#pragma once
// The backup's, the restore's and the emptying's side of the running
// program: the session's state, lock, data module and synchronisation. What
// they show on the main window and its pages goes through UtilitiesScreens,
// which the Utilities feature unit implements and tests fake; the tables are
// opened again through the TableReopener handed in. No window is needed here.

#include <string>

#include "app/session/appsession.h"
#include "settings/backuphost.h"
#include "settings/emptydatabase.h"
#include "settings/restorehost.h"
#include "settings/unit/tablereopener.h"

namespace tw::app {

// What a backup, a restore or an emptying shows on the main window and its
// pages, and the questions it asks there.
class UtilitiesScreens {
public:
    virtual ~UtilitiesScreens() = default;

    // A Yes/No question, No the default.
    virtual bool Question(const std::string& text, const std::string& caption) = 0;
    // The backup file chosen on the Utilities page ("" when none is).
    virtual std::string SelectedBackupFile() const = 0;
    // The Utilities page's folder, files and free space read again.
    virtual void RefreshBackupView() = 0;
    // The chart's bars written back (clearChart: and the chart emptied).
    virtual void SaveAndClearAllocations(bool clearChart) = 0;
    // The Work calendar page from the mode in force.
    virtual void RefreshWorkCalendar() = 0;
    // The pages of an emptied database.
    virtual void ShowEmptyScreens() = 0;
    // The Utilities and Add / Edit / Query pages over the restored tables.
    virtual void RefreshAfterRestore() = 0;
    virtual void SetCustomersLabel(const std::string& text) = 0;
    virtual void CloseMainWindow() = 0;
};

// Takes the lock record, showing "Waiting for network access" between
// refused tries; gives up after maxWaitMilliseconds (negative: the lock's own
// unbounded wait).
bool TakeSessionLock(AppSession& session, int maxWaitMilliseconds);

class SessionBackupHost : public settings::BackupHost {
public:
    SessionBackupHost(AppSession& session, UtilitiesScreens& screens, TableReopener& tables)
        : session_(session), screens_(screens), tables_(tables)
    {
    }

    std::string BackupFolder() const override { return session_.State.BackupFolder; }
    std::string DatabaseFolder() const override { return session_.State.ScheduleFolder; }
    std::string DatabaseName() const override { return session_.State.ScheduleAlias; }
    TDateTime Now() const override;
    void StoreBackupFolder(const std::string& folder) override;
    void PushChartUpdates() override;
    void CloseAllTables() override;
    void OpenAllTables() override;
    bool TakeNetworkLock(int maxWaitMilliseconds) override;
    void ReleaseNetworkLock() override;
    bool& TablesBusy() override { return session_.State.TablesBusy; }
    void SetBackingUp(bool backingUp) override { backingUp_ = backingUp; }
    void RefreshBackupView() override;
    void CloseMainWindow() override;

    bool BackingUp() const { return backingUp_; }

private:
    AppSession& session_;
    void CloseOpenedAccess();

    UtilitiesScreens& screens_;
    TableReopener& tables_;
    bool backingUp_ = false;
    bool openedAccess_ = false;
};

class SessionEmptyDatabaseHost : public settings::EmptyDatabaseHost {
public:
    SessionEmptyDatabaseHost(AppSession& session, UtilitiesScreens& screens)
        : session_(session), screens_(screens)
    {
    }

    bool Question(const std::string& text, const std::string& caption) override;
    bool SharedTablesUsable() const override { return session_.State.SharedTablesUsable; }
    db::Table& Component(const std::string& name) override;
    void SetCalendarPanelEnabled(bool) override {}
    void SaveAndClearAllocations(bool clearChart) override;
    bool UpdateAccessRecord(bool take) override { return session_.Lock().UpdateAccessRecord(take); }
    void RefreshTables() override;
    void SetChangeCounter(float value) override { session_.State.UpdateCounter = value; }
    void ShowDefaultCalendar() override;
    void ReindexDatabase() override { session_.Tables().ReindexDatabase(); }
    void ShowEmptyScreens() override;
    bool& TablesBusy() override { return session_.State.TablesBusy; }

private:
    AppSession& session_;
    UtilitiesScreens& screens_;
};

class SessionRestoreHost : public settings::RestoreHost {
public:
    SessionRestoreHost(AppSession& session, UtilitiesScreens& screens, TableReopener& tables)
        : session_(session), screens_(screens), tables_(tables)
    {
    }

    std::string SelectedBackupFile() const override;
    std::string RestoreFolder() const override;
    std::string DatabaseFolder() const override { return session_.State.ScheduleFolder; }
    std::string ProgramFolder() const override { return session_.State.ProgramFolder; }
    bool SharedTablesUsable() const override { return session_.State.SharedTablesUsable; }
    bool Question(const std::string& text, const std::string& caption) override;
    bool& TablesBusy() override { return session_.State.TablesBusy; }
    void SetBackingUp(bool backingUp) override { backingUp_ = backingUp; }
    void CloseAllTables() override;
    void OpenAllTables() override;
    bool ConvertChartsTable(const std::string& folder) override;
    void PullChartUpdates(bool force) override;
    void ReindexDatabase() override { session_.Tables().ReindexDatabase(); }
    bool TableUpgraded() const override { return session_.State.RebuildAssignments; }
    void RebuildCrewIndex() override { session_.Tables().RebuildCrewIndex(); }
    void ShowRestoredCalendar() override;
    void RefreshAfterRestore() override;
    void SetCustomersLabel(const std::string& text) override;
    void CloseMainWindow() override;

private:
    AppSession& session_;
    UtilitiesScreens& screens_;
    TableReopener& tables_;
    bool backingUp_ = false;
};

}  // namespace tw::app
