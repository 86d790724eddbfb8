#include "settings/restoreswap.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "settings/leftovers.h"

namespace fs = std::filesystem;

namespace tw::settings {

namespace {

const char* const kStagingPrefix = ".twrestore.";
const char* const kJournalHeader = "TWSWAP 1";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Stem(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return Lower(dot == std::string::npos ? name : name.substr(0, dot));
}

std::string Extension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
}

// The files the table engine keeps for one table.
bool IsTableFile(const std::string& name, bool withJournals)
{
    const std::string ext = Extension(name);
    return ext == ".dbf" || ext == ".dbt" || ext == ".twi"
        || (withJournals && (ext == ".twr" || ext == ".twj"));
}

std::vector<std::string> RegularFiles(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error("Cannot " + what + " " + path + ": " + std::strerror(errno));
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        Fail("open the folder", folder);
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (!ok)
        Fail("flush the folder", folder);
}

void WriteDurably(const std::string& path, const std::string& bytes)
{
    // A file of that name left by a crash goes first; a link planted there is
    // removed, never written through.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        Fail("remove", path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        Fail("create", path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            Fail("write", path);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        Fail("flush", path);
    }
    ::close(fd);
}

struct Journal {
    std::string staging;                                     // folder name inside the database folder
    std::vector<std::pair<std::string, std::string>> moves;  // staged name -> live name
    std::vector<std::string> removes;
};

std::string Format(const Journal& j)
{
    std::string text = std::string(kJournalHeader) + "\t" + j.staging + "\n";
    for (const auto& [from, to] : j.moves)
        text += "move\t" + from + "\t" + to + "\n";
    for (const std::string& name : j.removes)
        text += "remove\t" + name + "\n";
    return text + "end\n";
}

// A name of a file directly in the database folder; anything else in a
// journal means it is not ours.
bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos
        && name.find('\0') == std::string::npos;
}

// The journal is read by every start-up and names files in a folder every
// workstation can write, so it is trusted with nothing but what Commit
// writes: a private folder of ours, table files that go to the live name of
// the same file, table files removed.
class JournalDamage : public std::runtime_error {
public:
    JournalDamage(const std::string& journal, const std::string& why)
        : std::runtime_error("The restore journal " + journal + " is damaged: " + why
                             + ". Nothing was moved; remove the file once the database is checked.")
    {}
};

Journal Parse(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        Fail("read", path);
    if (!S_ISREG(st.st_mode))
        throw JournalDamage(path, "it is not a plain file");
    // No link is followed to read it, whatever replaced it since.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        throw JournalDamage(path, std::string("it cannot be read (") + std::strerror(errno) + ")");
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw JournalDamage(path, std::string("it cannot be read (") + std::strerror(error) + ")");
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);

    std::istringstream in(text);
    std::string line;
    Journal j;
    bool ended = false;
    auto bad = [&](const std::string& why) { return JournalDamage(path, why); };
    if (!std::getline(in, line) || line.rfind(std::string(kJournalHeader) + "\t", 0) != 0)
        throw bad("its first line is not a restore journal's");
    j.staging = line.substr(std::strlen(kJournalHeader) + 1);
    if (!PlainName(j.staging) || j.staging.rfind(kStagingPrefix, 0) != 0
        || j.staging.size() == std::strlen(kStagingPrefix))
        throw bad("it names " + j.staging + " as the restore's folder");
    while (std::getline(in, line)) {
        std::vector<std::string> parts;
        std::stringstream fields(line);
        for (std::string part; std::getline(fields, part, '\t');)
            parts.push_back(part);
        if (parts.size() == 1 && parts[0] == "end") {
            ended = true;
            break;
        }
        if (parts.size() == 3 && parts[0] == "move" && PlainName(parts[1]) && PlainName(parts[2])) {
            // Commit moves a staged file only over the live file of its own name.
            if (!IsTableFile(parts[1], false) || Lower(parts[1]) != Lower(parts[2]))
                throw bad("it moves " + parts[1] + " to " + parts[2]);
            j.moves.emplace_back(parts[1], parts[2]);
        } else if (parts.size() == 2 && parts[0] == "remove" && PlainName(parts[1])) {
            if (!IsTableFile(parts[1], true))
                throw bad("it removes " + parts[1]);
            j.removes.push_back(parts[1]);
        } else {
            throw bad("a line reads \"" + line + "\"");
        }
    }
    if (!ended)
        throw bad("it ends before its last line");
    return j;
}

