#pragma once
// What the page control's logic (TabHandlers) asks of the pages: the main
// window's page set answers (app/features/pagecontrol.h), tests answer with a
// small fake that keeps what it was told.

#include <cstdint>

#include "platform/datetime/datetime.h"

namespace tw::app {

class TabView {
public:
    virtual ~TabView() = default;

    // The index of the page the page control shows.
    virtual int ActivePage() const = 0;
    // Every table closed and opened again (no rebuild of a damaged index).
    virtual void ReopenAllTables() = 0;
    virtual void PushChartUpdates() = 0;

    // The chart: its bars written back (recompute) or dropped, built again
    // from the records (writeBack: the previous bars first), and the period
    // the chart shows set again on itself after a reload.
    virtual void SaveAndClearAllocations(bool recompute) = 0;
    virtual void BuildChart(bool writeBack) = 0;
    virtual void KeepChartPeriod() = 0;
    virtual void ShowTaskStatusBar() = 0;
    virtual void SetResetDependenciesEnabled(bool enabled) = 0;
    // The sort choice on the Visualize page; the start-up says when it has
    // put the saved choice in.
    virtual int ChartSortBy() const = 0;
    virtual bool SortChoiceRestored() const = 0;
    // The Add / Edit / Query page's twin of the sort choice.
    virtual void SetChartSortBy2(int choice) = 0;

    // The Work calendar page: the list of calendars (all resources or one
    // each), the resource chosen in it and its calendar; the holidays.
    virtual void ShowCalendarOf(bool allResources, std::int32_t resourceId) = 0;
    virtual void LoadHolidays() = 0;

    // The Add / Edit / Query page's customer restriction applied to the views.
    virtual void ApplyCustomerQuery() = 0;
    // The Insert time operation ends; its buttons are usable again.
    virtual void EndPendingInsert() = 0;
};

}  // namespace tw::app
