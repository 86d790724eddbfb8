// Painting a framed control through the canvas, against the same picture made
// with plain QPainter calls on the same QImage.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcthemesrv.h"

#include "benchapplication.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace tw::controls;

using bench::App;

constexpr int kWidth = 200;
constexpr int kHeight = 30;

// One 200 x 30 framed control: a lowered 3-D frame, a gradient face, a caption.
void PaintControl(TFcCanvas& c, int left, int top)
{
    const TRect r{left, top, left + kWidth, top + kHeight};
    const TRect inner = DrawBorder(c, r, fsLowered);
    PaintGradient(c, inner, gdHorizontalEnd, RGB(255, 255, 255), RGB(212, 208, 200), 1);
    c.BkMode = TBkMode::Transparent;
    c.FontColor = clBlack;
    TRect text = inner;
    c.DrawText(QStringLiteral("Next free day"), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintControlWithQPainter(QPainter& p, int left, int top)
{
    const QRect r(left, top, kWidth, kHeight);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.setPen(QColor(64, 64, 64));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    const QRect inner = r.adjusted(2, 2, -2, -2);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(212, 208, 200));
    p.fillRect(inner, g);
    p.setPen(Qt::black);
    p.drawText(inner, Qt::AlignCenter, QStringLiteral("Next free day"));
}

void BM_CanvasFramedControl(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(kWidth, kHeight, clBtnFace);
    TFcCanvas canvas(image);
    for (auto _ : state) {
        PaintControl(canvas, 0, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_CanvasFramedControl)->Unit(benchmark::kMicrosecond);

void BM_QPainterFramedControl(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(kWidth, kHeight, clBtnFace);
    QPainter p(&image);
    for (auto _ : state) {
        PaintControlWithQPainter(p, 0, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterFramedControl)->Unit(benchmark::kMicrosecond);

// A window of 100 such controls, repainted whole: ten columns of ten.
void BM_CanvasWindowOf100Controls(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(10 * (kWidth + 4), 10 * (kHeight + 4), clBtnFace);
    for (auto _ : state) {
        TFcCanvas canvas(image);
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect({0, 0, image.width(), image.height()});
        for (int i = 0; i < 100; ++i)
            PaintControl(canvas, (i % 10) * (kWidth + 4), (i / 10) * (kHeight + 4));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_CanvasWindowOf100Controls)->Unit(benchmark::kMillisecond);

void BM_QPainterWindowOf100Controls(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(10 * (kWidth + 4), 10 * (kHeight + 4), clBtnFace);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), QColor(212, 208, 200));
        for (int i = 0; i < 100; ++i)
            PaintControlWithQPainter(p, (i % 10) * (kWidth + 4), (i / 10) * (kHeight + 4));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QPainterWindowOf100Controls)->Unit(benchmark::kMillisecond);

// The pieces on their own.
void BM_CanvasBorderOnly(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(kWidth, kHeight, clBtnFace);
    TFcCanvas canvas(image);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawBorder(canvas, {0, 0, kWidth, kHeight}, fsLowered));
}
BENCHMARK(BM_CanvasBorderOnly)->Unit(benchmark::kMicrosecond);

void BM_CanvasGradientOnly(benchmark::State& state)
{
    App();
    QImage image = MakeBitmap(kWidth, kHeight, clBtnFace);
    TFcCanvas canvas(image);
    for (auto _ : state)
        PaintGradient(canvas, {2, 2, kWidth - 2, kHeight - 2}, gdHorizontalEnd, clWhite, clBtnFace, 1);
}
BENCHMARK(BM_CanvasGradientOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
