#include "app/databaseselection.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "app/appservices.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "data/services/busyscopes.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "ui_databaseselection.h"

#include <QFileSystemModel>
#include <QLineEdit>
#include <QScreen>
#include <QDir>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace tw::app {

namespace {

constexpr int kWaitOnSaveMs = 3000;
constexpr int kStatusPanelWidth = 393;

void ShowStop(QWidget* parent, const QString& text, const QString& caption)
{
    ShowMessageBox(parent, text, caption, MessageIcon::Stop, MessageModality::Application);
}

}  // namespace

QStringList VolumeRoots(const QStringList& mountPoints)
{
    QStringList roots{QDir::rootPath()};
    for (const QString& point : mountPoints) {
        if (!point.isEmpty() && !roots.contains(point))
            roots << point;
    }
    roots.sort();
    return roots;
}

QStringList MountPoints()
{
    QStringList points;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            points << volume.rootPath();
    }
    return VolumeRoots(points);
}

DatabaseSelection::DatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host,
                                     const MainScreenDatabase& members,
                                     const DatabaseNameRules& rules, db::AliasConfig& session,
                                     db::Database& database, const QString& caption, const QString& helpPage,
                                     QWidget* parent)
    : QDialog(parent),
      mainScreen_(mainScreen),
      host_(host),
      members_(members),
      ui(std::make_unique<Ui::DatabaseSelection>()),
      rules_(rules),
      session_(session),
      database_(database),
      helpPage_(helpPage)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    ui->StatusBar->AddPane(kStatusPanelWidth)->setObjectName(QStringLiteral("StatusPanel"));
    ui->PageControl->SetActivePageIndex(0);

    ui->DriveComboBox->addItems(MountPoints());
    // The files of the folder chosen in the tree, tables only.
    auto* files = new QFileSystemModel(this);
    files->setFilter(QDir::Files);
    files->setNameFilters({QStringLiteral("*.dbf")});
    files->setNameFilterDisables(false);
    ui->FileListBox->setModel(files);
    connect(ui->DirectoryListBox, &TFcShellLocator::PathChanged, this,
            [this, files](const QString& path) { ui->FileListBox->setRootIndex(files->setRootPath(path)); });
    ui->DirectoryListBox->SetPathName(QDir::homePath());

    WaitOnSave = new QTimer(this);
    WaitOnSave->setObjectName(QStringLiteral("WaitOnSave"));
    WaitOnSave->setInterval(kWaitOnSaveMs);
    connect(WaitOnSave, &QTimer::timeout, this, &DatabaseSelection::WaitOnSaveTimer);

    connect(ui->ChangeDefaults, &controls::TFcControl::clicked, this, &DatabaseSelection::ChangeDefaultsClick);
    connect(ui->CreateNewAlias, &controls::TFcControl::clicked, this, &DatabaseSelection::CreateNewAliasClick);
    connect(ui->AliasCombo, &QComboBox::activated, this, &DatabaseSelection::AliasComboChange);
    connect(ui->DriveComboBox, &QComboBox::activated, this, &DatabaseSelection::DriveComboBoxChange);
    connect(ui->Help, &controls::TFcControl::clicked, this, &DatabaseSelection::HelpClick);
}

DatabaseSelection::~DatabaseSelection()
{
    RestoreCursor();
}

void DatabaseSelection::Fill(int helpLevel)
{
    const std::initializer_list<QWidget*> fields{ui->DriveComboBox, ui->DirectoryListBox, ui->FileListBox,
                                                 ui->NewAliasName,  ui->AliasInUse,       ui->AliasPath,
                                                 ui->AliasCombo};
    for (QWidget* field : fields) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, host_.DialogFieldColour());
        field->setPalette(palette);
    }
    const bool hints = helpLevel == 0;
    ui->ChangeDefaults->setToolTip(hints ? QStringLiteral("Use selected database  name ") : QString());
    ui->CreateNewAlias->setToolTip(hints ? QStringLiteral("Create a database name") : QString());

    if (!DatabaseAlias().isEmpty()) {
        // Until the start-up connects the database itself, it is connected
        // here under the name the start-up read.
        if (database_.aliasName().empty())
            database_.setAliasName(DatabaseAlias().toStdString());
        ui->AliasInUse->setText(QString::fromStdString(database_.aliasName()));
        ShowAliasPath(ui->AliasInUse->text());
    }
    FillAliasList();
    StartFolder = QString::fromStdString(mainScreen_->Session().State.ProgramFolder);
    SetStatusText({});
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void DatabaseSelection::FillAliasList()
{
    ui->AliasCombo->clear();
    try {
        session_.Reload();
        QStringList names;
        for (const std::string& name : session_.GetAliasNames())
            names << QString::fromStdString(name);
        names.sort(Qt::CaseInsensitive);
        ui->AliasCombo->addItems(names);
    } catch (const std::exception& e) {
        ReportError(QString::fromLocal8Bit(e.what()));
    }
    ui->AliasCombo->setCurrentIndex(-1);
}

