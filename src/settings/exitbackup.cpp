#include "settings/exitbackup.h"

#include "platform/archive/archive.h"

namespace tw::settings {

ExitBackup::ExitBackup(BackupHost& host, data::UserInterface& ui, ExitBackupView& view,
                       BackupArchiveOptions options)
    : host_(host),
      ui_(ui),
      view_(view),
      options_(std::move(options))
{}

std::optional<BackupOutcome> ExitBackup::Run(bool noAutoBackup)
{
    if (noAutoBackup)
        return std::nullopt;
    view_.ShowWindow(host_.BackupFolder());
    // The window goes on every way out, so that a failure box is not left
    // behind a window nobody closes.
    struct Closer {
        ExitBackupView& view;
        ~Closer() { view.CloseWindow(); }
    } closer{view_};
    view_.Wait(0);
    return DatabaseBackup(*this, ui_, options_).BackupDatabase(true);
}

bool ExitBackup::TakeNetworkLock(int maxWaitMilliseconds)
{
    // One try at a time, so that the window answers between tries and the
    // wait ends at its bound however the lock's own rule would wait.
    int waited = 0;
    while (!host_.TakeNetworkLock(0)) {
        if (waited >= maxWaitMilliseconds) {
            view_.ShowNote("");
            return false;
        }
        view_.ShowNote(kExitWaitText);
        if (view_.Wait(kExitLockRetryMilliseconds))
            throw archive::ArchiveCancelled();
        waited += kExitLockRetryMilliseconds;
    }
    view_.ShowNote("");
    return true;
}

bool ExitBackup::ContinueBackup(const std::string& fileName, int done, int total)
{
    view_.ShowProgress(fileName, done, total);
    return !view_.Wait(0) && host_.ContinueBackup(fileName, done, total);
}

}  // namespace tw::settings
