#include "controls/sizing/fcsplitter.h"

#include "controls/panels/fcpanellayout.h"
#include "controls/sizing/fcsizingaccessible.h"
#include "controls/status/fcstatusgeometry.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

namespace tw::controls {

TFcSplitterPane::TFcSplitterPane(QWidget* parent) : TFcCustomPanel(parent)
{
    SetBorderOuter(fsNone);
    setFocusPolicy(Qt::NoFocus);
    // Not the bar's cursor: the splitter hears nothing when the mouse goes
    // from its bar straight into a pane.
    setCursor(Qt::ArrowCursor);
    splitter_ = qobject_cast<TFcSplitter*>(parent);
}

void TFcPaneData::Assign(const TFcPaneData& source)
{
    if (!pane_ || !source.pane_ || &source == this)
        return;
    SetBorderColor(source.BorderColor());
    SetBorderInner(source.BorderInner());
    SetBorderOuter(source.BorderOuter());
    SetBorderWidth(source.BorderWidth());
    SetColor(source.Color());
    SetFlatColor(source.FlatColor());
    SetDockSite(source.DockSite());
    SetShowDockClientCaptions(source.ShowDockClientCaptions());
    SetVisible(source.Visible());
}

TFcSplitter::TFcSplitter(QWidget* parent) : TFcCustomPanel(parent)
{
    RegisterSizingAccessible();
    SetBorderOuter(fsNone);
    setMouseTracking(true);
    resize(200, 100);
    model_.Size = 200;
    model_.CanChange = [this](int pos) { return CanChange(pos); };
    model_.Changed = [this] {
        ResizePanes();
        Change();
    };
    for (int i = 0; i < 2; ++i) {
        panes_[i] = new TFcSplitterPane(this);
        panes_[i]->installEventFilter(this);
        data_[i] = std::make_unique<TFcPaneData>(panes_[i]);
    }
    outline_ = new TFcSplitOutline(this);
    model_.UpdateManualPosition(model_.Position());
    ResizePanes();
}

TFcSplitter::~TFcSplitter()
{
    for (TFcSplitterPane* pane : panes_)
        pane->removeEventFilter(this);
}

void TFcSplitter::SyncModel()
{
    model_.Size = AxisSize();
    model_.SplitterWidth = splitterWidth_;
    model_.BorderOffset = GetBorderOffset();
    model_.BothVisible = panes_[0] && panes_[1] && !panes_[0]->isHidden() && !panes_[1]->isHidden();
}

int TFcSplitter::GetBorderOffset() const
{
    const TFcFrameSet f = Frames();
    return SplitBorderOffset(f.BorderWidth, FrameStyleWidth(f.Outer, f.BevelWidth, 0),
                             FrameStyleWidth(f.Inner, f.BevelWidth, 0), f.Sides);
}

void TFcSplitter::SetOrientation(TOrientation value)
{
    if (orientation_ == value)
        return;
    orientation_ = value;
    resizedSize_ = AxisSize();
    SyncModel();
    model_.Reorient(AxisSize());
    if (!model_.UsePercent())
        ResizePanes();
    update();
}

void TFcSplitter::SetPosition(int value)
{
    SyncModel();
    model_.SetPosition(value);
}

void TFcSplitter::SetLockedPosition(int value)
{
    SyncModel();
    model_.SetLockedPosition(value);
}

void TFcSplitter::SetPercent(int value)
{
    SyncModel();
    model_.SetPercent(value);
}

void TFcSplitter::SetUsePercent(bool value)
{
    SyncModel();
    model_.SetUsePercent(value);
}

void TFcSplitter::SetPercentMin(int value)
{
    SyncModel();
    model_.SetPercentMin(value);
}

void TFcSplitter::SetPercentMax(int value)
{
    SyncModel();
    model_.SetPercentMax(value);
}

void TFcSplitter::SetMarginMin(int value)
{
    SyncModel();
    model_.SetMarginMin(value);
}

void TFcSplitter::SetMarginMax(int value)
{
    SyncModel();
    model_.SetMarginMax(value);
}

void TFcSplitter::SetFixedPane(TFixedPane value)
{
    SyncModel();
    model_.SetFixedPane(value);
}

void TFcSplitter::SetSplitterStyle(TSplitterStyle value)
{
    if (splitterStyle_ == value)
        return;
    splitterStyle_ = value;
    if (value != ssStandard && splitterWidth_ < 6)
        SetSplitterWidth(6);
    update();
}

void TFcSplitter::SetSplitterWidth(int value)
{
    value = std::clamp(value, 0, 65535);
    if (splitterWidth_ == value)
        return;
    splitterWidth_ = value;
    ResizePanes();
    update();
}

void TFcSplitter::SetHotSpotVisible(bool value)
{
    if (hotSpotVisible_ == value)
        return;
    hotSpotVisible_ = value;
    if (value && splitterWidth_ < 7)
        SetSplitterWidth(7);
    update();
}

void TFcSplitter::SetHotSpotDirection(THotSpotDirection value)
{
    if (hotSpotDirection_ == value)
        return;
    hotSpotDirection_ = value;
    update();
}

void TFcSplitter::SetHotSpotHighlight(TColor value)
{
    if (hotSpotHighlight_ == value)
        return;
    hotSpotHighlight_ = value;
    update();
}

void TFcSplitter::SetHotSpotSizePercent(int value)
{
    if (hotSpotSizePercent_ == value)
        return;
    hotSpotSizePercent_ = value;
    hotSpot_ = HotSpotRect(bar_, orientation_, hotSpotSizePercent_);
    update();
}

TFcPaneData* TFcSplitter::GetPaneData(int index) const
{
    return index == 1 || index == 2 ? data_[index - 1].get() : nullptr;
}

void TFcSplitter::SetPaneData(int index, const TFcPaneData& value)
{
    if (TFcPaneData* data = GetPaneData(index))
        data->Assign(value);
}

void TFcSplitter::CloseHotSpot(bool toMin)
{
    SyncModel();
    model_.CloseHotSpot(toMin);
    update();
}

void TFcSplitter::RestoreHotSpot()
{
    SyncModel();
    model_.RestoreHotSpot();
    update();
}

void TFcSplitter::ResetHotSpot()
{
    model_.ResetHotSpot();
    update();
}

void TFcSplitter::ClickHotSpot()
{
    if (!hotSpotVisible_)
        return;
    SyncModel();
    model_.ToggleHotSpot(hotSpotDirection_ != hsdMax);
    HotSpotClick();
    update();
}

bool TFcSplitter::CanChange(int newPosition)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, newPosition, allow);
    return allow;
}

