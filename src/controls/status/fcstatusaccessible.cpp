#include "controls/status/fcstatusaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/status/fcprogressbar.h"
#include "controls/status/fcstatusbar.h"
#include "controls/status/fcstatuspane.h"

#include <algorithm>

namespace tw::controls {

namespace {

class TFcProgressAccessible : public TFcControlAccessible, public QAccessibleValueInterface {
public:
    explicit TFcProgressAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return TFcControlAccessible::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(Shown());
        return TFcControlAccessible::text(t);
    }
    QVariant currentValue() const override { return Shown(); }
    // Progress is the program's to set, not the user's.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    int Shown() const
    {
        return std::min<int>(100, static_cast<const TFcCustomProgressBar*>(widget())->Percent());
    }
};

}  // namespace

void RegisterStatusAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcStatusBar::staticMetaObject,
                           [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::StatusBar); });
        RegisterAccessible(&TFcCustomStatusPane::staticMetaObject,
                           [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::StaticText); });
        RegisterAccessible(&TFcCustomProgressBar::staticMetaObject,
                           [](QWidget* w) { return new TFcProgressAccessible(w); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
