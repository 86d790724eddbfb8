#pragma once
// The chart's displayed period and its grid, a bar's times with the same
// checks, the period that fits the bars, the main window's own record of the
// period and the texts of the axis labels.

#include <string>

#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

class ChartDates {
public:
    // Days: the 12-minute interval, the one-hour interval and bound, one day.
    static constexpr double kTwelveMinutes = 0.0083333441;
    static constexpr double kOneHour = 0.041666711;

    explicit ChartDates(VisualizeContext& ctx) : ctx_(ctx) {}

    // The correction the status bar was shown ("End date was set one day
    // later", "Start and end dates were reversed"); null when none was needed.
    const char* SetChartDateRange(bool update, TDateTime start, TDateTime end);
    // False when the chart control refused the times (the bar keeps its old ones).
    bool SetAllocationTimes(TResourceAllocation* bar, bool update, TDateTime start, TDateTime end);
    void SetChartPeriod(TDateTime start, TDateTime end);
    void FitChartPeriod(bool alignLeft, bool alignRight);

    // Whatever set it (this class, or a drag of the plot), the period the
    // chart now holds is the one the session keeps.
    void RACDateRangeChange();
    void RACDragPlotEnd();
    void RACGetDateTimeLabelText(TDateTime dateTime, std::string& dateText, std::string& timeText);

private:
    void ShowFirstPanel(const char* text);

    VisualizeContext& ctx_;
};

}  // namespace tw::visualize
