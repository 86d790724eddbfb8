// Two workstations sharing one schedule folder: what one pushes the other
// pulls, always under the lock; failures leave the lock free and the copy
// usable.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "data/services/busyscopes.h"
#include "schedule/sync/recordcopier.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

class TwoWorkstations : public ::testing::Test {
protected:
    TwoWorkstations()
    {
        CreateScheduleFolder(shared.path());
        CreateProgramFolder(progA.path());
        CreateProgramFolder(progB.path());
        a = std::make_unique<Workstation>(progA.path(), shared.path());
        b = std::make_unique<Workstation>(progB.path(), shared.path());
    }

    // A task added on A's working copy, in both of its tables.
    void AddOnA(const Item& item)
    {
        PutItem(a->ChartsTable5, item);
        PutItem(a->TasksTable3, item);
    }

    // Every schedule item of a table as key -> description.
    static std::map<std::int32_t, std::string> Items(db::Table& t)
    {
        std::map<std::int32_t, std::string> out;
        t.refresh();
        for (t.first(); !t.eof(); t.next())
            out[t.fieldByName("CHARTSID").asInteger()] = t.fieldByName("DESC").asString();
        return out;
    }

    TempFolder shared, progA, progB;
    std::unique_ptr<Workstation> a, b;
};

TEST_F(TwoWorkstations, WhatOneAddsEditsAndRemovesTheOtherPullsExactly)
{
    AddOnA({101, "Paint hall", 2.1f, "bring ladder"});
    AddOnA({102, "Tile kitchen", 2.1f});
    AddOnA({103, "Fix gutter", 2.1f});
    ASSERT_TRUE(a->sync.PushChartUpdates());

    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(Items(b->ChartsTable5), Items(a->ChartsTable5));
    EXPECT_EQ(Items(b->TasksTable3), Items(a->TasksTable3));
    ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(101.0)));
    EXPECT_EQ(b->ChartsTable5.fieldByName("NOTES").asString(), "bring ladder");

    // Nothing changed: the pull copies nothing.
    EXPECT_FALSE(b->sync.PullChartUpdates(false));

    // An edit travels; the other items stay as they are.
    PutItem(a->ChartsTable5, {102, "Tile kitchen and hall", 3.1f});
    ASSERT_TRUE(a->sync.PushChartRecord(102));
    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(DescOf(b->ChartsTable5, 102), "Tile kitchen and hall");
    EXPECT_EQ(Items(b->ChartsTable5), Items(a->ChartsTable5));

    // Deleting parts delete in the shared table; the removal carries it over.
    ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(103.0)));
    a->IChartsTable.deleteRecord();
    EXPECT_TRUE(b->sync.RemoveObsoleteTasks());
    EXPECT_EQ(b->ui.Status[1], "1 obsolete tasks removed");
    EXPECT_EQ(DescOf(b->ChartsTable5, 103), "<missing>");
    EXPECT_EQ(Items(b->ChartsTable5).size(), 2u);
    // The task list keeps every task ever added.
    EXPECT_EQ(DescOf(b->TasksTable3, 103), "Fix gutter");
    EXPECT_FALSE(b->sync.RemoveObsoleteTasks());

    EXPECT_FALSE(LockInUse(a->AccessTable));
    EXPECT_FALSE(a->state.TablesBusy);
    EXPECT_FALSE(b->state.TablesBusy);
}

// A push or pull run inside another busy step leaves that step busy: the
// scroll handlers and the poll stay idle until the outer step ends.
TEST_F(TwoWorkstations, ANestedPushOrPullLeavesTheOuterStepBusy)
{
    AddOnA({101, "Paint hall", 2.1f, "bring ladder", 102});
    AddOnA({102, "Tile kitchen", 2.1f});
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"push all", [&] { a->sync.PushChartUpdates(); }},
        {"push one", [&] { a->sync.PushChartRecord(101); }},
        {"pull all", [&] { b->sync.PullChartUpdates(true); }},
        {"pull a chain", [&] { b->sync.PullChartRecord(101, false); }},
        {"remove obsolete", [&] { b->sync.RemoveObsoleteTasks(); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        for (Workstation* ws : {a.get(), b.get()}) {
            data::BusyScope outerA(a->state);
            data::BusyScope outerB(b->state);
            step();
            EXPECT_TRUE(ws->state.TablesBusy);
        }
        EXPECT_FALSE(a->state.TablesBusy);
        EXPECT_FALSE(b->state.TablesBusy);
    }
    EXPECT_EQ(DescOf(b->ChartsTable5, 101), "Paint hall");
}

