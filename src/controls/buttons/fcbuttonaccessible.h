#pragma once
// What screen readers learn of the buttons: role, name (the caption without
// its marker), state (pressed, default, focused, disabled; checkable and
// checked for a grouped button) and the press action; the menu button is a
// button with a popup and also offers to show its menu. Installed with the
// library's factory the first time a button is made.

#include "controls/base/fcaccessible.h"

namespace tw::controls {

class TFcButtonAccessible : public TFcControlAccessible {
public:
    explicit TFcButtonAccessible(QWidget* widget);
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;
};

// Registers the button family's interfaces (once).
void RegisterButtonAccessibility();

}  // namespace tw::controls
