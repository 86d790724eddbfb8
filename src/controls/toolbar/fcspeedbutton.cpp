#include "controls/toolbar/fcspeedbutton.h"
#include "controls/foundation/fccommon.h"
#include "controls/panels/fcframes.h"
#include "controls/toolbar/fclatch.h"
#include <QDateTime>
#include <QFontMetrics>
#include <QAction>
#include <QMouseEvent>
#include <QScreen>
namespace tw::controls {
TFcSpeedButton::TFcSpeedButton(QWidget* parent) : TFcControl(parent)
{
    SetTransparent(true);
    setFocusPolicy(Qt::NoFocus);
    resize(23, 22);
}

void TFcSpeedButton::SetFlat(bool value)
{
    if (StoreChanged(flat_, value))
        update();
}

void TFcSpeedButton::SetDown(bool value)
{
    if (!LatchChangeAllowed(groupIndex_, allowAllUp_, down_, value))
        return;
    down_ = value;
    if (value)
        BroadcastGroupNotice(this, groupIndex_);
    repaint();
}

void TFcSpeedButton::SetGroupIndex(int value)
{
    if (StoreChanged(groupIndex_, value))
        BroadcastGroupNotice(this, groupIndex_);
}

void TFcSpeedButton::SetAllowAllUp(bool value)
{
    if (StoreChanged(allowAllUp_, value))
        BroadcastGroupNotice(this, groupIndex_);
}

void TFcSpeedButton::GroupNotice(int group, TFcControl* sender)
{
    // Speed buttons group only with speed buttons.
    if (ReleaseForSibling(qobject_cast<TFcSpeedButton*>(sender), group, groupIndex_, down_, allowAllUp_))
        repaint();
}

void TFcSpeedButton::SetGlyph(const QImage& value)
{
    glyph_ = value;
    if (!glyph_.isNull() && glyph_.height() > 0 && glyph_.width() % glyph_.height() == 0)
        numGlyphs_ = std::clamp(glyph_.width() / glyph_.height(), 1, 4);
    update();
}

void TFcSpeedButton::SetNumGlyphs(int value)
{
    if (StoreChanged(numGlyphs_, std::clamp(value, 1, 4)))
        update();
}

void TFcSpeedButton::SetLayout(TButtonLayout value)
{
    if (StoreChanged(layout_, value))
        update();
}

void TFcSpeedButton::SetMargin(int value)
{
    if (StoreChanged(margin_, value))
        update();
}

void TFcSpeedButton::MouseEnter()
{
    TFcControl::MouseEnter();
    update();
}

void TFcSpeedButton::MouseLeave()
{
    TFcControl::MouseLeave();
    update();
}

void TFcSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    pressed_ = true;
    dragging_ = true;
    repaint();
}

void TFcSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside != pressed_) {
            pressed_ = inside;
            update();
        }
    }
    TFcControl::mouseMoveEvent(event);
}

void TFcSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    dragging_ = false;
    pressed_ = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside && groupIndex_ != 0)
        SetDown(!down_);
    update();
    if (inside)
        Click();
}

