#pragma once
// The table cursors that the schedule operations work through. The data
// module owns the cursors and hands them over by reference; each keeps its
// own position, index and filter, so an operation walks one cursor while the
// windows keep theirs where the user left them.

#include <vector>

#include "platform/db/table.h"

namespace tw::data {
class TEstimateData;
}

namespace tw::schedule {

struct ScheduleTables {
    // The working copy Charts.DBF (program folder).
    db::Table& ChartsTable;   // the view the windows show; refreshed after changes
    db::Table& ChartsTable2;  // located by the push of one item
    db::Table& ChartsTable3;
    db::Table& ChartsTable5;  // walked and written by synchronisation, conversion and recomputation
    db::Table& ChartsTable7;  // the overlap check's view
    // The working task list Tasks.DBF.
    db::Table& TasksTable;
    db::Table& TasksTable2;  // draws task-list numbers
    db::Table& TasksTable3;  // walked and written by synchronisation
    // Shared schedule database.
    db::Table& IChartsTable;   // written by the pushes, walked by the pull and the removal
    db::Table& IChartsTable3;  // read by the pull of one item
    // Written by the push and walked by the pull. The data module opens
    // ITasksTable exclusively; a pull through it would shut every other
    // workstation out of the shared task list (and fail while any of them
    // has it open), so the synchronisation goes through this shared cursor.
    db::Table& ITasksTable2;
    db::Table& ICrewsTable;
    db::Table& ICrewsTable2;
    db::Table& ICrewsTable3;
    db::Table& CustomersTable;
    db::Table& CustomersTable2;
    db::Table& CustomersTable3;
    db::Table& JobsTable;
    db::Table& JobsTable2;
    db::Table& JobsTable3;
    db::Table& CrewsTable2;
    db::Table& CalendarTable;
    db::Table& AccessTable;
    // The older schedule table; its folder is set by the conversion.
    db::Table& OChartsTable;
    // Further views of Charts.DBF that only follow a change (ChartsTable4,
    // ChartsTable6, ChartsTable8, ...).
    std::vector<db::Table*> FurtherChartViews = {};
};

// The data module's cursors in their roles for the schedule operations.
ScheduleTables ScheduleTablesOf(data::TEstimateData& data);

}  // namespace tw::schedule
