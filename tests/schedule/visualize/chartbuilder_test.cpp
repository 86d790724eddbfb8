#include "pagefixture.h"

#include <set>

#include "schedule/workingtime.h"
#include "support/synccountingfs.h"

namespace tw::visualize::testing {
namespace {

class ChartBuildingTest : public PageFixture {
protected:
    void ThreeTasksOfTwoCustomers()
    {
        AddCustomer(1100, "Ames");
        AddCustomer(1200, "Baker");
        AddJob(100, "Roof", 1100, "Ames");
        AddJob(200, "Deck", 1200, "Baker");
        AddJob(300, "Attic", 1100, "Ames");
        AddTask({.Id = 1,
                 .Desc = "Paint",
                 .Start = Day(8, 9),
                 .End = Day(8, 13),
                 .Hours = 4,
                 .Crew = 1,
                 .Job = 100,
                 .JobName = "Roof",
                 .Dgn = 1,
                 .Dg = 5});
        AddTask({.Id = 2,
                 .Desc = "Frame",
                 .Start = Day(7, 8),
                 .End = Day(7, 16),
                 .Hours = 8,
                 .Crew = 2,
                 .Job = 200,
                 .Customer = "Baker",
                 .JobName = "Deck",
                 .Dgn = 2,
                 .Dg = 5,
                 .Offset = -1});
        AddTask({.Id = 3,
                 .Desc = "Clean",
                 .Start = Day(9, 8),
                 .End = Day(9, 10),
                 .Hours = 2,
                 .Crew = 1,
                 .Job = 300,
                 .JobName = "Attic"});
    }
};

struct SortCase {
    const char* name;
    int choice;
    std::vector<std::string> rows;
};

TEST_F(ChartBuildingTest, EachSortOrderGivesItsRowsCaptionsAndHeadings)
{
    ThreeTasksOfTwoCustomers();
    const std::vector<std::string> attic{"# Ames : Attic", "Clean"}, roof{"# Ames : Roof", "Paint"},
        deck{"# Baker : Deck", "Frame"};
    auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const SortCase cases[] = {
        {"resource, then description", 0, join({attic, roof, deck})},
        {"description", 1, join({attic, deck, roof})},
        {"start", 2, join({deck, roof, attic})},
        {"length", 3, join({attic, roof, deck})},
        {"customer, then start", 4, join({roof, attic, deck})},
        {"customer, then job", 5, join({attic, roof, deck})},
        {"dependent group", 6, join({attic, roof, deck})},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        controls.ChartSortBy = c.choice;
        builder.BuildChart(true);
        EXPECT_EQ(Rows(), c.rows);
        EXPECT_EQ(chart.ChartBars.size(), 3u);
        EXPECT_EQ(chart.HeadingRows.size(), 3u);
    }
}

TEST_F(ChartBuildingTest, DescriptionsSortWithoutRegardToCaseAndASortedCopyStaysSorted)
{
    const char* names[] = {"banana", "Apple", "cherry", "apple pie", "Banana", "APPLE"};
    int id = 0;
    for (const char* name : names)
        AddTask({.Id = ++id, .Desc = name, .Start = Day(8, 9), .End = Day(8, 10), .Hours = 1, .Job = 0});
    controls.ChartSortBy = 1;
    const std::vector<std::string> expected{"Apple", "APPLE", "apple pie", "banana", "Banana", "cherry"};
    builder.BuildChart(true);
    EXPECT_EQ(Rows(), expected);
    // A new record out of place is sorted in; the rest keep their order.
    AddTask({.Id = ++id, .Desc = "Ape", .Start = Day(8, 9), .End = Day(8, 10), .Hours = 1, .Job = 0});
    builder.BuildChart(true);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"Ape", "Apple", "APPLE", "apple pie", "banana", "Banana", "cherry"}));
}

