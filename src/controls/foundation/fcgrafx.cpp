#include "controls/foundation/fcgrafx.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace tw::controls {

namespace {

QImage StretchedPart(const QImage& bitmap, const TRect& dest, const TRect& source)
{
    QImage image = MakeBitmap(dest.Width(), dest.Height(), clBlack);
    TFcCanvas c(image);
    c.CopyRect({0, 0, dest.Width(), dest.Height()}, bitmap, source);
    return image;
}

// The image with its transparent pixels made black, and the mask that is
// white where the image was transparent and black elsewhere.
void ImageAndMask(const QImage& bitmap, const TRect& dest, const TRect& source, TColor transparent,
                  QImage& image, QImage& mask)
{
    image = StretchedPart(bitmap, dest, source).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    mask = QImage(image.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    const std::uint32_t key = ToRgb32(transparent) & 0x00FFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        auto* maskLine = reinterpret_cast<std::uint32_t*>(mask.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == key) {
                maskLine[x] = 0xFFFFFFFF;
                // Cleared alpha too, so that OR leaves the canvas's own.
                line[x] = 0;
            }
        }
    }
}

}  // namespace

void DrawTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& dest, const TRect& source,
                           TColor transparent)
{
    if (dest.IsEmpty() || bitmap.isNull())
        return;
    QImage image, mask;
    ImageAndMask(bitmap, dest, source, transparent, image, mask);
    const TCopyMode saved = canvas.CopyMode;
    const TRect whole{0, 0, dest.Width(), dest.Height()};
    canvas.CopyMode = TCopyMode::SrcAnd;
    canvas.CopyRect(dest, mask, whole);
    canvas.CopyMode = TCopyMode::SrcPaint;
    canvas.CopyRect(dest, image, whole);
    canvas.CopyMode = saved;
}

void DrawFullTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& dest,
                               const TRect& source, TColor transparent)
{
    // The same image and mask, and so the same pixels: the transparent colour
    // keeps the canvas, every other colour replaces it.
    DrawTransparentBitmap(canvas, bitmap, dest, source, transparent);
}

namespace {

// Tiles r from its top-left corner, the last column and row cut to r.
template <typename DrawTile>
void ForEachTile(const QImage& bitmap, const TRect& r, DrawTile draw)
{
    if (bitmap.isNull())
        return;
    for (int y = r.Top; y < r.Bottom; y += bitmap.height()) {
        for (int x = r.Left; x < r.Right; x += bitmap.width()) {
            const int w = std::min(bitmap.width(), r.Right - x);
            const int h = std::min(bitmap.height(), r.Bottom - y);
            draw(TRect{x, y, x + w, y + h}, TRect{0, 0, w, h});
        }
    }
}

}  // namespace

void TileTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r, TColor transparent)
{
    ForEachTile(bitmap, r, [&](const TRect& dest, const TRect& source) {
        DrawTransparentBitmap(canvas, bitmap, dest, source, transparent);
    });
}

void StretchTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r, TColor transparent)
{
    DrawTransparentBitmap(canvas, bitmap, r, {0, 0, bitmap.width(), bitmap.height()}, transparent);
}

void TileBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r)
{
    ForEachTile(bitmap, r,
                [&](const TRect& dest, const TRect& source) { canvas.CopyRect(dest, bitmap, source); });
}

void TileRealizedBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r)
{
    if (bitmap.isNull())
        return;
    const int bw = bitmap.width(), bh = bitmap.height();
    const auto mod = [](int a, int b) { return ((a % b) + b) % b; };
    for (int y = r.Top; y < r.Bottom;) {
        const int sy = mod(y, bh);
        const int h = std::min(bh - sy, r.Bottom - y);
        for (int x = r.Left; x < r.Right;) {
            const int sx = mod(x, bw);
            const int w = std::min(bw - sx, r.Right - x);
            canvas.CopyRect({x, y, x + w, y + h}, bitmap, {sx, sy, sx + w, sy + h});
            x += w;
        }
        y += h;
    }
}

void CenterBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r)
{
    const int x = r.Left + (r.Width() - bitmap.width()) / 2;
    const int y = r.Top + (r.Height() - bitmap.height()) / 2;
    canvas.SaveState();
    canvas.IntersectClipRect(r);
    canvas.Draw(x, y, bitmap);
    canvas.RestoreState();
}

void StretchBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r)
{
    canvas.CopyRect(r, bitmap, {0, 0, bitmap.width(), bitmap.height()});
}

void FlipBitmap(QImage& bitmap)
{
    bitmap = bitmap.mirrored(false, true);
}

std::vector<TColor> GradientBands(TColor from, TColor to, int n, int bandRule)
{
    std::vector<TColor> colours(static_cast<size_t>(std::max(n, 0)));
    if (n <= 0)
        return colours;
    const TColor a = ColorToRGB(from), b = ColorToRGB(to);
    const int channelsFrom[3] = {GetRValue(a), GetGValue(a), GetBValue(a)};
    const int channelsTo[3] = {GetRValue(b), GetGValue(b), GetBValue(b)};
    std::int64_t value[3], step[3];
    for (int c = 0; c < 3; ++c) {
        value[c] = static_cast<std::int64_t>(channelsFrom[c]) << 16;
        step[c] = ((static_cast<std::int64_t>(channelsTo[c]) << 16) - value[c]) / n;
    }
    TColor band = RGB(channelsFrom[0], channelsFrom[1], channelsFrom[2]);
    int taken = 0;
    for (int i = 0; i < n; ++i) {
        const TColor here = RGB(static_cast<int>(value[0] >> 16), static_cast<int>(value[1] >> 16),
                                static_cast<int>(value[2] >> 16));
        if (here != band && taken >= bandRule + 1) {
            band = here;
            taken = 0;
        }
        colours[static_cast<size_t>(i)] = band;
        ++taken;
        for (int c = 0; c < 3; ++c)
            value[c] += step[c];
    }
    return colours;
}

namespace {

int LineBandRule(int smoothness)
{
    return std::max(smoothness <= 8 ? smoothness - 1 : 255 / smoothness, 0);
}

int BoxBandRule(int smoothness)
{
    return std::max(smoothness <= 8 ? smoothness - 1 : 256 / smoothness, 0);
}

void FillRows(QImage& image, int y0, int y1, TColor colour)
{
    const std::uint32_t p = ToRgb32(colour);
    for (int y = std::max(y0, 0); y < std::min(y1, image.height()); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::fill(line, line + image.width(), p);
    }
}

void FillColumn(QImage& image, int x, TColor colour)
{
    const std::uint32_t p = ToRgb32(colour);
    for (int y = 0; y < image.height(); ++y)
        reinterpret_cast<std::uint32_t*>(image.scanLine(y))[x] = p;
}

}  // namespace

