#include "settings/setupdialog.h"

#include "controls/base/fcformkeys.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/panels/fcgroupbox.h"
#include "controls/status/fcstatusbar.h"
#include "controls/tabs/fcpagecontrol.h"
#include "data/services/userinterface.h"
#include "settings/companyfilesearch.h"
#include "settings/spacepie.h"
#include "settings/volumes.h"
#include "ui_setupdialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <thread>

namespace tw::settings {

namespace {

// Keeps the dialog's handlers quiet while the logic moves a control.
class Quiet {
public:
    explicit Quiet(int& depth) : depth_(depth) { ++depth_; }
    ~Quiet() { --depth_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& depth_;
};

bool IsInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// The folder tree shows its base folder itself as the top node with the
// folders under it: rooted inside the base folder, a backup folder without
// subfolders left the tree blank beside a list full of backups.
class BaseFolderFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetBase(const QString& base)
    {
        base_ = QDir::cleanPath(base);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* model = static_cast<const QFileSystemModel*>(sourceModel());
        const QString path = model->filePath(model->index(row, 0, parent));
        return base_.isEmpty() || path == base_ || IsInside(path, base_) || IsInside(base_, path);
    }

private:
    QString base_;
};

// The company file search on a worker thread, shown with its counts and a
// Stop button; the dialog closes by itself when the search ends.
class SearchProgress : public QDialog {
public:
    SearchProgress(const QString& volumeRoot, QWidget* parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("CompanyFileSearch"));
        setWindowTitle(QStringLiteral("Find all company files"));
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(this);
        label_->setObjectName(QStringLiteral("SearchProgressText"));
        label_->setMinimumWidth(360);
        layout->addWidget(label_);
        auto* stop = new controls::TFcBitBtn(this);
        stop->setObjectName(QStringLiteral("StopSearch"));
        stop->SetCaption(QStringLiteral("Stop"));
        stop->SetHint(QStringLiteral("End the search and list the files found so far"));
        stop->setFixedSize(75, 25);
        stop->OnClick = [this](controls::TFcControl*) { progress_.stop = true; };
        layout->addWidget(stop, 0, Qt::AlignHCenter);
        volumeRoot_ = volumeRoot;
        ShowCounts();
        worker_ = std::thread([this] {
            files_ = FindCompanyFiles(volumeRoot_, &progress_);
            finished_ = true;
        });
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            ShowCounts();
            if (finished_)
                accept();
        });
        timer->start(50);
    }
    ~SearchProgress() override
    {
        progress_.stop = true;
        if (worker_.joinable())
            worker_.join();
    }

    CompanyFileSearchResult Run()
    {
        exec();
        if (worker_.joinable()) {
            progress_.stop = true;  // closed by its close box
            worker_.join();
        }
        return {files_, progress_.stop.load()};
    }

    CompanyFileSearchProgress& Progress() { return progress_; }

private:
    void ShowCounts()
    {
        label_->setText(QStringLiteral("Searching %1: %2 folders searched, %3 company files found")
                            .arg(volumeRoot_)
                            .arg(progress_.foldersSearched.load())
                            .arg(progress_.filesFound.load()));
    }

    QLabel* label_ = nullptr;
    QString volumeRoot_;
    CompanyFileSearchProgress progress_;
    QStringList files_;
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

const char* const kHelpPages[] = {"General_setup.htm", "Setting_up_for_QB.htm", "Job_status_defs.htm",
                                  "Security.htm",      "email_config.htm",      "Backup_config.htm"};

}  // namespace

TQMSetup::TQMSetup(SetupHost& host, data::UserInterface& ui, SetupSettings& settings, SetupTables tables,
                   const VolumeList& volumes, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TQMSetup>()),
      messages_(ui),
      volumes_(volumes),
      host_(host)
{
    this->ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(771, 546);
    this->ui->GeneralSetupTab->SetHint(QStringLiteral("General setup for Drumlowe"));
    this->ui->QuickBooksSetupTab->SetHint(QStringLiteral("Configure Tarnwick for use with QuickBooks"));
    this->ui->GeneralSetupTabs->SetActivePage(this->ui->QuickBooksSetupTab);
    // The library draws the group frame below its caption; the choices start below that line.
    for (auto* group : findChildren<controls::TFcRadioGroup*>())
        group->SetStartPos(0, 10);
    this->ui->StatusBar->AddPane(0);
    this->ui->BackupStatusBar->AddPane(0);
    // The installer of the accounting link is not ours to start: the button stays hidden.
    this->ui->InstallQBAccess->hide();

    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    folderTree_ = new BaseFolderFilter(this);
    folderTree_->setSourceModel(folderModel_);
    this->ui->DirectoryListBox2->setModel(folderTree_);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        this->ui->DirectoryListBox2->hideColumn(column);
    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files | QDir::Hidden);
    this->ui->FileListBox2->setModel(fileModel_);

    const SetupPageViews pages{*this, *this, *this, *this, *this, *this, *this};
    logic_ = std::make_unique<SetupDialogLogic>(pages, host, ui, settings, tables, volumes);
    ConnectHandlers();
    controls::TFcFormKeys::Install(this);
}

