#include "controls/panels/fcborder.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/panels/fcpanellayout.h"

#include <QMouseEvent>

namespace tw::controls {

TFcBorder::TFcBorder(QWidget* parent) : TFcControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Only the frame is drawn: inside it the parent shows.
    SetTransparent(true);
    resize(50, 50);
}

namespace {

template <typename T>
bool Store(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

}  // namespace

// The frame settings repaint at once; the flat colour waits for the next paint.
void TFcBorder::SetBevelWidth(int value)
{
    if (Store(bevelWidth_, value))
        repaint();
}
void TFcBorder::SetBorderInner(TFrameStyle value)
{
    if (Store(borderInner_, value))
        repaint();
}
void TFcBorder::SetBorderOuter(TFrameStyle value)
{
    if (Store(borderOuter_, value))
        repaint();
}
void TFcBorder::SetBorderWidth(int value)
{
    if (Store(borderWidth_, value))
        repaint();
}
void TFcBorder::SetBorderColor(TColor value)
{
    if (Store(borderColor_, value))
        repaint();
}
void TFcBorder::SetBorderHighlight(TColor value)
{
    if (Store(borderHighlight_, value))
        repaint();
}
void TFcBorder::SetBorderShadow(TColor value)
{
    if (Store(borderShadow_, value))
        repaint();
}
void TFcBorder::SetBorderSides(TSides value)
{
    if (Store(borderSides_, static_cast<TSides>(value & kAllSides)))
        repaint();
}
void TFcBorder::SetFlatColor(TColor value)
{
    if (Store(flatColor_, value))
        update();
}
void TFcBorder::SetFlatColorAdjustment(int value)
{
    if (Store(flatColorAdjustment_, value))
        update();
}

TRect TFcBorder::AdjustClientRect(const TRect& r) const
{
    return InsetByFrames(r, {borderOuter_, borderInner_, borderSides_, borderWidth_, bevelWidth_}, true, 0);
}

TRect TFcBorder::ClientRect() const
{
    return AdjustClientRect({0, 0, width(), height()});
}

TRect TFcBorder::DrawOneFrame(TFcCanvas& canvas, const TRect& r, TFrameStyle style)
{
    switch (style) {
    case fsFlat: {
        const TColor c = AdjustColor(flatColor_, flatColorAdjustment_);
        return DrawBevel(canvas, r, c, c, 1, borderSides_);
    }
    case fsPopup: return DrawBevel(canvas, r, borderHighlight_, borderShadow_, bevelWidth_, borderSides_);
    case fsStatus: return DrawBevel(canvas, r, borderShadow_, borderHighlight_, bevelWidth_, borderSides_);
    default: return DrawBorderSides(canvas, r, style, borderSides_);
    }
}

void TFcBorder::Paint(TFcCanvas& canvas)
{
    TRect r{0, 0, width(), height()};
    r = DrawOneFrame(canvas, r, borderOuter_);
    if (borderWidth_ > 0)
        r = DrawBevel(canvas, r, borderColor_, borderColor_, borderWidth_, borderSides_);
    DrawOneFrame(canvas, r, borderInner_);
}

void TFcBorder::mousePressEvent(QMouseEvent* event)
{
    TFcControl::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
}

void TFcBorder::mouseReleaseEvent(QMouseEvent* event)
{
    TFcControl::mouseReleaseEvent(event);
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Click();
}

}  // namespace tw::controls
