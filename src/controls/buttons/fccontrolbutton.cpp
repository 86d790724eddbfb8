#include "controls/buttons/fccontrolbutton.h"

#include "controls/buttons/fcbuttonaccessible.h"
#include "controls/buttons/fcbuttonglyph.h"
#include "controls/buttons/fcbuttonkinds.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

namespace tw::controls {

TFcControlButton::TFcControlButton(QWidget* parent)
    : TFcControl(parent)
{
    resize(17, 21);
    SetColor(clBtnFace);
    setFocusPolicy(Qt::NoFocus);
    RegisterButtonAccessibility();
}

TFcControlButton::~TFcControlButton() = default;

void TFcControlButton::SetFlat(bool value)
{
    if (value == flat_)
        return;
    flat_ = value;
    Repaint();
}

void TFcControlButton::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph.isNull() ? QImage() : glyph.convertToFormat(QImage::Format_RGB32);
    numGlyphs_ = GlyphCellCount(glyph_, numGlyphs_);
    update();
}

void TFcControlButton::SetNumGlyphs(int value)
{
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_)
        return;
    numGlyphs_ = value;
    update();
}

void TFcControlButton::SetStyle(TFcControlButtonStyle value)
{
    if (value == style_)
        return;
    style_ = value;
    update();
}

QSize TFcControlButton::GetImageSize() const
{
    if (glyph_.isNull())
        return {0, 0};
    return {glyph_.width() / numGlyphs_, glyph_.height()};
}

void TFcControlButton::Press(Qt::MouseButton button)
{
    if (OnMouseDown)
        OnMouseDown(this, button);
    if (button == Qt::LeftButton && isEnabled()) {
        if (!down_) {
            down_ = true;
            update();
        }
        mouseDown_ = true;
    }
    if (repeatClicks_) {
        if (!timer_) {
            timer_ = TimerFactory ? TimerFactory() : std::make_unique<TFcQtRepeatTimer>();
            timer_->OnTick = [this] { TimerTick(); };
        }
        timer_->Start(initialDelay_);
    }
}

void TFcControlButton::TimerTick()
{
    timer_->SetInterval(delay_);
    // The implicit grab of the press is the capture.
    if (down_ && mouseDown_)
        Click();
}

void TFcControlButton::mousePressEvent(QMouseEvent* event)
{
    Press(event->button());
}

void TFcControlButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    Press(event->button());
}

void TFcControlButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (mouseDown_) {
        mouseDown_ = false;
        const QPoint p = event->position().toPoint();
        const bool inside = rect().contains(p);
        down_ = false;
        SetMouseInControl(false);
        Repaint();
        if (inside)
            Click();
        if ((flat_ || VisualStylesEnabled()) && isEnabled()) {
            if (QApplication::widgetAt(QCursor::pos()) != this) {
                MouseLeave();
            } else {
                SetMouseInControl(true);
                MouseEnter();
            }
        }
    }
    if (timer_ && timer_->Active())
        timer_->Stop();
}

void TFcControlButton::MouseEnter()
{
    TFcControl::MouseEnter();
    if (flat_ || VisualStylesEnabled())
        Repaint();
}

void TFcControlButton::MouseLeave()
{
    TFcControl::MouseLeave();
    if (flat_ || VisualStylesEnabled())
        Repaint();
}

TRect TFcControlButton::ClassicFace(TFcCanvas& canvas, TRect r, TColor fill)
{
    if (flat_) {
        if (Hot())
            r = DrawBorder(canvas, r, down_ ? fsStatus : fsPopup);
        fill = Color();
    } else if (down_) {
        r = DrawBevel(canvas, r, clBtnShadow, clBtnShadow, 1, kAllSides);
    } else {
        r = DrawBorder(canvas, r, fsButtonUp);
    }
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = fill;
    canvas.FillRect(r);
    return r;
}