// A push of the whole working copy between another workstation's deletion
// and this one's next removal of obsolete items must not bring the deleted
// item back; an item added here and never shared is pushed as ever.
TEST_F(TwoWorkstations, APushNeverBringsBackAnItemDeletedElsewhere)
{
    AddOnA({1, "kept", 2.0f});
    AddOnA({2, "deleted by A", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));
    ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(2.0)));
    a->IChartsTable.deleteRecord();

    PutItem(b->ChartsTable5, {3, "new on B", 2.0f});
    PutItem(b->ChartsTable5, {1, "edited on B", 3.0f});
    ASSERT_TRUE(b->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PushChartRecord(2));
    EXPECT_EQ(DescOf(a->IChartsTable, 2), "<missing>");
    EXPECT_EQ(DescOf(a->IChartsTable, 3), "new on B");
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "edited on B");

    EXPECT_TRUE(b->sync.RemoveObsoleteTasks());
    EXPECT_EQ(DescOf(b->ChartsTable5, 2), "<missing>");
    EXPECT_EQ(DescOf(b->ChartsTable5, 3), "new on B");
}

// A push of the whole working copy writes every item; one that another
// workstation changed since the two were last in step, and that did not
// change here, keeps the other's change (the next pull brings it here).
// When both changed, the later push wins.
TEST_F(TwoWorkstations, APushKeepsANewerChangeMadeElsewhere)
{
    AddOnA({1, "first", 2.0f});
    AddOnA({2, "second", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));

    PutItem(a->ChartsTable5, {1, "changed on A", 3.0f});
    PutItem(a->ChartsTable5, {2, "changed on A", 3.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    PutItem(b->ChartsTable5, {2, "changed on B", 4.0f});
    ASSERT_TRUE(b->sync.PushChartUpdates());
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "changed on A");
    EXPECT_EQ(DescOf(a->IChartsTable, 2), "changed on B");

    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(DescOf(b->ChartsTable5, 1), "changed on A");
    EXPECT_TRUE(a->sync.PullChartUpdates(false));
    EXPECT_EQ(DescOf(a->ChartsTable5, 2), "changed on B");
}

TEST_F(TwoWorkstations, PullTakesTheSharedItemWhenTheCountersDifferInSinglePrecision)
{
    AddOnA({1, "shared", 5.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));

    struct Case {
        const char* name;
        double workingCounter;
        bool copied;
    };
    const Case cases[] = {
        {"same single-precision value", 5.0000001, false},
        {"working copy behind", 4.0, true},
        {"working copy ahead (local change not pushed) is overwritten", 6.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(1.0)));
        b->ChartsTable5.edit();
        b->ChartsTable5.fieldByName("DESC").setAsString("local");
        b->ChartsTable5.fieldByName("UPDATE").setAsFloat(c.workingCounter);
        b->ChartsTable5.post();
        EXPECT_EQ(b->sync.PullChartUpdates(false), c.copied);
        EXPECT_EQ(DescOf(b->ChartsTable5, 1), c.copied ? "shared" : "local");
        if (c.copied) {
            EXPECT_EQ(b->ChartsTable5.fieldByName("UPDATE").asFloat(), 5.0);
        }
    }
}

