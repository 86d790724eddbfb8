#pragma once
// A schedule of thousands of tasks put into a started main window's tables:
// 20 resources, one customer and job per resource, four-hour tasks one after
// another. The first task of each resource is added through the program's
// own adder; the others are copies of it written straight into the working
// copy, the shared tables and the task lists (new keys, names and times), in
// one write batch per table, because adding tens of thousands of tasks one by
// one through the adder would take hours.

#include "app/mainscreen.h"
#include "app/session/appsession.h"
#include "data/services/estimatedata.h"
#include "platform/db/table.h"
#include "sampleschedule.h"

#include <string>
#include <vector>

namespace tw::app::bench {

// Copies of the table's record of chartsId, with the copies' keys and times.
inline void CopyScheduleItem(db::Table& table, double chartsId, int copies, int firstKey, double hours,
                             const std::string& description)
{
    if (!table.active())
        table.open();  // the shared copies are opened only to be written
    table.refresh();
    if (!table.locate("CHARTSID", db::Value(chartsId)))
        return;
    std::vector<db::Value> values;
    for (int f = 0; f < table.fieldCount(); ++f)
        values.push_back(table.field(f).value());
    const double start = table.fieldByName("SD").asFloat();
    db::WriteBatch batch;
    for (int i = 1; i <= copies; ++i) {
        // Two four-hour tasks a day.
        const double day = start + (i / 2) + (i % 2) * hours / 24.0;
        table.append();
        for (int f = 0; f < table.fieldCount(); ++f)
            if (table.field(f).type() != db::FieldType::Memo && table.field(f).type() != db::FieldType::Binary)
                table.field(f).setValue(values[static_cast<size_t>(f)]);
        table.fieldByName("CHARTSID").setAsInteger(firstKey + i);
        table.fieldByName("TID").setAsInteger(firstKey + i);
        table.fieldByName("DESC").setAsString(description + " " + std::to_string(i + 1));
        for (const char* name : {"SD", "OSD"})
            table.fieldByName(name).setAsFloat(day);
        for (const char* name : {"ED", "OED"})
            table.fieldByName(name).setAsFloat(day + hours / 24.0);
        table.fieldByName("SDD").setAsDate(day);
        table.fieldByName("EDD").setAsDate(day);
        if (auto order = table.findField("ORDER"))
            order->setAsInteger(firstKey + i);
        table.post();
    }
    batch.commit();
}

inline void MakeLargeSchedule(TMainScreen& window, int tasks, int resources = 20)
{
    data::TEstimateData& d = window.Session().Data();
    const TDateTime monday = EncodeDate(2027, 3, 1) + 8.0 / 24;
    const int perResource = tasks / resources;
    for (int r = 0; r < resources; ++r) {
        const std::int32_t crew = examples::AddSampleResource(window, "Crew " + std::to_string(r + 1));
        const std::string description = "Crew " + std::to_string(r + 1) + " task";
        const std::int32_t key = examples::AddSampleTask(
            window, crew,
            {"Customer " + std::to_string(r + 1), "Job " + std::to_string(r + 1), description + " 1", monday, 4});
        const int copies = perResource - 1 + (r < tasks % resources ? 1 : 0);
        const int firstKey = 1000000 * (r + 1);
        for (db::Table* t : {&d.ChartsTable5, &d.IChartsTable, &d.TasksTable3, &d.ITasksTable})
            CopyScheduleItem(*t, key, copies, firstKey, 4, description);
        db::Table& rows = d.ICrewsTable3;
        rows.refresh();
        if (rows.locate("CHARTSID", db::Value(static_cast<double>(key)))) {
            const double job = rows.fieldByName("JID").asFloat();
            db::WriteBatch batch;
            for (int i = 1; i <= copies; ++i) {
                rows.append();
                rows.fieldByName("ICREWID").setAsInteger(firstKey + i);
                rows.fieldByName("CHARTSID").setAsInteger(firstKey + i);
                rows.fieldByName("CREWID").setAsInteger(crew);
                rows.fieldByName("JID").setAsFloat(job);
                rows.fieldByName("JOB").setAsBoolean(false);
                rows.post();
            }
            batch.commit();
        }
    }
}

}  // namespace tw::app::bench
