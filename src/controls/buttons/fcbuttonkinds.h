#pragma once
// What the bitmap buttons know without a window: the stock kinds with their
// captions, keys, modal results and glyphs, the glyph-cell count rule and the
// caption and image layout. The widgets in fcbitbtn.h use these; tests and
// benchmarks reach them directly.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QImage>
#include <QString>

namespace tw::controls {

// The stock kinds, in the toolkit's order (the ordinals are stored values).
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
inline constexpr int kBitBtnKindCount = 11;

// The side of the image, in the toolkit's order.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The latching state of a push button.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

bool KindDefault(TBitBtnKind kind);
bool KindCancel(TBitBtnKind kind);
int KindModalResult(TBitBtnKind kind);
// "OK", "Cancel", "&Help", ...; empty for the custom kind.
QString StockCaption(TBitBtnKind kind);

// The kind's two-cell glyph (normal, disabled), 32 by 16, made once and
// shared; a null image for the custom kind. Its bottom-left pixel is the
// transparent colour.
const QImage& GetBitBtnGlyph(TBitBtnKind kind);

// NumGlyphs after a glyph change: width div height when the width is a
// whole multiple of the height (1 when that is above 4); otherwise current.
int GlyphCellCount(const QImage& glyph, int current);

// Where the caption and the image of a bitmap button go inside the caption
// rectangle r, for the image size (imageWidth by imageHeight) and the
// caption's measured height (used with Margin -1 only). buttonHeight is the
// whole button's height, from which Margin -1 centres top and bottom images.
struct TButtonFaceLayout {
    TRect Caption;
    TRect Image;
};
TButtonFaceLayout LayoutButtonFace(const TRect& r, TButtonLayout layout, int margin, int spacing,
                                   int imageWidth, int imageHeight, bool hasImage, int captionHeight,
                                   int buttonHeight);

}  // namespace tw::controls
