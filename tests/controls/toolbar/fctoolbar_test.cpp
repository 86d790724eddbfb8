// The toolbar widgets: wrapping and hidden controls through real widgets,
// text options telling the tool buttons their size until they have their
// own, the layout store with widgets, the spacer's groove; the tool button's
// looks (hot, down, latched, split arrow area, dropped) on small images, the
// split button's click and drop, the hot image, and accessibility.

#include "controls/panels/pixelart.h"

#include "controls/toolbar/fccustomizetoolbar.h"
#include "controls/toolbar/fcspeedbutton.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbutton.h"

#include <QAccessible>
#include <QAction>
#include <QAccessibleActionInterface>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace tw::controls {
namespace {

using testing::PixelOf;

// A toolbar of three tool buttons, 70 pixels wide, along the top.
struct ToolbarSet {
    QWidget window;
    TFcToolbar* bar = nullptr;
    std::vector<TFcToolButton*> buttons;
    ToolbarSet()
    {
        window.resize(300, 200);
        bar = new TFcToolbar(&window);
        bar->setObjectName("Toolbar1");
        TFcCustomPanel::SetAlign(bar, alTop);
        bar->resize(70, 32);
        for (int i = 0; i < 3; ++i) {
            auto* b = new TFcToolButton(bar);
            b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
            b->SetCaption(QStringLiteral("B%1").arg(i + 1));
            buttons.push_back(b);
        }
        bar->PositionControls();
    }
};

struct Toolbar : testing::WidgetFixture, ToolbarSet {};

TEST_F(Toolbar, WrapsHidesAndReordersItsControls)
{
    EXPECT_EQ(bar->height(), 54);
    EXPECT_EQ(buttons[0]->pos(), QPoint(4, 2));
    EXPECT_EQ(buttons[1]->pos(), QPoint(29, 2));
    EXPECT_EQ(buttons[2]->pos(), QPoint(4, 27));
    buttons[1]->hide();
    EXPECT_EQ(buttons[2]->pos(), QPoint(29, 2));
    EXPECT_EQ(bar->height(), 29);
    buttons[1]->show();
    bar->MoveControl(2, 0);
    EXPECT_EQ(buttons[2]->pos(), QPoint(4, 2));
    EXPECT_EQ(bar->IndexOf(buttons[2]), 0);
}

TEST_F(Toolbar, TextOptionsSizeTheButtonsUntilTheyHaveTheirOwn)
{
    buttons[2]->SetButtonSize(30, 30);
    bar->SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(bar->TextOptions(), ttoShowTextLabels);
    EXPECT_EQ(buttons[0]->size(), QSize(60, 40));
    EXPECT_TRUE(buttons[0]->ShowCaption());
    EXPECT_EQ(buttons[0]->Layout(), blGlyphTop);
    EXPECT_EQ(buttons[2]->size(), QSize(30, 30));
    EXPECT_EQ(bar->RowHeight(), 40);
    bar->SetButtonWidth(30);
    EXPECT_EQ(bar->TextOptions(), ttoCustom);
    EXPECT_EQ(buttons[0]->width(), std::max(30, QFontMetrics(buttons[0]->font()).horizontalAdvance("B1") + 8));
    buttons[1]->SetToolStyle(tsDropDown);
    EXPECT_EQ(buttons[1]->width(), buttons[0]->width() + 14);
}

TEST_F(Toolbar, LayoutSurvivesARestart)
{
    QTemporaryDir dir;
    TFcRegIniFile store;
    store.SetPath(dir.filePath("layout.ini"));
    bar->SetRegIniFile(&store);
    bar->MoveControl(2, 0);
    buttons[0]->hide();
    bar->SetTextOptions(ttoSelectiveTextOnRight);
    bar->SaveLayout();

    ToolbarSet second;
    second.bar->SetRegIniFile(&store);
    second.bar->RestoreLayout();
    EXPECT_EQ(second.bar->IndexOf(second.buttons[2]), 0);
    EXPECT_TRUE(second.buttons[0]->isHidden());
    EXPECT_EQ(second.bar->TextOptions(), ttoSelectiveTextOnRight);
    second.bar->SetRegIniFile(nullptr);
    EXPECT_THROW(second.bar->SaveLayout(), EFcError);
}

TEST_F(Toolbar, BackgroundIsTiledInsideTheDivider)
{
    QImage tile = MakeBitmap(4, 4, 0x00FF00);
    tile.setPixel(0, 0, ToRgb32(0x0000FF));
    bar->SetBackground(tile);
    for (auto* b : buttons)
        b->hide();
    const QImage image = bar->RenderImage();
    // The groove takes the top two rows; tiles start below it.
    EXPECT_NE(PixelOf(image, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, 0, 2), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, 4, 6), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, 5, 6), 0x00FF00u);
}

