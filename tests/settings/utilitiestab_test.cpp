// The Utilities tab's medium controls without a window: a volume without a
// readable root falls back to the start drive, Up stops at the root, the
// handlers keep still while the tables are busy, and the help page table.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>

#include "fixedvolumes.h"
#include "support/recordinguserinterface.h"
#include "settings/utilitiestab.h"

namespace tw::settings::test {
namespace {

namespace fs = std::filesystem;


// The controls as plain values; the list shows the folder last shown.
class PlainView : public UtilitiesView {
public:
    std::vector<Volume> drives;
    std::string chosen, root, folder, selected, status, spaceText;
    int refreshes = 0;

    void SetDrives(const std::vector<Volume>& volumes) override { drives = volumes; }
    std::string ChosenDrive() const override { return chosen; }
    void SetChosenDrive(const std::string& r) override { chosen = r; }
    void ShowFolder(const std::string& r, const std::string& f) override
    {
        root = r;
        folder = f;
    }
    std::string ShownFolder() const override { return folder; }
    std::string SelectedFile() const override { return selected; }
    void RefreshFiles() override { ++refreshes; }
    void ShowSpace(const DriveSpace&, const std::string& text) override { spaceText = text; }
    void SetBackupStatus(const std::string& text) override { status = text; }
};

class UtilitiesTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(start_.isValid() && stick_.isValid());
        startRoot = start_.path().toStdString();
        stickRoot = stick_.path().toStdString();
        fs::create_directories(fs::path(stickRoot) / "backups" / "old");
        volumes.list = {{startRoot, "system", 100 << 20, 10 << 20}, {stickRoot, "stick", 8 << 20, 3 << 20}};
        state.BackupFolder = stickRoot + "/backups";
        tab.Start(startRoot);
    }

    QTemporaryDir start_, stick_;
    std::string startRoot, stickRoot;
    FixedVolumes volumes;
    PlainView view;
    data::MainScreenState state;
    data::RecordingUserInterface ui;
    UtilitiesTab tab{view, volumes, state, ui};
};

TEST_F(UtilitiesTabTest, StartsOnTheBackupFolderWithItsDrivesFreeSpace)
{
    EXPECT_EQ(view.drives.size(), 2u);
    EXPECT_EQ(view.chosen, stickRoot);
    EXPECT_EQ(view.root, stickRoot);
    EXPECT_EQ(view.folder, stickRoot + "/backups");
    EXPECT_EQ(view.status, stickRoot + "/backups");
    EXPECT_EQ(view.spaceText, "3 free MBs");
}

TEST_F(UtilitiesTabTest, AVolumeWithoutAReadableRootFallsBackToTheStartDrive)
{
    volumes.unreadable.insert(stickRoot);
    view.chosen = stickRoot;
    tab.DriveComboBoxChange();
    EXPECT_EQ(view.chosen, startRoot);
    EXPECT_EQ(view.status, "drive may be empty or not available");
    EXPECT_EQ(fs::path(state.BackupFolder), fs::path(startRoot));
    EXPECT_EQ(view.spaceText, "10 free MBs");
    EXPECT_FALSE(state.TablesBusy);
}

TEST_F(UtilitiesTabTest, AnotherVolumeShowsItsOwnFreeSpace)
{
    view.chosen = startRoot;
    tab.DriveComboBoxChange();
    EXPECT_EQ(state.BackupFolder, startRoot);
    EXPECT_EQ(view.status, startRoot);
    EXPECT_EQ(view.spaceText, "10 free MBs");
}

TEST_F(UtilitiesTabTest, UpClimbsToTheRootAndStaysThere)
{
    view.folder = stickRoot + "/backups/old";
    tab.UpClick();
    EXPECT_EQ(state.BackupFolder, stickRoot + "/backups");
    tab.UpClick();
    EXPECT_EQ(state.BackupFolder, stickRoot);
    tab.UpClick();
    EXPECT_EQ(state.BackupFolder, stickRoot);
    EXPECT_EQ(view.root, stickRoot);
}

TEST_F(UtilitiesTabTest, WhileTheTablesAreBusyTheFolderHandlersKeepStill)
{
    state.TablesBusy = true;
    view.folder = stickRoot + "/backups/old";
    view.chosen = startRoot;
    tab.FolderChange();
    tab.DriveComboBoxChange();
    EXPECT_EQ(state.BackupFolder, stickRoot + "/backups");
    EXPECT_TRUE(state.TablesBusy);
}

TEST_F(UtilitiesTabTest, DeletingRepaintsTheListAndTheFreeSpaceAlsoWithoutASelection)
{
    tab.RemoveFileClick();
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "Please select the backup file");
    EXPECT_EQ(view.refreshes, 1);
}

TEST(HelpPageOf, EachTabHasItsPageAndNoneOutsideThem)
{
    const std::pair<int, const char*> cases[] = {
        {0, "Customer_details_tab.htm"}, {1, "Add_select_tasks_tab.htm"},
        {2, "Show_tasks_and_schedule_tab.htm"}, {3, "Work_calendar_tab.htm"},
        {4, "My_company_tab.htm"}, {5, "Utilities_tab.htm"}, {6, ""}, {-1, ""}};
    for (const auto& [page, file] : cases)
        EXPECT_EQ(HelpPageOf(page), file) << page;
}

}  // namespace
}  // namespace tw::settings::test
