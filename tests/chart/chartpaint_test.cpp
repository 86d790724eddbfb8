// Painting onto an image: where the bars, shadows, date lines, bands, labels
// and names land, and how a page continues where the last one stopped.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStackedWidget>

#include <vector>

#include "chartfixture.h"

using namespace tw::chart;
using namespace charttest;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 300;
constexpr int kNameWidth = 100;

class ChartPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        UsePlainAppearance(chart.ChartAppearance());
        chart.ChartAppearance().SetResourceNameWidth(kNameWidth);
        chart.ChartAppearance().SetDateTimeStyle(dtDateOnly);
        chart.SetDateTime(Day(0), Day(7));
        const QFontMetrics fm(TestFont());
        hd = fm.height();
        rh = fm.height() + fm.height() % 2;
        pitch = rh + chart.ChartAppearance().RowGap() + 1;
        plotLeft = kNameWidth;
        plotTop = 2 + hd;
        plotRight = kWidth - 1;
        plotBottom = kHeight - 1;
    }

    QImage Paint(int topIndex = 0, int* last = nullptr)
    {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        const int result = chart.PaintTo(&p, QRect(0, 0, kWidth, kHeight), topIndex);
        if (last)
            *last = result;
        return image;
    }

    int X(TDateTime t) const
    {
        return plotLeft + static_cast<int>(std::nearbyint((t - Day(0)) * (plotRight - plotLeft) / 7.0));
    }
    int RowTop(int i) const { return plotTop + chart.ChartAppearance().RowGap() / 2 + i * pitch; }

    static bool Dark(QRgb c) { return qGray(c) < 128; }
    static int DarkPixels(const QImage& image, const QRect& area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += Dark(image.pixel(x, y));
        return n;
    }

    WithApp app;
    TestChart chart;
    int hd = 0;
    int rh = 0;
    int pitch = 0;
    int plotLeft = 0;
    int plotTop = 0;
    int plotRight = 0;
    int plotBottom = 0;
};

}  // namespace

TEST_F(ChartPaint, BarsAndShadowsSitOnTheirRowsAndInstants)
{
    TResourceAllocation* first = chart.AddResource("Alpha", clRed, rsBlock)->AddSlot(Day(1.25), Day(2.75));
    TResourceAllocation* second = chart.AddResource("Beta", clLime, rsBlock)->AddSlot(Day(1.25), Day(2.75));
    TResourceAllocation* outside = chart.Resources(1)->AddSlot(Day(9), Day(10));
    const QImage image = Paint();

    const int x1 = X(Day(1.25));
    const int x2 = X(Day(2.75));
    const int y0 = RowTop(0);
    const int y1 = RowTop(1);
    const int mid = (x1 + x2) / 2;
    EXPECT_EQ(image.pixel(mid, y0 + rh / 2), Rgb(clRed));
    EXPECT_EQ(image.pixel(mid, y1 + rh / 2), Rgb(clLime));
    // The frame of a block bar: window text, from its top to RH - 1 below it.
    EXPECT_EQ(image.pixel(mid, y0), Rgb(kText));
    EXPECT_EQ(image.pixel(mid, y0 + rh - 1), Rgb(kText));
    EXPECT_NE(image.pixel(mid, y0 - 1), Rgb(kText));
    EXPECT_EQ(image.pixel(x1, y0 + rh / 2), Rgb(kText));
    EXPECT_EQ(image.pixel(x2 - 1, y0 + rh / 2), Rgb(kText));
    EXPECT_NE(image.pixel(x2, y0 + rh / 2), Rgb(kText));
    // The next row starts one pitch ("Hg" height made even, RowGap and 1) lower.
    EXPECT_EQ(image.pixel(mid, y1), Rgb(kText));
    EXPECT_NE(image.pixel(mid, y1 - 1), Rgb(kText));
    // The shadow lies ShadowDepth right and down.
    const int d = chart.ChartAppearance().ShadowDepth();
    EXPECT_EQ(image.pixel(x2 + d / 2, y0 + rh + d / 2), Rgb(kShadow));
    EXPECT_EQ(image.pixel(x2 + d - 1, y0 + d + 1), Rgb(kShadow));
    EXPECT_NE(image.pixel(x2 + d, y0 + d + 1), Rgb(kShadow));
    EXPECT_NE(image.pixel(x1 + d - 1, y0 + rh + 1), Rgb(kShadow));
    // A bar outside the period is neither drawn nor hit.
    EXPECT_EQ(outside->DisplayRect(), kUnsetRect);
    EXPECT_NE(first->DisplayRect(), kUnsetRect);
    (void)second;
}

