// The synchronisation runs every 15 seconds on every workstation over the
// whole schedule: pull-all when nothing changed must stay far below what a
// user notices, and grow linearly with the schedule (one key look-up per
// record, never a scan per record). Push-all writes only what changed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

// A schedule folder and one workstation whose working copy holds `count`
// items and task-list records, pushed once; every fourth item has notes.
struct Schedule {
    explicit Schedule(int count)
    {
        CreateScheduleFolder(shared.path());
        CreateProgramFolder(prog.path());
        ws = std::make_unique<Workstation>(prog.path(), shared.path());
        for (db::Table* t : {&ws->ChartsTable5, &ws->TasksTable3}) {
            db::WriteBatch batch;  // building the working copy: one flush
            for (int k = 1; k <= count; ++k) {
                t->append();
                WriteItem(*t,
                          {k, "Task number " + std::to_string(k), 2.0f,
                           k % 4 == 0 ? "Notes of task " + std::to_string(k) : std::string()});
                t->fieldByName("CUSTNAME").setAsString("Customer " + std::to_string(k % 300));
                t->fieldByName("JOBNAME").setAsString("Job " + std::to_string(k % 900));
                t->post();
            }
        }
        ws->sync.PushChartUpdates();
        ws->sync.PullChartUpdates(false);
    }

    TempFolder shared, prog;
    std::unique_ptr<Workstation> ws;
};

std::map<int, std::unique_ptr<Schedule>>& Schedules()
{
    static std::map<int, std::unique_ptr<Schedule>> schedules;
    return schedules;
}

Schedule& ScheduleOf(int count)
{
    auto& s = Schedules()[count];
    if (!s) {
        s = std::make_unique<Schedule>(count);
        // Closed before the engine's own statics go away.
        static const bool cleanup = std::atexit([] { Schedules().clear(); }) == 0;
        (void)cleanup;
    }
    return *s;
}

void BM_PullAllNothingChanged(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(s.ws->sync.PullChartUpdates(false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PullAllNothingChanged)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Another workstation changed one item: the pull walks every shared record,
// finds the one whose counter differs and copies it alone.
// Another workstation raises the change counter of one shared item.
void ChangeOneSharedItem(db::Table& shared, float counter)
{
    shared.refresh();
    shared.locate("CHARTSID", db::Value(1.0));
    shared.edit();
    shared.fieldByName("UPDATE").setAsFloat(counter);
    shared.post();
}

void BM_PullAllOneChangedElsewhere(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    db::Table& shared = s.ws->IChartsTable3;
    float counter = 10;
    for (auto _ : state) {
        state.PauseTiming();
        counter += 1;
        ChangeOneSharedItem(shared, counter);
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.ws->sync.PullChartUpdates(false));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PullAllOneChangedElsewhere)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// What a poll tick asks of the synchronisation after another workstation
// changed one shared item: the removal of obsolete items, then the pull.
void BM_RemoveThenPullOneChangedElsewhere(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    db::Table& shared = s.ws->IChartsTable3;
    float counter = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        counter += 1;
        ChangeOneSharedItem(shared, counter);
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.ws->sync.RemoveObsoleteTasks());
        benchmark::DoNotOptimize(s.ws->sync.PullChartUpdates(false));
    }
}
BENCHMARK(BM_RemoveThenPullOneChangedElsewhere)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_RemoveObsoleteNothingChanged(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(s.ws->sync.RemoveObsoleteTasks());
}
BENCHMARK(BM_RemoveObsoleteNothingChanged)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_PushAllNothingChanged(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(s.ws->sync.PushChartUpdates());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PushAllNothingChanged)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Every schedule item changed since the last push (the worst case: an insert
// of time that moved every task).
void BM_PushAllEveryItemChanged(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    db::Table& working = s.ws->ChartsTable5;
    double shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shift += 1.0;
        db::WriteBatch batch;
        for (working.first(); !working.eof(); working.next()) {
            working.edit();
            working.fieldByName("SD").setAsFloat(46000.25 + shift);
            working.post();
        }
        batch.commit();
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.ws->sync.PushChartUpdates());
    }
}
BENCHMARK(BM_PushAllEveryItemChanged)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(5);

// A program started again on the same working copy after a clean close
// (nothing changed anywhere since): the start's pull, forced (arg 1, every
// record compared and rewritten where it differs) or by the change counters
// (arg 0), then the first push of the whole working copy, which the first
// visit to the Visualize page makes. A fresh workstation each time, so that
// nothing is remembered from the last round.
void BM_StartThenFirstPush(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    const bool forced = state.range(1) != 0;
    double pull = 0, push = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto ws = std::make_unique<Workstation>(s.prog.path(), s.shared.path());
        state.ResumeTiming();
        const auto started = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ws->sync.PullChartUpdates(forced, true));
        const auto pulled = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ws->sync.PushChartUpdates());
        pull += std::chrono::duration<double, std::milli>(pulled - started).count();
        push += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pulled).count();
        state.PauseTiming();
        ws.reset();
        state.ResumeTiming();
    }
    state.counters["pull_ms"] = benchmark::Counter(pull, benchmark::Counter::kAvgIterations);
    state.counters["push_ms"] = benchmark::Counter(push, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartThenFirstPush)
    ->ArgNames({"records", "forced"})
    ->Args({20000, 1})
    ->Args({20000, 0})
    ->Args({50000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_PullAllForced(benchmark::State& state)
{
    Schedule& s = ScheduleOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(s.ws->sync.PullChartUpdates(true));
}
BENCHMARK(BM_PullAllForced)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