// Before anything moves: the private folder is a real folder of the database
// folder (no link to elsewhere), and every staged file still to move is a
// regular file of its own (no link, no second name of a file elsewhere).
void CheckStaging(const std::string& folder, const std::string& journal, const Journal& j)
{
    const std::string staging = folder + "/" + j.staging;
    struct stat st {};
    if (::lstat(staging.c_str(), &st) != 0) {
        if (errno != ENOENT)
            Fail("read", staging);
        return;  // everything was moved already; only the removals and the journal remain
    }
    if (S_ISLNK(st.st_mode))
        throw JournalDamage(journal, j.staging + " is a link");
    if (!S_ISDIR(st.st_mode))
        throw JournalDamage(journal, j.staging + " is not a folder");
    struct stat parent {};
    if (::stat(folder.c_str(), &parent) != 0)
        Fail("read", folder);
    for (const auto& [from, to] : j.moves) {
        struct stat file {};
        if (::lstat((staging + "/" + from).c_str(), &file) != 0) {
            if (errno == ENOENT)
                continue;
            Fail("read", staging + "/" + from);
        }
        if (!S_ISREG(file.st_mode))
            throw JournalDamage(journal, j.staging + "/" + from + " is not a plain file");
        if (file.st_nlink != 1)
            throw JournalDamage(journal, j.staging + "/" + from + " is also a file elsewhere");
        // A rename cannot leave the file system; a file that would need more is not ours.
        if (file.st_dev != parent.st_dev)
            throw JournalDamage(journal, j.staging + "/" + from + " lies on another file system");
    }
}

void Step(const std::function<void(const std::string&)>& onStep, const std::string& step)
{
    if (onStep)
        onStep(step);
}

// The process number in .twrestore.<pid>.XXXXXX; -1 for a name without one.
long StagingPid(const std::string& name)
{
    const std::string rest = name.substr(std::strlen(kStagingPrefix));
    const std::size_t dot = rest.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 10
        || !std::all_of(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(dot),
                        [](unsigned char c) { return std::isdigit(c); }))
        return -1;
    return std::stol(rest.substr(0, dot));
}

// A private folder of ours, and nothing a link there leads to.
void RemovePrivateFolder(const std::string& path)
{
    std::error_code ignored;
    if (fs::is_directory(fs::symlink_status(path, ignored)))
        fs::remove_all(path, ignored);
}

// Every step may be done already: a rename whose staged file is gone was
// made, a removed file is gone. The moves go through the two folders opened
// once, without following a link, and each file is looked at again just
// before it moves.
void Perform(const std::string& folder, const std::string& journal, const Journal& j,
             const std::function<void(const std::string&)>& onStep)
{
    CheckStaging(folder, journal, j);
    const std::string staging = folder + "/" + j.staging;
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        Fail("open the folder", folder);
    const int stagingFd = ::open(staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (stagingFd < 0 && errno != ENOENT) {
        const int error = errno;
        ::close(folderFd);
        if (error == ELOOP || error == ENOTDIR)
            throw JournalDamage(journal, j.staging + " is not a folder");
        errno = error;
        Fail("open the folder", staging);
    }
    const auto closeBoth = [&] {
        ::close(folderFd);
        if (stagingFd >= 0)
            ::close(stagingFd);
    };
    try {
        for (const auto& [from, to] : j.moves) {
            struct stat st {};
            if (stagingFd < 0 || ::fstatat(stagingFd, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (!S_ISREG(st.st_mode) || st.st_nlink != 1)
                throw JournalDamage(journal, j.staging + "/" + from + " is not a plain file");
            Step(onStep, "move " + to);
            if (::renameat(stagingFd, from.c_str(), folderFd, to.c_str()) != 0)
                Fail("put in place", folder + "/" + to);
        }
        for (const std::string& name : j.removes) {
            struct stat st {};
            if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            Step(onStep, "remove " + name);
            if (::unlinkat(folderFd, name.c_str(), 0) != 0 && errno != ENOENT)
                Fail("remove", folder + "/" + name);
        }
    } catch (...) {
        closeBoth();
        throw;
    }
    closeBoth();
    Step(onStep, "flush");
    SyncFolder(folder);
    Step(onStep, "journal");
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT)
        Fail("remove", journal);
    SyncFolder(folder);
    RemovePrivateFolder(staging);
}

}  // namespace

TableSwap::TableSwap(const std::string& databaseFolder) : folder_(databaseFolder)
{
    std::string pattern = databaseFolder + "/" + kStagingPrefix + std::to_string(::getpid()) + ".XXXXXX";
    if (!::mkdtemp(pattern.data()))
        Fail("create a folder in", databaseFolder);
    staging_ = pattern;
    // Held while this run stages: another workstation's start-up leaves the folder alone.
    lock_ = ::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX | LOCK_NB);
}