TEST_F(ChartBuildingTest, RowColoursFollowTheGroupAndTheOrder)
{
    ThreeTasksOfTwoCustomers();
    controls.ChartSortBy = 2;
    builder.BuildChart(true);
    EXPECT_EQ(BarOf(1)->Resource()->Color(), kGroupedRowColour);
    EXPECT_EQ(BarOf(2)->Resource()->Color(), kGroupedRowColour);
    EXPECT_EQ(BarOf(3)->Resource()->Color(), kPlainRowColour);
    EXPECT_EQ(NextGroupBar(BarOf(1)), nullptr);

    controls.ChartSortBy = kSortByDependentGroup;
    builder.BuildChart(true);
    EXPECT_EQ(BarOf(1)->Resource()->Color(), kGroupFirstColour);
    EXPECT_EQ(BarOf(2)->Resource()->Color(), kGroupDependentColour);
    EXPECT_EQ(BarOf(3)->Resource()->Color(), kPlainRowColour);
    // The dependent is linked behind its first task and placed by its offset:
    // one day before the first task's end.
    EXPECT_EQ(NextGroupBar(BarOf(1)), BarOf(2));
    EXPECT_DOUBLE_EQ(CarriedOffsetOf(BarOf(2)), -1);
    EXPECT_NEAR(BarOf(2)->StartAt(), Day(7, 13), 1e-6);
    EXPECT_NEAR(Read(2, "SD"), Day(7, 13), 1e-6);
    EXPECT_NEAR(Read(2, "ED"), Day(7, 21), 1e-6);
}

TEST_F(ChartBuildingTest, AGroupKeepsItsOffsetsThroughBuildsInOtherOrders)
{
    ThreeTasksOfTwoCustomers();
    for (int choice : {2, 0, kSortByDependentGroup}) {
        controls.ChartSortBy = choice;
        builder.BuildChart(true);
    }
    builder.SaveAndClearAllocations(true);
    EXPECT_DOUBLE_EQ(Read(2, "OFFSET"), -1);
}

TEST_F(ChartBuildingTest, ARecordPulledSinceTheBuildIsNotOverwrittenByItsOldBar)
{
    ThreeTasksOfTwoCustomers();
    builder.BuildChart(true);
    for (int id : {1, 2, 3}) {
        EXPECT_EQ(Read(id, "PTR"), id);
        EXPECT_GT(Read(id, "RESOURCE"), 0);
    }
    // Another workstation's change of task 3 arrives: the pull gives the
    // record PTR 0, which parts it from the bar still on the chart.
    c5.locate("CHARTSID", db::Value(3.0));
    c5.edit();
    WriteTaskPeriod(c5, Day(10, 8), Day(10, 10));
    c5.fieldByName("PTR").setAsFloat(0);
    c5.fieldByName("RESOURCE").setAsFloat(0);
    c5.post();
    BarOf(1)->SetDateTime(Day(12, 8), Day(12, 9));
    BarOf(3)->SetDateTime(Day(12, 10), Day(12, 11));
    builder.SaveAndClearAllocations(true);
    EXPECT_EQ(RAC.Count(), 0);
    EXPECT_TRUE(chart.ChartBars.empty());
    EXPECT_NEAR(Read(3, "SD"), Day(10, 8), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(12, 8), 1e-6);
    EXPECT_NEAR(Read(1, "ED"), Day(12, 12), 1e-6);
}

TEST_F(ChartBuildingTest, TheWriteBackTakesTheEndFromTheCalendarNotFromTheBar)
{
    ThreeTasksOfTwoCustomers();
    controls.ChartSortBy = 2;
    builder.BuildChart(true);
    // Moved to Saturday 9:00 and drawn only an hour long: the 4 working
    // hours of a Monday-to-Friday 8-to-17 calendar lie on Monday.
    schedule::CalendarRecord weekdays;
    weekdays.START1 = EncodeTime(8, 0, 0, 0);
    weekdays.END1 = EncodeTime(17, 0, 0, 0);
    calendar = weekdays;
    schedule::WorkCalendar engine;
    TDateTime start = 0;
    const TDateTime end = schedule::ComputeTaskEnd(engine, &weekdays, holidays, start, Day(12, 9), 4);
    ASSERT_NEAR(DatePart(start), Day(14), 1e-9);
    BarOf(1)->SetDateTime(Day(12, 9), Day(12, 10));
    builder.SaveAndClearAllocations(true);
    EXPECT_NEAR(Read(1, "SD"), start, 1e-6);
    EXPECT_NEAR(Read(1, "ED"), end, 1e-6);
    EXPECT_NEAR(Read(1, "SDD"), Day(14), 1e-6);
    EXPECT_NEAR(Read(1, "EDD"), DatePart(end), 1e-6);
    EXPECT_FLOAT_EQ(static_cast<float>(Read(1, "HOURS")), 4);
}

