#pragma once
// Converts the schedule table of older releases (charts.dbf in the older
// 31-field layout, found in a schedule or restore folder) into this
// workstation's working copy, once.
//
// The converted records are pushed to the shared tables under the lock
// before anything is deleted, and the old files go only after that push
// succeeded: otherwise the next removal of obsolete records would delete
// every converted item, and with the old files gone nothing could bring
// them back.

#include <string>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"

namespace tw::schedule {

// True when the table's fields are those of the older schedule layout, by
// name and type, in order.
bool HasOldChartsLayout(const std::vector<db::FieldDef>& fields);

// True when an old table was found and its records are in the working copy.
// A "charts.dbf" that is the working copy itself (the folder is the program
// folder) or that has another layout is left alone: false.
bool ConvertChartsTable(ScheduleTables& tables, data::MainScreenState& state, data::UserInterface& ui,
                        ScheduleSync& sync, const std::string& alias, const std::string& folder);

}  // namespace tw::schedule
