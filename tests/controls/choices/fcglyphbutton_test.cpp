// The glyph-drawn radio button and check box: the five marks recoloured for
// normal, hot, pressed and disabled; the classic mark; custom glyph strips;
// the focus border round the caption; keyboard, mouse, Space and Escape,
// accelerators, Enter as Tab; and what screen readers see.

#include "controls/panels/pixelart.h"

#include "controls/choices/fcglyphbutton.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fctextmetrics.h"

#include <QAccessible>
#include <QAction>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QTest>

namespace tw::controls {
namespace {

using testing::PixelOf;

struct Glyphs : testing::WidgetFixture {
    // The shades the hot-track look derives from the default hot colour.
    static TColor HotLight()
    {
        const std::uint8_t hue = ColorHue(clHighlight);
        return HSLtoColor(static_cast<std::uint8_t>(hue < 120 ? hue + 120 : hue - 120), 220, 180);
    }
    static void Press(QWidget& w)
    {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(&w, &down);
    }
};

// The mark sits at (0, 2) of a control whose caption is on the right.
constexpr int kTop = 2;

TEST_F(Glyphs, TemplatesRecolouredForEachState)
{
    struct Case {
        const char* name;
        bool radio;
        bool checked;
        const char* state;  // "normal", "hot", "pressed", "disabled"
        int x, y;           // a pixel of the 13 by 13 mark
        TColor expected;
    };
    const TColor window = ColorToRGB(clWindow);
    const TColor down = DarkerColor(clWindow, 20);
    const TColor high = ColorToRGB(clHighlight);
    const TColor face = ColorToRGB(clBtnFace);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const Case cases[] = {
        // Radio: the dot (navy), the white inside, a fuchsia rim pixel, the
        // aqua edge that blends the frame into the background, the olive corner.
        {"radio dot", true, true, "normal", 6, 6, high},
        {"radio inside", true, false, "normal", 6, 6, window},
        {"radio rim", true, false, "hot", 6, 1, HotLight()},
        {"radio rim pressed", true, false, "pressed", 6, 1, down},
        {"radio inside pressed", true, true, "pressed", 3, 6, down},
        {"radio dot disabled", true, true, "disabled", 6, 6, shadow},
        {"radio inside disabled", true, false, "disabled", 6, 6, face},
        {"radio edge", true, false, "normal", 4, 0, BlendColors(clBtnShadow, clBtnFace, 128)},
        {"radio corner", true, false, "normal", 0, 0, face},
        // Check boxes: the frame (gray), the inside, the tick, the mixed fill.
        {"check frame", false, false, "normal", 0, 0, shadow},
        {"check inside", false, false, "normal", 5, 5, window},
        {"check rim hot", false, false, "hot", 2, 1, HotLight()},
        {"check rim pressed", false, false, "pressed", 2, 1, down},
        {"check tick", false, true, "normal", 9, 3, high},
        {"check tick disabled", false, true, "disabled", 9, 3, shadow},
        {"check inside disabled", false, true, "disabled", 4, 3, face},
    };
    QWidget window_;
    window_.resize(200, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name << " " << c.state);
        std::unique_ptr<TFcCustomGlyphButton> b;
        if (c.radio)
            b = std::make_unique<TFcRadioButton>(&window_);
        else
            b = std::make_unique<TFcCheckBox>(&window_);
        b->resize(60, 17);
        b->SetHotTrack(true);
        b->SetChecked(c.checked);
        if (std::string(c.state) == "hot")
            testing::Enter(b.get());
        if (std::string(c.state) == "disabled")
            b->setEnabled(false);
        if (std::string(c.state) == "pressed") {
            if (c.radio) {
                // The mouse's pressed mark: press and hold.
                window_.show();
                window_.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
                b->show();
                QTest::mousePress(b.get(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            } else {
                Press(*b);
            }
            ASSERT_TRUE(b->Pressed());
        }
        const QImage image = b->RenderImage();
        EXPECT_EQ(PixelOf(image, c.x, kTop + c.y), c.expected);
    }
}

TEST_F(Glyphs, ClassicMarkWithoutHotTracking)
{
    TFcCheckBox box;
    box.resize(40, 17);
    const QImage off = box.RenderImage();
    box.SetChecked(true);
    const QImage on = box.RenderImage();
    // Sunken frame: shadow at the top-left, the inside white.
    EXPECT_EQ(PixelOf(off, 0, kTop), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(off, 6, kTop + 6), ColorToRGB(clWindow));
    EXPECT_EQ(testing::Count(off.copy(0, kTop, 13, 13), clWindowText), 0);
    EXPECT_GT(testing::Count(on.copy(0, kTop, 13, 13), clWindowText), 10);
    TFcRadioButton radio;
    radio.resize(40, 17);
    radio.SetChecked(true);
    const QImage dot = radio.RenderImage();
    EXPECT_EQ(PixelOf(dot, 6, kTop + 6), ColorToRGB(clWindowText));
    EXPECT_EQ(PixelOf(dot, 0, kTop), ColorToRGB(clBtnFace));  // outside the circle
}

TEST_F(Glyphs, CustomStripSetsTheGlyphSizeAndAnEmptyOneTurnsItOff)
{
    TFcCheckBox box;
    QImage strip(26, 13, QImage::Format_RGB32);
    strip.fill(Qt::red);
    box.SetCustomGlyphs(strip);
    EXPECT_TRUE(box.UseCustomGlyphs());
    EXPECT_EQ(box.GlyphWidth(), 2);  // 26 over nine cells
    EXPECT_EQ(box.GlyphHeight(), 13);
    box.SetCustomGlyphs(QImage());
    EXPECT_FALSE(box.UseCustomGlyphs());
    EXPECT_EQ(box.GlyphWidth(), 13);
    EXPECT_EQ(box.GlyphHeight(), 13);
    EXPECT_EQ(box.CheckColor(0x008080), 0x008081u);

    // A radio strip of six cells: the cell follows the state.
    TFcRadioButton radio;
    radio.resize(40, 17);
    QImage cells(6 * 4, 4, QImage::Format_RGB32);
    // No lime: that is the window-mask key and would turn white.
    const QColor colours[] = {Qt::red, Qt::blue, Qt::darkRed, Qt::yellow, Qt::cyan, Qt::magenta};
    for (int i = 0; i < 6; ++i) {
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x)
                cells.setPixelColor(i * 4 + x, y, colours[i]);
        }
    }
    radio.SetCustomGlyphs(cells);
    EXPECT_EQ(PixelOf(radio.RenderImage(), 1, kTop + 1), RGB(255, 0, 0));
    radio.SetChecked(true);
    EXPECT_EQ(PixelOf(radio.RenderImage(), 1, kTop + 1), RGB(0, 0, 255));
    radio.setEnabled(false);
    EXPECT_EQ(PixelOf(radio.RenderImage(), 1, kTop + 1), RGB(255, 0, 255));
}

struct Form : testing::FormFixture {
    template <typename T>
    T* Add(const QString& caption)
    {
        T* w = FormFixture::Add<T>(caption);
        w->setMinimumSize(80, 17);
        return w;
    }
};

TEST_F(Form, FocusBorderRingsTheCaptionOnly)
{
    auto* box = Add<TFcCheckBox>(QStringLiteral("Ok"));
    auto* other = Add<QLineEdit>(QString());
    (void)other;
    Show();
    other->setFocus();
    const QImage plain = box->RenderImage();
    box->setFocus();
    const QImage focused = box->RenderImage();
    const int w = TextMeasure().TextWidth(box->font(), QStringLiteral("Ok")) + 3;
    // Every changed pixel lies on the ring (17, 0) .. (17 + w, height).
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (PixelOf(plain, x, y) == PixelOf(focused, x, y))
                continue;
            ++changed;
            const bool ring = y == 0 || y == plain.height() - 1 || x == 17 || x == 17 + w - 1;
            EXPECT_TRUE(ring) << x << "," << y;
            EXPECT_GE(x, 17);
            EXPECT_LT(x, 17 + w);
        }
    }
    EXPECT_GT(changed, w);
}

