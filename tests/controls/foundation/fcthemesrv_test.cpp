// The visual-style mapping, checked with a style that records what it is
// asked to draw, and the run-time switch between the two drawing paths.

#include "drawfixture.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcimagelist.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tw::controls {
namespace {

using testing::DrawFixture;

struct Call {
    char kind;  // 'P' primitive, 'C' control, 'X' complex control
    int element;
    QStyle::State state;
};

class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawPrimitive(PrimitiveElement pe, const QStyleOption* o, QPainter* p,
                       const QWidget* w) const override
    {
        calls.push_back({'P', static_cast<int>(pe), o->state});
        QProxyStyle::drawPrimitive(pe, o, p, w);
    }
    void drawControl(ControlElement ce, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        calls.push_back({'C', static_cast<int>(ce), o->state});
        if (ce == CE_PushButtonBevel)
            defaulted =
                qstyleoption_cast<const QStyleOptionButton*>(o)->features & QStyleOptionButton::DefaultButton;
        QProxyStyle::drawControl(ce, o, p, w);
    }
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override
    {
        calls.push_back({'X', static_cast<int>(cc), o->state});
        QProxyStyle::drawComplexControl(cc, o, p, w);
    }
    mutable std::vector<Call> calls;
    mutable bool defaulted = false;
};

struct Styles : DrawFixture {
    Styles()
    {
        ThemeServices()->SetStyle(&style);
        SetVisualStylesEnabled(true);
        Make(40, 30);
    }
    ~Styles() override
    {
        SetVisualStylesEnabled(false);
        ThemeServices()->SetStyle(nullptr);
    }
    // The first call the element made.
    Call First(const TThemedElementDetails& details)
    {
        style.calls.clear();
        EXPECT_TRUE(ThemeServices()->DrawElement(*canvas, details, {0, 0, 40, 30}));
        EXPECT_FALSE(style.calls.empty());
        return style.calls.empty() ? Call{} : style.calls.front();
    }
    RecordingStyle style;
};

TEST_F(Styles, ElementsBecomeTheMatchingStyleCalls)
{
    using S = QStyle;
    struct Case {
        TThemedElementDetails details;
        char kind;
        int element;
        S::State present;
        S::State absent;
    };
    const Case cases[] = {
        {GetElementDetails(tbPushButtonNormal), 'C', S::CE_PushButtonBevel, S::State_Enabled,
         S::State_Sunken},
        {GetElementDetails(tbPushButtonHot), 'C', S::CE_PushButtonBevel, S::State_MouseOver, S::State_Sunken},
        {GetElementDetails(tbPushButtonPressed), 'C', S::CE_PushButtonBevel, S::State_Sunken, S::State_None},
        {GetElementDetails(tbPushButtonDisabled), 'C', S::CE_PushButtonBevel, S::State_None,
         S::State_Enabled},
        {GetElementDetails(tbRadioButtonCheckedHot), 'P', S::PE_IndicatorRadioButton,
         S::State_On | S::State_MouseOver, S::State_Off},
        {GetElementDetails(tbRadioButtonUncheckedDisabled), 'P', S::PE_IndicatorRadioButton, S::State_Off,
         S::State_Enabled},
        {GetElementDetails(tbCheckBoxMixedNormal), 'P', S::PE_IndicatorCheckBox, S::State_NoChange,
         S::State_On},
        {GetElementDetails(tbCheckBoxCheckedPressed), 'P', S::PE_IndicatorCheckBox,
         S::State_On | S::State_Sunken, S::State_Off},
        {GetElementDetails(tbGroupBoxNormal), 'P', S::PE_FrameGroupBox, S::State_Enabled, S::State_None},
        {GetElementDetails(tbGroupBoxDisabled), 'P', S::PE_FrameGroupBox, S::State_None, S::State_Enabled},
        {GetElementDetails(tcDropDownButtonPressed), 'X', S::CC_ComboBox, S::State_Sunken, S::State_None},
        {GetElementDetails(teEditTextFocused), 'P', S::PE_PanelLineEdit, S::State_HasFocus, S::State_None},
        {GetElementDetails(teEditTextReadOnly), 'P', S::PE_PanelLineEdit, S::State_ReadOnly, S::State_None},
        {GetElementDetails(tpBar), 'C', S::CE_ProgressBarGroove, S::State_Horizontal, S::State_None},
        {GetElementDetails(tpChunkVert), 'C', S::CE_ProgressBarContents, S::State_Enabled,
         S::State_Horizontal},
        {GetElementDetails(ttbButtonChecked), 'P', S::PE_PanelButtonTool, S::State_On, S::State_None},
        {GetElementDetails(ttbButtonHot), 'P', S::PE_PanelButtonTool, S::State_MouseOver, S::State_On},
        {GetElementDetails(ttbSeparatorNormal), 'P', S::PE_IndicatorToolBarSeparator, S::State_Horizontal,
         S::State_None},
        {GetElementDetails(tsUpNormal), 'P', S::PE_PanelButtonBevel, S::State_Enabled, S::State_Sunken},
        {GetElementDetails(tsPane), 'P', S::PE_FrameStatusBarItem, S::State_Enabled, S::State_None},
        {GetElementDetails(tsGripper), 'C', S::CE_SizeGrip, S::State_Enabled, S::State_None},
        {GetElementDetails(twSmallCloseButtonHot), 'P', S::PE_IndicatorTabClose, S::State_MouseOver,
         S::State_None},
        {GetElementDetails(ttTabItemSelected), 'C', S::CE_TabBarTabShape, S::State_Selected, S::State_None},
        {GetElementDetails(ttPane), 'P', S::PE_FrameTabWidget, S::State_Enabled, S::State_None},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const Call call = First(c.details);
        EXPECT_EQ(call.kind, c.kind) << "case " << i;
        EXPECT_EQ(call.element, c.element) << "case " << i;
        EXPECT_EQ(call.state & c.present, c.present) << "case " << i;
        if (c.absent != S::State_None) {
            EXPECT_EQ(call.state & c.absent, S::State_None) << "case " << i;
        }
    }
    // The spin arrows follow the bevel.
    First(GetElementDetails(tsDownNormal));
    ASSERT_EQ(style.calls.size() >= 2, true);
    EXPECT_EQ(style.calls[1].element, QStyle::PE_IndicatorSpinDown);
    First(GetElementDetails(tbPushButtonDefaulted));
    EXPECT_TRUE(style.defaulted);
    // An element class without a mapping draws nothing and says so.
    style.calls.clear();
    EXPECT_FALSE(ThemeServices()->DrawElement(*canvas, GetElementDetails(tspUserPane), {0, 0, 10, 10}));
    EXPECT_TRUE(style.calls.empty());
}

