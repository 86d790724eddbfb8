#pragma once
// What the task editor benchmarks share. Their schedules are written straight
// into the tables (adding tens of thousands of tasks through the adder would
// take hours): four-hour tasks of Ames's kitchen job in the working copy, each
// with its task-list twin and its assignment row, shared once with one push.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "editorfixture.h"

namespace tw::tasks::testing {

// Monday 5 January 2026 and every day after it hold two four-hour tasks of
// each resource, 8:00 to 12:00 and 12:00 to 16:00: the nth task's start.
inline TDateTime NthFourHourStart(int nth)
{
    return EncodeDate(2026, 1, 5) + nth / 2 + (nth % 2 == 0 ? 8.0 : 12.0) / 24;
}

inline void WriteFourHourTask(EditorFixture& f, std::int32_t key, std::int32_t resource, TDateTime start)
{
    for (db::Table* t : {&f.ws->ChartsTable5, &f.ws->TasksTable3}) {
        t->append();
        t->fieldByName("CHARTSID").setAsInteger(key);
        t->fieldByName("CREWID").setAsInteger(resource);
        t->fieldByName("CID").setAsInteger(10);
        t->fieldByName("JID").setAsInteger(20);
        t->fieldByName("DESC").setAsString("Task " + std::to_string(key));
        t->fieldByName("CUSTNAME").setAsString("Ames");
        t->fieldByName("JOBNAME").setAsString("Kitchen");
        t->fieldByName("SD").setAsFloat(start);
        t->fieldByName("ED").setAsFloat(start + 4.0 / 24);
        t->fieldByName("HOURS").setAsFloat(4);
        t->fieldByName("COST").setAsFloat(40);
        t->fieldByName("SHOWIT").setAsBoolean(true);
        t->fieldByName("UPDATE").setAsFloat(2);
        if (auto pin = t->findField("PIN"))
            pin->setAsInteger(1);
        t->post();
    }
    db::Table& rows = f.ws->ICrewsTable;
    rows.append();
    rows.fieldByName("ICREWID").setAsInteger(key);
    rows.fieldByName("CHARTSID").setAsInteger(key);
    rows.fieldByName("CREWID").setAsInteger(resource);
    rows.fieldByName("JID").setAsInteger(20);
    rows.post();
}

// One schedule of each size per process, made at its first use and closed
// before the engine's own statics go away (registered after the first
// schedule made them).
template <typename Schedule>
Schedule& ScheduleOfSize(int size)
{
    static std::map<int, std::unique_ptr<Schedule>> schedules;
    auto& made = schedules[size];
    if (!made)
        made = std::make_unique<Schedule>(size);
    static const bool cleanup = std::atexit([] { schedules.clear(); }) == 0;
    (void)cleanup;
    return *made;
}

// What the user does, timed from the click on Done: opens the editor on the
// task, makes it three hours long, or four again the next time, and presses
// Done (the check, the writes, the push).
inline void TimeDoneOnAnEditedTask(benchmark::State& state, EditorFixture& f, std::int32_t key)
{
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.Edit(key);
        f.editor.Form.TaskLength = ++n % 2 == 0 ? "4" : "3";
        f.editor.TaskLengthChange();
        state.ResumeTiming();
        f.editor.AddTaskManualClick();
        state.PauseTiming();
        if (!f.editor.Result())
            state.SkipWithError("the task was not saved");
        f.editor.FormClose();
        state.ResumeTiming();
    }
}

}  // namespace tw::tasks::testing
