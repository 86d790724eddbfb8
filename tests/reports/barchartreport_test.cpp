// The annotated bar chart on small schedules: where its columns and bars
// land on Letter portrait and landscape, its footers and group lines, the
// date-range text and the resource lines under each task.

#include <gtest/gtest.h>

#include "reportfixture.h"
#include "reports/barchartreport.h"
#include "reports/reportcommon.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

class BarChartReport : public ::testing::Test, public ReportFixture {
protected:
    BarChartReport()
    {
        AddResource(1, "Alder crew", 40);
        AddResource(2, "Birch crew", 50);
        // One week from Monday 0:00.
        period = {At(0, 0), At(7, 0), 7, 1, 7};
    }
    TPrintAltChartReport Report(int code = 0)
    {
        TPrintAltChartReport report(tables, services, selection, options);
        report.PaperCode = code;
        report.Company = QStringLiteral("Acme");
        report.Period = period;
        return report;
    }
    ChartPeriod period;
};

TEST_F(BarChartReport, ColumnsAndBarsFollowThePrintableWidth)
{
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    struct Case {
        const char* name;
        int code;
        double labelWidth, barLeft, barWidth;
    } cases[] = {{"Letter portrait", 0, 180, 190, 432}, {"Letter landscape", 1, 240, 250, 576}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPrintAltChartReport report = Report(c.code);
        const auto pages = Pages(report);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_DOUBLE_EQ(report.BarAreaLeft(), c.barLeft);
        EXPECT_DOUBLE_EQ(report.BarAreaWidth(), c.barWidth);
        const PageItem* label = pages[0].Find("CustomerJobLabel");
        ASSERT_NE(label, nullptr);
        EXPECT_DOUBLE_EQ(label->Rect.width(), c.labelWidth);
        EXPECT_EQ(label->Text, "Customer : Job");
        // A day and 8 hours into a 7-day axis.
        const PageItem* bar = pages[0].Find("Bar");
        ASSERT_NE(bar, nullptr);
        const double margin = 48;
        EXPECT_DOUBLE_EQ(bar->Rect.left() - margin,
                         c.barLeft + std::trunc(c.barWidth * (32.0 * 60) / (7 * 1440)));
        EXPECT_DOUBLE_EQ(bar->Rect.width(), std::trunc(c.barWidth * 4 * 60 / (7 * 1440)));
        EXPECT_DOUBLE_EQ(bar->Rect.height(), 6);
        const PageItem* end = pages[0].Find("TE");
        ASSERT_NE(end, nullptr);
        EXPECT_DOUBLE_EQ(end->Rect.left() - margin, c.barLeft + c.barWidth);
    }
}