void DatabaseSelection::ShowAliasPath(const QString& alias)
{
    try {
        ui->AliasPath->setText(AliasPath(session_, alias));
    } catch (const std::exception& e) {
        ui->AliasPath->clear();
        ReportError(QString::fromLocal8Bit(e.what()));
    }
}

void DatabaseSelection::AliasComboChange()
{
    ShowAliasPath(ui->AliasCombo->currentText());
}

void DatabaseSelection::DriveComboBoxChange()
{
    // A volume that went away leaves the tree where it was.
    ui->DirectoryListBox->SetPathName(ui->DriveComboBox->currentText());
    SetStatusText({});
}

void DatabaseSelection::ChangeDefaultsClick()
{
    data::BusyScope hourglass(mainScreen_->Session().Interface());
    const QString chosen = ui->AliasCombo->currentText();
    const SwitchResult result = SwitchDatabaseName(rules_, chosen, session_, database_, *this);
    switch (result.Outcome) {
    case SwitchOutcome::NothingChosen: return;
    case SwitchOutcome::Reserved:
        hourglass.Release();
        ShowStop(this, QStringLiteral("Illegal database name"),
                 QStringLiteral("Choose a different database name"));
        return;
    case SwitchOutcome::Failed:
        hourglass.Release();
        ShowStop(this, QStringLiteral("Invalid database selection"), QStringLiteral("Error"));
        return;
    case SwitchOutcome::Switched: break;
    }
    (mainScreen_->*members_.InUseEdit)()->setText(DatabaseAlias() + ": " + DatabaseFolder());
    AfterSwitch(result.RegistryWritten);
}

void DatabaseSelection::ReportSwitch()
{
    SetStatusText("Tarnwick db switched to " + ui->AliasPath->text());
    ui->AliasInUse->setText(DatabaseAlias());
}

void DatabaseSelection::ReportRegistryFailure()
{
    ShowStop(this, QStringLiteral("Write registry failure"), QStringLiteral("Error"));
}

void DatabaseSelection::CreateNewAliasClick()
{
    const QString name = ui->NewAliasName->text();
    if (IsReservedName(rules_.CreateReserved, name)) {
        ShowStop(this, QStringLiteral("Illegal database name"), QStringLiteral("Create database name error"));
        reject();
        return;
    }
    data::BusyScope hourglass(mainScreen_->Session().Interface());
    CreateOutcome outcome;
    try {
        const QString folder = ui->DirectoryListBox->GetPathName();
        outcome = CreateDatabaseName(rules_, name, folder, StartFolder, session_);
    } catch (const std::exception& e) {
        hourglass.Release();
        ReportError(QString::fromLocal8Bit(e.what()));
        return;
    }
    switch (outcome) {
    case CreateOutcome::Reserved:  // refused above
    case CreateOutcome::NothingNamed: return;
    case CreateOutcome::IllegalLocation:
        hourglass.Release();
        ShowStop(this, QStringLiteral("Illegal database location"),
                 QStringLiteral("Create database name error"));
        reject();
        return;
    case CreateOutcome::Added:
    case CreateOutcome::Repointed:
        AliasExisted = outcome == CreateOutcome::Repointed;
        SaveInBackground();
        return;
    }
}

void DatabaseSelection::StartSave()
{
    savingName_ = ui->NewAliasName->text();
    SetStatusText("Saving database name: " + savingName_);
    if (!saveHourglass_)
        saveHourglass_.emplace(mainScreen_->Session().Interface());
    SavePending = true;
    WaitOnSave->start();
    SaveThread.Start(session_);
}

