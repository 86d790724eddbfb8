#pragma once
// A database written by an older release, for the tests and the benchmark of
// its first open: schedule tables in an older layout (a field since dropped)
// filled with records.

#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "data/layouts/layouts.h"
#include "platform/db/fileio.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "support/synccountingfs.h"

namespace tw::data::testing {

using tw::testing::SyncCountingFs;

// Writes the table `name` of the layout in an older layout (an extra field
// OLDFLAG), with `records` records: every number i + 1, every text the field
// name and i, resources 1 to `resources` in turn, no job rows.
inline void WriteOlder(const std::string& folder, Database database, const char* name, int records,
                       int resources = 5)
{
    const TableLayout* layout = FindLayout(database, name);
    if (!layout)
        throw std::runtime_error(std::string("no layout for ") + name);
    std::vector<db::FieldDef> fields = layout->fields;
    fields.push_back(MakeField("OLDFLAG", db::FieldType::Logical));
    db::CreateTable(folder, name, fields, layout->indexes, true);
    db::Table t;
    t.setFolder(folder);
    t.setTableName(name);
    t.open();
    db::WriteBatch batch;
    for (int i = 0; i < records; ++i) {
        t.append();
        for (int f = 0; f < t.fieldCount(); ++f) {
            db::Field field = t.field(f);
            if (field.type() == db::FieldType::Float)
                field.setAsFloat(i + 1);
            else if (field.type() == db::FieldType::Char)
                field.setAsString(field.name() + " " + std::to_string(i));
        }
        if (auto crew = t.findField("CREWID"))
            crew->setAsFloat(i % resources + 1);
        if (auto job = t.findField("JOB"))
            job->setAsBoolean(false);
        t.post();
    }
    batch.commit();
}

// The tables of a whole schedule database in their older layout: the
// resources, customers, jobs, the shared and the working copies of the
// schedule (`records` each). Opening them upgrades every one and rebuilds
// the assignment rows.
inline void WriteOlderDatabase(const std::string& program, const std::string& schedule, int records,
                               int resources = 5)
{
    WriteOlder(schedule, Database::Scheduler, "crews.dbf", resources, resources);
    for (const char* name : {"customers.dbf", "jobs.dbf", "ICharts.DBF", "ITasks.dbf"})
        WriteOlder(schedule, Database::Scheduler, name, records, resources);
    for (const char* name : {"Charts.DBF", "Tasks.DBF"})
        WriteOlder(program, Database::Parameters, name, records, resources);
}

}  // namespace tw::data::testing
