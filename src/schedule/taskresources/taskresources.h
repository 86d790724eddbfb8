#pragma once
// The resources of a task: one assignment row (ICrews.DBF) per resource, one
// of them the task's primary resource (CREWID of the schedule item), whose
// calendar lays the task out. Adding and removing a resource, and making one
// primary, act on the current task and the current resource of the Add /
// Edit / Query tab.

#include <cstdint>
#include <functional>
#include <string>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/calendartables.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"

namespace tw::schedule {

struct TaskResourceContext {
    db::Table& Charts;       // the working copy's view; its current record is the task
    db::Table& Crews;        // crews.dbf; its current record is the chosen resource
    db::Table& Assignments;  // ICrews.DBF, walked and searched
    ScheduleTables& Tables;
    data::MainScreenState& State;
    data::UserInterface& UI;
    ScheduleAdder& Adder;
    ScheduleSync& Sync;
    CalendarTables& Calendars;
    // The resources grid lists the task's resources (or all of them).
    std::function<void(std::int32_t chartsId)> ShowResourcesOfTask;
};

class TaskResources {
public:
    explicit TaskResources(TaskResourceContext context);

    void AddResourceToTask();
    void RemoveResourceFromTask();
    // A double click on a resource: it becomes the task's primary resource.
    void CrewsGridDblClick();

    // Lays the current record of `table` (in edit mode) onto the resource's
    // calendar: PIN, SD, ED, SDD, EDD. The caller posts.
    void RecomputeTaskEnd(std::int32_t resourceId, db::Table& table);

private:
    void Status(int panel, const std::string& text);
    int CountAssignments(std::int32_t chartsId, std::int32_t resourceId, bool& hasResource);

    TaskResourceContext c_;
};

}  // namespace tw::schedule
