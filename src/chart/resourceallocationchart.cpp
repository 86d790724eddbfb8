#include "chart/colourvalue.h"
#include "chart/resourceallocationchart.h"

#include <QFocusEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tw::chart {

TResourceAllocationChart::TResourceAllocationChart(QWidget* parent)
    : QWidget(parent),
      appearance_(std::make_unique<TResourceAllocationChartAppearance>(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setEnabled(false);
    // Keyboard focus stays on the chart; the scroll bar is for the mouse.
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { Changed(); });
    resize(305, 155);
}

TResourceAllocationChart::~TResourceAllocationChart()
{
    // The rows must go while this object is still whole: freeing them fires
    // notifications that reach the overrides of this class.
    DestroyRows();
}

void TResourceAllocationChart::SetChartAppearance(const TResourceAllocationChartAppearance& Appearance)
{
    appearance_->Assign(Appearance);
}

void TResourceAllocationChart::SetCursor(const QCursor& Cursor)
{
    cursor_ = Cursor;
    setCursor(Cursor);
}

void TResourceAllocationChart::SetBevelInner(TBevelCut v)
{
    if (v != bevelInner_) {
        bevelInner_ = v;
        Changed();
    }
}

void TResourceAllocationChart::SetBevelOuter(TBevelCut v)
{
    if (v != bevelOuter_) {
        bevelOuter_ = v;
        Changed();
    }
}

void TResourceAllocationChart::SetBevelWidth(int v)
{
    if (v != bevelWidth_ && v >= 1) {
        bevelWidth_ = v;
        Changed();
    }
}

void TResourceAllocationChart::SetBorderWidth(int v)
{
    if (v != borderWidth_ && v >= 0) {
        borderWidth_ = v;
        Changed();
    }
}

QColor TResourceAllocationChart::ToQColor(TColor Color) const
{
    if (Color & clSystemColor) {
        const QPalette& pal = palette();
        switch (Color) {
        case clWindow: return pal.color(QPalette::Base);
        case clWindowText: return pal.color(QPalette::WindowText);
        case clBtnFace: return pal.color(QPalette::Button);
        case clBtnShadow: return pal.color(QPalette::Dark);
        case clGrayText: return pal.color(QPalette::Disabled, QPalette::WindowText);
        case clBtnHighlight: return pal.color(QPalette::Light);
        case clInfoBk: return pal.color(QPalette::ToolTipBase);
        default: return pal.color(QPalette::Window);
        }
    }
    return ColourFromValue(Color);
}

int TResourceAllocationChart::ScrollPosition() const
{
    return scrollBar_->value();
}

void TResourceAllocationChart::SetScrollPosition(int Position)
{
    scrollBar_->setValue(Position);
}

bool TResourceAllocationChart::OptionsChangeNeedsRepaint(TResourceAllocationChartOptions Old,
                                                         TResourceAllocationChartOptions New) const
{
    auto* self = const_cast<TResourceAllocationChart*>(this);
    if (Old.Contains(racAutoHint) && !New.Contains(racAutoHint)) {
        self->hint_.clear();
        self->showHint_ = true;
    }
    if (!New.Contains(racScrollBarOnlyIfNecessary) && Old.Contains(racScrollBarOnlyIfNecessary))
        scrollBar_->setVisible(true);
    if (Old.Contains(racShowFocusRect) != New.Contains(racShowFocusRect) && hasFocus())
        return true;
    return TCustomResourceAllocationChart::OptionsChangeNeedsRepaint(Old, New);
}

void TResourceAllocationChart::Repaint()
{
    bitmapDirty_ = true;
    // On a page of the shown window that is not itself shown (a task added
    // from another page rebuilds the chart), the picture waits for the page's
    // next paint: measuring every row's caption for nobody grows with the
    // schedule.
    if (!isVisible() && window() != this && window()->isVisible())
        return;
    RedrawBitmap();
    if (isVisible())
        update();
}

void TResourceAllocationChart::Invalidate()
{
    bitmapDirty_ = true;
    update();
}

