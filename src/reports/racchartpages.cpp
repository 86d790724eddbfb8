#include "reports/racchartpages.h"

#include <algorithm>

#include <QFontMetrics>

#include "chart/resourceallocationchart.h"

namespace tw::reports {

RacChartPages::RacChartPages(chart::TResourceAllocationChart& chart) : chart_(chart)
{
    const chart::TResourceAllocationChartAppearance& screen = chart.ChartAppearance();
    appearance_.SetRowHeight(50);
    // 24 points on a page canvas of 96 logical dots per inch, given in the
    // canvas's own units: the page is painted as vectors onto printers and
    // PDF writers of other resolutions, and a point size would be resolved
    // against theirs (four times too big on a 1200-dpi PDF page).
    constexpr int kPrintFontPixels = 24 * 96 / 72;
    QFont names = appearance_.ResourceNameFont();
    names.setBold(true);
    names.setPixelSize(kPrintFontPixels);
    appearance_.SetResourceNameFont(names);
    QFont dates = appearance_.DateTimeFont();
    dates.setBold(true);
    dates.setPixelSize(kPrintFontPixels);
    appearance_.SetDateTimeFont(dates);
    appearance_.SetDateLineStyle(Qt::NoPen);
    appearance_.SetPlotBackColor(screen.PlotBackColor());
    appearance_.SetPlotBackAlternateColor(chart::clWhite);
    appearance_.SetDateTimeStyle(screen.DateTimeStyle());
    appearance_.SetDateLineInterval(screen.DateLineInterval());
    appearance_.SetPlotBackAlternateInterval(screen.PlotBackAlternateInterval());
    appearance_.SetDateLabelBase(screen.DateLabelBase());
    appearance_.SetDateLineBase(screen.DateLineBase());
}

int RacChartPages::GetCount()
{
    return chart_.Count();
}

int RacChartPages::PaintTo(QPainter& painter, const QRect& rect, int firstRow)
{
    // The name column is the widest name and 8 more, as the chart makes it;
    // fixed at the first page, so that the pages do not measure every name
    // again each (the chart keeps one such width, its screen's).
    if (appearance_.ResourceNameWidth() == 0 && chart_.Count() > 0) {
        const QFontMetrics metrics(QFont(appearance_.ResourceNameFont(), painter.device()), painter.device());
        int widest = 0;
        for (int i = 0; i < chart_.Count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(chart_.Resources(i)->Name()));
        appearance_.SetResourceNameWidth(widest + 8);
    }
    return chart_.PaintTo(&painter, rect, firstRow, appearance_);
}

}  // namespace tw::reports
