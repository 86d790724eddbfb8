#pragma once
// The backup's and the emptying's side of the running program: the session's
// state, lock, data module and synchronisation, and the few steps that are
// the main window's (closing and reopening tables, its pages), given as
// callbacks so that the hosts can be used without a window.

#include <functional>
#include <string>

#include "app/session/appsession.h"
#include "settings/backuphost.h"
#include "settings/emptydatabase.h"
#include "settings/restorehost.h"

namespace tw::app {

struct UtilitiesWindowSteps {
    std::function<void()> CloseAllTables;
    std::function<void()> OpenAllTables;
    std::function<void()> RefreshBackupView;
    std::function<void()> CloseMainWindow;
    // A Yes/No question, No the default.
    std::function<bool(const std::string& text, const std::string& caption)> Question;
    std::function<void(bool clearChart)> SaveAndClearAllocations;
    std::function<void()> ShowDefaultCalendar;
    std::function<void()> ShowEmptyScreens;
    std::function<std::string()> SelectedBackupFile;
    std::function<void(bool force)> PullChartUpdates;
    std::function<void()> ShowRestoredCalendar;
    std::function<void()> RefreshAfterRestore;
    std::function<void(const std::string& text)> SetCustomersLabel;
};

// Takes the lock record, showing "Waiting for network access" between
// refused tries; gives up after maxWaitMilliseconds (negative: the lock's own
// unbounded wait).
bool TakeSessionLock(AppSession& session, int maxWaitMilliseconds);

class SessionBackupHost : public settings::BackupHost {
public:
    SessionBackupHost(AppSession& session, UtilitiesWindowSteps& steps) : session_(session), steps_(steps) {}

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
    void SetBusy(bool busy) override { session_.State.TablesBusy = busy; }
    void SetBackingUp(bool backingUp) override { backingUp_ = backingUp; }
    void RefreshBackupView() override;
    void CloseMainWindow() override;

    bool BackingUp() const { return backingUp_; }

private:
    AppSession& session_;
    void CloseOpenedAccess();

    UtilitiesWindowSteps& steps_;
    bool backingUp_ = false;
    bool openedAccess_ = false;
};

class SessionEmptyDatabaseHost : public settings::EmptyDatabaseHost {
public:
    SessionEmptyDatabaseHost(AppSession& session, UtilitiesWindowSteps& steps)
        : session_(session), steps_(steps)
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
    void SetBusy(bool busy) override { session_.State.TablesBusy = busy; }

private:
    AppSession& session_;
    UtilitiesWindowSteps& steps_;
};

}  // namespace tw::app

#include "app/setuphosts.h"
#include "settings/setupdialog.h"
#include "settings/volumes.h"

namespace tw::app {

class SessionRestoreHost : public settings::RestoreHost {
public:
    SessionRestoreHost(AppSession& session, UtilitiesWindowSteps& steps) : session_(session), steps_(steps) {}

    std::string SelectedBackupFile() const override;
    std::string RestoreFolder() const override;
    std::string DatabaseFolder() const override { return session_.State.ScheduleFolder; }
    std::string ProgramFolder() const override { return session_.State.ProgramFolder; }
    bool SharedTablesUsable() const override { return session_.State.SharedTablesUsable; }
    bool Question(const std::string& text, const std::string& caption) override;
    void SetBusy(bool busy) override { session_.State.TablesBusy = busy; }
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
    UtilitiesWindowSteps& steps_;
    bool backingUp_ = false;
};

// What the main window keeps for its Utilities page.
struct UtilitiesWiring {
    explicit UtilitiesWiring(AppSession& session)
        : backup(session, steps), empty(session, steps), restore(session, steps), setupHost(session, setupSteps)
    {
    }
    UtilitiesWindowSteps steps;
    settings::SystemVolumes volumes;
    SessionBackupHost backup;
    SessionEmptyDatabaseHost empty;
    SessionRestoreHost restore;
    bool started = false;
    // The setup dialog, made with the page and kept for the run.
    SetupWindowSteps setupSteps;
    SessionSetupHost setupHost;
    std::unique_ptr<settings::TQMSetup> setup;
};

}  // namespace tw::app
