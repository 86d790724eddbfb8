#include "controls/sizing/fcsplitdraw.h"

#include "controls/foundation/fccommon.h"

#include <QPainter>
#include <QPixmap>

#include <cstdlib>

namespace tw::controls {

void DrawSplitBarStyle(TFcCanvas& canvas, const TRect& bar, bool standingBar, TSplitterStyle style,
                       TColor color)
{
    if (style == ssStandard)
        return;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = color;
    canvas.FillRect(bar);
    const TFrameStyle frame = style == ssGroove ? fsStatus : fsPopup;
    if (standingBar) {
        const int mid = bar.Left + bar.Width() / 2;
        DrawBorder(canvas, {mid - 3, bar.Top, mid, bar.Bottom}, frame);
        DrawBorder(canvas, {mid, bar.Top, mid + 3, bar.Bottom}, frame);
    } else {
        const int mid = bar.Top + bar.Height() / 2;
        DrawBorder(canvas, {bar.Left, mid - 3, bar.Right, mid}, frame);
        DrawBorder(canvas, {bar.Left, mid, bar.Right, mid + 3}, frame);
    }
}

namespace {

void Arrow(TFcCanvas& canvas, int x, int y, TDirection d)
{
    std::vector<TPoint> p;
    switch (d) {
    case dirLeft: p = {{x + 1, y - 2}, {x - 1, y}, {x + 1, y + 2}}; break;
    case dirRight: p = {{x - 1, y - 2}, {x + 1, y}, {x - 1, y + 2}}; break;
    case dirUp: p = {{x - 2, y + 1}, {x, y - 1}, {x + 2, y + 1}}; break;
    case dirDown: p = {{x - 2, y - 1}, {x, y + 1}, {x + 2, y - 1}}; break;
    }
    canvas.Polygon(p);
}

}  // namespace

void DrawHotSpot(TFcCanvas& canvas, const TRect& h, const THotSpotLook& look)
{
    const int cx = h.Left + h.Width() / 2;
    const int cy = h.Top + h.Height() / 2;
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Pen.Width = 1;
    const TRect r = DrawSides(canvas, h, clBtnShadow, clBtnShadow, kAllSides);
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = look.Fill == hfWhole ? look.HighlightColor : clBtnFace;
    canvas.FillRect(r);
    if (look.Fill == hfFirstHalf || look.Fill == hfSecondHalf) {
        canvas.Brush.Color = look.HighlightColor;
        const bool first = look.Fill == hfFirstHalf;
        if (look.StandingBar)
            canvas.FillRect(first ? TRect{r.Left, r.Top, r.Right, cy} : TRect{r.Left, cy, r.Right, r.Bottom});
        else
            canvas.FillRect(first ? TRect{r.Left, r.Top, cx, r.Bottom} : TRect{cx, r.Top, r.Right, r.Bottom});
    }
    DrawSides(canvas, r, clBtnHighlight, clNone, SideBit(sdLeft) | SideBit(sdTop));
    if (look.Divider) {
        if (look.StandingBar) {
            canvas.Pen.Color = clBtnShadow;
            canvas.MoveTo(h.Left, cy);
            canvas.LineTo(h.Right, cy);
            canvas.Pen.Color = clBtnHighlight;
            canvas.MoveTo(h.Left + 1, cy - 1);
            canvas.LineTo(h.Right - 1, cy - 1);
        } else {
            canvas.Pen.Color = clBtnShadow;
            canvas.MoveTo(cx, h.Top);
            canvas.LineTo(cx, h.Bottom);
            canvas.Pen.Color = clBtnHighlight;
            canvas.MoveTo(cx - 1, h.Top + 1);
            canvas.LineTo(cx - 1, h.Bottom - 1);
        }
    }
    canvas.Pen.Color = clHighlight;
    canvas.Brush.Color = clHighlight;
    const TDirection toMin = look.StandingBar ? dirLeft : dirUp;
    const TDirection toMax = look.StandingBar ? dirRight : dirDown;
    if (look.StandingBar) {
        Arrow(canvas, cx, h.Top + 8, look.FirstTowardMin ? toMin : toMax);
        Arrow(canvas, cx, h.Bottom - 8, look.SecondTowardMin ? toMin : toMax);
    } else {
        Arrow(canvas, h.Left + 8, cy, look.FirstTowardMin ? toMin : toMax);
        Arrow(canvas, h.Right - 8, cy, look.SecondTowardMin ? toMin : toMax);
    }
    const int length = look.StandingBar ? h.Height() : h.Width();
    const int centre = look.StandingBar ? cy : cx;
    for (int i = 0; i <= (length - 32) / 3; ++i) {
        const int a = (look.StandingBar ? h.Top : h.Left) + 15 + 3 * i;
        const int b = a + 1;
        if (look.SkipCentreDots && (std::abs(a - centre) < 4 || std::abs(b - centre) < 4))
            continue;
        if (look.StandingBar) {
            canvas.SetPixel(cx, a, clHighlightText);
            canvas.SetPixel(cx + 1, b, clHighlight);
        } else {
            canvas.SetPixel(a, cy, clHighlightText);
            canvas.SetPixel(b, cy + 1, clHighlight);
        }
    }
}

QImage OutlineImage(int width, int height)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb grey = qRgb(128, 128, 128);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = (y + 1) % 2; x < image.width(); x += 2)
            line[x] = grey;
    }
    return image;
}

TFcSplitOutline::TFcSplitOutline(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TFcSplitOutline::ShowAt(const TRect& r)
{
    shown_ = r;
    if (r.IsEmpty()) {
        hide();
        return;
    }
    setGeometry(r.Left, r.Top, r.Width(), r.Height());
    raise();
    show();
    update();
}

void TFcSplitOutline::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The pattern keeps to the parent's grid, so moving it does not shimmer.
    const int shift = (shown_.Left + shown_.Top) % 2 != 0 ? 1 : 0;
    const QImage pattern = OutlineImage(width() + 1, height());
    p.drawImage(0, 0, pattern, shift, 0, width(), height());
}

namespace {

QCursor MakeHotSpotCursor(bool standingBar)
{
    // The split cursor's two lines and arrows with a small button beside them.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!standingBar)
        p.translate(32, 0), p.rotate(90);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    p.fillRect(13, 6, 6, 20, white);
    p.fillRect(14, 7, 1, 18, black);
    p.fillRect(17, 7, 1, 18, black);
    const QPolygon left({QPoint(12, 12), QPoint(6, 16), QPoint(12, 20)});
    const QPolygon right({QPoint(20, 12), QPoint(26, 16), QPoint(20, 20)});
    p.setPen(white);
    p.setBrush(black);
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.setPen(black);
    p.setBrush(white);
    p.drawRect(21, 22, 8, 8);
    p.end();
    return QCursor(pixmap, 16, 16);
}

}  // namespace

QCursor SplitCursor(bool standingBar, bool overHotSpot)
{
    if (!overHotSpot)
        return QCursor(standingBar ? Qt::SplitHCursor : Qt::SplitVCursor);
    static const QCursor horizontal = MakeHotSpotCursor(true);
    static const QCursor vertical = MakeHotSpotCursor(false);
    return standingBar ? horizontal : vertical;
}

}  // namespace tw::controls
