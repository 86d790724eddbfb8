#pragma once
// A running program as the backup sees it: every call is recorded in order,
// and a test can make any of them fail.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/backuphost.h"

namespace tw::settings::test {

class RecordingHost : public BackupHost {
public:
    std::string backupFolder;
    std::string databaseFolder;
    std::string databaseName = "DOZOrez";
    TDateTime now = 0;

    std::vector<std::string> calls;
    std::vector<int> lockWaits;
    bool busy = false;
    bool lockHeld = false;
    int tablesClosed = 0;  // closes less reopens
    std::string storedFolder;

    // Set to make a call fail (or refuse, for the lock).
    std::string failOn;
    bool refuseLock = false;
    int refusalsLeft = 0;  // tries refused before the lock is had
    int continueFor = -1;  // files before "Skip" is pressed; -1 never
    // Runs while the lock is held, before the backup reads.
    std::function<void()> onLockTaken;

    std::string BackupFolder() const override { return backupFolder; }
    std::string DatabaseFolder() const override { return databaseFolder; }
    std::string DatabaseName() const override { return databaseName; }
    TDateTime Now() const override { return now; }

    void StoreBackupFolder(const std::string& folder) override
    {
        Call("StoreBackupFolder");
        storedFolder = folder;
    }
    void PushChartUpdates() override { Call("PushChartUpdates"); }
    void CloseAllTables() override
    {
        Call("CloseAllTables");
        ++tablesClosed;
    }
    void OpenAllTables() override
    {
        Call("OpenAllTables");
        --tablesClosed;
    }
    bool TakeNetworkLock(int maxWaitMilliseconds) override
    {
        Call("TakeNetworkLock");
        lockWaits.push_back(maxWaitMilliseconds);
        if (refuseLock || refusalsLeft > 0) {
            --refusalsLeft;
            return false;
        }
        lockHeld = true;
        if (onLockTaken)
            onLockTaken();
        return true;
    }
    void ReleaseNetworkLock() override
    {
        Call("ReleaseNetworkLock");
        lockHeld = false;
    }
    bool& TablesBusy() override { return busy; }
    void SetBackingUp(bool) override {}
    void RefreshBackupView() override { Call("RefreshBackupView"); }
    void CloseMainWindow() override { Call("CloseMainWindow"); }
    bool ContinueBackup(const std::string&, int, int) override { return continueFor < 0 || continueFor-- > 0; }

private:
    void Call(const std::string& name)
    {
        calls.push_back(name);
        if (failOn == name)
            throw std::runtime_error(name + " failed");
    }
};

}  // namespace tw::settings::test