void TFcSplitter::Change()
{
    if (OnChange)
        OnChange(this);
}

void TFcSplitter::HotSpotClick()
{
    if (OnHotSpotClick)
        OnHotSpotClick(this);
}

void TFcSplitter::SetBorderInner(TFrameStyle value)
{
    TFcCustomPanel::SetBorderInner(value);
    ResizePanes();
}

void TFcSplitter::SetBorderOuter(TFrameStyle value)
{
    TFcCustomPanel::SetBorderOuter(value);
    ResizePanes();
}

void TFcSplitter::SetBorderSides(TSides value)
{
    TFcCustomPanel::SetBorderSides(value);
    ResizePanes();
}

void TFcSplitter::Realign()
{
    ResizePanes();
}

void TFcSplitter::ResizePanes()
{
    if (!panes_[0] || !panes_[1] || laying_)
        return;
    laying_ = true;
    const bool ulVisible = !panes_[0]->isHidden();
    const bool lrVisible = !panes_[1]->isHidden();
    const TFcSplitLayout l =
        SplitLayout(ClientAreaForChildren(), orientation_, model_.Position(), splitterWidth_, ulVisible, lrVisible);
    const auto place = [](QWidget* w, const TRect& r) {
        w->setGeometry(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    };
    place(panes_[0], l.UpperLeft);
    place(panes_[1], l.LowerRight);
    bar_ = l.Bar;
    hotSpot_ = HotSpotRect(bar_, orientation_, hotSpotSizePercent_);
    for (TFcSplitterPane* pane : panes_) {
        for (TFcSplitter* inner : pane->findChildren<TFcSplitter*>(Qt::FindDirectChildrenOnly))
            inner->ResizePanes();
    }
    laying_ = false;
    // A live drag shows each step at once: the bar and both panes in one pass.
    if (realTimeDrag_ && dragging_)
        repaint();
    else
        update();
}

THotSpotLook TFcSplitter::Look() const
{
    THotSpotLook look;
    look.StandingBar = orientation_ == orHorizontal;
    look.HighlightColor = hotSpotHighlight_;
    const bool closed = model_.HotSpotClosed();
    const int cx = hotSpot_.Left + hotSpot_.Width() / 2;
    const int cy = hotSpot_.Top + hotSpot_.Height() / 2;
    if (hotSpotDirection_ == hsdBoth) {
        if (hotSpotHover_ && !closed) {
            const bool second = look.StandingBar ? hoverPoint_.y() >= cy : hoverPoint_.x() >= cx;
            look.Fill = second ? hfSecondHalf : hfFirstHalf;
        } else if (hotSpotHover_) {
            look.Fill = hfWhole;
        }
        look.Divider = !closed;
        look.SkipCentreDots = !closed;
        if (!closed) {
            look.FirstTowardMin = true;
            look.SecondTowardMin = false;
        } else {
            look.FirstTowardMin = look.SecondTowardMin = model_.HotSpotClosedToMax();
        }
        return look;
    }
    look.Fill = hotSpotHover_ ? hfWhole : hfPlain;
    const bool towardMin = (hotSpotDirection_ == hsdMin) != closed;
    look.FirstTowardMin = look.SecondTowardMin = towardMin;
    return look;
}

void TFcSplitter::Paint(TFcCanvas& canvas)
{
    TFcCustomPanel::Paint(canvas);
    DrawSplitterBar(canvas);
}

void TFcSplitter::DrawSplitterBar(TFcCanvas& canvas)
{
    DrawSplitBarStyle(canvas, bar_, orientation_ == orHorizontal, splitterStyle_, Color());
    if (hotSpotVisible_ && !bar_.IsEmpty())
        DrawHotSpot(canvas, hotSpot_, Look());
}

void TFcSplitter::DrawMask(int position)
{
    if (realTimeDrag_)
        return;
    const int o = GetBorderOffset();
    const TRect at = orientation_ == orHorizontal ? TRect{o + position, o, o + position + bar_.Width(), o + bar_.Height()}
                                                  : TRect{o, o + position, o + bar_.Width(), o + position + bar_.Height()};
    outline_->ShowAt(at);
}

void TFcSplitter::resizeEvent(QResizeEvent* event)
{
    TFcCustomPanel::resizeEvent(event);
    // Only a change along the split axis moves the bar (showing the splitter
    // also reports its size, which must not disturb the percentage).
    if (AxisSize() == resizedSize_) {
        ResizePanes();
        return;
    }
    resizedSize_ = AxisSize();
    SyncModel();
    model_.Resize(AxisSize());
    ResizePanes();
}

bool TFcSplitter::InBar(const QPoint& p) const
{
    return RectContains(bar_, p.x(), p.y());
}

bool TFcSplitter::InHotSpot(const QPoint& p) const
{
    return hotSpotVisible_ && RectContains(hotSpot_, p.x(), p.y());
}

void TFcSplitter::mousePressEvent(QMouseEvent* event)
{
    TFcCustomPanel::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !InBar(p))
        return;
    const bool onHotSpot = InHotSpot(p);
    if (!onHotSpot && lockBar_)
        return;
    event->accept();
    SyncModel();
    dragging_ = true;
    hotSpotPressed_ = onHotSpot;
    dragOffset_ = Along(p) - AxisSize() / 2;
    dragStartPosition_ = model_.Position();
    DrawMask(model_.Position());
    lastMaskPosition_ = model_.Position();
}

