// The size panel through real widgets: its bar and client area, dragging with
// the outline and live on each edge, the hot spot with and without margins,
// collapsing from code, the panel without a parent, its looks and
// accessibility.

#include "controls/sizing/sizingfixture.h"

#include "controls/foundation/fcreginifile.h"
#include "controls/panels/fcpanel.h"
#include "controls/sizing/fcsizepanel.h"

#include <QAccessible>
#include <QCoreApplication>

#include <memory>

namespace tw::controls {
namespace {

using testing::Centre;
using testing::Drag;

struct SizePanel : testing::WidgetFixture {
    SizePanel()
    {
        page = std::make_unique<TFcPanel>();
        page->SetBorderOuter(fsNone);
        page->resize(600, 400);
        panel = new TFcSizePanel(page.get());
        panel->resize(200, 400);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        page->Realign();
    }
    std::unique_ptr<TFcPanel> page;
    TFcSizePanel* panel = nullptr;
};

TEST_F(SizePanel, NewPanelSitsLeftWithItsBarOnTheRight)
{
    EXPECT_EQ(panel->Align(), alLeft);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 200, 400));
    EXPECT_EQ(panel->GetSizeBarRect(), (TRect{196, 0, 200, 400}));
    EXPECT_EQ(panel->ClientAreaForChildren(), (TRect{0, 0, 195, 400}));
    EXPECT_EQ(panel->GetParentWorkingRect(), (TRect{200, 0, 600, 400}));
    panel->SetAlign(alTop);
    panel->resize(600, 80);
    page->Realign();
    EXPECT_EQ(panel->GetSizeBarRect(), (TRect{0, 76, 600, 80}));
    EXPECT_EQ(panel->ClientAreaForChildren(), (TRect{0, 0, 600, 75}));
}

TEST_F(SizePanel, DragWithTheOutlineSizesThePanelOnRelease)
{
    Drag(panel, {198, 200}, {{228, 200}, {248, 200}}, false);
    ASSERT_NE(panel->Outline(), nullptr);
    EXPECT_EQ(panel->Outline()->Shown(), (TRect{246, 0, 250, 400}));  // on the parent, past the panel
    EXPECT_EQ(panel->width(), 200);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, {248, 200});
    EXPECT_EQ(panel->width(), 250);
    EXPECT_EQ(panel->Outline(), nullptr);
    // The far side of the parent's free area holds the bar back by MarginMax.
    panel->SetMarginMax(100);
    Drag(panel, {248, 200}, {{900, 200}});
    EXPECT_EQ(panel->width(), 500);
}

TEST_F(SizePanel, LiveDragOnTheRightEdge)
{
    panel->SetAlign(alRight);
    page->Realign();
    EXPECT_EQ(panel->geometry(), QRect(400, 0, 200, 400));
    panel->SetRealTimeDrag(true);
    Drag(panel, {1, 200}, {{-29, 200}}, false);
    EXPECT_EQ(panel->width(), 200 + 30 - 1);  // live steps keep one pixel back
    EXPECT_EQ(panel->geometry().right(), 599);
    EXPECT_EQ(panel->Outline(), nullptr);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, {-29, 200});
    EXPECT_EQ(panel->width(), 229);
}

TEST_F(SizePanel, HotSpotCollapsesToTheMarginAndRestores)
{
    panel->SetHotSpotVisible(true);
    EXPECT_EQ(panel->SizeBarWidth(), 7);
    panel->SetMarginMin(30);
    int clicks = 0;
    panel->OnHotSpotClick = [&](TFcCustomSizePanel*) { ++clicks; };
    QTest::mouseClick(panel, Qt::LeftButton, {}, Centre(panel->HotSpotBounds()));
    EXPECT_TRUE(panel->HotSpotClosed());
    EXPECT_EQ(panel->width(), 30 + 7 + 1);
    QTest::mouseClick(panel, Qt::LeftButton, {}, Centre(panel->HotSpotBounds()));
    EXPECT_FALSE(panel->HotSpotClosed());
    EXPECT_EQ(panel->width(), 200);
    EXPECT_EQ(clicks, 2);
    panel->SetHotSpotIgnoreMargins(true);
    QTest::mouseClick(panel, Qt::LeftButton, {}, Centre(panel->HotSpotBounds()));
    EXPECT_EQ(panel->width(), 8);
    // Code always keeps the margin; hiding the hot spot forgets the collapse
    // and leaves the size.
    panel->RestoreHotSpot();
    panel->CloseHotSpot();
    EXPECT_EQ(panel->width(), 38);
    panel->SetHotSpotVisible(false);
    EXPECT_FALSE(panel->HotSpotClosed());
    EXPECT_EQ(panel->width(), 38);
}

