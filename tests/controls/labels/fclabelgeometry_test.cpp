// The label's geometry without a window: angles kept in 0..359, the text
// rectangle inside the frames, auto-size room, the turning point and arc
// radius, where flat-rotated text is anchored, and the arc's characters.

#include "controls/labels/fclabelgeometry.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TEST(LabelAngle, EveryAngleEndsIn0To359)
{
    const std::pair<int, int> cases[] = {
        {0, 0},     {30, 30},    {359, 359},  {360, 0},   {450, 90},    {1000, 280},
        {-1, 359},  {-30, 330},  {-90, 270},  {-359, 1},  {-360, 0},
        // Past a full turn backwards: reduced first, so never negative.
        {-390, 330}, {-720, 0}, {-1000, 80}, {-3610, 350},
    };
    for (const auto& [given, stored] : cases)
        EXPECT_EQ(NormalizeAngle(given), stored) << given;
}

TEST(LabelTextRect, FramesOnChosenSidesBandOnEveryOneBoldFlatTakesNothing)
{
    struct Case {
        const char* name;
        TFcLabelFrames frames;
        bool band;
        TRect expected;
    };
    const TRect r{0, 0, 60, 30};
    const Case cases[] = {
        {"groove all round", {fsGroove, fsNone, kAllSides, 0, 1}, true, {2, 2, 58, 28}},
        {"bold flat", {fsFlatBold, fsNone, kAllSides, 0, 1}, true, {0, 0, 60, 30}},
        {"band 3 on top only", {fsNone, fsNone, SideBit(sdTop), 3, 1}, true, {3, 3, 57, 27}},
        {"band not asked", {fsNone, fsNone, SideBit(sdTop), 3, 1}, false, {0, 0, 60, 30}},
        {"popup bevel 2 and flat inner", {fsPopup, fsFlat, kAllSides, 0, 2}, true, {3, 3, 57, 27}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LabelTextRect(r, c.frames, c.band), c.expected);
    }
}

TEST(LabelAutoSize, RoomForFramesShadowAndTurnedText)
{
    struct Case {
        const char* name;
        TFcLabelFrames frames;
        TFcLabelShape shape;
        int width, height;
    };
    const TFcLabelFrames none{fsNone, fsNone, kAllSides, 0, 1};
    const Case cases[] = {
        {"plain", none, {}, 40, 13},
        {"groove all round", {fsGroove, fsNone, kAllSides, 0, 1}, {}, 44, 17},
        {"bold flat", {fsFlatBold, fsNone, kAllSides, 0, 1}, {}, 40, 13},
        {"status bevel 3 on left and top", {fsStatus, fsNone, SideBit(sdLeft) | SideBit(sdTop), 0, 3}, {}, 43, 16},
        {"band 2", {fsNone, fsNone, kAllSides, 2, 1}, {}, 44, 17},
        {"shadow", none, {roNone, 0, tsShadow, 2}, 42, 15},
        {"turned 90", {fsGroove, fsNone, kAllSides, 0, 1}, {roFlat, 90, tsNormal, 2}, 17, 44},
        {"turned 270", none, {roFlat, 270, tsNormal, 2}, 13, 40},
        {"turned 45", none, {roFlat, 45, tsNormal, 2}, 37, 37},
        {"turned 180 keeps its size", none, {roFlat, 180, tsNormal, 2}, 40, 13},
        {"turned 30 with a shadow", none, {roFlat, 30, tsShadow, 4}, 44, 34},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TRect r = AdjustForBorders({0, 0, 40, 13}, c.frames, c.shape);
        EXPECT_EQ(r.Right, c.width);
        EXPECT_EQ(r.Bottom, c.height);
    }
}

TEST(LabelCentre, PointAndRadiusByCentrePoint)
{
    struct Case {
        TCenterPoint where;
        TPoint point;
        TPoint radius;
    };
    // 100 by 60 with a band of 3.
    const Case cases[] = {
        {cpUpperLeft, {3, 3}, {94, 54}},       {cpUpperCenter, {50, 3}, {44, 54}},
        {cpUpperRight, {100, 3}, {94, 54}},    {cpLeftCenter, {3, 30}, {94, 24}},
        {cpCenter, {50, 30}, {44, 24}},        {cpRightCenter, {97, 30}, {94, 24}},
        {cpLowerLeft, {3, 57}, {94, 54}},      {cpLowerCenter, {50, 57}, {44, 54}},
        {cpLowerRight, {97, 57}, {94, 54}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(LabelCenterPoint(c.where, roCurve, 100, 60, 3), c.point);
        EXPECT_EQ(LabelArcRadius(c.where, 100, 60, 3), c.radius);
    }
    EXPECT_EQ(LabelCenterPoint(cpUpperLeft, roFlat, 100, 60, 3), (TPoint{50, 30}));
}

TEST(LabelFlatText, AnchorByAngleAndAlignment)
{
    struct Case {
        const char* name;
        int angle;
        unsigned flags;
        TPoint point;
        unsigned align;
        bool changed;
    };
    // Text rectangle 40 by 100 turning about (20, 50); caption 30 wide, "Pp" 12 high.
    const Case cases[] = {
        {"0, left", 0, DT_LEFT, {0, 44}, TA_LEFT | TA_TOP, false},
        {"0, centred", 0, DT_CENTER, {20, 44}, TA_CENTER | TA_TOP, true},
        {"0, right", 0, DT_RIGHT, {10, 44}, TA_LEFT | TA_TOP, false},
        {"90, centred", 90, DT_CENTER, {23, 65}, TA_LEFT | TA_BASELINE, true},
        {"90, right", 90, DT_RIGHT, {23, 30}, TA_LEFT | TA_BASELINE, true},
        {"180, left", 180, DT_LEFT, {40, 47}, TA_LEFT | TA_BASELINE, true},
        {"270, right", 270, DT_RIGHT, {17, 70}, TA_LEFT | TA_BASELINE, true},
        {"270, left", 270, DT_LEFT, {17, 0}, TA_LEFT | TA_BASELINE, true},
        {"45", 45, DT_LEFT, {22, 52}, TA_CENTER | TA_BASELINE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TFcTextAnchor a = FlatTextAnchor(c.angle, c.flags, {0, 0, 40, 100}, {20, 50}, 30, 12, 0);
        EXPECT_EQ(a.Point, c.point);
        EXPECT_EQ(a.AlignChanged, c.changed);
        if (c.changed) {
            EXPECT_EQ(a.TextAlign, c.align);
        }
    }
}

TEST(LabelArcText, CharactersStepClockwiseByAFixedAdvance)
{
    const std::vector<TFcArcGlyph> glyphs = ArcGlyphs(3, 0, {50, 50}, {40, 40}, 10, 10);
    const std::vector<TFcArcGlyph> expected = {{50, 20, 0}, {57, 21, -143}, {64, 24, -286}};
    EXPECT_EQ(glyphs, expected);
    EXPECT_TRUE(ArcGlyphs(0, 0, {50, 50}, {40, 40}, 10, 10).empty());
    // A radius of nothing puts every character on the same spot.
    const std::vector<TFcArcGlyph> flat = ArcGlyphs(2, 90, {5, 5}, {0, 0}, 4, 6);
    EXPECT_EQ(flat[0], flat[1]);
}

}  // namespace
}  // namespace tw::controls
