#include "controls/toolbar/fctoolbutton.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/panels/fcframes.h"
#include "controls/toolbar/fclatch.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbaraccessible.h"
#include <QDateTime>
#include <QFontMetrics>
#include <QAction>
#include <QMouseEvent>
#include <QScreen>
namespace tw::controls {
namespace {
// A press this soon after the menu closed is the press that closed it.
constexpr qint64 kRepressMs = 100;
qint64 lastMenuClose = 0;

QImage Disabled(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = out.pixel(x, y);
            const int g = 128 + qGray(p) / 2;
            out.setPixel(x, y, qRgba(g, g, g, qAlpha(p)));
        }
    return out;
}
}  // namespace

TFcToolButton::TFcToolButton(QWidget* parent) : TFcControl(parent)
{
    RegisterToolbarAccessibility();
    SetTransparent(true);
    resize(25, 25);
    setMouseTracking(true);
    Popup = [](QMenu* menu, QPoint at) { menu->exec(at); };
    PickupToolbarStyles();
}

TFcToolbar* TFcToolButton::Toolbar() const
{
    return qobject_cast<TFcToolbar*>(parentWidget());
}

TFcImageList* TFcToolButton::ImageList() const
{
    if (images_)
        return images_;
    return Toolbar() ? Toolbar()->Images() : nullptr;
}

void TFcToolButton::SetAllowAllUp(bool value)
{
    if (StoreChanged(allowAllUp_, value))
        BroadcastGroupNotice(this, groupIndex_);
}

void TFcToolButton::SetDown(bool value)
{
    if (!LatchChangeAllowed(groupIndex_, allowAllUp_, down_, value))
        return;
    down_ = value;
    UpdateStateFromDown();
    if (value)
        BroadcastGroupNotice(this, groupIndex_);
    repaint();
}

void TFcToolButton::SetGroupIndex(int value)
{
    if (StoreChanged(groupIndex_, value))
        BroadcastGroupNotice(this, groupIndex_);
}

void TFcToolButton::GroupNotice(int group, TFcControl* sender)
{
    if (ReleaseForSibling(qobject_cast<TFcToolButton*>(sender), group, groupIndex_, down_, allowAllUp_)) {
        UpdateStateFromDown();
        repaint();
    }
}

void TFcToolButton::UpdateStateFromDown()
{
    if (!isEnabled())
        state_ = tbsDisabled;
    else
        state_ = down_ ? tbsExclusive : tbsUp;
}

#define TW_TOOLBUTTON_SETTER(Name, member, type)                                                           \
    void TFcToolButton::Set##Name(type value)                                                              \
    {                                                                                                      \
        if (StoreChanged(member, value))                                                                   \
            update();                                                                                      \
    }
TW_TOOLBUTTON_SETTER(Flat, flat_, bool)
TW_TOOLBUTTON_SETTER(ImageIndex, imageIndex_, int)
TW_TOOLBUTTON_SETTER(HotIndex, hotIndex_, int)
TW_TOOLBUTTON_SETTER(DownIndex, downIndex_, int)
TW_TOOLBUTTON_SETTER(DisabledIndex, disabledIndex_, int)
#undef TW_TOOLBUTTON_SETTER

void TFcToolButton::SetImages(TFcImageList* value)
{
    images_ = value;
    update();
}

void TFcToolButton::SetToolStyle(TFcToolStyle value)
{
    if (!StoreChanged(toolStyle_, value))
        return;
    ToolbarSizeChanged();
    update();
}

void TFcToolButton::SetLayout(TButtonLayout value)
{
    if (!settingFromToolbar_)
        useLayout_ = false;
    if (StoreChanged(layout_, value))
        update();
    if (!settingFromToolbar_)
        PickupToolbarStyles();
}

void TFcToolButton::SetShowCaption(bool value)
{
    if (!settingFromToolbar_)
        useCaption_ = false;
    if (StoreChanged(showCaption_, value))
        update();
}

void TFcToolButton::SetButtonSize(int width, int height)
{
    useSize_ = false;
    resize(width, height);
}

void TFcToolButton::SetUseToolbarButtonLayout(bool value)
{
    useLayout_ = value;
    if (value)
        ToolbarLayoutChanged();
}
void TFcToolButton::SetUseToolbarButtonSize(bool value)
{
    useSize_ = value;
    if (value)
        ToolbarSizeChanged();
}
void TFcToolButton::SetUseToolbarShowCaption(bool value)
{
    useCaption_ = value;
    if (value)
        ToolbarCaptionsChanged();
}

void TFcToolButton::ToolbarLayoutChanged()
{
    TFcToolbar* bar = Toolbar();
    if (!useLayout_ || !bar)
        return;
    settingFromToolbar_ = true;
    SetLayout(bar->ButtonLayout());
    settingFromToolbar_ = false;
}

void TFcToolButton::ToolbarCaptionsChanged()
{
    TFcToolbar* bar = Toolbar();
    if (!useCaption_ || !bar)
        return;
    settingFromToolbar_ = true;
    SetShowCaption(bar->ShowButtonCaptions());
    settingFromToolbar_ = false;
}

