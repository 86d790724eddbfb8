#pragma once
// The size panel's arithmetic without a window: where its size bar lies for
// each edge it can sit on, the free area of its parent, how far the bar may
// move, and how much room the margins may share. The dragged quantity p is
// the bar's position along the panel's axis (its far edge for a top or left
// panel, its near edge otherwise).

#include "controls/base/fcalign.h"
#include "controls/foundation/fctypes.h"
#include "controls/panels/fcpanellayout.h"

#include <vector>

namespace tw::controls {

// The panel's place in its parent (Left, Top, Width, Height).
struct TFcPanelBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The bar on the inner edge; empty for any alignment but the four edges.
TRect SizeBarRect(TAlign align, int width, int height, int barWidth, bool dockSite);
// The hot spot centred along the bar.
TRect SizeHotSpotRect(const TRect& bar, TAlign align, int sizePercent);
// Bars along the top or bottom edge lie across; the others stand.
inline bool LyingBar(TAlign align)
{
    return align == alTop || align == alBottom;
}
// The parent's client rectangle less every aligned, shown child (the panel
// included): top children off the top, bottom ones off the bottom, and so on.
TRect ParentWorkingRect(const TRect& parentClient, const std::vector<TFcAlignItem>& children);
// Room along the axis that the margins may share.
int MarginExtent(TAlign align, const TRect& working, const TFcPanelBox& box);
// p within MarginMin (plus the bar) and MarginMax from the free area's far
// side; the lower bound first, then the upper, which wins when they cross.
int SizePanelCheckPosition(TAlign align, int p, const TRect& working, const TFcPanelBox& box, int marginMin,
                           int marginMax, int barWidth);
// The dragged position's starting value.
int SizePanelStartPosition(TAlign align, const TFcPanelBox& box);
// The panel's new width or height for a bar at p: while dragging live
// (one pixel more, as it always did) or on release.
int SizePanelExtent(TAlign align, int p, int start, const TFcPanelBox& box, bool live);

}  // namespace tw::controls
