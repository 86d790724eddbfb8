// The task editor without its window: opening on a task or for a new one,
// the length, unit and end, and saving into the working copy, the task list,
// the assignment rows and the shared tables.
#include <gtest/gtest.h>

#include "editorfixture.h"

namespace tw::tasks {
namespace {

using namespace testing;

class TaskEditorTest : public ::testing::Test, protected EditorFixture {
protected:
    TaskEditorTest()
    {
        fitUnits = AddTask(kAnn, "Fit units", Day(kMonday, 8), 12);       // Mon 8:00 - Tue 12:00
        paintWalls = AddTask(kAnn, "Paint walls", Day(kTuesday, 13), 2);  // Tue 13:00 - 15:00
        jobRow = AddTask(kAnn, "Kitchen", Day(kMonday, 8), 14, true);
    }

    TDateTime FormStart() const { return editor.Form.TaskStartDate + editor.Form.TaskStartTime; }
    TDateTime FormEnd() const { return editor.Form.TaskEndDate + editor.Form.TaskEndTime; }

    std::int32_t fitUnits = 0;
    std::int32_t paintWalls = 0;
    std::int32_t jobRow = 0;
};

TEST_F(TaskEditorTest, OpeningOnATaskShowsItsValuesAndResources)
{
    adder.AddCrewIndexRow(fitUnits, kBob, 20);
    Edit(fitUnits);
    const TaskForm& f = editor.Form;
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(f.Caption, "Edit task");
    EXPECT_EQ(f.GroupCaption, "Edit task details");
    EXPECT_EQ(f.TaskLength, "12.00");
    EXPECT_EQ(f.PeriodPanel, UnitHours);
    EXPECT_EQ(f.Resource, "Ann, Bob");  // the primary first, once
    EXPECT_EQ(f.Customer, "Ames");
    EXPECT_EQ(f.TaskDesc, "Fit units");
    EXPECT_EQ(f.HourlyRate, "40.00");
    EXPECT_EQ(f.RepeatCount, 1);
    EXPECT_DOUBLE_EQ(FormStart(), Day(kMonday, 8));
    EXPECT_NEAR(FormEnd(), Day(kTuesday, 12), 1e-9);
    EXPECT_TRUE(f.ResetRateEnabled && f.EditNextEnabled && f.EditPrevEnabled && f.DoneEnabled);
    EXPECT_FALSE(f.ReuseEnabled || f.RepeatEnabled || f.EndPickersEnabled);
    EXPECT_EQ(f.Label6, "Calculated end date:");
    EXPECT_TRUE(f.StatusBar.empty());
    EXPECT_EQ(ui.Hourglasses, 0);

    // Opening again only asks for the window.
    Edit(paintWalls);
    EXPECT_TRUE(editor.RestoreRequested);
    EXPECT_EQ(editor.Form.TaskDesc, "Fit units");
}

TEST_F(TaskEditorTest, AnOverlapFoundWhileOpeningIsOnlyReported)
{
    const std::int32_t clash = AddTask(kAnn, "Clash", Day(kMonday, 9), 1);
    Edit(clash);
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(editor.Form.StatusBar, "Resource conflict.  Changes task dates or assign a different resource");
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(TaskEditorTest, TheEndFollowsTheLengthAndTheLengthFollowsAPickedEnd)
{
    Edit(fitUnits);
    TaskForm& f = editor.Form;
    struct Row {
        const char* name;
        std::function<void()> change;
        TDateTime start, end;
        const char* length;
    };
    const Row rows[] = {
        {"length 3 hours",
         [&] {
             f.TaskLength = "3";
             editor.TaskLengthChange();
         },
         Day(kMonday, 8), Day(kMonday, 11), "3"},
        {"unit days keeps the hours",
         [&] {
             f.PeriodPanel = UnitDays;
             editor.PeriodPanelClick();
         },
         Day(kMonday, 8), Day(kMonday, 11), "0.4"},
        {"spin up a day", [&] { editor.UpDown2UpRightClick(); }, Day(kMonday, 8), Day(kTuesday, 11, 15),
         "1.4"},
        {"start on a Saturday moves to Monday",
         [&] {
             f.PeriodPanel = UnitHours;
             f.TaskLength = "2";
             editor.TaskLengthChange();
             f.TaskStartDate = DatePart(Day(12));
             editor.TaskStartDateChange();
         },
         Day(14, 8), Day(14, 10), "2"},
        {"more than 19200 hours becomes 1 hour",
         [&] {
             f.TaskLength = "20000";
             editor.TaskLengthChange();
         },
         Day(14, 8), Day(14, 9), "1"},
        {"a picked end gives the hours",
         [&] {
             f.AutoEndDate = false;
             editor.AutoEndDateClick();
             f.TaskEndDate = DatePart(Day(15));
             f.TaskEndTime = TimePart(Day(15, 10));
             editor.TaskEndDateChange();
         },
         Day(14, 8), Day(15, 10), "10.00"},
        {"the unit re-expresses a picked length",
         [&] {
             f.PeriodPanel = UnitDays;
             editor.PeriodPanelClick();
         },
         Day(14, 8), Day(15, 10), "1.2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.change();
        EXPECT_NEAR(FormStart(), row.start, 1e-9);
        EXPECT_NEAR(FormEnd(), row.end, 1e-9);
        EXPECT_EQ(f.TaskLength, row.length);
    }
    EXPECT_FLOAT_EQ(editor.WorkingHours(), 10.0f);
    EXPECT_TRUE(editor.EndSpecified());
    EXPECT_FALSE(f.TaskLengthEnabled);
    EXPECT_EQ(f.Label6, "Choose end date:");
    EXPECT_EQ(f.EndDateHint, "Specified task end date");
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(ui.Hourglasses, 0);
}

// A 12-hour task shown in days on an 8-hour calendar keeps its 12 hours; in
// add mode the typed number is read again in the new unit instead.
TEST_F(TaskEditorTest, AUnitChangeReExpressesTheHoursOfAStoredTask)
{
    Edit(fitUnits);
    const struct {
        int unit;
        const char* length;
    } rows[] = {{UnitDays, "1.5"}, {UnitWeeks, "0.3"}, {UnitMonths, "0.1"}, {UnitHours, "12.00"}};
    for (const auto& row : rows) {
        editor.Form.PeriodPanel = row.unit;
        editor.PeriodPanelClick();
        EXPECT_EQ(editor.Form.TaskLength, row.length) << "unit " << row.unit;
        EXPECT_FLOAT_EQ(editor.WorkingHours(), 12.0f);
        EXPECT_NEAR(FormEnd(), Day(kTuesday, 12), 1e-9);
    }
}

// 10 hours stored in days show as "1.2" days; looking at the task and pressing
// Done must not make it 9.75 hours.
TEST_F(TaskEditorTest, OpeningAndSavingKeepsHoursThatTheLengthTextRounds)
{
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(double(fitUnits))));
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("HOURS").setAsFloat(10);
    ws->ChartsTable5.fieldByName("PIN").setAsInteger(2);
    ws->ChartsTable5.post();
    ws->sync.PushChartRecord(fitUnits);
    Edit(fitUnits);
    EXPECT_EQ(editor.Form.TaskLength, "1.2");
    EXPECT_EQ(editor.Form.PeriodPanel, UnitDays);
    EXPECT_FLOAT_EQ(editor.WorkingHours(), 10.0f);
    EXPECT_NEAR(FormEnd(), Day(kTuesday, 10), 1e-9);
    editor.AddTaskManualClick();
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "HOURS")), 10.0f);
    EXPECT_NEAR(Working(fitUnits, "ED"), Day(kTuesday, 10), 1e-6);
}

