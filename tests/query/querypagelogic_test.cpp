// The tab's logic on a started installation: what the restrictions let the
// task views show, what the navigators add, refuse and remove, and where.
#include "query/querypagelogic.h"

#include <algorithm>


#include "queryfixture.h"

namespace tw::query::testing {
namespace {

class QueryPageLogicTest : public QueryFixture {
protected:
    void SetUp() override
    {
        ann = AddResource("Ann");
        bob = AddResource("Bob");
        fit = AddTask(ann, "Ames", "Kitchen", "Fit units", Day(9, 8), 4);
        paint = AddTask(bob, "Ames", "Kitchen", "Paint walls", Day(10, 8), 4, 2);
        roof = AddTask(ann, "Baker", "Roof", "Strip roof", Day(14, 8), 4);
        // Ann helps Bob paint.
        adder.AddCrewIndexRow(paint, ann, 0);
        d.CustomersTable.first();
        logic.ApplyCustomerQuery();
    }
    void SelectCustomer(const char* name)
    {
        d.CustomersTable.refresh();
        ASSERT_TRUE(d.CustomersTable.locate("NAME", db::Value(std::string(name))));
        logic.ApplyCustomerQuery();
    }
    void SelectResource(std::int32_t key)
    {
        d.CrewsTable.refresh();
        ASSERT_TRUE(d.CrewsTable.locate("CREWID", db::Value(double(key))));
    }

    std::int32_t ann = 0, bob = 0, fit = 0, paint = 0, roof = 0;
};

TEST_F(QueryPageLogicTest, ResourceRestrictionShowsItsAssignmentsInGridAndChartViews)
{
    SelectResource(ann);
    logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, true);
    const std::vector<std::int32_t> annTasks{fit, paint, roof};
    EXPECT_EQ(Keys(d.ChartsTable), annTasks);
    EXPECT_EQ(Keys(d.ChartsTable3), annTasks);
    EXPECT_EQ(logic.Controls().Title, "Ann task assignments");
    EXPECT_TRUE(queryState.QueryRestricted) << "the poll waits while a restriction holds";

    // Moving the resources grid runs the query again.
    d.CrewsTable.refresh();
    d.CrewsTable.locate("CREWID", db::Value(double(ann)));
    logic.MoveTo(QueryPageLogic::Navigator::Crews, [&] {
        db::Table t;
        t.setFolder(state.ScheduleFolder);
        t.setTableName("crews.dbf");
        t.open();
        t.locate("CREWID", db::Value(double(bob)));
        return t.recNo();
    }());
    EXPECT_EQ(Keys(d.ChartsTable), std::vector<std::int32_t>{paint});

    logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, false);
    EXPECT_FALSE(queryState.QueryRestricted);
}

// A resource search in force: the resources grid shows the found ones and
// the tasks are those whose primary resource was found; unticking ends it.
TEST_F(QueryPageLogicTest, ResourceSearchNarrowsTheResourcesAndTheirTasks)
{
    d.CrewsTable2.refresh();
    ASSERT_TRUE(d.CrewsTable2.locate("CREWID", db::Value(double(bob))));
    d.CrewsTable2.edit();
    d.CrewsTable2.fieldByName("S2").setAsBoolean(true);
    d.CrewsTable2.post();
    queryState.Search.ResourceSearchActive = true;
    queryState.Search.ResourceSearchFilter = "(CREWID = " + std::to_string(bob) + ")";
    logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, true);
    EXPECT_EQ(Keys(d.CrewsTable, "CREWID"), std::vector<std::int32_t>{bob});
    EXPECT_EQ(Keys(d.ChartsTable), std::vector<std::int32_t>{paint});
    EXPECT_EQ(logic.Controls().CrewsLabel, "Selected resources from custom field search");
    EXPECT_EQ(logic.Controls().Title, "Selected resources from custom field search");
    EXPECT_FALSE(logic.Controls().Select.TasksNavigatorInsert);

    logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, false);
    EXPECT_FALSE(queryState.Search.ResourceSearchActive);
    EXPECT_EQ(Keys(d.CrewsTable, "CREWID").size(), 2u);
    EXPECT_EQ(logic.Controls().CrewsLabel, "All resources");
    EXPECT_FALSE(queryState.QueryRestricted);
}

