#pragma once
// Repeats a bitmap button's click while the mouse holds it down: after the
// first delay and then every interval, as long as the button shows its
// pressed look (dragged out of the button, it waits). The release clicks as
// any release does. The chart's nudge and zoom buttons work this way.
//
//   new THeldRepeat(ui->ZoomIn, 25);   // owned by the button

#include <QObject>
#include <QTimer>

namespace tw::controls {
class TFcBitBtn;
}

namespace tw::app {

class THeldRepeat : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 300;
    static constexpr int kIntervalMs = 100;

    explicit THeldRepeat(controls::TFcBitBtn* button, int delayMs = kDefaultDelayMs);

    int Delay() const { return delay_; }
    bool Running() const { return timer_.isActive(); }
    // One tick of the timer: clicks while the button is held inside.
    void Tick();
    // The repeat of a button, or nullptr when it has none.
    static THeldRepeat* Of(const controls::TFcBitBtn* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    controls::TFcBitBtn* button_;
    int delay_;
    QTimer timer_;
};

}  // namespace tw::app
