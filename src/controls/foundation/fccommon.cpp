#include "controls/foundation/fccommon.h"

#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcthemesrv.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tw::controls {

const TColor ULFrameColor[kFrameStyleCount] = {clWindow,    cl3DDkShadow,   clBtnShadow,  clBtnHighlight,
                                               clBtnShadow, clNone,         cl3DDkShadow, clNone,
                                               clBtnShadow, clBtnHighlight, clBtnShadow};
const TColor LRFrameColor[kFrameStyleCount] = {clWindow,       cl3DDkShadow, clBtnHighlight, clBtnShadow,
                                               clBtnHighlight, clNone,       clBtnFace,      clNone,
                                               clBtnHighlight, clBtnShadow,  clBtnShadow};

namespace {
int RoundEven(double x)
{
    return static_cast<int>(std::nearbyint(x));
}
}  // namespace

TRect DrawSides(TFcCanvas& canvas, const TRect& r, TColor first, TColor second, TSides sides)
{
    TRect inner = r;
    canvas.Pen.Color = first;
    if (HasSide(sides, sdLeft)) {
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Left, r.Bottom);
        ++inner.Left;
    }
    if (HasSide(sides, sdTop)) {
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        ++inner.Top;
    }
    canvas.Pen.Color = second;
    if (HasSide(sides, sdRight)) {
        canvas.MoveTo(r.Right - 1, r.Top);
        canvas.LineTo(r.Right - 1, r.Bottom);
        --inner.Right;
    }
    if (HasSide(sides, sdBottom)) {
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Right, r.Bottom - 1);
        --inner.Bottom;
    }
    return inner;
}

TRect DrawBevel(TFcCanvas& canvas, const TRect& r, TColor first, TColor second, int width, TSides sides)
{
    canvas.Pen.Width = 1;
    TRect inner = r;
    for (int i = 0; i < width; ++i)
        inner = DrawSides(canvas, inner, first, second, sides);
    return inner;
}

namespace {

// Outer and inner ring, each a left/top and a right/bottom colour.
struct TwoRings {
    TColor outerFirst, outerSecond, innerFirst, innerSecond;
};

TRect DrawTwoRings(TFcCanvas& canvas, const TRect& r, const TwoRings& rings, TSides sides)
{
    const TRect inner = DrawBevel(canvas, r, rings.outerFirst, rings.outerSecond, 1, sides);
    return DrawBevel(canvas, inner, rings.innerFirst, rings.innerSecond, 1, sides);
}

}  // namespace

TRect DrawCtl3DBorder(TFcCanvas& canvas, const TRect& r, bool lowered)
{
    return DrawCtl3DBorderSides(canvas, r, lowered, kAllSides);
}