TEST_F(QueryPageLogicTest, CustomerStatusAndShowAll)
{
    SelectCustomer("Ames");
    logic.ClickBox(&RestrictionBoxes::RestrictToCustomer, true);
    EXPECT_EQ(Keys(d.ChartsTable), (std::vector<std::int32_t>{fit, paint}));
    EXPECT_EQ(logic.Controls().Title, "Ames tasks");

    logic.SetTaskStatus(2);
    logic.TaskStatusClick();  // the box is not ticked: nothing changes
    EXPECT_EQ(Keys(d.ChartsTable), (std::vector<std::int32_t>{fit, paint}));
    logic.ClickBox(&RestrictionBoxes::RestrictToSelectedStatus, true);
    EXPECT_EQ(Keys(d.ChartsTable), std::vector<std::int32_t>{paint});
    EXPECT_EQ(logic.Controls().Title, "Ames In progress tasks");

    logic.ClickBox(&RestrictionBoxes::RestrictToActive, true);
    EXPECT_FALSE(logic.Controls().Boxes.RestrictToCustomer);
    EXPECT_FALSE(logic.Controls().Boxes.RestrictToSelectedStatus);
    EXPECT_FALSE(logic.Controls().DateControlsEnabled);
    EXPECT_FALSE(logic.Controls().Select.TasksNavigatorInsert);
    EXPECT_EQ(Keys(d.ChartsTable).size(), 3u);
    EXPECT_EQ(logic.Controls().Title, "All active tasks");

    logic.ClickBox(&RestrictionBoxes::RestrictToActive, false);
    EXPECT_TRUE(logic.Controls().DateControlsEnabled);
    EXPECT_FALSE(logic.Controls().Boxes.RestrictToCustomer);
}

// "Today" on Wednesday the 9th lists the 9th's task, neither the 10th's
// nor one that ended before; a task across the whole period counts.
TEST_F(QueryPageLogicTest, DateShortcutsRestrictToThePeriod)
{
    const std::int32_t across = AddTask(bob, "Cole", "Barn", "Long haul", Day(8, 8), 72);
    const std::int32_t before = AddTask(bob, "Cole", "Barn", "Survey", Day(7, 8), 2);
    EXPECT_FALSE(logic.Controls().UpDownDay);
    logic.TodayClick();
    EXPECT_TRUE(logic.Controls().Boxes.RestrictByDate);
    EXPECT_TRUE(logic.Controls().UpDownDay);
    EXPECT_FALSE(logic.Controls().UpDownWeek);
    EXPECT_EQ(logic.Controls().Pickers.End, Day(9));
    EXPECT_EQ(Keys(d.ChartsTable), (std::vector<std::int32_t>{fit, across}));
    EXPECT_EQ(logic.Controls().Title, "All  tasks 12/9/2026 through 12/9/2026");

    logic.UpDownDayClick(true);
    EXPECT_EQ(Keys(d.ChartsTable), (std::vector<std::int32_t>{paint, across}));
    logic.ThisWeekClick();
    EXPECT_EQ(Keys(d.ChartsTable), (std::vector<std::int32_t>{fit, paint, across, before}));
    logic.UpDownWeekClick(true);
    EXPECT_EQ(Keys(d.ChartsTable), std::vector<std::int32_t>{roof});

    logic.ClickBox(&RestrictionBoxes::RestrictByDate, false);
    EXPECT_FALSE(logic.Controls().UpDownWeek);
}

TEST_F(QueryPageLogicTest, NewTaskAndNewJobAreProposedByNumber)
{
    SelectCustomer("Ames");
    Select(d.ChartsTable, "CHARTSID", paint);
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Insert);
    ASSERT_EQ(page.editorRequests.size(), 1u);
    const TaskEditorRequest& r = page.editorRequests[0];
    EXPECT_EQ(r.Description, "Kitchen task 3");
    EXPECT_FALSE(r.Edit);
    EXPECT_EQ(r.Status, 3);
    EXPECT_DOUBLE_EQ(r.Start, Day(10, 12)) << "starts where the current task ends";

    page.jobMode = true;
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Insert);
    EXPECT_EQ(page.editorRequests.size(), 1u);
    EXPECT_EQ(ui.Status[0], "Cannot insert in job display mode");
    page.jobMode = false;

    logic.Press(QueryPageLogic::Navigator::Jobs, NavigateButton::Insert);
    logic.Press(QueryPageLogic::Navigator::Jobs, NavigateButton::Insert);
    EXPECT_EQ(Keys(d.JobsTable2, "CID").size(), 4u);
    std::vector<std::string> names;
    for (d.JobsTable.first(); !d.JobsTable.eof(); d.JobsTable.next())
        names.push_back(d.JobsTable.fieldByName("DESC").asString());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Ames job 2", "Ames job 3", "Kitchen"}));
    EXPECT_EQ(logic.Controls().Title, "Enter new job description");
}

