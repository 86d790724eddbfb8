#include "controls/buttons/fcbutton.h"

#include "controls/base/fcformkeys.h"
#include "controls/base/fcmodalresult.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>

namespace tw::controls {

namespace {

// The one-pixel frame of the default button in the classic look.
constexpr TColor clWindowFrame = SystemColor(COLOR_WINDOWFRAME);

// Clears a mark however the click it guards ends.
class MarkGuard {
public:
    explicit MarkGuard(bool& mark) : mark_(mark) { mark_ = true; }
    ~MarkGuard() { mark_ = false; }
    MarkGuard(const MarkGuard&) = delete;
    MarkGuard& operator=(const MarkGuard&) = delete;

private:
    bool& mark_;
};

}  // namespace

TFcButton::TFcButton(QWidget* parent) : TFcCustomButton(parent)
{
    resize(75, 25);
    SetColor(clBtnFace);
    // In a layout a push button keeps its height and may grow wider.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

QSize TFcButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize extra = ExtraFaceSize();
    // The caption rectangle is inset by 5 on each side; a little air besides.
    const int w = metrics.horizontalAdvance(StripAccelerator(Caption())) + extra.width() + 2 * 5 + 8;
    const int h = std::max(metrics.height(), extra.height()) + 2 * 5;
    return {std::max(75, w), std::max(25, h)};
}

void TFcButton::TextChanged()
{
    updateGeometry();
    TFcCustomButton::TextChanged();
}

void TFcButton::FontChanged()
{
    updateGeometry();
    TFcCustomButton::FontChanged();
}

void TFcButton::SetAlignment(TAlignment value)
{
    Store(alignment_, value);
}

void TFcButton::SetDefault(bool value)
{
    default_ = value;
    // Recompute the mark at once against the window's focus.
    FocusChanged(ActiveControlOf(this));
}

void TFcButton::SetAllowAllUp(bool value)
{
    allowAllUp_ = value;
    BroadcastGroupNotice(this, groupIndex_);
}

void TFcButton::SetGroupIndex(int value)
{
    groupIndex_ = value;
    BroadcastGroupNotice(this, groupIndex_);
}

void TFcButton::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    state_ = down_ ? bsExclusive : bsUp;
    update();
    NotifyChecked();
    if (down_)
        BroadcastGroupNotice(this, groupIndex_);
}

void TFcButton::NotifyChecked()
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TFcButton::SetShowDownPattern(bool value)
{
    Store(showDownPattern_, value);
}

void TFcButton::SetShowFocusRect(bool value)
{
    Store(showFocusRect_, value);
}

void TFcButton::SetHotTrack(bool value)
{
    TFcCustomButton::SetHotTrack(value);
    SetTransparent(value);
    update();
}

void TFcButton::GroupNotice(int group, TFcControl* sender)
{
    auto* other = qobject_cast<TFcButton*>(sender);
    if (!other || group != groupIndex_)
        return;
    if (other->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        update();
        NotifyChecked();
    }
    allowAllUp_ = other->AllowAllUp();
}

void TFcButton::FocusChanged(QWidget* focused)
{
    const bool pushButton = qobject_cast<TFcButton*>(focused) || qobject_cast<QPushButton*>(focused);
    const bool active = pushButton ? focused == this : default_;
    if (active != active_) {
        active_ = active;
        Repaint();
    }
}

bool TFcButton::DialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!((enter && active_) || (key == Qt::Key_Escape && cancel_)) || modifiers != Qt::NoModifier
        || !CanFocus())
        return false;
    MarkGuard guard(keyClick_);
    Click();
    return true;
}

bool TFcButton::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!IsAccel(character, Caption()) || !CanFocus())
        return false;
    Click();
    return true;
}

void TFcButton::Click()
{
    SetFormModalResult(this, modalResult_);
    TFcCustomButton::Click();
    EndModal(this);
}

void TFcButton::ChangeState()
{
    if (groupIndex_ != 0)
        SetDown(!down_);
    else
        UpdateDisplay();
    MarkGuard guard(clickInProgress_);
    Click();
}

