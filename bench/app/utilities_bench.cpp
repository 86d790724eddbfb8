// The Utilities tab turned to for the first time on a started main window:
// the mounted volumes listed, the backup folder shown in the tree and the
// file list, and the free space with its pie, until the window is idle.
#include <benchmark/benchmark.h>

#include "app/mainscreen.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QTimer>

#include <memory>

namespace tw::app {
namespace {

void BM_UtilitiesTabFirstShown(benchmark::State& bench)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::TestApplication();
    testing::FreshUser user;
    {
        TMainScreen window;
        window.StartTimer();
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        window.Session().Flags.NoAutoBackup = true;
    }
    for (auto _ : bench) {
        bench.PauseTiming();
        auto window = std::make_unique<TMainScreen>();
        window->StartTimer();
        window->show();
        window->StartClock()->stop();
        QCoreApplication::processEvents();
        bench.ResumeTiming();

        window->TabControl()->setCurrentIndex(TMainScreen::UtilitiesPage);
        QCoreApplication::processEvents();

        bench.PauseTiming();
        window->Session().Flags.NoAutoBackup = true;  // the shutdown is not what is measured
        window.reset();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_UtilitiesTabFirstShown)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tw::app
