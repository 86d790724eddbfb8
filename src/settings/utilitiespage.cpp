#include "settings/utilitiespage.h"

#include "settings/spacepie.h"
#include "controls/base/fccontrol.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/labels/fclabel.h"
#include "controls/panels/fcgroupbox.h"
#include "controls/status/fcstatusbar.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QTreeView>

namespace tw::app {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TUtilitiesPage::TUtilitiesPage(const settings::VolumeList& volumes, data::MainScreenState& state,
                               data::UserInterface& ui, UtilitiesPageActions& actions, QWidget* parent)
    : QWidget(parent),
      state_(state),
      ui_(ui),
      actions_(actions)
{
    setObjectName(QStringLiteral("UtilitiesPage"));
    auto* media = new controls::TFcGroupBox(this);
    media->SetCaption(QStringLiteral("Backup / restore media"));
    media->setObjectName(QStringLiteral("MediaPanel"));

    drives_ = new QComboBox(media);
    drives_->setObjectName(QStringLiteral("DriveComboBox"));
    drives_->setMinimumWidth(161);
    pie_ = new settings::TSpacePie(media);
    pie_->setObjectName(QStringLiteral("SpaceChart"));
    sizeLabel_ = new controls::TFcLabel(media);
    sizeLabel_->SetTransparent(true);
    sizeLabel_->setObjectName(QStringLiteral("SizeLabel"));

    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    folders_ = new QTreeView(media);
    folders_->setObjectName(QStringLiteral("DirectoryListBox"));
    folders_->setAccessibleName(QStringLiteral("Backup folders"));
    folders_->setToolTip(QStringLiteral("the backup and restore folder"));
    folders_->setModel(folderModel_);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        folders_->hideColumn(column);
    folders_->header()->hide();

    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files | QDir::Hidden);
    files_ = new QListView(media);
    files_->setObjectName(QStringLiteral("FileListBox"));
    files_->setAccessibleName(QStringLiteral("Backup files"));
    files_->setToolTip(QStringLiteral("Backup files"));
    files_->setModel(fileModel_);

    backupStatus_ = new controls::TFcStatusBar(media);
    backupStatus_->setObjectName(QStringLiteral("BackupStatusBar"));
    backupStatus_->SetShowSizeGrip(false);
    backupStatus_->AddPane(0)->setObjectName(QStringLiteral("BackupStatusPanel"));

    auto* top = new QHBoxLayout;
    top->addWidget(drives_);
    top->addWidget(pie_);
    top->addWidget(sizeLabel_, 0, Qt::AlignVCenter);
    auto* up = Button("Up", "Up", "", nullptr);
    up->setParent(media);
    top->addWidget(up);
    top->addStretch();

    auto* buttons = new QHBoxLayout;
    for (auto* button :
         {Button("BackupAll", "Backup all data", "Backup all schedule data",
                 &UtilitiesPageActions::BackupAll),
          Button("Restore", "Smart restore", "Restore data in selected backup file",
                 &UtilitiesPageActions::Restore)})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* remove = Button("RemoveFile", "Delete backup file", "Permanently delete a  backup file", nullptr);
    buttons->addWidget(remove);

    auto* grid = new QGridLayout(media);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(folders_, 1, 0);
    grid->addWidget(files_, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Backup / Restore folder:"), media), 3, 0, 1, 2);
    grid->addWidget(backupStatus_, 4, 0, 1, 2);

    auto* maintenance = new QHBoxLayout;
    maintenance->addWidget(Button("ReIndexDb", "Pack and re-index database",
                                  "Regenerate index files and compress the database",
                                  &UtilitiesPageActions::ReindexDatabase));
    maintenance->addWidget(Button("EmptyDatabase", "Empty database", "Remove all records in database",
                                  &UtilitiesPageActions::EmptyDatabase));
    maintenance->addWidget(
        Button("SetupQM", "Setup", "Customize Tarnwick", &UtilitiesPageActions::ShowSetup));
    maintenance->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(media, 1);
    layout->addLayout(maintenance);

    UseVolumes(volumes);
    connect(drives_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_)
            logic_->DriveComboBoxChange();
    });
    connect(folders_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        fileModel_->setRootPath(folderModel_->filePath(index));
        files_->setRootIndex(fileModel_->index(folderModel_->filePath(index)));
        logic_->FolderChange();
    });
    up->OnClick = [this](controls::TFcControl*) { logic_->UpClick(); };
    remove->OnClick = [this](controls::TFcControl*) { logic_->RemoveFileClick(); };
    // The status bar takes its height and frames once the page is built.
    controls::NotifyLoaded(this);
}

