// Repeating tasks in the task editor: the repeat controls' rules and the
// saving of a whole series (keys, links, roots, chain, counts, numbered
// descriptions), placed and checked before anything is written.
#include <gtest/gtest.h>

#include "editorfixture.h"

namespace tw::tasks {
namespace {

using namespace testing;
using schedule::testing::kWednesday;

class SeriesTest : public ::testing::Test, protected EditorFixture {
protected:
    SeriesTest()
    {
        fitUnits = AddTask(kAnn, "Fit units", Day(kMonday, 8), 12);  // Mon 8:00 - Tue 12:00
    }

    // A new series for Bob, four hours each, from Tuesday 9:00 unless told.
    void NewSeries(const std::string& description, int period, int count,
                   std::optional<TDateTime> start = Day(kTuesday, 9))
    {
        Add(kBob, description, start);
        editor.Form.TaskLength = "4";
        editor.TaskLengthChange();
        editor.Form.TaskDesc = description;
        editor.Form.RepeatPeriod = period;
        editor.RepeatPeriodClick();
        editor.Form.RepeatCount = count;
    }

    // The records of a series, from its first key along LINK.
    std::vector<std::int32_t> Walk(std::int32_t first)
    {
        std::vector<std::int32_t> keys;
        for (std::int32_t key = first; key != 0 && keys.size() < 100;
             key = static_cast<std::int32_t>(Working(key, "LINK")))
            keys.push_back(key);
        return keys;
    }

    std::int64_t Count(db::Table& t)
    {
        t.refresh();
        return t.recordCount();
    }

    std::int32_t fitUnits = 0;
};

TEST_F(SeriesTest, ThePeriodSetsTheCountsRange)
{
    Add(kBob, "Mow", std::nullopt);
    EXPECT_FALSE(editor.Form.RepeatCountEnabled);
    EXPECT_EQ(editor.Form.RepeatCount, 1);
    struct Step {
        int period;
        int countBefore;
        int count;
        int maximum;
        bool enabled;
    } steps[] = {
        {schedule::kRepeatDaily, 1, 2, 365, true},    // a single task becomes two
        {schedule::kRepeatWeekly, 60, 52, 52, true},  // a new series keeps within the range
        {schedule::kRepeatMonthly, 7, 7, 12, true},
        {schedule::kRepeatQuarterly, 12, 4, 4, true},  // four a year
        {schedule::kRepeatSixMonths, 3, 3, 4, true},
        {schedule::kRepeatCustom, 3, 3, 12, true},
        {schedule::kRepeatNone, 3, 1, 12, false},
    };
    for (const Step& s : steps) {
        editor.Form.RepeatPeriod = s.period;
        editor.Form.RepeatCount = s.countBefore;
        editor.RepeatPeriodClick();
        EXPECT_EQ(editor.Form.RepeatCount, s.count) << s.period;
        EXPECT_EQ(editor.Form.RepeatCountMax, s.maximum) << s.period;
        EXPECT_EQ(editor.Form.RepeatCountEnabled, s.enabled) << s.period;
    }
    editor.Form.RepeatPeriod = schedule::kRepeatWeekly;
    editor.RepeatPeriodClick();
    editor.UpDown1UpClick();
    EXPECT_EQ(editor.Form.RepeatCount, 3);
    editor.Form.RepeatCount = 52;
    editor.UpDown1UpClick();
    EXPECT_EQ(editor.Form.RepeatCount, 52);
}

TEST_F(SeriesTest, AStoredSeriesCannotBeMadeSingleAndKeepsItsCount)
{
    window.reoccurring = true;
    NewSeries("Filter change", schedule::kRepeatWeekly, 6);
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result());
    CloseEditor();
    const std::int32_t first = editor.TaskKey();

    // Stored with six occurrences of a quarterly period: shown as stored.
    ws->ChartsTable5.locate("CHARTSID", db::Value(double(first)));
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("RPERIOD").setAsInteger(schedule::kRepeatQuarterly);
    ws->ChartsTable5.post();
    Edit(first);
    EXPECT_EQ(editor.Form.RepeatCount, 6);
    editor.Form.RepeatPeriod = schedule::kRepeatNone;
    editor.RepeatPeriodClick();
    EXPECT_EQ(editor.Form.RepeatPeriod, schedule::kRepeatQuarterly);
    EXPECT_EQ(editor.Form.RepeatCount, 6);