TEST_F(Styles, HandlesOpenOncePerClassWhileStylesAreOn)
{
    TThemeServices* services = ThemeServices();
    EXPECT_TRUE(services->GetThemesEnabled());
    const int opened = services->ThemeOpenCount();
    const int handle = services->GetTheme(teTab);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(services->GetTheme(teTab), handle);
    EXPECT_LE(services->ThemeOpenCount(), opened + 1);
    SetVisualStylesEnabled(false);
    EXPECT_FALSE(services->GetThemesEnabled());
    EXPECT_EQ(services->GetTheme(teTab), 0);
}

TEST_F(Styles, SwitchingStylesOffChangesTheDrawingPath)
{
    const TColor bar = RGB(0, 200, 0), back = RGB(0, 40, 0);
    style.calls.clear();
    DrawLEDBar(*canvas, {0, 0, 40, 30}, orHorizontal, bar, back, 4, 50, true);
    ASSERT_FALSE(style.calls.empty());
    EXPECT_EQ(style.calls.front().element, QStyle::CE_ProgressBarContents);
    EXPECT_NE(At(30, 15), back);  // the style drew, not the classic segments

    SetVisualStylesEnabled(false);
    style.calls.clear();
    DrawLEDBar(*canvas, {0, 0, 40, 30}, orHorizontal, bar, back, 4, 50, true);
    EXPECT_TRUE(style.calls.empty());
    EXPECT_EQ(At(5, 15), bar);
    EXPECT_EQ(At(30, 15), back);
}

TEST_F(Styles, VerticalThemedChunksGrowFromTheBottom)
{
    canvas->Brush.Color = clWhite;
    canvas->FillRect({0, 0, 40, 30});
    DrawLEDBar(*canvas, {0, 0, 12, 30}, orVertical, clBlack, clWhite, 4, 50, true);
    // Inside the 1-pixel inset, only the lower half was painted by the style.
    EXPECT_EQ(At(6, 5), clWhite);
    bool lowerPainted = false;
    for (int y = 16; y < 29; ++y)
        lowerPainted |= At(6, y) != clWhite;
    EXPECT_TRUE(lowerPainted);
}