TRect DrawCtl3DBorderSides(TFcCanvas& canvas, const TRect& r, bool lowered, TSides sides)
{
    return DrawTwoRings(canvas, r,
                        lowered ? TwoRings{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight}
                                : TwoRings{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
                        sides);
}

TRect DrawButtonBorder(TFcCanvas& canvas, const TRect& r, bool lowered)
{
    return DrawButtonBorderSides(canvas, r, lowered, kAllSides);
}

TRect DrawButtonBorderSides(TFcCanvas& canvas, const TRect& r, bool lowered, TSides sides)
{
    return DrawTwoRings(canvas, r,
                        lowered ? TwoRings{clBtnText, clBtnText, clBtnShadow, clBtnShadow}
                                : TwoRings{clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow},
                        sides);
}

TRect DrawColorButtonBorder(TFcCanvas& canvas, const TRect& r, TColor base, bool lowered)
{
    return DrawColorButtonBorderSides(canvas, r, base, lowered, kAllSides);
}

TRect DrawColorButtonBorderSides(TFcCanvas& canvas, const TRect& r, TColor base, bool lowered, TSides sides)
{
    const TColor dk100 = DarkerColor(base, 100), dk50 = DarkerColor(base, 50);
    return DrawTwoRings(canvas, r,
                        lowered ? TwoRings{dk100, dk100, dk50, dk50}
                                : TwoRings{LighterColor(base, 100), dk100, LighterColor(base, 40), dk50},
                        sides);
}

namespace {

// The groove and bump look: two rings offset by a pixel, with the corners
// set first so that the two colours meet where the sides end.
TRect DrawGroove(TFcCanvas& canvas, const TRect& r, TColor up, TColor down, TSides sides)
{
    const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
    const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
    if (right)
        canvas.SetPixel(r.Right - 1, r.Top, down);
    if (top && !right)
        canvas.SetPixel(r.Right - 1, r.Top, up);
    if (bottom)
        canvas.SetPixel(r.Left, r.Bottom - 1, down);
    if (left && !bottom)
        canvas.SetPixel(r.Left, r.Bottom - 1, up);
    if (top && !left)
        canvas.SetPixel(r.Left, r.Top + 1, down);
    if (left && !top)
        canvas.SetPixel(r.Left + 1, r.Top, down);
    if (bottom && !right)
        canvas.SetPixel(r.Right - 1, r.Bottom - 2, up);
    if (right && !bottom)
        canvas.SetPixel(r.Right - 2, r.Bottom - 1, up);
    DrawSides(canvas, {r.Left + 1, r.Top + 1, r.Right, r.Bottom}, down, down, sides);
    DrawSides(canvas, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, up, up, sides);
    TRect inner = r;
    if (left)
        inner.Left += 2;
    if (top)
        inner.Top += 2;
    if (right)
        inner.Right -= 2;
    if (bottom)
        inner.Bottom -= 2;
    return inner;
}

}  // namespace

TRect DrawBorder(TFcCanvas& canvas, const TRect& r, TFrameStyle style)
{
    return DrawBorderSides(canvas, r, style, kAllSides);
}

TRect DrawBorderSides(TFcCanvas& canvas, const TRect& r, TFrameStyle style, TSides sides)
{
    switch (style) {
    case fsNone: return r;
    case fsFlat: return DrawSides(canvas, r, cl3DDkShadow, cl3DDkShadow, sides);
    case fsStatus: return DrawSides(canvas, r, clBtnShadow, clBtnHighlight, sides);
    case fsPopup: return DrawSides(canvas, r, clBtnHighlight, clBtnShadow, sides);
    case fsFlatBold: return DrawBevel(canvas, r, clBtnShadow, clBtnShadow, 2, sides);
    case fsLowered:
    case fsRaised: return DrawCtl3DBorderSides(canvas, r, style == fsLowered, sides);
    case fsButtonDown:
    case fsButtonUp: return DrawButtonBorderSides(canvas, r, style == fsButtonDown, sides);
    case fsGroove: return DrawGroove(canvas, r, clBtnShadow, clBtnHighlight, sides);
    case fsBump: return DrawGroove(canvas, r, clBtnHighlight, clBtnShadow, sides);
    }
    return r;
}

TRect DrawColorBorder(TFcCanvas& canvas, const TRect& r, TColor base, TFrameStyle style)
{
    return DrawColorBorderSides(canvas, r, base, style, kAllSides);
}

TRect DrawColorBorderSides(TFcCanvas& canvas, const TRect& r, TColor base, TFrameStyle style, TSides sides)
{
    const TColor dk50 = DarkerColor(base, 50);
    const TColor dk100 = DarkerColor(base, 100);
    const TColor lt50 = LighterColor(base, 50);
    const TColor lt100 = LighterColor(base, 100);
    switch (style) {
    case fsNone: return r;
    case fsFlat: return DrawSides(canvas, r, dk50, dk50, sides);
    case fsStatus: return DrawSides(canvas, r, dk50, lt100, sides);
    case fsPopup: return DrawSides(canvas, r, lt100, dk50, sides);
    case fsFlatBold: return DrawBevel(canvas, r, dk50, dk50, 2, sides);
    case fsLowered: return DrawTwoRings(canvas, r, {dk50, lt100, dk100, lt50}, sides);
    case fsRaised: return DrawTwoRings(canvas, r, {lt50, dk100, lt100, dk50}, sides);
    case fsButtonDown:
    case fsButtonUp: return DrawColorButtonBorderSides(canvas, r, base, style == fsButtonDown, sides);
    case fsGroove: return DrawGroove(canvas, r, dk50, lt100, sides);
    case fsBump: return DrawGroove(canvas, r, lt100, dk50, sides);
    }
    return r;
}

void DrawFrame(TFcCanvas& canvas, int width, int height, TFrameStyle style, TColor controlColor,
               TColor frameColor, TSides sides, bool noErase)
{
    const TRect r{0, 0, width, height};
    if (!noErase)
        DrawBevel(canvas, r, controlColor, controlColor, 2, kAllSides);
    if (style == fsFlat)
        DrawSides(canvas, r, frameColor, frameColor, sides);
    else if (style == fsFlatBold)
        DrawBevel(canvas, r, frameColor, frameColor, 2, sides);
    else if (controlColor != clWindow)
        DrawColorBorderSides(canvas, r, controlColor, style, sides);
    else
        DrawBorderSides(canvas, r, style, sides);
}

TRect DrawFocusBorder(TFcCanvas& canvas, const TRect& r)
{
    const auto invert = [&](int x, int y) {
        const TColor c = canvas.Pixel(x, y);
        if (c != clNone)
            canvas.SetPixel(x, y, c ^ 0xFFFFFF);
    };
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        invert(x, r.Top);
        if (r.Bottom - 1 != r.Top)
            invert(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom; y += 2) {
        invert(r.Left, y);
        if (r.Right - 1 != r.Left)
            invert(r.Right - 1, y);
    }
    return r.Inflated(-1, -1);
}

void DrawDropShadow(TFcCanvas& canvas, const TRect& r, int depth, TColor shadowColor)
{
    if (depth <= 0)
        return;
    const int step = 128 / depth;
    const auto blend = [&](int x, int y, std::uint8_t weight) {
        const TColor c = canvas.Pixel(x, y);
        if (c != clNone)
            canvas.SetPixel(x, y, BlendColors(shadowColor, c, weight));
    };
    for (int i = 1; i <= depth; ++i) {
        const auto a = static_cast<std::uint8_t>(128 - (i - 1) * step);
        // Below the bottom edge: a short column, then the row.
        int x = r.Left + 2 * depth - i;
        for (int y = r.Bottom - 1; y <= r.Bottom + i - 2; ++y)
            blend(x, y, a);
        blend(x + 1, r.Bottom + i - 2, a);
        int y = r.Bottom + i - 1;
        for (int xx = r.Left + 2 * depth - i + 1; xx <= r.Right + i - 2; ++xx)
            blend(xx, y, a);
        blend(r.Right + i - 2, y - 1, a);
        // Right of the right edge: a short row, then the column.
        y = r.Top + 2 * depth - i;
        for (int xx = r.Right - 1; xx <= r.Right + i - 2; ++xx)
            blend(xx, y, a);
        blend(r.Right + i - 2, y + 1, a);
        x = r.Right + i - 1;
        for (int yy = r.Top + 2 * depth - i + 1; yy <= r.Bottom + i - 2; ++yy)
            blend(x, yy, a);
    }
}

TRect CenterRect(const TRect& r, int width, int height)
{
    const int left = (r.Left + r.Right - width) / 2;
    const int top = (r.Top + r.Bottom - height) / 2;
    return {left, top, left + width, top + height};
}

bool FullColorSupport()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return !screen || screen->depth() > 8;
}

