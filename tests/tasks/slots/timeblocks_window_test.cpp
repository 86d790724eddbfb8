// Inserting and removing time through the Visualize page's buttons and
// dialogs, read back from the table files: every assignment row of ICrews.DBF
// names a schedule item that ICharts.DBF holds once the operation is over,
// and job summary rows are only where the chart's "Overall jobs only" builds
// them, one per job.
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "sampleschedule.h"
#include "samplewindow.h"
#include "support/december.h"
#include "tasks/slots/slotdialogs.h"

#include <QDateEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw::app {
namespace {

using fixtures::Day;

struct AssignmentRow {
    std::int32_t Item = 0;
    std::int32_t Resource = 0;
    bool JobRow = false;
};

class TimeBlocksSharedTest : public testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        // Nine jobs of four tasks on five resources, from Monday 7 December.
        examples::FillSampleSchedule(window, Day(7));
        ShowOn(TMainScreen::SchedulePage);
        window.Features().Visualize->BuildChart(true);
    }

    TVisualizePage* Page() { return window.Features().Visualize->Page(); }

    void ShowJobsOnly(bool jobs)
    {
        auto* mode = Page()->findChild<controls::TFcRadioButton*>(jobs ? QStringLiteral("ShowJobsOnlyJobs")
                                                                       : QStringLiteral("ShowJobsOnlyTasks"));
        ASSERT_NE(mode, nullptr);
        mode->SetChecked(true);
    }

    // "Insert time" for every resource: a block of `days` days from `start`,
    // typed into the dialog as a user does.
    void InsertTime(TDateTime start, int days)
    {
        tasks::TInsertSlot* dialog = window.Features().TimeBlocks->InsertSlot();
        QTimer::singleShot(0, [&] {
            Fill(dialog->Controls, start, days);
            dialog->findChild<controls::TFcBitBtn*>("Ok")->Click();
        });
        Page()->InsertSpace()->Click();
        ASSERT_FALSE(dialog->isVisible());
    }
    // "Remove time" likewise; the dialog's status when it stayed open.
    std::string RemoveTime(TDateTime start, int days)
    {
        tasks::TRemoveSlot* dialog = window.Features().TimeBlocks->RemoveSlot();
        std::string refusal;
        QTimer::singleShot(0, [&] {
            Fill(dialog->Controls, start, days);
            dialog->findChild<controls::TFcBitBtn*>("Ok")->Click();
            if (dialog->isVisible()) {
                refusal = dialog->Controls.StatusBar->PanelText(0).toStdString();
                dialog->findChild<controls::TFcBitBtn*>("Cancel")->Click();
            }
        });
        Page()->RemoveSpace()->Click();
        return refusal;
    }
    static void Fill(tasks::SlotFormControls& c, TDateTime start, int days)
    {
        c.Units[timeblocks::kSlotDays]->SetChecked(true);
        c.UpDown2->setValue(days);
        c.AllResources->SetChecked(true);
        const TDateTime date = DatePart(start);
        c.SlotStartDate->setDate(QDate(2026, 12, 1).addDays(static_cast<int>(date - Day(1))));
        const int minutes = static_cast<int>((start - date) * 24 * 60 + 0.5);
        c.SlotStartTime->setTime(QTime(minutes / 60, minutes % 60));
    }
    // The timer that makes a pending insert final.
    void InsertTimerRunsOut()
    {
        ASSERT_TRUE(window.RemoveSpaceClock()->isActive());
        window.RemoveSpaceClock()->stop();
        window.Features().TimeBlocks->RemoveSpaceTimerTimer();
    }

    // A table file read on its own cursor, as another workstation reads it.
    template <typename Each>
    void ReadTable(const std::string& folder, const char* name, Each each)
    {
        db::Table t;
        t.setFolder(folder);
        t.setTableName(name);
        t.open();
        for (t.first(); !t.eof(); t.next())
            each(t);
        t.close();
    }
    std::map<std::int32_t, bool> Items(const std::string& folder, const char* table)
    {
        std::map<std::int32_t, bool> items;  // key, job summary row
        ReadTable(folder, table, [&](db::Table& t) {
            items[t.fieldByName("CHARTSID").asInteger()] = t.fieldByName("JOB").asBoolean();
        });
        return items;
    }
    std::map<std::int32_t, bool> Shared()
    {
        return Items(window.Session().State.ScheduleFolder, "ICharts.DBF");
    }
    std::map<std::int32_t, bool> Working()
    {
        return Items(window.Session().State.ProgramFolder, "Charts.DBF");
    }
    std::vector<AssignmentRow> Assignments()
    {
        std::vector<AssignmentRow> rows;
        ReadTable(window.Session().State.ScheduleFolder, "ICrews.DBF", [&](db::Table& t) {
            rows.push_back({t.fieldByName("CHARTSID").asInteger(), t.fieldByName("CREWID").asInteger(),
                            t.fieldByName("JOB").asBoolean()});
        });
        return rows;
    }
    // Assignment rows naming an item the shared table does not hold.
    std::vector<std::int32_t> Orphans()
    {
        const std::map<std::int32_t, bool> shared = Shared();
        std::vector<std::int32_t> orphans;
        for (const AssignmentRow& row : Assignments())
            if (shared.count(row.Item) == 0)
                orphans.push_back(row.Item);
        return orphans;
    }
    static int JobRows(const std::map<std::int32_t, bool>& items)
    {
        int n = 0;
        for (const auto& [key, job] : items)
            n += job;
        return n;
    }
    // One job row per resource and job, naming that job's summary row.
    void ExpectJobAssignmentsOfSummaries()
    {
        const std::map<std::int32_t, bool> shared = Shared();
        for (const AssignmentRow& row : Assignments()) {
            if (!row.JobRow)
                continue;
            const auto it = shared.find(row.Item);
            EXPECT_TRUE(it != shared.end() && it->second) << "job assignment of item " << row.Item;
        }
    }
};