TEST_F(Styles, SystemColoursThroughThePalette)
{
    TThemeServices* services = ThemeServices();
    const TThemedElementDetails details = GetElementDetails(tbPushButtonNormal);
    EXPECT_EQ(services->ColorToRGB(RGB(1, 2, 3), &details), RGB(1, 2, 3));
    EXPECT_EQ(services->ColorToRGB(clBtnFace), clBtnFace);  // no details: unchanged
    const QColor button = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(services->ColorToRGB(clBtnFace, &details), RGB(button.red(), button.green(), button.blue()));
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Mid, QColor(40, 50, 60));
    FillSystemColorsFromPalette(palette);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(40, 50, 60));
    SetSystemColors(ClassicSystemColors());
}

TEST_F(Styles, StyleChangeIsAThemeChange)
{
    int changes = 0;
    ThemeServices()->OnThemeChange = [&](TThemeServices*) { ++changes; };
    QApplication::setPalette(QApplication::palette());
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    EXPECT_GE(changes, 1);
    ThemeServices()->OnThemeChange = nullptr;
    QApplication::setPalette(QPalette());
}

TEST_F(Styles, ThemeChangeWhileStylesAreOffOnlyRereadsTheFlags)
{
    TThemeServices* services = ThemeServices();
    services->GetTheme(teButton);
    SetVisualStylesEnabled(false);
    const int opened = services->ThemeOpenCount();
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    EXPECT_FALSE(services->GetThemesEnabled());
    EXPECT_EQ(services->GetTheme(teButton), 0);
    EXPECT_EQ(services->ThemeOpenCount(), opened);
    SetVisualStylesEnabled(true);
    EXPECT_NE(services->GetTheme(teButton), 0);  // opened anew after the change
    EXPECT_EQ(services->ThemeOpenCount(), opened + 1);
    QApplication::setPalette(QPalette());
}

TEST_F(Styles, EdgesIconsAndParentBackground)
{
    TThemeServices* services = ThemeServices();
    const TThemedElementDetails button = GetElementDetails(tbPushButtonNormal);
    Make(6, 6);
    TRect content;
    services->DrawEdge(*canvas, button, {0, 0, 6, 6}, EDGE_SUNKEN, BF_RECT | BF_ADJUST, &content);
    EXPECT_EQ(content, (TRect{2, 2, 4, 4}));
    EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
    Make(6, 6);
    services->DrawEdge(*canvas, button, {0, 0, 6, 6}, EDGE_ETCHED, BF_LEFT, &content);
    EXPECT_EQ(content, (TRect{0, 0, 6, 6}));  // no BF_ADJUST: the rectangle itself
    EXPECT_EQ(At(0, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(1, 3), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(3, 3), testing::kBack);

    TFcImageList images(2, 2);
    images.AddMasked(MakeBitmap(2, 2, RGB(9, 9, 9)), clWhite);
    Make(6, 6);
    services->DrawIcon(*canvas, button, {0, 0, 6, 6}, images, 0);
    services->DrawIcon(*canvas, button, {0, 0, 6, 6}, images, 5);  // no such image: nothing
    EXPECT_EQ(At(2, 2), RGB(9, 9, 9));
    EXPECT_EQ(At(3, 3), RGB(9, 9, 9));
    EXPECT_EQ(At(1, 1), testing::kBack);

    QWidget parent;
    testing::FillBackground(parent, 20, 20, QColor(0, 0, 200));
    QWidget child(&parent);
    child.setGeometry(5, 5, 6, 6);
    Make(6, 6);
    const TThemedElementDetails pane = GetElementDetails(tsPane);
    services->DrawParentBackground(&child, *canvas, &pane, true);  // a status pane is opaque
    EXPECT_EQ(At(0, 0), testing::kBack);
    // A push button's rounded corners show the parent.
    services->DrawParentBackground(&child, *canvas, &button, true);
    EXPECT_EQ(At(0, 0), RGB(0, 0, 200));
    Make(6, 6);
    const TThemedElementDetails radio = GetElementDetails(tbRadioButtonCheckedNormal);
    services->DrawParentBackground(&child, *canvas, &radio, true);
    EXPECT_EQ(At(0, 0), RGB(0, 0, 200));
    EXPECT_TRUE(FullColorSupport());
}

}  // namespace
}  // namespace tw::controls
