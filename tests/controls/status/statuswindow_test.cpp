// Long work runs on the GUI thread with no event processing, so each status
// text must be on screen the moment it is set. The screen here is the
// window's backing store: what the platform was handed to show.

#include "controls/status/statusfixture.h"

#include "controls/status/fcprogressbar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace tw::controls {
namespace {

struct StatusOnScreen : testing::WidgetFixture {
    testing::StatusWindow w;
};

// What the window system shows of the window now, without processing events.
QImage OnScreen(QWidget* window)
{
    return QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

TEST_F(StatusOnScreen, TextSetDuringSynchronousWorkIsShownBeforeTheWorkReturns)
{
    w.bar->AddPane(150);
    w.bar->AddPane(0);
    auto* progress = new TFcProgressBar(w.bar->Pane(1));
    progress->setGeometry(4, 2, 100, 14);
    progress->SetTotalParts(3);
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    QCoreApplication::processEvents();

    TFcCustomStatusPane* pane = w.bar->Pane(0);
    // The pane overlaps the window's left edge by a pixel; compare what shows.
    const QRect placed(pane->mapTo(w.window.get(), QPoint(0, 0)), pane->size());
    const QRect at = placed.intersected(w.window->rect());
    const QRect inPane = at.translated(-placed.topLeft());
    const QRect progressAt(progress->mapTo(w.window.get(), QPoint(0, 0)), progress->size());
    std::vector<QImage> seen;
    std::vector<QImage> expected;
    std::vector<QImage> progressSeen;
    std::vector<QImage> progressExpected;
    // The work: three records restored without a turn of the event loop.
    for (int record = 1; record <= 3; ++record) {
        w.bar->SetPanelText(0, QStringLiteral("Record %1 of 3").arg(record));
        seen.push_back(OnScreen(w.window.get()).copy(at));
        expected.push_back(pane->RenderImage().convertToFormat(QImage::Format_RGB32).copy(inPane));
        progress->IncPartsByOne();
        progressSeen.push_back(OnScreen(w.window.get()).copy(progressAt));
        progressExpected.push_back(progress->RenderImage().convertToFormat(QImage::Format_RGB32));
    }
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], expected[i]) << "record " << i + 1;
        EXPECT_EQ(progressSeen[i], progressExpected[i]) << "record " << i + 1;
    }
    EXPECT_NE(seen[0], seen[1]);  // each text in its turn, not only the last one
}

}  // namespace
}  // namespace tw::controls
