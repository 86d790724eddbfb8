#include "app/databasenames.h"

#include "app/windowlayout.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "platform/db/types.h"
#include "platform/registry/registry.h"
#include "testfolder.h"

#include <fstream>
#include <stdexcept>

namespace tw::app {
namespace {

TEST(DatabaseNameRulesTest, ReservedNamesAreComparedExactlyAndDifferByDialogAndAction)
{
    const DatabaseNameRules& schedule = ScheduleDatabaseRules();
    const DatabaseNameRules& estimating = EstimatingDatabaseRules();
    const struct {
        const char* name;
        bool scheduleSwitch;
        bool scheduleCreate;
        bool estimating;
    } cases[] = {
        {"scheduler", true, true, true},   {"estimator", true, true, true},
        {"Parameters", true, true, true},  {"TWDbRestore", true, true, true},
        {"DOZOrez", false, true, true},    {"Tarnwick1", false, true, true},
        {"Quillmark1", true, true, false}, {"TWUXData", true, true, true},
        {"dozorez", false, false, false},  {"Scheduler", false, false, false},
        {"VAZOdiz", false, false, false},  {"", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsReservedName(schedule.SwitchReserved, c.name), c.scheduleSwitch) << c.name;
        EXPECT_EQ(IsReservedName(schedule.CreateReserved, c.name), c.scheduleCreate) << c.name;
        EXPECT_EQ(IsReservedName(estimating.SwitchReserved, c.name), c.estimating) << c.name;
        EXPECT_EQ(IsReservedName(estimating.CreateReserved, c.name), c.estimating) << c.name;
    }
    EXPECT_EQ(schedule.RegistryValue, "TW alias name");
    EXPECT_EQ(estimating.RegistryValue, "QM alias name");
}

// Records what a switch did to the program: the calls in order, with the
// database's name and folder as the tables would have found them.
class RecordingHost : public DatabaseSwitchHost {
public:
    DatabaseInUse Current{"Old", "/old/folder"};
    QStringList Calls;
    bool FailRebuildingOpen = false;

    DatabaseInUse InUse() const override { return Current; }
    void SetInUse(const DatabaseInUse& inUse) override { Current = inUse; }
    void CloseAllTables() override { Calls << "close"; }
    void OpenAllTables(bool rebuildAllowed) override
    {
        Calls << QStringLiteral("open(%1) %2 %3").arg(rebuildAllowed).arg(Current.Alias, Current.Folder);
        if (rebuildAllowed && FailRebuildingOpen)
            throw std::runtime_error("table damaged");
    }
};

class DatabaseSwitchTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        session_ = std::make_unique<db::AliasConfig>((dir_ / "aliases.conf").string());
        AddFolder("Old", "old", nullptr);
        AddFolder("Upper", "upper", "ICharts.dbf");
        AddFolder("Lower", "lower", "icharts.DBF");
        AddFolder("NoSchedule", "plain", "crews.dbf");
        session_->AddStandardAlias("Gone", (dir_ / "gone").string());
        session_->Save();
        database_ = std::make_unique<db::Database>("scheduler", *session_);
        database_->setAliasName("Old");
        host_.Current = {"Old", Folder("old")};

        registry::TRegistry reg = Registry();
        ASSERT_TRUE(reg.OpenKey(kVersionKey, true));
        reg.WriteString("TW alias name", "Old");
        reg.WriteString("QM alias name", "Old");
    }
    void AddFolder(const char* alias, const char* folder, const char* table)
    {
        std::filesystem::create_directories(dir_ / folder);
        if (table)
            std::ofstream(dir_ / folder / table) << "x";
        session_->AddStandardAlias(alias, (dir_ / folder).string());
    }
    QString Folder(const char* folder) const { return QString::fromStdString((dir_ / folder).string()); }
    std::string RegistryFile() const { return (dir_ / "registry.ini").string(); }
    registry::TRegistry Registry() const
    {
        registry::TRegistry reg(RegistryFile());
        reg.SetRootKey(registry::RootKey::LocalMachine);
        return reg;
    }
    // One switch from the database "Old".
    SwitchResult Switch(const DatabaseNameRules& rules, const char* chosen, bool failOpen = false)
    {
        host_.Current = {"Old", Folder("old")};
        host_.Calls.clear();
        host_.FailRebuildingOpen = failOpen;
        database_->setAliasName("Old");
        return SwitchDatabaseName(rules, chosen, *session_, *database_, host_, RegistryFile());
    }
    std::string RegistryValue(const char* name) const
    {
        registry::TRegistry reg = Registry();
        return reg.OpenKey(kVersionKey, false) ? reg.ReadString(name) : "(no key)";
    }

