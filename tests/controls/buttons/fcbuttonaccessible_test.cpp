// What screen readers learn of each button: role, name, states, actions.

#include "buttonfixture.h"

#include "controls/buttons/fccontrolbutton.h"
#include "controls/buttons/fcmenubutton.h"
#include "controls/buttons/fcshapebutton.h"

#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

namespace tw::controls {
namespace {

using namespace testing;

class Held : public TFcBitBtn {
public:
    using TFcBitBtn::TFcBitBtn;
    using TFcCustomButton::SetPressedMark;
};

struct Accessibility : ButtonFixture {
    static QAccessibleInterface* Face(QWidget* w)
    {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        EXPECT_NE(face, nullptr);
        return face;
    }
};

TEST_F(Accessibility, BitmapButtonRoleNameStatesAndPress)
{
    ShowHost();
    auto* b = new Held(&host);
    b->SetCaption("&Save as");
    b->SetHint("Saves the schedule");
    b->show();
    int clicks = 0;
    b->OnClick = [&](TFcControl*) { ++clicks; };
    QAccessibleInterface* face = Face(b);
    EXPECT_EQ(face->role(), QAccessible::PushButton);
    EXPECT_EQ(face->text(QAccessible::Name), "Save as");
    EXPECT_EQ(face->text(QAccessible::Description), "Saves the schedule");
    EXPECT_FALSE(face->state().defaultButton);
    b->SetDefault(true);
    EXPECT_TRUE(face->state().defaultButton);
    b->SetPressedMark(true);
    EXPECT_TRUE(face->state().pressed);
    b->SetPressedMark(false);
    FocusOn(b);
    EXPECT_TRUE(face->state().focused);
    b->setEnabled(false);
    EXPECT_TRUE(face->state().disabled);
    b->setEnabled(true);
    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"Alt+S"});
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 0);  // the click follows the answer
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 1);
}

// A screen reader waits for its call to answer; a button whose click opens a
// modal window must not hold it until that window closes.
TEST_F(Accessibility, PressOnAButtonThatOpensAModalWindowAnswersAtOnce)
{
    ShowHost();
    auto* b = new TFcBitBtn(&host);
    b->SetCaption("Setup");
    b->show();
    bool inDialog = false;
    bool dialogClosed = false;
    b->OnClick = [&](TFcControl*) {
        QDialog dialog(&host);
        QTimer::singleShot(0, &dialog, [&] {
            inDialog = true;
            dialog.reject();
        });
        dialog.exec();
        dialogClosed = true;
    };
    Face(b)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(inDialog);
    EXPECT_FALSE(dialogClosed);
    QCoreApplication::processEvents();
    EXPECT_TRUE(inDialog);
    EXPECT_TRUE(dialogClosed);
    // A button gone before the queued press runs is left alone.
    auto* gone = new TFcBitBtn(&host);
    int clicks = 0;
    gone->OnClick = [&](TFcControl*) { ++clicks; };
    Face(gone)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    delete gone;
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 0);
}

TEST_F(Accessibility, ALatchedButtonIsCheckedAndPressingToggles)
{
    QWidget parent;
    auto* b = new TFcBitBtn(&parent);
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    QAccessibleInterface* face = Face(b);
    EXPECT_EQ(face->role(), QAccessible::CheckBox);
    EXPECT_TRUE(face->state().checkable);
    EXPECT_FALSE(face->state().checked);
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(face->state().checked);
}

TEST_F(Accessibility, MenuButtonOffersItsMenu)
{
    QMenu menu;
    menu.addAction("Print");
    auto* b = new TFcMenuButton(&host);
    b->SetCaption("&Output");
    int pops = 0;
    b->Popup = [&](QMenu*, QPoint) { ++pops; };
    QAccessibleInterface* plain = Face(b);
    EXPECT_EQ(plain->role(), QAccessible::PushButton);
    b->SetDropDownMenu(&menu);
    // A fresh interface: the role is fixed when one is made.
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    QAccessibleInterface* face = Face(b);
    EXPECT_EQ(face->role(), QAccessible::ButtonMenu);
    EXPECT_TRUE(face->state().hasPopup);
    EXPECT_EQ(face->actionInterface()->actionNames(),
              (QStringList{QAccessibleActionInterface::pressAction(),
                           QAccessibleActionInterface::showMenuAction()}));
    face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(pops, 2);
}

TEST_F(Accessibility, ControlAndShapeButtonsPress)
{
    auto* control = new TFcControlButton(&host);
    auto* shape = new TFcShapeButton(&host);
    shape->SetCaption("&Go");
    int clicks = 0;
    control->OnClick = [&](TFcControl*) { ++clicks; };
    shape->OnClick = [&](TFcControl*) { ++clicks; };
    for (QWidget* w : {static_cast<QWidget*>(control), static_cast<QWidget*>(shape)}) {
        QAccessibleInterface* face = Face(w);
        EXPECT_EQ(face->role(), QAccessible::PushButton);
        EXPECT_FALSE(face->state().pressed);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(Face(shape)->text(QAccessible::Name), "Go");
    EXPECT_EQ(clicks, 2);
    // A disabled button does nothing when pressed.
    control->setEnabled(false);
    Face(control)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace tw::controls