TEST_F(ChartPaint, NoShadowWithDepthZero)
{
    chart.ChartAppearance().SetShadowDepth(0);
    chart.AddResource("Alpha", clRed, rsBlock)->AddSlot(Day(1.25), Day(2.75));
    const QImage image = Paint();
    EXPECT_EQ(image.pixel(X(Day(2.75)) + 2, RowTop(0) + rh + 2), Rgb(kPlot));
}

TEST_F(ChartPaint, DateLinesBandsAndLabels)
{
    chart.ChartAppearance().SetPlotBackAlternateInterval(1.0);
    chart.ChartAppearance().SetDateLabelInterval(1.0);
    chart.AddResource("Alpha", clRed, rsBlock);
    const QImage image = Paint();
    const int y = RowTop(3);

    // A line at every midnight strictly before EndAt, from 2 pixels above the plot.
    for (int day = 1; day < 7; ++day) {
        EXPECT_EQ(image.pixel(X(Day(day)), y), Rgb(kLine)) << day;
        EXPECT_EQ(image.pixel(X(Day(day)), plotTop - 2), Rgb(kLine)) << day;
        EXPECT_NE(image.pixel(X(Day(day)) + 2, y), Rgb(kLine)) << day;
    }
    // Bands alternate by calendar day: 2 March 2026 is an odd day number, an alternate band.
    ASSERT_EQ(static_cast<long long>(Day(0)) % 2, 1);
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(image.pixel(X(Day(day + 0.5)), y), Rgb(day % 2 == 0 ? kAlternate : kPlot)) << day;

    // A label centred on every day that fits; none between them, none past the plot's right.
    for (int day = 0; day < 7; ++day) {
        EXPECT_GT(DarkPixels(image, QRect(X(Day(day)) - 12, 0, 25, hd)), 0) << day;
        EXPECT_EQ(DarkPixels(image, QRect(X(Day(day + 0.5)) - 3, 0, 7, hd)), 0) << day;
    }
    EXPECT_EQ(DarkPixels(image, QRect(plotRight - 8, 0, 8, hd)), 0);
    // The row's name in the name column.
    EXPECT_GT(DarkPixels(image, QRect(4, RowTop(0), kNameWidth - 4, rh)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(4, RowTop(1), kNameWidth - 4, rh)), 0);
}

TEST_F(ChartPaint, DrawingStepsComeInOrderAlsoWithoutShadows)
{
    chart.ChartAppearance().SetShadowDepth(0);
    chart.AddResource("Alpha", clRed, rsBlock)->AddSlot(Day(1), Day(2));
    std::vector<TDrawProgress> steps;
    int rowTopAtShadows = -2;
    chart.OnDrawProgress = [&](TCustomResourceAllocationChart* sender, QPainter* canvas, const TRect&,
                               TDrawProgress p) {
        // Only the page; the screen repaints itself afterwards.
        if (canvas->device()->width() != kWidth)
            return;
        steps.push_back(p);
        if (p == dpShadowsDone)
            rowTopAtShadows = sender->Resources(0)->DisplayTop();
    };
    Paint();
    const std::vector<TDrawProgress> expected{dpBeforeStart, dpFrameDone,   dpBackgroundDone,
                                              dpLabelsDone,  dpShadowsDone, dpAllocationsDone,
                                              dpAllDone};
    EXPECT_EQ(steps, expected);
    // Rows have their places before the bars are drawn, for bands under them.
    EXPECT_EQ(rowTopAtShadows, RowTop(0));
}

TEST_F(ChartPaint, PagesContinueWhereTheLastStoppedAndTheScreenKeepsItsRows)
{
    for (int i = 0; i < 40; ++i)
        chart.AddResource(QString("Row %1").arg(i), clRed, rsBlock);
    chart.SetFirstDisplayedIndex(2);
    ASSERT_EQ(chart.FirstDisplayedIndex(), 2);

    int expectedLast = -1;
    for (int i = 0; RowTop(i) + rh < plotBottom; ++i)
        expectedLast = i;
    int last = -1;
    Paint(0, &last);
    EXPECT_EQ(last, expectedLast);
    int next = -1;
    Paint(last + 1, &next);
    EXPECT_EQ(next, std::min(39, 2 * expectedLast + 1));
    EXPECT_EQ(chart.FirstDisplayedIndex(), 2);
}

