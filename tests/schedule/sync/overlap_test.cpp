// Whether a resource is free over an interval, judged by the assignment rows
// and the working copy.
#include <gtest/gtest.h>

#include "../calendars.h"
#include "schedule/sync/resourceoverlap.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;
using namespace tw::schedule::testing;

namespace {

class Overlap : public ::testing::Test, protected OneWorkstation {
protected:
    Overlap()
    {
        db::Table& crews = ws->CrewsTable2;
        crews.append();
        crews.fieldByName("CREWID").setAsInteger(1);
        crews.fieldByName("DESC").setAsString("Crew A");
        crews.post();
    }

    // A schedule item of resource `crew` from h1 to h2 on Monday.
    // dg names its dependency chain; its place in the chain is key % 7.
    void Task(std::int32_t key, std::int32_t crew, int h1, int m1, int h2, int m2, double dg = 0,
              bool job = false)
    {
        db::Table& t = ws->ChartsTable5;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(key);
        t.fieldByName("SD").setAsFloat(Day(kMonday, h1, m1));
        t.fieldByName("ED").setAsFloat(Day(kMonday, h2, m2));
        t.fieldByName("DG").setAsFloat(dg);
        t.fieldByName("DGN").setAsFloat(dg > 0 ? key % 7 : 0);
        t.fieldByName("JOB").setAsBoolean(job);
        t.fieldByName("DESC").setAsString("Task " + std::to_string(key));
        t.fieldByName("CUSTNAME").setAsString("Smith");
        t.post();
        Assign(key, crew);
    }

    void Assign(std::int32_t key, std::int32_t crew)
    {
        db::Table& r = ws->ICrewsTable;
        r.append();
        r.fieldByName("CHARTSID").setAsInteger(key);
        r.fieldByName("CREWID").setAsInteger(crew);
        r.fieldByName("ICREWID").setAsInteger(key * 100 + crew);
        r.post();
    }

    bool Free(std::int32_t crew, int h1, int m1, int h2, int m2, std::int32_t key, bool quiet = true)
    {
        return ResourcesAreFree(ws->tables, ws->ui, quiet, crew, Day(kMonday, h1, m1), Day(kMonday, h2, m2),
                                key);
    }

    // A task from one moment to another, on any days.
    void Span(std::int32_t key, std::int32_t crew, TDateTime start, TDateTime end)
    {
        db::Table& t = ws->ChartsTable5;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(key);
        t.fieldByName("SD").setAsFloat(start);
        t.fieldByName("ED").setAsFloat(end);
        t.fieldByName("DESC").setAsString("Task " + std::to_string(key));
        t.fieldByName("CUSTNAME").setAsString("Smith");
        t.post();
        Assign(key, crew);
    }

    static bool Locate(db::Table& t, const char* field, std::int32_t value)
    {
        t.refresh();
        return t.locate(field, db::Value(static_cast<double>(value)));
    }
};

// A span to check: the resource, Monday or Tuesday from h1:m1 to h2:m2, the
// task being edited (0 for a new one) and the answer.
struct Probe {
    const char* name;
    std::int32_t crew;
    int d1, h1, m1, d2, h2, m2;
    std::int32_t key;
    bool free;
};

void ExpectAnswers(Workstation& ws, std::initializer_list<Probe> probes)
{
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(ResourcesAreFree(ws.tables, ws.ui, true, p.crew, Day(p.d1, p.h1, p.m1), Day(p.d2, p.h2, p.m2),
                                   p.key),
                  p.free);
    }
}

TEST_F(Overlap, StrictOverlapsOnlyAndNeverWithJobRowsOrTheSameChain)
{
    Task(1, 1, 8, 0, 10, 0);           // A 8:00-10:00
    Task(2, 1, 14, 0, 16, 0, 2);       // in chain 2
    Task(3, 1, 6, 0, 20, 0, 0, true);  // a job row over the whole day
    Task(4, 2, 10, 10, 12, 0);         // another resource
    struct Case {
        const char* name;
        std::int32_t crew;
        int h1, m1, h2, m2;
        std::int32_t key;
        double ownChain;
        bool free;
    };
    const Case cases[] = {
        {"touching after", 1, 10, 0, 12, 0, 0, 0, true},
        {"touching before", 1, 7, 0, 8, 0, 0, 0, true},
        {"overlapping start", 1, 9, 45, 11, 0, 0, 0, false},
        {"inside", 1, 8, 30, 9, 0, 0, 0, false},
        {"the task itself", 1, 8, 0, 10, 0, 1, 0, true},
        {"same chain", 1, 15, 0, 17, 0, 50, 2, true},
        {"other chain", 1, 15, 0, 17, 0, 50, 3, false},
        {"no chain at all", 1, 15, 0, 17, 0, 50, 0, false},
        {"start rounded up onto the other task", 2, 10, 5, 12, 0, 0, 0, false},
        {"resource without assignments", 9, 8, 0, 10, 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.key == 50) {
            // The task being checked, stored with its own chain number.
            ws->ChartsTable5.refresh();
            if (ws->ChartsTable5.locate("CHARTSID", db::Value(50.0)))
                ws->ChartsTable5.deleteRecord();
            ws->ChartsTable5.append();
            ws->ChartsTable5.fieldByName("CHARTSID").setAsInteger(50);
            ws->ChartsTable5.fieldByName("DG").setAsFloat(c.ownChain);
            // Its place in a chain says nothing of which chain: another place
            // in task 2's chain, the same place as task 2 in any other.
            ws->ChartsTable5.fieldByName("DGN").setAsFloat(c.ownChain == 2 ? 5 : 2);
            ws->ChartsTable5.post();
        }
        EXPECT_EQ(Free(c.crew, c.h1, c.m1, c.h2, c.m2, c.key), c.free);
    }
    EXPECT_TRUE(ws->ui.Messages.empty()) << "quiet";
}

