// The dialog button panel: where its buttons stand in a row and in a column
// with buttons hidden, its size, mirroring, what its properties reach, the
// order of action and event, and keeping to its edge.

#include "buttonfixture.h"

#include "controls/base/fcaction.h"
#include "controls/base/fcmodalresult.h"
#include "controls/buttons/fcdialogbuttons.h"

#include <QDialog>

namespace tw::controls {
namespace {

using namespace testing;
using B = TFcDialogButtons;

struct DialogButtons : ButtonFixture {
    B* panel = new B(&host);
    std::vector<QRect> Bounds() const
    {
        return {panel->ButtonOf(B::Ok)->geometry(), panel->ButtonOf(B::CancelButton)->geometry(),
                panel->ButtonOf(B::Help)->geometry()};
    }
};

TEST_F(DialogButtons, StartsAsOkAndCancelAlongTheBottom)
{
    EXPECT_EQ(panel->Align(), alBottom);
    EXPECT_EQ(panel->height(), 36);
    EXPECT_EQ(panel->geometry(), QRect(0, 300 - 36, 400, 36));  // kept to the host's bottom edge
    EXPECT_EQ(panel->BtnCaption(B::Ok), "OK");
    EXPECT_EQ(panel->BtnCaption(B::CancelButton), "Cancel");
    EXPECT_EQ(panel->BtnCaption(B::Help), "&Help");
    EXPECT_TRUE(panel->OKDefault());
    EXPECT_TRUE(panel->CancelCancel());
    EXPECT_EQ(panel->ButtonOf(B::Ok)->ModalResult(), mrOk);
    EXPECT_EQ(panel->ButtonOf(B::CancelButton)->ModalResult(), mrCancel);
    EXPECT_FALSE(panel->ShowButton(B::Help));
}

TEST_F(DialogButtons, PositionsInARowAndAColumnWithButtonsHidden)
{
    struct Case {
        const char* name;
        TAlign align;
        std::array<bool, 3> shown;
        std::vector<QRect> bounds;
    };
    const QRect none;
    const Case cases[] = {
        // A row at the right end, 8 pixels after each button.
        {"row, OK and Cancel", alBottom, {true, true, false}, {{234, 6, 75, 25}, {317, 6, 75, 25}, none}},
        {"row, all three", alBottom, {true, true, true},
         {{151, 6, 75, 25}, {234, 6, 75, 25}, {317, 6, 75, 25}}},
        // Hiding OK moves nothing in a row: each left depends on the buttons after it.
        {"row, OK hidden", alTop, {false, true, true}, {none, {234, 6, 75, 25}, {317, 6, 75, 25}}},
        {"column, all three", alLeft, {true, true, true}, {{6, 8, 75, 25}, {6, 41, 75, 25}, {6, 74, 75, 25}}},
        // In a column Cancel takes OK's place.
        {"column, OK hidden", alRight, {false, true, true}, {none, {6, 8, 75, 25}, {6, 41, 75, 25}}},
        {"column, Help alone", alLeft, {false, false, true}, {none, none, {6, 8, 75, 25}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel->SetAlign(c.align);
        for (int i = 0; i < 3; ++i)
            panel->SetShowButton(static_cast<B::Button>(i + 1), c.shown[i]);
        EXPECT_EQ(Bounds(), c.bounds);
        EXPECT_EQ(panel->ButtonOf(B::Help)->isHidden(), !c.shown[2]);
    }
}

TEST_F(DialogButtons, SizeFollowsTheShownButtons)
{
    panel->SetAlign(alLeft);
    EXPECT_EQ(panel->width(), 75 + 12);
    panel->SetBtnWidth(B::CancelButton, 100);
    EXPECT_EQ(panel->width(), 112);
    EXPECT_EQ(panel->ButtonOf(B::CancelButton)->width(), 100);
    for (B::Button b : {B::Ok, B::CancelButton, B::Help})
        panel->SetShowButton(b, false);
    EXPECT_EQ(panel->width(), 12);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 12, 300));
}

TEST_F(DialogButtons, RightToLeftMirrorsTheRow)
{
    panel->setLayoutDirection(Qt::RightToLeft);
    panel->SetShowButton(B::Help, true);
    EXPECT_EQ(panel->ButtonOf(B::Help)->x(), 8);
    EXPECT_EQ(panel->ButtonOf(B::Ok)->x(), 400 - 151 - 75);
}

TEST_F(DialogButtons, PropertiesReachTheButtons)
{
    panel->SetBtnCaption(B::Ok, "&Save");
    panel->SetBtnEnable(B::CancelButton, false);
    panel->SetHotTrack(true);
    panel->SetButtonColor(RGB(1, 2, 3));
    panel->SetCancelCancel(false);
    panel->SetShowGlyphs(true);
    EXPECT_EQ(panel->ButtonOf(B::Ok)->Caption(), "&Save");
    EXPECT_FALSE(panel->BtnEnable(B::CancelButton));
    for (B::Button b : {B::Ok, B::CancelButton, B::Help}) {
        EXPECT_TRUE(panel->ButtonOf(b)->HotTrack());
        EXPECT_EQ(panel->ButtonOf(b)->Color(), RGB(1, 2, 3));
        EXPECT_FALSE(panel->ButtonOf(b)->Glyph().isNull());
    }
    EXPECT_EQ(panel->ButtonOf(B::Help)->Glyph(), GetBitBtnGlyph(bkHelp));
    EXPECT_FALSE(panel->ButtonOf(B::CancelButton)->Cancel());
    panel->SetShowGlyphs(false);
    EXPECT_TRUE(panel->ButtonOf(B::Ok)->Glyph().isNull());
}

TEST_F(DialogButtons, AClickRunsTheActionFirstThenTheEventAndEndsTheDialog)
{
    QDialog dialog;
    dialog.resize(300, 120);
    auto* buttons = new B(&dialog);
    std::vector<std::string> order;
    TFcAction action("&Check");
    QObject::connect(&action, &QAction::triggered, [&] { order.push_back("action"); });
    buttons->SetBtnAction(B::Ok, &action);
    buttons->OnClickOk = [&](TFcControl*) { order.push_back("event"); };
    QObject::connect(buttons, &B::clickedOk, [&] { order.push_back("signal"); });
    dialog.show();
    buttons->ButtonOf(B::Ok)->Click();
    EXPECT_EQ(order, (std::vector<std::string>{"action", "event", "signal"}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(buttons->BtnAction(B::Ok), &action);
}

TEST_F(DialogButtons, DrawsTheDividerOnTheInnerEdge)
{
    panel->SetShowDivider(true);
    QImage image = panel->RenderImage();
    // A groove along the top of a bottom panel: shadow over highlight.
    EXPECT_EQ(FromRgb32(image.pixel(100, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(FromRgb32(image.pixel(100, 1)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(FromRgb32(image.pixel(100, 35)), ColorToRGB(clBtnFace));
    panel->SetAlign(alRight);
    image = panel->RenderImage();
    EXPECT_EQ(FromRgb32(image.pixel(0, 100)), ColorToRGB(clBtnShadow));
}

}  // namespace
}  // namespace tw::controls
