#pragma once
// What the window tests read off the Visualize page's chart.

#include "chart/resourceallocationchart.h"
#include "schedule/visualize/visualizecontext.h"

#include <cstdint>

#include <string>
#include <vector>

namespace tw::app::testing {

// Row captions top to bottom; heading rows have none.
inline std::vector<std::string> ChartRowNames(const chart::TResourceAllocationChart& rac)
{
    std::vector<std::string> rows;
    for (int i = 0; i < rac.Count(); ++i)
        if (!rac.Resources(i)->Name().isEmpty())
            rows.push_back(rac.Resources(i)->Name().toStdString());
    return rows;
}

// The bar the page drew for a Charts.DBF record, or null.
inline chart::TResourceAllocation* BarOf(const visualize::ChartState& chart, std::int32_t chartsId)
{
    for (chart::TResourceAllocation* bar : chart.ChartBars) {
        auto it = chart.BarLinks.find(bar);
        if (it != chart.BarLinks.end() && it->second.ChartsId == chartsId)
            return bar;
    }
    return nullptr;
}

}  // namespace tw::app::testing
