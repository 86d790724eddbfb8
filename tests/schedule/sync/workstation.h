#pragma once
// Two workstations in one test process: each has its own program folder
// (working copies) and its own cursors, and both share one schedule folder.

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/layouts/layouts.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/tableops.h"
#include "schedule/sync/schedulesync.h"
#include "support/recordinguserinterface.h"

namespace tw::schedule::test {

class TempFolder {
public:
    TempFolder()
    {
        char tmpl[] = "/tmp/twsyncXXXXXX";
        path_ = ::mkdtemp(tmpl);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void CreateLayout(const std::string& folder, const data::TableLayout& layout)
{
    db::CreateTable(folder, layout.fileName, layout.fields, layout.indexes, true);
}

// Every table of the schedule database in its current layout.
inline void CreateScheduleFolder(const std::string& folder)
{
    for (const data::TableLayout& layout : data::Layouts(data::Database::Scheduler))
        if (!data::SameTableName(layout.fileName, "Charts.DBF"))
            CreateLayout(folder, layout);
}

inline void CreateProgramFolder(const std::string& folder)
{
    CreateLayout(folder, *data::FindLayout("Charts.DBF"));
    CreateLayout(folder, *data::FindLayout("Tasks.DBF"));
}

class Workstation {
public:
    Workstation(const std::string& programFolder, const std::string& scheduleFolder)
    {
        state.ProgramFolder = programFolder;
        state.ScheduleFolder = scheduleFolder;
        for (db::Table* t : {&ChartsTable, &ChartsTable2, &ChartsTable3, &ChartsTable5, &ChartsTable7})
            Open(*t, programFolder, "Charts.DBF");
        for (db::Table* t : {&TasksTable, &TasksTable2, &TasksTable3})
            Open(*t, programFolder, "Tasks.DBF");
        for (db::Table* t : {&IChartsTable, &IChartsTable3})
            Open(*t, scheduleFolder, "ICharts.DBF");
        for (db::Table* t : {&ITasksTable2})
            Open(*t, scheduleFolder, "ITasks.dbf");
        for (db::Table* t : {&ICrewsTable, &ICrewsTable2, &ICrewsTable3})
            Open(*t, scheduleFolder, "ICrews.DBF");
        for (db::Table* t : {&CustomersTable, &CustomersTable2, &CustomersTable3})
            Open(*t, scheduleFolder, "customers.dbf");
        for (db::Table* t : {&JobsTable, &JobsTable2, &JobsTable3})
            Open(*t, scheduleFolder, "jobs.dbf");
        Open(CrewsTable2, scheduleFolder, "crews.dbf");
        Open(CalendarTable, scheduleFolder, "calendar.DBF");
        Open(AccessTable, scheduleFolder, "Access.dbf");
    }

    static void Open(db::Table& t, const std::string& folder, const std::string& name)
    {
        t.setFolder(folder);
        t.setTableName(name);
        t.open();
    }

    db::Table ChartsTable, ChartsTable2, ChartsTable3, ChartsTable5, ChartsTable7;
    db::Table TasksTable, TasksTable2, TasksTable3;
    db::Table IChartsTable, IChartsTable3, ITasksTable2;
    db::Table ICrewsTable, ICrewsTable2, ICrewsTable3;
    db::Table CustomersTable, CustomersTable2, CustomersTable3;
    db::Table JobsTable, JobsTable2, JobsTable3;
    db::Table CrewsTable2, CalendarTable, AccessTable, OChartsTable;

    ScheduleTables tables{
        .ChartsTable = ChartsTable,
        .ChartsTable2 = ChartsTable2,
        .ChartsTable3 = ChartsTable3,
        .ChartsTable5 = ChartsTable5,
        .ChartsTable7 = ChartsTable7,
        .TasksTable = TasksTable,
        .TasksTable2 = TasksTable2,
        .TasksTable3 = TasksTable3,
        .IChartsTable = IChartsTable,
        .IChartsTable3 = IChartsTable3,
        .ITasksTable2 = ITasksTable2,
        .ICrewsTable = ICrewsTable,
        .ICrewsTable2 = ICrewsTable2,
        .ICrewsTable3 = ICrewsTable3,
        .CustomersTable = CustomersTable,
        .CustomersTable2 = CustomersTable2,
        .CustomersTable3 = CustomersTable3,
        .JobsTable = JobsTable,
        .JobsTable2 = JobsTable2,
        .JobsTable3 = JobsTable3,
        .CrewsTable2 = CrewsTable2,
        .CalendarTable = CalendarTable,
        .AccessTable = AccessTable,
        .OChartsTable = OChartsTable,
    };
    data::MainScreenState state;
    data::RecordingUserInterface ui;
    ScheduleSync sync{tables, state, ui};
};

// A schedule folder and a program folder, created in their current layouts,
// with one workstation on them.
struct OneWorkstation {
    OneWorkstation()
    {
        CreateScheduleFolder(shared.path());
        CreateProgramFolder(prog.path());
        ws = std::make_unique<Workstation>(prog.path(), shared.path());
    }

    TempFolder shared, prog;
    std::unique_ptr<Workstation> ws;
};

// A schedule item or task-list record with the values the tests look at.
struct Item {
    Item(std::int32_t key, std::string desc, float update = 1.1f, std::string notes = {},
         std::int32_t link = 0)
        : key(key),
          desc(std::move(desc)),
          update(update),
          notes(std::move(notes)),
          link(link)
    {}

    std::int32_t key;
    std::string desc;
    float update;
    std::string notes;
    std::int32_t link;
};

inline void WriteItem(db::Table& t, const Item& item)
{
    t.fieldByName("CHARTSID").setAsInteger(item.key);
    t.fieldByName("TID").setAsInteger(item.key + 1);
    t.fieldByName("DESC").setAsString(item.desc);
    t.fieldByName("UPDATE").setAsFloat(item.update);
    t.fieldByName("SD").setAsFloat(46000.25 + item.key % 100);
    t.fieldByName("ED").setAsFloat(46000.5 + item.key % 100);
    t.fieldByName("COST").setAsFloat(42.5);
    t.fieldByName("SHOWIT").setAsBoolean(true);
    if (auto f = t.findField("LINK"))
        f->setAsInteger(item.link);
    if (!item.notes.empty())
        t.fieldByName("NOTES").setAsString(item.notes);
}

// Appends, or rewrites the record with the item's key.
inline void PutItem(db::Table& t, const Item& item)
{
    if (t.locate("CHARTSID", db::Value(static_cast<double>(item.key))))
        t.edit();
    else
        t.append();
    WriteItem(t, item);
    t.post();
}

inline std::string DescOf(db::Table& t, std::int32_t key)
{
    t.refresh();
    if (!t.locate("CHARTSID", db::Value(static_cast<double>(key))))
        return "<missing>";
    return t.fieldByName("DESC").asString();
}

inline std::uintmax_t FileSize(const std::string& folder, const std::string& name)
{
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        std::string n = e.path().filename().string();
        std::string a = n, b = name;
        for (auto& c : a)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (auto& c : b)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (a == b)
            return std::filesystem::file_size(e.path());
    }
    return 0;
}

inline bool LockInUse(db::Table& access)
{
    access.refresh();
    access.first();
    return !access.eof() && access.fieldByName("USE").asBoolean();
}

}  // namespace tw::schedule::test
