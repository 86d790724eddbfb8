#include "controls/choices/fcglyphtemplates.h"

#include <unordered_map>

namespace tw::controls {

namespace {

using Rows = std::array<const char*, kGlyphTemplateSize>;

const Rows kRadioUnchecked = {
    "ooooAGKGAoooo", "ooAKgLFLgKAoo", "oAGLFFFFFLGAo", "oKLFFYWYFFMKo", "AgFFWWWWWRRPA",
    "GLFYWWWWWYRMG", "KFFWWWWWWWRRK", "GLFYWWWWWYRMG", "AgFFWWWWWRRPA", "oKLFRYWYRRMKo",
    "oAGMRRRRRMGAo", "ooAKPMRMPKAoo", "ooooAGKGAoooo"};
const Rows kRadioChecked = {
    "ooooAGKGAoooo", "ooAKgLFLgKAoo", "oAGLFFFFFLGAo", "oKLFFYWYFFMKo", "AgFFWBNBWRRPA",
    "GLFYBNNNBYRMG", "KFFWNNNNNWRRK", "GLFYBNNNBYRMG", "AgFFWBNBWRRPA", "oKLFRYWYRRMKo",
    "oAGMRRRRRMGAo", "ooAKPMRMPKAoo", "ooooAGKGAoooo"};
const Rows kCheckUnchecked = {
    "ggggggggggggg", "gFFFFFFFFFFFg", "gFFFFFFFFFFRg", "gFFWWWWWWWRRg", "gFFWWWWWWWRRg",
    "gFFWWWWWWWRRg", "gFFWWWWWWWRRg", "gFFWWWWWWWRRg", "gFFWWWWWWWRRg", "gFFWWWWWWWRRg",
    "gFFRRRRRRRRRg", "gFRRRRRRRRRRg", "ggggggggggggg"};
const Rows kCheckChecked = {
    "ggggggggggggg", "gFFFFFFFFFFFg", "gFFFFFFFFFFRg", "gFFWWWWWWBRRg", "gFFWWWWWBBRRg",
    "gFFBWWWBBBRRg", "gFFBBWBBBWRRg", "gFFBBBBBWWRRg", "gFFWBBBWWWRRg", "gFFWWBWWWWRRg",
    "gFFRRRRRRRRRg", "gFRRRRRRRRRRg", "ggggggggggggg"};
const Rows kCheckGrayed = {
    "ggggggggggggg", "gFFFFFFFFFFFg", "gFFFFFFFFFFRg", "gFFBBBBBBBRRg", "gFFBBBBBBBRRg",
    "gFFBBBBBBBRRg", "gFFBBBBBBBRRg", "gFFBBBBBBBRRg", "gFFBBBBBBBRRg", "gFFBBBBBBBRRg",
    "gFFRRRRRRRRRg", "gFRRRRRRRRRRg", "ggggggggggggg"};

constexpr TColor kOlive = 0x008080;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kGreen = 0x008000;
constexpr TColor kGray = 0x808080;
constexpr TColor kPurple = 0x800080;
constexpr TColor kMaroon = 0x000080;
constexpr TColor kLime = 0x00FF00;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kFuchsia = 0xFF00FF;
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kNavy = 0x800000;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kAqua = 0xFFFF00;

std::uint32_t PixelOf(TColor c)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | static_cast<std::uint32_t>(GetBValue(c));
}

// The shades the hot-track look derives from its colours.
struct HotShades {
    TColor Light;
    TColor Dark;
    TColor Down;
};

HotShades Shades(const TFcGlyphLook& look)
{
    const TColor window = ColorToRGB(clWindow);
    if (!look.FullColor)
        return {window, window, window};
    HotShades s{};
    if (look.HotTrackColorType == htctActual) {
        s.Light = LighterColor(look.HotTrackColor, 30);
        s.Dark = DarkerColor(look.HotTrackColor, 30);
    } else {
        const int hue = ColorHue(look.HotTrackColor);
        s.Light = HSLtoColor(static_cast<std::uint8_t>(hue < 120 ? hue + 120 : hue - 120), 220, 180);
        s.Dark = DarkerColor(s.Light, 30);
    }
    s.Down = DarkerColor(clWindow, 20);
    return s;
}

}  // namespace

const std::array<const char*, kGlyphTemplateSize>& GlyphTemplateRows(TFcGlyphTemplate which)
{
    switch (which) {
    case gtRadioUnchecked: return kRadioUnchecked;
    case gtRadioChecked: return kRadioChecked;
    case gtCheckUnchecked: return kCheckUnchecked;
    case gtCheckChecked: return kCheckChecked;
    case gtCheckGrayed: return kCheckGrayed;
    }
    return kRadioUnchecked;
}

TColor GlyphKeyColor(char letter)
{
    switch (letter) {
    case 'o': return kOlive;
    case 'W': return kWhite;
    case 'K': return kBlack;
    case 'G': return kGreen;
    case 'g': return kGray;
    case 'P': return kPurple;
    case 'M': return kMaroon;
    case 'L': return kLime;
    case 'R': return kRed;
    case 'F': return kFuchsia;
    case 'Y': return kYellow;
    case 'N': return kNavy;
    case 'B': return kBlue;
    case 'A': return kAqua;
    default: return clNone;
    }
}

