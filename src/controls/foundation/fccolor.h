#pragma once
// Colour values as the controls store them: 0x00BBGGRR, or a system colour
// (0x80000000 + index) that is turned into RGB through the system-colour table
// before any arithmetic. Derived shades are made in hue/saturation/luminance
// on the 0..240 scale of the classic colour dialog.
//
// The system-colour table is process-wide. It starts as the fixed classic
// table so that drawing is the same on every machine (and in every pixel
// test); the application may fill it from its palette instead
// (FillSystemColorsFromPalette, fcpalettecolors.h).

#include <array>
#include <cstdint>

#include "platform/drawing/drawtypes.h"

namespace tw::controls {

using TColor = drawing::TColor;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor kSystemColorFlag = 0x80000000;

// System-colour indexes used by the library.
enum TSystemColorIndex {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30
};
inline constexpr int kSystemColorCount = 31;

inline constexpr TColor SystemColor(int index)
{
    return kSystemColorFlag | static_cast<TColor>(index);
}
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);

inline constexpr TColor RGB(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int GetRValue(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
inline constexpr int GetGValue(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int GetBValue(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr bool IsSystemColor(TColor c)
{
    return (c & kSystemColorFlag) != 0;
}

using SystemColorTable = std::array<TColor, kSystemColorCount>;

// The fixed table of the classic grey look.
const SystemColorTable& ClassicSystemColors();
// Replaces the table in use (restore with ClassicSystemColors()).
void SetSystemColors(const SystemColorTable& table);
const SystemColorTable& CurrentSystemColors();

// A system colour through the table in use; an RGB value unchanged (its
// unused high byte cleared). clNone stays clNone.
TColor ColorToRGB(TColor color);

void ColorToHSL(TColor color, std::uint8_t& hue, std::uint8_t& saturation, std::uint8_t& luminance);
TColor HSLtoColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance);
std::uint8_t ColorHue(TColor color);
std::uint8_t ColorSaturation(TColor color);
std::uint8_t ColorLuminance(TColor color);
TColor DarkerColor(TColor color, std::uint8_t amount);
TColor LighterColor(TColor color, std::uint8_t amount);
TColor AdjustColor(TColor color, int amount);
TColor BlendColors(TColor first, TColor second, std::uint8_t weight);
bool ColorsTooClose(TColor first, TColor second);

}  // namespace tw::controls
