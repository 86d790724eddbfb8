#include "app/mainscreen.h"

#include "app/appservices.h"
#include "app/databaseselection.h"
#include "app/password.h"
#include "app/programfolder.h"
#include "app/win7advice.h"
#include "app/workcalendarpage.h"
#include "platform/registry/registry.h"
#include "ui_mainscreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace tw::app {

namespace {

constexpr int kMinimumWidth = 880;
constexpr int kMinimumHeight = 600;
constexpr int kHintHidePauseMs = 14000;
constexpr int kStartIntervalMs = 2;
constexpr int kUpdatePollMs = 15000;

const QString kAdminAdvice =
    QStringLiteral("For this user, please restart Tarnwick and run as an administrator.");

// Colours are kept as 0x00BBGGRR values, as the settings of older copies hold them.
QColor FromColourValue(unsigned value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The hourglass while the start-up or the shutdown works on the GUI thread.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TMainScreen::TMainScreen(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TMainScreen>())
{
    ui->setupUi(this);
    ui->TabControl->setCornerWidget(ui->Help, Qt::TopRightCorner);
    workCalendarPage_ = new TWorkCalendarPage(ui->CalendarArea);
    ui->CalendarAreaLayout->addWidget(workCalendarPage_, 0, 0);
    connect(ui->Help, &QPushButton::clicked, this, &TMainScreen::HelpClick);
    connect(ui->TWDbManagement, &QPushButton::clicked, this, &TMainScreen::TWDbManagementClick);
    connect(ui->QMDbManagement, &QPushButton::clicked, this, &TMainScreen::QMDbManagementClick);
    connect(ui->TabControl, &QTabWidget::currentChanged, this, [this] {
        if (SelectionReady)
            TabControlChange();
    });

    const int widths[3] = {0, 260, 200};
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(ui->StatusBar);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels_[i]->setFrameShape(QFrame::StyledPanel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        statusPanels_[i]->setMinimumWidth(widths[i]);
        statusPanels_[i]->setTextInteractionFlags(Qt::NoTextInteraction);
        ui->StatusBar->addWidget(statusPanels_[i], i == 0 ? 1 : 0);
    }

    Start = new QTimer(this);
    Start->setObjectName(QStringLiteral("Start"));
    Start->setInterval(kStartIntervalMs);
    connect(Start, &QTimer::timeout, this, &TMainScreen::StartTimer);
    UpdatePoll = new QTimer(this);
    UpdatePoll->setObjectName(QStringLiteral("UpdatePoll"));
    UpdatePoll->setInterval(kUpdatePollMs);

    qApp->installEventFilter(this);
    FormCreate();
}

TMainScreen::~TMainScreen()
{
    FormDestroy();
}

void TMainScreen::SetDialogs(TPassword* password, TWin7Advice* advice)
{
    password_ = password;
    advice_ = advice;
}

void TMainScreen::SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames, TDatabaseSelection* estimatingNames)
{
    scheduleNames_ = scheduleNames;
    estimatingNames_ = estimatingNames;
}

QTabWidget* TMainScreen::TabControl() const
{
    return ui->TabControl;
}

QWidget* TMainScreen::RACContainer() const
{
    return ui->RACContainer;
}

void TMainScreen::SetStatusText(int panel, const QString& text)
{
    statusPanels_[panel]->setText(text);
    // Work runs on the GUI thread without returning to the event loop, so the
    // text has to be drawn now to be seen while that work goes on.
    statusPanels_[panel]->repaint();
}

QString TMainScreen::StatusText(int panel) const
{
    return statusPanels_[panel]->text();
}

QLineEdit* TMainScreen::TWDatabaseInUse() const
{
    return ui->TWDatabaseInUse;
}

QLineEdit* TMainScreen::QMDatabaseInUse() const
{
    return ui->QMDatabaseInUse;
}

void TMainScreen::FormCreate()
{
    SelectionReady = false;
    HintDetail = true;
    TablesOpen = PasswordAccepted = QuitWithoutSaving = StartupDone = false;
    StartMoment = tw::Now();
    ProgramFolder = QString::fromStdString(DefaultProgramFolder());
    FieldColour = FromColourValue(0xE8F7FF);
    UpdatePoll->stop();
    Start->stop();
    ApplyColourScheme();
}

void TMainScreen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TMainScreen::FormShow()
{
    if (QuitWithoutSaving)
        return;
    // Once the run is under way the window keeps the place the user gave it;
    // the saved one is for the first showing.
    if (!StartupDone)
        RestoreWindowLayout();
    Start->start();
}

void TMainScreen::StartTimer()
{
    Start->stop();
    if (IsAnotherInstanceRunning()) {
        QuitWithoutSaving = true;
        TerminateApplication();
        return;
    }
    FirstRun = false;
    // The systems without per-user redirection of settings files and without
    // administrator elevation are what this flag tells apart; Linux has
    // neither, so it takes their path: no administrator advice, and a saved
    // database name takes effect without closing the program.
    OldWindows = true;

    if (StartupDone) {
        showNormal();
    } else {
        WaitCursor hourglass;
        if (!ReadStartupNames())
            return;
        ShowDatabaseNames();
        CloseAllTables();
        if (!OpenScheduleDatabase()) {
            ReportDatabaseFailure("The " + ScheduleAlias + " database could not be opened");
            EndAfterDatabaseFailure();
            return;
        }
        if (!EstimatorAlias.isEmpty() && !OpenEstimatorDatabase())
            ReportDatabaseFailure("The " + EstimatorAlias + " database could not be opened");
        if (!OpenParametersDatabase()) {
            ReportDatabaseFailure(QStringLiteral("The parameters database could not be opened"));
            EndAfterDatabaseFailure();
            return;
        }
        ReadDatabaseFolders();
        CheckParamsTable();
        ReadFirstSettings();
        OpenAllTables(true);
        LayoutMainWindow(false);
        ApplyHelpLevel();
        ShowHelpLevelInSetup();
        RestoreChartPeriod();
        ReadSelectionSettings();
        ReadPasswordSetting();
        ReindexWhenDue();
        ReadBackupSettings();
        ReadJobStatusTexts();
        ReadPageFormat();
        StartupDone = true;
        SetUpBackupFolders();
        ShowBackupFolder();
        ReadQuickBooksSettings();
    }

    // Every showing from here on.
    if (PasswordRequired && !AskPassword()) {
        QuitWithoutSaving = true;
        CloseAllTables();
        TerminateApplication();
        return;
    }
    if (TablesOpen) {
        SynchroniseSchedule();
        RestrictCustomerClick();
        RefreshWorkCalendar();
    }
    ReadEmailSettings();
    if (TablesOpen)
        RestoreSelection();
    SelectionReady = true;
    TabControlChange();
}

// The installer's values on a fresh machine, the first-run marker and the two
// database names. False when the settings file cannot be written; the program
// has ended then.
bool TMainScreen::ReadStartupNames()
{
    try {
        registry::TRegistry reg;
        WriteInstallDefaults(reg, ProgramFolder.toStdString());
        InstallHelpPages(ProgramFolder);
        const StartupRegistry names = ReadStartupRegistry(reg);
        FirstRun = names.FirstRun;
        ScheduleAlias = QString::fromStdString(names.ScheduleAlias);
        EstimatorAlias = QString::fromStdString(names.EstimatorAlias);
        if (FirstRun && names.VersionKeyOpen) {
            FirstRunPaths = names.Paths;
            if (CreateFirstRunAliases())
                MarkInstallationCompleted(reg);
        }
        return true;
    } catch (const std::exception& e) {
        ShowMessageBox(this, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), MessageIcon::Stop,
                       MessageModality::Application);
        CloseAllTables();
        close();
        return false;
    }
}

