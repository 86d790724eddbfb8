#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

ChartTables ChartTablesOf(data::TEstimateData& data)
{
    // JobsTable carries the customer's filter and CrewsTable an index for the
    // grids; heading rows and summaries need every job, in file order.
    return {data.ChartsTable,  data.ChartsTable2,    data.ChartsTable3, data.ChartsTable4, data.ChartsTable5,
            data.ChartsTable6, data.ChartsTable7,    data.ChartsTable8, data.ChartsTable9, data.JobsTable2,
            data.JobsTable3,   data.CustomersTable2, data.CrewsTable4,  data.ICrewsTable2, data.ICrewsTable3};
}

}  // namespace tw::visualize