QImage GlyphTemplateImage(TFcGlyphTemplate which)
{
    QImage image(kGlyphTemplateSize, kGlyphTemplateSize, QImage::Format_RGB32);
    const Rows& rows = GlyphTemplateRows(which);
    for (int y = 0; y < kGlyphTemplateSize; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < kGlyphTemplateSize; ++x)
            line[x] = PixelOf(GlyphKeyColor(rows[y][x]));
    }
    return image;
}

TColor CheckColor(TColor color, TColor transparentColor, TColor winMaskColor)
{
    const TColor rgb = ColorToRGB(color);
    if (rgb == ColorToRGB(transparentColor) || rgb == ColorToRGB(winMaskColor) || rgb == kGray)
        return rgb + 1;
    return color;
}

std::vector<TFcKeyColor> RadioKeyColors(const TFcGlyphLook& look)
{
    const auto check = [&](TColor c) { return CheckColor(c, look.TransparentColor, look.WinMaskColor); };
    const TColor window = clWindow;
    const TColor frame = look.FrameColor;
    const TColor high = look.HighlightColor;
    const TColor disabled = look.DisabledColor;
    const HotShades s = Shades(look);

    // key → value, filled column by column: the normal look, then the state's
    // overrides.
    std::vector<std::pair<TColor, TColor>> map;
    if (look.FullColor) {
        map = {{kWhite, window},
               {kBlack, check(frame)},
               {kGreen, LighterColor(frame, 10)},
               {kGray, BlendColors(frame, window, 128)},
               {kPurple, BlendColors(frame, window, 128)},
               {kMaroon, BlendColors(frame, window, 80)},
               {kLime, BlendColors(frame, window, 80)},
               {kRed, window},
               {kFuchsia, window},
               {kYellow, window},
               {kNavy, check(high)},
               {kBlue, BlendColors(high, window, 153)},
               {kAqua, kGreen}};
    } else {
        map = {{kWhite, window},  {kBlack, check(frame)}, {kGreen, check(frame)},  {kGray, window},
               {kPurple, window}, {kMaroon, window},      {kLime, window},         {kRed, window},
               {kFuchsia, window}, {kYellow, window},     {kNavy, check(high)},    {kBlue, check(high)},
               {kAqua, check(frame)}};
    }
    const auto set = [&](TColor key, TColor value) {
        for (auto& [k, v] : map) {
            if (k == key)
                v = value;
        }
    };
    if (!look.Enabled) {
        for (TColor key : {kWhite, kRed, kFuchsia, kYellow})
            set(key, disabled);
        set(kGray, BlendColors(frame, disabled, 128));
        set(kPurple, BlendColors(frame, disabled, 128));
        set(kMaroon, BlendColors(frame, disabled, 80));
        set(kLime, BlendColors(frame, disabled, 80));
        set(kNavy, clBtnShadow);
        set(kBlue, BlendColors(high, disabled, 128));
    } else if (look.FullColor && look.Pressed) {
        for (TColor key : {kWhite, kRed, kFuchsia, kYellow})
            set(key, s.Down);
        set(kGray, BlendColors(frame, s.Down, 128));
        set(kPurple, BlendColors(frame, s.Down, 128));
        set(kMaroon, BlendColors(frame, s.Down, 80));
        set(kLime, BlendColors(frame, s.Down, 80));
        set(kBlue, BlendColors(high, s.Down, 153));
    } else if (look.FullColor && look.MouseOver) {
        set(kGray, BlendColors(frame, s.Dark, 128));
        set(kPurple, BlendColors(frame, s.Light, 128));
        set(kMaroon, BlendColors(frame, s.Dark, 80));
        set(kLime, BlendColors(frame, s.Light, 80));
        set(kRed, s.Dark);
        set(kFuchsia, s.Light);
        set(kYellow, BlendColors(s.Light, window, 128));
    }
    std::vector<TFcKeyColor> result;
    for (const auto& [key, value] : map)
        result.push_back({key, ColorToRGB(value)});
    return result;
}

std::vector<TFcKeyColor> CheckKeyColors(const TFcGlyphLook& look)
{
    const HotShades s = Shades(look);
    TColor white = clWindow;
    TColor red = clWindow;
    TColor fuchsia = clWindow;
    TColor blue = CheckColor(look.HighlightColor, look.TransparentColor, look.WinMaskColor);
    if (!look.Enabled) {
        white = red = fuchsia = look.DisabledColor;
        blue = clBtnShadow;
    } else if (look.Pressed) {
        white = red = fuchsia = s.Down;
    } else if (look.MouseOver) {
        red = s.Dark;
        fuchsia = s.Light;
    }
    return {{kWhite, ColorToRGB(white)},
            {kGray, ColorToRGB(look.FrameColor)},
            {kRed, ColorToRGB(red)},
            {kFuchsia, ColorToRGB(fuchsia)},
            {kBlue, ColorToRGB(blue)}};
}

QImage MapKeyColors(const QImage& image, const std::vector<TFcKeyColor>& keys)
{
    std::unordered_map<std::uint32_t, std::uint32_t> table;
    for (const TFcKeyColor& k : keys)
        table.emplace(PixelOf(k.Key), PixelOf(k.Value));
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const auto it = table.find(line[x] | 0xFF000000u);
            if (it != table.end())
                line[x] = it->second;
        }
    }
    return result;
}

}  // namespace tw::controls
