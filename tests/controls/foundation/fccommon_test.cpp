// Pixel tests of the border, frame, arrow and bar routines.

#include "drawfixture.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fctextmetrics.h"

namespace tw::controls {
namespace {

using testing::DrawFixture;
using testing::kBack;
using testing::Rows;

using Borders = DrawFixture;

const std::map<char, TColor> kSystemLegend = {
    {'D', cl3DDkShadow}, {'S', clBtnShadow}, {'H', clBtnHighlight}, {'T', clBtnText}, {'w', clWindow},
};

TEST_F(Borders, SidesDrawInOrderAndReturnTheInside)
{
    Make(6, 5);
    const TRect inner = DrawSides(*canvas, {0, 0, 6, 5}, clBlack, RGB(0, 0, 255), kAllSides);
    EXPECT_EQ(inner, (TRect{1, 1, 5, 4}));
    // Right and bottom come second, so they own their corners.
    EXPECT_EQ(Art({{'1', clBlack}, {'2', RGB(0, 0, 255)}}),
              (Rows{"111112", "1....2", "1....2", "1....2", "222222"}));

    Make(6, 5);
    EXPECT_EQ(DrawSides(*canvas, {0, 0, 6, 5}, clBlack, clBlack, SideBit(sdTop) | SideBit(sdRight)),
              (TRect{0, 1, 5, 5}));
    EXPECT_EQ(DrawBevel(*canvas, {0, 0, 6, 5}, clBlack, clBlack, 0, kAllSides), (TRect{0, 0, 6, 5}));
}

TEST_F(Borders, EveryStyleReturnsItsWidth)
{
    struct Case {
        TFrameStyle style;
        int width;
    };
    const Case cases[] = {{fsNone, 0},    {fsFlat, 1},       {fsGroove, 2},  {fsBump, 2},
                          {fsLowered, 2}, {fsButtonDown, 2}, {fsRaised, 2},  {fsButtonUp, 2},
                          {fsStatus, 1},  {fsPopup, 1},      {fsFlatBold, 2}};
    for (const Case& c : cases) {
        Make(12, 12);
        EXPECT_EQ(DrawBorder(*canvas, {0, 0, 12, 12}, c.style),
                  (TRect{c.width, c.width, 12 - c.width, 12 - c.width}))
            << c.style;
        Make(12, 12);
        EXPECT_EQ(DrawColorBorder(*canvas, {0, 0, 12, 12}, RGB(90, 140, 200), c.style),
                  (TRect{c.width, c.width, 12 - c.width, 12 - c.width}))
            << c.style;
    }
}

TEST_F(Borders, NoStyleOrNoSidesDrawsNothing)
{
    for (TFrameStyle style : {fsNone, fsGroove, fsBump, fsRaised, fsFlat}) {
        Make(8, 8);
        const TSides sides = style == fsNone ? kAllSides : 0;
        EXPECT_EQ(DrawBorderSides(*canvas, {1, 1, 7, 7}, style, sides), (TRect{1, 1, 7, 7})) << style;
        EXPECT_EQ(Art({}), Rows(8, "........")) << style;
    }
}

TEST_F(Borders, GrooveCorners)
{
    Make(10, 10);
    EXPECT_EQ(DrawBorder(*canvas, {0, 0, 10, 10}, fsGroove), (TRect{2, 2, 8, 8}));
    EXPECT_EQ(Art(kSystemLegend),
              (Rows{"SSSSSSSSSH", "SHHHHHHHSH", "SH......SH", "SH......SH", "SH......SH", "SH......SH",
                    "SH......SH", "SH......SH", "SSSSSSSSSH", "HHHHHHHHHH"}));
    // Top side alone: the corners take the first colour at the right end.
    Make(6, 4);
    EXPECT_EQ(DrawBorderSides(*canvas, {0, 0, 6, 4}, fsBump, SideBit(sdTop)), (TRect{0, 2, 6, 4}));
    EXPECT_EQ(Art(kSystemLegend), (Rows{"HHHHHH", "SSSSSS", "......", "......"}));
}

TEST_F(Borders, ThreeDAndButtonRings)
{
    SystemColorTable table = ClassicSystemColors();
    table[COLOR_3DLIGHT] = RGB(230, 230, 230);  // apart from the face, to be seen
    SetSystemColors(table);
    const std::map<char, TColor> legend = {
        {'D', cl3DDkShadow}, {'S', clBtnShadow}, {'H', clBtnHighlight}, {'L', cl3DLight}, {'T', clBtnText}};
    Make(5, 5);
    DrawBorder(*canvas, {0, 0, 5, 5}, fsRaised);
    EXPECT_EQ(Art(legend), (Rows{"LLLLD", "LHHSD", "LH.SD", "LSSSD", "DDDDD"}));
    Make(5, 5);
    DrawBorder(*canvas, {0, 0, 5, 5}, fsLowered);
    EXPECT_EQ(Art(legend), (Rows{"SSSSH", "SDDLH", "SD.LH", "SLLLH", "HHHHH"}));
    Make(5, 5);
    DrawBorder(*canvas, {0, 0, 5, 5}, fsButtonUp);
    EXPECT_EQ(Art(legend), (Rows{"HHHHD", "HLLSD", "HL.SD", "HSSSD", "DDDDD"}));
    Make(5, 5);
    DrawBorder(*canvas, {0, 0, 5, 5}, fsButtonDown);
    EXPECT_EQ(Art(legend), (Rows{"TTTTT", "TSSST", "TS.ST", "TSSST", "TTTTT"}));
    Make(5, 5);
    DrawBorder(*canvas, {0, 0, 5, 5}, fsFlatBold);
    EXPECT_EQ(Art(legend), (Rows{"SSSSS", "SSSSS", "SS.SS", "SSSSS", "SSSSS"}));
}

TEST_F(Borders, ColourBordersDeriveFromTheBase)
{
    const TColor base = RGB(90, 140, 200);
    const std::map<char, TColor> legend = {{'d', DarkerColor(base, 50)},
                                           {'D', DarkerColor(base, 100)},
                                           {'l', LighterColor(base, 50)},
                                           {'L', LighterColor(base, 100)}};
    Make(5, 5);
    DrawColorBorder(*canvas, {0, 0, 5, 5}, base, fsLowered);
    EXPECT_EQ(Art(legend), (Rows{"ddddL", "dDDlL", "dD.lL", "dlllL", "LLLLL"}));
    Make(5, 5);
    DrawColorBorder(*canvas, {0, 0, 5, 5}, base, fsStatus);
    EXPECT_EQ(Art(legend), (Rows{"ddddL", "d...L", "d...L", "d...L", "LLLLL"}));
}

TEST_F(Borders, EditFrameErasesItsBandFirst)
{
    Make(6, 6);
    DrawFrame(*canvas, 6, 6, fsFlat, RGB(255, 255, 0), RGB(0, 0, 255), kAllSides, false);
    EXPECT_EQ(Art({{'y', RGB(255, 255, 0)}, {'b', RGB(0, 0, 255)}}),
              (Rows{"bbbbbb", "byyyyb", "by..yb", "by..yb", "byyyyb", "bbbbbb"}));
    Make(6, 6);
    DrawFrame(*canvas, 6, 6, fsRaised, clWindow, clBlack, SideBit(sdLeft), true);
    EXPECT_EQ(Art(kSystemLegend)[0], "?H....");  // light, then highlight
}

TEST_F(Borders, FocusDotsInvertEverySecondPixel)
{
    Make(7, 5);
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 7, 5});
    EXPECT_EQ(DrawFocusBorder(*canvas, {0, 0, 7, 5}), (TRect{1, 1, 6, 4}));
    EXPECT_EQ(Art({{'#', clBlack}, {'.', clWhite}}),
              (Rows{".#.#.#.", "#.....#", ".......", "#.....#", ".#.#.#."}));
    DrawFocusBorder(*canvas, {0, 0, 7, 5});  // twice: gone
    EXPECT_EQ(Art({{'#', clBlack}, {'.', clWhite}}), Rows(5, "......."));
}

