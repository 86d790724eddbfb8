#include "app/mainscreen.h"

#include "controls/base/fcformkeys.h"
#include "controls/foundation/fcbhints.h"
#include "data/services/busyscopes.h"

#include "app/appservices.h"
#include "app/databaseselection.h"
#include "app/features/customerfeature.h"
#include "app/features/emailfeature.h"
#include "app/features/exchangefeature.h"
#include "app/features/pagecontrol.h"
#include "app/features/printingfeature.h"
#include "app/features/queryfeature.h"
#include "app/features/taskeditorfeature.h"
#include "app/features/timeblocksfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
#include "app/mainscreeninterface.h"
#include "app/password.h"
#include "app/programfolder.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "chart/colourvalue.h"
#include "company/mycompanypage.h"
#include "chart/resourceallocationchart.h"
#include "platform/db/aliases.h"
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
#include <utility>

namespace tw::app {

namespace {

constexpr int kMinimumWidth = 880;
constexpr int kMinimumHeight = 600;
constexpr int kHintHidePauseMs = 14000;
constexpr int kHintCaptionWidth = 400;       // help level 0
constexpr int kShortHintCaptionWidth = 200;  // help level 1
constexpr int kChartHintCaptionWidth = 800;  // chart hints with dates, length, status and notes
constexpr int kStartIntervalMs = 2;
constexpr int kUpdatePollMs = 15000;

}  // namespace

TMainScreen::TMainScreen(QWidget* parent)
    : TMainScreen(std::make_unique<AppSession>(db::DefaultAliasConfigPath()), parent)
{}

TMainScreen::TMainScreen(std::unique_ptr<AppSession> own, QWidget* parent) : TMainScreen(*own, parent)
{
    ownSession_ = std::move(own);
}

TMainScreen::TMainScreen(AppSession& session, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      ui(std::make_unique<Ui::TMainScreen>()),
      userInterface_(std::make_unique<MainScreenInterface>(*this))
{
    session_.Interface().Attach(userInterface_.get());
    editor_ = std::make_unique<TaskEditorFeature>(context_, features_);
    features_.Editor = editor_.get();
    taskEditor_ = editor_->Editor();

    data::DataModuleHooks hooks;
    hooks.TerminateApplication = [] { TerminateApplication(); };
    hooks.ApplyCustomerQuery = [this] { query_->ApplyQueryAndShowTasksNavigator(); };
    hooks.SelectPageIsCurrent = [this] { return ui->TabControl->currentIndex() == SelectPage; };
    hooks.WorkingHoursBetween = [this](std::int32_t resourceId, TDateTime start, TDateTime end) {
        return calendarTables_->WorkingHoursBetween(resourceId, start, end);
    };
    data_->Bind(State, std::move(hooks));

    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->TabControl->setCurrentIndex(CustomerTabPage);
    ui->TabControl->setCornerWidget(ui->Help, Qt::TopRightCorner);
    CreateTimers();
    CreateFeatures();
    ui->TabControl->setTabToolTip(ui->TabControl->indexOf(ui->Calendar), QStringLiteral("Set Work Schedules"));
    connect(ui->Help, &controls::TFcControl::clicked, this, &TMainScreen::HelpClick);
    connect(ui->TWDbManagement, &controls::TFcControl::clicked, this, &TMainScreen::TWDbManagementClick);
    connect(ui->QMDbManagement, &controls::TFcControl::clicked, this, &TMainScreen::QMDbManagementClick);
    connect(ui->TabControl, &TMainPageControl::currentChanged, this, [this] {
        if (State.SelectionReady)
            TabControlChange();
    });
    CreateStatusBar();
    ConnectUpdatePoll();

    // Installed before the window's own filter, which therefore sees a tool
    // tip first and keeps the hints a help level silences from the balloons.
    FcBalloonHints = new controls::TFcBalloonHints(this);
    qApp->installEventFilter(this);
    FormCreate();
}

// One unit per page or dialog family, in the order they need each other
// while being built; each is in features_ from here on.
void TMainScreen::CreateFeatures()
{
    calendar_ = std::make_unique<WorkCalendarFeature>(context_, ui->CalendarArea, ui->CalendarAreaLayout);
    features_.Calendar = calendar_.get();
    workCalendarPage_ = calendar_->Page();
    visualize_ = std::make_unique<VisualizeFeature>(context_, features_, ui->RACContainer, ui->RACContainerLayout);
    features_.Visualize = visualize_.get();
    visualizePage_ = visualize_->Page();
    query_ = std::make_unique<QueryFeature>(context_, features_, ui->SelectArea, ui->SelectAreaLayout,
                                            ui->TabControl);
    features_.Query = query_.get();
    queryPage_ = query_->Page();
    customers_ = std::make_unique<CustomerFeature>(context_, ui->CustomerTabArea, ui->CustomerTabAreaLayout);
    features_.Customers = customers_.get();
    customerPage_ = customers_->Page();
    UtilitiesWindow& window = *this;
    utilities_ = std::make_unique<UtilitiesFeature>(
        context_, features_, window,
        UtilitiesPlaces{ui->Utilities, ui->UtilitiesLayout, ui->UtilitiesArea, ui->TabControl, ui->Help});
    features_.Utilities = utilities_.get();
    company::AddMyCompanyPage(ui->MyCompanyArea, data_->MyCompanyTable, State, *userInterface_);
    editor_->ConnectTaskResources();
    StartupWindow& attach = *this;
    pages_ = std::make_unique<PageControl>(context_, features_, ui->TabControl, attach);
    features_.Pages = pages_.get();
    timeBlocks_ = std::make_unique<TimeBlocksFeature>(context_, features_);
    features_.TimeBlocks = timeBlocks_.get();
    removeSpace_ = timeBlocks_->RemoveSpaceTimer();
    printing_ = std::make_unique<PrintingFeature>(context_, features_);
    features_.Printing = printing_.get();
    email_ = std::make_unique<EmailFeature>(context_, features_);
    features_.Email = email_.get();
    exchange_ = std::make_unique<ExchangeFeature>(
        context_, features_,
        ExchangeWindowSteps{[this]() -> settings::TQMSetup& { return SetupDialog(); },
                            [this] { return fieldColour_; }});
    features_.Exchange = exchange_.get();
}

void TMainScreen::CreateStatusBar()
{
    // Panel 0 the action, 1 the table or mode, 2 a length or a second text.
    const int widths[3] = {320, 260, 0};
    for (int i = 0; i < 3; ++i)
        ui->StatusBar->AddPane(widths[i])->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
}

void TMainScreen::CreateTimers()
{
    start_ = new QTimer(this);
    start_->setObjectName(QStringLiteral("Start"));
    start_->setInterval(kStartIntervalMs);
    connect(start_, &QTimer::timeout, this, &TMainScreen::StartTimer);
    updatePoll_ = new QTimer(this);
    updatePoll_->setObjectName(QStringLiteral("UpdatePoll"));
    updatePoll_->setInterval(kUpdatePollMs);
    connect(updatePoll_, &QTimer::timeout, this, &TMainScreen::UpdatePollTimer);
}

TMainScreen::~TMainScreen()
{
    FormDestroy();
    // The pages work on the data module's tables; they go before them.
    exchange_.reset();
    timeBlocks_.reset();
    printing_.reset();
    customers_.reset();
    visualize_.reset();
    calendar_.reset();
    query_.reset();
    queryPage_ = nullptr;
    // The session may outlive the window: nothing of it calls back here.
    data_->Bind(State, {});
    if (session_.Interface().Attached() == userInterface_.get())
        session_.Interface().Attach(nullptr);
}

data::UserInterface& TMainScreen::Interface()
{
    return *userInterface_;
}

void TMainScreen::SetDialogs(TPassword* password)
{
    password_ = password;
    if (password_) {
        password_->SetStoredPasswordSource([this] { return session_.SettingsTables().StoredPassword(); });
    }
}

void TMainScreen::SetDatabaseDialogs(TTWDatabaseSelection* scheduleNames, TDatabaseSelection* estimatingNames)
{
    scheduleNames_ = scheduleNames;
    estimatingNames_ = estimatingNames;
}

TMainPageControl* TMainScreen::TabControl() const
{
    return ui->TabControl;
}

controls::TFcStatusBar* TMainScreen::StatusBar() const
{
    return ui->StatusBar;
}

QWidget* TMainScreen::RACContainer() const
{
    return ui->RACContainer;
}

void TMainScreen::SetStatusText(int panel, const QString& text)
{
    // Work runs on the GUI thread without returning to the event loop, so the
    // bar draws the text at once to be seen while that work goes on.
    ui->StatusBar->SetPanelText(panel, text);
}

QString TMainScreen::StatusText(int panel) const
{
    return ui->StatusBar->PanelText(panel);
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
    State.SelectionReady = false;
    State.HintDetail = true;
    State.SharedTablesUsable = true;
    State.TablesOpen = Flags.PasswordAccepted = State.QuitWithoutSaving = State.StartupDone = false;
    State.UpdateCounter = data::kInitialUpdateCounter;
    Flags.StartMoment = tw::Now();
    State.ProgramFolder = DefaultProgramFolder();
    fieldColour_ = chart::ColourFromValue(0xE8F7FF);
    updatePoll_->stop();
    start_->stop();
    ApplyColourScheme();
}

void TMainScreen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A window restored from the minimised state (the window manager does it
    // with its dialogs, e.g. when the print preview closes) gets a spontaneous
    // show event; it never was hidden, so the start-up's later showing, which
    // restores the saved page and customer, must not run.
    if (!event->spontaneous())
        FormShow();
}

void TMainScreen::ShowWhenStarted()
{
    showWhenStarted_ = true;
    FormShow();
}

void TMainScreen::ShowStartedWindow()
{
    if (!std::exchange(showWhenStarted_, false))
        return;
    showingAfterStart_ = true;
    show();
    showingAfterStart_ = false;
}

void TMainScreen::FormShow()
{
    if (State.QuitWithoutSaving || showingAfterStart_)
        return;
    // Once the run is under way the window keeps the place the user gave it;
    // the saved one is for the first showing.
    if (!State.StartupDone)
        RestoreWindowLayout();
    start_->start();
}

void TMainScreen::StartTimer()
{
    start_->stop();
    if (IsAnotherInstanceRunning()) {
        State.QuitWithoutSaving = true;
        TerminateApplication();
        return;
    }
    State.FirstRun = false;

    if (State.StartupDone) {
        showNormal();
    } else {
        data::BusyCursor hourglass(*userInterface_);
        if (!ReadStartupNames() || !startup_.OpenDatabases())
            return;
    }

    // Every showing from here on.
    if (Flags.PasswordRequired && !AskPassword()) {
        State.QuitWithoutSaving = true;
        CloseAllTables();
        TerminateApplication();
        return;
    }
    ShowStartedWindow();
    if (State.TablesOpen) {
        if (startup_.SynchroniseSchedule())
            updatePoll_->start();
        RestrictCustomerClick();
        RefreshWorkCalendar();
    }
    startup_.ReadEmailSettings();
    if (State.TablesOpen)
        RestoreSelection();
    State.SelectionReady = true;
    TabControlChange();
}

// The installer's values on a fresh machine, the first-run marker and the two
// database names. False when the settings file cannot be written; the program
// has ended then.
bool TMainScreen::ReadStartupNames()
{
    try {
        registry::TRegistry reg;
        WriteInstallDefaults(reg, State.ProgramFolder);
        InstallHelpPages(QString::fromStdString(State.ProgramFolder));
        const StartupRegistry names = ReadStartupRegistry(reg);
        State.FirstRun = names.FirstRun;
        State.ScheduleAlias = names.ScheduleAlias;
        State.EstimatorAlias = names.EstimatorAlias;
        if (State.FirstRun && names.VersionKeyOpen) {
            Settings.FirstRunPaths = names.Paths;
            if (startup_.CreateFirstRunAliases())
                MarkInstallationCompleted(reg);
        }
        return true;
    } catch (const std::exception& e) {
        ShowMessageBox(this, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), MessageIcon::Stop,
                       MessageModality::Application);
        EndAfterDatabaseFailure();
        return false;
    }
}

bool TMainScreen::AskPassword()
{
    Flags.PasswordAccepted = false;
    Flags.PasswordAccepted = password_ && password_->exec() == QDialog::Accepted;
    return Flags.PasswordAccepted;
}

void TMainScreen::ReportDatabaseFailure(const QString& text)
{
    // Linux has no administrator elevation that would change the outcome:
    // the failure is always named, never answered with advice to restart.
    ShowMessageBox(this, text, QStringLiteral("Error"), MessageIcon::Stop, MessageModality::Application);
}

void TMainScreen::ShowDatabaseFailure(const std::string& text)
{
    ReportDatabaseFailure(QString::fromStdString(text));
}

void TMainScreen::EndAfterDatabaseFailure()
{
    CloseAllTables();
    close();
    // A window never shown sends no last-window-closed.
    if (std::exchange(showWhenStarted_, false))
        TerminateApplication();
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
    if (!State.StartupDone || State.QuitWithoutSaving)
        return;
    updatePoll_->stop();
    CloseDialogs();
    const int page = ui->TabControl->currentIndex();
    data::BusyCursor hourglass(*userInterface_);
    if (State.TablesOpen) {
        SaveAndClearAllocations(true);
        State.StartupDone = false;
        SaveRunSettings(page);
        layout_.Top = y();
        layout_.Height = height();
        layout_.Width = width();
        layout_.Left = x();
        try {
            registry::TRegistry reg;
            SaveWindowLayout(reg, layout_);
        } catch (const std::exception& e) {
            ShowMessageBox(this, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), MessageIcon::Stop,
                           MessageModality::Application);
        }
    }
    CloseAllTables();
    BackupAtExit();
    ReleaseHeldLock();
    // Closing the window and destroying it both come here; without open
    // tables nothing above cleared the flag, and a second pass would run the
    // shutdown twice.
    State.StartupDone = false;
}

