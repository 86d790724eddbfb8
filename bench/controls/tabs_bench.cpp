// The tab family against the figures a user notices: switching a page of a
// window-sized page control (veto, page shown, strip and page painted), laying
// out 50 tabs in several rows, painting a strip of six tabs at 800 x 25, and
// the hit test under the mouse.

#include "controls/foundation/fcthemesrv.h"
#include "controls/tabs/fccollectiontabcontrol.h"
#include "controls/tabs/fcpagecontrol.h"

#include "benchapplication.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

using namespace tw::controls;

using bench::App;

// The main window's six pages at its usual size, each with a few controls.
void BM_PageSwitch(benchmark::State& state)
{
    App();
    QWidget window;
    window.resize(1000, 700);
    TFcPageControl pages(&window);
    pages.setGeometry(0, 0, 1000, 700);
    pages.SetTabHints(true);
    pages.SetShowFocusRect(false);
    for (const char* caption : {"Customer", "Select", "Schedule", "Calendar", "My Company", "Utilities"}) {
        auto* sheet = new TFcTabSheet(&pages);
        sheet->SetCaption(QString::fromLatin1(caption));
        for (int i = 0; i < 8; ++i) {
            (new QLabel(QStringLiteral("Field %1").arg(i), sheet))->setGeometry(10, 10 + 30 * i, 100, 22);
            (new QLineEdit(sheet))->setGeometry(120, 10 + 30 * i, 300, 22);
        }
    }
    int vetoes = 0;
    pages.OnChanging = [&](TFcCustomTabControl*, int, bool&) { ++vetoes; };
    pages.SetActivePageIndex(0);
    window.show();
    int next = 1;
    for (auto _ : state) {
        pages.SetTabIndex(next);
        benchmark::DoNotOptimize(pages.RenderImage());
        benchmark::DoNotOptimize(pages.ActivePage()->grab());
        next = (next + 1) % 6;
    }
    benchmark::DoNotOptimize(vetoes);
}
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMillisecond);

void BM_MultiLineLayout50(benchmark::State& state)
{
    App();
    TFcFontMeasure measure;
    TFcTabLayout layout(measure);
    layout.SetSize(600, 300);
    layout.Options.MultiLine = true;
    layout.Options.AlignTabs = true;
    for (int i = 0; i < 50; ++i)
        layout.Tabs.Add()->Caption = QStringLiteral("Tab number %1").arg(i);
    layout.SetTabIndex(17, true);
    for (auto _ : state) {
        layout.SetCalcNeeded();
        layout.CheckCalcNeeded();
        benchmark::DoNotOptimize(layout.RowExtent());
    }
}
BENCHMARK(BM_MultiLineLayout50)->Unit(benchmark::kMicrosecond);

// The main window's six captions on a strip of 800 x 25.
void SixTabs(TFcTabControl& strip)
{
    App();
    strip.resize(800, 25);
    for (const char* caption : {"Customer", "Select", "Schedule", "Calendar", "My Company", "Utilities"})
        strip.Tabs().Add()->SetCaption(QString::fromLatin1(caption));
    strip.SetTabIndex(2);
}

void BM_PaintStripSix(benchmark::State& state)
{
    TFcTabControl strip;
    SixTabs(strip);
    for (auto _ : state)
        benchmark::DoNotOptimize(strip.RenderImage());
}
BENCHMARK(BM_PaintStripSix)->Unit(benchmark::kMicrosecond);

void BM_HitTest(benchmark::State& state)
{
    TFcTabControl strip;
    SixTabs(strip);
    strip.RenderImage();
    // Points swept along the band, over slants, faces and the empty end.
    std::vector<QPoint> points;
    for (int x = 0; x < 800; x += 7)
        points.emplace_back(x, 4 + (x / 7) % 15);
    size_t k = 0;
    for (auto _ : state) {
        const QPoint p = points[k];
        benchmark::DoNotOptimize(strip.TabAtPos(p.x(), p.y()));
        k = (k + 1) % points.size();
    }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kNanosecond);

}  // namespace
