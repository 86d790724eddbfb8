#include "settings/unit/utilitiesfeature.h"

#include "app/appservices.h"
#include "settings/exitbackupwindow.h"
#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "app/mainpage.h"
#include "app/mainpagecontrol.h"
#include "settings/unit/utilitieshosts.h"
#include "settings/utilitiespage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "settings/databasebackup.h"
#include "settings/exitbackup.h"
#include "settings/restore.h"
#include "settings/setupdialog.h"
#include "settings/volumes.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

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

// What the unit keeps for its page: the hosts over the session and the setup
// dialog, made with the page and kept for the run.
struct UtilitiesWiring {
    UtilitiesWiring(AppSession& session, UtilitiesScreens& screens, SetupScreens& setupScreens,
                    TableReopener& tables)
        : backup(session, screens, tables), empty(session, screens), restore(session, screens, tables),
          setupHost(session, setupScreens, tables)
    {
    }
    settings::SystemVolumes volumes;
    SessionBackupHost backup;
    SessionEmptyDatabaseHost empty;
    SessionRestoreHost restore;
    bool started = false;
    SessionSetupHost setupHost;
    std::unique_ptr<settings::TQMSetup> setup;
};

UtilitiesFeature::UtilitiesFeature(const FeatureContext& context, const UtilitiesPages& pages,
                                   TableReopener& tables, UtilitiesWindow& window, const UtilitiesPlaces& places)
    : context_(context),
      pages_(pages),
      window_(window),
      wiring_(std::make_unique<UtilitiesWiring>(context.Session, static_cast<UtilitiesScreens&>(*this),
                                                static_cast<SetupScreens&>(*this), tables))
{
    places.Tabs->setTabToolTip(places.Tabs->indexOf(places.Tab), QStringLiteral("Backup, Restore and Setup"));
    page_ = new TUtilitiesPage(wiring_->volumes, context_.Session.State, context_.UI,
                               static_cast<UtilitiesPageActions&>(*this), places.Tab);
    places.TabLayout->insertWidget(0, page_, 1);
    places.Area->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    CreateSetupDialog();

    // The page shows the backup folder the start-up read, the first time it is turned to.
    tabTurned_ = QObject::connect(places.Tabs, &TMainPageControl::currentChanged, page_, [this](int index) {
        if (index != MainPage::UtilitiesPage)
            return;
        if (wiring_->started) {
            page_->Logic().Refresh();
            return;
        }
        wiring_->started = true;
        page_->Logic().Start(StartDrive());
    });
    CreateHelpButtons(places.Tabs, places.Contents);
}

UtilitiesFeature::~UtilitiesFeature()
{
    // The tabs outlive the unit while the window comes down.
    QObject::disconnect(tabTurned_);
}