void TFcToolButton::ToolbarSizeChanged()
{
    TFcToolbar* bar = Toolbar();
    if (!useSize_ || !bar)
        return;
    int w = bar->ButtonWidth();
    if (showCaption_) {
        const int text = QFontMetrics(font()).horizontalAdvance(StripAccelerator(Caption()));
        if (layout_ == blGlyphTop || layout_ == blGlyphBottom)
            w = std::max(w, text + 8);
        else
            w = std::max(w, GetCaptionRect().Left + text + 12);
    }
    if (toolStyle_ == tsDropDown)
        w += kArrowWidth;
    resize(w, bar->ButtonHeight());
}

void TFcToolButton::PickupToolbarStyles()
{
    if (!parentWidget())
        return;
    ToolbarCaptionsChanged();
    ToolbarLayoutChanged();
    ToolbarSizeChanged();
}

void TFcToolButton::EnabledChanged()
{
    dragging_ = false;
    UpdateStateFromDown();
    update();
}

void TFcToolButton::MouseEnter()
{
    TFcControl::MouseEnter();
    update();
}

void TFcToolButton::MouseLeave()
{
    TFcControl::MouseLeave();
    update();
}

void TFcToolButton::DoDropDown()
{
    if (!menu_ || menu_->actions().isEmpty())
        return;
    state_ = tbsDropped;
    repaint();
    if (OnDropDown)
        OnDropDown(menu_);
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QSize size = menu_->sizeHint();
    if (QScreen* s = screen(); s && at.x() + size.width() > s->availableGeometry().right())
        at.setX(mapToGlobal(QPoint(width(), 0)).x() - size.width());
    Popup(menu_, at);
    clickAllowed_ = false;
    lastMenuClose = QDateTime::currentMSecsSinceEpoch();
    UpdateStateFromDown();
    if (groupIndex_ != 0 && !down_)
        Click();
}

void TFcToolButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return TFcControl::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    if (toolStyle_ == tsDropDown && menu_ && event->modifiers() == Qt::NoModifier &&
        (p.x() >= width() - kArrowWidth || !IsSplit())) {
        if (QDateTime::currentMSecsSinceEpoch() - lastMenuClose < kRepressMs) {
            clickAllowed_ = true;
            lastMenuClose = 0;
            return;
        }
        DoDropDown();
        return;
    }
    if (toolStyle_ == tsDropDown && !clickAllowed_) {
        clickAllowed_ = true;
        return;
    }
    if (!down_ || state_ == tbsExclusive) {
        state_ = tbsDown;
        update();
    }
    dragging_ = true;
}

void TFcToolButton::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) {
        const bool inside = rect().contains(event->position().toPoint());
        const TFcToolButtonState s = inside ? tbsDown : (down_ ? tbsExclusive : tbsUp);
        if (s != state_) {
            state_ = s;
            update();
        }
    }
    TFcControl::mouseMoveEvent(event);
}

void TFcToolButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (toolStyle_ == tsDropDown && !inside)
        clickAllowed_ = true;
    if (!dragging_)
        return TFcControl::mouseReleaseEvent(event);
    dragging_ = false;
    if (groupIndex_ == 0) {
        state_ = tbsUp;
        update();
    } else if (inside) {
        SetDown(!down_);
        UpdateStateFromDown();
        update();
    } else {
        UpdateStateFromDown();
        update();
    }
    if (inside)
        Click();
}

void TFcToolButton::Click()
{
    if (toolStyle_ == tsDropDown && !clickAllowed_)
        return;
    TFcControl::Click();
}

TRect TFcToolButton::GetImageRect() const
{
    TRect r{0, 0, width(), height()};
    if (toolStyle_ == tsDropDown)
        r.Right -= kArrowWidth;
    r = r.Inflated(-2, -2);
    const TFcImageList* list = ImageList();
    const int w = list ? list->Width() : 0;
    const int h = list ? list->Height() : 0;
    const int th = showCaption_ ? QFontMetrics(font()).height() : 0;
    TRect img;
    switch (layout_) {
    case blGlyphLeft: img = {r.Left + 2, r.Top + (r.Height() - h) / 2, 0, 0}; break;
    case blGlyphRight: img = {r.Right - w - 2, r.Top + (r.Height() - h) / 2, 0, 0}; break;
    case blGlyphTop: img = {r.Left + (r.Width() - w) / 2, (height() - (h + th + 4)) / 2, 0, 0}; break;
    case blGlyphBottom:
        img = {r.Left + (r.Width() - w) / 2, r.Top + (height() - (h + th + 4)) / 2 + th, 0, 0};
        break;
    }
    img.Right = img.Left + w;
    img.Bottom = img.Top + h;
    if (state_ == tbsDown || state_ == tbsExclusive || (state_ == tbsDropped && !IsSplit()))
        img = img.Moved(1, 1);
    return img;
}

