// The containers' geometry without a window: frame widths per control, the
// panel's client area, the order of aligned children, the grid and the group
// box's client area.

#include "controls/panels/fcpanellayout.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

constexpr TSides kLeftTop = SideBit(sdLeft) | SideBit(sdTop);

TEST(FrameWidths, PanelsCountTheBoldFlatFrameTheBorderAndLabelDoNot)
{
    struct Case {
        TFrameStyle style;
        int bevel;
        int panel;
        int borderOrLabel;
    };
    const Case cases[] = {
        {fsNone, 1, 0, 0},   {fsFlat, 1, 1, 1},    {fsGroove, 1, 2, 2},  {fsBump, 1, 2, 2},
        {fsLowered, 1, 2, 2}, {fsButtonDown, 1, 2, 2}, {fsRaised, 1, 2, 2}, {fsButtonUp, 1, 2, 2},
        {fsStatus, 3, 3, 3}, {fsPopup, 4, 4, 4},   {fsFlatBold, 1, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(FrameStyleWidth(c.style, c.bevel, 2), c.panel);
        EXPECT_EQ(FrameStyleWidth(c.style, c.bevel, 0), c.borderOrLabel);
    }
}

TEST(PanelClientArea, FramesComeOffTheChosenSidesAndTheBandOffEverySide)
{
    struct Case {
        const char* name;
        TFcFrameSet frames;
        TRect expected;
    };
    const TRect bounds{0, 0, 100, 80};
    const Case cases[] = {
        {"raised outer, lowered inner, band 3 on left and top", {fsRaised, fsLowered, kLeftTop, 3, 1},
         {7, 7, 97, 77}},
        {"the defaults", {fsRaised, fsNone, kAllSides, 0, 1}, {2, 2, 98, 78}},
        {"status bevel 3 and a flat inner frame", {fsStatus, fsFlat, kAllSides, 0, 3}, {4, 4, 96, 76}},
        {"bold flat takes two", {fsFlatBold, fsNone, kAllSides, 0, 1}, {2, 2, 98, 78}},
        {"no sides: only the band", {fsRaised, fsLowered, 0, 2, 1}, {2, 2, 98, 78}},
        {"no frames at all", {fsNone, fsNone, kAllSides, 0, 1}, {0, 0, 100, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PanelClientRect(bounds, c.frames), c.expected);
    }
}

TEST(PanelClientArea, InsetByFramesShrinksByTheBandOnlyWhenAsked)
{
    const TFcFrameSet frames{fsGroove, fsNone, SideBit(sdTop), 3, 1};
    EXPECT_EQ(InsetByFrames({0, 0, 50, 50}, frames, false, 2), (TRect{0, 2, 50, 50}));
    EXPECT_EQ(InsetByFrames({0, 0, 50, 50}, frames, true, 2), (TRect{3, 5, 47, 47}));
}

TEST(AlignItems, TopBottomLeftRightThenClientEachByItsEdge)
{
    const std::vector<TFcAlignItem> items = {
        {alClient, {0, 0, 5, 5}, true},     // A
        {alTop, {0, 50, 10, 60}, true},     // B: second from the top (lies lower)
        {alTop, {0, 5, 10, 25}, true},      // C: first
        {alBottom, {0, 0, 10, 15}, true},   // D
        {alLeft, {0, 0, 12, 10}, true},     // E
        {alRight, {0, 0, 8, 10}, true},     // F
        {alNone, {1, 1, 5, 5}, true},       // G: left where it is
        {alTop, {0, 0, 10, 40}, false},     // H: hidden, takes no room
    };
    const std::vector<TRect> placed = AlignItems({0, 0, 100, 100}, items);
    const std::vector<TRect> expected = {
        {12, 30, 92, 85}, {0, 20, 100, 30}, {0, 0, 100, 20}, {0, 85, 100, 100},
        {0, 30, 12, 85},  {92, 30, 100, 85}, {1, 1, 5, 5},   {0, 0, 10, 40},
    };
    EXPECT_EQ(placed, expected);
}

TEST(AlignItems, TwoBottomItemsStackFromTheEdgeUp)
{
    const std::vector<TFcAlignItem> items = {
        {alBottom, {0, 40, 10, 50}, true},  // higher up: goes second
        {alBottom, {0, 90, 10, 100}, true}, // nearest the bottom edge: first
    };
    const std::vector<TRect> placed = AlignItems({0, 0, 100, 100}, items);
    EXPECT_EQ(placed[1], (TRect{0, 90, 100, 100}));
    EXPECT_EQ(placed[0], (TRect{0, 80, 100, 90}));
}

TEST(GridLines, LinesOneBeforeEachMultipleOfThePitch)
{
    const TFcGridLines lines = GridLines({0, 0, 20, 17}, 8, 8);
    EXPECT_EQ(lines.Xs, (std::vector<int>{7, 15}));
    EXPECT_EQ(lines.Ys, (std::vector<int>{7, 15}));
    EXPECT_TRUE(GridLines({0, 0, 20, 17}, 0, 8).Xs.empty());
    EXPECT_TRUE(GridLines({0, 0, 20, 17}, 8, 0).Ys.empty());
    EXPECT_EQ(GridLines({4, 2, 20, 17}, 5, 5).Xs, (std::vector<int>{8, 13, 18}));
}

TEST(GroupBoxClientArea, BelowTheCaptionLineAndInsideTheFrame)
{
    struct Case {
        TFcGroupBoxStyle style;
        int borderWidth;
        TRect expected;
    };
    // Text height 13: half of it less one is 5.
    const Case cases[] = {
        {gsFlat, 0, {1, 14, 99, 104}},     {gsTopLine, 0, {1, 14, 99, 104}},
        {gsStandard, 0, {2, 15, 98, 103}}, {gsCustom, 0, {2, 15, 98, 103}},
        {gsFlat, 6, {1, 6, 99, 104}},      {gsStandard, 5, {2, 10, 98, 103}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " band " << c.borderWidth);
        EXPECT_EQ(GroupBoxClientRect({0, 0, 100, 105}, c.style, 13, c.borderWidth), c.expected);
    }
}

}  // namespace
}  // namespace tw::controls
