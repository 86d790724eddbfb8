#pragma once
// Drawing one cell of a button glyph strip over what the canvas shows, the
// glyph's transparent colour (its bottom-left pixel) left out: cell 1 for a
// disabled button with more than one cell, else cell 0.

#include "controls/foundation/fccanvas.h"

#include <QImage>

namespace tw::controls {

void DrawButtonGlyph(TFcCanvas& canvas, const QImage& glyph, int numGlyphs, bool enabled, const TRect& rect,
                     TColor background);

}  // namespace tw::controls
