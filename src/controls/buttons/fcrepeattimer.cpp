#include "controls/buttons/fcrepeattimer.h"

#include <QTimer>

namespace tw::controls {

TFcQtRepeatTimer::TFcQtRepeatTimer()
    : timer_(std::make_unique<QTimer>())
{
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        if (OnTick)
            OnTick();
    });
}

TFcQtRepeatTimer::~TFcQtRepeatTimer() = default;

void TFcQtRepeatTimer::Start(int interval)
{
    timer_->start(interval);
}

void TFcQtRepeatTimer::SetInterval(int interval)
{
    timer_->setInterval(interval);
}

void TFcQtRepeatTimer::Stop()
{
    timer_->stop();
}

bool TFcQtRepeatTimer::Active() const
{
    return timer_->isActive();
}

}  // namespace tw::controls