TEST_F(TaskEditorTest, TextThatIsNoNumberOrDateNeverLeavesTheEditorBusy)
{
    Add(kBob, "Tile floor", std::nullopt);
    TaskForm& f = editor.Form;
    // Today's working day, moved on to Monday at a weekend.
    const int weekday = DayOfWeek(Today());
    const int ahead = weekday == 7 ? 2 : weekday == 1 ? 1 : 0;
    EXPECT_DOUBLE_EQ(FormStart(), Today() + ahead + EncodeTime(8, 0, 0, 0));
    f.TaskLength = "abc";
    f.PeriodPanel = UnitDays;
    editor.PeriodPanelClick();
    EXPECT_EQ(f.TaskLength, "abc");
    EXPECT_NEAR(FormEnd(), FormStart(), 1e-9);  // no hours
    EXPECT_FALSE(ws->state.TablesBusy);
    EXPECT_EQ(ui.Hourglasses, 0);
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(TaskEditorTest, AddModeReadsTheTypedNumberInTheNewUnit)
{
    Add(kBob, "Tile floor", Day(kTuesday, 9));
    TaskForm& f = editor.Form;
    EXPECT_EQ(f.Caption, "Add task");
    EXPECT_EQ(f.GroupCaption, "Specify task details");
    EXPECT_EQ(f.Resource, "Bob");
    EXPECT_EQ(f.Customer, "Ames");
    EXPECT_EQ(f.HourlyRate, "0.00");
    EXPECT_DOUBLE_EQ(FormStart(), Day(kTuesday, 9));
    EXPECT_DOUBLE_EQ(FormEnd(), Day(kTuesday, 10));
    EXPECT_FALSE(f.ResetRateEnabled || f.EditNextEnabled || f.EditPrevEnabled);
    f.TaskLength = "2.7";
    editor.TaskLengthChange();
    f.PeriodPanel = UnitDays;
    editor.PeriodPanelClick();
    EXPECT_EQ(f.TaskLength, "2");
    EXPECT_FLOAT_EQ(editor.WorkingHours(), 16.0f);
    EXPECT_DOUBLE_EQ(FormEnd(), Day(10, 9));  // Thursday 9:00
}

TEST_F(TaskEditorTest, DoneOnAnEditWritesTheTaskItsTwinAndTheSharedTable)
{
    const float update = static_cast<float>(Working(fitUnits, "UPDATE"));
    Edit(fitUnits);
    editor.Form.TaskLength = "3";
    editor.TaskLengthChange();
    editor.Form.TaskStatus = 2;
    editor.Form.Notes = {"Bring ladder"};
    editor.AddTaskManualClick();
    EXPECT_TRUE(editor.Result());
    EXPECT_EQ(editor.Form.StatusBar, "Fit units updated");
    EXPECT_TRUE(editor.CloseRequested);
    for (db::Table* t : {&ws->ChartsTable5, &ws->IChartsTable, &ws->TasksTable3}) {
        SCOPED_TRACE(t->tableName());
        EXPECT_NEAR(FieldOf(*t, fitUnits, "ED"), Day(kMonday, 11), 1e-6);
        EXPECT_FLOAT_EQ(static_cast<float>(FieldOf(*t, fitUnits, "HOURS")), 3.0f);
        EXPECT_EQ(FieldOf(*t, fitUnits, "BIDID"), 2);
        EXPECT_EQ(TextOf(*t, fitUnits, "NOTES"), "Bring ladder\n");
        EXPECT_DOUBLE_EQ(FieldOf(*t, fitUnits, "TCOST"), 120.0);
    }
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "UPDATE")), update + 1);
    CloseEditor();
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(window.chartBuilds, 1);
    EXPECT_EQ(ws->ChartsTable.fieldByName("CHARTSID").asInteger(), fitUnits);
}

