// What a backup or a restore killed half way leaves behind: while its
// process lives, nobody touches its work files; once it is dead, the next
// backup or restore removes them and says so, and leaves alone every name
// that is not its own, every link, and the work of a live run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "recordinghost.h"
#include "restorefixture.h"
#include "settings/databasebackup.h"
#include "settings/leftovers.h"

namespace tw::settings::test {
namespace {

// A backup that stops for good after its first archived file, once it has
// told the test so.
class PausingHost : public RecordingHost {
public:
    int signal = -1;
    bool ContinueBackup(const std::string&, int, int) override
    {
        PauseForEver(signal);
        return true;
    }
    static void PauseForEver(int fd)
    {
        (void)!::write(fd, "x", 1);
        for (;;)
            ::pause();
    }
};

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Starting(const fs::path& folder, const std::string& start)
{
    std::vector<std::string> names;
    for (const std::string& name : Names(folder))
        if (name.rfind(start, 0) == 0)
            names.push_back(name);
    return names;
}

class LeftoversTest : public RestoreFixture {
protected:
    void SetUp() override
    {
        RestoreFixture::SetUp();
        temp_ = root_ / "temp";
        outside_ = root_ / "outside";
        fs::create_directories(temp_);
        fs::create_directories(outside_ / "folder");
        WriteFile(outside_ / "archive.bin", std::string(4000, 'A'));
        WriteFile(outside_ / "folder" / "table.dbf", "outside table");
    }

    // A child process that runs work and stops inside it; returns once it has stopped.
    pid_t StartAndStop(const std::function<void(int signal)>& work)
    {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            work(fds[1]);
            ::_exit(1);  // it was to stop, not to end
        }
        ::close(fds[1]);
        char c = 0;
        EXPECT_EQ(::read(fds[0], &c, 1), 1) << "the child ended before it stopped";
        ::close(fds[0]);
        return child;
    }

    static void Kill(pid_t child)
    {
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << status;
    }

    BackupArchiveOptions Options() const
    {
        BackupArchiveOptions options;
        options.stagingParent = temp_.string();
        return options;
    }

