#pragma once
// The schedule chart as the Gantt report paints it: the main window's chart
// control with a print appearance of its own (taller rows, 24-point bold
// names and dates, no date lines, white alternate bands), copied from the
// screen's date settings and leaving the screen's appearance alone.

#include "chart/resourceallocationchartappearance.h"
#include "reports/chartimagereport.h"

namespace tw::chart {
class TResourceAllocationChart;
}

namespace tw::reports {

class RacChartPages : public ChartPages {
public:
    explicit RacChartPages(chart::TResourceAllocationChart& chart);
    int GetCount() override;
    int PaintTo(QPainter& painter, const QRect& rect, int firstRow) override;
    const chart::TResourceAllocationChartAppearance& PrintAppearance() const { return appearance_; }

private:
    chart::TResourceAllocationChart& chart_;
    chart::TResourceAllocationChartAppearance appearance_;
};

}  // namespace tw::reports