// Every shared-table operation gives the lock back when it is done, so this
// finds it held only after one of them was cut short. A lock that another
// copy holds is never cleared from here.
void TMainScreen::ReleaseHeldLock()
{
    if (!State.LockHeld)
        return;
    db::Table& access = data_->AccessTable;
    try {
        const bool wasOpen = access.active();
        if (!wasOpen)
            access.open();
        session_.Lock().UpdateAccessRecord(false);
        if (!wasOpen)
            access.close();
    } catch (const std::exception&) {
        // The record cannot be reached; the other copies break the lock after their waits.
    }
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
    layout_ = *saved;
    move(layout_.Left, layout_.Top);
    resize(layout_.Width, layout_.Height);
    Flags.TasksGridAutoWidth = layout_.TasksGridAutoWidth;
    queryPage_->SetTasksGridWidths(Flags.TasksGridAutoWidth, layout_.TasksGridColumnWidths);
}

void TMainScreen::LayoutMainWindow(bool scalePeriod)
{
    if (width() < kMinimumWidth || height() < kMinimumHeight) {
        resize(std::max(width(), kMinimumWidth), std::max(height(), kMinimumHeight));
        return;
    }
    // A wider window shows more time at the same scale.
    if (scalePeriod && Flags.LastLayoutWidth > 0 && width() != Flags.LastLayoutWidth)
        KeepChartScale(width() / Flags.LastLayoutWidth);
    Flags.LastLayoutWidth = width();
}

