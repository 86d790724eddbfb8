// The border control: its client rectangle by frame, band and sides, the
// frame drawn only on chosen sides with the parent showing inside, and the
// setters that change nothing.

#include "controls/panels/pixelart.h"

#include "controls/panels/fcborder.h"

#include <QTest>

namespace tw::controls {
namespace {

using testing::ImageArt;
using testing::Rows;

struct Border : testing::WidgetFixture {};

TEST_F(Border, ClientRectangleByFramesBandAndSides)
{
    struct Case {
        const char* name;
        TFrameStyle outer, inner;
        int band, bevel;
        TSides sides;
        TRect expected;
    };
    const Case cases[] = {
        {"new: grooved all round", fsGroove, fsNone, 0, 1, kAllSides, {2, 2, 48, 48}},
        {"no sides: only the band", fsGroove, fsRaised, 2, 1, 0, {2, 2, 48, 48}},
        {"band 3 on top only loses 3 everywhere", fsNone, fsNone, 3, 1, SideBit(sdTop), {3, 3, 47, 47}},
        {"sunken status edge of 2", fsStatus, fsNone, 0, 2, kAllSides, {2, 2, 48, 48}},
        {"bold flat takes nothing", fsFlatBold, fsNone, 0, 1, kAllSides, {0, 0, 50, 50}},
        {"flat and popup on left and top", fsFlat, fsPopup, 0, 3, SideBit(sdLeft) | SideBit(sdTop),
         {4, 4, 50, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcBorder border;
        EXPECT_EQ(border.size(), QSize(50, 50));
        border.SetBorderOuter(c.outer);
        border.SetBorderInner(c.inner);
        border.SetBorderWidth(c.band);
        border.SetBevelWidth(c.bevel);
        border.SetBorderSides(c.sides);
        EXPECT_EQ(border.ClientRect(), c.expected);
    }
}

TEST_F(Border, DrawsOnlyTheFrameOnItsSidesAndTheParentShowsInside)
{
    QWidget parent;
    testing::FillBackground(parent, 20, 20, QColor(0, 0, 255));
    TFcBorder border(&parent);
    border.resize(6, 5);
    border.SetBorderOuter(fsStatus);
    border.SetBevelWidth(2);
    border.SetBorderWidth(1);
    border.SetBorderColor(RGB(255, 0, 0));
    border.SetBorderSides(SideBit(sdLeft) | SideBit(sdBottom));
    const Rows art = ImageArt(border.RenderImage(), {{'s', clBtnShadow}, {'h', clBtnHighlight},
                                                     {'r', RGB(255, 0, 0)}, {'.', RGB(0, 0, 255)}});
    EXPECT_EQ(art, (Rows{
                       "ssr...",
                       "ssr...",
                       "ssrrrr",
                       "shhhhh",  // the two edges meet on the diagonal
                       "hhhhhh",
                   }));
}

class CountingBorder : public TFcBorder {
public:
    int paints = 0;

protected:
    void Paint(TFcCanvas& canvas) override
    {
        ++paints;
        TFcBorder::Paint(canvas);
    }
};

TEST_F(Border, TheCurrentValueCausesNoRepaint)
{
    CountingBorder border;
    border.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&border));
    QCoreApplication::processEvents();
    border.paints = 0;
    border.SetBorderOuter(fsGroove);
    border.SetBorderWidth(0);
    border.SetBorderSides(kAllSides);
    border.SetFlatColor(clBtnShadow);
    border.SetFlatColorAdjustment(30);
    QCoreApplication::processEvents();
    EXPECT_EQ(border.paints, 0);
    border.SetBorderOuter(fsRaised);  // repaints at once
    EXPECT_EQ(border.paints, 1);
}

}  // namespace
}  // namespace tw::controls
