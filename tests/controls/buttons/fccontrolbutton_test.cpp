// The control button: repeated clicks on a test clock, the faces of its
// styles with visual styles off, and its element states with them on.

#include "buttonfixture.h"

#include "controls/buttons/fccontrolbutton.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tw::controls {
namespace {

using namespace testing;

// A repeat timer on a clock the test moves by hand.
class ManualTimer : public TFcRepeatTimer {
public:
    explicit ManualTimer(qint64* clock)
        : clock_(clock)
    {
    }
    void Start(int interval) override
    {
        interval_ = interval;
        due_ = *clock_ + interval;
        active_ = true;
    }
    void SetInterval(int interval) override { interval_ = interval; }
    void Stop() override { active_ = false; }
    bool Active() const override { return active_; }
    // Moves the clock on, ticking whenever a tick falls due.
    void Advance(qint64 ms)
    {
        const qint64 until = *clock_ + ms;
        while (active_ && due_ <= until) {
            *clock_ = due_;
            OnTick();
            due_ = *clock_ + interval_;
        }
        *clock_ = until;
    }

private:
    qint64* clock_;
    int interval_ = 0;
    qint64 due_ = 0;
    bool active_ = false;
};

struct ControlButton : ButtonFixture {
    qint64 clock = 0;
    ManualTimer* timer = nullptr;
    TFcControlButton* button = new TFcControlButton(&host);
    std::vector<qint64> clicks;