TUtilitiesPage::~TUtilitiesPage() = default;

void TUtilitiesPage::UseVolumes(const settings::VolumeList& volumes)
{
    logic_ = std::make_unique<settings::UtilitiesTab>(static_cast<settings::UtilitiesView&>(*this), volumes,
                                                      state_, ui_);
}

controls::TFcBitBtn* TUtilitiesPage::Button(const char* name, const char* caption, const char* hint,
                                           void (UtilitiesPageActions::*work)())
{
    auto* button = new controls::TFcBitBtn(this);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(QString::fromLatin1(caption));
    if (*hint)
        button->SetHint(QString::fromLatin1(hint));
    const int width = button->fontMetrics().horizontalAdvance(button->Caption()) + 24;
    button->setMinimumSize(std::max(width, 75), 25);
    if (work)
        button->OnClick = [this, work](controls::TFcControl*) { (actions_.*work)(); };
    return button;
}

void TUtilitiesPage::SetDrives(const std::vector<settings::Volume>& volumes)
{
    showing_ = true;
    drives_->clear();
    for (const settings::Volume& volume : volumes)
        drives_->addItem(Q(volume.rootPath), Q(volume.rootPath));
    showing_ = false;
}

std::string TUtilitiesPage::ChosenDrive() const
{
    return drives_->currentData().toString().toStdString();
}

void TUtilitiesPage::SetChosenDrive(const std::string& root)
{
    showing_ = true;
    const int index = drives_->findData(Q(root));
    if (index >= 0)
        drives_->setCurrentIndex(index);
    showing_ = false;
}

void TUtilitiesPage::ShowFolder(const std::string& root, const std::string& folder)
{
    folderModel_->setRootPath(Q(root));
    folders_->setRootIndex(folderModel_->index(Q(root)));
    const QModelIndex shown = folderModel_->index(Q(folder));
    folders_->setCurrentIndex(shown);
    folders_->scrollTo(shown);
    fileModel_->setRootPath(Q(folder));
    files_->setRootIndex(fileModel_->index(Q(folder)));
    files_->setToolTip(Q(folder));
}

std::string TUtilitiesPage::ShownFolder() const
{
    return fileModel_->rootPath().toStdString();
}

std::string TUtilitiesPage::SelectedFile() const
{
    const QModelIndex index = files_->currentIndex();
    if (!index.isValid() || !files_->selectionModel()->isSelected(index))
        return {};
    return fileModel_->filePath(index).toStdString();
}

void TUtilitiesPage::RefreshFiles()
{
    // The model watches the folder, but a backup renamed into place must be
    // listed at once, not when the watcher gets round to it.
    const QString folder = fileModel_->rootPath();
    fileModel_->setRootPath(QString());
    fileModel_->setRootPath(folder);
    files_->setRootIndex(fileModel_->index(folder));
}

void TUtilitiesPage::ShowSpace(const settings::DriveSpace& space, const std::string& text)
{
    pie_->SetSpace(space.usedBytes, space.freeBytes);
    sizeLabel_->SetCaption(Q(text));
}

void TUtilitiesPage::SetBackupStatus(const std::string& text)
{
    backupStatus_->SetPanelText(0, Q(text));
}

}  // namespace tw::app
