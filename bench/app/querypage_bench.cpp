// The Add / Edit / Query tab of a started main window at its default size,
// on the sample schedule: one repaint of the whole page, its four grids and
// the library's groups, choices, check boxes and buttons below them.
#include <benchmark/benchmark.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "sampleschedule.h"
#include "testapplication.h"

#include <QCoreApplication>
#include <QImage>
#include <QRegion>

namespace tw::app {
namespace {

// Which part of the page one iteration repaints.
enum Part { WholePage, QueryGroups };

void QueryTabRepaint(benchmark::State& bench, Part part)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::TestApplication();
    testing::FreshUser user;
    TMainScreen window;
    window.StartTimer();
    examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
    window.resize(927, 758);
    window.TabControl()->setCurrentIndex(TMainScreen::SelectPage);
    window.show();
    window.StartClock()->stop();
    window.Features().Query->ApplyCustomerQuery();
    QCoreApplication::processEvents();
    TQueryPage* page = window.Features().Query->Page();
    QImage image(page->size(), QImage::Format_RGB32);
    // The query's groups, choices and buttons below the grids.
    QRegion groups;
    for (const char* name : {"SelectOptionsPanel", "ChartSortBy2", "AccountingButtons"})
        groups += page->findChild<QWidget*>(QLatin1String(name))->geometry();
    const QRegion region = part == WholePage ? QRegion(page->rect()) : groups;
    for (auto _ : bench) {
        page->render(&image, QPoint(), region);
        benchmark::DoNotOptimize(image.constBits());
    }
    window.Session().Flags.NoAutoBackup = true;  // the shutdown is not what is measured
}
BENCHMARK_CAPTURE(QueryTabRepaint, WholePage, WholePage)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QueryTabRepaint, QueryGroups, QueryGroups)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::app
