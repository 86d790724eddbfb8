// Pixels of the push and bitmap buttons with visual styles off and the
// classic colours: each look in each state, the down pattern of a latched
// button, the 3-D caption styles, glyph cells, the image layout on the four
// sides, the menu arrow; and the styled path through a recording style.

#include "buttonfixture.h"

#include "controls/buttons/fcmenubutton.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/foundation/fctextmetrics.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace tw::controls {
namespace {

using namespace testing;

// A bitmap button whose pressed mark a test can set without a mouse.
class Exposed : public TFcMenuButton {
public:
    explicit Exposed(QWidget* parent)
        : TFcMenuButton(parent)
    {
        SetShowArrow(false);
        resize(75, 25);
    }
    using TFcCustomButton::SetPressedMark;
};

struct ButtonPaint : ButtonFixture {
    Exposed* Make(int w, int h)
    {
        auto* b = new Exposed(&host);
        b->resize(w, h);
        return b;
    }
};

std::map<char, TColor> ClassicWithFrame()
{
    auto legend = Classic();
    legend['B'] = RGB(0, 0, 0);        // window frame and button text
    legend['G'] = RGB(192, 192, 192);  // the down pattern's dots on a non-grey face
    return legend;
}

TEST_F(ButtonPaint, ClassicLookInEachState)
{
    struct Case {
        const char* name;
        std::function<void(Exposed*)> setup;
        Rows expected;
    };
    const Rows raised = {"WWWWWWWWWK", "WFFFFFFFSK", "WFFFFFFFSK", "WFFFFFFFSK",
                         "WFFFFFFFSK", "WFFFFFFFSK", "WSSSSSSSSK", "KKKKKKKKKK"};
    const Case cases[] = {
        {"normal", [](Exposed*) {}, raised},
        // The default mark: a window-frame ring round the raised border.
        {"default", [](Exposed* b) { b->SetDefault(true); },
         {"BBBBBBBBBB", "BWWWWWWWKB", "BWFFFFFSKB", "BWFFFFFSKB", "BWFFFFFSKB", "BWSSSSSSKB", "BKKKKKKKKB",
          "BBBBBBBBBB"}},
        {"pressed", [](Exposed* b) { b->SetPressedMark(true); },
         {"BBBBBBBBBB", "BSSSSSSSSB", "BSFFFFFFSB", "BSFFFFFFSB", "BSFFFFFFSB", "BSFFFFFFSB", "BSSSSSSSSB",
          "BBBBBBBBBB"}},
        {"latched without pattern",
         [](Exposed* b) {
             b->SetGroupIndex(1);
             b->SetShowDownPattern(false);
             b->SetDown(true);
         },
         {"SSSSSSSSSW", "SKKKKKKKFW", "SKFFFFFFFW", "SKFFFFFFFW", "SKFFFFFFFW", "SKFFFFFFFW", "SFFFFFFFFW",
          "WWWWWWWWWW"}},
        // Dots where x and y are both even or both odd, in light grey on this face.
        {"latched with pattern",
         [](Exposed* b) {
             b->SetGroupIndex(1);
             b->SetDown(true);
         },
         {"SSSSSSSSSW", "SKKKKKKKFW", "SKGFGFGFFW", "SKFGFGFGFW", "SKGFGFGFFW", "SKFGFGFGFW", "SFFFFFFFFW",
          "WWWWWWWWWW"}},
        // Grouped buttons never show the default ring.
        {"grouped default", [](Exposed* b) {
             b->SetGroupIndex(2);
             b->SetDefault(true);
         }, raised},
        {"disabled", [](Exposed* b) { b->setEnabled(false); }, raised},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(10, 8);
        c.setup(b);
        EXPECT_EQ(Art(b->RenderImage(), ClassicWithFrame()), c.expected);
        delete b;
    }
}

TEST_F(ButtonPaint, ADownPatternOnAGreyFaceUsesMidGrey)
{
    Exposed* b = Make(10, 8);
    b->SetColor(RGB(192, 192, 192));
    b->SetGroupIndex(1);
    b->SetDown(true);
    const QImage image = b->RenderImage();
    EXPECT_EQ(FromRgb32(image.pixel(3, 3)), RGB(128, 128, 128));
    EXPECT_EQ(FromRgb32(image.pixel(4, 3)), RGB(192, 192, 192));
}

TEST_F(ButtonPaint, FocusedButtonGetsTheDottedRingFourPixelsIn)
{
    ShowHost();
    Exposed* b = Make(20, 16);
    b->show();
    FocusOn(b);
    const QImage image = b->RenderImage();
    // The default ring (the focused push button holds the mark), and the
    // dotted ring at inset 4: inverted face pixels at odd offsets.
    EXPECT_EQ(FromRgb32(image.pixel(0, 0)), RGB(0, 0, 0));
    const TColor inverted = ColorToRGB(clBtnFace) ^ 0xFFFFFF;
    EXPECT_EQ(FromRgb32(image.pixel(5, 4)), inverted);
    EXPECT_EQ(FromRgb32(image.pixel(6, 4)), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromRgb32(image.pixel(4, 5)), inverted);
    b->SetShowFocusRect(false);
    EXPECT_EQ(Count(b->RenderImage(), inverted), 0);
}

TEST_F(ButtonPaint, HotTrackLookInEachState)
{
    struct Case {
        const char* name;
        std::function<void(Exposed*)> setup;
        Rows expected;
    };
    const Case cases[] = {
        // Rounded outer ring, cut inner ring, then the flat face's shaded lines.
        {"normal", [](Exposed*) {},
         {"..dddddddd..", ".dKKKKKKKKd.", "dKllllllllKl", "dKmmmmmmmmKl", "dKnnnnnnnnKl", "dK1111111dKl",
          "dKddddddddKl", "dK33333333Kl", ".dKKKKKKKKl.", "..llllllll.."}},
        // Hot: two bevels in the complement of the highlight's hue.
        {"hot", [](Exposed* b) { Enter(b); },
         {"..dddddddd..", ".dKKKKKKKKd.", "dKuuuuuuuwKl", "dKuvvvvvxwKl", "dKuvFFFFxwKl", "dKuvFFFFxwKl",
          "dKuxxxxxxwKl", "dKwwwwwwwwKl", ".dKKKKKKKKl.", "..llllllll.."}},
        {"hot actual colour",
         [](Exposed* b) {
             b->SetHotTrackColorType(htctActual);
             Enter(b);
         },
         {"..dddddddd..", ".dKKKKKKKKd.", "dKaaaaaaabKl", "dKaeeeeefbKl", "dKaeFFFFfbKl", "dKaeFFFFfbKl",
          "dKaffffffbKl", "dKbbbbbbbbKl", ".dKKKKKKKKl.", "..llllllll.."}},
        {"default", [](Exposed* b) { b->SetDefault(true); },
         {"..dddddddd..", ".dKKKKKKKKd.", "dKUUUUUUUWKl", "dKUVVVVVXWKl", "dKUVFFFFXWKl", "dKUVFFFFXWKl",
          "dKUXXXXXXWKl", "dKWWWWWWWWKl", ".dKKKKKKKKl.", "..llllllll.."}},
        {"pressed", [](Exposed* b) { b->SetPressedMark(true); },
         {"..dddddddd..", ".dKKKKKKKKd.", "dK11111111Kl", "dK11111111Kl", "dK11111111Kl", "dK11111111Kl",
          "dK11111111Kl", "dK11111111Kl", ".dKKKKKKKKl.", "..llllllll.."}},
        // Disabled: one cut ring a pixel in; the parent (green) shows round it.
        {"disabled", [](Exposed* b) { b->setEnabled(false); },
         {"............", "..cccccccc..", ".cFFFFFFFFc.", ".cFFFFFFFFc.", ".cFFFFFFFFc.", ".cFFFFFFFFc.",
          ".cFFFFFFFFc.", ".cFFFFFFFFc.", "..cccccccc..", "............"}},
    };
    const TColor face = clBtnFace;
    std::map<char, TColor> legend = {
        {'F', face},
        {'d', DarkerColor(face, 20)},
        {'l', LighterColor(face, 20)},
        {'K', cl3DDkShadow},
        {'m', LighterColor(face, 15)},
        {'n', LighterColor(face, 10)},
        {'1', DarkerColor(face, 10)},
        {'3', DarkerColor(face, 30)},
        {'c', LighterColor(clBtnShadow, 30)},
        {'.', RGB(0, 160, 0)},
    };
    // Hot: the complement of the highlight's hue.
    {
        int h = ColorHue(clHighlight);
        h = h >= 120 ? h - 120 : h + 120;
        const TColor u = HSLtoColor(static_cast<std::uint8_t>(h), 220, 180);
        legend['u'] = u;
        legend['w'] = DarkerColor(u, 30);
        legend['v'] = DarkerColor(u, 10);
        legend['x'] = LighterColor(DarkerColor(u, 30), 10);
    }
    {
        const TColor u = HSLtoColor(ColorHue(clHighlight), 220, 220);
        legend['U'] = u;
        legend['W'] = DarkerColor(u, 30);
        legend['V'] = DarkerColor(u, 10);
        legend['X'] = LighterColor(DarkerColor(u, 30), 10);
    }
    {
        legend['a'] = LighterColor(clHighlight, 30);
        legend['b'] = DarkerColor(clHighlight, 30);
        legend['e'] = DarkerColor(LighterColor(clHighlight, 30), 10);
        legend['f'] = LighterColor(DarkerColor(clHighlight, 30), 10);
    }
    QWidget green;
    green.setAutoFillBackground(true);
    QPalette palette = green.palette();
    palette.setColor(QPalette::Window, QColor(0, 160, 0));
    green.setPalette(palette);
    green.resize(40, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* b = new Exposed(&green);
        b->resize(12, 10);
        b->SetHotTrack(true);
        c.setup(b);
        EXPECT_EQ(Art(b->RenderImage(), legend), c.expected);
        delete b;
    }
}

// Distinct colours for the two text colours and the caption, so each copy
// can be found.
constexpr TColor kLight = RGB(255, 0, 0);
constexpr TColor kDark = RGB(0, 0, 255);

struct CaptionCopies {
    QRect text;
    QRect light;
    QRect dark;
};

CaptionCopies Copies(Exposed* b)
{
    const QImage image = b->RenderImage();
    return {Extent(image, clBtnText), Extent(image, kLight), Extent(image, kDark)};
}

TEST_F(ButtonPaint, CaptionStylesDrawTheirOffsetCopies)
{
    struct Case {
        const char* name;
        TTextStyle style;
        bool light;
        QPoint lightOffset;  // of the light copy's top-left (or, for +1, bottom-right) corner
        QPoint darkOffset;
        bool lightDrawn;
        bool darkDrawn;
    };
    const Case cases[] = {
        {"normal", tsNormal, false, {}, {}, false, false},
        {"raised", tsRaised, false, {-1, -1}, {1, 1}, true, true},
        {"raised, light", tsRaised, true, {-1, -1}, {}, true, false},
        {"recessed", tsRecessed, false, {1, 1}, {-1, -1}, true, true},
        {"recessed, light", tsRecessed, true, {1, 1}, {}, true, false},
        {"shadow", tsShadow, false, {}, {2, 2}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(60, 24);
        b->SetCaption("HH");
        b->SetTextStyle(c.style);
        b->SetLightTextStyle(c.light);
        b->SetTextHighlightColor(kLight);
        b->SetTextShadowColor(kDark);
        const CaptionCopies copies = Copies(b);
        ASSERT_FALSE(copies.text.isEmpty());
        EXPECT_EQ(!copies.light.isEmpty(), c.lightDrawn);
        EXPECT_EQ(!copies.dark.isEmpty(), c.darkDrawn);
        // A copy up-left shows at its top-left corner, one down-right at its
        // bottom-right corner; the caption itself covers the rest.
        const auto check = [&](const QRect& copy, QPoint offset) {
            if (offset.x() < 0)
                EXPECT_EQ(copy.topLeft(), copies.text.topLeft() + offset);
            else
                EXPECT_EQ(copy.bottomRight(), copies.text.bottomRight() + offset);
        };
        if (c.lightDrawn)
            check(copies.light, c.lightOffset);
        if (c.darkDrawn)
            check(copies.dark, c.darkOffset);
        delete b;
    }
}

TEST_F(ButtonPaint, DisabledCaptionIsEtchedWhateverTheStyle)
{
    for (TTextStyle style : {tsNormal, tsRaised, tsShadow}) {
        SCOPED_TRACE(style);
        Exposed* b = Make(60, 24);
        b->SetCaption("HH");
        b->SetTextStyle(style);
        b->SetTextHighlightColor(kLight);
        b->SetTextShadowColor(kDark);
        b->setEnabled(false);
        const QImage image = b->RenderImage();
        const QRect inner(5, 5, 50, 14);  // the caption's rectangle, inside the frame
        EXPECT_EQ(Count(image, clBtnText, inner), 0);
        EXPECT_EQ(Count(image, kLight), 0);
        EXPECT_EQ(Count(image, kDark), 0);
        const QRect grey = Extent(image.copy(inner), clBtnShadow);
        const QRect white = Extent(image.copy(inner), clBtnHighlight);
        ASSERT_FALSE(grey.isEmpty());
        EXPECT_EQ(white.bottomRight(), grey.bottomRight() + QPoint(1, 1));
        delete b;
    }
}

TEST_F(ButtonPaint, RightAlignedCaptionSitsShadowDepthLeftOfTheEdge)
{
    const auto rightEdge = [&](TTextStyle style, int depth, QRect* shadow = nullptr) {
        Exposed* b = Make(60, 24);
        b->SetCaption("HH");
        b->SetAlignment(taRightJustify);
        b->SetTextStyle(style);
        b->SetTextShadowDepth(depth);
        b->SetTextShadowColor(kDark);
        const CaptionCopies copies = Copies(b);
        if (shadow)
            *shadow = copies.dark;
        delete b;
        return copies.text.right();
    };
    EXPECT_EQ(rightEdge(tsNormal, 2) - rightEdge(tsNormal, 5), 3);
    QRect shadow;
    const int right = rightEdge(tsShadow, 3, &shadow);
    EXPECT_EQ(right, rightEdge(tsNormal, 3));
    // The shadow copy of a right-aligned caption moves only down.
    EXPECT_EQ(shadow.right(), right + 3);
}

TEST_F(ButtonPaint, VerticalAlignmentMovesTheCaption)
{
    const auto top = [&](TAlignmentVertical alignment) {
        Exposed* b = Make(60, 40);
        b->SetCaption("HH");
        b->SetAlignmentVertical(alignment);
        const int y = Copies(b).text.top();
        delete b;
        return y;
    };
    EXPECT_LT(top(avTop), top(avCenter));
    EXPECT_LT(top(avCenter), top(avBottom));
}

// An 8 by 8 cell per colour, the bottom-left pixel of the strip olive.
QImage Cells(std::initializer_list<QRgb> colours)
{
    QImage glyph(8 * static_cast<int>(colours.size()), 8, QImage::Format_RGB32);
    int x = 0;
    for (QRgb colour : colours) {
        for (int y = 0; y < 8; ++y)
            for (int i = 0; i < 8; ++i)
                glyph.setPixel(x + i, y, colour);
        glyph.setPixel(x, 7, qRgb(128, 128, 0));
        x += 8;
    }
    return glyph;
}

TEST_F(ButtonPaint, GlyphCellFollowsEnablingAndTheTransparentColourStaysOut)
{
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    struct Case {
        const char* name;
        QImage glyph;
        bool enabled;
        QRgb shown;
        QRgb hidden;
    };
    const Case cases[] = {
        {"two cells, enabled", Cells({red, blue}), true, red, blue},
        {"two cells, disabled", Cells({red, blue}), false, blue, red},
        {"one cell, disabled", Cells({red}), false, red, blue},
        // Cells 2 and 3 of four are never drawn.
        {"four cells, disabled", Cells({red, blue, qRgb(0, 255, 0), qRgb(0, 255, 0)}), false, blue, red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(40, 24);
        b->SetGlyph(c.glyph);
        b->setEnabled(c.enabled);
        const QImage image = b->RenderImage();
        EXPECT_EQ(Count(image, FromRgb32(c.shown)), 63);
        EXPECT_EQ(Count(image, FromRgb32(c.hidden)), 0);
        EXPECT_EQ(Count(image, RGB(0, 255, 0)), 0);
        EXPECT_EQ(Count(image, RGB(128, 128, 0)), 0);
        delete b;
    }
}

TEST_F(ButtonPaint, ImagesOfAListReplaceTheGlyphOnACustomButton)
{
    TFcImageList list(8, 8);
    list.AddMasked(Cells({qRgb(255, 0, 0), qRgb(0, 0, 255)}), RGB(128, 128, 0));
    Exposed* b = Make(40, 24);
    b->SetGlyph(Cells({qRgb(0, 255, 0)}));
    b->SetImages(&list);
    b->SetImageIndex(0);
    QImage image = b->RenderImage();
    EXPECT_EQ(Count(image, RGB(255, 0, 0)), 63);
    EXPECT_EQ(Count(image, RGB(0, 255, 0)), 0);
    // Disabled without a disabled image: the list's own greyed picture.
    b->setEnabled(false);
    image = b->RenderImage();
    EXPECT_EQ(Count(image, RGB(255, 0, 0)), 0);
    EXPECT_EQ(Count(image, RGB(0, 255, 0)), 0);
    // Disabled with one: that image as it is.
    b->SetDisabledIndex(1);
    EXPECT_EQ(Count(b->RenderImage(), RGB(0, 0, 255)), 63);
    // A stock kind draws its own glyph, whatever the list says, and whole: not
    // cut to the list's image size.
    b->setEnabled(true);
    b->SetKind(bkCancel);
    image = b->RenderImage();
    const QImage cross = GetBitBtnGlyph(bkCancel).copy(0, 0, 16, 16);
    EXPECT_EQ(Count(image, RGB(255, 0, 0)), Count(cross, RGB(255, 0, 0)));
    // Taking the list away leaves the glyph.
    b->SetKind(bkCustom);
    b->SetGlyph(Cells({qRgb(0, 255, 0)}));
    b->SetImages(nullptr);
    EXPECT_EQ(Count(b->RenderImage(), RGB(0, 255, 0)), 63);
}

TEST_F(ButtonPaint, ImageLayoutOnFourSidesWithAndWithoutMargin)
{
    // Captions one line of 13 pixels, so that Margin -1 does not depend on a font.
    TFcFixedMeasure measure(6, 13, 10);
    SetTextMeasure(&measure);
    struct Case {
        const char* name;
        TButtonLayout layout;
        int margin;
        bool pressed;
        QRect image;
    };
    // A 60 by 40 button: caption rectangle (5, 5)-(55, 35); an 8 by 8 image.
    const Case cases[] = {
        {"left", blGlyphLeft, 2, false, {7, 16, 8, 8}},
        {"right", blGlyphRight, 2, false, {45, 16, 8, 8}},
        {"top", blGlyphTop, 2, false, {26, 7, 8, 8}},
        {"bottom", blGlyphBottom, 2, false, {26, 25, 8, 8}},
        {"left, centred", blGlyphLeft, -1, false, {5, 16, 8, 8}},
        {"right, centred", blGlyphRight, -1, false, {47, 16, 8, 8}},
        // d = (40 - (8 + 13 + 4)) div 2 = 7, from the button's top edge.
        {"top, centred", blGlyphTop, -1, false, {26, 7, 8, 8}},
        {"bottom, centred", blGlyphBottom, -1, false, {26, 25, 8, 8}},
        {"left, pressed", blGlyphLeft, 2, true, {8, 17, 8, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(60, 40);
        b->SetGlyph(Cells({qRgb(255, 0, 0)}));
        b->SetLayout(c.layout);
        b->SetMargin(c.margin);
        b->SetPressedMark(c.pressed);
        EXPECT_EQ(Extent(b->RenderImage(), RGB(255, 0, 0)), c.image);
        delete b;
    }
    SetTextMeasure(nullptr);
}

TEST_F(ButtonPaint, MenuArrowPointsDownAtTheRightEnd)
{
    const std::map<char, TColor> legend = {{'F', clBtnFace}, {'#', clWindowText}, {'S', clBtnShadow}};
    struct Case {
        const char* name;
        bool enabled;
        bool pressed;
        Rows expected;
    };
    // x = 40 - 12 = 28, y = 25 div 2 + 2 = 14: points (28, 14), (25, 11), (31, 11).
    const Case cases[] = {
        {"enabled", true, false,
         {"FFFFFFFFFFF", "FFFFFFFFFFF", "FF#######FF", "FFF#####FFF", "FFFF###FFFF", "FFFFF#FFFFF",
          "FFFFFFFFFFF",
          "FFFFFFFFFFF"}},
        {"pressed", true, true,
         {"FFFFFFFFFFF", "FFFFFFFFFFF", "FFFFFFFFFFF", "FFF#######F", "FFFF#####FF", "FFFFF###FFF",
          "FFFFFF#FFFF",
          "FFFFFFFFFFF"}},
        {"disabled", false, false,
         {"FFFFFFFFFFF", "FFFFFFFFFFF", "FFSSSSSSSFF", "FFFSSSSSFFF", "FFFFSSSFFFF", "FFFFFSFFFFF",
          "FFFFFFFFFFF",
          "FFFFFFFFFFF"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(40, 25);
        b->SetShowArrow(true);
        b->setEnabled(c.enabled);
        b->SetPressedMark(c.pressed);
        EXPECT_EQ(Art(b->RenderImage(), legend, QRect(23, 9, 11, 8)), c.expected);
        delete b;
    }
}

// Records the style calls that draw the faces while visual styles are on.
class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_PushButtonBevel) {
            bevels.push_back(option->state);
            const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
            defaulted.push_back(button && (button->features & QStyleOptionButton::DefaultButton));
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable std::vector<QStyle::State> bevels;
    mutable std::vector<bool> defaulted;
};

struct StyledButtonPaint : ButtonPaint {
    StyledButtonPaint()
    {
        ThemeServices()->SetStyle(&style);
        SetVisualStylesEnabled(true);
    }
    ~StyledButtonPaint() override
    {
        SetVisualStylesEnabled(false);
        ThemeServices()->SetStyle(nullptr);
    }
    RecordingStyle style;
};

TEST_F(StyledButtonPaint, EachStateDrawsItsPushButtonElement)
{
    using S = QStyle;
    struct Case {
        const char* name;
        std::function<void(Exposed*)> setup;
        S::State present;
        S::State absent;
        bool defaulted;
    };
    const Case cases[] = {
        {"normal", [](Exposed*) {}, S::State_Enabled, S::State_Sunken | S::State_MouseOver, false},
        {"hot", [](Exposed* b) { Enter(b); }, S::State_MouseOver, S::State_Sunken, false},
        {"pressed", [](Exposed* b) { b->SetPressedMark(true); }, S::State_Sunken, S::State_None, false},
        {"latched", [](Exposed* b) {
             b->SetGroupIndex(1);
             b->SetDown(true);
         }, S::State_Sunken, S::State_None, false},
        {"disabled", [](Exposed* b) { b->setEnabled(false); }, S::State_None, S::State_Enabled, false},
        {"default", [](Exposed* b) { b->SetDefault(true); }, S::State_Enabled, S::State_Sunken, true},
        // Hot wins over default, as the element order says.
        {"hot default", [](Exposed* b) {
             b->SetDefault(true);
             Enter(b);
         }, S::State_MouseOver, S::State_None, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exposed* b = Make(40, 20);
        c.setup(b);
        style.bevels.clear();
        style.defaulted.clear();
        b->RenderImage();
        ASSERT_EQ(style.bevels.size(), 1u);
        EXPECT_EQ(style.bevels[0] & c.present, c.present);
        EXPECT_EQ(style.bevels[0] & c.absent, S::State_None);
        EXPECT_EQ(style.defaulted[0], c.defaulted);
        delete b;
    }
}

TEST_F(StyledButtonPaint, TheCaptionAndImageMoveSidewaysOnlyWhenPressed)
{
    Exposed* b = Make(60, 40);
    b->SetGlyph(Cells({qRgb(255, 0, 0)}));
    const QRect up = Extent(b->RenderImage(), RGB(255, 0, 0));
    b->SetPressedMark(true);
    const QRect pressed = Extent(b->RenderImage(), RGB(255, 0, 0));
    EXPECT_EQ(pressed.topLeft(), up.topLeft() + QPoint(1, 0));
}

// A style's push button has rounded corners; what they leave is the parent's,
// never the button's own colour (a red button turned off showed red corners).
TEST_F(StyledButtonPaint, RoundedCornersShowTheParentNotTheButtonsColour)
{
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 30));
    host.setPalette(palette);
    for (const bool enabled : {false, true}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        Exposed* b = Make(120, 25);
        b->SetColor(RGB(255, 0, 0));
        b->SetFontColor(clWhite);
        b->setEnabled(enabled);
        const QImage image = b->RenderImage();
        for (const QPoint corner : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 24), QPoint(119, 24)})
            EXPECT_EQ(image.pixel(corner), qRgb(10, 120, 30)) << corner.x() << "," << corner.y();
        int reddish = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                reddish += c.red() > c.green() + 60 && c.red() > c.blue() + 60;
            }
        EXPECT_EQ(reddish, 0);
        delete b;
    }
}
}  // namespace
}  // namespace tw::controls
