#pragma once
// The colour picker's table of named colours and its geometry without the
// widget: hit test, cell rectangles, the size it asks for, and which cell a
// colour selects.
//
// Cell indexes: 0..39 standard colours, 40..69 system colours, and
inline constexpr int kPickNoColor = -1;      // the "None" strip, also a hit on nothing
inline constexpr int kPickCustomSwatch = -2; // the custom colour's swatch
inline constexpr int kPickCustomButton = -3; // "More Colors..." (opens the colour dialog)
inline constexpr int kPickDefault = -4;      // the "Default" strip
inline constexpr int kPickNothing = -5;      // a gap that chooses nothing
inline constexpr int kPickNoHighlight = -6;
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"
#include <QString>
namespace tw::controls {
inline constexpr int kStandardColorCount = 40;
inline constexpr int kPickerColorCount = 70;
struct TFcNamedColor {
    TColor Color;
    const char* Name;
};
const TFcNamedColor& PickerColor(int index);
// The strip captions shown while the picker's own caption is empty.
QString DefaultColorCaptionText();
QString NoColorCaptionText();
QString CustomColorCaptionText();
struct TFcPickerLayout {
    bool ShowNoColor = false;
    bool ShowDefaultColor = false;
    bool ShowCustomColor = false;
    bool ShowSystemColors = false;
    // Height of each strip and width of a swatch square: |font height| + 12.
    int StripHeight = 23;
};
// The cell under (x, y), control coordinates; clientWidth and clientHeight
// of the client rectangle.
int PickerHitTest(const TFcPickerLayout& layout, int clientWidth, int clientHeight, int x, int y);
// The rectangle of a colour cell (0..69), for placing its hint.
TRect PickerCellRect(const TFcPickerLayout& layout, int clientWidth, int clientHeight, int index);
// The size the picker takes with AutoSize, for a client inset of (left, top).
void PickerAutoSize(const TFcPickerLayout& layout, int insetLeft, int insetTop, int& width, int& height);
// The colour a selection index stands for.
TColor PickerColorOfIndex(int index, TColor defaultColor, TColor customColor);
// The index a colour selects; a colour of no cell becomes the custom colour
// (as its RGB value, stored in customColor) and selects the custom swatch.
int PickerIndexOfColor(const TFcPickerLayout& layout, TColor color, TColor defaultColor, TColor& customColor);
// Where each part lies while painting, inside the client rectangle cr.
struct TFcPickerPaintLayout {
    TRect NoColorStrip;
    TRect DefaultStrip;
    TRect CustomStrip;
    int GridTop = 0;
    int RowHeight = 0;
    int CellWidth = 0;
    int SystemTop = 0;
    int SeparatorY = 0;
    TRect Cell(int index, const TRect& cr) const;
};
TFcPickerPaintLayout PickerPaintLayout(const TFcPickerLayout& layout, const TRect& cr);
}  // namespace tw::controls
