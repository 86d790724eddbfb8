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
    view_.SetBackupDrive(volume ? QString::fromStdString(volume->rootPath) : settings_.StartDrive);
    view_.SetTreeBaseFolder(settings_.BackupFolder);
}

void SetupDialogLogic::LoadAutoBackup()
{
    const bool automatic = !settings_.NoAutoBackup;
    view_.SetEnableAutoBackupChecked(automatic);
    if (automatic) {
        const data::BusyScope busy(settings_.Busy);
        if (!QFileInfo(settings_.BackupFolder).isDir())
            settings_.BackupFolder = settings_.StartDrive;
        view_.SetMediaPanelEnabled(true);
        ShowBackupFolder();
    } else {
        view_.SetMediaPanelEnabled(false);
    }
    ShowDriveFreeSpace(view_.BackupDrive());
    view_.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
}

void SetupDialogLogic::EnableAutoBackupClick()
{
    const bool automatic = view_.EnableAutoBackupChecked();
    if (automatic) {
        const data::BusyScope busy(settings_.Busy);
        view_.SetMediaPanelEnabled(true);
        ShowBackupFolder();
        view_.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
    } else {
        view_.SetMediaPanelEnabled(false);
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
    if (settings_.Busy || !view_.EnableAutoBackupChecked() || !shown_)
        return;
    const data::BusyScope busy(settings_.Busy);
    const QString drive = view_.BackupDrive();
    const DriveChoice choice = ChooseDrive(volumes_, drive.toStdString(), settings_.StartDrive.toStdString());
    if (choice.fellBack) {
        view_.SetBackupDrive(settings_.StartDrive);
        settings_.BackupFolder = settings_.StartDrive;
        view_.SetBackupStatus(QString::fromStdString(choice.statusText));
    } else {
        view_.SetTreeBaseFolder(drive);
        ShowDriveFreeSpace(drive);
        settings_.BackupFolder = view_.ListFolder();
        view_.SetListHint(settings_.BackupFolder);
        view_.SetBackupStatus(kBackupFilesGoTo + view_.ListFolder());
    }
}

void SetupDialogLogic::DriveComboBox2Click()
{
    if (!shown_ || !view_.EnableAutoBackupChecked())
        return;
    settings_.BackupFolder = view_.ListFolder();
    view_.SetListHint(settings_.BackupFolder);
    view_.SetBackupStatus(settings_.BackupFolder);
}

void SetupDialogLogic::BackupFolderChanged()
{
    if (!shown_ || !view_.EnableAutoBackupChecked())
        return;
    settings_.BackupFolder = view_.ListFolder();
    view_.SetListHint(settings_.BackupFolder);
    view_.SetBackupStatus(kBackupFilesGoTo + settings_.BackupFolder);
}

void SetupDialogLogic::UpClick()
{
    const QString before = view_.TreeBaseFolder();
    view_.TreeGoUp();
    // Going up stayed inside the base folder: the whole drive becomes walkable.
    if (view_.ListFolder() == before)
        view_.SetTreeBaseFolder(view_.BackupDrive());
}

void SetupDialogLogic::SaveBackupFolderClick()
{
    const QString folder = view_.ListFolder();
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
    view_.ShowDriveSpace(space.usedBytes, space.freeBytes,
                         QString::fromStdString(FreeSpaceText(known ? volume->bytesAvailable : 0)));
}

}  // namespace tw::settings