namespace {

TPoint ArrowCentre(const TRect& r)
{
    const int x = r.Left + (r.Right - r.Left) / 2;
    int y = r.Top + (r.Bottom - r.Top) / 2;
    if ((r.Bottom - r.Top) % 2 == 0)
        --y;
    return {x, y};
}

TColor ArrowColor(TFcUIStyle uiStyle, bool enabled)
{
    if (!enabled)
        return clBtnShadow;
    if (uiStyle == uiWindows95)
        return clBlack;
    // The colour of the style's own drop-down button, unless it would vanish
    // on a window background.
    QImage probe = MakeBitmap(17, 21, clWindow);
    TFcCanvas canvas(probe);
    if (!ThemeServices()->DrawElement(canvas, GetElementDetails(tcDropDownButtonNormal), {0, 0, 16, 20}))
        return cl3DDkShadow;
    const TColor c = canvas.Pixel(8, 10);
    return ColorsTooClose(c, clWindow) ? cl3DDkShadow : c;
}

void FillArrow(TFcCanvas& canvas, const std::vector<TPoint>& points, TColor color)
{
    const TColor savedBrush = canvas.Brush.Color;
    const TBrushStyle savedStyle = canvas.Brush.Style;
    canvas.Brush.Color = color;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Pen.Style = TPenStyle::Clear;
    canvas.Polygon(points);
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Brush.Color = savedBrush;
    canvas.Brush.Style = savedStyle;
}

}  // namespace

