// Small things a new user meets on the main window's tab row: the hints of
// the Work calendar and Utilities tabs, and "Contents" on a machine without a browser.
#include "app/appservices.h"
#include "app/mainscreen.h"
#include "pressbutton.h"
#include "testapplication.h"

#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

TEST(MainScreenTabs, TheWorkCalendarAndUtilitiesTabsCarryTheirHints)
{
    testing::ApplicationInUse application;
    testing::FreshUser user;
    TMainScreen window;
    TMainPageControl* tabs = window.TabControl();
    const std::pair<const char*, const char*> hints[] = {
        {"Work calendar", "Set Work Schedules"},
        {"Utilities", "Backup, Restore and Setup"},
    };
    for (const auto& [caption, hint] : hints) {
        int index = -1;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->Pages(i)->Caption() == caption)
                index = i;
        ASSERT_GE(index, 0) << caption;
        EXPECT_EQ(tabs->tabToolTip(index), hint) << caption;
        EXPECT_EQ(tabs->Tab(index).Hint, hint) << caption;
    }
}

// No program on the search path can open a page: the desktop has no browser.
class NoBrowser {
public:
    NoBrowser()
    {
        const char* path = std::getenv("PATH");
        saved_ = path ? path : "";
        ::setenv("PATH", empty_.path().toLocal8Bit().constData(), 1);
        for (const char* name : {"BROWSER", "DEFAULT_BROWSER"}) {
            const char* value = std::getenv(name);
            browsers_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    ~NoBrowser()
    {
        ::setenv("PATH", saved_.c_str(), 1);
        for (const auto& [name, value] : browsers_)
            if (value)
                ::setenv(name, value->c_str(), 1);
    }

private:
    QTemporaryDir empty_;
    std::string saved_;
    std::vector<std::pair<const char*, std::optional<std::string>>> browsers_;
};

TEST(MainScreenTabs, ContentsWithoutABrowserSaysThatNoBrowserWasFound)
{
    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    const QString folder = QString::fromStdString(window.Session().State.ProgramFolder);
    const QString page = QDir(folder).filePath("Table_of_contents.htm");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case {
        bool pageThere;
        const char* text;
    };
    const Case cases[] = {
        {true, "No web browser was found to show the help page Table_of_contents.htm"},
        {false, "The help page Table_of_contents.htm could not be opened"},
    };
    NoBrowser noBrowser;
    for (const Case& c : cases) {
        if (c.pageThere) {
            QFile file(page);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("<html></html>");
        } else {
            QFile::remove(page);
        }
        recorder.Boxes.clear();
        testing::PressButton(window.findChild<controls::TFcBitBtn*>("Help"));
        ASSERT_EQ(recorder.Boxes.size(), 1u) << c.text;
        EXPECT_EQ(recorder.Boxes[0].Text, c.text);
        EXPECT_EQ(recorder.Boxes[0].Caption, "Error");
    }
}

// The corner's help buttons fail as loudly as Contents does.
TEST(MainScreenTabs, TutorialAndHelpWithoutABrowserSayWhy)
{
    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    NoBrowser noBrowser;
    for (const char* button : {"Tutorial", "AllHelp"}) {
        recorder.Boxes.clear();
        testing::PressButton(window.findChild<controls::TFcBitBtn*>(button));
        ASSERT_EQ(recorder.Boxes.size(), 1u) << button;
        EXPECT_EQ(recorder.Boxes[0].Caption, "Error") << button;
    }
}

}  // namespace
}  // namespace tw::app