TEST_F(Form, KeyboardFocusChecksARadioButtonAndUnchecksItsSiblings)
{
    auto* a = Add<TFcRadioButton>(QStringLiteral("A"));
    auto* b = Add<TFcRadioButton>(QStringLiteral("B"));
    auto* c = Add<TFcRadioButton>(QStringLiteral("C"));
    int clicks = 0;
    b->OnClick = [&](TFcControl*) { ++clicks; };
    a->SetChecked(true);
    Show();
    b->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_EQ(clicks, 1);
    // Only the checked one is a tab stop.
    EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(a->focusPolicy(), Qt::ClickFocus);
    // Checking the checked one again raises no click.
    b->SetChecked(true);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Form, MousePressFocusesARadioButtonTheReleaseChecksIt)
{
    auto* a = Add<TFcRadioButton>(QStringLiteral("A"));
    auto* b = Add<TFcRadioButton>(QStringLiteral("B"));
    a->SetChecked(true);
    Show();
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(b->hasFocus());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(a->Checked());
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // Released outside: no click.
    QTest::mousePress(a, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(a, Qt::LeftButton, Qt::NoModifier, QPoint(500, 5));
    EXPECT_FALSE(a->Checked());
}

TEST_F(Form, DownArrowClicksARadioButton)
{
    auto* a = Add<TFcRadioButton>(QStringLiteral("A"));
    Show();
    a->setFocus();
    int clicks = 0;
    a->OnClick = [&](TFcControl*) { ++clicks; };
    QTest::keyClick(a, Qt::Key_Down);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(a, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Form, GrayedCycleRaisesAClickOnEachChangeInitStateNone)
{
    auto* box = Add<TFcCheckBox>(QStringLiteral("Restrict"));
    box->SetAllowGrayed(true);
    Show();
    std::vector<TCheckBoxState> seen;
    box->OnClick = [&](TFcControl*) { seen.push_back(box->State()); };
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    box->InitState(cbChecked);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(seen.size(), 3u);
    box->SetAllowGrayed(false);
    box->SetState(cbUnchecked);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(Form, SpaceThenEscapeThenSpaceReleasedChangesNothing)
{
    auto* box = Add<TFcCheckBox>(QStringLiteral("Box"));
    Show();
    box->setFocus();
    QTest::keyPress(box, Qt::Key_Space);
    EXPECT_TRUE(box->Pressed());
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->Pressed());
    QTest::keyRelease(box, Qt::Key_Space);
    EXPECT_EQ(box->State(), cbUnchecked);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(Form, TabOnEnterMovesTheFocusAndKeepsTheKey)
{
    auto* box = Add<TFcCheckBox>(QStringLiteral("Box"));
    auto* next = Add<QLineEdit>(QString());
    box->SetTabOnEnter(true);
    int windowKeys = 0;
    struct Spy : QObject {
        int* count;
        bool eventFilter(QObject*, QEvent* e) override
        {
            *count += e->type() == QEvent::KeyPress ? 1 : 0;
            return false;
        }
    } spy;
    spy.count = &windowKeys;
    window.installEventFilter(&spy);
    Show();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(windowKeys, 0);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(Form, AcceleratorsCheckTheirControl)
{
    auto* edit = Add<QLineEdit>(QString());
    auto* box = Add<TFcCheckBox>(QStringLiteral("&Restrict"));
    auto* radio = Add<TFcRadioButton>(QStringLiteral("&Pending"));
    Show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->State(), cbChecked);
    QTest::keyClick(box, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(radio->hasFocus());
    EXPECT_TRUE(radio->Checked());
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(Glyphs, ACheckableActionHandsOnItsCheckedState)
{
    QAction action(QStringLiteral("&Restrict"));
    action.setCheckable(true);
    action.setChecked(true);
    TFcCheckBox box;
    box.SetAction(&action);
    EXPECT_EQ(box.Caption(), QStringLiteral("&Restrict"));
    EXPECT_TRUE(box.Checked());
    action.setChecked(false);
    EXPECT_FALSE(box.Checked());
}

TEST_F(Glyphs, ReadAsRadioButtonAndCheckBoxWithStateAndToggle)
{
    TFcRadioButton radio;
    radio.SetCaption(QStringLiteral("&Awarded"));
    TFcCheckBox box;
    box.SetCaption(QStringLiteral("Restrict to selected status"));
    box.SetAllowGrayed(true);

    QAccessibleInterface* r = QAccessible::queryAccessibleInterface(&radio);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->role(), QAccessible::RadioButton);
    EXPECT_EQ(r->text(QAccessible::Name), QStringLiteral("Awarded"));
    EXPECT_TRUE(r->state().checkable);
    EXPECT_FALSE(r->state().checked);
    ASSERT_NE(r->actionInterface(), nullptr);
    EXPECT_EQ(r->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::toggleAction()});
    r->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(radio.Checked());
    EXPECT_TRUE(r->state().checked);

    QAccessibleInterface* c = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->role(), QAccessible::CheckBox);
    EXPECT_EQ(c->text(QAccessible::Name), QStringLiteral("Restrict to selected status"));
    c->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(c->state().checkStateMixed);
    EXPECT_FALSE(c->state().checked);
    c->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(c->state().checked);
    box.setEnabled(false);
    EXPECT_TRUE(c->actionInterface()->actionNames().isEmpty());
}

}  // namespace
}  // namespace tw::controls