bool TMainScreen::AskPassword()
{
    PasswordAccepted = false;
    PasswordAccepted = password_ && password_->exec() == QDialog::Accepted;
    return PasswordAccepted;
}

void TMainScreen::ReportDatabaseFailure(const QString& text)
{
    if (!OldWindows) {
        UserIsAdmin = advice_ ? advice_->Advise(kAdminAdvice, OldWindows) : TWin7Advice::AreWeAdmin();
        if (!UserIsAdmin)
            return;
    }
    ShowMessageBox(this, text, QStringLiteral("Error"), MessageIcon::Stop, MessageModality::Application);
}

void TMainScreen::EndAfterDatabaseFailure()
{
    CloseAllTables();
    close();
}

void TMainScreen::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMainScreen::FormClose()
{
    FormDestroy();
}

void TMainScreen::FormDestroy()
{
    if (!StartupDone || QuitWithoutSaving)
        return;
    UpdatePoll->stop();
    const int page = ui->TabControl->currentIndex();
    WaitCursor hourglass;
    if (TablesOpen) {
        SaveRunSettings(page);
        StartupDone = false;
        Layout.Top = y();
        Layout.Height = height();
        Layout.Width = width();
        Layout.Left = x();
        try {
            registry::TRegistry reg;
            SaveWindowLayout(reg, Layout);
        } catch (const std::exception& e) {
            ShowMessageBox(this, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), MessageIcon::Stop,
                           MessageModality::Application);
        }
    }
    CloseAllTables();
    if (!NoAutoBackup)
        BackupDatabase(true);
    UpdateAccessRecord(false);
    // Closing the window and destroying it both come here; without open
    // tables nothing above cleared the flag, and a second pass would back the
    // database up twice.
    StartupDone = false;
}

