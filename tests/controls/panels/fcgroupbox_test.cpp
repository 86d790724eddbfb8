// The group box: its four styles drawn by hand (caption gap, rounded flat
// corners, a top line only), its styled path through a recording style, the
// style switch turning theme-awareness off, the caption's accelerator, and
// what screen readers see.

#include "controls/panels/pixelart.h"

#include "controls/base/fcformkeys.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/panels/fcgroupbox.h"

#include <QAccessible>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QVBoxLayout>

namespace tw::controls {
namespace {

using testing::PixelOf;

constexpr TColor kFace = RGB(0, 255, 0);
constexpr TColor kFrame = RGB(255, 0, 0);

struct GroupBox : testing::WidgetFixture {
    GroupBox()
    {
        box.resize(80, 40);
        box.SetColor(kFace);
        box.SetFlatColor(kFrame);
        box.SetFlatColorAdjustment(0);
    }
    // The frame's top line: half the caption line down, less one.
    int FrameTop() const { return TextMeasure().TextHeight(box.font()) / 2 - 1; }
    int CaptionWidth(const QString& text) const { return TextMeasure().TextWidth(box.font(), text); }
    TFcGroupBox box;
};

TEST_F(GroupBox, FlatStyleHasRoundedCornersAndAGapUnderTheCaption)
{
    box.SetCaption(QStringLiteral("Options"));
    const QImage image = box.RenderImage();
    const int top = FrameTop();
    const int cx = CaptionWidth(QStringLiteral("Options"));
    const TColor frame = kFrame;
    // Corners cut, one pixel set in on the diagonal.
    EXPECT_NE(PixelOf(image, 0, top), frame);
    EXPECT_EQ(PixelOf(image, 1, top + 1), frame);
    EXPECT_EQ(PixelOf(image, 0, top + 2), frame);
    EXPECT_EQ(PixelOf(image, 79, 39 - 2), frame);
    EXPECT_EQ(PixelOf(image, 78, 38), frame);
    EXPECT_NE(PixelOf(image, 79, 39), frame);
    // The top line runs to the caption, which starts 8 in and hides it.
    for (int x = 2; x < 8; ++x)
        EXPECT_EQ(PixelOf(image, x, top), frame) << x;
    for (int x = 8; x < 8 + cx; ++x)
        EXPECT_NE(PixelOf(image, x, top), frame) << x;
    EXPECT_EQ(PixelOf(image, 8 + cx + 1, top), frame);
    EXPECT_GT(testing::CountColour(image.copy(8, 0, cx, 14), clWindowText), 5);
}

TEST_F(GroupBox, EmptyCaptionLeavesNoGap)
{
    const QImage image = box.RenderImage();
    for (int x = 2; x < 78; ++x)
        EXPECT_EQ(PixelOf(image, x, FrameTop()), kFrame) << x;
}

TEST_F(GroupBox, StandardIsAGrooveRoundTopLineOnlyOnTop)
{
    box.SetCaption(QStringLiteral("Go"));
    const int top = FrameTop();
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor light = ColorToRGB(clBtnHighlight);

    box.SetGroupBoxStyle(gsStandard);
    QImage image = box.RenderImage();
    EXPECT_EQ(PixelOf(image, 0, top + 10), shadow);  // groove: shadow outside
    EXPECT_EQ(PixelOf(image, 1, top + 10), light);   // highlight inside
    EXPECT_EQ(PixelOf(image, 40, 38), shadow);
    EXPECT_EQ(PixelOf(image, 40, 39), light);
    EXPECT_EQ(PixelOf(image, 40, top), shadow);
    EXPECT_EQ(PixelOf(image, 8, top), kFace);  // under the caption

    box.SetGroupBoxStyle(gsTopLine);
    image = box.RenderImage();
    EXPECT_EQ(PixelOf(image, 40, top), shadow);
    EXPECT_EQ(PixelOf(image, 40, top + 1), light);
    EXPECT_EQ(PixelOf(image, 0, top + 10), kFace);  // no sides
    EXPECT_EQ(PixelOf(image, 40, 39), kFace);
    EXPECT_EQ(PixelOf(image, 0, top), kFace);       // the caption starts at the edge

    box.SetBorderOuter(fsFlatBold);
    image = box.RenderImage();
    const int cx = CaptionWidth(QStringLiteral("Go"));
    EXPECT_EQ(PixelOf(image, cx + 4, top), kFrame);
    EXPECT_EQ(PixelOf(image, cx + 4, top + 1), kFrame);
    EXPECT_EQ(PixelOf(image, 78, top), kFace);  // the line stops 2 short
}

TEST_F(GroupBox, CustomStyleIsThePanelsOwnFrameAndCaption)
{
    box.SetGroupBoxStyle(gsCustom);
    box.SetBorderOuter(fsFlat);
    box.SetCaption(QStringLiteral("Top"));
    const QImage image = box.RenderImage();
    EXPECT_EQ(PixelOf(image, 0, 0), kFrame);
    EXPECT_EQ(PixelOf(image, 79, 39), kFrame);
    EXPECT_GT(testing::CountColour(image.copy(0, 0, 40, 16), clWindowText), 5);
}

TEST_F(GroupBox, DisabledCaptionDrawsAHighlightCopyOutsideTheGapWhenTransparent)
{
    box.SetCaption(QStringLiteral("Hi"));
    box.setEnabled(false);
    QImage image = box.RenderImage();
    EXPECT_GT(testing::CountColour(image, clBtnHighlight), 3);
    EXPECT_GT(testing::CountColour(image, clBtnShadow), 3);
    // Transparent: the copy is clipped to what lies outside the caption's
    // rectangle, so little or none of it shows.
    QWidget parent;
    testing::FillBackground(parent, 100, 60, QColor(0, 0, 255));
    box.setParent(&parent);
    box.SetTransparent(true);
    const int cx = CaptionWidth(QStringLiteral("Hi"));
    image = box.RenderImage();
    const int inside = testing::CountColour(image.copy(8, 0, cx, 13), clBtnHighlight);
    EXPECT_EQ(inside, 0);
    EXPECT_GT(testing::CountColour(image.copy(8, 0, cx, 13), clBtnShadow), 3);
    EXPECT_EQ(PixelOf(image, 40, 20), RGB(0, 0, 255));
    box.setParent(nullptr);
}

TEST_F(GroupBox, StylesOtherThanStandardAndFlatTurnThemeAwarenessOff)
{
    EXPECT_TRUE(box.ThemeAware());
    box.SetGroupBoxStyle(gsTopLine);
    EXPECT_FALSE(box.ThemeAware());
    box.SetGroupBoxStyle(gsFlat);
    EXPECT_FALSE(box.ThemeAware());
    box.SetThemeAware(true);
    box.SetGroupBoxStyle(gsCustom);
    EXPECT_FALSE(box.ThemeAware());
    box.SetThemeAware(true);
    box.SetGroupBoxStyle(gsStandard);
    EXPECT_TRUE(box.ThemeAware());
}

class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawPrimitive(PrimitiveElement pe, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        frames += pe == PE_FrameGroupBox ? 1 : 0;
        if (pe == PE_FrameGroupBox)
            state = o->state;
        QProxyStyle::drawPrimitive(pe, o, p, w);
    }
    mutable int frames = 0;
    mutable State state;
};

TEST_F(GroupBox, StyledPathDrawsTheGroupFrameAroundTheCaptionGap)
{
    RecordingStyle style;
    ThemeServices()->SetStyle(&style);
    SetVisualStylesEnabled(true);
    box.SetCaption(QStringLiteral("Status"));
    box.SetGroupBoxStyle(gsTopLine);
    box.SetThemeAware(true);  // a themed top-line box draws the whole frame
    QImage image = box.RenderImage();
    EXPECT_EQ(style.frames, 1);
    EXPECT_TRUE(style.state & QStyle::State_Enabled);
    // The style's frame does not run through the caption.
    const int cx = CaptionWidth(QStringLiteral("Status"));
    const QImage gap = image.copy(0, FrameTop(), cx, 1);
    const QImage beside = image.copy(cx + 2, FrameTop(), 40, 3);
    EXPECT_EQ(testing::CountColour(gap, PixelOf(beside, 20, 0)) < cx, true);
    box.setEnabled(false);
    image = box.RenderImage();
    EXPECT_EQ(style.frames, 2);
    EXPECT_FALSE(style.state & QStyle::State_Enabled);
    SetVisualStylesEnabled(false);
    ThemeServices()->SetStyle(nullptr);
}

TEST_F(GroupBox, AcceleratorFocusesTheFirstChildInTabOrder)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    auto* group = new TFcGroupBox(&window);
    group->SetCaption(QStringLiteral("&Status"));
    auto* first = new QLineEdit(group);
    auto* second = new QLineEdit(group);
    layout->addWidget(before);
    layout->addWidget(group);
    QWidget::setTabOrder(second, first);  // tab order, not creation order
    TFcFormKeys::Install(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_TRUE(before->text().isEmpty());
    // Disabled: the key does nothing.
    before->setFocus();
    group->setEnabled(false);
    QTest::keyClick(before, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(before->hasFocus());
}

TEST_F(GroupBox, ReadsAsAGroupingNamedByItsCaption)
{
    QWidget window;
    auto* group = new TFcGroupBox(&window);
    group->SetCaption(QStringLiteral("&Sort order"));
    new QLineEdit(group);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(group);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Grouping);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Sort order"));
    EXPECT_EQ(a->childCount(), 1);
}

}  // namespace
}  // namespace tw::controls
