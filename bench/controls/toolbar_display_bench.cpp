// The toolbar and display controls: a 40-button toolbar laid out, one tool
// button painted, the colour picker with every strip and the system colours
// painted and hit-tested, one tick of a 100 x 30 LED display, and one
// polling tick over ten status panes (clocks, key panes and free memory).

#include "benchapplication.h"

#include "controls/display/fccolorpicker.h"
#include "controls/display/fcleddisplay.h"
#include "controls/statuspanes/fcpollingstatus.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbutton.h"

#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tw::controls;
using tw::controls::bench::App;

void BM_ToolbarLayoutFortyButtons(benchmark::State& state)
{
    App();
    QWidget window;
    auto* bar = new TFcToolbar(&window);
    TFcCustomPanel::SetAlign(bar, alTop);
    bar->resize(400, 32);
    for (int i = 0; i < 40; ++i)
        new TFcToolButton(bar);
    int margin = 4;
    for (auto _ : state) {
        // A changed margin lays everything out again.
        margin = margin == 4 ? 5 : 4;
        bar->SetMargin(margin);
        benchmark::DoNotOptimize(bar->height());
    }
}
BENCHMARK(BM_ToolbarLayoutFortyButtons);

void BM_ToolButtonPaint(benchmark::State& state)
{
    App();
    TFcImageList images(16, 16);
    images.AddMasked(MakeBitmap(16, 16, 0x0000FF), clNone);
    TFcToolButton button;
    button.SetImages(&images);
    button.SetImageIndex(0);
    button.SetShowCaption(true);
    button.SetCaption("Print");
    button.SetToolStyle(tsDropDown);
    button.resize(60, 25);
    QImage image(60, 25, QImage::Format_RGB32);
    for (auto _ : state) {
        TFcCanvas canvas(image);
        button.PaintTo(canvas);
    }
}
BENCHMARK(BM_ToolButtonPaint);

std::unique_ptr<TFcColorPicker> FullPicker()
{
    auto picker = std::make_unique<TFcColorPicker>();
    picker->SetShowNoColor(true);
    picker->SetShowDefaultColor(true);
    picker->SetShowCustomColor(true);
    picker->SetShowSystemColors(true);
    picker->SetSelColorIndex(13);
    picker->SetHighlightColorIndex(20);
    return picker;
}

void BM_ColorPickerPaintEverything(benchmark::State& state)
{
    App();
    auto picker = FullPicker();
    QImage image(picker->width(), picker->height(), QImage::Format_RGB32);
    for (auto _ : state) {
        TFcCanvas canvas(image);
        picker->PaintTo(canvas);
    }
}
BENCHMARK(BM_ColorPickerPaintEverything);

void BM_ColorPickerHitTest(benchmark::State& state)
{
    App();
    auto picker = FullPicker();
    int x = 0;
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(picker->HitTest(x, y));
        x = (x + 7) % picker->width();
        y = (y + 13) % picker->height();
    }
}
BENCHMARK(BM_ColorPickerHitTest);

void BM_LedDisplayTick(benchmark::State& state)
{
    App();
    TFcLEDDisplay led;
    led.resize(100, 30);
    led.SetCaption("Tarnwick schedules");
    led.SetScrolling(true);
    QImage image(100, 30, QImage::Format_RGB32);
    for (auto _ : state) {
        led.Tick();
        TFcCanvas canvas(image);
        led.PaintTo(canvas);
    }
}
BENCHMARK(BM_LedDisplayTick);

void BM_PollingTickTenPanes(benchmark::State& state)
{
    App();
    QWidget window;
    window.resize(800, 30);
    for (int i = 0; i < 4; ++i)
        (new TFcClockStatus(&window))->move(i * 150, 0);
    for (int i = 0; i < 4; ++i)
        (new TFcKeyStatus(&window))->move(600 + i * 45, 0);
    for (int i = 0; i < 2; ++i)
        (new TFcResourceStatus(&window))->move(i * 100, 20);
    window.show();
    TFcPollingList::Instance()->SetActive(false);
    for (auto _ : state)
        TFcPollingList::Instance()->Tick();
}
BENCHMARK(BM_PollingTickTenPanes);

}  // namespace