TQMSetup::~TQMSetup() = default;

controls::TFcTabSheet* TQMSetup::GeneralSetupTab() const
{
    return ui->GeneralSetupTab;
}
controls::TFcTabSheet* TQMSetup::QuickBooksSetupTab() const
{
    return ui->QuickBooksSetupTab;
}
controls::TFcTabSheet* TQMSetup::JobStatusTab() const
{
    return ui->JobStatusTab;
}
controls::TFcTabSheet* TQMSetup::SecurityTab() const
{
    return ui->SecurityTab;
}
controls::TFcTabSheet* TQMSetup::EMailSetupTab() const
{
    return ui->EMailSetupTab;
}
controls::TFcTabSheet* TQMSetup::AutoBackupTab() const
{
    return ui->AutoBackup;
}

void TQMSetup::Handle(const std::function<void()>& handler)
{
    if (quiet_ != 0)
        return;
    try {
        handler();
    } catch (const std::exception& error) {
        messages_.ShowMessage(error.what(), "Tarnwick setup", data::MessageIcon::Stop);
    }
}

void TQMSetup::ConnectHandlers()
{
    const auto click = [this](controls::TFcControl* control, void (SetupDialogLogic::*handler)()) {
        control->OnClick = [this, handler](controls::TFcControl*) {
            Handle([&] { (logic_.get()->*handler)(); });
        };
    };
    click(ui->QuickBooksEdition, &SetupDialogLogic::QuickBooksEditionClick);
    click(ui->HelpLevelSelection, &SetupDialogLogic::HelpLevelSelectionClick);
    click(ui->TaskHintLevel, &SetupDialogLogic::TaskHintLevelClick);
    click(ui->ShowResources, &SetupDialogLogic::ShowResourcesClick);
    click(ui->WorkCalendar, &SetupDialogLogic::WorkCalendarClick);
    click(ui->GeneralSettingsOK, &SetupDialogLogic::GeneralSettingsOKClick);

    click(ui->EnableAutoAccess, &SetupDialogLogic::EnableAutoAccessClick);
    click(ui->BrowseToQBWFile, &SetupDialogLogic::BrowseToQBWFileClick);
    click(ui->FindQBWFiles, &SetupDialogLogic::FindQBWFilesClick);
    click(ui->TestQBAccess, &SetupDialogLogic::TestQBAccessClick);
    click(ui->QBOk, &SetupDialogLogic::QBOkClick);
    connect(ui->CompanyPath, &QLineEdit::textChanged, this,
            [this] { Handle([this] { logic_->CompanyPathChange(); }); });
    connect(ui->CompanyFiles, &QListWidget::itemClicked, this,
            [this] { Handle([this] { logic_->CompanyFilesClick(); }); });

    click(ui->SaveJobStatusDefs, &SetupDialogLogic::SaveJobStatusDefsClick);

    click(ui->AccessPanel, &SetupDialogLogic::AccessPanelClick);
    click(ui->CallLogin, &SetupDialogLogic::CallLoginClick);
    click(ui->SecuritySave, &SetupDialogLogic::SecuritySaveClick);
    click(ui->SavePassword, &SetupDialogLogic::SavePasswordClick);

    click(ui->SelectOutlook, &SetupDialogLogic::SelectOutlookClick);
    click(ui->UseAuth, &SetupDialogLogic::UseAuthClick);
    click(ui->BrowseForOutlook, &SetupDialogLogic::BrowseForOutlookClick);
    click(ui->SaveEMailSettings, &SetupDialogLogic::SaveEMailSettingsClick);

    click(ui->EnableAutoBackup, &SetupDialogLogic::EnableAutoBackupClick);
    click(ui->Up, &SetupDialogLogic::UpClick);
    click(ui->SaveBackupFolder, &SetupDialogLogic::SaveBackupFolderClick);
    // A pick in the drive box changes the drive, then counts as a click on it.
    connect(ui->DriveComboBox2, &QComboBox::activated, this, [this] {
        Handle([this] {
            logic_->DriveComboBox2Change();
            logic_->DriveComboBox2Click();
        });
    });
    connect(ui->DirectoryListBox2, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        Handle([&] {
            ShowListFolder(folderModel_->filePath(folderTree_->mapToSource(index)));
            logic_->BackupFolderChanged();
        });
    });
    connect(ui->FileListBox2, &QListView::clicked, this,
            [this] { Handle([this] { logic_->BackupFolderChanged(); }); });

    controls::TFcBitBtn* const help[] = {ui->GeneralSetupHelp, ui->QuickBooksHelp, ui->JobStatusHelp,
                                         ui->SecurityHelp,     ui->SaveEMailHelp,  ui->AutoBackupHelp};
    for (std::size_t i = 0; i < std::size(help); ++i)
        help[i]->OnClick = [this, page = QString::fromLatin1(kHelpPages[i])](controls::TFcControl*) {
            host_.OpenHelpPage(page);
        };
}