TEST_F(TaskEditorTest, AnEditThatOverlapsIsRefusedAndWritesNothing)
{
    Edit(fitUnits);
    editor.Form.TaskLength = "14";  // up to Tuesday 14:00, over Paint walls
    editor.TaskLengthChange();
    editor.AddTaskManualClick();
    EXPECT_FALSE(editor.Result());
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "Task dates overlap customer Ames\nTask:  Paint walls\nResource:  Ann");
    EXPECT_EQ(ui.Messages[0].caption, "Choose a different resource or time");
    EXPECT_EQ(ui.Status[1], "Fit units NOT updated");
    EXPECT_TRUE(editor.CloseRequested);
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "HOURS")), 12.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(Shared(fitUnits, "HOURS")), 12.0f);
}

TEST_F(TaskEditorTest, ValidationRefusalsKeepTheEditorOpen)
{
    Edit(fitUnits);
    const struct {
        std::string TaskForm::*field;
        const char* value;
        const char* refusal;
    } rows[] = {
        {&TaskForm::TaskLength, "0", "Enter task length"},
        {&TaskForm::HourlyRate, "-5", "Enter task hourly rate"},
        {&TaskForm::TaskDesc, "  ", "Enter task description"},
    };
    for (const auto& row : rows) {
        const TaskForm before = editor.Form;
        editor.Form.*row.field = row.value;
        editor.AddTaskManualClick();
        ASSERT_FALSE(ui.Messages.empty());
        EXPECT_EQ(ui.Messages.back().text, row.refusal);
        EXPECT_EQ(ui.Messages.back().caption, "Tarnwick");
        EXPECT_EQ(ui.Messages.back().icon, data::MessageIcon::Stop);
        EXPECT_FALSE(editor.CloseRequested);
        editor.Form = before;
    }
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "HOURS")), 12.0f);
    EXPECT_EQ(ui.Hourglasses, 0);
}

