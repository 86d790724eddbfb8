// Balloon hints: the corner and screen-edge rules, the two looks, and the
// application's tool tips passing through the balloon window.

#include "drawfixture.h"

#include "controls/foundation/fcbhints.h"
#include "controls/foundation/fcgrafx.h"

#include <QElapsedTimer>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>

#include <functional>

namespace tw::controls {
namespace {

using testing::DrawFixture;

TEST(HintPlacement, CornersAndScreenEdgeFlips)
{
    const TRect screen{0, 0, 800, 600};
    struct Case {
        TPoint p;
        TFcHintCorner preferred;
        THintPlacement expected;
    };
    const Case cases[] = {
        {{400, 300}, hcUpperRight, {401, 250, hcUpperRight}},
        {{400, 300}, hcLowerRight, {401, 300, hcLowerRight}},
        {{400, 300}, hcLowerLeft, {299, 300, hcLowerLeft}},
        {{400, 300}, hcUpperLeft, {299, 250, hcUpperLeft}},
        {{400, 20}, hcUpperRight, {401, 20, hcLowerRight}},  // top edge: below the point
        {{400, 20}, hcUpperLeft, {299, 20, hcLowerLeft}},
        {{400, 580}, hcLowerRight, {401, 530, hcUpperRight}},  // bottom edge: above
        {{750, 300}, hcUpperRight, {649, 250, hcUpperLeft}},   // right edge: to the left
        {{750, 300}, hcLowerRight, {649, 300, hcLowerLeft}},
        {{50, 300}, hcLowerLeft, {51, 300, hcLowerRight}},  // left edge: to the right
        {{50, 300}, hcUpperLeft, {51, 250, hcUpperRight}},
        {{780, 10}, hcUpperRight, {679, 10, hcLowerLeft}},  // a corner of the screen: both flips
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceHint(c.p, 100, 50, c.preferred, screen), c.expected) << c.p.x << "," << c.p.y;
    // A monitor left of the primary one has its own edges.
    EXPECT_EQ(PlaceHint({-1250, 300}, 100, 50, hcLowerLeft, {-1280, 0, 0, 1024}),
              (THintPlacement{-1249, 300, hcLowerRight}));
}

TEST(HintPlacement, WindowRectLeavesRoomForTheTail)
{
    EXPECT_EQ(BalloonWindowRect({0, 0, 100, 30}, hcUpperRight, true, false), (TRect{-2, -2, 102, 60}));
    EXPECT_EQ(BalloonWindowRect({0, 0, 100, 30}, hcLowerLeft, true, true), (TRect{-2, -30, 104, 34}));
    EXPECT_EQ(BalloonWindowRect({0, 0, 100, 30}, hcUpperRight, false, true), (TRect{-2, -2, 102, 32}));
    EXPECT_EQ(BalloonBodyRect({0, 0, 104, 62}, hcUpperRight, true, false), (TRect{0, 0, 104, 42}));
    EXPECT_EQ(BalloonBodyRect({0, 0, 104, 62}, hcLowerRight, true, true), (TRect{0, 20, 102, 60}));
}

struct Hints : DrawFixture {
    Hints()
    {
        target.setGeometry(100, 100, 200, 100);
        target.setToolTip(QStringLiteral("Moves the selected task to the next free day"));
        target.show();
    }
    void Hover(QWidget& w, QPoint at = {20, 20})
    {
        QHelpEvent event(QEvent::ToolTip, at, w.mapToGlobal(at));
        QApplication::sendEvent(&w, &event);
    }
    QWidget target;
};

// Runs the event loop until done() holds or ms have passed.
bool WaitUntil(const std::function<bool()>& done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// Fed in during the pause, a key or the mouse leaving the control cancels the
// hint; a hint shortly after another waits only the short pause.
TEST_F(Hints, HintsWaitForTheirPause)
{
    TFcBalloonHints hints;
    hints.SetHintPause(200);
    hints.SetHintShortPause(20);
    TFcCustomHintWindow* window = hints.HintWindow();
    auto shown = [window] { return window->isVisible(); };

    Hover(target);
    EXPECT_TRUE(hints.HintPending());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&target, &leave);
    EXPECT_FALSE(hints.HintPending());
    EXPECT_FALSE(WaitUntil(shown, 400)) << "the mouse left before the pause was over";

    Hover(target);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&target, &key);
    EXPECT_FALSE(WaitUntil(shown, 400)) << "a key cancels the hint";

    Hover(target);
    EXPECT_FALSE(WaitUntil(shown, 50)) << "no hint before the pause";
    EXPECT_FALSE(QToolTip::isVisible());
    ASSERT_TRUE(WaitUntil(shown, 5000));
    EXPECT_EQ(window->Caption, target.toolTip());

