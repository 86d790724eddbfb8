// The panel: frames on chosen sides with the band, the grid, the embossed
// disabled caption, its own placement of aligned children, the children's
// enabled state across disabling it, growing towards the inside, and the
// setters that change nothing.

#include "controls/panels/pixelart.h"

#include "controls/foundation/fcframecontroller.h"
#include "controls/panels/fcpanel.h"

#include <QLineEdit>
#include <QTest>

namespace tw::controls {
namespace {

using testing::ImageArt;
using testing::Rows;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kGreen = RGB(0, 255, 0);

struct Panel : testing::WidgetFixture {};

TEST_F(Panel, FramesAndBandOnlyOnTheChosenSides)
{
    TFcPanel panel;
    panel.resize(8, 6);
    panel.SetBorderOuter(fsFlat);
    panel.SetFlatColor(kRed);
    panel.SetFlatColorAdjustment(0);
    panel.SetBorderWidth(1);
    panel.SetBorderColor(kBlue);
    panel.SetBorderInner(fsFlat);
    panel.SetBorderSides(SideBit(sdLeft) | SideBit(sdTop));
    panel.SetColor(kGreen);
    const Rows art = ImageArt(panel.RenderImage(), {{'r', kRed}, {'b', kBlue}, {'g', kGreen}});
    EXPECT_EQ(art, (Rows{
                       "rrrrrrrr",
                       "rbbbbbbb",
                       "rbrrrrrr",
                       "rbrggggg",
                       "rbrggggg",
                       "rbrggggg",
                   }));
}

TEST_F(Panel, GridDotsAndLinesLieOneBeforeEachPitch)
{
    TFcPanel panel;
    panel.resize(10, 7);
    panel.SetBorderOuter(fsNone);
    panel.SetColor(clWhite);
    panel.SetGridColor(clBlack);
    panel.SetGridSize(4, 3);
    panel.SetShowGrid(true);
    const std::map<char, TColor> legend{{'.', clWhite}, {'#', clBlack}};
    struct Case {
        TFcGridStyle style;
        Rows art;
    };
    const Case cases[] = {
        {gsDots, {"..........", "..........", "...#...#..", "..........", "..........", "...#...#..",
                  ".........."}},
        {gsDottedLines, {"..........", "...#...#..", ".#.#.#.#.#", "...#...#..", "..........", ".#.#.#.#.#",
                         ".........."}},
        {gsSolidLines, {"...#...#..", "...#...#..", "##########", "...#...#..", "...#...#..", "##########",
                        "...#...#.."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        panel.SetGridStyle(c.style);
        EXPECT_EQ(ImageArt(panel.RenderImage(), legend), c.art);
    }
    panel.SetGridStyle(gsDots);
    panel.SetGridXSize(0);
    EXPECT_EQ(testing::CountColour(panel.RenderImage(), clBlack), 0);
}

TEST_F(Panel, DisabledCaptionIsShadowOverAHighlightCopyOnePixelDownRight)
{
    QWidget window;
    TFcPanel panel(&window);
    panel.resize(60, 24);
    panel.SetBorderOuter(fsNone);
    panel.SetColor(kGreen);
    panel.SetCaption(QStringLiteral("Hi"));
    panel.setEnabled(false);
    const QImage image = panel.RenderImage();
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor light = ColorToRGB(clBtnHighlight);
    int shadows = 0;
    int copies = 0;
    for (int y = 0; y + 1 < image.height(); ++y) {
        for (int x = 0; x + 1 < image.width(); ++x) {
            if (testing::PixelOf(image, x, y) != shadow)
                continue;
            ++shadows;
            // The highlight copy shows wherever the shadow text does not
            // cover its shifted pixel.
            const TColor below = testing::PixelOf(image, x + 1, y + 1);
            copies += below == light || below == shadow ? 1 : 0;
        }
    }
    EXPECT_GT(shadows, 5);
    EXPECT_EQ(copies, shadows);
    EXPECT_EQ(testing::CountColour(image, clWindowText), 0);
    panel.setEnabled(true);
    EXPECT_EQ(testing::CountColour(panel.RenderImage(), clBtnHighlight), 0);
}

TEST_F(Panel, AlignedChildSitsInsideBothFramesAndTheBand)
{
    TFcPanel panel;
    panel.resize(100, 80);
    panel.SetBorderOuter(fsRaised);
    panel.SetBorderInner(fsLowered);
    panel.SetBorderWidth(3);
    panel.SetBorderSides(SideBit(sdLeft) | SideBit(sdTop));
    auto* client = new QWidget(&panel);
    auto* top = new QWidget(&panel);
    auto* free = new QWidget(&panel);
    top->resize(10, 12);
    free->setGeometry(40, 40, 5, 5);
    TFcCustomPanel::SetAlign(client, alClient);
    TFcCustomPanel::SetAlign(top, alTop);
    EXPECT_EQ(top->geometry(), QRect(7, 7, 90, 12));
    EXPECT_EQ(client->geometry(), QRect(7, 19, 90, 58));
    EXPECT_EQ(free->geometry(), QRect(40, 40, 5, 5));
    // A frame change moves them.
    panel.SetBorderInner(fsNone);
    EXPECT_EQ(top->geometry(), QRect(5, 5, 92, 12));
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.resize(120, 80);
    EXPECT_EQ(client->geometry(), QRect(5, 17, 112, 60));
}

TEST_F(Panel, ChildrensEnabledStateSurvivesDisablingThePanel)
{
    TFcPanel panel;
    auto* a = new QLineEdit(&panel);
    auto* b = new QLineEdit(&panel);
    b->setEnabled(false);
    panel.setEnabled(false);
    EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(b->isEnabled());
    auto* c = new QLineEdit(&panel);  // added while the panel is disabled
    panel.setEnabled(true);
    EXPECT_TRUE(a->isEnabled());
    EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(c->isEnabled());
    // The list is kept: enabling again changes nothing.
    panel.setEnabled(true);
    EXPECT_FALSE(b->isEnabled());
}

TEST_F(Panel, BottomAndRightAlignedPanelsGrowTowardsTheInside)
{
    QWidget window;
    window.resize(200, 200);
    TFcPanel bottom(&window);
    bottom.setGeometry(0, 150, 200, 50);
    TFcCustomPanel::SetAlign(&bottom, alBottom);
    bottom.SetBounds(0, 150, 200, 70);
    EXPECT_EQ(bottom.geometry(), QRect(0, 130, 200, 70));
    TFcPanel right(&window);
    right.setGeometry(160, 0, 40, 100);
    TFcCustomPanel::SetAlign(&right, alRight);
    right.SetBounds(160, 0, 30, 100);
    EXPECT_EQ(right.geometry(), QRect(170, 0, 30, 100));
    TFcPanel plain(&window);
    plain.setGeometry(10, 10, 20, 20);
    plain.SetBounds(10, 10, 20, 40);
    EXPECT_EQ(plain.geometry(), QRect(10, 10, 20, 40));
}

class CountingPanel : public TFcPanel {
public:
    void Realign() override
    {
        ++realigns;
        TFcPanel::Realign();
    }
    int paints = 0;
    int realigns = 0;

protected:
    void Paint(TFcCanvas& canvas) override
    {
        ++paints;
        TFcPanel::Paint(canvas);
    }
};

TEST_F(Panel, SettingTheCurrentValueNeitherRepaintsNorRealigns)
{
    CountingPanel panel;
    panel.resize(40, 30);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QCoreApplication::processEvents();
    panel.paints = panel.realigns = 0;
    panel.SetBorderOuter(panel.BorderOuter());
    panel.SetBorderInner(panel.BorderInner());
    panel.SetBorderSides(panel.BorderSides());
    panel.SetBorderColor(panel.BorderColor());
    panel.SetFlatColor(panel.FlatColor());
    panel.SetGridXSize(panel.GridXSize());
    panel.SetShowGrid(panel.ShowGrid());
    panel.SetAlignmentVertical(panel.AlignmentVertical());
    panel.SetTransparent(panel.Transparent());
    QCoreApplication::processEvents();
    EXPECT_EQ(panel.paints, 0);
    EXPECT_EQ(panel.realigns, 0);
    panel.SetBorderOuter(fsLowered);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel.realigns, 1);
    EXPECT_GE(panel.paints, 1);
}

TEST_F(Panel, FrameControllerSetsTheFramesWhenItsFrameIsVisible)
{
    TFcFrameController controller;
    TFcPanel panel;
    controller.SetFrameStyle(fsFlat);
    controller.SetFrameSides(SideBit(sdTop));
    controller.SetFrameColor(kRed);
    panel.SetFrameController(&controller);
    EXPECT_EQ(panel.BorderOuter(), fsRaised);  // not visible yet: left alone
    controller.SetFrameVisible(true);
    EXPECT_EQ(panel.BorderOuter(), fsFlat);
    EXPECT_EQ(panel.BorderSides(), SideBit(sdTop));
    EXPECT_EQ(panel.FlatColor(), kRed);
    EXPECT_EQ(panel.FlatColorAdjustment(), 0);
    EXPECT_EQ(controller.ControlCount(), 1);
    panel.SetFrameController(nullptr);
    EXPECT_EQ(controller.ControlCount(), 0);
}

}  // namespace
}  // namespace tw::controls
