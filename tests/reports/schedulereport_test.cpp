// The text schedule: its columns on narrow and wide pages, the refusal of a
// page too narrow for the original columns, the labour of all resources of
// a task with their own calendars and rates, notes and the grand totals.

#include <gtest/gtest.h>

#include "reportfixture.h"
#include "reports/reportcommon.h"
#include "reports/schedulereport.h"

using namespace tw;
using namespace tw::reports;
using namespace tw::reports::testing;

namespace {

class ScheduleReport : public ::testing::Test, public ReportFixture {
protected:
    ScheduleReport()
    {
        AddResource(1, "Alder crew", 40);
        AddResource(2, "Birch crew", 37.5);
    }
    TPrintScheduleReport Report(int code = 0)
    {
        TPrintScheduleReport report(tables, services, selection, options);
        report.PaperCode = code;
        report.Company = QStringLiteral("Acme");
        return report;
    }
};

TEST_F(ScheduleReport, RefusesPortraitPagesForTheOriginalColumns)
{
    struct Case {
        int code;
        bool original;
        bool ready;
        double descWidth;
    } cases[] = {{0, true, false, 40}, {1, true, true, 280}, {2, true, false, 40},  {3, true, true, 40 + 528},
                 {4, true, false, -1}, {5, true, true, -1},  {0, false, true, 380}, {4, false, true, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "code " << c.code << (c.original ? " with" : " without") << " original");
        options.IncludeOriginal = c.original;
        TPrintScheduleReport report = Report();
        EXPECT_EQ(report.PrepareScheduleReport(c.code, "Acme", 0), c.ready);
        if (c.descWidth >= 0) {
            EXPECT_NEAR(report.Layout().DescWidth, c.descWidth, 0.001);
        }
    }
}

TEST_F(ScheduleReport, CurrentColumnsAreLaidLeftwardsFromTheTotal)
{
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    options.IncludeTotals = true;
    for (const auto& [code, width] : {std::pair{0, 720.0}, std::pair{1, 960.0}}) {
        SCOPED_TRACE(code);
        TPrintScheduleReport report = Report(code);
        const auto pages = Pages(report);
        const double m = 48;
        EXPECT_DOUBLE_EQ(pages[0].Find("Total")->Rect.left() - m, width - 80);
        EXPECT_DOUBLE_EQ(pages[0].Find("Length")->Rect.left() - m, width - 180);
        EXPECT_DOUBLE_EQ(pages[0].Find("End")->Rect.left() - m, width - 255);
        EXPECT_DOUBLE_EQ(pages[0].Find("Start")->Rect.left() - m, width - 330);
        EXPECT_DOUBLE_EQ(pages[0].Find("Desc")->Rect.width(), width - 340);
        EXPECT_EQ(pages[0].Find("Start")->Text, "12/8/2026 8:00 AM");
    }
}

TEST_F(ScheduleReport, LengthAndCostAddUpEveryResourceOnItsOwnCalendar)
{
    // Birch works 8:00 to 12:00 only: 4 of the task's 8 hours.
    schedule::CalendarRecord half = standard;
    half.END1 = EncodeTime(12, 0, 0, 0);
    calendars[2] = half;
    AddTask({.Id = 1,
             .Description = "Tiles",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(1, 16),
             .Hours = 8,
             .OriginalStart = At(0, 8),
             .OriginalEnd = At(0, 12)});
    Assign(1, 2);
    options.IncludeTotals = true;
    options.IncludeOriginal = true;
    TPrintScheduleReport report = Report(1);
    const auto pages = Pages(report);
    // 8 hours at 40 and 4 at 37.50; originally 4 at each.
    EXPECT_EQ(Texts(pages, "Length"), std::vector<QString>{"12.00 hours"});
    EXPECT_EQ(Texts(pages, "Total"), std::vector<QString>{"$470.00"});
    EXPECT_EQ(Texts(pages, "OLength"), std::vector<QString>{"8.00 hours"});
    EXPECT_EQ(Texts(pages, "OTotal"), std::vector<QString>{"$310.00"});
    EXPECT_EQ(Texts(pages, "GrandTotal"), std::vector<QString>{"$470.00"});
    EXPECT_EQ(Texts(pages, "OGrandTotal"), std::vector<QString>{"$310.00"});
    EXPECT_EQ(Texts(pages, "CurrentLabel"),
              std::vector<QString>{"Current start, end, length and labor cost"});
    EXPECT_EQ(Texts(pages, "OriginalLabel"),
              std::vector<QString>{"Original start, end, length and labor cost"});
    EXPECT_EQ(report.CurrentGrandTotal(), 4700000);
}

TEST_F(ScheduleReport, WithoutTotalsNoCostsNoSummary)
{
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    options.IncludeOriginal = true;
    TPrintScheduleReport report = Report(1);
    const auto pages = Pages(report);
    EXPECT_TRUE(Texts(pages, "Total").empty());
    EXPECT_TRUE(Texts(pages, "TotalLabel").empty());
    EXPECT_TRUE(Texts(pages, "GrandTotal").empty());
    EXPECT_EQ(Texts(pages, "CurrentLabel"), std::vector<QString>{"Current start, end, and length"});
    EXPECT_EQ(Texts(pages, "OriginalLabel"), std::vector<QString>{"Original start, end, and length"});
    EXPECT_EQ(Texts(pages, "OSD"), Texts(pages, "Start")) << "unchanged dates print alike";
}

TEST_F(ScheduleReport, NotesPrintWhenTheyHoldMoreThanBlanks)
{
    AddTask({.Id = 1,
             .Description = "Tiles",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(1, 12),
             .Hours = 4,
             .Notes = "Bring the blue tiles"});
    AddTask({.Id = 2,
             .Description = "Grout",
             .Crew = 1,
             .Start = At(2, 8),
             .End = At(2, 12),
             .Hours = 4,
             .Notes = "   "});
    options.IncludeNotes = true;
    TPrintScheduleReport report = Report();
    EXPECT_EQ(Texts(Pages(report), "NotesSpace"), std::vector<QString>{"Bring the blue tiles"});
}

TEST_F(ScheduleReport, JobRowsInTaskModeAddNothing)
{
    AddTask({.Id = 10,
             .Description = "Kitchen",
             .Crew = 1,
             .Start = At(1, 8),
             .End = At(1, 16),
             .Hours = 8,
             .Job_ = true});
    Assign(10, 1);
    AddTask({.Id = 1, .Description = "Tiles", .Crew = 1, .Start = At(1, 8), .End = At(1, 12), .Hours = 4});
    options.IncludeTotals = true;
    options.IncludeResources = true;
    TPrintScheduleReport report = Report();
    const auto pages = Pages(report);
    EXPECT_EQ(Texts(pages, "Desc"), std::vector<QString>{"Tiles"});
    EXPECT_EQ(Texts(pages, "ResourceName"), std::vector<QString>{"Alder crew"})
        << "no resources under the suppressed job row";
    EXPECT_EQ(report.CurrentGrandTotal(), ToMoney(160));
}

}  // namespace
