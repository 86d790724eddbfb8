// The working-time engine fed from calendar.DBF and the holiday list, and every
// task of the working copy laid onto its resource's calendar again.
#include <gtest/gtest.h>

#include "../calendars.h"
#include "platform/datetime/localetexts.h"
#include "schedule/sync/calendartables.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;
using namespace tw::schedule::testing;

namespace {

void AppendCalendar(db::Table& t, std::int32_t crew, const CalendarRecord& r)
{
    t.append();
    t.fieldByName("WORKID").setAsInteger(crew + 1000);
    t.fieldByName("CREWID").setAsInteger(crew);
    const std::pair<const char*, bool> flags[] = {
        {"SUNDAY", r.SUNDAY},     {"MONDAY", r.MONDAY}, {"TUESDAY", r.TUESDAY},   {"WEDNESDAY", r.WEDNESDAY},
        {"THURSDAY", r.THURSDAY}, {"FRIDAY", r.FRIDAY}, {"SATURDAY", r.SATURDAY}, {"DAY1", r.DAY1},
        {"DAY2", r.DAY2},         {"DAY3", r.DAY3},     {"DAY4", r.DAY4},         {"OVERRIDE", r.OVERRIDE}};
    for (const auto& [name, value] : flags)
        t.fieldByName(name).setAsBoolean(value);
    const std::pair<const char*, double> numbers[] = {
        {"START1", r.START1},     {"END1", r.END1},        {"START2", r.START2}, {"END2", r.END2},
        {"START3", r.START3},     {"END3", r.END3},        {"START4", r.START4}, {"END4", r.END4},
        {"THOURSDY", r.THOURSDY}, {"THOURSFC", r.THOURSFC}};
    for (const auto& [name, value] : numbers)
        t.fieldByName(name).setAsFloat(value);
    t.post();
}

class CalendarFromTables : public ::testing::Test, protected OneWorkstation {
protected:
    CalendarFromTables()
    {
        tw::locale::PinLocale("en_US");
        calendars = std::make_unique<CalendarTables>(ws->CalendarTable, holidays, ws->state);
    }

    void AddTask(std::int32_t key, std::int32_t crew, TDateTime start, float hours, bool job = false)
    {
        db::Table& t = ws->ChartsTable5;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(key);
        t.fieldByName("CREWID").setAsInteger(crew);
        t.fieldByName("SD").setAsFloat(start);
        t.fieldByName("ED").setAsFloat(start);
        t.fieldByName("HOURS").setAsFloat(hours);
        t.fieldByName("JOB").setAsBoolean(job);
        t.fieldByName("UPDATE").setAsFloat(3.0);
        t.post();
    }

    // Instants as stored: to 8 decimal places of a day.
    static void ExpectInstant(TDateTime actual, TDateTime expected) { EXPECT_NEAR(actual, expected, 1e-6); }

    TDateTime EndOf(std::int32_t key)
    {
        EXPECT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(static_cast<double>(key))));
        return ws->ChartsTable5.fieldByName("ED").asFloat();
    }

    HolidayList holidays;
    std::unique_ptr<CalendarTables> calendars;
};

TEST_F(CalendarFromTables, LoadsTheResourcesRecordOrTheCommonOneOrTheDefaults)
{
    AppendCalendar(ws->CalendarTable, 0, EightToFive());
    AppendCalendar(ws->CalendarTable, 5, WithLunch(EightToFive()));
    struct Case {
        const char* name;
        int mode;
        std::int32_t resource;
        float hoursPerDay;
        float hoursPerMonth;
    };
    const Case cases[] = {
        {"one calendar for all", 0, 5, 9, 195},
        {"the resource's own", 1, 5, 8, 173.5f},
        {"no record: the defaults", 1, 6, 8, 173.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ws->state.WorkCalendarMode = c.mode;
        calendars->LoadWorkCalendar(true, c.resource);
        EXPECT_EQ(calendars->Loaded().HoursPerDay(), c.hoursPerDay);
        EXPECT_EQ(calendars->Loaded().HoursPerMonth(), c.hoursPerMonth);
    }
}

TEST_F(CalendarFromTables, RecomputingLaysEveryTaskOntoItsResourcesCalendarAndHolidays)
{
    ws->state.WorkCalendarMode = 1;
    AppendCalendar(ws->CalendarTable, 1, EightToFive());
    AddTask(10, 1, Day(kMonday, 13), 12);
    AddTask(11, 1, Day(kSaturday, 10), 2);
    AddTask(12, 2, Day(kMonday, 13, 5), 12);   // resource 2 has no calendar
    AddTask(13, 1, Day(kMonday, 8), 9, true);  // job rows too
    ws->ChartsTable.refresh();
    ASSERT_TRUE(ws->ChartsTable.locate("CHARTSID", db::Value(11.0)));

    calendars->RecomputeAllTaskEnds(ws->ChartsTable5, ws->ChartsTable);
    ExpectInstant(EndOf(10), Day(kTuesday, 16));
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(11.0)));
    ExpectInstant(ws->ChartsTable5.fieldByName("SD").asFloat(), Day(kNextMonday, 10));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("SDD").asDate(), EncodeDate(2026, 12, kNextMonday));
    ExpectInstant(EndOf(11), Day(kNextMonday, 12));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("EDD").asDate(), EncodeDate(2026, 12, kNextMonday));
    ExpectInstant(EndOf(12), Day(kMonday, 13, 5));  // no calendar: the start unchanged
    ASSERT_TRUE(ws->ChartsTable5.locate("CHARTSID", db::Value(12.0)));
    ExpectInstant(ws->ChartsTable5.fieldByName("SD").asFloat(), Day(kMonday, 13, 15));
    ExpectInstant(EndOf(13), Day(kMonday, 17));
    EXPECT_EQ(ws->ChartsTable5.fieldByName("UPDATE").asFloat(), 3.0) << "the counter stays";
    EXPECT_EQ(ws->ChartsTable.fieldByName("CHARTSID").asInteger(), 11) << "the shown item stays shown";

    // A holiday on Tuesday moves the end a day on; without it, back again.
    holidays.Assign({DayNumber(EncodeDate(2026, 12, kTuesday))});
    calendars->RecomputeAllTaskEnds(ws->ChartsTable5, ws->ChartsTable);
    ExpectInstant(EndOf(10), Day(kWednesday, 16));
    holidays.Assign({});
    calendars->RecomputeAllTaskEnds(ws->ChartsTable5, ws->ChartsTable);
    ExpectInstant(EndOf(10), Day(kTuesday, 16));
}

TEST_F(CalendarFromTables, WorkingHoursComeFromTheResourcesCalendar)
{
    ws->state.WorkCalendarMode = 1;
    AppendCalendar(ws->CalendarTable, 1, EightToFive());
    EXPECT_EQ(calendars->WorkingHoursBetween(1, Day(kMonday, 13), Day(kTuesday, 17)), 13.0f);
    EXPECT_EQ(calendars->WorkingHoursBetween(2, Day(kMonday, 13), Day(kTuesday, 17)), 0.0f);
}

}  // namespace