void TFcSplitter::mouseMoveEvent(QMouseEvent* event)
{
    TFcCustomPanel::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    if (!dragging_) {
        TrackHotSpot(p, InHotSpot(p));
        if (InBar(p) && !lockBar_)
            setCursor(SplitCursor(orientation_ == orHorizontal, InHotSpot(p)));
        else
            unsetCursor();
        return;
    }
    if (hotSpotPressed_ && lockBar_)
        return;
    SyncModel();
    int next = Along(p) + dragStartPosition_ - AxisSize() / 2 - dragOffset_;
    model_.CheckPosition(next);
    if (!CanChange(next))
        return;  // the outline stays where it was
    if (next == lastMaskPosition_)
        return;
    model_.ClearHotSpotFlags();
    hotSpotPressed_ = false;
    DrawMask(next);
    if (realTimeDrag_) {
        model_.SetPosition(next);
        model_.UpdateManualPosition(next);
    }
    lastMaskPosition_ = next;
}

void TFcSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    TFcCustomPanel::mouseReleaseEvent(event);
    if (!((dragging_ && event->button() == Qt::LeftButton) || hotSpotPressed_))
        return;
    dragging_ = false;
    SyncModel();
    if (!realTimeDrag_) {
        outline_->ShowAt({});
        model_.SetPosition(lastMaskPosition_);
        model_.UpdateManualPosition(lastMaskPosition_);
    }
    if (!hotSpotPressed_)
        return;
    hotSpotPressed_ = false;
    const QPoint p = event->position().toPoint();
    if (!InHotSpot(p))
        return;
    const int cx = hotSpot_.Left + hotSpot_.Width() / 2;
    const int cy = hotSpot_.Top + hotSpot_.Height() / 2;
    const bool beforeCentre = orientation_ == orHorizontal ? p.y() < cy : p.x() < cx;
    const bool toMin = hotSpotDirection_ == hsdMin || (hotSpotDirection_ == hsdBoth && beforeCentre);
    model_.ToggleHotSpot(toMin);
    HotSpotClick();
    update();
}

void TFcSplitter::TrackHotSpot(const QPoint& p, bool inside)
{
    if (!hotSpotVisible_)
        return;
    const bool follow = inside && hotSpotDirection_ == hsdBoth;
    if (inside != hotSpotHover_ || follow) {
        hotSpotHover_ = inside;
        hoverPoint_ = p;
        update();
    }
}

void TFcSplitter::MouseLeave()
{
    TFcCustomPanel::MouseLeave();
    TrackHotSpot({-1, -1}, false);
}

bool TFcSplitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        if (watched == panes_[0] || watched == panes_[1])
            ResizePanes();
    }
    return TFcCustomPanel::eventFilter(watched, event);
}

}  // namespace tw::controls