TEST_F(TwoWorkstations, PulledItemsLoseTheirBarAndRowButKeepS2)
{
    AddOnA({7, "task", 2.0f});
    ASSERT_TRUE(a->ChartsTable5.locate("CHARTSID", db::Value(7.0)));
    a->ChartsTable5.edit();
    a->ChartsTable5.fieldByName("RESOURCE").setAsInteger(55);
    a->ChartsTable5.fieldByName("PTR").setAsInteger(66);
    a->ChartsTable5.post();
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(7.0)));
    EXPECT_TRUE(a->IChartsTable.fieldByName("RESOURCE").isNull()) << "a row number is never pushed";

    PutItem(b->ChartsTable5, {7, "old", 1.0f});
    b->ChartsTable5.edit();
    b->ChartsTable5.fieldByName("S2").setAsBoolean(true);
    b->ChartsTable5.fieldByName("PTR").setAsInteger(3);
    b->ChartsTable5.fieldByName("RESOURCE").setAsInteger(4);
    b->ChartsTable5.post();
    ASSERT_TRUE(b->sync.PullChartUpdates(false));
    ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(7.0)));
    EXPECT_EQ(b->ChartsTable5.fieldByName("PTR").asFloat(), 0.0);
    EXPECT_EQ(b->ChartsTable5.fieldByName("RESOURCE").asFloat(), 0.0);
    EXPECT_TRUE(b->ChartsTable5.fieldByName("S2").asBoolean());
    EXPECT_EQ(b->ChartsTable5.fieldByName("DESC").asString(), "task");
}

// The start's forced pull, while no chart is drawn, leaves the bar and row
// numbers of a record that is otherwise what the shared one holds (the
// chart's first build would only write them again); a record that changed
// elsewhere comes over without them, as every other pull brings it.
TEST_F(TwoWorkstations, TheStartsPullKeepsTheRowNumbersOfUnchangedItems)
{
    AddOnA({7, "task", 2.0f});
    AddOnA({8, "task", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(true));
    for (double key : {7.0, 8.0}) {
        b->ChartsTable5.refresh();
        ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(key)));
        b->ChartsTable5.edit();
        b->ChartsTable5.fieldByName("PTR").setAsFloat(key);
        b->ChartsTable5.fieldByName("RESOURCE").setAsFloat(key);
        b->ChartsTable5.post();
    }
    PutItem(a->ChartsTable5, {8, "renamed", 3.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());

    ASSERT_TRUE(b->sync.PullChartUpdates(true, true));
    b->ChartsTable5.refresh();
    ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(7.0)));
    EXPECT_EQ(b->ChartsTable5.fieldByName("PTR").asFloat(), 7.0);
    EXPECT_EQ(b->ChartsTable5.fieldByName("RESOURCE").asFloat(), 7.0);
    ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(8.0)));
    EXPECT_EQ(b->ChartsTable5.fieldByName("DESC").asString(), "renamed");
    EXPECT_EQ(b->ChartsTable5.fieldByName("PTR").asFloat(), 0.0);
    EXPECT_EQ(b->ChartsTable5.fieldByName("RESOURCE").asFloat(), 0.0);

    // Any other forced pull clears them.
    ASSERT_TRUE(b->sync.PullChartUpdates(true));
    ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(7.0)));
    EXPECT_EQ(b->ChartsTable5.fieldByName("PTR").asFloat(), 0.0);
}

TEST_F(TwoWorkstations, PushOrForcedPullOfUnchangedRecordsWritesNothing)
{
    for (int k = 1; k <= 50; ++k)
        AddOnA({k, "task " + std::to_string(k), 2.0f, "notes of task " + std::to_string(k)});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(true));

    const auto sharedMemo = FileSize(shared.path(), "ICharts.dbt");
    const auto sharedTable = FileSize(shared.path(), "ICharts.DBF");
    const auto taskMemo = FileSize(shared.path(), "ITasks.dbt");
    const auto workingMemo = FileSize(progB.path(), "Charts.dbt");
    ASSERT_TRUE(a->sync.PushChartUpdates());
    EXPECT_TRUE(b->sync.PullChartUpdates(true)) << "a forced pull reports the items it covered";
    EXPECT_EQ(FileSize(shared.path(), "ICharts.dbt"), sharedMemo);
    EXPECT_EQ(FileSize(shared.path(), "ICharts.DBF"), sharedTable);
    EXPECT_EQ(FileSize(shared.path(), "ITasks.dbt"), taskMemo);
    EXPECT_EQ(FileSize(progB.path(), "Charts.dbt"), workingMemo);

    // A change of one field other than the memo leaves the memo file as it is.
    PutItem(a->ChartsTable5, {9, "renamed", 3.0f, "notes of task 9"});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    EXPECT_EQ(FileSize(shared.path(), "ICharts.dbt"), sharedMemo);
    EXPECT_EQ(DescOf(a->IChartsTable, 9), "renamed");
}

