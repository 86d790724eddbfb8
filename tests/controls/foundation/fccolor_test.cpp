#include "controls/foundation/fccolor.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TEST(FcColor, HslRoundTripKeepsEveryGreyAndPrimary)
{
    // Greys and the six pure hues come back exactly through the 0..240 scale.
    for (int v = 0; v <= 255; v += 17) {
        std::uint8_t h, s, l;
        ColorToHSL(RGB(v, v, v), h, s, l);
        EXPECT_EQ(s, 0);
        EXPECT_EQ(HSLtoColor(h, s, l), RGB(v, v, v)) << v;
    }
    for (TColor c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255)}) {
        std::uint8_t h, s, l;
        ColorToHSL(c, h, s, l);
        EXPECT_EQ(s, 240);
        EXPECT_EQ(l, 120);
        const TColor back = HSLtoColor(h, s, l);
        EXPECT_NEAR(GetRValue(back), GetRValue(c), 8) << std::hex << c;
        EXPECT_NEAR(GetGValue(back), GetGValue(c), 8) << std::hex << c;
        EXPECT_NEAR(GetBValue(back), GetBValue(c), 8) << std::hex << c;
    }
}

TEST(FcColor, HslComponentsOnTheClassicScale)
{
    struct Case {
        TColor color;
        int h, s, l;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), 0, 240, 120},   {RGB(0, 255, 0), 80, 240, 120},  {RGB(0, 0, 255), 160, 240, 120},
        {RGB(255, 255, 255), 0, 0, 240}, {RGB(128, 128, 128), 0, 0, 120}, {RGB(212, 208, 200), 27, 29, 194},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorHue(c.color), c.h) << std::hex << c.color;
        EXPECT_EQ(ColorSaturation(c.color), c.s) << std::hex << c.color;
        EXPECT_EQ(ColorLuminance(c.color), c.l) << std::hex << c.color;
    }
}

TEST(FcColor, HslEnds)
{
    EXPECT_EQ(HSLtoColor(0, 0, 240), clWhite);
    for (int h : {0, 100, 239})
        EXPECT_EQ(HSLtoColor(static_cast<std::uint8_t>(h), 200, 0), clBlack);
    // Hue 239 and above falls into the first sextant again.
    EXPECT_EQ(HSLtoColor(239, 240, 120), RGB(255, 0, 0));
}

TEST(FcColor, DarkerLighterAdjust)
{
    EXPECT_EQ(LighterColor(clWhite, 100), clWhite);
    EXPECT_EQ(DarkerColor(clBlack, 100), clBlack);
    EXPECT_EQ(DarkerColor(RGB(128, 128, 128), 60), RGB(64, 64, 64));
    EXPECT_EQ(LighterColor(RGB(128, 128, 128), 60), RGB(191, 191, 191));
    // Luminance may pass 240: channels then clip at full intensity.
    EXPECT_EQ(LighterColor(RGB(200, 200, 200), 255), clWhite);
    // A system colour comes back as plain RGB through amount 0 ...
    EXPECT_EQ(DarkerColor(clBtnShadow, 0), RGB(128, 128, 128));
    EXPECT_EQ(LighterColor(clBtnShadow, 0), RGB(128, 128, 128));
    // ... but AdjustColor(c, 0) is c itself.
    EXPECT_EQ(AdjustColor(clBtnShadow, 0), clBtnShadow);
    EXPECT_EQ(AdjustColor(RGB(128, 128, 128), -60), RGB(64, 64, 64));
    EXPECT_EQ(AdjustColor(RGB(128, 128, 128), 60), RGB(191, 191, 191));
}

TEST(FcColor, BlendRoundsHalvesToEven)
{
    EXPECT_EQ(BlendColors(clWhite, clBlack, 128), RGB(128, 128, 128));
    EXPECT_EQ(BlendColors(clBlack, clWhite, 128), RGB(127, 127, 127));
    EXPECT_EQ(BlendColors(RGB(10, 20, 30), RGB(200, 100, 0), 255), RGB(10, 20, 30));
    EXPECT_EQ(BlendColors(RGB(10, 20, 30), RGB(200, 100, 0), 0), RGB(200, 100, 0));
    EXPECT_EQ(BlendColors(clBtnFace, clWhite, 255), RGB(212, 208, 200));
}

TEST(FcColor, TooClose)
{
    EXPECT_TRUE(ColorsTooClose(RGB(200, 200, 200), RGB(180, 180, 180)));
    EXPECT_FALSE(ColorsTooClose(RGB(250, 250, 250), RGB(100, 100, 100)));
    EXPECT_FALSE(ColorsTooClose(RGB(255, 0, 0), RGB(0, 0, 255)));  // hues apart
    EXPECT_TRUE(ColorsTooClose(clWindow, clWhite));
}

TEST(FcColor, SystemColoursComeFromTheTableInUse)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(0x12345678), 0x345678u);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    SystemColorTable table = ClassicSystemColors();
    table[COLOR_BTNFACE] = RGB(1, 2, 3);
    SetSystemColors(table);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    SetSystemColors(ClassicSystemColors());
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
}

}  // namespace
}  // namespace tw::controls
