#include "controls/base/fcformkeys.h"

#include "controls/base/fccontrol.h"

#include <QApplication>
#include <QKeyEvent>

namespace tw::controls {

namespace {

constexpr char kRoutingProperty[] = "tw_fcFormKeys";

Qt::KeyboardModifiers ShiftState(Qt::KeyboardModifiers modifiers)
{
    // The keypad bit says where the key is, not what is held.
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}


// The application-wide half of the routing: Alt+character before the focused
// widget sees it. A separate object, because an application filter is also
// called for the window itself and the window's own filter must not see a key
// twice.
class AltCharacterWatcher : public QObject {
public:
    explicit AltCharacterWatcher(TFcFormKeys* routing)
        : QObject(routing)
        , routing_(routing)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget())
            return false;
        const auto* widget = static_cast<QWidget*>(watched);
        if (!routing_->Form() || widget->window() != routing_->Form())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = ShiftState(key->modifiers());
        if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier) && !key->text().isEmpty()
            && key->text().at(0).isPrint())
            return routing_->BroadcastDialogChar(key->text().at(0), modifiers);
        return false;
    }

private:
    TFcFormKeys* routing_;
};

}  // namespace

TFcFormKeys::TFcFormKeys(QWidget* form)
    : QObject(form)
    , form_(form)
{
    form->installEventFilter(this);
    new AltCharacterWatcher(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && form_ && now->window() == form_)
            BroadcastFocusChanged(now);
    });
}

TFcFormKeys* TFcFormKeys::Install(QWidget* form)
{
    if (!form)
        return nullptr;
    QWidget* window = form->window();
    if (TFcFormKeys* existing = Of(window))
        return existing;
    auto* routing = new TFcFormKeys(window);
    window->setProperty(kRoutingProperty, QVariant::fromValue<QObject*>(routing));
    return routing;
}

TFcFormKeys* TFcFormKeys::Of(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return qobject_cast<TFcFormKeys*>(widget->window()->property(kRoutingProperty).value<QObject*>());
}

QList<TFcControl*> TFcFormKeys::Controls() const
{
    QList<TFcControl*> result;
    if (!form_)
        return result;
    const auto all = form_->findChildren<TFcControl*>();
    for (TFcControl* control : all) {
        if (control->window() == form_)
            result.append(control);
    }
    return result;
}

bool TFcFormKeys::BroadcastDialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    const auto controls = Controls();
    for (const QPointer<TFcControl> control : controls) {
        if (control && control->DialogKey(key, modifiers))
            return true;
    }
    return false;
}

bool TFcFormKeys::BroadcastDialogChar(QChar character, Qt::KeyboardModifiers modifiers)
{
    const auto controls = Controls();
    for (const QPointer<TFcControl> control : controls) {
        if (control && control->DialogChar(character, modifiers))
            return true;
    }
    return false;
}

void TFcFormKeys::BroadcastFocusChanged(QWidget* focused)
{
    const auto controls = Controls();
    for (const QPointer<TFcControl> control : controls) {
        if (control)
            control->FocusChanged(focused);
    }
}

bool TFcFormKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = ShiftState(key->modifiers());

    if (watched != form_)
        return false;
    // What reached the window was left by the focused widget.
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return BroadcastDialogKey(key->key(), modifiers);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(modifiers & Qt::ControlModifier))
            return false;
        return BroadcastDialogKey(Qt::Key_Tab, key->key() == Qt::Key_Backtab ? modifiers | Qt::ShiftModifier
                                                                              : modifiers);
    default:
        break;
    }
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !key->text().isEmpty()
        && key->text().at(0).isPrint())
        return BroadcastDialogChar(key->text().at(0), modifiers);
    return false;
}

QWidget* ActiveControlOf(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    QWidget* window = widget->window();
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window)
        return focus;
    return window->focusWidget();
}

}  // namespace tw::controls
