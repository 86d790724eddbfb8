// The tab layout without a window: extents, rows, justification, mapping,
// cards, the hit test on the tabs' true shapes, scrolling and selection.

#include "tabfixture.h"

#include <stdexcept>
#include <vector>

namespace tw::controls::testing {
namespace {

struct ExtentCase {
    TFcTabStyle style;
    TFcTabOrientation side;
    TOrientation text;
    TFcSize expected;
};

TEST_F(TabLayoutFixture, TabExtentFromFaceFollowsStyleSideAndTextDirection)
{
    // Face 20 x 10, cut corner 6, no fixed tab height.
    const std::vector<ExtentCase> cases = {
        {tsSingleSlant, toTop, orHorizontal, {42, 16}},    {tsSingleSlant, toLeft, orHorizontal, {26, 42}},
        {tsDoubleSlant, toBottom, orHorizontal, {50, 16}}, {tsDoubleSlant, toRight, orHorizontal, {26, 60}},
        {tsCutCorner, toTop, orHorizontal, {40, 17}},      {tsCutCorner, toLeft, orHorizontal, {33, 20}},
        {tsCutCorner, toTop, orVertical, {30, 23}},        {tsCutCorner, toRight, orVertical, {27, 30}},
        {tsRoundCorners, toTop, orHorizontal, {36, 16}},   {tsRoundCorners, toLeft, orHorizontal, {36, 16}},
        {tsRoundCorners, toBottom, orVertical, {26, 26}},
    };
    for (const ExtentCase& c : cases) {
        layout.Options.TabStyle = c.style;
        layout.Options.TabOrientation = c.side;
        layout.Options.TextOrientation = c.text;
        EXPECT_EQ(layout.CalcTabExtentFromTabFaceExtent({20, 10}), c.expected)
            << "style " << c.style << " side " << c.side << " text " << c.text;
    }
    // A fixed tab height adds half of itself to single slants and all of itself to double slants.
    layout.Options.TabHeight = 10;
    layout.Options.TabOrientation = toTop;
    layout.Options.TabStyle = tsSingleSlant;
    EXPECT_EQ(layout.CalcTabExtentFromTabFaceExtent({20, 10}).cx, 47);
    layout.Options.TabStyle = tsDoubleSlant;
    EXPECT_EQ(layout.CalcTabExtentFromTabFaceExtent({20, 10}).cx, 60);
}

TEST_F(TabLayoutFixture, TabOffsetIsTheOverlapOfNeighbours)
{
    const std::vector<std::pair<TFcTabStyle, int>> cases = {
        {tsSingleSlant, 9}, {tsDoubleSlant, 19}, {tsCutCorner, -1}, {tsRoundCorners, -1}};
    for (const auto& [style, offset] : cases) {
        layout.Options.TabStyle = style;
        EXPECT_EQ(layout.GetTabOffset(19), offset) << style;
    }
}

TEST_F(TabLayoutFixture, FaceCountsTextImageAndAcceleratorRules)
{
    layout.Options.HasImages = true;
    layout.Options.ImageSize = {16, 16};
    layout.Options.ImageMargin = 2;
    TFcTabData tab;
    tab.Caption = QStringLiteral("&Save it\r\nnow");  // "Save it" is 7 characters
    tab.ImageIndex = 0;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{2 + 16 + 49, 26}));
    layout.Options.ImagePosition = ipTop;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{49, 2 + 16 + 26}));
    layout.Options.ImagePosition = ipStretch;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{49, 26}));
    // Vertical text swaps: the lines stand side by side.
    layout.Options.TextOrientation = orVertical;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{26, 49}));
    // An empty caption is as big as "A", or "AAA" for round corners.
    layout.Options.TextOrientation = orHorizontal;
    tab.Caption.clear();
    tab.ImageIndex = -1;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{7, 13}));
    layout.Options.TabStyle = tsRoundCorners;
    EXPECT_EQ(layout.CalcTabFaceExtent(tab), (TFcSize{21, 13}));
}

