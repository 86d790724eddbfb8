// The display controls' arithmetic without widgets: the LED font's quoted
// glyphs, dot sizes, scroll extent, start and wrap; the meter's percent, bar
// edge and segment colours (Max equal to Min and large segment counts too);
// the picker's hit test, cell rectangles, automatic size and colour lookup.

#include "controls/display/fcledfont.h"
#include "controls/display/fcmetergeometry.h"
#include "controls/display/fcpickergeometry.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TEST(LedFont, QuotedGlyphsAndTheBlockForEverythingOutsideTheSet)
{
    EXPECT_EQ(LedGlyph('0'), (TFcLedGlyph{0x7C, 0x8A, 0x92, 0xA2, 0x7C}));
    EXPECT_EQ(LedGlyph('A'), (TFcLedGlyph{0x7E, 0x90, 0x90, 0x90, 0x7E}));
    EXPECT_EQ(LedGlyph(' '), (TFcLedGlyph{0, 0, 0, 0, 0}));
    const TFcLedGlyph block{0x00, 0x7C, 0x7C, 0x7C, 0x00};
    for (int code : {9, 0, 127, 200})
        EXPECT_EQ(LedGlyph(static_cast<unsigned char>(code)), block) << code;
    // Every printable character but the space lights something, and bit 0
    // (below the seventh row) never.
    for (int c = 33; c <= 126; ++c) {
        const TFcLedGlyph& g = LedGlyph(static_cast<unsigned char>(c));
        int lit = 0;
        for (auto b : g) {
            EXPECT_EQ(b & 1, 0) << c;
            lit += b != 0;
        }
        EXPECT_GT(lit, 0) << c;
    }
    // Rows count from the top: the "A" has its bar on row 3, the gap column none.
    EXPECT_TRUE(LedDotLit('A', 3, 1));
    EXPECT_FALSE(LedDotLit('A', 4, 1));
    EXPECT_FALSE(LedDotLit('A', 0, 0));
    EXPECT_FALSE(LedDotLit(127, 3, 5));
}

TEST(LedFont, DotsScrollExtentStartAndWrap)
{
    struct Case {
        int clientHeight, size, gap;
    };
    for (const Case& c : {Case{28, 3, 0}, Case{76, 10, 1}, Case{7, 0, 0}, Case{152, 20, 2}}) {
        const TFcLedDots d = LedDotsForHeight(c.clientHeight);
        EXPECT_EQ(d.Size, c.size) << c.clientHeight;
        EXPECT_EQ(d.Gap, c.gap) << c.clientHeight;
    }
    const TFcLedDots d = LedDotsForHeight(28);
    EXPECT_EQ(d.CellWidth(), 18);
    EXPECT_EQ(d.CellHeight(), 21);
    EXPECT_EQ(LedScrollExtent(10, d, 100), 280);
    // Ten characters on a 100-pixel display complete a pass on the 94th tick.
    int position = 0;
    int ticks = 0;
    bool done = false;
    while (!done && ticks < 1000) {
        done = LedAdvance(position, d, 280);
        ++ticks;
    }
    EXPECT_EQ(ticks, 94);
    EXPECT_EQ(position, 0);
    // Resting, the text starts at the left edge; right to left it enters at the
    // right edge (on the dot pitch); left to right from the left.
    EXPECT_EQ(LedTextStart(stRightToLeft, false, 96, d, 30, 10), 0);
    EXPECT_EQ(LedTextStart(stNone, true, 96, d, 30, 10), 0);
    EXPECT_EQ(LedTextStart(stRightToLeft, true, 97, d, 30, 10), 96 - 30);
    EXPECT_EQ(LedTextStart(stLeftToRight, true, 96, d, 30, 10), 30 - 180);
}

TEST(LedFont, TimerRunsOnlyWhenScrollingWithADirection)
{
    EXPECT_TRUE(LedTimerRuns(true, stRightToLeft));
    EXPECT_TRUE(LedTimerRuns(true, stLeftToRight));
    EXPECT_FALSE(LedTimerRuns(true, stNone));
    EXPECT_FALSE(LedTimerRuns(false, stRightToLeft));
    EXPECT_FALSE(LedTimerRuns(false, stLeftToRight));
}

