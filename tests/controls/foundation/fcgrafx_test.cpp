// Pixel tests of the bitmap, gradient and trapezoid routines.

#include "drawfixture.h"

#include "controls/foundation/fcgrafx.h"

namespace tw::controls {
namespace {

using testing::DrawFixture;
using testing::kBack;
using testing::Rows;

using Bitmaps = DrawFixture;

// A bitmap from rows of characters: legend colours, '.' = kBack.
QImage FromArt(const Rows& rows, const std::map<char, TColor>& legend)
{
    QImage image = MakeBitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), kBack);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rows[y][x] != '.')
                image.setPixel(x, y, ToRgb32(legend.at(rows[y][x])));
    return image;
}

const std::map<char, TColor> kLegend = {
    {'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}, {'k', clBlack}, {'w', clWhite}, {'t', RGB(0, 128, 128)}};

TEST_F(Bitmaps, TransparentColourLeavesTheCanvas)
{
    const QImage glyph = FromArt({"tr", "gt"}, kLegend);
    Make(4, 2);
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 4, 2});
    DrawTransparentBitmap(*canvas, glyph, {0, 0, 2, 2}, {0, 0, 2, 2}, RGB(0, 128, 128));
    DrawFullTransparentBitmap(*canvas, glyph, {2, 0, 4, 2}, {0, 0, 2, 2}, RGB(0, 128, 128));
    EXPECT_EQ(Art(kLegend), (Rows{"wrwr", "gwgw"}));

    // Black as the transparent colour: black pixels' places stay as they were.
    const QImage dark = FromArt({"kr", "gk"}, kLegend);
    Make(2, 2);
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 2, 2});
    DrawTransparentBitmap(*canvas, dark, {0, 0, 2, 2}, {0, 0, 2, 2}, clBlack);
    EXPECT_EQ(Art(kLegend), (Rows{"wr", "gw"}));
}

TEST_F(Bitmaps, StretchedTransparentDrawing)
{
    const QImage glyph = FromArt({"tr"}, kLegend);
    Make(4, 2);
    StretchTransparentBitmap(*canvas, glyph, {0, 0, 4, 2}, RGB(0, 128, 128));
    EXPECT_EQ(Art(kLegend), (Rows{"..rr", "..rr"}));
}

TEST_F(Bitmaps, TilesAreCutAtTheRectangle)
{
    const QImage tile = FromArt({"rg", "kw"}, kLegend);
    Make(5, 3);
    TileBitmap(*canvas, tile, {0, 0, 5, 3});
    EXPECT_EQ(Art(kLegend), (Rows{"rgrgr", "kwkwk", "rgrgr"}));
    Make(3, 3);
    TileBitmap(*canvas, FromArt({"rgk", "rgk", "rgk"}, kLegend), {1, 1, 3, 2});  // one cut tile
    EXPECT_EQ(Art(kLegend), (Rows{"...", ".rg", "..."}));
    Make(4, 3);
    TileTransparentBitmap(*canvas, FromArt({"rt"}, kLegend), {0, 0, 3, 2}, RGB(0, 128, 128));
    EXPECT_EQ(Art(kLegend), (Rows{"r.r.", "r.r.", "...."}));
}

TEST_F(Bitmaps, RealizedTilesLineUpWithTheOrigin)
{
    const QImage tile = FromArt({"rg", "kw"}, kLegend);
    Make(5, 3);
    TileRealizedBitmap(*canvas, tile, {0, 0, 2, 3});
    TileRealizedBitmap(*canvas, tile, {2, 0, 5, 1});
    TileRealizedBitmap(*canvas, tile, {3, 1, 5, 3});  // starts inside a tile
    EXPECT_EQ(Art(kLegend), (Rows{"rgrgr", "kw.wk", "rg.gr"}));
}