// What the write-back and the group's alignment write goes to the shared
// table in one push of those records, and nothing when nothing changed: the
// next start then finds the working copy and the shared table alike.
TEST_F(ChartBuildingTest, TheTimesABuildOrWriteBackWritesArePushedTogetherAndNothingElse)
{
    std::vector<std::set<std::int32_t>>& pushes = pushedTimes;
    ThreeTasksOfTwoCustomers();
    AddTask({.Id = 4, .Desc = "Trim", .Start = Day(9, 11), .End = Day(9, 13), .Hours = 2, .Dgn = 2, .Dg = 5});
    controls.ChartSortBy = 2;
    builder.BuildChart(true);
    builder.SaveAndClearAllocations(true);
    EXPECT_TRUE(pushes.empty()) << "every record already held its bar's times";

    builder.BuildChart(true);
    BarOf(1)->SetDateTime(Day(12, 8), Day(12, 9));  // moved, its record not yet written
    BarOf(3)->SetDateTime(Day(13, 8), Day(13, 10));
    builder.SaveAndClearAllocations(true);
    EXPECT_EQ(pushes, (std::vector<std::set<std::int32_t>>{{1, 3}}));
    EXPECT_NEAR(Read(1, "ED"), Day(12, 12), 1e-6);

    // Inserted time waiting to be kept or taken back: the times stay here.
    pushes.clear();
    state.InsertTimePending = true;
    builder.BuildChart(true);
    BarOf(1)->SetDateTime(Day(14, 8), Day(14, 9));
    builder.SaveAndClearAllocations(true);
    EXPECT_NEAR(Read(1, "SD"), Day(14, 8), 1e-6);
    EXPECT_TRUE(pushes.empty());
    state.InsertTimePending = false;

    // In the order of the groups the dependent task follows the first of its
    // group: the build writes its new times and pushes them.
    pushes.clear();
    controls.ChartSortBy = kSortByDependentGroup;
    builder.BuildChart(true);
    ASSERT_EQ(pushes.size(), 1u);
    EXPECT_EQ(pushes[0].count(2) + pushes[0].count(4), pushes[0].size());
    EXPECT_FALSE(pushes[0].empty());
    for (std::int32_t key : pushes[0])
        EXPECT_NEAR(Read(key, "SD"), BarOf(key)->StartAt(), 1e-6) << key;
}

TEST_F(ChartBuildingTest, ThePeriodFitsTheEarliestStartAndTheLatestEnd)
{
    ThreeTasksOfTwoCustomers();
    builder.BuildChart(true);
    EXPECT_NEAR(RAC.StartAt(), Day(7, 8), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(9, 10), 1e-6);
    EXPECT_NEAR(display.ShownStart(), Day(7, 8), 1e-6);
    EXPECT_NEAR(display.ChartSpanDays, Day(9, 10) - Day(7, 8), 1e-6);
    EXPECT_DOUBLE_EQ(display.ChartGridInterval, 1.0);
}

TEST_F(ChartBuildingTest, AnEmptyWorkingCopyLeavesThePeriodAsItWas)
{
    RAC.SetDateTime(Day(3, 10), Day(4, 10));
    builder.BuildChart(true);
    EXPECT_EQ(RAC.Count(), 0);
    EXPECT_NEAR(RAC.StartAt(), Day(3, 10), 1e-6);
    EXPECT_NEAR(RAC.EndAt(), Day(4, 10), 1e-6);
}

