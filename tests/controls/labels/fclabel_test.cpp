// The label: its frame, 3-D text styles, flat rotation at right angles and
// between them, arc text, the angle and rotation setters, blinking on the
// shared timer, fly-by, auto-size, the accelerator, the URL label opening its
// target through a recorded opener, and what screen readers see.

#include "controls/panels/pixelart.h"

#include "controls/labels/fclabel.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QTest>

namespace tw::controls {
namespace {

using testing::Count;
using testing::PixelOf;

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 255);
constexpr TColor kGreen = RGB(0, 160, 0);

struct Label : testing::WidgetFixture {
    Label()
    {
        label.SetAutoSize(false);
        label.resize(60, 30);
        label.SetColor(clWhite);
        label.SetFontColor(clBlack);
        label.SetHighlightColor(kRed);
        label.SetShadowColor(kBlue);
        QFont f = label.font();
        f.setPixelSize(16);
        label.setFont(f);
    }
    TFcLabel label;
};

TEST_F(Label, FrameOnItsSidesWithThePlainFlatColour)
{
    label.resize(6, 4);
    label.SetBorderOuter(fsFlat);
    label.SetFlatColor(kRed);
    label.SetBorderSides(SideBit(sdLeft) | SideBit(sdBottom));
    const testing::Rows art = testing::Art(label.RenderImage(), {{'r', kRed}, {'.', clWhite}});
    EXPECT_EQ(art, (testing::Rows{"r.....", "r.....", "r.....", "rrrrrr"}));
}

TEST_F(Label, TextStylesDrawTheirPassesAndLightStyleDropsTheShadowOne)
{
    label.SetCaption(QStringLiteral("Ab"));
    struct Case {
        TTextStyle style;
        bool light;
        bool red;
        bool blue;
    };
    const Case cases[] = {
        {tsNormal, false, false, false}, {tsRaised, false, true, true}, {tsRaised, true, true, false},
        {tsRecessed, false, true, true}, {tsRecessed, true, true, false}, {tsShadow, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.style << (c.light ? " light" : ""));
        label.SetTextStyle(c.style);
        label.SetLightTextStyle(c.light);
        const QImage image = label.RenderImage();
        EXPECT_GT(Count(image, clBlack), 10);
        EXPECT_EQ(Count(image, kRed) > 0, c.red);
        EXPECT_EQ(Count(image, kBlue) > 0, c.blue);
    }
    // Raised: highlight up and left of the text, shadow down and right.
    label.SetAlignment(taCenter);
    label.SetLightTextStyle(false);
    label.SetTextStyle(tsRaised);
    QImage image = label.RenderImage();
    EXPECT_EQ(testing::Extent(image, kRed).left(), testing::Extent(image, clBlack).left() - 1);
    EXPECT_EQ(testing::Extent(image, kBlue).bottom(), testing::Extent(image, clBlack).bottom() + 1);
    // The shadow lies ShadowDepth down and right.
    label.SetTextStyle(tsShadow);
    label.SetShadowDepth(3);
    image = label.RenderImage();
    EXPECT_EQ(testing::Extent(image, kBlue).right(), testing::Extent(image, clBlack).right() + 3);
    EXPECT_EQ(testing::Extent(image, kBlue).bottom(), testing::Extent(image, clBlack).bottom() + 3);
}

TEST_F(Label, DisabledTextIsShadowOverAHighlightCopy)
{
    label.SetCaption(QStringLiteral("Ab"));
    label.SetColor(kGreen);  // the highlight is white
    label.setEnabled(false);
    const QImage image = label.RenderImage();
    EXPECT_EQ(Count(image, clBlack), 0);
    EXPECT_EQ(testing::Extent(image, ColorToRGB(clBtnHighlight)).bottom(), testing::Extent(image, ColorToRGB(clBtnShadow)).bottom() + 1);
}

TEST_F(Label, FlatRotationTurnsTheTextAtRightAnglesAndBetween)
{
    label.resize(60, 60);
    label.SetCaption(QStringLiteral("Wide text"));
    label.SetAlignment(taCenter);
    const QRect level = testing::Extent(label.RenderImage(), clBlack);
    EXPECT_GT(level.width(), 2 * level.height());

    label.SetAngle(90);
    EXPECT_EQ(label.Rotation(), roFlat);
    const QRect up = testing::Extent(label.RenderImage(), clBlack);
    EXPECT_GT(up.height(), 2 * up.width());
    EXPECT_NEAR(up.height(), level.width(), 2);

    label.SetAngle(180);
    const QRect down = testing::Extent(label.RenderImage(), clBlack);
    EXPECT_NEAR(down.width(), level.width(), 2);
    EXPECT_NEAR(down.height(), level.height(), 2);

    label.SetAngle(45);
    const QRect slant = testing::Extent(label.RenderImage(), clBlack);
    EXPECT_GT(slant.width(), level.height() * 2);
    EXPECT_GT(slant.height(), level.height() * 2);
    EXPECT_LT(slant.width(), level.width());
}

TEST_F(Label, ArcTextDrawsEachCharacterAlongTheArcAndNothingWithoutACaption)
{
    label.resize(120, 120);
    label.SetRotation(roCurve);
    label.SetAngle(90);
    label.SetCenterPoint(cpCenter);
    EXPECT_EQ(Count(label.RenderImage(), clBlack), 0);
    label.SetCaption(QStringLiteral("Twenty characters ok"));
    const QImage image = label.RenderImage();
    EXPECT_GT(Count(image, clBlack), 60);
    // Starting at 90 degrees (the left) and running clockwise over the top:
    // the centre stays clear, the left and the top are written on.
    EXPECT_EQ(Count(image.copy(50, 50, 20, 20), clBlack), 0);
    EXPECT_GT(Count(image.copy(0, 30, 40, 60), clBlack), 0);
    EXPECT_GT(Count(image.copy(30, 0, 60, 40), clBlack), 0);
}

TEST_F(Label, AngleIsKeptIn0To359AndSwitchesToFlatRotation)
{
    label.SetAngle(450);
    EXPECT_EQ(label.Angle(), 90);
    EXPECT_EQ(label.Rotation(), roFlat);
    label.SetAngle(-90);
    EXPECT_EQ(label.Angle(), 270);
    label.SetAngle(-390);  // past a full turn backwards
    EXPECT_EQ(label.Angle(), 330);
    label.SetRotation(roNone);
    EXPECT_EQ(label.Angle(), 0);

    label.SetRotation(roCurve);
    label.SetCenterPoint(cpLowerLeft);
    label.SetAngle(45);
    EXPECT_EQ(label.Rotation(), roCurve);
    label.SetRotation(roFlat);
    EXPECT_EQ(label.Angle(), 0);
    EXPECT_EQ(label.CenterPoint(), cpCenter);
}

TEST_F(Label, BlinksInStepOnTheSharedTimer)
{
    TFcLabel other;
    label.SetBlinkColor(kRed);
    label.SetBlinking(true);
    TFcBlinkingControlsList* list = BlinkingControls();
    ASSERT_NE(list, nullptr);
    // Each tick flips the one shared state; the label shows its normal colour
    // in the on state and the blink colour in the off state.
    list->Tick();
    const bool on = list->State() == bsOn;
    EXPECT_EQ(label.TextColor(), on ? clBlack : kRed);
    list->Tick();
    EXPECT_EQ(label.TextColor(), on ? kRed : clBlack);
    EXPECT_EQ(label.NormalPhase(), !on);
    // Blinking off in the blink phase shows the normal colour at once.
    if (label.NormalPhase())
        list->Tick();
    EXPECT_FALSE(label.NormalPhase());
    label.SetBlinking(false);
    EXPECT_TRUE(label.NormalPhase());
    EXPECT_EQ(label.TextColor(), clBlack);
    // The other label does not blink: ticks leave it alone.
    list->Tick();
    EXPECT_TRUE(other.NormalPhase());

    // The intervals belong to the list: one label sets them for all.
    other.SetBlinkIntervalOn(40);
    EXPECT_EQ(TFcLabel::BlinkIntervalOn(), 40);
    EXPECT_EQ(list->IntervalOn(), 40);

    // And the timer itself drives the phases.
    TFcLabel::SetBlinkIntervalOn(5);
    TFcLabel::SetBlinkIntervalOff(5);
    label.SetBlinking(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !label.NormalPhase(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return label.NormalPhase(); }, 2000));
    TFcLabel::SetBlinkIntervalOn(500);
    TFcLabel::SetBlinkIntervalOff(500);
}

