#pragma once
// The resource a new task or block of time is for: the one selected on the
// Add / Edit / Query page once it is attached, until then the one of the bar
// selected on the chart, else the run's current one.

#include <cstdint>

#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"

namespace tw::app {

inline std::int32_t CurrentResourceOf(QuerySelection& query, ChartSelection& chart, std::int32_t current)
{
    if (query.Attached())
        return query.CurrentResource();
    if (const std::optional<std::int32_t> bar = chart.SelectedBarResource())
        return *bar;
    return current;
}

}  // namespace tw::app
