#include "schedule/taskresources/taskresources.h"
#include "data/records/scheduleitemrecord.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "data/services/busyscopes.h"
#include "data/durationtext.h"
#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "data/updatecount.h"
#include "schedule/sync/resourceoverlap.h"

namespace tw::schedule {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

std::int32_t Int(db::Table& t, const char* name)
{
    return t.fieldByName(name).asInteger();
}

// A key of the task's own row.
std::int32_t Int(db::Table& task, std::int32_t ScheduleItemRecord::*member)
{
    return ScheduleItemField(task, member).asInteger();
}

db::Value Key(std::int32_t key)
{
    return db::Value(static_cast<double>(key));
}

}  // namespace

TaskResources::TaskResources(TaskResourceContext context) : c_(std::move(context)) {}

void TaskResources::Status(int panel, const std::string& text)
{
    for (int i = 0; i < 3; ++i)
        c_.UI.SetStatusText(i, i == panel ? text : std::string());
    c_.UI.RepaintStatus();
}

int TaskResources::CountAssignments(std::int32_t chartsId, std::int32_t resourceId, bool& hasResource)
{
    int count = 0;
    hasResource = false;
    db::Table& rows = c_.Assignments;
    rows.refresh();
    for (rows.first(); !rows.eof(); rows.next()) {
        if (Int(rows, "CHARTSID") != chartsId)
            continue;
        ++count;
        if (Int(rows, "CREWID") == resourceId)
            hasResource = true;
    }
    return count;
}

void TaskResources::RecomputeTaskEnd(std::int32_t resourceId, db::Table& table)
{
    const float hours = static_cast<float>(ScheduleItemField(table, &ScheduleItemRecord::HOURS).asFloat());
    c_.Calendars.LoadWorkCalendar(true, resourceId);
    int unit = -1;
    std::string word;
    data::DurationText(c_.Calendars.Loaded().Hours(), unit, hours, word);
    TDateTime start = ScheduleItemField(table, &ScheduleItemRecord::SD).asFloat();
    const TDateTime end = c_.Calendars.ComputeTaskEnd(resourceId, start, start, hours);
    ScheduleItemField(table, &ScheduleItemRecord::PIN).setAsInteger(unit + 1);
    ScheduleItemField(table, &ScheduleItemRecord::SD).setAsFloat(start);
    ScheduleItemField(table, &ScheduleItemRecord::ED).setAsFloat(end);
    ScheduleItemField(table, &ScheduleItemRecord::SDD).setAsDate(start);
    ScheduleItemField(table, &ScheduleItemRecord::EDD).setAsDate(end);
}

void TaskResources::AddResourceToTask()
{
    if (c_.State.ReadOnlyCopy || c_.Crews.isEmpty() || c_.Charts.isEmpty())
        return;
    data::BusyScope busy(c_.UI);
    c_.Crews.refresh();
    const std::string resourceName = data::TrimBlanks(c_.Crews.fieldByName("DESC").asString());
    const std::int32_t resource = Int(c_.Crews, "CREWID");
    db::Table& task = c_.Charts;
    const std::string taskName = data::TrimBlanks(ScheduleItemField(task, &ScheduleItemRecord::DESC).asString());
    const std::int32_t primary = Int(task, &ScheduleItemRecord::CREWID);
    const std::int32_t chartsId = Int(task, &ScheduleItemRecord::CHARTSID);
    // The assignment row carries the task's own job, whatever job the grids show.
    const std::int32_t jobKey = Int(task, &ScheduleItemRecord::JID);
    const TDateTime start = data::RoundUpToQuarterHour(ScheduleItemField(task, &ScheduleItemRecord::SD).asFloat());
    const TDateTime end = data::RoundUpToQuarterHour(ScheduleItemField(task, &ScheduleItemRecord::ED).asFloat());

    if (!ResourcesAreFree(c_.Tables, c_.UI, false, resource, start, end, chartsId))
        return;

    const double count = data::NextUpdateCount(static_cast<float>(ScheduleItemField(task, &ScheduleItemRecord::UPDATE).asFloat()));
    c_.State.UpdateCounter = static_cast<float>(count);
    task.edit();
    // The task follows its primary resource's calendar; a further resource
    // leaves its dates alone unless it becomes the primary one.
    if (primary == 0) {
        RecomputeTaskEnd(resource, task);
        ScheduleItemField(task, &ScheduleItemRecord::CREWID).setAsInteger(resource);
        ScheduleItemField(task, &ScheduleItemRecord::TDESC).setAsString(resourceName);
    }
    ScheduleItemField(task, &ScheduleItemRecord::UPDATE).setAsFloat(count);
    task.post();

    const bool added = c_.Adder.AddCrewIndexRow(chartsId, resource, jobKey);
    Status(1, resourceName + (added ? " assigned to " : " already assigned to ") + taskName);
    for (db::Table* t : {&c_.Charts, &c_.Tables.ChartsTable2, &c_.Tables.ChartsTable3})
        t->refresh();
    c_.Sync.PushChartRecord(chartsId);
}