void TFcSpeedButton::Paint(TFcCanvas& canvas)
{
    const TRect face = FaceRect();
    const bool sunk = pressed_ || down_;
    const bool hot = MouseInControl() && isEnabled();
    if (!flat_)
        DrawBorder(canvas, {0, 0, width(), height()}, sunk ? fsLowered : fsButtonUp);
    else if (sunk)
        DrawBorder(canvas, {0, 0, width(), height()}, fsStatus);
    else if (hot)
        DrawBorder(canvas, {0, 0, width(), height()}, fsPopup);
    if (down_ && !pressed_ && !hot) {
        canvas.Brush = LatchedPatternBrush();
        canvas.FillRect({1, 1, width() - 1, height() - 1});
        canvas.Brush = TFcBrush{};
    }
    // The glyph cell for the look: up, disabled, clicked, down.
    int cell = 0;
    if (!isEnabled() && numGlyphs_ > 1)
        cell = 1;
    else if (pressed_ && numGlyphs_ > 2)
        cell = 2;
    else if (down_ && numGlyphs_ > 3)
        cell = 3;
    const int cw = glyph_.isNull() ? 0 : glyph_.width() / numGlyphs_;
    const int gh = glyph_.isNull() ? 0 : glyph_.height();
    const QString text = StripAccelerator(Caption());
    const QFontMetrics fm(font());
    const int tw = text.isEmpty() ? 0 : fm.horizontalAdvance(text);
    const int th = text.isEmpty() ? 0 : fm.height();
    const int spacing = (cw > 0 && tw > 0) ? 4 : 0;
    const int shift = sunk ? 1 : 0;
    int gx = 0, gy = 0, tx = 0, ty = 0;
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
        const int total = cw + spacing + tw;
        const int left = margin_ >= 0 ? face.Left + margin_ : face.Left + (face.Width() - total) / 2;
        gy = face.Top + (face.Height() - gh) / 2;
        ty = face.Top + (face.Height() - th) / 2;
        if (layout_ == blGlyphLeft) {
            gx = left;
            tx = left + cw + spacing;
        } else {
            tx = left;
            gx = left + tw + spacing;
        }
    } else {
        const int total = gh + spacing + th;
        const int top = margin_ >= 0 ? face.Top + margin_ : face.Top + (face.Height() - total) / 2;
        gx = face.Left + (face.Width() - cw) / 2;
        tx = face.Left + (face.Width() - tw) / 2;
        if (layout_ == blGlyphTop) {
            gy = top;
            ty = top + gh + spacing;
        } else {
            ty = top;
            gy = top + th + spacing;
        }
    }
    if (cw > 0)
        canvas.CopyRect({gx + shift, gy + shift, gx + shift + cw, gy + shift + gh}, glyph_,
                        {cell * cw, 0, cell * cw + cw, gh});
    if (!text.isEmpty()) {
        canvas.Font = font();
        canvas.BkMode = TBkMode::Transparent;
        canvas.FontColor = isEnabled() ? FontColor() : clBtnShadow;
        canvas.TextAlign = TA_LEFT | TA_TOP;
        canvas.TextOut(tx + shift, ty + shift, text);
    }
}

TFcToolbarButton::TFcToolbarButton(QWidget* parent) : TFcSpeedButton(parent) {}

void TFcToolbarButton::SetHotGlyph(const QImage& value)
{
    hotGlyph_ = value;
    useHotGlyph_ = true;
    if (hotGlyph_.height() != 0 && hotGlyph_.width() % hotGlyph_.height() == 0)
        SetHotNumGlyphs(hotGlyph_.width() / hotGlyph_.height());
    update();
}

void TFcToolbarButton::SetHotNumGlyphs(int value)
{
    if (StoreChanged(hotNumGlyphs_, std::clamp(value, 1, 4)))
        update();
}

void TFcToolbarButton::SetButtonCaption(const QString& text)
{
    if (showCaption_)
        SetCaption(text);
    else
        // Hidden: the new text is what comes back when the caption is shown.
        savedCaption_ = text;
}

void TFcToolbarButton::SetShowCaption(bool value)
{
    if (!StoreChanged(showCaption_, value))
        return;
    if (value) {
        SetCaption(savedCaption_);
    } else {
        savedCaption_ = Caption();
        SetCaption(QString());
    }
    update();
}

bool TFcToolbarButton::DialogChar(QChar character, Qt::KeyboardModifiers modifiers)
{
    const QString caption = showCaption_ ? Caption() : savedCaption_;
    if (IsAccel(character, caption) && isEnabled() && isVisible()) {
        if (GroupIndex() > 0)
            SetDown(!Down());
        Click();
        return true;
    }
    return TFcSpeedButton::DialogChar(character, modifiers);
}