std::vector<TPoint> DropDownArrowPoints(const TRect& r, TFcUIStyle uiStyle, bool down)
{
    TPoint c = ArrowCentre(r);
    c.y += uiStyle == uiWindows95 ? 2 : 4;
    if (down) {
        ++c.x;
        ++c.y;
    }
    const int X = c.x, Y = c.y;
    if (uiStyle == uiWindows95)
        return {{X, Y}, {X - 3, Y - 4}, {X + 4, Y - 4}};
    return {{X, Y}, {X - 4, Y - 5}, {X - 3, Y - 7}, {X, Y - 3}, {X + 3, Y - 7}, {X + 5, Y - 5}};
}

std::vector<TPoint> SpinArrowPoints(const TRect& r, TFcUIStyle uiStyle, TDirection direction, bool down,
                                    bool enabled)
{
    TPoint c = ArrowCentre(r);
    if (uiStyle == uiWindows95) {
        if (direction == dirUp || direction == dirDown)
            c.y += 2;
        else
            c.x -= 2;
    } else {
        switch (direction) {
        case dirUp: c.y += 4; break;
        case dirDown: c.y += 2; break;
        case dirLeft: c.x -= 1; break;
        case dirRight: c.x -= 3; break;
        }
    }
    if (down && enabled) {
        ++c.x;
        ++c.y;
    }
    const int X = c.x, Y = c.y;
    if (uiStyle == uiWindows95) {
        switch (direction) {
        case dirUp: return {{X, Y - 5}, {X + 4, Y}, {X - 4, Y}};
        case dirDown: return {{X, Y + 1}, {X - 3, Y - 3}, {X + 4, Y - 3}};
        case dirLeft: return {{X, Y}, {X + 4, Y - 4}, {X + 4, Y + 4}};
        case dirRight: return {{X + 4, Y}, {X, Y + 4}, {X, Y - 4}};
        }
    }
    switch (direction) {
    case dirUp: return {{X, Y - 5}, {X + 4, Y}, {X + 1, Y}, {X, Y - 2}, {X - 1, Y}, {X - 4, Y}};
    case dirDown: return {{X, Y}, {X - 3, Y - 4}, {X, Y - 4}, {X, Y - 3}, {X + 1, Y - 4}, {X + 4, Y - 4}};
    case dirLeft: return {{X, Y}, {X + 4, Y - 4}, {X + 4, Y - 1}, {X + 3, Y}, {X + 4, Y + 1}, {X + 4, Y + 4}};
    case dirRight: return {{X + 4, Y}, {X, Y + 4}, {X, Y + 1}, {X + 1, Y}, {X, Y - 1}, {X, Y - 4}};
    }
    return {};
}

void DrawDropDownArrow(TFcCanvas& canvas, const TRect& r, TFcUIStyle uiStyle, bool down, bool enabled)
{
    FillArrow(canvas, DropDownArrowPoints(r, uiStyle, down), ArrowColor(uiStyle, enabled));
}

void DrawSpinArrow(TFcCanvas& canvas, const TRect& r, TFcUIStyle uiStyle, TDirection direction, bool down,
                   bool enabled)
{
    FillArrow(canvas, SpinArrowPoints(r, uiStyle, direction, down, enabled), ArrowColor(uiStyle, enabled));
}

