// The task editor on a working copy of 20,000 records over 50 resources:
// opening it on a task, and Done on an edited task (validation, the overlap
// check over every task of the resource, the writes and one push), must each
// stay well below what a user notices.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "editorbench.h"

using namespace tw;
using namespace tw::tasks;

namespace {

constexpr int kRecords = 20000;
constexpr int kResources = 50;

// Each resource works two four-hour tasks a day, 8:00 to 12:00 and 12:00 to
// 16:00, one day after another; every record has its task-list twin and its
// assignment row, and the whole copy is shared once.
struct LargeSchedule : testing::EditorFixture {
    explicit LargeSchedule(int records = kRecords)
    {
        for (int r = 3; r <= kResources; ++r)
            Resource(r, "Crew " + std::to_string(r), 30);
        db::WriteBatch batch;
        for (int k = 1; k <= records; ++k)
            testing::WriteFourHourTask(*this, k, 1 + (k - 1) % kResources,
                                       testing::NthFourHourStart((k - 1) / kResources));
        batch.commit();
        ws->sync.PushChartUpdates();
    }
};

std::unique_ptr<LargeSchedule>& Instance()
{
    static std::unique_ptr<LargeSchedule> schedule;
    return schedule;
}

LargeSchedule& Schedule()
{
    if (!Instance()) {
        Instance() = std::make_unique<LargeSchedule>();
        // Closed before the engine's own statics go away.
        static const bool cleanup = std::atexit([] { Instance().reset(); }) == 0;
        (void)cleanup;
    }
    return *Instance();
}

// The first task of resource 1, Monday 8:00 to 12:00; its next task starts
// at 12:00, so three or four hours fit.
constexpr std::int32_t kTask = 1;

void BM_OpenEditorOnATask(benchmark::State& state)
{
    LargeSchedule& s = Schedule();
    for (auto _ : state) {
        s.Edit(kTask);
        if (!s.editor.IsOpen())
            state.SkipWithError("the editor did not open");
        state.PauseTiming();
        s.editor.FormClose();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenEditorOnATask)->Unit(benchmark::kMillisecond);

void BM_DoneOnAnEditedTask(benchmark::State& state)
{
    testing::TimeDoneOnAnEditedTask(state, Schedule(), kTask);
}
BENCHMARK(BM_DoneOnAnEditedTask)->Unit(benchmark::kMillisecond);

// A weekly series of 52 four-hour occurrences for resource 1, each round in
// years of its own beyond the schedule: every date placed, every occurrence
// checked against the resource's 400 tasks, 52 records written, one push.
void BM_AddWeeklySeriesOf52(benchmark::State& state)
{
    LargeSchedule& s = Schedule();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TDateTime monday = EncodeDate(2030, 1, 7) + 2 * 364 * round++;
        s.ws->state.CurrentResourceId = 1;
        EditorArguments args;
        args.Table = &s.ws->ChartsTable;
        args.IsMainView = true;
        args.Description = "Mow front lawn";
        args.Start = monday + 8.0 / 24;
        s.editor.ShowTaskEditor(args);
        s.editor.Form.TaskLength = "4";
        s.editor.TaskLengthChange();
        s.editor.Form.RepeatPeriod = schedule::kRepeatWeekly;
        s.editor.RepeatPeriodClick();
        s.editor.Form.RepeatCount = 52;
        state.ResumeTiming();
        s.editor.AddTaskManualClick();
        state.PauseTiming();
        if (!s.editor.Result())
            state.SkipWithError("the series was not added");
        s.editor.FormClose();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddWeeklySeriesOf52)->Unit(benchmark::kMillisecond)->Iterations(8);

// Done on a new four-hour task for resource 1 in a schedule of 1,000, 5,000
// and 20,000 records (what the user sees: the task editor over the chart,
// the task added to the working copy, its task-list twin and assignment row,
// and the push to the shared tables). Each add lies a week after the one
// before, beyond the schedule, so the overlap check passes; an add must
// cost the same whatever the schedule's size.
void BM_AddATask(benchmark::State& state)
{
    LargeSchedule& s = testing::ScheduleOfSize<LargeSchedule>(static_cast<int>(state.range(0)));
    static int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TDateTime monday = EncodeDate(2040, 1, 2) + 7 * round++;
        s.Add(testing::kAnn, "Trim hedges", monday + 8.0 / 24);
        s.editor.Form.TaskLength = "4";
        s.editor.TaskLengthChange();
        state.ResumeTiming();
        s.editor.AddTaskManualClick();
        state.PauseTiming();
        if (!s.editor.Result())
            state.SkipWithError("the task was not added");
        s.editor.FormClose();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(s.ws->ChartsTable5.recordCount());
}
BENCHMARK(BM_AddATask)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