TEST_F(ChartBuildingTest, OccurrencesOfARepeatingTaskShareARowUnlessTheyOverlapOrAreGrouped)
{
    AddTask({.Id = 1, .Desc = "Mow", .Start = Day(7, 8), .End = Day(7, 10), .Hours = 2, .Chain = 9});
    AddTask({.Id = 2, .Desc = "Mow", .Start = Day(14, 8), .End = Day(14, 10), .Hours = 2, .Chain = 9});
    AddTask({.Id = 3, .Desc = "Mow", .Start = Day(21, 8), .End = Day(21, 10), .Hours = 2, .Chain = 9});
    AddTask({.Id = 4, .Desc = "Mow", .Start = Day(21, 9), .End = Day(21, 11), .Hours = 2, .Chain = 9});
    AddTask(
        {.Id = 5, .Desc = "Mow", .Start = Day(28, 8), .End = Day(28, 10), .Hours = 2, .Chain = 9, .Dgn = 2});
    controls.ChartSortBy = 2;
    builder.BuildChart(true);
    EXPECT_EQ(BarOf(1)->Resource(), BarOf(2)->Resource());
    EXPECT_EQ(BarOf(1)->Resource(), BarOf(3)->Resource());
    EXPECT_NE(BarOf(4)->Resource(), BarOf(1)->Resource());
    EXPECT_NE(BarOf(5)->Resource(), BarOf(1)->Resource());
    EXPECT_EQ(Read(1, "RESOURCE"), Read(3, "RESOURCE"));
}

TEST_F(ChartBuildingTest, ARecordEndingAtItsStartIsDrawnOneHourLongAndKept)
{
    AddTask({.Id = 1, .Desc = "Call", .Start = Day(7, 8), .End = Day(7, 8), .Hours = 0});
    builder.BuildChart(true);
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(7, 9), 1e-6);
    EXPECT_NEAR(Read(1, "ED"), Day(7, 8), 1e-6);
}

TEST_F(ChartBuildingTest, ResourceCaptionsShowTheResourceBeforeTheTask)
{
    AddCrew(1, "Crew North  ");
    AddTask({.Id = 1, .Desc = "Paint", .Start = Day(7, 8), .End = Day(7, 10), .Hours = 2, .Crew = 1});
    controls.ResourceCaptionMode = 1;
    builder.BuildChart(true);
    EXPECT_EQ(Rows(), std::vector<std::string>{"Crew North : Paint"});
}

// A working copy that was never drawn (every record without its bar and row,
// as after "Show all" brought a schedule onto the chart), of `tasks` tasks in
// jobs of four whose last two form a dependency group; its first build in the
// order "Dependent group", with the flushes to disk it made.
struct FirstBuild : PageFixture {
    explicit FirstBuild(int tasks)
    {
        AddCustomer(1100, "Ames");
        for (int job = 100; job < 100 + tasks / 4; ++job)
            AddJob(job, "Job " + std::to_string(job), 1100, "Ames");
        // Last first, so that the build sorts the copy at every size.
        for (int i = tasks - 1; i >= 0; --i) {
            const int job = 100 + i / 4, nth = i % 4;
            // The dependent task starts a day late: the build aligns it.
            const int day = 7 + (i / 4) % 20 + (nth == 3 ? 1 : 0);
            AddTask({.Id = i + 1,
                     .Desc = "Task " + std::to_string(i + 1),
                     .Start = Day(day, 8 + 2 * nth),
                     .End = Day(day, 10 + 2 * nth),
                     .Hours = 2,
                     .Crew = 1 + i % 3,
                     .Job = job,
                     .JobName = "Job " + std::to_string(job),
                     .Dgn = nth < 2 ? 0 : nth - 1,
                     .Dg = nth < 2 ? 0.0 : job});
        }
        controls.ChartSortBy = kSortByDependentGroup;
        // The file is opened again under the counting: a file keeps the file
        // system it was opened through.
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9})
            t->close();
        tw::testing::CountSyncs counting;
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9})
            Open(*t, "Charts.DBF");
        builder.BuildChart(true);
        Syncs = counting.Counted().Total();
        Listing = counting.Counted().Listing();
    }
    void TestBody() override {}
    using PageFixture::BarOf;
    using PageFixture::Read;
    using PageFixture::Rows;

    int Syncs = 0;
    std::string Listing;
};

