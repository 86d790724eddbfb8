// The program at rest: the main window started on the sample schedule and
// shown on the Visualize page, then left alone for 60 seconds. Counts what
// it does meanwhile: wake-ups of its event loop (each time the loop leaves
// its wait), the voluntary context switches of the whole process (its other
// threads too) and the CPU time it spent. At rest a program wakes for its
// timers only (the status bar clock, the 15-second update poll); the counts
// say whether that stays so.
#include <benchmark/benchmark.h>

#include "app/mainscreen.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

#include <sys/resource.h>

#include <fstream>
#include <string>

namespace tw::app {
namespace {

struct Rest {
    double cpuSeconds = 0;
    long switches = 0;
};

Rest Now()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_nvcsw};
}

void BM_IdleMinute(benchmark::State& state)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
    window.StartTimer();
    examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
    window.resize(1100, 760);
    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    window.show();
    // What the start and the first showing set going settles first.
    {
        QEventLoop settle;
        QTimer::singleShot(2000, &settle, &QEventLoop::quit);
        settle.exec();
    }
    long wakeUps = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     [&wakeUps] { ++wakeUps; });
    const int seconds = static_cast<int>(state.range(0));
    Rest before, after;
    for (auto _ : state) {
        wakeUps = 0;
        before = Now();
        QEventLoop rest;
        QTimer::singleShot(seconds * 1000, &rest, &QEventLoop::quit);
        rest.exec();
        after = Now();
    }
    state.counters["wakeups"] = static_cast<double>(wakeUps);
    state.counters["context_switches"] = static_cast<double>(after.switches - before.switches);
    state.counters["cpu_ms"] = (after.cpuSeconds - before.cpuSeconds) * 1000;
    window.Session().Flags.NoAutoBackup = true;  // the shutdown is not what is measured
    window.FormDestroy();
}
BENCHMARK(BM_IdleMinute)->Arg(60)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tw::app
