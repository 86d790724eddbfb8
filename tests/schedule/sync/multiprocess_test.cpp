// Workstations in processes of their own: two synchronise in a loop while a
// third appends customers, and one is killed in the middle of its pushes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "support/childprocess.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

pid_t Spawn(std::vector<std::string> args)
{
    return tw::testing::SpawnTool(TW_SYNC_TOOL, std::move(args));
}

int Wait(pid_t pid)
{
    return tw::testing::WaitExitCode(pid);
}

// Key -> how often it occurs, over every record of a table.
std::map<std::int32_t, int> KeyCounts(db::Table& t, const char* field)
{
    std::map<std::int32_t, int> counts;
    t.refresh();
    for (t.first(); !t.eof(); t.next())
        ++counts[t.fieldByName(field).asInteger()];
    return counts;
}

// The table has exactly the fields of its layout.
void ExpectLayout(const std::string& folder, const std::string& name)
{
    SCOPED_TRACE(name);
    db::Table t;
    Workstation::Open(t, folder, name);
    const auto& expected = data::FindLayout(data::Database::Scheduler, name)->fields;
    ASSERT_EQ(t.fieldDefs().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(t.fieldDefs()[i].name, expected[i].name);
        EXPECT_EQ(t.fieldDefs()[i].type, expected[i].type);
    }
}

TEST(MultiProcess, TwoWorkstationsAndACustomerWriterLoseAndDoubleNothing)
{
    TempFolder shared, progA, progB;
    CreateScheduleFolder(shared.path());
    CreateProgramFolder(progA.path());
    CreateProgramFolder(progB.path());
    const int rounds = 30;
    const pid_t a = Spawn({"sync", progA.path(), shared.path(), "1", std::to_string(rounds)});
    const pid_t b = Spawn({"sync", progB.path(), shared.path(), "2", std::to_string(rounds)});
    const pid_t c = Spawn({"customers", shared.path(), "500000", "400"});
    EXPECT_EQ(Wait(a), 0);
    EXPECT_EQ(Wait(b), 0);
    EXPECT_EQ(Wait(c), 0);

    // What the shared schedule must hold: every item added, less every fifth
    // round's deletion of the item four rounds back, each once.
    std::map<std::int32_t, int> expected;
    for (int station : {1, 2})
        for (int r = 1; r <= rounds; ++r)
            if (!(r + 4 <= rounds && (r + 4) % 5 == 0))
                expected[station * 100000 + r] = 1;
    Workstation check(progA.path(), shared.path());
    EXPECT_EQ(KeyCounts(check.IChartsTable, "CHARTSID"), expected);
    std::map<std::int32_t, int> everyTask;
    for (int station : {1, 2})
        for (int r = 1; r <= rounds; ++r)
            everyTask[station * 100000 + r] = 1;
    EXPECT_EQ(KeyCounts(check.ITasksTable2, "CHARTSID"), everyTask);
    // Each edit of the round before every third round arrived.
    EXPECT_EQ(DescOf(check.IChartsTable, 100000 + 2), "edited");
    EXPECT_EQ(DescOf(check.IChartsTable, 200000 + 29), "edited");
    const auto customers = KeyCounts(check.CustomersTable, "CID");
    EXPECT_EQ(customers.size(), 400u);
    EXPECT_EQ(customers.begin()->first, 500000);
    EXPECT_EQ(customers.rbegin()->first, 500399);
    EXPECT_FALSE(LockInUse(check.AccessTable));

    // Both working copies come level with the shared schedule.
    for (const std::string* prog : {&progA.path(), &progB.path()}) {
        Workstation ws(*prog, shared.path());
        ws.sync.RemoveObsoleteTasks();
        ws.sync.PullChartUpdates(false);
        EXPECT_EQ(KeyCounts(ws.ChartsTable5, "CHARTSID"), expected);
    }
    for (const char* name : {"ICharts.DBF", "ITasks.dbf", "customers.dbf", "Access.dbf", "ICrews.DBF"})
        ExpectLayout(shared.path(), name);
}

