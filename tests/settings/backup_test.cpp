// The backup archive: what goes in, the order of the steps around it, and
// every way it can fail without losing anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "backupfixture.h"
#include "settings/backuparchive.h"

namespace tw::settings::test {
namespace {

using Calls = std::vector<std::string>;

std::vector<std::string> EntryNames(const std::string& zip)
{
    std::vector<std::string> names;
    for (const auto& e : archive::ListArchive(zip))
        names.push_back(e.name);
    return names;
}

class BackupTest : public BackupFixture {};

TEST_F(BackupTest, ArchiveHoldsExactlyTheFolderFilesByBaseName)
{
    const auto before = FolderBytes(db_);
    DatabaseBackup backup(host_, ui_);
    ASSERT_EQ(backup.BackupAllClick(), BackupOutcome::Completed);

    EXPECT_EQ(backup.LastArchivePath(), ArchivePath());
    EXPECT_EQ(EntryNames(ArchivePath()),
              (std::vector<std::string>{"ICharts.DBF", "ICharts.dbt", "ICharts.twi", "Setup.INI", "empty.txt",
                                        "params.dbf"}));
    EXPECT_EQ(FolderBytes(target_).size(), 1u) << "nothing but the archive in the backup folder";
    EXPECT_EQ(FolderBytes(db_), before);

    // Another program unpacks it into the same bytes.
    const fs::path out = root_ / "unzipped";
    const std::string cmd =
        "/usr/bin/python3 -c \"import zipfile,sys; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])\" "
        + ArchivePath() + " " + out.string();
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    for (const auto& [name, bytes] : FolderBytes(out))
        EXPECT_EQ(bytes, before.at(name)) << name;

    EXPECT_EQ(host_.calls,
              (Calls{"StoreBackupFolder", "PushChartUpdates", "CloseAllTables", "TakeNetworkLock",
                     "ReleaseNetworkLock", "OpenAllTables", "RefreshBackupView"}));
    EXPECT_EQ(host_.storedFolder, target_.string());
    EXPECT_EQ(host_.lockWaits, std::vector<int>{-1});
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_EQ(ui_.Status[0], "Backup completed");
    EXPECT_EQ(ui_.Status[1], "");
    const auto& h = ui_.StatusHistory;
    EXPECT_NE(std::find(h.begin(), h.end(), std::pair<int, std::string>{1, "ICharts.dbt"}), h.end());
    EXPECT_FALSE(host_.busy);
    EXPECT_FALSE(ui_.hourglass);
}

TEST_F(BackupTest, ASecondBackupInTheSameSecondReplacesTheFirst)
{
    DatabaseBackup backup(host_, ui_);
    ASSERT_EQ(backup.BackupDatabase(false), BackupOutcome::Completed);
    WriteFile(db_ / "later.txt", "added");
    ASSERT_EQ(backup.BackupDatabase(false), BackupOutcome::Completed);
    EXPECT_EQ(FolderBytes(target_).size(), 1u);
    EXPECT_EQ(EntryNames(ArchivePath()).size(), 7u);
}

// Each way the medium can let the backup down: the box, the earlier archive
// of that name and the database untouched, no temporary file, the tables open
// again once, BUDIR stored first, and never "Backup completed".
TEST_F(BackupTest, AFailingMediumLosesNothing)
{
    // The size of a whole archive, to fail inside it.
    std::uint64_t size = 0;
    {
        RecordingHost probe = host_;
        data::RecordingUserInterface quiet;
        probe.backupFolder = (root_ / "probe").string();
        fs::create_directory(probe.backupFolder);
        DatabaseBackup probeBackup(probe, quiet);
        ASSERT_EQ(probeBackup.BackupDatabase(true), BackupOutcome::Completed);
        size = fs::file_size(probeBackup.LastArchivePath());
    }
    ASSERT_GT(size, 4000u);

    struct Case {
        std::string name;
        std::uint64_t capacity = UINT64_MAX;
        std::uint64_t damageAt = UINT64_MAX;
        bool removeFolder = false;
    };
    const std::vector<Case> cases = {
        {"full at once", 0},
        {"full after one byte", 1},
        {"full in the first table", 2000},
        {"full in the middle", size / 2},
        {"full in the directory", size - 30},
        {"damaged first table", UINT64_MAX, 1500},
        {"damaged last file", UINT64_MAX, size / 2 + size / 4},
        {"medium removed", UINT64_MAX, UINT64_MAX, true},
    };
    const auto database = FolderBytes(db_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(target_);
        fs::create_directory(target_);
        if (c.removeFolder)
            fs::remove(target_);
        else
            WriteFile(ArchivePath(), "the earlier archive");
        host_.calls.clear();
        ui_.Messages.clear();
        ui_.StatusHistory.clear();

        BackupArchiveOptions options;
        options.openOutput = [&](const std::string& path) {
            return std::make_unique<TestMedium>(path, c.capacity, c.damageAt);
        };
        DatabaseBackup backup(host_, ui_, options);
        EXPECT_EQ(backup.BackupAllClick(), BackupOutcome::Failed);

        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].text, "Check backup media selection");
        EXPECT_EQ(ui_.Messages[0].caption, "Backup failed");
        EXPECT_EQ(ui_.Messages[0].icon, data::MessageIcon::Stop);
        if (!c.removeFolder) {
            EXPECT_EQ(FolderBytes(target_),
                      (std::map<std::string, std::string>{
                          {fs::path(ArchivePath()).filename().string(), "the earlier archive"}}));
        } else {
            EXPECT_FALSE(fs::exists(target_));
        }
        EXPECT_EQ(FolderBytes(db_), database);
        EXPECT_EQ(host_.calls.front(), "StoreBackupFolder");
        EXPECT_EQ(std::count(host_.calls.begin(), host_.calls.end(), "OpenAllTables"), 1);
        EXPECT_EQ(std::count(host_.calls.begin(), host_.calls.end(), "CloseMainWindow"), 1);
        EXPECT_EQ(host_.tablesClosed, 0);
        EXPECT_FALSE(host_.lockHeld);
        for (const auto& [panel, text] : ui_.StatusHistory)
            EXPECT_NE(text, "Backup completed");
        EXPECT_EQ(ui_.Status[0], "Backup failed");
        EXPECT_FALSE(host_.busy);
        EXPECT_FALSE(ui_.hourglass);
    }
}

