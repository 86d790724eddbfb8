// What the strip would paint, read from the outline commands and the face
// geometry before any pixel is drawn.

#include "controls/tabs/fctabpaintmodel.h"

#include "tabfixture.h"

#include <vector>

namespace tw::controls::testing {
namespace {

// One cut-corner tab "Abcd" on a 200 x 100 control: tab (0, 0, 48, 20), card
// (0, 20, 199, 99).
struct CardFixture : TabLayoutFixture {
    CardFixture()
    {
        layout.Options.TabStyle = tsCutCorner;
        AddTabs({"Abcd"});
        Calc();
    }
};

const std::vector<int> kShadow = {tcMoveTo,      198, 21, tcShadowDark,  198, 98, tcShadowDark,  0,   98,
                                  tcMoveTo,      198, 20, tcShadowLight, 199, 20, tcShadowLight, 199, 99,
                                  tcShadowLight, 0,   99, tcShadowLight, 0,   98};

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(CardFixture, CardFrameLeavesRoomForItsShadow)
{
    const std::vector<int> frame = {tcStart,  1,   0,  tcPenColor, tcMoveTo, 0,  20,       tcLineTo, 197, 20,
                                    tcLineTo, 197, 97, tcLineTo,   0,        97, tcLineTo, 0,        20};
    EXPECT_EQ(CalcCardDrawCommands(layout, 0), Join(frame, kShadow));
    // A hot-track repaint of the band leaves the shadow alone.
    EXPECT_EQ(CalcCardDrawCommands(layout, 0, false), frame);
}

TEST_F(CardFixture, SelectedTabOpensAGapInTheCardFrame)
{
    layout.SetTabIndex(0);
    // The gap runs from one pixel inside the tab's first corner to its last.
    const std::vector<int> frame = {tcStart, 1,        0,  tcPenColor, tcMoveTo, 0,   20, tcLineTo, 1,
                                    20,      tcMoveTo, 48, 20,         tcLineTo, 197, 20, tcLineTo, 197,
                                    97,      tcLineTo, 0,  97,         tcLineTo, 0,   19};
    EXPECT_EQ(CalcCardDrawCommands(layout, 0), Join(frame, kShadow));
    // Without the shadow and the full frame only the tab side is drawn.
    layout.Options.ShowShadow = false;
    layout.Options.ShowFullFrame = false;
    EXPECT_EQ(CalcCardDrawCommands(layout, 0),
              (std::vector<int>{tcStart, 1, 0, tcPenColor, tcMoveTo, 0, 20, tcLineTo, 1, 20, tcMoveTo, 48, 20,
                                tcLineTo, 199, 20}));
}

TEST_F(CardFixture, TabOutlineFollowsItsRegionPoints)
{
    EXPECT_EQ(CalcTabDrawCommands(layout, 0),
              (std::vector<int>{tcStart, 0, 0, tcPenColor, tcMoveTo, 0, 20, tcLineTo, 0, 0, tcLineTo, 42, 0,
                                tcLineTo, 48, 6, tcLineTo, 48, 20}));
    // Round corners draw from the right end back to the left.
    layout.Options.TabStyle = tsRoundCorners;
    Calc();
    const std::vector<int> round = CalcTabDrawCommands(layout, 0);
    const std::vector<TPoint> m = layout.CalcMappedTabRegionPts(0);
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(std::vector<int>(round.begin() + 4, round.begin() + 10),
              (std::vector<int>{tcMoveTo, m[4].x, m[4].y, tcLineTo, m[5].x, m[5].y}));
}

struct FaceCase {
    TFcTabStyle style;
    TRect tab;
    TRect face;
};

TEST_F(TabLayoutFixture, FaceRectangleOfEachStyle)
{
    const std::vector<FaceCase> cases = {
        {tsSingleSlant, {0, 0, 52, 19}, {5, 4, 33, 17}},
        {tsDoubleSlant, {0, 0, 60, 16}, {17, 4, 45, 14}},
        {tsCutCorner, {0, 15, 48, 35}, {10, 20, 38, 33}},
        {tsRoundCorners, {0, 0, 40, 20}, {5, 3, 35, 17}},
    };
    for (const FaceCase& c : cases) {
        layout.Options.TabStyle = c.style;
        EXPECT_EQ(CalcTabFaceRect(layout, c.tab), c.face) << c.style;
    }
}

TEST_F(TabLayoutFixture, CaptionLinesArePlacedByAlignment)
{
    layout.Options.TabStyle = tsCutCorner;
    AddTabs({"Ab\r\nCdef"});
    Calc();
    const TRect tab = layout.CalcMappedTabRect(0);
    const TFcTabFace centred = CalcTabFace(layout, 0, tab);
    ASSERT_EQ(centred.Lines.size(), 2u);
    const TRect f = centred.Face;
    EXPECT_EQ(centred.Lines[0].At.x, f.Left + (f.Width() - 14) / 2);
    EXPECT_EQ(centred.Lines[1].At.x, f.Left);
    EXPECT_EQ(centred.Lines[1].At.y, centred.Lines[0].At.y + 13);
    layout.Options.TextAlignment = haRight;
    EXPECT_EQ(CalcTabFace(layout, 0, tab).Lines[0].At.x, f.Right - 14);
    layout.Options.TextAlignment = haLeft;
    EXPECT_EQ(CalcTabFace(layout, 0, tab).Lines[0].At.x, f.Left);
}

TEST(CaptionPieces, SplitAtTheFirstAmpersand)
{
    struct Case {
        const char* line;
        const char* before;
        QChar accelerator;
        const char* rest;
    };
    const std::vector<Case> cases = {
        {"&File", "", QChar('F'), "ile"}, {"Sa&ve as", "Sa", QChar('v'), "e as"},
        {"A&&B", "A&", QChar(), "B"},     {"End&", "End", QChar(), ""},
        {"Plain", "Plain", QChar(), ""},  {"&a&b", "", QChar('a'), "&b"},
    };
    for (const Case& c : cases) {
        const TFcCaptionPieces p = SplitCaption(QString::fromUtf8(c.line));
        EXPECT_EQ(p.Before, QString::fromUtf8(c.before)) << c.line;
        EXPECT_EQ(p.Accelerator, c.accelerator) << c.line;
        EXPECT_EQ(p.Rest, QString::fromUtf8(c.rest)) << c.line;
    }
}

TEST(HotTrackBar, LiesOnTheOuterEdgeOfTheTab)
{
    const TRect tab{10, 10, 50, 30};
    EXPECT_EQ(HotTrackBarRect(toTop, tab), (TRect{9, 9, 51, 15}));
    EXPECT_EQ(HotTrackBarRect(toLeft, tab), (TRect{9, 9, 15, 31}));
    EXPECT_EQ(HotTrackBarRect(toBottom, tab), (TRect{9, 27, 51, 31}));
    EXPECT_EQ(HotTrackBarRect(toRight, tab), (TRect{47, 9, 51, 31}));
}

}  // namespace
}  // namespace tw::controls::testing
