// The job task list without its window: the rows it shows with their
// dependency text, the buttons of the current row, the edits through it, a
// double click, and closing, which recomputes every task end and rebuilds
// the chart.
#include <gtest/gtest.h>

#include "tasks/editchart/editchart.h"
#include "workstation.h"

namespace tw::tasks {
namespace {

using namespace tw::schedule::test;

TDateTime At(int day, int h)
{
    return EncodeDate(2026, 12, day) + EncodeTime(h, 0, 0, 0);
}

class EditChartTest : public ::testing::Test, protected OneWorkstation {
protected:
    EditChartTest()
    {
        // Chain A -> B -> C (B follows A's end, C follows B's start) and a job row.
        Add(1, "Frame walls", 0, 2, true, 1, false, At(7, 8), At(8, 12));
        Add(2, "Hang doors", 1, 3, false, 2, false, At(8, 13), At(8, 15));
        Add(3, "Paint trim", 2, 0, false, 3, true, At(8, 14), At(8, 16));
        Add(4, "Kitchen", 0, 0, false, 0, false, At(7, 8), At(8, 16), true);
        list.Open(0);
    }

    void Add(std::int32_t key, const char* desc, std::int32_t pid, std::int32_t child, bool head, int dgn,
             bool used, TDateTime start, TDateTime end, bool job = false)
    {
        db::Table& c = ws->ChartsTable5;
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(key);
        c.fieldByName("DESC").setAsString(desc);
        c.fieldByName("CUSTNAME").setAsString("Ames");
        c.fieldByName("JOBNAME").setAsString("Kitchen");
        c.fieldByName("PID").setAsInteger(pid);
        c.fieldByName("CHILD").setAsInteger(child);
        c.fieldByName("PARENT").setAsBoolean(head);
        c.fieldByName("DG").setAsFloat(dgn ? 46000.5 : 0);
        c.fieldByName("DGN").setAsInteger(dgn);
        c.fieldByName("USED").setAsBoolean(used);
        c.fieldByName("JOB").setAsBoolean(job);
        c.fieldByName("BIDID").setAsInteger(2);
        c.fieldByName("HOURS").setAsFloat(2);
        c.fieldByName("TCOST").setAsCurrency(90);
        c.fieldByName("SD").setAsFloat(start);
        c.fieldByName("ED").setAsFloat(end);
        c.post();
    }

    int RowOfKey(std::int32_t key)
    {
        for (int row = 0; row < list.Model().rowCount(); ++row) {
            ws->ChartsTable2.goTo(list.Model().RecordOf(row));
            if (ws->ChartsTable2.fieldByName("CHARTSID").asInteger() == key)
                return row;
        }
        return -1;
    }
    QString Cell(std::int32_t key, int column)
    {
        return list.Model().data(list.Model().index(RowOfKey(key), column), Qt::DisplayRole).toString();
    }
    double Field(std::int32_t key, const char* name)
    {
        ws->ChartsTable5.refresh();
        ws->ChartsTable5.locate("CHARTSID", db::Value(double(key)));
        return ws->ChartsTable5.fieldByName(name).asFloat();
    }

    // The rest of the program as the list reaches it: the tasks the editor
    // was opened on (key, status), and how often the shared schedule, the
    // task ends and the chart were brought up to date.
    struct FakeHost : EditChartHost {
        int pushes = 0, recomputes = 0, builds = 0;
        std::vector<std::pair<std::int32_t, int>> edited;
        void EditTask(std::int32_t key, int status) override { edited.emplace_back(key, status); }
        void RecomputeAllTaskEnds() override { ++recomputes; }
        void BuildChart() override { ++builds; }
        void PushChartUpdates() override { ++pushes; }
    };

