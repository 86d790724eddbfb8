// Adding a task or a job row to the schedule: customer and job found or
// created, the working copy, the assignment row, the task list, the push.
#include <gtest/gtest.h>

#include "schedule/sync/addtask.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

class AddTask : public ::testing::Test, protected OneWorkstation {
protected:
    AddTask()
    {
        hooks.GetCurrentResource = [this](std::string& description) {
            description = "Crew A";
            return std::int32_t{77};
        };
        hooks.SetCustomersLabel = [this](const std::string& caption) { customersLabel = caption; };
        adder = std::make_unique<ScheduleAdder>(ws->tables, ws->state, ws->ui, ws->sync, hooks);
    }

    NewScheduleItem Task(std::int32_t key, const std::string& customer = "Smith, John",
                         const std::string& job = "Kitchen")
    {
        NewScheduleItem item;
        item.Key = key;
        item.CustomerName = customer;
        item.JobName = job;
        item.Description = "Tiling";
        item.Start = 46001.5;
        item.End = 46001.75;
        item.Hours = 6;
        item.HourlyRate = 55.25;
        item.TotalCost = 331.5;
        item.AddToTaskList = true;
        item.SingleAdd = false;
        return item;
    }

    static int Count(db::Table& t)
    {
        t.refresh();
        return static_cast<int>(t.recordCount());
    }

    AddTaskHooks hooks;
    std::string customersLabel;
    std::unique_ptr<ScheduleAdder> adder;
};

TEST_F(AddTask, ATaskGoesIntoWorkingCopyTaskListAndAssignmentsAndASingleAddIsShared)
{
    NewScheduleItem item = Task(500);
    item.Start = 46001.75;  // later than the end: stored swapped
    item.End = 46001.5;
    item.Notes = std::vector<std::string>{"first line", "second line"};
    item.SingleAdd = true;
    ws->state.UpdateCounter = 4.0f;
    ASSERT_TRUE(adder->AddTaskToSchedule(item));

    db::Table& charts = ws->ChartsTable5;
    ASSERT_TRUE(charts.locate("CHARTSID", db::Value(500.0)));
    EXPECT_EQ(charts.fieldByName("SD").asFloat(), 46001.5);
    EXPECT_EQ(charts.fieldByName("OSD").asFloat(), 46001.5);
    EXPECT_EQ(charts.fieldByName("ED").asFloat(), 46001.75);
    EXPECT_EQ(charts.fieldByName("OED").asFloat(), 46001.75);
    EXPECT_EQ(charts.fieldByName("SDD").asDate(), 46001.0);
    EXPECT_EQ(charts.fieldByName("CREWID").asInteger(), 77);
    EXPECT_EQ(charts.fieldByName("TDESC").asString(), "Crew A");
    EXPECT_EQ(charts.fieldByName("UPDATE").asFloat(), 4.0);
    EXPECT_EQ(charts.fieldByName("ORDER").asInteger(), 0);
    EXPECT_EQ(charts.fieldByName("NOTES").asString(), "first line\nsecond line\n");
    EXPECT_EQ(charts.fieldByName("CID").asInteger(), adder->CustomerKey());
    EXPECT_EQ(charts.fieldByName("JID").asInteger(), adder->JobKey());
    EXPECT_EQ(ws->state.AverageRate, 55.25);
    EXPECT_FALSE(ws->state.TablesBusy);
    EXPECT_EQ(customersLabel, "All customers");

    ASSERT_TRUE(ws->ICrewsTable.locate("CHARTSID;CREWID", {db::Value(500.0), db::Value(77.0)}));
    EXPECT_EQ(ws->ICrewsTable.fieldByName("JID").asInteger(), adder->JobKey());
    EXPECT_EQ(DescOf(ws->TasksTable3, 500), "Tiling");
    EXPECT_EQ(DescOf(ws->IChartsTable, 500), "Tiling") << "a single add is pushed";
    EXPECT_EQ(DescOf(ws->ITasksTable2, 500), "Tiling");
    EXPECT_FALSE(LockInUse(ws->AccessTable));

    // The next task of the same customer and job finds both.
    ASSERT_TRUE(adder->AddTaskToSchedule(Task(501)));
    EXPECT_EQ(Count(ws->CustomersTable3), 1);
    EXPECT_EQ(Count(ws->JobsTable3), 1);
}