TEST_F(Borders, DropShadowBlendsBelowAndRight)
{
    Make(10, 10);
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 10, 10});
    DrawDropShadow(*canvas, {1, 1, 6, 6}, 2, clBlack);
    const TColor half = BlendColors(clBlack, clWhite, 128);
    const TColor quarter = BlendColors(clBlack, clWhite, 64);
    EXPECT_EQ(At(5, 6), half);     // first band, just below
    EXPECT_EQ(At(6, 5), half);     // first band, just right
    EXPECT_EQ(At(6, 4), quarter);  // second band reaches higher
    EXPECT_EQ(At(6, 7), quarter);  // second band, corner
    EXPECT_EQ(At(1, 6), clWhite);  // the shadow starts 2*depth in
    EXPECT_EQ(At(3, 3), clWhite);  // the inside stays
    Make(4, 4);
    DrawDropShadow(*canvas, {0, 0, 2, 2}, 0, clBlack);
    EXPECT_EQ(Art({}), Rows(4, "...."));
}

TEST_F(Borders, CenterRect)
{
    EXPECT_EQ(CenterRect({0, 0, 10, 10}, 4, 3), (TRect{3, 3, 7, 6}));
    EXPECT_EQ(CenterRect({10, 20, 15, 25}, 8, 8), (TRect{8, 18, 16, 26}));
}