TEST_F(BarChartReport, BarsAreCutToTheAxisAndNeverThinnerThanFive)
{
    TPrintAltChartReport report = Report();
    report.PrepareBarChartReport(0, "Acme", period.Start, period.End, 7, 1, 7, 0);
    struct Case {
        const char* name;
        TDateTime start, end;
        int x, width;
    } cases[] = {
        {"a task of 0 hours", At(2, 8), At(2, 8), report.BarX(At(2, 8)), 5},
        {"starting before the period", At(-1, 8), At(0, 12), 0, static_cast<int>(432 * 12.0 / (7 * 24))},
        {"ending after the period", At(6, 12), At(9, 8), report.BarX(At(6, 12)),
         static_cast<int>(432 * 12.0 / (7 * 24))},
        {"wholly before the period", At(-3, 8), At(-2, 8), 0, 5},
        {"starting after the period", At(8, 8), At(8, 9), report.BarX(At(8, 8)), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(report.BarX(c.start), c.x);
        EXPECT_EQ(report.BarWidth(c.start, c.end), c.width);
    }
    EXPECT_GT(report.BarX(At(8, 8)), 432) << "no clamp at the right end";
}

TEST_F(BarChartReport, TaskLineReadsDatesLengthAndStatusWithTwoBlankSeparators)
{
    AddTask({.Id = 1,
             .Description = "Tiles",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(1, 12),
             .Hours = 4,
             .Status = 2});
    AddTask({.Id = 2,
             .Description = "Grout",
             .Crew = 1,
             .Start = At(2, 8),
             .End = At(2, 8),
             .Hours = 0,
             .Pin = 2});
    TPrintAltChartReport report = Report();
    const auto pages = Pages(report);
    EXPECT_EQ(Texts(pages, "DateRange"),
              (std::vector<QString>{"12/8/2026 8:00 AM  to  12/8/2026 12:00 PM  4.00 hours",
                                    "12/9/2026 8:00 AM  to  12/9/2026 8:00 AM  0.0 days"}));
    EXPECT_EQ(Texts(pages, "Status"), (std::vector<QString>{"In progress", "None"}));
    EXPECT_EQ(Texts(pages, "CustomerJob"), std::vector<QString>{"Baker : Kitchen"})
        << "one group line for both";
    EXPECT_EQ(Texts(pages, "Desc"), (std::vector<QString>{"Tiles", "Grout"}));
    const auto bars = pages[0].FindAll("Bar");
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_DOUBLE_EQ(bars[1]->Rect.width(), 5) << "a 0-hour task keeps a visible bar";
}

TEST_F(BarChartReport, ModeDecidesBetweenJobRowsAndTaskRows)
{
    AddTask({.Id = 10,
             .Description = "Kitchen",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(3, 16),
             .Hours = 24,
             .Job_ = true});
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    AddTask({.Id = 2,
             .Description = "Hidden",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(1, 12),
             .Hours = 4,
             .Shown = false});
    {
        TPrintAltChartReport report = Report();
        const auto pages = Pages(report);
        EXPECT_EQ(Texts(pages, "Desc"), std::vector<QString>{"Tiles"});
        EXPECT_EQ(pages[0].Find("Bar")->Rect.height(), 6);
        EXPECT_EQ(pages[0].Find("DescLabel")->Text, "Task");
    }
    selection.JobsOnly = true;
    TPrintAltChartReport report = Report();
    const auto pages = Pages(report);
    EXPECT_EQ(Texts(pages, "Desc"), std::vector<QString>{""}) << "a job row prints without description";
    EXPECT_EQ(pages[0].Find("Bar")->Rect.height(), 12);
    EXPECT_EQ(pages[0].Find("DescLabel")->Text, "Job");
}

TEST_F(BarChartReport, FootersNumberEveryPageWithTheTotal)
{
    for (int i = 1; i <= 40; ++i)
        AddTask({.Id = i,
                 .Customer = "C" + std::to_string(i),
                 .Description = "Task " + std::to_string(i),
                 .Crew = 1,
                 .Start = At(1, 8),
                 .End = At(1, 9),
                 .Hours = 1});
    TPrintAltChartReport report = Report();
    const auto pages = Pages(report);
    ASSERT_GE(pages.size(), 3u);
    const QString of = QStringLiteral("of  %1").arg(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const PageItem* number = pages[i].Find("PageNumber");
        const PageItem* pageOf = pages[i].Find("PageOf");
        ASSERT_TRUE(number && pageOf);
        EXPECT_EQ(number->Text, QStringLiteral("Page %1").arg(i + 1));
        EXPECT_EQ(pageOf->Text, of);
        EXPECT_NEAR(number->Rect.right(), pageOf->Rect.left() - 5, 0.001);
        EXPECT_NEAR(pageOf->Rect.right(), 48 + 720, 0.001) << "right-aligned to the band";
        // The footer stands at the page bottom: 28 above the bottom margin.
        EXPECT_NEAR(pages[i].Find("BottomLine")->Rect.top(), 1056 - 48 - 28 + 1, 0.001);
    }
    EXPECT_EQ(report.PageCounter, static_cast<int>(pages.size()) + 1);
}

TEST_F(BarChartReport, ResourceLinesBelongToTheirOwnTaskOnly)
{
    options.IncludeResources = true;
    // Task 1 has two resources; task 2 has none; task 3 is a hidden one with
    // a resource; task 4 has its own.
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 2, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    Assign(1, 1);
    AddTask({.Id = 2, .Description = "Grout", .Crew = 1, .Start = At(2, 8), .End = At(2, 12), .Hours = 4},
            false);
    AddTask({.Id = 3,
             .Description = "Hidden",
             .Crew = 2,
             .Start = At(2, 8),
             .End = At(2, 12),
             .Hours = 4,
             .Shown = false});
    AddTask({.Id = 4, .Description = "Seal", .Crew = 2, .Start = At(3, 8), .End = At(3, 12), .Hours = 4});
    TPrintAltChartReport report = Report();
    const auto pages = Pages(report);
    ASSERT_EQ(pages.size(), 1u);
    // In print order: the lines under each task, none under the task without
    // assignment rows nor for the hidden one.
    std::vector<QString> order;
    for (const PageItem& item : pages[0].Items)
        if (item.Name == "Desc" || item.Name == "ResourceName")
            order.push_back(item.Text);
    EXPECT_EQ(order,
              (std::vector<QString>{"Tiles", "Alder crew", "Birch crew", "Grout", "Seal", "Birch crew"}));

    options.IncludeResourceNotes = true;
    crews2.first();
    crews2.edit();
    crews2.fieldByName("NOTES").setAsString(" Tile setter ");
    crews2.post();
    TPrintAltChartReport withNotes = Report();
    EXPECT_EQ(Texts(Pages(withNotes), "ResourceName")[0], "Alder crew.  Tile setter, 40 hours per week");

    options.IncludeResources = false;
    TPrintAltChartReport without = Report();
    EXPECT_TRUE(Texts(Pages(without), "ResourceName").empty()) << "resource notes alone print nothing";
}

TEST_F(BarChartReport, ShortPeriodsLeaveOutTheIntermediateDatesAndTicksStopAtTwentyFour)
{
    period = {At(0, 0), At(2, 0), 2, 1.0 / 15, 30};
    TPrintAltChartReport report = Report();
    const auto pages = Pages(report);
    EXPECT_EQ(pages[0].Find("Date1"), nullptr);
    EXPECT_EQ(pages[0].Find("Date2"), nullptr);
    EXPECT_NE(pages[0].Find("T24"), nullptr);
    EXPECT_EQ(pages[0].Find("T25"), nullptr);
    const double spacing = 432 / 30;
    EXPECT_DOUBLE_EQ(pages[0].Find("T24")->Rect.left() - pages[0].Find("T1")->Rect.left(), 23 * spacing);

    period = {At(0, 0), At(21, 0), 21, 7, 3};
    TPrintAltChartReport longer = Report();
    const auto more = Pages(longer);
    ASSERT_NE(more[0].Find("Date1"), nullptr);
    EXPECT_EQ(more[0].Find("Date1")->Text, "Mon 12/14/2026");
}

}  // namespace