TEST_F(Bitmaps, CentreStretchAndFlip)
{
    Make(5, 5);
    CenterBitmap(*canvas, FromArt({"rg", "kw"}, kLegend), {0, 0, 5, 5});
    EXPECT_EQ(Art(kLegend), (Rows{".....", ".rg..", ".kw..", ".....", "....."}));
    Make(3, 3);
    CenterBitmap(*canvas, FromArt({"rgkrg", "rgkrg", "rgkrg", "rgkrg", "rgkrg"}, kLegend), {1, 1, 2, 2});
    EXPECT_EQ(Art(kLegend), (Rows{"...", ".k.", "..."}));
    Make(4, 2);
    StretchBitmap(*canvas, FromArt({"rg"}, kLegend), {0, 0, 4, 2});
    EXPECT_EQ(Art(kLegend), (Rows{"rrgg", "rrgg"}));

    QImage bitmap = FromArt({"rg", "kw", "tt"}, kLegend);
    const QImage original = bitmap;
    FlipBitmap(bitmap);
    EXPECT_EQ(bitmap, FromArt({"tt", "kw", "rg"}, kLegend));
    FlipBitmap(bitmap);
    EXPECT_EQ(bitmap, original);
}

using Gradients = DrawFixture;

TEST_F(Gradients, BandsMergeBySmoothness)
{
    const auto fine = GradientBands(RGB(0, 0, 0), RGB(255, 0, 0), 256, 0);
    EXPECT_EQ(fine.front(), RGB(0, 0, 0));
    EXPECT_EQ(fine[128], RGB(127, 0, 0));  // 16.16 steps of 255/256
    for (size_t i = 1; i < fine.size(); ++i)
        EXPECT_GE(GetRValue(fine[i]), GetRValue(fine[i - 1]));
    const auto coarse = GradientBands(RGB(0, 0, 0), RGB(255, 0, 0), 256, 7);
    // Bands of at least eight positions, each in the colour it started with.
    int run = 1;
    for (size_t i = 1; i < coarse.size(); ++i) {
        if (coarse[i] == coarse[i - 1]) {
            ++run;
        } else {
            EXPECT_GE(run, 8) << i;
            EXPECT_EQ(coarse[i], fine[i]);
            run = 1;
        }
    }
}

TEST_F(Gradients, DirectionsPutTheColoursWhereTheyBelong)
{
    const TColor start = RGB(0, 0, 255), stop = RGB(255, 255, 255);
    const auto blue = [](TColor c) { return GetRValue(c); };  // 0 at start, 255 at stop
    Make(40, 20);
    PaintGradient(*canvas, {0, 0, 40, 20}, gdVerticalEnd, start, stop, 1);
    EXPECT_EQ(At(0, 10), start);
    EXPECT_GT(blue(At(39, 10)), 240);
    EXPECT_EQ(At(20, 0), At(20, 19));  // vertical bands
    EXPECT_LT(blue(At(10, 5)), blue(At(30, 5)));

    PaintGradient(*canvas, {0, 0, 40, 20}, gdHorizontalEnd, start, stop, 1);
    EXPECT_LT(blue(At(5, 0)), 15);  // the pass runs from the bottom row up ...
    EXPECT_EQ(At(5, 19), stop);     // ... starting with the stop colour
    EXPECT_EQ(At(0, 7), At(39, 7));

    PaintGradient(*canvas, {0, 0, 40, 20}, gdHorizontalCenter, start, stop, 1);
    EXPECT_EQ(At(3, 0), start);
    EXPECT_EQ(At(3, 19), start);
    EXPECT_EQ(At(3, 4), At(3, 15));
    EXPECT_GT(blue(At(3, 10)), blue(At(3, 2)));

    PaintGradient(*canvas, {0, 0, 40, 20}, gdVerticalCenter, start, stop, 1);
    EXPECT_EQ(At(0, 3), start);
    EXPECT_EQ(At(39, 3), start);
    EXPECT_EQ(At(5, 3), At(34, 3));

    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        PaintGradient(*canvas, {0, 0, 40, 20}, d, start, stop, 1);
        EXPECT_EQ(At(0, 0), start) << d;
        EXPECT_EQ(At(39, 19), At(0, 0)) << d;
        EXPECT_EQ(At(5, 3), At(34, 16)) << d;  // mirrored into every quarter
        EXPECT_GT(blue(At(19, 9)), blue(At(2, 2))) << d;
    }

    PaintGradient(*canvas, {0, 0, 40, 20}, gdDiagonalDown, start, stop, 1);
    EXPECT_EQ(At(0, 0), start);
    EXPECT_EQ(At(10, 5), At(5, 10));
    PaintGradient(*canvas, {0, 0, 40, 20}, gdDiagonalUp, start, stop, 1);
    EXPECT_EQ(At(0, 19), start);
    EXPECT_GT(blue(At(39, 0)), 240);
    PaintGradient(*canvas, {0, 0, 40, 20}, gdDiagonalUp, start, start, 1);
    EXPECT_EQ(At(20, 10), start);
}