    std::unique_ptr<db::AliasConfig> session_;
    std::unique_ptr<db::Database> database_;
    RecordingHost host_;
};

TEST_F(DatabaseSwitchTest, ASwitchReopensTheTablesFromTheNewFolderAndKeepsTheName)
{
    const struct {
        const char* name;
        const DatabaseNameRules& rules;
        const char* chosen;
        const char* folder;
        const char* value;
        int rebuild;
    } cases[] = {
        {"schedule folder", ScheduleDatabaseRules(), "Upper", "upper", "TW alias name", 1},
        {"schedule table in another case", ScheduleDatabaseRules(), "Lower", "lower", "TW alias name", 1},
        {"estimating: any folder", EstimatingDatabaseRules(), "NoSchedule", "plain", "QM alias name", 0},
    };
    for (const auto& c : cases) {
        const SwitchResult r = Switch(c.rules, c.chosen);
        EXPECT_EQ(r.Outcome, SwitchOutcome::Switched) << c.name << ": " << r.Error.toStdString();
        EXPECT_TRUE(r.RegistryWritten) << c.name;
        EXPECT_EQ(RegistryValue(c.value), c.chosen) << c.name;
        EXPECT_EQ(database_->aliasName(), c.chosen) << c.name;
        EXPECT_EQ(host_.Current.Alias, c.chosen) << c.name;
        EXPECT_EQ(host_.Current.Folder, Folder(c.folder)) << c.name;
        EXPECT_EQ(
            host_.Calls,
            QStringList(
                {"close", QStringLiteral("open(%1) %2 %3").arg(c.rebuild).arg(c.chosen, Folder(c.folder))}))
            << c.name;
    }
}

// A failed switch must leave the program on the database it had: the name,
// the folder the tables open from, and the name kept for the next start.
TEST_F(DatabaseSwitchTest, AFailedSwitchPutsBackBothNameAndFolderAndKeepsTheRegistry)
{
    const QString reopenOld = "open(0) Old " + Folder("old");
    const struct {
        const char* name;
        const DatabaseNameRules& rules;
        const char* chosen;
        bool failOpen;
        QStringList calls;
    } cases[] = {
        {"a folder without the schedule table",
         ScheduleDatabaseRules(),
         "NoSchedule",
         false,
         {"close", "close", reopenOld}},
        {"a name whose folder is gone", ScheduleDatabaseRules(), "Gone", false, {"close", reopenOld}},
        {"a name nobody made", ScheduleDatabaseRules(), "Nobody", false, {"close", reopenOld}},
        {"tables that fail to open",
         ScheduleDatabaseRules(),
         "Upper",
         true,
         {"close", "open(1) Upper " + Folder("upper"), "close", reopenOld}},
        {"estimating: a name whose folder is gone",
         EstimatingDatabaseRules(),
         "Gone",
         false,
         {"close", reopenOld}},
    };
    for (const auto& c : cases) {
        const SwitchResult r = Switch(c.rules, c.chosen, c.failOpen);
        EXPECT_EQ(r.Outcome, SwitchOutcome::Failed) << c.name;
        EXPECT_FALSE(r.Error.isEmpty()) << c.name;
        EXPECT_FALSE(r.RegistryWritten) << c.name;
        EXPECT_EQ(host_.Current.Alias, "Old") << c.name;
        EXPECT_EQ(host_.Current.Folder, Folder("old")) << c.name;
        EXPECT_EQ(database_->aliasName(), "Old") << c.name;
        EXPECT_EQ(host_.Calls, c.calls) << c.name;
        EXPECT_EQ(RegistryValue("TW alias name"), "Old") << c.name;
        EXPECT_EQ(RegistryValue("QM alias name"), "Old") << c.name;
    }
}

