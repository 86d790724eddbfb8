// The choice controls' window-free parts: the five marks against their letter
// grids, the recolouring tables, CheckColor, the group layout and the
// integer list of stored check states.

#include "controls/choices/fcglyphtemplates.h"
#include "controls/choices/fcgrouplayout.h"
#include "controls/choices/fcintegerlist.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tw::controls {
namespace {

// The marks as drawn, one string per template, rows separated by spaces.
const std::map<TFcGlyphTemplate, std::string> kGrids = {
    {gtRadioUnchecked,
     "ooooAGKGAoooo ooAKgLFLgKAoo oAGLFFFFFLGAo oKLFFYWYFFMKo AgFFWWWWWRRPA GLFYWWWWWYRMG KFFWWWWWWWRRK "
     "GLFYWWWWWYRMG AgFFWWWWWRRPA oKLFRYWYRRMKo oAGMRRRRRMGAo ooAKPMRMPKAoo ooooAGKGAoooo"},
    {gtRadioChecked,
     "ooooAGKGAoooo ooAKgLFLgKAoo oAGLFFFFFLGAo oKLFFYWYFFMKo AgFFWBNBWRRPA GLFYBNNNBYRMG KFFWNNNNNWRRK "
     "GLFYBNNNBYRMG AgFFWBNBWRRPA oKLFRYWYRRMKo oAGMRRRRRMGAo ooAKPMRMPKAoo ooooAGKGAoooo"},
    {gtCheckUnchecked,
     "ggggggggggggg gFFFFFFFFFFFg gFFFFFFFFFFRg gFFWWWWWWWRRg gFFWWWWWWWRRg gFFWWWWWWWRRg gFFWWWWWWWRRg "
     "gFFWWWWWWWRRg gFFWWWWWWWRRg gFFWWWWWWWRRg gFFRRRRRRRRRg gFRRRRRRRRRRg ggggggggggggg"},
    {gtCheckChecked,
     "ggggggggggggg gFFFFFFFFFFFg gFFFFFFFFFFRg gFFWWWWWWBRRg gFFWWWWWBBRRg gFFBWWWBBBRRg gFFBBWBBBWRRg "
     "gFFBBBBBWWRRg gFFWBBBWWWRRg gFFWWBWWWWRRg gFFRRRRRRRRRg gFRRRRRRRRRRg ggggggggggggg"},
    {gtCheckGrayed,
     "ggggggggggggg gFFFFFFFFFFFg gFFFFFFFFFFRg gFFBBBBBBBRRg gFFBBBBBBBRRg gFFBBBBBBBRRg gFFBBBBBBBRRg "
     "gFFBBBBBBBRRg gFFBBBBBBBRRg gFFBBBBBBBRRg gFFRRRRRRRRRg gFRRRRRRRRRRg ggggggggggggg"},
};

// TColor 0x00BBGGRR of each letter, written out on their own.
const std::map<char, TColor> kLetters = {
    {'o', 0x008080}, {'W', 0xFFFFFF}, {'K', 0x000000}, {'G', 0x008000}, {'g', 0x808080},
    {'P', 0x800080}, {'M', 0x000080}, {'L', 0x00FF00}, {'R', 0x0000FF}, {'F', 0xFF00FF},
    {'Y', 0x00FFFF}, {'N', 0x800000}, {'B', 0xFF0000}, {'A', 0xFFFF00},
};

TColor PixelAt(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

char LetterOf(TColor c)
{
    for (const auto& [letter, colour] : kLetters) {
        if (colour == c)
            return letter;
    }
    return '?';
}

std::string Picture(const QImage& image)
{
    std::string s;
    for (int y = 0; y < image.height(); ++y) {
        if (y > 0)
            s += ' ';
        for (int x = 0; x < image.width(); ++x)
            s += LetterOf(PixelAt(image, x, y));
    }
    return s;
}

struct ClassicColours : ::testing::Test {
    ClassicColours() { SetSystemColors(ClassicSystemColors()); }
};

TEST(GlyphTemplates, EachMarkMatchesItsGridLetterForLetter)
{
    for (const auto& [which, grid] : kGrids) {
        SCOPED_TRACE(which);
        const QImage image = GlyphTemplateImage(which);
        ASSERT_EQ(image.size(), QSize(13, 13));
        EXPECT_EQ(Picture(image), grid);
    }
}

TEST_F(ClassicColours, CheckColorMovesOnlyTheKeyColoursOneStep)
{
    constexpr TColor olive = 0x008080;
    constexpr TColor lime = 0x00FF00;
    constexpr TColor teal = 0x808000;
    struct Case {
        TColor colour;
        TColor winMask;
        TColor expected;
    };
    const Case cases[] = {
        {olive, lime, 0x008081},        // the transparent key
        {lime, lime, 0x00FF01},         // the window mask of a standalone control
        {teal, teal, 0x808001},         // the window mask of a group's item
        {teal, lime, teal},             // teal means nothing to a standalone control
        {0x808080, lime, 0x808081},     // gray
        {clBtnShadow, lime, 0x808081},  // a system colour that reads as gray
        {0x0000FF, lime, 0x0000FF},
        {clHighlight, lime, clHighlight},  // left as the system colour it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        EXPECT_EQ(CheckColor(c.colour, olive, c.winMask), c.expected);
    }
}

TColor Value(const std::vector<TFcKeyColor>& keys, TColor key)
{
    for (const TFcKeyColor& k : keys) {
        if (k.Key == key)
            return k.Value;
    }
    ADD_FAILURE() << "no key " << std::hex << key;
    return clNone;
}

TEST_F(ClassicColours, RadioKeysFollowTheStateColumns)
{
    TFcGlyphLook look;  // frame clBtnShadow, highlight clHighlight, disabled clBtnFace
    const TColor window = ColorToRGB(clWindow);
    const TColor frame = ColorToRGB(clBtnShadow);
    const TColor high = ColorToRGB(clHighlight);
    const TColor face = ColorToRGB(clBtnFace);
    const TColor down = DarkerColor(clWindow, 20);
    const std::uint8_t hue = ColorHue(clHighlight);
    const TColor hotLight = HSLtoColor(static_cast<std::uint8_t>(hue < 120 ? hue + 120 : hue - 120), 220, 180);
    const TColor hotDark = DarkerColor(hotLight, 30);

    struct Case {
        const char* state;
        bool enabled, pressed, over, full;
        std::map<TColor, TColor> expected;
    };
    const Case cases[] = {
        {"normal", true, false, false, true,
         {{0xFFFFFF, window}, {0x000000, 0x808081}, {0x008000, LighterColor(frame, 10)},
          {0x808080, BlendColors(frame, window, 128)}, {0x000080, BlendColors(frame, window, 80)},
          {0x800000, high}, {0xFF0000, BlendColors(high, window, 153)}, {0xFFFF00, 0x008000}}},
        {"disabled", false, true, true, true,
         {{0xFFFFFF, face}, {0x00FFFF, face}, {0x808080, BlendColors(frame, face, 128)},
          {0x00FF00, BlendColors(frame, face, 80)}, {0x800000, frame}, {0xFF0000, BlendColors(high, face, 128)},
          {0x000000, 0x808081}}},
        {"pressed wins over the mouse", true, true, true, true,
         {{0xFFFFFF, down}, {0x0000FF, down}, {0x800080, BlendColors(frame, down, 128)},
          {0x00FF00, BlendColors(frame, down, 80)}, {0xFF0000, BlendColors(high, down, 153)}, {0x800000, high}}},
        {"mouse over", true, false, true, true,
         {{0xFFFFFF, window}, {0x808080, BlendColors(frame, hotDark, 128)},
          {0x800080, BlendColors(frame, hotLight, 128)}, {0x000080, BlendColors(frame, hotDark, 80)},
          {0x00FF00, BlendColors(frame, hotLight, 80)}, {0x0000FF, hotDark}, {0xFF00FF, hotLight},
          {0x00FFFF, BlendColors(hotLight, window, 128)}}},
        {"few colours: pressed and mouse-over do not apply", true, true, true, false,
         {{0xFFFFFF, window}, {0x008000, 0x808081}, {0x808080, window}, {0x0000FF, window},
          {0xFF0000, high}, {0xFFFF00, 0x808081}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        look.Enabled = c.enabled;
        look.Pressed = c.pressed;
        look.MouseOver = c.over;
        look.FullColor = c.full;
        const std::vector<TFcKeyColor> keys = RadioKeyColors(look);
        EXPECT_EQ(keys.size(), 13u);
        for (const auto& [key, value] : c.expected)
            EXPECT_EQ(Value(keys, key), value) << "key " << std::hex << key;
    }
}

TEST_F(ClassicColours, CheckBoxKeysFollowTheStateColumns)
{
    TFcGlyphLook look;
    const TColor window = ColorToRGB(clWindow);
    const TColor down = DarkerColor(clWindow, 20);
    const std::uint8_t hue = ColorHue(clHighlight);
    const TColor hotLight = HSLtoColor(static_cast<std::uint8_t>(hue < 120 ? hue + 120 : hue - 120), 220, 180);
    struct Case {
        bool enabled, pressed, over;
        TColor white, gray, red, fuchsia, blue;
    };
    const Case cases[] = {
        {true, false, false, window, 0x808080, window, window, ColorToRGB(clHighlight)},
        {false, true, true, ColorToRGB(clBtnFace), 0x808080, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace),
         0x808080},
        {true, true, true, down, 0x808080, down, down, ColorToRGB(clHighlight)},
        {true, false, true, window, 0x808080, DarkerColor(hotLight, 30), hotLight, ColorToRGB(clHighlight)},
    };
    for (const Case& c : cases) {
        look.Enabled = c.enabled;
        look.Pressed = c.pressed;
        look.MouseOver = c.over;
        const std::vector<TFcKeyColor> keys = CheckKeyColors(look);
        EXPECT_EQ(keys, (std::vector<TFcKeyColor>{
                            {0xFFFFFF, c.white}, {0x808080, c.gray}, {0x0000FF, c.red}, {0xFF00FF, c.fuchsia},
                            {0xFF0000, c.blue}}));
    }
}

TEST_F(ClassicColours, RecolouringReplacesEachKeyOnceAndLeavesTheTransparentKey)
{
    // Aqua becomes green and green becomes a lighter frame colour: an aqua
    // pixel must end green, not go on to the second colour.
    const TFcGlyphLook look;
    const QImage mapped = MapKeyColors(GlyphTemplateImage(gtRadioChecked), RadioKeyColors(look));
    EXPECT_EQ(PixelAt(mapped, 4, 0), 0x008000u);                                      // A
    EXPECT_EQ(PixelAt(mapped, 5, 0), LighterColor(clBtnShadow, 10));                 // G
    EXPECT_EQ(PixelAt(mapped, 0, 0), 0x008080u);                                      // o stays
    EXPECT_EQ(PixelAt(mapped, 6, 6), ColorToRGB(clHighlight));                        // N, the dot
}

TEST(GroupLayout, ColumnsAreClampedTo1Through16)
{
    const std::pair<int, int> cases[] = {{0, 1}, {-3, 1}, {1, 1}, {7, 7}, {16, 16}, {17, 16}, {40, 16}};
    for (const auto& [given, kept] : cases)
        EXPECT_EQ(ClampGroupColumns(given), kept) << given;
    EXPECT_EQ(GroupRows(5, 2), 3);
    EXPECT_EQ(GroupRows(16, 16), 1);
    EXPECT_EQ(GroupRows(0, 3), 0);
}

TEST(GroupLayout, FirstRowSitsUnderTheCaptionByStyleAndFrames)
{
    struct Case {
        TFcGroupBoxStyle style;
        bool captionEmpty;
        int borderWidth;
        TFrameStyle outer, inner;
        int top;
    };
    // Font height 15, StartYPos 2.
    const Case cases[] = {
        {gsStandard, false, 0, fsNone, fsNone, 17}, {gsStandard, true, 0, fsNone, fsNone, 11},
        {gsFlat, false, 0, fsNone, fsNone, 18},     {gsFlat, true, 0, fsNone, fsNone, 3},
        {gsCustom, false, 2, fsRaised, fsLowered, 24}, {gsTopLine, false, 0, fsFlat, fsStatus, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << (c.captionEmpty ? " no caption" : " caption"));
        EXPECT_EQ(GroupItemsTop(c.style, c.captionEmpty, 15, 2, c.borderWidth, c.outer, c.inner), c.top);
    }
}

TEST(GroupLayout, ItemsFillColumnsTopToBottomFittedEvenOrMirrored)
{
    TFcGroupLayout layout;
    layout.Columns = 2;
    layout.Width = 200;
    layout.ClientWidth = 200;
    layout.Top = 20;
    layout.TextWidths = {30, 50, 40, 20, 60};  // five items: three rows
    struct Case {
        const char* name;
        bool even;
        bool rtl;
        std::vector<TRect> bounds;
    };
    const Case cases[] = {
        {"fitted", false, false,
         {{8, 20, 79, 37}, {8, 40, 79, 57}, {8, 60, 79, 77}, {83, 20, 164, 37}, {83, 40, 164, 57}}},
        {"fitted, right to left", false, true,
         {{121, 20, 192, 37}, {121, 40, 192, 57}, {121, 60, 192, 77}, {36, 20, 117, 37}, {36, 40, 117, 57}}},
        {"even", true, false,
         {{8, 20, 99, 37}, {8, 40, 99, 57}, {8, 60, 99, 77}, {99, 20, 190, 37}, {99, 40, 190, 57}}},
        {"even, right to left", true, true,
         {{101, 20, 192, 37}, {101, 40, 192, 57}, {101, 60, 192, 77}, {10, 20, 101, 37}, {10, 40, 101, 57}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        layout.SpaceEvenly = c.even;
        layout.RightToLeft = c.rtl;
        EXPECT_EQ(ArrangeGroupItems(layout), c.bounds);
    }
}

TEST(GroupLayout, SixteenItemsInFourColumnsOfAWiderGlyph)
{
    TFcGroupLayout layout;
    layout.Columns = 4;
    layout.GlyphWidth = 16;
    layout.StartX = 4;
    layout.ItemHeight = 20;
    layout.VerticalSpacing = 0;
    layout.TextWidths.assign(16, 10);
    const std::vector<TRect> bounds = ArrangeGroupItems(layout);
    ASSERT_EQ(bounds.size(), 16u);
    // Columns 10 + 16 + 12 = 38 wide; items 34.
    EXPECT_EQ(bounds[5], (TRect{42, 20, 76, 40}));
    EXPECT_EQ(bounds[15], (TRect{118, 60, 152, 80}));
    EXPECT_TRUE(ArrangeGroupItems(TFcGroupLayout{}).empty());
}

TEST(IntegerList, AddCountItemsClear)
{
    TFcIntegerList list;
    EXPECT_EQ(list.Add(1), 0);
    EXPECT_EQ(list.Add(0), 1);
    EXPECT_EQ(list.Add(2), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(2), 2);
    EXPECT_THROW(list.Items(3), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace tw::controls
