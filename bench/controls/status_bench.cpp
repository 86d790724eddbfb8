// The status family and the splitter: a status text set with its immediate
// repaint on a three-pane bar (a restore writes "Record i of n" for every
// record), a 200 by 24 progress bar's paint, one step of a live splitter drag
// with a folder tree and a file list in its panes, and the panes' share of a
// status bar resize.

#include "controls/foundation/fccanvas.h"
#include "controls/sizing/fcsplitter.h"
#include "controls/status/fcprogressbar.h"
#include "controls/status/fcstatusbar.h"

#include "benchapplication.h"

#include <QMouseEvent>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tw::controls;

void BM_StatusTextWithRepaint(benchmark::State& state)
{
    bench::App();
    QWidget window;
    window.resize(640, 120);
    auto* bar = new TFcStatusBar(&window);
    bar->Loaded();
    bar->setGeometry(0, 101, 640, 19);
    bar->AddPane(200);
    bar->AddPane(250);
    bar->AddPane(0);
    bar->SetPanelText(0, QStringLiteral("Restoring"));
    window.show();
    QCoreApplication::processEvents();
    const int n = 300;
    int i = 0;
    for (auto _ : state) {
        bar->SetPanelText(1, QStringLiteral("Record %1 of %2").arg(i % n + 1).arg(n));
        ++i;
    }
}
BENCHMARK(BM_StatusTextWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_ProgressBarPaint(benchmark::State& state)
{
    bench::App();
    TFcProgressBar progress;
    progress.resize(200, 24);
    progress.SetPercent(57);
    QImage image = MakeBitmap(200, 24);
    TFcCanvas canvas(image);
    for (auto _ : state) {
        progress.PaintTo(canvas);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ProgressBarPaint)->Unit(benchmark::kMicrosecond);

void BM_SplitterLiveDragStep(benchmark::State& state)
{
    bench::App();
    // The open/save form's split: folders left, files right.
    QStandardItemModel folders;
    for (int d = 0; d < 12; ++d) {
        auto* drive = new QStandardItem(QStringLiteral("Folder %1").arg(d));
        for (int f = 0; f < 8; ++f)
            drive->appendRow(new QStandardItem(QStringLiteral("Subfolder %1").arg(f)));
        folders.appendRow(drive);
    }
    // The file list in detail: name, size and date of each file.
    QStandardItemModel files(0, 3);
    files.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Modified")});
    for (int f = 0; f < 400; ++f) {
        files.appendRow({new QStandardItem(QStringLiteral("schedule-%1.dbf").arg(f)),
                         new QStandardItem(QStringLiteral("%1 KB").arg(f * 7 % 900 + 1)),
                         new QStandardItem(QStringLiteral("12/%1/2026 9:%2 AM").arg(f % 28 + 1).arg(f % 50 + 10))});
    }
    TFcSplitter split;
    split.resize(640, 400);
    split.SetPosition(160);
    split.SetSplitterWidth(7);
    split.SetHotSpotVisible(true);
    split.SetRealTimeDrag(true);
    auto* tree = new QTreeView(split.UpperLeftPane());
    tree->setModel(&folders);
    tree->setUniformRowHeights(true);
    tree->setHeaderHidden(true);
    tree->expandAll();
    TFcCustomPanel::SetAlign(tree, alClient);
    auto* list = new QTreeView(split.LowerRightPane());
    list->setModel(&files);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    TFcCustomPanel::SetAlign(list, alClient);
    split.show();
    QCoreApplication::processEvents();
    const QPointF start(163, 20);  // on the bar, off the hot spot
    QMouseEvent press(QEvent::MouseButtonPress, start, split.mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&split, &press);
    int step = 0;
    for (auto _ : state) {
        const QPointF at(163 + (step % 2 == 0 ? 40 : 0) + step % 7, 20);
        QMouseEvent move(QEvent::MouseMove, at, split.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&split, &move);
        ++step;
    }
    QMouseEvent release(QEvent::MouseButtonRelease, start, split.mapToGlobal(start), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&split, &release);
}
BENCHMARK(BM_SplitterLiveDragStep)->Unit(benchmark::kMicrosecond);

void BM_StatusPaneScaling(benchmark::State& state)
{
    bench::App();
    QWidget window;
    window.resize(800, 100);
    auto* bar = new TFcStatusBar(&window);
    bar->Loaded();
    bar->SetAutoScalePanes(true);
    bar->setGeometry(0, 80, 600, 19);
    bar->AddPane(150);  // 175 at 700 pixels
    bar->AddPane(200);
    bar->AddPane(0);
    window.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        bar->resize(i % 2 == 0 ? 700 : 600, 19);
        ++i;
    }
    bar->resize(700, 19);
    if (bar->Pane(0)->width() != 175)
        state.SkipWithError("the panes did not scale");
}
BENCHMARK(BM_StatusPaneScaling)->Unit(benchmark::kMicrosecond);

}  // namespace
