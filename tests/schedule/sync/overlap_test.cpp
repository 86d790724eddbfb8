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
};

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

}  // namespace