TRect TFcToolButton::GetCaptionRect() const
{
    TRect r{0, 0, width(), height()};
    if (toolStyle_ == tsDropDown)
        r.Right -= kArrowWidth;
    r = r.Inflated(-2, -2);
    const TFcImageList* list = ImageList();
    const int w = list ? list->Width() : 0;
    const int h = list ? list->Height() : 0;
    const int th = QFontMetrics(font()).height();
    TRect c = r;
    if (imageIndex_ >= 0) {
        switch (layout_) {
        case blGlyphLeft: c.Left = r.Left + w + 4; break;
        case blGlyphRight: c.Right = r.Right - w - 4; break;
        case blGlyphTop:
            c.Top = (height() - (h + th + 4)) / 2 + h;
            c.Bottom = c.Top + th + 4;
            break;
        case blGlyphBottom:
            c.Top = r.Top + (height() - (h + th + 4)) / 2;
            c.Bottom = c.Top + th;
            break;
        }
    }
    if (state_ == tbsDown || state_ == tbsExclusive || (state_ == tbsDropped && !IsSplit()))
        c = c.Moved(1, 1);
    return c;
}

void TFcToolButton::DrawBorder(TFcCanvas& canvas)
{
    const bool pressed = state_ == tbsDown || state_ == tbsExclusive;
    const bool hot = pressed || (MouseInControl() && isEnabled()) || state_ == tbsDropped;
    TRect r{0, 0, width(), height()};
    if (flat_) {
        if (hot)
            tw::controls::DrawBorder(canvas, r, pressed ? fsStatus : fsPopup);
    } else {
        tw::controls::DrawBorder(canvas, r, pressed ? fsLowered : fsButtonUp);
    }
}

void TFcToolButton::DrawArrow(TFcCanvas& canvas)
{
    const bool pressed = state_ == tbsDown || state_ == tbsExclusive;
    const bool hot = pressed || (MouseInControl() && isEnabled()) || state_ == tbsDropped;
    if (IsSplit()) {
        const int x = width() - kArrowWidth + (pressed ? 1 : 0);
        if (hot && state_ != tbsDropped) {
            canvas.Pen = TFcPen{clBtnHighlight};
            canvas.MoveTo(x, 1);
            canvas.LineTo(x, height() - 1);
            canvas.Pen.Color = clBtnShadow;
            canvas.MoveTo(x - 1, 1);
            canvas.LineTo(x - 1, height() - 1);
        }
        if (state_ == tbsDropped)
            tw::controls::DrawBorder(canvas, {width() - kArrowWidth, 0, width(), height()}, fsStatus);
    }
    const int shift = pressed ? 1 : 0;
    const int x = width() - 8 + shift;
    const int y = height() / 2 + 2 + shift;
    const TColor c = isEnabled() ? clWindowText : clBtnShadow;
    canvas.Pen = TFcPen{c};
    canvas.Brush = TFcBrush{c};
    canvas.Polygon({{x, y}, {x - 2, y - 2}, {x + 2, y - 2}});
}

void TFcToolButton::Paint(TFcCanvas& canvas)
{
    if (!isEnabled())
        state_ = tbsDisabled;
    DrawBorder(canvas);
    const bool flatHot = flat_ && MouseInControl();
    if (state_ == tbsExclusive && !flatHot) {
        // The latched look: a checkerboard of face and highlight.
        const TRect face = TRect{0, 0, width(), height()}.Inflated(-1, -1);
        canvas.Brush = LatchedPatternBrush();
        canvas.BkMode = TBkMode::Opaque;
        canvas.FillRect(face);
        canvas.Brush = TFcBrush{};
        DrawBorder(canvas);
    }
    if (toolStyle_ == tsDropDown)
        DrawArrow(canvas);
    const TFcImageList* list = ImageList();
    if (list && imageIndex_ >= 0) {
        int index = imageIndex_;
        bool disabledLook = false;
        if (state_ == tbsDown || state_ == tbsExclusive || (state_ == tbsDropped && !IsSplit())) {
            if (downIndex_ >= 0)
                index = downIndex_;
        } else if (!isEnabled()) {
            if (disabledIndex_ >= 0)
                index = disabledIndex_;
            else
                disabledLook = true;
        } else if (MouseInControl() && hotIndex_ >= 0) {
            index = hotIndex_;
        }
        if (index >= 0 && index < list->Count()) {
            const TRect r = GetImageRect();
            canvas.Draw(r.Left, r.Top, disabledLook ? Disabled(list->Image(index)) : list->Image(index));
        }
    }
    if (showCaption_) {
        TRect r = GetCaptionRect();
        canvas.Font = font();
        canvas.BkMode = TBkMode::Transparent;
        const QString text = StripAccelerator(Caption());
        const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        if (!isEnabled()) {
            canvas.FontColor = clBtnShadow;
        } else {
            canvas.FontColor = state_ == tbsDown ? clHighlightText : FontColor();
        }
        canvas.DrawText(text, r, flags);
    }
}
}  // namespace tw::controls

namespace tw::controls {
void TFcToolButton::ActionChange(QAction* action)
{
    TFcControl::ActionChange(action);
    if (action && action->isCheckable())
        SetDown(action->isChecked());
}
}  // namespace tw::controls
