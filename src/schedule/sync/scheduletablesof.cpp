#include "schedule/sync/scheduletables.h"

#include "data/services/estimatedata.h"

namespace tw::schedule {

ScheduleTables ScheduleTablesOf(data::TEstimateData& d)
{
    return ScheduleTables{
        .ChartsTable = d.ChartsTable,
        .ChartsTable2 = d.ChartsTable2,
        .ChartsTable3 = d.ChartsTable3,
        .ChartsTable5 = d.ChartsTable5,
        .ChartsTable7 = d.ChartsTable7,
        .TasksTable = d.TasksTable,
        .TasksTable2 = d.TasksTable2,
        .TasksTable3 = d.TasksTable3,
        .IChartsTable = d.IChartsTable,
        .IChartsTable3 = d.IChartsTable3,
        .ITasksTable2 = d.ITasksTable2,
        .ICrewsTable = d.ICrewsTable,
        .ICrewsTable2 = d.ICrewsTable2,
        .ICrewsTable3 = d.ICrewsTable3,
        .CustomersTable = d.CustomersTable,
        .CustomersTable2 = d.CustomersTable2,
        .CustomersTable3 = d.CustomersTable3,
        .JobsTable = d.JobsTable,
        .JobsTable2 = d.JobsTable2,
        .JobsTable3 = d.JobsTable3,
        .CrewsTable2 = d.CrewsTable2,
        .CalendarTable = d.CalendarTable,
        .AccessTable = d.AccessTable,
        .OChartsTable = d.OChartsTable,
        .FurtherChartViews = {&d.ChartsTable4, &d.ChartsTable6, &d.ChartsTable8, &d.ChartsTable9},
    };
}

}  // namespace tw::schedule