TEST_F(Toolbar, SpacerGrooveAndOrientation)
{
    TFcSpacer spacer;
    EXPECT_EQ(spacer.size(), QSize(8, 25));
    spacer.SetGrooved(true);
    const QImage image = spacer.RenderImage();
    EXPECT_EQ(PixelOf(image, 3, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, 4, 10), ColorToRGB(clBtnHighlight));
    spacer.SetOrientation(orVertical);
    EXPECT_EQ(spacer.size(), QSize(25, 8));
    const QImage across = spacer.RenderImage();
    EXPECT_EQ(PixelOf(across, 10, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(across, 10, 4), ColorToRGB(clBtnHighlight));
    bar->SetOrientation(orVertical);
    auto* onBar = new TFcSpacer(bar);
    bar->SetOrientation(orHorizontal);
    EXPECT_EQ(onBar->Orientation(), orHorizontal);
}

struct ToolButton : testing::WidgetFixture {
    QWidget window;
    TFcToolButton* button = nullptr;
    TFcImageList images{8, 8};
    ToolButton()
    {
        window.resize(100, 60);
        button = new TFcToolButton(&window);
        button->move(10, 10);
        images.AddMasked(MakeBitmap(8, 8, 0x0000FF), clNone);
        images.AddMasked(MakeBitmap(8, 8, 0x00FF00), clNone);
        button->SetImages(&images);
        button->SetImageIndex(0);
    }
    void Enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
        QApplication::sendEvent(button, &e);
    }
    void Leave()
    {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(button, &e);
    }
};

TEST_F(ToolButton, LooksHotDownAndLatched)
{
    const TColor hl = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    // Flat and not hot: no frame.
    QImage image = button->RenderImage();
    EXPECT_NE(PixelOf(image, 0, 5), hl);
    Enter();
    image = button->RenderImage();
    EXPECT_EQ(PixelOf(image, 0, 5), hl);
    EXPECT_EQ(PixelOf(image, 24, 5), sh);
    // The image: left of a 25-pixel button, centred vertically.
    EXPECT_EQ(PixelOf(image, 4 + 1, 12), 0x0000FFu);
    Leave();
    button->SetGroupIndex(1);
    button->SetDown(true);
    image = button->RenderImage();
    EXPECT_EQ(PixelOf(image, 0, 5), sh);
    EXPECT_EQ(PixelOf(image, 24, 5), hl);
    // The latched pattern alternates face and highlight pixels.
    const TColor a = PixelOf(image, 2, 20), b = PixelOf(image, 3, 20);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == hl && b == ColorToRGB(clBtnFace)) || (b == hl && a == ColorToRGB(clBtnFace)));
    EXPECT_EQ(PixelOf(image, 2, 21), b);
    // The image moves one pixel down and right.
    EXPECT_EQ(PixelOf(image, 4 + 1 + 1, 13), 0x0000FFu);
}

TEST_F(ToolButton, HotImageOnlyWhileTheMouseIsOverAnEnabledButton)
{
    button->SetHotIndex(1);
    EXPECT_EQ(PixelOf(button->RenderImage(), 6, 12), 0x0000FFu);
    Enter();
    EXPECT_EQ(PixelOf(button->RenderImage(), 6, 12), 0x00FF00u);
    button->setEnabled(false);
    EXPECT_NE(PixelOf(button->RenderImage(), 6, 12), 0x00FF00u);
    button->setEnabled(true);
    Leave();
    EXPECT_EQ(PixelOf(button->RenderImage(), 6, 12), 0x0000FFu);
}