using Glyphs = DrawFixture;

TEST_F(Glyphs, ClassicArrows)
{
    Make(12, 12);
    DrawDropDownArrow(*canvas, {0, 0, 12, 12}, uiWindows95, false, true);
    EXPECT_EQ(DropDownArrowPoints({0, 0, 12, 12}, uiWindows95, false),
              (std::vector<TPoint>{{6, 7}, {3, 3}, {10, 3}}));
    EXPECT_EQ(Art({{'#', clBlack}}),
              (Rows{"............", "............", "............", "...######...", "....####....",
                    ".....##.....", "............", "............", "............", "............",
                    "............", "............"}));
    // Disabled in the shadow colour, pushed one pixel when down.
    Make(12, 12);
    DrawDropDownArrow(*canvas, {0, 0, 12, 12}, uiWindows95, true, false);
    EXPECT_EQ(Art({{'S', clBtnShadow}})[6], "......SS....");
}

TEST_F(Glyphs, SpinArrowsPointTheirWay)
{
    struct Case {
        TDirection direction;
        TPoint tip;
    };
    const Case cases[] = {{dirUp, {6, 4}}, {dirDown, {6, 7}}, {dirLeft, {4, 6}}, {dirRight, {6, 5}}};
    for (const Case& c : cases) {
        Make(13, 13);
        DrawSpinArrow(*canvas, {0, 0, 13, 13}, uiWindows95, c.direction, false, true);
        EXPECT_EQ(At(c.tip.x, c.tip.y), clBlack) << c.direction;
        int ink = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                ink += At(x, y) == clBlack;
        EXPECT_GE(ink, 9) << c.direction;
    }
    // Only a pushed, enabled spin arrow moves.
    EXPECT_EQ(SpinArrowPoints({0, 0, 13, 13}, uiWindowsXP, dirUp, true, true)[0], (TPoint{7, 6}));
    EXPECT_EQ(SpinArrowPoints({0, 0, 13, 13}, uiWindowsXP, dirUp, true, false)[0], (TPoint{6, 5}));
}

TEST_F(Glyphs, XpArrowTakesAVisibleColour)
{
    Make(16, 16);
    DrawDropDownArrow(*canvas, {0, 0, 16, 16}, uiWindowsXP, false, true);
    std::map<TColor, int> colours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (At(x, y) != kBack)
                ++colours[At(x, y)];
    ASSERT_EQ(colours.size(), 1u);
    EXPECT_FALSE(ColorsTooClose(colours.begin()->first, clWindow));
}

using Bars = DrawFixture;