void TFcToolbarButton::MouseEnter()
{
    TFcSpeedButton::MouseEnter();
    if (useHotGlyph_ && isEnabled()) {
        if (!hotShown_) {
            hotShown_ = true;
            savedGlyph_ = Glyph();
            savedNumGlyphs_ = NumGlyphs();
            SetGlyph(hotGlyph_);
            SetNumGlyphs(hotNumGlyphs_);
        } else {
            hotShown_ = false;
        }
        repaint();
    }
}

void TFcToolbarButton::MouseLeave()
{
    TFcSpeedButton::MouseLeave();
    if (useHotGlyph_ && isEnabled()) {
        if (savedNumGlyphs_ != 0) {
            SetGlyph(savedGlyph_);
            SetNumGlyphs(savedNumGlyphs_);
            savedNumGlyphs_ = 0;
        }
        hotShown_ = false;
        repaint();
    }
}

void TFcToolbarButton::mousePressEvent(QMouseEvent* event)
{
    TFcSpeedButton::mousePressEvent(event);
    if (useHotGlyph_)
        hotShown_ = true;
}

TFcMenuToolbarButton::TFcMenuToolbarButton(QWidget* parent) : TFcToolbarButton(parent)
{
    resize(40, height());
    SetMargin(2);
    Popup = [](QMenu* menu, QPoint at) { menu->exec(at); };
}

void TFcMenuToolbarButton::SetShowArrow(bool value)
{
    if (StoreChanged(showArrow_, value))
        update();
}

TRect TFcMenuToolbarButton::FaceRect() const
{
    TRect r{0, 0, width(), height()};
    if (showArrow_)
        r.Right -= kArrowWidth;
    return r;
}

void TFcMenuToolbarButton::DoDropDown()
{
    if (!menu_)
        return;
    if (OnDropDown)
        OnDropDown(menu_);
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QSize size = menu_->sizeHint();
    if (QScreen* s = screen(); s && at.x() + size.width() > s->availableGeometry().right())
        at.setX(mapToGlobal(QPoint(width(), 0)).x() - size.width());
    Popup(menu_, at);
    lastDropTime_ = QDateTime::currentMSecsSinceEpoch();
    if (GroupIndex() > 0 && !Down())
        Click();
}

void TFcMenuToolbarButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && menu_ && isEnabled() &&
        (!showArrow_ || p.x() >= width() - kArrowWidth)) {
        // The press that closed the menu does not drop it again.
        if (QDateTime::currentMSecsSinceEpoch() - lastDropTime_ < 100) {
            lastDropTime_ = 0;
            return;
        }
        swallowClick_ = true;
        DoDropDown();
        return;
    }
    TFcToolbarButton::mousePressEvent(event);
}

void TFcMenuToolbarButton::Click()
{
    if (swallowClick_) {
        swallowClick_ = false;
        return;
    }
    TFcToolbarButton::Click();
}

void TFcMenuToolbarButton::Paint(TFcCanvas& canvas)
{
    TFcToolbarButton::Paint(canvas);
    if (!showArrow_)
        return;
    const bool down = Pressed() || Down();
    if ((MouseInControl() && isEnabled()) || !Flat()) {
        const int x = width() - kArrowWidth + (down ? 1 : 0);
        if (!down) {
            canvas.Pen = TFcPen{clBtnHighlight};
            canvas.MoveTo(x, 0);
            canvas.LineTo(x, height());
        }
        canvas.Pen = TFcPen{clBtnShadow};
        canvas.MoveTo(x - 1, 0);
        canvas.LineTo(x - 1, height());
    }
    const TColor c = isEnabled() ? clWindowText : clBtnShadow;
    const int x = width() - 8 + (down ? 1 : 0);
    const int y = height() / 2 + 2 + (down ? 1 : 0);
    canvas.Pen = TFcPen{c};
    canvas.Brush = TFcBrush{c};
    canvas.Polygon({{x, y}, {x - 3, y - 3}, {x + 3, y - 3}});
}
}  // namespace tw::controls

namespace tw::controls {
void TFcSpeedButton::ActionChange(QAction* action)
{
    TFcControl::ActionChange(action);
    if (action && action->isCheckable())
        SetDown(action->isChecked());
}
}  // namespace tw::controls