void DrawPercentBar(TFcCanvas& canvas, const TRect& r, TOrientation orientation, TColor barColor,
                    TColor backColor, std::uint16_t percent, bool showPercent)
{
    const QString text = showPercent ? QStringLiteral("%1%").arg(percent) : QString();
    TRect bar = r;
    TRect rest = r;
    if (percent < 100) {
        if (orientation == orHorizontal) {
            bar.Right = r.Left + RoundEven(percent * (r.Right - r.Left) / 100.0);
            rest.Left = bar.Right;
        } else {
            bar.Top = r.Bottom - RoundEven(percent * (r.Bottom - r.Top) / 100.0);
            rest.Bottom = bar.Top;
        }
    } else {
        rest = orientation == orHorizontal ? TRect{r.Right, r.Top, r.Right, r.Bottom}
                                           : TRect{r.Left, r.Top, r.Right, r.Top};
    }
    canvas.SaveState();
    canvas.TextAlign = TA_CENTER | TA_TOP;
    canvas.BkMode = TBkMode::Opaque;
    canvas.Brush.Style = TBrushStyle::Solid;
    const int h = canvas.TextHeight(QStringLiteral("X"));
    // Centred on the rectangle itself, wherever it starts.
    const int x = (r.Left + r.Right) / 2;
    const int y = r.Top + (r.Bottom - r.Top - h) / 2;
    canvas.FontColor = backColor;
    canvas.Brush.Color = barColor;
    canvas.TextRect(bar, x, y, text);
    canvas.FontColor = barColor;
    canvas.Brush.Color = backColor;
    canvas.TextRect(rest, x, y, text);
    canvas.RestoreState();
}

TLedLayout LedBarLayout(int size, int segments)
{
    TLedLayout l;
    l.segments = std::max(segments, 1);
    l.segmentSize = size / l.segments;
    if (size <= 80 && l.segments > 10) {
        l.segments = 10;
        l.segmentSize = size / 10;
    }
    const int k = l.segmentSize == 0 ? 0 : (size - l.segments * l.segmentSize) / l.segmentSize;
    if (k > 0)
        l.segments += k;
    l.margin = (size - l.segments * l.segmentSize) / 2;
    return l;
}

void DrawLEDBar(TFcCanvas& canvas, const TRect& r, TOrientation orientation, TColor barColor,
                TColor backColor, int segments, int percent, bool themed)
{
    const bool horizontal = orientation == orHorizontal;
    if (themed && ThemeServices()->GetThemesEnabled()) {
        const TRect inner = r.Inflated(-1, -1);
        const int length = horizontal ? inner.Width() : inner.Height();
        const int filled = RoundEven(length * percent / 100.0);
        if (horizontal) {
            ThemeServices()->DrawElement(canvas, GetElementDetails(tpChunk),
                                         {inner.Left, inner.Top, inner.Left + filled, inner.Bottom});
            return;
        }
        // Drawn upright in a bitmap of the filled part, then turned over so
        // that the chunks grow from the bottom.
        QImage part = MakeBitmap(inner.Width(), std::max(filled, 1), backColor);
        {
            TFcCanvas partCanvas(part);
            ThemeServices()->DrawElement(partCanvas, GetElementDetails(tpChunkVert),
                                         {0, 0, part.width(), part.height()});
        }
        FlipBitmap(part);
        canvas.Draw(inner.Left, inner.Bottom - part.height(), part);
        return;
    }
    const int size = horizontal ? r.Width() : r.Height();
    const TLedLayout l = LedBarLayout(size, segments);
    canvas.Pen.Style = TPenStyle::Clear;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = backColor;
    if (horizontal) {
        canvas.Rectangle(r.Left - 1, r.Top, r.Left + l.margin + 1, r.Bottom + 1);
        canvas.Rectangle(r.Right - l.margin - 1, r.Top, r.Right + 1, r.Bottom + 1);
    } else {
        canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Top + l.margin + 1);
        canvas.Rectangle(r.Left, r.Bottom - l.margin - 1, r.Right + 1, r.Bottom + 1);
    }
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Pen.Color = backColor;
    const int lit = static_cast<int>(static_cast<long long>(percent) * l.segments / 100);
    for (int i = 1; i <= l.segments; ++i) {
        canvas.Brush.Color = i <= lit ? barColor : backColor;
        if (horizontal) {
            const int left = r.Left + (i - 1) * l.segmentSize + l.margin;
            canvas.Rectangle(left, r.Top, left + l.segmentSize, r.Bottom);
        } else {
            const int top = r.Top + (l.segments - i) * l.segmentSize + l.margin;
            canvas.Rectangle(r.Left, top, r.Right, top + l.segmentSize);
        }
    }
}

}  // namespace tw::controls
