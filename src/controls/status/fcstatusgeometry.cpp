#include "controls/status/fcstatusgeometry.h"

#include <algorithm>
#include <cmath>

namespace tw::controls {

int RoundHalfEven(double value)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless
    // someone changed it; do not depend on that.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return static_cast<int>(floor) + 1;
    if (diff < 0.5)
        return static_cast<int>(floor);
    const auto f = static_cast<long long>(floor);
    return static_cast<int>(f % 2 == 0 ? f : f + 1);
}

std::vector<int> ScalePaneWidths(const std::vector<int>& widths, int lastWidth, int newWidth)
{
    std::vector<int> result = widths;
    const int change = newWidth - lastWidth;
    if (lastWidth == 0 || change == 0)
        return result;
    for (int& w : result) {
        // The ratio is held in single precision, as the bar always did.
        const float ratio = static_cast<float>(w) / static_cast<float>(lastWidth);
        w += RoundHalfEven(static_cast<double>(static_cast<float>(change) * ratio));
    }
    return result;
}

TRect StatusBarClientRect(TRect r, bool themeLibraryAvailable, bool simpleStatus)
{
    if (!themeLibraryAvailable) {
        r.Bottom += 1;
        if (!simpleStatus) {
            r.Top = 1;
            r.Left -= 1;
            r.Right += 1;
        } else {
            r.Top = 2;
        }
    } else if (simpleStatus) {
        r.Left += 1;
        r.Top += 1;
        r.Right -= 1;
    }
    return r;
}

TRect StatusGripRect(int width, int height)
{
    return {width - 13, 0, width, height};
}

TGripSquares GripSquares(const TRect& r)
{
    const auto six = [](int R, int B) {
        return std::vector<TPoint>{{R - 4, B - 12}, {R - 4, B - 8}, {R - 4, B - 4},
                                   {R - 8, B - 8},  {R - 8, B - 4}, {R - 12, B - 4}};
    };
    return {six(r.Right - 1, r.Bottom), six(r.Right - 2, r.Bottom - 1)};
}

int PaneFrameWidth(TFrameStyle style)
{
    switch (style) {
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp: return 2;
    case fsNone:
    case fsFlatBold: return 0;
    }
    return 0;
}

TRect PaneCaptionRect(const TRect& client, int borderWidth, TFrameStyle style)
{
    const int d = borderWidth + PaneFrameWidth(style);
    return client.Inflated(-d, -d);
}

int PaneMinWidth(int captionWidth, bool hasCaption, int borderWidth, int captionOffset, int defaultWidth)
{
    if (!hasCaption)
        return defaultWidth;
    return captionWidth + 2 * borderWidth + captionOffset + 6;
}

int PartsPercent(std::uint32_t parts, std::uint32_t total)
{
    if (total == 0)
        return 0;
    return RoundHalfEven(static_cast<double>(parts) / static_cast<double>(total) * 100.0);
}

int ClampSegments(int value)
{
    return std::clamp(value, kMinSegments, kMaxSegments);
}

}  // namespace tw::controls