TEST_F(ToolButton, SplitButtonClicksLeftOfItsArrowAndDropsItsMenuOnIt)
{
    QMenu menu;
    int clicks = 0, drops = 0;
    button->SetToolStyle(tsDropDown);
    button->resize(39, 25);
    button->SetDropDownMenu(&menu);
    button->OnClick = [&](TFcControl*) { ++clicks; };
    QImage duringDrop;
    button->Popup = [&](QMenu*, QPoint) {
        ++drops;
        duringDrop = button->RenderImage();
    };
    window.show();
    // No items: nothing drops.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(33, 12));
    EXPECT_EQ(drops, 0);
    menu.addAction("Weekly");
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(drops, 0);
    QTest::qWait(120);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(33, 12));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks, 1);
    // While dropped the arrow area is sunken: shadow on its top-left.
    EXPECT_EQ(PixelOf(duringDrop, 25, 5), ColorToRGB(clBtnShadow));
    // The arrow's triangle in the window-text colour.
    EXPECT_EQ(PixelOf(duringDrop, 31, 12), ColorToRGB(clWindowText));
    // Hot, not dropped: the divider, highlight over shadow.
    Enter();
    const QImage hot = button->RenderImage();
    EXPECT_EQ(PixelOf(hot, 25, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(hot, 24, 10), ColorToRGB(clBtnShadow));
    // Without OnClick the whole button drops the menu.
    button->OnClick = nullptr;
    QTest::qWait(120);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 12));
    EXPECT_EQ(drops, 2);
}

TEST_F(ToolButton, GroupedButtonsLatchTogether)
{
    auto* other = new TFcToolButton(&window);
    button->SetGroupIndex(3);
    other->SetGroupIndex(3);
    window.show();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(button->Down());
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(other->Down());
    EXPECT_FALSE(button->Down());
    // Without AllowAllUp the down button stays down.
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(other->Down());
}

TEST_F(ToolButton, CheckedActionLatchesTheButton)
{
    QAction action("Week");
    action.setCheckable(true);
    button->SetGroupIndex(5);
    button->SetAllowAllUp(true);
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), "Week");
    action.setChecked(true);
    EXPECT_TRUE(button->Down());
    action.setChecked(false);
    EXPECT_FALSE(button->Down());
}

TEST_F(ToolButton, ScreenReadersSeeAToolBarOfButtons)
{
    TFcToolbar bar;
    auto* b = new TFcToolButton(&bar);
    b->SetCaption("&Print");
    b->SetToolStyle(tsDropDown);
    b->SetGroupIndex(2);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::ToolBar);
    QAccessibleInterface* ab = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(ab->role(), QAccessible::Button);
    EXPECT_EQ(ab->text(QAccessible::Name), "Print");
    EXPECT_TRUE(ab->state().checkable);
    ASSERT_NE(ab->actionInterface(), nullptr);
    EXPECT_TRUE(ab->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    ab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(b->Down());
}

TEST(CustomizePosition, BesideTheToolbarByItsAlignmentAndOnScreen)
{
    const QRect work(0, 0, 1000, 700);
    const QSize dialog(337, 280);
    struct Case {
        const char* name;
        TAlign align;
        QRect toolbar;
        QPoint expected;
    };
    const Case cases[] = {
        {"top: below it", alTop, QRect(100, 50, 400, 30), {115, 50 + 30 + 25}},
        {"bottom: above it", alBottom, QRect(100, 600, 400, 30), {115, 600 - 280 - 5 + 25}},
        {"left: right of it", alLeft, QRect(0, 100, 30, 400), {30 + 15, 125}},
        {"right: left of it", alRight, QRect(900, 100, 30, 400), {900 - 337 - 5 + 15, 125}},
        {"kept inside the work area", alTop, QRect(900, 650, 100, 30), {1000 - 337, 700 - 280}},
        {"client: centred on it", alClient, QRect(0, 0, 800, 600), {399 - 168, 299 - 140}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CustomizeDialogPosition(c.align, c.toolbar, dialog, work), c.expected);
    }
}

