#pragma once
// The program folder and the one-copy-per-folder rule.
//
// The program folder holds a workstation's own files (its settings tables and
// working copy of the schedule). Two copies of the program working in one
// folder would overwrite each other's working copy, so only one may run per
// folder; copies with different program folders are different workstations
// and run side by side. A running copy holds an exclusive lock on
// kInstanceLockFile in its folder for as long as it lives; the operating
// system drops the lock when the process ends, however it ends.

#include <string>

namespace tw::app {

inline constexpr const char* kInstanceLockFile = "tarnwick.lock";

// $XDG_DATA_HOME/tarnwick, or ~/.local/share/tarnwick.
std::string DefaultProgramFolder();

class ProgramFolderLock {
public:
    ProgramFolderLock() = default;
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    enum class Result { Locked, HeldElsewhere, Unavailable };
    // Creates the folder when needed and takes the lock. Unavailable when the
    // folder or the lock file cannot be made (nothing tells then that another
    // copy runs). Taking a lock this object already holds answers Locked.
    Result Lock(const std::string& folder);
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    std::string folder_;
};

// True when another running copy of the program uses the default program
// folder. The first call that finds the folder free keeps it locked for the
// rest of the run, so later calls of this copy answer false.
bool IsAnotherInstanceRunning();

}  // namespace tw::app
