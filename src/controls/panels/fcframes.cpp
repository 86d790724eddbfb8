#include "controls/panels/fcframes.h"

#include "controls/foundation/fccommon.h"

#include <QMouseEvent>
#include <QWidget>

namespace tw::controls {

TRect DrawFrameStyle(TFcCanvas& canvas, const TRect& r, TFrameStyle style, const TFcFrameSet& frames,
                     const TFcFrameColors& colors)
{
    switch (style) {
    case fsFlat: return DrawBevel(canvas, r, colors.Flat, colors.Flat, 1, frames.Sides);
    case fsFlatBold:
        if (colors.BoldFlatIsBevel)
            return DrawBevel(canvas, r, colors.Flat, colors.Flat, 2, frames.Sides);
        return DrawBorderSides(canvas, r, style, frames.Sides);
    case fsPopup: return DrawBevel(canvas, r, colors.Highlight, colors.Shadow, frames.BevelWidth, frames.Sides);
    case fsStatus: return DrawBevel(canvas, r, colors.Shadow, colors.Highlight, frames.BevelWidth, frames.Sides);
    default: return DrawBorderSides(canvas, r, style, frames.Sides);
    }
}

TRect DrawFrames(TFcCanvas& canvas, const TRect& r, const TFcFrameSet& frames, const TFcFrameColors& colors)
{
    TRect inside = DrawFrameStyle(canvas, r, frames.Outer, frames, colors);
    if (frames.BorderWidth > 0)
        inside = DrawBevel(canvas, inside, colors.Band, colors.Band, frames.BorderWidth, frames.Sides);
    return DrawFrameStyle(canvas, inside, frames.Inner, frames, colors);
}

void SwitchFrameController(QPointer<TFcFrameController>& slot, TFcFrameController* next, QObject* control)
{
    if (slot == next)
        return;
    if (slot)
        slot->RemoveControl(control);
    slot = next;
    if (slot)
        slot->AddControl(control);
}

void TFcClickTracker::Press(const QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

bool TFcClickTracker::Release(const QMouseEvent* event, const QWidget* widget)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
    pressed_ = false;
    return click;
}

}  // namespace tw::controls
