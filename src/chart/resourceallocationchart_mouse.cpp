// Mouse gestures of the chart: selecting, moving and stretching bars,
// moving a bar to another row, dragging the period, the rubber band, clicks
// and the automatic hints. Every gesture asks its events first.

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

#include "chart/charttime.h"
#include "chart/resourceallocationchart.h"

namespace tw::chart {

namespace {

// "No instant" for the hint of a gesture that has none.
constexpr double kNoInstant = -2147483647.0;

TPoint PointOf(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return TPoint{p.x(), p.y()};
}

}  // namespace

TDateTime TResourceAllocationChart::Rounded(TDateTime DateTime) const
{
    return RoundDateTimeToStep(DateTime, RoundTo());
}

void TResourceAllocationChart::ResetMouseState()
{
    pressing_ = moving_ = dragging_ = plotDrag_ = false;
    stretchLeft_ = stretchRight_ = false;
    rubberBand_ = false;
    pressOffset_ = -1;
    pressedRow_ = nullptr;
    pressedBar_ = nullptr;
    selRect_ = kUnsetRect;
    SetOutline(kUnsetRect);
}

void TResourceAllocationChart::SetOutline(const TRect& Rect)
{
    if (Rect == moveRect_)
        return;
    moveRect_ = Rect;
    update();
}

bool TResourceAllocationChart::InNameColumn(TPoint Point) const
{
    return Point.x >= 0 && Point.x < PlotRect().Left && Point.y >= PlotRect().Top
        && Point.y < PlotRect().Bottom;
}

bool TResourceAllocationChart::OnStretchHandle(const TResourceAllocation* Bar, int X, bool& Left,
                                               bool& Right) const
{
    const TRect& r = Bar->DisplayRect();
    const int h = std::min(static_cast<int>(SizingHandleWidth()), (r.Right - r.Left) / 2);
    Left = r.Left <= X && X <= r.Left + h;
    Right = r.Right - h <= X && X <= r.Right;
    // A bar so narrow that both handles meet is moved, not stretched.
    if (Left && Right)
        Left = Right = false;
    return Left || Right;
}

void TResourceAllocationChart::StretchedPeriod(int X, TDateTime& Start, TDateTime& End) const
{
    Start = pressedBar_->StartAt();
    End = pressedBar_->EndAt();
    if (stretchLeft_ && X - pressOffset_ < dragRect_.Right)
        Start = Rounded(XToDateTime(X - pressOffset_));
    if (stretchRight_ && X + pressOffset_ > dragRect_.Left)
        End = Rounded(XToDateTime(X + pressOffset_));
}

void TResourceAllocationChart::mousePressEvent(QMouseEvent* event)
{
    Press(event, false);
    QWidget::mousePressEvent(event);
}

void TResourceAllocationChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not handed on: the base class would take it as a second single press,
    // and the release would then report a click instead of a double click.
    Press(event, true);
    event->accept();
}

