#pragma once
// Bitmap routines of the library: drawing with one colour transparent (once,
// tiled or stretched), tiling, centring, stretching and flipping plain bitmaps,
// two-colour gradients in ten directions, the trapezoid shapes of tabs, and
// the parent's image behind a transparent control. Bitmaps are QImages.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fctypes.h"

#include <QImage>

#include <array>
#include <cstdint>

class QWidget;

namespace tw::controls {

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};
using TSmoothFactor = int;  // 1..8

enum TTrapShape { tsLeft, tsCenter, tsRight };
enum TTrapDirect { tdLargeToSmall, tdSmallToLarge };
enum TTrapBevelStyle { bsNone, bsLowered, bsRaised };

// Four corners: for a tab opening up or down the first and second on one
// horizontal edge, the fourth and third on the other; for a tab on the left
// or right they pair up on the vertical edges. Right and bottom corners lie on
// the rectangle's exclusive edges.
using TTrap = std::array<TPoint, 4>;

void DrawTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& dest, const TRect& source,
                           TColor transparent);
void DrawFullTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& dest,
                               const TRect& source, TColor transparent);
void TileTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r, TColor transparent);
void StretchTransparentBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r, TColor transparent);
void TileBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r);
// Tiles as if the tiling began at the canvas origin, so areas painted apart
// line up.
void TileRealizedBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r);
void CenterBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r);
void StretchBitmap(TFcCanvas& canvas, const QImage& bitmap, const TRect& r);
// Upside down, in place.
void FlipBitmap(QImage& bitmap);

void PaintGradient(TFcCanvas& canvas, const TRect& r, TGradientDirection direction, TColor start, TColor stop,
                   std::uint8_t smoothness);
// The colours of a linear pass over n positions, merged into bands of at
// least bandRule + 1 positions (window-free, for the box and line passes).
std::vector<TColor> GradientBands(TColor from, TColor to, int n, int bandRule);

void SetTrapezoid(TTrap& trap, const TRect& r, int shortLength, TTrapShape shape, TDirection direction,
                  TTrapDirect trapDirect);
void AdjustTrapezoid(const TTrap& trap, const TRect& r, TDirection direction, TTrap& adjusted);
void InflateTrapezoid(TTrap& trap, int amount);
void DrawTrapezoidBorder(TFcCanvas& canvas, const TTrap& trap, TTrapBevelStyle style, int width);

// Paints what the control's parent shows behind the control onto canvas
// (whose origin is the control's top-left corner); with invalidateParent the
// parent repaints too.
void DrawParentImage(QWidget* control, TFcCanvas& canvas, bool invalidateParent);

}  // namespace tw::controls
