// The canvas's own pixel rules, on which every drawing routine counts.

#include "drawfixture.h"

#include "controls/foundation/fctextmetrics.h"

namespace tw::controls {
namespace {

using testing::DrawFixture;
using testing::kBack;
using testing::Rows;

using Canvas = DrawFixture;

TEST_F(Canvas, LinesLeaveOutTheirEndPoint)
{
    Make(6, 5);
    canvas->Pen.Color = clBlack;
    canvas->MoveTo(0, 0);
    canvas->LineTo(5, 0);  // x 0..4
    canvas->MoveTo(0, 1);
    canvas->LineTo(0, 4);  // y 1..3
    canvas->MoveTo(1, 1);
    canvas->LineTo(4, 4);  // (1,1) (2,2) (3,3)
    EXPECT_EQ(canvas->PenPos(), (TPoint{4, 4}));
    EXPECT_EQ(Art({{'#', clBlack}}), (Rows{"#####.", "##....", "#.#...", "#..#..", "......"}));
}

TEST_F(Canvas, StraightLinesOutsideTheImageDrawNothing)
{
    // Lines that start beyond either edge (a scrolled display cuts its cells
    // this way) once wrote past the end of the row.
    Make(6, 3);
    canvas->Pen.Color = clBlack;
    const struct { int x0, y0, x1, y1; } lines[] = {
        {9, 1, 20, 1},   // wholly right, left to right
        {20, 1, 9, 1},   // wholly right, right to left
        {-9, 1, -2, 1},  // wholly left
        {4, 1, 40, 1},   // into the right edge
        {7, 0, 7, 3},    // a column right of the image
    };
    for (const auto& l : lines) {
        canvas->MoveTo(l.x0, l.y0);
        canvas->LineTo(l.x1, l.y1);
    }
    EXPECT_EQ(Art({{'#', clBlack}}), (Rows{"......", "....##", "......"}));
}

TEST_F(Canvas, RectangleWithAndWithoutPen)
{
    Make(7, 6);
    canvas->Pen.Color = clBlack;
    canvas->Brush.Color = clWhite;
    canvas->Rectangle(0, 0, 4, 4);
    canvas->Pen.Style = TPenStyle::Clear;
    canvas->Brush.Color = RGB(0, 0, 255);
    canvas->Rectangle(4, 2, 7, 6);  // a clear pen fills one less each way
    EXPECT_EQ(Art({{'#', clBlack}, {'w', clWhite}, {'b', RGB(0, 0, 255)}}),
              (Rows{"####...", "#ww#...", "#ww#bb.", "####bb.", "....bb.", "......."}));
}

TEST_F(Canvas, PolygonFillLeavesOutRightAndBottomEdges)
{
    Make(6, 6);
    canvas->Pen.Style = TPenStyle::Clear;
    canvas->Brush.Color = clBlack;
    canvas->Polygon({{1, 1}, {5, 1}, {5, 5}, {1, 5}});
    EXPECT_EQ(Art({{'#', clBlack}}), (Rows{"......", ".####.", ".####.", ".####.", ".####.", "......"}));
    // With a pen the outline passes through every vertex.
    Make(6, 6);
    canvas->Brush.Style = TBrushStyle::Clear;
    canvas->Pen.Color = clBlack;
    canvas->Polygon({{0, 0}, {4, 0}, {4, 4}});
    EXPECT_EQ(Art({{'#', clBlack}}), (Rows{"#####.", ".#..#.", "..#.#.", "...##.", "....#.", "......"}));
}

TEST_F(Canvas, PatternBrushAndBackgroundMode)
{
    Make(8, 2);
    canvas->Brush.Style = TBrushStyle::Pattern;
    canvas->Brush.Color = clBlack;
    canvas->Brush.PatternBackground = clWhite;
    for (int i = 0; i < 8; ++i)
        canvas->Brush.Pattern[i] = i % 2 ? 0x55 : 0xAA;
    canvas->FillRect({0, 0, 8, 1});
    canvas->BkMode = TBkMode::Transparent;
    canvas->FillRect({0, 1, 8, 2});
    EXPECT_EQ(Art({{'#', clBlack}, {'w', clWhite}}), (Rows{"#w#w#w#w", ".#.#.#.#"}));
}

TEST_F(Canvas, PixelsClipAndState)
{
    Make(5, 3);
    canvas->SetPixel(0, 0, RGB(1, 2, 3));
    EXPECT_EQ(At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(canvas->Pixel(9, 9), clNone);
    canvas->SetPixel(9, 9, clBlack);  // outside: ignored

    canvas->Pen.Color = clBlack;
    canvas->SaveState();
    canvas->IntersectClipRect({1, 0, 4, 3});
    canvas->ExcludeClipRect({2, 1, 3, 2});
    canvas->Pen.Color = clWhite;
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 5, 3});
    canvas->RestoreState();
    EXPECT_EQ(canvas->Pen.Color, clBlack);
    EXPECT_FALSE(canvas->ClipRegion().has_value());
    canvas->MoveTo(0, 2);
    canvas->LineTo(5, 2);
    EXPECT_EQ(Art({{'#', clBlack}, {'w', clWhite}}), (Rows{"?www.", ".w.w.", "#####"}));
}

TEST_F(Canvas, RasterOperations)
{
    Make(4, 1);
    canvas->Pen.Mode = TPenMode::Xor;
    canvas->Pen.Color = RGB(255, 255, 0);
    canvas->MoveTo(0, 0);
    canvas->LineTo(2, 0);
    EXPECT_EQ(At(0, 0), RGB(0, 255, 255));
    canvas->MoveTo(0, 0);
    canvas->LineTo(2, 0);  // xor twice: back as it was
    EXPECT_EQ(At(0, 0), kBack);

    QImage mask = MakeBitmap(4, 1, clBlack);
    mask.setPixel(1, 0, 0xFFFFFFFF);
    QImage paint = MakeBitmap(4, 1, clBlack);
    paint.setPixel(0, 0, ToRgb32(RGB(0, 128, 0)));
    canvas->CopyMode = TCopyMode::SrcAnd;
    canvas->Draw(0, 0, mask);
    canvas->CopyMode = TCopyMode::SrcPaint;
    canvas->Draw(0, 0, paint);
    EXPECT_EQ(At(0, 0), RGB(0, 128, 0));
    EXPECT_EQ(At(1, 0), kBack);
    EXPECT_EQ(At(2, 0), clBlack);
}

TEST_F(Canvas, TextLayoutWithFixedMetrics)
{
    const TFcFixedMeasure fixed(6, 13, 10);
    SetTextMeasure(&fixed);
    Make(10, 10);
    TRect r{10, 20, 70, 100};
    EXPECT_EQ(canvas->DrawText(QStringLiteral("Save && &close"), r, DT_CALCRECT | DT_SINGLELINE), 13);
    EXPECT_EQ(r, (TRect{10, 20, 10 + 6 * 12, 33}));  // "Save & close"
    r = {0, 0, 60, 100};
    // "one two" / "three four": ten characters fill the 60 pixels exactly.
    EXPECT_EQ(canvas->DrawText(QStringLiteral("one two three four"), r, DT_CALCRECT | DT_WORDBREAK), 26);
    EXPECT_EQ(r, (TRect{0, 0, 60, 26}));
    EXPECT_EQ(GetMinFontHeight(canvas->Font), 15);
    EXPECT_EQ(GetAvgCharWidth(canvas->Font), 6);
    SetTextMeasure(nullptr);
}

// Where the ink of a text lies.
TRect InkBox(const TFcCanvas& canvas, TColor ink)
{
    TRect box{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) == ink) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

TEST_F(Canvas, TextAlignmentFlagsPlaceTheInk)
{
    Make(200, 40);
    canvas->BkMode = TBkMode::Transparent;
    canvas->FontColor = clBlack;
    struct Case {
        unsigned flags;
        int minLeft, maxRight;
    };
    const Case cases[] = {
        {DT_LEFT, 10, 100},
        {DT_RIGHT, 100, 190},
        {DT_CENTER, 50, 150},
    };
    for (const Case& c : cases) {
        canvas->Brush.Color = kBack;
        canvas->FillRect({0, 0, 200, 40});
        TRect r{10, 0, 190, 40};
        canvas->DrawText(QStringLiteral("Mm"), r, c.flags | DT_SINGLELINE | DT_VCENTER);
        const TRect ink = InkBox(*canvas, clBlack);
        EXPECT_GE(ink.Left, c.minLeft) << c.flags;
        EXPECT_LE(ink.Right, c.maxRight) << c.flags;
        EXPECT_GT(ink.Top, 5) << "vertically centred";
        EXPECT_LT(ink.Bottom, 35);
    }
    // Clipped to its rectangle.
    canvas->Brush.Color = kBack;
    canvas->FillRect({0, 0, 200, 40});
    TRect narrow{0, 0, 4, 40};
    canvas->DrawText(QStringLiteral("WWWW"), narrow, DT_SINGLELINE);
    EXPECT_LE(InkBox(*canvas, clBlack).Right, 4);
}

TEST_F(Canvas, AccessKeyIsUnderlined)
{
    const TFcFixedMeasure fixed(6, 13, 10);
    SetTextMeasure(&fixed);
    Make(60, 20);
    canvas->BkMode = TBkMode::Transparent;
    canvas->FontColor = RGB(0, 0, 200);
    TRect r{0, 0, 60, 20};
    canvas->DrawText(QStringLiteral("Save && &close"), r, DT_SINGLELINE);  // "Save & close", c at 7
    SetTextMeasure(nullptr);
    // The line under the "c" only: one pixel below the baseline, six wide.
    for (int x = 40; x < 50; ++x)
        EXPECT_EQ(At(x, 11) == RGB(0, 0, 200), x >= 42 && x < 48) << x;
    Make(60, 20);
    canvas->FontColor = RGB(0, 0, 200);
    r = {0, 0, 60, 20};
    canvas->DrawText(QStringLiteral("&close"), r, DT_SINGLELINE | DT_NOPREFIX);  // shown as it stands
    const TRect ink = InkBox(*canvas, RGB(0, 0, 200));
    EXPECT_GT(ink.Right - ink.Left, 24);
}

TEST_F(Canvas, ClassicFacesMapToInstalledOnesAndTextTurns)
{
    EXPECT_EQ(MapFontFamily(QStringLiteral("MS Sans Serif")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(MapFontFamily(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(MapFontFamily(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(MapFontFamily(QStringLiteral("DejaVu Serif")), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(MakeFont(QStringLiteral("MS Sans Serif"), 8).pixelSize(), 11);  // 8 points at 96 dpi
    EXPECT_TRUE(MakeFont(QStringLiteral("Arial"), 10, true).bold());

    Make(120, 120);
    canvas->BkMode = TBkMode::Transparent;
    canvas->FontColor = clBlack;
    const TRotatedFont turned = RotateFont(canvas->Font, 90);
    canvas->Font = turned.font;
    canvas->FontAngle = turned.angle;
    canvas->TextOut(60, 110, QStringLiteral("Turned caption"));
    const TRect ink = InkBox(*canvas, clBlack);
    EXPECT_GT(ink.Height(), 3 * ink.Width()) << "read bottom to top";
    EXPECT_LE(ink.Bottom, 111);
}

}  // namespace
}  // namespace tw::controls