TEST_F(Toolbar, CustomizeDialogReordersHidesAndSetsTextOptions)
{
    auto* spacer = new TFcSpacer(bar);
    spacer->setObjectName("Gap");
    buttons[1]->SetCaption("");
    buttons[1]->setToolTip("Saves the day");
    buttons[2]->SetCaption("");
    bar->PositionControls();
    TFcFrmCustomizeToolbar dialog(bar, TFcCustomizeCaptions{});
    QListWidget* list = dialog.List();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "B1");
    EXPECT_EQ(list->item(1)->text(), "Saves the day");
    EXPECT_EQ(list->item(2)->text(), "Button3");
    EXPECT_EQ(list->item(3)->text(), "Spacer");
    EXPECT_TRUE(TFcFrmCustomizeToolbar::LineImage(spacer).size() == QSize(16, 16));
    spacer->SetGrooved(true);
    EXPECT_EQ(PixelOf(TFcFrmCustomizeToolbar::LineImage(spacer), 7, 8), ColorToRGB(clBtnShadow));
    TFcImageList images(8, 8);
    images.AddMasked(MakeBitmap(8, 8, 0x0000FF), clNone);
    bar->SetImages(&images);
    buttons[0]->SetImageIndex(0);
    EXPECT_EQ(PixelOf(TFcFrmCustomizeToolbar::LineImage(buttons[0]), 3, 3), 0x0000FFu);
    bar->SetImages(nullptr);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_FALSE(dialog.MoveUpButton()->isEnabled());
    EXPECT_TRUE(dialog.MoveDownButton()->isEnabled());
    // By buttons.
    dialog.MoveDownButton()->click();
    EXPECT_EQ(bar->IndexOf(buttons[0]), 1);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->item(1)->text(), "B1");
    list->setCurrentRow(3);
    EXPECT_FALSE(dialog.MoveDownButton()->isEnabled());
    // By drag: line 3 dropped on line 0; a drop on no line changes nothing.
    list->setCurrentRow(3);
    dialog.DropOn(0);
    EXPECT_EQ(bar->IndexOf(spacer), 0);
    EXPECT_EQ(list->item(0)->text(), "Spacer");
    list->setCurrentRow(2);
    dialog.DropOn(-1);
    EXPECT_EQ(bar->IndexOf(spacer), 0);
    // Unchecking hides at once and closes the gap.
    const QPoint before = buttons[2]->pos();
    list->item(bar->IndexOf(buttons[1]))->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(buttons[1]->isHidden());
    EXPECT_NE(buttons[2]->pos(), before);
    dialog.TextOptionsBox()->setCurrentIndex(1);
    emit dialog.TextOptionsBox()->activated(1);
    EXPECT_EQ(bar->TextOptions(), ttoShowTextLabels);
}

TEST_F(Toolbar, CustomizeDialogScrollsWhileDraggingNearAnEdge)
{
    for (int i = 0; i < 20; ++i)
        (new TFcToolButton(bar))->setObjectName(QStringLiteral("More%1").arg(i));
    TFcFrmCustomizeToolbar dialog(bar, TFcCustomizeCaptions{});
    dialog.show();
    QListWidget* list = dialog.List();
    QScrollBar* scroll = list->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    dialog.DragOver(list->viewport()->height() - 5);
    EXPECT_TRUE(dialog.ScrollTimer()->isActive());
    EXPECT_EQ(dialog.ScrollTimer()->interval(), 100);
    dialog.ScrollTick();
    dialog.ScrollTick();
    EXPECT_EQ(scroll->value(), 2);
    dialog.DragOver(list->viewport()->height() / 2);
    EXPECT_FALSE(dialog.ScrollTimer()->isActive());
    dialog.DragOver(3);
    dialog.ScrollTick();
    dialog.ScrollTick();
    dialog.ScrollTick();
    EXPECT_EQ(scroll->value(), 0);
    EXPECT_FALSE(dialog.ScrollTimer()->isActive());
    dialog.DragOver(list->viewport()->height() - 5);
    dialog.EndDrag();
    EXPECT_FALSE(dialog.ScrollTimer()->isActive());
}