TEST_F(TimeBlocksSharedTest, InsertingADayInTaskDisplayMakesNoJobRowsAndLeavesNoOrphans)
{
    ASSERT_EQ(JobRows(Working()), 0);
    ASSERT_TRUE(Orphans().empty());
    const std::size_t rowsBefore = Assignments().size();

    // Tuesday 8:00: some tasks are split, others delayed, the rest pushed back.
    InsertTime(Day(8, 8), 1);
    ASSERT_TRUE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    EXPECT_EQ(JobRows(Working()), 0) << "the task display builds no job summaries";
    EXPECT_EQ(JobRows(Shared()), 0);
    // While the insert waits for its timer only its own split-off pieces,
    // still in this workstation's working copy, lack their shared record.
    const std::map<std::int32_t, bool> working = Working();
    for (std::int32_t item : Orphans()) {
        const auto it = working.find(item);
        EXPECT_TRUE(it != working.end() && !it->second) << "assignment of item " << item;
    }
    for (const AssignmentRow& row : Assignments())
        EXPECT_FALSE(row.JobRow) << "job assignment of item " << row.Item;

    InsertTimerRunsOut();
    EXPECT_TRUE(Orphans().empty());
    EXPECT_EQ(JobRows(Shared()), 0);
    EXPECT_GE(Assignments().size(), rowsBefore);
}

TEST_F(TimeBlocksSharedTest, AnInsertTakenBackTakesItsPiecesAssignmentsWithIt)
{
    const std::size_t rowsBefore = Assignments().size();
    const std::map<std::int32_t, bool> sharedBefore = Shared();
    InsertTime(Day(8, 8), 1);
    ASSERT_TRUE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    ASSERT_GT(Working().size(), sharedBefore.size()) << "the insert split a task";
    // The job display shown meanwhile makes its summaries only once the insert is over.
    ShowJobsOnly(true);
    EXPECT_EQ(JobRows(Working()), 0);

    // "Remove time" while the insert is pending takes it back.
    Page()->RemoveSpace()->Click();
    EXPECT_FALSE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    std::map<std::int32_t, bool> tasks = Working();
    std::erase_if(tasks, [](const auto& item) { return item.second; });
    EXPECT_EQ(tasks, sharedBefore);
    EXPECT_EQ(JobRows(Working()), 9);
    EXPECT_EQ(JobRows(Shared()), 9);
    EXPECT_TRUE(Orphans().empty());
    ExpectJobAssignmentsOfSummaries();
    std::size_t taskRows = 0;
    for (const AssignmentRow& row : Assignments())
        taskRows += !row.JobRow;
    EXPECT_EQ(taskRows, rowsBefore);
}

TEST_F(TimeBlocksSharedTest, InJobDisplayEachJobKeepsOneSummaryThroughInsertAndRemoval)
{
    ShowJobsOnly(true);
    constexpr int kJobs = 9;
    ASSERT_EQ(JobRows(Working()), kJobs);
    EXPECT_EQ(JobRows(Shared()), kJobs);
    EXPECT_TRUE(Orphans().empty());
    ExpectJobAssignmentsOfSummaries();
    const std::map<std::int32_t, bool> summariesBefore = [&] {
        std::map<std::int32_t, bool> jobs;
        for (const auto& [key, job] : Working())
            if (job)
                jobs[key] = true;
        return jobs;
    }();

    InsertTime(Day(8, 8), 1);
    ASSERT_TRUE(window.Features().TimeBlocks->Operations().Pending.PendingInsert);
    EXPECT_EQ(JobRows(Working()), kJobs);
    InsertTimerRunsOut();
    EXPECT_EQ(JobRows(Working()), kJobs);
    EXPECT_EQ(JobRows(Shared()), kJobs);
    EXPECT_TRUE(Orphans().empty());
    ExpectJobAssignmentsOfSummaries();
    for (const auto& [key, job] : summariesBefore)
        EXPECT_EQ(Working().count(key), 1u) << "summary " << key << " kept its key";

    // The weekend before the schedule taken out: every task and summary moves up.
    EXPECT_EQ(RemoveTime(Day(5), 2), "");
    EXPECT_EQ(JobRows(Working()), kJobs);
    EXPECT_EQ(JobRows(Shared()), kJobs);
    EXPECT_TRUE(Orphans().empty());
    ExpectJobAssignmentsOfSummaries();
}

TEST_F(TimeBlocksSharedTest, RemovingTimeInTaskDisplayMakesNoJobRowsAndLeavesNoOrphans)
{
    // Saturday and Sunday 5 and 6 December lie before the schedule: every task moves up.
    EXPECT_EQ(RemoveTime(Day(5), 2), "");
    EXPECT_EQ(JobRows(Working()), 0);
    EXPECT_EQ(JobRows(Shared()), 0);
    EXPECT_TRUE(Orphans().empty());
}

}  // namespace
}  // namespace tw::app
