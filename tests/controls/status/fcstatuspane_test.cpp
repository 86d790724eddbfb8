// Status panes: the flat frame with open corners, the caption's place and
// the automatic width, blinking on the shared list (stopping always shows the
// normal colour), the frame controller, and the glyph pane's cells.

#include "controls/status/statusfixture.h"

#include "controls/foundation/fcblinking.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/status/fcglyphstatus.h"

namespace tw::controls {
namespace {

using testing::ImageArt;
using testing::Rows;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kGreen = RGB(0, 255, 0);
constexpr TColor kBlue = RGB(0, 0, 255);

struct StatusPane : testing::WidgetFixture {};

TEST_F(StatusPane, FlatFrameLeavesTheCornersOpen)
{
    TFcStatusPane pane;
    pane.resize(8, 6);
    pane.SetColor(kBlue);  // the margin outside the frame
    pane.SetFlatColor(kRed);
    pane.SetFlatColorAdjustment(0);
    pane.SetFillColor(kGreen);
    EXPECT_EQ(ImageArt(pane.RenderImage(), {{'b', kBlue}, {'r', kRed}, {'g', kGreen}}), (Rows{
                                                                                          "bbbbbbbb",
                                                                                          "bbrrrrbb",
                                                                                          "brggggrb",
                                                                                          "brggggrb",
                                                                                          "bbrrrrbb",
                                                                                          "bbbbbbbb",
                                                                                      }));
}

TEST_F(StatusPane, MarginTakesTheStatusBarsColour)
{
    TFcStatusBar bar;
    bar.SetColor(kRed);
    auto* pane = bar.AddPane(10);
    pane->resize(6, 5);
    pane->SetFrameStyle(fsNone);
    pane->SetFillColor(kGreen);
    const QImage image = pane->RenderImage();
    EXPECT_EQ(testing::PixelOf(image, 0, 0), kRed);
    EXPECT_EQ(testing::PixelOf(image, 2, 2), kGreen);
    pane->SetParentColor(false);
    pane->SetColor(kBlue);
    EXPECT_EQ(testing::PixelOf(pane->RenderImage(), 0, 0), kBlue);
}

TEST_F(StatusPane, AutoSizeAndCaptionPlacement)
{
    const TFcFixedMeasure measure(6, 13, 10);
    SetTextMeasure(&measure);
    TFcStatusPane pane;
    pane.SetAutoSize(true);
    EXPECT_EQ(pane.width(), 40);  // the default width without a caption
    pane.SetCaption(QStringLiteral("Backing up"));
    EXPECT_EQ(pane.width(), 60 + 10);  // text + 2 * 1 + 2 + 6
    pane.SetCaptionOffset(5);
    EXPECT_EQ(pane.width(), 73);
    pane.SetDefaultWidth(55);
    pane.SetCaption(QString());
    EXPECT_EQ(pane.width(), 55);
    SetTextMeasure(nullptr);

    // A right-aligned caption ends CaptionOffset + 1 pixels before the inner frame.
    TFcStatusPane right;
    right.resize(80, 20);
    right.SetAlignment(taRightJustify);
    right.SetCaption(QStringLiteral("Ready"));
    right.SetFillColor(clWhite);
    const QImage image = right.RenderImage();
    int lastInk = -1;
    for (int x = 2; x < 78; ++x) {
        for (int y = 2; y < 18; ++y) {
            if (testing::PixelOf(image, x, y) != ColorToRGB(clWhite))
                lastInk = x;
        }
    }
    const int inner = right.GetCaptionRect().Right;  // 78: border 1, frame 1
    EXPECT_LE(lastInk, inner - 3 - 1);
    EXPECT_GE(lastInk, inner - 3 - 3);  // the glyph's own right bearing
}

TEST_F(StatusPane, BlinkingStopsInTheNormalColour)
{
    TFcStatusPane pane;
    pane.resize(80, 20);
    pane.SetCaption(QStringLiteral("Backing up"));
    pane.SetBlinkColor(kRed);
    pane.SetBlinking(true);
    TFcBlinkingControlsList* list = BlinkingControls();
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 2 && pane.CaptionColor() != kRed; ++i)
        list->Tick();
    ASSERT_EQ(pane.CaptionColor(), kRed);
    EXPECT_GT(testing::Count(pane.RenderImage(), kRed), 10);
    pane.SetBlinking(false);
    EXPECT_EQ(pane.CaptionColor(), pane.FontColor());
    EXPECT_EQ(testing::Count(pane.RenderImage(), kRed), 0);
    list->Tick();  // a pane that no longer blinks is left alone
    list->Tick();
    EXPECT_EQ(pane.CaptionColor(), pane.FontColor());

