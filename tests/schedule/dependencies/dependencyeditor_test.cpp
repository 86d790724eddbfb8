// Taking tasks out of a dependency chain and switching the edge a dependent
// task follows, on a chain A -> B -> C in a working copy.
#include <gtest/gtest.h>

#include "schedule/dependencies/dependencyeditor.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

TDateTime At(int day, int h)
{
    return EncodeDate(2026, 12, day) + EncodeTime(h, 0, 0, 0);
}

struct Link {
    std::int32_t key;
    std::int32_t pid;
    std::int32_t child;
    bool head;
    int dgn;
    bool used;
    TDateTime start, end;
};

struct Deps {
    std::int32_t pid, child;
    bool head;
    double dg;
    int dgn;
    double offset;
    bool used;
    float update;
};

class DependencyEdits : public ::testing::Test, protected OneWorkstation {
protected:
    DependencyEditor editor{ws->ChartsTable, ws->ChartsTable3, ws->state, [this] { ++pushes; }};
    int pushes = 0;

    void Add(const Link& l)
    {
        db::Table& c = ws->ChartsTable5;
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(l.key);
        c.fieldByName("PID").setAsInteger(l.pid);
        c.fieldByName("CHILD").setAsInteger(l.child);
        c.fieldByName("PARENT").setAsBoolean(l.head);
        c.fieldByName("DG").setAsFloat(l.dgn ? 46000.5 : 0);
        c.fieldByName("DGN").setAsInteger(l.dgn);
        c.fieldByName("USED").setAsBoolean(l.used);
        c.fieldByName("OFFSET").setAsFloat(0.5);
        c.fieldByName("SD").setAsFloat(l.start);
        c.fieldByName("ED").setAsFloat(l.end);
        c.fieldByName("UPDATE").setAsFloat(1.1);
        c.post();
    }
    void Chain()
    {
        // A Monday 8:00 - Tuesday 12:00, B from Tuesday 13:00, C from Wednesday 9:00.
        Add({1, 0, 2, true, 1, false, At(7, 8), At(8, 12)});
        Add({2, 1, 3, false, 2, false, At(8, 13), At(8, 15)});
        Add({3, 2, 0, false, 3, true, At(9, 9), At(9, 10)});
        ws->ChartsTable.refresh();
    }
    void On(std::int32_t key)
    {
        ws->ChartsTable.refresh();
        ASSERT_TRUE(ws->ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(key))));
    }
    Deps Get(std::int32_t key)
    {
        db::Table& c = ws->ChartsTable3;
        c.refresh();
        EXPECT_TRUE(c.locate("CHARTSID", db::Value(static_cast<double>(key))));
        return {c.fieldByName("PID").asInteger(),    c.fieldByName("CHILD").asInteger(),
                c.fieldByName("PARENT").asBoolean(), c.fieldByName("DG").asFloat(),
                c.fieldByName("DGN").asInteger(),    c.fieldByName("OFFSET").asFloat(),
                c.fieldByName("USED").asBoolean(),   static_cast<float>(c.fieldByName("UPDATE").asFloat())};
    }
};

TEST_F(DependencyEdits, RemovingTheMiddleJoinsItsNeighbours)
{
    Chain();
    On(2);
    editor.RemoveDependencyClick();
    const Deps a = Get(1), b = Get(2), c = Get(3);
    EXPECT_EQ(a.child, 3);
    EXPECT_FLOAT_EQ(a.update, 2.1f);
    EXPECT_EQ(c.pid, 1);
    // C follows A's start (USED): Wednesday 9:00 - Monday 8:00.
    EXPECT_NEAR(c.offset, At(9, 9) - At(7, 8), 1e-7);  // stored with eight decimals
    EXPECT_EQ(c.dgn, 3);
    EXPECT_EQ(b.pid, 0);
    EXPECT_EQ(b.child, 0);
    EXPECT_EQ(b.offset, 0);
    EXPECT_EQ(b.dg, 0);
    EXPECT_EQ(b.dgn, 0);
    EXPECT_FLOAT_EQ(b.update, 2.1f);
    EXPECT_EQ(pushes, 1);
}

TEST_F(DependencyEdits, RemovingTheHeadMakesTheNextTheHead)
{
    Chain();
    On(1);
    editor.RemoveDependencyClick();
    const Deps a = Get(1), b = Get(2), c = Get(3);
    EXPECT_FALSE(a.head);
    EXPECT_EQ(a.child, 0);
    EXPECT_EQ(a.dg, 0);
    EXPECT_EQ(a.dgn, 0);
    EXPECT_TRUE(b.head);
    EXPECT_EQ(b.dgn, 1);
    EXPECT_EQ(b.pid, 0);
    EXPECT_NE(b.dg, 0);  // the chain keeps its group
    // B follows A's end: Tuesday 13:00 - Tuesday 12:00.
    EXPECT_NEAR(b.offset, 1.0 / 24, 1e-7);  // stored with eight decimals
    EXPECT_EQ(c.dgn, 3);
}

TEST_F(DependencyEdits, TwoTaskChains)
{
    // Removing the head of A -> B leaves B outside any chain.
    Add({1, 0, 2, true, 1, false, At(7, 8), At(8, 12)});
    Add({2, 1, 0, false, 2, false, At(8, 13), At(8, 15)});
    On(1);
    editor.RemoveDependencyClick();
    EXPECT_EQ(Get(2).pid, 0);
    EXPECT_EQ(Get(2).dg, 0);
    EXPECT_EQ(Get(2).dgn, 0);
    EXPECT_FALSE(Get(2).head);
}

TEST_F(DependencyEdits, RemovingTheLastKeepsTheHead)
{
    Add({1, 0, 2, true, 1, false, At(7, 8), At(8, 12)});
    Add({2, 1, 0, false, 2, false, At(8, 13), At(8, 15)});
    On(2);
    editor.RemoveDependencyClick();
    EXPECT_EQ(Get(1).child, 0);
    EXPECT_TRUE(Get(1).head);
    EXPECT_EQ(Get(2).pid, 0);
    EXPECT_EQ(Get(2).dgn, 0);
}

TEST_F(DependencyEdits, SwitchingTheFollowedEdgeRecomputesTheOffset)
{
    Chain();
    On(2);
    EXPECT_EQ(editor.UpdateDependencyButtons().DependentFollowing, 1);
    editor.DependentFollowingClick(0);
    EXPECT_TRUE(Get(2).used);
    EXPECT_NEAR(Get(2).offset, 1 + 5.0 / 24, 1e-7);  // stored with eight decimals
    editor.DependentFollowingClick(1);
    EXPECT_FALSE(Get(2).used);
    EXPECT_NEAR(Get(2).offset, 1.0 / 24, 1e-7);  // stored with eight decimals
    EXPECT_EQ(pushes, 2);
}

TEST_F(DependencyEdits, ButtonsFollowTheRecord)
{
    Chain();
    Add({9, 0, 0, false, 0, true, At(7, 8), At(7, 9)});
    struct Row {
        std::int32_t key;
        bool remove, following;
    } rows[] = {{1, true, false}, {2, true, true}, {3, true, true}, {9, false, false}};
    for (const Row& row : rows) {
        On(row.key);
        const DependencyButtons b = editor.UpdateDependencyButtons();
        EXPECT_EQ(b.RemoveDependencyEnabled, row.remove) << row.key;
        EXPECT_EQ(b.DependentFollowingEnabled, row.following) << row.key;
    }
}

}  // namespace
