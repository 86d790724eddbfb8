#pragma once
// The status bar's description of the current schedule item (or of the
// number of tasks a query found) and of a bar just nudged, dragged or clicked.

#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

class TaskStatusBar {
public:
    explicit TaskStatusBar(VisualizeContext& ctx) : ctx_(ctx) {}

    // Describes the current record of ChartsTable.
    void ShowTaskStatusBar();
    void WriteTaskTimes(const TResourceAllocation* bar, float hours);

private:
    VisualizeContext& ctx_;
};

}  // namespace tw::visualize