void TMainScreen::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainScreen::FormResize()
{
    LayoutMainWindow(true);
}

void TMainScreen::RestoreWindowLayout()
{
    registry::TRegistry reg;
    const std::optional<WindowLayout> saved = LoadWindowLayout(reg);
    if (!saved)
        return;
    Layout = *saved;
    move(Layout.Left, Layout.Top);
    resize(Layout.Width, Layout.Height);
    TasksGridAutoWidth = Layout.TasksGridAutoWidth;
}

void TMainScreen::LayoutMainWindow(bool scalePeriod)
{
    if (width() < kMinimumWidth || height() < kMinimumHeight) {
        resize(std::max(width(), kMinimumWidth), std::max(height(), kMinimumHeight));
        return;
    }
    // A wider window shows more time at the same scale.
    if (scalePeriod && LastLayoutWidth > 0 && width() != LastLayoutWidth)
        KeepChartScale(width() / LastLayoutWidth);
    LastLayoutWidth = width();
}

void TMainScreen::ApplyColourScheme()
{
    DialogFieldColour = FieldColour;
    static const char* const kFields[] = {
        "StartDayTime", "EndDayTime", "StartDownTime1", "EndDownTime1", "StartDownTime2", "EndDownTime2",
        "StartDownTime3", "EndDownTime3", "TaskStartDate", "TaskEndDate", "HolidayCalendar", "DriveComboBox",
        "DirectoryListBox", "FileListBox", "CustomerGrid", "JobsGrid", "TasksGrid", "CrewsGrid",
    };
    for (const char* name : kFields) {
        if (QWidget* field = findChild<QWidget*>(QLatin1String(name))) {
            QPalette palette = field->palette();
            palette.setColor(QPalette::Base, FieldColour);
            field->setPalette(palette);
        }
    }
}

void TMainScreen::ApplyHelpLevel()
{
    if (HelpLevel != 0 && HelpLevel != 1)
        return;
    for (QWidget* w : findChildren<QWidget*>())
        w->setToolTipDuration(kHintHidePauseMs);
    // The chart keeps its hints at every level; its bars describe themselves.
    ui->RACContainer->setToolTip(QString());
    hintsShown_ = HelpLevel == 0;
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !hintsShown_ && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == this && widget != ui->RACContainer && !ui->RACContainer->isAncestorOf(widget))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainScreen::HelpClick()
{
    const QString page = QStringLiteral("Table_of_contents.htm");
    if (!OpenHelpPage(ProgramFolder, page))
        ShowMessageBox(this, "The help page " + page + " could not be opened", QStringLiteral("Error"),
                       MessageIcon::Stop, MessageModality::Window);
}

void TMainScreen::LoadHolidays()
{
    workCalendarPage_->LoadHolidays();
}

void TMainScreen::FillCalendarResourceList(bool allResources)
{
    workCalendarPage_->FillCalendarResourceList(allResources);
}

void TMainScreen::SelectCalendarResource(double resourceId)
{
    workCalendarPage_->SelectCalendarResource(resourceId);
}

void TMainScreen::ShowWorkCalendar(double resourceId)
{
    workCalendarPage_->ShowWorkCalendar(resourceId);
}

void TMainScreen::TWDbManagementClick()
{
    if (scheduleNames_)
        scheduleNames_->Execute(HelpLevel);
}

void TMainScreen::QMDbManagementClick()
{
    if (estimatingNames_)
        estimatingNames_->Open(HelpLevel);
}

}  // namespace tw::app