TEST_F(DatabaseSwitchTest, ReservedOrEmptyNamesChangeNothing)
{
    const struct {
        const char* chosen;
        SwitchOutcome outcome;
    } cases[] = {{"TWDbRestore", SwitchOutcome::Reserved}, {"", SwitchOutcome::NothingChosen}};
    for (const auto& c : cases) {
        const SwitchResult r = Switch(ScheduleDatabaseRules(), c.chosen);
        EXPECT_EQ(r.Outcome, c.outcome) << c.chosen;
        EXPECT_TRUE(host_.Calls.isEmpty()) << c.chosen;
        EXPECT_EQ(database_->aliasName(), "Old") << c.chosen;
    }
}

TEST_F(DatabaseSwitchTest, WithoutTheVersionKeyTheSwitchHoldsButIsNotKeptAndNoKeyIsMade)
{
    std::filesystem::remove(RegistryFile());
    const SwitchResult r = Switch(ScheduleDatabaseRules(), "Upper");
    EXPECT_EQ(r.Outcome, SwitchOutcome::Switched);
    EXPECT_FALSE(r.RegistryWritten);
    EXPECT_EQ(host_.Current.Alias, "Upper");
    EXPECT_EQ(RegistryValue("TW alias name"), "(no key)");
}

TEST_F(DatabaseSwitchTest, CreateAddsOrRepointsAndRefusesReservedNamesAndTheProgramFolder)
{
    const QString program = Folder("program");
    std::filesystem::create_directories(dir_ / "program");
    const struct {
        const char* name;
        const char* alias;
        QString folder;
        CreateOutcome outcome;
    } cases[] = {
        {"a new name", "Branch", Folder("upper"), CreateOutcome::Added},
        {"an existing name", "Lower", Folder("upper"), CreateOutcome::Repointed},
        {"letter case makes no new name", "LOWER", Folder("plain"), CreateOutcome::Repointed},
        {"reserved for creation", "DOZOrez", Folder("upper"), CreateOutcome::Reserved},
        {"the program folder", "Elsewhere", program, CreateOutcome::IllegalLocation},
        {"the program folder spelt another way", "Elsewhere", program + "/../program/",
         CreateOutcome::IllegalLocation},
        {"no name", "", Folder("upper"), CreateOutcome::NothingNamed},
    };
    for (const auto& c : cases) {
        const auto before = session_->GetAliasNames();
        const CreateOutcome outcome =
            CreateDatabaseName(ScheduleDatabaseRules(), c.alias, c.folder, program, *session_);
        EXPECT_EQ(outcome, c.outcome) << c.name;
        if (outcome == CreateOutcome::Added || outcome == CreateOutcome::Repointed)
            EXPECT_EQ(db::AliasFolder(*session_, c.alias), c.folder.toStdString()) << c.name;
        else
            EXPECT_EQ(session_->GetAliasNames(), before) << c.name;
    }
    EXPECT_EQ(CreateDatabaseName(EstimatingDatabaseRules(), "dozorez", Folder("plain"), program, *session_),
              CreateOutcome::Added);
    EXPECT_THROW(CreateDatabaseName(ScheduleDatabaseRules(), "NoFolder", QString(), program, *session_),
                 db::DbError);
}

TEST_F(DatabaseSwitchTest, ABackgroundSaveTellsWhatTheSaveDid)
{
    BackgroundSave save;
    EXPECT_FALSE(save.Started());
    session_->AddStandardAlias("Saved", Folder("upper").toStdString());
    save.Start(*session_);
    EXPECT_TRUE(save.Started());
    save.Wait();
    EXPECT_TRUE(save.Finished());
    EXPECT_EQ(save.Take(), QString());
    EXPECT_FALSE(save.Started());
    EXPECT_TRUE(db::AliasConfig(session_->path()).AliasExists("Saved"));

    // The names file cannot be replaced by a folder of the same name.
    std::filesystem::remove(session_->path());
    std::filesystem::create_directories(session_->path());
    session_->AddStandardAlias("Unsaved", Folder("upper").toStdString());
    save.Start(*session_);
    save.Wait();
    EXPECT_FALSE(save.Take().isEmpty());
}

}  // namespace
}  // namespace tw::app
