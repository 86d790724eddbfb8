// The tab controls driven as a user drives them (QTest mouse and keys through
// a window with the form's key routing), and as assistive technology sees them.

#include "tabwidgetfixture.h"

#include "controls/base/fcformkeys.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/tabs/fctabscroller.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QTest>

namespace tw::controls::testing {
namespace {

QPoint CentreOf(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 + 2};
}

// A window with a page control of three pages, each holding a line edit.
struct PagesFixture : TabWidgetFixture {
    QWidget window;
    TFcPageControl* pages = new TFcPageControl(&window);
    std::vector<TFcTabSheet*> sheets;
    std::vector<QLineEdit*> edits;
    int changes = 0;

    PagesFixture()
    {
        window.resize(320, 200);
        pages->setGeometry(0, 0, 300, 180);
        for (const char* caption : {"&Customer", "Sch&edule", "&Utilities"}) {
            auto* sheet = new TFcTabSheet(pages);
            sheet->SetCaption(QString::fromUtf8(caption));
            sheet->setObjectName(QString::fromUtf8(caption).remove('&'));
            edits.push_back(new QLineEdit(sheet));
            sheets.push_back(sheet);
        }
        pages->OnChange = [this](TFcCustomTabControl*) { ++changes; };
        pages->SetActivePage(sheets[0]);
        TFcFormKeys::Install(&window);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Click(int tab) { QTest::mouseClick(pages, Qt::LeftButton, {}, CentreOf(pages->TabRect(tab))); }
    // Exactly the active page is shown.
    void ExpectShown(TFcTabSheet* page)
    {
        EXPECT_EQ(pages->ActivePage(), page);
        for (TFcTabSheet* sheet : sheets)
            EXPECT_EQ(sheet->isVisible(), sheet == page) << sheet->objectName().toStdString();
    }
};

TEST_F(PagesFixture, ClickShowsThePageAndAVetoKeepsPageAndIndex)
{
    ExpectShown(sheets[0]);
    changes = 0;
    Click(2);
    EXPECT_EQ(pages->TabIndex(), 2);
    ExpectShown(sheets[2]);
    EXPECT_EQ(changes, 1);
    // The page switches before the index changes.
    TFcTabSheet* shownWhenChanged = nullptr;
    pages->OnChange = [&](TFcCustomTabControl*) { shownWhenChanged = pages->ActivePage(); };
    pages->OnChanging = [&](TFcCustomTabControl*, int, bool& allow) { allow = false; };
    Click(1);
    EXPECT_EQ(pages->TabIndex(), 2);
    ExpectShown(sheets[2]);
    EXPECT_EQ(shownWhenChanged, nullptr);
    pages->OnChanging = nullptr;
    Click(1);
    EXPECT_EQ(shownWhenChanged, sheets[1]);
    // The page fills the control's display rectangle.
    const TRect d = pages->DisplayRect();
    EXPECT_EQ(sheets[1]->geometry(), QRect(d.Left, d.Top, d.Width(), d.Height()));
}

TEST_F(PagesFixture, CtrlTabStepsThroughPagesBothWaysWithWrap)
{
    edits[0]->setFocus();
    QApplication::processEvents();
    sheets[1]->SetTabVisible(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    ExpectShown(sheets[2]);  // the page with the hidden tab is passed over
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    ExpectShown(sheets[0]);  // and round to the first
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    ExpectShown(sheets[2]);
    // The focus left the old page for the new page's first control.
    EXPECT_EQ(QApplication::focusWidget(), edits[2]);
}

TEST_F(PagesFixture, AcceleratorSelectsItsTab)
{
    edits[0]->setFocus();
    QApplication::processEvents();
    QTest::keyClick(edits[0], Qt::Key_E, Qt::AltModifier);
    ExpectShown(sheets[1]);
    EXPECT_TRUE(pages->hasFocus());
    EXPECT_TRUE(edits[0]->text().isEmpty());
}

TEST_F(PagesFixture, HidingTheActivePagesTabKeepsThePageShown)
{
    pages->SetActivePage(sheets[1]);
    sheets[1]->SetTabVisible(false);
    pages->RenderImage();
    EXPECT_EQ(pages->TabIndex(), -1);
    ExpectShown(sheets[1]);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    sheets[1]->SetTabVisible(true);
    pages->RenderImage();
    EXPECT_EQ(pages->TabIndex(), 1);
    ExpectShown(sheets[1]);
}

TEST_F(PagesFixture, CloseButtonClosesOnlyWhatOnCloseLetsGo)
{
    pages->SetShowCloseButton(true);
    pages->RenderImage();
    TFcTabCloseButton* close = pages->CloseButton();
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(close->isVisible());
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(pages->PageCount(), 3);  // no OnClose: nothing is closed
    bool allow = false;
    int asked = 0;
    pages->OnClose = [&](TFcCustomTabControl*, bool& ok) {
        ++asked;
        ok = allow;
    };
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pages->PageCount(), 3);
    allow = true;
    QTest::mouseClick(close, Qt::LeftButton);
    ASSERT_EQ(pages->PageCount(), 2);
    sheets.erase(sheets.begin());
    ExpectShown(sheets[0]);  // closing the first page selects the new first tab
    EXPECT_EQ(pages->TabIndex(), 0);
    // A press dragged off the box closes nothing.
    QTest::mousePress(close, Qt::LeftButton);
    QMouseEvent off(QEvent::MouseMove, QPointF(-20, -20), close->mapToGlobal(QPointF(-20, -20)), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(close, &off);
    QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(pages->PageCount(), 2);
    QTest::mouseClick(close, Qt::LeftButton);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(pages->PageCount(), 0);  // closing the only page leaves none
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->TabIndex(), -1);
}

TEST_F(PagesFixture, PageIndexOutsideTheListIsRefusedWithTheSameText)
{
    for (const int bad : {3, -1, -7}) {
        try {
            sheets[1]->SetPageIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const EFcError& e) {
            EXPECT_EQ(std::string(e.what()),
                      QStringLiteral("%1 is an invalid PageIndex value. PageIndex must be "
                                     "between 0 and 2")
                          .arg(bad)
                          .toStdString());
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sheets[static_cast<size_t>(i)]->PageIndex(), i);
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[2]);
    EXPECT_EQ(sheets[0]->TabIndex(), 1);
    EXPECT_THROW(sheets[0]->SetVisible(true), EFcError);
}

TEST_F(PagesFixture, PageColourOtherThanTheControlsTurnsColouredTabsOn)
{
    EXPECT_FALSE(pages->UseColoredTabs());
    sheets[0]->SetColor(pages->Color());
    EXPECT_FALSE(pages->UseColoredTabs());
    sheets[0]->SetColor(RGB(255, 255, 200));
    EXPECT_TRUE(pages->UseColoredTabs());
    // The card takes the shown page's colour.
    const QImage image = pages->RenderImage();
    const TRect d = pages->DisplayRect();
    EXPECT_EQ(FromRgb32(image.pixel(d.Left + 2, d.Top + 2)), RGB(255, 255, 200));
    pages->SetUseColoredTabs(false);
    EXPECT_EQ(sheets[0]->Color(), pages->Color());
}

// A collection tab control of five tabs in one window.
struct StripFixture : TabWidgetFixture {
    QWidget window;
    TFcTabControl* strip = new TFcTabControl(&window);

