#pragma once
// What the other units may ask of the Visualize unit (visualizefeature.h): the
// chart (ChartPage), what it selects and prints (ChartSelection), what the
// start-up and the query set on it (ChartSettings), and its buttons, which the
// units that act on them listen to (ChartButtons). The chart is built again
// on the schedule notice by the unit itself.

#include <cstdint>
#include <functional>
#include <optional>

#include "data/jobstatus.h"
#include "platform/datetime/datetime.h"

namespace tw::chart {
class TResourceAllocationChart;
}

namespace tw::app {

class ChartPage {
public:
    virtual ~ChartPage() = default;
    virtual bool Attached() const = 0;
    // Takes up the tables just opened; once per run.
    virtual void Attach() = 0;
    // Built again from the records (writeBack: the bars written back first).
    virtual void BuildChart(bool writeBack) = 0;
    // The bars written back (recompute) or dropped, and cleared.
    virtual void SaveAndClearAllocations(bool recompute) = 0;
    // The bars went under the records: dropped without writing back, and
    // built again from the records.
    virtual void RebuildFromRecords() = 0;
    // The period the chart shows, set on it again after a reload.
    virtual void KeepChartPeriod() = 0;
    virtual void ShowTaskStatusBar() = 0;
    virtual void SetResetDependenciesEnabled(bool enabled) = 0;
};

class ChartSelection {
public:
    virtual ~ChartSelection() = default;
    // The resource of the bar selected on the chart, if one is.
    virtual std::optional<std::int32_t> SelectedBarResource() = 0;
    // "Overall jobs only" (0) or "Individual tasks" (1).
    virtual int DisplayChoice() const = 0;
    // The chart the reports draw.
    virtual chart::TResourceAllocationChart& PrintedChart() = 0;
};

class ChartSettings {
public:
    virtual ~ChartSettings() = default;
    // The period the chart shows (the session keeps it as the chart holds
    // it); the correction the chart made of it, as ChartDates::SetChartDateRange.
    virtual const char* SetChartDateRange(bool update, TDateTime start, TDateTime end) = 0;
    virtual void SetJobStatusTexts(const data::JobStatusTexts& texts) = 0;
    virtual void ShowResourceCaptionMode(int mode) = 0;
    // The sort choice shown, without a rebuild.
    virtual void SetSortChoice(int choice) = 0;
    // The sort choice made elsewhere: shown, kept by the session and
    // rebuilt as the page's own choice would be.
    virtual void ChooseSort(int choice) = 0;
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
};

// The page's buttons, and the requests of its logic that mean the same.
class ChartButtons {
public:
    virtual ~ChartButtons() = default;
    using Action = std::function<void()>;
    virtual void OnRefresh(Action action) = 0;
    virtual void OnPrint(Action action) = 0;
    // A new sort choice, already kept by the session.
    virtual void OnSortChosen(Action action) = 0;
    virtual void OnInsertTime(Action action) = 0;
    virtual void OnRemoveTime(Action action) = 0;
    // A double click on a bar (the editor on it, with its job status) and the
    // job task list, asked for on the chart.
    virtual void OnEditTask(std::function<void(int jobStatus)> action) = 0;
    virtual void OnOpenTaskList(Action action) = 0;
    virtual void SetRefreshEnabled(bool enabled) = 0;
    virtual void SetInsertTimeEnabled(bool enabled) = 0;
    virtual void SetRemoveTimeEnabled(bool enabled) = 0;
};

}  // namespace tw::app
