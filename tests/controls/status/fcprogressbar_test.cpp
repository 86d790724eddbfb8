// The progress bar: both bar styles lying and standing, the inset and the
// flat inner frame, parts of a total (half to even), the orientation that
// follows the shape, the segment count kept in range, a percentage above 100,
// the styled paths and accessibility.

#include "controls/status/statusfixture.h"

#include "controls/status/fcprogressbar.h"

#include <QAccessible>

namespace tw::controls {
namespace {

using testing::ImageArt;
using testing::Rows;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlack = RGB(0, 0, 0);

struct ProgressBar : testing::WidgetFixture {
    ProgressBar()
    {
        bar.SetBorderOuter(fsNone);
        bar.SetBarColor(kRed);
        bar.SetBackColor(clWhite);
        bar.SetShowPercent(false);
    }
    Rows Art() { return ImageArt(bar.RenderImage(), {{'r', kRed}, {'w', clWhite}, {'k', kBlack}, {'f', clBtnFace}}); }
    TFcProgressBar bar;
};

TEST_F(ProgressBar, TraditionalBarLyingAndStanding)
{
    bar.resize(12, 3);
    bar.SetPercent(50);
    EXPECT_EQ(bar.Orientation(), orHorizontal);
    EXPECT_EQ(Art(), (Rows{"rrrrrrwwwwww", "rrrrrrwwwwww", "rrrrrrwwwwww"}));
    bar.SetBounds(0, 0, 2, 6);
    EXPECT_EQ(bar.Orientation(), orVertical);
    EXPECT_EQ(Art(), (Rows{"ww", "ww", "ww", "rr", "rr", "rr"}));
    bar.SetBounds(0, 0, 5, 5);
    EXPECT_EQ(bar.Orientation(), orHorizontal);  // a square bar lies
    bar.show();  // a resize of a shown bar turns it as well
    bar.resize(5, 9);
    EXPECT_EQ(bar.Orientation(), orVertical);
}

TEST_F(ProgressBar, LedSegmentsLyingAndStanding)
{
    bar.SetBarStyle(bsLED);
    EXPECT_FALSE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 1);
    bar.SetNumSegments(4);
    bar.resize(26, 6);
    bar.SetPercent(50);
    const std::string lit = "ww" + std::string(4, 'r') + "ww" + std::string(4, 'r') + std::string(14, 'w');
    const std::string none(26, 'w');
    EXPECT_EQ(Art(), (Rows{none, none, lit, lit, none, none}));
    bar.SetBounds(0, 0, 6, 26);
    const Rows standing = Art();
    EXPECT_EQ(standing[21], "wwrrww");  // the lowest segment is lit
    EXPECT_EQ(standing[15], "wwrrww");
    EXPECT_EQ(standing[9], "wwwwww");
    EXPECT_EQ(standing[3], "wwwwww");
    bar.SetBarStyle(bsTraditional);
    EXPECT_TRUE(bar.ShowPercent());
    EXPECT_EQ(bar.InteriorOffset(), 0);
}

TEST_F(ProgressBar, InsetInsideAFlatInnerFrame)
{
    bar.resize(12, 8);
    bar.SetBorderInner(fsFlat);
    bar.SetFlatColor(kBlack);
    bar.SetFlatColorAdjustment(0);
    bar.SetInteriorOffset(1);
    bar.SetPercent(100);
    EXPECT_EQ(Art(), (Rows{
                         "fkkkkkkkkkkf",
                         "kwwwwwwwwwwk",
                         "kwrrrrrrrrwk",
                         "kwrrrrrrrrwk",
                         "kwrrrrrrrrwk",
                         "kwrrrrrrrrwk",
                         "kwwwwwwwwwwk",
                         "fkkkkkkkkkkf",
                     }));
}

TEST_F(ProgressBar, LoweredOuterFrameAroundTheBar)
{
    bar.resize(8, 6);
    bar.SetBorderOuter(fsLowered);
    bar.SetBackColor(kRed);
    bar.SetPercent(0);
    const Rows art = ImageArt(bar.RenderImage(), {{'r', kRed}, {'s', clBtnShadow}, {'d', cl3DDkShadow},
                                                  {'h', clBtnHighlight}, {'l', cl3DLight}});
    EXPECT_EQ(art[0], "sssssssh");
    EXPECT_EQ(art[3], "sdrrrrlh");
    EXPECT_EQ(art[5], "hhhhhhhh");
}

TEST_F(ProgressBar, PartsOfATotal)
{
    std::vector<int> changes;
    bar.OnChange = [&](TFcCustomProgressBar*, int percent) { changes.push_back(percent); };
    bar.SetPartsComplete(5);  // no total yet: stays 0, percent untouched
    EXPECT_EQ(bar.PartsComplete(), 0u);
    EXPECT_TRUE(changes.empty());
    bar.SetTotalParts(3);
    bar.SetPartsComplete(1);
    EXPECT_EQ(bar.Percent(), 33);
    bar.IncPartsByOne();
    EXPECT_EQ(bar.Percent(), 67);
    bar.IncParts(10);  // beyond the total: the total
    EXPECT_EQ(bar.PartsComplete(), 3u);
    EXPECT_EQ(bar.Percent(), 100);
    bar.SetTotalParts(8);  // a new total starts again at 0
    EXPECT_EQ(bar.PartsComplete(), 0u);
    EXPECT_EQ(bar.Percent(), 0);
    bar.SetPartsComplete(1);
    EXPECT_EQ(bar.Percent(), 12);  // 12.5 to even
    bar.SetPartsComplete(3);
    EXPECT_EQ(bar.Percent(), 38);  // 37.5 to even
    EXPECT_EQ(changes, (std::vector<int>{33, 67, 100, 0, 12, 38}));
    bar.SetLoading(true);
    bar.SetTotalParts(100);  // while loading only stored
    EXPECT_EQ(bar.PartsComplete(), 3u);
    EXPECT_EQ(bar.Percent(), 38);
}

TEST_F(ProgressBar, SegmentCountIsKeptInRange)
{
    bar.SetBarStyle(bsLED);
    bar.SetNumSegments(0);
    EXPECT_EQ(bar.NumSegments(), 1);
    bar.SetNumSegments(1000);
    EXPECT_EQ(bar.NumSegments(), 100);
    bar.resize(1000, 12);  // a hundred segments of 9 pixels
    bar.SetPercent(100);
    EXPECT_GT(testing::Count(bar.RenderImage(), kRed), 0);
    bar.SetNumSegments(0);  // one segment, lit whole
    EXPECT_GT(testing::Count(bar.RenderImage(), kRed), 900 * 6);
}

TEST_F(ProgressBar, PercentAboveAHundredIsKeptAndDrawsFull)
{
    bar.resize(10, 2);
    bar.SetPercent(150);
    EXPECT_EQ(bar.Percent(), 150);
    EXPECT_EQ(Art(), (Rows{"rrrrrrrrrr", "rrrrrrrrrr"}));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 100);
}

