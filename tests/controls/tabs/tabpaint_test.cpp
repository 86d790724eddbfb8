// Pixels of the tab strip: outlines and card frames of every style on every
// side with the gap under the selected tab, the shadow over the parent, a
// disabled caption, the accelerator underline, the hot-track bar and the
// focus rectangle.

#include "tabwidgetfixture.h"

#include "controls/tabs/fctabpaintmodel.h"

#include <QMouseEvent>
#include <QTest>

namespace tw::controls::testing {
namespace {

// The middle of a tab's outer edge and of its base, in layout coordinates.
TPoint OuterEdgeMiddle(const TFcTabLayout& layout, int index)
{
    const std::vector<TPoint> p = layout.CalcTabRegionPts(index);
    const bool fourPoints = p.size() == 4;
    const bool cut = layout.Options.TabStyle == tsCutCorner;
    const TPoint a = fourPoints || cut ? p[1] : p[2];
    const TPoint b = fourPoints || cut ? p[2] : p[3];
    return {(a.x + b.x) / 2, a.y};
}

TPoint BaseMiddle(const TFcTabLayout& layout, int index)
{
    const std::vector<TPoint> p = layout.CalcTabRegionPts(index);
    return {(p.front().x + p.back().x) / 2, p.front().y};
}

TEST_F(TabWidgetFixture, OutlinesAndCardFrameOfEveryStyleOnEverySide)
{
    const TColor line = Rgb(clBtnShadow);
    for (const TFcTabStyle style : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners}) {
        for (const TFcTabOrientation side : {toTop, toLeft, toBottom, toRight}) {
            auto strip = MakeStrip({"Abcd", "Efgh", "Ijkl"}, 260, 260);
            strip->SetTabStyle(style);
            strip->SetTabOrientation(side);
            strip->SetUseGradients(false);
            strip->SetTabIndex(0);
            const QImage image = strip->RenderImage();
            const TFcTabLayout& layout = strip->Layout();
            SCOPED_TRACE(::testing::Message() << "style " << style << " side " << side);
            // The unselected tab is outlined along its outer edge and sits on the card's frame.
            const TPoint edge = layout.CalcMapPoint(OuterEdgeMiddle(layout, 1));
            EXPECT_EQ(Pixel(image, edge.x, edge.y), line);
            const TPoint under = layout.CalcMapPoint(BaseMiddle(layout, 1));
            EXPECT_EQ(Pixel(image, under.x, under.y), line);
            // Under the selected tab the frame has its gap: the tab opens into the card.
            const TPoint gap = layout.CalcMapPoint(BaseMiddle(layout, 0));
            EXPECT_EQ(Pixel(image, gap.x, gap.y), Rgb(clBtnFace));
            const TPoint selectedEdge = layout.CalcMapPoint(OuterEdgeMiddle(layout, 0));
            EXPECT_EQ(Pixel(image, selectedEdge.x, selectedEdge.y), line);
        }
    }
}

TEST_F(TabWidgetFixture, CardFrameWithoutSelectionIsClosed)
{
    auto strip = MakeStrip({"Abcd", "Efgh"});
    strip->SetShowShadow(false);
    const QImage image = strip->RenderImage();
    ASSERT_EQ(strip->TabIndex(), -1);
    const TPoint under = strip->Layout().CalcMapPoint(BaseMiddle(strip->Layout(), 0));
    EXPECT_EQ(Pixel(image, under.x, under.y), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 199, 60), Rgb(clBtnShadow));  // the right edge of the card
    EXPECT_EQ(Pixel(image, 100, 99), Rgb(clBtnShadow));  // and its bottom
}

TEST_F(TabWidgetFixture, ShadowDarkensTheParentAlongRightAndBottom)
{
    QWidget parent;
    parent.resize(220, 120);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(200, 100, 50));
    parent.setPalette(palette);
    TFcTabControl strip(&parent);
    strip.setGeometry(0, 0, 200, 100);
    strip.Tabs().Add()->SetCaption(QStringLiteral("Abcd"));
    strip.SetTabIndex(0);
    const QImage image = strip.RenderImage();
    const TColor behind = RGB(200, 100, 50);
    // The inner run is the darker one; the frame sits two pixels in.
    EXPECT_EQ(Pixel(image, 198, 60), BlendColors(clBlack, behind, 30));
    EXPECT_EQ(Pixel(image, 199, 60), BlendColors(clBlack, behind, 15));
    EXPECT_EQ(Pixel(image, 100, 98), BlendColors(clBlack, behind, 30));
    EXPECT_EQ(Pixel(image, 100, 99), BlendColors(clBlack, behind, 15));
    EXPECT_EQ(Pixel(image, 197, 60), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, 190, 60), Rgb(clBtnFace));
}

