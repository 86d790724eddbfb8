// The start-up sequence and the shutdown on real tables: a fresh user whose
// first start makes the database names, the folders and an empty schedule
// database, and later starts that reopen it.

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"

#include "pressbutton.h"
#include "app/mainscreeninterface.h"
#include "app/password.h"
#include "schedule/workcalendartab/workcalendarpage.h"
#include "data/quartergrid.h"
#include "data/textroutines.h"
#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/aliases.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "platform/registry/registry.h"
#include "testapplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <functional>

namespace tw::app {
namespace {

using testing::FreshUser;
using testing::Recorder;

class StartupTest : public ::testing::Test {
public:
    void SetUp() override { testing::TestApplication(); }

    std::string ProgramFolder() const { return user_.ProgramFolder().toStdString(); }
    std::string ScheduleFolder() const { return ProgramFolder() + "/Database"; }

    // A whole first start and shutdown, as the user of a fresh machine has it.
    void StartAndCloseOnce()
    {
        TMainScreen window;
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        window.close();
    }

    // Changes the one record of a table the way another program would.
    static void EditRecord(const std::string& folder, const char* file,
                           const std::function<void(db::Table&)>& change)
    {
        db::Table table;
        table.setFolder(folder);
        table.setTableName(file);
        table.open();
        if (table.isEmpty())
            table.append();
        else
            table.edit();
        change(table);
        table.post();
        table.close();
    }
    template <typename T>
    static T ReadField(const std::string& folder, const char* file, const std::function<T(db::Table&)>& read)
    {
        db::Table table;
        table.setFolder(folder);
        table.setTableName(file);
        table.open();
        table.first();
        const T value = read(table);
        table.close();
        return value;
    }
    // A task of the calendar for all, ending where it starts, in the working
    // copy and the shared table alike, with its assignment row.
    void PutTask(std::int32_t key, TDateTime start, float hours) const
    {
        const auto task = [&](db::Table& t) {
            t.fieldByName("CHARTSID").setAsInteger(key);
            t.fieldByName("CREWID").setAsInteger(0);
            t.fieldByName("HOURS").setAsFloat(hours);
            t.fieldByName("SD").setAsFloat(start);
            t.fieldByName("ED").setAsFloat(start);
        };
        EditRecord(ProgramFolder(), "Charts.DBF", task);
        EditRecord(ScheduleFolder(), "ICharts.DBF", task);
        EditRecord(ScheduleFolder(), "ICrews.DBF", [key](db::Table& t) {
            t.fieldByName("ICREWID").setAsInteger(1);
            t.fieldByName("CHARTSID").setAsInteger(key);
            t.fieldByName("CREWID").setAsInteger(0);
        });
    }
    // The lock record's flag as another workstation sets or clears it.
    void SetLockFlag(bool used) const
    {
        EditRecord(ScheduleFolder(), "Access.dbf",
                   [used](db::Table& t) { t.fieldByName("USE").setAsBoolean(used); });
    }
    bool LockFlag() const
    {
        return ReadField<bool>(ScheduleFolder(), "Access.dbf",
                               [](db::Table& t) { return t.fieldByName("USE").asBoolean(); });
    }
    double ParamsNumber(const char* field) const
    {
        return ReadField<double>(ProgramFolder(), "params.dbf",
                                 [field](db::Table& t) { return t.fieldByName(field).asFloat(); });
    }
    std::string RegistryValue(const char* key, const char* name) const
    {
        registry::TRegistry reg(user_.RegistryFile());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        return reg.OpenKey(key, false) ? reg.ReadString(name) : "(no key)";
    }
    void WriteRegistryValue(const char* key, const char* name, const std::string& value) const
    {
        registry::TRegistry reg(user_.RegistryFile());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        ASSERT_TRUE(reg.OpenKey(key, true));
        reg.WriteString(name, value);
    }
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const MessageBoxRequest& box : recorder_.Boxes)
            texts << box.Caption + ": " + box.Text;
        return texts;
    }

    FreshUser user_;
    Recorder recorder_;
};