TEST_F(TaskEditorTest, DoneInAddModeAddsTheTaskEverywhereAndGivesTheResourceARate)
{
    Add(kBob, "Tile floor", Day(kTuesday, 9));
    editor.Form.TaskLength = "4";
    editor.TaskLengthChange();
    editor.Form.HourlyRate = "25";
    editor.Form.TaskDesc = "  Tile floor  ";
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result()) << (ui.Messages.empty() ? "" : ui.Messages[0].text);
    const std::int32_t key = editor.TaskKey();
    EXPECT_EQ(editor.Form.StatusBar, "Tile floor added");
    EXPECT_NEAR(Working(key, "ED"), Day(kTuesday, 13), 1e-6);
    EXPECT_NEAR(Shared(key, "ED"), Day(kTuesday, 13), 1e-6);
    EXPECT_EQ(TextOf(ws->TasksTable3, key, "DESC"), "Tile floor");
    EXPECT_EQ(Working(key, "PIN"), 1);
    EXPECT_DOUBLE_EQ(Working(key, "TCOST"), 100.0);
    ws->ICrewsTable2.refresh();
    EXPECT_TRUE(
        ws->ICrewsTable2.locate("CHARTSID;CREWID", {db::Value(double(key)), db::Value(double(kBob))}));
    ws->CrewsTable2.locate("CREWID", db::Value(double(kBob)));
    EXPECT_DOUBLE_EQ(ws->CrewsTable2.fieldByName("RATE").asCurrency(), 25.0);
    EXPECT_TRUE(editor.CloseRequested);
}

// A task at rate 0 on a resource whose rate is 0 leaves crews.dbf alone
// (a blank rate takes the task's, as the test above shows).
TEST_F(TaskEditorTest, AnAddAtNoRateOnAResourceAtNoRateDoesNotWriteTheResource)
{
    db::Table& crews = ws->CrewsTable2;
    ASSERT_TRUE(crews.locate("CREWID", db::Value(double(kBob))));
    crews.edit();
    crews.fieldByName("RATE").setAsCurrency(0);
    crews.post();
    const db::Table::ChangeMark mark = crews.changeMark();
    Add(kBob, "Tile floor", Day(kTuesday, 9));
    editor.Form.TaskLength = "4";
    editor.TaskLengthChange();
    editor.Form.HourlyRate = "0";
    editor.AddTaskManualClick();
    ASSERT_TRUE(editor.Result()) << (ui.Messages.empty() ? "" : ui.Messages[0].text);
    const auto written = crews.writtenSince(mark);
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(written->empty());
    crews.refresh();
    ASSERT_TRUE(crews.locate("CREWID", db::Value(double(kBob))));
    EXPECT_FALSE(crews.fieldByName("RATE").isNull());
}

TEST_F(TaskEditorTest, AnAddThatOverlapsIsNotAdded)
{
    const std::int64_t before = ws->ChartsTable5.recordCount();
    Add(kAnn, "Tile floor", Day(kMonday, 15));
    editor.AddTaskManualClick();
    EXPECT_FALSE(editor.Result());
    EXPECT_EQ(ui.Status[1], "Tile floor NOT added");
    ws->ChartsTable5.refresh();
    EXPECT_EQ(ws->ChartsTable5.recordCount(), before);
}