TableSwap::~TableSwap()
{
    if (!(committed_ && fs::exists(fs::symlink_status(folder_ + "/" + kSwapJournalName)))) {
        std::error_code ignored;
        fs::remove_all(staging_, ignored);
    }
    if (lock_ >= 0)
        ::close(lock_);
}

void TableSwap::Replace(const std::string& tableFileName)
{
    tables_.push_back(tableFileName);
}

void TableSwap::Commit(const std::function<void(const std::string& step)>& onStep)
{
    Journal j;
    j.staging = fs::path(staging_).filename().string();
    const std::vector<std::string> live = RegularFiles(folder_);
    const std::vector<std::string> staged = RegularFiles(staging_);
    for (const std::string& table : tables_) {
        const std::string stem = Stem(table);
        std::vector<std::string> taken;  // lower-case live names the new files go to
        for (const std::string& name : staged) {
            if (Stem(name) != stem || !IsTableFile(name, false))
                continue;
            // A live file of that name in another letter case is replaced, not kept beside.
            std::string target = name;
            for (const std::string& l : live)
                if (Lower(l) == Lower(name))
                    target = l;
            j.moves.emplace_back(name, target);
            taken.push_back(Lower(target));
        }
        if (taken.empty())
            throw std::runtime_error("The new files of " + table + " are missing in " + staging_);
        for (const std::string& l : live)
            if (Stem(l) == stem && IsTableFile(l, true)
                && std::find(taken.begin(), taken.end(), Lower(l)) == taken.end())
                j.removes.push_back(l);
    }

    // Everything staged reaches the disk before the journal can name it.
    for (const std::string& name : staged) {
        const int fd = ::open((staging_ + "/" + name).c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) {
            if (fd >= 0)
                ::close(fd);
            Fail("flush", staging_ + "/" + name);
        }
        ::close(fd);
    }
    SyncFolder(staging_);

    const std::string journal = folder_ + "/" + kSwapJournalName;
    const std::string temporary = journal + ".tmp";
    try {
        Step(onStep, "write journal");
        WriteDurably(temporary, Format(j));
        Step(onStep, "decide");
        if (::rename(temporary.c_str(), journal.c_str()) != 0)
            Fail("write", journal);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    committed_ = true;
    SyncFolder(folder_);
    Perform(folder_, journal, j, onStep);
}

bool FinishPendingSwap(const std::string& databaseFolder,
                       const std::function<void(const std::string& step)>& onStep)
{
    const std::string journal = databaseFolder + "/" + kSwapJournalName;
    bool finished = false;
    std::error_code ignored;
    if (fs::exists(fs::symlink_status(journal, ignored))) {
        Perform(databaseFolder, journal, Parse(journal), onStep);
        finished = true;
    }
    // Half written, so never decided; a link there goes as a link.
    if (!fs::is_directory(fs::symlink_status(journal + ".tmp", ignored)))
        fs::remove(journal + ".tmp", ignored);
    // Private folders of swaps that never were, unless their run is still staging.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(databaseFolder, ignored))
        if (entry.path().filename().string().rfind(kStagingPrefix, 0) == 0)
            names.push_back(entry.path().filename().string());
    for (const std::string& name : names)
        RemoveDeadRunFolder(databaseFolder, name, StagingPid(name));
    return finished;
}

}  // namespace tw::settings