TEST_F(Gradients, PaintedAtTheRectangleOnly)
{
    Make(10, 10);
    PaintGradient(*canvas, {2, 3, 6, 8}, gdVerticalEnd, clBlack, clWhite, 1);
    EXPECT_EQ(At(1, 5), kBack);
    EXPECT_EQ(At(6, 5), kBack);
    EXPECT_EQ(At(2, 3), clBlack);
    EXPECT_EQ(At(2, 8), kBack);
}

using Trapezoids = DrawFixture;

TEST_F(Trapezoids, CornersByShapeAndDirection)
{
    const TRect r{10, 20, 50, 30};
    struct Case {
        TTrapShape shape;
        TDirection dir;
        TTrapDirect td;
        TTrap expected;
    };
    const Case cases[] = {
        {tsCenter, dirUp, tdLargeToSmall, {{{20, 20}, {40, 20}, {50, 30}, {10, 30}}}},
        {tsLeft, dirUp, tdLargeToSmall, {{{10, 20}, {30, 20}, {50, 30}, {10, 30}}}},
        {tsRight, dirDown, tdLargeToSmall, {{{10, 20}, {50, 20}, {50, 30}, {30, 30}}}},
        {tsCenter, dirDown, tdSmallToLarge, {{{20, 20}, {40, 20}, {50, 30}, {10, 30}}}},
    };
    for (const Case& c : cases) {
        TTrap t;
        SetTrapezoid(t, r, 20, c.shape, c.dir, c.td);
        EXPECT_EQ(t, c.expected) << c.shape << "/" << c.dir << "/" << c.td;
    }
    const TRect side{0, 0, 10, 40};
    TTrap t;
    SetTrapezoid(t, side, 20, tsCenter, dirLeft, tdLargeToSmall);  // short edge on the left
    EXPECT_EQ(t, (TTrap{{{0, 10}, {10, 0}, {10, 40}, {0, 30}}}));
    SetTrapezoid(t, side, 20, tsCenter, dirLeft, tdSmallToLarge);
    EXPECT_EQ(t, (TTrap{{{0, 0}, {10, 10}, {10, 30}, {0, 40}}}));
    // A short length over the rectangle's is the whole rectangle.
    SetTrapezoid(t, r, 500, tsCenter, dirUp, tdLargeToSmall);
    EXPECT_EQ(t, (TTrap{{{10, 20}, {50, 20}, {50, 30}, {10, 30}}}));
}

TEST_F(Trapezoids, InflateAndAdjust)
{
    TTrap t{{{20, 20}, {40, 20}, {50, 30}, {10, 30}}};
    InflateTrapezoid(t, -2);
    EXPECT_EQ(t, (TTrap{{{22, 22}, {38, 22}, {48, 28}, {12, 28}}}));
    InflateTrapezoid(t, 2);
    EXPECT_EQ(t, (TTrap{{{20, 20}, {40, 20}, {50, 30}, {10, 30}}}));
    // Moving the corners along the slanted edges onto other edge lines.
    TTrap adjusted;
    AdjustTrapezoid(t, {0, 25, 100, 30}, dirUp, adjusted);
    EXPECT_EQ(adjusted, (TTrap{{{15, 25}, {45, 25}, {50, 30}, {10, 30}}}));
}

TEST_F(Trapezoids, BorderRings)
{
    Make(8, 5);
    const TTrap t{{{0, 0}, {8, 0}, {8, 5}, {0, 5}}};
    DrawTrapezoidBorder(*canvas, t, bsRaised, 1);
    EXPECT_EQ(Art({{'S', clBtnShadow}, {'H', clBtnHighlight}}),
              (Rows{"HHHHHHHS", "H......S", "H......S", "H......S", "HSSSSSSS"}));
    Make(8, 5);
    DrawTrapezoidBorder(*canvas, t, bsLowered, 0);
    EXPECT_EQ(Art({}), Rows(5, "........"));
    EXPECT_EQ(canvas->Pen.Color, clBlack);
}

}  // namespace
}  // namespace tw::controls
