// The Auto backup page: the switch (params.dbf SF3), the folder backups go
// to, its status line, the fall-back when a volume cannot be read, and the
// free space of the chosen volume.
#include "setupfixture.h"

#include <gtest/gtest.h>

namespace tw::settings::testing {
namespace {

class AutoBackupTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        start_ = Folder("start");
        media_ = Folder("media");
        std::filesystem::create_directories(dir_ / "media" / "backups" / "weekly");
        volumes_.List = {{start_.toStdString(), "Start", 100ull << 30, 40ull << 30},
                         {media_.toStdString(), "Media", 64ull << 30, 10ull << 30},
                         {Folder("cdrom").toStdString(), "Empty reader", 0, 0}};
        std::filesystem::create_directories(dir_ / "start");
        settings_.StartDrive = start_;
        settings_.BackupFolder = media_ + "/backups";
    }
    QString Folder(const char* name) const { return QString::fromStdString((dir_ / name).string()); }

    QString start_, media_;
};

TEST_F(AutoBackupTest, ShowingLoadsTheFolderAndChangesNoSetting)
{
    Write(params_, [](db::Table& t) { t.fieldByName("SF3").setAsBoolean(false); });
    logic_->ShowSetup();
    EXPECT_TRUE(view_.AutoBackup);
    EXPECT_TRUE(view_.MediaEnabled);
    EXPECT_EQ(view_.Drive, media_);
    EXPECT_EQ(view_.TreeBase, media_ + "/backups");
    EXPECT_EQ(view_.BackupStatus, "Backup files go to:  " + media_ + "/backups");
    EXPECT_EQ(view_.SizeLabel, "10240 free MBs");
    EXPECT_EQ(view_.Free, 10ull << 30);
    EXPECT_EQ(view_.Used, 54ull << 30);
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups");
    EXPECT_FALSE(settings_.NoAutoBackup);
    EXPECT_FALSE(settings_.Busy);
    EXPECT_FALSE(StoredFlag("params.dbf", "SF3"));
    EXPECT_EQ(StoredText("params.dbf", "BUDIR"), "");
}

TEST_F(AutoBackupTest, AMissingFolderFallsBackToTheStartVolumeOnlyWhileSwitchedOn)
{
    settings_.BackupFolder = Folder("gone");
    logic_->ShowSetup();
    EXPECT_EQ(settings_.BackupFolder, start_);
    EXPECT_EQ(view_.Drive, start_);
    EXPECT_EQ(view_.BackupStatus, "Backup files go to:  " + start_);
    logic_->FormClose();

    settings_.NoAutoBackup = true;
    settings_.BackupFolder = Folder("gone");
    logic_->ShowSetup();
    EXPECT_FALSE(view_.AutoBackup);
    EXPECT_FALSE(view_.MediaEnabled);
    EXPECT_EQ(settings_.BackupFolder, Folder("gone"));
}

TEST_F(AutoBackupTest, UntickingStoresAndClosesTickingStoresAndStays)
{
    logic_->ShowSetup();
    view_.AutoBackup = false;
    logic_->EnableAutoBackupClick();
    EXPECT_TRUE(settings_.NoAutoBackup);
    EXPECT_TRUE(StoredFlag("params.dbf", "SF3"));
    EXPECT_FALSE(view_.MediaEnabled);
    EXPECT_EQ(view_.Closes, 1);

    logic_->ShowSetup();
    view_.AutoBackup = true;
    logic_->EnableAutoBackupClick();
    EXPECT_FALSE(settings_.NoAutoBackup);
    EXPECT_FALSE(StoredFlag("params.dbf", "SF3"));
    EXPECT_TRUE(view_.MediaEnabled);
    EXPECT_EQ(view_.TreeBase, settings_.BackupFolder);
    EXPECT_EQ(view_.Closes, 1);
}

