// The size panel's arithmetic for each edge: the bar, the hot spot, the
// parent's free area, the margins' room and the limits of a drag.

#include "controls/sizing/fcsizepanelgeometry.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TEST(SizePanelGeometry, BarLiesOnTheInnerEdge)
{
    const struct {
        TAlign align;
        bool dock;
        TRect bar;
    } cases[] = {
        {alLeft, false, {196, 0, 200, 100}},  {alRight, false, {0, 0, 4, 100}},
        {alTop, false, {0, 96, 200, 100}},    {alBottom, false, {0, 0, 200, 4}},
        {alLeft, true, {195, 0, 200, 100}},   {alClient, false, {}},
        {alNone, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeBarRect(c.align, 200, 100, 4, c.dock), c.bar) << c.align;
    EXPECT_EQ(SizeHotSpotRect({193, 0, 200, 100}, alLeft, 40), (TRect{193, 30, 200, 70}));
    EXPECT_EQ(SizeHotSpotRect({0, 93, 200, 100}, alTop, 40), (TRect{60, 93, 140, 100}));
}

TEST(SizePanelGeometry, WorkingRectangleLeavesOutEveryAlignedChild)
{
    const std::vector<TFcAlignItem> children{
        {alTop, {0, 0, 600, 30}, true},      {alBottom, {0, 380, 600, 400}, true},
        {alLeft, {0, 30, 200, 380}, true},   {alRight, {550, 30, 600, 380}, true},
        {alLeft, {200, 30, 260, 380}, false},  // hidden: takes nothing
        {alNone, {300, 100, 350, 150}, true}, {alClient, {200, 30, 550, 380}, true},
    };
    EXPECT_EQ(ParentWorkingRect({0, 0, 600, 400}, children), (TRect{200, 30, 550, 380}));
}

TEST(SizePanelGeometry, DragLimitsForEachEdge)
{
    // A parent 600 by 400; working rectangle with only this panel aligned.
    const struct {
        TAlign align;
        TFcPanelBox box;
        TRect working;
        int marginMin;
        int marginMax;
        int p;
        int limited;
    } cases[] = {
        {alLeft, {0, 0, 200, 400}, {200, 0, 600, 400}, 30, 0, 10, 35},     // MarginMin + bar + 1
        {alLeft, {0, 0, 200, 400}, {200, 0, 600, 400}, 30, 50, 700, 550},  // free area less MarginMax
        {alTop, {0, 0, 600, 100}, {0, 100, 600, 400}, 0, 20, 500, 380},
        {alTop, {0, 0, 600, 100}, {0, 100, 600, 400}, 10, 0, 0, 15},
        {alRight, {400, 0, 200, 400}, {0, 0, 400, 400}, 0, 40, -500, -360},  // 0 + 40 - 400
        {alRight, {400, 0, 200, 400}, {0, 0, 400, 400}, 30, 0, 190, 165},    // 200 - 30 - 4 - 1
        {alBottom, {0, 300, 600, 100}, {0, 0, 600, 300}, 0, 0, -400, -300},
        {alBottom, {0, 300, 600, 100}, {0, 0, 600, 300}, 20, 0, 90, 75},
        {alClient, {0, 0, 600, 400}, {0, 0, 600, 400}, 30, 30, 5, 5},        // unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizePanelCheckPosition(c.align, c.p, c.working, c.box, c.marginMin, c.marginMax, 4), c.limited)
            << c.align << " " << c.p;
}

TEST(SizePanelGeometry, MarginExtentAndTheSizeADragGives)
{
    const TRect w{200, 30, 550, 380};
    EXPECT_EQ(MarginExtent(alLeft, w, {0, 30, 200, 350}), 550);
    EXPECT_EQ(MarginExtent(alRight, w, {550, 30, 50, 350}), 50 + 550 - 200);
    EXPECT_EQ(MarginExtent(alTop, w, {0, 0, 600, 30}), 380);
    EXPECT_EQ(MarginExtent(alBottom, w, {0, 380, 600, 20}), 380 + 20 - 30);
    EXPECT_EQ(MarginExtent(alClient, w, {}), 0);

    const TFcPanelBox left{0, 0, 200, 400};
    EXPECT_EQ(SizePanelStartPosition(alLeft, left), 200);
    EXPECT_EQ(SizePanelExtent(alLeft, 250, 200, left, false), 250);
    EXPECT_EQ(SizePanelExtent(alLeft, 250, 200, left, true), 251);
    const TFcPanelBox right{400, 0, 200, 400};
    EXPECT_EQ(SizePanelStartPosition(alRight, right), 0);
    EXPECT_EQ(SizePanelExtent(alRight, -30, 0, right, false), 230);
    const TFcPanelBox bottom{0, 300, 600, 100};
    EXPECT_EQ(SizePanelExtent(alBottom, 20, 0, bottom, false), 80);
}

}  // namespace
}  // namespace tw::controls