TEST(Meter, PercentAndEmptyRangeShowNothing)
{
    struct Case {
        int value, min, max, percent;
    };
    for (const Case& c : {Case{42, 0, 100, 42}, Case{0, 0, 100, 0}, Case{100, 0, 100, 100}, Case{5, 0, 7, 71},
                          Case{-50, -100, 100, 25}, Case{3, 3, 3, 0}}) {
        EXPECT_EQ(MeterPercent(c.value, c.min, c.max), c.percent) << c.value << " " << c.min << " " << c.max;
    }
    const TFcMeterSegments seg;
    EXPECT_EQ(MeterLitSegments(seg, 3, 3, 3), 0);
    for (TDirection dir : {dirUp, dirDown, dirLeft, dirRight})
        EXPECT_TRUE(MeterBarRect({-1, -1, 100, 20}, dir, 3, 3, 3).IsEmpty()) << dir;
}

TEST(Meter, SegmentColoursByGroupAndCountsBeyondOneByte)
{
    TFcMeterSegments seg;
    const TColor g = seg.Colors[0], y = seg.Colors[1], r = seg.Colors[2], off = seg.OffColor = 0x111111;
    EXPECT_EQ(MeterSegmentColors(seg, 50, 0, 100), (std::vector<TColor>{g, g, g, g, g, off, off, off, off, off}));
    EXPECT_EQ(MeterSegmentColors(seg, 100, 0, 100), (std::vector<TColor>{g, g, g, g, g, y, y, y, r, r}));
    EXPECT_EQ(MeterSegmentColors(seg, 0, 0, 100), std::vector<TColor>(10, off));
    // 200 + 50 + 6 would wrap to 0 in a byte and divide by zero.
    seg.Counts[0] = 200;
    seg.Counts[1] = 50;
    seg.Counts[2] = 6;
    EXPECT_EQ(seg.Total(), 256);
    EXPECT_EQ(MeterLitSegments(seg, 100, 0, 100), 256);
    const auto colors = MeterSegmentColors(seg, 100, 0, 100);
    ASSERT_EQ(colors.size(), 256u);
    EXPECT_EQ(colors[199], g);
    EXPECT_EQ(colors[200], y);
    EXPECT_EQ(colors[255], r);
}

TEST(Meter, BarEdgeAndSegmentCellsByDirection)
{
    const TRect r{-1, -1, 100, 20};
    EXPECT_EQ(MeterBarRect(r, dirRight, 50, 0, 100), (TRect{-1, -1, 50, 20}));
    EXPECT_EQ(MeterBarRect(r, dirLeft, 50, 0, 100), (TRect{49, -1, 100, 20}));
    EXPECT_EQ(MeterBarRect(r, dirDown, 50, 0, 100), (TRect{-1, -1, 100, 10}));
    EXPECT_EQ(MeterBarRect(r, dirUp, 50, 0, 100), (TRect{-1, 9, 100, 20}));
    EXPECT_TRUE(MeterBarRect(r, dirRight, 0, 0, 100).Width() <= 1);
    const auto right = MeterSegmentCells({2, 2, 102, 22}, dirRight, 10, 2);
    ASSERT_EQ(right.size(), 10u);
    EXPECT_EQ(right[0], (TRect{2, 2, 10, 22}));
    EXPECT_EQ(right[1], (TRect{12, 2, 20, 22}));
    const auto up = MeterSegmentCells({0, 0, 10, 100}, dirUp, 10, 2);
    EXPECT_EQ(up[0], (TRect{0, 92, 10, 100}));
    EXPECT_EQ(up[1], (TRect{0, 82, 10, 90}));
    const auto left = MeterSegmentCells({0, 0, 100, 10}, dirLeft, 10, 2);
    EXPECT_EQ(left[0].Right, 100);
}

TEST(Picker, AutoSizeWithAndWithoutStripsAndStyles)
{
    struct Case {
        const char* name;
        bool no, def, custom, system;
        int inset, width, height;
    };
    const Case cases[] = {
        {"classic frame", false, false, false, false, 4, 152, 98},
        {"themed flat frame", false, false, false, false, 3, 150, 96},
        {"system colours", false, false, false, true, 4, 152, 178},
        {"all three strips", true, true, true, false, 4, 152, 98 + 24 + 24 + 23},
        {"everything", true, true, true, true, 4, 152, 178 + 71},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcPickerLayout l{c.no, c.def, c.custom, c.system, 23};
        int w = 0, h = 0;
        PickerAutoSize(l, c.inset, c.inset, w, h);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
    }
}

