#pragma once
// What the Add / Edit / Query side keeps of one run: the custom-field search
// in force, the flag that the search's record tests read while a view is
// being refiltered, the restriction and task editor flags the update poll
// reads, and the item to return to. The session owns one; the custom fields
// window writes the search, the query and the QuickBooks export read it.

#include <cstdint>
#include <string>

namespace tw::query {

// A custom-field search in force (at most one kind at a time) and the filter
// it produced.
struct SearchState {
    bool CustomerSearchActive = false;
    bool ResourceSearchActive = false;
    bool TaskSearchActive = false;
    std::string CustomerSearchFilter;
    std::string ResourceSearchFilter;
    std::string TaskSearchFilter;
    bool Any() const { return CustomerSearchActive || ResourceSearchActive || TaskSearchActive; }
};

struct QueryState {
    // At most one kind's search is in force; its filter text holds one
    // "(CID = n)" (or CREWID, CHARTSID) condition per match joined by " OR ".
    // Readers consult a filter text only while its flag is set.
    SearchState Search;
    // Set while the query routines or the search close and reopen a view
    // with a new filter: the search's record tests pass every record then.
    bool FilterInProgress = false;
    // Set while one of the page's query restrictions is applied, and by the
    // task editor while it is open; the update poll stands aside meanwhile.
    bool QueryRestricted = false;
    bool TaskEditorOpen = false;
    // CHARTSID of the current schedule item when the page was last left;
    // turning back to the page returns to it.
    std::int32_t LastSelectedItem = 0;
};

}  // namespace tw::query