void DatabaseSelection::WaitOnSaveTimer()
{
    // A save still running is reported at a later tick: what is said about it
    // is what it did, never a guess.
    if (!SavePending || !SaveThread.Finished())
        return;
    WaitOnSave->stop();
    RestoreCursor();
    const QString error = SaveThread.Take();
    SavePending = false;
    if (!error.isEmpty()) {
        SetStatusText({});
        ShowStop(this, error, QStringLiteral("Error"));
        return;
    }
    SetStatusText(SavedNameStatus(savingName_, AliasExisted));
    ui->AliasCombo->setCurrentIndex(-1);
    ui->AliasPath->clear();
    // A saved name takes effect without closing the program.
    FillAliasList();
}

void DatabaseSelection::HelpClick()
{
    ShowHelpPage(this, QString::fromStdString(mainScreen_->Session().State.ProgramFolder), helpPage_);
}

QString DatabaseSelection::StatusText() const
{
    return ui->StatusBar->PanelText(0);
}

void DatabaseSelection::SetStatusText(const QString& text)
{
    ui->StatusBar->SetPanelText(0, text);
}

void DatabaseSelection::RestoreCursor()
{
    saveHourglass_.reset();
}

void DatabaseSelection::ReportError(const QString& text)
{
    ShowStop(this, text, QStringLiteral("Error"));
}

QString DatabaseSelection::DatabaseAlias() const
{
    return QString::fromStdString(mainScreen_->Session().State.*members_.Alias);
}

QString DatabaseSelection::DatabaseFolder() const
{
    return QString::fromStdString(mainScreen_->Session().State.*members_.Folder);
}

DatabaseInUse DatabaseSelection::InUse() const
{
    return {DatabaseAlias(), DatabaseFolder()};
}

void DatabaseSelection::SetInUse(const DatabaseInUse& inUse)
{
    mainScreen_->Session().State.*members_.Alias = inUse.Alias.toStdString();
    mainScreen_->Session().State.*members_.Folder = inUse.Folder.toStdString();
}

void DatabaseSelection::CloseAllTables()
{
    mainScreen_->Session().Tables().CloseAllTables();
}

void DatabaseSelection::OpenAllTables(bool rebuildAllowed)
{
    host_.OpenAllTables(rebuildAllowed);
}

// The schedule database.

TTWDatabaseSelection::TTWDatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host,
                                           db::AliasConfig& session, db::Database& schedulerDatabase,
                                           QWidget* parent)
    : DatabaseSelection(mainScreen, host,
                        {&data::SessionSettings::ScheduleAlias, &data::SessionSettings::ScheduleFolder,
                         &TMainScreen::TWDatabaseInUse},
                        ScheduleDatabaseRules(), session, schedulerDatabase,
                        QStringLiteral("Tarnwick database access"), QStringLiteral("Finding_TW_database.htm"),
                        parent)
{
    setObjectName(QStringLiteral("TTWDatabaseSelection"));
}

int TTWDatabaseSelection::Execute(int helpLevel)
{
    Fill(helpLevel);
    return exec();
}

void TTWDatabaseSelection::SaveConfigInBackground()
{
    StartSave();
}

void TTWDatabaseSelection::AfterSwitch(bool registryWritten)
{
    // Without open tables there is nothing to refresh, and the switch has
    // nothing to say.
    if (!mainScreen_->Session().State.TablesOpen)
        return;
    if (!registryWritten) {
        ReportRegistryFailure();
        return;
    }
    mainScreen_->Session().Sync().PullChartUpdates(true);
    host_.ShowSwitchedCalendars();
    ReportSwitch();
}

// The estimating database.

TDatabaseSelection::TDatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host,
                                       db::AliasConfig& session, db::Database& estimatorDatabase, QWidget* parent)
    : DatabaseSelection(mainScreen, host,
                        {&data::SessionSettings::EstimatorAlias, &data::SessionSettings::EstimatorFolder,
                         &TMainScreen::QMDatabaseInUse},
                        EstimatingDatabaseRules(), session, estimatorDatabase,
                        QStringLiteral("Quillmark database access"),
                        QStringLiteral("Finding_QM_database.htm"), parent)
{
    setObjectName(QStringLiteral("TDatabaseSelection"));
}

int TDatabaseSelection::Open(int helpLevel)
{
    Fill(helpLevel);
    return exec();
}

void TDatabaseSelection::SaveDatabaseName()
{
    StartSave();
}

void TDatabaseSelection::AfterSwitch(bool registryWritten)
{
    if (!registryWritten)
        ReportRegistryFailure();
    ReportSwitch();
}

}  // namespace tw::app
