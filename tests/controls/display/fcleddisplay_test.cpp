// The LED display: the dots of the quoted glyphs on a small display, the
// block for characters outside the set, the frame alone when too low, and the
// timer that runs only while scrolling with a direction.

#include "displayfixture.h"

#include "controls/display/fcdisplayaccessible.h"
#include "controls/display/fcleddisplay.h"

#include <QAccessible>

namespace tw::controls {
namespace {

using testing::PixelOf;

struct LedDisplay : testing::WidgetFixture {
    // The lit pattern of character cell `cell`: '#' on, '.' off, '?' other.
    static std::vector<std::string> Cell(const QImage& image, const TFcLedDots& d, int left, int top, int cell)
    {
        std::vector<std::string> rows;
        for (int r = 0; r < 7; ++r) {
            std::string row;
            for (int c = 0; c < 5; ++c) {
                const int x = left + cell * d.CellWidth() + c * d.Pitch() + 1;
                const int y = top + r * d.Pitch() + 1;
                const TColor px = PixelOf(image, x, y);
                row += px == 0x00FF00 ? '#' : px == 0x003300 ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(LedDisplay, DefaultSizeGivesThreePixelDotsAndTheQuotedGlyphs)
{
    TFcLEDDisplay led;
    EXPECT_EQ(led.size(), QSize(100, 30));
    EXPECT_EQ(led.Dots().Size, 3);
    EXPECT_EQ(led.Dots().Gap, 0);
    led.resize(2 + 3 * 18, 30);
    led.SetCaption("0A\t");
    const QImage image = led.RenderImage();
    // Client (1, 1); cells 21 high centred in 28: top 3.
    const int top = 1 + 3;
    using Rows = std::vector<std::string>;
    EXPECT_EQ(Cell(image, led.Dots(), 1, top, 0),
              (Rows{".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}));
    EXPECT_EQ(Cell(image, led.Dots(), 1, top, 1),
              (Rows{".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}));
    EXPECT_EQ(Cell(image, led.Dots(), 1, top, 2),
              (Rows{".....", ".###.", ".###.", ".###.", ".###.", ".###.", "....."}));
    // Dots are outlined in black; the gap column is never lit; the margin
    // above the cells is the background.
    EXPECT_EQ(PixelOf(image, 1, top), clBlack);
    EXPECT_EQ(PixelOf(image, 1 + 5 * 3 + 1, top + 1), 0x003300u);
    EXPECT_EQ(PixelOf(image, 10, 2), clBlack);
    led.SetBackColor(0x0000FF);
    EXPECT_EQ(PixelOf(led.RenderImage(), 10, 2), 0x0000FFu);
}

TEST_F(LedDisplay, TooLowShowsOnlyTheFrame)
{
    TFcLEDDisplay led;
    led.resize(40, 9);  // client 7 high
    led.SetCaption("8888");
    const QImage image = led.RenderImage();
    for (int x = 1; x < 39; ++x)
        for (int y = 1; y < 8; ++y)
            ASSERT_NE(PixelOf(image, x, y), 0x00FF00u) << x << "," << y;
}

TEST_F(LedDisplay, StoppedDisplayNeitherScrollsNorCompletes)
{
    TFcLEDDisplay led;
    led.SetCaption("HELLO");
    int completed = 0;
    led.OnScrollComplete = [&](TFcControl*) { ++completed; };
    // The direction alone does not start it.
    led.SetScrollType(stNone);
    led.SetScrollType(stLeftToRight);
    EXPECT_FALSE(led.TimerRunning());
    for (int i = 0; i < 500; ++i)
        led.Tick();
    EXPECT_EQ(completed, 0);
    EXPECT_EQ(led.ScrollPosition(), 0);
    led.SetScrolling(true);
    EXPECT_TRUE(led.TimerRunning());
    led.SetScrollType(stNone);
    EXPECT_FALSE(led.TimerRunning());
    led.SetScrollType(stRightToLeft);
    EXPECT_TRUE(led.TimerRunning());
    // 5 characters on 100 pixels, pitch 3: E = 190, a pass every 64 ticks.
    EXPECT_EQ(led.ScrollExtent(), 190);
    for (int i = 0; i < 128; ++i)
        led.Tick();
    EXPECT_EQ(completed, 2);
    for (int i = 0; i < 10; ++i)
        led.Tick();
    EXPECT_EQ(led.ScrollPosition(), 30);
    led.SetScrolling(false);
    EXPECT_FALSE(led.TimerRunning());
    EXPECT_EQ(led.ScrollPosition(), 0);
    led.SetScrollDelay(40);
    EXPECT_EQ(led.ScrollDelay(), 40);
}

TEST_F(LedDisplay, ScrollingRightToLeftEntersAtTheRightEdge)
{
    TFcLEDDisplay led;
    led.resize(2 + 3 * 18, 30);
    led.SetCaption("0");
    led.SetScrolling(true);
    // Position 18: the whole character sits in the last cell.
    for (int i = 0; i < 6; ++i)
        led.Tick();
    const QImage image = led.RenderImage();
    EXPECT_EQ(Cell(image, led.Dots(), 1, 4, 2)[3], "#.#.#");
    EXPECT_EQ(Cell(image, led.Dots(), 1, 4, 0)[3], ".....");
}

TEST_F(LedDisplay, CellsCutByEitherEdgeWhileScrolling)
{
    // 98 client pixels hold five whole cells and part of a sixth.
    TFcLEDDisplay led;
    led.SetCaption("00000000");
    led.SetScrolling(true);
    for (int tick = 0; tick < 200; ++tick) {
        led.Tick();
        const QImage image = led.RenderImage();
        ASSERT_EQ(image.size(), QSize(100, 30));
    }
    led.SetScrollType(stLeftToRight);
    for (int tick = 0; tick < 50; ++tick)
        led.Tick();
    EXPECT_EQ(PixelOf(led.RenderImage(), 0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(LedDisplay, ScreenReadersReadItAsStaticText)
{
    TFcLEDDisplay led;
    led.SetCaption("OPEN");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&led);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::StaticText);
    EXPECT_EQ(a->text(QAccessible::Name), "OPEN");
}

}  // namespace
}  // namespace tw::controls
