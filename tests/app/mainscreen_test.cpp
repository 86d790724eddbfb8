#include "app/features/allfeatures.h"
#include "app/mainscreen.h"

#include "app/application.h"

#include "app/password.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/foundation/fcbhints.h"
#include "captionsfit.h"
#include "pressbutton.h"
#include "app/programfolder.h"
#include "platform/registry/registry.h"
#include "testapplication.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tw::app {
namespace {

using testing::FreshUser;
using testing::Recorder;

using testing::UrlCatcher;

// Hovers over a widget as Qt does once the mouse rests; answers the balloon
// caption that shows at once (the component's pause is 0), or nothing.
QString BalloonFor(controls::TFcBalloonHints& hints, QWidget* widget)
{
    hints.HintWindow()->ReleaseHint();
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    EXPECT_FALSE(QToolTip::isVisible()) << "hints show as balloons, never as Qt's tips";
    controls::TFcCustomHintWindow* window = hints.HintWindow();
    const QString caption = window->Active() ? window->Caption : QString();
    window->ReleaseHint();
    return caption;
}

class MainScreenTest : public ::testing::Test {
protected:
    void SetUp() override { testing::TestApplication(); }

    registry::TRegistry Registry() const
    {
        registry::TRegistry reg(user_.RegistryFile());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        return reg;
    }
    void WriteVersionKey(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        registry::TRegistry reg = Registry();
        ASSERT_TRUE(reg.OpenKey(kVersionKey, true));
        for (const auto& [name, value] : values)
            reg.WriteString(name, value);
    }
    std::string ReadValue(const char* key, const char* name) const
    {
        registry::TRegistry reg = Registry();
        return reg.OpenKey(key, false) ? reg.ReadString(name) : "(no key)";
    }
    FreshUser user_;
    Recorder recorder_;
};

TEST_F(MainScreenTest, SixTabsOverAThreePanelStatusBarAndNoMenu)
{
    TMainScreen window;
    const struct {
        const char* page;
        const char* title;
    } pages[] = {
        {"CustomerTab", "Customer details"}, {"Select", "Add / Edit / Query"}, {"Schedule", "Visualize"},
        {"Calendar", "Work calendar"},       {"MyCompany", "My company"},      {"Utilities", "Utilities"},
    };
    TMainPageControl* tabs = window.TabControl();
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabs->widget(i)->objectName(), pages[i].page) << i;
        EXPECT_EQ(tabs->Pages(i)->Caption(), pages[i].title) << i;
    }
    EXPECT_TRUE(tabs->TabHints());
    EXPECT_FALSE(tabs->ShowFocusRect());
    EXPECT_TRUE(tabs->widget(TMainScreen::SchedulePage)->isAncestorOf(window.RACContainer()));
    EXPECT_EQ(window.windowTitle(), "Tarnwick");
    EXPECT_EQ(window.menuWidget(), nullptr);
    EXPECT_GE(window.minimumWidth(), 880);
    EXPECT_GE(window.minimumHeight(), 600);

    for (int panel = 0; panel < 3; ++panel)
        window.SetStatusText(panel, QStringLiteral("panel %1").arg(panel));
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(window.StatusText(panel), QStringLiteral("panel %1").arg(panel));
    EXPECT_EQ(window.StatusBar()->PanelCount(), 3);
    EXPECT_TRUE(window.StatusBar()->ShowSizeGrip());
}

TEST_F(MainScreenTest, EveryShowingArmsTheStartTimerWhichStopsItselfFirst)
{
    TMainScreen window;
    EXPECT_FALSE(window.StartClock()->isActive());
    window.show();
    EXPECT_TRUE(window.StartClock()->isActive());
    EXPECT_EQ(window.StartClock()->interval(), 2);
    window.StartTimer();
    EXPECT_FALSE(window.StartClock()->isActive());
    window.hide();
    window.show();
    EXPECT_TRUE(window.StartClock()->isActive());
    window.StartClock()->stop();
}