TEST_F(ChartPaint, APeriodWithoutLengthDrawsNothing)
{
    chart.AddResource("Alpha", clRed, rsBlock);
    int last = 0;
    chart.SetPeriodUnchecked(Day(1), Day(1));
    const QImage image = Paint(0, &last);
    EXPECT_EQ(last, -1);
    EXPECT_EQ(image.pixel(400, 150), qRgb(255, 0, 255));
}

TEST_F(ChartPaint, WithoutANameColumnBarsAreDrawnButRowsCannotBeHit)
{
    chart.ChartAppearance().SetResourceNameWidth(-1);
    chart.AddResource("Alpha", clRed, rsBlock)->AddSlot(Day(1), Day(3));
    int last = -1;
    const QImage image = Paint(0, &last);
    EXPECT_EQ(last, 0);
    plotLeft = 0;
    EXPECT_EQ(image.pixel(X(Day(2)), RowTop(0) + rh / 2), Rgb(clRed));
    EXPECT_EQ(chart.FindResourceFromY(RowTop(0) + 1, true), nullptr);
}

TEST_F(ChartPaint, ABarFarWiderThanThePlotFillsItsRowAcrossThePlot)
{
    // Two centuries on a plot of a week put both ends millions of pixels out.
    for (TResourceDisplayStyle style : {rsBlock, rsBlockArrow, rsEllipse, rsLineArrow}) {
        chart.Clear();
        chart.AddResource("Alpha", clRed, style)->AddSlot(Day(-36500), Day(36500));
        const QImage image = Paint();
        const int y = RowTop(0) + rh / 2;
        // The line of a line arrow is drawn with the pen.
        const QRgb fill = Rgb(style == rsLineArrow ? kText : clRed);
        for (int x : {plotLeft + 2, (plotLeft + plotRight) / 2, plotRight - 3})
            EXPECT_EQ(image.pixel(x, y), fill) << style << " at " << x;
        EXPECT_EQ(image.pixel(plotLeft - 3, y), Rgb(kFace)) << style;
    }
}

TEST_F(ChartPaint, APageMayUseItsOwnAppearance)
{
    chart.AddResource("Alpha", clRed, rsBlock)->AddSlot(Day(1), Day(2));
    TResourceAllocationChartAppearance page;
    page.Assign(chart.ChartAppearance());
    page.SetPlotBackColor(clLime);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    QPainter p(&image);
    chart.PaintTo(&p, image.rect(), 0, page);
    p.end();
    EXPECT_EQ(image.pixel(X(Day(4.5)), RowTop(2)), Rgb(clLime));
    EXPECT_EQ(chart.ChartAppearance().PlotBackColor(), kPlot);
    EXPECT_EQ(Paint().pixel(X(Day(4.5)), RowTop(2)), Rgb(kPlot));
}

// A chart on a page of the shown window that is not shown itself (a task
// added from another page rebuilds it) draws nothing until its page shows;
// then the picture holds what was added meanwhile.
TEST(ChartOnAHiddenPage, DrawsWhenItsPageShowsWithWhatWasAddedMeanwhile)
{
    WithApp app;
    QWidget window;
    window.resize(kWidth, kHeight);
    auto* pages = new QStackedWidget(&window);
    pages->resize(kWidth, kHeight);
    pages->addWidget(new QWidget);
    auto* chart = new TResourceAllocationChart;
    pages->addWidget(chart);
    UsePlainAppearance(chart->ChartAppearance());
    chart->ChartAppearance().SetResourceNameWidth(kNameWidth);
    chart->SetDateTime(Day(0), Day(7));
    int redrawn = 0;
    chart->OnBitmapRedrawn = [&](TCustomResourceAllocationChart*) { ++redrawn; };
    window.show();

    chart->BeginUpdate();
    for (int i = 0; i < 5; ++i)
        chart->AddResource(QString("Row %1").arg(i), clRed, rsBlock)->AddSlot(Day(1), Day(3));
    chart->EndUpdate();
    EXPECT_EQ(redrawn, 0);

    pages->setCurrentWidget(chart);
    const QImage shown = chart->grab().toImage();
    EXPECT_GE(redrawn, 1);
    int red = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = kNameWidth; x < shown.width(); ++x)
            red += shown.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 0) << "the bars added while the page was hidden are drawn";
}
