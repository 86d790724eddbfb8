// Emptying the database without its window: No deletes nothing, Yes empties
// every listed table but the company record, the shared schedule tables only
// while usable and under the lock, and a table that cannot be emptied is
// named while the program stays usable.
#include "settings/emptydatabase.h"

#include <gtest/gtest.h>

#include <memory>

#include "restorefixture.h"

namespace tw::settings::test {
namespace {

class EmptyRecordingHost : public EmptyDatabaseHost {
public:
    std::map<std::string, std::unique_ptr<db::Table>> components;
    bool answer = false;
    bool sharedUsable = true;
    int refusals = 0;  // tries of the lock refused before it is had
    bool busy = false;
    Calls calls;

    bool Question(const std::string& text, const std::string& caption) override
    {
        calls.push_back("Question " + caption + ": " + text);
        return answer;
    }
    bool SharedTablesUsable() const override { return sharedUsable; }
    db::Table& Component(const std::string& name) override { return *components.at(name); }
    void SetCalendarPanelEnabled(bool enabled) override
    {
        calls.push_back(enabled ? "CalendarPanel on" : "CalendarPanel off");
    }
    void SaveAndClearAllocations(bool) override { calls.push_back("SaveAndClearAllocations"); }
    bool UpdateAccessRecord(bool take) override
    {
        calls.push_back(take ? "TakeLock" : "ReleaseLock");
        return !take || refusals-- <= 0;
    }
    void RefreshTables() override { calls.push_back("RefreshTables"); }
    void SetChangeCounter(float value) override { calls.push_back("ChangeCounter " + std::to_string(value)); }
    void ShowDefaultCalendar() override { calls.push_back("ShowDefaultCalendar"); }
    void ReindexDatabase() override { calls.push_back("ReindexDatabase"); }
    void ShowEmptyScreens() override { calls.push_back("ShowEmptyScreens"); }
    bool& TablesBusy() override { return busy; }
};

class EmptyDatabaseTest : public RestoreFixture {
protected:
    void SetUp() override
    {
        empty_.components.clear();  // a second run starts on new tables
        RestoreFixture::SetUp();
        CreateLayoutTable(program_.string(), data::Database::Parameters, "printer.dbf");
        for (const EmptiedTable& t : EmptiedTableList()) {
            const bool program = data::FindLayout(data::Database::Parameters, t.file) != nullptr
                && std::string(t.file) != "Access.dbf";
            const std::string folder = program ? program_.string() : Db();
            auto table = std::make_unique<db::Table>();
            table->setFolder(folder);
            table->setTableName(t.file);
            empty_.components[t.component] = std::move(table);
            Put(folder, t.file, {{}, {}, {}});
        }
        Put(Db(), "mycomp.dbf", {{{"CID", 1.0}, {"MYCOMPY", std::string("Ashby Roofing")}, {"PAPERO", 1.0}}});
        auto company = std::make_unique<db::Table>();
        company->setFolder(Db());
        company->setTableName("mycomp.dbf");
        empty_.components["MyCompanyTable"] = std::move(company);
    }

    std::int64_t Count(const EmptiedTable& t)
    {
        db::Table& table = *empty_.components.at(t.component);
        db::Table reader;
        reader.setFolder(table.folder());
        reader.setTableName(t.file);
        reader.setReadOnly(true);
        reader.open();
        return reader.recordCount();
    }

    EmptyRecordingHost empty_;
};

TEST_F(EmptyDatabaseTest, NoDeletesNothing)
{
    const auto schedule = FolderBytes(db_), program = FolderBytes(program_);
    EXPECT_EQ(EmptyDatabase(empty_, ui_).EmptyDatabaseClick(), EmptyOutcome::Declined);
    EXPECT_EQ(empty_.calls, (Calls{"Question Tarnwick: Remove all records"}));
    EXPECT_EQ(FolderBytes(db_), schedule);
    EXPECT_EQ(FolderBytes(program_), program);
}

TEST_F(EmptyDatabaseTest, YesEmptiesEveryTableButKeepsTheCompany)
{
    for (const bool sharedUsable : {true, false}) {
        SCOPED_TRACE(sharedUsable);
        SetUp();
        empty_.answer = true;
        empty_.sharedUsable = sharedUsable;
        ui_ = CursorRecordingUi();
        EXPECT_EQ(EmptyDatabase(empty_, ui_).EmptyDatabaseClick(), EmptyOutcome::Completed);
        EXPECT_TRUE(ui_.Messages.empty());
        for (const EmptiedTable& t : EmptiedTableList())
            EXPECT_EQ(Count(t), t.shared && !sharedUsable ? 3 : 0) << t.file;
        EXPECT_EQ(Column(Db(), "mycomp.dbf", "MYCOMPY"), std::vector<std::string>{"Ashby Roofing"});
        EXPECT_EQ(Column(Db(), "mycomp.dbf", "PAPERO"), std::vector<std::string>{"0"});
        EXPECT_EQ(
            empty_.calls,
            (Calls{"Question Tarnwick: Remove all records", "CalendarPanel off", "SaveAndClearAllocations",
                   "TakeLock", "ReleaseLock", "RefreshTables", "ChangeCounter 0.000000",
                   "ShowDefaultCalendar", "ReindexDatabase", "ShowEmptyScreens"}));
        EXPECT_EQ(ui_.Status[0], "Database is empty");
        EXPECT_FALSE(ui_.hourglass);
        empty_.calls.clear();
    }
}

TEST_F(EmptyDatabaseTest, WaitsForTheLockInStepsOfTwoSeconds)
{
    empty_.answer = true;
    empty_.refusals = 2;
    ASSERT_EQ(EmptyDatabase(empty_, ui_).EmptyDatabaseClick(), EmptyOutcome::Completed);
    EXPECT_EQ(ui_.Sleeps, (std::vector<int>{2000, 2000}));
    EXPECT_NE(std::find(ui_.StatusHistory.begin(), ui_.StatusHistory.end(),
                        std::make_pair(0, std::string("Waiting for network access"))),
              ui_.StatusHistory.end());
}

TEST_F(EmptyDatabaseTest, ATableThatCannotBeEmptiedIsNamedAndTheProgramStaysUsable)
{
    empty_.answer = true;
    db::DeleteTable(Db(), "jobs.dbf");
    ASSERT_EQ(EmptyDatabase(empty_, ui_).EmptyDatabaseClick(), EmptyOutcome::Failed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_NE(ui_.Messages[0].text.find("jobs.dbf"), std::string::npos);
    EXPECT_EQ(ui_.Messages[0].caption, "Empty database");
    EXPECT_EQ(ui_.Messages[0].icon, data::MessageIcon::Stop);
    // What was emptied before it stays empty; what comes after is untouched.
    const auto& list = EmptiedTableList();
    bool before = true;
    for (const EmptiedTable& t : list) {
        if (std::string(t.file) == "jobs.dbf") {
            before = false;
            continue;
        }
        EXPECT_EQ(Count(t), before ? 0 : 3) << t.file;
    }
    EXPECT_FALSE(ui_.hourglass);
    EXPECT_FALSE(empty_.busy);
    EXPECT_EQ(std::count(empty_.calls.begin(), empty_.calls.end(), "ReleaseLock"), 1);
    EXPECT_EQ(empty_.calls.back(), "CalendarPanel on");
    EXPECT_NE(std::find(empty_.calls.begin(), empty_.calls.end(), "RefreshTables"), empty_.calls.end());
}

}  // namespace
}  // namespace tw::settings::test
