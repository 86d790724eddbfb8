// The query's filter, title and captions for every combination of the
// restriction boxes, in job and task mode, and the resource term.
#include "query/queryfilter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "data/layouts/layouts.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/tableops.h"

namespace tw::query {
namespace {

struct Row {
    const char* name;
    bool T, D, C, S;
    bool jobMode;
    const char* filter;
    const char* title;
};

constexpr const char* kD =
    "((SDD >= '12/9/2026') AND (EDD <= '12/12/2026')) OR ((SDD <= '12/9/2026') AND (EDD >= '12/9/2026')) OR "
    "((SDD <= '12/12/2026') AND (EDD >= '12/12/2026'))";

class QueryFilterTest : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }

    static QueryInputs Inputs(bool T, bool D, bool C, bool S, bool jobMode)
    {
        QueryInputs in;
        in.RestrictTasksToCrew = T;
        in.RestrictByDate = D;
        in.RestrictToCustomer = C;
        in.RestrictToSelectedStatus = S;
        in.JobMode = jobMode;
        in.CustomerId = 5;
        in.CustomerName = "Ames";
        in.JobId = 7;
        in.JobDesc = "Kitchen";
        in.ResourceDesc = "Ann";
        in.ResourceTerm = "(CHARTSID = 12) OR (CHARTSID = 40)";
        in.StartDate = EncodeDate(2026, 12, 9);
        in.EndDate = EncodeDate(2026, 12, 12);
        in.WorkingDayStart = EncodeTime(8, 0, 0, 0);
        in.WorkingDayEnd = EncodeTime(17, 0, 0, 0);
        in.Status = 3;
        in.StatusName = "None";
        return in;
    }
};

