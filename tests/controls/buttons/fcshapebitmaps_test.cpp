// The shape button's pictures: the rings that follow the outline, their
// colours in each state, the border ring and the shape mask.

#include "controls/buttons/fcshapebitmaps.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tw::controls {
namespace {

using Rows = std::vector<std::string>;

constexpr QRgb kOutside = qRgb(255, 255, 255);
constexpr QRgb kShape = qRgb(0, 0, 255);

// A 9 by 9 white bitmap (its bottom-left pixel white) with a 3 by 3 square.
QImage Square()
{
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(kOutside);
    for (int y = 3; y < 6; ++y)
        for (int x = 3; x < 6; ++x)
            image.setPixel(x, y, kShape);
    return image;
}

Rows Picture(const QImage& image)
{
    const std::map<QRgb, char> legend = {
        {kOutside, '.'}, {kShape, 'o'},        {qRgb(128, 128, 128), 'S'}, {qRgb(0, 0, 0), 'K'},
        {qRgb(255, 0, 0), 'H'}, {qRgb(0, 128, 0), 'B'},
    };
    Rows rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const auto it = legend.find(image.pixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// Highlight red, shadow grey, border black, so the rings can be told apart.
TShapeBevel Bevel(int width, bool border)
{
    return {width, border, RGB(255, 0, 0), RGB(128, 128, 128), RGB(0, 0, 0)};
}

TEST(ShapeBitmaps, RingsFollowTheOutlineForEachWidthStateAndBorder)
{
    struct Case {
        const char* name;
        int width;
        bool border;
        bool down;
        Rows expected;
    };
    // The lower-right side goes first and its diagonal offsets reach round the
    // top-right and bottom-left corners, so the shadow takes those ends.
    const Case cases[] = {
        {"no rings", 0, false, false,
         {".........", ".........", ".........", "...ooo...", "...ooo...", "...ooo...", ".........", ".........",
          "........."}},
        {"one ring up", 1, false, false,
         {".........", ".........", "..HHSSS..", "..HoooS..", "..SoooS..", "..SoooS..", "..SSSSS..", ".........",
          "........."}},
        // Down: the lit side takes the shadow, the last lower-right side is left out.
        {"one ring down", 1, false, true,
         {".........", ".........", "..SSSS...", "..Sooo...", "..Sooo...", "..Sooo...", ".........", ".........",
          "........."}},
        {"ring and border up", 1, true, false,
         {".........", ".KKKKKKK.", ".KHHSSSK.", ".KHoooSK.", ".KSoooSK.", ".KSoooSK.", ".KSSSSSK.", ".KKKKKKK.",
          "........."}},
        {"ring and border down", 1, true, true,
         {".........", ".KKKKKK..", ".KSSHHH..", ".KSoooH..", ".KHoooH..", ".KHoooH..", ".KHHHHH..", ".........",
          "........."}},
        {"two rings up", 2, false, false,
         {".........", ".HHHHSSS.", ".HHHSSSS.", ".HHoooSS.", ".HSoooSS.", ".SSoooSS.", ".SSSSSSS.", ".SSSSSSS.",
          "........."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Picture(Create3DBitmap(Square(), c.down, Bevel(c.width, c.border))), c.expected);
    }
}

TEST(ShapeBitmaps, AHighlightEqualToTheTransparentColourIsDrawnDarker)
{
    TShapeBevel bevel = Bevel(1, false);
    bevel.HighlightColor = RGB(255, 255, 255);
    const TColor lit = ShapeBevelColor(bevel, false, true, RGB(255, 255, 255));
    EXPECT_NE(ColorToRGB(lit), RGB(255, 255, 255));
    EXPECT_EQ(ShapeBevelColor(bevel, false, false, RGB(255, 255, 255)), bevel.ShadowColor);
    // Still visible in the picture: the lit ring is not lost in the outside.
    const QImage up = Create3DBitmap(Square(), false, bevel);
    EXPECT_NE(up.pixel(2, 3), kOutside);
    EXPECT_EQ(ShapeTransparentColor(Square()), RGB(255, 255, 255));
}

TEST(ShapeBitmaps, MaskIsBlackExactlyWhereTheShapeIs)
{
    const QImage mask = CreateShapeMask(Square());
    ASSERT_EQ(mask.size(), QSize(9, 9));
    int inside = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            inside += mask.pixelIndex(x, y) == 1;
    EXPECT_EQ(inside, 9);
    EXPECT_EQ(mask.pixelIndex(4, 4), 1);
    EXPECT_EQ(mask.color(1), qRgb(0, 0, 0));
    EXPECT_EQ(mask.pixelIndex(2, 2), 0);
    EXPECT_TRUE(CreateShapeMask(QImage()).isNull());
}

}  // namespace
}  // namespace tw::controls
