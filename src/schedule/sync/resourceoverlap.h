#pragma once
// Whether a resource is free over an interval: no other task of the
// resource, or of the task's further resources, overlaps it strictly.
// Touching intervals are free; job summary rows and tasks of the same
// dependency chain do not count. Judged by the assignment rows (ICrews.DBF)
// and this workstation's working copy, through the cursors ICrewsTable3 and
// ChartsTable7. The check keeps the tasks of the resources it was asked
// about between calls (GUI thread only) and reads only what was written
// since, so its cost does not grow with the resource's tasks.

#include <cstdint>

#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "schedule/sync/scheduletables.h"

namespace tw::schedule {

// taskKey is the CHARTSID of the task being checked (0 for one not stored
// yet). Unless quiet, an overlap is reported in a message box first.
bool ResourcesAreFree(ScheduleTables& tables, data::UserInterface& ui, bool quiet, std::int32_t resourceId,
                      TDateTime start, TDateTime end, std::int32_t taskKey);

}  // namespace tw::schedule
