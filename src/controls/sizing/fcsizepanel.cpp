#include "controls/sizing/fcsizepanel.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/sizing/fcsizingaccessible.h"
#include "controls/status/fcstatusgeometry.h"

#include <QMouseEvent>

#include <algorithm>

namespace tw::controls {

TFcCustomSizePanel::TFcCustomSizePanel(QWidget* parent) : TFcCustomPanel(parent)
{
    RegisterSizingAccessible();
    SetBorderOuter(fsNone);
    setMouseTracking(true);
    SetAlign(alLeft);
}

TFcCustomSizePanel::~TFcCustomSizePanel()
{
    delete outline_;
}

void TFcCustomSizePanel::SetAlign(TAlign value)
{
    if (Align() == value)
        return;
    TFcCustomPanel::SetAlign(this, value);
    Realign();
    update();
}

void TFcCustomSizePanel::SetSizeBarWidth(int value)
{
    value = std::clamp(value, 0, 1000);
    if (sizeBarWidth_ == value)
        return;
    sizeBarWidth_ = value;
    Realign();
    update();
}

void TFcCustomSizePanel::SetSizeBarStyle(TSplitterStyle value)
{
    if (sizeBarStyle_ == value)
        return;
    sizeBarStyle_ = value;
    if (value != ssStandard && sizeBarWidth_ < 6)
        SetSizeBarWidth(6);
    update();
}

void TFcCustomSizePanel::SetHotSpotVisible(bool value)
{
    if (hotSpotVisible_ == value)
        return;
    hotSpotVisible_ = value;
    if (!value)
        hotSpotClosed_ = false;
    else if (sizeBarWidth_ < 7)
        SetSizeBarWidth(7);
    update();
}

void TFcCustomSizePanel::SetHotSpotHighlight(TColor value)
{
    if (hotSpotHighlight_ == value)
        return;
    hotSpotHighlight_ = value;
    update();
}

void TFcCustomSizePanel::SetHotSpotSizePercent(int value)
{
    if (hotSpotSizePercent_ == value)
        return;
    hotSpotSizePercent_ = value;
    update();
}

void TFcCustomSizePanel::SetDockSite(bool value)
{
    if (dockSite_ == value)
        return;
    dockSite_ = value;
    update();
}

void TFcCustomSizePanel::SetMarginMin(int value)
{
    marginMin_ = std::max(0, value);
    // Without a parent there is no free area to share out yet.
    if (parentWidget()) {
        const int extent = GetMarginExtent();
        if (marginMin_ + marginMax_ > extent)
            marginMin_ = extent - marginMax_;
    }
}

void TFcCustomSizePanel::SetMarginMax(int value)
{
    marginMax_ = std::max(0, value);
    if (parentWidget()) {
        const int extent = GetMarginExtent();
        if (marginMin_ + marginMax_ > extent)
            marginMax_ = extent - marginMin_;
    }
}

TRect TFcCustomSizePanel::GetSizeBarRect() const
{
    return SizeBarRect(Align(), width(), height(), sizeBarWidth_, dockSite_);
}

TRect TFcCustomSizePanel::GetParentWorkingRect() const
{
    QWidget* parent = parentWidget();
    if (!parent)
        throw EFcError("No parent specified");
    TRect client{0, 0, parent->width(), parent->height()};
    if (const auto* panel = qobject_cast<const TFcCustomPanel*>(parent))
        client = panel->ClientAreaForChildren();
    std::vector<TFcAlignItem> items;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRect g = child->geometry();
        items.push_back({TFcCustomPanel::Align(child), {g.left(), g.top(), g.right() + 1, g.bottom() + 1},
                         !child->isHidden()});
    }
    return ParentWorkingRect(client, items);
}

int TFcCustomSizePanel::GetMarginExtent() const
{
    return MarginExtent(Align(), GetParentWorkingRect(), Box());
}

void TFcCustomSizePanel::CheckPosition(int& p) const
{
    p = SizePanelCheckPosition(Align(), p, GetParentWorkingRect(), Box(), marginMin_, marginMax_, sizeBarWidth_);
}

