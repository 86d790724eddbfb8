#include "controls/sizing/fcsizingaccessible.h"

#include "controls/base/fcaccessible.h"
#include "controls/sizing/fcsizepanel.h"
#include "controls/sizing/fcsplitter.h"

#include <QPointer>

namespace tw::controls {

namespace {

enum class TPart { Bar, HotSpot };

// What the part interfaces ask of either control.
struct TSizingView {
    QWidget* control = nullptr;

    TFcSplitter* Splitter() const { return qobject_cast<TFcSplitter*>(control); }
    TFcCustomSizePanel* Panel() const { return qobject_cast<TFcCustomSizePanel*>(control); }
    TRect Rect(TPart part) const
    {
        if (const TFcSplitter* s = Splitter())
            return part == TPart::Bar ? s->BarRect() : s->HotSpotBounds();
        if (const TFcCustomSizePanel* p = Panel())
            return part == TPart::Bar ? p->GetSizeBarRect() : p->HotSpotBounds();
        return {};
    }
    bool HotSpotShown() const
    {
        if (const TFcSplitter* s = Splitter())
            return s->HotSpotVisible();
        if (const TFcCustomSizePanel* p = Panel())
            return p->HotSpotVisible();
        return false;
    }
    int Value() const
    {
        if (const TFcSplitter* s = Splitter())
            return s->Position();
        if (const TFcCustomSizePanel* p = Panel())
            return LyingBar(p->Align()) ? p->height() : p->width();
        return 0;
    }
    int Maximum() const
    {
        if (const TFcSplitter* s = Splitter())
            return s->Orientation() == orHorizontal ? s->width() : s->height();
        if (const TFcCustomSizePanel* p = Panel())
            return p->parentWidget() ? p->GetMarginExtent() : Value();
        return 0;
    }
    void SetValue(int value) const
    {
        if (TFcSplitter* s = Splitter())
            s->SetLockedPosition(value);
    }
    void Press() const
    {
        if (TFcSplitter* s = Splitter())
            s->ClickHotSpot();
        else if (TFcCustomSizePanel* p = Panel())
            p->ClickHotSpot();
    }
};

class TFcSizingPartAccessible : public QAccessibleInterface,
                                public QAccessibleValueInterface,
                                public QAccessibleActionInterface {
public:
    TFcSizingPartAccessible(QWidget* control, TPart part) : control_(control), part_(part) {}

    bool isValid() const override { return !control_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return control_ ? control_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(control_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return part_ == TPart::Bar ? QStringLiteral("Size bar") : QStringLiteral("Collapse or restore");
        if (t == QAccessible::Value && part_ == TPart::Bar)
            return QString::number(View().Value());
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!control_)
            return {};
        const TRect r = View().Rect(part_);
        return {control_->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height())};
    }
    QAccessible::Role role() const override
    {
        return part_ == TPart::Bar ? QAccessible::Separator : QAccessible::Button;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !control_ || !control_->isVisible();
        s.disabled = control_ && !control_->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface && part_ == TPart::Bar)
            return static_cast<QAccessibleValueInterface*>(this);
        if (t == QAccessible::ActionInterface && part_ == TPart::HotSpot)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QVariant currentValue() const override { return View().Value(); }
    void setCurrentValue(const QVariant& value) override { View().SetValue(value.toInt()); }
    QVariant maximumValue() const override { return View().Maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override
    {
        return control_ && control_->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !control_ || !control_->isEnabled())
            return;
        QWidget* control = control_;
        RunAfterAnswer(control, [control] {
            if (control->isEnabled())
                TSizingView{control}.Press();
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    TSizingView View() const { return {control_.data()}; }

    QPointer<QWidget> control_;
    TPart part_;
};

// The control itself: its shown child widgets (the panes), then the bar and
// the hot spot.
class TFcSizingAccessible : public TFcControlAccessible {
public:
    explicit TFcSizingAccessible(QWidget* widget) : TFcControlAccessible(widget, QAccessible::Splitter)
    {
        for (TPart part : {TPart::Bar, TPart::HotSpot}) {
            auto* iface = new TFcSizingPartAccessible(widget, part);
            parts_.push_back(QAccessible::registerAccessibleInterface(iface));
        }
    }
    ~TFcSizingAccessible() override
    {
        for (QAccessible::Id id : parts_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override
    {
        return static_cast<int>(Widgets().size()) + (HotSpotShown() ? 2 : 1);
    }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> widgets = Widgets();
        if (index >= 0 && index < widgets.size())
            return QAccessible::queryAccessibleInterface(widgets[index]);
        const int part = index - static_cast<int>(widgets.size());
        if (part == 0 || (part == 1 && HotSpotShown()))
            return QAccessible::accessibleInterface(parts_[static_cast<size_t>(part)]);
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }

private:
    QList<QWidget*> Widgets() const
    {
        QList<QWidget*> shown;
        for (QWidget* w : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow() && !w->isHidden() && !dynamic_cast<TFcSplitOutline*>(w))
                shown.append(w);
        }
        return shown;
    }
    bool HotSpotShown() const { return TSizingView{widget()}.HotSpotShown(); }

    std::vector<QAccessible::Id> parts_;
};

}  // namespace

void RegisterSizingAccessible()
{
    static const bool registered = [] {
        RegisterAccessible(&TFcSplitter::staticMetaObject, [](QWidget* w) { return new TFcSizingAccessible(w); });
        RegisterAccessible(&TFcCustomSizePanel::staticMetaObject,
                           [](QWidget* w) { return new TFcSizingAccessible(w); });
        return true;
    }();
    (void)registered;
}

}  // namespace tw::controls