void TResourceAllocationChart::RefreshBitmap()
{
    // The drag outline is an overlay of the picture, so it survives the redraw.
    Repaint();
}

void TResourceAllocationChart::RedrawBitmap()
{
    if (painting_ || Destroying())
        return;
    const QSize area = size();
    if (area.isEmpty())
        return;
    if (bitmap_.size() != area)
        bitmap_ = QImage(area, QImage::Format_ARGB32_Premultiplied);
    const TRect oldPlot = PlotRect();
    if (Count() <= RowsThatFit()) {
        const QSignalBlocker block(scrollBar_);
        scrollBar_->setValue(0);
    }
    painting_ = true;
    try {
        QPainter p(&bitmap_);
        DoPaintTo(p, QRect(QPoint(0, 0), area), ScrollPosition(), *appearance_, true);
        // Grown so that every row fits: start from the first row now rather
        // than at the next repaint.
        if (Count() <= RowsThatFit() && ScrollPosition() != 0) {
            const QSignalBlocker block(scrollBar_);
            scrollBar_->setValue(0);
            DoPaintTo(p, QRect(QPoint(0, 0), area), 0, *appearance_, true);
        }
    } catch (...) {
        painting_ = false;
        throw;
    }
    painting_ = false;
    bitmapDirty_ = false;
    if (!(PlotRect() == oldPlot) && OnPlotRectChange)
        OnPlotRectChange(this);
    if (OnBitmapRedrawn)
        OnBitmapRedrawn(this);
}

void TResourceAllocationChart::paintEvent(QPaintEvent*)
{
    if (OnBeforePaint)
        OnBeforePaint(this);
    if (bitmap_.size() != size())
        bitmapDirty_ = true;
    if (bitmapDirty_)
        RedrawBitmap();
    QPainter p(this);
    p.drawImage(0, 0, bitmap_);
    const QColor outline = ToQColor(clWindowText);
    if (!(moveRect_ == kUnsetRect)) {
        p.setPen(QPen(outline, 1, Qt::SolidLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(moveRect_.Left, moveRect_.Top, moveRect_.Width() - 1, moveRect_.Height() - 1));
    }
    if (rubberBand_ && !(TPoint{selRect_.Left, selRect_.Top} == kUnsetPoint)) {
        p.setPen(QPen(outline, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(
            QRect(QPoint(selRect_.Left, selRect_.Top), QPoint(selRect_.Right, selRect_.Bottom)).normalized());
    }
    if (OnAfterPaint)
        OnAfterPaint(this);
}

void TResourceAllocationChart::resizeEvent(QResizeEvent*)
{
    Repaint();
}

int TResourceAllocationChart::PaintTo(QPainter* Canvas, const QRect& Rect, int TopIndex)
{
    return PaintTo(Canvas, Rect, TopIndex, *appearance_);
}

int TResourceAllocationChart::PaintTo(QPainter* Canvas, const QRect& Rect, int TopIndex,
                                      const TResourceAllocationChartAppearance& Appearance)
{
    const int first = FirstDisplayedIndex();
    const TRect plot = PlotRect();
    const auto restore = [&] {
        SetFirstDisplayedIndex(first);
        SetPlotRect(plot);
        // Puts the screen's rows, bars and plot back for hit-testing.
        Repaint();
    };
    int last;
    try {
        last = DoPaintTo(*Canvas, Rect, TopIndex, Appearance, false);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return last;
}

void TResourceAllocationChart::focusInEvent(QFocusEvent* event)
{
    Changed();
    QWidget::focusInEvent(event);
}

void TResourceAllocationChart::focusOutEvent(QFocusEvent* event)
{
    ResetMouseState();
    Changed();
    QWidget::focusOutEvent(event);
}

bool TResourceAllocationChart::focusNextPrevChild(bool next)
{
    if (Options().Contains(racWantTabKeys))
        return false;
    return QWidget::focusNextPrevChild(next);
}

}  // namespace tw::chart
