// The settings store, the frame controller and the custom colours.

#include "../testapplication.h"

#include "controls/foundation/fcblinking.h"
#include "controls/foundation/fccustomcolors.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QApplication>
#include <QFileInfo>
#include <QWidget>

#include <gtest/gtest.h>

namespace tw::controls {

// A control as the library's framed controls publish their frame settings.
class FramedProbe : public QWidget {
    Q_OBJECT
public:
    enum Side { Left = 1, Top = 2, Right = 4, Bottom = 8 };
    Q_DECLARE_FLAGS(Sides, Side)
    Q_FLAG(Sides)
    Q_PROPERTY(uint Color MEMBER color)
    Q_PROPERTY(uint FocusColor MEMBER focusColor)
    Q_PROPERTY(int FrameStyle READ GetFrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(Sides FrameSides READ GetFrameSides WRITE SetFrameSides)
    Q_PROPERTY(bool FrameVisible MEMBER frameVisible)

public:
    int GetFrameStyle() const { return frameStyle; }
    void SetFrameStyle(int v)
    {
        frameStyle = v;
        ++styleWrites;
    }
    Sides GetFrameSides() const { return frameSides; }
    void SetFrameSides(Sides v) { frameSides = v; }
    uint color = 0;
    uint focusColor = 0;
    int frameStyle = -1;
    Sides frameSides;
    bool frameVisible = false;
    int styleWrites = 0;
};

// A control that only publishes a colour.
class ColourOnlyProbe : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint Color MEMBER color)
public:
    uint color = 0;
};

// A control that re-reads the settings itself.
class NotifiedProbe : public QWidget, public IFcCustomFramingNotification {
public:
    void CustomFramingChanged() override { ++notified; }
    int notified = 0;
};

