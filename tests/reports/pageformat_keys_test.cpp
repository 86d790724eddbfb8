// The page format dialog's keys: Enter answers "Ok" (the default button) and
// keeps the choice, Escape closes it and changes nothing.
#include "reports/pageformat.h"

#include <gtest/gtest.h>

#include "controls/choices/fcglyphbutton.h"
#include <QTest>

#include "widgetsapplication.h"

namespace tw::reports {
namespace {

struct PageFormatKeys : ::testing::Test, testing::WidgetsApplication {
    PageFormatKeys() { dialog.SetHost({&size, &orientation, &code, {}}); }

    // Opens the dialog, picks A4 landscape with the keyboard focus on it and presses key.
    void ChooseAndPress(Qt::Key key)
    {
        dialog.Preset();
        dialog.show();
        auto* a4 = dialog.findChild<controls::TFcRadioButton*>("SizeA4");
        dialog.findChild<controls::TFcRadioButton*>("Landscape")->SetChecked(true);
        a4->SetChecked(true);
        a4->setFocus();
        QTest::keyClick(a4, key);
    }

    int size = 0, orientation = 0, code = 0;
    TPageFormat dialog;
};

TEST_F(PageFormatKeys, EnterKeepsTheChoiceAndEscapeDropsIt)
{
    ChooseAndPress(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(orientation, 0);

    ChooseAndPress(Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(size, 2);
    EXPECT_EQ(orientation, 1);
}

}  // namespace
}  // namespace tw::reports
