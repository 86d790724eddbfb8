// A full chart build of a generated working copy (workingcopy.h). Each build
// writes the previous bars back, brings the job summaries up to date, sorts
// the working copy and makes every row, caption, colour and group link again,
// as after a change or a poll that brought news.
#include <benchmark/benchmark.h>

#include "workingcopy.h"

namespace tw::visualize {
namespace {

using testing::WorkingCopy;

// Arg: records in the working copy; the sort order is the dependency group's,
// so the group links are made too.
void BM_FullChartBuild(benchmark::State& bench)
{
    WorkingCopy copy(static_cast<int>(bench.range(0)));
    copy.controls.ChartSortBy = kSortByDependentGroup;
    copy.builder.BuildChart(true);
    for (auto _ : bench) {
        copy.builder.SaveAndClearAllocations(true);
        copy.builder.UpdateJobSummaries();
        copy.builder.BuildChart(false);
    }
    bench.counters["bars"] = static_cast<double>(copy.chart.ChartBars.size());
    bench.counters["rows"] = copy.RAC.Count();
    bench.SetComplexityN(bench.range(0));
}
BENCHMARK(BM_FullChartBuild)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

// The same build in the order "Resource" and in job display, where the
// summaries are part of the build itself.
void BM_ChartBuildByOrder(benchmark::State& bench)
{
    WorkingCopy copy(20000);
    copy.controls.ChartSortBy = static_cast<int>(bench.range(0));
    copy.controls.ShowJobsOnly = static_cast<int>(bench.range(1));
    copy.builder.BuildChart(true);
    for (auto _ : bench)
        copy.builder.BuildChart(true);
    bench.counters["bars"] = static_cast<double>(copy.chart.ChartBars.size());
}
BENCHMARK(BM_ChartBuildByOrder)->Args({0, 1})->Args({2, 1})->Args({0, 0})->Unit(benchmark::kMillisecond);

// The first build after "Show all": every record of the working copy is shown
// and none has its bar and row yet, so the build writes every one (what the
// user sees: one row per task, 10 tasks and a job row per job, no
// restriction, in the order "Resource").
void BM_FirstBuildAfterShowAll(benchmark::State& bench)
{
    WorkingCopy copy(static_cast<int>(bench.range(0)));
    copy.controls.ChartSortBy = 0;
    copy.builder.BuildChart(true);
    for (auto _ : bench) {
        bench.PauseTiming();
        copy.builder.SaveAndClearAllocations(false);
        {
            db::WriteBatch batch;
            db::Table& t = copy.c5;
            for (t.first(); !t.eof(); t.next()) {
                t.edit();
                t.fieldByName("PTR").setAsFloat(0);
                t.fieldByName("RESOURCE").setAsFloat(0);
                t.post();
            }
            batch.commit();
        }
        copy.Refresh();
        bench.ResumeTiming();
        copy.builder.BuildChart(true);
    }
    bench.counters["rows"] = copy.RAC.Count();
}
BENCHMARK(BM_FirstBuildAfterShowAll)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The build's steps one by one.
void BM_BuildStep(benchmark::State& bench)
{
    WorkingCopy copy(static_cast<int>(bench.range(1)));
    copy.controls.ChartSortBy = kSortByDependentGroup;
    ChartBuilder& builder = copy.builder;
    for (auto _ : bench) {
        bench.PauseTiming();
        builder.SaveAndClearAllocations(false);
        if (bench.range(0) == 0)
            builder.BuildChart(false);
        bench.ResumeTiming();
        switch (bench.range(0)) {
        case 0: builder.SaveAndClearAllocations(true); break;
        case 1: builder.UpdateJobSummaries(); break;
        case 2: builder.SortWorkTables(); break;
        default: builder.BuildChart(false); break;
        }
    }
}
BENCHMARK(BM_BuildStep)
    ->ArgNames({"writeback0_summaries1_sort2_build3", "records"})
    ->ArgsProduct({{0, 1, 2, 3}, {5000, 20000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::visualize
