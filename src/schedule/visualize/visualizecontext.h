#pragma once
// What the Visualize page's logic works on: the chart control's model, the
// table cursors of the data module, the run state, the status bar and the
// operations of other parts of the program that are reached through hooks
// (the page widget wires them to the data module and the synchronisation).

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/customresourceallocationchart.h"
#include "data/jobstatus.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "schedule/workcalendar.h"

namespace tw::visualize {

using chart::TColor;
using chart::TRACResource;
using chart::TResourceAllocation;
using TChart = chart::TCustomResourceAllocationChart;

// The data module's cursors that the page uses, named as the data module
// names them. ChartsTable3 carries the query filter; ChartsTable2 carries none.
struct ChartTables {
    db::Table& ChartsTable;
    db::Table& ChartsTable2;
    db::Table& ChartsTable3;
    db::Table& ChartsTable4;  // the cursor through which the working copy is sorted
    db::Table& ChartsTable5;
    db::Table& ChartsTable6;
    db::Table& ChartsTable7;
    db::Table& ChartsTable8;
    db::Table& ChartsTable9;
    db::Table& JobsTable2;       // every job, for the job summaries
    db::Table& JobsTable;        // job lookups for the heading rows
    db::Table& CustomersTable2;  // customer lookups
    db::Table& CrewsTable;       // resource lookups
    db::Table& ICrewsTable2;     // walked by the job summaries
    db::Table& ICrewsTable3;     // looked up by the job summaries
};

// The data module's cursors in their roles on this page.
ChartTables ChartTablesOf(data::TEstimateData& data);

// A job summary row to be added to the working copy.
struct JobSummaryRow {
    std::int32_t ChartsId = 0;
    std::string CustomerName;
    std::string JobName;
    std::string Description;
    TDateTime Start = 0;
    TDateTime End = 0;
    float Hours = 0;
    double Rate = 0;
    double TotalCost = 0;
    std::int32_t JobId = 0;
    std::int32_t CustomerId = 0;
};

// Operations owned by other parts of the program. Every hook may be left
// empty in a test that does not reach it; an empty hook does nothing (or
// answers "free", "no calendar").
struct VisualizeHooks {
    // Schedule synchronisation.
    std::function<void()> PushChartUpdates;
    std::function<void(std::int32_t chartsId)> PushChartRecord;
    // The working items with these keys into the shared table, under one take of the lock.
    std::function<void(const std::set<std::int32_t>& chartsIds)> PushChartRecords;
    // Runs a change of the working copy's order or of its PTR and RESOURCE
    // (which the shared tables never take) so that the synchronisation still
    // knows the tables level afterwards; without it the change just runs.
    std::function<void(const std::function<void()>& change)> KeepSyncLevels;
    // The working-time engine on the calendar that governs the resource under
    // the current work-calendar mode (the synchronisation's CalendarTables).
    // Each call leaves that calendar loaded.
    std::function<TDateTime(std::int32_t crewId, TDateTime& startOut, TDateTime start, float hours)>
        ComputeTaskEnd;
    std::function<float(std::int32_t crewId, TDateTime start, TDateTime end)> WorkingHoursBetween;
    // Loads the resource's calendar and gives it as loaded.
    std::function<const schedule::WorkCalendar&(std::int32_t crewId)> LoadWorkCalendar;
    // Quiet overlap test of a task against the other tasks of its resource.
    std::function<bool(std::int32_t crewId, TDateTime start, TDateTime end, std::int32_t chartsId)>
        ResourcesAreFree;
    // Adds a job summary row to the working copy (and its task-list record).
    std::function<void(const JobSummaryRow&)> AddTaskToSchedule;
    // The query of the Add / Edit / Query tab, applied again, and its
    // selection controls enabled to match the display choice.
    std::function<void()> ApplyCustomerQuery;
    std::function<void()> UpdateSelectControls;
    // Opens the task editor on the current record of ChartsTable3.
    std::function<void(int jobStatus)> ShowTaskEditor;
    // Opens the task list editor.
    std::function<void()> OpenTaskListEditor;
    // The Refresh button's handler (reloads every table and rebuilds).
    std::function<void()> RefreshChart;
    // The sort choice's click handler.
    std::function<void()> ChartSortByClick;
    // The other pages' settings the chart and its status bar follow (the
    // query's restrictions, the calendar's working day) read afresh: a status
    // shown while another page is in front follows that page as it stands.
    std::function<void()> ReadOtherPages;
    // The 1-second timer that writes a nudged task: armed by a nudge, stopped
    // by the next one; the page calls NudgeAdjuster::MicroAdjustTimer when it fires.
    std::function<void()> StartMicroAdjust;
    std::function<void()> StopMicroAdjust;
    // Milliseconds of a clock that never goes back (drag-versus-click).
    std::function<std::int64_t()> MonotonicMilliseconds;
    // The chart appearance's date lines, bands and label base (the appearance
    // belongs to the widget).
    std::function<void(double interval, chart::TDateTimeStyle style, TDateTime base)> SetChartGrid;
};

// The values of the page's controls that the logic reads and writes.
struct PageControls {
    int ChartSortBy = 0;          // 0 "Resource" ... 6 "Dependent group"
    int ShowJobsOnly = 1;         // 0 "Overall jobs only", 1 "Individual tasks"
    int ResourceCaptionMode = 0;  // qbsetup.dbf MATCH: 1 shows the resource before the task