void TFcButton::keyPressEvent(QKeyEvent* event)
{
    // A window without the key routing still gets Enter and Escape on the
    // focused button, as a Qt push button would answer them.
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((enter || (key == Qt::Key_Escape && cancel_)) && !TFcFormKeys::Of(this)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        MarkGuard guard(keyClick_);
        Click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::AltModifier)) {
        if (!event->isAutoRepeat()) {
            spacePressed_ = true;
            SetPressedMark(true);
            UpdateDisplay();
        }
        event->accept();
        return;
    }
    TFcCustomButton::keyPressEvent(event);
}

void TFcButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        SetPressedMark(false);
        if (spacePressed_) {
            spacePressed_ = false;
            ChangeState();
        }
        UpdateDisplay();
        event->accept();
        return;
    }
    TFcCustomButton::keyReleaseEvent(event);
}

TRect TFcButton::GetCaptionRect() const
{
    TRect r = TRect{0, 0, width(), height()}.Inflated(-5, -5);
    if (!HotTrack() && !VisualStylesEnabled()) {
        const bool moved = groupIndex_ == 0 ? Pressed() : PressedLook();
        if (moved)
            r = r.Moved(1, 1);
    }
    return r;
}

void TFcButton::DrawButtonFace(TFcCanvas& canvas)
{
    Draw3DText(canvas, GetCaptionRect(), DrawTextAlignments[alignment_] | DT_EXPANDTABS | DT_WORDBREAK);
}

void TFcButton::CreateBrushPattern(TFcBrush& brush) const
{
    const TColor face = Color();
    brush.Style = TBrushStyle::Pattern;
    brush.PatternBackground = face;
    brush.Color = ColorToRGB(face) == RGB(0xC0, 0xC0, 0xC0) ? RGB(0x80, 0x80, 0x80) : RGB(0xC0, 0xC0, 0xC0);
    for (int y = 0; y < 8; ++y)
        brush.Pattern[y] = (y % 2 == 0) ? 0xAA : 0x55;
}

void TFcButton::PaintStyled(TFcCanvas& canvas, const TRect& r, bool focusedOrDefault)
{
    TThemedButton element = tbPushButtonNormal;
    if (!isEnabled())
        element = tbPushButtonDisabled;
    else if (PressedLook())
        element = tbPushButtonPressed;
    else if (MouseInControl())
        element = tbPushButtonHot;
    else if (focusedOrDefault)
        element = tbPushButtonDefaulted;
    const TThemedElementDetails details = GetElementDetails(element);
    if (parentWidget())
        ThemeServices()->DrawParentBackground(this, canvas, &details, true);
    ThemeServices()->DrawElement(canvas, details, r);
}

