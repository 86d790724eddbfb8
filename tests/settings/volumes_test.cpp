// Volumes of the backup medium: space figures past 4 TiB, the free-space
// text, the volume of a folder and the fall-back for a drive without a readable root.
#include <gtest/gtest.h>

#include <set>

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