void PaintGradient(TFcCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop,
                   std::uint8_t smoothness)
{
    const int W = r.Width(), H = r.Height();
    if (W <= 0 || H <= 0)
        return;
    start = ColorToRGB(start);
    stop = ColorToRGB(stop);
    QImage image = MakeBitmap(W, H, start);
    const int lineRule = LineBandRule(smoothness);
    switch (direction) {
    case gdHorizontalEnd: {
        // The pass runs from the bottom row up.
        const auto bands = GradientBands(stop, start, H, lineRule);
        for (int i = 0; i < H; ++i)
            FillRows(image, H - 1 - i, H - i, bands[static_cast<size_t>(i)]);
        break;
    }
    case gdHorizontalCenter: {
        const int mid = H / 2;
        const auto bands = GradientBands(start, stop, mid + 1, lineRule);
        for (int i = 0; i <= mid; ++i) {
            FillRows(image, i, i + 1, bands[static_cast<size_t>(i)]);
            FillRows(image, H - 1 - i, H - i, bands[static_cast<size_t>(i)]);
        }
        break;
    }
    case gdVerticalEnd: {
        const auto bands = GradientBands(start, stop, W, lineRule);
        for (int x = 0; x < W; ++x)
            FillColumn(image, x, bands[static_cast<size_t>(x)]);
        break;
    }
    case gdVerticalCenter: {
        const int mid = W / 2;
        const auto bands = GradientBands(start, stop, mid + 1, lineRule);
        for (int i = 0; i <= mid; ++i) {
            FillColumn(image, i, bands[static_cast<size_t>(i)]);
            FillColumn(image, W - 1 - i, bands[static_cast<size_t>(i)]);
        }
        break;
    }
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox: {
        // Concentric rings about the centre, outer ring in the start colour;
        // one quarter is computed and mirrored into the other three.
        const int cx = (W - 1) / 2, cy = (H - 1) / 2;
        const int rings = std::max(cx, cy) + 1;
        const auto bands = GradientBands(start, stop, rings, BoxBandRule(smoothness));
        // How far out a quarter's pixel lies, 0 at the centre and 1 on the
        // outer edge, by the shape of the rings.
        const auto outward = [&](int dx, int dy) {
            const auto part = [](int a, int b) { return b > 0 ? static_cast<double>(a) / b : 0.0; };
            switch (direction) {
            case gdHorizontalBox: return std::max(part(dx - std::max(cx - cy, 0), cy), part(dy, cy));
            case gdVerticalBox: return std::max(part(dx, cx), part(dy - std::max(cy - cx, 0), cx));
            case gdSquareBox: return part(std::max(dx, dy), rings - 1);
            default: return std::max(part(dx, cx), part(dy, cy));  // rings shaped like the rectangle
            }
        };
        for (int y = 0; y < H; ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            const int dy = cy - std::min(y, H - 1 - y);
            for (int x = 0; x < W; ++x) {
                const int dx = cx - std::min(x, W - 1 - x);
                const double t = std::clamp(outward(dx, dy), 0.0, 1.0);
                const int ring = (rings - 1) - static_cast<int>(std::lround(t * (rings - 1)));  // 0 = outer
                line[x] = ToRgb32(bands[static_cast<size_t>(ring)]);
            }
        }
        break;
    }
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (start == stop)
            break;  // the solid fill above
        const int n = W + H - 1;
        const auto bands = GradientBands(start, stop, n, lineRule);
        for (int y = 0; y < H; ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            const int row = direction == gdDiagonalDown ? y : H - 1 - y;
            for (int x = 0; x < W; ++x)
                line[x] = ToRgb32(bands[static_cast<size_t>(x + row)]);
        }
        break;
    }
    }
    const TCopyMode saved = canvas.CopyMode;
    canvas.CopyMode = TCopyMode::SrcCopy;
    canvas.Draw(r.Left, r.Top, image);
    canvas.CopyMode = saved;
}

void SetTrapezoid(TTrap& t, const TRect& r, int shortLength, TTrapShape shape, TDirection direction,
                  TTrapDirect trapDirect)
{
    const bool vertical = direction == dirUp || direction == dirDown;
    const int length = vertical ? r.Width() : r.Height();
    const int s = std::clamp(shortLength, 0, length);
    const int offset = shape == tsLeft ? 0 : shape == tsCenter ? (length - s) / 2 : length - s;
    if (vertical) {
        const bool shortOnTop = (trapDirect == tdLargeToSmall && direction == dirUp)
            || (trapDirect == tdSmallToLarge && direction == dirDown);
        const TPoint shortA{r.Left + offset, shortOnTop ? r.Top : r.Bottom};
        const TPoint shortB{r.Left + offset + s, shortOnTop ? r.Top : r.Bottom};
        const TPoint longA{r.Left, shortOnTop ? r.Bottom : r.Top};
        const TPoint longB{r.Right, shortOnTop ? r.Bottom : r.Top};
        t = shortOnTop ? TTrap{shortA, shortB, longB, longA} : TTrap{longA, longB, shortB, shortA};
    } else {
        const bool shortOnLeft = (trapDirect == tdLargeToSmall && direction == dirLeft)
            || (trapDirect == tdSmallToLarge && direction == dirRight);
        const TPoint shortA{shortOnLeft ? r.Left : r.Right, r.Top + offset};
        const TPoint shortB{shortOnLeft ? r.Left : r.Right, r.Top + offset + s};
        const TPoint longA{shortOnLeft ? r.Right : r.Left, r.Top};
        const TPoint longB{shortOnLeft ? r.Right : r.Left, r.Bottom};
        // Corners in order top-left, top-right, bottom-right, bottom-left.
        t = shortOnLeft ? TTrap{shortA, longA, longB, shortB} : TTrap{longA, shortA, shortB, longB};
    }
}

