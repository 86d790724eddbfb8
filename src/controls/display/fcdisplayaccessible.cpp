#include "controls/display/fcdisplayaccessible.h"
#include "controls/display/fccolorpicker.h"
#include "controls/display/fcleddisplay.h"
#include "controls/display/fcmeter.h"
#include <QCoreApplication>
#include <QPointer>
namespace tw::controls {
namespace {
// One colour cell of the picker.
class TFcColorCellAccessible : public QAccessibleInterface {
public:
    TFcColorCellAccessible(TFcColorPicker* picker, int index) : picker_(picker), index_(index) {}
    bool isValid() const override { return picker_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(picker_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !picker_)
            return {};
        return QCoreApplication::translate("TFcColorPicker", PickerColor(index_).Name);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!picker_)
            return {};
        const TRect r = picker_->GetCellRect(index_);
        return QRect(picker_->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.selected = picker_ && picker_->SelColorIndex() == index_;
        return s;
    }
    int Index() const { return index_; }
private:
    QPointer<TFcColorPicker> picker_;
    int index_;
};

int CellCount(const TFcColorPicker* picker)
{
    return picker->ShowSystemColors() ? kPickerColorCount : kStandardColorCount;
}
}  // namespace

TFcMeterAccessible::TFcMeterAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::Indicator) {}

void* TFcMeterAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return TFcControlAccessible::interface_cast(t);
}

QString TFcMeterAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QString::number(static_cast<TFcMeter*>(widget())->Percent()) + QLatin1Char('%');
    return TFcControlAccessible::text(t);
}

QVariant TFcMeterAccessible::currentValue() const { return static_cast<TFcMeter*>(widget())->Value(); }
void TFcMeterAccessible::setCurrentValue(const QVariant& value)
{
    static_cast<TFcMeter*>(widget())->SetValue(value.toInt());
}
QVariant TFcMeterAccessible::maximumValue() const { return static_cast<TFcMeter*>(widget())->Max(); }
QVariant TFcMeterAccessible::minimumValue() const { return static_cast<TFcMeter*>(widget())->Min(); }

TFcColorPickerAccessible::TFcColorPickerAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::List)
{
}

int TFcColorPickerAccessible::childCount() const
{
    return CellCount(static_cast<TFcColorPicker*>(widget()));
}

QAccessibleInterface* TFcColorPickerAccessible::child(int index) const
{
    auto* picker = static_cast<TFcColorPicker*>(widget());
    if (index < 0 || index >= CellCount(picker))
        return nullptr;
    auto* cell = new TFcColorCellAccessible(picker, index);
    QAccessible::registerAccessibleInterface(cell);
    return cell;
}

int TFcColorPickerAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (const auto* cell = dynamic_cast<const TFcColorCellAccessible*>(child))
        return cell->Index();
    return -1;
}

QAccessibleInterface* TFcColorPickerAccessible::childAt(int x, int y) const
{
    auto* picker = static_cast<TFcColorPicker*>(widget());
    const QPoint p = picker->mapFromGlobal(QPoint(x, y));
    const int index = picker->HitTest(p.x(), p.y());
    return index >= 0 && index < CellCount(picker) ? child(index) : nullptr;
}

void RegisterDisplayAccessibility()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterAccessible(&TFcLEDDisplay::staticMetaObject,
                       [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::StaticText); });
    RegisterAccessible(&TFcMeter::staticMetaObject, [](QWidget* w) { return new TFcMeterAccessible(w); });
    RegisterAccessible(&TFcColorPicker::staticMetaObject,
                       [](QWidget* w) { return new TFcColorPickerAccessible(w); });
}
}  // namespace tw::controls
