// The splitter's position arithmetic: limits, percentages, the fixed pane,
// growing back to the user's position, the hot spot's collapse and restore,
// and where the panes and the bar go.

#include "controls/sizing/fcsplittermodel.h"

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

struct Model : ::testing::Test {
    Model()
    {
        m.CanChange = [this](int pos) {
            asked.push_back(pos);
            return pos != veto;
        };
        m.Changed = [this] { ++changes; };
    }
    TFcSplitterModel m;
    std::vector<int> asked;
    int veto = -12345;
    int changes = 0;
};

TEST_F(Model, NewSplitterSplitsInTheMiddle)
{
    EXPECT_EQ(m.Position(), 100);
    EXPECT_EQ(m.Percent(), 50);
    EXPECT_EQ(m.S(), 198);
}

TEST_F(Model, PositionLimits)
{
    const struct {
        int marginMin;
        int marginMax;
        int borderOffset;
        bool bothVisible;
        int asked;
        int stored;
    } cases[] = {
        {0, 0, 0, true, -5, 0},       // never before the edge
        {0, 0, 0, true, 500, 196},    // 200 - 4 (the bar)
        {20, 0, 0, true, 5, 20},
        {0, 30, 0, true, 190, 166},   // 200 - 30 - 4
        {0, 0, 2, true, 199, 192},    // frames count twice
        {20, 30, 0, false, 5, 5},     // a hidden pane lifts every limit
        {20, 30, 0, false, 500, 500},
        {150, 100, 0, true, 120, 146}, // max cut to 50; above it the upper bound wins
    };
    for (const auto& c : cases) {
        TFcSplitterModel model;
        model.SetMarginMin(c.marginMin);
        model.SetMarginMax(c.marginMax);
        model.BorderOffset = c.borderOffset;
        model.BothVisible = c.bothVisible;
        model.SetPosition(c.asked);
        EXPECT_EQ(model.Position(), c.stored) << c.asked;
    }
}

TEST_F(Model, MarginsAreCutToTheSize)
{
    m.SetMarginMin(-3);
    EXPECT_EQ(m.MarginMin(), 0);
    m.SetMarginMin(150);
    m.SetMarginMax(120);  // 150 + 120 > 200: the one being set gives way
    EXPECT_EQ(m.MarginMax(), 50);
    m.SetMarginMin(180);
    EXPECT_EQ(m.MarginMin(), 150);
    EXPECT_EQ(changes, 0);  // margins alone do not move the bar
}

TEST_F(Model, PercentFollowsThePositionAndTheResize)
{
    const struct {
        int size;
        int percent;
        int position;
    } cases[] = {
        {205, 50, 102},  // s = 203, 101.5 rounds to 102
        {201, 50, 100},  // s = 199, 99.5 rounds to 100
        {203, 50, 100},  // s = 201, 100.5 rounds to 100
        {400, 25, 100},  // s = 398, 99.5 -> 100
        {100, 0, 0},
    };
    for (const auto& c : cases) {
        TFcSplitterModel model;
        model.SetUsePercent(true);
        model.SetPercent(c.percent);
        model.Resize(c.size);
        EXPECT_EQ(model.Position(), c.position) << c.size << " " << c.percent;
        EXPECT_TRUE(model.UsePercent());
    }
    m.SetPosition(99);
    EXPECT_EQ(m.Percent(), 50);  // 99 / 198 = 50 %
    m.SetPosition(33);
    EXPECT_EQ(m.Percent(), 17);  // 16.67
}

TEST_F(Model, PercentMarginsFollowTheSize)
{
    m.SetPercentMin(-1);
    m.SetPercentMax(150);
    EXPECT_EQ(m.PercentMin(), 0);
    EXPECT_EQ(m.PercentMax(), 100);
    m.SetPercentMin(10);
    m.SetPercentMax(80);
    m.SetUsePercent(true);
    EXPECT_EQ(m.MarginMin(), 20);       // round(0.1 * 198) = 19.8 -> 20
    EXPECT_EQ(m.MarginMax(), 198 - 158);  // round(0.8 * 198) = 158.4 -> 158
    m.SetPosition(5);
    EXPECT_EQ(m.Position(), 20);
}

TEST_F(Model, FixedLowerRightPaneKeepsItsSize)
{
    m.SetFixedPane(fpLowerRight);
    EXPECT_EQ(m.FixedSize(), 100);
    m.Resize(250);
    EXPECT_EQ(m.Position(), 150);
    m.Resize(180);
    EXPECT_EQ(m.Position(), 80);
    m.SetUsePercent(true);
    EXPECT_EQ(m.FixedPane(), fpUpperLeft);
    m.SetFixedPane(fpLowerRight);
    EXPECT_FALSE(m.UsePercent());
}