TEST_F(Overlap, FurtherResourcesOfTheTaskCountAndAnOverlapIsReported)
{
    Task(1, 1, 8, 0, 10, 0);
    Assign(60, 2);             // task 60 (not stored yet) also uses resource 2 ...
    Task(5, 2, 11, 0, 12, 0);  // ... which is busy 11:00-12:00
    Assign(99, 3);             // the primary resource has a row of an item not in the working copy
    EXPECT_TRUE(Free(3, 10, 0, 11, 0, 60));
    EXPECT_FALSE(Free(3, 10, 0, 11, 30, 60, false));
    ASSERT_EQ(ws->ui.Messages.size(), 1u);
    EXPECT_EQ(ws->ui.Messages[0].text,
              "Task dates overlap customer Smith\nTask:  Task 5\nResource:  unknown");
    EXPECT_EQ(ws->ui.Messages[0].caption, "Choose a different resource or time");

    EXPECT_FALSE(Free(1, 9, 0, 9, 30, 0, false));
    EXPECT_EQ(ws->ui.Messages.back().text,
              "Task dates overlap customer Smith\nTask:  Task 1\nResource:  Crew A");
}

TEST_F(Overlap, EdgesOfASpanAcrossADayBreakAndRowsThatNoLongerCount)
{
    Span(1, 1, Day(kMonday, 8, 0), Day(kMonday, 10, 0));
    Span(2, 1, Day(kMonday, 14, 0), Day(kTuesday, 10, 0));  // over the night
    Span(3, 2, Day(kMonday, 10, 0), Day(kMonday, 12, 0));   // another resource
    Span(4, 1, Day(kTuesday, 13, 0), Day(kTuesday, 15, 0));
    Span(5, 1, Day(kTuesday, 16, 0), Day(kTuesday, 17, 0));
    // Task 4 lost its assignment row, task 5 its record in the working copy.
    ASSERT_TRUE(Locate(ws->ICrewsTable, "CHARTSID", 4));
    ws->ICrewsTable.deleteRecord();
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 5));
    ws->ChartsTable5.deleteRecord();

    const int M = kMonday, T = kTuesday;
    ExpectAnswers(*ws, {
        {"touching the end", 1, M, 10, 0, M, 11, 0, 0, true},
        {"touching the start", 1, M, 7, 0, M, 8, 0, 0, true},
        {"same start, shorter", 1, M, 8, 0, M, 8, 30, 0, false},
        {"same start and end", 1, M, 8, 0, M, 10, 0, 0, false},
        {"around it", 1, M, 7, 0, M, 11, 0, 0, false},
        {"start rounded up onto the end", 1, M, 9, 50, M, 11, 0, 0, true},
        {"in the night of a task over the day break", 1, M, 20, 0, M, 22, 0, 0, false},
        {"its morning after", 1, T, 9, 0, T, 11, 0, 0, false},
        {"touching its end the morning after", 1, T, 10, 0, T, 12, 0, 0, true},
        {"over the whole day break", 1, M, 12, 0, T, 12, 0, 0, false},
        {"another resource's task at the time", 1, M, 10, 0, M, 12, 0, 0, true},
        {"that resource itself", 2, M, 11, 0, M, 13, 0, 0, false},
        {"the task itself, edited in place", 1, M, 8, 0, M, 10, 0, 1, true},
        {"the task itself, moved later", 1, M, 9, 0, M, 11, 0, 1, true},
        {"the task itself, moved onto the next", 1, M, 9, 0, M, 15, 0, 1, false},
        {"another task moved onto it", 1, M, 9, 0, M, 11, 0, 2, false},
        {"a task whose assignment row was deleted", 1, T, 13, 30, T, 14, 0, 0, true},
        {"a task whose record was deleted", 1, T, 16, 0, T, 17, 0, 0, true},
    });
    EXPECT_TRUE(ws->ui.Messages.empty()) << "quiet";
}