    // The next hint a moment after this one went down comes at the short
    // pause, not at the long one.
    QApplication::sendEvent(&target, &key);
    ASSERT_FALSE(window->isVisible());
    hints.SetHintPause(60000);
    Hover(target);
    EXPECT_TRUE(WaitUntil(shown, 5000));
    window->ReleaseHint();
}

TEST_F(Hints, ToolTipsShowInTheBalloonWindow)
{
    TFcBalloonHints hints;
    hints.SetHintPause(0);
    TFcCustomHintWindow* window = hints.HintWindow();
    ASSERT_NE(window, nullptr);
    Hover(target);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Active());
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(window->Caption, target.toolTip());
    EXPECT_GE(window->width(), kMinHintWidth);
    // The tail points at the cursor: the window lies up and to the right of it.
    const QPoint anchor = target.mapToGlobal(QPoint(20, 20));
    EXPECT_EQ(window->CornerInUse(), hcUpperRight);
    EXPECT_EQ(window->x(), anchor.x() + 1);
    EXPECT_EQ(window->y() + window->height(), anchor.y());

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&target, &key);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Hints, ShortHintsAreStillFiftyFivePixelsWide)
{
    TFcBalloonHints hints;
    hints.SetHintPause(0);
    target.setToolTip(QStringLiteral("A"));
    Hover(target);
    EXPECT_EQ(hints.HintWindow()->width(), kMinHintWidth);
}

TEST_F(Hints, ShowHintMayVetoOrRewrite)
{
    TFcBalloonHints hints;
    hints.SetHintPause(0);
    hints.OnShowHint = [](QString& hint, bool& canShow, THintInfo&) {
        if (hint.startsWith(u'!'))
            canShow = false;
        hint = hint.toUpper();
    };
    target.setToolTip(QStringLiteral("!hidden"));
    Hover(target);
    EXPECT_FALSE(hints.HintWindow()->isVisible());
    target.setToolTip(QStringLiteral("shown"));
    Hover(target);
    EXPECT_EQ(hints.HintWindow()->Caption, QStringLiteral("SHOWN"));
    hints.HintWindow()->ReleaseHint();
}

TEST_F(Hints, RemovingTheComponentGivesTheStandardTipsBack)
{
    auto* hints = new TFcBalloonHints;
    QPointer<TFcCustomHintWindow> window = hints->HintWindow();
    delete hints;
    EXPECT_TRUE(window.isNull());
    Hover(target);  // handled by Qt again; nothing of ours is left to show it
    QToolTip::hideText();
}

TEST_F(Hints, BalloonAndRectangleLooks)
{
    TFcBalloonHints hints;
    hints.SetHintPause(0);
    hints.SetColor(RGB(255, 255, 200));
    TFcCustomHintWindow* window = hints.HintWindow();
    Hover(target);
    QImage image = window->Render();
    TFcCanvas look(image);
    const int w = image.width(), h = image.height();
    const int bodyBottom = h - 20;
    // The body's middle is the hint colour; its rounded corner is left clear.
    EXPECT_EQ(look.Pixel(w - 5, bodyBottom / 2), RGB(255, 255, 200));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    // The tail hangs below the body at its left end, in the info colour.
    EXPECT_EQ(look.Pixel(12, bodyBottom + 2), ColorToRGB(clInfoBk));
    EXPECT_EQ(qAlpha(image.pixel(w - 5, bodyBottom + 5)), 0);
    window->ReleaseHint();

    hints.SetShowBalloon(false);
    Hover(target);
    EXPECT_EQ(window->Corner, hcLowerRight);  // rectangles always go below right
    EXPECT_EQ(window->CornerInUse(), hcLowerRight);
    image = window->Render();
    TFcCanvas plain(image);
    EXPECT_EQ(plain.Pixel(0, 0), ColorToRGB(clInfoText));
    EXPECT_EQ(plain.Pixel(image.width() - 1, image.height() - 1), ColorToRGB(clInfoText));
    EXPECT_EQ(plain.Pixel(image.width() - 3, image.height() / 2), RGB(255, 255, 200));
    window->ReleaseHint();
}

TEST_F(Hints, PicturesReplaceTheDrawnBalloon)
{
    TFcBalloonHints hints;
    hints.SetHintPause(0);
    QImage picture = MakeBitmap(4, 4, hints.Bitmaps().TransparentColor);
    picture.setPixel(0, 0, ToRgb32(RGB(200, 0, 0)));  // top-left marks the lower-right picture
    hints.Bitmaps().SetBitmap(hcLowerRight, picture);
    TFcCustomHintWindow* window = hints.HintWindow();
    Hover(target);
    ASSERT_EQ(window->CornerInUse(), hcUpperRight);
    const QImage image = window->Render();
    // Mirrored top to bottom for an upper corner: the mark is at the bottom left.
    TFcCanvas canvas(const_cast<QImage&>(image));
    EXPECT_EQ(canvas.Pixel(0, image.height() - 1), RGB(200, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, 0)), 0);  // the transparent colour left it clear
    window->ReleaseHint();
}

using ParentImage = DrawFixture;

TEST_F(ParentImage, ControlShowsWhatLiesBehindIt)
{
    QWidget parent;
    testing::FillBackground(parent, 60, 40, QColor(10, 200, 30));
    QWidget child(&parent);
    child.setGeometry(20, 10, 8, 6);
    Make(8, 6);
    DrawParentImage(&child, *canvas, false);
    EXPECT_EQ(At(0, 0), RGB(10, 200, 30));
    EXPECT_EQ(At(7, 5), RGB(10, 200, 30));
    QWidget orphan;
    Make(2, 2);
    DrawParentImage(&orphan, *canvas, true);  // no parent: nothing
    EXPECT_EQ(At(0, 0), testing::kBack);
}

}  // namespace
}  // namespace tw::controls