// Five cut-corner tabs of four characters: 48 x 20 each, two pixels apart.
struct RowsFixture : TabLayoutFixture {
    RowsFixture()
    {
        layout.Options.TabStyle = tsCutCorner;
        layout.Options.MultiLine = true;
        AddTabs({"Abcd", "Efgh", "Ijkl", "Mnop", "Qrst"});
    }
};

TEST_F(RowsFixture, RowsBreakWhereTheIndentedRowIsFull)
{
    Calc();
    EXPECT_EQ(layout.FixedDimension(), 20);
    EXPECT_EQ(layout.RowExtent(), 2);
    EXPECT_EQ(layout.GetIndexHeight(), 35);  // 20 + (20 - overlap 5)
    const std::vector<std::pair<TRect, int>> expected = {{{0, 15, 48, 35}, 0},
                                                         {{50, 15, 98, 35}, 0},
                                                         {{100, 15, 148, 35}, 0},
                                                         {{0, 0, 48, 20}, 1},
                                                         {{50, 0, 98, 20}, 1}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(RectOf(i), expected[static_cast<size_t>(i)].first) << i;
        EXPECT_EQ(layout.Tabs.Items(i)->Row, expected[static_cast<size_t>(i)].second) << i;
    }
    // The farther row is drawn indented.
    EXPECT_EQ(layout.CalcTabRect(3), (TRect{5, 0, 53, 20}));
    EXPECT_EQ(layout.CalcMappedCardRect(0), (TRect{0, 35, 194, 99}));
    EXPECT_EQ(layout.CalcMappedCardRect(1), (TRect{5, 20, 199, 84}));
}

TEST_F(RowsFixture, ReverseSequenceRunsFromTheFarEndWithRowsIndentedTheOtherWay)
{
    layout.Options.TabSequence = tsReverse;
    Calc();
    EXPECT_EQ(layout.RowExtent(), 2);
    // Laid out leftwards and shifted by the control's width.
    EXPECT_EQ(RectOf(0), (TRect{152, 15, 200, 35}));
    EXPECT_EQ(RectOf(1), (TRect{102, 15, 150, 35}));
    EXPECT_EQ(layout.CalcMappedTabRect(0), (TRect{149, 15, 197, 35}));
    EXPECT_EQ(layout.CalcMappedTabRect(3), (TRect{144, 0, 192, 20}));
    // The farther row's card is indented at the far end.
    EXPECT_EQ(layout.CalcMappedCardRect(1), (TRect{0, 20, 194, 84}));
}