TRect TFcButton::PaintHotTrack(TFcCanvas& canvas, TRect r, bool focusedOrDefault)
{
    const TColor face = Color();
    const auto line = [&](TColor c, int x0, int y0, int x1, int y1) {
        canvas.Pen.Color = c;
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    const auto fill = [&](const TRect& area, TColor c) {
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = c;
        canvas.FillRect(area);
    };
    // A ring with its four corner pixels left out.
    const auto cutRing = [&](const TRect& q, TColor c) {
        line(c, q.Left, q.Top + 1, q.Left, q.Bottom - 1);
        line(c, q.Left + 1, q.Top, q.Right - 1, q.Top);
        line(c, q.Right - 1, q.Top + 1, q.Right - 1, q.Bottom - 1);
        line(c, q.Left + 1, q.Bottom - 1, q.Right - 1, q.Bottom - 1);
    };
    if (!isEnabled()) {
        const TColor c = face == clBtnFace ? LighterColor(clBtnShadow, 30) : DarkerColor(face, 80);
        r = r.Inflated(-1, -1);
        cutRing(r, c);
        r = r.Inflated(-1, -1);
        fill(r, face);
        return r;
    }
    const TColor d = DarkerColor(clBtnFace, 20);
    const TColor l = LighterColor(clBtnFace, 20);
    line(d, r.Left, r.Top + 2, r.Left, r.Bottom - 2);
    line(d, r.Left + 2, r.Top, r.Right - 2, r.Top);
    line(l, r.Left + 2, r.Bottom - 1, r.Right - 2, r.Bottom - 1);
    line(l, r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom - 2);
    canvas.SetPixel(r.Left + 1, r.Top + 1, d);
    canvas.SetPixel(r.Right - 2, r.Top + 1, d);
    canvas.SetPixel(r.Left + 1, r.Bottom - 2, d);
    canvas.SetPixel(r.Right - 2, r.Bottom - 2, l);
    r = r.Inflated(-1, -1);
    cutRing(r, face == clBtnFace ? cl3DDkShadow : DarkerColor(face, 150));
    r = r.Inflated(-1, -1);
    const auto bevels = [&](TColor u, TColor w) {
        TRect q = DrawBevel(canvas, r, u, w, 1, kAllSides);
        q = DrawBevel(canvas, q, DarkerColor(u, 10), LighterColor(w, 10), 1, kAllSides);
        fill(q, face);
        return q;
    };
    if (PressedLook()) {
        fill(r, DarkerColor(face, 10));
        return r;
    }
    if (MouseInControl()) {
        TColor u;
        TColor w;
        if (HotTrackColorType() == htctComplement) {
            int h = ColorHue(HotTrackColor());
            h = h >= 120 ? h - 120 : h + 120;
            u = HSLtoColor(static_cast<std::uint8_t>(h), 220, 180);
            w = DarkerColor(u, 30);
        } else {
            u = LighterColor(HotTrackColor(), 30);
            w = DarkerColor(HotTrackColor(), 30);
        }
        return bevels(u, w);
    }
    if (focusedOrDefault) {
        const TColor u = HSLtoColor(ColorHue(HighlightColor()), 220, 220);
        return bevels(u, DarkerColor(u, 30));
    }
    line(LighterColor(face, 20), r.Left, r.Top, r.Right, r.Top);
    line(LighterColor(face, 15), r.Left, r.Top + 1, r.Right, r.Top + 1);
    line(LighterColor(face, 10), r.Left, r.Top + 2, r.Right, r.Top + 2);
    canvas.Pen.Color = DarkerColor(face, 10);
    canvas.MoveTo(r.Left, r.Bottom - 3);
    canvas.LineTo(r.Right - 2, r.Bottom - 3);
    canvas.LineTo(r.Right - 2, r.Top + 2);
    canvas.Pen.Color = DarkerColor(face, 20);
    canvas.MoveTo(r.Left, r.Bottom - 2);
    canvas.LineTo(r.Right - 1, r.Bottom - 2);
    canvas.LineTo(r.Right - 1, r.Top + 2);
    line(DarkerColor(face, 30), r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    fill({r.Left, r.Top + 3, r.Right - 2, r.Bottom - 3}, face);
    return r;
}

TRect TFcButton::PaintClassic(TFcCanvas& canvas, TRect r, bool focusedOrDefault)
{
    if (groupIndex_ == 0 && (focusedOrDefault || clickInProgress_))
        r = DrawSides(canvas, r, clWindowFrame, clWindowFrame, kAllSides);
    const bool lowered = PressedLook();
    if (Color() == clBtnFace) {
        if (groupIndex_ == 0)
            return DrawButtonBorder(canvas, r, Pressed());
        return DrawBorder(canvas, r, lowered ? fsLowered : fsButtonUp);
    }
    if (groupIndex_ == 0)
        return DrawColorButtonBorder(canvas, r, Color(), Pressed());
    return lowered ? DrawColorBorder(canvas, r, Color(), fsLowered)
                   : DrawColorButtonBorder(canvas, r, Color(), false);
}

void TFcButton::Paint(TFcCanvas& canvas)
{
    TRect r{0, 0, width(), height()};
    const bool themed = VisualStylesEnabled();
    TRect focusRect = r.Inflated(HotTrack() || themed ? -3 : -4, HotTrack() || themed ? -3 : -4);
    if (groupIndex_ != 0 && PressedLook())
        focusRect = focusRect.Moved(1, 1);
    const bool focusedOrDefault = groupIndex_ == 0 && (active_ || hasFocus()) && !Pressed();

    if (themed)
        PaintStyled(canvas, r, focusedOrDefault);
    else if (HotTrack())
        r = PaintHotTrack(canvas, r, focusedOrDefault);
    else
        r = PaintClassic(canvas, r, focusedOrDefault);

    if (groupIndex_ != 0 && state_ == bsExclusive && showDownPattern_) {
        CreateBrushPattern(canvas.Brush);
        canvas.FillRect(r);
    }
    PrepareCanvas(canvas);
    DrawButtonFace(canvas);
    if (hasFocus() && showFocusRect_)
        DrawFocusBorder(canvas, focusRect);
}

}  // namespace tw::controls
