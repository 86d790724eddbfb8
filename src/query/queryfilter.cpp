#include "query/queryfilter.h"

#include <algorithm>
#include <cmath>

#include "data/filtertexts.h"
#include "platform/datetime/localetexts.h"
#include "schedule/timeofday.h"

namespace tw::query {

namespace {

using data::AndFilter;

std::string Key(std::int32_t value)
{
    return std::to_string(value);
}

}  // namespace

TDateTime QueryFirstDay(const QueryInputs& in)
{
    return std::floor(schedule::CombineDateTime(in.StartDate, in.WorkingDayStart));
}

TDateTime QueryLastDay(const QueryInputs& in)
{
    const TDateTime end = std::floor(schedule::CombineDateTime(in.EndDate, in.WorkingDayEnd));
    return std::min(end, std::floor(in.EndDate));
}

QueryResult BuildQueryFilter(const QueryInputs& in)
{
    QueryResult out;
    out.Title = "Tarnwick";
    const std::string W = in.JobMode ? " job" : " task";
    const SearchState& search = in.Search;
    std::string F;

    if (in.RestrictToActive) {
        out.Title = in.JobMode ? "All active jobs" : "All active tasks";
    } else {
        const std::string C =
            search.CustomerSearchActive ? search.CustomerSearchFilter : "CID = " + Key(in.CustomerId);
        const std::string s1 = locale::DateToStr(QueryFirstDay(in));
        const std::string s2 = locale::DateToStr(QueryLastDay(in));
        data::OrFilter dates;
        dates.FilterTextRestart = true;
        dates.AddOrFilter("(SDD >= '" + s1 + "') AND (EDD <= '" + s2 + "')");
        dates.AddOrFilter("(SDD <= '" + s1 + "') AND (EDD >= '" + s1 + "')");
        dates.AddOrFilter("(SDD <= '" + s2 + "') AND (EDD >= '" + s2 + "')");
        const std::string& D = dates.FilterText;
        const std::string T = search.ResourceSearchActive ? search.ResourceSearchFilter : in.ResourceTerm;
        const std::string& R = in.ResourceDesc;
        const std::string S = "BIDID = " + std::to_string(in.Status);
        const std::string& St = in.StatusName;
        const std::string& NAME = in.CustomerName;
        const std::string period = s1 + " through " + s2;
        const bool rs = search.ResourceSearchActive;
        const std::string found = rs ? "selected resources" : R;
        auto unlessSearch = [&](const std::string& title) { return rs ? out.Title : title; };

        const int combination = (in.RestrictTasksToCrew ? 8 : 0) | (in.RestrictByDate ? 4 : 0)
            | (in.RestrictToCustomer ? 2 : 0) | (in.RestrictToSelectedStatus ? 1 : 0);
        switch (combination) {
        case 0:
            F = search.TaskSearchActive ? std::string() : "JID = " + Key(in.JobId);
            out.Title = NAME + " : " + in.JobDesc + (in.JobMode ? "" : " tasks");
            break;
        case 2:
            F = C;
            out.Title = NAME + W + "s";
            break;
        case 4:
            F = D;
            out.Title = "All " + W + "s " + period;
            break;
        case 6:
            F = AndFilter(C, D);
            out.Title = NAME + W + "s " + period;
            break;
        case 8:
            F = T;
            out.Title = unlessSearch(R + W + " assignments");
            break;
        case 10:
            F = AndFilter(C, T);
            out.Title = unlessSearch(NAME + " tasks assigned to " + R);
            break;
        case 12:
            F = AndFilter(D, T);
            out.Title = unlessSearch(R + " assigned" + W + "s " + period);
            break;
        case 14:
            F = AndFilter(AndFilter(C, D), T);
            out.Title = unlessSearch(NAME + " tasks assigned to " + R + " " + period);
            break;
        case 1:
            F = S;
            out.Title = "All " + St + (in.JobMode ? " jobs" : " tasks");
            break;
        case 3:
            F = AndFilter(C, S);
            out.Title = NAME + " " + St + W + "s";
            break;
        case 5:
            F = AndFilter(S, D);
            out.Title = "All " + St + W + "s " + period;
            break;
        case 7:
            F = AndFilter(AndFilter(S, C), D);
            out.Title = NAME + " " + St + " " + W + "s " + period;
            break;
        case 9:
            F = AndFilter(T, S);
            out.Title = "All " + St + W + "s assigned to " + found;
            break;
        case 11:
            F = AndFilter(AndFilter(C, T), S);
            out.Title = NAME + " " + St + W + "s assigned to " + found;
            break;
        case 13:
            F = AndFilter(AndFilter(D, T), S);
            out.Title = (rs ? "Selected" : R) + " " + St + " " + W + "s " + period;
            break;
        case 15:
            F = AndFilter(AndFilter(AndFilter(C, D), T), S);
            out.Title = NAME + " " + St + " " + W + "s assigned to " + found + " " + period;
            break;
        }
    }

    out.TasksLabel = out.Title;
    if (search.CustomerSearchActive) {
        out.CustomersLabel = "Selected customers";
        out.JobsLabel = "Related jobs";
        out.TasksLabel = "Related tasks";
        out.CrewsLabel = "All resources";
        out.Title = "Selected customers from custom field search";
    }
    if (search.ResourceSearchActive) {
        out.CustomersLabel = "All customers";
        out.TasksLabel = "Related tasks from custom field search";
        out.CrewsLabel = "Selected resources from custom field search";
        out.Title = "Selected resources from custom field search";
    }
    if (search.TaskSearchActive) {
        F = AndFilter(F, search.TaskSearchFilter);
        out.CustomersLabel = "All customers";
        out.TasksLabel = "Selected tasks from custom field search";
        out.CrewsLabel = "All resources";
        out.Title = "Selected tasks from custom field search";
    }

    const std::string K = in.JobMode ? "JOB" : "NOT JOB";
    out.FilterText = in.RestrictToActive ? K : AndFilter(F, K);
    return out;
}

std::string TaskFilterForResource(db::Table& assignments, std::int32_t resourceId)
{
    if (assignments.isEmpty())
        return "CHARTSID > 0";
    data::OrFilter keys;
    keys.FilterTextRestart = true;
    const int crewField = assignments.fieldIndex("CREWID");
    const int keyField = assignments.fieldIndex("CHARTSID");
    for (assignments.first(); !assignments.eof(); assignments.next()) {
        if (assignments.field(crewField).asInteger() == resourceId)
            keys.AddOrFilter("CHARTSID = " + Key(assignments.field(keyField).asInteger()));
    }
    return keys.FilterText.empty() ? "CHARTSID = 0" : keys.FilterText;
}

}  // namespace tw::query
