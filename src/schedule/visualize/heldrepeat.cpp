#include "schedule/visualize/heldrepeat.h"

#include "controls/buttons/fcbitbtn.h"

#include <QMouseEvent>

namespace tw::app {

THeldRepeat::THeldRepeat(controls::TFcBitBtn* button, int delayMs)
    : QObject(button), button_(button), delay_(delayMs)
{
    setObjectName(QStringLiteral("HeldRepeat"));
    connect(&timer_, &QTimer::timeout, this, &THeldRepeat::Tick);
    button->installEventFilter(this);
}

void THeldRepeat::Tick()
{
    if (!button_->MouseDownMark() || !button_->isEnabled()) {
        timer_.stop();
        return;
    }
    timer_.setInterval(kIntervalMs);
    if (button_->Pressed())
        button_->Click();
}

THeldRepeat* THeldRepeat::Of(const controls::TFcBitBtn* button)
{
    return button->findChild<THeldRepeat*>(QStringLiteral("HeldRepeat"), Qt::FindDirectChildrenOnly);
}

bool THeldRepeat::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == button_) {
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            timer_.start(delay_);
        } else if (type == QEvent::MouseButtonRelease || type == QEvent::FocusOut || type == QEvent::Hide
                   || type == QEvent::EnabledChange) {
            timer_.stop();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tw::app
