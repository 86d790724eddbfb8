#pragma once
// The page's working-time hooks on the calendar tables: the engine on the
// calendar that governs each resource under the current calendar mode.

#include "schedule/sync/calendartables.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

// The hooks keep a reference to calendars, which must outlive them.
void ConnectCalendarTables(VisualizeHooks& hooks, schedule::CalendarTables& calendars);

}  // namespace tw::visualize