struct SpeedButtons : testing::WidgetFixture {
    QWidget window;
    static QImage Cells(std::initializer_list<TColor> colours)
    {
        QImage strip = MakeBitmap(8 * static_cast<int>(colours.size()), 8);
        int i = 0;
        for (TColor c : colours) {
            TFcCanvas canvas(strip);
            canvas.Brush = TFcBrush{c};
            canvas.FillRect({i * 8, 0, i * 8 + 8, 8});
            ++i;
        }
        return strip;
    }
};

TEST_F(SpeedButtons, HiddenCaptionIsKeptAndComesBack)
{
    TFcToolbarButton b(&window);
    b.SetCaption("&Open");
    b.SetShowCaption(false);
    EXPECT_EQ(b.Caption(), "");
    EXPECT_EQ(b.SavedCaption(), "&Open");
    // A caption set while hidden is what comes back.
    b.SetButtonCaption("&Close");
    b.SetShowCaption(true);
    EXPECT_EQ(b.Caption(), "&Close");
    // Its accelerator works while hidden too, on a showing button.
    b.SetShowCaption(false);
    window.show();
    int clicks = 0;
    b.OnClick = [&](TFcControl*) { ++clicks; };
    EXPECT_TRUE(b.DialogChar(QChar('c'), Qt::AltModifier));
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtons, HotGlyphOnlyWhileTheMouseIsOverAnEnabledButton)
{
    TFcToolbarButton b(&window);
    b.resize(24, 22);
    b.SetGlyph(Cells({0x0000FF, 0x808080}));
    b.SetHotGlyph(Cells({0x00FF00}));
    EXPECT_TRUE(b.UseHotGlyph());
    EXPECT_EQ(b.HotNumGlyphs(), 1);
    auto centre = [&] { return PixelOf(b.RenderImage(), 12, 11); };
    EXPECT_EQ(centre(), 0x0000FFu);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&b, &enter);
    EXPECT_EQ(centre(), 0x00FF00u);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&b, &leave);
    EXPECT_EQ(centre(), 0x0000FFu);
    EXPECT_EQ(b.NumGlyphs(), 2);
    b.setEnabled(false);
    QApplication::sendEvent(&b, &enter);
    EXPECT_EQ(centre(), 0x808080u);  // the disabled cell, never the hot one
}

TEST_F(SpeedButtons, MenuButtonClicksLeftOfItsArrowAndDropsOnIt)
{
    auto* b = new TFcMenuToolbarButton(&window);
    EXPECT_EQ(b->width(), 40);
    EXPECT_EQ(b->Margin(), 2);
    QMenu menu;
    menu.addAction("Day");
    b->SetDropDownMenu(&menu);
    int clicks = 0, drops = 0;
    b->OnClick = [&](TFcControl*) { ++clicks; };
    b->Popup = [&](QMenu*, QPoint) { ++drops; };
    window.show();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(drops, 0);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(clicks, 1);
    // The arrow and, while hot, the divider: highlight right of shadow.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    const QImage image = b->RenderImage();
    EXPECT_EQ(PixelOf(image, 25, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(image, 24, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, 32, 10), ColorToRGB(clWindowText));
}

TEST_F(SpeedButtons, ToolbarSizesThemAndTheyGroupOnlyWithEachOther)
{
    TFcToolbar bar;
    auto* a = new TFcToolbarButton(&bar);
    auto* b = new TFcToolbarButton(&bar);
    auto* tool = new TFcToolButton(&bar);
    a->SetCaption("A");
    bar.SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(a->size(), QSize(60, 40));
    EXPECT_EQ(a->Layout(), blGlyphTop);
    bar.SetTextOptions(ttoSelectiveTextOnRight);
    EXPECT_EQ(a->size(), QSize(60, 25));
    EXPECT_EQ(a->Layout(), blGlyphLeft);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    tool->SetGroupIndex(1);
    a->SetDown(true);
    tool->SetDown(true);
    EXPECT_TRUE(a->Down());
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(tool->Down());
}

}  // namespace
}  // namespace tw::controls
