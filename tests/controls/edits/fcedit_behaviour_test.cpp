// The framed edit's behaviour through real widgets: the colour trio, the
// frame controller, Enter as Tab, the drop-down button and validation.

#include "editfixture.h"

#include "controls/foundation/fcframecontroller.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>

#include <memory>
#include <stdexcept>

namespace tw::controls {
namespace {

using namespace testing;

TColor BaseOf(QWidget* w)
{
    const QColor c = w->palette().color(QPalette::Base);
    return RGB(c.red(), c.green(), c.blue());
}

struct EditBehaviour : EditFixture {
    void SetUp() override { ShowHost(); }
};

constexpr TColor kRed = RGB(255, 0, 0);
constexpr TColor kYellow = RGB(255, 255, 0);
constexpr TColor kGrey = RGB(128, 128, 128);

// One framed control of each kind, for the cases every kind must pass.
struct Kind {
    const char* name;
    std::function<QWidget*(QWidget*)> make;
};
const Kind kKinds[] = {
    {"edit", [](QWidget* p) { return new TFcEdit(p); }},
    {"memo", [](QWidget* p) { return new TFcMemo(p); }},
    {"rich edit", [](QWidget* p) { return new TFcRichEdit(p); }},
    {"hot-key edit", [](QWidget* p) { return new TFcHotKeyEdit(p); }},
};

TFcFramed& Framed(QWidget* w)
{
    return *dynamic_cast<TFcFramed*>(w);
}

TEST_F(EditBehaviour, ColourTrioFollowsFocusAndEnabling)
{
    struct Case {
        const char* name;
        std::function<void(TFcFramed&)> setup;
        TColor normal, focused, disabled;
    };
    const Case cases[] = {
        {"a colour set without a focus colour of its own keeps one colour",
         [](TFcFramed& f) { f.SetColor(kRed); }, kRed, kRed, clBtnFace},
        {"a distinct focus colour stays", [](TFcFramed& f) {
             f.SetFocusColor(kYellow);
             f.SetColor(kRed);
         },
         kRed, kYellow, clBtnFace},
        {"equal as RGB counts as equal", [](TFcFramed& f) {
             f.SetFocusColor(RGB(255, 255, 255));  // the classic window colour
             f.SetColor(kRed);
         },
         kRed, kRed, clBtnFace},
        {"disabled colour", [](TFcFramed& f) { f.SetDisabledColor(kGrey); }, clWindow, clWindow, kGrey},
    };
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            auto* other = new QLineEdit(&host);
            other->setGeometry(100, 10, 40, 20);
            other->show();
            QWidget* w = kind.make(&host);
            w->setGeometry(10, 10, 80, 24);
            w->show();
            TFcFramed& f = Framed(w);
            c.setup(f);
            EXPECT_EQ(f.Color(), c.normal);
            FocusOn(w);
            EXPECT_EQ(f.Color(), c.focused);
            EXPECT_EQ(BaseOf(w), ColorToRGB(c.focused)) << "the colour is the palette's base";
            FocusOn(other);
            EXPECT_EQ(f.Color(), c.normal);
            w->setEnabled(false);
            EXPECT_EQ(f.Color(), c.disabled);
            EXPECT_EQ(BaseOf(w), ColorToRGB(c.disabled));
            w->setEnabled(true);
            EXPECT_EQ(f.Color(), c.normal) << "the normal colour survives the state changes";
            delete w;
            delete other;
        }
    }
}

