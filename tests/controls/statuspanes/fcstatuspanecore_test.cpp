// The status panes' logic without widgets: the shared polling list (one
// interval for all, visible members only, made by the first and freed with
// the last), the insert state, the key captions, the memory figures, the
// marquee's cycle and the version values.

#include "../testapplication.h"

#include "controls/statuspanes/fckeystate.h"
#include "controls/statuspanes/fcmarqueecycle.h"
#include "controls/statuspanes/fcmemorystatus.h"
#include "controls/statuspanes/fcpollinglist.h"
#include "controls/statuspanes/fcversioninfo.h"
#include "platform/datetime/localetexts.h"

#include <QCoreApplication>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace tw::controls {
namespace {

struct Client : IFcPollingClient {
    bool visible = true;
    int ticks = 0;
    bool PollingVisible() const override { return visible; }
    void TimerExpired() override { ++ticks; }
};

TEST(PollingList, SharedByEveryPaneAndFreedWithTheLast)
{
    testing::TestApplication();
    ASSERT_EQ(TFcPollingList::Instance(), nullptr);
    Client a, b, hidden;
    hidden.visible = false;
    TFcPollingList::Join(&a);
    TFcPollingList* list = TFcPollingList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->GetActive());
    EXPECT_EQ(list->GetInterval(), 500);
    TFcPollingList::Join(&b);
    TFcPollingList::Join(&hidden);
    TFcPollingList::Join(&a);
    EXPECT_EQ(list->GetCount(), 3);
    // Two panes, two intervals set: the last one holds for both.
    TFcPollingList::Instance()->SetInterval(250);
    TFcPollingList::Instance()->SetInterval(1000);
    EXPECT_EQ(list->GetInterval(), 1000);
    list->Tick();
    list->Tick();
    EXPECT_EQ(a.ticks, 2);
    EXPECT_EQ(b.ticks, 2);
    EXPECT_EQ(hidden.ticks, 0);
    list->SetActive(false);
    EXPECT_FALSE(list->GetActive());
    TFcPollingList::Leave(&a);
    TFcPollingList::Leave(&hidden);
    EXPECT_EQ(TFcPollingList::Instance(), list);
    TFcPollingList::Leave(&b);
    EXPECT_EQ(TFcPollingList::Instance(), nullptr);
    TFcPollingList::Leave(&b);  // leaving twice is harmless
}

TEST(KeyState, CaptionsAndInsertState)
{
    const TFcKeyStrings s;
    struct Case {
        TFcToggleKey key;
        TFcToggleState state;
        TFcInsertState insert;
        const char* caption;
    };
    for (const Case& c : {Case{tkCapsLock, tsOff, isInsert, ""}, Case{tkCapsLock, tsOn, isInsert, "CAPS"},
                          Case{tkNumLock, tsOn, isInsert, "NUM"}, Case{tkScrollLock, tsOn, isOverwrite, "SCR"},
                          Case{tkScrollLock, tsOff, isOverwrite, ""}, Case{tkInsert, tsOff, isInsert, "Insert"},
                          Case{tkInsert, tsOn, isOverwrite, "Overwrite"}})
        EXPECT_EQ(KeyPaneCaption(c.key, c.state, c.insert, s), c.caption) << c.key;
    // Loaded as overwrite: shown until Insert is pressed once, then insert.
    EXPECT_EQ(InsertStateFor(1, 1, isOverwrite), isOverwrite);
    EXPECT_EQ(InsertStateFor(0, 1, isOverwrite), isInsert);
    EXPECT_EQ(InsertStateFor(1, 0, isInsert), isOverwrite);
    // Off X11 the lock keys are unknown.
    testing::TestApplication();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        EXPECT_FALSE(ReadLockKeyIndicator(tkCapsLock).has_value());
    EXPECT_FALSE(ReadLockKeyIndicator(tkInsert).has_value());
}

