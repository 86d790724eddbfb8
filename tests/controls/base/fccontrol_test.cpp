// The control base: the hooks a control overrides, the action link, the
// click, the group notice, painting off screen and the caption helpers.

#include "../testapplication.h"

#include "controls/base/fcaccessible.h"
#include "controls/base/fcaction.h"
#include "controls/base/fccontrol.h"
#include "controls/base/fcmodalresult.h"
#include "controls/foundation/fcthemesrv.h"

#include <QDialog>
#include <QEnterEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::controls {
namespace {

using testing::ApplicationInUse;

// Records every hook in the order it ran.
class Probe : public TFcControl {
public:
    using TFcControl::TFcControl;
    std::vector<std::string> log;
    std::vector<std::pair<int, TFcControl*>> notices;

    void GroupNotice(int group, TFcControl* sender) override { notices.emplace_back(group, sender); }

protected:
    void Paint(TFcCanvas& canvas) override
    {
        canvas.Brush.Color = RGB(0, 0, 255);
        canvas.FillRect({2, 2, 4, 4});
    }
    void MouseEnter() override
    {
        log.push_back("enter");
        TFcControl::MouseEnter();
    }
    void MouseLeave() override
    {
        log.push_back("leave");
        TFcControl::MouseLeave();
    }
    void EnabledChanged() override { log.push_back(isEnabled() ? "enabled" : "disabled"); }
    void FontChanged() override { log.push_back("font"); }
    void TextChanged() override { log.push_back("text " + Caption().toStdString()); }
    void ColorChanged() override { log.push_back("color"); }
    void Loaded() override { log.push_back("loaded"); }
};

struct ControlBase : ::testing::Test {
    ApplicationInUse app;
};

TEST_F(ControlBase, HooksRunOncePerRealChange)
{
    QWidget parent;
    auto* probe = new Probe(&parent);
    probe->SetCaption("&Save");
    probe->SetCaption("&Save");
    probe->SetColor(clWindow);
    probe->SetColor(clWindow);
    parent.setEnabled(false);  // a parent's disabling reaches the hook as well
    parent.setEnabled(true);
    QFont font = probe->font();
    font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() + 3 : 20);
    parent.setFont(font);
    EXPECT_EQ(probe->log,
              (std::vector<std::string>{"text &Save", "color", "disabled", "enabled", "font"}));
}

TEST_F(ControlBase, MouseEnterAndLeaveRaiseEventsAndSignals)
{
    Probe probe;
    int entered = 0;
    int left = 0;
    int enterSignals = 0;
    probe.OnMouseEnter = [&](TFcControl* sender) { entered += sender == &probe; };
    probe.OnMouseLeave = [&](TFcControl* sender) { left += sender == &probe; };
    QObject::connect(&probe, &TFcControl::mouseEntered, [&] { ++enterSignals; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&probe, &enter);
    EXPECT_TRUE(probe.MouseInControl());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&probe, &leave);
    EXPECT_FALSE(probe.MouseInControl());
    EXPECT_EQ(probe.log, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(enterSignals, 1);
}

TEST_F(ControlBase, ClickPrefersOnClickAndElseTriggersTheAction)
{
    Probe probe;
    TFcAction action("&Print");
    int triggered = 0;
    int handled = 0;
    int signalled = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    QObject::connect(&probe, &TFcControl::clicked, [&] { ++signalled; });
    probe.SetAction(&action);
    probe.Click();
    EXPECT_EQ(triggered, 1);
    probe.OnClick = [&](TFcControl*) { ++handled; };
    probe.Click();
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(signalled, 2);
}

TEST_F(ControlBase, TheActionLinkCarriesCaptionEnablingAndHint)
{
    QWidget parent;
    auto* probe = new Probe(&parent);
    TFcAction action("&Print");
    probe->SetAction(&action);
    EXPECT_EQ(probe->Caption(), "&Print");
    EXPECT_TRUE(probe->Hint().isEmpty());  // Qt's made-up tool tip is no hint
    action.setEnabled(false);
    action.setText("Print &all");
    action.setToolTip("Prints every page");
    EXPECT_FALSE(probe->isEnabled());
    EXPECT_EQ(probe->Caption(), "Print &all");
    EXPECT_EQ(probe->Hint(), "Prints every page");
    action.setVisible(false);
    EXPECT_TRUE(probe->isHidden());
    probe->SetAction(nullptr);
    action.setText("unlinked");
    EXPECT_EQ(probe->Caption(), "Print &all");
}

TEST_F(ControlBase, ActionImageIndexSignalsAChange)
{
    TFcAction action;
    int changes = 0;
    QObject::connect(&action, &QAction::changed, [&] { ++changes; });
    action.SetImageIndex(4);
    action.SetImageIndex(4);
    EXPECT_EQ(action.ImageIndex(), 4);
    EXPECT_EQ(changes, 1);
    action.setEnabled(false);
    EXPECT_FALSE(action.Execute());
}

TEST_F(ControlBase, GroupNoticeReachesSiblingsOnly)
{
    QWidget parent;
    QWidget other;
    auto* sender = new Probe(&parent);
    auto* sibling = new Probe(&parent);
    auto* nested = new Probe(new QWidget(&parent));
    auto* stranger = new Probe(&other);
    BroadcastGroupNotice(sender, 0);
    BroadcastGroupNotice(sender, 3);
    EXPECT_TRUE(sender->notices.empty());
    ASSERT_EQ(sibling->notices.size(), 1u);
    EXPECT_EQ(sibling->notices[0], std::make_pair(3, static_cast<TFcControl*>(sender)));
    EXPECT_TRUE(nested->notices.empty());
    EXPECT_TRUE(stranger->notices.empty());
}

TEST_F(ControlBase, LoadedReachesTheWindowsControlsButNotAnotherWindows)
{
    QWidget form;
    auto* inner = new Probe(new QWidget(&form));
    QDialog dialog(&form);  // a window of its own, parented by form
    auto* inDialog = new Probe(&dialog);
    NotifyLoaded(inner);
    EXPECT_EQ(inner->log, (std::vector<std::string>{"loaded"}));
    EXPECT_TRUE(inDialog->log.empty());
}

TEST_F(ControlBase, PaintToErasesWithColourOrShowsTheParent)
{
    SetVisualStylesEnabled(false);
    QWidget parent;
    parent.resize(40, 40);
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0, 200, 0));
    parent.setPalette(palette);
    auto* probe = new Probe(&parent);
    probe->setGeometry(5, 5, 8, 8);
    probe->SetColor(RGB(255, 0, 0));
    QImage image = probe->RenderImage();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
    probe->SetTransparent(true);
    image = probe->RenderImage();
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 200, 0));
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 255));
}