TEST_F(TaskEditorTest, NextAndPreviousWalkTheTasksButNotOntoAJobRow)
{
    Edit(fitUnits);
    editor.EditNextClick();
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(editor.Form.TaskDesc, "Paint walls");
    EXPECT_EQ(editor.TaskKey(), paintWalls);

    editor.EditNextClick();  // the next record is the job's summary row
    EXPECT_EQ(editor.Form.StatusBar, "Cannot edit job");
    EXPECT_EQ(editor.TaskKey(), paintWalls);
    EXPECT_EQ(ws->ChartsTable3.fieldByName("CHARTSID").asInteger(), paintWalls);

    editor.EditPrevClick();
    EXPECT_EQ(editor.Form.TaskDesc, "Fit units");
    editor.EditPrevClick();  // nothing before the first: the same task again
    EXPECT_EQ(editor.Form.TaskDesc, "Fit units");
    EXPECT_FALSE(editor.CloseRequested);
}

TEST_F(TaskEditorTest, AReadOnlyCopyShowsTheTaskButCannotSaveIt)
{
    ws->state.ReadOnlyCopy = true;
    Edit(fitUnits);
    EXPECT_FALSE(editor.Form.DoneEnabled || editor.Form.EditNextEnabled || editor.Form.EditPrevEnabled);
    editor.Form.TaskLength = "3";
    editor.TaskLengthChange();
    editor.AddTaskManualClick();
    editor.EditNextClick();
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "HOURS")), 12.0f);
    EXPECT_NE(editor.Form.StatusBar, "Fit units updated");
}

// Opening writes a renamed customer's name into the task and its own job;
// the job that happens to be current elsewhere keeps its customer.
TEST_F(TaskEditorTest, OpeningCarriesTheCustomersNameOnlyToTheTasksOwnJob)
{
    ws->JobsTable.append();
    ws->JobsTable.fieldByName("JID").setAsInteger(21);
    ws->JobsTable.fieldByName("DESC").setAsString("Bathroom");
    ws->JobsTable.fieldByName("CUSTNAME").setAsString("Bell");
    ws->JobsTable.post();
    ASSERT_TRUE(ws->CustomersTable2.locate("CID", db::Value(10.0)));
    ws->CustomersTable2.edit();
    ws->CustomersTable2.fieldByName("NAME").setAsString("Ames Ltd");
    ws->CustomersTable2.post();

    Edit(fitUnits);
    EXPECT_EQ(editor.Form.Customer, "Ames Ltd");
    EXPECT_EQ(TextOf(ws->ChartsTable5, fitUnits, "CUSTNAME"), "Ames Ltd");
    ws->JobsTable2.refresh();
    ASSERT_TRUE(ws->JobsTable2.locate("JID", db::Value(21.0)));
    EXPECT_EQ(ws->JobsTable2.fieldByName("CUSTNAME").asString(), "Bell");
    ASSERT_TRUE(ws->JobsTable2.locate("JID", db::Value(20.0)));
    EXPECT_EQ(ws->JobsTable2.fieldByName("CUSTNAME").asString(), "Ames Ltd");
}

TEST_F(TaskEditorTest, SetRateAddsTheRatesOfTheTasksResources)
{
    ws->CrewsTable2.locate("CREWID", db::Value(double(kBob)));
    ws->CrewsTable2.edit();
    ws->CrewsTable2.fieldByName("RATE").setAsCurrency(25.5);
    ws->CrewsTable2.post();
    adder.AddCrewIndexRow(fitUnits, kBob, 20);
    Edit(fitUnits);
    editor.ResetRateClick();
    EXPECT_EQ(editor.Form.HourlyRate, "65.50");
    adder.DeleteCrewIndexRows(fitUnits);
    editor.ResetRateClick();
    EXPECT_EQ(editor.Form.HourlyRate, "0.00");
}

TEST_F(TaskEditorTest, CancelClosesWithoutSaving)
{
    Edit(fitUnits);
    editor.Form.TaskLength = "3";
    editor.TaskLengthChange();
    editor.CancelClick();
    EXPECT_TRUE(editor.CloseRequested);
    EXPECT_FALSE(editor.Result());
    EXPECT_FLOAT_EQ(static_cast<float>(Working(fitUnits, "HOURS")), 12.0f);
}

}  // namespace
}  // namespace tw::tasks