    StripFixture()
    {
        window.resize(320, 140);
        strip->setGeometry(0, 0, 300, 120);
        for (const char* caption : {"One", "Two", "Three", "Four", "Five"})
            strip->Tabs().Add()->SetCaption(QString::fromUtf8(caption));
        strip->SetTabIndex(0);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        strip->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(StripFixture, KeysWrapAndPassDisabledAndHiddenTabs)
{
    strip->Tabs().Items(1)->SetEnabled(false);
    strip->Tabs().Items(3)->SetVisible(false);
    int clicks = 0;
    strip->OnTabClick = [&](TFcCustomTabControl*) { ++clicks; };
    const std::vector<std::pair<Qt::Key, int>> steps = {
        {Qt::Key_Right, 2}, {Qt::Key_Down, 4}, {Qt::Key_Right, 0}, {Qt::Key_Left, 4},
        {Qt::Key_Up, 2},    {Qt::Key_Home, 0}, {Qt::Key_End, 4},
    };
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(strip, key);
        EXPECT_EQ(strip->TabIndex(), expected) << key;
    }
    EXPECT_EQ(clicks, 7);
    // Hidden items keep the other tabs' indices: tab index is item index.
    EXPECT_EQ(strip->Tab(4).Caption, QStringLiteral("Five"));
    // A veto stops the step; nothing else is selectable so the selection stays.
    strip->OnChanging = [](TFcCustomTabControl*, int, bool& allow) { allow = false; };
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(strip->TabIndex(), 4);
}

TEST_F(TabWidgetFixture, LoadedSelectsTheDefaultTabOnlyWhenNoneIsSelected)
{
    auto strip = MakeStrip({"One", "Two", "Three"});
    strip->SetTabIndexDefault(1);
    strip->Loaded();
    EXPECT_EQ(strip->TabIndex(), 1);
    strip->SetTabIndex(2);
    strip->Loaded();
    EXPECT_EQ(strip->TabIndex(), 2);
}

TEST_F(StripFixture, ClosingTheActiveTabRemovesItsItem)
{
    strip->SetShowCloseButton(true);
    strip->OnClose = [](TFcCustomTabControl*, bool& allow) { allow = true; };
    strip->SetTabIndex(2);
    strip->CloseActiveTab();
    ASSERT_EQ(strip->Tabs().Count(), 4);
    EXPECT_EQ(strip->Tabs().Items(2)->Caption(), QStringLiteral("Four"));
    strip->RenderImage();
    EXPECT_EQ(strip->TabIndex(), 2);  // the selection follows at the next paint
}

TEST_F(StripFixture, ScrollerPressDraggedOffScrollsNothing)
{
    for (const char* caption : {"Six", "Seven", "Eight", "Nine", "Ten"})
        strip->Tabs().Add()->SetCaption(QString::fromUtf8(caption));
    strip->RenderImage();
    ASSERT_TRUE(strip->ScrollerNeeded());
    TFcTabScroller* scroller = strip->Scroller();
    ASSERT_NE(scroller, nullptr);
    ASSERT_TRUE(scroller->isVisible());
    const TRect right = scroller->HalfRect(1);
    const QPoint onRight((right.Left + right.Right) / 2, (right.Top + right.Bottom) / 2);
    EXPECT_EQ(strip->FirstTabIndex(), 0);
    QTest::mousePress(scroller, Qt::LeftButton, {}, onRight);
    EXPECT_TRUE(scroller->Pressed());
    QMouseEvent off(QEvent::MouseMove, QPointF(onRight.x(), 60),
                    scroller->mapToGlobal(QPointF(onRight.x(), 60)), Qt::NoButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(scroller, &off);
    EXPECT_FALSE(scroller->Pressed());
    QTest::mouseRelease(scroller, Qt::LeftButton, {}, QPoint(onRight.x(), 60));
    EXPECT_EQ(strip->FirstTabIndex(), 0);
    // A click scrolls once; the back half is disabled at the start.
    EXPECT_FALSE(scroller->HalfEnabled(0));
    QTest::mouseClick(scroller, Qt::LeftButton, {}, onRight);
    EXPECT_EQ(strip->FirstTabIndex(), 1);
    EXPECT_TRUE(scroller->HalfEnabled(0));
    // With the close button the scroller moves c + 2 pixels further in.
    const int before = scroller->x();
    strip->SetShowCloseButton(true);
    strip->RenderImage();
    EXPECT_EQ(before - scroller->x(), strip->Layout().GetCloseButtonSize() + 2);
}

TEST_F(StripFixture, AccessibleAsAPageTabList)
{
    strip->Tabs().Items(0)->SetCaption(QStringLiteral("&One"));
    strip->Tabs().Items(1)->SetHint(QStringLiteral("The second"));
    strip->Tabs().Items(3)->SetVisible(false);
    strip->SetShowCloseButton(true);
    strip->RenderImage();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(strip);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::PageTabList);
    ASSERT_EQ(list->childCount(), 5);  // four visible tabs and the close box
    QAccessibleInterface* first = list->child(0);
    EXPECT_EQ(first->role(), QAccessible::PageTab);
    EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("One"));
    EXPECT_TRUE(first->state().selected);
    EXPECT_TRUE(first->state().focused);
    QAccessibleInterface* second = list->child(1);
    EXPECT_EQ(second->text(QAccessible::Description), QStringLiteral("The second"));
    EXPECT_FALSE(second->state().selected);
    EXPECT_EQ(list->child(3)->text(QAccessible::Name), QStringLiteral("Five"));
    EXPECT_EQ(list->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), list);
    // Pressing a page tab selects it.
    QAccessibleActionInterface* press = second->actionInterface();
    ASSERT_NE(press, nullptr);
    press->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(strip->TabIndex(), 1);
    EXPECT_TRUE(second->state().selected);
    QAccessibleInterface* close = list->child(4);
    EXPECT_EQ(close->role(), QAccessible::Button);
    const QRect box(strip->CloseButton()->mapToGlobal(QPoint(0, 0)), strip->CloseButton()->size());
    EXPECT_EQ(close->rect(), box);
}

TEST_F(PagesFixture, PageControlShowsItsActivePageToAssistiveTechnology)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(pages);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->childCount(), 4);  // three tabs and the shown page
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), QStringLiteral("Schedule"));
    EXPECT_EQ(list->child(3)->object(), sheets[0]);
    list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    ExpectShown(sheets[2]);
    EXPECT_EQ(list->child(3)->object(), sheets[2]);
}

}  // namespace
}  // namespace tw::controls::testing
