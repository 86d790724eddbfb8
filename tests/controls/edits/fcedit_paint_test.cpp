// The pixels of the framed edits: the library frame in each style on chosen
// sides, its hot style, the erase colour, and the drop-down button's looks.

#include "editfixture.h"

#include "controls/foundation/fccommon.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tw::controls {
namespace {

using namespace testing;

struct EditPaint : EditFixture {
    void SetUp() override { ShowHost(); }
    static Rows Look(QWidget* w, const std::map<char, TColor>& legend = Frames(), QRect area = {})
    {
        QApplication::processEvents();
        return Art(Grab(w), legend, area);
    }
    // The outer two rings only: the caret blinks inside.
    static Rows Ring(Rows rows)
    {
        for (size_t y = 2; y + 2 < rows.size(); ++y)
            for (size_t x = 2; x + 2 < rows[y].size(); ++x)
                rows[y][x] = ' ';
        return rows;
    }
};

TEST_F(EditPaint, FrameInEachStyleOnChosenSides)
{
    struct Case {
        const char* name;
        TFrameStyle style;
        TSides sides;
        Rows expected;
    };
    const Case cases[] = {
        {"flat all round", fsFlat, kAllSides,
         {"SSSSSSSS", "S......S", "S......S", "S......S", "S......S", "SSSSSSSS"}},
        {"flat left and bottom", fsFlat, TSides(SideBit(sdLeft) | SideBit(sdBottom)),
         {"S.......", "S.......", "S.......", "S.......", "S.......", "SSSSSSSS"}},
        {"lowered left and top", fsLowered, TSides(SideBit(sdLeft) | SideBit(sdTop)),
         {"SSSSSSSS", "SKKKKKKK", "SK......", "SK......", "SK......", "SK......"}},
        // The classic highlight is the window's white: it shows as '.'.
        {"raised all round", fsRaised, kAllSides,
         {"FFFFFFFK", "F.....SK", "F.....SK", "F.....SK", "FSSSSSSK", "KKKKKKKK"}},
        {"none: only the erased border", fsNone, kAllSides,
         {"........", "........", "........", "........", "........", "........"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* e = Make(8, 6);
        e->SetFrameVisible(true);
        e->SetFrameStyle(c.style);
        e->SetFrameSides(c.sides);
        EXPECT_FALSE(e->hasFrame()) << "the host's own frame gives way to the library's";
        EXPECT_EQ(Look(e), c.expected);
        delete e;
    }
}

TEST_F(EditPaint, HotStyleWhileFocusedOrHovered)
{
    const Rows cold = {"SSSSSSSS", "S......S", "S.    .S", "S.    .S", "S......S", "SSSSSSSS"};
    const Rows hot = {"KKKKKKKK", "KKKKKKKK", "KK    KK", "KK    KK", "KKKKKKKK", "KKKKKKKK"};
    auto* other = Make(8, 6);
    other->move(100, 10);
    auto* e = Make(8, 6);
    e->SetFrameHotTrack(true);
    e->SetFrameHotColor(cl3DDkShadow);
    EXPECT_TRUE(e->FrameVisible()) << "hot tracking turns the frame on";
    EXPECT_EQ(Ring(Look(e)), cold);
    FocusOn(e);
    EXPECT_EQ(Ring(Look(e)), hot) << "focused";
    FocusOn(other);
    EXPECT_EQ(Ring(Look(e)), cold) << "focus gone";
    Hover(e);
    EXPECT_EQ(Ring(Look(e)), hot) << "under the mouse";
    Unhover(e);
    EXPECT_EQ(Ring(Look(e)), cold) << "mouse gone";
}

TEST_F(EditPaint, NonWindowColourShadesTheFrameAndErasesInThatColour)
{
    const TColor yellow = RGB(255, 255, 0);
    std::map<char, TColor> legend = Frames();
    legend['Y'] = yellow;
    legend['d'] = DarkerColor(yellow, 50);
    legend['l'] = LighterColor(yellow, 100);
    auto* e = Make(8, 6);
    e->SetFrameVisible(true);
    e->SetFrameStyle(fsStatus);
    e->SetColor(yellow);
    EXPECT_EQ(Look(e, legend), (Rows{"dddddddl", "dYYYYYYl", "dYYYYYYl", "dYYYYYYl", "dYYYYYYl", "llllllll"}));
    // The same style on the window colour uses the system colours (the
    // highlight is the window's white).
    e->SetColor(clWindow);
    EXPECT_EQ(Look(e, legend), (Rows{"SSSSSSS.", "S.......", "S.......", "S.......", "S.......", "........"}));
}

TEST_F(EditPaint, WithoutFrameVisibleTheHostKeepsItsOwnFrame)
{
    auto* e = Make(8, 6);
    EXPECT_TRUE(e->hasFrame());
    EXPECT_FALSE(e->Framing().Overlay()->isVisible());
    e->SetFrameVisible(true);
    EXPECT_FALSE(e->hasFrame());
    EXPECT_TRUE(e->Framing().Overlay()->isVisible());
    EXPECT_EQ(e->textMargins(), QMargins(2, 2, 2, 2)) << "the text sits inside the 2-pixel frame";
    e->SetFrameVisible(false);
    EXPECT_TRUE(e->hasFrame());
    EXPECT_EQ(e->textMargins(), QMargins(0, 0, 0, 0));
}

// The drop button of a 40 x 21 edit: columns 24 to 37, rows 2 to 18.
struct DropButtonPaint : EditPaint {
    TFcEdit* MakeDrop()
    {
        auto* e = Make(40, 21);
        e->SetFrameVisible(true);
        e->SetDropButtonVisible(true);
        return e;
    }
    static QRect ButtonArea(TFcEdit* e) { return e->DropButton()->geometry(); }
};

TEST_F(DropButtonPaint, LooksInEachState)
{
    const TColor blue = RGB(0, 128, 255);
    std::map<char, TColor> legend = Frames();
    legend['d'] = DarkerColor(blue, 50);
    legend['l'] = LighterColor(blue, 100);
    legend['B'] = blue;
    auto* other = Make(8, 6);
    other->move(100, 10);
    struct Case {
        const char* name;
        std::function<void(TFcEdit*)> setup;
        Rows top;  // the first three rows of the button ('.' is also the white highlight)
        TColor arrow;
    };
    const Case cases[] = {
        {"classic raised", [](TFcEdit*) {}, {".............K", ".FFFFFFFFFFFSK", ".FFFFFFFFFFFSK"}, clBtnText},
        {"flat, not hot: the edit's colour", [](TFcEdit* e) { e->SetFlatButtons(true); },
         {"..............", "..............", ".............."}, clBtnText},
        {"flat and hot on the button face", [this](TFcEdit* e) {
             e->SetFlatButtons(true);
             FocusOn(e);
         },
         {".............S", ".FFFFFFFFFFFFS", ".FFFFFFFFFFFFS"}, clBtnText},
        {"flat and hot in another colour", [this](TFcEdit* e) {
             e->SetFlatButtons(true);
             e->SetFlatButtonColor(RGB(0, 128, 255));
             FocusOn(e);
         },
         {"llllllllllllld", "lBBBBBBBBBBBBd", "lBBBBBBBBBBBBd"}, clBtnText},
        {"disabled", [](TFcEdit* e) { e->setEnabled(false); },
         {".............K", ".FFFFFFFFFFFSK", ".FFFFFFFFFFFSK"}, clBtnShadow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcEdit* e = MakeDrop();
        c.setup(e);
        const QRect area = ButtonArea(e);
        const QImage image = (QApplication::processEvents(), Grab(e));
        const Rows rows = Art(image, legend, area);
        EXPECT_EQ(Rows(rows.begin(), rows.begin() + 3), c.top);
        // The classic arrow: rows of 6, 4 and 2 pixels inside the border.
        EXPECT_EQ(Count(image, c.arrow, area.adjusted(2, 2, -2, -2)), 12);
        FocusOn(other);
        delete e;
    }
}

TEST_F(DropButtonPaint, PressedWhileDroppingDown)
{
    TFcEdit* e = MakeDrop();
    Rows during;
    int arrowAt = -1;
    e->OnDropDown = [&](TFcCustomEdit* edit) {
        QApplication::processEvents();
        const QImage image = Grab(edit);
        during = Art(image, Frames(), ButtonArea(e));
        arrowAt = Extent(image, clBtnText).left();
    };
    e->DoDropDown();
    ASSERT_FALSE(during.empty());
    EXPECT_EQ(during[0], "SSSSSSSSSSSSSS") << "pushed and flat: one shadow line round";
    const int upArrow = Extent(Grab(e), clBtnText).left();
    EXPECT_EQ(arrowAt, upArrow + 1) << "the arrow moves one pixel right while pressed";
}

// Records the style elements drawn while visual styles are on.
class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        if (control == CC_ComboBox)
            states.push_back(option->state);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    mutable std::vector<QStyle::State> states;
};

TEST_F(DropButtonPaint, ThemedButtonDrawsTheComboElementInTheEditsState)
{
    RecordingStyle style;
    ThemeServices()->SetStyle(&style);
    SetVisualStylesEnabled(true);
    struct Case {
        const char* name;
        std::function<void(TFcEdit*)> setup;
        QStyle::State present;
        QStyle::State absent;
    };
    const Case cases[] = {
        {"normal", [](TFcEdit*) {}, QStyle::State_Enabled, QStyle::State_MouseOver | QStyle::State_Sunken},
        {"hot while focused", [this](TFcEdit* e) { FocusOn(e); }, QStyle::State_MouseOver, QStyle::State_Sunken},
        {"disabled", [](TFcEdit* e) { e->setEnabled(false); }, QStyle::State_None, QStyle::State_Enabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcEdit* e = MakeDrop();
        EXPECT_TRUE(e->hasFrame()) << "under a visual style the style draws the border";
        EXPECT_FALSE(e->Framing().Overlay()->isVisible());
        EXPECT_EQ(e->DropButton()->width(), style.pixelMetric(QStyle::PM_ScrollBarExtent) - 1);
        c.setup(e);
        style.states.clear();
        QApplication::processEvents();
        Grab(e);
        ASSERT_FALSE(style.states.empty());
        EXPECT_EQ(style.states.back() & c.present, c.present);
        EXPECT_EQ(style.states.back() & c.absent, QStyle::State_None);
        delete e;
    }
    // Pressed: drawn during the drop-down.
    TFcEdit* e = MakeDrop();
    e->OnDropDown = [&](TFcCustomEdit* edit) {
        style.states.clear();
        Grab(edit);
    };
    e->DoDropDown();
    ASSERT_FALSE(style.states.empty());
    EXPECT_TRUE(style.states.back() & QStyle::State_Sunken);
    // With the library's framing preferred, the library frame comes back.
    e->SetFramingPreference(fpCustomFraming);
    EXPECT_TRUE(e->Framing().Overlay()->isVisible());
    SetVisualStylesEnabled(false);
    ThemeServices()->SetStyle(nullptr);
}

}  // namespace
}  // namespace tw::controls
