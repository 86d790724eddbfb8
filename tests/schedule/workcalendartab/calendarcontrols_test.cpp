#include "schedule/workcalendartab/calendarcontrols.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/datetime/datetime.h"
#include "schedule/workcalendar.h"

namespace tw::schedule {
namespace {

// Pickers carry a date; the checks must look at the time of day only.
const double kPickerDate = EncodeDate(2026, 12, 10);

TDateTime At(int h, int m)
{
    return kPickerDate + EncodeTime(h, m, 0, 0);
}

// Monday to Friday 08:00 to 17:00, no down times.
CalendarControls EightToFive()
{
    CalendarControls c;
    c.Weekdays = {false, true, true, true, true, true, false};
    c.StartDayTime = At(8, 0);
    c.EndDayTime = At(17, 0);
    c.StartDownTime = {At(12, 0), At(13, 0), At(14, 0)};
    c.EndDownTime = {At(12, 30), At(13, 30), At(14, 30)};
    return c;
}

TEST(CalendarControlsTest, TheDefaultRecordShowsEightAndAHalfHoursADay)
{
    const TDateTime today = EncodeDate(2026, 12, 10);
    const CalendarRecord r = DefaultCalendarRecord(123, 77, today + 0.3);
    EXPECT_EQ(r.WORKID, 123);
    EXPECT_EQ(r.CREWID, 77);
    EXPECT_FALSE(r.SUNDAY);
    EXPECT_TRUE(r.MONDAY && r.TUESDAY && r.WEDNESDAY && r.THURSDAY && r.FRIDAY);
    EXPECT_FALSE(r.SATURDAY);
    EXPECT_TRUE(r.DAY1 && r.DAY2 && r.DAY3 && r.DAY4);
    EXPECT_DOUBLE_EQ(r.START1, today + EncodeTime(8, 0, 0, 0));
    EXPECT_DOUBLE_EQ(r.END1, today + EncodeTime(18, 0, 0, 0));
    EXPECT_DOUBLE_EQ(r.START2, today + EncodeTime(9, 0, 0, 0));
    EXPECT_DOUBLE_EQ(r.END2, today + EncodeTime(9, 30, 0, 0));
    EXPECT_DOUBLE_EQ(r.START3, today + EncodeTime(12, 0, 0, 0));
    EXPECT_DOUBLE_EQ(r.END3, today + EncodeTime(12, 30, 0, 0));
    EXPECT_DOUBLE_EQ(r.START4, today + EncodeTime(14, 0, 0, 0));
    EXPECT_DOUBLE_EQ(r.END4, today + EncodeTime(14, 30, 0, 0));
    EXPECT_FALSE(r.OVERRIDE);
    EXPECT_EQ(r.THOURSDY, 42.5);
    EXPECT_EQ(r.THOURSFC, 1);

    const CalendarControls shown = ControlsFromRecord(r);
    const HoursFigures figures = CalendarControlsChanged(shown);
    EXPECT_EQ(figures.WorkingHours, "8.5");
    EXPECT_EQ(figures.WorkingHoursPerWeek, "42.5");
    // The engine reads the same hours from the record.
    WorkCalendar loaded;
    loaded.Load(r);
    EXPECT_EQ(loaded.HoursPerDay(), 8.5f);
}

TEST(CalendarControlsTest, ARecordShowsItsTimesRoundedUpAndTheTypedHoursOnlyWithTheOverride)
{
    CalendarRecord r = DefaultCalendarRecord(1, 0, kPickerDate);
    r.START1 = At(7, 50);
    r.THOURSDY = 6.25;
    CalendarControls c = ControlsFromRecord(r);
    EXPECT_DOUBLE_EQ(c.StartDayTime, At(8, 0));
    EXPECT_EQ(c.WorkingHours, "8.5");

    r.OVERRIDE = true;
    c = ControlsFromRecord(r);
    EXPECT_EQ(c.WorkingHours, "6.25");
    EXPECT_EQ(CalendarControlsChanged(c).WorkingHoursPerWeek, "31.25");
}

TEST(CalendarControlsTest, HoursFigures)
{
    struct Case {
        const char* name;
        void (*change)(CalendarControls&);
        const char* perDay;
        const char* perWeek;
    };
    const Case cases[] = {
        {"nine hours on five days", [](CalendarControls&) {}, "9", "45"},
        {"a down time is taken off", [](CalendarControls& c) { c.SpecifyDownTime[0] = true; }, "8.5", "42.5"},
        {"every down time", [](CalendarControls& c) { c.SpecifyDownTime.fill(true); }, "7.5", "37.5"},
        {"picker times are rounded up", [](CalendarControls& c) { c.EndDayTime = At(16, 50); }, "9", "45"},
        {"no working day is the whole day", [](CalendarControls& c) { c.SpecifyWorkingDay = false; }, "24",
         "120"},
        {"one weekday",
         [](CalendarControls& c) { c.Weekdays = {true, false, false, false, false, false, false}; }, "9",
         "9"},
        {"the typed hours with the override",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = " 7.3 ";
         },
         "7.3", "36.5"},
        {"letters typed count as 0",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = "eight";
         },
         "0", "0"},
        {"a number followed by letters is no number",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = "8h";
         },
         "0", "0"},
        {"the typed hours are ignored without the override",
         [](CalendarControls& c) { c.WorkingHours = "3"; }, "9", "45"},
        {"down times longer than the day show no figures",
         [](CalendarControls& c) {
             c.SpecifyDownTime[0] = true;
             c.StartDownTime[0] = At(1, 0);
             c.EndDownTime[0] = At(23, 0);
         },
         "", ""},
    };
    for (const Case& k : cases) {
        CalendarControls c = EightToFive();
        k.change(c);
        const HoursFigures figures = CalendarControlsChanged(c);
        EXPECT_EQ(figures.WorkingHours, k.perDay) << k.name;
        EXPECT_EQ(figures.WorkingHoursPerWeek, k.perWeek) << k.name;
    }
}

