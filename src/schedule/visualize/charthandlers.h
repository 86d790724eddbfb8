#pragma once
// What the chart's events do on the Visualize page: the hint of a bar, the
// click (highlight and select, or a step of the dependency set-up), the
// double click that opens the task editor, a bar's move, which is accepted
// only when the task still fits its resource, the job heading bands and the
// switch between job and task display.

#include <cstdint>
#include <string>

#include "schedule/visualize/chartbuilder.h"
#include "schedule/visualize/chartdates.h"
#include "schedule/visualize/dependencysetup.h"
#include "schedule/visualize/taskstatusbar.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

inline constexpr TColor kHighlightColour = 0xFFFF99;
inline constexpr TColor kHeadingBandColour = 0xFADCDF;
// A press released within this time is a click, not a move.
inline constexpr std::int64_t kClickMilliseconds = 250;

class ChartHandlers {
public:
    ChartHandlers(VisualizeContext& ctx, ChartDates& dates, ChartBuilder& builder, TaskStatusBar& status,
                  DependencySetup& dependencies)
        : ctx_(ctx),
          dates_(dates),
          builder_(builder),
          status_(status),
          dependencies_(dependencies)
    {}

    std::string RACAllocationAutoHint(const TResourceAllocation* bar);
    void RACAllocationClick(TResourceAllocation* bar);
    void RACAllocationDblClick(TResourceAllocation* bar);
    bool RACAllocationDragStart(TResourceAllocation* bar);
    void RACAllocationDragEnd(TResourceAllocation* bar);
    void ShowJobsOnlyClick(int choice);
    void EditChartButtonClick();
    // Opens the task editor for the current record of ChartsTable3.
    void EditTask();

    // The heading caption of a row, nullptr when the row is no heading row.
    const std::string* HeadingCaption(const TRACResource* row) const;

private:
    void PutBarBack(TResourceAllocation* bar);

    VisualizeContext& ctx_;
    ChartDates& dates_;
    ChartBuilder& builder_;
    TaskStatusBar& status_;
    DependencySetup& dependencies_;
    std::int64_t dragStartTime_ = 0;
};

}  // namespace tw::visualize
