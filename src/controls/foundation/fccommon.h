#pragma once
// The drawing routines every framed control paints with: borders and frames
// in each frame style (from system colours or derived from one base colour),
// the focus border, drop-down and spin arrows, percent and LED bars and a drop
// shadow. Every border routine takes the rectangle and the sides to draw and
// returns the rectangle left inside the border. None keeps state.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <cstdint>

namespace tw::controls {

// Left/top and right/bottom colours of each frame style.
extern const TColor ULFrameColor[kFrameStyleCount];
extern const TColor LRFrameColor[kFrameStyleCount];

TRect DrawSides(TFcCanvas& canvas, const TRect& r, TColor first, TColor second, TSides sides);
TRect DrawBevel(TFcCanvas& canvas, const TRect& r, TColor first, TColor second, int width, TSides sides);
TRect DrawCtl3DBorder(TFcCanvas& canvas, const TRect& r, bool lowered);
TRect DrawCtl3DBorderSides(TFcCanvas& canvas, const TRect& r, bool lowered, TSides sides);
TRect DrawButtonBorder(TFcCanvas& canvas, const TRect& r, bool lowered);
TRect DrawButtonBorderSides(TFcCanvas& canvas, const TRect& r, bool lowered, TSides sides);
TRect DrawColorButtonBorder(TFcCanvas& canvas, const TRect& r, TColor base, bool lowered);
TRect DrawColorButtonBorderSides(TFcCanvas& canvas, const TRect& r, TColor base, bool lowered, TSides sides);
TRect DrawBorder(TFcCanvas& canvas, const TRect& r, TFrameStyle style);
TRect DrawBorderSides(TFcCanvas& canvas, const TRect& r, TFrameStyle style, TSides sides);
TRect DrawColorBorder(TFcCanvas& canvas, const TRect& r, TColor base, TFrameStyle style);
TRect DrawColorBorderSides(TFcCanvas& canvas, const TRect& r, TColor base, TFrameStyle style, TSides sides);
// The frame of an edit-like control over its whole width by height.
void DrawFrame(TFcCanvas& canvas, int width, int height, TFrameStyle style, TColor controlColor,
               TColor frameColor, TSides sides, bool noErase);
// A dotted ring one pixel inside r, each dot the inverse of what was there
// (drawing it twice takes it away again).
TRect DrawFocusBorder(TFcCanvas& canvas, const TRect& r);
void DrawDropShadow(TFcCanvas& canvas, const TRect& r, int depth, TColor shadowColor);
TRect CenterRect(const TRect& r, int width, int height);
// More than 256 colours on the screen.
bool FullColorSupport();

void DrawDropDownArrow(TFcCanvas& canvas, const TRect& r, TFcUIStyle uiStyle, bool down, bool enabled);
void DrawSpinArrow(TFcCanvas& canvas, const TRect& r, TFcUIStyle uiStyle, TDirection direction, bool down,
                   bool enabled);
// The text of a shown percent sits at the rectangle's centre.
void DrawPercentBar(TFcCanvas& canvas, const TRect& r, TOrientation orientation, TColor barColor,
                    TColor backColor, std::uint16_t percent, bool showPercent);
// Fewer than one segment counts as one.
void DrawLEDBar(TFcCanvas& canvas, const TRect& r, TOrientation orientation, TColor barColor,
                TColor backColor, int segments, int percent, bool themed);

// The geometry of a classic LED bar, window-free so that it can be checked.
struct TLedLayout {
    int segments = 0;
    int segmentSize = 0;
    int margin = 0;
};
TLedLayout LedBarLayout(int size, int segments);

// The polygons of the arrows, exposed for the controls that hit-test them.
std::vector<TPoint> DropDownArrowPoints(const TRect& r, TFcUIStyle uiStyle, bool down);
std::vector<TPoint> SpinArrowPoints(const TRect& r, TFcUIStyle uiStyle, TDirection direction, bool down,
                                    bool enabled);

}  // namespace tw::controls
