// The push and bitmap buttons through real widgets: the mouse (press, drag
// out, drag back, release), Space, Enter and Escape on a form, the default
// mark following the focus, accelerators, latching groups, Kind read back,
// modal results ending a dialog.

#include "buttonfixture.h"

#include "controls/base/fcaction.h"
#include "controls/base/fcmodalresult.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>

#include <stdexcept>

namespace tw::controls {
namespace {

using namespace testing;

// A move with the left button held, as the implicit grab delivers it.
void DragTo(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

struct Clicks {
    int count = 0;
    void Watch(TFcControl* control)
    {
        control->OnClick = [this](TFcControl*) { ++count; };
    }
};

struct ButtonBehaviour : ButtonFixture {
    ButtonBehaviour() { ShowHost(); }
    TFcBitBtn* Make(const QString& caption, QPoint at = {10, 10}, QWidget* parent = nullptr)
    {
        auto* b = new TFcBitBtn(parent ? parent : &host);
        b->SetCaption(caption);
        b->move(at);
        b->show();
        return b;
    }
};

TEST_F(ButtonBehaviour, PressDragOutDragBackAndRelease)
{
    struct Case {
        const char* name;
        std::vector<QPoint> drags;
        QPoint release;
        bool pressedBeforeRelease;
        int clicks;
    };
    const Case cases[] = {
        {"release inside", {}, {10, 10}, true, 1},
        {"dragged out, released outside", {{-3, 10}}, {-3, 10}, false, 0},
        {"dragged out and back", {{-3, 10}, {10, 10}}, {10, 10}, true, 1},
        // The bottom pixel row counts as inside for a move, not for a release.
        {"on the bottom row", {{10, 25}}, {10, 25}, true, 0},
        {"below the bottom row", {{10, 26}}, {10, 26}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcBitBtn* b = Make("&Go");
        Clicks clicks;
        clicks.Watch(b);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_TRUE(b->Pressed());
        EXPECT_TRUE(b->hasFocus());
        for (QPoint p : c.drags)
            DragTo(b, p);
        EXPECT_EQ(b->Pressed(), c.pressedBeforeRelease);
        QTest::mouseRelease(b, Qt::LeftButton, {}, c.release);
        EXPECT_FALSE(b->Pressed());
        EXPECT_EQ(clicks.count, c.clicks);
        delete b;
    }
}

TEST_F(ButtonBehaviour, ADisabledOrUnfocusableButtonNeverClicksFromTheMouse)
{
    TFcBitBtn* b = Make("&Go");
    Clicks clicks;
    clicks.Watch(b);
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count, 0);
    b->setEnabled(true);
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count, 0);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count, 1);
}

TEST_F(ButtonBehaviour, SpaceClicksOnReleaseOnlyWhereItWentDown)
{
    TFcBitBtn* b = Make("&Go");
    auto* check = new QCheckBox("Other", &host);
    check->move(10, 50);
    check->show();
    Clicks clicks;
    clicks.Watch(b);
    FocusOn(b);
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(clicks.count, 0);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks.count, 1);
    // Space goes down on the check box and comes up on the button: no click.
    FocusOn(check);
    QTest::keyPress(check, Qt::Key_Space);
    FocusOn(b);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(clicks.count, 1);
    // Alt+Space is the window menu's, not a press.
    QTest::keyPress(b, Qt::Key_Space, Qt::AltModifier);
    EXPECT_FALSE(b->Pressed());
}

struct DialogKeys : ButtonFixture {
    QDialog dialog;
    QCheckBox* check = new QCheckBox("Remember", &dialog);
    QLineEdit* line = new QLineEdit(&dialog);
    TFcBitBtn* ok = new TFcBitBtn(&dialog);
    TFcBitBtn* cancel = new TFcBitBtn(&dialog);
    TFcBitBtn* apply = new TFcBitBtn(&dialog);
    Clicks okClicks;
    Clicks cancelClicks;
    Clicks applyClicks;

