#pragma once
// One timer for every blinking label and status pane, so that they blink in
// step. Each control that can blink joins the shared list when it is made and
// leaves it when destroyed; the list lives as long as it has members.

#include "controls/foundation/fctypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>

namespace tw::controls {

// What the shared timer asks of a control that can blink.
class IFcBlinkingControl {
public:
    virtual ~IFcBlinkingControl() = default;
    virtual bool GetBlinking() const = 0;
    virtual void Blink(TBlinkState state) = 0;
};

class TFcBlinkingControlsList : public QObject {
    Q_OBJECT
public:
    TFcBlinkingControlsList();

    void Add(IFcBlinkingControl* control);
    void Remove(IFcBlinkingControl* control);
    int GetCount() const { return static_cast<int>(controls_.size()); }
    TBlinkState State() const { return state_; }
    std::uint16_t IntervalOn() const { return intervalOn_; }
    void SetIntervalOn(std::uint16_t ms) { intervalOn_ = ms; }
    std::uint16_t IntervalOff() const { return intervalOff_; }
    void SetIntervalOff(std::uint16_t ms) { intervalOff_ = ms; }
    const QTimer& Timer() const { return timer_; }

    // One tick of the timer: flips the state and tells the blinking members.
    void Tick();

private:
    QList<IFcBlinkingControl*> controls_;
    QTimer timer_;
    TBlinkState state_ = bsOff;
    std::uint16_t intervalOn_ = 500;
    std::uint16_t intervalOff_ = 500;
};

// The shared list, or nullptr before the first control that can blink.
TFcBlinkingControlsList* BlinkingControls();
// Makes the shared list when there is none.
TFcBlinkingControlsList& EnsureBlinkingControls();
// Frees the shared list when it holds no control.
void FreeBlinkingControlsListIfEmpty();

}  // namespace tw::controls
