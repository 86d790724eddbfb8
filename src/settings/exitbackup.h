#pragma once
// The automatic backup at exit. The tables are closed already and the main
// window is on its way out, so a small window of its own shows which file is
// being archived and offers Skip. Every wait is bounded: the network lock is
// tried for at most kExitLockWaitMilliseconds, the window stays live between
// tries, and Skip abandons the backup cleanly at any point (no archive, any
// earlier one kept). A failure is told once; the caller then goes on with its
// shutdown and releases the lock. Nothing is pushed, closed or reopened.
//
//   ExitBackupWindow window;                       // implements ExitBackupView
//   ExitBackup(host, ui, window).Run(flags.NoAutoBackup);

#include <optional>
#include <string>

#include "data/services/userinterface.h"
#include "settings/backuparchive.h"
#include "settings/backuphost.h"
#include "settings/databasebackup.h"

namespace tw::settings {

class ExitBackupView {
public:
    virtual ~ExitBackupView() = default;

    // Opens the window naming the folder the archive goes to.
    virtual void ShowWindow(const std::string& backupFolder) = 0;
    // The file just archived; the progress bar at done of total.
    virtual void ShowProgress(const std::string& fileName, int done, int total) = 0;
    // The line above the bar while nothing is archived ("Waiting for network access"); empty clears it.
    virtual void ShowNote(const std::string& text) = 0;
    // Keeps the window answering for about milliseconds (0: what is pending);
    // true once the user has pressed Skip.
    virtual bool Wait(int milliseconds) = 0;
    virtual void CloseWindow() = 0;
};

inline constexpr const char* kExitWaitText = "Waiting for network access";
// The pause between two tries of the lock, as everywhere else.
inline constexpr int kExitLockRetryMilliseconds = 2000;

class ExitBackup : private BackupHost {
public:
    ExitBackup(BackupHost& host, data::UserInterface& ui, ExitBackupView& view,
               BackupArchiveOptions options = {});

    // Nothing when noAutoBackup (params.dbf SF3) is set; otherwise one
    // backup with the window shown for its length.
    std::optional<BackupOutcome> Run(bool noAutoBackup);

private:
    // BackupHost, forwarded to the program's but for the lock wait, the
    // progress and the file list (the Utilities tab is not shown any more).
    std::string BackupFolder() const override { return host_.BackupFolder(); }
    std::string DatabaseFolder() const override { return host_.DatabaseFolder(); }
    std::string DatabaseName() const override { return host_.DatabaseName(); }
    TDateTime Now() const override { return host_.Now(); }
    void StoreBackupFolder(const std::string& folder) override { host_.StoreBackupFolder(folder); }
    void PushChartUpdates() override { host_.PushChartUpdates(); }
    void CloseAllTables() override { host_.CloseAllTables(); }
    void OpenAllTables() override { host_.OpenAllTables(); }
    bool TakeNetworkLock(int maxWaitMilliseconds) override;
    void ReleaseNetworkLock() override { host_.ReleaseNetworkLock(); }
    bool& TablesBusy() override { return host_.TablesBusy(); }
    void SetBackingUp(bool backingUp) override { host_.SetBackingUp(backingUp); }
    void RefreshBackupView() override {}
    void CloseMainWindow() override {}
    bool ContinueBackup(const std::string& fileName, int done, int total) override;

    BackupHost& host_;
    data::UserInterface& ui_;
    ExitBackupView& view_;
    BackupArchiveOptions options_;
};

}  // namespace tw::settings