// The program opens the shared tables only for the work on them. What a push
// left level stays level while they are closed, so the next single add
// compares its own item only; a write from elsewhere still breaks the level.
TEST_F(TwoWorkstations, APushLeavesTheTablesLevelWhileTheSharedTablesAreClosed)
{
    for (db::Table* t : {&a->IChartsTable, &a->IChartsTable3, &a->ITasksTable2})
        t->close();
    AddOnA({1, "Paint hall", 2.0f});
    AddOnA({2, "Tile kitchen", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    EXPECT_FALSE(a->IChartsTable.active());

    ScheduleSync::PushLevel level = a->sync.LevelBeforeChange();
    EXPECT_TRUE(level.Charts.has_value());
    EXPECT_TRUE(level.Tasks.has_value());

    PutItem(b->IChartsTable, {2, "Tile kitchen and hall", 5.0f});
    level = a->sync.LevelBeforeChange();
    EXPECT_FALSE(level.Charts.has_value());
    EXPECT_TRUE(level.Tasks.has_value());

    // The next push compares everything again and keeps the newer change.
    AddOnA({3, "Fix gutter", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates(level, {3}));
    EXPECT_EQ(DescOf(b->IChartsTable, 2), "Tile kitchen and hall");
    EXPECT_EQ(DescOf(b->IChartsTable, 3), "Fix gutter");
    EXPECT_EQ(DescOf(b->ITasksTable2, 3), "Fix gutter");
    EXPECT_TRUE(a->sync.LevelBeforeChange().Charts.has_value());
}

// Held open for a run of adds, the shared tables take each push as before
// and are closed again afterwards; the lock is not kept meanwhile.
TEST_F(TwoWorkstations, SharedTablesHeldOpenTakeEachPushAndCloseAfterwards)
{
    for (db::Table* t : {&a->IChartsTable, &a->IChartsTable3, &a->ITasksTable2})
        t->close();
    {
        SharedTablesHeld held = a->sync.HoldSharedTables();
        EXPECT_TRUE(a->IChartsTable.active());
        EXPECT_TRUE(a->ITasksTable2.active());
        EXPECT_FALSE(LockInUse(a->AccessTable));
        for (int k = 1; k <= 3; ++k) {
            const ScheduleSync::PushLevel level = a->sync.LevelBeforeChange();
            AddOnA({k, "task " + std::to_string(k), 2.0f});
            ASSERT_TRUE(a->sync.PushChartUpdates(level, {k}));
            EXPECT_EQ(DescOf(b->IChartsTable, k), "task " + std::to_string(k));
            EXPECT_EQ(DescOf(b->ITasksTable2, k), "task " + std::to_string(k));
        }
        // Written elsewhere meanwhile: the held table sees it.
        PutItem(b->IChartsTable, {1, "task 1 moved", 6.0f});
        EXPECT_EQ(DescOf(a->IChartsTable, 1), "task 1 moved");
    }
    EXPECT_FALSE(a->IChartsTable.active());
    EXPECT_FALSE(a->ITasksTable2.active());
    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(Items(b->ChartsTable5).size(), 3u);

    // A read-only copy never writes the shared tables and holds nothing open.
    a->state.ReadOnlyCopy = true;
    {
        SharedTablesHeld held = a->sync.HoldSharedTables();
        EXPECT_FALSE(a->IChartsTable.active());
    }
}

TEST_F(TwoWorkstations, PullOfOneItemFollowsItsChainOnceAndNeverAppends)
{
    // 1 -> 2 -> 3 -> 1: a chain that leads back to its start.
    AddOnA({1, "first", 2.0f, "", 2});
    AddOnA({2, "second", 2.0f, "", 3});
    AddOnA({3, "third", 2.0f, "", 1});
    AddOnA({4, "not chained", 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));
    auto changeShared = [&](std::int32_t key, const std::string& desc, float update) {
        ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(static_cast<double>(key))));
        a->IChartsTable.edit();
        a->IChartsTable.fieldByName("DESC").setAsString(desc);
        a->IChartsTable.fieldByName("UPDATE").setAsFloat(update);
        a->IChartsTable.post();
    };
    for (std::int32_t k : {1, 2, 3, 4})
        changeShared(k, "new " + std::to_string(k), 3.0f);

    b->sync.PullChartRecord(1, true);
    EXPECT_EQ(DescOf(b->ChartsTable5, 1), "new 1");
    EXPECT_EQ(DescOf(b->ChartsTable5, 2), "second") << "single: the chain stays";

    b->sync.PullChartRecord(2, false);  // 2, then 3, then 1 again: stop there
    EXPECT_EQ(DescOf(b->ChartsTable5, 2), "new 2");
    EXPECT_EQ(DescOf(b->ChartsTable5, 3), "new 3");
    EXPECT_EQ(DescOf(b->ChartsTable5, 4), "not chained");
    EXPECT_FALSE(LockInUse(b->AccessTable));

    // Equal counters: nothing, not even the chain.
    changeShared(3, "newer 3", 3.0f);
    b->sync.PullChartRecord(2, false);
    EXPECT_EQ(DescOf(b->ChartsTable5, 3), "new 3");

    // A key only the shared table has is not appended.
    PutItem(a->IChartsTable, {9, "shared only", 2.0f});
    b->sync.PullChartRecord(9, false);
    EXPECT_EQ(DescOf(b->ChartsTable5, 9), "<missing>");
    EXPECT_FALSE(b->state.TablesBusy);
}

// Every operation waits for a lock another workstation holds, writes nothing
// while waiting, and leaves the lock free when done.
TEST_F(TwoWorkstations, EveryOperationWaitsForTheLockAndReleasesIt)
{
    AddOnA({1, "one", 2.0f});
    PutItem(b->IChartsTable, {2, "two", 2.0f});
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"push all", [&] { a->sync.PushChartUpdates(); }},
        {"push one", [&] { a->sync.PushChartRecord(1); }},
        {"pull all", [&] { a->sync.PullChartUpdates(true); }},
        {"pull one", [&] { a->sync.PullChartRecord(1, false); }},
        {"remove obsolete", [&] { a->sync.RemoveObsoleteTasks(); }},
    };
    data::NetworkLock other(b->AccessTable, b->state, b->ui);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(other.UpdateAccessRecord(true));
        const auto sharedBefore = FileSize(shared.path(), "ICharts.DBF");
        const auto workingBefore = FileSize(progA.path(), "Charts.DBF");
        int waits = 0;
        a->ui.OnSleep = [&] {
            EXPECT_EQ(a->ui.Status[0], "Waiting for network access");
            EXPECT_EQ(FileSize(shared.path(), "ICharts.DBF"), sharedBefore);
            EXPECT_EQ(FileSize(progA.path(), "Charts.DBF"), workingBefore);
            if (++waits == 3)
                other.UpdateAccessRecord(false);
        };
        c.run();
        EXPECT_EQ(waits, 3);
        EXPECT_EQ(a->ui.Status[0], "");
        EXPECT_FALSE(LockInUse(a->AccessTable));
        EXPECT_FALSE(a->state.LockHeld);
        EXPECT_FALSE(a->state.TablesBusy);
        EXPECT_TRUE(a->state.SharedTablesUsable);
    }
}

