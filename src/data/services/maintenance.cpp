// Re-index, pack and sort of whole tables, the engine's error box and the
// customer count in the status bar.

#include <map>

#include "data/services/busyscopes.h"
#include "data/services/tableoperations.h"
#include "platform/datetime/datetime.h"
#include "platform/db/tableops.h"

namespace tw::data {

void TableOperations::ShowDbiError(db::ErrorCode code)
{
    ui_.ShowMessage(db::ErrorText(code), "Dbi error", MessageIcon::Stop);
}

void TableOperations::ShowCustomerCount()
{
    if (!data_.CustomersTable.active())
        return;
    ui_.SetStatusText(0, std::to_string(data_.CustomersTable.recordCount()) + " customers");
    ui_.RepaintStatus();
}

void TableOperations::PackTable(db::Table& table, const std::string& label)
{
    // A component keeps its own sharing setting (ITasksTable is always
    // opened exclusively); the pack borrows exclusive access only.
    const bool exclusive = table.exclusive();
    try {
        CloseTable(table, false);
        table.setExclusive(true);
        table.open();
        ui_.SetStatusText(0, "Packing and reindexing " + label + " table");
        ui_.RepaintStatus();
        db::ErrorCode code = db::ErrorCode::None;
        try {
            table.pack();
        } catch (const db::DbError& e) {
            code = e.code();
        }
        table.close();
        table.setExclusive(exclusive);
        if (code != db::ErrorCode::None) {
            ShowDbiError(code);
            ui_.SetStatusText(0, "Failed reindexing " + label + " table");
            ui_.RepaintStatus();
            ui_.ShowMessage("Reindex failed", "Error", MessageIcon::Stop);
        } else {
            ui_.SetStatusText(0, "Packed and reindexed " + label + " table");
            ui_.RepaintStatus();
        }
    } catch (const std::exception&) {
        CloseTable(table, false);
        table.setExclusive(exclusive);
        ui_.SetStatusText(0, "Failed reindexing " + label + " table");
        ui_.RepaintStatus();
    }
}

void TableOperations::ReindexDatabase()
{
    if (state_.ReadOnlyCopy)
        return;
    TEstimateData& d = data_;
    BusyScope cursor(ui_);
    CloseAllTables();
    {
        BusyScope busy(state_);
        ui_.SetStatusText(1, "Reindexing database");
        ui_.RepaintStatus();

        const std::pair<db::Table*, const char*> packs[] = {{&d.MyCompanyTable, "my company"},
                                                            {&d.ChartsTable, "tasks"},
                                                            {&d.TasksTable, "tasks"},
                                                            {&d.CalendarTable, "working calendar"},
                                                            {&d.HolidaysTable, "holidays"},
                                                            {&d.CustomFieldsTable, "custom fields"},
                                                            {&d.CustomersTable, "customers"},
                                                            {&d.PhotosTable, "photos"},
                                                            {&d.JobsTable, "jobs"},
                                                            {&d.ICrewsTable, "crews"},
                                                            {&d.CrewsTable, "crews"},
                                                            {&d.PrinterTable, "printing"},
                                                            {&d.AccessTable, "access"}};
        for (const auto& [table, label] : packs)
            PackTable(*table, label);

        try {
            d.AccessTable.open();
        } catch (const std::exception&) {
            // The lock then counts the shared tables as unusable.
        }
        lock_.TakeWithWait();
        if (state_.SharedTablesUsable) {
            PackTable(d.IChartsTable, "tasks");
            PackTable(d.ITasksTable, "tasks");
        }
        lock_.UpdateAccessRecord(false);
        OpenAllTables(false);

        try {
            // Jobs carry their customer's name for the grids; bring it up to date.
            std::map<double, std::string> names;
            db::Table& customers = d.CustomersTable3;
            db::Table& jobs = d.JobsTable3;
            if (customers.active() && jobs.active()) {
                for (customers.first(); !customers.eof(); customers.next())
                    names[customers.fieldByName("CID").asFloat()] = customers.fieldByName("NAME").asString();
                for (jobs.first(); !jobs.eof(); jobs.next()) {
                    auto it = names.find(jobs.fieldByName("CID").asFloat());
                    if (it == names.end() || jobs.fieldByName("CUSTNAME").asString() == it->second)
                        continue;
                    jobs.edit();
                    jobs.fieldByName("CUSTNAME").setAsString(it->second);
                    jobs.post();
                }
                if (d.JobsTable.active())
                    d.JobsTable.refresh();
            }
        } catch (const std::exception& e) {
            ui_.ShowMessage(e.what(), "Error", MessageIcon::Stop);
        }
    }
    ui_.SetStatusText(0, "");
    ui_.SetStatusText(1, "Reindexing completed");
    ui_.RepaintStatus();

    try {
        if (d.ParamsTable.active() && !d.ParamsTable.isEmpty()) {
            d.ParamsTable.first();
            d.ParamsTable.edit();
            d.ParamsTable.fieldByName("RIDATE1").setAsDateTime(tw::Today());
            d.ParamsTable.post();
        }
    } catch (const std::exception& e) {
        ui_.ShowMessage(e.what(), "Error", MessageIcon::Stop);
    }
}

void TableOperations::SortTable(const std::string& databaseName, db::Table& table, int field1, int field2,
                                int field3, int field4)
{
    const std::string file = table.tableName();
    ui_.SetStatusText(0, "Sorting " + file);
    ui_.SetStatusText(1, "");
    ui_.SetStatusText(2, "");
    ui_.RepaintStatus();

    const std::string database = table.databaseName();
    const bool exclusive = table.exclusive();
    bool failed = false;
    try {
        CloseTable(table, true);
        table.setDatabaseName(databaseName);
        table.setExclusive(true);
        table.open();
        const std::string folder =
            table.folder().empty() ? db::ResolveDatabase(databaseName) : table.folder();
        table.close();
        try {
            db::SortTable(folder, file, {field1, field2, field3, field4});
        } catch (const db::DbError& e) {
            ShowDbiError(e.code());
            ui_.ShowMessage("Sort failed", "Error 2", MessageIcon::Stop);
        }
    } catch (const std::exception&) {
        failed = true;
        CloseTable(table, false);
        ui_.SetStatusText(0, "Sort failed for ");
        ui_.SetStatusText(1, file);
        ui_.SetStatusText(2, "Sort failed");
        ui_.RepaintStatus();
    }
    table.setDatabaseName(database);
    table.setExclusive(exclusive);
    try {
        table.open();
    } catch (const std::exception&) {
    }
    if (!failed) {
        for (int panel = 0; panel < 3; ++panel)
            ui_.SetStatusText(panel, "");
    }
}

}  // namespace tw::data
