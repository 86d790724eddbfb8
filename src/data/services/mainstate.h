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

namespace tw::data {

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

struct MainScreenState {
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
    bool FilterInProgress = false;    // the query routines are changing filters

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

    int HelpLevel = 0;
    int HintMode = 0;
    bool HintDetail = false;

    // Database names and folders.
    std::string ScheduleAlias;
    std::string EstimatorAlias;
    std::string ScheduleFolder;
    std::string ProgramFolder;
    std::string EstimatorFolder;
    std::string BackupFolder;
    std::string RestoreFolder;

    // Record keys of the run (KeyCounter lives inside).
    RecordKeys Keys;

    // --- Tables and data module: further members go here. ---

    // --- Schedule synchronisation: further members go here. ---

    // --- Custom field search ---
    // At most one kind's search is in force; its filter text holds one
    // "(CID = n)" (or CREWID, CHARTSID) condition per match joined by " OR ".
    // Readers consult a filter text only while its flag is set.
    SearchState Search;

    // --- Visualize page ---
    // The chart's period, grid, zoom, current task and dependency set-up are
    // the page's own: data::ChartDisplay, in the session's chart state.
    // A nudged task waits for the 1-second timer to be written to the shared
    // tables; a pull before that would bring the old values back over it.
    bool NudgePending = false;
    // Set by the Add / Edit / Query tab while one of its query restrictions
    // is applied, and by the task editor while it is open; the update poll
    // stands aside meanwhile.
    bool QueryRestricted = false;
    bool TaskEditorOpen = false;
    // The Visualize page was shown and built its chart; until then the
    // start-up builds the chart itself.
    bool ScheduleTabVisited = false;
    // CHARTSID of the current schedule item when the Add / Edit / Query page
    // was last left; turning back to that page returns to it.
    std::int32_t LastSelectedItem = 0;
};

}  // namespace tw::data