// A refused delete leaves the record where it was, untouched.
TEST_F(QueryPageLogicTest, RefusedDeletesLeaveTheRecordInPlace)
{
    SelectCustomer("Ames");
    Select(d.ChartsTable, "CHARTSID", fit);
    const std::uint32_t recNo = d.ChartsTable.recNo();
    page.answer = false;
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    ASSERT_EQ(page.questions.size(), 1u);
    EXPECT_EQ(page.questions[0], "Confirm delete: Are you sure you want to remove Fit units ?");
    EXPECT_EQ(ui.Status[0], "Delete cancelled");
    EXPECT_TRUE(Holds(d.IChartsTable, "CHARTSID", fit));
    d.ChartsTable5.refresh();
    ASSERT_TRUE(d.ChartsTable5.locate("CHARTSID", db::Value(double(fit))));
    EXPECT_EQ(d.ChartsTable5.recNo(), recNo);
    EXPECT_EQ(d.ChartsTable5.recordCount(), 3);

    // The job Kitchen has tasks; the resource Ann has assignments.
    logic.Press(QueryPageLogic::Navigator::Jobs, NavigateButton::Delete);
    SelectResource(ann);
    logic.Press(QueryPageLogic::Navigator::Crews, NavigateButton::Delete);
    logic.Press(QueryPageLogic::Navigator::Customers, NavigateButton::Delete);
    ASSERT_EQ(ui.Messages.size(), 3u);
    EXPECT_EQ(ui.Messages[0].text, "Cannot delete a job with a related task");
    EXPECT_EQ(ui.Messages[1].text, "You are not allowed to delete a resource that is assigned to an task");
    EXPECT_EQ(ui.Messages[2].text, "Cannot delete a customer with a scheduled task");
    EXPECT_EQ(ui.Messages[2].caption, "Tarnwick");
    EXPECT_EQ(Keys(d.JobsTable2, "JID").size(), 2u);
    EXPECT_EQ(Keys(d.CrewsTable2, "CREWID").size(), 2u);
    EXPECT_EQ(Keys(d.CustomersTable2, "CID").size(), 2u);
}

// The working copy may lag behind the shared schedule while a restriction
// keeps the poll idle; a task only the shared schedule holds still counts.
TEST_F(QueryPageLogicTest, CustomerAndJobDeletesCheckTheSharedSchedule)
{
    SelectCustomer("Baker");
    // Another workstation's view: the task is shared, this copy lost it.
    d.ChartsTable5.refresh();
    ASSERT_TRUE(d.ChartsTable5.locate("CHARTSID", db::Value(double(roof))));
    d.ChartsTable5.deleteRecord();
    logic.Press(QueryPageLogic::Navigator::Jobs, NavigateButton::Delete);
    logic.Press(QueryPageLogic::Navigator::Customers, NavigateButton::Delete);
    ASSERT_EQ(ui.Messages.size(), 2u);
    EXPECT_EQ(ui.Messages[0].text, "Cannot delete a job with a related task");
    EXPECT_EQ(ui.Messages[1].text, "Cannot delete a customer with a scheduled task");
    EXPECT_EQ(Keys(d.CustomersTable2, "CID").size(), 2u);
}

TEST_F(QueryPageLogicTest, CustomerWithoutTasksTakesItsJobs)
{
    SelectCustomer("Baker");
    const std::int32_t baker = d.CustomersTable.fieldByName("CID").asInteger();
    logic.ClickBox(&RestrictionBoxes::RestrictToCustomer, true);
    page.answer = true;
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    EXPECT_FALSE(Holds(d.IChartsTable, "CHARTSID", roof));
    logic.Press(QueryPageLogic::Navigator::Jobs, NavigateButton::Insert);
    logic.Press(QueryPageLogic::Navigator::Customers, NavigateButton::Delete);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_FALSE(Holds(d.CustomersTable2, "CID", baker));
    EXPECT_FALSE(Holds(d.JobsTable2, "CID", baker));
    EXPECT_EQ(Keys(d.JobsTable2, "JID").size(), 1u) << "Ames's job stays";
}

TEST_F(QueryPageLogicTest, RemovingATaskRemovesItEverywhere)
{
    SelectCustomer("Ames");
    Select(d.ChartsTable, "CHARTSID", paint);
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    EXPECT_FALSE(Holds(d.ChartsTable2, "CHARTSID", paint));
    EXPECT_FALSE(Holds(d.IChartsTable, "CHARTSID", paint));
    EXPECT_FALSE(Holds(d.ICrewsTable2, "CHARTSID", paint));
    EXPECT_TRUE(Holds(d.IChartsTable, "CHARTSID", fit));
    EXPECT_TRUE(Holds(d.ICrewsTable2, "CHARTSID", fit));
    EXPECT_FALSE(state.LockHeld);
}

