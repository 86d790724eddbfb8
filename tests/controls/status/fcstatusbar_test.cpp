// The status bar: its grip (drawn and working only on a resizable window that
// is not maximised, also through a pane that covers it), the simple mode, the
// panes by number, proportional pane scaling, the automatic style and the
// styled paths.

#include "controls/status/statusfixture.h"

#include "controls/status/fcglyphstatus.h"
#include "controls/status/fcprogressbar.h"

#include <QAccessible>
#include <QTest>

namespace tw::controls {
namespace {

using testing::ImageArt;
using testing::Rows;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kGreen = RGB(0, 255, 0);

struct StatusBar : testing::WidgetFixture {
    testing::StatusWindow w;
    TFcStatusBar& bar = *w.bar;
};

// The corner of a 30-pixel bar: columns 17 to 28, rows 6 to 17.
Rows GripCorner(const QImage& image)
{
    const Rows all = ImageArt(image, {{'.', clBtnFace}, {'h', clBtnHighlight}, {'s', clBtnShadow}});
    Rows corner;
    for (int y = 6; y <= 17; ++y)
        corner.push_back(all[static_cast<size_t>(y)].substr(17, 12));
    return corner;
}

const Rows kGrip{
    "........ss..",
    "........ssh.",
    ".........hh.",
    "............",
    "....ss..ss..",
    "....ssh.ssh.",
    ".....hh..hh.",
    "............",
    "ss..ss..ss..",
    "ssh.ssh.ssh.",
    ".hh..hh..hh.",
    "............",
};

TEST_F(StatusBar, GripSquaresOnlyOnAResizableWindow)
{
    bar.resize(30, 19);
    EXPECT_EQ(bar.height(), 19);
    EXPECT_EQ(GripCorner(bar.RenderImage()), kGrip);

    const Rows plain(12, "............");
    w.window->setFixedSize(300, 120);
    EXPECT_FALSE(bar.GripUsable());
    EXPECT_EQ(GripCorner(bar.RenderImage()), plain);
    w.window->setMinimumSize(0, 0);
    w.window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.window->setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(GripCorner(bar.RenderImage()), plain);
    w.window->setWindowState(Qt::WindowNoState);
    bar.SetShowSizeGrip(false);
    EXPECT_EQ(GripCorner(bar.RenderImage()), plain);
}

TEST_F(StatusBar, GripIsDrawnOverThePaneThatCoversIt)
{
    bar.resize(30, 19);
    TFcStatusPane* pane = bar.AddPane(0);
    pane->SetFillColor(kGreen);
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    EXPECT_EQ(pane->geometry().right(), 30);  // the pane reaches under the grip
    const QImage shown = bar.grab().toImage();
    EXPECT_EQ(testing::PixelOf(shown, 26, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(testing::PixelOf(shown, 25, 6), ColorToRGB(clBtnShadow));
}

TEST_F(StatusBar, GripPressStartsTheResizeOnlyOnAResizableWindow)
{
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(295, 15));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(295, 15));
    EXPECT_EQ(w.resizes, 1);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(200, 10));  // away from the corner
    EXPECT_EQ(w.resizes, 1);
    w.window->setFixedSize(300, 120);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(295, 15));
    EXPECT_EQ(w.resizes, 1);
    w.window->setMinimumSize(0, 0);
    w.window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.window->showMaximized();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 5, 15));
    EXPECT_EQ(w.resizes, 1);
}

TEST_F(StatusBar, PressInTheGripStripOfAPaneOrProgressBarReachesTheBar)
{
    bar.AddPane(100);
    TFcStatusPane* last = bar.AddPane(0);
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    EXPECT_TRUE(last->UnderSizeGrip({0, 0, last->width(), last->height()}));
    EXPECT_FALSE(bar.Pane(0)->UnderSizeGrip({0, 0, bar.Pane(0)->width(), bar.Pane(0)->height()}));
    const int right = last->mapFrom(&bar, QPoint(bar.ClientAreaForChildren().Right, 0)).x();
    QTest::mouseClick(last, Qt::LeftButton, {}, QPoint(right - 20, 8));  // left of the grip
    EXPECT_EQ(w.resizes, 0);
    QTest::mouseClick(last, Qt::LeftButton, {}, QPoint(right - 12, 8));
    EXPECT_EQ(w.resizes, 1);

    auto* progress = new TFcProgressBar(&bar);
    progress->setGeometry(200, 1, 100, 18);
    progress->show();
    QTest::mouseClick(progress, Qt::LeftButton, {}, QPoint(95, 8));
    EXPECT_EQ(w.resizes, 2);
    QTest::mouseClick(progress, Qt::LeftButton, {}, QPoint(50, 8));
    EXPECT_EQ(w.resizes, 2);
}

TEST_F(StatusBar, SimpleModeBorderLeavesTheCornersOpen)
{
    bar.resize(8, 19);
    bar.SetShowSizeGrip(false);
    bar.SetColor(kGreen);
    bar.SetFlatColor(kRed);
    bar.SetFlatColorAdjustment(0);
    bar.SetSimpleStatus(true);
    Rows expected{"gggggggg", "gggggggg", "grrrrrrg"};
    for (int i = 0; i < 15; ++i)
        expected.push_back("rggggggr");
    expected.push_back("grrrrrrg");
    EXPECT_EQ(ImageArt(bar.RenderImage(), {{'g', kGreen}, {'r', kRed}}), expected);
}

