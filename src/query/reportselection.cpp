#include "query/reportselection.h"

namespace tw::query {

reports::SelectionState ReportSelection(const RestrictionBoxes& boxes, const SearchState& search,
                                        int showJobsOnly, int chartSortBy, std::int32_t currentResourceId)
{
    reports::SelectionState s;
    s.JobsOnly = showJobsOnly == 0;
    s.ChartSortBy = chartSortBy;
    s.RestrictToActive = boxes.RestrictToActive;
    s.RestrictTasksToCrew = boxes.RestrictTasksToCrew;
    s.RestrictByDate = boxes.RestrictByDate;
    s.RestrictToSelectedStatus = boxes.RestrictToSelectedStatus;
    s.RestrictToCustomer = boxes.RestrictToCustomer;
    s.CustomerSearchActive = search.CustomerSearchActive;
    s.ResourceSearchActive = search.ResourceSearchActive;
    s.TaskSearchActive = search.TaskSearchActive;
    s.ResourceSearchFilter = search.ResourceSearchFilter;
    s.CurrentResourceId = currentResourceId;
    return s;
}

}  // namespace tw::query
