// What screen readers learn of the framed edits: Qt's editable text with the
// buddy label's name, the drop button as an "Open" button that presses, and
// nothing of the frame overlay.

#include "editfixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>

namespace tw::controls {
namespace {

using namespace testing;

struct EditAccessibility : EditFixture {
    void SetUp() override { ShowHost(); }
    static QAccessibleInterface* Face(QObject* o)
    {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(o);
        EXPECT_NE(face, nullptr);
        return face;
    }
};

TEST_F(EditAccessibility, EditIsEditableTextNamedByItsLabel)
{
    auto* label = new QLabel("&Job name:", &host);
    auto* e = Make(120, 21);
    label->setBuddy(e);
    label->show();
    e->SetFrameVisible(true);
    e->SetText("Kitchen");
    QAccessibleInterface* face = Face(e);
    EXPECT_EQ(face->role(), QAccessible::EditableText);
    EXPECT_EQ(face->text(QAccessible::Name), "Job name:");
    EXPECT_EQ(face->text(QAccessible::Value), "Kitchen");
    EXPECT_FALSE(face->state().readOnly);
    e->setReadOnly(true);
    EXPECT_TRUE(face->state().readOnly);
    FocusOn(e);
    EXPECT_TRUE(face->state().focused);
}

TEST_F(EditAccessibility, MemoKeepsItsInterface)
{
    auto* memo = Make<TFcMemo>(120, 60);
    memo->SetFrameVisible(true);
    memo->setPlainText("Notes");
    EXPECT_EQ(Face(memo)->role(), QAccessible::EditableText);
    EXPECT_EQ(Face(memo)->text(QAccessible::Value), "Notes");
}

TEST_F(EditAccessibility, DropButtonIsAnOpenButtonThatPresses)
{
    auto* e = Make(120, 21);
    e->SetFrameVisible(true);
    e->SetDropButtonVisible(true);
    int drops = 0;
    e->OnDropDown = [&](TFcCustomEdit*) { ++drops; };
    QAccessibleInterface* face = Face(e);
    QAccessibleInterface* button = nullptr;
    int shownChildren = 0;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* child = face->child(i);
        if (!child || child->state().invisible)
            continue;
        ++shownChildren;
        if (child->object() == e->DropButton())
            button = child;
    }
    EXPECT_EQ(shownChildren, 1) << "the frame overlay is hidden";
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::PushButton);
    EXPECT_EQ(button->text(QAccessible::Name), "Open");
    QAccessibleActionInterface* actions = button->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(drops, 1);
    EXPECT_TRUE(e->hasFocus());
}

}  // namespace
}  // namespace tw::controls
