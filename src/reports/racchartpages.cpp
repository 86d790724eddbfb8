#include "reports/racchartpages.h"

#include "chart/resourceallocationchart.h"

namespace tw::reports {

RacChartPages::RacChartPages(chart::TResourceAllocationChart& chart) : chart_(chart)
{
    const chart::TResourceAllocationChartAppearance& screen = chart.ChartAppearance();
    appearance_.SetRowHeight(50);
    QFont names = appearance_.ResourceNameFont();
    names.setBold(true);
    names.setPointSize(24);
    appearance_.SetResourceNameFont(names);
    QFont dates = appearance_.DateTimeFont();
    dates.setBold(true);
    dates.setPointSize(24);
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
    return chart_.PaintTo(&painter, rect, firstRow, appearance_);
}

}  // namespace tw::reports
