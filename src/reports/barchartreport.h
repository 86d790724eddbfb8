#pragma once
// The annotated bar chart report: per shown task (or job) of the selection a
// group line at each change of customer or job, a task line with its bar on
// the chart period's time axis, its dates, length and status, and the
// resources assigned to it.

#include <cstdint>

#include "reports/reportbase.h"

namespace tw::reports {

class TPrintAltChartReport : public ReportBase {
public:
    TPrintAltChartReport(ReportTables& tables, const ReportServices& services,
                         const SelectionState& selection, const ReportOptions& options);

    bool PrepareBarChartReport(int paperCode, const QString& company, TDateTime periodStart,
                               TDateTime periodEnd, double spanDays, double gridInterval, double gridCount,
                               int pageCount);
    // Horizontal offset of an instant inside the bar area.
    int BarX(TDateTime instant) const;
    // Bar width of an interval, at least 5.
    int BarWidth(TDateTime start, TDateTime end) const;

    // Remembered for the frame's second preparation.
    ChartPeriod Period;

    bool Prepare(int totalPages) override;
    void Print(BandWriter& writer) override;

    double BarAreaLeft() const { return barLeft_; }
    double BarAreaWidth() const { return barWidth_; }

private:
    Band Header() const;

    TDateTime axisStart_ = 0, axisEnd_ = 0;
    double axisMinutes_ = 0;
    int tickCount_ = 0;
    int tickSpacing_ = 0;
    double labelWidth_ = 180;
    double barLeft_ = 190, barWidth_ = 432;
    double barHeight_ = 6;
};

}  // namespace tw::reports
