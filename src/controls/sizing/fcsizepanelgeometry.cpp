#include "controls/sizing/fcsizepanelgeometry.h"

#include "controls/status/fcstatusgeometry.h"

#include <algorithm>

namespace tw::controls {

TRect SizeBarRect(TAlign align, int width, int height, int barWidth, bool dockSite)
{
    const int d = dockSite ? 1 : 0;
    const int w = barWidth;
    switch (align) {
    case alTop: return {0, height - w - d, width, height};
    case alBottom: return {0, 0, width, w + d};
    case alLeft: return {width - w - d, 0, width, height};
    case alRight: return {0, 0, w + d, height};
    default: return {};
    }
}

TRect SizeHotSpotRect(const TRect& b, TAlign align, int sizePercent)
{
    if (LyingBar(align)) {
        const int mid = b.Left + b.Width() / 2;
        const int half = RoundHalfEven(sizePercent / 100.0 * b.Width()) / 2;
        return {mid - half, b.Top, mid + half, b.Bottom};
    }
    const int mid = b.Top + b.Height() / 2;
    const int half = RoundHalfEven(sizePercent / 100.0 * b.Height()) / 2;
    return {b.Left, mid - half, b.Right, mid + half};
}

TRect ParentWorkingRect(const TRect& parentClient, const std::vector<TFcAlignItem>& children)
{
    TRect w = parentClient;
    for (const TFcAlignItem& c : children) {
        if (!c.Visible)
            continue;
        switch (c.Align) {
        case alTop: w.Top += c.Bounds.Height(); break;
        case alBottom: w.Bottom -= c.Bounds.Height(); break;
        case alLeft: w.Left += c.Bounds.Width(); break;
        case alRight: w.Right -= c.Bounds.Width(); break;
        default: break;
        }
    }
    return w;
}

int MarginExtent(TAlign align, const TRect& w, const TFcPanelBox& box)
{
    switch (align) {
    case alTop: return w.Bottom - box.Top;
    case alBottom: return w.Bottom + box.Height - w.Top;
    case alLeft: return w.Right - box.Left;
    case alRight: return w.Right + box.Width - w.Left;
    default: return 0;
    }
}

int SizePanelCheckPosition(TAlign align, int p, const TRect& w, const TFcPanelBox& box, int marginMin,
                           int marginMax, int m)
{
    int lower = 0;
    int upper = 0;
    switch (align) {
    case alTop:
        lower = marginMin + m + 1;
        upper = w.Bottom - marginMax - box.Top;
        break;
    case alBottom:
        lower = w.Top + marginMax - box.Top;
        upper = box.Height - marginMin - m - 1;
        break;
    case alLeft:
        lower = marginMin + m + 1;
        upper = w.Right - marginMax - box.Left;
        break;
    case alRight:
        lower = w.Left + marginMax - box.Left;
        upper = box.Width - marginMin - m - 1;
        break;
    default: return p;
    }
    p = std::max(p, lower);
    return std::min(p, upper);
}

int SizePanelStartPosition(TAlign align, const TFcPanelBox& box)
{
    switch (align) {
    case alTop: return box.Height;
    case alLeft: return box.Width;
    default: return 0;
    }
}

int SizePanelExtent(TAlign align, int p, int start, const TFcPanelBox& box, bool live)
{
    const int one = live ? 1 : 0;
    switch (align) {
    case alTop: return p + one;
    case alBottom: return start - p - one + box.Height;
    case alLeft: return p + one;
    case alRight: return start - p - one + box.Width;
    default: return LyingBar(align) ? box.Height : box.Width;
    }
}

}  // namespace tw::controls