TEST(MemoryStatus, PageFileIsMemoryAndSwapTogether)
{
    TFcMemoryStatus s;
    ASSERT_TRUE(ParseMemInfo("MemTotal:        8000000 kB\nMemFree:  100 kB\nMemAvailable:    2000000 kB\n"
                             "SwapTotal:       2000000 kB\nSwapFree:        1000000 kB\n",
                             s));
    EXPECT_EQ(s.FreeKb(), 3000000u);
    EXPECT_EQ(s.FreePercent(), 30);
    // Without swap, and on a kernel without MemAvailable.
    ASSERT_TRUE(ParseMemInfo("MemTotal: 1000 kB\nMemFree: 333 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n", s));
    EXPECT_EQ(s.FreeKb(), 333u);
    EXPECT_EQ(s.FreePercent(), 33);
    EXPECT_FALSE(ParseMemInfo("garbage", s));
    EXPECT_EQ(s.FreePercent(), 0);
    const TFcMemoryStatus now = ReadMemoryStatus();
    EXPECT_GT(now.TotalKb, 0u);
    EXPECT_GE(now.FreePercent(), 0);
    EXPECT_LE(now.FreePercent(), 100);
    tw::locale::PinLocale("en_US");
    EXPECT_EQ(FreeMemoryText(1234567), "1,234,567 KB");
    EXPECT_EQ(GetFreeSystemResources(0), 0);
}

TEST(MarqueeCycle, RepeatsAfterCaptionPlusPaneWidth)
{
    TFcMarqueeCycle cycle{0, 60 + 100};
    int restartTick = 0;
    for (int tick = 1; tick <= 400 && restartTick == 0; ++tick)
        if (cycle.Advance(1))
            restartTick = tick;
    EXPECT_EQ(restartTick, 160);
    TFcMarqueeCycle zero{0, 10};
    zero.Advance(0);
    EXPECT_EQ(zero.Position, 1);
    // The caption keeps its position when the cycle is recomputed.
    TFcMarqueeCycle longer{50, 160};
    longer.Length = 300;
    EXPECT_FALSE(longer.Advance(1));
    EXPECT_EQ(longer.Position, 51);
    EXPECT_EQ(MarqueeTextX(stRightToLeft, 100, 0, 60), 100);
    EXPECT_EQ(MarqueeTextX(stLeftToRight, 100, 10, 60), -50);
    EXPECT_FALSE(MarqueeTimerRuns(false, stRightToLeft));
    EXPECT_FALSE(MarqueeTimerRuns(true, stNone));
    EXPECT_TRUE(MarqueeTimerRuns(true, stLeftToRight));
}

struct Follower : IFcVersionInfoFollower {
    int updates = 0;
    void UpdateCaption() override { ++updates; }
};

TEST(VersionInfo, OwnFileFromTheBuildAndOtherFilesNotAvailable)
{
    testing::TestApplication();
    TFcVersionInfo info;
    EXPECT_TRUE(info.HasVersionInfo());
    EXPECT_EQ(info.GetVerField(vifProductName), "Tarnwick");
    EXPECT_FALSE(info.GetVerField(vifProductVersion).isEmpty());
    EXPECT_EQ(info.GetVerField(vifFileVersion), info.GetVerField(vifProductVersion));
    EXPECT_EQ(info.GetField(42), "");
    Follower a, b;
    info.AddStatus(&a);
    info.AddStatus(&b);
    info.AddStatus(&a);
    EXPECT_EQ(info.FollowerCount(), 2);
    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    info.SetFilePath(other.fileName());
    EXPECT_FALSE(info.HasVersionInfo());
    for (int f = 0; f < kVersionFieldCount; ++f)
        EXPECT_EQ(info.GetField(f), "Value Not Available") << f;
    EXPECT_EQ(a.updates, 1);
    EXPECT_EQ(b.updates, 1);
    info.SetFilePath(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(info.HasVersionInfo());
    info.RemoveStatus(&a);
    info.RemoveStatus(&b);
    EXPECT_EQ(info.FollowerCount(), 0);
}

}  // namespace
}  // namespace tw::controls