TRect TFcCustomSizePanel::ClientAreaForChildren() const
{
    TRect r = TFcCustomPanel::ClientAreaForChildren();
    const int d = sizeBarWidth_ + 1;
    switch (Align()) {
    case alTop: r.Bottom -= d; break;
    case alBottom: r.Top += d; break;
    case alLeft: r.Right -= d; break;
    case alRight: r.Left += d; break;
    default: break;
    }
    return r;
}

TRect TFcCustomSizePanel::FramedRect() const
{
    TRect r{0, 0, width(), height()};
    switch (Align()) {
    case alTop: r.Bottom -= sizeBarWidth_; break;
    case alBottom: r.Top += sizeBarWidth_; break;
    case alLeft: r.Right -= sizeBarWidth_; break;
    case alRight: r.Left += sizeBarWidth_; break;
    default: break;
    }
    return r;
}

void TFcCustomSizePanel::SetExtent(int extent)
{
    extent = std::max(0, extent);
    if (LyingBar(Align()))
        resize(width(), extent);
    else
        resize(extent, height());
    if (auto* panel = qobject_cast<TFcCustomPanel*>(parentWidget()))
        panel->Realign();
}

void TFcCustomSizePanel::CloseHotSpot()
{
    if (hotSpotClosed_)
        return;
    GetParentWorkingRect();  // a panel without a parent cannot collapse
    hotSpotClosed_ = true;
    hotSpotPosition_ = LyingBar(Align()) ? height() : width();
    SetExtent(marginMin_ + sizeBarWidth_ + 1);
    update();
}

void TFcCustomSizePanel::RestoreHotSpot()
{
    if (!hotSpotClosed_)
        return;
    GetParentWorkingRect();
    hotSpotClosed_ = false;
    if (Align() == alTop || Align() == alLeft)
        CheckPosition(hotSpotPosition_);
    SetExtent(hotSpotPosition_);
    update();
}

void TFcCustomSizePanel::ToggleHotSpot()
{
    hotSpotClosed_ = !hotSpotClosed_;
    if (hotSpotClosed_) {
        hotSpotPosition_ = LyingBar(Align()) ? height() : width();
        SetExtent(hotSpotIgnoreMargins_ ? sizeBarWidth_ + 1 : marginMin_ + sizeBarWidth_ + 1);
    } else {
        if (Align() == alTop || Align() == alLeft)
            CheckPosition(hotSpotPosition_);
        SetExtent(hotSpotPosition_);
    }
    HotSpotClick();
    update();
}

void TFcCustomSizePanel::ClickHotSpot()
{
    if (hotSpotVisible_ && parentWidget())
        ToggleHotSpot();
}

void TFcCustomSizePanel::HotSpotClick()
{
    if (OnHotSpotClick)
        OnHotSpotClick(this);
}

void TFcCustomSizePanel::Paint(TFcCanvas& canvas)
{
    // The panel's frames and fill, inside the bar.
    const TRect r = DrawFrames(canvas, FramedRect(), Frames(), FrameColors());
    if (!Transparent()) {
        canvas.Brush.Color = Color();
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.FillRect(r);
    }
    if (ShowGrid())
        DrawGrid(canvas, r);
    canvas.Brush.Style = TBrushStyle::Clear;
    DrawCaption(canvas, r);
    canvas.Brush.Style = TBrushStyle::Solid;
    DrawSizeBar(canvas);
}

void TFcCustomSizePanel::DrawSizeBar(TFcCanvas& canvas)
{
    const TRect bar = GetSizeBarRect();
    if (bar.IsEmpty())
        return;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = Color();
    canvas.FillRect(bar);
    const bool standing = !LyingBar(Align());
    DrawSplitBarStyle(canvas, bar, standing, sizeBarStyle_, Color());
    if (!hotSpotVisible_)
        return;
    THotSpotLook look;
    look.StandingBar = standing;
    look.HighlightColor = hotSpotHighlight_;
    look.Fill = hotSpotHover_ ? hfWhole : hfPlain;
    // Toward the minimum (left or up) for a left or top panel that is open
    // and for a right or bottom one that is collapsed.
    const bool nearEdge = Align() == alLeft || Align() == alTop;
    look.FirstTowardMin = look.SecondTowardMin = nearEdge != hotSpotClosed_;
    DrawHotSpot(canvas, HotSpotBounds(), look);
}