// Runs as an ordinary user even when the tests run as root, for whom no
// folder is without rights.
TEST_F(BackupTest, AFolderWithoutRightsLosesNothing)
{
    WriteFile(ArchivePath(), "the earlier archive");
    for (const fs::path& p : {root_, db_, target_})
        fs::permissions(p,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                            | fs::perms::others_read | fs::perms::others_exec);
    for (const auto& e : fs::directory_iterator(db_))
        fs::permissions(e.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    const auto database = FolderBytes(db_);
    fs::permissions(target_,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                        | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(10);
        const BackupOutcome outcome = DatabaseBackup(host_, ui_).BackupDatabase(true);
        const bool told = ui_.Messages.size() == 1 && ui_.Messages[0].text == "Check backup media selection";
        ::_exit(outcome == BackupOutcome::Failed && told ? 0 : 11);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    fs::permissions(target_, fs::perms::owner_all);
    EXPECT_EQ(FolderBytes(target_).size(), 1u);
    EXPECT_EQ(ReadFile(ArchivePath()), "the earlier archive");
    EXPECT_EQ(FolderBytes(db_), database);
}

TEST_F(BackupTest, AtExitNothingIsPushedClosedOrReopenedAndTheLockWaitIsBounded)
{
    DatabaseBackup backup(host_, ui_);
    ASSERT_EQ(backup.BackupDatabase(true), BackupOutcome::Completed);
    EXPECT_EQ(host_.calls, (Calls{"TakeNetworkLock", "ReleaseNetworkLock", "RefreshBackupView"}));
    EXPECT_EQ(host_.lockWaits, std::vector<int>{kExitLockWaitMilliseconds});

    // A failure at exit is told once and the program is not asked to close again.
    host_.calls.clear();
    BackupArchiveOptions full;
    full.openOutput = [](const std::string& path) {
        return std::make_unique<TestMedium>(path, 100, UINT64_MAX);
    };
    EXPECT_EQ(DatabaseBackup(host_, ui_, full).BackupDatabase(true), BackupOutcome::Failed);
    EXPECT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(host_.calls, (Calls{"TakeNetworkLock", "ReleaseNetworkLock", "RefreshBackupView"}));
}

TEST_F(BackupTest, ALockThatIsNotHadSkipsTheBackupWithAMessage)
{
    host_.refuseLock = true;
    for (bool atExit : {true, false}) {
        SCOPED_TRACE(atExit);
        ui_.Messages.clear();
        EXPECT_EQ(DatabaseBackup(host_, ui_).BackupDatabase(atExit), BackupOutcome::Failed);
        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].text,
                  "Another workstation kept the database locked, so no backup was made.");
        EXPECT_TRUE(FolderBytes(target_).empty());
        EXPECT_EQ(host_.tablesClosed, 0);
        EXPECT_FALSE(host_.busy);
    }
    EXPECT_EQ(std::count(host_.calls.begin(), host_.calls.end(), "CloseMainWindow"), 0);
}

