#include "settings/volumes.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <set>

namespace tw::settings {

std::optional<Volume> VolumeList::VolumeOf(const std::string& path) const
{
    std::optional<Volume> best;
    for (const Volume& v : Volumes()) {
        const std::string& root = v.rootPath;
        const bool above = root == "/" || path == root
            || (path.size() > root.size() && path.compare(0, root.size(), root) == 0
                && (root.back() == '/' || path[root.size()] == '/'));
        if (above && (!best || root.size() > best->rootPath.size()))
            best = v;
    }
    return best;
}

bool VolumeList::RootReadable(const std::string& rootPath) const
{
    return !rootPath.empty() && ::access(rootPath.c_str(), R_OK | X_OK) == 0;
}

bool IsPseudoFileSystem(const std::string& type)
{
    static const std::set<std::string> pseudo = {
        "proc",       "sysfs",       "devtmpfs", "devpts",   "tmpfs",      "ramfs",  "cgroup",  "cgroup2",
        "securityfs", "debugfs",     "tracefs",  "mqueue",   "hugetlbfs",  "pstore", "bpf",     "configfs",
        "fusectl",    "binfmt_misc", "autofs",   "efivarfs", "rpc_pipefs", "nsfs",   "squashfs"};
    return pseudo.count(type) > 0;
}

std::vector<Volume> SystemVolumes::Volumes() const
{
    std::vector<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() || !info.isReady() || IsPseudoFileSystem(info.fileSystemType().toStdString()))
            continue;
        Volume v;
        v.rootPath = info.rootPath().toStdString();
        v.displayName = info.displayName().toStdString();
        v.bytesTotal = static_cast<std::uint64_t>(std::max<qint64>(info.bytesTotal(), 0));
        v.bytesAvailable = static_cast<std::uint64_t>(std::max<qint64>(info.bytesAvailable(), 0));
        volumes.push_back(v);
    }
    const bool rootListed =
        std::any_of(volumes.begin(), volumes.end(), [](const Volume& v) { return v.rootPath == "/"; });
    if (!rootListed) {
        Volume root{"/", "/", 0, 0};
        struct statvfs space {};
        if (::statvfs("/", &space) == 0) {
            root.bytesTotal = static_cast<std::uint64_t>(space.f_blocks) * space.f_frsize;
            root.bytesAvailable = static_cast<std::uint64_t>(space.f_bavail) * space.f_frsize;
        }
        volumes.push_back(root);
    }
    return volumes;
}

std::string StartDriveOf(const VolumeList& volumes, const std::string& dataFolder)
{
    namespace fs = std::filesystem;
    if (dataFolder.empty())
        return "/";
    std::error_code error;
    // Mount points are real paths: the folder's links and "." or ".." parts go first.
    fs::path folder = fs::weakly_canonical(fs::absolute(dataFolder, error), error);
    if (error)
        folder = fs::absolute(dataFolder, error).lexically_normal();
    std::string path = folder.string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::optional<Volume> volume = volumes.VolumeOf(path);
    return volume && !volume->rootPath.empty() ? volume->rootPath : std::string("/");
}

DriveSpace SpaceOf(const Volume& volume)
{
    const std::uint64_t total = volume.bytesTotal / 1024;
    const std::uint64_t free = volume.bytesAvailable / 1024;
    return {(total > free ? total - free : 0) * 1024, free * 1024};
}

std::string FreeSpaceText(std::uint64_t bytesAvailable)
{
    return std::to_string(bytesAvailable / 1024 / 1024) + " free MBs";
}

DriveChoice ChooseDrive(const VolumeList& volumes, const std::string& chosenRoot,
                        const std::string& startDrive)
{
    if (volumes.RootReadable(chosenRoot))
        return {chosenRoot, false, {}};
    return {startDrive, true, "drive may be empty or not available"};
}

}  // namespace tw::settings
