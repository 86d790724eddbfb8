#pragma once
// What the Visualize page's logic asks of the window around the chart, of the
// schedule under it and of the other pages. The page (app/visualizepage.h)
// answers for its window, the Visualize feature unit for the schedule and the
// other pages; tests answer with a small fake that keeps what it was told.
//
//   VisualizePageLogic logic(rac, tables, state, ui, texts, loaded, {view, schedule, time, pages});

#include <cstdint>
#include <functional>
#include <set>

#include "chart/customresourceallocationchart.h"
#include "platform/datetime/datetime.h"
#include "schedule/resourceworkingtime.h"
#include "schedule/workcalendar.h"

namespace tw::visualize {

struct JobSummaryRow;
struct PageControls;

// The page's own window: its timer, its clock and the chart's appearance.
class VisualizeView {
public:
    virtual ~VisualizeView() = default;

    // The 1-second timer that writes a nudged task: armed by a nudge, stopped
    // by the next one; the page calls ChartAdjuster::MicroAdjustTimer when it fires.
    virtual void StartMicroAdjust() = 0;
    virtual void StopMicroAdjust() = 0;
    // Milliseconds of a clock that never goes back (drag-versus-click).
    virtual std::int64_t MonotonicMilliseconds() = 0;
    // The other pages' settings the chart and its status bar follow (the
    // query's restrictions, the calendar's working day) read afresh: a status
    // shown while another page is in front follows that page as it stands.
    virtual void ReadOtherPageControls(PageControls& controls) = 0;
    // The chart appearance's date lines, bands and label base (the appearance
    // belongs to the widget).
    virtual void SetChartGrid(double interval, chart::TDateTimeStyle style, TDateTime base) = 0;
};

// The shared schedule under the chart: the synchronisation, the overlap test
// and the task adder.
class ChartSchedule {
public:
    virtual ~ChartSchedule() = default;

    virtual void PushChartUpdates() = 0;
    virtual void PushChartRecord(std::int32_t chartsId) = 0;
    // The working items with these keys, under one take of the lock.
    virtual void PushChartRecords(const std::set<std::int32_t>& chartsIds) = 0;
    // Runs a change of the working copy's order or of its PTR and RESOURCE
    // (which the shared tables never take) so that the synchronisation still
    // knows the tables level afterwards.
    virtual void KeepSyncLevels(const std::function<void()>& change) = 0;
    // Quiet overlap test of a task against the other tasks of its resource.
    virtual bool ResourcesAreFree(std::int32_t crewId, TDateTime start, TDateTime end,
                                  std::int32_t chartsId) = 0;
    // Adds a job summary row to the working copy (and its task-list record);
    // false when it was refused.
    virtual bool AddTaskToSchedule(const JobSummaryRow& row) = 0;
};

// The working-time engine on the calendar that governs the resource under the
// current work-calendar mode. Each call leaves that calendar loaded.
class WorkingTime : public schedule::ResourceWorkingTime {
public:
    // Loads the resource's calendar and gives it as loaded.
    virtual const schedule::WorkCalendar& LoadWorkCalendar(std::int32_t crewId) = 0;
};

// The other pages the chart reaches.
class OtherPages {
public:
    virtual ~OtherPages() = default;

    // The query of the Add / Edit / Query tab, applied again, and its
    // selection controls enabled to match the display choice.
    virtual void ApplyCustomerQuery() = 0;
    virtual void UpdateSelectControls() = 0;
    // Opens the task editor on the current record of ChartsTable3.
    virtual void ShowTaskEditor(int jobStatus) = 0;
    virtual void OpenTaskListEditor() = 0;
    // The Refresh button: every table reloaded and the chart built again.
    virtual void RefreshChart() = 0;
    // The sort choice's click: the chart built again in the order it shows.
    virtual void ChartSortByClick() = 0;
};

// The four together, as the logic is built on them.
struct PageLinks {
    VisualizeView& View;
    ChartSchedule& Schedule;
    WorkingTime& Time;
    OtherPages& Pages;
};

}  // namespace tw::visualize
