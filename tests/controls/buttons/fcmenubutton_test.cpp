// The menu button: dropping by mouse, Space and F4 with the re-press guard,
// Enter clicking without a drop, the swallowed click, and the drop point at
// a screen edge. The menu is "shown" through the Popup seam and the clock is
// a counter the test moves.

#include "buttonfixture.h"

#include "controls/base/fcmodalresult.h"
#include "controls/buttons/fcmenubutton.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace tw::controls {
namespace {

using namespace testing;

struct MenuButton : ButtonFixture {
    QMenu menu;
    TFcMenuButton* button = new TFcMenuButton(&host);
    qint64 now = 1000;
    std::vector<QPoint> pops;
    int clicks = 0;
    std::vector<QObject*> dropSenders;

    MenuButton()
    {
        menu.addAction("&Print");
        menu.addAction("Save as &PDF");
        button->SetCaption("&Output");
        button->move(10, 10);
        button->SetDropDownMenu(&menu);
        // Showing the menu takes 30 ms on the test clock.
        button->Popup = [this](QMenu*, QPoint at) {
            pops.push_back(at);
            now += 30;
        };
        button->Clock = [this] { return now; };
        button->OnClick = [this](TFcControl*) { ++clicks; };
        button->OnDropDown = [this](QObject* sender) { dropSenders.push_back(sender); };
        TFcFormKeys::Install(&host);
        ShowHost();
    }
};

TEST_F(MenuButton, WithoutAMenuItIsABitmapButton)
{
    QDialog dialog;
    auto* plain = new TFcMenuButton(&dialog);
    int plainClicks = 0;
    plain->OnClick = [&](TFcControl*) { ++plainClicks; };
    plain->SetModalResult(mrYes);
    dialog.show();
    plain->Click();
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(dialog.result(), int(mrYes));
}

TEST_F(MenuButton, AMousePressDropsTheMenuAndTheClickIsSwallowed)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(pops.size(), 1u);
    EXPECT_EQ(pops[0], button->mapToGlobal(QPoint(0, button->height())));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(dropSenders, std::vector<QObject*>{&menu});
}

TEST_F(MenuButton, APressWithin100msOfTheMenuClosingDoesNotReopenIt)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    now += 99;  // the press that closed the menu, handed on by the platform
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pops.size(), 1u);
    EXPECT_EQ(clicks, 0);
    now += 1;  // the guard is used up: the next press drops again
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pops.size(), 2u);
    now += 100;  // 100 ms after the menu closed is a press of its own
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pops.size(), 3u);
    EXPECT_EQ(clicks, 0);
}

TEST_F(MenuButton, SpaceDropsAndEnterClicks)
{
    FocusOn(button);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(pops.size(), 1u);
    EXPECT_EQ(clicks, 0);
    button->SetDefault(true);
    now += 1000;
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(pops.size(), 1u);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuButton, AfterF4TheNextClickIsSwallowed)
{
    FocusOn(button);
    button->SetDefault(true);
    QTest::keyClick(button, Qt::Key_F4);
    EXPECT_EQ(pops.size(), 1u);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MenuButton, NearTheScreensRightEdgeTheMenuAlignsWithTheButtonsRightEdge)
{
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const int w = MenuWidthEstimate(&menu);
    EXPECT_GT(w, 56);
    // Room to the right: the menu starts at the button's left edge.
    host.move(work.left() + 20, work.top() + 20);
    QApplication::processEvents();
    QPoint at = button->DropDownPoint();
    EXPECT_EQ(at, button->mapToGlobal(QPoint(0, button->height())));
    // The button's left edge a few pixels from the right edge of the work area.
    host.move(work.right() - button->x() - 60, work.top() + 20);
    QApplication::processEvents();
    const QPoint left = button->mapToGlobal(QPoint(0, button->height()));
    ASSERT_GT(left.x() + w, work.right() + 1);
    at = button->DropDownPoint();
    EXPECT_EQ(at.x() + w, left.x() + button->width());
    EXPECT_EQ(at.y(), left.y());
    EXPECT_EQ(MenuWidthEstimate(nullptr), 56);
}

TEST_F(MenuButton, TheArrowTakesRoomFromTheCaptionAndTheImage)
{
    TFcMenuButton probe(&host);
    probe.resize(110, 40);
    probe.SetGlyph(GetBitBtnGlyph(bkOK));
    probe.SetLayout(blGlyphRight);
    const TRect withArrow = probe.GetGlyphRect();
    const TRect captionWithArrow = probe.GetCaptionRect();
    probe.SetShowArrow(false);
    EXPECT_EQ(withArrow, probe.GetGlyphRect().Moved(-14, 0));
    EXPECT_EQ(captionWithArrow.Right, probe.GetCaptionRect().Right - 14);
    probe.SetShowArrow(true);
    probe.SetLayout(blGlyphTop);
    const TRect top = probe.GetGlyphRect();
    probe.SetShowArrow(false);
    EXPECT_EQ(top, probe.GetGlyphRect().Moved(-7, 0));
}

}  // namespace
}  // namespace tw::controls
