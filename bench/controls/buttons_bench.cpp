// The button family's paint costs, each beside a QPushButton of the same size
// in the same run: a 200 x 30 bitmap button with glyph and caption in each
// look, a window of 100 buttons repainted whole, and building a shape
// button's two pictures and mask from a 64 x 64 bitmap.

#include "controls/buttons/fcbitbtn.h"
#include "controls/buttons/fcshapebitmaps.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcthemesrv.h"

#include <QApplication>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace tw::controls;

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_fcbuttons_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        QApplication::setFont(font);
        return a;
    }();
    return *app;
}

enum Look { Classic, HotTrack, Styled };

// One 200 x 30 button with the OK glyph and a caption, painted onto a canvas.
void BM_BitBtnPaint(benchmark::State& state)
{
    App();
    const auto look = static_cast<Look>(state.range(0));
    SetVisualStylesEnabled(look == Styled);
    TFcBitBtn button;
    button.resize(200, 30);
    button.SetKind(bkOK);
    button.SetCaption(QStringLiteral("Save the schedule"));
    button.SetHotTrack(look == HotTrack);
    QImage image = MakeBitmap(200, 30);
    TFcCanvas canvas(image);
    for (auto _ : state) {
        button.PaintTo(canvas);
        benchmark::DoNotOptimize(image.constBits());
    }
    SetVisualStylesEnabled(false);
    state.SetLabel(look == Classic ? "classic" : look == HotTrack ? "hot-track" : "styled");
}
BENCHMARK(BM_BitBtnPaint)->Arg(Classic)->Arg(HotTrack)->Arg(Styled)->Unit(benchmark::kMicrosecond);

// The same size of QPushButton with an icon and a caption, through the style.
void BM_QPushButtonPaint(benchmark::State& state)
{
    App();
    QPushButton button(QStringLiteral("Save the schedule"));
    button.setIcon(QIcon(QPixmap::fromImage(GetBitBtnGlyph(bkOK).copy(0, 0, 16, 16))));
    button.resize(200, 30);
    QImage image(200, 30, QImage::Format_RGB32);
    for (auto _ : state) {
        button.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPushButtonPaint)->Unit(benchmark::kMicrosecond);

// A window of 100 buttons (10 by 10), repainted whole as an expose does.
template <typename MakeButton>
void RepaintWindow(benchmark::State& state, MakeButton make)
{
    App();
    QWidget window;
    auto* grid = new QGridLayout(&window);
    grid->setSpacing(4);
    for (int i = 0; i < 100; ++i)
        grid->addWidget(make(&window, i), i / 10, i % 10);
    window.resize(10 * 84, 10 * 34);
    window.show();
    QApplication::processEvents();
    QImage image(window.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        window.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_WindowOf100BitBtns(benchmark::State& state)
{
    SetVisualStylesEnabled(false);
    RepaintWindow(state, [](QWidget* parent, int i) {
        auto* b = new TFcBitBtn(parent);
        b->SetKind(static_cast<TBitBtnKind>(1 + i % 10));
        b->setFixedSize(80, 30);
        return b;
    });
}
BENCHMARK(BM_WindowOf100BitBtns)->Unit(benchmark::kMillisecond);

void BM_WindowOf100QPushButtons(benchmark::State& state)
{
    RepaintWindow(state, [](QWidget* parent, int i) {
        auto* b = new QPushButton(StockCaption(static_cast<TBitBtnKind>(1 + i % 10)), parent);
        b->setIcon(QIcon(
            QPixmap::fromImage(GetBitBtnGlyph(static_cast<TBitBtnKind>(1 + i % 10)).copy(0, 0, 16, 16))));
        b->setFixedSize(80, 30);
        return b;
    });
}
BENCHMARK(BM_WindowOf100QPushButtons)->Unit(benchmark::kMillisecond);

// A round 64 x 64 shape with bevel 2 and a border: both pictures and the mask.
void BM_ShapeButtonPictures(benchmark::State& state)
{
    QImage bitmap(64, 64, QImage::Format_RGB32);
    bitmap.fill(qRgb(128, 128, 0));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (std::hypot(x - 31.5, y - 31.5) < 28)
                bitmap.setPixel(x, y, qRgb(70, 130, 200));
    const TShapeBevel bevel;
    for (auto _ : state) {
        QImage up = Create3DBitmap(bitmap, false, bevel);
        QImage down = Create3DBitmap(bitmap, true, bevel);
        QImage mask = CreateShapeMask(bitmap);
        benchmark::DoNotOptimize(up.constBits());
        benchmark::DoNotOptimize(down.constBits());
        benchmark::DoNotOptimize(mask.constBits());
    }
}
BENCHMARK(BM_ShapeButtonPictures)->Unit(benchmark::kMicrosecond);

}  // namespace