TEST(MultiProcess, AWorkstationKilledInAPushLeavesWholeRecordsAndABreakableLock)
{
    TempFolder shared, prog, other;
    CreateScheduleFolder(shared.path());
    CreateProgramFolder(prog.path());
    CreateProgramFolder(other.path());
    const int items = 300;
    {
        Workstation ws(prog.path(), shared.path());
        for (int k = 1; k <= items; ++k)
            PutItem(ws.ChartsTable5, {k, "v0", 0.0f, "notes v0"});
        ASSERT_TRUE(ws.sync.PushChartUpdates());
    }
    std::mt19937 random(20261210);
    for (int kill = 0; kill < 5; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const std::string firstVersion = std::to_string(1000 * (kill + 1));
        const pid_t pusher = Spawn({"pushloop", prog.path(), shared.path(), firstVersion});
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + random() % 120));
        ::kill(pusher, SIGKILL);
        Wait(pusher);

        db::Table table;
        ASSERT_NO_THROW(Workstation::Open(table, shared.path(), "ICharts.DBF"));
        std::set<std::int32_t> keys;
        for (table.first(); !table.eof(); table.next()) {
            const std::int32_t key = table.fieldByName("CHARTSID").asInteger();
            EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;
            // Each record is one version, old or new, never a mix.
            const std::string version = table.fieldByName("DESC").asString();
            const std::string hours = std::to_string(static_cast<int>(table.fieldByName("HOURS").asFloat()));
            EXPECT_EQ(version, "v" + hours) << key;
            EXPECT_EQ(table.fieldByName("NOTES").asString(), "notes " + version) << key;
        }
        EXPECT_EQ(keys.size(), static_cast<std::size_t>(items));

        // Whether the pusher died holding the lock or not, another
        // workstation gets past it: at once, or by breaking it.
        Workstation ws(other.path(), shared.path());
        const bool diedHoldingTheLock = LockInUse(ws.AccessTable);
        ws.sync.PullChartUpdates(false);
        // A dead holder never answers: broken on the tenth refusal.
        EXPECT_EQ(ws.ui.Sleeps.size(), diedHoldingTheLock ? 9u : 0u);
        EXPECT_EQ(ws.state.SharedTablesUsable, !diedHoldingTheLock);
        EXPECT_FALSE(LockInUse(ws.AccessTable));
        EXPECT_TRUE(ws.ui.Messages.empty());
    }
}

// The times a write-back wrote go to the shared table in one write: a
// workstation killed in the middle of that push leaves every item of it old
// or every item new, never some of each.
TEST(MultiProcess, AWorkstationKilledInAWriteBackPushLeavesAllOldOrAllNew)
{
    TempFolder shared, prog;
    CreateScheduleFolder(shared.path());
    CreateProgramFolder(prog.path());
    const int items = 300;
    {
        Workstation ws(prog.path(), shared.path());
        for (int k = 1; k <= items; ++k)
            PutItem(ws.ChartsTable5, {k, "v0", 0.0f});
        ASSERT_TRUE(ws.sync.PushChartUpdates());
    }
    std::mt19937 random(20261211);
    for (int kill = 0; kill < 5; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const pid_t pusher =
            Spawn({"writebackloop", prog.path(), shared.path(), std::to_string(1000 * (kill + 1))});
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + random() % 120));
        ::kill(pusher, SIGKILL);
        Wait(pusher);

        db::Table table;
        ASSERT_NO_THROW(Workstation::Open(table, shared.path(), "ICharts.DBF"));
        std::set<std::string> versions;
        int count = 0;
        for (table.first(); !table.eof(); table.next(), ++count) {
            const std::string version = table.fieldByName("DESC").asString();
            versions.insert(version);
            const int hours = static_cast<int>(table.fieldByName("HOURS").asFloat());
            EXPECT_EQ(version, "v" + std::to_string(hours));
            if (hours > 0)
                EXPECT_EQ(table.fieldByName("SD").asFloat(), 46000.0 + hours);
        }
        EXPECT_EQ(count, items);
        EXPECT_EQ(versions.size(), 1u) << "a push cut short left items of two versions";
    }
}

}  // namespace
