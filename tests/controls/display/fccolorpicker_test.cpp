// The colour picker: its size, cells selected and hot, the three strips on
// small images; selection and change notices through the mouse; the colour
// dialog through a recorded dialog; hints; and the list screen readers see.

#include "displayfixture.h"

#include "controls/display/fccolorpicker.h"
#include "controls/foundation/fcreginifile.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QTest>

namespace tw::controls {
namespace {

using testing::PixelOf;
using testing::SendMouse;

struct Picker : testing::WidgetFixture {
    TFcColorPicker picker;
    int changes = 0;
    int clicks = 0;
    Picker()
    {
        QFont f = picker.font();
        f.setPixelSize(11);
        picker.setFont(f);
        picker.OnChange = [this](TFcControl*) { ++changes; };
        picker.OnClick = [this](TFcControl*) { ++clicks; };
    }
    // Where a cell is drawn: client (4, 4), cells 18 by 18.
    static QPoint CellOrigin(int index, int top = 4) { return {4 + (index % 8) * 18, top + (index / 8) * 18}; }
};

TEST_F(Picker, SizesItselfToTheGridAndStrips)
{
    EXPECT_EQ(picker.size(), QSize(152, 98));
    picker.SetShowSystemColors(true);
    EXPECT_EQ(picker.size(), QSize(152, 178));
    picker.SetShowNoColor(true);
    picker.SetShowDefaultColor(true);
    picker.SetShowCustomColor(true);
    EXPECT_EQ(picker.size(), QSize(152, 178 + 24 + 24 + 23));
    picker.SetAutoSize(false);
    picker.SetShowSystemColors(false);
    EXPECT_EQ(picker.size(), QSize(152, 178 + 71));
}

TEST_F(Picker, CellsSelectedAndHot)
{
    picker.SetSelectedColor(0x00FF0000);
    EXPECT_EQ(picker.SelColorIndex(), 13);
    picker.SetHighlightColorIndex(0);
    const QImage image = picker.RenderImage();
    const QPoint blue = CellOrigin(13);
    EXPECT_EQ(PixelOf(image, blue.x(), blue.y() + 8), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(image, blue.x() + 9, blue.y() + 9), 0xFF0000u);
    EXPECT_EQ(PixelOf(image, blue.x() + 2, blue.y() + 2), clWhite);  // filled with the window colour
    // The swatch's one-pixel frame.
    EXPECT_EQ(PixelOf(image, blue.x() + 3, blue.y() + 9), ColorToRGB(clBtnShadow));
    const QPoint black = CellOrigin(0);
    EXPECT_EQ(PixelOf(image, black.x(), black.y() + 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(image, black.x() + 17, black.y() + 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, black.x() + 9, black.y() + 9), clBlack);
    // A plain cell has the window colour round its swatch.
    const QPoint red = CellOrigin(16);
    EXPECT_EQ(PixelOf(image, red.x(), red.y() + 8), clWhite);
    EXPECT_EQ(PixelOf(image, red.x() + 9, red.y() + 9), 0x0000FFu);
}

TEST_F(Picker, ThreeStripsAndTheSystemRows)
{
    picker.SetShowNoColor(true);
    picker.SetShowDefaultColor(true);
    picker.SetShowCustomColor(true);
    picker.SetShowSystemColors(true);
    picker.SetDefaultColor(0x00AA00);
    picker.SetCustomColor(0x123456);
    const QImage image = picker.RenderImage();
    const int w = picker.width();
    const int h = picker.height();
    // The no-colour strip's inner box, the default swatch at the right of the
    // second strip, the custom swatch at the bottom right.
    EXPECT_EQ(PixelOf(image, 7, 15), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image, w - 4 - 12, 4 + 23 + 11), 0x00AA00u);
    EXPECT_EQ(PixelOf(image, w - 4 - 12, h - 4 - 12), 0x123456u);
    // Captions are drawn inside the strips.
    int dark = 0;
    for (int x = 10; x < 100; ++x)
        for (int y = 8; y < 20; ++y)
            dark += PixelOf(image, x, y) != clWhite && PixelOf(image, x, y) != ColorToRGB(clBtnShadow);
    EXPECT_GT(dark, 5);
    // System colours start under the separator line; "Highlight" (53) shows it.
    const TFcPickerPaintLayout p = PickerPaintLayout(picker.Layout(), picker.ClientRect());
    const TRect highlight = p.Cell(53, picker.ClientRect());
    EXPECT_EQ(PixelOf(image, highlight.Left + 9, highlight.Top + 9), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(image, 20, p.SeparatorY), ColorToRGB(clBtnShadow));
    // The two empty places of the last row stay in the window colour.
    const TRect empty = p.Cell(70, picker.ClientRect());
    EXPECT_EQ(PixelOf(image, empty.Left + 9, empty.Top + 9), clWhite);
}

TEST_F(Picker, ClicksAndDragsSelectAndNotifyOnce)
{
    picker.show();
    const QPoint cell5 = CellOrigin(5) + QPoint(9, 9);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, cell5);
    EXPECT_EQ(picker.SelColorIndex(), 5);
    EXPECT_EQ(picker.SelectedColor(), 0x800000u);
    EXPECT_EQ(changes, 1);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, cell5);
    EXPECT_EQ(changes, 1);
    // Dragging with the button held selects every cell passed.
    SendMouse(&picker, QEvent::MouseButtonPress, CellOrigin(0) + QPoint(9, 9), Qt::LeftButton, Qt::LeftButton);
    std::vector<int> seen;
    for (int i = 1; i < 4; ++i) {
        SendMouse(&picker, QEvent::MouseMove, CellOrigin(i) + QPoint(9, 9), Qt::NoButton, Qt::LeftButton);
        seen.push_back(picker.SelColorIndex());
    }
    SendMouse(&picker, QEvent::MouseButtonRelease, CellOrigin(3) + QPoint(9, 9), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(changes, 5);
    // The custom swatch notifies every time it is set.
    picker.SetSelColorIndex(kPickCustomSwatch);
    picker.SetSelColorIndex(kPickCustomSwatch);
    EXPECT_EQ(changes, 7);
}

TEST_F(Picker, HotCellFollowsTheMouseAndLeavesWithIt)
{
    picker.show();
    SendMouse(&picker, QEvent::MouseMove, CellOrigin(9) + QPoint(9, 9), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(picker.HighlightColorIndex(), 9);
    EXPECT_EQ(picker.HintText(), "Orange");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&picker, &leave);
    EXPECT_EQ(picker.HighlightColorIndex(), kPickNoHighlight);
    EXPECT_TRUE(picker.HintText().isEmpty());
}

TEST_F(Picker, CustomButtonRunsTheColourDialog)
{
    picker.SetShowCustomColor(true);
    TFcCustomColors customColors;
    customColors.InitColors();
    picker.SetCustomColors(&customColors);
    picker.show();
    std::vector<QColor> offered;
    std::optional<QColor> answer = QColor(0x12, 0x34, 0x56);
    picker.ColorDialog = [&](QColor initial, QList<QColor>& custom) {
        offered.push_back(initial);
        EXPECT_EQ(custom.size(), 16);
        custom[0] = QColor(0xAB, 0xCD, 0xEF);
        return answer;
    };
    const QPoint button(20, picker.height() - 10);
    ASSERT_EQ(picker.HitTest(button.x(), button.y()), kPickCustomButton);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, button);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], QColor(Qt::white));
    EXPECT_EQ(picker.SelColorIndex(), kPickCustomSwatch);
    EXPECT_EQ(picker.CustomColor(), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(picker.SelectedColor(), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(changes, 1);
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(customColors.Colors()[0].toUpper(), "COLORA=EFCDAB");
    // A cancelled dialog changes nothing.
    answer.reset();
    picker.SetSelColorIndex(3);
    const int before = changes;
    QTest::mouseClick(&picker, Qt::LeftButton, {}, button);
    EXPECT_EQ(picker.SelColorIndex(), 3);
    EXPECT_EQ(changes, before);
    EXPECT_EQ(picker.CustomColor(), RGB(0x12, 0x34, 0x56));
}

TEST_F(Picker, UnknownColourBecomesTheCustomColour)
{
    picker.SetSelectedColor(0x010203);
    EXPECT_EQ(picker.SelColorIndex(), kPickCustomSwatch);
    EXPECT_EQ(picker.CustomColor(), 0x010203u);
    picker.SetSelectedColor(clNone);
    EXPECT_EQ(picker.SelColorIndex(), kPickNoColor);
    EXPECT_EQ(picker.SelectedColor(), clNone);
}

TEST_F(Picker, ScreenReadersSeeAListOfNamedColours)
{
    picker.SetSelColorIndex(13);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&picker);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->childCount(), 40);
    QAccessibleInterface* blue = a->child(13);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->role(), QAccessible::ListItem);
    EXPECT_EQ(blue->text(QAccessible::Name), "Blue");
    EXPECT_TRUE(blue->state().selected);
    EXPECT_FALSE(a->child(12)->state().selected);
    EXPECT_EQ(a->indexOfChild(blue), 13);
    EXPECT_EQ(a->child(13), blue);
    // Pressing a cell selects its colour, as a click does.
    QAccessibleActionInterface* press = a->child(5)->actionInterface();
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    press->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(picker.SelColorIndex(), 5);
    EXPECT_TRUE(a->child(5)->state().selected);
    picker.SetShowSystemColors(true);
    EXPECT_EQ(a->childCount(), 70);
    EXPECT_EQ(a->child(69)->text(QAccessible::Name), "Menu Bar");
}

}  // namespace
}  // namespace tw::controls
