#include "controls/labels/fclabelaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/labels/fclabel.h"

namespace tw::controls {

namespace {

class TFcURLLabelAccessible : public TFcControlAccessible {
public:
    explicit TFcURLLabelAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const TFcURLLabel*>(widget())->URL();
        return TFcControlAccessible::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = TFcControlAccessible::state();
        s.linked = true;
        s.traversed = static_cast<const TFcURLLabel*>(widget())->Visited();
        return s;
    }
    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !widget()->isEnabled())
            return;
        auto* label = static_cast<TFcURLLabel*>(widget());
        RunAfterAnswer(label, [label] {
            if (label->isEnabled())
                label->Click();
        });
    }
};

}  // namespace

void RegisterLabelAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcLabel::staticMetaObject,
                           [](QWidget* w) { return new TFcControlAccessible(w, QAccessible::StaticText); });
        RegisterAccessible(&TFcURLLabel::staticMetaObject,
                           [](QWidget* w) { return new TFcURLLabelAccessible(w); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
