#include "controls/tabs/fctabaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/base/fccontrol.h"
#include "controls/tabs/fccustomtabcontrol.h"
#include "controls/tabs/fctabscroller.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace tw::controls {

namespace {

enum class ItemKind { Tab, ScrollDownLeft, ScrollUpRight, CloseBox };

struct ItemKey {
    ItemKind kind;
    int index;  // the tab's index for tabs
    friend bool operator==(const ItemKey&, const ItemKey&) = default;
};

size_t qHash(const ItemKey& key, size_t seed = 0)
{
    return ::qHash(static_cast<int>(key.kind) * 100003 + key.index, seed);
}

class TabItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabItemAccessible(TFcCustomTabControl* control, ItemKey key) : control_(control), key_(key) {}

    bool isValid() const override { return control_ && (key_.kind != ItemKind::Tab || Exists()); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return control_ ? control_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(control_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        switch (key_.kind) {
        case ItemKind::Tab:
            if (t == QAccessible::Name)
                return StripAccelerator(control_->Tab(key_.index).Caption);
            if (t == QAccessible::Description)
                return control_->Tab(key_.index).Hint;
            return {};
        case ItemKind::ScrollDownLeft:
            return t == QAccessible::Name ? QStringLiteral("Scroll tabs back") : QString();
        case ItemKind::ScrollUpRight:
            return t == QAccessible::Name ? QStringLiteral("Scroll tabs on") : QString();
        case ItemKind::CloseBox: return t == QAccessible::Name ? QStringLiteral("Close tab") : QString();
        }
        return {};
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect local;
        if (key_.kind == ItemKind::Tab) {
            const TRect r = control_->TabRect(key_.index);
            local = QRect(r.Left, r.Top, r.Width(), r.Height());
            return QRect(control_->mapToGlobal(local.topLeft()), local.size());
        }
        QWidget* widget = key_.kind == ItemKind::CloseBox ? static_cast<QWidget*>(control_->CloseButton())
                                                          : static_cast<QWidget*>(control_->Scroller());
        if (!widget)
            return {};
        if (key_.kind != ItemKind::CloseBox) {
            const TRect half = control_->Scroller()->HalfRect(key_.kind == ItemKind::ScrollDownLeft ? 0 : 1);
            local = QRect(half.Left, half.Top, half.Width(), half.Height());
        } else {
            local = widget->rect();
        }
        return QRect(widget->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override
    {
        return key_.kind == ItemKind::Tab ? QAccessible::PageTab : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        switch (key_.kind) {
        case ItemKind::Tab: {
            const TFcTabData& tab = control_->Tab(key_.index);
            s.selectable = true;
            s.focusable = true;
            s.disabled = !tab.Enabled || !control_->isEnabled();
            s.invisible = !control_->TabInView(key_.index);
            s.selected = control_->TabIndex() == key_.index;
            s.focused = s.selected && control_->hasFocus();
            break;
        }
        case ItemKind::ScrollDownLeft:
        case ItemKind::ScrollUpRight: {
            const int half = key_.kind == ItemKind::ScrollDownLeft ? 0 : 1;
            TFcTabScroller* scroller = control_->Scroller();
            s.disabled = !scroller || !scroller->HalfEnabled(half);
            s.pressed = scroller && scroller->Pressed() && scroller->PressedButton() == half;
            break;
        }
        case ItemKind::CloseBox:
            s.disabled = control_->TabIndex() < 0;
            s.pressed = control_->CloseButton() && control_->CloseButton()->Pressed();
            break;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override
    {
        if (!isValid() || name != pressAction())
            return;
        TFcCustomTabControl* control = control_;
        RunAfterAnswer(control, [control, key = key_] { Press(control, key); });
    }

private:
    bool Exists() const { return key_.index >= 0 && key_.index < control_->TabCount(); }

    static void Press(TFcCustomTabControl* control, ItemKey key)
    {
        switch (key.kind) {
        case ItemKind::Tab:
            if (key.index < control->TabCount())
                control->SetTabIndex(key.index);
            break;
        case ItemKind::ScrollDownLeft:
        case ItemKind::ScrollUpRight:
            if (TFcTabScroller* scroller = control->Scroller())
                scroller->ClickHalf(key.kind == ItemKind::ScrollDownLeft ? 0 : 1);
            break;
        case ItemKind::CloseBox: control->CloseActiveTab(); break;
        }
    }

    QPointer<TFcCustomTabControl> control_;
    ItemKey key_;
};

class TabControlAccessible : public TFcControlAccessible {
public:
    explicit TabControlAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::PageTabList) {}

    ~TabControlAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(items_))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(Keys().size() + Widgets().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const std::vector<ItemKey> keys = Keys();
        if (index < 0)
            return nullptr;
        if (index < static_cast<int>(keys.size())) {
            const ItemKey key = keys[static_cast<size_t>(index)];
            if (const auto it = items_.constFind(key); it != items_.constEnd())
                return QAccessible::accessibleInterface(*it);
            auto* item = new TabItemAccessible(Control(), key);
            items_.insert(key, QAccessible::registerAccessibleInterface(item));
            return item;
        }
        const QList<QWidget*> widgets = Widgets();
        const int w = index - static_cast<int>(keys.size());
        return w < widgets.size() ? QAccessible::queryAccessibleInterface(widgets[w]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const int n = childCount();
        for (int i = 0; i < n; ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int n = childCount();
        for (int i = 0; i < n; ++i) {
            QAccessibleInterface* c = child(i);
            if (c && !c->state().invisible && c->rect().contains(x, y))
                return c;
        }
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        // The list is named after its selected tab, as a tab bar is.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && Control()->TabIndex() >= 0)
            return StripAccelerator(Control()->Tab(Control()->TabIndex()).Caption);
        return TFcControlAccessible::text(t);
    }

private:
    TFcCustomTabControl* Control() const { return static_cast<TFcCustomTabControl*>(widget()); }

    std::vector<ItemKey> Keys() const
    {
        TFcCustomTabControl* c = Control();
        std::vector<ItemKey> keys;
        for (int i = 0; i < c->TabCount(); ++i)
            if (c->Tab(i).Visible)
                keys.push_back({ItemKind::Tab, i});
        if (c->ScrollerNeeded() && c->Scroller()) {
            keys.push_back({ItemKind::ScrollDownLeft, 0});
            keys.push_back({ItemKind::ScrollUpRight, 0});
        }
        if (c->Options().ShowCloseButton && c->CloseButton())
            keys.push_back({ItemKind::CloseBox, 0});
        return keys;
    }

    QList<QWidget*> Widgets() const
    {
        QList<QWidget*> shown;
        TFcCustomTabControl* c = Control();
        for (QObject* o : c->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden() && w != c->Scroller() && w != c->CloseButton())
                shown.append(w);
        }
        return shown;
    }

    mutable QHash<ItemKey, QAccessible::Id> items_;
};

}  // namespace

void RegisterTabAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcCustomTabControl::staticMetaObject,
                           [](QWidget* w) { return new TabControlAccessible(w); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