TEST(CalendarControlsTest, TheOverrideSpreadsTheTypedHoursOverTheComputedOnes)
{
    CalendarControls c = EightToFive();
    c.Override = true;
    c.WorkingHours = "4.5";
    const HoursPerDay perDay = CalcHoursPerDayFromControls(c);
    EXPECT_EQ(perDay.Hours, 4.5);
    ASSERT_TRUE(perDay.Factor.has_value());
    EXPECT_DOUBLE_EQ(*perDay.Factor, 0.5);

    c.Override = false;
    EXPECT_FALSE(CalcHoursPerDayFromControls(c).Factor.has_value());
}

TEST(CalendarControlsTest, SaveChecksInTheirOrder)
{
    struct Case {
        const char* name;
        void (*change)(CalendarControls&);
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"the plain calendar", [](CalendarControls&) {}, nullptr},
        {"no weekday", [](CalendarControls& c) { c.Weekdays.fill(false); }, "No working days are checked"},
        {"no weekday is told before a wrong day end",
         [](CalendarControls& c) {
             c.Weekdays.fill(false);
             c.EndDayTime = c.StartDayTime;
         },
         "No working days are checked"},
        {"end equal to start", [](CalendarControls& c) { c.StartDayTime = c.EndDayTime = At(17, 0); },
         "End day time is incorrect"},
        {"end before start", [](CalendarControls& c) { c.EndDayTime = At(7, 0); },
         "End day time is incorrect"},
        {"08:00 to 08:10 rounds to a quarter hour and stands",
         [](CalendarControls& c) { c.EndDayTime = At(8, 10); }, nullptr},
        {"no working day: its times are not checked",
         [](CalendarControls& c) {
             c.SpecifyWorkingDay = false;
             c.EndDayTime = c.StartDayTime;
         },
         nullptr},
        {"down time 1 at the day's start",
         [](CalendarControls& c) {
             c.SpecifyDownTime[0] = true;
             c.StartDownTime[0] = At(8, 0);
         },
         "Start down time 1 is incorrect"},
        {"down time 1 ending at its start",
         [](CalendarControls& c) {
             c.SpecifyDownTime[0] = true;
             c.EndDownTime[0] = c.StartDownTime[0];
         },
         "End down time 1 is incorrect"},
        {"down time 2 inside down time 1 stands",
         [](CalendarControls& c) {
             c.SpecifyDownTime = {true, true, false};
             c.StartDownTime[0] = At(12, 0);
             c.EndDownTime[0] = At(13, 0);
             c.StartDownTime[1] = At(12, 15);
             c.EndDownTime[1] = At(12, 45);
         },
         nullptr},
        {"down time 2 starting with down time 1",
         [](CalendarControls& c) {
             c.SpecifyDownTime = {true, true, false};
             c.StartDownTime[1] = c.StartDownTime[0];
         },
         "Start down time 2 is incorrect"},
        {"down time 2 is compared with down time 1 even when that is off",
         [](CalendarControls& c) {
             c.SpecifyDownTime = {false, true, false};
             c.StartDownTime[0] = At(15, 0);
         },
         "Start down time 2 is incorrect"},
        {"down time 2 ending before its start",
         [](CalendarControls& c) {
             c.SpecifyDownTime = {true, true, false};
             c.EndDownTime[1] = At(12, 0);
         },
         "End down time 2 is incorrect"},
        {"down time 3 starting before down time 2",
         [](CalendarControls& c) {
             c.SpecifyDownTime.fill(true);
             c.StartDownTime[2] = At(12, 45);
         },
         "Start down time 3 is incorrect"},
        {"down time 3 ending at its start",
         [](CalendarControls& c) {
             c.SpecifyDownTime.fill(true);
             c.EndDownTime[2] = c.StartDownTime[2];
         },
         "End down time 3 is incorrect"},
        {"down times that take more than the whole day",
         [](CalendarControls& c) {
             c.EndDayTime = At(9, 0);
             c.SpecifyDownTime = {true, true, false};
             c.StartDownTime[0] = At(8, 15);
             c.EndDownTime[0] = At(9, 0);
             c.StartDownTime[1] = At(8, 30);
             c.EndDownTime[1] = At(9, 0);
         },
         "Work calendar has no working hours"},
        {"letters typed with the override",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = "abc";
         },
         "Work calendar has no working hours"},
        {"negative typed hours",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = "-2";
         },
         "Work calendar has no working hours"},
        {"typed hours over a day whose down times eat it whole",
         [](CalendarControls& c) {
             c.Override = true;
             c.WorkingHours = "8";
             c.EndDayTime = At(9, 0);
             c.SpecifyDownTime[0] = true;
             c.StartDownTime[0] = At(8, 15);
             c.EndDownTime[0] = At(20, 0);
         },
         "Work calendar has no working hours"},
    };
    for (const Case& k : cases) {
        CalendarControls c = EightToFive();
        k.change(c);
        RoundPickerTimes(c);
        const std::optional<std::string> refusal = CheckCalendarControls(c);
        if (k.message)
            EXPECT_EQ(refusal.value_or("(accepted)"), k.message) << k.name;
        else
            EXPECT_FALSE(refusal.has_value()) << k.name << ": " << refusal.value_or("");
    }
}

