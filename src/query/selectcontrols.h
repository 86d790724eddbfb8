#pragma once
// Which of the Add / Edit / Query tab's grids, navigator buttons and
// buttons may be used under the restrictions in force. Values only: the
// page applies them to its widgets, the logic keeps QueryActive.

#include "query/queryfilter.h"

namespace tw::query {

struct RestrictionBoxes {
    bool RestrictTasksToCrew = false;
    bool RestrictByDate = false;
    bool RestrictToCustomer = false;
    bool RestrictToSelectedStatus = false;
    bool RestrictToActive = false;  // "Show all"
    bool AnyRestriction() const
    {
        return RestrictTasksToCrew || RestrictByDate || RestrictToCustomer || RestrictToSelectedStatus;
    }
};

struct SelectControlState {
    bool CustomerGrid = true;
    bool JobsGrid = true;
    bool JobsNavigator = true;
    bool CustomerNavigator = true;
    bool CustomerNavigator2 = true;
    bool CrewsGrid = true;
    bool CrewsNavigator = true;
    bool RestrictionBoxes = true;  // the four restriction check boxes
    bool ImportFromQB = true;
    bool ImportFromQM = true;
    bool TaskStatus = false;
    bool SearchCustom = true;
    // Whether the navigators keep their Insert button.
    bool TasksNavigatorInsert = true;
    bool CustomerNavigator2Insert = true;
    bool CrewsNavigatorInsert = true;
    // "Show all" unchecks the four restriction boxes.
    bool UncheckRestrictions = false;
    // A restriction, "Show all" or a search is in force: the update poll waits.
    bool QueryActive = false;
};

SelectControlState UpdateSelectControls(const RestrictionBoxes& boxes, const SearchState& search);

}  // namespace tw::query
