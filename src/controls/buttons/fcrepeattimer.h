#pragma once
// TFcRepeatTimer: the timer behind a held button's repeated clicks, as a seam
// so that tests drive the ticks by hand instead of waiting. The default is a
// QTimer on the GUI thread.

#include <QObject>

#include <functional>
#include <memory>

class QTimer;

namespace tw::controls {

class TFcRepeatTimer {
public:
    virtual ~TFcRepeatTimer() = default;
    // Starts (or restarts) ticking every interval milliseconds.
    virtual void Start(int interval) = 0;
    // The next ticks come every interval milliseconds.
    virtual void SetInterval(int interval) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
    std::function<void()> OnTick;
};

class TFcQtRepeatTimer : public TFcRepeatTimer {
public:
    TFcQtRepeatTimer();
    ~TFcQtRepeatTimer() override;
    void Start(int interval) override;
    void SetInterval(int interval) override;
    void Stop() override;
    bool Active() const override;

private:
    std::unique_ptr<QTimer> timer_;
};

// Makes the timer a control uses, on its first held press.
using TFcRepeatTimerFactory = std::function<std::unique_ptr<TFcRepeatTimer>()>;

}  // namespace tw::controls
