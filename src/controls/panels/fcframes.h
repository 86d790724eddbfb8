#pragma once
// What the panel, the border and the label share in drawing and keeping their
// frames: the outer frame, the solid band and the inner frame drawn by style
// on the chosen sides, the link to a shared frame controller, and the mouse's
// click on a control that is not a button.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/panels/fcpanellayout.h"

#include <QPointer>

class QMouseEvent;
class QWidget;

namespace tw::controls {

struct TFcFrameColors {
    TColor Flat = clBtnShadow;  // as drawn (a panel adjusts it first)
    TColor Band = clBtnFace;
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    // Panels draw fsFlatBold as a two-pixel flat bevel; the border and the
    // label draw it as the frame routines do.
    bool BoldFlatIsBevel = false;
};

// Stores value when it differs; true when it did (the setters then repaint,
// re-lay out or move on as each control needs).
template <typename T>
bool StoreChanged(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

// One frame by style; returns the rectangle inside it.
TRect DrawFrameStyle(TFcCanvas& canvas, const TRect& r, TFrameStyle style, const TFcFrameSet& frames,
                     const TFcFrameColors& colors);
// The outer frame, the band, the inner frame; returns the rectangle inside.
TRect DrawFrames(TFcCanvas& canvas, const TRect& r, const TFcFrameSet& frames, const TFcFrameColors& colors);

// Moves control from the controller in slot to next (registering it there).
void SwitchFrameController(QPointer<TFcFrameController>& slot, TFcFrameController* next, QObject* control);

// A left press followed by a release inside the control is a click.
class TFcClickTracker {
public:
    void Press(const QMouseEvent* event);
    // True when this release completes a click on widget.
    bool Release(const QMouseEvent* event, const QWidget* widget);

private:
    bool pressed_ = false;
};

}  // namespace tw::controls