TEST_F(RowsFixture, JustificationFillsEveryRowAlsoWithHiddenTrailingTabs)
{
    layout.Options.AlignTabs = true;
    AddTabs({"Hidden"});
    layout.Tabs.Items(5)->Visible = false;
    Calc();
    // Row length 197 - 5: row 0 spans 148 (44 to share), row 1 spans 98 (94 to share).
    const std::vector<TRect> expected = {
        {0, 15, 63, 35}, {65, 15, 128, 35}, {130, 15, 192, 35}, {0, 0, 95, 20}, {97, 0, 192, 20}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(RectOf(i), expected[static_cast<size_t>(i)]) << i;
    // A fixed tab width keeps the tabs as they are.
    layout.Options.TabWidth = 40;
    Calc();
    EXPECT_EQ(RectOf(4).Width(), 40);
}

TEST_F(RowsFixture, TabWiderThanTheRowSitsAloneClipped)
{
    layout.Tabs.Clear();
    AddTabs({"Ab", "This caption is far too long for any row", "Cd"});
    Calc();
    EXPECT_EQ(layout.RowExtent(), 3);
    EXPECT_EQ(layout.Tabs.Items(1)->Row, 1);
    EXPECT_EQ(layout.Tabs.Items(2)->Row, 2);
    EXPECT_EQ(RectOf(1).Left, 0);
    EXPECT_EQ(RectOf(1).Width(), 197 - 2 * 5);
}

TEST_F(RowsFixture, SelectingATabOfAFartherRowBringsItsRowToTheCard)
{
    layout.Tabs.Clear();
    AddTabs({"Abcd", "Efgh", "Ijkl", "Mnop", "Qrst", "Uvwx", "Yzab", "Cdef", "Ghij"});
    Calc();
    ASSERT_EQ(layout.RowExtent(), 3);
    const int farRow = layout.Tabs.Items(8)->Row;
    ASSERT_EQ(farRow, 2);
    layout.SetTabIndex(8);
    EXPECT_EQ(layout.Tabs.Items(8)->Row, 0);
    EXPECT_EQ(layout.Tabs.Items(0)->Row, 1);  // the rows keep their cyclic order
    EXPECT_EQ(layout.Tabs.Items(4)->Row, 2);
    EXPECT_EQ(RectOf(8).Top, layout.GetIndexHeight() - layout.FixedDimension());
    // A relayout keeps the selected row at the card.
    Calc();
    EXPECT_EQ(layout.Tabs.Items(8)->Row, 0);
}

struct MapCase {
    TFcTabOrientation side;
    TFcTabSequence sequence;
    TPoint expected;
};

TEST_F(TabLayoutFixture, MappingForFourSidesAndTwoSequences)
{
    layout.Options.TabStyle = tsCutCorner;
    AddTabs({"Abcd"});
    const std::vector<MapCase> cases = {
        {toTop, tsStandard, {10, 5}},     {toBottom, tsStandard, {10, 94}}, {toLeft, tsStandard, {5, 89}},
        {toRight, tsStandard, {194, 10}}, {toTop, tsReverse, {157, 5}},     {toBottom, tsReverse, {159, 94}},
        {toLeft, tsReverse, {5, 15}},     {toRight, tsReverse, {194, 84}},
    };
    for (const MapCase& c : cases) {
        layout.Options.TabOrientation = c.side;
        layout.Options.TabSequence = c.sequence;
        Calc();
        EXPECT_EQ(layout.CalcMapPoint({10, 5}), c.expected)
            << "side " << c.side << " sequence " << c.sequence;
    }
}

TEST_F(TabLayoutFixture, IndexBandAndDisplayRectangle)
{
    layout.Options.TabStyle = tsCutCorner;
    AddTabs({"Abcd"});
    Calc();
    EXPECT_EQ(layout.GetIndexRect(), (TRect{0, 0, 197, 20}));  // two pixels left for the shadow
    // Card frame inside, the shadow's two pixels kept free at the right and bottom.
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{1, 21, 197, 97}));
    layout.Options.ShowShadow = false;
    Calc();
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{1, 21, 199, 99}));
    layout.Options.ShowCardFrame = false;
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{0, 20, 200, 100}));
    layout.Options.ShowCardFrame = true;
    layout.Options.ShowFullFrame = false;
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{0, 21, 200, 100}));
    layout.Options.TabOrientation = toBottom;
    layout.Options.ShowFullFrame = true;
    Calc();
    EXPECT_EQ(layout.GetIndexRect(), (TRect{0, 79, 199, 99}));
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{1, 1, 199, 79}));
    // Without a card children get no room; the card pokes out on three sides.
    layout.Options.ShowCard = false;
    layout.Options.TabOrientation = toTop;
    Calc();
    EXPECT_EQ(layout.GetDisplayRect(), (TRect{-2, -2, -1, -1}));
    EXPECT_EQ(layout.CalcMappedCardRect(0), (TRect{-3, 99, 202, 102}));
}

TEST_F(TabLayoutFixture, RoundCornersGrowTheSelectedTabAndThickenTheBand)
{
    layout.Options.TabStyle = tsRoundCorners;
    AddTabs({"Abc", "Def"});
    Calc();
    const TRect plain = layout.CalcTabRect(1);
    const int band = layout.GetIndexHeight();
    EXPECT_EQ(band, layout.FixedDimension() + 3);
    layout.SetTabIndex(1);
    const TRect grown = layout.CalcTabRect(1);
    EXPECT_EQ(grown, (TRect{plain.Left - 2, plain.Top - 2, plain.Right + 2, plain.Bottom}));
}

