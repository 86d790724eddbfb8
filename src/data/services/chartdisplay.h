#pragma once
// What the Visualize page keeps of the chart between its events: the period
// it shows, the grid and zoom, the current task as the status bar showed it,
// and a dependency set-up under way. The Visualize logic writes it; the other
// pages read it (const&). The session holds the one instance, in its chart
// state (app/startupstate.h), because the period outlives the page: the
// start-up reads it before the page exists and the shutdown saves it.

#include <cstdint>

#include "platform/datetime/datetime.h"

namespace tw::data {

struct ChartDisplay {
    // The chart period, kept here only: as params.dbf CHARTSD / CHARTED kept
    // it at the start, then as the chart holds it whenever its period changes
    // (the chart says so itself, for a drag of the plot as well), and saved
    // so at the shutdown. On the quarter-hour grid (ShownStart / ShownEnd)
    // it is what the print dialog gives.
    TDateTime ChartStartAt = 0;
    TDateTime ChartEndAt = 0;
    // The span as the chart's axis was last drawn, and its grid.
    double ChartSpanDays = 0;
    double ChartGridInterval = 0;
    double ChartGridCount = 0;
    TDateTime EarliestBarStart = 0;
    TDateTime LatestBarEnd = 0;
    double ZoomMargin = 0;
    std::int32_t ZoomStep = 1;  // the task that zoom forward shows next, from 1

    // The current schedule item as the status bar last showed it.
    TDateTime CurrentTaskStart = 0;
    TDateTime CurrentTaskEnd = 0;
    std::int32_t TasksFound = 0;

    // Dependency set-up (the run's DependencySetupMode says whether one is under way).
    int DependencyClicks = 0;
    int DependencyNumber = 0;
    double DependencyGroup = 0;
    bool DependencyFromStart = false;
    std::int32_t PreviousDependencyTask = 0;

    TDateTime ShownStart() const;
    TDateTime ShownEnd() const;
};

}  // namespace tw::data
