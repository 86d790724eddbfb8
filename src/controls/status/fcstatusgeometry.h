#pragma once
// The window-free arithmetic of the status family: how panes share out a
// change of the bar's width, the bar's client rectangle, the size grip's
// rectangle and squares, a pane's minimum width and caption rectangle, and
// the progress bar's parts-of-total percentage. The widgets delegate here so
// that the numbers can be checked without a window.

#include "controls/foundation/fctypes.h"

#include <cstdint>
#include <vector>

namespace tw::controls {

// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
int RoundHalfEven(double value);

// The widths panes get when the bar goes from lastWidth to newWidth: each
// grows by its share of the change, rounded to nearest with halves to even.
// A lastWidth of 0 scales nothing.
std::vector<int> ScalePaneWidths(const std::vector<int>& widths, int lastWidth, int newWidth);

// The status bar's client rectangle from the panel's: without the visual-style
// library the panes overlap the bar's edges (or, in simple mode, the text area
// sits one pixel lower); with it, simple mode pulls in by one pixel.
TRect StatusBarClientRect(TRect panelClient, bool themeLibraryAvailable, bool simpleStatus);

// The point lies in r (right and bottom edges excluded).
inline bool RectContains(const TRect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The grip's hit rectangle in a bar of the size.
TRect StatusGripRect(int width, int height);
inline constexpr int kGripStrip = 12;  // pixels of a child that still act as the grip

// Top-left corners of the grip's six light squares and six dark squares
// (each square is 2 by 2) for the bar's client rectangle less its last row.
struct TGripSquares {
    std::vector<TPoint> Light;
    std::vector<TPoint> Dark;
};
TGripSquares GripSquares(const TRect& r);

// Pixels a pane's frame takes on each side.
int PaneFrameWidth(TFrameStyle style);
// The caption's room inside a pane's frame and margin.
TRect PaneCaptionRect(const TRect& client, int borderWidth, TFrameStyle style);
// The width AutoSize picks: the caption's width plus margins, or the default.
int PaneMinWidth(int captionWidth, bool hasCaption, int borderWidth, int captionOffset, int defaultWidth);

// The percentage of parts done: nearest with halves to even; 0 parts of a
// total of 0 gives 0.
int PartsPercent(std::uint32_t parts, std::uint32_t total);

// The LED bar's segment count is kept in 1..100.
inline constexpr int kMinSegments = 1;
inline constexpr int kMaxSegments = 100;
int ClampSegments(int value);

}  // namespace tw::controls
