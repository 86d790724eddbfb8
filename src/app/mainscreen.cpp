#include "app/mainscreen.h"

#include "app/appservices.h"
#include "app/features/allfeatures.h"
#include "app/mainpagecontrol.h"
#include "app/mainscreeninterface.h"
#include "query/querypage.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/colourvalue.h"
#include "company/mycompanypage.h"
#include "controls/base/fcformkeys.h"
#include "controls/status/fcstatusbar.h"
#include "platform/db/aliases.h"
#include "platform/registry/registry.h"
#include "ui_mainscreen.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <utility>

namespace tw::app {

namespace {

constexpr int kMinimumWidth = 880;
constexpr int kMinimumHeight = 600;
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
      userInterface_(std::make_unique<MainScreenInterface>(*this)),
      context_{session_, *userInterface_, layout_, *this}
{
    session_.Interface().Attach(userInterface_.get());
    // The window's own view of the data module is the page control.
    session_.Data().Bind(session_.State);

    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->TabControl->setCurrentIndex(CustomerTabPage);
    ui->TabControl->setCornerWidget(ui->Help, Qt::TopRightCorner);
    CreateTimers();
    CreateFeatures();
    ui->TabControl->setTabToolTip(ui->TabControl->indexOf(ui->Calendar), QStringLiteral("Set Work Schedules"));
    connect(ui->Help, &controls::TFcControl::clicked, this, &TMainScreen::HelpClick);
    connect(ui->TabControl, &TMainPageControl::currentChanged, this, [this] {
        if (session_.State.SelectionReady)
            pages_->TabControlChange();
    });
    CreateStatusBar();

    startup_->Prepare();
    appearance_->SetFieldColour(chart::ColourFromValue(0xE8F7FF));
    appearance_->ApplyColourScheme();
}

// One unit per page or dialog family, each after the units it needs, which
// it is handed as interfaces. Where two need each other the later one
// answers the earlier's requests (QueryRequests, ChartButtons), except the
// chart's reading of the query, connected once the query exists.
void TMainScreen::CreateFeatures()
{
    calendar_ = std::make_unique<WorkCalendarFeature>(context_, ui->CalendarArea, ui->CalendarAreaLayout);
    features_.Calendar = calendar_.get();
    visualize_ = std::make_unique<VisualizeFeature>(context_, *calendar_, ui->RACContainer, ui->RACContainerLayout);
    features_.Visualize = visualize_.get();
    VisualizeFeature& chart = *visualize_;
    query_ = std::make_unique<QueryFeature>(context_, *calendar_, chart, chart, chart, ui->SelectArea,
                                            ui->SelectAreaLayout, ui->TabControl);
    features_.Query = query_.get();
    QueryFeature& query = *query_;
    visualize_->ConnectQuery(query, query);
    customers_ =
        std::make_unique<CustomerFeature>(context_, query, query, ui->CustomerTabArea, ui->CustomerTabAreaLayout);
    features_.Customers = customers_.get();
    timeBlocks_ = std::make_unique<TimeBlocksFeature>(context_, chart, chart, chart, query);
    features_.TimeBlocks = timeBlocks_.get();
    removeSpace_ = timeBlocks_->RemoveSpaceTimer();
    editor_ = std::make_unique<TaskEditorFeature>(context_, query, query, chart, chart, chart, *timeBlocks_);
    features_.Editor = editor_.get();
    email_ = std::make_unique<EmailFeature>(context_, *customers_);
    features_.Email = email_.get();
    printing_ = std::make_unique<PrintingFeature>(context_, chart, chart, query, *email_);
    features_.Printing = printing_.get();
    pages_ = std::make_unique<PageControl>(
        context_,
        PageControlUnits{chart, chart, *calendar_, query, query, *timeBlocks_, *editor_, *customers_},
        ui->TabControl, updatePoll_);
    features_.Pages = pages_.get();
    appearance_ = std::make_unique<AppearanceFeature>(session_.State, *this, ui->RACContainer, visualize_->Page(),
                                                      visualize_->Page()->RAC());
    features_.Appearance = appearance_.get();

    StartupHost& host = *this;
    startup_ = std::make_unique<StartupFeature>(
        context_,
        StartupUnits{*calendar_, chart, chart, query, query, *customers_, *editor_, *appearance_, *pages_},
        host,
        StartupPlaces{ui->TabControl, updatePoll_, ui->TWDatabaseInUse, ui->QMDatabaseInUse, ui->TWDbManagement,
                      ui->QMDbManagement});
    features_.Startup = startup_.get();
    // The start-up unit reopens the tables for the Utilities unit's hosts.
    TableReopener& reopener = *startup_;
    utilities_ = std::make_unique<UtilitiesFeature>(
        context_, UtilitiesPages{chart, query, query, *calendar_}, reopener, *startup_,
        UtilitiesPlaces{ui->Utilities, ui->UtilitiesLayout, ui->UtilitiesArea, ui->TabControl, ui->Help});
    features_.Utilities = utilities_.get();
    company::AddMyCompanyPage(ui->MyCompanyArea, session_.Data().MyCompanyTable, session_.State,
                              *userInterface_);
    // The exchange windows take the entry fields' colour from the appearance.
    exchange_ = std::make_unique<ExchangeFeature>(
        context_, ExchangeUnits{query, query, query, *editor_, *customers_, *calendar_, *utilities_}, query,
        *appearance_);
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
    connect(updatePoll_, &QTimer::timeout, this, [this] { pages_->UpdatePollTimer(); });
}

TMainScreen::~TMainScreen()
{
    FormDestroy();
    // The pages work on the data module's tables; they go before them, each
    // before the units it holds.
    exchange_.reset();
    utilities_.reset();
    startup_.reset();
    appearance_.reset();
    pages_.reset();
    printing_.reset();
    email_.reset();
    editor_.reset();
    timeBlocks_.reset();
    customers_.reset();
    query_.reset();
    visualize_.reset();
    calendar_.reset();
    features_ = {};
    // The session may outlive the window: nothing of it calls back here.
    session_.Data().Bind(session_.State);
    if (session_.Interface().Attached() == userInterface_.get())
        session_.Interface().Attach(nullptr);
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
    if (session_.State.QuitWithoutSaving || showingAfterStart_)
        return;
    // Once the run is under way the window keeps the place the user gave it;
    // the saved one is for the first showing.
    if (!session_.State.StartupDone)
        RestoreWindowLayout();
    start_->start();
}

void TMainScreen::StartTimer()
{
    start_->stop();
    startup_->Run();
}

void TMainScreen::EndRun()
{
    close();
    // A window never shown sends no last-window-closed.
    if (std::exchange(showWhenStarted_, false))
        TerminateApplication();
}

void TMainScreen::closeEvent(QCloseEvent* event)
{
    FormDestroy();
    QMainWindow::closeEvent(event);
}

void TMainScreen::FormDestroy()
{
    if (!startup_->ShutdownDue())
        return;
    updatePoll_->stop();
    pages_->CloseDialogs();
    startup_->Shutdown(ui->TabControl->currentIndex(), *utilities_);
}

void TMainScreen::SaveWindowLayout()
{
    layout_.Top = y();
    layout_.Height = height();
    layout_.Width = width();
    layout_.Left = x();
    try {
        registry::TRegistry reg;
        app::SaveWindowLayout(reg, layout_);
    } catch (const std::exception& e) {
        ShowMessageBox(this, QString::fromLocal8Bit(e.what()), QStringLiteral("Error"), MessageIcon::Stop,
                       MessageModality::Application);
    }
}

void TMainScreen::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
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
    session_.Flags.TasksGridAutoWidth = layout_.TasksGridAutoWidth;
    query_->Page()->SetTasksGridWidths(session_.Flags.TasksGridAutoWidth, layout_.TasksGridColumnWidths);
}

void TMainScreen::LayoutMainWindow(bool scalePeriod)
{
    if (width() < kMinimumWidth || height() < kMinimumHeight) {
        resize(std::max(width(), kMinimumWidth), std::max(height(), kMinimumHeight));
        return;
    }
    // A wider window shows more time at the same scale.
    RunFlags& flags = session_.Flags;
    if (scalePeriod && flags.LastLayoutWidth > 0 && width() != flags.LastLayoutWidth)
        visualize_->KeepChartScale(width() / flags.LastLayoutWidth);
    flags.LastLayoutWidth = width();
}

void TMainScreen::HelpClick()
{
    ShowHelpPage(this, QString::fromStdString(session_.State.ProgramFolder),
                 QStringLiteral("Table_of_contents.htm"));
}

}  // namespace tw::app
