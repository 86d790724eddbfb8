// The resource summary: which resources it lists, each task's working hours
// on the resource's own calendar, the charge to four decimals, the totals,
// and the resource cursor that every output shares.

#include <gtest/gtest.h>

#include "reportfixture.h"
#include "reports/reportcommon.h"
#include "reports/resourcereport.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

class ResourceReport : public ::testing::Test, public ReportFixture {
protected:
    ResourceReport()
    {
        AddResource(1, "Alder crew", 40);
        AddResource(2, "Birch crew", 37.5);
        AddResource(3, "Cedar crew", 30);
    }
    std::vector<ReportPage> Run()
    {
        SetResourceCursor(crews3, ResourceSummaryFilter(charts, icrews2, selection));
        TPrintResourceReport report(tables, services, selection, options);
        report.Company = QStringLiteral("Acme");
        auto pages = Pages(report);
        totalHours = report.TotalHours();
        totalCharges = report.TotalCharges();
        return pages;
    }
    float totalHours = 0;
    Money totalCharges = 0;
};

TEST_F(ResourceReport, ChargeIsRateTimesTheResourcesOwnWorkingHours)
{
    // 4.25 hours at 37.50: 159.375.
    AddTask({.Id = 1,
             .Description = "Tiles",
             .Crew = 2,
             .Start = At(1, 8),
             .End = At(1, 12, 15),
             .Hours = 4.25f});
    EXPECT_EQ(LaborCharge(4.25f, ToMoney(37.5)), 1593750);
    options.IncludeTotals = true;
    const auto pages = Run();
    EXPECT_EQ(Texts(pages, "QRDBText1"), std::vector<QString>{"Birch crew"});
    EXPECT_EQ(Texts(pages, "Hours"), std::vector<QString>{"4.25"});
    EXPECT_EQ(Texts(pages, "Value"), std::vector<QString>{"$159.38"});
    EXPECT_EQ(Texts(pages, "Dates"), std::vector<QString>{"12/8/2026 - 12/8/2026"});
    EXPECT_EQ(totalCharges, 1593750);
}

TEST_F(ResourceReport, EveryResourceOfATaskIsListedAndCounted)
{
    // The task runs Friday 8:00 to Monday 16:00: two working days for Alder;
    // Birch also works Saturdays.
    schedule::CalendarRecord sixDays = standard;
    sixDays.SATURDAY = true;
    calendars[2] = sixDays;
    AddTask({.Id = 1,
             .Customer = "Baker",
             .Description = "Roof",
             .Crew = 1,
             .Start = At(4, 8),
             .End = At(7, 16),
             .Hours = 16});
    Assign(1, 2);
    // Cedar only works on a task outside the selection.
    AddTask({.Id = 2, .Description = "Shed", .Crew = 3, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    charts.setFilter("CHARTSID = 1");
    charts.setFiltered(true);
    for (bool totals : {true, false}) {
        SCOPED_TRACE(totals ? "with totals" : "without totals");
        options.IncludeTotals = totals;
        const auto pages = Run();
        EXPECT_EQ(Texts(pages, "QRDBText1"), (std::vector<QString>{"Alder crew", "Birch crew"}));
        EXPECT_EQ(Texts(pages, "Hours"), (std::vector<QString>{"16.00", "24.00"}));
        EXPECT_EQ(Texts(pages, "HoursTotal"), std::vector<QString>{"40.00"});
        if (totals) {
            EXPECT_EQ(Texts(pages, "Value"), (std::vector<QString>{"$640.00", "$900.00"}));
            EXPECT_EQ(Texts(pages, "DollarTotal"), std::vector<QString>{"$1,540.00"});
            EXPECT_EQ(Texts(pages, "ValueHeaderLabel"), std::vector<QString>{"Labor charges"});
        } else {
            EXPECT_EQ(Texts(pages, "Value"), (std::vector<QString>{"", ""}));
            EXPECT_EQ(Texts(pages, "DollarTotal"), std::vector<QString>{""});
            EXPECT_EQ(Texts(pages, "ValueHeaderLabel"), std::vector<QString>{""});
        }
        EXPECT_EQ(totalCharges, ToMoney(1540));
    }
}

// A resource's name must read as the heading of the tasks below it, not as one more line of the
// previous resource's tasks: it stands further from the task above than from its own first task.
TEST_F(ResourceReport, AResourceNameIsSetApartFromThePreviousResourcesTasks)
{
    AddTask({.Id = 1, .Description = "Roof", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    AddTask({.Id = 2, .Description = "Eaves", .Crew = 1, .Start = At(2, 8), .End = At(2, 12), .Hours = 4});
    AddTask({.Id = 3, .Description = "Tiles", .Crew = 2, .Start = At(3, 8), .End = At(3, 12), .Hours = 4});
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<const PageItem*> names = pages[0].FindAll(QStringLiteral("QRDBText1"));
    const std::vector<const PageItem*> lines = pages[0].FindAll(QStringLiteral("Client"));
    ASSERT_EQ(names.size(), 2u);
    ASSERT_EQ(lines.size(), 3u);
    const double above = names[1]->Rect.top() - lines[1]->Rect.bottom();
    const double below = lines[2]->Rect.top() - names[1]->Rect.bottom();
    EXPECT_GT(above, below);
    EXPECT_GE(above, 10);
    // The first resource keeps the same distance to its own tasks.
    EXPECT_DOUBLE_EQ(lines[0]->Rect.top() - names[0]->Rect.bottom(), below);
}

TEST_F(ResourceReport, CursorTakesEveryAssignedResourceOrTheRestriction)
{
    AddTask({.Id = 1, .Description = "Roof", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    Assign(1, 2);
    Assign(1, 1);
    EXPECT_EQ(ResourceSummaryFilter(charts, icrews2, selection), "(CREWID = 1) OR (CREWID = 2)");
    selection.RestrictTasksToCrew = true;
    selection.CurrentResourceId = 3;
    EXPECT_EQ(ResourceSummaryFilter(charts, icrews2, selection), "CREWID = 3");
    selection.ResourceSearchActive = true;
    selection.ResourceSearchFilter = "S2 = TRUE";
    EXPECT_EQ(ResourceSummaryFilter(charts, icrews2, selection), "S2 = TRUE");
}

TEST_F(ResourceReport, NoTasksPrintsTheHeaderAndZeroTotals)
{
    options.IncludeTotals = true;
    const auto pages = Run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(Texts(pages, "QRDBText1").empty());
    EXPECT_EQ(Texts(pages, "HoursTotal"), std::vector<QString>{"0.00"});
    EXPECT_EQ(Texts(pages, "DollarTotal"), std::vector<QString>{"$0.00"});
    EXPECT_EQ(Texts(pages, "PageOf"), std::vector<QString>{"of  1"});
}

}  // namespace