TEST_F(TwoWorkstations, AHolderThatStopsAnsweringIsBrokenOnTheTenthRefusal)
{
    AddOnA({1, "one", 2.0f});
    PutItem(b->IChartsTable, {2, "two", 2.0f});
    data::NetworkLock stuck(b->AccessTable, b->state, b->ui);
    ASSERT_TRUE(stuck.UpdateAccessRecord(true));

    EXPECT_FALSE(a->sync.PushChartUpdates());
    EXPECT_EQ(a->ui.Sleeps.size(), 9u);
    EXPECT_FALSE(a->state.SharedTablesUsable);
    EXPECT_FALSE(LockInUse(a->AccessTable));
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "<missing>");

    // From now on this copy takes and releases the lock and copies nothing.
    EXPECT_FALSE(a->sync.PullChartUpdates(true));
    EXPECT_FALSE(a->sync.RemoveObsoleteTasks());
    EXPECT_FALSE(a->sync.PushChartRecord(1));
    EXPECT_EQ(DescOf(a->ChartsTable5, 2), "<missing>");
    EXPECT_EQ(DescOf(a->ChartsTable5, 1), "one");
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "<missing>");
    EXPECT_FALSE(LockInUse(a->AccessTable));

    // The other workstation works on.
    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(DescOf(b->ChartsTable5, 2), "two");
}

