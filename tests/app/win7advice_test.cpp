#include "app/win7advice.h"

#include "pressbutton.h"
#include "testapplication.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

class Win7AdviceTest : public ::testing::Test {
protected:
    // Presses OK on the advice once it is up, noting what it said.
    void PressOkWhenShown()
    {
        QTimer::singleShot(0, &advice_, [this] {
            shownText_ = advice_.Label1()->text();
            shown_ = advice_.isVisible();
            testing::PressButton(advice_.findChild<controls::TFcBitBtn*>("Ok"));
        });
    }

    testing::ApplicationInUse application_;
    TWin7Advice advice_;
    QString shownText_;
    bool shown_ = false;
};

TEST_F(Win7AdviceTest, AUserWhoCanStartTheProgramCountsAsAdministrator)
{
    EXPECT_TRUE(TWin7Advice::AreWeAdmin());
    EXPECT_TRUE(advice_.Advise("For this user, please restart Tarnwick and run as an administrator.", false));
    EXPECT_FALSE(advice_.isVisible());
}

TEST_F(Win7AdviceTest, OnlyANonAdministratorOnANewerSystemSeesTheAdvice)
{
    struct Case {
        const char* name;
        bool oldWindows;
        bool admin;
        bool userIsAdmin;
    };
    const Case cases[] = {
        {"older system: nothing shown whatever the rights", true, false, true},
        {"administrator: nothing shown", false, true, true},
        {"not an administrator: advised", false, false, false},
    };
    for (const Case& c : cases) {
        shown_ = false;
        advice_.SetAdminTest([&c] { return c.admin; });
        if (!c.userIsAdmin)
            PressOkWhenShown();
        EXPECT_EQ(advice_.Advise("Restart as administrator, please.", c.oldWindows), c.userIsAdmin) << c.name;
        EXPECT_EQ(shown_, !c.userIsAdmin) << c.name;
        EXPECT_FALSE(advice_.isVisible()) << c.name;
    }
    EXPECT_EQ(shownText_, "Restart as administrator, please.");
}

TEST_F(Win7AdviceTest, KeepsItsOwnTextUntilACallerGivesOne)
{
    EXPECT_EQ(advice_.windowTitle(), "Windows Advisory");
    EXPECT_EQ(advice_.Label1()->text(),
              "Please restart Tarnwick and run as an administrator before restoring a backup.");
    EXPECT_EQ(advice_.findChild<QLabel*>("Label2")->text(), "(Right click and select Run as Administrator)");
}

}  // namespace
}  // namespace tw::app