TEST_F(Label, FlyByColourWhileTheMouseIsOver)
{
    label.SetFlyByEnabled(true);
    label.SetFlyByColor(kGreen);
    testing::Enter(&label);
    EXPECT_EQ(label.FontColor(), kGreen);
    EXPECT_EQ(label.TextColor(), kGreen);
    testing::Leave(&label);
    EXPECT_EQ(label.FontColor(), clBlack);
}

TEST_F(Label, AutoSizeFitsTheTextAndTheTurn)
{
    TFcLabel fitted;
    fitted.SetCaption(QStringLiteral("Short"));
    const QSize a = fitted.size();
    fitted.SetCaption(QStringLiteral("Quite a lot longer"));
    EXPECT_GT(fitted.width(), a.width());
    EXPECT_EQ(fitted.height(), a.height());
    const QSize level = fitted.size();
    fitted.SetAngle(90);
    EXPECT_EQ(fitted.size(), level.transposed());
}

struct LabelForm : testing::FormFixture {};

TEST_F(LabelForm, AcceleratorFocusesItsFocusControl)
{
    auto* other = Add<QLineEdit>();
    auto* name = Add<TFcLabel>(QStringLiteral("&Name"));
    auto* edit = Add<QLineEdit>();
    name->SetFocusControl(edit);
    Show();
    other->setFocus();
    QTest::keyClick(other, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

struct UrlLabel : Label {
    UrlLabel()
    {
        SetUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return succeed;
        });
    }
    ~UrlLabel() override { SetUrlOpener(nullptr); }
    std::vector<QUrl> opened;
    bool succeed = true;
};