TEST_F(TabLayoutFixture, NoTabs)
{
    Calc();
    EXPECT_EQ(layout.TabAtPos(10, 5), -1);
    EXPECT_EQ(layout.TabIndex(), -1);
    EXPECT_EQ(layout.CalcMappedCardRect(0), layout.CalcWholeRect());
    layout.Options.ShowCloseButton = true;
    EXPECT_EQ(layout.GetCloseButtonSize(), 0);
}

// Single slants of four characters: 52 x 19, each overlapping the next by 8.
struct SlantFixture : TabLayoutFixture {
    SlantFixture() { AddTabs({"Abcd", "Efgh", "Ijkl", "Mnop", "Qrst"}); }
};

TEST_F(SlantFixture, RegionPointsOfEachStyle)
{
    Calc();
    EXPECT_EQ(layout.CalcTabRegionPts(1),
              (std::vector<TPoint>{{44, 19}, {44, 2}, {46, 0}, {77, 0}, {96, 19}}));
    layout.Options.TabStyle = tsDoubleSlant;
    Calc();
    const TRect r = RectOf(0);
    const int h = r.Height();
    EXPECT_EQ(layout.CalcTabRegionPts(0),
              (std::vector<TPoint>{
                  {r.Left, r.Bottom}, {r.Left + h, r.Top}, {r.Right - h, r.Top}, {r.Right, r.Bottom}}));
    layout.Options.TabStyle = tsCutCorner;
    Calc();
    const TRect c = RectOf(0);
    EXPECT_EQ(layout.CalcTabRegionPts(0),
              (std::vector<TPoint>{{c.Left, c.Bottom},
                                   {c.Left, c.Top},
                                   {c.Right - 6, c.Top},
                                   {c.Right, c.Top + 6},
                                   {c.Right, c.Bottom}}));
}

TEST_F(SlantFixture, HitTestPrefersTheSelectedTabAndFollowsTheSlant)
{
    Calc();
    layout.SetTabIndex(0);
    ASSERT_EQ(RectOf(0), (TRect{0, 0, 52, 19}));
    ASSERT_EQ(RectOf(1), (TRect{44, 0, 96, 19}));
    // Inside tab 0's rectangle but above its slant: the neighbour's.
    EXPECT_EQ(layout.TabAtPos(50, 3), 1);
    // Where both shapes overlap the selected tab wins, either way round.
    EXPECT_EQ(layout.TabAtPos(46, 17), 0);
    layout.SetTabIndex(1);
    EXPECT_EQ(layout.TabAtPos(46, 17), 1);
    EXPECT_EQ(layout.TabAtPos(10, 10), 0);
    EXPECT_EQ(layout.TabAtPos(10, 40), -1);  // on the card
    // Hidden tabs are never hit.
    layout.Tabs.Items(1)->Visible = false;
    Calc();
    EXPECT_EQ(layout.TabAtPos(RectOf(2).Left + 10, 10), 2);
    EXPECT_NE(layout.TabAtPos(50, 10), 1);
}

TEST_F(SlantFixture, ScrollerNeedFirstShownTabAndScrolling)
{
    Calc();
    ASSERT_TRUE(layout.ScrollerNeeded());
    EXPECT_EQ(layout.GetScrollerSize(), 17);
    // Room 197 - 2 x 17: tabs 0 to 2 fit.
    const std::vector<bool> inView = {true, true, true, false, false};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(layout.TabInView(i), inView[static_cast<size_t>(i)]) << i;
    EXPECT_TRUE(layout.ScrollTabs(true));
    EXPECT_EQ(layout.FirstTabIndex(), 1);
    EXPECT_TRUE(layout.ScrollTabs(true));
    EXPECT_EQ(layout.FirstTabIndex(), 2);
    EXPECT_FALSE(layout.ScrollTabs(true));  // the last tab is in view
    EXPECT_TRUE(layout.TabInView(4));
    EXPECT_FALSE(layout.TabInView(1));
    EXPECT_TRUE(layout.ScrollTabs(false));
    EXPECT_EQ(layout.FirstTabIndex(), 1);
    // Selecting a tab out of view scrolls it in; one before the first becomes the first.
    layout.SetTabIndex(0);
    EXPECT_EQ(layout.FirstTabIndex(), 0);
    layout.SetTabIndex(4);
    EXPECT_EQ(layout.FirstTabIndex(), 2);
    // A relayout keeps the first shown tab.
    Calc();
    EXPECT_EQ(layout.FirstTabIndex(), 2);
    // Several rows never scroll.
    layout.Options.MultiLine = true;
    Calc();
    EXPECT_FALSE(layout.ScrollerNeeded());
    EXPECT_EQ(layout.FirstTabIndex(), 0);
}