    ControlButton()
    {
        button->move(10, 10);
        button->SetRepeatClicks(true);
        button->TimerFactory = [this] {
            auto made = std::make_unique<ManualTimer>(&clock);
            timer = made.get();
            return made;
        };
        button->OnClick = [this](TFcControl*) { clicks.push_back(clock); };
        ShowHost();
    }
};

TEST_F(ControlButton, AHeldButtonRepeatsAfterTheInitialDelayAndClicksOnRelease)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_NE(timer, nullptr);
    timer->Advance(1000);
    EXPECT_EQ(clicks, (std::vector<qint64>{400, 500, 600, 700, 800, 900, 1000}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.size(), 8u);
    EXPECT_FALSE(timer->Active());
    EXPECT_FALSE(button->DownMark());
}

TEST_F(ControlButton, MovingOffKeepsRepeatingAndAReleaseOutsideGivesNoLastClick)
{
    button->SetInitialDelay(200);
    button->SetDelay(50);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(button, QPoint(40, 40));
    timer->Advance(300);
    EXPECT_EQ(clicks, (std::vector<qint64>{200, 250, 300}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(ControlButton, ARightPressStartsTheTimerButNeverClicks)
{
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->Active());
    timer->Advance(1000);
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(timer->Active());
    // Without RepeatClicks a press clicks once, on release.
    button->SetRepeatClicks(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ControlButton, ItTakesNoFocus)
{
    auto* other = new TFcBitBtn(&host);
    other->move(100, 10);
    other->show();
    FocusOn(other);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(QApplication::focusWidget(), other);
}

struct ControlButtonPaint : ButtonFixture {
    TFcControlButton* Make(TFcControlButtonStyle style)
    {
        auto* b = new TFcControlButton(&host);
        b->SetStyle(style);
        b->resize(9, 9);
        return b;
    }
    // The button as a test holds it down, without a mouse.
    static void HoldDown(TFcControlButton* b)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &press);
    }
};

TEST_F(ControlButtonPaint, FacesInTheClassicLook)
{
    auto legend = Classic();
    legend['r'] = RGB(255, 0, 0);
    legend['.'] = RGB(0, 160, 0);
    struct Case {
        const char* name;
        std::function<void(TFcControlButton*)> setup;
        Rows expected;
    };
    const Case cases[] = {
        {"up", [](TFcControlButton*) {},
         {"WWWWWWWWK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK",
          "WSSSSSSSK",
          "KKKKKKKKK"}},
        // A colour of its own still fills the face with the button face.
        {"coloured", [](TFcControlButton* b) { b->SetColor(RGB(255, 0, 0)); },
         {"WWWWWWWWK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK", "WFFFFFFSK",
          "WSSSSSSSK",
          "KKKKKKKKK"}},
        {"down", [](TFcControlButton* b) { HoldDown(b); },
         {"SSSSSSSSS", "SFFFFFFFS", "SFFFFFFFS", "SFFFFFFFS", "SFFFFFFFS", "SFFFFFFFS", "SFFFFFFFS",
          "SFFFFFFFS",
          "SSSSSSSSS"}},
        // Flat and not hot: only its own colour.
        {"flat", [](TFcControlButton* b) {
             b->SetFlat(true);
             b->SetColor(RGB(255, 0, 0));
         },
         {"rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr", "rrrrrrrrr",
          "rrrrrrrrr",
          "rrrrrrrrr"}},
        {"flat and hot", [](TFcControlButton* b) {
             b->SetFlat(true);
             b->SetColor(RGB(255, 0, 0));
             Enter(b);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcControlButton* b = Make(cbsNone);
        c.setup(b);
        const Rows art = Art(b->RenderImage(), legend);
        if (c.expected.empty()) {
            // The popup frame round a face of its own colour.
            EXPECT_EQ(art.front(), "WWWWWWWWS");
            EXPECT_EQ(art[4], "WrrrrrrrS");
        } else {
            EXPECT_EQ(art, c.expected);
        }
        delete b;
    }
}

TEST_F(ControlButtonPaint, AGlyphSitsCentredAndMovesWhenDown)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 0));
    glyph.setPixel(0, 3, qRgb(128, 128, 0));
    TFcControlButton* b = Make(cbsNone);
    b->resize(17, 21);
    b->SetGlyph(glyph);
    const QRect up = Extent(b->RenderImage(), RGB(255, 0, 0));
    // The face inside the border (2 pixels), less one more, and the 4 by 4 centred.
    EXPECT_EQ(up, QRect(6, 8, 4, 4));
    HoldDown(b);
    EXPECT_EQ(Extent(b->RenderImage(), RGB(255, 0, 0)), up.translated(1, 1));
}

TEST_F(ControlButtonPaint, ArrowsPointTheirWayAndGreyOutWhenDisabled)
{
    struct Case {
        TFcControlButtonStyle style;
        const char* name;
    };
    const Case cases[] = {{cbsUp, "up"}, {cbsDown, "down"}, {cbsLeft, "left"}, {cbsRight, "right"},
                          {cbsDropDown, "drop-down"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcControlButton* b = Make(c.style);
        b->resize(17, 21);
        const QImage image = b->RenderImage();
        const QRect arrow = Extent(image.copy(2, 2, 13, 17), clBtnText);
        ASSERT_FALSE(arrow.isEmpty());
        // Down arrows are widest at the top, up arrows at the bottom, and so on.
        const QImage cut = image.copy(arrow.translated(2, 2));
        const bool sideways = c.style == cbsLeft || c.style == cbsRight;
        const int first = sideways ? Count(cut, clBtnText, {0, 0, 1, cut.height()})
                                   : Count(cut, clBtnText, {0, 0, cut.width(), 1});
        const int last = sideways ? Count(cut, clBtnText, {cut.width() - 1, 0, 1, cut.height()})
                                  : Count(cut, clBtnText, {0, cut.height() - 1, cut.width(), 1});
        if (c.style == cbsUp || c.style == cbsLeft)
            EXPECT_LT(first, last);
        else
            EXPECT_GT(first, last);
        b->setEnabled(false);
        EXPECT_EQ(Count(b->RenderImage(), clBtnText, {2, 2, 13, 17}), 0);
        delete b;
    }
}

// Records which style elements the faces draw while visual styles are on.
class ElementStyle : public QProxyStyle {
public:
    ElementStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        calls.emplace_back(int(element), option->state);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        calls.emplace_back(1000 + int(element), option->state);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        calls.emplace_back(2000 + int(control), option->state);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    mutable std::vector<std::pair<int, QStyle::State>> calls;
};

TEST_F(ControlButtonPaint, StyledFacesDrawTheirElementInTheButtonsState)
{
    ElementStyle style;
    ThemeServices()->SetStyle(&style);
    SetVisualStylesEnabled(true);
    using S = QStyle;
    struct Case {
        const char* name;
        TFcControlButtonStyle buttonStyle;
        std::function<void(TFcControlButton*)> setup;
        int element;
        S::State present;
        S::State absent;
    };
    const Case cases[] = {
        {"spin up", cbsUp, [](TFcControlButton*) {}, S::PE_PanelButtonBevel, S::State_Enabled,
         S::State_Sunken},
        {"spin down pressed", cbsDown, [](TFcControlButton* b) { HoldDown(b); }, S::PE_PanelButtonBevel,
         S::State_Sunken, S::State_None},
        {"drop-down hot", cbsDropDown, [](TFcControlButton* b) { Enter(b); }, 2000 + S::CC_ComboBox,
         S::State_MouseOver, S::State_Sunken},
        {"drop-down disabled", cbsDropDown, [](TFcControlButton* b) { b->setEnabled(false); },
         2000 + S::CC_ComboBox, S::State_None, S::State_Enabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcControlButton* b = Make(c.buttonStyle);
        b->resize(17, 21);
        c.setup(b);
        style.calls.clear();
        b->RenderImage();
        ASSERT_FALSE(style.calls.empty());
        EXPECT_EQ(style.calls.front().first, c.element);
        EXPECT_EQ(style.calls.front().second & c.present, c.present);
        EXPECT_EQ(style.calls.front().second & c.absent, S::State_None);
        delete b;
    }
    // A flat button that is not hot draws no element, only its colour.
    TFcControlButton* flat = Make(cbsUp);
    flat->SetFlat(true);
    style.calls.clear();
    flat->RenderImage();
    for (const auto& call : style.calls)
        EXPECT_NE(call.first, int(S::PE_PanelButtonBevel));
    SetVisualStylesEnabled(false);
    ThemeServices()->SetStyle(nullptr);
}

}  // namespace
}  // namespace tw::controls