namespace {

int XAt(const TPoint& a, const TPoint& b, int y)
{
    if (b.y == a.y)
        return a.x;
    return static_cast<int>(b.x - static_cast<double>(b.x - a.x) / (b.y - a.y) * (b.y - y));
}

int YAt(const TPoint& a, const TPoint& b, int x)
{
    if (b.x == a.x)
        return a.y;
    return static_cast<int>(b.y - static_cast<double>(b.y - a.y) / (b.x - a.x) * (b.x - x));
}

}  // namespace

void AdjustTrapezoid(const TTrap& t, const TRect& r, TDirection direction, TTrap& out)
{
    out = t;
    if (direction == dirUp || direction == dirDown) {
        out[0] = {XAt(t[3], t[0], r.Top), r.Top};
        out[3] = {XAt(t[0], t[3], r.Bottom), r.Bottom};
        out[1] = {XAt(t[2], t[1], r.Top), r.Top};
        out[2] = {XAt(t[1], t[2], r.Bottom), r.Bottom};
    } else {
        out[0] = {r.Left, YAt(t[1], t[0], r.Left)};
        out[1] = {r.Right, YAt(t[0], t[1], r.Right)};
        out[3] = {r.Left, YAt(t[2], t[3], r.Left)};
        out[2] = {r.Right, YAt(t[3], t[2], r.Right)};
    }
}

void InflateTrapezoid(TTrap& t, int a)
{
    t[0] = {t[0].x - a, t[0].y - a};
    t[1] = {t[1].x + a, t[1].y - a};
    t[2] = {t[2].x + a, t[2].y + a};
    t[3] = {t[3].x - a, t[3].y + a};
}

void DrawTrapezoidBorder(TFcCanvas& canvas, const TTrap& t, TTrapBevelStyle style, int width)
{
    const TFcPen saved = canvas.Pen;
    canvas.Pen.Width = 1;
    if (width < 1) {
        canvas.Pen = saved;
        return;
    }
    const TColor a = style == bsLowered ? clBtnHighlight : clBtnShadow;
    const TColor b = style == bsLowered ? clBtnShadow : clBtnHighlight;
    canvas.Pen.Style = TPenStyle::Solid;
    for (int i = 0; i < width; ++i) {
        canvas.MoveTo(t[1].x - i - 1, t[1].y + i);
        canvas.Pen.Color = a;
        canvas.LineTo(t[2].x - i - 1, t[2].y - i - 1);
        canvas.LineTo(t[3].x + i, t[3].y - i - 1);
        canvas.Pen.Color = b;
        canvas.LineTo(t[0].x + i, t[0].y + i);
        canvas.LineTo(t[1].x - i - 1, t[1].y + i);
    }
    canvas.Pen = saved;
}

void DrawParentImage(QWidget* control, TFcCanvas& canvas, bool invalidateParent)
{
    if (!control || !control->parentWidget())
        return;
    QWidget* parent = control->parentWidget();
    const QRect area = control->geometry().intersected(parent->rect());
    QPainter& p = canvas.BeginPainter();
    p.translate(-control->x(), -control->y());
    // Only the parent's own drawing: its children, the control among them,
    // stay out.
    parent->render(&p, area.topLeft(), QRegion(area), QWidget::DrawWindowBackground);
    canvas.EndPainter();
    if (invalidateParent)
        parent->update(area);
}

}  // namespace tw::controls
