#pragma once
// The one selection of the program: from the Add / Edit / Query tab's
// restriction boxes, pickers and status choice, the filter that the task
// views, the chart and the reports read, with the title and captions that
// describe it. Pure text work, so that every combination is tested as a row.
//
//   QueryInputs in;  in.RestrictToCustomer = true;  in.CustomerId = 5; ...
//   QueryResult out = BuildQueryFilter(in);   // out.FilterText "(CID = 5) AND (NOT JOB)"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/datetime/datetime.h"
#include "query/querystate.h"
#include "platform/db/table.h"

namespace tw::query {

// The custom-field search lives in the run's state, where the search sets it.

struct QueryInputs {
    bool RestrictTasksToCrew = false;
    bool RestrictByDate = false;
    bool RestrictToCustomer = false;
    bool RestrictToSelectedStatus = false;
    bool RestrictToActive = false;  // "Show all"
    bool JobMode = false;           // "Overall jobs only"

    std::int32_t CustomerId = 0;
    std::string CustomerName;
    std::int32_t JobId = 0;
    std::string JobDesc;
    std::string ResourceDesc;
    // The resource term when no resource search is in force (TaskFilterForResource).
    std::string ResourceTerm;

    // The pickers' dates and the working day of the loaded calendar.
    TDateTime StartDate = 0;
    TDateTime EndDate = 0;
    TDateTime WorkingDayStart = 0;
    TDateTime WorkingDayEnd = 0;

    int Status = 3;
    std::string StatusName = "None";

    SearchState Search;
};

struct QueryResult {
    // With the kind term: what every schedule view is filtered with.
    std::string FilterText;
    // The main window's title; also the tasks caption unless a search says otherwise.
    std::string Title;
    std::string TasksLabel;
    // Set only where a search in force renames them.
    std::optional<std::string> CustomersLabel, JobsLabel, CrewsLabel;
};

QueryResult BuildQueryFilter(const QueryInputs& in);

// The tasks assigned to a resource, as an OR list of their keys, from a walk
// over every row of the assignment view: "CHARTSID > 0" when the view is
// empty, "CHARTSID = 0" (nothing) when none of its rows names the resource.
std::string TaskFilterForResource(db::Table& assignments, std::int32_t resourceId);

// The first and last day of the date term as the query writes them. The end
// is the end picker's day: the working day's end may round up into the next
// midnight, which must not bring the next day's tasks in.
TDateTime QueryFirstDay(const QueryInputs& in);
TDateTime QueryLastDay(const QueryInputs& in);

}  // namespace tw::query