TEST_F(MainScreenTest, FirstStartOnAFreshMachineSetsItselfUpOnce)
{
    {
        TMainScreen window;
        EXPECT_EQ(window.Session().State.ProgramFolder, user_.ProgramFolder().toStdString());
        window.StartTimer();
        EXPECT_TRUE(window.Session().State.FirstRun);
        EXPECT_TRUE(window.Session().State.StartupDone);
        EXPECT_TRUE(window.Session().State.SelectionReady);
        EXPECT_FALSE(window.Session().State.QuitWithoutSaving);
        EXPECT_EQ(window.Session().State.ScheduleAlias, "DOZOrez");
        EXPECT_EQ(window.Session().State.EstimatorAlias, "");
        EXPECT_EQ(QString::fromStdString(window.Session().Settings.FirstRunPaths.Database),
                  user_.ProgramFolder() + "/Database");
        EXPECT_EQ(QString::fromStdString(window.Session().Settings.FirstRunPaths.Backups),
                  user_.ProgramFolder() + "/Backups");
    }
    // The database names exist now, so the installation is complete and the
    // next start is an ordinary one.
    EXPECT_EQ(ReadValue(kInstallKey, "Completed"), "Yes");
    EXPECT_EQ(ReadValue(kInstallKey, "Program_files_path"), user_.ProgramFolder().toStdString());
    EXPECT_EQ(ReadValue(kVersionKey, "TW alias name"), "DOZOrez");
    for (const char* page :
         {"Table_of_contents.htm", "Main_window.htm", "Password.htm", "Windows_advisory.htm", "help.css"})
        EXPECT_TRUE(QFile::exists(user_.ProgramFolder() + "/" + page)) << page;
    EXPECT_TRUE(recorder_.Boxes.empty());

    TMainScreen again;
    again.StartTimer();
    EXPECT_FALSE(again.Session().State.FirstRun);
    EXPECT_TRUE(again.Session().State.SelectionReady);
}

TEST_F(MainScreenTest, ASecondCopyOnTheSameProgramFolderEndsSilentlyTouchingNothing)
{
    ProgramFolderLock firstCopy;
    ASSERT_EQ(firstCopy.Lock(user_.ProgramFolder().toStdString()), ProgramFolderLock::Result::Locked);

    TMainScreen window;
    window.StartTimer();
    EXPECT_TRUE(window.Session().State.QuitWithoutSaving);
    EXPECT_EQ(recorder_.TerminateRequests, 1);
    EXPECT_TRUE(recorder_.Boxes.empty());
    EXPECT_FALSE(window.Session().State.StartupDone);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(user_.RegistryFile())));
    window.show();
    EXPECT_FALSE(window.StartClock()->isActive());
}

// The entry fields of every page take the field colour, found by their names.
TEST_F(MainScreenTest, TheEntryFieldsTakeTheFieldColour)
{
    TMainScreen window;
    window.Features().Appearance->SetFieldColour(QColor(0x12, 0x34, 0x56));
    window.Features().Appearance->ApplyColourScheme();
    for (const char* name : {"StartDayTime", "EndDownTime3", "TaskStartDate", "TaskEndDate", "TasksGrid"}) {
        QWidget* field = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->palette().color(QPalette::Base), window.Features().Appearance->FieldColour())
            << name;
    }
}

TEST_F(MainScreenTest, ADatabaseThatDoesNotOpenIsNamed)
{
    TPassword password;
    TMainScreen window;
    window.Features().Startup->SetPasswordDialog(&password);

    window.Features().Startup->ReportDatabaseFailure("The DOZOrez database could not be opened");
    ASSERT_EQ(recorder_.Boxes.size(), 1u);
    EXPECT_EQ(recorder_.Boxes[0].Text, "The DOZOrez database could not be opened");
    EXPECT_EQ(recorder_.Boxes[0].Caption, "Error");
    EXPECT_EQ(recorder_.Boxes[0].Icon, MessageIcon::Stop);
    EXPECT_EQ(recorder_.Boxes[0].Modality, MessageModality::Application);
}

TEST_F(MainScreenTest, SavedGeometryIsRestoredAndDamagedValuesTakeTheDefaults)
{
    struct Case {
        const char* name;
        const char* left;
        const char* top;
        const char* width;
        const char* height;
        QRect expected;
    };
    const Case cases[] = {
        {"saved values", "30", "40", "1000", "700", QRect(30, 40, 1000, 700)},
        {"values that are not numbers", "x", "40", "wide", "7OO", QRect(58, 40, 927, 758)},
        {"empty values", "", "", "", "", QRect(58, 115, 927, 758)},
        {"a window smaller than the least size grows", "0", "0", "700", "500", QRect(0, 0, 880, 600)},
    };
    for (const Case& c : cases) {
        WriteVersionKey({{"Left", c.left}, {"Top", c.top}, {"Width", c.width}, {"Height", c.height}});
        TMainScreen window;
        window.RestoreWindowLayout();
        EXPECT_EQ(QRect(window.pos(), window.size()), c.expected) << c.name;
    }
}

