#pragma once
// Small pieces the status family shares: a setter's store-if-changed, and the
// one-pixel flat frame that leaves its four corner pixels out (panes, the
// simple-mode text area and the progress bar's inner frame all draw it).

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fctypes.h"

namespace tw::controls {

// Stores value and returns true when it differs from member.
template <typename T>
bool StoreChanged(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

// The flat frame just inside r in colour, without its corner pixels.
void DrawOpenCornerFrame(TFcCanvas& canvas, const TRect& r, TColor colour);

}  // namespace tw::controls
