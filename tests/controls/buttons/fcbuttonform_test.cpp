// A dialog built from a .ui file with the bitmap button as a custom widget,
// as the program's windows will place it: its properties arrive, and Enter
// and Escape do what the window expects.

#include "buttonfixture.h"

#include "controls/base/fcmodalresult.h"

#include "ui_buttonform.h"

#include <QDialog>

namespace tw::controls {
namespace {

using namespace testing;

struct ButtonForm : ButtonFixture {
    QDialog dialog;
    Ui::ButtonForm ui;
    int okClicks = 0;
    int cancelClicks = 0;

    ButtonForm()
    {
        ui.setupUi(&dialog);
        TFcFormKeys::Install(&dialog);
        NotifyLoaded(&dialog);
        ui.OkButton->OnClick = [this](TFcControl*) { ++okClicks; };
        QObject::connect(ui.CancelButton, &TFcControl::clicked, [this] { ++cancelClicks; });
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        FocusOn(ui.Remember);
    }
};

TEST_F(ButtonForm, PropertiesFromTheFileArrive)
{
    EXPECT_EQ(ui.OkButton->Kind(), bkOK);
    EXPECT_EQ(ui.OkButton->Caption(), "OK");
    EXPECT_EQ(ui.OkButton->Hint(), "Keeps the choice");
    EXPECT_EQ(ui.CancelButton->Caption(), "&Leave");
    EXPECT_TRUE(ui.CancelButton->Cancel());
    EXPECT_EQ(ui.CancelButton->ModalResult(), mrCancel);
    EXPECT_EQ(ui.Remember->nextInFocusChain(), ui.OkButton);
}

TEST_F(ButtonForm, EnterAcceptsThroughTheDefaultButton)
{
    QTest::keyClick(ui.Remember, Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ButtonForm, EscapeRejectsThroughTheCancelButton)
{
    QTest::keyClick(ui.Remember, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tw::controls
