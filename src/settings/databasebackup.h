#pragma once
// "Backup all data" and the backup at exit: status texts, Busy, the
// hourglass, the push and closing of the tables around one verified archive
// (backuparchive.h), and what the user is told.
//
//   DatabaseBackup backup(host, ui);
//   backup.BackupAllClick();                 // the Utilities tab's button
//   backup.BackupDatabase(true);             // at shutdown, tables already closed
//
// On every path the hourglass goes, Busy is cleared and tables that the
// backup closed are open again (once); "Backup completed" is shown only for
// an archive that was written and read back whole.

#include <string>

#include "data/services/userinterface.h"
#include "settings/backuparchive.h"
#include "settings/backuphost.h"

namespace tw::settings {

enum class BackupOutcome { Completed, Failed, Skipped };

// The longest the backup at exit waits for another workstation's lock.
inline constexpr int kExitLockWaitMilliseconds = 30000;

class DatabaseBackup {
public:
    DatabaseBackup(BackupHost& host, data::UserInterface& ui, BackupArchiveOptions options = {});

    // Stores the backup folder in BUDIR (a failure is reported and the
    // backup still runs), then backs up; a failed backup ends the program.
    BackupOutcome BackupAllClick();

    // atExit: the tables are closed already and stay closed; nothing is pushed.
    BackupOutcome BackupDatabase(bool atExit);

    // The archive the last backup wrote (or tried to write).
    const std::string& LastArchivePath() const { return lastArchive_; }

private:
    void Status(const std::string& panel0, const std::string& panel1);

    BackupHost& host_;
    data::UserInterface& ui_;
    BackupArchiveOptions options_;
    std::string lastArchive_;
};

}  // namespace tw::settings
