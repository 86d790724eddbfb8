#include "controls/display/fcmetergeometry.h"
#include <algorithm>
#include <cstdint>
namespace tw::controls {
int MeterPercent(int value, int minimum, int maximum)
{
    if (maximum == minimum)
        return 0;
    return static_cast<int>(static_cast<long long>(value - minimum) * 100 / (maximum - minimum));
}

TRect MeterBarRect(const TRect& r, TDirection direction, int value, int minimum, int maximum)
{
    TRect b = r;
    const bool horizontal = direction == dirLeft || direction == dirRight;
    const int extent = horizontal ? r.Right : r.Bottom;
    const long long f =
        maximum == minimum ? 0 : static_cast<long long>(value - minimum) * extent / (maximum - minimum);
    auto edge = [](long long v) { return static_cast<int>(static_cast<std::uint16_t>(v)); };
    switch (direction) {
    case dirRight:
        b.Right = std::max(edge(f), b.Left);
        break;
    case dirDown:
        b.Bottom = std::max(edge(f), b.Top);
        break;
    case dirUp:
        b.Top = std::min(edge(r.Bottom + r.Top - f), b.Bottom);
        break;
    case dirLeft:
        b.Left = std::min(edge(r.Right + r.Left - f), b.Right);
        break;
    }
    // Max equal to Min: nothing of the bar shows.
    if (maximum == minimum) {
        if (horizontal)
            b.Right = b.Left = direction == dirRight ? r.Left : r.Right;
        else
            b.Bottom = b.Top = direction == dirDown ? r.Top : r.Bottom;
    }
    return b;
}

int MeterLitSegments(const TFcMeterSegments& segments, int value, int minimum, int maximum)
{
    if (maximum == minimum)
        return 0;
    return static_cast<int>(static_cast<long long>(segments.Total()) * (value - minimum) / (maximum - minimum));
}

std::vector<TColor> MeterSegmentColors(const TFcMeterSegments& segments, int value, int minimum, int maximum)
{
    const int n = segments.Total();
    const int lit = MeterLitSegments(segments, value, minimum, maximum);
    std::vector<TColor> colors;
    colors.reserve(static_cast<size_t>(std::max(n, 0)));
    int group = 0;
    int usedInGroup = 0;
    for (int i = 0; i < n; ++i) {
        if (i >= lit) {
            colors.push_back(segments.OffColor);
            continue;
        }
        while (group < 2 && usedInGroup >= segments.Counts[group]) {
            ++group;
            usedInGroup = 0;
        }
        colors.push_back(segments.Colors[group]);
        ++usedInGroup;
    }
    return colors;
}

std::vector<TRect> MeterSegmentCells(const TRect& r, TDirection direction, int count, int spacing)
{
    std::vector<TRect> cells;
    if (count <= 0)
        return cells;
    const bool vertical = direction == dirUp || direction == dirDown;
    const int w = vertical ? r.Width() : (r.Width() - (count - 2) * spacing) / count;
    const int h = vertical ? (r.Height() - (count - 2) * spacing) / count : r.Height();
    int x = r.Left;
    int y = r.Top;
    if (direction == dirUp)
        y = r.Bottom - h;
    if (direction == dirLeft)
        x = r.Right - w;
    for (int i = 0; i < count; ++i) {
        cells.push_back({x, y, x + w, y + h});
        switch (direction) {
        case dirUp: y -= h + spacing; break;
        case dirDown: y += h + spacing; break;
        case dirLeft: x -= w + spacing; break;
        case dirRight: x += w + spacing; break;
        }
    }
    return cells;
}
}  // namespace tw::controls