TEST_F(BackupTest, AFailingPushCloseOrFolderStoreIsToldAndEverythingRestored)
{
    struct Case {
        std::string failOn;
        BackupOutcome outcome;
        Calls calls;
    };
    const std::vector<Case> cases = {
        {"PushChartUpdates",
         BackupOutcome::Failed,
         {"StoreBackupFolder", "PushChartUpdates", "RefreshBackupView"}},
        {"CloseAllTables",
         BackupOutcome::Failed,
         {"StoreBackupFolder", "PushChartUpdates", "CloseAllTables", "OpenAllTables", "RefreshBackupView"}},
        {"StoreBackupFolder",
         BackupOutcome::Completed,
         {"StoreBackupFolder", "PushChartUpdates", "CloseAllTables", "TakeNetworkLock", "ReleaseNetworkLock",
          "OpenAllTables", "RefreshBackupView"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failOn);
        host_.calls.clear();
        host_.tablesClosed = 0;
        host_.failOn = c.failOn;
        ui_.Messages.clear();
        EXPECT_EQ(DatabaseBackup(host_, ui_).BackupAllClick(), c.outcome);
        EXPECT_EQ(host_.calls, c.calls);
        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].text, c.failOn + " failed");
        EXPECT_EQ(ui_.Messages[0].caption, "Backup failed");
        EXPECT_FALSE(host_.busy);
        EXPECT_FALSE(ui_.hourglass);
    }
}

TEST_F(BackupTest, SkipAbandonsTheArchiveAndKeepsTheEarlierOne)
{
    WriteFile(ArchivePath(), "the earlier archive");
    host_.continueFor = 2;
    EXPECT_EQ(DatabaseBackup(host_, ui_).BackupDatabase(true), BackupOutcome::Skipped);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_EQ(FolderBytes(target_).size(), 1u);
    EXPECT_EQ(ReadFile(ArchivePath()), "the earlier archive");
    EXPECT_EQ(ui_.Status[0], "Backup skipped");
    EXPECT_FALSE(host_.lockHeld);
}

TEST_F(BackupTest, NoBackupFolderIsAMediumFailure)
{
    host_.backupFolder.clear();
    EXPECT_EQ(DatabaseBackup(host_, ui_).BackupDatabase(true), BackupOutcome::Failed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Check backup media selection");
}

// A snapshot that fails gives the network lock back once, before its error
// is reported, and leaves no archive.
TEST_F(BackupTest, AFailedSnapshotReleasesTheLockOnce)
{
    fs::create_directories(root_ / "damaged");
    WriteFile(root_ / "damaged" / "Broken.DBF", "this is not a table");
    const struct {
        const char* name;
        fs::path folder;
    } cases[] = {
        {"a database folder that is not there", root_ / "missing"},
        {"a table the engine refuses", root_ / "damaged"},
    };
    for (const auto& c : cases) {
        int taken = 0, released = 0;
        BackupArchiveCalls calls;
        calls.takeLock = [&] {
            ++taken;
            return true;
        };
        calls.releaseLock = [&] {
            EXPECT_EQ(released, taken - 1) << c.name;
            ++released;
        };
        EXPECT_THROW(WriteBackupArchive(c.folder.string(), ArchivePath(), calls), SnapshotError) << c.name;
        EXPECT_EQ(taken, 1) << c.name;
        EXPECT_EQ(released, 1) << c.name;
        EXPECT_FALSE(fs::exists(ArchivePath())) << c.name;
    }
}

}  // namespace
}  // namespace tw::settings::test
