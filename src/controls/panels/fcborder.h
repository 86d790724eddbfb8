#pragma once
// TFcBorder: a control that only draws a frame (outer style, a solid band,
// inner style, each on chosen sides) and leaves its client rectangle inside
// for descendants to draw into. It takes no focus; what lies behind it shows
// through inside the frame.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QWidget>

#include <functional>

namespace tw::controls {

class TFcBorder : public TFcControl {
    Q_OBJECT
public:
    explicit TFcBorder(QWidget* parent = nullptr);

    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TFrameStyle BorderInner() const { return borderInner_; }
    void SetBorderInner(TFrameStyle value);
    TFrameStyle BorderOuter() const { return borderOuter_; }
    void SetBorderOuter(TFrameStyle value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor value);
    TSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TSides value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int value);

    // (0, 0, width, height) less the room the frame takes.
    TRect ClientRect() const;
    TRect AdjustClientRect(const TRect& r) const;

protected:
    void Paint(TFcCanvas& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TRect DrawOneFrame(TFcCanvas& canvas, const TRect& r, TFrameStyle style);

    int bevelWidth_ = 1;
    TFrameStyle borderInner_ = fsNone;
    TFrameStyle borderOuter_ = fsGroove;
    int borderWidth_ = 0;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TSides borderSides_ = kAllSides;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    bool pressed_ = false;
};

}  // namespace tw::controls