void TResourceAllocationChart::Press(QMouseEvent* event, bool DoubleClick)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    doubleClick_ = DoubleClick;
    ResetMouseState();
    pressPoint_ = PointOf(event);
    const int X = pressPoint_.x;
    const int Y = pressPoint_.y;
    if (!PlotRect().Contains(pressPoint_))
        return;

    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    pressedRow_ = FindResourceFromY(Y, true);
    pressedBar_ = pressedRow_ ? pressedRow_->FindSlotFromPoint(pressPoint_) : nullptr;
    if (pressedRow_ && pressedBar_) {
        TResourceAllocation* bar = pressedBar_;
        if (!ctrl && !shift) {
            if (SelectedAllocationCount() > 1)
                DeselectAllAllocations();
            else
                DeselectAllAllocations(bar);
        } else if (!Options().Contains(racMultiSelect)) {
            DeselectAllAllocations(bar);
        }
        if (DoubleClick)
            bar->SetSelected(true);
        else
            bar->SetSelected(!bar->Selected());
        if (DoubleClick)
            return;
        pressing_ = true;

        bool left = false;
        bool right = false;
        if (OnStretchHandle(bar, X, left, right)) {
            stretchLeft_ = left;
            stretchRight_ = right;
            bar->SetSelected(true);
            bool allow = Options().Contains(racAllowStretchAllocation);
            if (OnAllocationStretchStart)
                OnAllocationStretchStart(this, pressedRow_, bar, allow);
            if (allow) {
                setCursor(Qt::SizeHorCursor);
                dragRect_ = bar->DisplayRect();
                pressOffset_ = left ? X - dragRect_.Left : dragRect_.Right - X;
                return;
            }
            stretchLeft_ = stretchRight_ = false;
            if (OnAllocationStretchCancel)
                OnAllocationStretchCancel(this, pressedRow_, bar);
        }
        bool allow = Options().Contains(racAllowDragAllocation);
        if (OnAllocationDragStart)
            OnAllocationDragStart(this, pressedRow_, bar, allow);
        if (allow) {
            moving_ = true;
            dragRect_ = bar->DisplayRect();
            pressOffset_ = X - dragRect_.Left;
        } else if (OnAllocationDragCancel) {
            OnAllocationDragCancel(this, pressedRow_, bar);
        }
        return;
    }
    if (DoubleClick)
        return;
    bool allow = Options().Contains(racAllowDragScroll);
    if (Options().Contains(racMultiSelect) && (ctrl || !allow)) {
        rubberBand_ = true;
        selRect_ = TRect{X, Y, X, Y};
        return;
    }
    if (OnDragPlotStart)
        OnDragPlotStart(this, allow);
    if (allow) {
        pressOffset_ = X;
        plotDragStart_ = StartAt();
        plotDragSpan_ = EndAt() - StartAt();
        plotDrag_ = true;
    } else if (OnDragPlotEnd) {
        OnDragPlotEnd(this);
    }
}