TEST_F(AutoBackupTest, ChoosingAVolume)
{
    logic_->ShowSetup();
    view_.Drive = start_;
    logic_->DriveComboBox2Change();
    EXPECT_EQ(view_.TreeBase, start_);
    EXPECT_EQ(settings_.BackupFolder, start_);
    EXPECT_EQ(view_.ListHint, start_);
    EXPECT_EQ(view_.BackupStatus, "Backup files go to:  " + start_);
    EXPECT_EQ(view_.SizeLabel, "40960 free MBs");

    // An empty reader: back to the start volume, nothing looked at.
    view_.Drive = Folder("cdrom");
    view_.SizeLabel = "(kept)";
    logic_->DriveComboBox2Change();
    EXPECT_EQ(view_.Drive, start_);
    EXPECT_EQ(settings_.BackupFolder, start_);
    EXPECT_EQ(view_.BackupStatus, "drive may be empty or not available");
    EXPECT_EQ(view_.SizeLabel, "(kept)");
    EXPECT_FALSE(settings_.Busy);
}

TEST_F(AutoBackupTest, VolumeChangesAreIgnoredWhileBusySwitchedOffOrNotShown)
{
    view_.Drive = start_;
    logic_->DriveComboBox2Change();
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups") << "not shown";
    logic_->ShowSetup();
    settings_.Busy = true;
    view_.Drive = start_;
    logic_->DriveComboBox2Change();
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups") << "busy";
    settings_.Busy = false;
    view_.AutoBackup = false;
    logic_->DriveComboBox2Change();
    logic_->BackupFolderChanged();
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups") << "switched off";
}

TEST_F(AutoBackupTest, TheStatusLineHasItsPrefixExceptAfterAClickOnTheVolumeBox)
{
    logic_->ShowSetup();
    view_.ListPath = media_ + "/backups/weekly";
    logic_->BackupFolderChanged();
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups/weekly");
    EXPECT_EQ(view_.BackupStatus, "Backup files go to:  " + media_ + "/backups/weekly");
    view_.ListPath = media_;
    logic_->DriveComboBox2Click();
    EXPECT_EQ(settings_.BackupFolder, media_);
    EXPECT_EQ(view_.BackupStatus, media_);
}

TEST_F(AutoBackupTest, UpAtTheBaseFolderReRootsTheTreeAtTheVolume)
{
    logic_->ShowSetup();
    view_.SetTreeBaseFolder(media_);
    view_.ListPath = media_ + "/backups/weekly";
    logic_->UpClick();
    EXPECT_EQ(view_.ListPath, media_ + "/backups");
    EXPECT_EQ(view_.TreeBase, media_) << "inside the base folder nothing is re-rooted";

    view_.SetTreeBaseFolder(media_ + "/backups");
    view_.Drive = media_;
    logic_->UpClick();
    EXPECT_EQ(view_.TreeBase, media_) << "the whole volume becomes walkable";
}

TEST_F(AutoBackupTest, SaveStoresTheFolderAndCloses)
{
    logic_->ShowSetup();
    view_.ListPath = media_ + "/backups/weekly";
    logic_->SaveBackupFolderClick();
    EXPECT_EQ(StoredText("params.dbf", "BUDIR"), (media_ + "/backups/weekly").toStdString());
    EXPECT_EQ(settings_.BackupFolder, media_ + "/backups/weekly");
    EXPECT_EQ(view_.Closes, 1);

    logic_->ShowSetup();
    view_.ListPath = media_ + "/" + QString(260, QLatin1Char('b'));
    logic_->SaveBackupFolderClick();
    EXPECT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(StoredText("params.dbf", "BUDIR"), (media_ + "/backups/weekly").toStdString());
    EXPECT_EQ(view_.Closes, 1);
}

TEST_F(AutoBackupTest, AVolumeThatCannotAnswerShowsNoSpace)
{
    logic_->ShowDriveFreeSpace(Folder("unknown"));
    EXPECT_EQ(view_.SizeLabel, "0 free MBs");
    EXPECT_EQ(view_.Used, 0u);
    EXPECT_EQ(view_.Free, 0u);
}

}  // namespace
}  // namespace tw::settings::testing