TEST_F(TwoWorkstations, ReadOnlyCopyAndPendingInsertLeaveTheLockRecordAlone)
{
    AddOnA({1, "one", 2.0f});
    a->state.ReadOnlyCopy = true;
    EXPECT_FALSE(a->sync.PushChartUpdates());
    EXPECT_FALSE(a->sync.PushChartRecord(1));
    a->state.ReadOnlyCopy = false;
    a->state.InsertTimePending = true;
    EXPECT_FALSE(a->sync.PullChartUpdates(true));
    EXPECT_FALSE(a->sync.RemoveObsoleteTasks());
    a->sync.PullChartRecord(1, false);
    a->AccessTable.refresh();
    EXPECT_EQ(a->AccessTable.recordCount(), 0) << "the lock record was never touched";
    EXPECT_EQ(DescOf(a->ChartsTable5, 1), "one");
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "<missing>");
}

// A failure while copying releases the lock, clears TablesBusy, leaves no
// cursor half-edited and is reported; the next operation works.
TEST_F(TwoWorkstations, AFailedSynchronisationReleasesTheLockAndIsReported)
{
    AddOnA({1, "one", 2.0f});
    AddOnA({2, "two", 2.0f});
    PutItem(b->IChartsTable, {3, "three", 2.0f});
    PutItem(a->ChartsTable5, {3, "local", 1.0f});
    struct Case {
        const char* name;
        db::Table* readOnly;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"push all", &a->IChartsTable, [&] { a->sync.PushChartUpdates(); }},
        {"push one", &a->IChartsTable, [&] { a->sync.PushChartRecord(1); }},
        {"push several", &a->IChartsTable,
         [&] {
             EXPECT_FALSE(a->sync.PushChartRecords({1, 2}));
         }},
        {"pull all", &a->ChartsTable5, [&] { EXPECT_FALSE(a->sync.PullChartUpdates(true)); }},
        {"pull one", &a->ChartsTable5, [&] { a->sync.PullChartRecord(3, false); }},
        {"remove obsolete", &a->ChartsTable5, [&] { EXPECT_FALSE(a->sync.RemoveObsoleteTasks()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        a->ui.Messages.clear();
        c.readOnly->setReadOnly(true);
        c.run();
        c.readOnly->setReadOnly(false);
        ASSERT_EQ(a->ui.Messages.size(), 1u);
        EXPECT_EQ(a->ui.Messages[0].caption, "Dbi error");
        EXPECT_EQ(a->ui.Messages[0].icon, data::MessageIcon::Stop);
        EXPECT_FALSE(LockInUse(a->AccessTable));
        EXPECT_FALSE(a->state.TablesBusy);
        EXPECT_TRUE(a->state.SharedTablesUsable);
        EXPECT_EQ(c.readOnly->state(), db::Table::State::Browse);
    }
    a->ui.Messages.clear();
    EXPECT_TRUE(a->sync.PullChartUpdates(false));
    EXPECT_TRUE(a->sync.PushChartUpdates());
    EXPECT_TRUE(a->ui.Messages.empty());
    EXPECT_EQ(DescOf(a->IChartsTable, 2), "two");
    EXPECT_EQ(DescOf(a->ChartsTable5, 3), "three");
}

// The start brings the working copy level with the shared tables: an item
// another workstation changed comes over, an unchanged one is not rewritten
// (it keeps the bar and row numbers the last chart gave it), and one whose
// times were changed here without reaching the shared table (the program
// stopped before its push) takes the shared values again, so a stale local
// time never goes out over the schedule everyone else sees.
TEST_F(TwoWorkstations, TheStartsPullBringsTheCopyLevelAndRewritesOnlyWhatDiffers)
{
    for (int k = 1; k <= 3; ++k)
        AddOnA({k, "task " + std::to_string(k), 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));
    a->IChartsTable.refresh();
    ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(1.0)));
    const double sharedStart = a->IChartsTable.fieldByName("SD").asFloat();
    const double movedStart = sharedStart + 1.5;
    db::Table& working = b->ChartsTable5;
    for (double key : {1.0, 2.0, 3.0}) {
        working.refresh();
        ASSERT_TRUE(working.locate("CHARTSID", db::Value(key)));
        working.edit();
        working.fieldByName("PTR").setAsFloat(key);
        working.fieldByName("RESOURCE").setAsFloat(key);
        if (key == 1.0)
            working.fieldByName("SD").setAsFloat(movedStart);  // a local change that keeps the counter
        working.post();
    }
    PutItem(a->ChartsTable5, {2, "renamed on A", 3.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());

    // B starts again: a new program on the same working copy, and the
    // start's forced pull.
    b.reset();
    b = std::make_unique<Workstation>(progB.path(), shared.path());
    EXPECT_TRUE(b->sync.PullChartUpdates(true, true));
    struct Expected {
        double key;
        std::string desc;
        double ptr;
        double start;
    };
    const Expected expected[] = {
        {1, "task 1", 0, sharedStart}, {2, "renamed on A", 0, -1}, {3, "task 3", 3, -1}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.key);
        b->ChartsTable5.refresh();
        ASSERT_TRUE(b->ChartsTable5.locate("CHARTSID", db::Value(e.key)));
        EXPECT_EQ(b->ChartsTable5.fieldByName("DESC").asString(), e.desc);
        EXPECT_EQ(b->ChartsTable5.fieldByName("PTR").asFloat(), e.ptr);
        if (e.start >= 0)
            EXPECT_EQ(b->ChartsTable5.fieldByName("SD").asFloat(), e.start);
    }

    // Nothing stale is left to go out.
    ASSERT_TRUE(b->sync.PushChartUpdates());
    a->IChartsTable.refresh();
    ASSERT_TRUE(a->IChartsTable.locate("CHARTSID", db::Value(1.0)));
    EXPECT_EQ(a->IChartsTable.fieldByName("SD").asFloat(), sharedStart);
    EXPECT_EQ(DescOf(a->IChartsTable, 2), "renamed on A");
}

