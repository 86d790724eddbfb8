#pragma once
// What every report takes of the query: the restriction boxes, the
// custom-field search and the chart's display mode, read from where the
// query keeps them, so that preview, print and the e-mailed PDF show the
// rows, header and mode the chart shows.

#include <cstdint>

#include "query/querystate.h"
#include "query/selectcontrols.h"
#include "reports/reportinputs.h"

namespace tw::query {

// showJobsOnly: the Visualize page's display choice, 0 "Overall jobs only".
reports::SelectionState ReportSelection(const RestrictionBoxes& boxes, const SearchState& search,
                                        int showJobsOnly, int chartSortBy, std::int32_t currentResourceId);

}  // namespace tw::query