TEST_F(EditBehaviour, FrameControllerPushesToRegisteredControlsOnly)
{
    TFcFrameController controller;
    controller.SetFrameStyle(fsGroove);
    controller.SetFrameSides(SideBit(sdLeft) | SideBit(sdRight));
    controller.SetFrameVisible(true);
    controller.SetFocusColor(kYellow);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        QWidget* w = kind.make(&host);
        QWidget* free = kind.make(&host);
        TFcFramed& f = Framed(w);
        f.SetFrameController(&controller);
        EXPECT_FALSE(f.NotUsingController());
        EXPECT_EQ(controller.ControlCount(), 1);
        EXPECT_EQ(f.FrameStyle(), fsGroove) << "registration pushes every setting";
        EXPECT_EQ(f.FrameSides(), SideBit(sdLeft) | SideBit(sdRight));
        EXPECT_TRUE(f.FrameVisible());
        EXPECT_EQ(f.FocusColor(), kYellow);
        controller.SetFrameHotColor(kRed);
        EXPECT_EQ(f.FrameHotColor(), kRed) << "a later change reaches it";
        EXPECT_EQ(Framed(free).FrameHotColor(), clBtnShadow) << "an unregistered control is left alone";
        delete w;
        EXPECT_EQ(controller.ControlCount(), 0) << "a destroyed control leaves the controller";
        delete free;
        controller.SetFrameHotColor(clBtnShadow);
    }
    // Changing controllers moves the registration; a destroyed controller
    // is forgotten.
    auto* e = Make();
    auto second = std::make_unique<TFcFrameController>();
    e->SetFrameController(&controller);
    e->SetFrameController(second.get());
    EXPECT_EQ(controller.ControlCount(), 0);
    EXPECT_EQ(second->ControlCount(), 1);
    second.reset();
    EXPECT_EQ(e->FrameController(), nullptr);
    EXPECT_TRUE(e->NotUsingController());
}

TEST_F(EditBehaviour, HotTrackTurnedOnShowsTheFrameOnAllSides)
{
    auto* e = Make();
    e->SetFrameSides(SideBit(sdTop));
    e->SetFrameHotTrack(true);
    EXPECT_TRUE(e->FrameVisible());
    EXPECT_EQ(e->FrameSides(), kAllSides);
}

// Enter in a field with TabOnEnter moves on as Tab does and is not typed.
TEST_F(EditBehaviour, EnterMovesOnLikeTab)
{
    struct Case {
        const char* name;
        std::function<QWidget*(QWidget*)> make;
        std::function<QString(QWidget*)> text;
    };
    const Case cases[] = {
        {"edit", [](QWidget* p) {
             auto* e = new TFcEdit(p);
             e->SetTabOnEnter(true);
             return e;
         },
         [](QWidget* w) { return static_cast<TFcEdit*>(w)->text(); }},
        {"memo", [](QWidget* p) {
             auto* m = new TFcMemo(p);
             m->SetTabOnEnter(true);
             return m;
         },
         [](QWidget* w) { return static_cast<TFcMemo*>(w)->toPlainText(); }},
        {"rich edit", [](QWidget* p) {
             auto* m = new TFcRichEdit(p);
             m->SetTabOnEnter(true);
             return m;
         },
         [](QWidget* w) { return static_cast<TFcRichEdit*>(w)->toPlainText(); }},
    };
    for (const Case& c : cases) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(std::string(c.name) + (key == Qt::Key_Return ? " return" : " enter"));
            auto* before = new QLineEdit(&host);
            QWidget* field = c.make(&host);
            auto* after = new QLineEdit(&host);
            for (QWidget* w : {static_cast<QWidget*>(before), field, static_cast<QWidget*>(after)})
                w->show();
            bool returnPressed = false;
            if (auto* e = qobject_cast<QLineEdit*>(field))
                QObject::connect(e, &QLineEdit::returnPressed, [&] { returnPressed = true; });
            FocusOn(field);
            QTest::keyClick(field, 'a');
            QTest::keyClick(field, key);
            EXPECT_EQ(QApplication::focusWidget(), after);
            EXPECT_EQ(c.text(field), "a") << "the key is not typed";
            EXPECT_FALSE(returnPressed) << "the key reaches no handler";
            delete before;
            delete field;
            delete after;
        }
    }
    // Without TabOnEnter the memo takes Enter as a new line.
    auto* memo = Make<TFcMemo>(80, 40);
    FocusOn(memo);
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), memo);
    EXPECT_EQ(memo->toPlainText(), "\n");
}

