// Volumes of the backup medium: space figures past 4 TiB, the free-space
// text, the volume of a folder and the fall-back for a drive without a readable root.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "fixedvolumes.h"
#include "settings/volumes.h"

namespace tw::settings {
namespace {

using test::FixedVolumes;

constexpr std::uint64_t KiB = 1024, MiB = KiB * 1024, TiB = MiB * MiB;

TEST(Volumes, FreeSpaceTextRoundsDownInWholeMegabytes)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {1048575 * KiB, "1023 free MBs"},       {1048576 * KiB, "1024 free MBs"},
        {1048576 * KiB - 1, "1023 free MBs"},   {0, "0 free MBs"},
        {5 * TiB, "5242880 free MBs"},  // past the old 32-bit kilobytes
        {20 * TiB + 1023, "20971520 free MBs"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FreeSpaceText(bytes), text) << bytes;
}

TEST(Volumes, PieSlicesHoldForHugeDrives)
{
    const DriveSpace big = SpaceOf({"/srv", "srv", 18 * TiB, 5 * TiB});
    EXPECT_EQ(big.usedBytes, 13 * TiB);
    EXPECT_EQ(big.freeBytes, 5 * TiB);
    // A file system that reports more free than total space shows no used slice.
    const DriveSpace odd = SpaceOf({"/odd", "odd", 10 * MiB, 12 * MiB});
    EXPECT_EQ(odd.usedBytes, 0u);
}

TEST(Volumes, AFolderLiesOnTheDeepestMountAboveIt)
{
    FixedVolumes v;
    v.list = {{"/", "root", 1, 1}, {"/media/stick", "STICK", 1, 1}, {"/media/stick2", "OTHER", 1, 1}};
    const std::pair<const char*, const char*> cases[] = {
        {"/home/office/db", "/"},
        {"/media/stick", "/media/stick"},
        {"/media/stick/backups", "/media/stick"},
        {"/media/stick2/x", "/media/stick2"},
        {"/media/sticky", "/"},
    };
    for (const auto& [path, root] : cases)
        EXPECT_EQ(v.VolumeOf(path)->rootPath, root) << path;
    v.list.erase(v.list.begin());
    EXPECT_FALSE(v.VolumeOf("/home").has_value());
}

// The start drive follows the data folder through the mount table it is
// given, whatever this machine mounts.
TEST(Volumes, TheStartDriveIsTheLongestMountHoldingTheDataFolder)
{
    struct Case {
        std::vector<const char*> mounts;
        const char* folder;
        const char* drive;
    };
    const Case cases[] = {
        // A mount table that lists no volume holding the folder (a chroot
        // with the host's table, a container): the root.
        {{"/tw-host/boot", "/tw-host/home"}, "/tw-vol/data/tarnwick", "/"},
        {{}, "/tw-vol/data", "/"},
        {{"/", "/tw-vol"}, "/tw-other/data", "/"},
        // Nested mounts: the deepest one above the folder.
        {{"/", "/tw-vol", "/tw-vol/data", "/tw-vol/data/deep"}, "/tw-vol/data/tarnwick", "/tw-vol/data"},
        {{"/tw-vol/data/deep", "/tw-vol", "/tw-vol/data"}, "/tw-vol/data/deep/db", "/tw-vol/data/deep"},
        {{"/", "/tw-vol/data"}, "/tw-vol/data", "/tw-vol/data"},
        // A mount point that starts the folder's name but is no parent of it.
        {{"/", "/tw-vol/dat", "/tw-vol/data-old"}, "/tw-vol/data/tarnwick", "/"},
        {{"/tw-vol/da"}, "/tw-vol/data", "/"},
        // The folder as a user may type it.
        {{"/", "/tw-vol/data"}, "/tw-vol/data/", "/tw-vol/data"},
        {{"/", "/tw-vol/data"}, "/tw-vol/other/../data/db", "/tw-vol/data"},
        {{"/", "/tw-vol/data"}, "", "/"},
    };
    for (const Case& c : cases) {
        FixedVolumes v;
        for (const char* mount : c.mounts)
            v.list.push_back({mount, mount, 1, 1});
        EXPECT_EQ(StartDriveOf(v, c.folder), c.drive) << c.folder << " on " << c.mounts.size() << " mounts";
    }
}

TEST(Volumes, TheSystemListAlwaysOffersTheRoot)
{
    const std::vector<Volume> system = SystemVolumes().Volumes();
    EXPECT_EQ(std::count_if(system.begin(), system.end(), [](const Volume& v) { return v.rootPath == "/"; }), 1);
}

TEST(Volumes, ADriveWithoutAReadableRootFallsBackToTheStartDrive)
{
    FixedVolumes v;
    v.list = {{"/", "root", 1, 1}, {"/media/cdrom", "CD", 0, 0}};
    v.unreadable = {"/media/cdrom"};
    const DriveChoice empty = ChooseDrive(v, "/media/cdrom", "/");
    EXPECT_TRUE(empty.fellBack);
    EXPECT_EQ(empty.folder, "/");
    EXPECT_EQ(empty.statusText, "drive may be empty or not available");
    const DriveChoice root = ChooseDrive(v, "/", "/");
    EXPECT_FALSE(root.fellBack);
    EXPECT_EQ(root.folder, "/");
}

TEST(Volumes, TheSystemListHasNoPseudoFileSystems)
{
    for (const Volume& v : SystemVolumes().Volumes()) {
        EXPECT_NE(v.rootPath, "/proc");
        EXPECT_NE(v.rootPath, "/sys");
        EXPECT_NE(v.rootPath.rfind("/sys/", 0), 0u) << v.rootPath;
    }
    for (const char* type : {"proc", "sysfs", "tmpfs", "cgroup2", "devpts"})
        EXPECT_TRUE(IsPseudoFileSystem(type)) << type;
    for (const char* type : {"ext4", "vfat", "exfat", "nfs4", "cifs", "overlay", "btrfs"})
        EXPECT_FALSE(IsPseudoFileSystem(type)) << type;
}

}  // namespace
}  // namespace tw::settings