TEST_F(SlantFixture, CloseButtonTakesRoomFromTheRow)
{
    layout.Tabs.Clear();
    AddTabs({"Abcd", "Efgh", "Ijkl", "Mnop"});  // ends at 184 of 197
    Calc();
    EXPECT_FALSE(layout.ScrollerNeeded());
    layout.Options.ShowCloseButton = true;
    Calc();
    EXPECT_EQ(layout.GetCloseButtonSize(), 17);
    EXPECT_TRUE(layout.ScrollerNeeded());
}

TEST_F(SlantFixture, SelectionRefusesHiddenDisabledAndVetoedTabs)
{
    Calc();
    int changes = 0;
    std::vector<int> asked;
    bool allow = true;
    layout.Changing = [&](int i, bool& ok) {
        asked.push_back(i);
        ok = allow;
    };
    layout.Changed = [&] { ++changes; };
    EXPECT_TRUE(layout.SetTabIndex(1));
    EXPECT_EQ(changes, 1);
    layout.Tabs.Items(2)->Enabled = false;
    layout.Tabs.Items(3)->Visible = false;
    EXPECT_FALSE(layout.SetTabIndex(2));
    EXPECT_FALSE(layout.SetTabIndex(3));
    allow = false;
    EXPECT_FALSE(layout.SetTabIndex(4));
    EXPECT_EQ(layout.TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(asked, (std::vector<int>{1, 4}));  // the veto is asked only about selectable tabs
    // The same index again asks nothing; an index off the list clears the selection.
    layout.SetTabIndex(1);
    EXPECT_EQ(asked.size(), 2u);
    layout.SetTabIndex(7);
    EXPECT_EQ(layout.TabIndex(), -1);
}

TEST_F(SlantFixture, RelayoutMovesTheSelectionOffAHiddenTab)
{
    Calc();
    layout.SetTabIndex(3);
    layout.Tabs.Items(3)->Visible = false;
    Calc();
    EXPECT_EQ(layout.TabIndex(), 4);  // the next selectable tab upwards
    layout.Tabs.Items(4)->Visible = false;
    Calc();
    EXPECT_EQ(layout.TabIndex(), 2);  // none upwards: downwards
    for (int i = 0; i < 5; ++i)
        layout.Tabs.Items(i)->Visible = false;
    Calc();
    EXPECT_EQ(layout.TabIndex(), -1);
}

struct KeyCase {
    TFcTabSequence sequence;
    int from;
    TFcTabKey key;
    int expected;
};

TEST_F(SlantFixture, KeysStepWithWrapPastDisabledAndHiddenTabs)
{
    Calc();
    layout.Tabs.Items(2)->Enabled = false;
    layout.Tabs.Items(3)->Visible = false;
    const std::vector<KeyCase> cases = {
        {tsStandard, 1, TFcTabKey::Right, 4}, {tsStandard, 1, TFcTabKey::Down, 4},
        {tsStandard, 4, TFcTabKey::Right, 0}, {tsStandard, 0, TFcTabKey::Left, 4},
        {tsStandard, 4, TFcTabKey::Up, 1},    {tsStandard, 4, TFcTabKey::Home, 0},
        {tsStandard, 0, TFcTabKey::End, 4},   {tsReverse, 1, TFcTabKey::Left, 4},
        {tsReverse, 1, TFcTabKey::Right, 0},  {tsReverse, 0, TFcTabKey::Right, 4},
    };
    for (const KeyCase& c : cases) {
        layout.Options.TabSequence = c.sequence;
        layout.SetTabIndex(c.from, true);
        EXPECT_EQ(layout.TabForKey(c.key), c.expected)
            << "sequence " << c.sequence << " from " << c.from << " key " << static_cast<int>(c.key);
    }
    // A vetoed tab is stepped over; with nothing else to take the selection stays.
    layout.Options.TabSequence = tsStandard;
    layout.SetTabIndex(1, true);
    layout.Changing = [](int i, bool& ok) { ok = i != 4; };
    EXPECT_EQ(layout.TabForKey(TFcTabKey::Right), 0);
    layout.Changing = [](int, bool& ok) { ok = false; };
    EXPECT_EQ(layout.TabForKey(TFcTabKey::Right), 1);
}

TEST_F(TabLayoutFixture, AcceleratorsOfCaptions)
{
    AddTabs({"&Customer", "Sch&edule", "&&Ampersand", "Trailing&", "&Disabled", "&Hidden"});
    layout.Tabs.Items(4)->Enabled = false;
    layout.Tabs.Items(5)->Visible = false;
    EXPECT_EQ(layout.TabForAccelerator(QChar('c')), 0);
    EXPECT_EQ(layout.TabForAccelerator(QChar('E')), 1);
    EXPECT_EQ(layout.TabForAccelerator(QChar('a')), -1);
    EXPECT_EQ(layout.TabForAccelerator(QChar('d')), -1);
    EXPECT_EQ(layout.TabForAccelerator(QChar('h')), -1);
    EXPECT_EQ(StripTabAccelerator(QStringLiteral("&&Ampersand")), QStringLiteral("&Ampersand"));
    EXPECT_EQ(StripTabAccelerator(QStringLiteral("Sch&edule")), QStringLiteral("Schedule"));
}

TEST(TabRegionCache, KeepsTheMostRecentlyUsedRegions)
{
    TFcTabRegionCache cache;
    EXPECT_EQ(cache.Capacity(), 1);
    const TRect a{0, 0, 10, 10}, b{10, 0, 20, 10}, c{20, 0, 30, 10};
    cache.Add(a, QRegion(0, 0, 10, 10));
    cache.Add(b, QRegion(10, 0, 10, 10));
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.Find(a), nullptr);
    ASSERT_NE(cache.Find(b), nullptr);
    cache.SetCapacity(-1);
    cache.Add(a, QRegion(0, 0, 10, 10));
    cache.Add(c, QRegion(20, 0, 10, 10));
    cache.Add(b, QRegion());  // present: moves to the front, keeps its region
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_FALSE(cache.Find(b)->isEmpty());
    cache.SetCapacity(2);  // drops from the end: a was used least recently
    EXPECT_EQ(cache.Find(a), nullptr);
    EXPECT_NE(cache.Find(c), nullptr);
    for (const int bad : {0, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
    }
}

TEST(TabDataList, AssignCopiesTabsButNotTheirPlaces)
{
    TFcTabDataList list;
    TFcTabData* first = list.Add();
    first->Caption = QStringLiteral("One");
    first->Rect = {1, 2, 3, 4};
    first->Enabled = false;
    list.Add()->Caption = QStringLiteral("Two");
    list.Move(1, 0);
    EXPECT_EQ(list.IndexOf(first), 1);
    TFcTabDataList copy;
    copy.Assign(list);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(1)->Caption, QStringLiteral("One"));
    EXPECT_FALSE(copy.Items(1)->Enabled);
    EXPECT_EQ(copy.Items(1)->Rect, TRect{});
    EXPECT_EQ(list.Remove(first), 1);
    EXPECT_EQ(list.Remove(first), -1);
}

}  // namespace
}  // namespace tw::controls::testing
