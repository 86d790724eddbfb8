// The custom repeat period and repeat mode dialogs: their presets, the code
// an OK makes, a Cancel that keeps the last one, and a choice that stays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

#include "schedule/repeat/repeatdates.h"
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

template <class Dialog>
void WhileShown(Dialog& dialog, const std::function<void()>& inside, const std::function<void()>& open)
{
    QTimer::singleShot(0, [&] { inside(); });
    open();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(CustomRepeat, PresetsOkAndCancel)
{
    App();
    TCustomRepeat dialog;
    EXPECT_EQ(dialog.windowTitle(), "Setup custom repeat period");
    auto* count = dialog.findChild<QSpinBox*>("UpDown1");
    WhileShown(
        dialog,
        [&] {
            EXPECT_EQ(count->value(), 2);
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("PeriodWeeks")->isChecked());
            count->setValue(3);
            dialog.findChild<QRadioButton*>("PeriodMonths")->setChecked(true);
            dialog.findChild<QPushButton*>("Ok")->click();
        },
        [&] { dialog.Open(0, 0); });
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(3, schedule::kCustomMonths));

    WhileShown(
        dialog,
        [&] {
            EXPECT_EQ(count->value(), 5);
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("PeriodDays")->isChecked());
            count->setValue(9);
            dialog.findChild<QPushButton*>("Cancel")->click();
        },
        [&] { dialog.Open(schedule::CustomRepeatCode(5, schedule::kCustomDays), 0); });
    EXPECT_EQ(dialog.ResultCode, schedule::CustomRepeatCode(3, schedule::kCustomMonths));
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
            dialog.findChild<QRadioButton*>("Repeated")->setChecked(true);
            dialog.findChild<QPushButton*>("Help")->click();
            dialog.findChild<QPushButton*>("Ok")->click();
        },
        [&] { dialog.AskRepeatMode(); });
    EXPECT_FALSE(dialog.Reoccurring);
    EXPECT_STREQ(help, "Creating_repeating_tasks.htm");
    WhileShown(
        dialog,
        [&] {
            EXPECT_TRUE(dialog.findChild<QRadioButton*>("Repeated")->isChecked());
            dialog.findChild<QPushButton*>("Ok")->click();
        },
        [&] { dialog.AskRepeatMode(); });
    EXPECT_FALSE(dialog.Reoccurring);
}

}  // namespace
