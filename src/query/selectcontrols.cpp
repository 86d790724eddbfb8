#include "query/selectcontrols.h"

namespace tw::query {

namespace {

struct Row {
    bool importsOff, jobsSideOff, resourcesOff, taskStatus, noTaskInsert, noCustomerInsert;
};

// By resource, date, customer and status box (8, 4, 2, 1).
constexpr Row kRows[16] = {
    /* ----  */ {false, false, false, false, false, false},
    /* ---S  */ {true, true, false, true, true, true},
    /* --C-  */ {true, false, false, false, false, false},
    /* --CS  */ {true, false, true, true, true, false},
    /* -D--  */ {true, true, false, false, true, true},
    /* -D-S  */ {true, true, false, true, true, true},
    /* -DC-  */ {true, true, false, false, true, false},
    /* -DCS  */ {true, false, true, true, true, false},
    /* T---  */ {true, true, false, false, false, true},
    /* T--S  */ {true, true, false, true, true, true},
    /* T-C-  */ {true, true, false, false, false, false},
    /* T-CS  */ {true, true, false, true, false, false},
    /* TD--  */ {true, true, false, false, false, true},
    /* TD-S  */ {true, true, false, true, true, true},
    /* TDC-  */ {false, true, false, false, false, false},
    /* TDCS  */ {true, true, false, true, true, false},
};

}  // namespace

SelectControlState UpdateSelectControls(const RestrictionBoxes& boxes, const SearchState& search)
{
    SelectControlState s;
    bool noTaskInsert = false;
    bool noCustomerInsert = false;
    auto jobsSideOff = [&] {
        s.CustomerGrid = false;
        s.JobsGrid = false;
        s.JobsNavigator = false;
    };
    auto importsOff = [&] {
        s.ImportFromQB = false;
        s.ImportFromQM = false;
    };

    if (boxes.RestrictToActive) {
        s.TasksNavigatorInsert = false;
        jobsSideOff();
        s.CustomerNavigator = false;
        s.CustomerNavigator2 = false;
        s.UncheckRestrictions = true;
        s.RestrictionBoxes = false;
        s.SearchCustom = false;
        importsOff();
        s.QueryActive = true;
    } else {
        const int index = (boxes.RestrictTasksToCrew ? 8 : 0) | (boxes.RestrictByDate ? 4 : 0)
            | (boxes.RestrictToCustomer ? 2 : 0) | (boxes.RestrictToSelectedStatus ? 1 : 0);
        const Row& row = kRows[index];
        if (row.importsOff)
            importsOff();
        if (row.jobsSideOff)
            jobsSideOff();
        if (row.resourcesOff) {
            s.CrewsGrid = false;
            s.CrewsNavigator = false;
        }
        s.TaskStatus = row.taskStatus;
        noTaskInsert = row.noTaskInsert;
        noCustomerInsert = row.noCustomerInsert;
        s.QueryActive = index != 0;
    }

    if (noTaskInsert) {
        s.TasksNavigatorInsert = false;
        s.QueryActive = true;
    }
    if (search.Any()) {
        noCustomerInsert = true;
        importsOff();
        s.CustomerNavigator2Insert = false;
        s.TasksNavigatorInsert = false;
        s.CrewsNavigatorInsert = false;
        s.QueryActive = true;
        jobsSideOff();
    }
    if (noCustomerInsert) {
        s.CustomerNavigator2Insert = false;
        s.QueryActive = true;
    }
    return s;
}

}  // namespace tw::query
