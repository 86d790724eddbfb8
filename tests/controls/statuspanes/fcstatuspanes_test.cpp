// The status pane widgets: clocks sharing one interval and redrawing only on
// a change of text, key panes reading the lock keys and the Insert presses,
// the resource pane's bar and text, marquee positions, and the version
// pane's label, on small images.

#include "controls/panels/pixelart.h"

#include "controls/statuspanes/fcmarqueestatus.h"
#include "controls/statuspanes/fcpollingstatus.h"
#include "controls/statuspanes/fcversioninfostatus.h"
#include "platform/datetime/localetexts.h"

#include <QAccessible>
#include <QTemporaryFile>
#include <QTest>

namespace tw::controls {
namespace {

using testing::PixelOf;

struct Panes : testing::WidgetFixture {
    Panes() { tw::locale::PinLocale("en_US"); }
};

TEST_F(Panes, ClocksShareOneIntervalAndRedrawOnlyWhenTheTextChanges)
{
    TFcClockStatus a, b;
    a.SetInterval(250);
    b.SetInterval(750);
    EXPECT_EQ(a.Interval(), 750);
    EXPECT_EQ(TFcPollingList::Instance()->GetCount(), 2);
    TDateTime now = tw::EncodeDate(2026, 12, 11) + tw::EncodeTime(9, 30, 0, 0);
    a.OnGetDateTime = [&](TFcControl*, TDateTime& t) { t = now; };
    a.SetFormat("hh:nn");
    EXPECT_EQ(a.Caption(), "09:30");
    const int draws = a.CaptionDraws();
    a.show();
    b.show();
    int ticksB = 0;
    b.OnTimerExpired = [&](TFcControl*) { ++ticksB; };
    for (int s = 1; s < 30; ++s) {
        now = tw::EncodeDate(2026, 12, 11) + tw::EncodeTime(9, 30, s, 0);
        TFcPollingList::Instance()->Tick();
    }
    EXPECT_EQ(a.CaptionDraws(), draws);
    now = tw::EncodeDate(2026, 12, 11) + tw::EncodeTime(9, 31, 0, 0);
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(a.Caption(), "09:31");
    EXPECT_EQ(a.CaptionDraws(), draws + 1);
    EXPECT_EQ(ticksB, 30);
    // Without a format: the locale's short date and long time.
    a.SetFormat("");
    EXPECT_EQ(a.Caption(), "12/11/2026 9:31:00 AM");
}

TEST_F(Panes, KeyPanesFollowTheLockKeysAndInsertPresses)
{
    TFcLockKeyReader saved = LockKeyReader();
    bool caps = false;
    LockKeyReader() = [&](TFcToggleKey key) -> std::optional<bool> {
        if (key == tkCapsLock)
            return caps;
        return std::nullopt;
    };
    TFcKeyStatus capsPane, numPane;
    numPane.SetKey(tkNumLock);
    capsPane.show();
    numPane.show();
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(capsPane.Caption(), "");
    caps = true;
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(capsPane.Caption(), "CAPS");
    EXPECT_EQ(capsPane.State(), tsOn);
    EXPECT_EQ(numPane.Caption(), "");  // unknown shows as off

    QWidget window;
    auto* insert = new TFcKeyStatus(&window);
    insert->SetKey(tkInsert);
    insert->SetInsertState(isOverwrite);
    NotifyLoaded(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.setFocus();
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(insert->Caption(), "Overwrite");
    QTest::keyClick(&window, Qt::Key_Insert);
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(insert->Caption(), "Insert");
    QTest::keyClick(&window, Qt::Key_Insert);
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(insert->Caption(), "Overwrite");
    LockKeyReader() = saved;
}

TEST_F(Panes, ResourcePaneBarTextAndHint)
{
    TFcResourceStatus pane;
    pane.resize(60, 12);
    pane.ReadStatus = [] { return TFcMemoryStatus{500000, 1000000, 0, 0}; };
    pane.show();
    TFcPollingList::Instance()->Tick();
    EXPECT_EQ(pane.Percent(), 50);
    EXPECT_EQ(pane.Hint(), "Memory: 50%");
    pane.SetBarColor(0x0000FF);
    pane.SetBackColor(0x00FF00);
    const QImage image = pane.RenderImage();
    const TRect r = pane.GetCaptionRect();
    EXPECT_EQ(PixelOf(image, r.Left + 2, r.Top + r.Height() / 2), 0x0000FFu);
    EXPECT_EQ(PixelOf(image, r.Right - 3, r.Top + r.Height() / 2), 0x00FF00u);
    pane.SetShowPercent(true);
    pane.SetBarStyle(bsLED);
    EXPECT_FALSE(pane.ShowPercent());
    pane.ReadStatus = [] { return TFcMemoryStatus{1234567, 2469134, 0, 0}; };
    pane.SetDisplayStyle(dsText);
    pane.TimerExpired();
    EXPECT_EQ(pane.Caption(), "1,234,567 KB");
}

TEST_F(Panes, MarqueeScrollsOnlyWhileScrollingWithADirection)
{
    TFcMarqueeStatus pane;
    pane.resize(100, 16);
    pane.SetCaption("MMMM");
    EXPECT_TRUE(pane.TimerRunning());
    pane.SetScrolling(false);
    EXPECT_FALSE(pane.TimerRunning());
    pane.SetScrollType(stNone);
    pane.SetScrollType(stLeftToRight);
    EXPECT_FALSE(pane.TimerRunning());
    for (int i = 0; i < 20; ++i)
        pane.Tick();
    EXPECT_EQ(pane.Cycle().Position, 0);
    pane.SetScrollType(stRightToLeft);
    pane.SetScrollSize(0);
    EXPECT_EQ(pane.ScrollSize(), 1);
    pane.SetFontColor(clBlack);
    pane.SetFillColor(clWhite);
    // Resting right to left: the caption waits beyond the right edge.
    auto inkColumns = [&] {
        const QImage image = pane.RenderImage();
        int first = -1, last = -1;
        for (int x = 2; x < 98; ++x)
            for (int y = 2; y < 14; ++y)
                if (PixelOf(image, x, y) != clWhite && PixelOf(image, x, y) != ColorToRGB(clBtnShadow) &&
                    PixelOf(image, x, y) != ColorToRGB(clBtnFace)) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return std::pair{first, last};
    };
    EXPECT_EQ(inkColumns().first, -1);
    pane.SetScrolling(true);
    pane.SetScrollSize(30);
    pane.Tick();
    const auto at30 = inkColumns();
    EXPECT_GE(at30.first, 70);
    pane.Tick();
    const auto at60 = inkColumns();
    EXPECT_NEAR(at60.first, at30.first - 30, 1);
    // Changing the caption keeps the position and recomputes the cycle.
    const int before = pane.Cycle().Length;
    pane.SetCaption("MMMMMMMM");
    EXPECT_EQ(pane.Cycle().Position, 60);
    EXPECT_GT(pane.Cycle().Length, before);
}

TEST_F(Panes, VersionPaneShowsItsFieldAfterItsLabel)
{
    TFcVersionInfoStatus pane;
    pane.SetCaption("own");
    pane.SetField(vifFileVersion);
    EXPECT_EQ(pane.Caption(), "own");  // no component: its own caption
    auto* info = new TFcVersionInfo;
    TFcVersionInfoStatus second;
    pane.SetVersionInfo(info);
    second.SetVersionInfo(info);
    EXPECT_EQ(pane.Caption(), info->GetVerField(vifFileVersion));
    EXPECT_EQ(info->FollowerCount(), 2);
    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    info->SetFilePath(other.fileName());
    EXPECT_EQ(pane.Caption(), "Value Not Available");
    EXPECT_EQ(second.Caption(), "Value Not Available");

    pane.resize(160, 16);
    pane.SetFieldLabel("Version");
    pane.SetFieldLabelColor(0x0000FF);
    const int labelWidth = QFontMetrics(pane.font()).horizontalAdvance("Version");
    const TRect plain = second.GetCaptionRect();
    EXPECT_EQ(pane.GetCaptionRect().Left, plain.Left + labelWidth + 2 * pane.CaptionOffset());
    const QImage image = pane.RenderImage();
    int red = 0;
    for (int x = 0; x < plain.Left + labelWidth + 6; ++x)
        for (int y = 0; y < 16; ++y)
            red += PixelOf(image, x, y) == 0x0000FFu;
    EXPECT_GT(red, 5);
    delete info;
    EXPECT_EQ(pane.VersionInfo(), nullptr);
    EXPECT_EQ(second.VersionInfo(), nullptr);
}

TEST_F(Panes, ScreenReadersReadPanesAsText)
{
    TFcMarqueeStatus pane;
    pane.SetCaption("Backing up");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&pane);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), "Backing up");
}

}  // namespace
}  // namespace tw::controls