TEST_F(QueryPageLogicTest, RemovingUnderARestrictionRemovesAllSelected)
{
    SelectResource(ann);
    logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, true);
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    ASSERT_EQ(page.questions.size(), 1u);
    EXPECT_EQ(page.questions[0], "Confirm delete: Are you sure you want to remove all 3 selected tasks?");
    for (std::int32_t key : {fit, paint, roof}) {
        EXPECT_FALSE(Holds(d.ChartsTable2, "CHARTSID", key)) << key;
        EXPECT_FALSE(Holds(d.IChartsTable, "CHARTSID", key)) << key;
        EXPECT_FALSE(Holds(d.ICrewsTable2, "CHARTSID", key)) << key;
    }
    EXPECT_EQ(logic.Controls().TasksLabel, "No tasks");
}

TEST_F(QueryPageLogicTest, JobRowIsNeitherEditedNorRemoved)
{
    schedule::NewScheduleItem row;
    row.Key = data::UniqueKeyValue(state.Keys, d.ChartsTable5, "CHARTSID");
    row.CustomerName = "Ames";
    row.JobName = "Kitchen";
    row.Description = "Kitchen";
    row.Start = Day(9, 8);
    row.End = Day(10, 12);
    row.JobRow = true;
    ASSERT_TRUE(adder.AddTaskToSchedule(row));
    page.jobMode = true;
    SelectCustomer("Ames");
    Select(d.ChartsTable, "CHARTSID", row.Key);
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    EXPECT_EQ(ui.Status[0], "Cannot delete a job");
    logic.TasksGridDblClick();
    EXPECT_EQ(ui.Status[0], "Cannot edit job");
    EXPECT_TRUE(page.editorRequests.empty());
    EXPECT_TRUE(Holds(d.ChartsTable2, "CHARTSID", row.Key));

    // Removing a task of the job takes the job's row along, in both copies.
    page.jobMode = false;
    logic.ApplyCustomerQuery();
    Select(d.ChartsTable, "CHARTSID", fit);
    logic.Press(QueryPageLogic::Navigator::Tasks, NavigateButton::Delete);
    EXPECT_FALSE(Holds(d.ChartsTable2, "CHARTSID", row.Key));
    EXPECT_FALSE(Holds(d.IChartsTable, "CHARTSID", row.Key));
    EXPECT_TRUE(Holds(d.ChartsTable2, "CHARTSID", paint));
}

TEST_F(QueryPageLogicTest, ResourcesOfATask)
{
    Select(d.ChartsTable, "CHARTSID", paint);
    logic.SetResourceDisplay(1);
    logic.ResourceDisplayClick();
    EXPECT_EQ(Keys(d.CrewsTable, "CREWID"), (std::vector<std::int32_t>{ann, bob}));
    EXPECT_EQ(logic.Controls().CrewsLabel, "Resources assigned to Paint walls");
    EXPECT_TRUE(logic.Controls().RemoveResource);
    EXPECT_FALSE(logic.Controls().AddResource);
    Select(d.ChartsTable, "CHARTSID", fit);
    logic.TasksGridCellClick();
    EXPECT_EQ(Keys(d.CrewsTable, "CREWID"), std::vector<std::int32_t>{ann});
    logic.SetResourceDisplay(0);
    logic.ResourceDisplayClick();
    EXPECT_EQ(Keys(d.CrewsTable, "CREWID").size(), 2u);
    EXPECT_EQ(logic.Controls().CrewsLabel, "All resources");
}

TEST_F(QueryPageLogicTest, NewResourcesAreMadeWhenNeeded)
{
    logic.Press(QueryPageLogic::Navigator::Crews, NavigateButton::Insert);
    EXPECT_EQ(Keys(d.CrewsTable2, "CREWID").size(), 3u);
    EXPECT_TRUE(Holds(d.CrewsTable2, "CREWID", state.CurrentResourceId));
    EXPECT_FALSE(state.TablesBusy);

    // A resource without assignments may go.
    d.CrewsTable.refresh();
    ASSERT_TRUE(d.CrewsTable.locate("CREWID", db::Value(double(state.CurrentResourceId))));
    logic.Press(QueryPageLogic::Navigator::Crews, NavigateButton::Delete);
    EXPECT_EQ(Keys(d.CrewsTable2, "CREWID").size(), 2u);
}

class EmptyResourcesTest : public QueryFixture {};

