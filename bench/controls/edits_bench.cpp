// The framed edits' costs, each beside Qt's own widget where there is one, in
// the same run: repainting a 200 x 21 edit with the library frame and a drop
// button (against a QLineEdit), the caret's line and column in a memo of
// 10,000 lines, and a frame controller pushing one change to 100 edits.

#include "controls/edits/fcedit.h"
#include "controls/edits/fcmemo.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcthemesrv.h"
#include "benchapplication.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace tw::controls;

// The library's benchmark application, with one fixed font so that every run
// lays out the same text.
QApplication& App()
{
    static QApplication& app = []() -> QApplication& {
        QApplication& a = bench::App();
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        QApplication::setFont(font);
        return a;
    }();
    return app;
}

// Renders the whole widget, children included, as a repaint does.
void Repaint(benchmark::State& state, QWidget& widget)
{
    widget.resize(200, 21);
    widget.show();
    QApplication::processEvents();
    QImage image(200, 21, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Repaint_QLineEdit(benchmark::State& state)
{
    App();
    QLineEdit edit;
    edit.setText(QStringLiteral("Kitchen refit, second floor"));
    Repaint(state, edit);
}
BENCHMARK(BM_Repaint_QLineEdit);

void BM_Repaint_FramedEditWithDropButton(benchmark::State& state)
{
    App();
    TFcEdit edit;
    edit.setText(QStringLiteral("Kitchen refit, second floor"));
    edit.SetFrameVisible(true);
    edit.SetDropButtonVisible(true);
    Repaint(state, edit);
}
BENCHMARK(BM_Repaint_FramedEditWithDropButton);

// 10,000 lines of notes in a shown memo.
void ShowJobNotes(QPlainTextEdit& memo)
{
    memo.resize(400, 300);
    QStringList lines;
    for (int i = 1; i <= 10000; ++i)
        lines << QStringLiteral("line %1 of the job notes").arg(i);
    memo.setPlainText(lines.join('\n'));
    memo.show();
    QApplication::processEvents();
}

// Line and column of the caret after a key press on the given line of a memo
// of 10,000 lines: the cost must not grow with the line.
void BM_MemoLineColumnAfterKey(benchmark::State& state)
{
    App();
    TFcMemo memo;
    ShowJobNotes(memo);
    memo.SetLine(static_cast<int>(state.range(0)));
    memo.SetColumn(6);
    QTextCursor cursor = memo.textCursor();
    int sum = 0;
    for (auto _ : state) {
        // The key moves the caret; the report is what the memo tells after it.
        cursor.movePosition(QTextCursor::Right);
        cursor.movePosition(QTextCursor::Left);
        memo.setTextCursor(cursor);
        sum += memo.GetLine() + memo.GetColumn();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_MemoLineColumnAfterKey)->Arg(1)->Arg(5000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same move in a plain QPlainTextEdit, for the cost of the caret alone.
void BM_PlainTextCaretMove(benchmark::State& state)
{
    App();
    QPlainTextEdit memo;
    ShowJobNotes(memo);
    QTextCursor cursor(memo.document()->findBlockByNumber(9999));
    for (auto _ : state) {
        cursor.movePosition(QTextCursor::Right);
        cursor.movePosition(QTextCursor::Left);
        memo.setTextCursor(cursor);
        benchmark::DoNotOptimize(cursor.blockNumber());
    }
}
BENCHMARK(BM_PlainTextCaretMove)->Unit(benchmark::kMicrosecond);

void BM_ControllerPushesToHundredEdits(benchmark::State& state)
{
    App();
    QWidget window;
    TFcFrameController controller;
    std::vector<TFcEdit*> edits;
    for (int i = 0; i < 100; ++i) {
        auto* edit = new TFcEdit(&window);
        edit->setGeometry(0, i * 22, 200, 21);
        edit->SetFrameController(&controller);
        edits.push_back(edit);
    }
    controller.SetFrameVisible(true);
    window.show();
    QApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        controller.SetFrameColor(flip ? clBtnText : clBtnShadow);
    }
    benchmark::DoNotOptimize(edits.front()->FrameColor());
}
BENCHMARK(BM_ControllerPushesToHundredEdits)->Unit(benchmark::kMicrosecond);

}  // namespace
