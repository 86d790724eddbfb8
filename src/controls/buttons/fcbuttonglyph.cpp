#include "controls/buttons/fcbuttonglyph.h"

#include "controls/foundation/fcgrafx.h"

namespace tw::controls {

void DrawButtonGlyph(TFcCanvas& canvas, const QImage& glyph, int numGlyphs, bool enabled, const TRect& rect,
                     TColor background)
{
    if (glyph.isNull() || rect.IsEmpty() || numGlyphs < 1)
        return;
    const int cellWidth = glyph.width() / numGlyphs;
    const int cell = numGlyphs > 1 && !enabled ? 1 : 0;
    const TRect source{cell * cellWidth, 0, (cell + 1) * cellWidth, glyph.height()};
    const TColor transparent = FromRgb32(glyph.pixel(0, glyph.height() - 1));
    QImage temp = MakeBitmap(rect.Width(), rect.Height(), background);
    {
        TFcCanvas tempCanvas(temp);
        tempCanvas.CopyRect({0, 0, rect.Width(), rect.Height()}, canvas.Image(), rect);
        DrawFullTransparentBitmap(tempCanvas, glyph, {0, 0, cellWidth, glyph.height()}, source, transparent);
    }
    canvas.Draw(rect.Left, rect.Top, temp);
}

}  // namespace tw::controls