TEST_F(ControlBase, CaptionAccelerators)
{
    struct Case {
        const char* caption;
        QChar accel;
        const char* stripped;
    };
    const Case cases[] = {
        {"&OK", u'o', "OK"},           {"Save &As", u'a', "Save As"}, {"Fish && &Chips", u'c', "Fish & Chips"},
        {"No marker", QChar(), "No marker"}, {"Trailing&", QChar(), "Trailing"}, {"&&", QChar(), "&"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(AcceleratorOf(c.caption), c.accel);
        EXPECT_EQ(StripAccelerator(c.caption).toStdString(), c.stripped);
    }
    EXPECT_TRUE(IsAccel(u'O', "&OK"));
    EXPECT_FALSE(IsAccel(u'k', "&OK"));
    EXPECT_FALSE(IsAccel(QChar(), "plain"));
}

TEST_F(ControlBase, AccessibleNameIsTheCaptionWithoutItsMarker)
{
    Probe probe;
    probe.SetCaption("Fish && &Chips");
    probe.SetHint("Orders supper");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&probe);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->text(QAccessible::Name), "Fish & Chips");
    EXPECT_EQ(face->text(QAccessible::Description), "Orders supper");
    probe.setAccessibleName("Supper");
    EXPECT_EQ(face->text(QAccessible::Name), "Supper");
}

// A dialog whose accept() refuses, as a dialog that checks its fields does.
class CheckingDialog : public QDialog {
public:
    bool refuse = false;
    int accepts = 0;
    void accept() override
    {
        ++accepts;
        if (!refuse)
            QDialog::accept();
    }
};

TEST_F(ControlBase, ModalResultEndsTheDialogThroughItsOwnCalls)
{
    struct Case {
        int result;
        int dialogResult;
    };
    const Case cases[] = {{mrOk, QDialog::Accepted}, {mrCancel, QDialog::Rejected}, {mrYes, 6}, {mrAll, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        CheckingDialog dialog;
        auto* probe = new Probe(new QWidget(&dialog));
        dialog.show();
        dialog.setResult(-1);
        SetFormModalResult(probe, c.result);
        EXPECT_EQ(FormModalResult(&dialog), c.result);
        EXPECT_TRUE(EndModal(probe));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), c.dialogResult);
        EXPECT_EQ(FormModalResult(&dialog), mrNone);
    }
    CheckingDialog dialog;
    auto* probe = new Probe(&dialog);
    dialog.show();
    SetFormModalResult(probe, mrOk);
    SetFormModalResult(probe, mrNone);  // a handler that keeps the dialog open
    EXPECT_FALSE(EndModal(probe));
    EXPECT_TRUE(dialog.isVisible());
    dialog.refuse = true;
    SetFormModalResult(probe, mrOk);
    EndModal(probe);
    EXPECT_EQ(dialog.accepts, 1);
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace tw::controls