void TaskResources::RemoveResourceFromTask()
{
    if (c_.State.ReadOnlyCopy || c_.Crews.isEmpty() || c_.Charts.isEmpty())
        return;
    db::Table& task = c_.Charts;
    const std::int32_t primary = Int(task, &ScheduleItemRecord::CREWID);
    const std::int32_t chartsId = Int(task, &ScheduleItemRecord::CHARTSID);
    const std::int32_t resource = Int(c_.Crews, "CREWID");

    bool assigned = false;
    if (CountAssignments(chartsId, resource, assigned) < 2) {
        Status(1, "At least one resource must be assigned to a task");
        return;
    }
    db::Table& rows = c_.Assignments;
    if (rows.locate("CHARTSID;CREWID", {Key(chartsId), Key(resource)})) {
        rows.deleteRecord();
        rows.refresh();
    }
    if (c_.ShowResourcesOfTask)
        c_.ShowResourcesOfTask(chartsId);

    std::vector<std::int32_t> left;
    rows.refresh();
    for (rows.first(); !rows.eof(); rows.next())
        if (Int(rows, "CHARTSID") == chartsId)
            left.push_back(Int(rows, "CREWID"));
    if (resource != primary && !left.empty())
        return;
    // The primary resource went: the first remaining one takes its place, as
    // the resources grid lists them now.
    std::int32_t newPrimary = 0;
    if (!left.empty()) {
        newPrimary = left.front();
        c_.Crews.refresh();
        c_.Crews.first();
        if (!c_.Crews.eof() && std::find(left.begin(), left.end(), Int(c_.Crews, "CREWID")) != left.end())
            newPrimary = Int(c_.Crews, "CREWID");
    }
    const double count = data::NextUpdateCount(static_cast<float>(ScheduleItemField(task, &ScheduleItemRecord::UPDATE).asFloat()));
    c_.State.UpdateCounter = static_cast<float>(count);
    task.edit();
    ScheduleItemField(task, &ScheduleItemRecord::UPDATE).setAsFloat(count);
    ScheduleItemField(task, &ScheduleItemRecord::CREWID).setAsInteger(newPrimary);
    task.post();
    c_.Sync.PushChartRecord(chartsId);
    task.refresh();
}

void TaskResources::CrewsGridDblClick()
{
    if (c_.State.ReadOnlyCopy || c_.Crews.isEmpty())
        return;
    c_.Crews.refresh();
    db::Table& task = c_.Charts;
    if (task.isEmpty())
        return;
    data::BusyScope busy(c_.UI);
    const std::int32_t chartsId = Int(task, &ScheduleItemRecord::CHARTSID);
    const TDateTime start = ScheduleItemField(task, &ScheduleItemRecord::SD).asFloat();
    const TDateTime end = ScheduleItemField(task, &ScheduleItemRecord::ED).asFloat();
    const std::int32_t current = Int(task, &ScheduleItemRecord::CREWID);
    const bool currentConflicts = !ResourcesAreFree(c_.Tables, c_.UI, true, current, start, end, chartsId);

    const std::int32_t selected = Int(c_.Crews, "CREWID");
    const std::string resourceName = data::TrimBlanks(c_.Crews.fieldByName("DESC").asString());
    const std::string taskName = data::TrimBlanks(ScheduleItemField(task, &ScheduleItemRecord::DESC).asString());

    bool inGroup = false;
    const int count = CountAssignments(chartsId, selected, inGroup);
    if (!inGroup && count > 1) {
        Status(1, "Selected resource must be part of resource group for this task");
        return;
    }

    bool changed = true;
    if (current != selected) {
        const bool newFree =
            ResourcesAreFree(c_.Tables, c_.UI, currentConflicts, selected, data::RoundUpToQuarterHour(start),
                             data::RoundUpToQuarterHour(end), chartsId);
        if (!currentConflicts && !newFree) {
            changed = false;
        } else {
            const double update =
                data::NextUpdateCount(static_cast<float>(ScheduleItemField(task, &ScheduleItemRecord::UPDATE).asFloat()));
            c_.State.UpdateCounter = static_cast<float>(update);
            task.edit();
            RecomputeTaskEnd(selected, task);
            ScheduleItemField(task, &ScheduleItemRecord::CREWID).setAsInteger(selected);
            ScheduleItemField(task, &ScheduleItemRecord::UPDATE).setAsFloat(update);
            ScheduleItemField(task, &ScheduleItemRecord::TDESC).setAsString(resourceName);
            task.post();
            task.refresh();
            if (count == 1 && c_.Assignments.locate("CHARTSID;JOB", {Key(chartsId), db::Value(false)})) {
                c_.Assignments.edit();
                c_.Assignments.fieldByName("CREWID").setAsInteger(selected);
                c_.Assignments.post();
            }
        }
    }

    c_.Calendars.RecomputeAllTaskEnds(c_.Tables.ChartsTable5, c_.Charts);
    if (!changed)
        return;
    Status(1, resourceName + (count == 1 ? " assigned to " : " is primary resource for ") + taskName);
    c_.Sync.PushChartRecord(chartsId);
    if (c_.ShowResourcesOfTask)
        c_.ShowResourcesOfTask(chartsId);
}

}  // namespace tw::schedule