TEST_F(ProgressBar, BarColourIsTheTextColourToo)
{
    bar.SetBarColor(kBlack);
    EXPECT_EQ(bar.FontColor(), kBlack);
}

TEST_F(ProgressBar, StyledPathsDrawTheStylesTrack)
{
    testing::StyledScope styled;
    bar.resize(60, 16);
    bar.SetPercent(40);
    (void)bar.RenderImage();
    EXPECT_EQ(styled.style.Count(QStyle::CE_ProgressBarGroove), 1);
    // On a status bar it also takes the bar's pane.
    testing::StatusWindow w;
    auto* onBar = new TFcProgressBar(w.bar);
    onBar->setGeometry(10, 1, 60, 17);
    styled.style.primitives.clear();
    styled.style.controls.clear();
    (void)onBar->RenderImage();
    EXPECT_GE(styled.style.Count(QStyle::PE_FrameStatusBarItem), 1);
    EXPECT_EQ(styled.style.Count(QStyle::CE_ProgressBarGroove), 1);
}

TEST_F(ProgressBar, AccessibleAsAProgressBarFromNoughtToAHundred)
{
    bar.SetPercent(42);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::ProgressBar);
    QAccessibleValueInterface* value = a->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 42);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    value->setCurrentValue(90);  // progress is not the user's to set
    EXPECT_EQ(bar.Percent(), 42);
    EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("42%"));
}

}  // namespace
}  // namespace tw::controls