    // Intervals live on the shared list.
    TFcStatusPane::SetBlinkIntervalOn(300);
    EXPECT_EQ(list->IntervalOn(), 300);
    TFcStatusPane::SetBlinkIntervalOn(500);
}

TEST_F(StatusPane, FrameControllerSetsTheFrame)
{
    TFcFrameController controller;
    TFcStatusPane pane;
    pane.SetFrameController(&controller);
    controller.SetFrameStyle(fsLowered);
    controller.SetFrameColor(kRed);
    controller.SetFrameVisible(true);
    pane.CustomFramingChanged();
    EXPECT_EQ(pane.FrameStyle(), fsLowered);
    EXPECT_EQ(pane.FlatColor(), kRed);
    EXPECT_EQ(pane.FlatColorAdjustment(), 0);
    {
        TFcFrameController other;
        pane.SetFrameController(&other);
    }
    EXPECT_EQ(pane.FrameController(), nullptr);  // a freed controller is forgotten
}

TEST_F(StatusPane, GlyphCellsEnabledAndDisabled)
{
    // Two 4 by 4 cells: red with a white corner (the transparent colour), blue.
    QImage glyph = MakeBitmap(8, 4, kRed);
    for (int y = 0; y < 4; ++y) {
        for (int x = 4; x < 8; ++x)
            glyph.setPixel(x, y, ToRgb32(kBlue));
    }
    glyph.setPixel(0, 3, ToRgb32(clWhite));
    TFcGlyphStatus pane;
    pane.resize(12, 4);
    pane.SetFrameStyle(fsNone);
    pane.SetBorderWidth(0);
    pane.SetFillColor(kGreen);
    pane.SetGlyph(glyph);
    EXPECT_EQ(pane.NumGlyphs(), 2);
    const std::map<char, TColor> legend{{'r', kRed}, {'b', kBlue}, {'g', kGreen}};
    EXPECT_EQ(ImageArt(pane.RenderImage(), legend), (Rows{
                                                        "ggrrrrgggggg",
                                                        "ggrrrrgggggg",
                                                        "ggrrrrgggggg",
                                                        "gggrrrgggggg",
                                                    }));
    pane.setEnabled(false);
    EXPECT_EQ(ImageArt(pane.RenderImage(), legend), (Rows{
                                                        "ggbbbbgggggg",
                                                        "ggbbbbgggggg",
                                                        "ggbbbbgggggg",
                                                        "ggbbbbgggggg",
                                                    }));
}

TEST_F(StatusPane, ImagesFromAListForEachState)
{
    TFcImageList images(4, 4);
    QImage strip = MakeBitmap(8, 4, kRed);
    for (int y = 0; y < 4; ++y) {
        for (int x = 4; x < 8; ++x)
            strip.setPixel(x, y, ToRgb32(kBlue));
    }
    images.AddMasked(strip, RGB(255, 0, 255));
    TFcGlyphStatus pane;
    pane.resize(12, 4);
    pane.SetFrameStyle(fsNone);
    pane.SetBorderWidth(0);
    pane.SetFillColor(kGreen);
    pane.SetImages(&images);
    pane.SetImageIndex(0);
    EXPECT_EQ(pane.GetImageSize(), QSize(4, 4));
    EXPECT_EQ(testing::PixelOf(pane.RenderImage(), 3, 1), kRed);
    pane.setEnabled(false);  // the list's own disabled look: grey
    const TColor grey = testing::PixelOf(pane.RenderImage(), 3, 1);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    pane.SetDisabledIndex(1);  // or a picture of its own
    EXPECT_EQ(testing::PixelOf(pane.RenderImage(), 3, 1), kBlue);
}

TEST_F(StatusPane, GlyphStripsSetTheirCellCount)
{
    TFcGlyphStatus pane;
    const struct {
        int width;
        int height;
        int cells;
    } cases[] = {{64, 16, 4}, {96, 16, 1}, {32, 16, 2}, {16, 16, 1}};
    for (const auto& c : cases) {
        pane.SetGlyph(MakeBitmap(c.width, c.height));
        EXPECT_EQ(pane.NumGlyphs(), c.cells) << c.width;
    }
    const TFcFixedMeasure measure(6, 13, 10);
    SetTextMeasure(&measure);
    pane.SetGlyph(MakeBitmap(32, 16));
    pane.SetCaption(QStringLiteral("abc"));
    // The plain pane's width, the gap and one cell.
    EXPECT_EQ(pane.GetMinWidth(), 18 + 10 + 2 + 16);
    EXPECT_EQ(pane.GetCaptionRect().Left, 2 + 16 + 2);
    pane.SetGlyphAlignment(gaRight);
    EXPECT_EQ(pane.GetCaptionRect().Right, pane.width() - 2 - 18);
    SetTextMeasure(nullptr);
}

}  // namespace
}  // namespace tw::controls
