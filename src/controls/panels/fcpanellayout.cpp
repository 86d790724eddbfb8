#include "controls/panels/fcpanellayout.h"

#include <algorithm>
#include <numeric>

namespace tw::controls {

int FrameStyleWidth(TFrameStyle style, int bevelWidth, int flatBoldWidth)
{
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    case fsFlatBold: return flatBoldWidth;
    default: return 2;
    }
}

namespace {

TRect InsetSides(TRect r, int amount, TSides sides)
{
    if (HasSide(sides, sdLeft))
        r.Left += amount;
    if (HasSide(sides, sdTop))
        r.Top += amount;
    if (HasSide(sides, sdRight))
        r.Right -= amount;
    if (HasSide(sides, sdBottom))
        r.Bottom -= amount;
    return r;
}

}  // namespace

TRect InsetByFrames(TRect r, const TFcFrameSet& frames, bool shrinkByBand, int flatBoldWidth)
{
    if (shrinkByBand)
        r = r.Inflated(-frames.BorderWidth, -frames.BorderWidth);
    r = InsetSides(r, FrameStyleWidth(frames.Outer, frames.BevelWidth, flatBoldWidth), frames.Sides);
    return InsetSides(r, FrameStyleWidth(frames.Inner, frames.BevelWidth, flatBoldWidth), frames.Sides);
}

TRect PanelClientRect(const TRect& bounds, const TFcFrameSet& frames)
{
    // The frames come off the chosen sides first; the toolkit's own
    // adjustment then takes the band off all four.
    const TRect inside = InsetByFrames(bounds, frames, false, 2);
    return inside.Inflated(-frames.BorderWidth, -frames.BorderWidth);
}

std::vector<TRect> AlignItems(const TRect& client, const std::vector<TFcAlignItem>& items)
{
    std::vector<TRect> result;
    result.reserve(items.size());
    for (const TFcAlignItem& item : items)
        result.push_back(item.Bounds);
    TRect room = client;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<size_t> order;
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].Visible && items[i].Align == align)
                order.push_back(i);
        }
        // The edge an item hugs decides who comes first: nearest the edge.
        const auto key = [&](size_t i) {
            const TRect& b = items[i].Bounds;
            switch (align) {
            case alTop: return b.Top;
            case alBottom: return -b.Bottom;
            case alLeft: return b.Left;
            case alRight: return -b.Right;
            default: return 0;
            }
        };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
        for (size_t i : order) {
            const TRect& b = items[i].Bounds;
            TRect& out = result[i];
            switch (align) {
            case alTop:
                out = {room.Left, room.Top, room.Right, room.Top + b.Height()};
                room.Top = out.Bottom;
                break;
            case alBottom:
                out = {room.Left, room.Bottom - b.Height(), room.Right, room.Bottom};
                room.Bottom = out.Top;
                break;
            case alLeft:
                out = {room.Left, room.Top, room.Left + b.Width(), room.Bottom};
                room.Left = out.Right;
                break;
            case alRight:
                out = {room.Right - b.Width(), room.Top, room.Right, room.Bottom};
                room.Right = out.Left;
                break;
            default: out = room; break;
            }
        }
    }
    return result;
}

TFcGridLines GridLines(const TRect& r, int xSize, int ySize)
{
    TFcGridLines lines;
    const int columns = xSize >= 1 ? r.Width() / xSize : 0;
    const int rows = ySize >= 1 ? r.Height() / ySize : 0;
    for (int i = 1; i <= columns; ++i)
        lines.Xs.push_back(r.Left - 1 + i * xSize);
    for (int j = 1; j <= rows; ++j)
        lines.Ys.push_back(r.Top - 1 + j * ySize);
    return lines;
}

}  // namespace tw::controls

namespace tw::controls {

TRect GroupBoxClientRect(TRect r, TFcGroupBoxStyle style, int textHeight, int borderWidth)
{
    if (style == gsCustom) {
        r.Top += textHeight;
        return r.Inflated(-2, -2);
    }
    const int half = textHeight / 2 - 1;
    if (half < borderWidth)
        r.Top += half;
    else
        r.Top += textHeight - borderWidth;
    const int frame = style == gsStandard ? 2 : 1;
    return r.Inflated(-frame, -frame);
}

}  // namespace tw::controls
