#include "controls/foundation/fccolor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tw::controls {
namespace {

// Halves go to even, as everywhere in the colour arithmetic.
int RoundEven(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

SystemColorTable MakeClassicTable()
{
    SystemColorTable t{};
    t[COLOR_SCROLLBAR] = RGB(212, 208, 200);
    t[COLOR_BACKGROUND] = RGB(58, 110, 165);
    t[COLOR_ACTIVECAPTION] = RGB(10, 36, 106);
    t[COLOR_INACTIVECAPTION] = RGB(128, 128, 128);
    t[COLOR_MENU] = RGB(212, 208, 200);
    t[COLOR_WINDOW] = RGB(255, 255, 255);
    t[COLOR_WINDOWFRAME] = RGB(0, 0, 0);
    t[COLOR_MENUTEXT] = RGB(0, 0, 0);
    t[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
    t[COLOR_CAPTIONTEXT] = RGB(255, 255, 255);
    t[COLOR_ACTIVEBORDER] = RGB(212, 208, 200);
    t[COLOR_INACTIVEBORDER] = RGB(212, 208, 200);
    t[COLOR_APPWORKSPACE] = RGB(128, 128, 128);
    t[COLOR_HIGHLIGHT] = RGB(10, 36, 106);
    t[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    t[COLOR_BTNFACE] = RGB(212, 208, 200);
    t[COLOR_BTNSHADOW] = RGB(128, 128, 128);
    t[COLOR_GRAYTEXT] = RGB(128, 128, 128);
    t[COLOR_BTNTEXT] = RGB(0, 0, 0);
    t[COLOR_INACTIVECAPTIONTEXT] = RGB(212, 208, 200);
    t[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    t[COLOR_3DDKSHADOW] = RGB(64, 64, 64);
    t[COLOR_3DLIGHT] = RGB(212, 208, 200);
    t[COLOR_INFOTEXT] = RGB(0, 0, 0);
    t[COLOR_INFOBK] = RGB(255, 255, 225);
    t[25] = RGB(181, 181, 181);
    t[COLOR_HOTLIGHT] = RGB(0, 0, 128);
    t[COLOR_GRADIENTACTIVECAPTION] = RGB(166, 202, 240);
    t[COLOR_GRADIENTINACTIVECAPTION] = RGB(192, 192, 192);
    t[COLOR_MENUHILIGHT] = RGB(10, 36, 106);
    t[COLOR_MENUBAR] = RGB(212, 208, 200);
    return t;
}

SystemColorTable& TableInUse()
{
    static SystemColorTable table = ClassicSystemColors();
    return table;
}

}  // namespace

const SystemColorTable& ClassicSystemColors()
{
    static const SystemColorTable table = MakeClassicTable();
    return table;
}

void SetSystemColors(const SystemColorTable& table)
{
    TableInUse() = table;
}
const SystemColorTable& CurrentSystemColors()
{
    return TableInUse();
}

TColor ColorToRGB(TColor color)
{
    if (color == clNone)
        return clNone;
    if (IsSystemColor(color)) {
        const int index = static_cast<int>(color & 0xFF);
        return index < kSystemColorCount ? TableInUse()[index] : clBlack;
    }
    return color & 0x00FFFFFF;
}

void ColorToHSL(TColor color, std::uint8_t& hue, std::uint8_t& saturation, std::uint8_t& luminance)
{
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0;
    double s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    hue = static_cast<std::uint8_t>(RoundEven(240 * h));
    saturation = static_cast<std::uint8_t>(RoundEven(240 * s));
    luminance = static_cast<std::uint8_t>(RoundEven(240 * l));
}

TColor HSLtoColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance)
{
    // Hue over 239, not 240: the classic scale's quirk, kept so that derived
    // shades match stored colours.
    const double h = hue / 239.0;
    const double s = saturation / 240.0;
    const double l = luminance / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0)
        return clBlack;
    const double m = 2 * l - v;
    const double sv = (v - m) / v;
    const int sextant = static_cast<int>(6 * h);
    const double fract = 6 * h - sextant;
    const double vsf = v * sv * fract;
    const double mid1 = m + vsf;
    const double mid2 = v - vsf;
    double r = v, g = mid1, b = m;
    switch (sextant) {
    case 1:
        r = mid2;
        g = v;
        b = m;
        break;
    case 2:
        r = m;
        g = v;
        b = mid1;
        break;
    case 3:
        r = m;
        g = mid2;
        b = v;
        break;
    case 4:
        r = mid1;
        g = m;
        b = v;
        break;
    case 5:
        r = v;
        g = m;
        b = mid2;
        break;
    default: break;
    }
    const auto channel = [](double x) { return RoundEven(255 * std::clamp(x, 0.0, 1.0)); };
    return RGB(channel(r), channel(g), channel(b));
}

std::uint8_t ColorHue(TColor color)
{
    std::uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return h;
}

std::uint8_t ColorSaturation(TColor color)
{
    std::uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return s;
}

std::uint8_t ColorLuminance(TColor color)
{
    std::uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return l;
}

TColor DarkerColor(TColor color, std::uint8_t amount)
{
    std::uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return HSLtoColor(h, s, static_cast<std::uint8_t>(std::max(l - amount, 0)));
}

TColor LighterColor(TColor color, std::uint8_t amount)
{
    std::uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return HSLtoColor(h, s, static_cast<std::uint8_t>(std::min(l + amount, 255)));
}

TColor AdjustColor(TColor color, int amount)
{
    if (amount < 0)
        return DarkerColor(color, static_cast<std::uint8_t>(-amount));
    if (amount == 0)
        return color;
    return LighterColor(color, static_cast<std::uint8_t>(amount));
}

TColor BlendColors(TColor first, TColor second, std::uint8_t weight)
{
    const TColor a = ColorToRGB(first);
    const TColor b = ColorToRGB(second);
    const double f = weight / 255.0;
    const auto mix = [f](int x, int y) { return RoundEven(x * f + y * (1 - f)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

bool ColorsTooClose(TColor first, TColor second)
{
    std::uint8_t h1, s1, l1, h2, s2, l2;
    ColorToHSL(first, h1, s1, l1);
    ColorToHSL(second, h2, s2, l2);
    if (std::abs(h1 - h2) >= 20)
        return false;
    return std::abs(l1 - l2) < 60;
}

}  // namespace tw::controls