TEST_F(EmptyResourcesTest, GetCurrentResourceMakesTheFirstOnce)
{
    const std::int32_t first = logic.GetCurrentResource();
    EXPECT_NE(first, 0);
    EXPECT_EQ(logic.GetCurrentResource(), first);
    EXPECT_EQ(logic.CurrentResourceName(), "New resource");
    EXPECT_EQ(Keys(d.CrewsTable2, "CREWID"), std::vector<std::int32_t>{first});
}

// A row typed into the jobs or resources grid is checked as the task editor
// checks its fields: a refused row writes nothing and says why.
TEST_F(QueryPageLogicTest, TypedRowsAreCheckedBeforeTheyAreWritten)
{
    const std::int32_t crew = AddResource("New resource");
    const std::int32_t other = AddResource("Other");
    Select(d.CrewsTable, "CREWID", other);
    d.CrewsTable4.refresh();
    ASSERT_TRUE(d.CrewsTable4.locate("CREWID", db::Value(double(crew))));
    const std::uint32_t crewRow = d.CrewsTable4.recNo();
    using Nav = QueryPageLogic::Navigator;
    const std::string fifty(50, 'x');
    struct Case {
        std::vector<QueryPageLogic::TypedField> Typed;
        bool Posted;
        std::string Refusal, Desc;
        double Rate;
    };
    const Case cases[] = {
        {{{"DESC", "  Hall Painters "}, {"RATE", "42.5"}}, true, "", "Hall Painters", 42.5},
        {{{"DESC", fifty}}, true, "", std::string(41, 'x'), 42.5},
        {{{"RATE", "ten"}}, false, "Enter resource hourly rate", std::string(41, 'x'), 42.5},
        {{{"RATE", "-1"}}, false, "Enter resource hourly rate", std::string(41, 'x'), 42.5},
        {{{"DESC", "Crew B"}, {"RATE", "12,x"}}, false, "Enter resource hourly rate", std::string(41, 'x'),
         42.5},
        {{{"DESC", "   "}, {"RATE", "30"}}, false, "Enter resource description", std::string(41, 'x'), 42.5},
        {{{"RATE", " 30 "}}, true, "", std::string(41, 'x'), 30},
    };
    for (const Case& c : cases) {
        const std::size_t before = ui.Messages.size();
        EXPECT_EQ(logic.PostTypedRow(Nav::Crews, crewRow, c.Typed), c.Posted) << c.Typed.front().second;
        if (c.Refusal.empty()) {
            EXPECT_EQ(ui.Messages.size(), before);
        } else {
            ASSERT_EQ(ui.Messages.size(), before + 1);
            EXPECT_EQ(ui.Messages.back().text, c.Refusal);
            EXPECT_EQ(ui.Messages.back().caption, "Tarnwick");
        }
        d.CrewsTable4.refresh();
        ASSERT_TRUE(d.CrewsTable4.locate("CREWID", db::Value(double(crew))));
        EXPECT_EQ(d.CrewsTable4.fieldByName("DESC").asString(), c.Desc) << c.Typed.front().second;
        EXPECT_DOUBLE_EQ(d.CrewsTable4.fieldByName("RATE").asCurrency(), c.Rate) << c.Typed.front().second;
        // The grid's current resource stays the one the user had chosen.
        EXPECT_EQ(d.CrewsTable.fieldByName("CREWID").asInteger(), other);
    }

    // A job's description; an empty one is refused.
    AddTask(crew, "Ames", "Kitchen", "Fit units", Day(7, 10), 2);
    logic.ApplyCustomerQuery();
    ASSERT_FALSE(d.JobsTable.isEmpty());
    const std::uint32_t jobRow = d.JobsTable.recNo();
    EXPECT_FALSE(logic.PostTypedRow(Nav::Jobs, jobRow, {{"DESC", ""}}));
    EXPECT_EQ(ui.Messages.back().text, "Enter job description");
    EXPECT_TRUE(logic.PostTypedRow(Nav::Jobs, jobRow, {{"DESC", "Kitchen refit"}}));
    EXPECT_EQ(d.JobsTable.fieldByName("DESC").asString(), "Kitchen refit");
    EXPECT_EQ(logic.Controls().Title, "Ames : Kitchen refit tasks");

    // A copy that may only view the schedule writes nothing.
    state.ReadOnlyCopy = true;
    EXPECT_FALSE(logic.PostTypedRow(Nav::Jobs, jobRow, {{"DESC", "Other name"}}));
    EXPECT_EQ(d.JobsTable.fieldByName("DESC").asString(), "Kitchen refit");
}

}  // namespace
}  // namespace tw::query::testing