bool UtilitiesFeature::Question(const std::string& text, const std::string& caption)
{
    return QMessageBox::question(&context_.Window, QString::fromStdString(caption),
                                 QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

std::string UtilitiesFeature::SelectedBackupFile() const
{
    return page_->SelectedFile();
}

void UtilitiesFeature::RefreshBackupView()
{
    page_->Logic().Refresh();
}

void UtilitiesFeature::SaveAndClearAllocations(bool clearChart)
{
    pages_.Chart.SaveAndClearAllocations(clearChart);
}

// As a new database reads: the query page would otherwise paint the last
// customer's and job's caption and labels over the empty tables.
void UtilitiesFeature::ShowEmptyScreens()
{
    pages_.Query.RefreshCustomerViews();
    pages_.Query.ShowTitle("Tarnwick");
    pages_.Query.ShowEmptyDatabase();
    context_.Window.setWindowTitle(QStringLiteral("Tarnwick"));
}

void UtilitiesFeature::RefreshAfterRestore()
{
    page_->Logic().Refresh();
    pages_.Filters.UpdateSelectControls();
    pages_.Filters.ApplyCustomerQuery();
}

void UtilitiesFeature::SetCustomersLabel(const std::string& text)
{
    pages_.Filters.SetCustomersLabel(text);
}

void UtilitiesFeature::CloseMainWindow()
{
    context_.Window.close();
}

void UtilitiesFeature::ShowWorkCalendar(std::int32_t resourceId)
{
    pages_.Calendar.ShowWorkCalendar(resourceId);
}

int UtilitiesFeature::TaskStatusIndex() const
{
    return pages_.Query.TaskStatusIndex();
}

void UtilitiesFeature::SetTaskStatusIndex(int index)
{
    pages_.Query.SetTaskStatusIndex(index);
}

void UtilitiesFeature::UntickRestrictToSelectedStatus()
{
    pages_.Query.UntickRestrictToSelectedStatus();
}

std::string UtilitiesFeature::StartDrive() const
{
    const std::string& start = page_->Logic().StartDrive();
    if (!start.empty())
        return start;
    // The drive of the data folder, not of wherever the program was started
    // from: that is where the user's tables and backups live.
    return settings::StartDriveOf(page_->Logic().Volumes(), context_.Session.State.ScheduleFolder);
}

void UtilitiesFeature::TerminateProgram()
{
    TerminateApplication();
}

// The box belongs to the setup dialog, from which the help buttons open pages.
void UtilitiesFeature::OpenHelpPage(const QString& page)
{
    ShowHelpPage(wiring_->setup.get(), QString::fromStdString(context_.Session.State.ProgramFolder), page);
}

void UtilitiesFeature::BackupAll()
{
    settings::DatabaseBackup backup(wiring_->backup, context_.UI);
    backup.BackupAllClick();
}

void UtilitiesFeature::Restore()
{
    settings::SmartRestore restore(wiring_->restore, context_.UI);
    restore.RestoreClick();
}

void UtilitiesFeature::EmptyDatabase()
{
    settings::EmptyDatabase empty(wiring_->empty, context_.UI);
    empty.EmptyDatabaseClick();
}

void UtilitiesFeature::ReindexDatabase()
{
    context_.Session.Tables().ReindexDatabase();
}

void UtilitiesFeature::ShowSetup()
{
    SetupDialog().ShowSetup();
    // The backup folder may have changed: the page shows it again.
    wiring_->started = true;
    page_->Logic().Start(StartDrive());
}

void UtilitiesFeature::CreateHelpButtons(TMainPageControl* tabs, QWidget* contents)
{
    QWidget& window = context_.Window;
    auto* corner = new QWidget(&window);
    auto* row = new QHBoxLayout(corner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    controls::TFcBitBtn* tutorial = HelpButton(corner, "Tutorial", "Tutorial", "Tarnwick tutorial");
    controls::TFcBitBtn* allHelp = HelpButton(corner, "AllHelp", "Help", "Help for current tab");
    row->addWidget(tutorial);
    row->addWidget(allHelp);
    row->addWidget(contents);
    tabs->setCornerWidget(corner, Qt::TopRightCorner);
    contents->show();  // the tab widget hid it as its former corner widget
    const data::SessionSettings& run = context_.Session.State;
    QObject::connect(tutorial, &controls::TFcControl::clicked, corner, [&run, &window] {
        ShowHelpPage(&window, QString::fromStdString(run.ProgramFolder),
                     QString::fromLatin1(settings::kTutorialPage));
    });
    QObject::connect(allHelp, &controls::TFcControl::clicked, corner, [&run, &window, tabs] {
        const std::string page = settings::HelpPageOf(tabs->currentIndex());
        if (!page.empty())
            ShowHelpPage(&window, QString::fromStdString(run.ProgramFolder), QString::fromStdString(page));
    });
}

settings::TQMSetup& UtilitiesFeature::SetupDialog()
{
    return *wiring_->setup;
}

void UtilitiesFeature::CreateSetupDialog()
{
    data::TEstimateData& d = context_.Session.Data();
    wiring_->setup = std::make_unique<settings::TQMSetup>(
        wiring_->setupHost, context_.UI, wiring_->setupHost.Settings,
        settings::SetupTables{d.ParamsTable, d.ETable, d.QBSetupTable, d.MyCompanyTable}, wiring_->volumes,
        &context_.Window);
    wiring_->setupHost.Logic = &wiring_->setup->Logic();
    wiring_->setup->SetAccountingSettings(&wiring_->setupHost);
}

void UtilitiesFeature::BackupAtExit(bool noAutoBackup)
{
    TExitBackupWindow window;
    settings::ExitBackup(wiring_->backup, context_.UI, window).Run(noAutoBackup);
}

}  // namespace tw::app
