// The setup dialog's Auto backup page: the switch for the backup at exit and
// the folder backups go to, on the volumes of this machine.
#include "settings/setupdialoglogic.h"

#include "data/services/busyscopes.h"
#include "platform/db/table.h"
#include "settings/volumes.h"

#include <QFileInfo>

namespace tw::settings {

namespace {

const QString kBackupFilesGoTo = QStringLiteral("Backup files go to:  ");
constexpr std::size_t kBackupFolderFieldWidth = 254;

}  // namespace

void SetupDialogLogic::ShowBackupFolder()
{
    const std::optional<Volume> volume = volumes_.VolumeOf(settings_.BackupFolder.toStdString());
    pages_.AutoBackup.SetBackupDrive(volume ? QString::fromStdString(volume->rootPath)
                                            : settings_.StartDrive);
    pages_.AutoBackup.SetTreeBaseFolder(settings_.BackupFolder);
}

void SetupDialogLogic::LoadAutoBackup()
{
    const bool automatic = !settings_.NoAutoBackup;
    pages_.AutoBackup.SetEnableAutoBackupChecked(automatic);
    if (automatic) {
        const data::BusyScope busy(settings_.Busy);
        if (!QFileInfo(settings_.BackupFolder).isDir())
            settings_.BackupFolder = settings_.StartDrive;
        pages_.AutoBackup.SetMediaPanelEnabled(true);
        ShowBackupFolder();
    } else {
        pages_.AutoBackup.SetMediaPanelEnabled(false);
    }
    ShowDriveFreeSpace(pages_.AutoBackup.BackupDrive());
    pages_.AutoBackup.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
}

void SetupDialogLogic::EnableAutoBackupClick()
{
    const bool automatic = pages_.AutoBackup.EnableAutoBackupChecked();
    if (automatic) {
        const data::BusyScope busy(settings_.Busy);
        pages_.AutoBackup.SetMediaPanelEnabled(true);
        ShowBackupFolder();
        pages_.AutoBackup.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
    } else {
        pages_.AutoBackup.SetMediaPanelEnabled(false);
    }
    settings_.NoAutoBackup = !automatic;
    WriteRecord(tables_.Params, [automatic](db::Table& params) {
        params.fieldByName("SF3").setAsBoolean(!automatic);
    }, true);
    if (!automatic)
        CloseDialog();
}

void SetupDialogLogic::DriveComboBox2Change()
{
    if (settings_.Busy || !pages_.AutoBackup.EnableAutoBackupChecked() || !shown_)
        return;
    const data::BusyScope busy(settings_.Busy);
    const QString drive = pages_.AutoBackup.BackupDrive();
    const DriveChoice choice = ChooseDrive(volumes_, drive.toStdString(), settings_.StartDrive.toStdString());
    if (choice.fellBack) {
        pages_.AutoBackup.SetBackupDrive(settings_.StartDrive);
        settings_.BackupFolder = settings_.StartDrive;
        pages_.AutoBackup.SetBackupStatus(QString::fromStdString(choice.statusText));
    } else {
        pages_.AutoBackup.SetTreeBaseFolder(drive);
        ShowDriveFreeSpace(drive);
        settings_.BackupFolder = pages_.AutoBackup.ListFolder();
        pages_.AutoBackup.SetListHint(settings_.BackupFolder);
        pages_.AutoBackup.SetBackupStatus(kBackupFilesGoTo + pages_.AutoBackup.ListFolder());
    }
}

void SetupDialogLogic::DriveComboBox2Click()
{
    if (!shown_ || !pages_.AutoBackup.EnableAutoBackupChecked())
        return;
    settings_.BackupFolder = pages_.AutoBackup.ListFolder();
    pages_.AutoBackup.SetListHint(settings_.BackupFolder);
    pages_.AutoBackup.SetBackupStatus(settings_.BackupFolder);
}

void SetupDialogLogic::BackupFolderChanged()
{
    if (!shown_ || !pages_.AutoBackup.EnableAutoBackupChecked())
        return;
    settings_.BackupFolder = pages_.AutoBackup.ListFolder();
    pages_.AutoBackup.SetListHint(settings_.BackupFolder);
    pages_.AutoBackup.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
}

void SetupDialogLogic::UpClick()
{
    const QString before = pages_.AutoBackup.TreeBaseFolder();
    pages_.AutoBackup.TreeGoUp();
    // Going up stayed inside the base folder: the whole drive becomes walkable.
    if (pages_.AutoBackup.ListFolder() == before)
        pages_.AutoBackup.SetTreeBaseFolder(pages_.AutoBackup.BackupDrive());
}

void SetupDialogLogic::SaveBackupFolderClick()
{
    const QString folder = pages_.AutoBackup.ListFolder();
    if (!PathFits(folder, kBackupFolderFieldWidth, "The backup folder's path"))
        return;
    if (!WriteRecord(tables_.Params, [&](db::Table& params) {
            params.fieldByName("BUDIR").setAsString(folder.toStdString());
        }, true))
        return;
    settings_.BackupFolder = folder;
    CloseDialog();
}

void SetupDialogLogic::ShowDriveFreeSpace(const QString& drive)
{
    const std::optional<Volume> volume = volumes_.VolumeOf(drive.toStdString());
    const bool known = volume && volume->rootPath == drive.toStdString();
    const DriveSpace space = known ? SpaceOf(*volume) : DriveSpace();
    pages_.AutoBackup.ShowDriveSpace(
        space.usedBytes, space.freeBytes,
        QString::fromStdString(FreeSpaceText(known ? volume->bytesAvailable : 0)));
}

}  // namespace tw::settings
