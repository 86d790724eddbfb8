#include "schedule/visualize/chartadjust.h"

#include "data/quartergrid.h"
#include "platform/datetime/datetime.h"
#include "schedule/visualize/pagesupport.h"

namespace tw::visualize {

namespace {
constexpr double kNudgeStep = data::kQuarterHour;
constexpr double kSmallestZoomSpan = data::kQuarterHour;
}  // namespace

void ChartAdjuster::DecreScheduleClick()
{
    NudgeSelectedBar(Nudge::Compress);
}
void ChartAdjuster::IncreScheduleClick()
{
    NudgeSelectedBar(Nudge::Lengthen);
}
void ChartAdjuster::MoveTaskLeftClick()
{
    NudgeSelectedBar(Nudge::Left);
}
void ChartAdjuster::MoveTaskRightClick()
{
    NudgeSelectedBar(Nudge::Right);
}

void ChartAdjuster::StopMicroAdjust()
{
    ctx_.View.StopMicroAdjust();
}

void ChartAdjuster::NudgeSelectedBar(Nudge nudge)
{
    TResourceAllocation* bar = ctx_.Chart.SelectedBar;
    if (ctx_.State.DependencySetupMode || ctx_.State.ReadOnlyCopy || bar == nullptr)
        return;
    StopMicroAdjust();
    ChartState& chart = ctx_.Chart;
    chart.DragSavedStart = bar->StartAt();
    chart.DragSavedEnd = bar->EndAt();

    TDateTime start = chart.DragSavedStart;
    TDateTime end = chart.DragSavedEnd;
    switch (nudge) {
    case Nudge::Compress:
        // A task never becomes shorter than one step.
        if (end - kNudgeStep - start >= kNudgeStep - 1e-9)
            end -= kNudgeStep;
        break;
    case Nudge::Lengthen: end += kNudgeStep; break;
    case Nudge::Left:
        start -= kNudgeStep;
        end -= kNudgeStep;
        break;
    case Nudge::Right:
        start += kNudgeStep;
        end += kNudgeStep;
        break;
    }
    if (!dates_.SetAllocationTimes(bar, true, start, end)) {
        dates_.SetAllocationTimes(bar, true, chart.DragSavedStart, chart.DragSavedEnd);
        return;
    }
    const bool move = nudge == Nudge::Left || nudge == Nudge::Right;
    const float hours = builder_.RecalcTaskTimes(move, bar);
    if (hours <= 0) {
        dates_.SetAllocationTimes(bar, true, chart.DragSavedStart, chart.DragSavedEnd);
        return;
    }
    builder_.AlignLinkedBars(bar);
    status_.WriteTaskTimes(bar, hours);
    if (LocateBarRecord(ctx_, ctx_.Tables.ChartsTable2, bar))
        nudgedTask_ = IntField(ctx_.Tables.ChartsTable2, "CHARTSID");
    ctx_.State.NudgePending = true;
    ctx_.View.StartMicroAdjust();
}

void ChartAdjuster::MicroAdjustTimer()
{
    StopMicroAdjust();
    if (!ctx_.State.NudgePending)
        return;
    ctx_.State.NudgePending = false;
    if (nudgedTask_ != 0)
        ctx_.Schedule.PushChartRecord(nudgedTask_);
}

void ChartAdjuster::Zoom(TDateTime start, TDateTime end)
{
    dates_.SetChartDateRange(true, start, end);
    if (start < ctx_.Display.EarliestBarStart)
        ctx_.Display.EarliestBarStart = start;
    if (end > ctx_.Display.LatestBarEnd)
        ctx_.Display.LatestBarEnd = end;
    dates_.SetChartPeriod(start, end);
}

void ChartAdjuster::ZoomOutClick()
{
    if (ctx_.State.DependencySetupMode)
        return;
    TDateTime start = ctx_.RAC.StartAt();
    TDateTime end = ctx_.RAC.EndAt();
    ctx_.Display.ZoomMargin = 0.01 * (end - start);
    start -= ctx_.Display.ZoomMargin;
    end += ctx_.Display.ZoomMargin;
    if (ctx_.Controls.RestrictByDate) {
        // Under a date restriction the query widens instead, and the chart follows it.
        ctx_.Controls.TaskStartDate = ComposeDateTime(DatePart(start), TimePart(ctx_.Controls.TaskStartDate));
        ctx_.Controls.TaskEndDate = ComposeDateTime(DatePart(end), TimePart(ctx_.Controls.TaskEndDate));
        ctx_.Pages.ApplyCustomerQuery();
        builder_.BuildChart(true);
        status_.ShowTaskStatusBar();
        return;
    }
    Zoom(start, end);
}

void ChartAdjuster::ZoomInClick()
{
    if (ctx_.State.DependencySetupMode)
        return;
    ctx_.Display.ZoomMargin = 0.01 * (ctx_.RAC.EndAt() - ctx_.RAC.StartAt());
    const TDateTime start = ctx_.RAC.StartAt() + ctx_.Display.ZoomMargin;
    const TDateTime end = ctx_.RAC.EndAt() - ctx_.Display.ZoomMargin;
    if (end - start >= kSmallestZoomSpan - 1e-9)
        Zoom(start, end);
}

void ChartAdjuster::ZoomForwardClick()
{
    if (ctx_.State.DependencySetupMode)
        return;
    db::Table& t = ctx_.Tables.ChartsTable3;
    // An empty working copy has no task to show: the chart stays as it is.
    if (!t.active() || t.isEmpty())
        return;
    TDateTime sd = 0;
    TDateTime ed = 0;
    std::int32_t count = 0;
    for (t.first(); !t.eof(); t.next()) {
        ++count;
        sd = t.fieldByName("SD").asFloat();
        ed = t.fieldByName("ED").asFloat();
        if (count == ctx_.Display.ZoomStep)
            break;
    }
    const TDateTime start = sd;
    const TDateTime end = sd + 2 * (ed - sd);
    dates_.SetChartDateRange(true, start, end);
    dates_.SetChartPeriod(start, end);
    ++ctx_.Display.ZoomStep;
}

void ChartAdjuster::ZoomBackwardClick()
{
    ctx_.Display.ZoomStep -= 2;
    if (ctx_.Display.ZoomStep < 1)
        ctx_.Display.ZoomStep = 1;
    ZoomForwardClick();
}

void ChartAdjuster::AlignLeftClick()
{
    if (!ctx_.State.DependencySetupMode)
        dates_.FitChartPeriod(true, false);
}

void ChartAdjuster::AlignRightClick()
{
    if (!ctx_.State.DependencySetupMode)
        dates_.FitChartPeriod(false, true);
}

}  // namespace tw::visualize
