// Drawing of the chart: one routine for the screen's back buffer, an image
// in a test or a printer page.

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

#include "chart/charttime.h"
#include "chart/resourceallocationchart.h"

namespace tw::chart {

namespace {

// An event-supplied series of lines or labels ends here, whatever it returns.
constexpr int kMaxEventSeries = 100;
// A stepped series denser than this paints nothing readable; it stops here
// rather than hanging the paint.
constexpr long long kMaxSteppedSeries = 100000;
// Instants are compared with the period's ends to well under a millisecond,
// so that a series built by adding steps still meets its end exactly.
constexpr double kInstantEpsilon = 1e-9;

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

bool VisibleLine(Qt::PenStyle style, int width)
{
    return style != Qt::NoPen && width > 0;
}

}  // namespace

struct TResourceAllocationChart::PaintContext {
    explicit PaintContext(const TResourceAllocationChartAppearance& Appearance) : ap(Appearance) {}

    const TResourceAllocationChartAppearance& ap;
    QRect rect;
    TRect plot = kUnsetRect;
    int hd = 0;
    int rh = 0;
    int pitch = 0;
    int axisHeight = 0;
    int topIndex = 0;
    bool onScreen = false;
    bool scrollBarShown = false;
    int scrollBarWidth = 0;
    QPen pen;
    QBrush brush;
    QString prevDate;
    int prevDateRight = 0;

    int RowTop(int index) const
    {
        return plot.Top + ap.RowGap() / 2 + ap.ResourceTopMarginRows() * pitch + (index - topIndex) * pitch;
    }
};

void TResourceAllocationChart::RestorePainter(QPainter& p, const PaintContext& c)
{
    p.setPen(c.pen);
    p.setBrush(c.brush);
    p.setFont(c.ap.ResourceNameFont());
}

int TResourceAllocationChart::WidestName(const QFont& Font, QPaintDevice* Device)
{
    QFont font(Font, Device);
    if (nameWidth_ >= 0 && nameWidthGeneration_ == NamesGeneration() && nameWidthFont_ == font)
        return nameWidth_;
    const QFontMetrics fm(font, Device);
    int widest = 0;
    for (int i = 0; i < Count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(Resources(i)->Name()));
    nameWidthFont_ = font;
    nameWidthGeneration_ = NamesGeneration();
    nameWidth_ = widest;
    return widest;
}

void TResourceAllocationChart::DrawFrame(QPainter& p, QRect& r)
{
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const QColor light = ToQColor(clBtnHighlight);
        const QColor dark = ToQColor(clBtnShadow);
        const QColor& topLeft = cut == bvRaised ? light : dark;
        const QColor& bottomRight = cut == bvRaised ? dark : light;
        for (int i = 0; i < bevelWidth_ && r.width() > 1 && r.height() > 1; ++i) {
            p.setPen(topLeft);
            p.drawLine(r.left(), r.top(), r.right(), r.top());
            p.drawLine(r.left(), r.top(), r.left(), r.bottom());
            p.setPen(bottomRight);
            p.drawLine(r.right(), r.top(), r.right(), r.bottom());
            p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
            r.adjust(1, 1, -1, -1);
        }
    };
    bevel(bevelOuter_);
    if (borderWidth_ > 0) {
        const QColor face = ToQColor(appearance_->Color());
        const QRect inner = r.adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
        p.fillRect(QRect(r.left(), r.top(), r.width(), borderWidth_), face);
        p.fillRect(QRect(r.left(), inner.bottom() + 1, r.width(), borderWidth_), face);
        p.fillRect(QRect(r.left(), r.top(), borderWidth_, r.height()), face);
        p.fillRect(QRect(inner.right() + 1, r.top(), borderWidth_, r.height()), face);
        r = inner;
    }
    bevel(bevelInner_);
}

