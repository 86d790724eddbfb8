// The start-up sequence of the main window, from its construction to an idle
// window on the Visualize page with the chart built, on a generated schedule
// of 5,000 tasks on 20 resources in a scratch user's folders. The steps that
// take the time are measured one by one after a start, as the breakdown.
#include <benchmark/benchmark.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "app/visualizepage.h"
#include "platform/db/table.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QTabWidget>
#include <QTimer>

#include <sys/resource.h>

#include <memory>
#include <string>

namespace tw::app {
namespace {

constexpr int kResources = 20;
constexpr int kTasks = 5000;

// A scratch user with the schedule, made once for every benchmark.
struct Installation {
    Installation()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        testing::TestApplication();
        user = std::make_unique<testing::FreshUser>();
        TMainScreen window;
        window.StartTimer();
        std::int32_t crews[kResources];
        for (int r = 0; r < kResources; ++r)
            crews[r] = examples::AddSampleResource(window, "Crew " + std::to_string(r + 1));
        TDateTime free[kResources];
        const TDateTime monday = EncodeDate(2027, 3, 1) + 8.0 / 24;
        for (TDateTime& f : free)
            f = monday;
        for (int i = 0; i < kTasks; ++i) {
            const int crew = i % kResources;
            examples::SampleTask task;
            task.Customer = "Customer " + std::to_string(i / 40 + 1);
            task.Job = "Job " + std::to_string(i / 10 + 1);
            task.Description = "Task " + std::to_string(i + 1);
            task.Start = free[crew];
            task.Hours = 4;
            examples::AddSampleTask(window, crews[crew], task, &free[crew]);
        }
        // The next start opens on the Visualize page.
        window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        window.close();
    }
    std::unique_ptr<testing::FreshUser> user;
};

Installation& Schedule()
{
    static Installation installation;
    return installation;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Construction, the whole start-up and the first chart; the shutdown is not timed.
void BM_StartupToVisualizePage(benchmark::State& bench)
{
    Schedule();
    for (auto _ : bench) {
        auto window = std::make_unique<TMainScreen>();
        window->StartTimer();
        bench.PauseTiming();
        if (window->TabControl()->currentIndex() != TMainScreen::SchedulePage)
            bench.SkipWithError("the start did not open on the Visualize page");
        window->close();
        window.reset();
        bench.ResumeTiming();
    }
    bench.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_StartupToVisualizePage)->Unit(benchmark::kMillisecond)->Iterations(5);

// The breakdown: each heavy step of the start-up again, on a started window.
enum Step { OpenTables, Synchronise, Recompute, ChartBuild, WorkCalendar };

void BM_StartupStep(benchmark::State& bench)
{
    Schedule();
    TMainScreen window;
    window.StartTimer();
    for (auto _ : bench) {
        switch (bench.range(0)) {
        case OpenTables:
            window.Session().Tables().CloseAllTables();
            window.Features().Startup->OpenAllTables(false);
            break;
        case Synchronise:
            window.Session().Sync().PullChartUpdates(true);
            window.Session().Sync().RemoveObsoleteTasks();
            break;
        case Recompute: window.Session().RecomputeAllTaskEnds(); break;
        case ChartBuild: window.Features().Visualize->BuildChart(true); break;
        default: window.Features().Startup->RefreshWorkCalendar(); break;
        }
    }
    window.close();
}
BENCHMARK(BM_StartupStep)
    ->ArgNames({"open0_sync1_recompute2_chart3_calendar4"})
    ->DenseRange(OpenTables, WorkCalendar)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::app
