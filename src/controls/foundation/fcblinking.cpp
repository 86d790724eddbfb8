#include "controls/foundation/fcblinking.h"

namespace tw::controls {
namespace {
TFcBlinkingControlsList* gBlinkingControls = nullptr;
}

TFcBlinkingControlsList::TFcBlinkingControlsList()
{
    connect(&timer_, &QTimer::timeout, this, &TFcBlinkingControlsList::Tick);
    timer_.start(intervalOff_);
}

void TFcBlinkingControlsList::Add(IFcBlinkingControl* control)
{
    if (control && !controls_.contains(control))
        controls_.append(control);
}

void TFcBlinkingControlsList::Remove(IFcBlinkingControl* control)
{
    controls_.removeAll(control);
}

void TFcBlinkingControlsList::Tick()
{
    if (state_ == bsOn) {
        state_ = bsOff;
        timer_.setInterval(intervalOn_);
    } else {
        state_ = bsOn;
        timer_.setInterval(intervalOff_);
    }
    const auto controls = controls_;
    for (IFcBlinkingControl* control : controls) {
        if (control->GetBlinking())
            control->Blink(state_);
    }
}

TFcBlinkingControlsList* BlinkingControls()
{
    return gBlinkingControls;
}

TFcBlinkingControlsList& EnsureBlinkingControls()
{
    if (!gBlinkingControls)
        gBlinkingControls = new TFcBlinkingControlsList;
    return *gBlinkingControls;
}

void FreeBlinkingControlsListIfEmpty()
{
    if (gBlinkingControls && gBlinkingControls->GetCount() == 0) {
        delete gBlinkingControls;
        gBlinkingControls = nullptr;
    }
}

}  // namespace tw::controls
