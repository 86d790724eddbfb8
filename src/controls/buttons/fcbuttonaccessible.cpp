#include "controls/buttons/fcbuttonaccessible.h"

#include "controls/buttons/fcbitbtn.h"
#include "controls/buttons/fccontrolbutton.h"
#include "controls/buttons/fcmenubutton.h"
#include "controls/buttons/fcshapebutton.h"

namespace tw::controls {

namespace {

QAccessible::Role RoleOf(QWidget* widget)
{
    if (qobject_cast<TFcMenuButton*>(widget) && static_cast<TFcMenuButton*>(widget)->DropDownMenu())
        return QAccessible::ButtonMenu;
    if (auto* button = qobject_cast<TFcButton*>(widget); button && button->GroupIndex() != 0)
        return QAccessible::CheckBox;
    return QAccessible::PushButton;
}

}  // namespace

TFcButtonAccessible::TFcButtonAccessible(QWidget* widget) : TFcControlAccessible(widget, RoleOf(widget)) {}

QAccessible::State TFcButtonAccessible::state() const
{
    QAccessible::State s = TFcControlAccessible::state();
    QWidget* w = widget();
    if (auto* button = qobject_cast<TFcButton*>(w)) {
        s.pressed = button->Pressed();
        s.defaultButton = button->Active();
        if (button->GroupIndex() != 0) {
            s.checkable = true;
            s.checked = button->Down();
        }
        if (auto* menu = qobject_cast<TFcMenuButton*>(w); menu && menu->DropDownMenu())
            s.hasPopup = true;
    } else if (auto* control = qobject_cast<TFcControlButton*>(w)) {
        s.pressed = control->DownMark();
    } else if (auto* shape = qobject_cast<TFcShapeButton*>(w)) {
        s.pressed = shape->State() == bsDown;
    }
    return s;
}

QStringList TFcButtonAccessible::actionNames() const
{
    QStringList names{pressAction()};
    if (auto* menu = qobject_cast<TFcMenuButton*>(widget()); menu && menu->DropDownMenu())
        names << showMenuAction();
    return names;
}

void TFcButtonAccessible::doAction(const QString& actionName)
{
    auto* control = qobject_cast<TFcControl*>(widget());
    if (!control || !control->isEnabled())
        return;
    auto* menu = qobject_cast<TFcMenuButton*>(control);
    if (actionName == showMenuAction() && menu) {
        RunAfterAnswer(menu, [menu] {
            if (menu->isEnabled())
                menu->DoDropDown();
        });
    } else if (actionName == pressAction()) {
        RunAfterAnswer(control, [control] {
            if (!control->isEnabled())
                return;
            // As Space does: a grouped button latches, a menu button drops its menu.
            if (auto* button = qobject_cast<TFcButton*>(control)) {
                if (button->GroupIndex() != 0)
                    button->SetDown(!button->Down());
            }
            control->Click();
        });
    }
}

QStringList TFcButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    auto* control = qobject_cast<TFcControl*>(widget());
    if (actionName != pressAction() || !control)
        return {};
    const QChar accel = AcceleratorOf(control->Caption());
    if (accel.isNull())
        return {};
    return {QStringLiteral("Alt+") + accel.toUpper()};
}

void RegisterButtonAccessibility()
{
    static const bool registered = [] {
        const auto make = [](QWidget* w) -> QAccessibleInterface* { return new TFcButtonAccessible(w); };
        RegisterAccessible(&TFcCustomButton::staticMetaObject, make);
        RegisterAccessible(&TFcControlButton::staticMetaObject, make);
        RegisterAccessible(&TFcShapeButton::staticMetaObject, make);
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