// The first build writes every record's bar and row and the aligned times of
// the dependent tasks in one write: 40 records flush as often as 4. The chart
// it draws is the one a build over what it wrote draws again.
TEST(FirstChartBuild, WritesEveryRecordInOneGoAndDrawsTheChartItWrote)
{
    FirstBuild few(4), many(40);
    EXPECT_EQ(many.Syncs, few.Syncs) << "4 records:\n" << few.Listing << "40 records:\n" << many.Listing;
    // The sort's copy and its folder, then the records' one journal (flushed
    // once whole and again once armed) and table.
    EXPECT_LE(many.Syncs, 11) << many.Listing;

    const std::vector<std::string> rows = many.Rows();
    ASSERT_EQ(many.chart.ChartBars.size(), 40u);
    for (int id = 1; id <= 40; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(many.Read(id, "PTR"), id);
        EXPECT_EQ(many.Read(id, "RESOURCE"), many.chart.RowIds.at(many.BarOf(id)->Resource()));
        if (id % 4 == 0) {
            EXPECT_NEAR(many.Read(id, "SD"), many.Read(id - 1, "ED"), 1e-6) << "aligned to its group";
        }
    }
    EXPECT_EQ(rows.front(), "# Ames : Job 100");

    many.builder.SaveAndClearAllocations(false);
    many.builder.BuildChart(false);
    EXPECT_EQ(many.Rows(), rows);
    for (int id = 1; id <= 40; ++id)
        EXPECT_EQ(many.Read(id, "PTR"), id);
}

class JobSummaryTest : public ChartBuildingTest {
protected:
    void SetUp() override
    {
        controls.ShowJobsOnly = 0;
        AddCustomer(1100, "Ames");
        AddJob(100, "Roof", 1100, "Ames");
        AddJob(200, "Empty", 1100, "Ames");
    }
    // Adds the summary row as the schedule's add routine does.
    bool AddTaskToSchedule(const JobSummaryRow& row) override
    {
        if (refuseSummaries)
            return false;
        added.push_back(row);
        AddTask({.Id = row.ChartsId,
                 .Desc = row.Description,
                 .Start = row.Start,
                 .End = row.End,
                 .Hours = row.Hours,
                 .Crew = 0,
                 .Job = row.JobId,
                 .IsJob = true,
                 .Customer = row.CustomerName,
                 .JobName = row.JobName});
        return true;
    }
    std::vector<JobSummaryRow> added;
    bool refuseSummaries = false;
};

TEST_F(JobSummaryTest, AJobGetsOneSummaryRowUnderItsCustomerAndItIsKeptCurrent)
{
    AddTask({.Id = 1,
             .Desc = "Tear off",
             .Start = Day(7, 8),
             .End = Day(7, 14),
             .Hours = 6,
             .Crew = 1,
             .Cost = 40});
    AddTask({.Id = 2,
             .Desc = "Shingle",
             .Start = Day(8, 8),
             .End = Day(9, 12),
             .Hours = 12.5f,
             .Crew = 2,
             .Cost = 35.5});
    builder.BuildChart(true);
    // The job without tasks gets no summary from 1899 to 9999.
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].JobId, 100);
    EXPECT_NEAR(added[0].Start, Day(7, 8), 1e-6);
    EXPECT_NEAR(added[0].End, Day(9, 12), 1e-6);
    EXPECT_FLOAT_EQ(added[0].Hours, 18.5f);
    EXPECT_DOUBLE_EQ(added[0].TotalCost, 6 * 40 + 12.5 * 35.5);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"# Ames", "Roof"}));
    ASSERT_EQ(chart.ChartBars.size(), 1u);
    EXPECT_EQ(chart.ChartBars[0]->Style(), chart::rsPointedBlock);
    EXPECT_NEAR(RAC.StartAt(), Day(7, 8), 1e-6);

    // A later task widens the existing summary instead of adding another.
    AddTask({.Id = 3, .Desc = "Clean", .Start = Day(10, 8), .End = Day(10, 10), .Hours = 2, .Crew = 1});
    builder.BuildChart(true);
    EXPECT_EQ(added.size(), 1u);
    EXPECT_NEAR(Read(added[0].ChartsId, "ED"), Day(10, 10), 1e-6);
    EXPECT_FLOAT_EQ(static_cast<float>(Read(added[0].ChartsId, "HOURS")), 20.5f);
}

