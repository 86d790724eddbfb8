// The Utilities page's and the setup dialog's hosts over a running session,
// without a window: what a backup, an emptying, a restore and the setup
// dialog's steps do to the session's tables and state, and what they show on
// the pages, kept by a fake of the screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/session/appsession.h"
#include "settings/unit/setuphosts.h"
#include "settings/unit/utilitieshosts.h"
#include "platform/datetime/datetime.h"
#include "sampleschedule.h"
#include "settings/databasebackup.h"
#include "settings/emptydatabase.h"
#include "settings/restore.h"
#include "support/recordinguserinterface.h"
#include "sessionstart.h"
#include "testfolder.h"

namespace tw::app {
namespace {

// The main window's pages as the hosts leave them, and the start-up unit's
// reopening of the tables.
class FakeScreens : public UtilitiesScreens, public SetupScreens, public TableReopener {
public:
    explicit FakeScreens(AppSession& session) : session_(session) {}

    // UtilitiesScreens
    bool Question(const std::string& text, const std::string&) override
    {
        Questions.push_back(text);
        return Answer;
    }
    std::string SelectedBackupFile() const override { return Selected; }
    void RefreshBackupView() override { ++BackupViewShown; }
    void SaveAndClearAllocations(bool clearChart) override { ChartCleared = clearChart; }
    void RefreshWorkCalendar() override { CalendarMode = session_.State.WorkCalendarMode; }
    void ShowEmptyScreens() override { EmptyScreens = true; }
    void RefreshAfterRestore() override { RestoredShown = true; }
    void SetCustomersLabel(const std::string& text) override { CustomersLabel = text; }
    void CloseMainWindow() override { WindowClosed = true; }

    // SetupScreens
    void ApplyHelpLevel() override { HelpLevel = session_.State.HelpLevel; }
    void ShowWorkCalendar(std::int32_t resourceId) override { CalendarsShown.push_back(resourceId); }
    void ApplyReadOnlyAccess(bool readOnly) override { ReadOnly = readOnly; }
    bool AskPassword() override { return Answer; }
    void ShowJobStatusTexts(const data::JobStatusTexts&) override {}
    void ShowResourceCaptionMode(int mode) override { CaptionModes.push_back(mode); }
    int TaskStatusIndex() const override { return StatusIndex; }
    void SetTaskStatusIndex(int index) override { StatusIndex = index; }
    void UntickRestrictToSelectedStatus() override {}
    std::string StartDrive() const override { return "/"; }
    void TerminateProgram() override { Terminated = true; }
    void OpenHelpPage(const QString&) override {}

    // TableReopener
    void ReopenAllTables() override { session_.Tables().OpenAllTables(false); }

    bool Answer = true;
    std::string Selected;
    std::vector<std::string> Questions;
    int BackupViewShown = 0;
    std::optional<bool> ChartCleared;
    std::optional<int> CalendarMode;
    bool EmptyScreens = false;
    bool RestoredShown = false;
    std::string CustomersLabel;
    bool WindowClosed = false;
    std::optional<int> HelpLevel;
    std::vector<std::int32_t> CalendarsShown;
    std::optional<bool> ReadOnly;
    std::vector<int> CaptionModes;
    int StatusIndex = 0;
    bool Terminated = false;

private:
    AppSession& session_;
};

class UtilitiesHostsTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        session_ = testing::StartFirstRunSession(dir_, "program", ui_);
        data::MainScreenState& state = session_->State;
        ASSERT_TRUE(state.TablesOpen);
        state.ScheduleAlias = "DOZOrez";
        state.BackupFolder = (dir_ / "backup").string();
        std::filesystem::create_directories(dir_ / "backup");
        examples::FillSampleSchedule(*session_, EncodeDate(2027, 3, 1));
        screens_ = std::make_unique<FakeScreens>(*session_);
    }

    // The shared table as another workstation reads it.
    testing::ScheduleItems Shared()
    {
        db::Table shared;
        shared.setFolder(session_->State.ScheduleFolder);
        shared.setTableName("icharts.dbf");
        shared.setReadOnly(true);
        shared.open();
        return testing::ItemsOf(shared);
    }
    testing::ScheduleItems Working() { return testing::ItemsOf(session_->Data().ChartsTable5); }

    settings::EmptyOutcome Empty()
    {
        SessionEmptyDatabaseHost host(*session_, *screens_);
        return settings::EmptyDatabase(host, ui_).EmptyDatabaseClick();
    }

    data::RecordingUserInterface ui_;
    std::unique_ptr<AppSession> session_;
    std::unique_ptr<FakeScreens> screens_;
};

