#include "controls/buttons/fccustombutton.h"

#include "controls/buttons/fcbuttonaccessible.h"
#include "controls/foundation/fcthemesrv.h"

#include <QMouseEvent>

namespace tw::controls {

TFcCustomButton::TFcCustomButton(QWidget* parent)
    : TFcControl(parent)
{
    resize(115, 17);
    setFocusPolicy(Qt::StrongFocus);
    RegisterButtonAccessibility();
}

void TFcCustomButton::SetAlignmentVertical(TAlignmentVertical value)
{
    Store(alignmentVertical_, value);
}

void TFcCustomButton::SetHotTrackColor(TColor value)
{
    Store(hotTrackColor_, value);
}

void TFcCustomButton::SetHotTrackColorType(TFcHotTrackColorType value)
{
    Store(hotTrackColorType_, value);
}

void TFcCustomButton::SetHighlightColor(TColor value)
{
    Store(highlightColor_, value);
}

void TFcCustomButton::SetLightTextStyle(bool value)
{
    Store(lightTextStyle_, value);
}

void TFcCustomButton::SetTextStyle(TTextStyle value)
{
    Store(textStyle_, value);
}

void TFcCustomButton::SetTextHighlightColor(TColor value)
{
    Store(textHighlightColor_, value);
}

void TFcCustomButton::SetTextShadowColor(TColor value)
{
    Store(textShadowColor_, value);
}

void TFcCustomButton::SetTextShadowDepth(int value)
{
    Store(textShadowDepth_, value);
}

void TFcCustomButton::SetHotTrack(bool value)
{
    Store(hotTrack_, value);
}

void TFcCustomButton::Draw3DText(TFcCanvas& canvas, TRect rect, unsigned flags)
{
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.BkMode = TBkMode::Transparent;
    canvas.Font = font();
    TRect measured = rect;
    const int h = canvas.DrawText(Caption(), measured, 0x455);
    if (alignmentVertical_ == avCenter) {
        rect.Top = (rect.Bottom + rect.Top - h) >> 1;
        rect.Bottom = rect.Top + h;
    } else if (alignmentVertical_ == avBottom) {
        rect.Top = rect.Bottom - h - 1;
    }
    if (layoutDirection() == Qt::RightToLeft)
        flags |= DT_RIGHT | 0x20000;
    const auto drawAt = [&](int dx, int dy, TColor colour) {
        TRect r = rect.Moved(dx, dy);
        canvas.FontColor = colour;
        canvas.DrawText(Caption(), r, flags);
    };
    if (!isEnabled()) {
        drawAt(1, 1, clBtnHighlight);
        drawAt(0, 0, clBtnShadow);
    } else {
        const bool right = (flags & DT_RIGHT) != 0;
        if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
            const bool raised = textStyle_ == tsRaised;
            const TColor light = raised ? textHighlightColor_ : textShadowColor_;
            const TColor dark = raised ? textShadowColor_ : textHighlightColor_;
            if (!(raised && lightTextStyle_))
                drawAt(1, 1, raised ? dark : light);
            if (!(!raised && lightTextStyle_))
                drawAt(-1, -1, raised ? light : dark);
        } else if (textStyle_ == tsShadow) {
            drawAt(right ? 0 : textShadowDepth_, textShadowDepth_, textShadowColor_);
        }
        drawAt(right ? -textShadowDepth_ : 0, 0, FontColor());
    }
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.BkMode = TBkMode::Opaque;
}

void TFcCustomButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    if (button != Qt::LeftButton || !isEnabled())
        return;
    setFocus(Qt::MouseFocusReason);
    // A button that cannot take the focus shows no pressed look and never
    // clicks from the mouse.
    if (!hasFocus())
        return;
    pressed_ = true;
    mouseDown_ = true;
    UpdateDisplay();
}

void TFcCustomButton::MouseMove(Qt::KeyboardModifiers, QPoint pos)
{
    if (!mouseDown_)
        return;
    const bool inside = pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
    if (inside != pressed_) {
        pressed_ = inside;
        UpdateDisplay();
    }
}

void TFcCustomButton::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint pos)
{
    if (!mouseDown_)
        return;
    mouseDown_ = false;
    pressed_ = false;
    if (rect().contains(pos))
        ChangeState();
    UpdateDisplay();
}

void TFcCustomButton::MouseEnter()
{
    TFcControl::MouseEnter();
    if (hotTrack_ || VisualStylesEnabled()) {
        const TRect r = GetHotTrackRect();
        update(QRect(r.Left, r.Top, r.Width(), r.Height()));
    }
}

void TFcCustomButton::MouseLeave()
{
    TFcControl::MouseLeave();
    if (hotTrack_ || VisualStylesEnabled()) {
        const TRect r = GetHotTrackRect();
        update(QRect(r.Left, r.Top, r.Width(), r.Height()));
    }
}

void TFcCustomButton::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TFcCustomButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second quick press is a press like the first.
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TFcCustomButton::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event->modifiers(), event->position().toPoint());
}

void TFcCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    MouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TFcCustomButton::focusInEvent(QFocusEvent* event)
{
    TFcControl::focusInEvent(event);
    RepaintDisplay();
}

void TFcCustomButton::focusOutEvent(QFocusEvent* event)
{
    TFcControl::focusOutEvent(event);
    RepaintDisplay();
}

}  // namespace tw::controls
