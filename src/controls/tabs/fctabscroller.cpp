#include "controls/tabs/fctabscroller.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemedetails.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/tabs/fccustomtabcontrol.h"

#include <QMouseEvent>

namespace tw::controls {

namespace {

bool Themed()
{
    return ThemeServices()->GetThemesEnabled();
}

void FrameIn(TFcCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Pen.Color = color;
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Rectangle(r);
}

}  // namespace

TFcTabScroller::TFcTabScroller(TFcCustomTabControl* owner) : TFcControl(owner), owner_(owner)
{
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("TabScroller"));
}

void TFcTabScroller::SetFrameColor(TColor color)
{
    if (color == frameColor_)
        return;
    frameColor_ = color;
    update();
}

void TFcTabScroller::SetOrientation(TOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    update();
}

TRect TFcTabScroller::HalfRect(int half) const
{
    const int w = width();
    const int h = height();
    if (orientation_ == orHorizontal)
        return half == 0 ? TRect{0, 0, w / 2 + 1, h} : TRect{w / 2, 0, w, h};
    // The down half is the lower one.
    return half == 0 ? TRect{0, h / 2, w, h} : TRect{0, 0, w, h / 2 + 1};
}

bool TFcTabScroller::HalfEnabled(int half) const
{
    if (!owner_)
        return false;
    const bool forward = (half == 1) == owner_->Layout().UpRightScrollsForward();
    if (!forward)
        return owner_->FirstTabIndex() > 0;
    return !owner_->Layout().TabInView(owner_->Layout().LastVisibleTab());
}

int TFcTabScroller::HalfAt(QPoint p) const
{
    if (orientation_ == orHorizontal)
        return p.x() < width() / 2 ? 0 : 1;
    return p.y() >= height() / 2 ? 0 : 1;
}

void TFcTabScroller::ClickHalf(int half)
{
    if (half == 0)
        DownLeftClick();
    else
        UpRightClick();
}

void TFcTabScroller::DownLeftClick()
{
    if (OnDownLeftClick)
        OnDownLeftClick(this);
}

void TFcTabScroller::UpRightClick()
{
    if (OnUpRightClick)
        OnUpRightClick(this);
}

void TFcTabScroller::Paint(TFcCanvas& canvas)
{
    for (int half = 0; half < 2; ++half) {
        const TRect r = HalfRect(half);
        const bool enabled = HalfEnabled(half);
        const bool down = pressed_ && pressedButton_ == half;
        if (Themed()) {
            TThemedSpin spin;
            if (orientation_ == orHorizontal)
                spin = half == 0 ? (!enabled   ? tsDownHorzDisabled
                                        : down ? tsDownHorzPressed
                                               : tsDownHorzNormal)
                                 : (!enabled   ? tsUpHorzDisabled
                                        : down ? tsUpHorzPressed
                                               : tsUpHorzNormal);
            else
                spin = half == 0 ? (!enabled   ? tsDownDisabled
                                        : down ? tsDownPressed
                                               : tsDownNormal)
                                 : (!enabled   ? tsUpDisabled
                                        : down ? tsUpPressed
                                               : tsUpNormal);
            if (ThemeServices()->DrawElement(canvas, GetElementDetails(spin), r))
                continue;
        }
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = down ? cl3DLight : clBtnFace;
        canvas.FillRect(r);
        const TDirection direction =
            orientation_ == orHorizontal ? (half == 0 ? dirLeft : dirRight) : (half == 0 ? dirDown : dirUp);
        DrawSpinArrow(canvas, r, uiWindows95, direction, down, enabled);
        FrameIn(canvas, r, frameColor_);
    }
}

void TFcTabScroller::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedButton_ = HalfAt(event->position().toPoint());
    tracking_ = true;
    pressed_ = true;
    update();
}

void TFcTabScroller::mouseMoveEvent(QMouseEvent* event)
{
    if (!tracking_)
        return;
    const QPoint p = event->position().toPoint();
    const TRect r = HalfRect(pressedButton_);
    const bool inside = rect().contains(p) && HalfAt(p) == pressedButton_ && p.x() >= r.Left
        && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
    if (inside != pressed_) {
        pressed_ = inside;
        update();
    }
}

void TFcTabScroller::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !tracking_)
        return;
    tracking_ = false;
    if (pressed_) {
        pressed_ = false;
        // One click scrolls once.
        ClickHalf(pressedButton_);
    }
    update();
}

TFcTabCloseButton::TFcTabCloseButton(TFcCustomTabControl* owner) : TFcControl(owner), owner_(owner)
{
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("TabCloseButton"));
}

void TFcTabCloseButton::SetFrameColor(TColor color)
{
    if (color == frameColor_)
        return;
    frameColor_ = color;
    update();
}

void TFcTabCloseButton::DoClose()
{
    if (OnClose)
        OnClose(this);
}

void TFcTabCloseButton::Paint(TFcCanvas& canvas)
{
    const TRect r{0, 0, width(), height()};
    const bool active = owner_ && owner_->TabIndex() >= 0;
    if (Themed()) {
        const TThemedWindow state = !active ? twSmallCloseButtonDisabled
            : pressed_                      ? twSmallCloseButtonPushed
                                            : twSmallCloseButtonNormal;
        if (ThemeServices()->DrawElement(canvas, GetElementDetails(state), r))
            return;
    }
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = pressed_ ? cl3DLight : clBtnFace;
    canvas.FillRect(r);
    // A flat close glyph of our own: an X two pixels thick, pushed one pixel
    // down and right while pressed, grey without a tab to close.
    const int inset = std::max(3, width() / 4);
    const int shift = pressed_ ? 1 : 0;
    const int left = inset + shift;
    const int top = inset + shift;
    const int size = std::max(0, std::min(width(), height()) - 2 * inset);
    auto cross = [&](int dx, int dy, TColor color) {
        canvas.Pen.Color = color;
        canvas.Pen.Style = TPenStyle::Solid;
        for (int k = 0; k < 2; ++k) {
            canvas.MoveTo(left + dx + k, top + dy);
            canvas.LineTo(left + dx + k + size, top + dy + size);
            canvas.MoveTo(left + dx + k + size - 1, top + dy);
            canvas.LineTo(left + dx + k - 1, top + dy + size);
        }
    };
    if (active) {
        cross(0, 0, clBtnText);
    } else {
        cross(1, 1, clBtnHighlight);
        cross(0, 0, clBtnShadow);
    }
    FrameIn(canvas, r, frameColor_);
}

void TFcTabCloseButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    tracking_ = true;
    pressed_ = true;
    update();
}

void TFcTabCloseButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!tracking_)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != pressed_) {
        pressed_ = inside;
        update();
    }
}

void TFcTabCloseButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !tracking_)
        return;
    tracking_ = false;
    if (pressed_) {
        pressed_ = false;
        DoClose();
    }
    update();
}

}  // namespace tw::controls
