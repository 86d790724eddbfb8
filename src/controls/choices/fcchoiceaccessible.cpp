#include "controls/choices/fcchoiceaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/choices/fcglyphbutton.h"

namespace tw::controls {

namespace {

class TFcGlyphButtonAccessible : public TFcControlAccessible {
public:
    TFcGlyphButtonAccessible(QWidget* widget, QAccessible::Role role) : TFcControlAccessible(widget, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = TFcControlAccessible::state();
        s.checkable = true;
        if (const auto* box = qobject_cast<const TFcCustomCheckBox*>(widget())) {
            s.checked = box->State() == cbChecked;
            s.checkStateMixed = box->State() == cbGrayed;
        } else if (const auto* button = qobject_cast<const TFcCustomGlyphButton*>(widget())) {
            s.checked = button->Checked();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{toggleAction()} : QStringList{};
    }

    void doAction(const QString& name) override
    {
        if (name != toggleAction() || !widget()->isEnabled())
            return;
        if (auto* button = qobject_cast<TFcCustomGlyphButton*>(widget())) {
            RunAfterAnswer(button, [button] {
                if (button->isEnabled())
                    button->ChangeState();
            });
        }
    }
};

}  // namespace

void RegisterChoiceAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcRadioButton::staticMetaObject, [](QWidget* w) {
            return new TFcGlyphButtonAccessible(w, QAccessible::RadioButton);
        });
        RegisterAccessible(&TFcCustomCheckBox::staticMetaObject,
                           [](QWidget* w) { return new TFcGlyphButtonAccessible(w, QAccessible::CheckBox); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