void TResourceAllocationChart::mouseMoveEvent(QMouseEvent* event)
{
    const TPoint pt = PointOf(event);
    const int X = pt.x;
    const int Y = pt.y;
    TDateTime hintStart = kNoInstant;
    TDateTime hintEnd = kNoInstant;
    TRACResource* hintRow = nullptr;
    TResourceAllocation* hintBar = nullptr;
    TRACResource* targetRow = nullptr;
    if (pressing_ && pressedBar_) {
        hintStart = pressedBar_->StartAt();
        hintEnd = pressedBar_->EndAt();
        hintRow = pressedRow_;
        hintBar = pressedBar_;
    }
    QPoint hintPoint(X, Y);
    QCursor show = cursor_;
    QString hintText;
    bool nameHint = false;

    const auto findTarget = [&]() -> TRACResource* {
        if (!Options().Contains(racAllowAllocationSwitchResources))
            return nullptr;
        TRACResource* row = FindResourceFromY(Y, false);
        return row == pressedRow_ ? nullptr : row;
    };

    // The outline of the bar at its new period; the hint follows it.
    const auto showOutline = [&](TResourceAllocation* bar, TRect outline, TDateTime start, TDateTime end) {
        outline.Left = DateTimeToX(start);
        outline.Right = DateTimeToX(end);
        if (OnAdjustDragRect)
            OnAdjustDragRect(this, bar, outline);
        SetOutline(outline);
        hintStart = start;
        hintEnd = end;
        hintPoint.setY(outline.Bottom);
    };

    if (moving_ && !dragging_ && pressedBar_) {
        targetRow = findTarget();
        if (targetRow || std::abs(X - pressOffset_ - dragRect_.Left) >= static_cast<int>(MinimumDrag())) {
            dragging_ = true;
            setCursor(Qt::DragMoveCursor);
            pressedBar_->SetSelected(true);
        }
    }
    if (dragging_ && pressedBar_) {
        TResourceAllocation* bar = pressedBar_;
        TRect outline = dragRect_;
        TDateTime start = bar->StartAt();
        TDateTime end = bar->EndAt();
        const double length = bar->EndAt() - bar->StartAt();
        targetRow = findTarget();
        bool refused = false;
        if (targetRow) {
            start = Rounded(XToDateTime(X - pressOffset_));
            end = start + length;
            bool allow = true;
            if (OnAllocationDragOverResource)
                OnAllocationDragOverResource(this, pressedRow_, targetRow, bar, start, end, allow);
            refused = !(allow && targetRow->IsSlotFree(start, end, nullptr));
            outline.Top = targetRow->DisplayTop();
            outline.Bottom = targetRow->DisplayBottom();
            QToolTip::hideText();
        } else if (std::abs(X - pressOffset_ - dragRect_.Left) >= static_cast<int>(MinimumDrag())) {
            start = Rounded(XToDateTime(X - pressOffset_));
            end = start + length;
            bool allow = true;
            if (OnAllocationDrag)
                OnAllocationDrag(this, pressedRow_, bar, start, end, allow);
            refused = !(allow && pressedRow_->IsSlotFree(start, end, bar));
        }
        show = refused ? QCursor(Qt::ForbiddenCursor) : QCursor(Qt::DragMoveCursor);
        showOutline(bar, outline, start, end);
    } else if ((stretchLeft_ || stretchRight_) && pressedBar_) {
        TResourceAllocation* bar = pressedBar_;
        TRect outline = dragRect_;
        TDateTime start = 0;
        TDateTime end = 0;
        StretchedPeriod(X, start, end);
        bool allow = true;
        if (OnAllocationStretch)
            OnAllocationStretch(this, pressedRow_, bar, start, end, allow);
        const bool ok = allow && start < end && pressedRow_->IsSlotFree(start, end, bar);
        show = ok ? QCursor(Qt::SizeHorCursor) : QCursor(Qt::ForbiddenCursor);
        showOutline(bar, outline, start, end);
    } else if (plotDrag_) {
        const double span = plotDragSpan_;
        TDateTime start = plotDragStart_ + XToDateTime(pressOffset_) - XToDateTime(X);
        TDateTime end = start + span;
        if (OnDragPlot)
            OnDragPlot(this, start, end);
        // Follows the mouse without checks; the release sets the period properly.
        SetPeriodUnchecked(start, end);
        hintStart = hintEnd = kNoInstant;
    } else if (rubberBand_) {
        selRect_.Right = X;
        selRect_.Bottom = Y;
        update();
    } else if (!pressing_) {
        if (PlotRect().Contains(pt)) {
            if (TRACResource* row = FindResourceFromY(Y, true)) {
                if (TResourceAllocation* bar = row->FindSlotFromPoint(pt)) {
                    hintStart = bar->StartAt();
                    hintEnd = bar->EndAt();
                    hintRow = row;
                    hintBar = bar;
                    hintPoint.setY(bar->DisplayRect().Bottom);
                    bool left = false;
                    bool right = false;
                    if (Options().Contains(racAllowStretchAllocation) && OnStretchHandle(bar, X, left, right))
                        show = QCursor(Qt::SizeHorCursor);
                }
            }
        } else if (InNameColumn(pt)) {
            if (TRACResource* row = FindResourceFromY(Y, true)) {
                nameHint = true;
                hintPoint = QPoint(PlotRect().Left / 2, (row->DisplayTop() + row->DisplayBottom()) / 2);
                if (OnResourceNameAutoHint)
                    OnResourceNameAutoHint(this, row, hintText);
            }
        }
    }
    setCursor(show);

    if (Options().Contains(racAutoHint) && showHint_) {
        if (!nameHint && hintStart != kNoInstant && hintEnd != kNoInstant) {
            hintText = AutoHintText(HintStyle(), hintStart, hintEnd, appearance_->DateFormat(),
                                    appearance_->TimeFormat());
            if (hintRow && hintBar && OnAllocationAutoHint)
                OnAllocationAutoHint(this, hintRow, hintBar, hintStart, hintEnd, targetRow, hintText);
        }
        if (hintText != hint_) {
            hint_ = hintText;
            ShowAutoHint(hint_, hintPoint);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void TResourceAllocationChart::ShowAutoHint(const QString& Text, QPoint At)
{
    if (Text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(mapToGlobal(At), Text, this);
}

void TResourceAllocationChart::FinishInRow(TRACResource* Row, TResourceAllocation* Bar, TDateTime Start,
                                           TDateTime End, bool Allow, const TAllocationDragQueryEvent& Query,
                                           const TAllocationEvent& Done, const TAllocationEvent& Cancel)
{
    // A handler may have turned the period round; that refuses the gesture
    // instead of throwing out of the event loop.
    if (Allow && Start < End && Row->IsSlotFree(Start, End, Bar)) {
        if (Query)
            Query(this, Row, Bar, Start, End, Allow);
    } else {
        Allow = false;
    }
    if (Allow) {
        Bar->SetDateTime(Start, End);
        if (Done)
            Done(this, Row, Bar);
    } else if (Cancel) {
        Cancel(this, Row, Bar);
    }
}

void TResourceAllocationChart::mouseReleaseEvent(QMouseEvent* event)
{
    const TPoint pt = PointOf(event);
    const int X = pt.x;
    const int Y = pt.y;
    TRACResource* releaseRow = FindResourceFromY(Y, false);
    TResourceAllocation* releaseBar =
        releaseRow && PlotRect().Contains(pt) ? releaseRow->FindSlotFromPoint(pt) : nullptr;

    const auto click = [&](TRACResource* row, TResourceAllocation* bar) {
        const TAllocationEvent& handler = doubleClick_ ? OnAllocationDblClick : OnAllocationClick;
        if (handler)
            handler(this, row, bar);
    };

    if (event->button() == Qt::LeftButton) {
        if (dragging_ && pressedBar_) {
            TResourceAllocation* bar = pressedBar_;
            TRACResource* fromRow = pressedRow_;
            SetOutline(kUnsetRect);
            setCursor(cursor_);
            const int x = X - pressOffset_;
            const double length = bar->EndAt() - bar->StartAt();
            const bool sameRow = releaseRow == fromRow || !releaseRow
                || !Options().Contains(racAllowAllocationSwitchResources);
            // The gesture ends here whatever the handlers do.
            ResetMouseState();
            if (sameRow) {
                bool allow = false;
                TDateTime start = 0;
                TDateTime end = 0;
                if (std::abs(x - dragRect_.Left) >= static_cast<int>(MinimumDrag())) {
                    start = Rounded(XToDateTime(x));
                    end = start + length;
                    allow = true;
                    if (OnAllocationDrag)
                        OnAllocationDrag(this, fromRow, bar, start, end, allow);
                }
                FinishInRow(fromRow, bar, start, end, allow, OnAllocationDragEndQuery, OnAllocationDragEnd,
                            OnAllocationDragCancel);
                click(fromRow, bar);
            } else {
                TDateTime start = Rounded(XToDateTime(x));
                TDateTime end = start + length;
                bool allow = true;
                if (OnAllocationDragOverResource)
                    OnAllocationDragOverResource(this, fromRow, releaseRow, bar, start, end, allow);
                if (OnAllocationSwitchResourceQuery)
                    OnAllocationSwitchResourceQuery(this, fromRow, releaseRow, bar, start, end, allow);
                TRACResource* clickRow = fromRow;
                if (allow && start < end && releaseRow->IsSlotFree(start, end, nullptr)) {
                    BeginUpdate();
                    try {
                        fromRow->Disown(bar);
                        releaseRow->AddSlot(bar);
                        bar->SetDateTime(start, end);
                        if (OnAllocationSwitchResource)
                            OnAllocationSwitchResource(this, fromRow, releaseRow, bar);
                    } catch (...) {
                        EndUpdate();
                        throw;
                    }
                    EndUpdate();
                    clickRow = releaseRow;
                } else if (OnAllocationDragCancel) {
                    OnAllocationDragCancel(this, fromRow, bar);
                }
                click(clickRow, bar);
            }
        } else if ((stretchLeft_ || stretchRight_) && pressedBar_) {
            TResourceAllocation* bar = pressedBar_;
            TRACResource* row = pressedRow_;
            SetOutline(kUnsetRect);
            setCursor(cursor_);
            TDateTime start = 0;
            TDateTime end = 0;
            StretchedPeriod(X, start, end);
            ResetMouseState();
            bool allow = true;
            if (OnAllocationStretch)
                OnAllocationStretch(this, row, bar, start, end, allow);
            const bool changed = start != bar->StartAt() || end != bar->EndAt();
            FinishInRow(row, bar, start, end, allow && changed, OnAllocationStretchEndQuery,
                        OnAllocationStretchEnd, OnAllocationStretchCancel);
            click(row, bar);
        } else if (rubberBand_) {
            const TRect band = selRect_;
            rubberBand_ = false;
            update();
            const double dx = X - band.Left;
            const double dy = Y - band.Top;
            if (std::nearbyint(std::sqrt(dx * dx + dy * dy)) > MinimumDrag()) {
                SelectAllocationsInRect(TRect{std::min(band.Left, X), std::min(band.Top, Y),
                                              std::max(band.Left, X), std::max(band.Top, Y)});
            }
        } else if (plotDrag_) {
            const double span = plotDragSpan_;
            TDateTime start = plotDragStart_ - XToDateTime(X) + XToDateTime(pressOffset_);
            TDateTime end = start + span;
            ResetMouseState();
            if (OnDragPlot)
                OnDragPlot(this, start, end);
            if (OnDragPlotEnd)
                OnDragPlotEnd(this);
            // A handler that turned the period round gets the period of the press back
            // rather than an exception in the event loop.
            if (start < end)
                SetDateTime(start, end);
            else
                SetDateTime(plotDragStart_, plotDragStart_ + span);
        } else if (releaseRow && releaseBar) {
            click(releaseRow, releaseBar);
        } else if (releaseRow && InNameColumn(pt)) {
            const TResourceEvent& handler = doubleClick_ ? OnResourceNameDblClick : OnResourceNameClick;
            if (handler)
                handler(this, releaseRow);
        }
    } else if (event->button() == Qt::RightButton && releaseRow) {
        if (releaseBar && OnAllocationRightClick)
            OnAllocationRightClick(this, releaseRow, releaseBar);
        else if (InNameColumn(pt) && OnResourceNameRightClick)
            OnResourceNameRightClick(this, releaseRow);
        else if (OnRightClick)
            OnRightClick(this);
    }
    ResetMouseState();
    doubleClick_ = false;
    QWidget::mouseReleaseEvent(event);
}

void TResourceAllocationChart::wheelEvent(QWheelEvent* event)
{
    if (!scrollBar_->isVisible() || !scrollBar_->isEnabled()) {
        QWidget::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    const int position = scrollBar_->value();
    const int step = scrollBar_->singleStep();
    bool scrolled = false;
    if (delta < 0 && position < scrollBar_->maximum()) {
        scrollBar_->setValue(position + step);
        scrolled = true;
    } else if (delta > 0 && position > scrollBar_->minimum()) {
        scrollBar_->setValue(position - step);
        scrolled = true;
    }
    if (scrolled)
        event->accept();
    else
        QWidget::wheelEvent(event);
}

}  // namespace tw::chart