    // Choosing the end instead of the length leaves the series as stored,
    // on the form and in the record Done writes.
    editor.Form.AutoEndDate = false;
    editor.AutoEndDateClick();
    EXPECT_EQ(editor.Form.RepeatPeriod, schedule::kRepeatQuarterly);
    EXPECT_EQ(editor.Form.RepeatCount, 6);
    editor.Form.AutoEndDate = true;
    editor.AutoEndDateClick();
    EXPECT_EQ(editor.Form.RepeatPeriod, schedule::kRepeatQuarterly);
    editor.Form.AutoEndDate = false;
    editor.AutoEndDateClick();
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result());
    EXPECT_EQ(Working(first, "RPERIOD"), schedule::kRepeatQuarterly);
    CloseEditor();

    // A new task with a chosen end is a single one.
    NewSeries("Gutter check", schedule::kRepeatWeekly, 4);
    editor.Form.AutoEndDate = false;
    editor.AutoEndDateClick();
    EXPECT_EQ(editor.Form.RepeatPeriod, schedule::kRepeatNone);
    EXPECT_EQ(editor.Form.RepeatCount, 1);
}

TEST_F(SeriesTest, ASeriesIsSavedWholeWithItsKeysLinksAndNumbers)
{
    struct Case {
        const char* name;
        bool reoccurring;
        int period;
        int count;
        const char* description;
        TDateTime start;
        std::vector<const char*> descriptions;
        std::vector<TDateTime> starts;
    } cases[] = {
        {"repeated daily",
         false,
         schedule::kRepeatDaily,
         3,
         "Mow front lawn",
         Day(kTuesday, 9),
         {"Mow front 1", "Mow front 2", "Mow front 3"},
         {Day(kTuesday, 9), Day(kWednesday, 9), Day(kWednesday + 1, 9)}},
        {"reoccurring weekly",
         true,
         schedule::kRepeatWeekly,
         2,
         "Paint",
         Day(11, 9),
         {"Paint 1", "Paint 2"},
         {Day(11, 9), Day(18, 9)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int64_t tasks = Count(ws->TasksTable3);
        window.reoccurring = c.reoccurring;
        window.modeQuestions = 0;
        NewSeries(c.description, c.period, c.count, c.start);
        editor.AddTaskManualClick();
        ASSERT_TRUE(editor.Result()) << (ui.Messages.empty() ? "" : ui.Messages.back().text);
        CloseEditor();
        EXPECT_EQ(window.modeQuestions, 1);

        const std::int32_t first = editor.TaskKey();
        const std::vector<std::int32_t> keys = Walk(first);
        ASSERT_EQ(keys.size(), static_cast<std::size_t>(c.count));
        const double chain = Working(first, "CHAIN");
        EXPECT_EQ(chain > 0, c.reoccurring);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            SCOPED_TRACE(i);
            const std::int32_t key = keys[i];
            EXPECT_EQ(TextOf(ws->ChartsTable5, key, "DESC"), c.descriptions[i]);
            EXPECT_NEAR(Working(key, "SD"), c.starts[i], 1e-6);
            EXPECT_NEAR(Working(key, "ED"), c.starts[i] + 4.0 / 24, 1e-6);
            EXPECT_EQ(Working(key, "REPEAT"), first);
            EXPECT_EQ(Working(key, "ROOT"), i == 0 ? 0 : 1);
            EXPECT_EQ(Working(key, "CHAIN"), chain);
            EXPECT_EQ(Working(key, "RCOUNT"), c.reoccurring ? c.count : 1);
            EXPECT_EQ(Working(key, "RPERIOD"), c.period);
            // Pushed with the last occurrence.
            EXPECT_NEAR(Shared(key, "SD"), c.starts[i], 1e-6);
            ws->ICrewsTable2.refresh();
            EXPECT_TRUE(ws->ICrewsTable2.locate("CHARTSID;CREWID",
                                                {db::Value(double(key)), db::Value(double(kBob))}));
        }
        EXPECT_EQ(Count(ws->TasksTable3), tasks + 1);
        EXPECT_EQ(TextOf(ws->TasksTable3, first, "DESC"), c.descriptions[0]);
        EXPECT_EQ(ui.Hourglasses, 0);
    }
}

// The Shorter arrow reaches a count of 1 and the box takes any text; a chosen period still makes a
// series of at least two.
TEST_F(SeriesTest, ACountBelowTwoWithAPeriodSavesTwoOccurrences)
{
    struct Case {
        const char* name;
        bool reoccurring;
        int count;
        TDateTime start;
    } cases[] = {
        {"repeated, count 1", false, 1, Day(8, 9)},
        {"reoccurring, count 1", true, 1, Day(9, 9)},
        {"repeated, count 0", false, 0, Day(10, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.reoccurring = c.reoccurring;
        NewSeries("Clean gutters", schedule::kRepeatWeekly, c.count, c.start);
        editor.AddTaskManualClick();
        ASSERT_TRUE(editor.Result()) << (ui.Messages.empty() ? "" : ui.Messages.back().text);
        CloseEditor();
        const std::vector<std::int32_t> keys = Walk(editor.TaskKey());
        ASSERT_EQ(keys.size(), 2u);
        EXPECT_NEAR(Working(keys[1], "SD") - Working(keys[0], "SD"), 7.0, 1e-6);
        EXPECT_EQ(Working(keys[0], "RCOUNT"), c.reoccurring ? 2 : 1);
    }
}

TEST_F(SeriesTest, ASeriesThatOverlapsAnywhereIsRefusedWhole)
{
    // Ann from Friday 8:00, daily, four hours: the Monday occurrence meets
    // "Fit units".
    const std::int64_t charts = Count(ws->ChartsTable5);
    const std::int64_t shared = Count(ws->IChartsTable);
    const std::int64_t tasks = Count(ws->TasksTable3);
    const std::int64_t rows = Count(ws->ICrewsTable2);
    Add(kAnn, "Sweep", Day(4, 8));
    editor.Form.TaskLength = "4";
    editor.TaskLengthChange();
    editor.Form.RepeatPeriod = schedule::kRepeatDaily;
    editor.RepeatPeriodClick();
    editor.Form.RepeatCount = 3;
    editor.AddTaskManualClick();
    EXPECT_FALSE(editor.Result());
    EXPECT_EQ(ui.Status[1], "Sweep NOT added");
    ASSERT_FALSE(ui.Messages.empty());
    EXPECT_EQ(ui.Messages.back().caption, "Choose a different resource or time");
    EXPECT_EQ(Count(ws->ChartsTable5), charts);
    EXPECT_EQ(Count(ws->IChartsTable), shared);
    EXPECT_EQ(Count(ws->TasksTable3), tasks);
    EXPECT_EQ(Count(ws->ICrewsTable2), rows);
    EXPECT_EQ(ui.Hourglasses, 0);
}

TEST_F(SeriesTest, ASeriesAddedDuringAnInsertOfTimeWaitsForItsPush)
{
    ws->state.InsertTimePending = true;
    NewSeries("Mow", schedule::kRepeatDaily, 2);
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result());
    for (std::int32_t key : Walk(editor.TaskKey())) {
        EXPECT_GT(Working(key, "SD"), 0);
        EXPECT_EQ(Shared(key, "SD"), -1);
    }
}

TEST_F(SeriesTest, ACustomPeriodComesFromItsDialogStartingFromAReusedCode)
{
    window.customAnswer = schedule::CustomRepeatCode(2, schedule::kCustomDays);
    NewSeries("Water plants", schedule::kRepeatCustom, 2);
    editor.MarkReused(schedule::CustomRepeatCode(3, schedule::kCustomWeeks));
    const std::int64_t tasks = Count(ws->TasksTable3);
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result());
    ASSERT_EQ(window.customCodesShown.size(), 1u);
    EXPECT_EQ(window.customCodesShown[0], schedule::CustomRepeatCode(3, schedule::kCustomWeeks));
    const std::vector<std::int32_t> keys = Walk(editor.TaskKey());
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_NEAR(Working(keys[1], "SD"), Day(kTuesday + 2, 9), 1e-6);
    EXPECT_EQ(Working(keys[0], "CREPEATH"), window.customAnswer);
    // A reused task is in the task list already.
    EXPECT_EQ(Count(ws->TasksTable3), tasks);
}

}  // namespace
}  // namespace tw::tasks