void TMainScreen::ApplyColourScheme()
{
    dialogFieldColour_ = fieldColour_;
    static const char* const kFields[] = {
        "StartDayTime",    "EndDayTime",     "StartDownTime1",   "EndDownTime1",  "StartDownTime2",
        "EndDownTime2",    "StartDownTime3", "EndDownTime3",     "TaskStartDate", "TaskEndDate",
        "HolidayCalendar", "DriveComboBox",  "DirectoryListBox", "FileListBox",   "CustomerGrid",
        "JobsGrid",        "TasksGrid",      "CrewsGrid",
    };
    for (const char* name : kFields) {
        if (QWidget* field = findChild<QWidget*>(QLatin1String(name))) {
            QPalette palette = field->palette();
            palette.setColor(QPalette::Base, fieldColour_);
            field->setPalette(palette);
        }
    }
    chart::TResourceAllocationChartAppearance& chart = visualizePage_->RAC()->ChartAppearance();
    chart.SetPlotBackColor(chart::ValueOfColour(fieldColour_));
    chart.SetPlotBackAlternateColor(chart::clWhite);
}

void TMainScreen::ApplyHelpLevel()
{
    const bool knownLevel = State.HelpLevel == 0 || State.HelpLevel == 1;
    if (knownLevel) {
        FcBalloonHints->SetHintHidePause(kHintHidePauseMs);
        FcBalloonHints->SetCaptionWidth(State.HelpLevel == 0 ? kHintCaptionWidth : kShortHintCaptionWidth);
    }
    if (State.HintMode == 0)
        FcBalloonHints->SetCaptionWidth(kChartHintCaptionWidth);
    if (!knownLevel)
        return;
    // Tips a control shows itself (the chart's bars) stay as long.
    for (QWidget* w : findChildren<QWidget*>())
        w->setToolTipDuration(kHintHidePauseMs);
    // The chart keeps its hints at every level; its bars describe themselves.
    ui->RACContainer->setToolTip(QString());
    visualizePage_->RAC()->setToolTip(QString());
    hintsShown_ = State.HelpLevel == 0;
}