TEST_F(AddTask, OrderIsTwentyFiveTimesTheRecordsAlreadyThere)
{
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(adder->AddTaskToSchedule(Task(600 + k)));
    ASSERT_TRUE(adder->AddTaskToSchedule(Task(700)));
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(700.0)));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("ORDER").asInteger(), 100);
}

TEST_F(AddTask, AJobRowHasNoAssignmentNoTaskListAndItsNameMustBeNew)
{
    NewScheduleItem row = Task(800);
    row.JobRow = true;
    row.SingleAdd = true;
    ASSERT_TRUE(adder->AddTaskToSchedule(row));
    EXPECT_EQ(Count(ws->ICrewsTable), 0);
    EXPECT_EQ(Count(ws->TasksTable3), 0);
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(800.0)));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("TDESC").asString(), "");

    row.Key = 801;
    EXPECT_FALSE(adder->AddTaskToSchedule(row));
    EXPECT_EQ(ws->ui.Status[0], "Duplicate job name- choose a different name");
    EXPECT_EQ(DescOf(ws->ChartsTable5, 801), "<missing>");

    // Another customer's job of the same name is a job of its own.
    NewScheduleItem other = Task(802, "Jones, Ann");
    other.JobRow = true;
    other.SingleAdd = true;
    EXPECT_TRUE(adder->AddTaskToSchedule(other));

    row.SingleAdd = false;  // an import checks no names
    EXPECT_TRUE(adder->AddTaskToSchedule(row));
}

TEST_F(AddTask, AnItemImportedBeforeIsRefusedAfterItsCustomerAndJobWereMade)
{
    NewScheduleItem item = Task(900, "Jones", "Roof");
    item.CustomerListId = "C-1";
    item.ItemListId = "J-1";
    ASSERT_TRUE(adder->AddTaskToSchedule(item));

    NewScheduleItem again = Task(901, "Jones Ltd", "Roof repair");
    again.CustomerListId = "C-2";
    again.ItemListId = "J-1";
    EXPECT_FALSE(adder->AddTaskToSchedule(again));
    EXPECT_EQ(DescOf(ws->ChartsTable5, 901), "<missing>");
    EXPECT_EQ(Count(ws->CustomersTable3), 2);
    EXPECT_FALSE(ws->state.TablesBusy);

    // By QuickBooks id first: another name finds the same customer.
    NewScheduleItem byId = Task(902, "Jones renamed", "Other");
    byId.CustomerListId = "C-1";
    byId.ItemListId = "J-2";
    ASSERT_TRUE(adder->AddTaskToSchedule(byId));
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(902.0)));
    ASSERT_TRUE(ws->CustomersTable3.locate("LISTID", db::Value(std::string("C-1"))));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("CID").asInteger(),
              ws->CustomersTable3.fieldByName("CID").asInteger());
}

TEST_F(AddTask, AJobIsFoundByItsNameAndItsCustomersName)
{
    ASSERT_TRUE(adder->AddTaskToSchedule(Task(1, "Smith", "Kitchen")));
    const std::int32_t smithKitchen = adder->JobKey();
    ASSERT_TRUE(adder->AddTaskToSchedule(Task(2, "Brown", "Kitchen")));
    EXPECT_NE(adder->JobKey(), smithKitchen);
    ASSERT_TRUE(adder->AddTaskToSchedule(Task(3, "Smith", "Kitchen")));
    EXPECT_EQ(adder->JobKey(), smithKitchen);
    EXPECT_EQ(Count(ws->JobsTable3), 2);
}

TEST_F(AddTask, AssignmentRowsAreOnePerItemAndResource)
{
    EXPECT_TRUE(adder->AddCrewIndexRow(10, 1, 5));
    EXPECT_FALSE(adder->AddCrewIndexRow(10, 1, 5));
    EXPECT_TRUE(adder->AddCrewIndexRow(10, 2, 5));
    EXPECT_TRUE(adder->AddCrewIndexRow(11, 1, 5));
    EXPECT_EQ(Count(ws->ICrewsTable), 3);
    adder->DeleteCrewIndexRows(10);
    EXPECT_EQ(Count(ws->ICrewsTable), 1);
}

}  // namespace