    // Query restrictions of the Add / Edit / Query tab.
    bool RestrictTasksToCrew = false;
    bool RestrictByDate = false;
    bool RestrictToCustomer = false;
    bool RestrictToSelectedStatus = false;
    bool RestrictToActive = false;
    bool CustomerFieldSearch = false;
    bool TaskFieldSearch = false;
    TDateTime TaskStartDate = 0;
    TDateTime TaskEndDate = 0;

    bool SpecifyWorkingDay = false;
    TDateTime StartDayTime = 0;

    std::string ChartStartDateCaption;
    std::string ChartEndDateCaption;

    bool TaskControlsEnabled = false;
    bool ResetDependenciesEnabled = false;
    bool SetDependenciesEnabled = true;
    bool StopButtonEnabled = false;

    bool AnyQueryRestriction() const
    {
        return RestrictTasksToCrew || RestrictByDate || RestrictToCustomer || RestrictToSelectedStatus
            || RestrictToActive || CustomerFieldSearch || TaskFieldSearch;
    }
};

// An offset value carried by a bar of a dependency group (through its Tag).
struct CarriedOffset {
    double Offset = 0;
};

// The chart's state between one build and the next write-back.
struct ChartState {
    std::vector<TResourceAllocation*> ChartBars;
    std::vector<TRACResource*> HeadingRows;
    std::vector<std::string> HeadingCaptions;
    std::int32_t LastCaptionJob = 0;
    TResourceAllocation* LastGroupBar = nullptr;
    TResourceAllocation* SelectedBar = nullptr;
    TResourceAllocation* HighlightedBar = nullptr;
    TColor HighlightedBarColour = 0;
    TDateTime DragSavedStart = 0;
    TDateTime DragSavedEnd = 0;

    // What PTR and RESOURCE hold for a bar and a row: the key of the bar's
    // record, and the key of the record that made the row. Both are unique
    // among the live bars and rows, and stay the same from one build to the
    // next, so that a build of an unchanged schedule rewrites no record.
    struct BarLink {
        double Ptr = 0;
        std::int32_t ChartsId = 0;
    };
    std::unordered_map<const TResourceAllocation*, BarLink> BarLinks;
    std::unordered_map<const TRACResource*, double> RowIds;
    // The row of the first bar of each repeat series (CHAIN) made so far.
    std::unordered_map<std::int32_t, TRACResource*> ChainRows;
    // The offsets carried by the bars of dependency groups; a bar's Tag
    // points at one of them. Freed by the write-back.
    std::vector<std::unique_ptr<CarriedOffset>> Offsets;
};

struct VisualizeContext {
    TChart& RAC;
    ChartTables& Tables;
    data::MainScreenState& State;
    data::UserInterface& UI;
    VisualizeHooks& Hooks;
    PageControls& Controls;
    ChartState& Chart;
    const data::JobStatusTexts& StatusTexts;
    // The main window's loaded calendar, which every engine call replaces.
    const schedule::WorkCalendar& LoadedCalendar;
};

}  // namespace tw::visualize
