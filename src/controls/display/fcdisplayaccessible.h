#pragma once
// What screen readers learn of the display controls: the LED display as
// static text (its caption), the meter as an indicator offering the value
// interface, the colour picker as a list whose children are its colour cells,
// each named by its colour, the selected one selected, pressed to select it.
#include "controls/base/fcaccessible.h"
#include <QAccessibleValueInterface>
#include <vector>
namespace tw::controls {
class TFcMeterAccessible : public TFcControlAccessible, public QAccessibleValueInterface {
public:
    explicit TFcMeterAccessible(QWidget* widget);
    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }
};
class TFcColorPickerAccessible : public TFcControlAccessible {
public:
    explicit TFcColorPickerAccessible(QWidget* widget);
    ~TFcColorPickerAccessible() override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    mutable std::vector<QAccessible::Id> cells_;
};
void RegisterDisplayAccessibility();
}  // namespace tw::controls