// Two rows: the farther row's card sticks out beside the front card by the
// row indent. Only its frame line shows there, never a second shadow.
TEST_F(TabWidgetFixture, AFartherRowsCardShowsItsEdgeWithoutAShadowOfItsOwn)
{
    auto strip = MakeStrip({"Monday", "Tuesday", "Wednesday", "Thursday"}, 200, 120);
    strip->SetUseGradients(false);
    strip->SetMultiLine(true);
    strip->SetAlignTabs(true);
    strip->SetRowOverlap(0);
    strip->SetTabIndex(3);
    ASSERT_EQ(strip->Layout().RowExtent(), 2);
    const QImage image = strip->RenderImage();
    const TRect front = strip->Layout().CalcMappedCardRect(0);
    const TRect back = strip->Layout().CalcMappedCardRect(1);
    ASSERT_GT(back.Right, front.Right);
    const int y = (back.Top + back.Bottom) / 2 + 10;
    ASSERT_LT(y, back.Bottom - 2);
    // The front card: frame two pixels in, then its shadow.
    EXPECT_EQ(Pixel(image, front.Right - 2, y), Rgb(clBtnShadow));
    EXPECT_NE(Pixel(image, front.Right, y), Rgb(clBtnFace));
    // The farther card: its frame line, and the face of the band beside it.
    EXPECT_EQ(Pixel(image, back.Right - 2, y), Rgb(clBtnShadow));
    EXPECT_EQ(Pixel(image, back.Right - 1, y), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(image, back.Right, y), Rgb(clBtnFace));
    EXPECT_EQ(Pixel(image, back.Right - 3, back.Bottom - 1), Rgb(clBtnFace));
}

TEST_F(TabWidgetFixture, DisabledCaptionHasALightCopyOffsetUnderTheDarkOne)
{
    auto strip = MakeStrip({"Abcd", "Efgh"});
    strip->SetUseGradients(false);
    strip->SetTabColors({clHighlight, clBtnFace, clBtnFace});
    strip->Tabs().Items(1)->SetEnabled(false);
    strip->SetTabIndex(0);
    const QImage image = strip->RenderImage();
    const TFcTabFace face = CalcTabFace(strip->Layout(), 1, strip->TabRect(1));
    int pairs = 0;
    for (int y = face.Face.Top; y < face.Face.Bottom; ++y)
        for (int x = face.Face.Left; x < face.Face.Right; ++x)
            if (Pixel(image, x, y) == Rgb(clBtnShadow) && Pixel(image, x + 1, y + 1) == Rgb(clBtnHighlight))
                ++pairs;
    EXPECT_GT(pairs, 3);
    // The enabled neighbour is written once, in the text colour.
    const TFcTabFace enabled = CalcTabFace(strip->Layout(), 0, strip->TabRect(0));
    int white = 0;
    for (int y = enabled.Face.Top; y < enabled.Face.Bottom; ++y)
        for (int x = enabled.Face.Left; x < enabled.Face.Right; ++x)
            white += Pixel(image, x, y) == Rgb(clBtnHighlight);
    EXPECT_EQ(white, 0);
}

