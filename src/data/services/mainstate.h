#pragma once
// The state of one run that the main window holds and that the data services
// read and write: start-up flags, the table flags that guard re-entrancy on
// the one GUI thread, folders and database names, the change counter.
//
// It lives apart from the window so that the data services are tested without
// one; the main window owns one instance and its windows read it.

#include <cstdint>
#include <string>

#include "data/recordkeys.h"
#include "data/services/sessionsettings.h"

namespace tw::data {

// The settings the start-up reads are the SessionSettings part.
struct MainScreenState : SessionSettings {
    // Start-up and shutdown.
    bool StartupDone = false;        // the start-up sequence has loaded the settings
    bool SelectionReady = false;     // set at the very end of the start-up sequence
    bool QuitWithoutSaving = false;  // single-instance test or refused password
    bool FirstRun = false;
    bool ReadOnlyCopy = false;  // params.dbf USEPOSTAL: this copy may not change data

    // Tables.
    bool TablesOpen = false;         // every table open and the shared tables usable
    bool SharedTablesUsable = true;  // cleared for the rest of the run by a broken lock,
                                     // a damaged table or a refused upgrade
    bool TablesBusy = false;         // tables are being opened, closed, re-indexed, pushed,
                                     // pulled or rebuilt
    bool ClosingTables = false;
    bool TableMessageShown = false;   // a "may be damaged" box was shown in this run
    bool RebuildAssignments = false;  // crews.dbf was upgraded

    // Operations that keep the poll and the pulls away.
    bool InsertTimePending = false;
    bool DependencySetupMode = false;
    bool ChartRefreshNeeded = false;

    // Appends that the next after-scroll handler must keep.
    bool KeepNewCustomer = false;
    bool KeepNewTask = false;
    bool KeepNewJob = false;
    bool KeepNewResource = false;

    // The network lock: refused takes in a row, and whether this copy holds it.
    std::int32_t LockRefusals = 0;
    bool LockHeld = false;

    // The last change counter used (single precision, as stored and compared).
    float UpdateCounter = 1.1f;

    // Work calendar.
    int WorkCalendarMode = 0;  // mycomp.dbf PAPERO: 0 one calendar for all, else one per resource
    int LastWorkCalendarMode = 0;
    std::int32_t CurrentResourceId = 0;
    double AverageRate = 0;  // params.dbf RATE, then the rate of the last resource handled

    // Record keys of the run (KeyCounter lives inside).
    RecordKeys Keys;

    // --- Visualize page ---
    // The chart's period, grid, zoom, current task and dependency set-up are
    // the page's own: data::ChartDisplay, in the session's chart state.
    // A nudged task waits for the 1-second timer to be written to the shared
    // tables; a pull before that would bring the old values back over it.
    bool NudgePending = false;
    // The Visualize page was shown and built its chart; until then the
    // start-up builds the chart itself.
    bool ScheduleTabVisited = false;
};

}  // namespace tw::data
