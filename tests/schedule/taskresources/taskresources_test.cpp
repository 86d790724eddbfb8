// The resources of a task: adding one (primary when the task has none),
// removing down to the last, the primary passing to the next, and the double
// click that makes a resource primary.
#include <gtest/gtest.h>

#include <set>

#include "schedule/taskresources/taskresources.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

TDateTime At(int day, int h)
{
    return EncodeDate(2026, 12, day) + EncodeTime(h, 0, 0, 0);
}

class Resources : public ::testing::Test, protected OneWorkstation {
protected:
    Resources()
    {
        Workstation::Open(crews, shared.path(), "crews.dbf");
        for (auto [id, name] : {std::pair{1, "Ann"}, {2, "Bob"}, {3, "Cy"}}) {
            crews.append();
            crews.fieldByName("CREWID").setAsInteger(id);
            crews.fieldByName("DESC").setAsString(name);
            crews.post();
        }
        adder = std::make_unique<ScheduleAdder>(ws->tables, ws->state, ws->ui, ws->sync);
        calendars = std::make_unique<CalendarTables>(ws->CalendarTable, holidays, ws->state);
        resources = std::make_unique<TaskResources>(TaskResourceContext{
            .Charts = ws->ChartsTable,
            .Crews = crews,
            .Assignments = ws->ICrewsTable3,
            .Tables = ws->tables,
            .State = ws->state,
            .UI = ws->ui,
            .Adder = *adder,
            .Sync = ws->sync,
            .Calendars = *calendars,
            .ShowResourcesOfTask = [this](std::int32_t key) { ShowByTask(key); },
        });
    }

    // The resources grid "By task": crews filtered to the task's rows.
    void ShowByTask(std::int32_t key)
    {
        std::set<std::int32_t> ids;
        ws->ICrewsTable2.refresh();
        for (ws->ICrewsTable2.first(); !ws->ICrewsTable2.eof(); ws->ICrewsTable2.next())
            if (ws->ICrewsTable2.fieldByName("CHARTSID").asInteger() == key)
                ids.insert(ws->ICrewsTable2.fieldByName("CREWID").asInteger());
        crews.setOnFilterRecord([ids](const db::Table& t) {
            return ids.count(const_cast<db::Table&>(t).fieldByName("CREWID").asInteger()) > 0;
        });
        crews.setFiltered(!ids.empty());
        crews.first();
    }

    void Task(std::int32_t key, std::int32_t primary, std::initializer_list<std::int32_t> assigned)
    {
        db::Table& c = ws->ChartsTable;
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(key);
        c.fieldByName("CREWID").setAsInteger(primary);
        c.fieldByName("JID").setAsInteger(70);
        c.fieldByName("DESC").setAsString("Paint");
        c.fieldByName("SD").setAsFloat(At(8, 9));
        c.fieldByName("ED").setAsFloat(At(8, 11));
        c.fieldByName("HOURS").setAsFloat(2);
        c.fieldByName("UPDATE").setAsFloat(1.1);
        c.post();
        for (std::int32_t crew : assigned)
            adder->AddCrewIndexRow(key, crew, 70);
        ws->ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(key)));
    }
    void Choose(std::int32_t crew)
    {
        crews.setFiltered(false);
        ASSERT_TRUE(crews.locate("CREWID", db::Value(static_cast<double>(crew))));
    }
    std::set<std::int32_t> Assigned(std::int32_t key)
    {
        std::set<std::int32_t> ids;
        db::Table& rows = ws->ICrewsTable3;
        rows.refresh();
        for (rows.first(); !rows.eof(); rows.next())
            if (rows.fieldByName("CHARTSID").asInteger() == key)
                ids.insert(rows.fieldByName("CREWID").asInteger());
        return ids;
    }
    std::int32_t Primary()
    {
        ws->ChartsTable.refresh();
        return ws->ChartsTable.fieldByName("CREWID").asInteger();
    }
    float Update()
    {
        ws->ChartsTable.refresh();
        return static_cast<float>(ws->ChartsTable.fieldByName("UPDATE").asFloat());
    }

    db::Table crews;
    HolidayList holidays;
    std::unique_ptr<ScheduleAdder> adder;
    std::unique_ptr<CalendarTables> calendars;
    std::unique_ptr<TaskResources> resources;
};