TEST_F(SizePanel, RestoreIsLimitedByTheParentsFreeArea)
{
    panel->SetHotSpotVisible(true);
    panel->resize(500, 400);
    page->Realign();
    panel->CloseHotSpot();
    panel->SetMarginMax(200);
    panel->RestoreHotSpot();
    EXPECT_EQ(panel->width(), 400);  // 600 less MarginMax 200
}

TEST_F(SizePanel, MarginsShareTheFreeArea)
{
    panel->SetMarginMin(-4);
    EXPECT_EQ(panel->MarginMin(), 0);
    panel->SetMarginMin(500);
    panel->SetMarginMax(300);  // extent 600: cut to 100
    EXPECT_EQ(panel->MarginMax(), 100);
}

TEST_F(SizePanel, PanelOffTheEdgesHasNoBar)
{
    panel->SetAlign(alClient);
    page->Realign();
    EXPECT_TRUE(panel->GetSizeBarRect().IsEmpty());
    const int before = panel->width();
    Drag(panel, {598, 200}, {{500, 200}});
    EXPECT_EQ(panel->width(), before);
    EXPECT_EQ(panel->Outline(), nullptr);
}

TEST_F(SizePanel, WithoutAParentItSaysSo)
{
    TFcSizePanel orphan;
    try {
        orphan.GetParentWorkingRect();
        FAIL() << "no error";
    } catch (const EFcError& e) {
        EXPECT_STREQ(e.what(), "No parent specified");
    }
    EXPECT_THROW(orphan.CloseHotSpot(), EFcError);
    orphan.SetMarginMin(20);  // stored; nothing to share out yet
    EXPECT_EQ(orphan.MarginMin(), 20);
}

TEST_F(SizePanel, BarArrowsPointTheWayAClickGoes)
{
    panel->SetHotSpotVisible(true);
    const auto first = [this] {
        const QImage image = panel->RenderImage();
        const TRect h = panel->HotSpotBounds();
        if (LyingBar(panel->Align()))
            return testing::ArrowAt(image, h.Left + 8, h.Top + h.Height() / 2);
        return testing::ArrowAt(image, h.Left + h.Width() / 2, h.Top + 8);
    };
    const struct {
        TAlign align;
        bool closed;
        char arrow;
    } cases[] = {
        {alLeft, false, 'L'}, {alLeft, true, 'R'},   {alRight, false, 'R'}, {alRight, true, 'L'},
        {alTop, false, 'U'},  {alTop, true, 'D'},    {alBottom, false, 'D'}, {alBottom, true, 'U'},
    };
    for (const auto& c : cases) {
        panel->SetAlign(c.align);
        panel->resize(LyingBar(c.align) ? 600 : 200, LyingBar(c.align) ? 200 : 400);
        page->Realign();
        if (c.closed)
            panel->CloseHotSpot();
        EXPECT_EQ(first(), c.arrow) << c.align << " " << c.closed;
        panel->RestoreHotSpot();
    }
}

TEST_F(SizePanel, FramesAreDrawnInsideTheBar)
{
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(RGB(255, 0, 0));
    panel->SetFlatColorAdjustment(0);
    const QImage image = panel->RenderImage();
    EXPECT_EQ(testing::PixelOf(image, 195, 100), RGB(255, 0, 0));  // the frame's right edge
    EXPECT_EQ(testing::PixelOf(image, 197, 100), ColorToRGB(clBtnFace));  // the bar
}

TEST_F(SizePanel, AccessibleBarAndHotSpot)
{
    panel->SetHotSpotVisible(true);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(panel);
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->childCount(), 2);
    QAccessibleInterface* bar = a->child(0);
    EXPECT_EQ(bar->role(), QAccessible::Separator);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 200);
    QAccessibleInterface* hot = a->child(1);
    EXPECT_EQ(hot->role(), QAccessible::Button);
    hot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->HotSpotClosed());
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 8);
}

}  // namespace
}  // namespace tw::controls
