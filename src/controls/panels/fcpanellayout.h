#pragma once
// The window-free geometry of the framed containers: how much room each frame
// style takes, the client area inside a panel's frames, the toolkit's child
// alignment (top, bottom, left, right, then client) and the grid points.
// The panel, the group box and the border delegate to these so that the
// numbers can be checked without a window.

#include "controls/base/fcalign.h"
#include "controls/foundation/fctypes.h"

#include <vector>

namespace tw::controls {

// Pixels a frame style takes on one side. Panels count fsFlatBold as 2; the
// border and the label reserve nothing for it (it draws over their content).
int FrameStyleWidth(TFrameStyle style, int bevelWidth, int flatBoldWidth);

struct TFcFrameSet {
    TFrameStyle Outer = fsRaised;
    TFrameStyle Inner = fsNone;
    TSides Sides = kAllSides;
    int BorderWidth = 0;
    int BevelWidth = 1;
};

// The rectangle inside the frames: with shrinkByBand the band first comes off
// every side; then the outer and the inner frame each come off the sides in
// frames.Sides.
TRect InsetByFrames(TRect r, const TFcFrameSet& frames, bool shrinkByBand, int flatBoldWidth);

// A panel's client area for its aligned children: inside both frames on the
// chosen sides and inside the band on every side.
TRect PanelClientRect(const TRect& bounds, const TFcFrameSet& frames);

struct TFcAlignItem {
    TAlign Align = alNone;
    TRect Bounds;
    bool Visible = true;
};

// New bounds for every item, in the items' order: aligned items are placed
// in the order top, bottom, left, right, client; inside one alignment by
// their current position (ties by order); items without an alignment or
// hidden keep their bounds.
std::vector<TRect> AlignItems(const TRect& client, const std::vector<TFcAlignItem>& items);

// Positions of the grid lines inside r: x(i) = r.Left - 1 + i * xSize for
// i = 1..columns, the same for y; a size below 1 gives no lines on that axis.
struct TFcGridLines {
    std::vector<int> Xs;
    std::vector<int> Ys;
};
TFcGridLines GridLines(const TRect& r, int xSize, int ySize);

}  // namespace tw::controls

namespace tw::controls {

enum TFcGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat };

// The group box's client area: r after the panel's own adjustment, moved
// below the caption line (textHeight is the height of "Yy") and shrunk by
// the frame's thickness.
TRect GroupBoxClientRect(TRect r, TFcGroupBoxStyle style, int textHeight, int borderWidth);

}  // namespace tw::controls