int TResourceAllocationChart::DoPaintTo(QPainter& p, const QRect& Rect, int TopIndex,
                                        const TResourceAllocationChartAppearance& ap, bool OnScreen)
{
    TopIndex = std::max(TopIndex, 0);
    BeginLayout(TopIndex);
    if (!(EndAt() > StartAt()))
        return -1;

    PaintContext c(ap);
    c.rect = Rect;
    c.topIndex = TopIndex;
    c.onScreen = OnScreen;
    c.pen = p.pen();
    c.brush = p.brush();
    const auto progress = [&](TDrawProgress step, const QRect& area) {
        if (OnDrawProgress) {
            OnDrawProgress(
                this, &p,
                TRect{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()}, step);
            RestorePainter(p, c);
        }
    };
    progress(dpBeforeStart, Rect);

    QRect r = Rect;
    DrawFrame(p, r);
    c.rect = r;

    const QFontMetrics dateMetrics(QFont(ap.DateTimeFont(), p.device()), p.device());
    const QFontMetrics nameMetrics(QFont(ap.ResourceNameFont(), p.device()), p.device());
    c.hd = dateMetrics.height();
    int hn = nameMetrics.height();
    if (hn % 2)
        ++hn;
    c.rh = ap.RowHeight() > 0 ? ap.RowHeight() : hn;
    c.pitch = c.rh + ap.RowGap() + 1;

    const bool ownerDrawNames = Options().Contains(racOwnerDrawResourceNames);
    TRect plot{r.left(), r.top() + 2, r.left() + r.width() - 1, r.top() + r.height() - 1};
    if (ap.ResourceNameWidth() > 0)
        plot.Left += ap.ResourceNameWidth();
    else if (ap.ResourceNameWidth() == 0 && !ownerDrawNames)
        plot.Left += WidestName(ap.ResourceNameFont(), p.device()) + 8;

    switch (ap.DateTimeStyle()) {
    case dtNone: c.axisHeight = 0; break;
    case dtTimeOnly:
    case dtDateOnly: c.axisHeight = c.hd; break;
    default: c.axisHeight = 2 * c.hd; break;
    }
    if (Options().Contains(racDateAxisAtTop))
        plot.Top += c.axisHeight;
    if (Options().Contains(racDateAxisAtBottom))
        plot.Bottom -= c.axisHeight;

    const int gap = ap.RowGap();
    const auto rowsThatFit = [&](const TRect& area) {
        return std::max(0,
                        (area.Bottom - ap.ResourceBottomMarginRows() * c.pitch
                         - (area.Top + gap / 2 + ap.ResourceTopMarginRows() * c.pitch) + gap)
                            / c.pitch);
    };
    if (OnScreen) {
        c.scrollBarWidth = scrollBar_->sizeHint().width();
        // Decided on this paint's height, not the last one's: after a resize
        // the scroll bar would otherwise linger until the next repaint.
        const int fitNow = rowsThatFit(plot);
        c.scrollBarShown =
            !Options().Contains(racScrollBarOnlyIfNecessary) || (Count() > fitNow && fitNow >= 1);
        scrollBar_->setVisible(c.scrollBarShown);
        if (c.scrollBarShown)
            plot.Right -= c.scrollBarWidth;
    }
    if (OnAdjustPlotRect)
        OnAdjustPlotRect(this, &p, plot);
    c.plot = plot;
    SetPlotRect(plot);

    SetRowsThatFit(rowsThatFit(plot));
    progress(dpFrameDone, r);

    // Background.
    p.fillRect(r, ToQColor(ap.Color()));
    if (Options().Contains(racShowFocusRect) && OnScreen && hasFocus()) {
        p.setPen(QPen(ToQColor(clWindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.fillRect(ToQRect(plot), ToQColor(ap.PlotBackColor()));
    DrawBands(p, c);
    progress(dpBackgroundDone, r);

    DrawDateLines(p, c);
    DrawDateLabels(p, c);
    RestorePainter(p, c);

    // Name column and row positions.
    const int limit = plot.Bottom - ap.ResourceBottomMarginRows() * c.pitch;
    const int textLeft = r.left() + (ownerDrawNames ? 0 : 4);
    const bool nameColumn = ap.ResourceNameWidth() >= 0;
    const Qt::Alignment align = ap.ResourceNameAlignment() & Qt::AlignHorizontal_Mask;
    for (int i = TopIndex; i < Count(); ++i) {
        const int y = c.RowTop(i);
        if (!(y + c.rh < limit))
            break;
        RecordDisplayedRow(i);
        TRACResource* row = Resources(i);
        if (!nameColumn) {
            // Without a name column the rows are drawn but cannot be hit.
            PlaceRow(i, -1, -1);
            continue;
        }
        if (ownerDrawNames) {
            if (OnOwnerDrawResourceName) {
                OnOwnerDrawResourceName(this, row, &p,
                                        TRect{textLeft, y - gap / 2, plot.Left, y - gap / 2 + c.rh + gap});
                RestorePainter(p, c);
            }
        } else {
            TColor fore = ap.ResourceNameFontColor();
            TColor back = ap.Color();
            if (OnDrawResourceName)
                OnDrawResourceName(this, row, fore, back);
            if (back != ap.Color())
                p.fillRect(QRect(r.left(), y - gap / 2, plot.Left - r.left(), c.rh + gap), ToQColor(back));
            QRect textRect(textLeft, y, plot.Left - textLeft, c.rh);
            if (align & Qt::AlignRight)
                textRect.translate(-4, 0);
            p.setFont(ap.ResourceNameFont());
            p.setPen(ToQColor(fore));
            p.setBrush(Qt::NoBrush);
            const QString text =
                nameMetrics.elidedText(row->Name(), Qt::ElideRight, std::max(textRect.width(), 0));
            p.drawText(textRect, int(align | Qt::AlignVCenter | Qt::TextSingleLine), text);
        }
        PlaceRow(i, y, y + c.rh);
    }
    RestorePainter(p, c);

    const int first = TopIndex;
    const int last = LastDisplayedIndex();
    p.setClipRect(ToQRect(plot));

    // Row lines.
    const bool resourceLine = VisibleLine(ap.ResourceLineStyle(), ap.ResourceLineWidth());
    const bool separatorLine = VisibleLine(ap.ResourceSeparatorLineStyle(), ap.ResourceSeparatorLineWidth());
    if (resourceLine || separatorLine) {
        const QPen linePen(ToQColor(ap.ResourceLineColor()), ap.ResourceLineWidth(), ap.ResourceLineStyle());
        const QPen sepPen(ToQColor(ap.ResourceSeparatorLineColor()), ap.ResourceSeparatorLineWidth(),
                          ap.ResourceSeparatorLineStyle());
        for (int i = first; i <= last; ++i) {
            const int y = c.RowTop(i);
            if (resourceLine) {
                p.setPen(linePen);
                p.drawLine(plot.Left, y + c.rh / 2, plot.Right, y + c.rh / 2);
            }
            if (separatorLine) {
                p.setPen(sepPen);
                p.drawLine(plot.Left, y + c.rh + gap / 2, plot.Right, y + c.rh + gap / 2);
            }
        }
        p.setPen(QPen(ToQColor(clWindowText), 1, Qt::SolidLine));
    }
    p.setClipping(false);
    progress(dpLabelsDone, r);
    p.setClipRect(ToQRect(plot));

    // Bars, shadows first.
    const bool ownerDrawBars = Options().Contains(racOwnerDrawAllocations);
    const int depth = ap.ShadowDepth();
    for (int pass = 0; pass < 2; ++pass) {
        const bool shadow = pass == 0;
        // Without shadows the first pass draws nothing, but the progress step
        // between the passes still comes: applications draw under the bars there.
        for (int i = first; i <= last && !(shadow && depth == 0); ++i) {
            TRACResource* row = Resources(i);
            const int y = c.RowTop(i);
            for (int j = 0; j < row->Count(); ++j) {
                TResourceAllocation* bar = row->Allocations(j);
                if (bar->EndAt() < StartAt() || bar->StartAt() > EndAt()) {
                    bar->SetDisplayRect(kUnsetRect);
                    continue;
                }
                const int x1 = DateTimeToX(bar->StartAt());
                const int x2 = DateTimeToX(bar->EndAt());
                bar->SetDisplayRect(TRect{x1, y, x2, y + c.rh});
                const int d = shadow ? depth : 0;
                if (ownerDrawBars) {
                    if (OnOwnerDrawAllocation) {
                        OnOwnerDrawAllocation(this, row, bar, &p, TRect{x1 + d, y + d, x2 + d, y + d + c.rh});
                        RestorePainter(p, c);
                    }
                    continue;
                }
                if (shadow) {
                    const QColor shade = ToQColor(ap.ShadowColor());
                    p.setPen(QPen(shade, 1));
                    p.setBrush(shade);
                } else {
                    const QColor fill = ToQColor(bar->Color());
                    QPen pen(bar->Style() == rsLine ? fill : ToQColor(clWindowText), 1);
                    QBrush brush(fill);
                    if (OnAllocationDraw)
                        OnAllocationDraw(this, row, bar, pen, brush);
                    p.setPen(pen);
                    p.setBrush(brush);
                }
                DrawShape(p, bar->Style(), x1 + d, x2 + d, y + d, c.rh);
            }
        }
        if (shadow) {
            p.setClipping(false);
            progress(dpShadowsDone, r);
            p.setClipRect(ToQRect(plot));
        }
    }
    p.setClipping(false);
    progress(dpAllocationsDone, r);

    p.setPen(QPen(ToQColor(ap.PlotBorderColor()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(plot.Left, plot.Top, plot.Right - plot.Left - 1, plot.Bottom - plot.Top - 1));

    if (OnScreen)
        PlaceScrollBar(c);
    progress(dpAllDone, r);
    RestorePainter(p, c);
    return last;
}

void TResourceAllocationChart::PlaceScrollBar(const PaintContext& c)
{
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setGeometry(c.plot.Right + 1, c.plot.Top + 1, c.scrollBarWidth, c.plot.Bottom - c.plot.Top);
    const int fit = RowsThatFit();
    const bool enabled = Count() > fit && fit >= 1;
    scrollBar_->setEnabled(enabled);
    if (enabled) {
        // The last position leaves one empty row place below the last row,
        // as the row arithmetic of scrolling expects.
        scrollBar_->setRange(0, Count() - fit + 1);
        scrollBar_->setPageStep(fit);
        scrollBar_->setSingleStep(1);
    }
}

void TResourceAllocationChart::DrawShape(QPainter& p, TResourceDisplayStyle Style, int x1, int x2, int y,
                                         int RH)
{
    const int yb = y + RH;
    const int ym = y + RH / 2;
    const int t = RH / 3;
    const int a = std::min(RH / 2, (x2 - x1) / 2);
    const int b = a / 2;
    const auto verticalLine = [&] { p.drawLine(x1, y, x1, y + RH - 1); };
    const auto thickLine = [&](int from, int to) {
        QPen pen = p.pen();
        pen.setWidth(3);
        const QPen old = p.pen();
        p.setPen(pen);
        p.drawLine(from, ym, to, ym);
        p.setPen(old);
    };
    switch (Style) {
    case rsLineArrow:
        p.drawPolygon(QPolygon({QPoint(x1, ym), QPoint(x1 + a, y), QPoint(x1 + a, yb)}));
        p.drawPolygon(QPolygon({QPoint(x2, ym), QPoint(x2 - a, y), QPoint(x2 - a, yb)}));
        thickLine(x1 + a + 1, x2 - a - 1);
        break;
    case rsBlock:
        if (x1 == x2)
            verticalLine();
        else
            p.drawRect(QRect(x1, y, x2 - x1 - 1, RH - 1));
        break;
    case rsBlockArrow:
        p.drawPolygon(QPolygon({QPoint(x1, ym), QPoint(x1 + a, y), QPoint(x1 + a, y + t),
                                QPoint(x2 - a, y + t), QPoint(x2 - a, y), QPoint(x2, ym), QPoint(x2 - a, yb),
                                QPoint(x2 - a, yb - t), QPoint(x1 + a, yb - t), QPoint(x1 + a, yb)}));
        break;
    case rsUpCalliper:
        p.drawPolygon(QPolygon({QPoint(x1, y), QPoint(x1 + b, ym), QPoint(x2 - b, ym), QPoint(x2, y),
                                QPoint(x2, yb - 1), QPoint(x1, yb - 1)}));
        break;
    case rsDownCalliper:
        p.drawPolygon(QPolygon({QPoint(x1, y), QPoint(x2, y), QPoint(x2, yb - 1), QPoint(x2 - b, ym),
                                QPoint(x1 + b, ym), QPoint(x1, yb - 1)}));
        break;
    case rsRoundRect:
        if (x1 == x2)
            verticalLine();
        else
            p.drawRoundedRect(QRect(x1, y, x2 - x1 - 1, RH - 1), a / 2.0, a / 2.0);
        break;
    case rsEllipse:
        if (x1 == x2)
            verticalLine();
        else
            p.drawEllipse(QRect(x1, y, x2 - x1 - 1, RH - 1));
        break;
    case rsPointedBlock:
        p.drawPolygon(QPolygon({QPoint(x1 + a, y), QPoint(x2 - a, y), QPoint(x2, ym), QPoint(x2 - a, yb),
                                QPoint(x1 + a, yb), QPoint(x1, ym)}));
        break;
    case rsLine: thickLine(x1, x2); break;
    }
}

void TResourceAllocationChart::DrawBands(QPainter& p, const PaintContext& c)
{
    const double interval = c.ap.PlotBackAlternateInterval();
    if (!(interval > 0))
        return;
    if (c.ap.PlotBackAlternateColor() == c.ap.PlotBackColor() && !OnGetPlotBackground)
        return;
    const TDateTime origin = FirstBandStart(c.ap.DateLineBase(), interval, StartAt());
    bool alternate = true;
    for (long long k = 0; k < kMaxSteppedSeries; ++k, alternate = !alternate) {
        const TDateTime t = origin + static_cast<double>(k) * interval;
        if (t > EndAt())
            break;
        TColor color = alternate ? c.ap.PlotBackAlternateColor() : c.ap.PlotBackColor();
        if (OnGetPlotBackground) {
            OnGetPlotBackground(this, &p, t, t + interval, color);
            RestorePainter(p, c);
        }
        const int left = std::max(DateTimeToX(t), c.plot.Left);
        const int right = std::min(DateTimeToX(t + interval), c.plot.Right);
        if (right > left)
            p.fillRect(QRect(left, c.plot.Top, right - left, c.plot.Bottom - c.plot.Top), ToQColor(color));
    }
}

void TResourceAllocationChart::DrawDateLine(QPainter& p, const PaintContext& c, int x)
{
    p.setPen(QPen(ToQColor(c.ap.DateLineColor()), 1, c.ap.DateLineStyle()));
    p.drawLine(x, c.plot.Top - 2, x, c.plot.Bottom);
}

void TResourceAllocationChart::DrawDateLines(QPainter& p, const PaintContext& c)
{
    if (OnDrawDateLine) {
        TDateTime t = StartAt();
        OnDrawDateLine(this, t);
        for (int n = 0; StartAt() <= t && t <= EndAt() && n < kMaxEventSeries; ++n) {
            DrawDateLine(p, c, DateTimeToX(t));
            OnDrawDateLine(this, t);
        }
        return;
    }
    const double interval = c.ap.DateLineInterval();
    if (!(interval > 0) || c.ap.DateLineStyle() == Qt::NoPen || std::nearbyint(interval * kSecondsPerDay) < 1)
        return;
    const TDateTime first = FirstSteppedInstant(c.ap.DateLineBase(), interval, StartAt());
    for (long long k = 0; k < kMaxSteppedSeries; ++k) {
        const TDateTime t = first + static_cast<double>(k) * interval;
        if (!(t < EndAt() - kInstantEpsilon))
            break;
        const int x = DateTimeToX(t);
        if (x < c.plot.Right)
            DrawDateLine(p, c, x);
    }
}

void TResourceAllocationChart::DrawDateLabels(QPainter& p, PaintContext& c)
{
    const bool top = Options().Contains(racDateAxisAtTop);
    const bool bottom = Options().Contains(racDateAxisAtBottom);
    if (c.ap.DateTimeStyle() == dtNone || (!top && !bottom))
        return;
    p.setBrush(Qt::NoBrush);
    p.setFont(c.ap.DateTimeFont());
    c.prevDate.clear();
    c.prevDateRight = 0;
    if (OnDrawDateLabel) {
        TDateTime t = StartAt();
        OnDrawDateLabel(this, t);
        for (int n = 0; StartAt() <= t && t <= EndAt() && n < kMaxEventSeries; ++n) {
            DrawDateLabel(p, c, t);
            OnDrawDateLabel(this, t);
        }
        return;
    }
    double interval = c.ap.DateLabelInterval();
    if (interval == 0) {
        const QFontMetrics fm(QFont(c.ap.DateTimeFont(), p.device()), p.device());
        const TDateTime now = tw::Now();
        const int width = std::max(fm.horizontalAdvance(MyDateToStr(now, c.ap.DateFormat())),
                                   fm.horizontalAdvance(MyTimeToStr(now, c.ap.TimeFormat())));
        interval = AutomaticLabelInterval(width, c.plot.Width(), EndAt() - StartAt());
    }
    if (std::nearbyint(interval * kSecondsPerDay) < 1) {
        DrawDateLabel(p, c, StartAt());
        DrawDateLabel(p, c, EndAt());
        return;
    }
    const bool lineAtLabel = c.ap.DateLineInterval() == 0 && c.ap.DateLineStyle() != Qt::NoPen;
    const TDateTime first = FirstSteppedInstant(c.ap.DateLabelBase(), interval, StartAt());
    for (long long k = 0; k < kMaxSteppedSeries; ++k) {
        const TDateTime t = first + static_cast<double>(k) * interval;
        if (t > EndAt() + kInstantEpsilon)
            break;
        if (lineAtLabel) {
            DrawDateLine(p, c, DateTimeToX(t));
            p.setFont(c.ap.DateTimeFont());
        }
        DrawDateLabel(p, c, t);
    }
}

void TResourceAllocationChart::DrawDateLabel(QPainter& p, PaintContext& c, TDateTime t)
{
    const int x = DateTimeToX(t);
    if (Options().Contains(racOwnerDrawDateLabels)) {
        if (OnOwnerDrawDateLabel) {
            OnOwnerDrawDateLabel(this, &p, x, t);
            RestorePainter(p, c);
            p.setFont(c.ap.DateTimeFont());
        }
        return;
    }
    QString dateText = MyDateToStr(t, c.ap.DateFormat());
    QString timeText = MyTimeToStr(t, c.ap.TimeFormat());
    if (OnGetDateTimeLabelText)
        OnGetDateTimeLabelText(this, t, dateText, timeText);
    if (dateText.isEmpty() && timeText.isEmpty())
        return;

    p.setFont(c.ap.DateTimeFont());
    p.setPen(ToQColor(c.ap.DateTimeFontColor()));
    p.setBrush(Qt::NoBrush);
    const QFontMetrics fm(p.font(), p.device());
    const int right = c.plot.Right - 1 + (c.scrollBarShown ? c.scrollBarWidth : 0);
    const int dateHalf = fm.horizontalAdvance(dateText) / 2;
    const int timeHalf = fm.horizontalAdvance(timeText) / 2;
    const bool timeFits = !timeText.isEmpty() && x - timeHalf > 0 && x + timeHalf < right;
    bool dateFits =
        !dateText.isEmpty() && x - dateHalf > 0 && x + dateHalf < right && x - dateHalf > c.prevDateRight;

    const TDateTimeStyle style = c.ap.DateTimeStyle();
    if ((style == dtTimeAndDate || style == dtDateAndTime) && dateText == c.prevDate)
        dateFits = false;
    // Which line of the two-line block each text takes.
    enum Line { None, Upper, Lower };
    Line dateLine = None;
    Line timeLine = None;
    switch (style) {
    case dtTimeOnly: timeLine = Lower; break;
    case dtDateOnly: dateLine = Lower; break;
    case dtTimeAndDate:
    case dtTimeAndFirstDate:
        timeLine = Upper;
        dateLine = Lower;
        break;
    case dtDateAndTime:
    case dtFirstDateAndTime:
        dateLine = Upper;
        timeLine = Lower;
        break;
    case dtNone: return;
    }
    const bool writeDate = dateLine != None && dateFits;
    const bool writeTime = timeLine != None && timeFits;
    const auto write = [&](int blockEnd) {
        const auto lineTop = [&](Line line) { return line == Upper ? blockEnd - 2 * c.hd : blockEnd - c.hd; };
        if (writeDate)
            p.drawText(QPoint(x - dateHalf, lineTop(dateLine) + fm.ascent()), dateText);
        if (writeTime)
            p.drawText(QPoint(x - timeHalf, lineTop(timeLine) + fm.ascent()), timeText);
    };
    if (Options().Contains(racDateAxisAtTop))
        write(c.plot.Top - 2);
    if (Options().Contains(racDateAxisAtBottom))
        write(c.plot.Bottom + 1 + c.axisHeight);
    if (writeDate) {
        c.prevDate = dateText;
        c.prevDateRight = x + dateHalf;
    }
}

}  // namespace tw::chart