TEST_F(Resources, RemovingThePrimaryPassesItOnAndTheLastOneStays)
{
    Task(5, 1, {1, 2});
    Choose(1);
    resources->RemoveResourceFromTask();
    EXPECT_EQ(Assigned(5), std::set<std::int32_t>{2});
    EXPECT_EQ(Primary(), 2);
    EXPECT_FLOAT_EQ(Update(), 2.1f);

    Choose(2);
    resources->RemoveResourceFromTask();
    EXPECT_EQ(Assigned(5), std::set<std::int32_t>{2});
    EXPECT_EQ(ws->ui.StatusText(1), "At least one resource must be assigned to a task");
}

TEST_F(Resources, RemovingAFurtherResourceLeavesTheTaskAlone)
{
    Task(5, 1, {1, 2, 3});
    Choose(3);
    resources->RemoveResourceFromTask();
    EXPECT_EQ(Assigned(5), (std::set<std::int32_t>{1, 2}));
    EXPECT_EQ(Primary(), 1);
    EXPECT_FLOAT_EQ(Update(), 1.1f);
}

TEST_F(Resources, AddingMakesTheFirstPrimaryAndKeepsTheDatesOfAFurtherOne)
{
    Task(5, 0, {});
    Choose(2);
    resources->AddResourceToTask();
    EXPECT_EQ(Primary(), 2);
    EXPECT_EQ(ws->ui.StatusText(1), "Bob assigned to Paint");
    resources->AddResourceToTask();
    EXPECT_EQ(ws->ui.StatusText(1), "Bob already assigned to Paint");

    const TDateTime start = ws->ChartsTable.fieldByName("SD").asFloat();
    const TDateTime end = ws->ChartsTable.fieldByName("ED").asFloat();
    Choose(3);
    resources->AddResourceToTask();
    EXPECT_EQ(Assigned(5), (std::set<std::int32_t>{2, 3}));
    EXPECT_EQ(Primary(), 2);
    EXPECT_EQ(ws->ChartsTable.fieldByName("SD").asFloat(), start);
    EXPECT_EQ(ws->ChartsTable.fieldByName("ED").asFloat(), end);
    // The row carries the task's own job.
    ASSERT_TRUE(ws->ICrewsTable3.locate("CHARTSID;CREWID", {db::Value(5.0), db::Value(3.0)}));
    EXPECT_EQ(ws->ICrewsTable3.fieldByName("JID").asInteger(), 70);
    // Every change reached the shared schedule.
    ws->IChartsTable.refresh();
    ASSERT_TRUE(ws->IChartsTable.locate("CHARTSID", db::Value(5.0)));
    EXPECT_EQ(ws->IChartsTable.fieldByName("CREWID").asInteger(), 2);
}

TEST_F(Resources, DoubleClickMakesAResourceOfTheGroupPrimary)
{
    Task(5, 1, {1, 2});
    Choose(3);
    resources->CrewsGridDblClick();
    EXPECT_EQ(ws->ui.StatusText(1), "Selected resource must be part of resource group for this task");
    EXPECT_EQ(Primary(), 1);

    Choose(2);
    resources->CrewsGridDblClick();
    EXPECT_EQ(Primary(), 2);
    EXPECT_EQ(ws->ui.StatusText(1), "Bob is primary resource for Paint");
    EXPECT_EQ(Assigned(5), (std::set<std::int32_t>{1, 2}));

    // A task with one row takes any free resource, and its row follows.
    Task(6, 1, {1});
    Choose(3);
    resources->CrewsGridDblClick();
    EXPECT_EQ(Primary(), 3);
    EXPECT_EQ(Assigned(6), std::set<std::int32_t>{3});
    EXPECT_EQ(ws->ui.StatusText(1), "Cy assigned to Paint");
}

TEST_F(Resources, ReadOnlyCopyChangesNothing)
{
    Task(5, 1, {1, 2});
    ws->state.ReadOnlyCopy = true;
    Choose(2);
    resources->RemoveResourceFromTask();
    resources->AddResourceToTask();
    resources->CrewsGridDblClick();
    EXPECT_EQ(Assigned(5), (std::set<std::int32_t>{1, 2}));
    EXPECT_EQ(Primary(), 1);
}

}  // namespace
