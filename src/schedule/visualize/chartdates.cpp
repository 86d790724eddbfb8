#include "schedule/visualize/chartdates.h"

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "schedule/axislabels.h"
#include "schedule/timeofday.h"

namespace tw::visualize {

using data::RoundUpToQuarterHour;

void ChartDates::ShowFirstPanel(const char* text)
{
    ctx_.UI.SetStatusText(0, text);
    ctx_.UI.RepaintStatus();
}

const char* ChartDates::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    if (update)
        ctx_.RAC.BeginUpdate();
    // The grid follows the span the chart will show, so a reversed pair is
    // put in order first.
    const bool reversed = end < start;
    if (reversed)
        std::swap(start, end);
    const double span = end - start;

    double interval = 28.0;
    chart::TDateTimeStyle style = chart::dtDateOnly;
    if (span <= kOneHour) {
        interval = kTwelveMinutes;
        style = chart::dtDateAndTime;
    } else if (span <= 1.0) {
        interval = kOneHour;
        style = chart::dtDateAndTime;
    } else if (span < 8.0) {
        interval = 1.0;
        style = chart::dtDateAndTime;
    } else if (span < 32.0) {
        interval = 1.0;
    } else if (span < 94.0) {
        interval = 7.0;
    }
    ctx_.Display.ChartGridInterval = interval;
    const TDateTime base = ctx_.Controls.SpecifyWorkingDay
        ? schedule::CombineDateTime(ctx_.Controls.StartDayTime, ctx_.Controls.StartDayTime)
        : 0.0;
    ctx_.View.SetChartGrid(interval, style, base);
    ctx_.Display.ChartGridCount = span / interval;

    const TDateTime from = RoundUpToQuarterHour(start);
    const char* correction = nullptr;
    if (span == 0) {
        ctx_.RAC.SetDateTime(from, RoundUpToQuarterHour(start + 1.0));
        correction = "End date was set one day later";
    } else {
        ctx_.RAC.SetDateTime(from, RoundUpToQuarterHour(end));
        if (reversed)
            correction = "Start and end dates were reversed";
    }
    if (correction)
        ShowFirstPanel(correction);
    if (update)
        ctx_.RAC.EndUpdate();
    return correction;
}

bool ChartDates::SetAllocationTimes(TResourceAllocation* bar, bool update, TDateTime start, TDateTime end)
{
    if (update)
        bar->BeginUpdate();
    bool taken = true;
    try {
        if (end > start) {
            bar->SetDateTime(start, end);
        } else if (end == start) {
            bar->SetDateTime(start, start + 1.0);
            ShowFirstPanel("End date was set one day later");
        } else {
            bar->SetDateTime(end, start);
            ShowFirstPanel("Start and end dates were reversed");
        }
    } catch (const chart::EBadValueException&) {
        taken = false;
    }
    if (update)
        bar->EndUpdate();
    return taken;
}

void ChartDates::SetChartPeriod(TDateTime start, TDateTime end)
{
    ctx_.Display.ChartSpanDays = end - start;
    ctx_.Controls.ChartStartDateCaption = data::DateTimeText(RoundUpToQuarterHour(start));
    ctx_.Controls.ChartEndDateCaption = data::DateTimeText(RoundUpToQuarterHour(end));
}

void ChartDates::FitChartPeriod(bool alignLeft, bool alignRight)
{
    const double span = ctx_.RAC.EndAt() - ctx_.RAC.StartAt();
    const auto& bars = ctx_.Chart.ChartBars;
    if (bars.empty()) {
        ctx_.Controls.ChartStartDateCaption = "Chart start date";
        ctx_.Controls.ChartEndDateCaption = "Chart end date";
        return;
    }
    TDateTime earliest = bars.front()->StartAt();
    TDateTime latest = bars.front()->EndAt();
    for (const TResourceAllocation* bar : bars) {
        if (bar->StartAt() < earliest)
            earliest = bar->StartAt();
        if (bar->EndAt() > latest)
            latest = bar->EndAt();
    }
    ctx_.Display.EarliestBarStart = earliest;
    ctx_.Display.LatestBarEnd = latest;

    TDateTime start = earliest;
    TDateTime end = latest;
    if (alignLeft) {
        end = start + span;
    } else if (alignRight) {
        start = end - span;
    }
    if (ctx_.Controls.RestrictByDate) {
        start = schedule::CombineDateTime(ctx_.Controls.TaskStartDate, ctx_.LoadedCalendar.WorkDayStart());
        end = schedule::CombineDateTime(ctx_.Controls.TaskEndDate, ctx_.LoadedCalendar.WorkDayEnd());
    }
    SetChartDateRange(true, start, end);
    SetChartPeriod(start, end);
}

void ChartDates::RACDateRangeChange()
{
    ctx_.Display.ChartStartAt = ctx_.RAC.StartAt();
    ctx_.Display.ChartEndAt = ctx_.RAC.EndAt();
}

void ChartDates::RACDragPlotEnd()
{
    SetChartPeriod(ctx_.RAC.StartAt(), ctx_.RAC.EndAt());
}

void ChartDates::RACGetDateTimeLabelText(TDateTime dateTime, std::string& dateText, std::string& timeText)
{
    ctx_.Display.ChartSpanDays = ctx_.RAC.EndAt() - ctx_.RAC.StartAt();
    schedule::GetDateTimeLabelText(ctx_.RAC.StartAt(), ctx_.RAC.EndAt(), dateTime, dateText, timeText);
}

}  // namespace tw::visualize