void TQMSetup::FillDriveBoxes()
{
    Quiet quiet(quiet_);
    const QString search = ui->DriveComboBox->currentData().toString();
    ui->DriveComboBox->clear();
    ui->DriveComboBox2->clear();
    for (const Volume& volume : volumes_.Volumes()) {
        const QString root = QString::fromStdString(volume.rootPath);
        ui->DriveComboBox->addItem(root, root);
        ui->DriveComboBox2->addItem(root, root);
    }
    const int kept = ui->DriveComboBox->findData(search);
    ui->DriveComboBox->setCurrentIndex(kept >= 0 ? kept : 0);
}

void TQMSetup::ShowSetup(controls::TFcTabSheet* page)
{
    if (logic_->Shown()) {
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        return;
    }
    if (page)
        ui->GeneralSetupTabs->SetActivePage(page);
    FillDriveBoxes();
    logic_->ShowSetup();
    exec();
}

void TQMSetup::done(int result)
{
    logic_->FormClose();
    QDialog::done(result);
}

// --- Page views ---------------------------------------------------------------------------------------

void TQMSetup::SetStatusText(const QString& text)
{
    ui->StatusBar->SetPanelText(0, text);
}

void TQMSetup::CloseDialog()
{
    accept();
}

int TQMSetup::QuickBooksEditionIndex() const
{
    return ui->QuickBooksEdition->ItemIndex();
}
void TQMSetup::SetQuickBooksEditionIndex(int index)
{
    Quiet quiet(quiet_);
    ui->QuickBooksEdition->SetItemIndex(index);
}
int TQMSetup::HelpLevelIndex() const
{
    return ui->HelpLevelSelection->ItemIndex();
}
void TQMSetup::SetHelpLevelIndex(int index)
{
    Quiet quiet(quiet_);
    ui->HelpLevelSelection->SetItemIndex(index);
}
int TQMSetup::TaskHintLevelIndex() const
{
    return ui->TaskHintLevel->ItemIndex();
}
void TQMSetup::SetTaskHintLevelIndex(int index)
{
    Quiet quiet(quiet_);
    ui->TaskHintLevel->SetItemIndex(index);
}
bool TQMSetup::ShowResourcesChecked() const
{
    return ui->ShowResources->Checked();
}
void TQMSetup::SetShowResourcesChecked(bool checked)
{
    Quiet quiet(quiet_);
    ui->ShowResources->SetChecked(checked);
}
int TQMSetup::WorkCalendarIndex() const
{
    return ui->WorkCalendar->ItemIndex();
}
void TQMSetup::SetWorkCalendarIndex(int index)
{
    Quiet quiet(quiet_);
    ui->WorkCalendar->SetItemIndex(index);
}
int TQMSetup::ResourceDisplayIndex() const
{
    return ui->ResourceDisplay->ItemIndex();
}
void TQMSetup::SetResourceDisplayIndex(int index)
{
    Quiet quiet(quiet_);
    ui->ResourceDisplay->SetItemIndex(index);
}