TEST_F(StartupTest, AFreshMachineStartsOnANewEmptyScheduleDatabase)
{
    TMainScreen window;
    window.StartTimer();

    EXPECT_TRUE(BoxTexts().isEmpty()) << BoxTexts().join(" | ").toStdString();
    EXPECT_TRUE(window.Session().State.FirstRun);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_TRUE(window.Session().State.StartupDone);
    EXPECT_TRUE(window.Session().State.SelectionReady);
    EXPECT_FALSE(window.Session().State.QuitWithoutSaving);
    EXPECT_EQ(RegistryValue(kInstallKey, "Completed"), "Yes");

    // The three database names, each saved to the names file at once.
    const db::AliasConfig names;
    const struct {
        const char* alias;
        std::string folder;
    } aliases[] = {
        {"TWUXData", ProgramFolder()},
        {"TWDbRs", ProgramFolder() + "/Restore"},
        {"DOZOrez", ScheduleFolder()},
    };
    for (const auto& a : aliases) {
        ASSERT_TRUE(names.AliasExists(a.alias)) << a.alias;
        EXPECT_EQ(names.GetAliasParams(a.alias).front(), "PATH=" + a.folder) << a.alias;
        EXPECT_TRUE(QDir(QString::fromStdString(a.folder)).exists()) << a.alias;
    }
    EXPECT_EQ(window.Session().State.ScheduleFolder, ScheduleFolder());
    EXPECT_EQ(window.Session().State.ProgramFolder, ProgramFolder());
    EXPECT_EQ(window.TWDatabaseInUse()->text().toStdString(), "DOZOrez: " + ScheduleFolder());
    for (const char* table : {"ICharts.dbf", "customers.dbf", "calendar.dbf", "Access.dbf", "mycomp.dbf"})
        EXPECT_TRUE(db::TableExists(ScheduleFolder(), table)) << table;

    // The folders of the backups and restores are kept in the settings.
    EXPECT_EQ(window.Session().State.BackupFolder, ProgramFolder() + "/Backups");
    EXPECT_TRUE(QDir(QString::fromStdString(window.Session().State.BackupFolder)).exists());
    EXPECT_EQ(ReadField<std::string>(ProgramFolder(), "params.dbf",
                                     [](db::Table& t) { return t.fieldByName("BUDIR").asString(); }),
              ProgramFolder() + "/Backups");
    EXPECT_EQ(ReadField<std::string>(ProgramFolder(), "params.dbf",
                                     [](db::Table& t) { return t.fieldByName("RSDIR").asString(); }),
              ProgramFolder() + "/Restore");

    // A first run re-indexes; the date of it is kept.
    EXPECT_EQ(ParamsNumber("RIDATE1"), tw::Today());
    EXPECT_EQ(window.StatusText(1), "Reindexing completed");

    // Defaults of an empty settings record.
    // The default period (the start moment and a quarter hour), as the chart shows it.
    const TDateTime moment = window.Session().Flags.StartMoment;
    EXPECT_EQ(window.Session().Chart.ChartStartAt, data::RoundUpToQuarterHour(moment));
    EXPECT_EQ(window.Session().Chart.ChartEndAt, data::RoundUpToQuarterHour(moment + data::kQuarterHour));
    EXPECT_EQ(window.Session().Settings.JobStatusTexts,
              QStringList({"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"}));
    EXPECT_EQ(window.Session().Settings.Email.SmtpPort, 25);
    EXPECT_EQ(ReadField<double>(ProgramFolder(), "eparams.dbf",
                                [](db::Table& t) { return t.fieldByName("EMAILPRT").asFloat(); }),
              25);
    EXPECT_EQ(window.TabControl()->currentIndex(), TMainScreen::CustomerTabPage);
    EXPECT_EQ(window.windowTitle(), "Tarnwick");
    EXPECT_TRUE(window.Features().Calendar->Page()->Attached());

    // The poll runs, and the lock record is free again.
    EXPECT_TRUE(window.PollClock()->isActive());
    EXPECT_EQ(window.PollClock()->interval(), 15000);
    EXPECT_FALSE(window.Session().State.LockHeld);
    EXPECT_FALSE(LockFlag());
    EXPECT_FLOAT_EQ(window.Session().State.UpdateCounter, 1.1f);
}