TEST_F(UtilitiesHostsTest, EmptyingClearsTheScheduleOnlyWhenTheUserSaysYes)
{
    const auto before = Shared();
    ASSERT_GT(before.size(), 30u);

    screens_->Answer = false;
    EXPECT_EQ(Empty(), settings::EmptyOutcome::Declined);
    EXPECT_EQ(screens_->Questions, std::vector<std::string>{"Remove all records"});
    EXPECT_EQ(Shared(), before);
    EXPECT_FALSE(screens_->EmptyScreens);

    screens_->Answer = true;
    session_->State.WorkCalendarMode = 1;
    EXPECT_EQ(Empty(), settings::EmptyOutcome::Completed);
    EXPECT_TRUE(Shared().empty());
    EXPECT_TRUE(Working().empty());
    EXPECT_EQ(screens_->ChartCleared, true);
    EXPECT_EQ(screens_->CalendarMode, 0);  // the default calendar is the one shown
    EXPECT_TRUE(screens_->EmptyScreens);
    EXPECT_FALSE(session_->State.TablesBusy);
    EXPECT_TRUE(ui_.Messages.empty()) << ui_.Messages[0].text;
}

// The backup the Utilities page made, restored after the database was
// emptied, brings every item back to both copies and refreshes the pages.
TEST_F(UtilitiesHostsTest, ABackupRestoredAfterAnEmptyingBringsTheScheduleBack)
{
    const auto before = Shared();
    ASSERT_EQ(Working(), before);

    SessionBackupHost backupHost(*session_, *screens_, *screens_);
    settings::DatabaseBackup backup(backupHost, ui_);
    ASSERT_EQ(backup.BackupAllClick(), settings::BackupOutcome::Completed)
        << (ui_.Messages.empty() ? "" : ui_.Messages.back().text);
    ASSERT_TRUE(std::filesystem::exists(backup.LastArchivePath()));
    EXPECT_EQ(std::filesystem::path(backup.LastArchivePath()).parent_path(), dir_ / "backup");
    EXPECT_GE(screens_->BackupViewShown, 1);
    EXPECT_FALSE(session_->State.LockHeld);
    EXPECT_TRUE(session_->State.TablesOpen);

    ASSERT_EQ(Empty(), settings::EmptyOutcome::Completed);
    ASSERT_TRUE(Shared().empty());

    ui_.Messages.clear();
    screens_->Questions.clear();
    screens_->Selected = backup.LastArchivePath();
    SessionRestoreHost restoreHost(*session_, *screens_, *screens_);
    ASSERT_EQ(settings::SmartRestore(restoreHost, ui_).RestoreClick(), settings::RestoreOutcome::Completed)
        << (ui_.Messages.empty() ? "" : ui_.Messages.back().text);
    EXPECT_EQ(Shared(), before);
    EXPECT_EQ(Working(), before);
    EXPECT_TRUE(screens_->RestoredShown);
    EXPECT_FALSE(screens_->WindowClosed);
    EXPECT_FALSE(session_->State.TablesBusy);
}

TEST_F(UtilitiesHostsTest, TheSetupDialogsChangesReachTheSessionAndThePages)
{
    SessionSetupHost host(*session_, *screens_, *screens_);
    session_->State.HelpLevel = 1;
    session_->Settings.ResourceCaptionMode = 0;
    host.Load();
    EXPECT_EQ(host.Settings.HelpLevel, 1);
    EXPECT_EQ(host.Settings.StartDrive, QStringLiteral("/"));

    // A step of the dialog stores its working set before the pages show it;
    // only a caption mode that changed is shown again.
    host.Settings.HelpLevel = 2;
    host.Settings.ResourceDisplayMode = 1;
    host.ApplyHelpLevel(2);
    EXPECT_EQ(session_->State.HelpLevel, 2);
    EXPECT_EQ(screens_->HelpLevel, 2);
    EXPECT_EQ(session_->Settings.ResourceCaptionMode, 1);
    host.Store();
    EXPECT_EQ(screens_->CaptionModes, std::vector<int>{1});

    // Every resource's calendar is shown, and so made where it has none;
    // the resource the pages stand on stays where it was.
    db::Table& crews = session_->Data().CrewsTable;
    crews.last();
    const std::int32_t current = crews.fieldByName("CREWID").asInteger();
    host.EnsureResourceCalendars();
    EXPECT_EQ(screens_->CalendarsShown.size(), static_cast<std::size_t>(crews.recordCount()));
    EXPECT_EQ(crews.fieldByName("CREWID").asInteger(), current);

    // The dialog closes the tables and has them opened again (the start-up
    // unit's reopening, here the fake's).
    host.CloseAllTables();
    EXPECT_FALSE(session_->State.TablesOpen);
    host.OpenAllTables();
    EXPECT_TRUE(session_->State.TablesOpen);
    EXPECT_TRUE(host.Settings.TablesOpen);

    host.TerminateProgram();
    EXPECT_TRUE(screens_->Terminated);
    EXPECT_TRUE(session_->State.QuitWithoutSaving);
    EXPECT_TRUE(ui_.Messages.empty()) << ui_.Messages[0].text;
}

}  // namespace
}  // namespace tw::app