TRect TFcControlButton::DrawBtnFace(TFcCanvas& canvas, TRect r)
{
    if (!VisualStylesEnabled())
        return ClassicFace(canvas, r, clBtnFace);
    if (flat_ && !Hot()) {
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = Color();
        canvas.FillRect(r);
    } else {
        TThemedScrollBar element = tsThumbBtnHorzDisabled;
        if (down_)
            element = tsThumbBtnHorzPressed;
        else if (Hot())
            element = tsThumbBtnHorzHot;
        else if (isEnabled())
            element = tsThumbBtnHorzNormal;
        // Drawn larger than the button so that the element's own border
        // falls outside on the right and bottom.
        const TRect grown{r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2};
        QImage face = MakeBitmap(grown.Width(), grown.Height(), Color());
        {
            TFcCanvas faceCanvas(face);
            ThemeServices()->DrawElement(faceCanvas, GetElementDetails(element),
                                         {0, 0, grown.Width(), grown.Height()});
        }
        canvas.Draw(0, 0, face);
    }
    return r.Inflated(-2, -2);
}

void TFcControlButton::DrawArrowButton(TFcCanvas& canvas, const TRect& r, bool dropDown)
{
    TDirection direction = dirUp;
    switch (style_) {
    case cbsLeft: direction = dirLeft; break;
    case cbsRight: direction = dirRight; break;
    case cbsDown: direction = dirDown; break;
    default: break;
    }
    const auto arrow = [&](const TRect& area, TFcUIStyle ui) {
        if (dropDown)
            DrawDropDownArrow(canvas, area, ui, down_, isEnabled());
        else
            DrawSpinArrow(canvas, area, ui, direction, down_, isEnabled());
    };
    if (!VisualStylesEnabled()) {
        arrow(ClassicFace(canvas, r, clBtnFace), uiWindows95);
        return;
    }
    if (flat_ && !Hot()) {
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = Color();
        canvas.FillRect(r);
        arrow(r, uiWindowsXP);
        return;
    }
    // Normal, hot, pressed, disabled follow each other in every element family.
    const int state = down_ ? 2 : Hot() ? 1 : isEnabled() ? 0 : 3;
    TThemedElementDetails details;
    if (dropDown) {
        details = GetElementDetails(static_cast<TThemedComboBox>(tcDropDownButtonNormal + state));
    } else {
        TThemedSpin first = tsUpNormal;
        switch (direction) {
        case dirDown: first = tsDownNormal; break;
        case dirRight: first = tsUpHorzNormal; break;
        case dirLeft: first = tsDownHorzNormal; break;
        default: break;
        }
        details = GetElementDetails(static_cast<TThemedSpin>(first + state));
    }
    ThemeServices()->DrawElement(canvas, details, r);
}

void TFcControlButton::DrawSpinButton(TFcCanvas& canvas, const TRect& r)
{
    DrawArrowButton(canvas, r, false);
}

void TFcControlButton::DrawDropDownButton(TFcCanvas& canvas, const TRect& r)
{
    DrawArrowButton(canvas, r, true);
}

void TFcControlButton::DrawGlyph(TFcCanvas& canvas, const TRect& rect)
{
    DrawButtonGlyph(canvas, glyph_, numGlyphs_, isEnabled(), rect, Color());
}

void TFcControlButton::Paint(TFcCanvas& canvas)
{
    TRect r{0, 0, width(), height()};
    switch (style_) {
    case cbsNone: {
        r = DrawBtnFace(canvas, r);
        if (glyph_.isNull())
            break;
        r = r.Inflated(-1, -1);
        const QSize size = GetImageSize();
        TRect g = CenterRect(r, size.width(), size.height());
        if (down_)
            g = VisualStylesEnabled() ? g.Moved(1, 0) : g.Moved(1, 1);
        DrawGlyph(canvas, g);
        break;
    }
    case cbsDropDown:
        DrawDropDownButton(canvas, r);
        break;
    default:
        DrawSpinButton(canvas, r);
        break;
    }
}

}  // namespace tw::controls
