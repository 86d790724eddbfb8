#include "settings/backuparchive.h"

#include <fcntl.h>
#include <sys/file.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "platform/db/tableops.h"
#include "settings/leftovers.h"

namespace fs = std::filesystem;

namespace tw::settings {

namespace {

const char* const kBackupFolderPrefix = "twbackup";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string ExtensionOf(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
}

// The files of the folder as they are while the lock is held: tables through
// the engine, each in a folder of its own (names that differ only in case are
// one table to the engine, two files here), other files copied as they lie.
std::vector<archive::ArchiveSource> TakeSnapshot(const std::string& databaseFolder,
                                                 const std::string& staging)
{
    const std::vector<std::string> names = archive::ListFolder(databaseFolder);
    std::map<std::string, std::string> readFrom;  // entry name -> file to archive
    std::set<std::string> tableFiles;
    int tableNumber = 0;
    for (const std::string& name : names) {
        if (IsEngineWorkingFile(name) || !EndsWith(Lower(name), ".dbf"))
            continue;
        const std::string copyFolder = staging + "/" + std::to_string(++tableNumber);
        fs::create_directory(copyFolder);
        db::CopyTable(databaseFolder, name, copyFolder, name);
        std::map<std::string, std::string> copied;  // extension -> copy
        for (const std::string& path : db::TableFamily(copyFolder, name))
            copied[ExtensionOf(path)] = path;
        for (const std::string& path : db::TableFamily(databaseFolder, name)) {
            const std::string entry = fs::path(path).filename().string();
            const auto copy = copied.find(ExtensionOf(path));
            if (copy == copied.end() || tableFiles.count(entry))
                continue;
            tableFiles.insert(entry);
            readFrom[entry] = copy->second;
        }
    }
    const std::string others = staging + "/files";
    fs::create_directory(others);
    for (const std::string& name : names) {
        if (IsEngineWorkingFile(name) || readFrom.count(name))
            continue;
        const std::string copy = others + "/" + name;
        std::error_code error;
        if (!fs::copy_file(databaseFolder + "/" + name, copy, error)) {
            // A file that went away since the listing is no longer part of the folder.
            if (!fs::exists(databaseFolder + "/" + name))
                continue;
            throw SnapshotError("Cannot read " + databaseFolder + "/" + name + ": " + error.message());
        }
        readFrom[name] = copy;
    }
    std::vector<archive::ArchiveSource> sources;
    for (const std::string& name : names) {
        const auto found = readFrom.find(name);
        if (found != readFrom.end())
            sources.push_back({name, found->second});
    }
    return sources;
}

// Held on the temporary archive from its making until it has its final
// name: whoever finds the file meanwhile can tell this run at work from a
// dead one's leftover (leftovers.h). Read and write, so that a network
// file system can lock it too.
class RunLock {
public:
    explicit RunLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC))
    {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX | LOCK_NB);
    }
    ~RunLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

private:
    int fd_;
};

std::string TemporaryName(const std::string& archivePath)
{
    static std::atomic<unsigned> counter{0};
    return archivePath + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + ".tmp";
}

void SyncFolderOf(const std::string& path)
{
    const int fd = ::open(fs::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string StagingParentOf(const BackupArchiveOptions& options)
{
    return options.stagingParent.empty() ? QDir::tempPath().toStdString() : options.stagingParent;
}

bool IsEngineWorkingFile(const std::string& name)
{
    const std::string lower = Lower(name);
    return EndsWith(lower, ".twj") || EndsWith(lower, ".twr") || EndsWith(lower, ".twtmp");
}

std::vector<archive::ArchiveEntry> WriteBackupArchive(const std::string& databaseFolder,
                                                      const std::string& archivePath,
                                                      const BackupArchiveCalls& calls,
                                                      const BackupArchiveOptions& options)
{
    const std::string folder = fs::path(archivePath).parent_path().string();
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw archive::ArchiveError("The folder " + folder + " does not exist");

    std::unique_ptr<RunFolder> staging;
    try {
        staging = std::make_unique<RunFolder>(StagingParentOf(options), kBackupFolderPrefix);
    } catch (const std::runtime_error& e) {
        throw SnapshotError(e.what());
    }
    std::vector<archive::ArchiveSource> sources;
    if (calls.takeLock && !calls.takeLock())
        throw LockNotTaken();
    const auto releaseLock = [&calls] {
        if (calls.releaseLock)
            calls.releaseLock();
    };
    try {
        sources = TakeSnapshot(databaseFolder, staging->path());
    } catch (...) {
        // The lock goes back before the failure is reported, whatever it was.
        releaseLock();
        try {
            throw;
        } catch (const std::exception& e) {
            throw SnapshotError(e.what());
        }
    }
    releaseLock();

    const std::string temp = TemporaryName(archivePath);
    std::unique_ptr<archive::ArchiveOutput> out =
        options.openOutput ? options.openOutput(temp) : std::make_unique<archive::FileOutput>(temp);
    const RunLock lock(temp);
    try {
        std::size_t done = 0;
        const auto archived = [&](const std::string& name) {
            return !calls.archived || calls.archived(name, ++done, sources.size());
        };
        std::vector<archive::ArchiveEntry> entries = archive::WriteZip(*out, sources, archived);
        out.reset();
        archive::VerifyArchive(temp, entries);
        if (::rename(temp.c_str(), archivePath.c_str()) != 0)
            throw archive::ArchiveError("Cannot rename " + temp + " to " + archivePath);
        SyncFolderOf(archivePath);
        return entries;
    } catch (...) {
        out.reset();
        ::unlink(temp.c_str());
        throw;
    }
}

}  // namespace tw::settings
