// The main window's side of the Utilities page: the page in its tab, the
// backup and the emptying over the session, and the help buttons.
#include "app/appservices.h"
#include "app/exitbackupwindow.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "app/utilitieshosts.h"
#include "app/utilitiespage.h"
#include "settings/databasebackup.h"
#include "settings/exitbackup.h"
#include "settings/restore.h"
#include "ui_mainscreen.h"

#include <QDir>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace tw::app {

namespace {

// Drawn as "Contents" beside them is.
controls::TFcBitBtn* HelpButton(QWidget* parent, const char* name, const char* caption, const char* hint)
{
    auto* button = new controls::TFcBitBtn(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(QString::fromLatin1(caption));
    button->SetHint(QString::fromLatin1(hint));
    button->SetHotTrack(true);
    return button;
}

}  // namespace

void TMainScreen::CreateUtilitiesPage()
{
    utilities_ = std::make_unique<UtilitiesWiring>(session_);
    UtilitiesWindowSteps& steps = utilities_->steps;
    steps.CloseAllTables = [this] { CloseAllTables(); };
    steps.OpenAllTables = [this] { OpenAllTables(false); };
    steps.RefreshBackupView = [this] { utilitiesPage_->Logic().Refresh(); };
    steps.CloseMainWindow = [this] { close(); };
    steps.Question = [this](const std::string& text, const std::string& caption) {
        return QMessageBox::question(this, QString::fromStdString(caption), QString::fromStdString(text),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
    steps.SaveAndClearAllocations = [this](bool clearChart) { SaveAndClearAllocations(clearChart); };
    steps.ShowDefaultCalendar = [this] { RefreshWorkCalendar(); };
    steps.ShowEmptyScreens = [this] {
        setWindowTitle(QStringLiteral("Tarnwick"));
        RefreshCustomerViews();
    };
    steps.SelectedBackupFile = [this] { return utilitiesPage_->SelectedFile(); };
    steps.PullChartUpdates = [this](bool force) { PullChartUpdates(force); };
    steps.ShowRestoredCalendar = [this] { RefreshWorkCalendar(); };
    steps.RefreshAfterRestore = [this] {
        utilitiesPage_->Logic().Refresh();
        UpdateSelectControls();
        ApplyCustomerQuery();
    };
    steps.SetCustomersLabel = [this](const std::string& text) { SetCustomersLabel(QString::fromStdString(text)); };

    ui->TabControl->setTabToolTip(ui->TabControl->indexOf(ui->Utilities),
                                  QStringLiteral("Backup, Restore and Setup"));
    utilitiesPage_ = new TUtilitiesPage(utilities_->volumes, State, *userInterface_, ui->Utilities);
    ui->UtilitiesLayout->insertWidget(0, utilitiesPage_, 1);
    ui->UtilitiesArea->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    utilitiesPage_->BackupAllClick = [this] {
        settings::DatabaseBackup backup(utilities_->backup, *userInterface_);
        backup.BackupAllClick();
    };
    utilitiesPage_->RestoreClick = [this] {
        settings::SmartRestore restore(utilities_->restore, *userInterface_);
        restore.RestoreClick();
    };
    utilitiesPage_->EmptyDatabaseClick = [this] {
        settings::EmptyDatabase empty(utilities_->empty, *userInterface_);
        empty.EmptyDatabaseClick();
    };
    utilitiesPage_->ReIndexDbClick = [this] { tables_->ReindexDatabase(); };
    CreateSetupDialog();
    utilitiesPage_->SetupClick = [this] {
        SetupDialog().ShowSetup();
        // The backup folder may have changed: the page shows it again.
        utilities_->started = true;
        utilitiesPage_->Logic().Start(utilities_->setupSteps.StartDrive());
    };

    // The page shows the backup folder the start-up read, the first time it is turned to.
    connect(ui->TabControl, &TMainPageControl::currentChanged, this, [this](int index) {
        if (index != UtilitiesPage)
            return;
        if (utilities_->started) {
            utilitiesPage_->Logic().Refresh();
            return;
        }
        utilities_->started = true;
        utilitiesPage_->Logic().Start(QStorageInfo(QDir::currentPath()).rootPath().toStdString());
    });

    // "Tutorial" and "Help" beside "Contents" in the tab bar's corner.
    auto* corner = new QWidget(this);
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    controls::TFcBitBtn* tutorial = HelpButton(corner, "Tutorial", "Tutorial", "Tarnwick tutorial");
    controls::TFcBitBtn* allHelp = HelpButton(corner, "AllHelp", "Help", "Help for current tab");
    row->addWidget(tutorial);
    row->addWidget(allHelp);
    row->addWidget(ui->Help);
    ui->TabControl->setCornerWidget(corner, Qt::TopRightCorner);
    ui->Help->show();  // the tab widget hid it as its former corner widget
    connect(tutorial, &controls::TFcControl::clicked, this, [this] {
        OpenHelpPage(QString::fromStdString(State.ProgramFolder), QString::fromLatin1(settings::kTutorialPage));
    });
    connect(allHelp, &controls::TFcControl::clicked, this, [this] {
        const std::string page = settings::HelpPageOf(ui->TabControl->currentIndex());
        if (!page.empty())
            OpenHelpPage(QString::fromStdString(State.ProgramFolder), QString::fromStdString(page));
    });
}

settings::TQMSetup& TMainScreen::SetupDialog()
{
    return *utilities_->setup;
}

void TMainScreen::CreateSetupDialog()
{
    SetupWindowSteps& s = utilities_->setupSteps;
    s.ApplyHelpLevel = [this] { ApplyHelpLevel(); };
    s.ShowWorkCalendar = [this](std::int32_t id) { ShowWorkCalendar(id); };
    s.RefreshWorkCalendar = [this] { RefreshWorkCalendar(); };
    s.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
    s.ApplyReadOnlyAccess = [this](bool readOnly) { ApplyReadOnlyAccess(readOnly); };
    s.CloseAllTables = [this] { CloseAllTables(); };
    s.OpenAllTables = [this] { OpenAllTables(false); };
    s.AskPassword = [this] { return AskPassword(); };
    s.ShowJobStatusTexts = [this](const data::JobStatusTexts& texts) { ShowJobStatusTexts(texts); };
    s.ShowResourceCaptionMode = [this](int mode) { ShowResourceCaptionMode(mode); };
    // The Add / Edit / Query page's status choice, by its controls' names.
    const auto statusChoice = [this] {
        return queryPage_->findChild<controls::TFcRadioGroup*>(QStringLiteral("TaskStatus"));
    };
    s.TaskStatusIndex = [statusChoice] { return statusChoice()->ItemIndex(); };
    // Shown, not chosen: the query does not run for it.
    s.SetTaskStatusIndex = [statusChoice](int index) {
        controls::TFcRadioGroup* choice = statusChoice();
        if (index >= 0 && index < choice->Count()) {
            const QSignalBlocker quiet(choice);
            choice->SetItemIndex(index);
        }
    };
    // As the user's untick: the query runs without the status.
    s.UntickRestrictToSelectedStatus = [this] {
        auto* box = queryPage_->findChild<controls::TFcCheckBox*>(QStringLiteral("RestrictToSelectedStatus"));
        if (box && box->Checked())
            box->SetChecked(false);
    };
    s.StartDrive = [this] {
        const std::string& start = utilitiesPage_->Logic().StartDrive();
        return start.empty() ? QStorageInfo(QDir::currentPath()).rootPath().toStdString() : start;
    };
    data::TEstimateData& d = *data_;
    utilities_->setup = std::make_unique<settings::TQMSetup>(
        utilities_->setupHost, *userInterface_, utilities_->setupHost.Settings,
        settings::SetupTables{d.ParamsTable, d.ETable, d.QBSetupTable, d.MyCompanyTable}, utilities_->volumes,
        this);
    utilities_->setupHost.Logic = &utilities_->setup->Logic();
    utilities_->setup->SetAccountingSettings(&utilities_->setupHost);
    utilities_->setup->OpenHelpPage = [this](const QString& page) {
        if (!OpenHelpPage(QString::fromStdString(State.ProgramFolder), page))
            ShowMessageBox(utilities_->setup.get(), "The help page " + page + " could not be opened",
                           QStringLiteral("Error"), MessageIcon::Stop, MessageModality::Window);
    };
}

void TMainScreen::BackupAtExit()
{
    if (!utilities_)
        return;
    TExitBackupWindow window;
    settings::ExitBackup(utilities_->backup, *userInterface_, window).Run(Flags.NoAutoBackup);
}

}  // namespace tw::app