void TFcCustomSizePanel::DrawMask(int p)
{
    if (realTimeDrag_ || !outline_)
        return;
    const TRect bar = GetSizeBarRect();
    QPoint at;
    switch (Align()) {
    case alTop: at = {0, p - sizeBarWidth_}; break;
    case alBottom: at = {0, p + 1}; break;
    case alLeft: at = {p - sizeBarWidth_, 0}; break;
    case alRight: at = {p + 1, 0}; break;
    default: break;
    }
    at = mapToParent(at);
    outline_->ShowAt({at.x(), at.y(), at.x() + bar.Width(), at.y() + bar.Height()});
}

bool TFcCustomSizePanel::InRect(const TRect& r, const QPoint& p) const
{
    return RectContains(r, p.x(), p.y());
}

void TFcCustomSizePanel::mousePressEvent(QMouseEvent* event)
{
    TFcCustomPanel::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !parentWidget() || !InRect(GetSizeBarRect(), p))
        return;
    const bool onHotSpot = hotSpotVisible_ && InRect(HotSpotBounds(), p);
    if (!onHotSpot && lockBar_)
        return;
    event->accept();
    dragging_ = true;
    hotSpotPressed_ = onHotSpot;
    dragOffset_ = LyingBar(Align()) ? p.y() - height() / 2 : p.x() - width() / 2;
    pressBox_ = Box();
    dragStart_ = SizePanelStartPosition(Align(), pressBox_);
    if (!realTimeDrag_) {
        delete outline_;
        outline_ = new TFcSplitOutline(parentWidget());
    }
    DrawMask(dragStart_);
    lastMask_ = dragStart_;
}

void TFcCustomSizePanel::mouseMoveEvent(QMouseEvent* event)
{
    TFcCustomPanel::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    if (!dragging_) {
        const bool inHot = hotSpotVisible_ && InRect(HotSpotBounds(), p);
        if (inHot != hotSpotHover_) {
            hotSpotHover_ = inHot;
            update();
        }
        if (InRect(GetSizeBarRect(), p) && !lockBar_)
            setCursor(SplitCursor(!LyingBar(Align()), inHot));
        else
            unsetCursor();
        return;
    }
    if (hotSpotPressed_ && lockBar_)
        return;
    const int remembered = LyingBar(Align()) ? pressBox_.Height : pressBox_.Width;
    int next = AlongAxis(p) + dragStart_ - remembered / 2 - dragOffset_;
    CheckPosition(next);
    if (next == lastMask_)
        return;
    const bool grows = (Align() == alTop || Align() == alLeft) ? next > lastMask_ : next < lastMask_;
    if (grows)
        hotSpotClosed_ = false;
    hotSpotPressed_ = false;
    DrawMask(next);
    if (realTimeDrag_)
        SetExtent(SizePanelExtent(Align(), next, dragStart_, Box(), true));
    lastMask_ = next;
}

void TFcCustomSizePanel::mouseReleaseEvent(QMouseEvent* event)
{
    TFcCustomPanel::mouseReleaseEvent(event);
    if (!((dragging_ && event->button() == Qt::LeftButton) || hotSpotPressed_))
        return;
    dragging_ = false;
    if (!realTimeDrag_) {
        delete outline_;
        SetExtent(SizePanelExtent(Align(), lastMask_, dragStart_, Box(), false));
    }
    if (!hotSpotPressed_)
        return;
    hotSpotPressed_ = false;
    if (InRect(HotSpotBounds(), event->position().toPoint()))
        ToggleHotSpot();
}

void TFcCustomSizePanel::MouseLeave()
{
    TFcCustomPanel::MouseLeave();
    if (hotSpotPressed_ && lockBar_)
        return;
    if (hotSpotHover_) {
        hotSpotHover_ = false;
        update();
    }
}

}  // namespace tw::controls
