#pragma once
// What screen readers learn of the toolbar family: the toolbar is a tool bar,
// its tool buttons are buttons (checkable when grouped) with a press action,
// and a drop-down button also offers to show its menu.
#include "controls/base/fcaccessible.h"
namespace tw::controls {
class TFcToolButtonAccessible : public TFcControlAccessible {
public:
    explicit TFcToolButtonAccessible(QWidget* widget);
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};
void RegisterToolbarAccessibility();
}  // namespace tw::controls
