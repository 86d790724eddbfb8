#pragma once
// What the window tests read off the Visualize page's chart.

#include "chart/resourceallocationchart.h"

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

}  // namespace tw::app::testing