TEST_F(StartupTest, ALaterStartIsAnOrdinaryOneOnTheSameDatabase)
{
    StartAndCloseOnce();
    EditRecord(ScheduleFolder(), "customers.dbf", [](db::Table& t) {
        t.fieldByName("CID").setAsInteger(4711);
        t.fieldByName("LAST").setAsString("Harrow");
    });
    EditRecord(ScheduleFolder(), "Access.dbf",
               [](db::Table& t) { t.fieldByName("UPDATE").setAsFloat(42.0); });
    const double lastReindex = ParamsNumber("RIDATE1");

    TMainScreen window;
    window.StartTimer();
    EXPECT_TRUE(BoxTexts().isEmpty()) << BoxTexts().join(" | ").toStdString();
    EXPECT_FALSE(window.Session().State.FirstRun);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_EQ(window.Session().State.ScheduleFolder, ScheduleFolder());
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), 1);
    // The saved customer (the only one) is selected again.
    EXPECT_EQ(window.Session().Data().CustomersTable.fieldByName("CID").asInteger(), 4711);
    EXPECT_EQ(window.Session().State.RestoreFolder, ProgramFolder() + "/Restore");
    EXPECT_EQ(window.Session().State.BackupFolder, ProgramFolder() + "/Backups");
    // Not due again on the same day.
    EXPECT_EQ(ParamsNumber("RIDATE1"), lastReindex);
    EXPECT_NE(window.StatusText(1), "Reindexing completed");
    // The change counter goes on from the shared one.
    EXPECT_FLOAT_EQ(window.Session().State.UpdateCounter, 42.0f);
    EXPECT_EQ(RegistryValue(kInstallKey, "Completed"), "Yes");
}

TEST_F(StartupTest, ADatabaseThatDoesNotOpenIsReported)
{
    const struct {
        const char* name;
        std::function<void(StartupTest&)> breakIt;
        QStringList boxes;
        bool startupGoesOn;
    } cases[] = {
        {"schedule folder gone",
         [](StartupTest& t) { QDir(QString::fromStdString(t.ScheduleFolder())).removeRecursively(); },
         {"Error: The DOZOrez database could not be opened"},
         false},
        {"schedule name unknown",
         [](StartupTest& t) { t.WriteRegistryValue(kVersionKey, "TW alias name", "Elsewhere"); },
         {"Error: The Elsewhere database could not be opened"},
         false},
        {"program folder name lost",
         [](StartupTest& t) {
             db::AliasConfig names;
             names.ModifyAlias("TWUXData", {"PATH=" + t.ProgramFolder() + "/gone"});
             names.Save();
         },
         {"Error: The parameters database could not be opened"},
         false},
        {"estimating database gone",
         [](StartupTest& t) {
             db::AliasConfig names;
             names.AddStandardAlias("Bids", t.ProgramFolder() + "/bids");
             names.Save();
             t.WriteRegistryValue(kVersionKey, "QM alias name", "Bids");
         },
         {"Error: The Bids database could not be opened"},
         true},
    };
    for (const auto& c : cases) {
        // A fresh machine for each case.
        QDir(user_.ConfigFolder()).removeRecursively();
        QDir(user_.DataFolder()).removeRecursively();
        StartAndCloseOnce();
        recorder_.Boxes.clear();
        c.breakIt(*this);

        TMainScreen window;
        window.show();
        window.StartTimer();
        QStringList boxes;
        for (const MessageBoxRequest& box : recorder_.Boxes) {
            boxes << box.Caption + ": " + box.Text;
            EXPECT_EQ(box.Icon, MessageIcon::Stop) << c.name;
            EXPECT_EQ(box.Modality, MessageModality::Application) << c.name;
        }
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(window.Session().State.StartupDone, c.startupGoesOn) << c.name;
        EXPECT_EQ(window.Session().State.TablesOpen, c.startupGoesOn) << c.name;
        // The program ends by closing its main window.
        EXPECT_EQ(window.isVisible(), c.startupGoesOn) << c.name;
        if (c.startupGoesOn) {
            EXPECT_EQ(window.Session().State.EstimatorFolder, "") << c.name;
        }
    }
}