TEST_F(Model, SqueezedPaneGrowsBackToTheUsersPosition)
{
    m.SetMarginMax(10);
    m.SetLockedPosition(150);
    EXPECT_EQ(m.ManualPosition(), 150);
    m.Resize(120);
    EXPECT_EQ(m.Position(), 106);  // 120 - 10 - 4
    m.Resize(160);
    EXPECT_EQ(m.Position(), 146);
    m.Resize(200);
    EXPECT_EQ(m.Position(), 150);
    EXPECT_EQ(m.ManualPosition(), 150);
}

TEST_F(Model, VetoKeepsThePosition)
{
    veto = 140;
    EXPECT_FALSE(m.SetPosition(140));
    EXPECT_EQ(m.Position(), 100);
    EXPECT_EQ(asked.back(), 140);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(m.SetPosition(141));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(m.SetPosition(141));  // equal: not even asked
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(Model, HotSpotCollapsesAndRestores)
{
    const struct {
        bool toMin;
        int marginMin;
        bool ignoreMargins;
        int collapsed;
    } cases[] = {
        {true, 0, true, 0},
        {true, 20, true, 0},     // collapsed ignores the margins
        {true, 20, false, 20},
        {false, 0, true, 196},   // to the far side, clamped
    };
    for (const auto& c : cases) {
        TFcSplitterModel model;
        model.SetMarginMin(c.marginMin);
        model.HotSpotIgnoreMargins = c.ignoreMargins;
        model.SetLockedPosition(120);
        model.ToggleHotSpot(c.toMin);
        EXPECT_TRUE(model.HotSpotClosed());
        EXPECT_EQ(model.HotSpotClosedToMin(), c.toMin);
        EXPECT_EQ(model.Position(), c.collapsed);
        EXPECT_EQ(model.HotSpotPosition(), 120);
        model.ToggleHotSpot(c.toMin);
        EXPECT_FALSE(model.HotSpotClosed());
        EXPECT_FALSE(model.HotSpotClosedToMin() || model.HotSpotClosedToMax());
        EXPECT_EQ(model.Position(), 120);
    }
}

TEST_F(Model, CloseAndRestoreFromCodeAndReset)
{
    m.CloseHotSpot(false);
    EXPECT_EQ(m.Position(), 196);
    m.CloseHotSpot(true);  // already closed: nothing
    EXPECT_TRUE(m.HotSpotClosedToMax());
    m.Resize(300);  // without percentages the collapsed bar stays where it was
    EXPECT_EQ(m.Position(), 196);
    m.RestoreHotSpot();
    EXPECT_EQ(m.Position(), 100);
    m.CloseHotSpot(true);
    m.ResetHotSpot();
    EXPECT_FALSE(m.HotSpotClosed());
    EXPECT_EQ(m.Position(), 0);  // reset does not move the bar
}

TEST(SplitLayout, PanesAndBar)
{
    const TRect client{2, 2, 198, 98};
    const struct {
        TOrientation o;
        bool ul;
        bool lr;
        TFcSplitLayout l;
    } cases[] = {
        {orHorizontal, true, true, {{2, 2, 102, 98}, {102, 2, 106, 98}, {106, 2, 198, 98}}},
        {orVertical, true, true, {{2, 2, 198, 102}, {2, 102, 198, 106}, {2, 106, 198, 98}}},
        {orHorizontal, false, true, {{2, 2, 2, 98}, {2, 2, 2, 2}, client}},
        {orVertical, true, false, {client, {2, 2, 2, 2}, {2, 2, 198, 2}}},
    };
    for (const auto& c : cases) {
        const TFcSplitLayout l = SplitLayout(client, c.o, 100, 4, c.ul, c.lr);
        EXPECT_EQ(l.UpperLeft, c.l.UpperLeft);
        EXPECT_EQ(l.Bar, c.l.Bar);
        EXPECT_EQ(l.LowerRight, c.l.LowerRight);
    }
}

TEST(SplitLayout, HotSpotIsCentredOnTheBar)
{
    EXPECT_EQ(HotSpotRect({100, 0, 107, 249}, orHorizontal, 40), (TRect{100, 74, 107, 174}));  // round(99.6)=100
    EXPECT_EQ(HotSpotRect({0, 50, 300, 57}, orVertical, 40), (TRect{90, 50, 210, 57}));
    EXPECT_EQ(HotSpotRect({0, 0, 7, 25}, orHorizontal, 50), (TRect{0, 6, 7, 18}));  // round(12.5)=12
    EXPECT_EQ(SplitBorderOffset(1, 2, 1, kAllSides), 7);
    EXPECT_EQ(SplitBorderOffset(0, 2, 0, SideBit(sdRight)), 0);
}

}  // namespace
}  // namespace tw::controls