bool TQMSetup::EnableAutoAccessChecked() const
{
    return ui->EnableAutoAccess->Checked();
}
void TQMSetup::SetEnableAutoAccessChecked(bool checked)
{
    Quiet quiet(quiet_);
    ui->EnableAutoAccess->SetChecked(checked);
}
void TQMSetup::SetCompanyFileGroupEnabled(bool enabled)
{
    ui->CompanyFile->setEnabled(enabled);
}
QString TQMSetup::CompanyPath() const
{
    return ui->CompanyPath->text();
}
void TQMSetup::SetCompanyPath(const QString& path)
{
    Quiet quiet(quiet_);
    ui->CompanyPath->setText(path);
}
void TQMSetup::SetCompanyFiles(const QStringList& files)
{
    ui->CompanyFiles->clear();
    ui->CompanyFiles->addItems(files);
    ui->CompanyFiles->sortItems();
}
std::optional<QString> TQMSetup::SelectedCompanyFile() const
{
    const QListWidgetItem* item = ui->CompanyFiles->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->text();
}
QString TQMSetup::SearchDrive() const
{
    return ui->DriveComboBox->currentData().toString();
}

CompanyFileSearchResult TQMSetup::SearchCompanyFiles(const QString& volumeRoot)
{
    SearchProgress progress(volumeRoot, this);
    return progress.Run();
}