// The lines the sample estimating database's README gives a user to paste,
// run as a shell runs them: the next start opens the sample as the Quillmark
// database, with its companies, and says nothing.
TEST_F(StartupTest, TheSampleEstimatingDatabaseIsPickedByItsReadmesLines)
{
    StartAndCloseOnce();
    QFile readme(QStringLiteral(TW_EXAMPLES_DIR "/quillmark/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("```sh\n"));
    ASSERT_GE(start, 0);
    const qsizetype end = text.indexOf(QStringLiteral("```"), start + 6);
    ASSERT_GT(end, start);
    const QString home = user_.DataFolder() + QStringLiteral("/home");
    ASSERT_TRUE(QDir().mkpath(home));
    const QString script = home + QStringLiteral("/pick.sh");
    QFile lines(script);
    ASSERT_TRUE(lines.open(QIODevice::WriteOnly));
    lines.write(text.mid(start + 6, end - start - 6).toUtf8());
    lines.close();
    const std::string command = "cd '" TW_SOURCE_DIR "' && HOME='" + home.toStdString() + "' bash -e '"
        + script.toStdString() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    TMainScreen window;
    window.show();
    window.StartTimer();
    EXPECT_EQ(BoxTexts(), QStringList());
    ASSERT_TRUE(window.Session().State.StartupDone);
    EXPECT_EQ(window.Session().State.EstimatorAlias, "QMSample");
    EXPECT_EQ(window.Session().State.EstimatorFolder, (home + QStringLiteral("/quillmark-sample")).toStdString());
    db::Table& companies = window.Session().Data().CompanyTable;
    ASSERT_TRUE(companies.active());
    EXPECT_EQ(companies.recordCount(), 3);
    companies.first();
    EXPECT_EQ(companies.fieldByName("NAME").asString(), "Alder Roofing");
    window.close();
}

TEST_F(StartupTest, TheTablesAreReindexedWhenTheLastReindexIsMoreThanFiveDaysOld)
{
    const struct {
        const char* name;
        double daysAgo;  // -1: never
        bool reindexed;
    } cases[] = {
        {"yesterday", 1, false},
        {"five days ago", 5, false},
        {"six days ago", 6, true},
        {"never", -1, true},
    };
    StartAndCloseOnce();
    for (const auto& c : cases) {
        const double lastReindex = c.daysAgo < 0 ? 0 : tw::Today() - c.daysAgo;
        EditRecord(ProgramFolder(), "params.dbf",
                   [&](db::Table& t) { t.fieldByName("RIDATE1").setAsDate(lastReindex); });
        TMainScreen window;
        window.StartTimer();
        EXPECT_EQ(ParamsNumber("RIDATE1"), c.reindexed ? tw::Today() : lastReindex) << c.name;
        EXPECT_EQ(window.StatusText(1) == "Reindexing completed", c.reindexed) << c.name;
        EXPECT_TRUE(window.Session().State.TablesOpen) << c.name;
        window.close();
    }
    EXPECT_TRUE(recorder_.Boxes.empty());
}

TEST_F(StartupTest, APasswordRequiredByTheSettingsEndsTheProgramUnlessGiven)
{
    StartAndCloseOnce();
    EditRecord(ProgramFolder(), "params.dbf", [](db::Table& t) {
        t.fieldByName("USEPASSWD").setAsBoolean(true);
        t.fieldByName("PASSWORD").setAsString(data::SwapPasswordLetters("secret"));
    });
    const struct {
        const char* name;
        const char* button;
        QStringList entries;  // each typed and then the button pressed
        bool accepted;
        int boxes;
    } cases[] = {
        {"cancelled", "Cancel", {""}, false, 0},
        {"the stored password", "Ok", {"secret"}, true, 0},
        {"the built-in password", "Ok", {"qPlaceholderSecrtz"}, true, 0},
        {"one wrong entry, then the right one", "Ok", {"Secret", "secret"}, true, 1},
        {"four wrong entries", "Ok", {"a", "b", "c", "d"}, false, 3},
    };
    for (const auto& c : cases) {
        TPassword password;
        TMainScreen window;
        window.Features().Startup->SetPasswordDialog(&password);
        recorder_.Boxes.clear();
        const int terminateBefore = recorder_.TerminateRequests;
        QTimer::singleShot(0, &password, [&password, &c] {
            for (const QString& entry : c.entries) {
                if (!password.isVisible())
                    return;
                password.PasswordEntry()->setText(entry);
                testing::PressButton(password.findChild<controls::TFcBitBtn*>(c.button));
            }
        });
        window.StartTimer();
        EXPECT_TRUE(window.Session().Flags.PasswordRequired) << c.name;
        EXPECT_EQ(window.Session().Flags.PasswordAccepted, c.accepted) << c.name;
        EXPECT_EQ(window.Session().State.QuitWithoutSaving, !c.accepted) << c.name;
        EXPECT_EQ(window.Session().State.SelectionReady, c.accepted) << c.name;
        EXPECT_EQ(window.Session().State.TablesOpen, c.accepted) << c.name;
        EXPECT_EQ(recorder_.TerminateRequests - terminateBefore, c.accepted ? 0 : 1) << c.name;
        EXPECT_EQ(static_cast<int>(recorder_.Boxes.size()), c.boxes) << c.name;
        for (const MessageBoxRequest& box : recorder_.Boxes)
            EXPECT_EQ(box.Text, "Invalid password-- try again") << c.name;
    }
}

// The program's first showing: the password comes before the main window,
// and the window appears only once the password is accepted.
TEST_F(StartupTest, ThePasswordIsAskedBeforeTheMainWindowShows)
{
    StartAndCloseOnce();
    EditRecord(ProgramFolder(), "params.dbf", [](db::Table& t) {
        t.fieldByName("USEPASSWD").setAsBoolean(true);
        t.fieldByName("PASSWORD").setAsString(data::SwapPasswordLetters("secret"));
    });
    for (const bool accepted : {true, false}) {
        TPassword password;
        TMainScreen window;
        window.Features().Startup->SetPasswordDialog(&password);
        bool windowShownBehind = true;
        QTimer::singleShot(0, &password, [&] {
            windowShownBehind = window.isVisible();
            password.PasswordEntry()->setText(accepted ? "secret" : "");
            testing::PressButton(password.findChild<controls::TFcBitBtn*>(accepted ? "Ok" : "Cancel"));
        });
        const int terminateBefore = recorder_.TerminateRequests;
        window.ShowWhenStarted();
        EXPECT_FALSE(window.isVisible()) << "nothing shows before the start-up runs";
        window.StartTimer();
        EXPECT_FALSE(windowShownBehind) << accepted;
        EXPECT_EQ(window.isVisible(), accepted);
        EXPECT_EQ(recorder_.TerminateRequests - terminateBefore, accepted ? 0 : 1);
        EXPECT_FALSE(window.StartClock()->isActive()) << "the showing after the password starts nothing again";
    }
}

// A saved chart period the chart cannot show as it stands is corrected, and
// the status bar says so once the start-up is over, whatever page it ends on.
TEST_F(StartupTest, ASavedChartPeriodThatIsCorrectedSaysSoAfterTheStartUp)
{
    const TDateTime monday = tw::EncodeDate(2027, 3, 1);
    const struct {
        TDateTime SavedStart, SavedEnd;
        int Page;
        const char* Said;
        TDateTime Start, End;
    } cases[] = {
        {monday, monday, TMainScreen::CalendarPage, "End date was set one day later", monday, monday + 1},
        {monday + 7, monday, TMainScreen::SelectPage, "Start and end dates were reversed", monday, monday + 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Said);
        StartAndCloseOnce();
        EditRecord(ProgramFolder(), "params.dbf", [&](db::Table& t) {
            t.fieldByName("CHARTSD").setAsFloat(c.SavedStart);
            t.fieldByName("CHARTED").setAsFloat(c.SavedEnd);
            t.fieldByName("PAGE").setAsInteger(c.Page);
        });
        TMainScreen window;
        window.StartTimer();
        EXPECT_EQ(window.TabControl()->currentIndex(), c.Page);
        EXPECT_EQ(window.StatusText(0), c.Said);
        EXPECT_DOUBLE_EQ(window.Session().Chart.ChartStartAt, c.Start);
        EXPECT_DOUBLE_EQ(window.Session().Chart.ChartEndAt, c.End);
        window.close();
    }
}

TEST_F(StartupTest, TheShutdownStoresTheViewAndTheNextStartRestoresIt)
{
    const TDateTime chartStart = tw::EncodeDate(2026, 3, 2) + 0.25;
    const TDateTime chartEnd = tw::EncodeDate(2026, 3, 16) + 0.75;
    {
        TMainScreen window;
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        window.TabControl()->setCurrentIndex(TMainScreen::CalendarPage);
        window.Features().Visualize->SetChartDateRange(true, chartStart, chartEnd);
        window.Session().State.HintMode = 5;
        window.Session().State.HintDetail = false;
        window.setGeometry(40, 50, 1000, 700);
        window.close();
        EXPECT_FALSE(window.Session().State.StartupDone);
        EXPECT_FALSE(window.Session().Data().ParamsTable.active());
    }
    EXPECT_EQ(ParamsNumber("PAGE"), TMainScreen::CalendarPage);
    EXPECT_EQ(ParamsNumber("CHARTSD"), chartStart);
    EXPECT_EQ(ParamsNumber("CHARTED"), chartEnd);
    EXPECT_EQ(ParamsNumber("ORGID"), 21);
    EXPECT_EQ(RegistryValue(kVersionKey, "Width"), "1000");
    EXPECT_EQ(RegistryValue(kVersionKey, "Height"), "700");
    EXPECT_FALSE(LockFlag());

    TMainScreen again;
    again.RestoreWindowLayout();
    again.StartTimer();
    EXPECT_EQ(again.TabControl()->currentIndex(), TMainScreen::CalendarPage);
    EXPECT_EQ(again.Session().Chart.ChartStartAt, chartStart);
    EXPECT_EQ(again.Session().Chart.ChartEndAt, chartEnd);
    EXPECT_EQ(again.Session().State.HintMode, 5);
    EXPECT_FALSE(again.Session().State.HintDetail);
    EXPECT_EQ(again.size(), QSize(1000, 700));
    EXPECT_TRUE(recorder_.Boxes.empty());
}

TEST_F(StartupTest, AStartWaitsForTheLockThatAnotherWorkstationHolds)
{
    StartAndCloseOnce();
    SetLockFlag(true);

    TMainScreen window;
    std::vector<int> sleeps;
    QStringList shownWhileWaiting;
    // The other workstation lets go during the first wait.
    const SleepHandler previous = SetSleepHandler([&](int milliseconds) {
        sleeps.push_back(milliseconds);
        shownWhileWaiting << window.StatusText(0);
        SetLockFlag(false);
    });
    window.StartTimer();
    SetSleepHandler(previous);

    EXPECT_EQ(sleeps, std::vector<int>({2000}));
    EXPECT_EQ(shownWhileWaiting, QStringList("Waiting for network access"));
    // The wait's text is gone; the query reports the empty customer list.
    EXPECT_EQ(window.StatusText(0), "No customers");
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_TRUE(window.Session().State.SharedTablesUsable);
    EXPECT_FALSE(LockFlag());
}

TEST_F(StartupTest, AStartTakesInWhatOtherWorkstationsChanged)
{
    StartAndCloseOnce();
    // Another workstation added item 901; item 902 was deleted there after
    // this workstation last saw it.
    EditRecord(ScheduleFolder(), "ICharts.DBF", [](db::Table& t) {
        t.fieldByName("CHARTSID").setAsInteger(901);
        t.fieldByName("DESC").setAsString("Gutters");
        t.fieldByName("UPDATE").setAsFloat(7.0);
    });
    EditRecord(ProgramFolder(), "Charts.DBF", [](db::Table& t) {
        t.fieldByName("CHARTSID").setAsInteger(902);
        t.fieldByName("DESC").setAsString("Fence");
        t.fieldByName("UPDATE").setAsFloat(3.0);
    });

    TMainScreen window;
    window.StartTimer();
    EXPECT_TRUE(recorder_.Boxes.empty()) << BoxTexts().join(" | ").toStdString();
    db::Table& working = window.Session().Data().ChartsTable3;
    working.refresh();
    std::vector<std::int32_t> keys;
    for (working.first(); !working.eof(); working.next())
        keys.push_back(working.fieldByName("CHARTSID").asInteger());
    EXPECT_EQ(keys, std::vector<std::int32_t>({901}));
    EXPECT_TRUE(window.PollClock()->isActive());
}

TEST_F(StartupTest, SavingTheWorkCalendarLaysEveryTaskOntoItAgain)
{
    StartAndCloseOnce();
    const TDateTime monday8 = tw::EncodeDate(2026, 3, 2) + 8.0 / 24;
    // A nine-hour task that ends where it starts, in step with the shared copy.
    PutTask(903, monday8, 9);

    TMainScreen window;
    window.StartTimer();
    window.Features().Calendar->Page()->CalendarOkClick();
    EXPECT_EQ(window.StatusText(1), "Work calendar saved");
    const double end = ReadField<double>(ProgramFolder(), "Charts.DBF",
                                         [](db::Table& t) { return t.fieldByName("ED").asFloat(); });
    EXPECT_GT(end, monday8);
    // The task grid's hours come from the same calendar.
    data::TEstimateData& d = window.Session().Data();
    ASSERT_TRUE(d.ChartsTable.locate("CHARTSID", db::Value(903.0)));
    EXPECT_FLOAT_EQ(d.ChartsTableCalcFields().cHours, 9.0f);
    EXPECT_TRUE(recorder_.Boxes.empty()) << BoxTexts().join(" | ").toStdString();
}

// Holidays are dates in holidays.dbf and stay dates: whatever the locale the
// program runs under (the ctest runs of LocaleRuns set LANG to C.UTF-8,
// de_DE.UTF-8 and en_US.UTF-8), a holiday keeps a task off its day.
TEST_F(StartupTest, LocaleRunsHolidaysHoldWhateverTheLocale)
{
    tw::locale::PinLocale("");  // the locale the process was started under
    StartAndCloseOnce();
    const TDateTime tuesday = tw::EncodeDate(2027, 3, 23);
    const TDateTime start = tuesday + 10.0 / 24;
    PutTask(904, start, 1);
    EditRecord(ScheduleFolder(), "holidays.dbf", [&](db::Table& t) {
        t.fieldByName("HOLIID").setAsInteger(1);
        t.fieldByName("DATE").setAsDate(tuesday);
    });

    TMainScreen window;
    window.StartTimer();
    EXPECT_EQ(window.Session().Holidays.Days(), std::vector<std::int64_t>{static_cast<std::int64_t>(tuesday)});
    window.Features().Calendar->Page()->CalendarOkClick();
    const double end = ReadField<double>(ProgramFolder(), "Charts.DBF",
                                         [](db::Table& t) { return t.fieldByName("ED").asFloat(); });
    EXPECT_EQ(std::floor(end), tuesday + 1) << "the task waits for the day after the holiday";
    EXPECT_TRUE(recorder_.Boxes.empty()) << BoxTexts().join(" | ").toStdString();
    tw::locale::PinLocale("en_US");
}

// A backup and a restore killed in an earlier run left their work files; the
// next start removes them and says so, leaving a link of that name, the
// work of a live run and a planted restore journal alone (the journal is
// refused naming it, and nothing it names moves).
TEST_F(StartupTest, AStartRemovesWhatAKilledBackupOrRestoreLeft)
{
    StartAndCloseOnce();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);  // a process number whose run is over
    const std::string dead = std::to_string(child), self = std::to_string(::getpid());
    const std::string backups = ProgramFolder() + "/Backups", restore = ProgramFolder() + "/Restore";
    const std::string outside = ProgramFolder() + "/outside";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(restore + "/restore." + dead + ".AbC123")));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(outside)));
    const auto write = [](const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    };
    write(restore + "/restore." + dead + ".AbC123/customers.dbf", std::string(3000, 'c'));
    write(backups + "/Sched_1_1_2027.zip." + dead + ".1.tmp", std::string(5000, 'z'));
    write(backups + "/Live_1_1_2027.zip." + self + ".1.tmp", "a live run's");
    write(outside + "/archive.zip", "outside");
    ASSERT_TRUE(QFile::link(QString::fromStdString(outside + "/archive.zip"),
                            QString::fromStdString(backups + "/Old_1_1_2027.zip." + dead + ".2.tmp")));
    // A journal that names the schedule's own subfolder as its staging folder.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(ScheduleFolder() + "/Database")));
    write(ScheduleFolder() + "/Database/customers.dbf", "planted");
    write(ScheduleFolder() + "/twrestore.twswap", "TWSWAP 1\tDatabase\nmove\tcustomers.dbf\tcustomers.dbf\nend\n");

    TMainScreen window;
    window.StartTimer();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(restore + "/restore." + dead + ".AbC123")));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(backups + "/Sched_1_1_2027.zip." + dead + ".1.tmp")));
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(backups + "/Live_1_1_2027.zip." + self + ".1.tmp")));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(backups + "/Old_1_1_2027.zip." + dead + ".2.tmp")).isSymLink());
    QFile kept(QString::fromStdString(outside + "/archive.zip"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("outside"));
    EXPECT_EQ(window.StatusText(2),
              QString::fromStdString("Removed Sched_1_1_2027.zip." + dead + ".1.tmp and restore." + dead
                                     + ".AbC123, left by an interrupted backup or restore"));

    // The journal: named in a box, and the subfolder and the live table as they were.
    ASSERT_EQ(recorder_.Boxes.size(), 1) << BoxTexts().join(" | ").toStdString();
    EXPECT_EQ(recorder_.Boxes[0].Caption, "Error");
    EXPECT_TRUE(recorder_.Boxes[0].Text.contains(QString::fromStdString(ScheduleFolder() + "/twrestore.twswap")))
        << recorder_.Boxes[0].Text.toStdString();
    QFile planted(QString::fromStdString(ScheduleFolder() + "/Database/customers.dbf"));
    ASSERT_TRUE(planted.open(QIODevice::ReadOnly));
    EXPECT_EQ(planted.readAll(), QByteArray("planted"));
    EXPECT_TRUE(window.Session().State.TablesOpen);
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), 0);
}

