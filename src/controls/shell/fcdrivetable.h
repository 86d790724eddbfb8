#pragma once
// The drive table: this machine's mounted volumes as drives.
//
// Built from the mount table's text (the format of /proc/self/mounts: source,
// mount point, type, options, with octal escapes), so tests feed fixtures.
// Pseudo file systems are left out; "/" is always there even when the text
// lacks it. Each drive gets a letter, "/" C and the rest D, E, ... in the
// order of their mount points, so code that names drives by a letter keeps
// working; a table with more drives than letters drops the last ones. The
// mount point is the drive's real name.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tw::controls::shell {

enum class DriveType { Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveInfo {
    QChar letter;
    QString mountPoint;
    DriveType type = DriveType::Fixed;
    QString label;                       // the volume label, else the mount point
    std::uint32_t serial = 0xFFFFFFFFu;  // from the file-system UUID
    QString networkName;                 // the source of a network mount
    QString source;
    QString fsType;
    bool readOnly = false;
};

// What the table needs to know about a device beyond the mount table; the
// system's answer reads /dev/disk and /sys, tests give their own.
class DriveProbe {
public:
    virtual ~DriveProbe() = default;
    virtual QString Label(const QString& source) const = 0;
    virtual QString Uuid(const QString& source) const = 0;
    virtual bool IsRemovable(const QString& source) const = 0;
};
const DriveProbe& SystemDriveProbe();

class DriveTable {
public:
    DriveTable() = default;
    static DriveTable Parse(const QString& mountTable, const DriveProbe& probe);

    const std::vector<DriveInfo>& Drives() const { return drives_; }
    const DriveInfo* FindByLetter(QChar letter) const;
    const DriveInfo* FindByMountPoint(const QString& mountPoint) const;
    // The drive whose mount point holds path (the longest match); "/" at least.
    const DriveInfo* DriveOfPath(const QString& path) const;

private:
    std::vector<DriveInfo> drives_;
};

// The serial a UUID gives: its first eight hex digits; 0xFFFFFFFF when there
// are fewer.
std::uint32_t SerialFromUuid(const QString& uuid);
bool IsPseudoFileSystem(const QString& fsType, const QString& mountPoint);

// The process's drive table, read from /proc/self/mounts on first use and
// kept until FlushDriveInfoCache. Tests may put their own source in place.
std::shared_ptr<const DriveTable> CurrentDriveTable();
void SetDriveTableSource(std::function<DriveTable()> source);  // empty: the system's
QString ReadSystemMountTable();

// Drops the cached table unless a lock is held; locks nest.
void FlushDriveInfoCache();
void LockFlushDriveInfoCache();
void UnlockFlushDriveInfoCache();

}  // namespace tw::controls::shell
