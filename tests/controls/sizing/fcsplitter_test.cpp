// The splitter through real widgets: its layout, dragging with the outline
// and live, a veto that keeps the outline, the hot spot's two clicks in each
// direction, the fixed pane and percentages on a resize, copying pane data,
// the bar's looks, the hot spot's arrows and dots, the outline's
// checkerboard, cursors and accessibility.

#include "controls/sizing/sizingfixture.h"

#include "controls/sizing/fcsplitter.h"

#include <QAccessible>
#include <QCoreApplication>

#include <memory>

namespace tw::controls {
namespace {

using testing::Centre;
using testing::Drag;
using testing::ImageArt;
using testing::Rows;

constexpr TColor kRed = RGB(255, 0, 0);

struct Splitter : testing::WidgetFixture {
    Splitter()
    {
        window = std::make_unique<QWidget>();
        window->resize(200, 100);
        split = new TFcSplitter(window.get());
        split->OnChange = [this](TFcSplitter*) { ++changes; };
        split->OnHotSpotClick = [this](TFcSplitter*) { ++clicks; };
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QRect Pane(int i) const { return (i == 0 ? split->UpperLeftPane() : split->LowerRightPane())->geometry(); }

    std::unique_ptr<QWidget> window;
    TFcSplitter* split = nullptr;
    int changes = 0;
    int clicks = 0;
};

TEST_F(Splitter, NewSplitterLaysOutTwoPanesAndTheBar)
{
    EXPECT_EQ(split->size(), QSize(200, 100));
    EXPECT_EQ(split->Position(), 100);
    EXPECT_EQ(split->Percent(), 50);
    EXPECT_EQ(Pane(0), QRect(0, 0, 100, 100));
    EXPECT_EQ(split->BarRect(), (TRect{100, 0, 104, 100}));
    EXPECT_EQ(Pane(1), QRect(104, 0, 96, 100));
    split->SetOrientation(orVertical);
    EXPECT_EQ(Pane(0), QRect(0, 0, 200, 100));
    EXPECT_EQ(split->BarRect(), (TRect{0, 100, 200, 104}));
    split->SetPosition(40);
    EXPECT_EQ(Pane(1), QRect(0, 44, 200, 56));
}

TEST_F(Splitter, HiddenPaneLeavesTheOtherTheWholeAreaAndNoLimits)
{
    split->SetMarginMin(30);
    split->LowerRight()->SetVisible(false);
    EXPECT_EQ(Pane(0), QRect(0, 0, 200, 100));
    EXPECT_TRUE(split->BarRect().IsEmpty());
    split->SetPosition(5);
    EXPECT_EQ(split->Position(), 5);
    split->LowerRight()->SetVisible(true);
    EXPECT_EQ(Pane(1), QRect(9, 0, 191, 100));
}

TEST_F(Splitter, DragWithTheOutlineMovesTheBarOnRelease)
{
    Drag(split, {101, 50}, {{121, 50}, {131, 50}}, false);
    EXPECT_TRUE(split->Dragging());
    EXPECT_EQ(split->Outline()->Shown(), (TRect{130, 0, 134, 100}));
    EXPECT_TRUE(split->Outline()->isVisible());
    EXPECT_EQ(split->Position(), 100);  // the panes wait for the release
    EXPECT_EQ(changes, 0);
    QTest::mouseRelease(split, Qt::LeftButton, {}, {131, 50});
    EXPECT_EQ(split->Position(), 130);
    EXPECT_EQ(split->ManualPosition(), 130);
    EXPECT_FALSE(split->Outline()->isVisible());
    EXPECT_EQ(Pane(0).width(), 130);
    EXPECT_EQ(changes, 1);
}

TEST_F(Splitter, LiveDragRelaysOutThePanesAsItGoes)
{
    split->SetRealTimeDrag(true);
    Drag(split, {101, 50}, {{121, 50}}, false);
    EXPECT_EQ(split->Position(), 120);
    EXPECT_EQ(Pane(0).width(), 120);
    EXPECT_FALSE(split->Outline()->isVisible());
    QTest::mouseMove(split, {300, 50});  // beyond the edge: held by the limits
    EXPECT_EQ(split->Position(), 196);
    QTest::mouseRelease(split, Qt::LeftButton, {}, {300, 50});
    EXPECT_EQ(split->ManualPosition(), 196);
}

TEST_F(Splitter, VetoedDragStepLeavesTheOutlineWhereItWas)
{
    std::vector<int> asked;
    split->OnChanging = [&](TFcSplitter*, int pos, bool& allow) {
        asked.push_back(pos);
        allow = pos < 120 || pos >= 140;
    };
    Drag(split, {101, 50}, {{126, 50}}, false);
    EXPECT_EQ(split->Outline()->Shown(), (TRect{100, 0, 104, 100}));
    QTest::mouseMove(split, {141, 50});
    EXPECT_EQ(split->Outline()->Shown(), (TRect{140, 0, 144, 100}));
    QTest::mouseRelease(split, Qt::LeftButton, {}, {141, 50});
    EXPECT_EQ(split->Position(), 140);
    EXPECT_NE(std::find(asked.begin(), asked.end(), 125), asked.end());
    split->SetPosition(125);  // code is vetoed as well
    EXPECT_EQ(split->Position(), 140);
}

TEST_F(Splitter, LockedBarDoesNotMoveButItsHotSpotWorks)
{
    split->SetHotSpotVisible(true);
    split->SetLockBar(true);
    Drag(split, {101, 10}, {{150, 10}});
    EXPECT_EQ(split->Position(), 100);
    QTest::mouseClick(split, Qt::LeftButton, {}, Centre(split->HotSpotBounds()));
    EXPECT_EQ(split->Position(), 0);
}

TEST_F(Splitter, HotSpotCollapsesAndRestoresWithTwoClicks)
{
    split->SetHotSpotVisible(true);
    EXPECT_EQ(split->SplitterWidth(), 7);
    EXPECT_EQ(split->HotSpotBounds(), (TRect{100, 30, 107, 70}));
    const struct {
        THotSpotDirection direction;
        int dy;  // where on the hot spot the click lands, from its centre
        int collapsed;
    } cases[] = {
        {hsdMin, 0, 0},
        {hsdMax, 0, 193},
        {hsdBoth, -5, 0},    // the upper half collapses the upper-left pane
        {hsdBoth, 5, 193},
    };
    for (const auto& c : cases) {
        split->SetHotSpotDirection(c.direction);
        clicks = 0;
        QTest::mouseClick(split, Qt::LeftButton, {}, Centre(split->HotSpotBounds()) + QPoint(0, c.dy));
        EXPECT_TRUE(split->HotSpotClosed());
        EXPECT_EQ(split->Position(), c.collapsed) << c.direction;
        EXPECT_EQ(split->HotSpotPosition(), 100);
        QTest::mouseClick(split, Qt::LeftButton, {}, Centre(split->HotSpotBounds()));
        EXPECT_FALSE(split->HotSpotClosed());
        EXPECT_EQ(split->Position(), 100);
        EXPECT_EQ(clicks, 2);
    }
}

TEST_F(Splitter, CollapsedIgnoresTheMarginsAndADragReopens)
{
    split->SetHotSpotVisible(true);
    split->SetMarginMin(20);
    split->CloseHotSpot();
    EXPECT_EQ(split->Position(), 0);
    Drag(split, {3, 5}, {{53, 5}});  // off the hot spot: a drag cancels the collapse
    EXPECT_FALSE(split->HotSpotClosed());
    EXPECT_EQ(split->Position(), 50);
}

TEST_F(Splitter, FixedPaneAndPercentOnAResize)
{
    split->SetFixedPane(fpLowerRight);
    split->resize(250, 100);
    EXPECT_EQ(split->Position(), 150);
    EXPECT_EQ(Pane(1).width(), 96);
    split->SetUsePercent(true);
    split->SetPercent(50);
    split->resize(205, 100);
    EXPECT_EQ(split->Position(), 102);  // s = 203, 101.5 to even
}

TEST_F(Splitter, PaneDataCopiesEveryPropertyIntoThePane)
{
    TFcSplitter other;
    TFcPaneData* source = other.LowerRight();
    source->SetBorderColor(kRed);
    source->SetBorderInner(fsFlat);
    source->SetBorderOuter(fsLowered);
    source->SetBorderWidth(3);
    source->SetColor(clWindow);
    source->SetFlatColor(clBlack);
    source->SetDockSite(true);
    source->SetShowDockClientCaptions(false);
    source->SetVisible(false);
    split->SetPaneData(1, *source);
    const TFcPaneData* copy = split->GetPaneData(1);
    EXPECT_EQ(copy->BorderColor(), kRed);
    EXPECT_EQ(copy->BorderInner(), fsFlat);
    EXPECT_EQ(copy->BorderOuter(), fsLowered);
    EXPECT_EQ(copy->BorderWidth(), 3);
    EXPECT_EQ(copy->Color(), clWindow);
    EXPECT_EQ(copy->FlatColor(), clBlack);
    EXPECT_TRUE(copy->DockSite());
    EXPECT_FALSE(copy->ShowDockClientCaptions());
    EXPECT_FALSE(copy->Visible());
    EXPECT_EQ(Pane(1), QRect(0, 0, 200, 100));  // the other pane took the area
    EXPECT_EQ(split->GetPaneData(3), nullptr);
}

TEST_F(Splitter, GroovedAndBumpedBars)
{
    TFcSplitter small;
    small.resize(14, 4);
    small.SetColor(clBtnFace);
    small.SetSplitterStyle(ssGroove);
    EXPECT_EQ(small.SplitterWidth(), 6);
    small.SetPosition(4);
    const std::map<char, TColor> legend{{'.', clBtnFace}, {'s', clBtnShadow}, {'h', clBtnHighlight}};
    EXPECT_EQ(ImageArt(small.RenderImage(), legend), (Rows{
                                                          "....sshssh....",
                                                          "....s.hs.h....",
                                                          "....s.hs.h....",
                                                          "....hhhhhh....",
                                                      }));
    small.SetSplitterStyle(ssBump);
    EXPECT_EQ(ImageArt(small.RenderImage(), legend), (Rows{
                                                          "....hhshhs....",
                                                          "....h.sh.s....",
                                                          "....h.sh.s....",
                                                          "....ssssss....",
                                                      }));
}

TEST_F(Splitter, HotSpotArrowsFollowDirectionAndState)
{
    split->SetHotSpotVisible(true);
    const auto arrows = [this] {
        const QImage image = split->RenderImage();
        const TRect h = split->HotSpotBounds();
        const int cx = h.Left + h.Width() / 2;
        return std::string{testing::ArrowAt(image, cx, h.Top + 8), testing::ArrowAt(image, cx, h.Bottom - 8)};
    };
    const struct {
        THotSpotDirection direction;
        int close;  // 0 open, 1 collapsed toward the minimum, 2 toward the maximum
        std::string expected;
    } cases[] = {
        {hsdMin, 0, "LL"}, {hsdMin, 1, "RR"}, {hsdMax, 0, "RR"}, {hsdMax, 2, "LL"},
        {hsdBoth, 0, "LR"}, {hsdBoth, 1, "RR"}, {hsdBoth, 2, "LL"},
    };
    for (const auto& c : cases) {
        split->SetHotSpotDirection(c.direction);
        if (c.close != 0)
            split->CloseHotSpot(c.close == 1);
        EXPECT_EQ(arrows(), c.expected) << c.direction << " " << c.close;
        split->RestoreHotSpot();
    }
    split->SetOrientation(orVertical);
    split->SetPosition(40);
    split->SetHotSpotDirection(hsdBoth);
    const QImage image = split->RenderImage();
    const TRect h = split->HotSpotBounds();
    const int cy = h.Top + h.Height() / 2;
    EXPECT_EQ(testing::ArrowAt(image, h.Left + 8, cy), 'U');
    EXPECT_EQ(testing::ArrowAt(image, h.Right - 8, cy), 'D');
}

TEST_F(Splitter, HotSpotGripDotsAndTwoWayDivider)
{
    split->SetHotSpotVisible(true);
    split->SetHotSpotSizePercent(60);  // 60 pixels: dots at 15, 18, ... 42
    QImage image = split->RenderImage();
    const TRect h = split->HotSpotBounds();
    ASSERT_EQ(h.Height(), 60);
    const int cx = h.Left + h.Width() / 2;
    for (int i = 0; i <= (60 - 32) / 3; ++i) {
        EXPECT_EQ(testing::PixelOf(image, cx, h.Top + 15 + 3 * i), ColorToRGB(clHighlightText)) << i;
        EXPECT_EQ(testing::PixelOf(image, cx + 1, h.Top + 16 + 3 * i), ColorToRGB(clHighlight)) << i;
    }
    EXPECT_NE(testing::PixelOf(image, cx, h.Top + 15 + 3 * 10), ColorToRGB(clHighlightText));
    // Two ways: a divider through the middle, and no dots next to it.
    split->SetHotSpotDirection(hsdBoth);
    image = split->RenderImage();
    const int cy = h.Top + h.Height() / 2;
    EXPECT_EQ(testing::PixelOf(image, h.Left + 3, cy), ColorToRGB(clBtnShadow));
    EXPECT_EQ(testing::PixelOf(image, h.Left + 3, cy - 1), ColorToRGB(clBtnHighlight));
    EXPECT_NE(testing::PixelOf(image, cx, h.Top + 27), ColorToRGB(clHighlightText));  // 3 from the middle
    EXPECT_EQ(testing::PixelOf(image, cx, h.Top + 24), ColorToRGB(clHighlightText));
}

TEST_F(Splitter, HoverHighlightsTheHotSpotHalfUnderTheMouse)
{
    split->SetHotSpotVisible(true);
    split->SetHotSpotHighlight(kRed);
    const TRect h = split->HotSpotBounds();
    QTest::mouseMove(split, Centre(h) + QPoint(0, 10));
    EXPECT_EQ(split->cursor().shape(), Qt::BitmapCursor);  // our hot-spot cursor
    EXPECT_GT(testing::Count(split->RenderImage(), kRed), 50);
    split->SetHotSpotDirection(hsdBoth);
    QTest::mouseMove(split, Centre(h) + QPoint(0, 11));
    QImage image = split->RenderImage();
    EXPECT_EQ(testing::PixelOf(image, h.Left + 3, h.Bottom - 3), kRed);
    EXPECT_NE(testing::PixelOf(image, h.Left + 3, h.Top + 3), kRed);
    QTest::mouseMove(split, {102, 5});
    EXPECT_EQ(split->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(testing::Count(split->RenderImage(), kRed), 0);
    // The panes keep the plain pointer whatever the bar showed last.
    EXPECT_EQ(split->UpperLeftPane()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Splitter, OutlineIsACheckerboardOverThePanes)
{
    const QImage pattern = OutlineImage(4, 3);
    const QRgb grey = qRgb(128, 128, 128);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(pattern.pixel(x, y) == grey, (x + y) % 2 == 1) << x << "," << y;
    }
    EXPECT_EQ(qAlpha(pattern.pixel(0, 0)), 0);  // the rest shows through
    split->UpperLeftPane()->SetColor(kRed);
    split->LowerRightPane()->SetColor(kRed);
    Drag(split, {101, 50}, {{151, 50}}, false);
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixel(151, 10) == grey, shown.pixel(150, 10) != grey);
    EXPECT_EQ(shown.pixel(150, 11) == grey, shown.pixel(151, 11) != grey);
    EXPECT_EQ(testing::PixelOf(shown, 160, 10), kRed);  // beside it, the pane
    QTest::mouseRelease(split, Qt::LeftButton, {}, {151, 50});
}

TEST_F(Splitter, AccessibleBarAndHotSpot)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(split);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Splitter);
    EXPECT_EQ(a->childCount(), 3);  // two panes and the bar
    split->SetHotSpotVisible(true);
    ASSERT_EQ(a->childCount(), 4);
    QAccessibleInterface* bar = a->child(2);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::Separator);
    EXPECT_EQ(bar->parent(), a);
    EXPECT_EQ(a->indexOfChild(bar), 2);
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 100);
    bar->valueInterface()->setCurrentValue(60);
    EXPECT_EQ(split->Position(), 60);
    EXPECT_EQ(bar->rect().topLeft(), split->mapToGlobal(QPoint(60, 0)));
    QAccessibleInterface* hot = a->child(3);
    ASSERT_NE(hot, nullptr);
    EXPECT_EQ(hot->role(), QAccessible::Button);
    ASSERT_NE(hot->actionInterface(), nullptr);
    EXPECT_EQ(hot->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    hot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(split->Position(), 0);
    EXPECT_EQ(clicks, 1);
    hot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(split->Position(), 60);
}

}  // namespace
}  // namespace tw::controls
