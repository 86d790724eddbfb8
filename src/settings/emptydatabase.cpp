#include "settings/emptydatabase.h"

#include "data/services/busyscopes.h"

#include <stdexcept>

#include "data/services/recordservices.h"

namespace tw::settings {

namespace {

constexpr int kLockRetryMilliseconds = 2000;

struct EmptyFailure : std::runtime_error {
    EmptyFailure(const std::string& file, const std::string& detail)
        : std::runtime_error("The table " + file + " could not be emptied: " + detail
                             + "\nThe tables emptied before it stay empty.")
    {}
};

}  // namespace

const std::vector<EmptiedTable>& EmptiedTableList()
{
    static const std::vector<EmptiedTable> tables = {
        {"IChartsTable2", "ICharts.DBF", true},   {"ITasksTable2", "ITasks.dbf", true},
        {"ChartsTable2", "Charts.DBF", false},    {"TasksTable2", "Tasks.DBF", false},
        {"CrewsTable2", "crews.dbf", false},      {"ICrewsTable2", "ICrews.DBF", false},
        {"JobsTable2", "jobs.dbf", false},        {"CustomersTable2", "customers.dbf", false},
        {"PhotosTable", "photos.dbf", false},     {"CustomFieldsTable2", "custom.dbf", false},
        {"PrinterTable2", "printer.dbf", false},  {"AccessTable", "Access.dbf", false},
        {"CalendarTable", "calendar.dbf", false}, {"HolidaysTable", "holidays.dbf", false},
    };
    return tables;
}

EmptyDatabase::EmptyDatabase(EmptyDatabaseHost& host, data::UserInterface& ui) : host_(host), ui_(ui) {}

void EmptyDatabase::Empty(const EmptiedTable& table, bool closeAfter)
{
    try {
        db::Table& t = host_.Component(table.component);
        if (!t.active())
            t.open();
        {
            // One flush for the table instead of one per deleted record.
            db::WriteBatch batch;
            data::EmptyTable(t);
            batch.commit();
        }
        if (closeAfter) {
            t.refresh();
            t.close();
        }
    } catch (const std::exception& e) {
        throw EmptyFailure(table.file, e.what());
    }
}

EmptyOutcome EmptyDatabase::EmptyDatabaseClick()
{
    if (!host_.Question("Remove all records", "Tarnwick"))
        return EmptyOutcome::Declined;

    data::BusyScope busy(host_.TablesBusy(), ui_);
    bool lockHeld = false;
    try {
        host_.SetCalendarPanelEnabled(false);
        host_.SaveAndClearAllocations(true);

        bool waited = false;
        while (!host_.UpdateAccessRecord(true)) {
            waited = true;
            ui_.SetStatusText(0, "Waiting for network access");
            ui_.RepaintStatus();
            ui_.Sleep(kLockRetryMilliseconds);
        }
        lockHeld = true;
        if (waited) {
            ui_.SetStatusText(0, "");
            ui_.RepaintStatus();
        }
        if (host_.SharedTablesUsable())
            for (const EmptiedTable& table : EmptiedTableList())
                if (table.shared)
                    Empty(table, true);
        lockHeld = false;
        host_.UpdateAccessRecord(false);

        for (const EmptiedTable& table : EmptiedTableList())
            if (!table.shared)
                Empty(table, false);
    } catch (const std::exception& e) {
        if (lockHeld) {
            try {
                host_.UpdateAccessRecord(false);
            } catch (const std::exception&) {
                // The box below is the one the user needs; the lock is taken over in time.
            }
        }
        busy.Release();
        ui_.ShowMessage(e.what(), "Empty database", data::MessageIcon::Stop);
        try {
            host_.RefreshTables();
            host_.SetCalendarPanelEnabled(true);
        } catch (const std::exception&) {
        }
        return EmptyOutcome::Failed;
    }

    // What remains is bookkeeping on empty tables; a failure is told and the rest still runs.
    auto attempt = [&](const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception& e) {
            ui_.ShowMessage(e.what(), "Empty database", data::MessageIcon::Stop);
        }
    };
    attempt([&] { host_.RefreshTables(); });
    attempt([&] {
        db::Table& access = host_.Component("AccessTable");
        access.first();
        host_.SetChangeCounter(access.eof() ? 0.0f
                                            : static_cast<float>(access.fieldByName("UPDATE").asFloat()));
    });
    attempt([&] { host_.ShowDefaultCalendar(); });
    attempt([&] {
        db::Table& company = host_.Component("MyCompanyTable");
        if (!company.active())
            company.open();
        company.first();
        if (company.eof())
            return;
        company.edit();
        company.fieldByName("PAPERO").setAsInteger(0);
        company.post();
        company.refresh();
    });
    attempt([&] { host_.ReindexDatabase(); });
    busy.Release();
    ui_.SetStatusText(0, "Database is empty");
    ui_.SetStatusText(1, "");
    ui_.SetStatusText(2, "");
    ui_.RepaintStatus();
    attempt([&] { host_.ShowEmptyScreens(); });
    return EmptyOutcome::Completed;
}

}  // namespace tw::settings