TEST_F(Bars, LedLayout)
{
    struct Case {
        int size, segments;
        TLedLayout expected;
    };
    const Case cases[] = {
        {80, 20, {10, 8, 0}},                            // short bars keep at most ten segments
        {100, 10, {10, 10, 0}}, {103, 10, {10, 10, 1}},  // the rest goes into two margins
        {100, 7, {7, 14, 1}},   {100, 30, {33, 3, 0}},   // leftover room becomes more segments
        {50, 0, {1, 50, 0}},                             // no segments: one, not a division by zero
        {50, -3, {1, 50, 0}},   {5, 10, {10, 0, 2}},     // too short for its segments: nothing but margins
    };
    for (const Case& c : cases) {
        const TLedLayout l = LedBarLayout(c.size, c.segments);
        EXPECT_EQ(l.segments, c.expected.segments) << c.size << "/" << c.segments;
        EXPECT_EQ(l.segmentSize, c.expected.segmentSize) << c.size << "/" << c.segments;
        EXPECT_EQ(l.margin, c.expected.margin) << c.size << "/" << c.segments;
    }
}

TEST_F(Bars, LedSegmentsLightFromTheStart)
{
    const TColor bar = RGB(0, 200, 0), back = RGB(0, 40, 0);
    const std::map<char, TColor> legend = {{'#', bar}, {'-', back}};
    Make(12, 3);
    DrawLEDBar(*canvas, {0, 0, 12, 3}, orHorizontal, bar, back, 4, 50, false);
    EXPECT_EQ(Art(legend), (Rows{"------------", "-#--#-------", "------------"}));
    Make(3, 12);
    DrawLEDBar(*canvas, {0, 0, 3, 12}, orVertical, bar, back, 4, 25, false);
    EXPECT_EQ(Art(legend),
              (Rows{"---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "-#-", "---"}));
    Make(12, 3);
    DrawLEDBar(*canvas, {0, 0, 12, 3}, orHorizontal, bar, back, 0, 100, false);  // zero segments: one
    EXPECT_EQ(Art(legend)[1], "-##########-");
}

TEST_F(Bars, PercentBarSplitsAtThePercent)
{
    const TColor bar = RGB(0, 0, 160), back = RGB(255, 255, 255);
    const std::map<char, TColor> legend = {{'#', bar}, {'-', back}};
    struct Case {
        int percent;
        const char* row;
    };
    const Case cases[] = {{0, "----------"}, {50, "#####-----"}, {150, "##########"}, {34, "###-------"}};
    for (const Case& c : cases) {
        Make(10, 2);
        DrawPercentBar(*canvas, {0, 0, 10, 2}, orHorizontal, bar, back, static_cast<std::uint16_t>(c.percent),
                       false);
        EXPECT_EQ(Art(legend)[0], c.row) << c.percent;
    }
    Make(2, 10);
    DrawPercentBar(*canvas, {0, 0, 2, 10}, orVertical, bar, back, 30, false);
    EXPECT_EQ(Art(legend), (Rows{"--", "--", "--", "--", "--", "--", "--", "##", "##", "##"}));
}

TEST_F(Bars, PercentTextSitsAtTheRectanglesCentre)
{
    // A bar that does not start at 0: the text is centred on the bar itself.
    const TColor bar = RGB(0, 0, 160), back = RGB(255, 255, 255);
    Make(400, 30);
    DrawPercentBar(*canvas, {200, 0, 400, 30}, orHorizontal, bar, back, 0, true);
    int left = 400, right = -1;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (At(x, y) == bar) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, 0) << "no text drawn";
    EXPECT_NEAR((left + right + 1) / 2.0, 300, 3);
    EXPECT_EQ(At(100, 15), kBack);  // nothing left of the bar
    // Over the filled part the text reads inverted.
    Make(100, 30);
    DrawPercentBar(*canvas, {0, 0, 100, 30}, orHorizontal, bar, back, 100, true);
    int inverted = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            inverted += At(x, y) == back;
    EXPECT_GT(inverted, 10);
}

}  // namespace
}  // namespace tw::controls