TEST_F(QueryFilterTest, EveryCombinationOfTheBoxes)
{
    const Row rows[] = {
        {"nothing: the current job", false, false, false, false, true, "(JID = 7) AND (JOB)",
         "Ames : Kitchen"},
        {"nothing, task mode", false, false, false, false, false, "(JID = 7) AND (NOT JOB)",
         "Ames : Kitchen tasks"},
        {"customer", false, false, true, false, false, "(CID = 5) AND (NOT JOB)", "Ames tasks"},
        {"customer, job mode", false, false, true, false, true, "(CID = 5) AND (JOB)", "Ames jobs"},
        {"dates", false, true, false, false, false, nullptr, "All  tasks 12/9/2026 through 12/12/2026"},
        {"customer and status None", false, false, true, true, false,
         "((CID = 5) AND (BIDID = 3)) AND (NOT JOB)", "Ames None tasks"},
        {"status", false, false, false, true, true, "(BIDID = 3) AND (JOB)", "All None jobs"},
        {"resource", true, false, false, false, false, nullptr, "Ann task assignments"},
        {"resource and customer", true, false, true, false, false, nullptr, "Ames tasks assigned to Ann"},
        {"resource and dates", true, true, false, false, false, nullptr,
         "Ann assigned tasks 12/9/2026 through 12/12/2026"},
        {"resource, dates, customer", true, true, true, false, false, nullptr,
         "Ames tasks assigned to Ann 12/9/2026 through 12/12/2026"},
        {"dates and customer", false, true, true, false, false, nullptr,
         "Ames tasks 12/9/2026 through 12/12/2026"},
        {"dates and status", false, true, false, true, false, nullptr,
         "All None tasks 12/9/2026 through 12/12/2026"},
        {"dates, customer, status", false, true, true, true, false, nullptr,
         "Ames None  tasks 12/9/2026 through 12/12/2026"},
        {"resource and status", true, false, false, true, false, nullptr, "All None tasks assigned to Ann"},
        {"resource, customer, status", true, false, true, true, false, nullptr,
         "Ames None tasks assigned to Ann"},
        {"resource, dates, status", true, true, false, true, false, nullptr,
         "Ann None  tasks 12/9/2026 through 12/12/2026"},
        {"all four", true, true, true, true, true, nullptr,
         "Ames None  jobs assigned to Ann 12/9/2026 through 12/12/2026"},
    };
    // The filters of the rows left open above, by the same rule: A(x, y).
    auto A = [](const std::string& a, const std::string& b) { return "(" + a + ") AND (" + b + ")"; };
    const std::string C = "CID = 5", S = "BIDID = 3", Dt = kD, Tt = "(CHARTSID = 12) OR (CHARTSID = 40)";
    const std::map<std::string, std::string> filters = {
        {"dates", A(Dt, "NOT JOB")},
        {"resource", A(Tt, "NOT JOB")},
        {"resource and customer", A(A(C, Tt), "NOT JOB")},
        {"resource and dates", A(A(Dt, Tt), "NOT JOB")},
        {"resource, dates, customer", A(A(A(C, Dt), Tt), "NOT JOB")},
        {"dates and customer", A(A(C, Dt), "NOT JOB")},
        {"dates and status", A(A(S, Dt), "NOT JOB")},
        {"dates, customer, status", A(A(A(S, C), Dt), "NOT JOB")},
        {"resource and status", A(A(Tt, S), "NOT JOB")},
        {"resource, customer, status", A(A(A(C, Tt), S), "NOT JOB")},
        {"resource, dates, status", A(A(A(Dt, Tt), S), "NOT JOB")},
        {"all four", A(A(A(A(C, Dt), Tt), S), "JOB")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QueryResult r = BuildQueryFilter(Inputs(row.T, row.D, row.C, row.S, row.jobMode));
        const std::string expected = row.filter != nullptr ? row.filter : filters.at(row.name);
        EXPECT_EQ(r.FilterText, expected);
        EXPECT_EQ(r.Title, row.title);
        EXPECT_EQ(r.TasksLabel, row.title);
        EXPECT_FALSE(r.CustomersLabel || r.JobsLabel || r.CrewsLabel);
    }
}

TEST_F(QueryFilterTest, ShowAllAndSearchesOverride)
{
    QueryInputs in = Inputs(true, true, true, true, false);
    in.RestrictToActive = true;
    QueryResult r = BuildQueryFilter(in);
    EXPECT_EQ(r.FilterText, "NOT JOB");
    EXPECT_EQ(r.Title, "All active tasks");

    in = Inputs(true, false, false, false, false);
    in.Search.ResourceSearchActive = true;
    in.Search.ResourceSearchFilter = "(CREWID = 3) OR (CREWID = 4)";
    r = BuildQueryFilter(in);
    EXPECT_EQ(r.FilterText, "((CREWID = 3) OR (CREWID = 4)) AND (NOT JOB)");
    EXPECT_EQ(r.Title, "Selected resources from custom field search");
    EXPECT_EQ(r.TasksLabel, "Related tasks from custom field search");
    EXPECT_EQ(r.CrewsLabel.value_or(""), "Selected resources from custom field search");

    in = Inputs(false, false, false, false, false);
    in.Search.TaskSearchActive = true;
    in.Search.TaskSearchFilter = "(CHARTSID = 9)";
    r = BuildQueryFilter(in);
    EXPECT_EQ(r.FilterText, "(((CHARTSID = 9))) AND (NOT JOB)");
    EXPECT_EQ(r.TasksLabel, "Selected tasks from custom field search");

    in = Inputs(false, false, true, false, false);
    in.Search.CustomerSearchActive = true;
    in.Search.CustomerSearchFilter = "(CID = 1) OR (CID = 2)";
    r = BuildQueryFilter(in);
    EXPECT_EQ(r.FilterText, "((CID = 1) OR (CID = 2)) AND (NOT JOB)");
    EXPECT_EQ(r.JobsLabel.value_or(""), "Related jobs");
}

// Without day times the working day ends at 23:58:59.999, which rounds up to
// the next midnight; the query must still end on the end picker's day.
TEST_F(QueryFilterTest, DateTermEndsOnTheEndPickersDay)
{
    QueryInputs in = Inputs(false, true, false, false, false);
    in.StartDate = in.EndDate = EncodeDate(2026, 12, 9);
    in.WorkingDayStart = 0;
    in.WorkingDayEnd = EncodeTime(23, 58, 59, 999);
    const QueryResult r = BuildQueryFilter(in);
    EXPECT_EQ(r.Title, "All  tasks 12/9/2026 through 12/9/2026");
    EXPECT_EQ(r.FilterText.find("12/10/2026"), std::string::npos) << r.FilterText;
}

class ResourceTermTest : public ::testing::Test {
protected:
    ResourceTermTest()
    {
        char tmpl[] = "/tmp/twqueryXXXXXX";
        folder = ::mkdtemp(tmpl);
        const data::TableLayout* layout = data::FindLayout(data::Database::Scheduler, "ICrews.DBF");
        db::CreateTable(folder, layout->fileName, layout->fields, layout->indexes);
        rows.setFolder(folder);
        rows.setTableName("ICrews.DBF");
        rows.open();
    }
    ~ResourceTermTest() override
    {
        rows.close();
        std::filesystem::remove_all(folder);
    }
    void Assign(int crew, int task)
    {
        rows.append();
        rows.fieldByName("CREWID").setAsInteger(crew);
        rows.fieldByName("CHARTSID").setAsInteger(task);
        rows.post();
    }
    std::string folder;
    db::Table rows;
};

TEST_F(ResourceTermTest, ListsTheResourcesAssignmentsOrNothing)
{
    EXPECT_EQ(TaskFilterForResource(rows, 1), "CHARTSID > 0");
    Assign(1, 12);
    Assign(2, 30);
    Assign(1, 40);
    EXPECT_EQ(TaskFilterForResource(rows, 1), "(CHARTSID = 12) OR (CHARTSID = 40)");
    EXPECT_EQ(TaskFilterForResource(rows, 3), "CHARTSID = 0");
}

}  // namespace
}  // namespace tw::query