TEST(Picker, HitTestAcrossCellsStripsAndGaps)
{
    struct Case {
        const char* name;
        TFcPickerLayout layout;
        int x, y, index;
    };
    const TFcPickerLayout plain{};
    const TFcPickerLayout sys{false, false, false, true, 23};
    const TFcPickerLayout strips{true, true, true, false, 23};
    // Client 144 x 90 plain (cells 18 x 18); with system colours 144 x 170
    // (rows (170 - 8) / 9 = 18); with strips 144 x 161.
    const Case cases[] = {
        {"first cell", plain, 0, 0, 0},
        {"last of the first row", plain, 143, 17, 7},
        {"second row", plain, 0, 18, 8},
        {"white, bottom right", plain, 143, 89, 39},
        {"below everything", plain, 10, 95, kPickNoColor},
        {"gap above system colours", sys, 50, 92, kPickNothing},
        {"first system colour", sys, 0, 98, 40},
        {"Highlight", sys, 5 * 18, 98 + 18, 53},
        {"last system colour", sys, 5 * 18, 98 + 3 * 18, 69},
        {"empty places of the last row", sys, 6 * 18, 98 + 3 * 18, kPickNothing},
        {"no-colour strip", strips, 70, 5, kPickNoColor},
        {"default strip", strips, 70, 30, kPickDefault},
        {"first cell under the strips", strips, 1, 48, 0},
        {"custom button", strips, 10, 150, kPickCustomButton},
        {"custom swatch", strips, 130, 150, kPickCustomSwatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int ch = c.layout.ShowSystemColors ? 170 : (c.layout.ShowNoColor ? 161 : 90);
        EXPECT_EQ(PickerHitTest(c.layout, 144, ch, c.x, c.y), c.index);
    }
}

TEST(Picker, CellRectanglesMatchTheHitTest)
{
    const TFcPickerLayout layouts[] = {{}, {false, false, false, true, 23}, {true, true, true, true, 23}};
    for (const TFcPickerLayout& l : layouts) {
        int w = 0, h = 0;
        PickerAutoSize(l, 0, 0, w, h);
        const int count = l.ShowSystemColors ? kPickerColorCount : kStandardColorCount;
        for (int i = 0; i < count; ++i) {
            const TRect r = PickerCellRect(l, w, h, i);
            EXPECT_EQ(r.Width(), 18) << i;
            EXPECT_EQ(r.Height(), 18) << i;
            EXPECT_EQ(PickerHitTest(l, w, h, r.Left + 9, r.Top + 9), i) << i;
        }
    }
}

TEST(Picker, ColourLookups)
{
    TFcPickerLayout l;
    TColor custom = clWhite;
    EXPECT_EQ(PickerIndexOfColor(l, 0x00FF0000, clHighlight, custom), 13);
    EXPECT_EQ(PickerIndexOfColor(l, clNone, clHighlight, custom), kPickNoColor);
    // Highlight: the system cell with system colours, else by its RGB among
    // the standard colours, else the custom colour.
    l.ShowSystemColors = true;
    EXPECT_EQ(PickerIndexOfColor(l, clHighlight, clWindow, custom), 53);
    l.ShowSystemColors = false;
    SetSystemColors(ClassicSystemColors());
    const TColor highlight = ColorToRGB(clHighlight);
    EXPECT_EQ(PickerIndexOfColor(l, clHighlight, clWindow, custom), highlight == 0x800000 ? 5 : kPickCustomSwatch);
    custom = clWhite;
    EXPECT_EQ(PickerIndexOfColor(l, 0x123456, clWindow, custom), kPickCustomSwatch);
    EXPECT_EQ(custom, 0x123456u);
    l.ShowDefaultColor = true;
    EXPECT_EQ(PickerIndexOfColor(l, 0x123456, 0x123456, custom), kPickDefault);
    EXPECT_EQ(PickerColorOfIndex(kPickDefault, 0x111111, 0x222222), 0x111111u);
    EXPECT_EQ(PickerColorOfIndex(kPickCustomButton, 0x111111, 0x222222), 0x222222u);
    EXPECT_EQ(PickerColorOfIndex(kPickNothing, 0x111111, 0x222222), clNone);
    EXPECT_EQ(PickerColorOfIndex(24, 0, 0), 0xFF00FFu);
    EXPECT_STREQ(PickerColor(69).Name, "Menu Bar");
    EXPECT_EQ(PickerColor(65).Color, 0x8000001Au);
}

}  // namespace
}  // namespace tw::controls