// A drop-down edit that records what happens in which order.
struct DropDownEdit : EditBehaviour {
    TFcEdit* MakeDrop(bool frame = true)
    {
        auto* e = Make(80, 21);
        e->SetFrameVisible(frame);
        e->SetDropButtonVisible(true);
        e->OnDropDown = [this](TFcCustomEdit* edit) {
            log.push_back(std::string("drop down, button ") + (edit->ButtonState() == bsDown ? "down" : "up") +
                          (edit->DroppingDown() ? ", dropping" : ""));
        };
        e->OnCloseUp = [this](TFcCustomEdit* edit) {
            log.push_back(std::string("close up, button ") + (edit->ButtonState() == bsDown ? "down" : "up"));
        };
        return e;
    }
    std::vector<std::string> log;
};

TEST_F(DropDownEdit, ButtonTakesItsWidthFromTheTextOnTheReadingSide)
{
    const int extent = host.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    struct Case {
        const char* name;
        Qt::LayoutDirection direction;
        bool frame;
        QMargins margins;
        int buttonLeft;
    };
    const Case cases[] = {
        {"left to right, library frame", Qt::LeftToRight, true, {2, 2, 2 + extent, 2}, 80 - 2 - extent},
        {"right to left, library frame", Qt::RightToLeft, true, {2 + extent, 2, 2, 2}, 2},
        {"left to right, own frame", Qt::LeftToRight, false, {0, 0, extent, 0}, 80 - 2 - extent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* e = Make(80, 21);
        e->setLayoutDirection(c.direction);
        e->SetFrameVisible(c.frame);
        e->SetDropButtonVisible(true);
        EXPECT_EQ(e->textMargins(), c.margins);
        EXPECT_EQ(e->DropButton()->geometry(), QRect(c.buttonLeft, 2, extent, 17));
        e->SetDropButtonVisible(false);
        EXPECT_EQ(e->DropButton(), nullptr);
        EXPECT_EQ(e->textMargins().right() + e->textMargins().left(), c.frame ? 4 : 0);
        delete e;
    }
}

TEST_F(DropDownEdit, ArrowCursorOverTheButtonAndTheIBeamElsewhere)
{
    TFcEdit* e = MakeDrop();
    EXPECT_EQ(e->cursor().shape(), Qt::IBeamCursor);
    EXPECT_EQ(e->DropButton()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(e->childAt(e->DropButton()->geometry().center()), e->DropButton())
        << "the frame overlay lets the mouse through to the button";
}

TEST_F(DropDownEdit, PressesOnTheButton)
{
    struct Case {
        const char* name;
        std::function<void(QWidget*)> press;
        bool dropsDown;
    };
    const Case cases[] = {
        {"left press", [](QWidget* b) { QTest::mousePress(b, Qt::LeftButton); }, true},
        {"double click", [](QWidget* b) { QTest::mouseDClick(b, Qt::LeftButton); }, true},
        {"right press is swallowed", [](QWidget* b) {
             QTest::mousePress(b, Qt::RightButton);
             QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2));
             QApplication::sendEvent(b, &menu);
         },
         false},
    };
    auto* other = new QLineEdit(&host);
    other->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcEdit* e = MakeDrop();
        FocusOn(other);
        log.clear();
        int menus = 0;
        struct MenuCounter : QObject {
            int& n;
            explicit MenuCounter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* ev) override
            {
                n += ev->type() == QEvent::ContextMenu;
                return false;
            }
        } counter(menus);
        e->installEventFilter(&counter);
        c.press(e->DropButton());
        EXPECT_EQ(!log.empty(), c.dropsDown);
        if (c.dropsDown)
            EXPECT_TRUE(e->hasFocus()) << "a drop-down takes the focus";
        EXPECT_EQ(menus, 0) << "the edit's menu stays away from the button";
        e->removeEventFilter(&counter);
        QTest::mouseRelease(e->DropButton(), c.name[0] == 'r' ? Qt::RightButton : Qt::LeftButton);
        EXPECT_EQ(e->ButtonState(), bsUp);
        delete e;
    }
}

