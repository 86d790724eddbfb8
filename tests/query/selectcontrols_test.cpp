// What the restriction boxes leave usable on the tab.
#include "query/selectcontrols.h"

#include <gtest/gtest.h>

namespace tw::query {
namespace {

TEST(SelectControlsTest, RowsOfTheBoxes)
{
    struct Case {
        const char* name;
        RestrictionBoxes boxes;
        bool imports, jobsSide, resources, status, taskInsert, customerInsert, active;
    } cases[] = {
        {"nothing", {}, true, true, true, false, true, true, false},
        {"customer alone keeps both inserts",
         {false, false, true, false, false},
         false,
         true,
         true,
         false,
         true,
         true,
         true},
        {"dates", {false, true, false, false, false}, false, false, true, false, false, false, true},
        {"resource", {true, false, false, false, false}, false, false, true, false, true, false, true},
        {"resource, dates, customer keep imports",
         {true, true, true, false, false},
         true,
         false,
         true,
         false,
         true,
         true,
         true},
        {"customer and status turn resources off",
         {false, false, true, true, false},
         false,
         true,
         false,
         true,
         false,
         true,
         true},
        {"all four", {true, true, true, true, false}, false, false, true, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SelectControlState s = UpdateSelectControls(c.boxes, {});
        EXPECT_EQ(s.ImportFromQB, c.imports);
        EXPECT_EQ(s.ImportFromQM, c.imports);
        EXPECT_EQ(s.JobsGrid, c.jobsSide);
        EXPECT_EQ(s.CustomerGrid, c.jobsSide);
        EXPECT_EQ(s.CrewsGrid, c.resources);
        EXPECT_EQ(s.TaskStatus, c.status);
        EXPECT_EQ(s.TasksNavigatorInsert, c.taskInsert);
        EXPECT_EQ(s.CustomerNavigator2Insert, c.customerInsert);
        EXPECT_EQ(s.QueryActive, c.active);
        EXPECT_TRUE(s.RestrictionBoxes);
    }
}

TEST(SelectControlsTest, ShowAllAndSearches)
{
    RestrictionBoxes boxes;
    boxes.RestrictToActive = true;
    boxes.RestrictToCustomer = true;
    SelectControlState s = UpdateSelectControls(boxes, {});
    EXPECT_TRUE(s.UncheckRestrictions);
    EXPECT_FALSE(s.RestrictionBoxes);
    EXPECT_FALSE(s.TasksNavigatorInsert);
    EXPECT_FALSE(s.CustomerNavigator);
    EXPECT_TRUE(s.CrewsGrid);
    EXPECT_FALSE(s.SearchCustom);
    EXPECT_TRUE(s.QueryActive);

    SearchState search;
    search.ResourceSearchActive = true;
    s = UpdateSelectControls({}, search);
    EXPECT_FALSE(s.TasksNavigatorInsert);
    EXPECT_FALSE(s.CrewsNavigatorInsert);
    EXPECT_FALSE(s.CustomerNavigator2Insert);
    EXPECT_FALSE(s.JobsGrid);
    EXPECT_TRUE(s.QueryActive);
}

}  // namespace
}  // namespace tw::query