TEST_F(UrlLabel, ClickOpensTheUrlOrElseTheCaption)
{
    TFcURLLabel link;
    link.SetCaption(QStringLiteral("example.org"));
    link.SetURL(QStringLiteral("https://example.com/help"));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.FontColor(), clHighlight);
    int clicks = 0;
    link.OnClick = [&](TFcControl*) { ++clicks; };
    link.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&link));
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.com/help")));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(link.Visited());
    EXPECT_EQ(link.FontColor(), 0x800080u);

    link.SetURL(QStringLiteral("   "));
    link.Click();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].host(), QStringLiteral("example.org"));

    link.SetCaption(QStringLiteral("  "));
    link.Click();
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(UrlLabel, AFailedOpenLeavesItUnvisited)
{
    succeed = false;
    TFcURLLabel link;
    link.SetURL(QStringLiteral("https://example.com"));
    link.Click();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(link.Visited());
    EXPECT_EQ(link.FontColor(), clHighlight);
}

TEST_F(UrlLabel, ReadsAsStaticTextOrAsALinkThatPressOpens)
{
    label.SetCaption(QStringLiteral("&Customer:"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::StaticText);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Customer:"));

    TFcURLLabel link;
    link.SetCaption(QStringLiteral("Help pages"));
    link.SetURL(QStringLiteral("https://example.com/help"));
    QAccessibleInterface* l = QAccessible::queryAccessibleInterface(&link);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->role(), QAccessible::Link);
    EXPECT_EQ(l->text(QAccessible::Name), QStringLiteral("Help pages"));
    EXPECT_EQ(l->text(QAccessible::Value), QStringLiteral("https://example.com/help"));
    ASSERT_NE(l->actionInterface(), nullptr);
    EXPECT_EQ(l->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    l->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(l->state().traversed);
}

}  // namespace
}  // namespace tw::controls
