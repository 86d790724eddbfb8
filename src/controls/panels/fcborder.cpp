#include "controls/panels/fcborder.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"

#include <QMouseEvent>

namespace tw::controls {

TFcBorder::TFcBorder(QWidget* parent) : TFcControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Only the frame is drawn: inside it the parent shows.
    SetTransparent(true);
    resize(50, 50);
}

// The frame settings repaint at once; the flat colour waits for the next paint.
void TFcBorder::SetBevelWidth(int value)
{
    if (StoreChanged(bevelWidth_, value))
        repaint();
}
void TFcBorder::SetBorderInner(TFrameStyle value)
{
    if (StoreChanged(borderInner_, value))
        repaint();
}
void TFcBorder::SetBorderOuter(TFrameStyle value)
{
    if (StoreChanged(borderOuter_, value))
        repaint();
}
void TFcBorder::SetBorderWidth(int value)
{
    if (StoreChanged(borderWidth_, value))
        repaint();
}
void TFcBorder::SetBorderColor(TColor value)
{
    if (StoreChanged(borderColor_, value))
        repaint();
}
void TFcBorder::SetBorderHighlight(TColor value)
{
    if (StoreChanged(borderHighlight_, value))
        repaint();
}
void TFcBorder::SetBorderShadow(TColor value)
{
    if (StoreChanged(borderShadow_, value))
        repaint();
}
void TFcBorder::SetBorderSides(TSides value)
{
    if (StoreChanged(borderSides_, static_cast<TSides>(value & kAllSides)))
        repaint();
}
void TFcBorder::SetFlatColor(TColor value)
{
    if (StoreChanged(flatColor_, value))
        update();
}
void TFcBorder::SetFlatColorAdjustment(int value)
{
    if (StoreChanged(flatColorAdjustment_, value))
        update();
}

TFcFrameSet TFcBorder::Frames() const
{
    return {borderOuter_, borderInner_, borderSides_, borderWidth_, bevelWidth_};
}

TRect TFcBorder::AdjustClientRect(const TRect& r) const
{
    return InsetByFrames(r, Frames(), true, 0);
}

TRect TFcBorder::ClientRect() const
{
    return AdjustClientRect({0, 0, width(), height()});
}

void TFcBorder::Paint(TFcCanvas& canvas)
{
    const TFcFrameColors colors{AdjustColor(flatColor_, flatColorAdjustment_), borderColor_, borderHighlight_,
                                borderShadow_, false};
    DrawFrames(canvas, {0, 0, width(), height()}, Frames(), colors);
}

void TFcBorder::mousePressEvent(QMouseEvent* event)
{
    TFcControl::mousePressEvent(event);
    click_.Press(event);
}

void TFcBorder::mouseReleaseEvent(QMouseEvent* event)
{
    TFcControl::mouseReleaseEvent(event);
    if (click_.Release(event, this))
        Click();
}

}  // namespace tw::controls