// The change counter is stored with eight decimals, so the single-precision
// value a pull writes reads back a little off: a forced pull over tables that
// are already level must still find nothing to write, or every start would
// rewrite the whole working copy.
TEST_F(TwoWorkstations, AForcedPullOverLevelTablesWritesNothing)
{
    for (int k = 1; k <= 3; ++k)
        AddOnA({k, "task " + std::to_string(k), 1.1f + 0.3f * static_cast<float>(k)});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(true, true));
    ASSERT_TRUE(b->sync.PushChartUpdates());

    b.reset();
    b = std::make_unique<Workstation>(progB.path(), shared.path());
    const db::Table::ChangeMark mark = b->ChartsTable5.changeMark();
    b->sync.PullChartUpdates(true, true);
    const auto written = b->ChartsTable5.writtenSince(mark);
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(written->empty()) << written->size() << " records rewritten";
}

// The records a write-back wrote go out by their keys alone: an item written
// back here reaches the shared table, one that another workstation changed
// since the two were last in step keeps that change, and a key that is no
// longer in the working copy writes nothing.
TEST_F(TwoWorkstations, APushOfChosenItemsKeepsANewerChangeMadeElsewhere)
{
    for (int k = 1; k <= 3; ++k)
        AddOnA({k, "task " + std::to_string(k), 2.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));

    PutItem(b->ChartsTable5, {1, "written back on B", 2.0f});
    PutItem(b->ChartsTable5, {2, "written back on B", 2.0f});
    PutItem(a->ChartsTable5, {2, "changed on A", 3.0f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    const auto sharedSize = FileSize(shared.path(), "ICharts.DBF");

    ASSERT_TRUE(b->sync.PushChartRecords({1, 2, 99}));
    EXPECT_EQ(DescOf(a->IChartsTable, 1), "written back on B");
    EXPECT_EQ(DescOf(a->IChartsTable, 2), "changed on A");
    EXPECT_EQ(DescOf(a->IChartsTable, 99), "<missing>");
    EXPECT_EQ(FileSize(shared.path(), "ICharts.DBF"), sharedSize);
    EXPECT_TRUE(b->sync.PullChartUpdates(false));
    EXPECT_EQ(DescOf(b->ChartsTable5, 2), "changed on A");
}

// The comparison before a copy reads equal stored bytes of fields defined
// alike as the same value, except where the copy would still write: a blank
// number or logical on both sides is filled in, and a text differing only in
// case is a change.
TEST(RecordCopierComparison, EqualStoredBytesAreTheSameValueUnlessTheCopyWouldFillThemIn)
{
    OneWorkstation one;
    Workstation& ws = *one.ws;
    db::Table& working = ws.ChartsTable5;
    db::Table& shared = ws.IChartsTable;
    PutItem(working, {1, "Paint", 2.0f});
    const RecordCopier copier = RecordCopier::ChartToShared(working, shared);
    shared.append();
    copier.Copy(working, shared);
    shared.post();
    struct Case {
        const char* name;
        std::function<void(db::Table&)> change;  // made on both sides, or on the shared one alone
        bool bothSides;
        bool same;
    };
    const Case cases[] = {
        {"as copied", [](db::Table&) {}, true, true},
        {"the same start", [](db::Table& t) { t.fieldByName("SD").setAsFloat(46010.75); }, true, true},
        {"the same flag", [](db::Table& t) { t.fieldByName("USED").setAsBoolean(true); }, true, true},
        {"the same date", [](db::Table& t) { t.fieldByName("SDD").setAsDate(46010); }, true, true},
        {"a blank number on both", [](db::Table& t) { t.fieldByName("OFFSET").clear(); }, true, false},
        {"a blank flag on both", [](db::Table& t) { t.fieldByName("USED").clear(); }, true, false},
        {"another start", [](db::Table& t) { t.fieldByName("SD").setAsFloat(46011); }, false, false},
        {"a text in other case", [](db::Table& t) { t.fieldByName("DESC").setAsString("paint"); }, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (db::Table* t : {&working, &shared}) {
            if (t == &working && !c.bothSides)
                continue;
            t->refresh();
            ASSERT_TRUE(t->locate("CHARTSID", db::Value(1.0)));
            t->edit();
            c.change(*t);
            t->post();
        }
        ASSERT_TRUE(working.locate("CHARTSID", db::Value(1.0)));
        ASSERT_TRUE(shared.locate("CHARTSID", db::Value(1.0)));
        EXPECT_EQ(copier.Same(working, shared), c.same);
        // Put the pair back level for the next case.
        shared.edit();
        copier.Copy(working, shared);
        shared.post();
        EXPECT_TRUE(copier.Same(working, shared));
    }
}

// A push whose task list cannot be written leaves the shared schedule as it
// was: the other workstation pulls nothing of it until a push succeeds, and
// then pulls both tables of it.
TEST_F(TwoWorkstations, APushThatFailsHalfWayReachesNeitherSharedTable)
{
    AddOnA({101, "Paint hall", 2.1f});
    ASSERT_TRUE(a->sync.PushChartUpdates());
    ASSERT_TRUE(b->sync.PullChartUpdates(false));

    AddOnA({102, "Tile kitchen", 2.1f});
    a->ITasksTable2.setReadOnly(true);  // the items go first, then the task list fails
    a->sync.PushChartUpdates();
    a->ITasksTable2.setReadOnly(false);
    ASSERT_EQ(a->ui.Messages.size(), 1u);
    EXPECT_EQ(a->ui.Messages[0].caption, "Dbi error");

    b->sync.PullChartUpdates(true);
    EXPECT_EQ(DescOf(b->ChartsTable5, 102), "<missing>");
    EXPECT_EQ(DescOf(b->TasksTable3, 102), "<missing>");

    ASSERT_TRUE(a->sync.PushChartUpdates());
    b->sync.PullChartUpdates(true);
    EXPECT_EQ(DescOf(b->ChartsTable5, 102), "Tile kitchen");
    EXPECT_EQ(DescOf(b->TasksTable3, 102), "Tile kitchen");
}

}  // namespace