TEST_F(MainScreenTest, ShutdownWritesTheLayoutOnceAndOnlyAfterARealStart)
{
    struct Case {
        const char* name;
        bool startupDone;
        bool quitWithoutSaving;
        bool tablesOpen;
        bool writes;
    };
    const Case cases[] = {
        {"after a full start", true, false, true, true},
        {"after a start whose tables did not open", true, false, false, false},
        {"start-up never loaded the settings", false, false, true, false},
        {"ending after a refused password or a second copy", true, true, true, false},
    };
    for (const Case& c : cases) {
        WriteVersionKey({{"Width", "900"}, {"Height", "650"}});
        TMainScreen window;
        window.Session().State.StartupDone = c.startupDone;
        window.Session().State.QuitWithoutSaving = c.quitWithoutSaving;
        window.Session().State.TablesOpen = c.tablesOpen;
        window.resize(1111, 777);
        window.FormDestroy();
        EXPECT_EQ(ReadValue(kVersionKey, "Width"), c.writes ? "1111" : "900") << c.name;
        EXPECT_EQ(ReadValue(kVersionKey, "Height"), c.writes ? "777" : "650") << c.name;
        EXPECT_EQ(window.Session().State.StartupDone, c.startupDone && c.quitWithoutSaving) << c.name;

        // Closing and then destroying the window must not write again.
        window.resize(1200, 800);
        window.FormDestroy();
        EXPECT_EQ(ReadValue(kVersionKey, "Width"), c.writes ? "1111" : "900") << c.name;
    }

    TMainScreen restarted;
    restarted.RestoreWindowLayout();
    EXPECT_EQ(restarted.size(), QSize(900, 650));
}

TEST_F(MainScreenTest, ShutdownNeverCreatesTheSettingsKey)
{
    TMainScreen window;
    window.Session().State.StartupDone = true;
    window.Session().State.TablesOpen = true;
    window.FormDestroy();
    EXPECT_EQ(ReadValue(kVersionKey, "Width"), "(no key)");
}

TEST_F(MainScreenTest, HelpPagesOfAnOlderProgramAreReplacedAndOthersLeftAlone)
{
    QDir().mkpath(user_.ProgramFolder());
    const auto write = [this](const char* name, const QByteArray& text) {
        QFile file(user_.ProgramFolder() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const auto read = [this](const char* name) {
        QFile file(user_.ProgramFolder() + "/" + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    write("Table_of_contents.htm", "<p>old contents</p>");
    write("My_notes.htm", "<p>mine</p>");
    EXPECT_TRUE(InstallHelpPages(user_.ProgramFolder()).isEmpty());
    EXPECT_TRUE(read("Table_of_contents.htm").contains("Main_window.htm"));
    EXPECT_EQ(read("My_notes.htm"), "<p>mine</p>");

    QFile blocker(user_.DataFolder() + "/plain-file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_TRUE(InstallHelpPages(user_.DataFolder() + "/plain-file/tarnwick").contains("Password.htm"));
}

TEST_F(MainScreenTest, ContentsOpensTheTableOfContentsFromTheProgramFolder)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    TMainScreen window;
    testing::PressButton(window.findChild<controls::TFcBitBtn*>("Help"));
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.Opened.size(), 1);
    EXPECT_EQ(catcher.Opened[0], QUrl::fromLocalFile(user_.ProgramFolder() + "/Table_of_contents.htm"));
}

// The pages turn by a click on their tab, by Ctrl+Tab both ways and by the
// arrow keys on the focused tab row (wrapping at the ends); each turn shows
// the page and tells the window once.
TEST_F(MainScreenTest, ThePagesTurnByMouseAndKeys)
{
    TMainScreen window;
    window.resize(927, 758);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, 500));
    TMainPageControl* tabs = window.TabControl();
    std::vector<int> changes;
    QObject::connect(tabs, &TMainPageControl::currentChanged, [&](int page) { changes.push_back(page); });

    const controls::TRect calendarTab = tabs->TabRect(TMainScreen::CalendarPage);
    QTest::mouseClick(tabs, Qt::LeftButton, {},
                      QPoint((calendarTab.Left + calendarTab.Right) / 2, (calendarTab.Top + calendarTab.Bottom) / 2));
    EXPECT_EQ(tabs->currentIndex(), TMainScreen::CalendarPage);
    EXPECT_TRUE(tabs->widget(TMainScreen::CalendarPage)->isVisible());
    EXPECT_FALSE(tabs->widget(TMainScreen::CustomerTabPage)->isVisible());

    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), TMainScreen::MyCompanyPage);
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), TMainScreen::CalendarPage);

    tabs->setFocus();
    tabs->setCurrentIndex(TMainScreen::UtilitiesPage);
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), TMainScreen::CustomerTabPage);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(tabs->currentIndex(), TMainScreen::UtilitiesPage);
    EXPECT_EQ(changes, (std::vector<int>{TMainScreen::CalendarPage, TMainScreen::MyCompanyPage,
                                         TMainScreen::CalendarPage, TMainScreen::UtilitiesPage,
                                         TMainScreen::CustomerTabPage, TMainScreen::UtilitiesPage}));
}