// The longest run of text-coloured pixels in one row of r.
int LongestDarkRun(const QImage& image, const TRect& r)
{
    int best = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        int run = 0;
        for (int x = r.Left; x < r.Right; ++x) {
            run = FromRgb32(image.pixel(x, y)) == clBlack ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

TEST_F(TabWidgetFixture, AcceleratorIsUnderlinedAndItsMarkerNotShown)
{
    // Letters without a horizontal stroke, so that only an underline makes a run.
    auto marked = MakeStrip({"&Wiii"});
    auto plain = MakeStrip({"Wiii"});
    auto doubled = MakeStrip({"&&Wii"});
    for (auto* strip : {marked.get(), plain.get(), doubled.get()}) {
        strip->SetUseGradients(false);
        strip->SetTabIndex(0);
    }
    const QImage withLine = marked->RenderImage();
    const QImage without = plain->RenderImage();
    const TRect face = CalcTabFace(plain->Layout(), 0, plain->TabRect(0)).Face.Inflated(0, 3);
    // The underline is a run as wide as the letter; no letter of the plain caption has one.
    EXPECT_GE(LongestDarkRun(withLine, face), 5);
    EXPECT_LT(LongestDarkRun(without, face), 5);
    // The marker itself is not drawn: the marked caption has just the underline's pixels more.
    auto dark = [&](const QImage& image) {
        int count = 0;
        for (int y = face.Top; y < face.Bottom; ++y)
            for (int x = face.Left; x < face.Right; ++x)
                count += FromRgb32(image.pixel(x, y)) == clBlack;
        return count;
    };
    EXPECT_GE(dark(withLine) - dark(without), 5);
    EXPECT_LE(dark(withLine) - dark(without), 24);
    // "&&" is one ampersand and underlines nothing.
    EXPECT_LT(LongestDarkRun(doubled->RenderImage(), face), 5);
}

TEST_F(TabWidgetFixture, HotTrackBarMarksTheHotAndTheSelectedTab)
{
    auto strip = MakeStrip({"Abcd", "Efgh", "Ijkl"});
    strip->SetUseGradients(false);
    strip->SetHotTrackColorType(htctActual);
    strip->SetHotTrackColor(RGB(255, 0, 0));
    strip->SetTabIndex(0);
    const TRect hot = strip->TabRect(1);
    const TRect selected = strip->TabRect(0);
    const int hx = (hot.Left + hot.Right) / 2;
    const int sx = (selected.Left + selected.Right) / 2 - 6;
    EXPECT_NE(Pixel(strip->RenderImage(), hx, hot.Top + 3), RGB(255, 0, 0));
    QMouseEvent move(QEvent::MouseMove, QPointF(hx, hot.Top + 10), QPointF(hx, hot.Top + 10), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(strip.get(), &move);
    ASSERT_EQ(strip->HotTabIndex(), 1);
    const QImage image = strip->RenderImage();
    EXPECT_EQ(Pixel(image, hx, hot.Top + 3), RGB(255, 0, 0));
    EXPECT_NE(Pixel(image, hx, hot.Top + 8), RGB(255, 0, 0));  // a bar, not the whole tab
    EXPECT_EQ(Pixel(image, sx, selected.Top + 3), Rgb(clHighlight));
    // The complement of the highlight's hue by default.
    strip->SetHotTrackColorType(htctComplement);
    strip->SetHotTrackColor(clHighlight);
    const std::uint8_t h = ColorHue(clHighlight);
    const TColor complement = HSLtoColor(static_cast<std::uint8_t>(h < 120 ? h + 120 : h - 120), 240, 140);
    EXPECT_EQ(Pixel(strip->RenderImage(), hx, hot.Top + 3), complement);
    // Leaving the tabs ends it.
    QMouseEvent away(QEvent::MouseMove, QPointF(100, 80), QPointF(100, 80), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(strip.get(), &away);
    EXPECT_EQ(strip->HotTabIndex(), -1);
}

TEST_F(TabWidgetFixture, FocusRectangleRingsTheSelectedFaceWhileFocused)
{
    QWidget window;
    window.resize(220, 120);
    TFcTabControl strip(&window);
    strip.setGeometry(0, 0, 200, 100);
    strip.Tabs().Add()->SetCaption(QStringLiteral("Abcdefgh"));
    strip.SetUseGradients(false);
    strip.SetTabIndex(0);
    const QImage unfocused = strip.RenderImage();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    strip.setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(strip.hasFocus());
    const QImage focused = strip.RenderImage();
    const TRect ring = FocusRectOfFace(strip.Layout(), CalcTabFace(strip.Layout(), 0, strip.TabRect(0)).Face);
    int dots = 0;
    for (int x = ring.Left; x < ring.Right; ++x)
        dots += focused.pixel(x, ring.Top) != unfocused.pixel(x, ring.Top);
    EXPECT_GE(dots, ring.Width() / 2 - 1);
    // Nothing changes far from the ring.
    EXPECT_EQ(focused.pixel(100, 60), unfocused.pixel(100, 60));
    strip.SetShowFocusRect(false);
    EXPECT_EQ(strip.RenderImage(), unfocused);
}

}  // namespace
}  // namespace tw::controls::testing