namespace {

struct Settings : ::testing::Test {
    Settings() { testing::TestApplication(); }
    QTemporaryDir dir;
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(Settings, IniStoreRoundTrip)
{
    {
        TFcRegIniFile store;
        store.SetPath(File("t.ini"));
        store.WriteBool(QStringLiteral("S"), QStringLiteral("B"), true);
        store.WriteInteger(QStringLiteral("S"), QStringLiteral("I"), -42);
        store.WriteString(QStringLiteral("S"), QStringLiteral("T"), QStringLiteral("a=b; c"));
        store.WriteFloat(QStringLiteral("S"), QStringLiteral("F"), 0.1);
        store.WriteDateTime(QStringLiteral("D"), QStringLiteral("When"), EncodeDate(2024, 2, 29) + 0.75);
        store.UpdateFile();
    }
    TFcRegIniFile store;
    store.SetPath(File("t.ini"));
    EXPECT_TRUE(store.SectionExists(QStringLiteral("S")));
    EXPECT_FALSE(store.SectionExists(QStringLiteral("Nope")));
    EXPECT_TRUE(store.ValueExists(QStringLiteral("S"), QStringLiteral("I")));
    EXPECT_TRUE(store.ReadBool(QStringLiteral("S"), QStringLiteral("B"), false));
    EXPECT_EQ(store.ReadInteger(QStringLiteral("S"), QStringLiteral("I"), 0), -42);
    EXPECT_EQ(store.ReadString(QStringLiteral("S"), QStringLiteral("T"), {}), QStringLiteral("a=b; c"));
    EXPECT_DOUBLE_EQ(store.ReadFloat(QStringLiteral("S"), QStringLiteral("F"), 0), 0.1);
    EXPECT_DOUBLE_EQ(store.ReadDateTime(QStringLiteral("D"), QStringLiteral("When"), 0),
                     EncodeDate(2024, 2, 29) + 0.75);
    EXPECT_EQ(store.ReadInteger(QStringLiteral("S"), QStringLiteral("T"), 7), 7);  // not a number
    QStringList list;
    store.ReadSections(list);
    EXPECT_EQ(list, (QStringList{QStringLiteral("D"), QStringLiteral("S")}));
    store.ReadSection(QStringLiteral("S"), list);
    EXPECT_EQ(list.size(), 4);
    store.DeleteKey(QStringLiteral("S"), QStringLiteral("I"));
    EXPECT_FALSE(store.ValueExists(QStringLiteral("S"), QStringLiteral("I")));
    store.EraseSection(QStringLiteral("S"));
    EXPECT_FALSE(store.SectionExists(QStringLiteral("S")));
}

TEST_F(Settings, EmptyPathUsesTheProgramNameWithIni)
{
    TFcRegIniFile store;
    const QString program = QCoreApplication::applicationFilePath();
    EXPECT_EQ(store.FileName(),
              QFileInfo(program).path() + u'/' + QFileInfo(program).completeBaseName()
                  + QStringLiteral(".ini"));
}

TEST_F(Settings, RegistryKeyWithoutWriteAccessRefusesWrites)
{
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    TFcRegIniFile store;
    store.SetPathType(ptRegistry);
    store.SetPath(QStringLiteral("\\Software\\Tarnwick\\Test"));
    store.WriteInteger(QStringLiteral("S"), QStringLiteral("N"), 5);
    EXPECT_TRUE(store.FileName().startsWith(dir.path()));
    store.SetRegAccess(RegAccessBit(keyRead));
    EXPECT_EQ(store.ReadInteger(QStringLiteral("S"), QStringLiteral("N"), 0), 5);
    EXPECT_THROW(store.WriteInteger(QStringLiteral("S"), QStringLiteral("N"), 6), EFcError);
    EXPECT_EQ(store.ReadInteger(QStringLiteral("S"), QStringLiteral("N"), 0), 5);
    EXPECT_EQ(RegAccessMask(RegAccessBit(keyRead) | RegAccessBit(keyNotify)), 0x20019u);
    qunsetenv("XDG_CONFIG_HOME");
}

TEST_F(Settings, ControllerPushesOnlyPublishedProperties)
{
    TFcFrameController controller;
    controller.SetFrameStyle(fsLowered);
    FramedProbe framed;
    ColourOnlyProbe colourOnly;
    NotifiedProbe notified;
    controller.AddControl(&framed);
    controller.AddControl(&framed);  // registered once, pushed once
    controller.AddControl(&colourOnly);
    controller.AddControl(&notified);
    EXPECT_EQ(controller.ControlCount(), 3);
    EXPECT_EQ(framed.styleWrites, 1);
    EXPECT_EQ(framed.frameStyle, fsLowered);
    EXPECT_EQ(framed.color, clWindow);
    EXPECT_EQ(framed.frameSides, FramedProbe::Sides(0xF));
    EXPECT_EQ(colourOnly.color, clWindow);
    EXPECT_EQ(notified.notified, 1);

    controller.SetFrameSides(SideBit(sdLeft) | SideBit(sdBottom));
    EXPECT_EQ(framed.frameSides, FramedProbe::Sides(FramedProbe::Left | FramedProbe::Bottom));
    EXPECT_EQ(framed.styleWrites, 1);
}

TEST_F(Settings, ColourTakesTheFocusColourAlongOnlyWhenTheyWereEqual)
{
    TFcFrameController controller;
    FramedProbe framed;
    controller.AddControl(&framed);
    controller.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(controller.FocusColor(), RGB(1, 2, 3));
    controller.SetFocusColor(RGB(9, 9, 9));
    controller.SetColor(RGB(4, 5, 6));
    EXPECT_EQ(controller.FocusColor(), RGB(9, 9, 9));
    EXPECT_EQ(framed.color, RGB(4, 5, 6));
    EXPECT_EQ(framed.focusColor, RGB(9, 9, 9));
}

TEST_F(Settings, UpdatesWaitForTheLastEndUpdate)
{
    TFcFrameController controller;
    FramedProbe framed;
    controller.AddControl(&framed);
    controller.BeginUpdate();
    controller.SetFrameStyle(fsRaised);
    controller.SetFrameVisible(true);
    EXPECT_EQ(framed.frameStyle, fsFlat);
    controller.EndUpdate();
    EXPECT_EQ(framed.frameStyle, fsRaised);
    EXPECT_TRUE(framed.frameVisible);
    const int writes = framed.styleWrites;
    controller.EndUpdate();  // one too many: counter stays at 0, updates go on
    EXPECT_EQ(framed.styleWrites, writes + 1);
    controller.SetFrameStyle(fsBump);
    EXPECT_EQ(framed.frameStyle, fsBump);
}

TEST_F(Settings, HotTrackingShowsTheFrameOnAllSides)
{
    TFcFrameController controller;
    controller.SetFrameSides(SideBit(sdTop));
    controller.SetFrameHotTrack(true);
    EXPECT_TRUE(controller.FrameVisible());
    EXPECT_EQ(controller.FrameSides(), kAllSides);
}

TEST_F(Settings, DestroyedControlLeavesTheController)
{
    TFcFrameController controller;
    {
        FramedProbe framed;
        controller.AddControl(&framed);
        EXPECT_EQ(controller.ControlCount(), 1);
    }
    EXPECT_EQ(controller.ControlCount(), 0);
    controller.SetFrameStyle(fsRaised);  // must not touch the dead control
}

TEST_F(Settings, ControllerSaveLoadRoundTripAndDefaults)
{
    TFcFrameController controller;
    EXPECT_THROW(controller.Load(QStringLiteral("Frames")), EFcError);
    TFcRegIniFile store;
    store.SetPath(File("frames.ini"));
    controller.SetRegIniFile(&store);

    controller.SetColor(RGB(10, 20, 30));
    controller.SetFrameStyle(fsGroove);
    controller.SetFrameSides(SideBit(sdLeft) | SideBit(sdRight));
    controller.SetFramingPreference(fpCustomFraming);
    controller.Save(QStringLiteral("Frames"));

    TFcFrameController loaded;
    loaded.SetRegIniFile(&store);
    FramedProbe framed;
    loaded.AddControl(&framed);
    const int writes = framed.styleWrites;
    loaded.Load(QStringLiteral("Frames"));
    EXPECT_EQ(framed.styleWrites, writes + 1);  // one push after the whole load
    EXPECT_EQ(loaded.Color(), RGB(10, 20, 30));
    EXPECT_EQ(loaded.FrameStyle(), fsGroove);
    EXPECT_EQ(loaded.FrameSides(), SideBit(sdLeft) | SideBit(sdRight));
    EXPECT_EQ(loaded.FramingPreference(), fpCustomFraming);

    loaded.Load(QStringLiteral("Empty"));
    EXPECT_EQ(loaded.Color(), clWindow);
    EXPECT_EQ(loaded.DisabledColor(), clWindow);
    EXPECT_EQ(loaded.FrameSides(), kAllSides);
    EXPECT_EQ(loaded.FrameStyle(), fsFlat);
    EXPECT_EQ(loaded.FrameHotStyle(), fsFlatBold);
    EXPECT_EQ(loaded.FramingPreference(), fpXPThemes);
}

TEST_F(Settings, StoreDestroyedIsForgotten)
{
    TFcFrameController controller;
    {
        TFcRegIniFile store;
        controller.SetRegIniFile(&store);
    }
    EXPECT_EQ(controller.RegIniFile(), nullptr);
    EXPECT_THROW(controller.Save(QStringLiteral("x")), EFcError);
}

TEST_F(Settings, CustomColours)
{
    TFcCustomColors colours;
    ASSERT_EQ(colours.Colors().size(), 16);
    EXPECT_EQ(colours.Colors().front(), QStringLiteral("ColorA=FFFFFF"));
    EXPECT_EQ(colours.GetColorName(15), QStringLiteral("ColorP"));
    EXPECT_THROW(colours.Save(QStringLiteral("C")), EFcError);
    EXPECT_EQ(colours.Colors().size(), 16);

    colours.SetColors(
        {QStringLiteral("ColorA=ff"), QStringLiteral("ColorB=1234567"), QStringLiteral("ColorC=zz")});
    EXPECT_EQ(colours.Colors(),
              (QStringList{QStringLiteral("ColorA=0000ff"), QStringLiteral("ColorB=234567"),
                           QStringLiteral("ColorC=000000")}));
    TFcRegIniFile store;
    store.SetPath(File("colours.ini"));
    colours.SetRegIniFile(&store);
    colours.Save(QStringLiteral("Custom"));
    TFcCustomColors loaded;
    loaded.SetRegIniFile(&store);
    loaded.Load(QStringLiteral("Custom"));
    EXPECT_EQ(loaded.Colors(), colours.Colors());
}

struct BlinkProbe : IFcBlinkingControl {
    bool blinking = false;
    QList<TBlinkState> seen;
    bool GetBlinking() const override { return blinking; }
    void Blink(TBlinkState s) override { seen << s; }
};

TEST_F(Settings, BlinkingListTicksOnlyBlinkingMembersAndLivesWithThem)
{
    BlinkProbe a, b;
    a.blinking = true;
    EnsureBlinkingControls().Add(&a);
    EnsureBlinkingControls().Add(&b);
    TFcBlinkingControlsList* list = BlinkingControls();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->State(), bsOff);
    list->SetIntervalOn(300);
    list->Tick();
    list->Tick();
    EXPECT_EQ(a.seen, (QList<TBlinkState>{bsOn, bsOff}));
    EXPECT_TRUE(b.seen.isEmpty());
    EXPECT_EQ(list->Timer().interval(), 300);  // bsOff lasts the on-interval
    FreeBlinkingControlsListIfEmpty();
    EXPECT_EQ(BlinkingControls(), list);
    list->Remove(&a);
    list->Remove(&b);
    FreeBlinkingControlsListIfEmpty();
    EXPECT_EQ(BlinkingControls(), nullptr);
}

}  // namespace
}  // namespace tw::controls

#include "fcsettings_test.moc"
