#pragma once
// Writes one backup archive of a database folder, whole or not at all.
//
// Reading: every regular file of the folder, by base name, but the table
// engine's own working files (replace journals, record journals, files being
// written), which a whole table never needs. Each table (.dbf with its memo
// and index files) is taken through the engine's CopyTable, which holds the
// table's lock and applies a pending journal first, so no record is torn; all
// of it happens while the caller's network lock is held, so that the shared
// tables come from one push. The copies go to a private folder first, and the
// lock is let go before the slow part, the compressing.
//
// Writing: a temporary file in the target folder, flushed, read back entry by
// entry (size and CRC), then renamed over the final name. Any failure removes
// the temporary file: the database and any earlier archive of that name stay
// as they were.

#include <functional>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "platform/archive/archive.h"

namespace tw::settings {

// True for the files the table engine keeps only while it works.
bool IsEngineWorkingFile(const std::string& name);

struct BackupArchiveOptions {
    // Opens the temporary archive for writing; the default is archive::FileOutput.
    std::function<std::unique_ptr<archive::ArchiveOutput>(const std::string& path)> openOutput;
    // Where the private copies of the tables go; the system's temporary folder when empty.
    std::string stagingParent;
};

// The folder the private copies go into: stagingParent, or the system's temporary folder.
std::string StagingParentOf(const BackupArchiveOptions& options);

struct BackupArchiveCalls {
    // Takes the network lock; false when it was not had (the archive is not written).
    std::function<bool()> takeLock;
    std::function<void()> releaseLock;
    // After each file is in the archive (done of total); false abandons the backup.
    std::function<bool(const std::string& entryName, std::size_t done, std::size_t total)> archived;
};

// Reading the database folder failed (a table the engine refuses, a file
// that cannot be read, no room for the private copies).
class SnapshotError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown when takeLock refuses.
class LockNotTaken : public std::runtime_error {
public:
    LockNotTaken() : std::runtime_error("The network lock was not had") {}
};

// Writes the archive at archivePath (its folder must exist); returns its
// entries. Throws archive::ArchiveError (the medium, the verification),
// archive::ArchiveCancelled, LockNotTaken or SnapshotError.
std::vector<archive::ArchiveEntry> WriteBackupArchive(const std::string& databaseFolder,
                                                      const std::string& archivePath,
                                                      const BackupArchiveCalls& calls,
                                                      const BackupArchiveOptions& options = {});

}  // namespace tw::settings
