#pragma once
// The work files of a backup or a restore, and their removal when the run
// that made them was killed before it could remove them itself.
//
//   RunFolder staging(parent, "restore");   // parent/restore.<pid>.XXXXXX, locked
//   ...                                     // gone with everything in it when staging goes
//   RemoveLeftovers(folder);                // by the next start, backup or restore
//
// Every work file names the process that made it, and that process holds an
// advisory lock (flock) on it for as long as it works; the system lets the
// lock go with the process, however it ends. The names:
//
//   <archive>.zip.<pid>.<n>.tmp   the archive being written, in the backup folder
//   twbackup.<pid>.XXXXXX         the backup's copies of the tables (temporary folder)
//   restore.<pid>.XXXXXX          the restore's expanded archive, in the restore folder
//
// One is removed only when it bears one of these names, is a regular file
// or a real folder (a link is never followed nor removed), nobody holds its
// lock, and its process is not a live run of this program. Both tests are
// needed: the number alone may belong to another workstation's run on a
// shared folder, and a file system may not keep locks.

#include <string>
#include <vector>

namespace tw::settings {

// A private folder of this run: <parent>/<prefix>.<pid>.XXXXXX, locked while
// the object lives, removed with everything in it when it goes.
class RunFolder {
public:
    // Throws std::runtime_error naming parent when the folder cannot be made.
    RunFolder(const std::string& parent, const std::string& prefix);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    int lock_ = -1;
};

// True when the process of that number is this process or a live run of
// this program; a process whose program cannot be told counts as one.
bool LiveRunOfThisProgram(long pid);

// Removes in folder what dead runs left (see above) and returns the names
// removed, sorted. A folder that cannot be read gives none.
std::vector<std::string> RemoveLeftovers(const std::string& folder);

// Removes folder/name when it is a real folder (not a link) whose lock
// nobody holds and whose process is not a live run of this program (pid -1:
// a name without one, the lock alone decides). True when it was removed.
bool RemoveDeadRunFolder(const std::string& folder, const std::string& name, long pid);

// The status text that tells what was removed; empty when nothing was.
std::string LeftoversRemovedText(const std::vector<std::string>& names);

}  // namespace tw::settings
