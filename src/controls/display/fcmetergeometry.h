#pragma once
// The meter's arithmetic without the widget: percentage, the moving edge of
// the bar, how many LED segments are lit and in which colour, and where each
// segment lies. A meter whose Max equals its Min shows 0 % and an empty bar.
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"
#include <vector>
namespace tw::controls {
// (value - min) * 100 / (max - min), whole percent; 0 when max equals min.
int MeterPercent(int value, int minimum, int maximum);
// The bar rectangle inside r for the value, growing in direction.
TRect MeterBarRect(const TRect& r, TDirection direction, int value, int minimum, int maximum);
struct TFcMeterSegments {
    int Counts[3] = {5, 3, 2};
    TColor Colors[3] = {0x008000, 0x00FFFF, 0x0000FF};
    TColor OffColor = clBlack;
    int Total() const { return Counts[0] + Counts[1] + Counts[2]; }
};
// Lit segments for the value (counts added as whole numbers).
int MeterLitSegments(const TFcMeterSegments& segments, int value, int minimum, int maximum);
// The colour of each segment from the first (at the bar's start) on.
std::vector<TColor> MeterSegmentColors(const TFcMeterSegments& segments, int value, int minimum, int maximum);
// The cell of each segment inside r (already shrunk by the spacing).
std::vector<TRect> MeterSegmentCells(const TRect& r, TDirection direction, int count, int spacing);
}  // namespace tw::controls
