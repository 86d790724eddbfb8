// The meter: the bar, the 3-D bar, LED groups and a trapezoid on small
// images, clamping, the percentage, Max equal to Min, a meter too small to
// paint, and what screen readers get.

#include "displayfixture.h"

#include "controls/display/fcmeter.h"

#include <QAccessible>
#include <QAccessibleValueInterface>

namespace tw::controls {
namespace {

using testing::PixelOf;

struct Meter : testing::WidgetFixture {
    TFcMeter meter;
    Meter()
    {
        meter.SetBorderOuter(fsNone);
        meter.SetShowPercent(false);
    }
};

TEST_F(Meter, BarFillsFromTheStartToTheValue)
{
    meter.resize(20, 6);
    meter.SetMeterType(mtNormal);
    meter.SetValue(50);
    const QImage image = meter.RenderImage();
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(PixelOf(image, x, 3), x < 10 ? 0x0000FFu : clBlack) << x;
    meter.SetDirection(dirLeft);
    const QImage left = meter.RenderImage();
    EXPECT_EQ(PixelOf(left, 19, 3), 0x0000FFu);
    EXPECT_EQ(PixelOf(left, 5, 3), clBlack);
}

TEST_F(Meter, ThreeDBarGetsARaisedBevel)
{
    meter.resize(20, 10);
    meter.SetMeterType(mtBar3D);
    meter.SetValue(50);
    const QImage image = meter.RenderImage();
    EXPECT_EQ(PixelOf(image, 5, 5), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, 9, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, 5, 9), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, 12, 5), clBlack);
}

TEST_F(Meter, LedSegmentsLightByGroup)
{
    meter.resize(64, 8);
    // Segment area (1, 1)-(62, 6): ten cells 4 wide, 2 apart.
    auto segmentColours = [&] {
        const QImage image = meter.RenderImage();
        std::vector<TColor> colours;
        for (int i = 0; i < 10; ++i)
            colours.push_back(PixelOf(image, 1 + i * 6 + 1, 3));
        return colours;
    };
    const TColor g = 0x008000, y = 0x00FFFF, r = 0x0000FF, off = 0x202020;
    meter.SetSegOffColor(off);
    meter.SetValue(100);
    EXPECT_EQ(segmentColours(), (std::vector<TColor>{g, g, g, g, g, y, y, y, r, r}));
    meter.SetValue(50);
    EXPECT_EQ(segmentColours(), (std::vector<TColor>{g, g, g, g, g, off, off, off, off, off}));
    // The cell keeps a one-pixel black-backed margin round the light.
    EXPECT_EQ(PixelOf(meter.RenderImage(), 1, 3), clBlack);
}

TEST_F(Meter, TrapezoidLeavesTheCornersInButtonFace)
{
    meter.resize(40, 20);
    meter.SetMeterShape(msTrapezoidal);
    meter.SetMeterType(mtNormal);
    meter.SetValue(100);
    const QImage image = meter.RenderImage();
    EXPECT_EQ(PixelOf(image, 2, 10), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, 38, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(image, 38, 18), ColorToRGB(clBtnFace));
    meter.SetValue(0);
    EXPECT_NE(PixelOf(meter.RenderImage(), 2, 10), 0x0000FFu);
}

TEST_F(Meter, ValueIsClampedAndPercentShown)
{
    meter.SetValue(150);
    EXPECT_EQ(meter.Value(), 100);
    meter.SetValue(-5);
    EXPECT_EQ(meter.Value(), 0);
    meter.AddValue(42);
    EXPECT_EQ(meter.Percent(), 42);
    meter.resize(60, 20);
    meter.SetMeterType(mtNormal);
    meter.SetBarColor(clBlack);
    meter.SetShowPercent(true);
    meter.SetFontColor(clWhite);
    const QImage image = meter.RenderImage();
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            white += PixelOf(image, x, y) != clBlack;
    EXPECT_GT(white, 10);
}

TEST_F(Meter, EqualMinAndMaxShowNothingLitAndNoPercent)
{
    meter.SetMin(5);
    meter.SetMax(5);
    meter.SetValue(5);
    EXPECT_EQ(meter.Percent(), 0);
    for (TFcMeterType type : {mtNormal, mtBar3D, mtLED}) {
        meter.SetMeterType(type);
        meter.resize(64, 8);
        const QImage image = meter.RenderImage();
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 8; ++y)
                ASSERT_NE(PixelOf(image, x, y), 0x0000FFu) << type << " " << x << "," << y;
        for (int i = 0; i < 10; ++i)
            EXPECT_NE(PixelOf(image, 2 + i * 6, 3), 0x008000u);
    }
}

TEST_F(Meter, TooSmallPaintsNothingNotEvenItsFrame)
{
    meter.SetBorderOuter(fsStatus);
    meter.resize(3, 30);
    meter.SetColor(0x123456);
    const QImage image = meter.RenderImage();
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(PixelOf(image, x, 0), 0x123456u);
}

TEST_F(Meter, ScreenReadersGetAnIndicatorWithItsValue)
{
    meter.SetValue(30);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&meter);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Indicator);
    QAccessibleValueInterface* v = a->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->currentValue().toInt(), 30);
    EXPECT_EQ(v->maximumValue().toInt(), 100);
    EXPECT_EQ(v->minimumValue().toInt(), 0);
    EXPECT_EQ(a->text(QAccessible::Value), "30%");
    v->setCurrentValue(200);
    EXPECT_EQ(meter.Value(), 100);
}

}  // namespace
}  // namespace tw::controls
