#include "settings/databasebackup.h"

#include "data/services/busyscopes.h"

#include <functional>

#include "settings/backupname.h"
#include "settings/leftovers.h"

namespace tw::settings {

namespace {

const char* const kFailedCaption = "Backup failed";
const char* const kMediaText = "Check backup media selection";
const char* const kLockText = "Another workstation kept the database locked, so no backup was made.";

}  // namespace

DatabaseBackup::DatabaseBackup(BackupHost& host, data::UserInterface& ui, BackupArchiveOptions options)
    : host_(host),
      ui_(ui),
      options_(std::move(options))
{}

void DatabaseBackup::Status(const std::string& panel0, const std::string& panel1)
{
    ui_.SetStatusText(0, panel0);
    ui_.SetStatusText(1, panel1);
    ui_.RepaintStatus();
}

BackupOutcome DatabaseBackup::BackupAllClick()
{
    // The folder is kept before anything else, so that the next start offers
    // it again even when this backup fails.
    try {
        host_.StoreBackupFolder(host_.BackupFolder());
    } catch (const std::exception& e) {
        ui_.ShowMessage(e.what(), kFailedCaption, data::MessageIcon::Stop);
    }
    return BackupDatabase(false);
}

BackupOutcome DatabaseBackup::BackupDatabase(bool atExit)
{
    const std::string folder = host_.BackupFolder();
    // What a killed backup left would take the room this one needs.
    std::vector<std::string> leftovers = RemoveLeftovers(folder);
    for (const std::string& name : RemoveLeftovers(StagingParentOf(options_)))
        leftovers.push_back(name);
    Status("Backing up database to: ", folder);
    data::BusyScope busy(host_.TablesBusy(), ui_);

    BackupOutcome outcome = BackupOutcome::Completed;
    bool mediaFailed = false;
    std::string detail;
    // Set before closing: a close that fails half way has closed some tables.
    bool tablesClosed = false;
    try {
        if (!atExit) {
            host_.PushChartUpdates();
            tablesClosed = true;
            host_.CloseAllTables();
        }
        host_.SetBackingUp(true);
        Status("Begin", "backup");
        if (folder.empty())
            throw archive::ArchiveError("No backup folder is chosen");
        lastArchive_ = BackupFileName(host_.DatabaseName(), folder, host_.Now());
        BackupArchiveCalls calls;
        calls.takeLock = [&] { return host_.TakeNetworkLock(atExit ? kExitLockWaitMilliseconds : -1); };
        calls.releaseLock = [&] { host_.ReleaseNetworkLock(); };
        calls.archived = [&](const std::string& name, std::size_t done, std::size_t total) {
            Status("Backing up", name);
            return host_.ContinueBackup(name, static_cast<int>(done), static_cast<int>(total));
        };
        WriteBackupArchive(host_.DatabaseFolder(), lastArchive_, calls, options_);
    } catch (const archive::ArchiveCancelled&) {
        outcome = BackupOutcome::Skipped;
    } catch (const archive::ArchiveError& e) {
        outcome = BackupOutcome::Failed;
        mediaFailed = true;
        detail = e.what();
    } catch (const LockNotTaken&) {
        outcome = BackupOutcome::Failed;
        detail = kLockText;
    } catch (const std::exception& e) {
        outcome = BackupOutcome::Failed;
        detail = e.what();
    }

    busy.ReleaseHourglass();
    if (outcome == BackupOutcome::Failed)
        ui_.ShowMessage(mediaFailed ? kMediaText : detail, kFailedCaption, data::MessageIcon::Stop);

    // Whatever else fails from here on is told, and the rest still runs.
    auto attempt = [&](const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception& e) {
            ui_.ShowMessage(e.what(), kFailedCaption, data::MessageIcon::Stop);
        }
    };
    if (tablesClosed)
        attempt([&] { host_.OpenAllTables(); });
    // A backup from the button that could not write its archive ends the
    // program, as it always has: the user is to check the medium and start again.
    if (!atExit && mediaFailed)
        attempt([&] { host_.CloseMainWindow(); });
    attempt([&] { host_.RefreshBackupView(); });

    busy.ReleaseFlag();
    if (!leftovers.empty())
        ui_.SetStatusText(2, LeftoversRemovedText(leftovers));
    switch (outcome) {
    case BackupOutcome::Completed: Status("Backup completed", ""); break;
    case BackupOutcome::Skipped: Status("Backup skipped", ""); break;
    case BackupOutcome::Failed: Status(kFailedCaption, detail); break;
    }
    return outcome;
}

}  // namespace tw::settings