    data::JobStatusTexts statusTexts;
    FakeHost host;
    EditChart list{ws->ChartsTable, ws->ChartsTable3, ws->state, statusTexts, host, ws->ui};
};

TEST_F(EditChartTest, TheListShowsWhatEachTaskDependsOn)
{
    ASSERT_EQ(list.Model().rowCount(), 4);
    ASSERT_EQ(list.Model().columnCount(), 9);
    const char* titles[] = {"Customer", "Job",   "Task", "Is dependent on", "Status", "T. Labor",
                            "Hours",    "Start", "End"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(list.Model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), titles[c]);
    EXPECT_EQ(Cell(1, TaskGridModel::DependsOn), "Is parent");
    EXPECT_EQ(Cell(2, TaskGridModel::DependsOn), "Frame walls");
    EXPECT_EQ(Cell(3, TaskGridModel::DependsOn), "Hang doors");
    EXPECT_EQ(Cell(4, TaskGridModel::DependsOn), "");
    EXPECT_EQ(Cell(2, TaskGridModel::Status), QString::fromStdString(statusTexts.JobStatusName(2)));
    EXPECT_EQ(Cell(2, TaskGridModel::Labor), "90.00");
    EXPECT_EQ(Cell(2, TaskGridModel::Hours), "2.00");
}

TEST_F(EditChartTest, TheButtonsFollowTheRowClicked)
{
    struct Case {
        std::int32_t key;
        bool remove, following;
        int choice;
    } cases[] = {
        {1, true, false, 1},   // a head can leave its chain but follows nothing
        {2, true, true, 1},    // trailing edge
        {3, true, true, 0},    // leading edge
        {4, false, false, 1},  // outside any chain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        list.TaskGridCellClick(RowOfKey(c.key));
        EXPECT_EQ(list.Buttons.RemoveDependencyEnabled, c.remove);
        EXPECT_EQ(list.Buttons.DependentFollowingEnabled, c.following);
        EXPECT_EQ(list.Buttons.DependentFollowing, c.choice);
        EXPECT_EQ(list.CurrentRow(), RowOfKey(c.key));
    }
}

TEST_F(EditChartTest, RemovingTheMiddleTaskJoinsItsNeighboursAndTheListShowsIt)
{
    list.TaskGridCellClick(RowOfKey(2));
    list.RemoveDependencyClick();
    EXPECT_EQ(Cell(3, TaskGridModel::DependsOn), "Frame walls");
    EXPECT_EQ(Cell(2, TaskGridModel::DependsOn), "");
    EXPECT_EQ(Field(1, "CHILD"), 3);
    EXPECT_EQ(Field(2, "DGN"), 0);
    EXPECT_GE(host.pushes, 1);
    // The row stays current, now outside any chain.
    EXPECT_EQ(list.CurrentRow(), RowOfKey(2));
    EXPECT_FALSE(list.Buttons.RemoveDependencyEnabled);
}

TEST_F(EditChartTest, SwitchingToTheLeadingEdgeMeasuresFromTheParentsStart)
{
    // Frame walls Monday 8:00 - Tuesday 12:00; Hang doors starts Tuesday 13:00.
    list.TaskGridCellClick(RowOfKey(2));
    list.DependentFollowingClick(1);
    EXPECT_NEAR(Field(2, "OFFSET"), 1.0 / 24, 1e-7);
    list.DependentFollowingClick(0);
    EXPECT_NEAR(Field(2, "OFFSET"), 1 + 5.0 / 24, 1e-7);
    EXPECT_EQ(Field(2, "USED"), 1);
    EXPECT_EQ(list.Buttons.DependentFollowing, 0);
}

TEST_F(EditChartTest, ADoubleClickEditsATaskButNotAJob)
{
    list.TaskGridDblClick(RowOfKey(4));
    EXPECT_EQ(list.StatusBar, "You are not allowed to edit a job");
    EXPECT_TRUE(host.edited.empty());
    list.TaskGridDblClick(RowOfKey(3));
    EXPECT_EQ(list.StatusBar, "");
    const std::vector<std::pair<std::int32_t, int>> expected{{3, 2}};
    EXPECT_EQ(host.edited, expected);
}

TEST_F(EditChartTest, ClosingKeepsThePlaceRecomputesAndRebuildsOnce)
{
    EXPECT_FALSE(list.Open(0)) << "open already: only restored";
    EditChartGeometry kept;
    list.FormClose({30, 40, 900, 500}, kept);
    EXPECT_EQ(kept.Left, 30);
    EXPECT_EQ(kept.Top, 40);
    EXPECT_EQ(kept.Width, 900);
    EXPECT_EQ(kept.Height, 500);
    EXPECT_EQ(host.recomputes, 1);
    EXPECT_EQ(host.builds, 1);
    EXPECT_FALSE(list.IsOpen());
    list.FormClose({0, 0, 1, 1}, kept);
    EXPECT_EQ(host.builds, 1);
    EXPECT_EQ(kept.Width, 900);
    // Nothing is edited through a closed list.
    list.TaskGridDblClick(0);
    EXPECT_TRUE(host.edited.empty());
}

}  // namespace
}  // namespace tw::tasks