TEST_F(StatusBar, SimpleModeHidesEveryPaneAndShowsThemAllAgain)
{
    TFcStatusPane* a = bar.AddPane(80);
    TFcStatusPane* b = bar.AddPane(0);
    w.window->show();
    b->hide();
    bar.SetSimpleCaption(QStringLiteral("Waiting for network access"));
    bar.SetSimpleStatus(true);
    EXPECT_TRUE(a->isHidden());
    EXPECT_TRUE(b->isHidden());
    const QImage simple = bar.RenderImage();
    EXPECT_GT(testing::Count(simple, clBtnText), 20);  // the caption is drawn
    bar.SetSimpleStatus(false);
    EXPECT_FALSE(a->isHidden());
    EXPECT_FALSE(b->isHidden());  // including the one hidden before
}

TEST_F(StatusBar, PanelsByNumber)
{
    TFcStatusPane* first = bar.AddPane(120);
    bar.AddPane(60);
    TFcStatusPane* last = bar.AddPane(0);
    w.window->show();
    ASSERT_EQ(bar.PanelCount(), 3);
    EXPECT_EQ(bar.Pane(0), first);
    EXPECT_EQ(bar.Pane(2), last);
    bar.SetPanelText(1, QStringLiteral("Record 12 of 300"));
    EXPECT_EQ(bar.PanelText(1), QStringLiteral("Record 12 of 300"));
    bar.SetPanelText(7, QStringLiteral("nowhere"));  // no such panel: ignored
    EXPECT_EQ(bar.PanelText(7), QString());
    // Fixed widths from the left, the last one takes the rest (panes overlap
    // the bar's edges by one pixel).
    EXPECT_EQ(first->geometry(), QRect(-1, 1, 120, 19));
    EXPECT_EQ(bar.Pane(1)->geometry(), QRect(119, 1, 60, 19));
    EXPECT_EQ(last->geometry(), QRect(179, 1, 122, 19));
    // A pane made elsewhere joins at the end; the one before it gets its width back.
    auto* glyph = new TFcGlyphStatus;
    bar.AddPane(glyph, 0);
    EXPECT_EQ(bar.Pane(3), glyph);
    EXPECT_EQ(last->geometry(), QRect(179, 1, 0, 19));
    EXPECT_EQ(glyph->geometry(), QRect(179, 1, 122, 19));
}

// A message longer than its pane is cut at the pane's edge; its whole text
// is the pane's hint, and goes again once it fits (after a new text or a
// wider pane). A hint the window gave the pane stays.
TEST_F(StatusBar, ACutMessageIsThePanesHintInFull)
{
    TFcStatusPane* narrow = bar.AddPane(60);
    TFcStatusPane* rest = bar.AddPane(0);
    w.window->show();
    const QString longText = QStringLiteral("Selected resource must be part of resource list of the task");
    bar.SetPanelText(0, longText);
    EXPECT_TRUE(narrow->CaptionCut());
    EXPECT_EQ(narrow->toolTip(), longText);
    bar.SetPanelText(0, QStringLiteral("Ok"));
    EXPECT_FALSE(narrow->CaptionCut());
    EXPECT_EQ(narrow->toolTip(), QString());
    bar.SetPanelText(0, longText);
    narrow->resize(1000, narrow->height());
    EXPECT_EQ(narrow->toolTip(), QString());
    rest->SetHint(QStringLiteral("Length of the task"));
    bar.SetPanelText(1, longText + longText + longText);
    EXPECT_TRUE(rest->CaptionCut());
    EXPECT_EQ(rest->toolTip(), QStringLiteral("Length of the task"));
}

TEST_F(StatusBar, PanesScaleWithTheBarButNotOnTheFirstResize)
{
    TFcStatusBar free;
    free.SetAutoScalePanes(true);
    free.resize(400, 19);
    TFcStatusPane* pane = free.AddPane(100);
    free.AddPane(0);
    free.show();  // the first resize: nothing to scale from
    EXPECT_EQ(pane->width(), 100);
    free.resize(600, 19);
    EXPECT_EQ(pane->width(), 150);
    free.SetAutoScalePanes(false);
    free.resize(400, 19);
    EXPECT_EQ(pane->width(), 150);
}

TEST_F(StatusBar, HandSetFramesSurviveLoading)
{
    TFcStatusBar fresh(w.window.get());
    EXPECT_TRUE(fresh.AutoStyle());
    fresh.Loaded();
    EXPECT_EQ(fresh.BorderOuter(), fsNone);
    EXPECT_EQ(fresh.height(), 19);
    fresh.SetBorderOuter(fsLowered);
    EXPECT_FALSE(fresh.AutoStyle());
    fresh.Loaded();
    EXPECT_EQ(fresh.BorderOuter(), fsLowered);
}

TEST_F(StatusBar, StyledPathsDrawTheStylesBarPaneAndGrip)
{
    testing::StyledScope styled;
    bar.AddPane(0)->SetCaption(QStringLiteral("Ready"));
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    styled.style.primitives.clear();
    styled.style.controls.clear();
    (void)bar.grab();
    EXPECT_GE(styled.style.Count(QStyle::PE_FrameStatusBarItem), 1);
    EXPECT_GE(styled.style.Count(QStyle::CE_SizeGrip), 1);
    bar.SetThemeAware(false);  // its own framing again
    styled.style.controls.clear();
    (void)bar.grab();
    EXPECT_EQ(styled.style.Count(QStyle::CE_SizeGrip), 0);
}

TEST_F(StatusBar, AccessibleAsAStatusBarWithStaticTextPanes)
{
    bar.AddPane(100)->SetCaption(QStringLiteral("Backing up"));
    bar.AddPane(0);
    w.window->show();
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::StatusBar);
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(bar.Pane(0));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::StaticText);
    EXPECT_EQ(pane->text(QAccessible::Name), QStringLiteral("Backing up"));
    EXPECT_EQ(pane->parent()->role(), QAccessible::StatusBar);
}

}  // namespace
}  // namespace tw::controls
