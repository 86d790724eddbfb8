#pragma once
// The page's fine task adjustment (nudging the selected bar by 15 minutes)
// and overall chart adjustment (zoom in and out, stepping from task to task,
// aligning the period to the bars).
//
// A nudge writes the working record at once and arms the 1-second timer; the
// task goes to the shared tables only when the timer fires, so a held button
// writes it once. Until then NudgePending in the run state is set, and the
// update poll must stand aside: a pull would bring the shared record's old
// times back over the nudged one.

#include "schedule/visualize/chartbuilder.h"
#include "schedule/visualize/chartdates.h"
#include "schedule/visualize/taskstatusbar.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

// The hints of the four press-and-hold nudge buttons.
inline constexpr const char* kDecreScheduleHint = "Click and hold to compress task";
inline constexpr const char* kIncreScheduleHint = "Click and hold to lengthen task";
inline constexpr const char* kMoveTaskLeftHint = "Click and hold to move task left";
inline constexpr const char* kMoveTaskRightHint = "Click and hold to move task right";

class ChartAdjuster {
public:
    ChartAdjuster(VisualizeContext& ctx, ChartDates& dates, ChartBuilder& builder, TaskStatusBar& status)
        : ctx_(ctx),
          dates_(dates),
          builder_(builder),
          status_(status)
    {}

    void DecreScheduleClick();
    void IncreScheduleClick();
    void MoveTaskLeftClick();
    void MoveTaskRightClick();
    // The 1-second timer fired: the nudged task goes to the shared tables.
    void MicroAdjustTimer();

    void ZoomOutClick();
    void ZoomInClick();
    void ZoomForwardClick();
    void ZoomBackwardClick();
    void AlignLeftClick();
    void AlignRightClick();

private:
    enum class Nudge { Compress, Lengthen, Left, Right };
    void NudgeSelectedBar(Nudge nudge);
    void StopMicroAdjust();
    void Zoom(TDateTime start, TDateTime end);

    VisualizeContext& ctx_;
    ChartDates& dates_;
    ChartBuilder& builder_;
    TaskStatusBar& status_;
    std::int32_t nudgedTask_ = 0;
};

}  // namespace tw::visualize
