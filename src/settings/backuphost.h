#pragma once
// What the backup needs of the running program: its folders and database
// name, the backup folder setting (params.dbf BUDIR), the push, closing and
// reopening every table, the network lock, the Busy and BackingUp flags, the
// Utilities tab's file list and free space, and the main window's closing.
// The application session implements it; tests record what was asked.
//
// Boxes, status texts and the hourglass go through data::UserInterface.

#include <string>

#include "platform/datetime/datetime.h"

namespace tw::settings {

class BackupHost {
public:
    virtual ~BackupHost() = default;

    virtual std::string BackupFolder() const = 0;
    virtual std::string DatabaseFolder() const = 0;
    // The database name of the schedule database ("scheduler" connection).
    virtual std::string DatabaseName() const = 0;
    virtual TDateTime Now() const = 0;

    // params.dbf BUDIR := folder (edit, post, refresh). Throws on failure.
    virtual void StoreBackupFolder(const std::string& folder) = 0;
    // The working copy into the shared tables; throws on failure.
    virtual void PushChartUpdates() = 0;
    virtual void CloseAllTables() = 0;
    virtual void OpenAllTables() = 0;
    // Takes the network lock record, showing "Waiting for network access"
    // while it waits; false when it was not had within maxWaitMilliseconds
    // (a negative bound: the lock's own rule, which breaks a stale lock).
    virtual bool TakeNetworkLock(int maxWaitMilliseconds) = 0;
    virtual void ReleaseNetworkLock() = 0;

    // The run's TablesBusy flag, which the step holds while it works on the tables.
    virtual bool& TablesBusy() = 0;
    virtual void SetBackingUp(bool backingUp) = 0;
    // Repaints the backup file list and the free space of the backup drive.
    virtual void RefreshBackupView() = 0;
    // Asks the main window to close (ends the program).
    virtual void CloseMainWindow() = 0;
    // Asked after each archived file (done of total); false when the user
    // chose to skip the backup.
    virtual bool ContinueBackup(const std::string& /*fileName*/, int /*done*/, int /*total*/) { return true; }
};

}  // namespace tw::settings
