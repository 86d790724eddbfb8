#include "settings/leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tw::settings {

namespace {

const char* const kFolderPrefixes[] = {"twbackup.", "restore."};

bool AllDigits(const std::string& text)
{
    return !text.empty() && text.size() <= 10
        && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a))
                                                  == std::tolower(static_cast<unsigned char>(b)); });
}

// <archive>.zip.<pid>.<n>.tmp: the process number, or -1 for any other name.
long ArchiveTemporaryPid(const std::string& name)
{
    const std::string tail = ".tmp";
    if (name.size() <= tail.size() || name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return -1;
    const std::string rest = name.substr(0, name.size() - tail.size());
    const std::size_t counterDot = rest.rfind('.');
    if (counterDot == std::string::npos || !AllDigits(rest.substr(counterDot + 1)))
        return -1;
    const std::size_t pidDot = rest.rfind('.', counterDot - 1);
    if (pidDot == std::string::npos || counterDot == 0)
        return -1;
    const std::string pid = rest.substr(pidDot + 1, counterDot - pidDot - 1);
    const std::string archive = rest.substr(0, pidDot);
    if (!AllDigits(pid) || archive.size() <= 4 || !EndsWithNoCase(archive, ".zip"))
        return -1;
    return std::stol(pid);
}

// <prefix>.<pid>.XXXXXX as mkdtemp makes it: the process number, or -1.
long RunFolderPid(const std::string& name)
{
    for (const char* prefix : kFolderPrefixes) {
        const std::size_t length = std::strlen(prefix);
        if (name.compare(0, length, prefix) != 0)
            continue;
        const std::size_t dot = name.find('.', length);
        if (dot == std::string::npos)
            return -1;
        const std::string pid = name.substr(length, dot - length);
        const std::string unique = name.substr(dot + 1);
        if (!AllDigits(pid) || unique.size() != 6
            || !std::all_of(unique.begin(), unique.end(), [](unsigned char c) { return std::isalnum(c); }))
            return -1;
        return std::stol(pid);
    }
    return -1;
}

std::string ProgramOf(const std::string& link)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    std::string path(buffer, static_cast<std::size_t>(n));
    // A program replaced by an update while it runs is still that program.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    return path;
}

// Takes the lock of a work file or folder without waiting: the descriptor
// holding it, -1 when its run still holds it (or it is not what the name
// says). A file system without locks gives the descriptor unlocked: the
// process number then decides alone.
int TakeDeadLock(int folderFd, const std::string& name, bool folder)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | (folder ? O_DIRECTORY : 0);
    const int fd = ::openat(folderFd, name.c_str(), flags);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || (folder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Removes the work file or folder unless its run is alive; true when it went.
bool RemoveIfDead(int folderFd, const std::string& folder, const std::string& name, bool isFolder, long pid)
{
    if (pid >= 0 && LiveRunOfThisProgram(pid))
        return false;
    const int lock = TakeDeadLock(folderFd, name, isFolder);
    if (lock < 0)
        return false;
    bool gone = false;
    if (isFolder) {
        std::error_code error;
        fs::remove_all(fs::path(folder) / name, error);
        gone = !error;
    } else {
        gone = ::unlinkat(folderFd, name.c_str(), 0) == 0;
    }
    ::close(lock);
    return gone;
}

}  // namespace

RunFolder::RunFolder(const std::string& parent, const std::string& prefix)
{
    std::string pattern = parent + "/" + prefix + "." + std::to_string(::getpid()) + ".XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot create a folder in " + parent + ": " + std::strerror(errno));
    path_ = pattern;
    lock_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    // Without the lock the process number still keeps the folder from other runs.
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX | LOCK_NB);
}

RunFolder::~RunFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    if (lock_ >= 0)
        ::close(lock_);
}

bool LiveRunOfThisProgram(long pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    if (pid == static_cast<long>(::getpid()))
        return true;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    errno = 0;
    const std::string theirs = ProgramOf("/proc/" + std::to_string(pid) + "/exe");
    if (theirs.empty())
        return errno != ENOENT;  // gone meanwhile, or a zombie: dead; hidden from us: cannot tell
    return theirs == ProgramOf("/proc/self/exe");
}

std::vector<std::string> RemoveLeftovers(const std::string& folder)
{
    std::vector<std::string> removed;
    if (folder.empty())
        return removed;
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return removed;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(::dup(folderFd)), ::closedir);
    std::vector<std::pair<std::string, bool>> candidates;  // name, is a folder
    while (const dirent* d = dir ? ::readdir(dir.get()) : nullptr) {
        const std::string name = d->d_name;
        struct stat st {};
        if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(st.st_mode) && ArchiveTemporaryPid(name) >= 0)
            candidates.emplace_back(name, false);
        else if (S_ISDIR(st.st_mode) && RunFolderPid(name) >= 0)
            candidates.emplace_back(name, true);
    }
    for (const auto& [name, isFolder] : candidates) {
        const long pid = isFolder ? RunFolderPid(name) : ArchiveTemporaryPid(name);
        if (RemoveIfDead(folderFd, folder, name, isFolder, pid))
            removed.push_back(name);
    }
    ::close(folderFd);
    std::sort(removed.begin(), removed.end());
    return removed;
}

bool RemoveDeadRunFolder(const std::string& folder, const std::string& name, long pid)
{
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    const bool removed = RemoveIfDead(folderFd, folder, name, true, pid);
    ::close(folderFd);
    return removed;
}

std::string LeftoversRemovedText(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    std::string text = "Removed " + names[0];
    if (names.size() == 2)
        text += " and " + names[1];
    else if (names.size() > 2)
        text += " and " + std::to_string(names.size() - 1) + " more";
    return text + ", left by an interrupted backup or restore";
}

}  // namespace tw::settings
