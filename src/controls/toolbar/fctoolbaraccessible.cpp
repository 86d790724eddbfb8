#include "controls/toolbar/fctoolbaraccessible.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbutton.h"
namespace tw::controls {
TFcToolButtonAccessible::TFcToolButtonAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::Button)
{
}

QAccessible::State TFcToolButtonAccessible::state() const
{
    QAccessible::State s = TFcControlAccessible::state();
    auto* b = static_cast<TFcToolButton*>(widget());
    if (b->GroupIndex() != 0) {
        s.checkable = true;
        s.checked = b->Down();
    }
    s.pressed = b->State() == tbsDown;
    s.hasPopup = b->ToolStyle() == tsDropDown;
    return s;
}

QStringList TFcToolButtonAccessible::actionNames() const
{
    QStringList names{pressAction()};
    if (static_cast<TFcToolButton*>(widget())->ToolStyle() == tsDropDown)
        names << showMenuAction();
    return names;
}

void TFcToolButtonAccessible::doAction(const QString& actionName)
{
    auto* b = static_cast<TFcToolButton*>(widget());
    if (!b->isEnabled())
        return;
    if (actionName == pressAction()) {
        RunAfterAnswer(b, [b] {
            if (!b->isEnabled())
                return;
            if (b->GroupIndex() != 0)
                b->SetDown(!b->Down());
            b->Click();
        });
    } else if (actionName == showMenuAction() && b->ToolStyle() == tsDropDown) {
        RunAfterAnswer(b, [b] { b->ShowMenu(); });
    }
}

void RegisterToolbarAccessibility()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterAccessible(&TFcToolbar::staticMetaObject,
                       [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::ToolBar); });
    RegisterAccessible(&TFcToolButton::staticMetaObject, [](QWidget* w) { return new TFcToolButtonAccessible(w); });
}
}  // namespace tw::controls
