#pragma once
// The 13 by 13 marks of the glyph-drawn radio button and check box in their
// hot-track look: five colour-keyed templates, written as letter grids (one
// letter per key colour), and the tables that recolour each key for the
// control's colours and state. Window-free, so that the templates and the
// colour tables can be checked pixel by pixel.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QImage>

#include <array>
#include <vector>

namespace tw::controls {

enum TFcGlyphTemplate {
    gtRadioUnchecked,
    gtRadioChecked,
    gtCheckUnchecked,
    gtCheckChecked,
    gtCheckGrayed
};

inline constexpr int kGlyphTemplateSize = 13;

// The template's rows, top first, one letter per pixel: o olive (shows the
// background), W white, K black, G green, g gray, P purple, M maroon, L lime,
// R red, F fuchsia, Y yellow, N navy, B blue, A aqua.
const std::array<const char*, kGlyphTemplateSize>& GlyphTemplateRows(TFcGlyphTemplate which);
// The key colour a letter stands for (clNone for any other character).
TColor GlyphKeyColor(char letter);
// The template as a 13 by 13 32-bit image in its key colours.
QImage GlyphTemplateImage(TFcGlyphTemplate which);

// Colours and state that decide how a template is recoloured.
struct TFcGlyphLook {
    TColor FrameColor = clBtnShadow;
    TColor HighlightColor = clHighlight;
    TColor DisabledColor = clBtnFace;
    TColor HotTrackColor = clHighlight;
    TFcHotTrackColorType HotTrackColorType = htctComplement;
    TColor TransparentColor = 0x008080;  // olive
    TColor WinMaskColor = 0x00FF00;      // lime
    bool Enabled = true;
    bool Pressed = false;
    bool MouseOver = false;
    bool FullColor = true;
};

// A key colour's RGB value and the RGB value that replaces it.
struct TFcKeyColor {
    TColor Key = 0;
    TColor Value = 0;
    friend bool operator==(const TFcKeyColor&, const TFcKeyColor&) = default;
};

// A colour that would read as one of the key colours the drawing still looks
// for (the transparent and the window-mask colour, gray) is moved one step
// off it; any other colour comes back unchanged.
TColor CheckColor(TColor color, TColor transparentColor, TColor winMaskColor);

// The recolouring of the radio templates (13 keys) and the check-box
// templates (5 keys), as RGB values.
std::vector<TFcKeyColor> RadioKeyColors(const TFcGlyphLook& look);
std::vector<TFcKeyColor> CheckKeyColors(const TFcGlyphLook& look);

// A copy of image with every pixel of a key colour replaced by its value;
// every other pixel is kept.
QImage MapKeyColors(const QImage& image, const std::vector<TFcKeyColor>& keys);

}  // namespace tw::controls