// At the window's default size no caption of the library's controls is cut
// on the pages this window lays out itself.
TEST_F(MainScreenTest, AtTheDefaultSizeNoCaptionIsCut)
{
    TMainScreen window;
    window.resize(927, 758);
    window.show();
    for (int page : {TMainScreen::CustomerTabPage, TMainScreen::SchedulePage, TMainScreen::CalendarPage}) {
        window.TabControl()->setCurrentIndex(page);
        QApplication::processEvents();
        SCOPED_TRACE(page);
        testing::ExpectCaptionsWhole(window.TabControl()->widget(page));
    }
    testing::ExpectCaptionsWhole(window.StatusBar());
}

TEST_F(MainScreenTest, HelpLevelOneSilencesEveryHintButTheCharts)
{
    TMainScreen window;
    auto* chartPart = new QLabel(window.RACContainer());
    chartPart->setToolTip("a bar");
    auto* help = window.findChild<controls::TFcBitBtn*>("Help");
    controls::TFcBalloonHints* hints = window.Features().Appearance->BalloonHints();
    ASSERT_NE(hints, nullptr);
    hints->SetHintPause(0);
    hints->SetHintShortPause(0);

    // The caption width follows the level, and the chart's long hints (mode 0)
    // widen it whatever the level; level 2 keeps what the last one set.
    struct Case {
        int level;
        int hintMode;
        bool helpHint;
        int captionWidth;
    };
    const Case cases[] = {{1, 1, false, 200}, {0, 1, true, 400}, {1, 0, false, 800}, {0, 0, true, 800},
                          {1, 1, false, 200}, {2, 1, false, 200}, {2, 0, false, 800}};
    for (const Case& c : cases) {
        window.Session().State.HelpLevel = c.level;
        window.Session().State.HintMode = c.hintMode;
        window.Features().Appearance->ApplyHelpLevel();
        const QString helpHint = c.helpHint ? "View all help contents" : "";
        EXPECT_EQ(BalloonFor(*hints, help), helpHint) << "level " << c.level;
        EXPECT_EQ(BalloonFor(*hints, chartPart), "a bar") << "level " << c.level;
        EXPECT_EQ(hints->CaptionWidth(), c.captionWidth) << "level " << c.level << " mode " << c.hintMode;
        EXPECT_EQ(hints->HintHidePause(), 14000);
    }
    EXPECT_EQ(help->toolTip(), "View all help contents");
}

// The window's hints keep to the component's pause: nothing shows at the
// tool-tip event itself.
TEST_F(MainScreenTest, HintsWaitForTheBalloonPause)
{
    TMainScreen window;
    window.Session().State.HelpLevel = 0;
    window.Features().Appearance->ApplyHelpLevel();
    controls::TFcBalloonHints* hints = window.Features().Appearance->BalloonHints();
    hints->SetHintPause(30);
    auto* help = window.findChild<controls::TFcBitBtn*>("Help");
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), help->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(help, &event);
    EXPECT_FALSE(hints->HintWindow()->Active());
    EXPECT_TRUE(hints->HintPending());
    EXPECT_TRUE(QTest::qWaitFor([hints] { return hints->HintWindow()->Active(); }, 5000));
    EXPECT_EQ(hints->HintWindow()->Caption, "View all help contents");
    hints->HintWindow()->ReleaseHint();
}

// An event handler that fails: the error reaches the user as a box and the
// program goes on to the next event; nothing unwinds through the event loop.
class FailingButton : public QPushButton {
public:
    int Clicks = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (++Clicks == 1)
            throw std::runtime_error("Table Charts.DBF is not open");
        QPushButton::mousePressEvent(event);
    }
};

TEST_F(MainScreenTest, AFailingEventHandlerShowsItsErrorAndTheProgramGoesOn)
{
    Recorder recorder;
    FailingButton button;
    const auto press = [&button] {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(2, 2), button.mapToGlobal(QPointF(2, 2)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        return DeliverShowingErrors([&] { return QApplication::sendEvent(&button, &event); });
    };
    EXPECT_NO_THROW(EXPECT_FALSE(press()));
    ASSERT_EQ(recorder.Boxes.size(), 1u);
    EXPECT_EQ(recorder.Boxes[0].Text, "Table Charts.DBF is not open");
    EXPECT_EQ(recorder.Boxes[0].Caption, "Error");
    EXPECT_EQ(recorder.Boxes[0].Icon, MessageIcon::Stop);
    EXPECT_TRUE(press());
    EXPECT_EQ(button.Clicks, 2);
    EXPECT_EQ(recorder.Boxes.size(), 1u);
}

}  // namespace
}  // namespace tw::app
