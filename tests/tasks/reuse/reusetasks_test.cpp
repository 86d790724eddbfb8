// "Reuse a task" without its window: the task list sorted and shown, an entry
// copied into the task editor, and entries deleted from the working and the
// shared task list under the network lock.
#include <gtest/gtest.h>

#include "editorfixture.h"
#include "tasks/reuse/reusetasks.h"
#include "support/recordinguserinterface.h"

namespace tw::tasks {
namespace {

using namespace testing;
using schedule::testing::kWednesday;

class ReuseTasksTest : public ::testing::Test, protected EditorFixture {
protected:
    ReuseTasksTest()
    {
        fitUnits = AddTask(kAnn, "Fit units", Day(kMonday, 8), 12);       // Mon 8:00 - Tue 12:00
        paintWalls = AddTask(kAnn, "Paint walls", Day(kTuesday, 13), 2);  // Tue 13:00 - 15:00
        ws->state.CurrentResourceId = kBob;
        cleanUp = AddTask(kBob, "clean up", Day(kMonday, 9), 20);  // 20 hours: still hours
    }

    std::int64_t Count(db::Table& t)
    {
        t.refresh();
        return t.recordCount();
    }
    bool InSharedList(std::int32_t key)
    {
        ws->ITasksTable2.refresh();
        return ws->ITasksTable2.locate("CHARTSID", db::Value(double(key)));
    }

    std::int32_t fitUnits = 0, paintWalls = 0, cleanUp = 0;
    data::NetworkLock lock{ws->AccessTable, ws->state, ui};
    ReuseTasksContext reuseContext{ws->TasksTable, ws->ITasksTable2, lock, calendars, ws->state, ui};
    ReuseTasks reuse{reuseContext};
};

TEST_F(ReuseTasksTest, TheListIsShownInTheOrderChosen)
{
    struct Case {
        int sortBy;
        std::vector<std::string> order;
    } cases[] = {
        {0, {"clean up", "Fit units", "Paint walls"}},  // by description, whatever the case
        {1, {"Fit units", "clean up", "Paint walls"}},
        {2, {"Paint walls", "Fit units", "clean up"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sortBy);
        reuse.Form.SortByPanel = c.sortBy;
        ASSERT_TRUE(reuse.Execute(0));
        std::vector<std::string> shown{reuse.Form.TaskDesc};
        for (int i = 1; i < 3; ++i) {
            reuse.NavigatorClick(ReuseTasks::Move::Next);
            shown.push_back(reuse.Form.TaskDesc);
        }
        EXPECT_EQ(shown, c.order);
        reuse.FormClose();
    }

    // The first entry by description, as it is shown.
    reuse.Form.SortByPanel = 0;
    ASSERT_TRUE(reuse.Execute(1));
    EXPECT_FALSE(reuse.Form.HintsShown);
    EXPECT_EQ(reuse.Form.PeriodPanel, 0);
    EXPECT_EQ(reuse.Form.TaskLength, "          20.00");
    EXPECT_EQ(reuse.Form.HourlyRate, "40.00");
    EXPECT_EQ(reuse.Form.Customer, "Ames");
    EXPECT_NEAR(reuse.Form.TaskStartDate + reuse.Form.TaskStartTime, Day(kMonday, 9), 1e-9);
    // Opening again while open only restores the window.
    EXPECT_FALSE(reuse.Execute(0));
    EXPECT_TRUE(reuse.RestoreRequested);
}

TEST_F(ReuseTasksTest, AnEmptyListShowsNothing)
{
    for (std::int64_t n = Count(ws->TasksTable); n > 0; --n) {
        ws->TasksTable.first();
        ws->TasksTable.deleteRecord();
    }
    EXPECT_FALSE(reuse.Execute(0));
    EXPECT_FALSE(reuse.IsOpen());
}

TEST_F(ReuseTasksTest, AReusedTaskIsCopiedIntoTheEditorAndSavedWithoutASecondListEntry)
{
    Add(kBob, "", std::nullopt);
    ASSERT_TRUE(reuse.Execute(0));
    reuse.NavigatorClick(ReuseTasks::Move::Next);  // "Fit units"
    ASSERT_EQ(reuse.Form.TaskDesc, "Fit units");
    // Moved in the dialog before it is reused.
    reuse.Form.TaskStartDate = Day(kWednesday + 1, 0);
    reuse.Form.TaskStartTime = schedule::testing::Time(8, 0);
    reuse.ReuseTaskClick(editor);
    EXPECT_TRUE(reuse.CloseRequested);
    EXPECT_EQ(editor.Form.TaskDesc, "Fit units");
    EXPECT_EQ(editor.Form.TaskLength, "12.00");
    EXPECT_EQ(editor.Form.HourlyRate, "40.00");
    // Twelve hours from Thursday 8:00 on Bob's calendar.
    EXPECT_NEAR(editor.Form.TaskEndDate + editor.Form.TaskEndTime, Day(kWednesday + 2, 12), 1e-9);

    const std::int64_t listed = Count(ws->TasksTable3);
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result()) << (ui.Messages.empty() ? "" : ui.Messages.back().text);
    EXPECT_NEAR(Working(editor.TaskKey(), "SD"), Day(kWednesday + 1, 8), 1e-6);
    EXPECT_EQ(Count(ws->TasksTable3), listed);
    EXPECT_EQ(ui.Hourglasses, 0);
}

TEST_F(ReuseTasksTest, ADeleteRemovesTheSharedEntryUnderTheLockAndTheLastOneCloses)
{
    ASSERT_TRUE(InSharedList(cleanUp));
    // Another workstation holds the lock until the first pause.
    db::Table otherAccess;
    schedule::test::Workstation::Open(otherAccess, shared.path(), "Access.dbf");
    data::MainScreenState otherState;
    data::RecordingUserInterface otherUi;
    data::NetworkLock other(otherAccess, otherState, otherUi);
    ASSERT_TRUE(other.UpdateAccessRecord(true));
    ui.OnSleep = [&] { other.UpdateAccessRecord(false); };

    ASSERT_TRUE(reuse.Execute(0));
    ASSERT_EQ(reuse.Form.TaskDesc, "clean up");
    reuse.DeleteClick();
    EXPECT_FALSE(InSharedList(cleanUp));
    EXPECT_TRUE(InSharedList(fitUnits));
    EXPECT_EQ(Count(ws->TasksTable), 2);
    EXPECT_EQ(reuse.Form.TaskDesc, "Fit units");
    EXPECT_FALSE(reuse.CloseRequested);
    const std::vector<std::pair<int, std::string>> waited{{0, "Waiting for network access"}, {0, ""}};
    EXPECT_EQ(ui.StatusHistory, waited);

    reuse.DeleteClick();
    reuse.DeleteClick();
    EXPECT_TRUE(reuse.CloseRequested);
    EXPECT_EQ(Count(ws->TasksTable), 0);
    EXPECT_FALSE(InSharedList(paintWalls));
    // The lock is free again.
    EXPECT_TRUE(other.UpdateAccessRecord(true));
}

}  // namespace
}  // namespace tw::tasks
