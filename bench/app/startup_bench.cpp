// The start-up sequence of the main window, from its construction to an idle
// window on the Visualize page with the chart built, on a generated schedule
// of 5,000 tasks on 20 resources (jobs of 10 tasks, 40 tasks a customer) in a
// scratch user's folders. The first start shows what the last session
// selected: one job, 11 rows. The second is the start of a user who wants
// every task on the chart: the same start, "Show all" ticked on the Add /
// Edit / Query page, "Individual tasks" under the chart, the Visualize page
// painted: 10,000 rows in the chart's "Resource" order (every task, each
// under a heading row of its customer and job, since neighbours in that order
// belong to other jobs). The same start is timed on 50,000 tasks too, made as
// bench/app/largeschedule.h makes them (one customer and job per resource:
// 50,020 rows); its first start is the first open of that schedule, whose
// build writes every row and whose closing writes every bar back. The "rows"
// counter says what was drawn. The steps that take the time are measured one
// by one after a start, as the breakdown.
#include <benchmark/benchmark.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "controls/choices/fcglyphbutton.h"
#include "largeschedule.h"
#include "platform/db/table.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QImage>
#include <QTabWidget>
#include <QTimer>

#include <sys/resource.h>

#include <map>
#include <memory>
#include <string>

namespace tw::app {
namespace {

constexpr int kResources = 20;
constexpr int kTasks = 5000;

// A scratch user with the schedule, made once for every benchmark: the
// generated 5,000 tasks through the adder, or a large schedule of the given
// size copied straight into the tables.
struct Installation {
    explicit Installation(int tasks)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        testing::TestApplication();
        user = std::make_unique<testing::FreshUser>();
        TMainScreen window;
        window.StartTimer();
        if (tasks == kTasks)
            AddTasks(window);
        else
            bench::MakeLargeSchedule(window, tasks, kResources);
        // The next start opens on the Visualize page.
        window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        window.close();
    }
    static void AddTasks(TMainScreen& window)
    {
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
    }
    // The program finds its folders through the environment: the user's own
    // again, for a benchmark that runs after another schedule was made.
    void Use() const
    {
        ::setenv("XDG_CONFIG_HOME", user->ConfigFolder().toLocal8Bit().constData(), 1);
        ::setenv("XDG_DATA_HOME", user->DataFolder().toLocal8Bit().constData(), 1);
    }
    std::unique_ptr<testing::FreshUser> user;
};

Installation& Schedule(int tasks = kTasks)
{
    static std::map<int, std::unique_ptr<Installation>> made;
    auto& installation = made[tasks];
    if (!installation)
        installation = std::make_unique<Installation>(tasks);
    installation->Use();
    return *installation;
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
    long long rows = 0;
    for (auto _ : bench) {
        auto window = std::make_unique<TMainScreen>();
        window->StartTimer();
        bench.PauseTiming();
        rows = window->Features().Visualize->Page()->RAC()->Count();
        if (window->TabControl()->currentIndex() != TMainScreen::SchedulePage)
            bench.SkipWithError("the start did not open on the Visualize page");
        window->close();
        window.reset();
        bench.ResumeTiming();
    }
    bench.counters["rows"] = static_cast<double>(rows);
    bench.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_StartupToVisualizePage)->Unit(benchmark::kMillisecond)->Iterations(5);

// Ticks a box or radio button of the control library as a user's click does.
bool Tick(QObject& window, const char* name)
{
    auto* box = window.findChild<controls::TFcCustomGlyphButton*>(name);
    if (!box)
        return false;
    if (!box->Checked())
        box->ChangeState();
    return true;
}

// Construction, the whole start-up, "Show all" and "Individual tasks" ticked
// and the Visualize page painted with every task a row; the shutdown is not
// timed. Each start finds the schedule as the previous one's closing left it.
// Arg: tasks.
void BM_StartupToEveryTaskDrawn(benchmark::State& bench)
{
    Schedule(static_cast<int>(bench.range(0)));
    long long rows = 0;
    for (auto _ : bench) {
        auto window = std::make_unique<TMainScreen>();
        window->resize(1100, 760);
        window->StartTimer();
        // As a user does it: "Show all" on the Add / Edit / Query page,
        // "Individual tasks" under the chart, then the Visualize page.
        window->TabControl()->setCurrentIndex(TMainScreen::SelectPage);
        if (!Tick(*window, "RestrictToActive") || !Tick(*window, "ShowJobsOnlyTasks")) {
            bench.SkipWithError("no \"Show all\" or \"Individual tasks\" to tick");
            break;
        }
        window->TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        QImage drawn(window->size(), QImage::Format_ARGB32_Premultiplied);
        window->render(&drawn);
        bench.PauseTiming();
        rows = window->Features().Visualize->Page()->RAC()->Count();
        window->close();
        window.reset();
        bench.ResumeTiming();
    }
    bench.counters["rows"] = static_cast<double>(rows);
    bench.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_StartupToEveryTaskDrawn)->Arg(kTasks)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(5);

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
