#include "schedule/visualize/taskstatusbar.h"
#include "data/records/scheduleitemrecord.h"

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "schedule/visualize/pagesupport.h"

namespace tw::visualize {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

void TaskStatusBar::ShowTaskStatusBar()
{
    ctx_.View.ReadOtherPageControls(ctx_.Controls);
    db::Table& t = ctx_.Tables.ChartsTable;
    data::UserInterface& ui = ctx_.UI;
    const std::string desc = data::TrimBlanks(ScheduleItemField(t, &ScheduleItemRecord::DESC).asString());
    ctx_.Display.CurrentTaskStart = ScheduleItemField(t, &ScheduleItemRecord::SD).asFloat();
    ctx_.Display.CurrentTaskEnd = ScheduleItemField(t, &ScheduleItemRecord::ED).asFloat();
    const std::int32_t chartsId = IntField(t, &ScheduleItemRecord::CHARTSID);
    const bool isJob = ScheduleItemField(t, &ScheduleItemRecord::JOB).asBoolean();
    const std::int32_t crewId = IntField(t, &ScheduleItemRecord::CREWID);
    const float hours = static_cast<float>(ScheduleItemField(t, &ScheduleItemRecord::HOURS).asFloat());
    const int unit = IntField(t, &ScheduleItemRecord::PIN) - 1;

    std::string customer;
    if (ctx_.Tables.CustomersTable2.locate("CID", ScheduleItemField(t, &ScheduleItemRecord::CID).value()))
        customer = data::TrimBlanks(ctx_.Tables.CustomersTable2.fieldByName("NAME").asString());

    if (ctx_.Controls.AnyQueryRestriction()) {
        ctx_.Display.TasksFound = static_cast<std::int32_t>(t.recordCount());
        ui.SetStatusText(0, "");
        ui.SetStatusText(1, std::to_string(ctx_.Display.TasksFound) + " tasks found");
        ui.SetStatusText(2, "");
    } else {
        ctx_.Display.TasksFound = 0;
        ui.SetStatusText(0, customer);
        ui.SetStatusText(1, desc);
        // Without a task there is no length to show, not "0.00 hours".
        if (!t.active() || t.isEmpty()) {
            ui.SetStatusText(2, "");
            ui.RepaintStatus();
            return;
        }
        const bool free = isJob
            || ResourcesAreFree(ctx_, crewId, ctx_.Display.CurrentTaskStart, ctx_.Display.CurrentTaskEnd,
                                chartsId);
        ui.SetStatusText(2, free ? LengthText(ctx_, crewId, unit, hours) : "Resource conflict");
    }
    ui.RepaintStatus();
}

void TaskStatusBar::WriteTaskTimes(const TResourceAllocation* bar, float hours)
{
    data::UserInterface& ui = ctx_.UI;
    db::Table& t = ctx_.Tables.ChartsTable2;
    const TDateTime start = data::RoundUpToQuarterHour(bar->StartAt());
    const TDateTime end = data::RoundUpToQuarterHour(bar->EndAt());
    if (LocateBarRecord(ctx_, t, bar)) {
        const std::int32_t crewId = IntField(t, &ScheduleItemRecord::CREWID);
        const int unit = IntField(t, &ScheduleItemRecord::PIN) - 1;
        ui.SetStatusText(0,
                         bar->Resource() != nullptr ? bar->Resource()->Name().toStdString() : std::string());
        ui.SetStatusText(1, data::DateTimeText(start) + "  to  " + data::DateTimeText(end));
        ui.SetStatusText(2, LengthText(ctx_, crewId, unit, hours));
    } else {
        ui.SetStatusText(0, "Internal error");
        ui.SetStatusText(1, "Cannot locate task record");
        ui.SetStatusText(2, "");
    }
    ui.RepaintStatus();
}

}  // namespace tw::visualize