TEST_F(DropDownEdit, DropDownKeepsItsOrder)
{
    TFcEdit* e = MakeDrop();
    e->DoDropDown();
    EXPECT_EQ(log, (std::vector<std::string>{"drop down, button down, dropping", "close up, button down"}));
    EXPECT_EQ(e->ButtonState(), bsUp);
    EXPECT_FALSE(e->DroppingDown());
    // Without the button nothing drops down.
    log.clear();
    e->SetDropButtonVisible(false);
    e->DoDropDown();
    EXPECT_TRUE(log.empty());
}

TEST_F(DropDownEdit, AltDownDropsDownAndGoesNoFurther)
{
    TFcEdit* e = MakeDrop();
    int keysAtHost = 0;
    struct Counter : QObject {
        int& n;
        explicit Counter(int& count) : n(count) {}
        bool eventFilter(QObject*, QEvent* ev) override
        {
            n += ev->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(ev)->key() == Qt::Key_Down;
            return false;
        }
    } counter(keysAtHost);
    host.installEventFilter(&counter);
    FocusOn(e);
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_TRUE(log.empty()) << "plain Down does not drop down";
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(log.size(), 2u);
    const int afterAltDown = keysAtHost;
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(keysAtHost, afterAltDown) << "the key is not passed to the window";
    host.removeEventFilter(&counter);
}

TEST_F(DropDownEdit, ADropDownThatThrowsLeavesTheButtonDownUntilReleased)
{
    struct Case {
        const char* name;
        std::function<void(DropDownEdit*, TFcEdit*)> cancel;
    };
    const Case cases[] = {
        {"mouse release", [](DropDownEdit*, TFcEdit* e) { QTest::mouseRelease(e->DropButton(), Qt::LeftButton); }},
        {"focus loss", [](DropDownEdit* t, TFcEdit*) {
             auto* other = new QLineEdit(&t->host);
             other->show();
             t->FocusOn(other);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFcEdit* e = MakeDrop();
        FocusOn(e);
        e->OnDropDown = [](TFcCustomEdit*) { throw std::runtime_error("no calendar"); };
        EXPECT_THROW(e->DoDropDown(), std::runtime_error);
        EXPECT_FALSE(e->DroppingDown()) << "the dropping flag is cleared on the way out";
        EXPECT_EQ(e->ButtonState(), bsDown);
        c.cancel(this, e);
        EXPECT_EQ(e->ButtonState(), bsUp);
        delete e;
    }
}

class CheckedEdit : public TFcEdit {
public:
    using TFcEdit::TFcEdit;
    using TFcCustomEdit::ValidateError;
};

TEST_F(EditBehaviour, ValidationErrorCarriesTheHandlersMessage)
{
    auto* e = new CheckedEdit(&host);
    e->OnValidateError = [](TFcCustomEdit*, QString& message) {
        EXPECT_TRUE(message.isEmpty()) << "the handler starts from an empty message";
        message = "Enter a job number";
    };
    try {
        e->ValidateError();
        FAIL() << "no error raised";
    } catch (const EFcEditError& error) {
        EXPECT_STREQ(error.what(), "Enter a job number");
    }
    e->OnValidateError = nullptr;
    EXPECT_THROW(e->ValidateError(), EFcEditError) << "without a message the edit's own error";
}

TEST_F(EditBehaviour, TextThroughGetTextAndSetText)
{
    auto* e = Make();
    e->SetText("Kitchen refit");
    EXPECT_EQ(e->GetText(), "Kitchen refit");
    EXPECT_EQ(e->text(), "Kitchen refit");
}

TEST_F(EditBehaviour, MouseEntryAndExitReachTheEvents)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        QWidget* w = kind.make(&host);
        w->show();
        std::vector<std::string> log;
        Framed(w).OnMouseEnter = [&](QWidget* sender) { log.push_back(sender == w ? "enter" : "?"); };
        Framed(w).OnMouseLeave = [&](QWidget* sender) { log.push_back(sender == w ? "leave" : "?"); };
        Hover(w);
        EXPECT_TRUE(Framed(w).Framing().MouseOver());
        Unhover(w);
        EXPECT_FALSE(Framed(w).Framing().MouseOver());
        EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
        delete w;
    }
}

}  // namespace
}  // namespace tw::controls