TEST(CalendarControlsTest, TheSavedRecordIsWhatTheControlsShow)
{
    CalendarControls c = EightToFive();
    c.Weekdays[6] = true;
    c.SpecifyDownTime = {true, false, true};
    c.EndDayTime = At(16, 50);
    RoundPickerTimes(c);
    const CalendarRecord r = RecordFromControls(c, 11, 22);
    EXPECT_EQ(r.WORKID, 11);
    EXPECT_EQ(r.CREWID, 22);
    EXPECT_TRUE(r.SATURDAY);
    EXPECT_FALSE(r.SUNDAY);
    EXPECT_TRUE(r.DAY2 && !r.DAY3 && r.DAY4);
    EXPECT_DOUBLE_EQ(r.END1, At(17, 0));
    EXPECT_DOUBLE_EQ(r.START4, At(14, 0));
    EXPECT_FALSE(r.OVERRIDE);
    EXPECT_EQ(r.THOURSDY, 8);  // the computed hours: 9 less two half hours
    EXPECT_EQ(r.THOURSFC, 1);
    // Shown again, the record gives back the same controls.
    CalendarControls again = ControlsFromRecord(r);
    c.WorkingHours = again.WorkingHours;
    EXPECT_EQ(again, c);

    c.Override = true;
    c.WorkingHours = "4";
    const CalendarRecord typed = RecordFromControls(c, 11, 22);
    EXPECT_TRUE(typed.OVERRIDE);
    EXPECT_EQ(typed.THOURSDY, 4);
    EXPECT_DOUBLE_EQ(typed.THOURSFC, 0.5);
}

TEST(CalendarControlsTest, TwentyFourSevenIsEveryDayAllDay)
{
    CalendarControls c = EightToFive();
    c.SpecifyDownTime.fill(true);
    SetAllDayEveryDay(c);
    const HoursFigures figures = CalendarControlsChanged(c);
    EXPECT_EQ(figures.WorkingHours, "24");
    EXPECT_EQ(figures.WorkingHoursPerWeek, "168");
    EXPECT_EQ(c.WorkingHours, "24");
    EXPECT_FALSE(c.SpecifyDownTime[0] || c.SpecifyDownTime[1] || c.SpecifyDownTime[2]);

    WorkCalendar loaded;
    loaded.Load(RecordFromControls(c, 1, 0));
    EXPECT_EQ(loaded.HoursPerWeek(), 168);
}

}  // namespace
}  // namespace tw::schedule
