// The page on the working-time engine as the calendar tables feed it, as the
// Visualize feature unit builds it.
#include "pagefixture.h"

#include "schedule/visualize/calendarworkingtime.h"
#include "schedule/sync/calendarrecordio.h"

namespace tw::visualize::testing {
namespace {

class CalendarTablesTest : public PageFixture {
protected:
    void SetUp() override
    {
        const data::TableLayout* layout = data::FindLayout(data::Database::Scheduler, "calendar.DBF");
        db::CreateTable(folder_, layout->fileName, layout->fields, layout->indexes);
        Open(calendarTable, layout->fileName);
        // One calendar for everybody: Monday to Friday, 8:00 to 17:00.
        schedule::CalendarRecord weekdays;
        weekdays.START1 = EncodeTime(8, 0, 0, 0);
        weekdays.END1 = EncodeTime(17, 0, 0, 0);
        calendarTable.append();
        schedule::SaveWorkCalendar(calendarTable, weekdays);
        calendarTable.post();
    }
    TDateTime ComputeTaskEnd(std::int32_t crew, TDateTime& startOut, TDateTime start, float hours) override
    {
        return onCalendarTables.ComputeTaskEnd(crew, startOut, start, hours);
    }
    float WorkingHoursBetween(std::int32_t crew, TDateTime start, TDateTime end) override
    {
        return onCalendarTables.WorkingHoursBetween(crew, start, end);
    }
    const schedule::WorkCalendar& LoadWorkCalendar(std::int32_t crew) override
    {
        return onCalendarTables.LoadWorkCalendar(crew);
    }
    void TearDown() override { calendarTable.close(); }

    db::Table calendarTable;
    schedule::CalendarTables calendars{calendarTable, holidays, state};
    CalendarWorkingTime onCalendarTables{calendars};
};

TEST_F(CalendarTablesTest, ATaskMovedOntoTheWeekendKeepsItsWorkingHoursOnMonday)
{
    AddTask({.Id = 1, .Desc = "Paint", .Start = Day(11, 13), .End = Day(11, 17), .Hours = 4});
    builder.BuildChart(true);
    // Dropped on Saturday 9:00 and drawn an hour long.
    Drag(1, Day(12, 9), Day(12, 10));
    EXPECT_NEAR(BarOf(1)->StartAt(), Day(14, 9), 1e-6);
    EXPECT_NEAR(BarOf(1)->EndAt(), Day(14, 13), 1e-6);
    EXPECT_NEAR(Read(1, "SD"), Day(14, 9), 1e-6);
    EXPECT_NEAR(Read(1, "ED"), Day(14, 13), 1e-6);
    EXPECT_NEAR(Read(1, "SDD"), Day(14), 1e-6);
    EXPECT_EQ(ui.Status[2], "4.00 hours");
}

TEST_F(CalendarTablesTest, StretchingOverNightAddsOnlyWorkingHours)
{
    AddTask({.Id = 1, .Desc = "Paint", .Start = Day(8, 15), .End = Day(8, 16, 45), .Hours = 1.75f});
    builder.BuildChart(true);
    chart.SelectedBar = BarOf(1);
    // From 16:45 a quarter hour to 17:00: two working hours.
    adjuster.IncreScheduleClick();
    EXPECT_FLOAT_EQ(static_cast<float>(Read(1, "HOURS")), 2.0f);
    // Past the end of the working day the hours stay as they are.
    adjuster.IncreScheduleClick();
    EXPECT_FLOAT_EQ(static_cast<float>(Read(1, "HOURS")), 2.0f);
    EXPECT_NEAR(Read(1, "ED"), Day(8, 17, 15), 1e-6);
}

}  // namespace
}  // namespace tw::visualize::testing
