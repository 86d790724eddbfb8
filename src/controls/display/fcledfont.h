#pragma once
// The LED display's 5 by 7 dot-matrix font and the arithmetic of its dots and
// scrolling, kept apart from the widget so that it can be checked headless.
// A glyph is five column bytes, left to right; in each byte bit 7 is the top
// row and bit 1 the seventh (bit 0 is unused).
#include "controls/foundation/fctypes.h"
#include <array>
#include <cstdint>
namespace tw::controls {
using TFcLedGlyph = std::array<std::uint8_t, 5>;
// The glyph drawn for a character code: codes 32 to 126 their own, every
// other code the block of 127.
const TFcLedGlyph& LedGlyph(unsigned char code);
// True when the dot at row (0 top .. 6) and column (0 .. 5; 5 is the gap
// between characters and never lit) of the character is lit.
bool LedDotLit(unsigned char code, int row, int column);
// Dot size and gap for a client height.
struct TFcLedDots {
    int Size = 2;
    int Gap = 0;
    int Pitch() const { return Size + Gap; }
    int CellWidth() const { return 6 * Pitch(); }
    int CellHeight() const { return 7 * Size + 6 * Gap; }
};
TFcLedDots LedDotsForHeight(int clientHeight);
// Pixels the text scrolls through before a pass is complete: the caption
// leaves the display completely before it starts again.
int LedScrollExtent(int captionLength, const TFcLedDots& dots, int width);
// Where the first character is drawn, for the scroll position.
int LedTextStart(TFcScrollType type, bool scrolling, int clientWidth, const TFcLedDots& dots, int position,
                 int captionLength);
// The timer runs exactly when the display scrolls and has a direction.
inline bool LedTimerRuns(bool scrolling, TFcScrollType type)
{
    return scrolling && type != stNone;
}
// One tick: the position moves one dot pitch and wraps to 0 at the extent.
// Returns true when the pass completed on this tick.
bool LedAdvance(int& position, const TFcLedDots& dots, int extent);
}  // namespace tw::controls