    fs::path temp_, outside_;
};

TEST_F(LeftoversTest, WhatAKilledRunLeftGoesWithTheNextRunAndNothingElse)
{
    Put(Src(), "customers.dbf", {{{"CID", 5.0}, {"NAME", std::string("Backup five")}}});
    Put(Db(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Live")}}});
    Archive();

    const pid_t backupRun = StartAndStop([&](int signal) {
        PausingHost host;
        host.signal = signal;
        host.backupFolder = backups_.string();
        host.databaseFolder = Db();
        CursorRecordingUi ui;
        DatabaseBackup(host, ui, Options()).BackupDatabase(false);
    });
    const pid_t restoreRun = StartAndStop([&](int signal) {
        RestoreOptions options;
        options.onSwapStep = [signal](const std::string&) { PausingHost::PauseForEver(signal); };
        host_.answers = {true, true};
        SmartRestore(host_, ui_, options).RestoreClick();
    });
    const std::string backupPid = std::to_string(backupRun), restorePid = std::to_string(restoreRun);
    const std::vector<std::string> archiveTemporary = Starting(backups_, "DOZOrez_");
    ASSERT_EQ(archiveTemporary.size(), 1u);
    EXPECT_NE(archiveTemporary[0].find(".zip." + backupPid + "."), std::string::npos) << archiveTemporary[0];
    ASSERT_EQ(Starting(temp_, "twbackup." + backupPid + ".").size(), 1u);
    ASSERT_EQ(Starting(restore_, "restore." + restorePid + ".").size(), 1u);
    ASSERT_EQ(Starting(db_, ".twrestore." + restorePid + ".").size(), 1u);

    // Both runs alive: their work stays whoever looks.
    const auto backupsWhileAlive = Names(backups_);
    const auto dbWhileAlive = Names(db_);
    for (const fs::path* folder : {&backups_, &temp_, &restore_})
        EXPECT_TRUE(RemoveLeftovers(folder->string()).empty());
    FinishPendingSwap(Db());
    EXPECT_EQ(Names(backups_), backupsWhileAlive);
    EXPECT_EQ(Names(db_), dbWhileAlive);
    EXPECT_EQ(Starting(temp_, "twbackup.").size(), 1u);
    EXPECT_EQ(Starting(restore_, "restore.").size(), 1u);

    Kill(backupRun);
    Kill(restoreRun);
    // Names like the work files' that are not theirs to remove: links out of
    // the folder, another program's file, and the work of a live run (this one).
    const std::string self = std::to_string(::getpid());
    fs::create_symlink(outside_ / "archive.bin", backups_ / ("Old_1_1_2026.zip." + backupPid + ".1.tmp"));
    fs::create_directory_symlink(outside_ / "folder", restore_ / ("restore." + restorePid + ".AbC123"));
    fs::create_directory_symlink(outside_ / "folder", temp_ / ("twbackup." + backupPid + ".AbC123"));
    WriteFile(backups_ / ("letter." + backupPid + ".1.tmp"), "someone else's");
    WriteFile(backups_ / ("Live_1_1_2026.zip." + self + ".1.tmp"), "a backup at work");
    fs::create_directory(restore_ / ("restore." + self + ".XyZ789"));
    const auto outsideBefore = FolderBytes(outside_);

    // The next backup takes what the dead backup left.
    RecordingHost host;
    host.backupFolder = backups_.string();
    host.databaseFolder = Db();
    CursorRecordingUi ui;
    ASSERT_EQ(DatabaseBackup(host, ui, Options()).BackupDatabase(false), BackupOutcome::Completed);
    EXPECT_EQ(Starting(backups_, "DOZOrez_").size(), 1u);
    EXPECT_EQ(Starting(backups_, "DOZOrez_")[0].find(".tmp"), std::string::npos);
    EXPECT_EQ(Starting(temp_, "twbackup."), std::vector<std::string>{"twbackup." + backupPid + ".AbC123"});
    EXPECT_NE(ui.Status[2].find(archiveTemporary[0]), std::string::npos) << ui.Status[2];
    EXPECT_NE(ui.Status[2].find("left by an interrupted backup or restore"), std::string::npos);
    EXPECT_EQ(ui.Status[0], "Backup completed");

    // The next restore takes what the dead restore left, in both folders.
    host_.sharedUsable = false;
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    EXPECT_EQ(Column(Db(), "customers.dbf", "NAME"), std::vector<std::string>{"Backup five"});
    std::vector<std::string> keptInRestore = {"restore." + restorePid + ".AbC123", "restore." + self + ".XyZ789"};
    std::sort(keptInRestore.begin(), keptInRestore.end());
    EXPECT_EQ(Names(restore_), keptInRestore);
    EXPECT_TRUE(Starting(db_, ".twrestore.").empty());
    EXPECT_NE(ui_.Status[2].find("restore." + restorePid + "."), std::string::npos) << ui_.Status[2];
    EXPECT_EQ(ui_.Status[1], "Completed database update");

    std::vector<std::string> keptInBackups = {Starting(backups_, "DOZOrez_")[0],
                                              "Live_1_1_2026.zip." + self + ".1.tmp",
                                              "Old_1_1_2026.zip." + backupPid + ".1.tmp", "backup.zip",
                                              "letter." + backupPid + ".1.tmp"};
    std::sort(keptInBackups.begin(), keptInBackups.end());
    EXPECT_EQ(Names(backups_), keptInBackups);
    EXPECT_TRUE(fs::is_symlink(backups_ / ("Old_1_1_2026.zip." + backupPid + ".1.tmp")));
    EXPECT_EQ(FolderBytes(outside_), outsideBefore);
    EXPECT_EQ(ReadFile(outside_ / "folder" / "table.dbf"), "outside table");

    // Nothing left, nothing said.
    EXPECT_TRUE(RemoveLeftovers(backups_.string()).empty());
    EXPECT_EQ(LeftoversRemovedText({}), "");
}

}  // namespace
}  // namespace tw::settings::test
