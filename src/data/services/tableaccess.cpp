// Opening and closing all tables. Opening checks every table that has a
// reference twin, touches the shared schedule tables only under the network
// lock, makes the views the user edits read-only in a read-only copy, and
// gives mycomp.dbf its one record.

#include "data/services/busyscopes.h"
#include "data/services/tablecreation.h"
#include "data/services/tableoperations.h"
#include "platform/db/tableops.h"

namespace tw::data {

namespace {

const char* const kTarnwick = "Tarnwick";

}  // namespace

TableOperations::TableOperations(TEstimateData& data, MainScreenState& state, UserInterface& ui,
                                 NetworkLock& lock)
    : data_(data),
      state_(state),
      ui_(ui),
      lock_(lock)
{}

void TableOperations::ReportDamagedTable(const std::string& fileName)
{
    if (!state_.TableMessageShown) {
        ui_.ShowMessage(
            "Table " + fileName
                + " may be damaged- use Smart restore to load a backup file or switch to a different "
                  "database",
            kTarnwick, MessageIcon::Stop);
        state_.TableMessageShown = true;
    }
    state_.SharedTablesUsable = false;
}

void TableOperations::OpenTable(db::Table& table, db::Table& reference, bool quillmarkTable, bool closeAfter,
                                bool check, const std::string& folder)
{
    if (folder.empty() || table.active())
        return;
    try {
        if (check) {
            if (!CheckTableStructure(table, reference, folder))
                throw db::DbError(db::ErrorCode::InvalidArgument, "Upgrade refused: " + table.tableName());
        } else {
            table.open();
        }
        if (closeAfter)
            table.close();
    } catch (const std::exception&) {
        CloseTable(table, false);
        if (quillmarkTable) {
            state_.EstimatorAlias.clear();
            state_.EstimatorFolder.clear();
            ui_.ShowMessage("Invalid Quillmark database name", kTarnwick, MessageIcon::Stop);
            ui_.ShowMessage("Find the correct Quillmark database", kTarnwick, MessageIcon::Stop);
        } else {
            ReportDamagedTable(table.tableName());
        }
    }
}

void TableOperations::OpenAllTables(bool rebuildAllowed)
{
    TEstimateData& d = data_;
    // Keeps the scroll handlers and calculated fields idle while the tables
    // are opened.
    BusyScope busy(state_);
    const std::string& program = state_.ProgramFolder;
    const std::string& schedule = state_.ScheduleFolder;
    auto checked = [&](db::Table& t, db::Table& r, const std::string& folder) {
        OpenTable(t, r, false, false, true, folder);
    };
    auto plain = [&](db::Table& t, const std::string& folder) {
        OpenTable(t, t, false, false, false, folder);
    };
    // The components the user edits follow the copy's read-only access.
    auto reopenReadOnly = [&](db::Table& t) {
        CloseTable(t, true);
        t.setReadOnly(state_.ReadOnlyCopy);
    };

    // A first start finds the program folder empty.
    try {
        CreateMissingProgramTables(program);
    } catch (const std::exception&) {
        // Each table that could not be made is reported as it fails to open.
    }
    plain(d.ParamsTable, program);
    checked(d.ETable, d.RETable, program);
    checked(d.PrinterTable2, d.RPrinterTable, program);
    plain(d.PrinterTable, program);
    checked(d.QBSetupTable, d.RQBSetupTable, program);

    if (!db::TableExists(schedule, "ICharts.dbf")) {
        // The schedule folder that the installer made on this machine is new.
        const bool created =
            state_.FirstRun && FolderHoldsNoTable(schedule) && CreateScheduleDatabase(schedule);
        if (!created) {
            ui_.ShowMessage("Invalid database", kTarnwick, MessageIcon::Stop);
            ui_.ShowMessage("Find the correct database", kTarnwick, MessageIcon::Stop);
            return;
        }
    }

    for (db::Table* t : {&d.EstimateTable3, &d.LaborTable3, &d.RatesTable2, &d.HourssumTable,
                         &d.HourssumTable2, &d.IProjectTable, &d.WorkOrder1Table, &d.WorkOrder2Table,
                         &d.ProjectsTable3, &d.CompanyTable, &d.BidTable2, &d.BidTable, &d.MatssumTable})
        OpenTable(*t, *t, true, false, false, state_.EstimatorFolder);

    if (state_.FirstRun && db::TableExists(schedule, "charts.dbf"))
        plain(d.OChartsTable, schedule);

    checked(d.MyCompanyTable, d.RMyCompanyTable, schedule);
    checked(d.AccessTable, d.RAccessTable, schedule);

    lock_.TakeWithWait();
    if (state_.SharedTablesUsable) {
        OpenTable(d.IChartsTable2, d.RIChartsTable, false, true, true, schedule);
        OpenTable(d.ITasksTable2, d.RITasksTable, false, true, true, schedule);
    }
    lock_.UpdateAccessRecord(false);

    checked(d.ChartsTable2, d.RChartsTable, program);
    reopenReadOnly(d.ChartsTable);
    plain(d.ChartsTable, program);
    for (db::Table* t : {&d.ChartsTable4, &d.ChartsTable5, &d.ChartsTable6, &d.ChartsTable7, &d.ChartsTable8,
                         &d.ChartsTable9, &d.ChartsTable3})
        plain(*t, program);

    checked(d.TasksTable2, d.RTasksTable, program);
    plain(d.TasksTable, program);
    plain(d.TasksTable3, program);

    checked(d.CalendarTable, d.RCalendarTable, schedule);
    plain(d.CalendarTable2, schedule);
    checked(d.HolidaysTable, d.RHolidaysTable, schedule);
    plain(d.HolidaysTable2, schedule);

    reopenReadOnly(d.CustomFieldsTable);
    reopenReadOnly(d.CustomFieldsTable2);
    checked(d.CustomFieldsTable2, d.RCustomFieldsTable, schedule);
    plain(d.CustomFieldsTable, schedule);
    plain(d.CustomFieldsTable3, schedule);

    reopenReadOnly(d.CustomersTable);
    checked(d.CustomersTable2, d.RCustomersTable, schedule);
    plain(d.CustomersTable3, schedule);
    plain(d.CustomersTable, schedule);

    checked(d.PhotosTable, d.RPhotosTable, schedule);

    reopenReadOnly(d.JobsTable);
    checked(d.JobsTable2, d.RJobsTable, schedule);
    plain(d.JobsTable3, schedule);
    plain(d.JobsTable, schedule);

    reopenReadOnly(d.CrewsTable);
    checked(d.ICrewsTable2, d.RICrewsTable, schedule);
    plain(d.ICrewsTable, schedule);
    plain(d.ICrewsTable3, schedule);
    checked(d.CrewsTable2, d.RCrewsTable, schedule);
    plain(d.CrewsTable, schedule);
    plain(d.CrewsTable3, schedule);
    plain(d.CrewsTable4, schedule);

    try {
        if (rebuildAllowed && state_.RebuildAssignments)
            RebuildCrewIndex();
        if (d.MyCompanyTable.active() && d.MyCompanyTable.recordCount() == 0) {
            d.MyCompanyTable.append();
            d.MyCompanyTable.fieldByName("CID").setAsInteger(state_.Keys.NewRecordId());
            d.MyCompanyTable.post();
            d.MyCompanyTable.refresh();
        }
    } catch (const std::exception& e) {
        ui_.ShowMessage(e.what(), "Error", MessageIcon::Stop);
    }

    if (state_.SharedTablesUsable)
        state_.TablesOpen = true;
}

void TableOperations::CloseTable(db::Table& table, bool refresh)
{
    if (!table.active())
        return;
    try {
        if (refresh)
            table.refresh();
    } catch (...) {
    }
    try {
        table.close();
    } catch (...) {
    }
}

void TableOperations::CloseAllTables()
{
    TEstimateData& d = data_;
    BusyScope busy(state_);
    state_.ClosingTables = true;
    state_.TablesOpen = false;
    for (db::Table* t :
         {&d.ETable,          &d.CalendarTable,     &d.CalendarTable2,     &d.HolidaysTable,
          &d.HolidaysTable2,  &d.QBSetupTable,      &d.OChartsTable,       &d.AccessTable,
          &d.ChartsTable,     &d.ChartsTable2,      &d.ChartsTable3,       &d.ChartsTable4,
          &d.ChartsTable5,    &d.ChartsTable6,      &d.ChartsTable7,       &d.ChartsTable8,
          &d.ChartsTable9,    &d.TasksTable,        &d.TasksTable2,        &d.TasksTable3,
          &d.ITasksTable,     &d.ITasksTable2,      &d.ITasksTable3,       &d.IChartsTable,
          &d.IChartsTable2,   &d.IChartsTable3,     &d.ParamsTable,        &d.CompanyTable,
          &d.MyCompanyTable,  &d.PhotosTable,       &d.CustomersTable,     &d.CustomersTable2,
          &d.CustomersTable3, &d.CustomFieldsTable, &d.CustomFieldsTable2, &d.CustomFieldsTable3,
          &d.JobsTable,       &d.JobsTable2,        &d.JobsTable3,         &d.CrewsTable,
          &d.CrewsTable2,     &d.CrewsTable3,       &d.CrewsTable4,        &d.ICrewsTable,
          &d.ICrewsTable2,    &d.ICrewsTable3,      &d.PrinterTable,       &d.PrinterTable2,
          &d.EstimateTable3,  &d.LaborTable3,       &d.RatesTable2,        &d.HourssumTable,
          &d.HourssumTable2,  &d.IProjectTable,     &d.WorkOrder1Table,    &d.WorkOrder2Table,
          &d.ProjectsTable3,  &d.CompanyTable,      &d.BidTable2,          &d.BidTable,
          &d.MatssumTable})
        CloseTable(*t, true);
    state_.ClosingTables = false;
}

}  // namespace tw::data
