#pragma once
// The one-pixel flat frame that leaves its four corner pixels out (panes, the
// simple-mode text area and the progress bar's inner frame all draw it).

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fctypes.h"
#include "controls/panels/fcframes.h"  // StoreChanged

namespace tw::controls {

// The flat frame just inside r in colour, without its corner pixels.
void DrawOpenCornerFrame(TFcCanvas& canvas, const TRect& r, TColor colour);

}  // namespace tw::controls