std::optional<QString> TQMSetup::ChooseCompanyFile(const QString& initialFolder)
{
    QFileDialog dialog(this, QStringLiteral("Browse to company file"), initialFolder,
                       QStringLiteral("qbw (*.qbw *.QBW *.Qbw)"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

void TQMSetup::SetDatabaseChangesEnabled(bool enabled)
{
    ui->EnableAutoAccess->setEnabled(enabled);
    ui->CompanyFile->setEnabled(enabled && !ui->EnableAutoAccess->Checked());
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui->InstallQBAccess, ui->TestQBAccess, ui->AccessPanel,
                                         ui->QuickBooksEdition, ui->WorkCalendar, ui->SaveJobStatusDefs})
        control->setEnabled(enabled);
}

int TQMSetup::AccessIndex() const
{
    return ui->AccessPanel->ItemIndex();
}
void TQMSetup::SetAccessIndex(int index)
{
    Quiet quiet(quiet_);
    ui->AccessPanel->SetItemIndex(index);
}
void TQMSetup::SetAccessPanelEnabled(bool enabled)
{
    ui->AccessPanel->setEnabled(enabled);
}
void TQMSetup::SetReadOnlyMessage(const QString& text)
{
    ui->ReadOnlyMsg->setText(text);
}
void TQMSetup::SetPasswordMessage(const QString& text)
{
    ui->PasswordMsg->setText(text);
}
QString TQMSetup::OldPassword() const
{
    return ui->OldPassword->text();
}
QString TQMSetup::NewPassword1() const
{
    return ui->NewPassword1->text();
}
QString TQMSetup::NewPassword2() const
{
    return ui->NewPassword2->text();
}
void TQMSetup::ClearPasswordEdits()
{
    ui->OldPassword->clear();
    ui->NewPassword1->clear();
    ui->NewPassword2->clear();
}

bool TQMSetup::SelectOutlookChecked() const
{
    return ui->SelectOutlook->Checked();
}
void TQMSetup::SetSelectOutlookChecked(bool checked)
{
    Quiet quiet(quiet_);
    ui->SelectOutlook->SetChecked(checked);
}
bool TQMSetup::UseAuthChecked() const
{
    return ui->UseAuth->Checked();
}
void TQMSetup::SetUseAuthChecked(bool checked)
{
    Quiet quiet(quiet_);
    ui->UseAuth->SetChecked(checked);
}
QString TQMSetup::OutlookPath() const
{
    return ui->OutlookPath->text();
}
void TQMSetup::SetOutlookPath(const QString& path)
{
    ui->OutlookPath->setText(path);
}
void TQMSetup::SetOutlookControlsEnabled(bool enabled)
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui->OutlookPanel, ui->OutlookPath, ui->BrowseForOutlook})
        control->setEnabled(enabled);
}
void TQMSetup::SetDirectSettingsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui->DirectSettingsPanel, ui->Label19, ui->Label34, ui->Label20, ui->Label27, ui->Label21,
             ui->DBEdit39, ui->DBEdit1, ui->DBEdit38, ui->DBEdit43, ui->DBEdit37, ui->UseAuth})
        control->setEnabled(enabled);
}
void TQMSetup::SetAuthenticationFieldsEnabled(bool enabled)
{
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui->Label20, ui->Label27, ui->DBEdit38, ui->DBEdit43})
        control->setEnabled(enabled);
}
EmailFieldTexts TQMSetup::EmailFields() const
{
    return {ui->DBEdit39->text(), ui->DBEdit1->text(), ui->DBEdit38->text(), ui->DBEdit43->text(),
            ui->DBEdit37->text()};
}
void TQMSetup::SetEmailFields(const EmailFieldTexts& fields)
{
    ui->DBEdit39->setText(fields.Host);
    ui->DBEdit1->setText(fields.Port);
    ui->DBEdit38->setText(fields.UserId);
    ui->DBEdit43->setText(fields.Password);
    ui->DBEdit37->setText(fields.From);
}
std::optional<QString> TQMSetup::ChooseMailProgram()
{
    QFileDialog dialog(this, QStringLiteral("Browse"), ui->OutlookPath->text(),
                       QStringLiteral("exe (*.exe);;All files (*)"));
    dialog.setObjectName(QStringLiteral("OpenDialog2"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

bool TQMSetup::EnableAutoBackupChecked() const
{
    return ui->EnableAutoBackup->Checked();
}
void TQMSetup::SetEnableAutoBackupChecked(bool checked)
{
    Quiet quiet(quiet_);
    ui->EnableAutoBackup->SetChecked(checked);
}
void TQMSetup::SetMediaPanelEnabled(bool enabled)
{
    ui->MediaPanel->setEnabled(enabled);
}
QString TQMSetup::BackupDrive() const
{
    return ui->DriveComboBox2->currentData().toString();
}
void TQMSetup::SetBackupDrive(const QString& root)
{
    Quiet quiet(quiet_);
    const int index = ui->DriveComboBox2->findData(root);
    if (index >= 0)
        ui->DriveComboBox2->setCurrentIndex(index);
}
QString TQMSetup::TreeBaseFolder() const
{
    return treeBase_;
}
void TQMSetup::SetTreeBaseFolder(const QString& folder)
{
    treeBase_ = folder;
    folderModel_->setRootPath(folder);
    static_cast<BaseFolderFilter*>(folderTree_)->SetBase(folder);
    const QModelIndex base = folderModel_->index(folder);
    ui->DirectoryListBox2->setRootIndex(folderTree_->mapFromSource(base.parent()));
    ui->DirectoryListBox2->expand(folderTree_->mapFromSource(base));
    ShowListFolder(folder);
}
void TQMSetup::ShowListFolder(const QString& folder)
{
    listFolder_ = folder;
    fileModel_->setRootPath(folder);
    ui->FileListBox2->setRootIndex(fileModel_->index(folder));
    const QModelIndex shown = folderTree_->mapFromSource(folderModel_->index(folder));
    if (shown.isValid())
        ui->DirectoryListBox2->setCurrentIndex(shown);
}
// The tree never goes above its base folder; the list follows it.
void TQMSetup::TreeGoUp()
{
    if (listFolder_ == treeBase_)
        return;
    QDir parent(listFolder_);
    if (parent.cdUp())
        ShowListFolder(parent.absolutePath());
}
QString TQMSetup::ListFolder() const
{
    return listFolder_;
}
void TQMSetup::SetListHint(const QString& text)
{
    ui->FileListBox2->setToolTip(text);
}
void TQMSetup::SetBackupStatus(const QString& text)
{
    ui->BackupStatusBar->SetPanelText(0, text);
}
void TQMSetup::ShowDriveSpace(std::uint64_t usedBytes, std::uint64_t freeBytes, const QString& label)
{
    ui->SpaceChart->SetSpace(usedBytes, freeBytes);
    ui->SizeLabel->SetCaption(label);
}

StatusEditTexts TQMSetup::StatusEdits() const
{
    return {ui->PendingD->text(), ui->AwardedD->text(), ui->InProgressD->text(),
            ui->NoneD->text(),    ui->ClosedD->text(),  ui->NotAwardedD->text()};
}
void TQMSetup::SetStatusEdits(const StatusEditTexts& texts)
{
    QLineEdit* const edits[] = {ui->PendingD, ui->AwardedD, ui->InProgressD,
                                ui->NoneD,    ui->ClosedD,  ui->NotAwardedD};
    for (std::size_t i = 0; i < texts.size(); ++i)
        edits[i]->setText(texts[i]);
}

}  // namespace tw::settings