    DialogKeys()
    {
        dialog.setFont(FixedTestFont());
        dialog.resize(300, 140);
        check->move(10, 10);
        line->move(10, 40);
        ok->SetKind(bkOK);
        cancel->SetKind(bkCancel);
        apply->SetCaption("&Apply");
        ok->move(10, 100);
        cancel->move(100, 100);
        apply->move(190, 100);
        okClicks.Watch(ok);
        cancelClicks.Watch(cancel);
        applyClicks.Watch(apply);
        TFcFormKeys::Install(&dialog);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

TEST_F(DialogKeys, EnterClicksTheDefaultAndEscapeTheCancelButtonFromACheckBox)
{
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(check, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_EQ(okClicks.count + cancelClicks.count, 0);  // not with a shift key held
    QTest::keyClick(check, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count, 1);
    EXPECT_EQ(okClicks.count, 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(okClicks.count, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DialogKeys, TheDefaultMarkFollowsTheFocus)
{
    FocusOn(check);
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(apply->Active());
    FocusOn(apply);  // a push button with the focus takes the role itself
    EXPECT_TRUE(apply->Active());
    EXPECT_FALSE(ok->Active());
    QTest::keyClick(apply, Qt::Key_Return);
    EXPECT_EQ(applyClicks.count, 1);
    EXPECT_EQ(okClicks.count, 0);
    FocusOn(line);  // another kind of control: the Default button again
    EXPECT_TRUE(ok->Active());
    EXPECT_FALSE(apply->Active());
    // Making a button default while the focus is on a box marks it at once.
    apply->SetDefault(true);
    EXPECT_TRUE(apply->Active());
    ok->SetDefault(false);
    EXPECT_FALSE(ok->Active());
}

TEST_F(DialogKeys, HiddenOrDisabledButtonsDoNotAnswerKeys)
{
    FocusOn(check);
    ok->setEnabled(false);
    cancel->hide();
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(okClicks.count, 0);
    QTest::keyClick(check, Qt::Key_Escape);  // no Cancel button left: QDialog's own Escape
    EXPECT_EQ(cancelClicks.count, 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogKeys, AcceleratorsClickFromAnyWidget)
{
    FocusOn(line);
    QTest::keyClick(line, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(applyClicks.count, 1);
    EXPECT_TRUE(line->text().isEmpty());
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_A);  // the check box takes no letters: plain works too
    EXPECT_EQ(applyClicks.count, 2);
}

TEST_F(DialogKeys, AHandlerCanKeepTheDialogOpen)
{
    ok->OnClick = [&](TFcControl* sender) {
        ++okClicks.count;
        SetFormModalResult(sender, mrNone);
    };
    FocusOn(check);
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(okClicks.count, 1);
    EXPECT_TRUE(dialog.isVisible());
    // Retry ends the dialog with its own result.
    apply->SetModalResult(mrRetry);
    QTest::mouseClick(apply, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), int(mrRetry));
}

TEST_F(DialogKeys, AThrowingHandlerStillClearsTheKeyClickMark)
{
    ok->OnClick = [](TFcControl*) { throw std::runtime_error("refused"); };
    FocusOn(check);
    EXPECT_THROW(ok->DialogKey(Qt::Key_Return, Qt::NoModifier), std::runtime_error);
    EXPECT_FALSE(ok->KeyClick());
}

TEST_F(ButtonBehaviour, WithoutTheRoutingTheFocusedButtonStillAnswersEnter)
{
    TFcBitBtn* b = Make("&Go");
    Clicks clicks;
    clicks.Watch(b);
    FocusOn(b);
    ASSERT_EQ(TFcFormKeys::Of(b), nullptr);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks.count, 1);
    QTest::keyClick(b, Qt::Key_Escape);  // not a Cancel button
    EXPECT_EQ(clicks.count, 1);
    b->SetCancel(true);
    QTest::keyClick(b, Qt::Key_Escape);
    EXPECT_EQ(clicks.count, 2);
    // With the routing the window's round does it, once.
    TFcFormKeys::Install(&host);
    TFcBitBtn* other = Make("Other", {100, 10});
    FocusOn(other);
    FocusOn(b);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks.count, 3);
}

TEST_F(ButtonBehaviour, GroupsLatchUnderOneParentOnly)
{
    QWidget* otherParent = new QWidget(&host);
    otherParent->setGeometry(0, 100, 300, 50);
    otherParent->show();
    TFcBitBtn* day = Make("Day", {10, 10});
    TFcBitBtn* week = Make("Week", {90, 10});
    TFcBitBtn* stranger = Make("Month", {10, 10}, otherParent);
    for (TFcBitBtn* b : {day, week, stranger})
        b->SetGroupIndex(1);
    Clicks clicks;
    clicks.Watch(day);
    day->SetDown(true);  // from code: no click
    EXPECT_EQ(clicks.count, 0);
    stranger->SetDown(true);
    EXPECT_TRUE(day->Down());  // another parent's group is another group
    QTest::mouseClick(week, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(week->Down());
    EXPECT_FALSE(day->Down());
    EXPECT_TRUE(stranger->Down());
    // Without AllowAllUp the down button stays down, but the click is raised.
    Clicks weekClicks;
    weekClicks.Watch(week);
    QTest::mouseClick(week, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(week->Down());
    EXPECT_EQ(weekClicks.count, 1);
    // AllowAllUp set on one member spreads to the group.
    day->SetAllowAllUp(true);
    EXPECT_TRUE(week->AllowAllUp());
    EXPECT_FALSE(stranger->AllowAllUp());
    QTest::mouseClick(week, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(week->Down());
    EXPECT_FALSE(day->Down());
    // An ungrouped button can never be down.
    TFcBitBtn* loose = Make("Loose", {170, 10});
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
    EXPECT_EQ(loose->State(), bsUp);
}

TEST_F(ButtonBehaviour, KindReadsBackAsCustomAfterAManualChange)
{
    TFcBitBtn* b = Make("");
    b->SetKind(bkOK);
    EXPECT_EQ(b->Kind(), bkOK);
    EXPECT_TRUE(b->Default());
    EXPECT_EQ(b->ModalResult(), mrOk);
    EXPECT_EQ(b->Caption(), "OK");
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph(), GetBitBtnGlyph(bkOK));
    struct Case {
        const char* name;
        std::function<void(TFcBitBtn*)> change;
    };
    const Case cases[] = {
        {"modal result", [](TFcBitBtn* x) { x->SetModalResult(mrAbort); }},
        {"default", [](TFcBitBtn* x) { x->SetDefault(false); }},
        {"cancel", [](TFcBitBtn* x) { x->SetCancel(true); }},
        {"glyph", [](TFcBitBtn* x) { x->SetGlyph(GetBitBtnGlyph(bkOK)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcBitBtn* k = Make("");
        k->SetKind(bkOK);
        c.change(k);
        EXPECT_EQ(k->Kind(), bkCustom);
        delete k;
    }
    // While a window loads, a kind keeps a caption already given.
    TFcBitBtn* loading = Make("Fine");
    loading->SetLoading(true);
    loading->SetKind(bkOK);
    EXPECT_EQ(loading->Caption(), "Fine");
    EXPECT_EQ(loading->Kind(), bkOK);
}

TEST_F(ButtonBehaviour, GlyphChangesSetTheCellCountAndMarginRefusesBelowMinusOne)
{
    TFcBitBtn* b = Make("");
    b->SetGlyph(QImage(64, 16, QImage::Format_RGB32));
    EXPECT_EQ(b->NumGlyphs(), 4);
    b->SetGlyph(QImage(80, 16, QImage::Format_RGB32));
    EXPECT_EQ(b->NumGlyphs(), 1);
    b->SetNumGlyphs(2);
    b->SetGlyph(QImage(30, 16, QImage::Format_RGB32));
    EXPECT_EQ(b->NumGlyphs(), 2);
    b->SetMargin(-5);
    EXPECT_EQ(b->Margin(), 2);
    b->SetMargin(-1);
    EXPECT_EQ(b->Margin(), -1);
}

TEST_F(ButtonBehaviour, InALayoutAButtonIsAtLeastTheClassicSizeAndFitsItsCaption)
{
    auto* row = new QWidget(&host);
    auto* layout = new QHBoxLayout(row);
    auto* ok = new TFcBitBtn(row);
    ok->SetKind(bkOK);
    auto* wide = new TFcBitBtn(row);
    wide->SetCaption("Remove the whole block of time from every resource");
    wide->SetGlyph(GetBitBtnGlyph(bkAll));
    layout->addWidget(ok);
    layout->addWidget(wide);
    layout->addStretch();
    row->resize(700, 60);
    row->show();
    QApplication::processEvents();
    EXPECT_GE(ok->width(), 75);
    EXPECT_GE(ok->height(), 25);
    const QFontMetrics metrics(wide->font());
    EXPECT_GE(wide->width(), metrics.horizontalAdvance(StripAccelerator(wide->Caption())) + 16 + 2 + 4 + 10);
    const int before = wide->sizeHint().width();
    wide->SetCaption("Short");
    EXPECT_LT(wide->sizeHint().width(), before);
}

TEST_F(ButtonBehaviour, AUiFileReachesTheSettersThroughProperties)
{
    TFcBitBtn* b = Make("");
    EXPECT_TRUE(b->setProperty("kind", int(bkCancel)));
    EXPECT_TRUE(b->setProperty("caption", "&Close"));
    EXPECT_TRUE(b->setProperty("default", true));
    EXPECT_TRUE(b->setProperty("groupIndex", 3));
    EXPECT_EQ(b->Caption(), "&Close");
    EXPECT_TRUE(b->Cancel());
    EXPECT_TRUE(b->Default());
    EXPECT_EQ(b->GroupIndex(), 3);
    EXPECT_EQ(b->property("kind").toInt(), int(bkCustom));  // Default no longer agrees with Cancel's kind
    b->setProperty("kind", 99);  // out of range: left alone
    EXPECT_EQ(b->Glyph(), GetBitBtnGlyph(bkCancel));
}

TEST_F(ButtonBehaviour, TheActionsImageIndexReachesTheButton)
{
    TFcBitBtn* b = Make("");
    TFcAction action("&Print");
    action.SetImageIndex(3);
    b->SetAction(&action);
    EXPECT_EQ(b->ImageIndex(), 3);
    EXPECT_EQ(b->Caption(), "&Print");
    action.SetImageIndex(5);
    EXPECT_EQ(b->ImageIndex(), 5);
}

}  // namespace
}  // namespace tw::controls
