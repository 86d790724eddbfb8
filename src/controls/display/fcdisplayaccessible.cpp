#include "controls/display/fcdisplayaccessible.h"
#include "controls/display/fccolorpicker.h"
#include "controls/display/fcleddisplay.h"
#include "controls/display/fcmeter.h"
#include <QCoreApplication>
#include <QPointer>
namespace tw::controls {
namespace {
int CellCount(const TFcColorPicker* picker)
{
    return picker->ShowSystemColors() ? kPickerColorCount : kStandardColorCount;
}

// One colour cell of the picker; pressing it selects its colour as a click does.
class TFcColorCellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
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
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        return picker_ && picker_->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !picker_ || !picker_->isEnabled())
            return;
        TFcColorPicker* picker = picker_;
        RunAfterAnswer(picker, [picker, index = index_] {
            if (picker->isEnabled() && index < CellCount(picker))
                picker->SetSelColorIndex(index);
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    int Index() const { return index_; }
private:
    QPointer<TFcColorPicker> picker_;
    int index_;
};

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

TFcColorPickerAccessible::~TFcColorPickerAccessible()
{
    for (const QAccessible::Id id : cells_)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
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
    // One interface per cell for the picker's life, so a reader that asks twice gets the same one.
    if (cells_.size() <= static_cast<size_t>(index))
        cells_.resize(static_cast<size_t>(index) + 1, 0);
    QAccessible::Id& id = cells_[static_cast<size_t>(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new TFcColorCellAccessible(picker, index));
    return QAccessible::accessibleInterface(id);
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