// Between two checks the tables change through any cursor; each answer is
// the one that the tables give at that moment.
TEST_F(Overlap, EveryAnswerFollowsTheWritesSinceTheCheckBefore)
{
    Span(1, 1, Day(kMonday, 8, 0), Day(kMonday, 10, 0));
    Span(2, 2, Day(kMonday, 12, 0), Day(kMonday, 14, 0));
    const int M = kMonday, T = kTuesday;
    ExpectAnswers(*ws, {{"before", 1, M, 9, 0, M, 9, 30, 0, false},
                        {"the other before", 2, M, 13, 0, M, 15, 0, 0, false}});

    // The task is moved to Tuesday through another view of the working copy.
    ASSERT_TRUE(Locate(ws->ChartsTable3, "CHARTSID", 1));
    ws->ChartsTable3.edit();
    ws->ChartsTable3.fieldByName("SD").setAsFloat(Day(kTuesday, 8, 0));
    ws->ChartsTable3.fieldByName("ED").setAsFloat(Day(kTuesday, 10, 0));
    ws->ChartsTable3.post();
    ExpectAnswers(*ws, {{"moved away", 1, M, 9, 0, M, 9, 30, 0, true},
                        {"moved there", 1, T, 9, 0, T, 9, 30, 0, false}});

    // Task 2 changes hands from resource 2 to resource 1.
    ASSERT_TRUE(Locate(ws->ICrewsTable2, "CHARTSID", 2));
    ws->ICrewsTable2.edit();
    ws->ICrewsTable2.fieldByName("CREWID").setAsInteger(1);
    ws->ICrewsTable2.post();
    ExpectAnswers(*ws, {{"gained", 1, M, 13, 0, M, 15, 0, 0, false},
                        {"lost", 2, M, 13, 0, M, 15, 0, 0, true}});

    // It becomes a job row, then a task of chain 7 again, then it is deleted.
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 2));
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("JOB").setAsBoolean(true);
    ws->ChartsTable5.post();
    ExpectAnswers(*ws, {{"a job row", 1, M, 13, 0, M, 15, 0, 0, true}});
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 2));
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("JOB").setAsBoolean(false);
    ws->ChartsTable5.fieldByName("DG").setAsFloat(7);
    ws->ChartsTable5.post();
    Span(3, 1, Day(kMonday, 16, 0), Day(kMonday, 17, 0));
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 3));
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("DG").setAsFloat(7);
    ws->ChartsTable5.post();
    ExpectAnswers(*ws, {{"a task again", 1, M, 13, 0, M, 15, 0, 0, false},
                        {"moved within its own chain", 1, M, 13, 0, M, 15, 0, 3, true}});
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 2));
    ws->ChartsTable5.deleteRecord();
    ExpectAnswers(*ws, {{"deleted", 1, M, 13, 0, M, 15, 0, 0, true}});

    // A long task is added, and the assignment table is closed, written by a
    // cursor of its own and opened again in between.
    Span(4, 1, Day(kMonday, 0, 0), Day(kTuesday + 14, 0, 0));
    ExpectAnswers(*ws, {{"inside a long task", 1, T + 7, 9, 0, T + 7, 10, 0, 0, false}});
    for (db::Table* t : {&ws->ICrewsTable, &ws->ICrewsTable2, &ws->ICrewsTable3})
        t->close();
    {
        db::Table rows;
        Workstation::Open(rows, shared.path(), "ICrews.DBF");
        ASSERT_TRUE(Locate(rows, "CHARTSID", 4));
        rows.deleteRecord();
        rows.append();
        rows.fieldByName("CHARTSID").setAsInteger(3);
        rows.fieldByName("CREWID").setAsInteger(5);
        rows.fieldByName("ICREWID").setAsInteger(305);
        rows.post();
    }
    for (db::Table* t : {&ws->ICrewsTable, &ws->ICrewsTable2, &ws->ICrewsTable3})
        t->open();
    ExpectAnswers(*ws, {{"its row gone", 1, T + 7, 9, 0, T + 7, 10, 0, 0, true},
                        {"a further row", 5, M, 16, 30, M, 18, 0, 0, false}});
}

// The same answers from a view of the working copy that a filter narrows
// (every record passes it).
TEST_F(Overlap, AFilteredViewGivesTheSameAnswers)
{
    ws->ChartsTable7.setFilter("CHARTSID > 0");
    ws->ChartsTable7.setFiltered(true);
    Span(1, 1, Day(kMonday, 8, 0), Day(kMonday, 10, 0));
    const int M = kMonday;
    ExpectAnswers(*ws, {{"busy", 1, M, 9, 0, M, 9, 30, 0, false}, {"free", 1, M, 10, 0, M, 11, 0, 0, true}});
    ASSERT_TRUE(Locate(ws->ChartsTable5, "CHARTSID", 1));
    ws->ChartsTable5.deleteRecord();
    ExpectAnswers(*ws, {{"deleted", 1, M, 9, 0, M, 9, 30, 0, true}});
}

}  // namespace
