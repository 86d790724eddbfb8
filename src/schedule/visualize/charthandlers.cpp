#include "schedule/visualize/charthandlers.h"
#include "data/records/scheduleitemrecord.h"

#include <cstdio>

#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "schedule/axislabels.h"
#include "schedule/visualize/pagesupport.h"

namespace tw::visualize {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

std::string GeneralFloat(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

std::string ChartHandlers::RACAllocationAutoHint(const TResourceAllocation* bar)
{
    std::string hint;
    db::Table& t = ctx_.Tables.ChartsTable2;
    if (!ctx_.State.TablesOpen || !LocateBarRecord(ctx_, t, bar))
        return hint;
    const std::string desc = data::TrimBlanks(ScheduleItemField(t, &ScheduleItemRecord::DESC).asString());
    const std::string notes = data::TrimBlanks(ScheduleItemField(t, &ScheduleItemRecord::NOTES).asString());
    const bool isJob = ScheduleItemField(t, &ScheduleItemRecord::JOB).asBoolean();
    const float hours = static_cast<float>(ScheduleItemField(t, &ScheduleItemRecord::HOURS).asFloat());
    const int unit = IntField(t, &ScheduleItemRecord::PIN) - 1;
    const std::int32_t crewId = IntField(t, &ScheduleItemRecord::CREWID);
    const std::int32_t series = IntField(t, &ScheduleItemRecord::CHAIN);
    const std::int32_t repeat = IntField(t, &ScheduleItemRecord::REPEAT);
    const std::int32_t chartsId = IntField(t, &ScheduleItemRecord::CHARTSID);
    const int status = isJob ? 0 : IntField(t, &ScheduleItemRecord::BIDID);

    const int mode = ctx_.State.HintMode;
    if (mode < 3) {
        const TDateTime start = data::RoundUpToQuarterHour(bar->StartAt());
        const TDateTime end = data::RoundUpToQuarterHour(bar->EndAt());
        const std::string overlap = ResourcesAreFree(ctx_, crewId, start, end, chartsId)
            ? std::string()
            : std::string("Overlaps another task using same resource.");
        const double span = ctx_.Display.ChartSpanDays;
        const std::string startText =
            schedule::ChartDateLabelText(start, span) + " " + schedule::TimeTextWithoutSeconds(start);
        const std::string endText =
            schedule::ChartDateLabelText(end, span) + " " + schedule::TimeTextWithoutSeconds(end);
        if (mode == 2) {
            hint = desc + ":  " + startText + " to " + endText;
        } else {
            std::string firstLine;
            if (isJob) {
                firstLine = "Job\n";
            } else {
                const char* kind = ":  Single.  ";
                if (series > 0)
                    kind = ":  Reoccurring.  ";
                else if (repeat > 0)
                    kind = ":  Repeated.  ";
                firstLine =
                    desc + kind + overlap + "  Status: " + ctx_.StatusTexts.JobStatusName(status) + "\n";
            }
            hint = firstLine + startText + " to " + endText + "\n" + LengthText(ctx_, crewId, unit, hours);
            if (mode == 0 && !notes.empty())
                hint += "\n" + notes;
        }
    }

    if (ctx_.State.HintDetail && !isJob) {
        hint = hint.empty() ? "Assigned to:" : hint + "\nAssigned to:";
        auto resourceLine = [&](std::int32_t id, bool primary) {
            db::Table& crews = ctx_.Tables.CrewsTable;
            if (!crews.locate("CREWID", db::Value(static_cast<double>(id)))) {
                if (primary)
                    hint += "\n  Unknown;  0 Hours per week";
                return;
            }
            const std::string name = data::TrimBlanks(crews.fieldByName("DESC").asString());
            const schedule::WorkCalendar& calendar = ctx_.Time.LoadWorkCalendar(id);
            hint += "\n  " + name + ";  " + GeneralFloat(calendar.HoursPerWeek()) + " Hours per week";
        };
        resourceLine(crewId, true);
        db::Table& assignments = ctx_.Tables.ICrewsTable2;
        if (assignments.active()) {
            for (assignments.first(); !assignments.eof(); assignments.next()) {
                if (IntField(assignments, "CHARTSID") != chartsId)
                    continue;
                const std::int32_t other = IntField(assignments, "CREWID");
                if (other != crewId)
                    resourceLine(other, false);
            }
        }
    }
    return hint;
}

void ChartHandlers::RACAllocationClick(TResourceAllocation* bar)
{
    if (ctx_.State.DependencySetupMode) {
        dependencies_.BarClicked(bar);
        return;
    }
    ChartState& chart = ctx_.Chart;
    chart.SelectedBar = bar;
    if (chart.HighlightedBar != nullptr)
        chart.HighlightedBar->SetColor(chart.HighlightedBarColour);
    if (!ctx_.State.ReadOnlyCopy && ctx_.Controls.ShowJobsOnly != 0) {
        ctx_.Controls.TaskControlsEnabled = true;
        ctx_.Controls.ResetDependenciesEnabled = true;
    }
    chart.HighlightedBarColour = bar->Color();
    bar->SetColor(kHighlightColour);
    chart.HighlightedBar = bar;
    db::Table& t = ctx_.Tables.ChartsTable2;
    if (LocateBarRecord(ctx_, t, bar))
        status_.WriteTaskTimes(bar, static_cast<float>(ScheduleItemField(t, &ScheduleItemRecord::HOURS).asFloat()));
}

void ChartHandlers::RACAllocationDblClick(TResourceAllocation* bar)
{
    if (ctx_.State.DependencySetupMode || ctx_.State.ReadOnlyCopy)
        return;
    db::Table& third = ctx_.Tables.ChartsTable3;
    if (LocateBarRecord(ctx_, third, bar)) {
        EditTask();
        return;
    }
    db::Table& second = ctx_.Tables.ChartsTable2;
    if (LocateBarRecord(ctx_, second, bar)
        && third.locate("CHARTSID", ScheduleItemField(second, &ScheduleItemRecord::CHARTSID).value())) {
        EditTask();
        return;
    }
    ctx_.UI.SetStatusText(0, "Cannot locate task record");
}

void ChartHandlers::EditTask()
{
    db::Table& t = ctx_.Tables.ChartsTable3;
    if (ScheduleItemField(t, &ScheduleItemRecord::JOB).asBoolean()) {
        ctx_.UI.SetStatusText(0, "You are not allowed to edit a job");
        return;
    }
    const std::string desc = ScheduleItemField(t, &ScheduleItemRecord::DESC).asString();
    const int status = IntField(t, &ScheduleItemRecord::BIDID);
    const std::int32_t chartsId = IntField(t, &ScheduleItemRecord::CHARTSID);
    builder_.SaveAndClearAllocations(true);
    // The write-back refreshes the cursors; the editor opens on this task.
    t.locate("CHARTSID", db::Value(static_cast<double>(chartsId)));
    ctx_.UI.SetStatusText(0, "Edit " + desc);
    ctx_.Pages.ShowTaskEditor(status);
}

bool ChartHandlers::RACAllocationDragStart(TResourceAllocation* bar)
{
    // A read-only copy shows its tasks; moving one would change only the
    // working copy, and the next poll would silently take it back.
    const bool allow = ctx_.Controls.ShowJobsOnly == 1 && !ctx_.State.ReadOnlyCopy;
    if (allow && !ctx_.State.DependencySetupMode) {
        dragStartTime_ = ctx_.View.MonotonicMilliseconds();
        ctx_.Chart.DragSavedStart = bar->StartAt();
        ctx_.Chart.DragSavedEnd = bar->EndAt();
    }
    return allow;
}

void ChartHandlers::PutBarBack(TResourceAllocation* bar)
{
    dates_.SetAllocationTimes(bar, true, ctx_.Chart.DragSavedStart, ctx_.Chart.DragSavedEnd);
}

void ChartHandlers::RACAllocationDragEnd(TResourceAllocation* bar)
{
    if (ctx_.Controls.ShowJobsOnly != 1 || ctx_.State.DependencySetupMode)
        return;
    if (ctx_.View.MonotonicMilliseconds() - dragStartTime_ <= kClickMilliseconds) {
        PutBarBack(bar);
        return;
    }
    // A bar whose record went away (a pull parts them) is only put back.
    if (!dates_.SetAllocationTimes(bar, true, bar->StartAt(), bar->EndAt())
        || !LocateBarRecord(ctx_, ctx_.Tables.ChartsTable2, bar)) {
        PutBarBack(bar);
        return;
    }
    const float hours = builder_.RecalcTaskTimes(true, bar);
    if (hours <= 0) {
        PutBarBack(bar);
        ctx_.UI.SetStatusText(2, "Resource conflict");
        ctx_.UI.RepaintStatus();
        return;
    }
    builder_.AlignLinkedBars(bar);
    status_.WriteTaskTimes(bar, hours);
    db::Table& t = ctx_.Tables.ChartsTable2;
    if (LocateBarRecord(ctx_, t, bar))
        ctx_.Schedule.PushChartRecord(IntField(t, &ScheduleItemRecord::CHARTSID));
}

void ChartHandlers::ShowJobsOnlyClick(int choice)
{
    if (ctx_.State.DependencySetupMode)
        return;
    builder_.SaveAndClearAllocations(true);
    ctx_.Controls.ShowJobsOnly = choice;
    if (choice == 0) {
        ctx_.Controls.RestrictTasksToCrew = false;
        ctx_.Controls.TaskControlsEnabled = false;
        ctx_.Controls.SetDependenciesEnabled = false;
    } else {
        ctx_.Controls.TaskControlsEnabled = true;
        ctx_.Controls.SetDependenciesEnabled = true;
    }
    ctx_.Pages.UpdateSelectControls();
    ctx_.Pages.ApplyCustomerQuery();
    builder_.BuildChart(false);
}

void ChartHandlers::EditChartButtonClick()
{
    if (ctx_.State.DependencySetupMode || ctx_.State.ReadOnlyCopy)
        return;
    builder_.SaveAndClearAllocations(true);
    ctx_.Pages.OpenTaskListEditor();
}

const std::string* ChartHandlers::HeadingCaption(const TRACResource* row) const
{
    const auto& rows = ctx_.Chart.HeadingRows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == row)
            return &ctx_.Chart.HeadingCaptions[i];
    return nullptr;
}

}  // namespace tw::visualize
