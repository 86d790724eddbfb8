// The custom repeat period and repeat mode dialogs: their presets, the code
// an OK makes, a Cancel that keeps the last one, and a choice that stays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "schedule/repeat/repeatdates.h"
#include "support/recordinguserinterface.h"
#include "tasks/repeat/repeatdialogs.h"

using namespace tw;
using namespace tw::tasks;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_repeatdialogs_test";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Counts the hourglasses held, and the most held at once.
class HourglassCount : public data::RecordingUserInterface {
public:
    void SetBusyCursor(bool busy) override
    {
        held += busy ? 1 : -1;
        most = std::max(most, held);
    }
    int held = 0;
    int most = 0;
};

template <class Dialog>
void WhileShown(Dialog& dialog, const std::function<void()>& inside, const std::function<void()>& open)
{
    QTimer::singleShot(0, [&] { inside(); });
    open();
    EXPECT_FALSE(dialog.isVisible());
}

// The hourglass shows while the presets are filled in and is gone before
// the user is asked.
TEST(CustomRepeat, PresetsOkAndCancel)
{
    App();
    HourglassCount hourglass;
    TCustomRepeat dialog(hourglass);
    EXPECT_EQ(dialog.windowTitle(), "Setup custom repeat period");
    auto* count = dialog.findChild<QSpinBox*>("UpDown1");
    WhileShown(
        dialog,
        [&] {
            EXPECT_EQ(hourglass.held, 0);
            EXPECT_EQ(hourglass.most, 1);
            EXPECT_EQ(count->value(), 2);
            EXPECT_TRUE(dialog.findChild<controls::TFcRadioButton*>("PeriodWeeks")->Checked());
            count->setValue(3);
            dialog.findChild<controls::TFcRadioButton*>("PeriodMonths")->SetChecked(true);
            dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
        },
        [&] { dialog.Open(0, 0); });
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(3, schedule::kCustomMonths));

    WhileShown(
        dialog,
        [&] {
            EXPECT_EQ(count->value(), 5);
            EXPECT_TRUE(dialog.findChild<controls::TFcRadioButton*>("PeriodDays")->Checked());
            count->setValue(9);
            dialog.findChild<controls::TFcBitBtn*>("Cancel")->Click();
        },
        [&] { dialog.Open(schedule::CustomRepeatCode(5, schedule::kCustomDays), 0); });
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(3, schedule::kCustomMonths));
}

// Enter in the count answers OK (the default button) and Escape answers
// Cancel, whose handler keeps the last code; the focus stays in the count.
TEST(CustomRepeat, EnterIsOkAndEscapeIsCancel)
{
    App();
    HourglassCount hourglass;
    TCustomRepeat dialog(hourglass);
    auto* count = dialog.findChild<QSpinBox*>("UpDown1");
    int cancelClicks = 0;
    QObject::connect(dialog.findChild<controls::TFcBitBtn*>("Cancel"), &controls::TFcControl::clicked,
                     [&] { ++cancelClicks; });
    const auto press = [&](Qt::Key key, int value) {
        WhileShown(
            dialog,
            [&] {
                count->setFocus();
                count->setValue(value);
                QTest::keyClick(count, key);
            },
            [&] { dialog.Open(schedule::CustomRepeatCode(5, schedule::kCustomDays), 0); });
    };
    press(Qt::Key_Return, 4);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(4, schedule::kCustomDays));
    press(Qt::Key_Escape, 8);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(4, schedule::kCustomDays));
}

TEST(RepeatMode, TheChoiceStaysBetweenShowings)
{
    App();
    TRepeatTask dialog;
    const char* help = nullptr;
    dialog.OpenHelp = [&](const char* page) { help = page; };
    EXPECT_TRUE(dialog.Reoccurring);
    WhileShown(
        dialog,
        [&] {
            dialog.findChild<controls::TFcRadioButton*>("Repeated")->SetChecked(true);
            dialog.findChild<controls::TFcBitBtn*>("Help")->Click();
            dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
        },
        [&] { dialog.AskRepeatMode(); });
    EXPECT_FALSE(dialog.Reoccurring);
    EXPECT_STREQ(help, "Creating_repeating_tasks.htm");
    WhileShown(
        dialog,
        [&] {
            EXPECT_TRUE(dialog.findChild<controls::TFcRadioButton*>("Repeated")->Checked());
            dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
        },
        [&] { dialog.AskRepeatMode(); });
    EXPECT_FALSE(dialog.Reoccurring);
}

}  // namespace
