#include "app/programfolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tw::app {

std::string DefaultProgramFolder()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/tarnwick";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/tarnwick";
    return "tarnwick";
}

ProgramFolderLock::~ProgramFolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ProgramFolderLock::Result ProgramFolderLock::Lock(const std::string& folder)
{
    if (fd_ >= 0 && folder == folder_)
        return Result::Locked;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return Result::Unavailable;
    const std::string file = folder + "/" + kInstanceLockFile;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Result::Unavailable;
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldElsewhere : Result::Unavailable;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    folder_ = folder;
    return Result::Locked;
}

bool IsAnotherInstanceRunning()
{
    static ProgramFolderLock lock;
    return lock.Lock(DefaultProgramFolder()) == ProgramFolderLock::Result::HeldElsewhere;
}

}  // namespace tw::app
