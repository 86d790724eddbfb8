#pragma once
// What the Visualize page's logic works on: the chart control's model, the
// table cursors of the data module, the run state, the status bar, and its
// window, the schedule and the other pages through their views
// (visualizeview.h).

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/customresourceallocationchart.h"
#include "data/jobstatus.h"
#include "data/services/chartdisplay.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "schedule/visualize/visualizeview.h"
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
    data::ChartDisplay& Display;  // the page's own state, kept by the session
    data::UserInterface& UI;
    VisualizeView& View;
    ChartSchedule& Schedule;
    WorkingTime& Time;
    OtherPages& Pages;
    PageControls& Controls;
    ChartState& Chart;
    const data::JobStatusTexts& StatusTexts;
    // The main window's loaded calendar, which every engine call replaces.
    const schedule::WorkCalendar& LoadedCalendar;
};

}  // namespace tw::visualize
