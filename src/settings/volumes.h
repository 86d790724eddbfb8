#pragma once
// The drives of the backup medium box: mounted volumes by mount point, their
// size and free space in bytes (64-bit: a 4 TiB drive is an ordinary drive),
// and the free-space text under the pie. The list is injectable, so that
// nothing of this depends on what happens to be mounted.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw::settings {

struct Volume {
    std::string rootPath;  // the mount point, as the system spells it
    std::string displayName;
    std::uint64_t bytesTotal = 0;
    std::uint64_t bytesAvailable = 0;  // what this user may still write
};

class VolumeList {
public:
    virtual ~VolumeList() = default;
    virtual std::vector<Volume> Volumes() const = 0;
    // The volume that holds path: the one with the longest mount point above it.
    std::optional<Volume> VolumeOf(const std::string& path) const;
    // A root that cannot be listed counts as missing (an empty reader, a
    // network share that went away).
    virtual bool RootReadable(const std::string& rootPath) const;
};

// Mounted volumes that are valid and ready, without the system's pseudo file
// systems (proc, sysfs, cgroups, tmpfs and the like). The root folder is
// always one of them, so that the start drive can be chosen in the drive box
// even where the mount table names no volume at "/".
class SystemVolumes : public VolumeList {
public:
    std::vector<Volume> Volumes() const override;
};

bool IsPseudoFileSystem(const std::string& type);

// The drive the program starts on: the volume that holds the data folder (the
// longest mount point that is the folder or a parent folder of it), or "/"
// when no listed volume holds it (a container, a chroot or a bind mount whose
// mount table names other folders).
std::string StartDriveOf(const VolumeList& volumes, const std::string& dataFolder);

struct DriveSpace {
    std::uint64_t usedBytes = 0;  // the pie's red slice
    std::uint64_t freeBytes = 0;  // the blue one
};
DriveSpace SpaceOf(const Volume& volume);

// Whole free megabytes (kilobytes first, each rounded down) and " free MBs".
std::string FreeSpaceText(std::uint64_t bytesAvailable);

// The drive box's choice: the chosen volume when its root can be read;
// otherwise the start volume, with the text for the backup status bar.
struct DriveChoice {
    std::string folder;  // the new backup folder
    bool fellBack = false;
    std::string statusText;  // "drive may be empty or not available" after a fall-back
};
DriveChoice ChooseDrive(const VolumeList& volumes, const std::string& chosenRoot,
                        const std::string& startDrive);

}  // namespace tw::settings
