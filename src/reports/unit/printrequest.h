#pragma once
// The print dialog's opening on the chart: the period and grid the chart
// shows (the period on the quarter-hour grid, as the chart draws it).

#include <optional>

#include "data/services/chartdisplay.h"
#include "data/services/mainstate.h"
#include "platform/datetime/datetime.h"

namespace tw::app {

struct PrintRequest {
    int HelpLevel = 0;
    double SpanDays = 0;
    double GridInterval = 0;
    double GridCount = 0;
    TDateTime Start = 0;
    TDateTime End = 0;
};

// None while a dependency set-up is under way: the print button does nothing then.
inline std::optional<PrintRequest> ChartPrintRequest(const data::MainScreenState& state,
                                                     const data::ChartDisplay& chart)
{
    if (state.DependencySetupMode)
        return std::nullopt;
    return PrintRequest{state.HelpLevel,      chart.ChartSpanDays, chart.ChartGridInterval,
                        chart.ChartGridCount, chart.ShownStart(),  chart.ShownEnd()};
}

}  // namespace tw::app
