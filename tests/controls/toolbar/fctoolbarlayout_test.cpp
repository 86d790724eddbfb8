// The toolbar's logic without widgets: wrapping and automatic size in both
// orientations and right to left, hidden controls, the text-option presets,
// the control list, and the layout store's round trip in a temporary file.

#include "controls/foundation/fcreginifile.h"
#include "controls/toolbar/fctoolbarlayout.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

TFcToolbarControlList Buttons(int count, int w = 25, int h = 25)
{
    TFcToolbarControlList list;
    for (int i = 0; i < count; ++i) {
        list[list.AddControlName(QStringLiteral("Button%1").arg(i + 1))].Width = w;
        list[i].Height = h;
    }
    return list;
}

TEST(ToolbarLayout, WrapsAndResizesInBothOrientations)
{
    struct Case {
        const char* name;
        TOrientation orientation;
        TFcToolbarAlign align;
        int width, height, count;
        bool wrap, designing;
        int hidden;  // index of a hidden control, or -1
        int rows, newWidth, newHeight;
        std::vector<std::pair<int, int>> places;
    };
    const Case cases[] = {
        {"three on 70 wrap to two rows", orHorizontal, tbaTop, 70, 32, 3, true, false, -1, 2, 70, 54,
         {{4, 2}, {29, 2}, {4, 27}}},
        {"no wrapping keeps one row", orHorizontal, tbaTop, 70, 32, 3, false, false, -1, 1, 70, 29,
         {{4, 2}, {29, 2}, {54, 2}}},
        {"a hidden control takes no space", orHorizontal, tbaTop, 70, 32, 3, true, false, 1, 1, 70, 29,
         {{4, 2}, {0, 0}, {29, 2}}},
        {"while designing it does", orHorizontal, tbaTop, 70, 32, 3, true, true, 1, 2, 70, 54,
         {{4, 2}, {29, 2}, {4, 27}}},
        {"left-aligned grows to the widest row", orHorizontal, tbaLeft, 200, 32, 3, true, false, -1, 1, 83, 32,
         {{4, 2}, {29, 2}, {54, 2}}},
        {"vertical wraps into columns", orVertical, tbaLeft, 32, 70, 3, true, false, -1, 2, 54, 70,
         {{4, 4}, {4, 29}, {29, 4}}},
        {"vertical across the top grows in height", orVertical, tbaTop, 32, 200, 2, true, false, -1, 1, 32, 58,
         {{4, 4}, {4, 29}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcToolbarControlList list = Buttons(c.count);
        if (c.hidden >= 0)
            list[c.hidden].Visible = false;
        TFcToolbarGeometry g;
        g.Orientation = c.orientation;
        g.Align = c.align;
        g.Width = c.width;
        g.Height = c.height;
        g.WrapControls = c.wrap;
        g.Designing = c.designing;
        const TFcToolbarLayoutResult r = LayoutToolbar(g, list);
        EXPECT_EQ(r.Rows, c.rows);
        EXPECT_EQ(r.Width, c.newWidth);
        EXPECT_EQ(r.Height, c.newHeight);
        for (int i = 0; i < c.count; ++i) {
            if (i == c.hidden && !c.designing)
                continue;
            EXPECT_EQ(list[i].Left, c.places[static_cast<size_t>(i)].first) << i;
            EXPECT_EQ(list[i].Top, c.places[static_cast<size_t>(i)].second) << i;
        }
    }
}

TEST(ToolbarLayout, RightToLeftControlsRunFromTheRightEdge)
{
    TFcToolbarControlList list = Buttons(2);
    list[0].RightToLeft = list[1].RightToLeft = true;
    TFcToolbarGeometry g;
    g.Width = 100;
    LayoutToolbar(g, list);
    EXPECT_EQ(list[0].Left, 100 - 25 - 4);
    EXPECT_EQ(list[1].Left, 100 - 25 - 29);
    // A smaller control is centred in its row.
    TFcToolbarControlList small = Buttons(1, 8, 11);
    LayoutToolbar(g, small);
    EXPECT_EQ(small[0].Top, 2 + 12 - 5);
}

TEST(ToolbarLayout, TextOptionPresets)
{
    struct Case {
        TFcToolbarTextOptions option;
        TOrientation orientation;
        TFcTextOptionPreset preset;
    };
    const Case cases[] = {
        {ttoNoTextLabels, orHorizontal, {blGlyphLeft, 25, 25, false, 25}},
        {ttoNoTextLabels, orVertical, {blGlyphLeft, 25, 25, false, 25}},
        {ttoShowTextLabels, orHorizontal, {blGlyphTop, 60, 40, true, 40}},
        {ttoShowTextLabels, orVertical, {blGlyphTop, 60, 40, true, 60}},
        {ttoSelectiveTextOnRight, orHorizontal, {blGlyphLeft, 60, 25, true, 25}},
        {ttoSelectiveTextOnRight, orVertical, {blGlyphLeft, 60, 25, true, 60}},
    };
    for (const Case& c : cases) {
        TFcTextOptionPreset p;
        ASSERT_TRUE(TextOptionPreset(c.option, c.orientation, p));
        EXPECT_EQ(p.Layout, c.preset.Layout) << c.option;
        EXPECT_EQ(p.ButtonWidth, c.preset.ButtonWidth) << c.option;
        EXPECT_EQ(p.ButtonHeight, c.preset.ButtonHeight) << c.option;
        EXPECT_EQ(p.ShowCaptions, c.preset.ShowCaptions) << c.option;
        EXPECT_EQ(p.RowHeight, c.preset.RowHeight) << c.option << " " << c.orientation;
    }
    TFcTextOptionPreset untouched;
    untouched.ButtonWidth = 33;
    EXPECT_FALSE(TextOptionPreset(ttoCustom, orHorizontal, untouched));
    EXPECT_EQ(untouched.ButtonWidth, 33);
    EXPECT_EQ(SpeedButtonLayout(true, 40), blGlyphTop);
    EXPECT_EQ(SpeedButtonLayout(true, 30), blGlyphLeft);
    EXPECT_EQ(SpeedButtonLayout(false, 40), blGlyphLeft);
}

TEST(ToolbarControlList, NamesWithoutRegardToCase)
{
    TFcToolbarControlList list;
    EXPECT_EQ(list.AddControlName("Open"), 0);
    EXPECT_EQ(list.AddControlName("Save"), 1);
    EXPECT_EQ(list.AddControlName("OPEN"), 0);
    EXPECT_EQ(list.IndexOfName("save"), 1);
    EXPECT_EQ(list.IndexOfName("Print"), -1);
    list.Move(1, 0);
    EXPECT_EQ(list[0].Name, "Save");
    list.Move(0, 5);  // out of range: nothing
    EXPECT_EQ(list[0].Name, "Save");
    list.RemoveControlName("SAVE");
    EXPECT_EQ(list.Count(), 1);
    list.RemoveControlName("missing");
    EXPECT_EQ(list.Count(), 1);
}

struct LayoutStore : ::testing::Test {
    QTemporaryDir dir;
    TFcRegIniFile store;
    LayoutStore() { store.SetPath(dir.filePath("toolbar.ini")); }
};

TEST_F(LayoutStore, RoundTripKeepsOrderHiddenControlsAndTextOptions)
{
    TFcToolbarControlList list = Buttons(4);
    list.Move(3, 0);
    list[2].Visible = false;
    SaveToolbarLayout(&store, "Toolbar1", ttoShowTextLabels, list);
    EXPECT_EQ(store.ReadString("Toolbar1", "Control2", ""), "##Button2");
    EXPECT_EQ(store.ReadInteger("Toolbar1", "Count", 0), 4);

    TFcToolbarControlList restored = Buttons(4);
    EXPECT_EQ(RestoreToolbarLayout(&store, "Toolbar1", restored), ttoShowTextLabels);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(restored[i].Name, list[i].Name) << i;
        EXPECT_EQ(restored[i].Visible, list[i].Visible) << i;
    }
}

TEST_F(LayoutStore, OtherCountKeepsOrderButAppliesTextOptionsAndUnknownNamesAreSkipped)
{
    TFcToolbarControlList three = Buttons(3);
    three.Move(2, 0);
    SaveToolbarLayout(&store, "T", ttoSelectiveTextOnRight, three);
    TFcToolbarControlList four = Buttons(4);
    EXPECT_EQ(RestoreToolbarLayout(&store, "T", four), ttoSelectiveTextOnRight);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(four[i].Name, QStringLiteral("Button%1").arg(i + 1));

    // Same count, one saved name renamed since: the others still go in order.
    TFcToolbarControlList renamed = Buttons(3);
    renamed[1].Name = "Print";
    EXPECT_EQ(RestoreToolbarLayout(&store, "T", renamed), ttoSelectiveTextOnRight);
    EXPECT_EQ(renamed[0].Name, "Button3");
    EXPECT_EQ(renamed[1].Name, "Button1");
    EXPECT_EQ(renamed[2].Name, "Print");
    EXPECT_EQ(RestoreToolbarLayout(&store, "Nothing", renamed), -1);
}

TEST(LayoutStoreMissing, RefusedWithAClearMessage)
{
    TFcToolbarControlList list = Buttons(1);
    try {
        SaveToolbarLayout(nullptr, "T", ttoCustom, list);
        FAIL() << "no error";
    } catch (const EFcError& e) {
        EXPECT_STREQ(e.what(), "No TFcRegIniFile component specified");
    }
    EXPECT_THROW(RestoreToolbarLayout(nullptr, "T", list), EFcError);
    EXPECT_EQ(list[0].Name, "Button1");
}

}  // namespace
}  // namespace tw::controls
