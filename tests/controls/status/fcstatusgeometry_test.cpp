// The status family's arithmetic: pane scaling on a resize, the bar's client
// rectangle, the grip, a pane's minimum width and caption room, and the
// progress bar's parts-of-total percentage.

#include "controls/status/fcstatusgeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw::controls {
namespace {

TEST(StatusGeometry, HalvesRoundToTheEvenNeighbour)
{
    const struct {
        double value;
        int rounded;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {101.5, 102}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
}

TEST(StatusGeometry, PanesShareAWidthChangeInProportion)
{
    const struct {
        std::vector<int> widths;
        int last;
        int now;
        std::vector<int> scaled;
    } cases[] = {
        {{100, 300}, 400, 600, {150, 450}},        // grows by half
        {{100, 300}, 400, 300, {75, 225}},         // shrinks by a quarter
        {{100, 300}, 0, 600, {100, 300}},          // first resize: nothing to scale from
        {{100, 300}, 400, 400, {100, 300}},        // no change
        {{50, 50, 50}, 100, 101, {50, 50, 50}},    // 0.5 each: halves to even give 0
        {{30, 70}, 200, 205, {31, 72}},            // 0.75 -> 1, 1.75 -> 2
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScalePaneWidths(c.widths, c.last, c.now), c.scaled) << c.last << " -> " << c.now;
}

TEST(StatusGeometry, ClientRectangleWithAndWithoutVisualStyles)
{
    const TRect panel{0, 0, 300, 19};
    const struct {
        bool themes;
        bool simple;
        TRect expected;
    } cases[] = {
        {false, false, {-1, 1, 301, 20}},  // panes overlap the bar's edges
        {false, true, {0, 2, 300, 20}},
        {true, false, {0, 0, 300, 19}},
        {true, true, {1, 1, 299, 19}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusBarClientRect(panel, c.themes, c.simple), c.expected) << c.themes << c.simple;
}

TEST(StatusGeometry, GripRectangleAndSquares)
{
    EXPECT_EQ(StatusGripRect(300, 19), (TRect{287, 0, 300, 19}));
    const TGripSquares s = GripSquares({-1, 1, 301, 19});
    ASSERT_EQ(s.Light.size(), 6u);
    EXPECT_EQ(s.Light.front(), (TPoint{296, 7}));
    EXPECT_EQ(s.Light.back(), (TPoint{288, 15}));
    EXPECT_EQ(s.Dark.front(), (TPoint{295, 6}));
}

TEST(StatusGeometry, PaneMinimumWidthAndCaptionRectangle)
{
    // Text width + 2 * border + offset + 6; the default without a caption.
    EXPECT_EQ(PaneMinWidth(50, true, 1, 2, 40), 60);
    EXPECT_EQ(PaneMinWidth(0, false, 1, 2, 40), 40);
    EXPECT_EQ(PaneMinWidth(50, true, 3, 5, 40), 67);
    const struct {
        TFrameStyle style;
        int inset;
    } cases[] = {{fsNone, 1}, {fsFlatBold, 1}, {fsFlat, 2}, {fsStatus, 2}, {fsPopup, 2},
                 {fsGroove, 3}, {fsBump, 3},   {fsLowered, 3}, {fsButtonDown, 3}, {fsRaised, 3}, {fsButtonUp, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(PaneCaptionRect({0, 0, 100, 20}, 1, c.style), (TRect{c.inset, c.inset, 100 - c.inset, 20 - c.inset}))
            << c.style;
}

TEST(StatusGeometry, PartsOfTotalRoundHalfToEven)
{
    const struct {
        std::uint32_t parts;
        std::uint32_t total;
        int percent;
    } cases[] = {{1, 3, 33}, {2, 3, 67}, {1, 8, 12}, {3, 8, 38}, {5, 8, 62}, {1, 200, 0}, {3, 200, 2},
                 {0, 0, 0},  {7, 7, 100}, {2147483647u, 2147483647u, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(PartsPercent(c.parts, c.total), c.percent) << c.parts << "/" << c.total;
}

TEST(StatusGeometry, SegmentCountStaysWithinItsRange)
{
    EXPECT_EQ(ClampSegments(0), 1);
    EXPECT_EQ(ClampSegments(-5), 1);
    EXPECT_EQ(ClampSegments(20), 20);
    EXPECT_EQ(ClampSegments(1000), 100);
}

}  // namespace
}  // namespace tw::controls