namespace {

TEST_F(AddTask, ASingleAddWaitsWhileAnInsertedBlockOfTimeIsPending)
{
    // The insert's timer pushes the working copy; an item added meanwhile
    // (a job summary row of a chart build) must not push the block early.
    ws->state.InsertTimePending = true;
    NewScheduleItem item = Task(600);
    item.SingleAdd = true;
    ASSERT_TRUE(adder->AddTaskToSchedule(item));
    EXPECT_EQ(Count(ws->IChartsTable), 0);
    ws->state.InsertTimePending = false;
    item.Key = 601;
    ASSERT_TRUE(adder->AddTaskToSchedule(item));
    EXPECT_EQ(Count(ws->IChartsTable), 2);
}

// A single add pushes the new item and its twin; whatever else changed in the
// working copy since the last push goes with it, and an add right after a
// push leaves the other shared records as they are.
TEST_F(AddTask, ASingleAddAlsoPushesWhatChangedSinceTheLastPush)
{
    auto single = [this](std::int32_t key) {
        NewScheduleItem item = Task(key);
        item.SingleAdd = true;
        ASSERT_TRUE(adder->AddTaskToSchedule(item));
        EXPECT_EQ(DescOf(ws->IChartsTable, key), "Tiling") << key;
        EXPECT_EQ(DescOf(ws->ITasksTable2, key), "Tiling") << key;
    };
    single(600);
    single(601);

    // Edited here without a push: the next add carries the edits along.
    for (db::Table* t : {&ws->ChartsTable5, &ws->TasksTable3}) {
        t->refresh();
        ASSERT_TRUE(t->locate("CHARTSID", db::Value(600.0)));
        t->edit();
        t->fieldByName("DESC").setAsString("Grouting");
        t->post();
    }
    single(602);
    EXPECT_EQ(DescOf(ws->IChartsTable, 600), "Grouting");
    EXPECT_EQ(DescOf(ws->ITasksTable2, 600), "Grouting");

    // Changed in the shared table meanwhile (another workstation): an add
    // does not write the working copy's older record over it.
    ws->IChartsTable.refresh();
    ASSERT_TRUE(ws->IChartsTable.locate("CHARTSID", db::Value(601.0)));
    ws->IChartsTable.edit();
    ws->IChartsTable.fieldByName("DESC").setAsString("Elsewhere");
    ws->IChartsTable.fieldByName("UPDATE").setAsFloat(99);
    ws->IChartsTable.post();
    single(603);
    EXPECT_EQ(DescOf(ws->IChartsTable, 601), "Elsewhere");
    EXPECT_EQ(Count(ws->IChartsTable), 4);
    EXPECT_EQ(Count(ws->ITasksTable2), 4);

    // A change the shared tables never take (the chart's row numbers), made
    // while an edit waits to be pushed, does not make the tables pass for
    // level: the edit still goes with the next add.
    auto working = [this](std::int32_t key, const char* field, const std::string& text, double number) {
        db::Table& t = ws->ChartsTable5;
        t.refresh();
        ASSERT_TRUE(t.locate("CHARTSID", db::Value(double(key))));
        t.edit();
        if (text.empty())
            t.fieldByName(field).setAsFloat(number);
        else
            t.fieldByName(field).setAsString(text);
        t.post();
    };
    working(602, "DESC", "Sealing", 0);
    ws->sync.KeepLevelsThrough([&] { working(603, "RESOURCE", "", 603); });
    single(604);
    EXPECT_EQ(DescOf(ws->IChartsTable, 602), "Sealing");
    // Kept level through such a change, the next add writes its own item.
    ws->sync.KeepLevelsThrough([&] { working(604, "RESOURCE", "", 604); });
    single(605);
    EXPECT_EQ(Count(ws->IChartsTable), 6);
}

}  // namespace
