// The window-free half of the bitmap button: the stock kinds, their glyphs,
// the glyph-cell rule and the caption and image layout.

#include "controls/buttons/fcbuttonkinds.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tw::controls {
namespace {

TEST(ButtonKinds, StockTableGivesKeysResultsAndCaptions)
{
    struct Case {
        TBitBtnKind kind;
        bool isDefault;
        bool isCancel;
        int result;
        const char* caption;
    };
    const Case cases[] = {
        {bkCustom, false, false, 0, ""},      {bkOK, true, false, 1, "OK"},
        {bkCancel, false, true, 2, "Cancel"}, {bkHelp, false, false, 0, "&Help"},
        {bkYes, true, false, 6, "&Yes"},      {bkNo, false, true, 7, "&No"},
        {bkClose, false, false, 0, "&Close"}, {bkAbort, false, false, 3, "Abort"},
        {bkRetry, false, false, 4, "&Retry"}, {bkIgnore, false, false, 5, "&Ignore"},
        {bkAll, false, false, 8, "&All"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(KindDefault(c.kind), c.isDefault);
        EXPECT_EQ(KindCancel(c.kind), c.isCancel);
        EXPECT_EQ(KindModalResult(c.kind), c.result);
        EXPECT_EQ(StockCaption(c.kind).toStdString(), c.caption);
    }
}

TEST(ButtonKinds, EveryStockGlyphIsTwoCellsOverItsOwnTransparentColour)
{
    EXPECT_TRUE(GetBitBtnGlyph(bkCustom).isNull());
    std::set<std::vector<QRgb>> firstCells;
    for (int k = bkOK; k <= bkAll; ++k) {
        SCOPED_TRACE(k);
        const QImage& glyph = GetBitBtnGlyph(static_cast<TBitBtnKind>(k));
        ASSERT_EQ(glyph.size(), QSize(32, 16));
        EXPECT_EQ(&glyph, &GetBitBtnGlyph(static_cast<TBitBtnKind>(k)));  // made once, shared
        const QRgb transparent = glyph.pixel(0, 15);
        EXPECT_EQ(glyph.pixel(16, 15), transparent);
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                drawn += glyph.pixel(x, y) != transparent;
                const QRgb disabled = glyph.pixel(16 + x, y);
                // The disabled cell is etched: grey and white only.
                EXPECT_TRUE(disabled == transparent || disabled == qRgb(128, 128, 128)
                            || disabled == qRgb(255, 255, 255));
            }
        }
        EXPECT_GT(drawn, 20);
        std::vector<QRgb> cell;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                cell.push_back(glyph.pixel(x, y));
        firstCells.insert(cell);
    }
    EXPECT_EQ(firstCells.size(), 10u);  // no two kinds share a picture
}

TEST(ButtonKinds, GlyphCellCountFollowsWholeMultiplesUpToFour)
{
    struct Case {
        int width;
        int height;
        int expected;
    };
    const Case cases[] = {{64, 16, 4}, {80, 16, 1}, {30, 16, 3}, {32, 16, 2}, {16, 16, 1}, {48, 16, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(GlyphCellCount(QImage(c.width, c.height, QImage::Format_RGB32), 3), c.expected);
    }
    EXPECT_EQ(GlyphCellCount(QImage(), 2), 2);
}

TEST(ButtonKinds, FaceLayoutForEachSideAndMargin)
{
    // A 200 by 30 button: caption rectangle inset by 5, a 16 by 16 image,
    // Spacing 4, a caption 13 pixels high.
    const TRect r{5, 5, 195, 25};
    struct Case {
        const char* name;
        TButtonLayout layout;
        int margin;
        TRect caption;
        TRect image;
    };
    const Case cases[] = {
        {"left", blGlyphLeft, 2, {27, 5, 195, 25}, {7, 7, 23, 23}},
        {"right", blGlyphRight, 2, {5, 5, 173, 25}, {177, 7, 193, 23}},
        {"top", blGlyphTop, 2, {5, 27, 195, 25}, {92, 7, 108, 23}},
        {"bottom", blGlyphBottom, 2, {5, 5, 195, 3}, {92, 7, 108, 23}},
        // Margin -1: d = (30 - (16 + 13 + 4)) div 2 = -1, rounded toward zero.
        {"left centred", blGlyphLeft, -1, {24, 5, 195, 25}, {5, 7, 21, 23}},
        {"right centred", blGlyphRight, -1, {5, 5, 176, 25}, {179, 7, 195, 23}},
        // The top image is placed from the button's own top edge.
        {"top centred", blGlyphTop, -1, {5, 20, 195, 33}, {92, -1, 108, 15}},
        {"bottom centred", blGlyphBottom, -1, {5, 4, 195, 17}, {92, 17, 108, 33}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TButtonFaceLayout face = LayoutButtonFace(r, c.layout, c.margin, 4, 16, 16, true, 13, 30);
        EXPECT_EQ(face.Caption, c.caption);
        EXPECT_EQ(face.Image, c.image);
    }
    // Without an image the caption keeps the whole rectangle.
    EXPECT_EQ(LayoutButtonFace(r, blGlyphTop, -1, 4, 0, 0, false, 13, 30).Caption, r);
}

}  // namespace
}  // namespace tw::controls
