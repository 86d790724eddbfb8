// Painting and hit-testing of a chart far larger than a small business needs:
// a screenful of rows out of thousands. Painting must cost what is visible.
//
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

#include "chart/resourceallocationchart.h"

using namespace tw::chart;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "chart_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Rows with two bars each over a week, on a 1200 x 800 control.
std::unique_ptr<TResourceAllocationChart> MakeChart(int rows)
{
    App();
    auto chart = std::make_unique<TResourceAllocationChart>();
    chart->resize(1200, 800);
    const double start = tw::EncodeDate(2026, 3, 2);
    chart->BeginUpdate();
    chart->SetDateTime(start, start + 7);
    chart->ChartAppearance().SetPlotBackAlternateInterval(1.0);
    for (int i = 0; i < rows; ++i) {
        TRACResource* row = chart->AddResource(QString("Resource %1").arg(i), 0xCCFFCC, rsBlockArrow);
        const double day = i % 6;
        row->AddSlot(start + day + 0.3, start + day + 0.7);
        row->AddSlot(start + day + 1.2, start + day + 1.6);
    }
    chart->EndUpdate();
    chart->SetFirstDisplayedIndex(rows / 2);
    return chart;
}

void BM_FullPaint(benchmark::State& state)
{
    auto chart = MakeChart(static_cast<int>(state.range(0)));
    for (auto _ : state)
        chart->RefreshBitmap();
    state.counters["rows shown"] = chart->DisplayedCount();
}
BENCHMARK(BM_FullPaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state)
{
    auto chart = MakeChart(static_cast<int>(state.range(0)));
    int top = 0;
    for (auto _ : state) {
        top = (top + 1) % (chart->Count() - chart->RowsThatFit());
        chart->SetFirstDisplayedIndex(top);
    }
}
BENCHMARK(BM_ScrollStep)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PaintToPage(benchmark::State& state)
{
    auto chart = MakeChart(10000);
    QImage page(1600, 2200, QImage::Format_ARGB32_Premultiplied);
    int top = 0;
    for (auto _ : state) {
        QPainter p(&page);
        top = (chart->PaintTo(&p, page.rect(), top) + 1) % chart->Count();
    }
}
BENCHMARK(BM_PaintToPage)->Unit(benchmark::kMillisecond);

void BM_HitTest(benchmark::State& state)
{
    auto chart = MakeChart(10000);
    TRACResource* row = chart->LastDisplayedResource();
    const TRect r = row->Allocations(1)->DisplayRect();
    const TPoint onBar{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart->FindSlot(onBar));
        benchmark::DoNotOptimize(chart->FindResourceFromY(onBar.y + 3, false));
    }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMicrosecond);

}  // namespace