TEST_F(JobSummaryTest, TheSummaryIsAssignedToTheResourcesOfTheJobsTasks)
{
    // Tasks on A (1) and B (2); the summary row 50 on B and C (3).
    AddTask({.Id = 1, .Desc = "Tear off", .Start = Day(7, 8), .End = Day(7, 14), .Hours = 6, .Crew = 1});
    AddTask({.Id = 2, .Desc = "Shingle", .Start = Day(8, 8), .End = Day(8, 12), .Hours = 4, .Crew = 2});
    AddTask({.Id = 50,
             .Desc = "Roof",
             .Start = Day(7, 8),
             .End = Day(8, 12),
             .Hours = 10,
             .Crew = 0,
             .IsJob = true});
    AddAssignment(1, 1, 100, false);
    AddAssignment(2, 2, 100, false);
    AddAssignment(2, 50, 100, true);
    AddAssignment(3, 50, 100, true);
    builder.BuildChart(true);
    EXPECT_TRUE(added.empty());
    std::vector<std::pair<int, int>> summaryRows;
    for (icrews2.refresh(), icrews2.first(); !icrews2.eof(); icrews2.next())
        if (icrews2.fieldByName("JOB").asBoolean())
            summaryRows.emplace_back(static_cast<int>(icrews2.fieldByName("CREWID").asFloat()),
                                     static_cast<int>(icrews2.fieldByName("CHARTSID").asFloat()));
    std::sort(summaryRows.begin(), summaryRows.end());
    EXPECT_EQ(summaryRows, (std::vector<std::pair<int, int>>{{1, 50}, {2, 50}}));
}

// A summary that is not made (the add refused it, or inserted time waits for
// its timer and nothing new may reach the shared tables) leaves no assignment
// row naming a key nobody holds.
TEST_F(JobSummaryTest, ASummaryNotMadeGetsNoAssignmentRows)
{
    AddTask({.Id = 1, .Desc = "Tear off", .Start = Day(7, 8), .End = Day(7, 14), .Hours = 6, .Crew = 1});
    AddAssignment(1, 1, 100, false);
    for (const bool pending : {false, true}) {
        refuseSummaries = !pending;
        state.InsertTimePending = pending;
        builder.BuildChart(true);
        EXPECT_TRUE(added.empty()) << pending;
        int rows = 0;
        for (icrews2.refresh(), icrews2.first(); !icrews2.eof(); icrews2.next())
            ++rows;
        EXPECT_EQ(rows, 1) << pending;
    }
    state.InsertTimePending = false;
    refuseSummaries = false;
    builder.BuildChart(true);
    EXPECT_EQ(added.size(), 1u) << "made by the first build after the insert";
}

TEST_F(JobSummaryTest, ASummaryOfAJobWithoutTasksIsLeftAlone)
{
    AddTask({.Id = 60,
             .Desc = "Empty",
             .Start = Day(7, 8),
             .End = Day(7, 9),
             .Hours = 1,
             .Crew = 0,
             .Job = 200,
             .IsJob = true});
    builder.BuildChart(true);
    EXPECT_NEAR(Read(60, "SD"), Day(7, 8), 1e-6);
    EXPECT_NEAR(Read(60, "ED"), Day(7, 9), 1e-6);
    EXPECT_NEAR(RAC.StartAt(), Day(7, 8), 1e-6);
}

TEST(ChartTablesOfTheDataModule, TheSortCursorAndTheSummaryCursorsAreUnfiltered)
{
    data::TEstimateData module((std::filesystem::temp_directory_path() / "twvis-aliases.cfg").string());
    ChartTables tables = ChartTablesOf(module);
    EXPECT_EQ(&tables.ChartsTable4, &module.ChartsTable4);
    EXPECT_EQ(&tables.ChartsTable3, &module.ChartsTable3);
    for (db::Table* t : {&tables.ChartsTable4, &tables.JobsTable2, &tables.JobsTable, &tables.ICrewsTable2}) {
        EXPECT_TRUE(t->indexName().empty());
        EXPECT_TRUE(t->filter().empty());
    }
}

}  // namespace
}  // namespace tw::visualize::testing