// The chart and what else sits in its container keep their hints; the
// buttons of the Visualize page under the chart do not.
bool TMainScreen::ShowsChartHints(const QWidget* widget) const
{
    const QWidget* chart = visualizePage_->RAC();
    if (widget == chart || chart->isAncestorOf(widget))
        return true;
    if (widget == visualizePage_ || visualizePage_->isAncestorOf(widget))
        return false;
    return widget == ui->RACContainer || ui->RACContainer->isAncestorOf(widget);
}

bool TMainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !hintsShown_ && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == this && !ShowsChartHints(widget))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainScreen::HelpClick()
{
    const QString page = QStringLiteral("Table_of_contents.htm");
    const QString folder = QString::fromStdString(State.ProgramFolder);
    if (!OpenHelpPage(folder, page))
        ShowMessageBox(this, HelpPageFailureText(folder, page), QStringLiteral("Error"), MessageIcon::Stop,
                       MessageModality::Window);
}

bool TMainScreen::AddTaskToSchedule(const schedule::NewScheduleItem& item)
{
    return adder_->AddTaskToSchedule(item);
}

void TMainScreen::TWDbManagementClick()
{
    if (scheduleNames_)
        scheduleNames_->Execute(State.HelpLevel);
}

void TMainScreen::QMDbManagementClick()
{
    if (estimatingNames_)
        estimatingNames_->Open(State.HelpLevel);
}

}  // namespace tw::app
