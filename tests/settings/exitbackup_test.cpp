// The automatic backup at exit through its window's logic: switched off by
// SF3, the window open for exactly the backup, the progress of each file,
// Skip at any moment, the bounded wait for another workstation's lock and
// a failure told once, with nothing of the program's closing steps run.
#include <gtest/gtest.h>

#include <algorithm>

#include "backupfixture.h"
#include "settings/exitbackup.h"

namespace tw::settings::test {
namespace {

using Calls = std::vector<std::string>;

// The window as the logic sees it; Skip is pressed after skipAfterWaits waits.
class RecordingView : public ExitBackupView {
public:
    void ShowWindow(const std::string& folder) override
    {
        events.push_back("open " + folder);
        open = true;
    }
    void ShowProgress(const std::string& file, int done, int total) override
    {
        EXPECT_TRUE(open);
        progress.push_back(file + " " + std::to_string(done) + "/" + std::to_string(total));
    }
    void ShowNote(const std::string& text) override
    {
        if (!text.empty())
            events.push_back(text);
    }
    bool Wait(int milliseconds) override
    {
        EXPECT_TRUE(open);
        waited += milliseconds;
        return skipAfterWaits >= 0 && waits++ >= skipAfterWaits;
    }
    void CloseWindow() override
    {
        events.push_back("close");
        open = false;
    }

    Calls events;
    Calls progress;
    bool open = false;
    int waited = 0;
    int waits = 0;
    int skipAfterWaits = -1;
};

class ExitBackupTest : public BackupFixture {
protected:
    RecordingView view_;
};

TEST_F(ExitBackupTest, SwitchedOffBySF3NothingIsMadeAndNoWindowOpens)
{
    EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(true), std::nullopt);
    EXPECT_TRUE(view_.events.empty());
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(FolderBytes(target_).empty());
}

TEST_F(ExitBackupTest, TheWindowShowsEachFileAndTheTablesStayClosed)
{
    EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(false), BackupOutcome::Completed);
    EXPECT_EQ(view_.events, (Calls{"open " + target_.string(), "close"}));
    EXPECT_EQ(view_.progress, (Calls{"ICharts.DBF 1/6", "ICharts.dbt 2/6", "ICharts.twi 3/6", "Setup.INI 4/6",
                                     "empty.txt 5/6", "params.dbf 6/6"}));
    // Nothing pushed, closed or reopened; the Utilities tab is not refreshed
    // on the way out, and the program is not asked to close a second time.
    EXPECT_EQ(host_.calls, (Calls{"TakeNetworkLock", "ReleaseNetworkLock"}));
    EXPECT_FALSE(host_.lockHeld);
    EXPECT_EQ(FolderBytes(target_).size(), 1u);
    EXPECT_EQ(archive::ListArchive(ArchivePath()).size(), 6u);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_FALSE(host_.busy);
}

// Skip pressed before the first file, in the middle, or at the last file:
// no archive, the earlier one of that name kept, no box, the window closed.
TEST_F(ExitBackupTest, SkipAbandonsTheBackupAtAnyFile)
{
    for (int skipAt : {0, 1, 3, 6}) {
        SCOPED_TRACE(skipAt);
        WriteFile(ArchivePath(), "the earlier archive");
        view_ = RecordingView();
        view_.skipAfterWaits = skipAt;
        EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(false), BackupOutcome::Skipped);
        EXPECT_FALSE(view_.open);
        const std::map<std::string, std::string> earlier = {
            {fs::path(ArchivePath()).filename().string(), "the earlier archive"}};
        EXPECT_EQ(FolderBytes(target_), earlier);
        EXPECT_FALSE(host_.lockHeld);
        EXPECT_TRUE(ui_.Messages.empty());
        EXPECT_EQ(ui_.Status[0], "Backup skipped");
    }
}

TEST_F(ExitBackupTest, AnotherWorkstationsLockIsWaitedForWithinTheBound)
{
    // Had on the fourth try: three waits of two seconds, then the backup.
    host_.refusalsLeft = 3;
    EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(false), BackupOutcome::Completed);
    EXPECT_EQ(view_.waited, 3 * kExitLockRetryMilliseconds);
    EXPECT_EQ(std::count(view_.events.begin(), view_.events.end(), kExitWaitText), 3);
    EXPECT_EQ(host_.lockWaits, (std::vector<int>{0, 0, 0, 0})) << "one try at a time";
    EXPECT_EQ(FolderBytes(target_).size(), 1u);

    // Never had: the wait ends at its bound with one box and no archive.
    fs::remove(ArchivePath());
    host_.refuseLock = true;
    view_ = RecordingView();
    EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(false), BackupOutcome::Failed);
    EXPECT_EQ(view_.waited, kExitLockWaitMilliseconds);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].caption, "Backup failed");
    EXPECT_TRUE(FolderBytes(target_).empty());
    EXPECT_FALSE(view_.open);
}

TEST_F(ExitBackupTest, SkipWhileWaitingForTheLockEndsTheWaitAtOnce)
{
    host_.refuseLock = true;
    view_.skipAfterWaits = 2;  // the initial look, one wait, then Skip
    EXPECT_EQ(ExitBackup(host_, ui_, view_).Run(false), BackupOutcome::Skipped);
    EXPECT_EQ(view_.waited, 2 * kExitLockRetryMilliseconds);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_TRUE(FolderBytes(target_).empty());
    EXPECT_FALSE(host_.lockHeld);
}

TEST_F(ExitBackupTest, AFailingMediumIsToldOnceAndTheWindowCloses)
{
    BackupArchiveOptions full;
    full.openOutput = [](const std::string& path) {
        return std::make_unique<TestMedium>(path, 100, UINT64_MAX);
    };
    EXPECT_EQ(ExitBackup(host_, ui_, view_, full).Run(false), BackupOutcome::Failed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, "Check backup media selection");
    EXPECT_EQ(view_.events.back(), "close");
    EXPECT_EQ(host_.calls, (Calls{"TakeNetworkLock", "ReleaseNetworkLock"}));
    EXPECT_TRUE(FolderBytes(target_).empty());
    EXPECT_FALSE(host_.busy);
}

}  // namespace
}  // namespace tw::settings::test