// Every shared-table operation gives the lock back itself; the shutdown
// releases only a lock this copy still holds, and never another copy's.
TEST_F(StartupTest, TheShutdownReleasesOnlyTheLockThisCopyHolds)
{
    const struct {
        const char* name;
        bool heldHere;
        bool heldElsewhere;
        bool usedAfterwards;
    } cases[] = {
        {"held by this copy", true, false, false},
        {"held by another copy", false, true, true},
        {"free", false, false, false},
    };
    StartAndCloseOnce();
    for (const auto& c : cases) {
        TMainScreen window;
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen) << c.name;
        if (c.heldHere) {
            ASSERT_TRUE(window.Session().Lock().UpdateAccessRecord(true)) << c.name;
        }
        if (c.heldElsewhere)
            SetLockFlag(true);
        // The backup at exit would wait its bounded while for the other copy
        // (exitbackupwindow_test.cpp tries that); here only the lock counts.
        window.Session().Flags.NoAutoBackup = c.heldElsewhere;
        window.close();
        EXPECT_FALSE(window.Session().State.LockHeld) << c.name;
        EXPECT_EQ(LockFlag(), c.usedAfterwards) << c.name;
        SetLockFlag(false);
    }
}

// The copy's read-only setting is read before the tables open, so that the
// views the user edits open read-only and no re-index rewrites the tables.
TEST_F(StartupTest, AReadOnlyCopyOpensTheEditedViewsReadOnly)
{
    StartAndCloseOnce();
    EditRecord(ProgramFolder(), "params.dbf", [](db::Table& t) {
        t.fieldByName("USEPOSTAL").setAsBoolean(true);
        t.fieldByName("RIDATE1").setAsDate(0);
    });
    TMainScreen window;
    window.StartTimer();
    data::TEstimateData& d = window.Session().Data();
    EXPECT_TRUE(window.Session().State.ReadOnlyCopy);
    EXPECT_TRUE(window.Session().State.TablesOpen);
    for (db::Table* view : {&d.ChartsTable, &d.CustomersTable, &d.JobsTable, &d.CrewsTable,
                            &d.CustomFieldsTable, &d.CustomFieldsTable2})
        EXPECT_TRUE(view->readOnly()) << view->tableName();
    for (db::Table* other : {&d.ChartsTable3, &d.CustomersTable3, &d.CrewsTable2})
        EXPECT_FALSE(other->readOnly()) << other->tableName();
    EXPECT_EQ(ParamsNumber("RIDATE1"), 0);
    window.close();
    EXPECT_EQ(ParamsNumber("USEPOSTAL"), 1);
}

}  // namespace
}  // namespace tw::app
