#pragma once
// The one drawing vocabulary of the program: colour values, points and
// rectangles with exclusive right and bottom edges. The chart and the
// component library both draw in these (chart/chartprimitives.h,
// controls/foundation/fctypes.h and fccolor.h take them in under their own
// namespaces).

#include <cstdint>

namespace tw::drawing {

// 0x00BBGGRR. Values with the top bit set name a colour of the user's
// desktop theme, resolved through the palette before any arithmetic.
using TColor = std::uint32_t;

struct TPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are one past the last pixel.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
    // True when the two share at least one pixel.
    bool Intersects(const TRect& r) const
    {
        return (Left > r.Left ? Left : r.Left) < (Right < r.Right ? Right : r.Right)
            && (Top > r.Top ? Top : r.Top) < (Bottom < r.Bottom ? Bottom : r.Bottom);
    }
    TRect Moved(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    TRect Inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace tw::drawing
