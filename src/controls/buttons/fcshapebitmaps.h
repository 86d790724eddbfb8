#pragma once
// The pictures of a shape button, window-free: from a bitmap whose
// transparent colour (its bottom-left pixel) marks the outside, an "up" and a
// "down" picture with a bevelled edge that follows the outline, and the mask
// of the shape.

#include "controls/foundation/fccolor.h"

#include <QImage>

namespace tw::controls {

struct TShapeBevel {
    int BevelWidth = 2;  // 0 to 2
    bool SingleBorder = true;
    TColor HighlightColor = clBtnHighlight;
    TColor ShadowColor = clBtnShadow;
    TColor BorderColor = cl3DDkShadow;
};

// The transparent colour of a shape bitmap (RGB), its bottom-left pixel.
TColor ShapeTransparentColor(const QImage& bitmap);

// The colour of one side of a ring: the lit (upper-left) side takes the
// highlight when up and the shadow when down, the other side the opposite; a
// highlight equal to the transparent colour is taken one shade darker.
TColor ShapeBevelColor(const TShapeBevel& bevel, bool down, bool litSide, TColor transparent);

// The picture of one state, of the source's size.
QImage Create3DBitmap(const QImage& source, bool down, const TShapeBevel& bevel);

// A monochrome image of the source's size: index 1 (black) where the shape is.
QImage CreateShapeMask(const QImage& source);

}  // namespace tw::controls
