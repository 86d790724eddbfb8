#include "schedule/workcalendartab/workcalendartab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendartables.h"
#include "platform/datetime/localetexts.h"
#include "schedule/sync/calendarrecordio.h"
#include "support/recordinguserinterface.h"

namespace tw::schedule {
namespace {

using Messages = std::vector<data::RecordingUserInterface::Message>;

class WorkCalendarTabTest : public ::testing::Test, public CalendarSchedule {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        state.StartupDone = true;
    }

    int CalendarRecords() { return static_cast<int>(tables.CalendarTable.recordCount()); }
    CalendarRecord StoredCalendar(double crewId)
    {
        EXPECT_TRUE(tables.CalendarTable.locate("CREWID", crewId));
        return ReadCalendarRecord(tables.CalendarTable);
    }
    std::vector<std::string> StoredHolidays()
    {
        std::vector<std::string> texts;
        db::Table& h = tables.HolidaysTable;
        for (h.first(); !h.eof(); h.next())
            texts.push_back(locale::DateToStr(h.fieldByName("DATE").asDate()));
        return texts;
    }

    testing::CalendarTables tables;
    data::MainScreenState state;
    HolidayList holidays;
    data::RecordingUserInterface ui;
    int recomputations = 0;
    WorkCalendarTab tab{tables.Cursors(), state, holidays, ui, *this};

    // The schedule's tasks recomputed, as the session does it.
    void RecomputeAllTaskEnds() override
    {
        ++recomputations;
        // The engine moves the shared calendar cursor.
        tables.CalendarTable.last();
    }
};

TEST_F(WorkCalendarTabTest, AnIdentifierShownForTheFirstTimeGetsTheDefaultRecord)
{
    const auto shown = tab.ShowWorkCalendar(0);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(CalendarRecords(), 1);
    const CalendarRecord stored = StoredCalendar(0);
    CalendarRecord expected = DefaultCalendarRecord(stored.WORKID, 0, Today());
    testing::ExpectSameCalendar(stored, expected);
    EXPECT_NE(stored.WORKID, 0);
    EXPECT_EQ(shown->Controls, ControlsFromRecord(stored));
    EXPECT_EQ(shown->Controls.WorkingHours, "8.5");
    EXPECT_EQ(shown->HoursPanel, "Working hours for all");
    EXPECT_EQ(shown->WorkingDaysPanel, "Working days for all");

    // Shown again, it is not made twice.
    ASSERT_TRUE(tab.ShowWorkCalendar(0).has_value());
    EXPECT_EQ(CalendarRecords(), 1);
}

TEST_F(WorkCalendarTabTest, PanelsNameTheResourceInPerResourceMode)
{
    state.WorkCalendarMode = 1;
    tables.AddResource(5, "  Blue crew  ");
    EXPECT_EQ(tab.ShowWorkCalendar(5)->HoursPanel, "Working hours for Blue crew");
    EXPECT_EQ(tab.ShowWorkCalendar(9)->WorkingDaysPanel, "Working days for unknown");
}

TEST_F(WorkCalendarTabTest, ShowingLeavesTablesBusyAsTheCallerHadIt)
{
    for (bool before : {false, true}) {
        state.TablesBusy = before;
        tab.ShowWorkCalendar(0);
        EXPECT_EQ(state.TablesBusy, before);
    }
}

// A restored backup or another program may leave several calendars for all
// resources: none of them is lost, the first is the one shown, and the user
// is told.
TEST_F(WorkCalendarTabTest, EveryCalendarForAllResourcesIsKeptAndTheFirstIsUsed)
{
    tables.AddCalendar(10, 0);
    tables.AddCalendar(11, 4);
    tables.AddCalendar(12, 0);
    tables.AddCalendar(10, 0);
    tables.AddCalendar(13, 0);
    auto stored = [&] {
        std::vector<std::pair<int, int>> left;
        for (tables.CalendarTable.first(); !tables.CalendarTable.eof(); tables.CalendarTable.next())
            left.emplace_back(tables.CalendarTable.fieldByName("WORKID").asInteger(),
                              tables.CalendarTable.fieldByName("CREWID").asInteger());
        return left;
    };
    const auto before = stored();
    state.WorkCalendarMode = 1;
    tab.ShowWorkCalendar(4);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(ui.Status[0], "4 calendars for all resources: the first one is used");

    state.WorkCalendarMode = 0;
    ASSERT_TRUE(tab.ShowWorkCalendar(0).has_value());
    EXPECT_EQ(stored(), before);
    ASSERT_TRUE(tables.CalendarTable.locate("CREWID", 0.0));
    EXPECT_EQ(tables.CalendarTable.fieldByName("WORKID").asInteger(), 10);

    // One calendar for all resources says nothing.
    testing::CalendarTables single;
    data::RecordingUserInterface quiet;
    WorkCalendarTab other{single.Cursors(), state, holidays, quiet, *this};
    single.AddCalendar(20, 0);
    single.AddCalendar(21, 4);
    ASSERT_TRUE(other.ShowWorkCalendar(0).has_value());
    EXPECT_TRUE(quiet.StatusHistory.empty());
}

TEST_F(WorkCalendarTabTest, TheResourceListHoldsTheDefaultOrEveryResource)
{
    tables.AddResource(7, " Anna ");
    tables.AddResource(3, "Ben");
    tab.FillCalendarResourceList(true);
    EXPECT_EQ(tab.ResourceNames(), std::vector<std::string>{"Default for all resources"});
    EXPECT_EQ(tab.CalendarResourceIds(), std::vector<std::int32_t>{0});

    tab.FillCalendarResourceList(false);
    EXPECT_EQ(tab.ResourceNames(), (std::vector<std::string>{"Anna", "Ben"}));
    EXPECT_EQ(tab.CalendarResourceIds(), (std::vector<std::int32_t>{7, 3}));
    EXPECT_EQ(tab.SelectCalendarResource(3), 1);
    EXPECT_FALSE(tab.SelectCalendarResource(0).has_value());
}

TEST_F(WorkCalendarTabTest, SavingWritesTheRecordRecomputesEveryTaskAndSaysSo)
{
    state.WorkCalendarMode = 1;
    tables.AddResource(7, "Anna");
    tables.AddResource(3, "Ben");
    tab.FillCalendarResourceList(false);
    tab.ShowWorkCalendar(7);
    CalendarControls controls = tab.ShowWorkCalendar(3)->Controls;
    const double workId = StoredCalendar(3).WORKID;
    controls.Weekdays[6] = true;
    controls.SpecifyDownTime = {false, false, false};
    controls.EndDayTime += EncodeTime(0, 50, 0, 0);  // 18:50, saved as 19:00

    ASSERT_TRUE(tab.CalendarOkClick(controls, 1));
    EXPECT_EQ(recomputations, 1);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(ui.Status[0], "Schedule tasks updated");
    EXPECT_EQ(ui.Status[1], "Work calendar saved");
    EXPECT_TRUE(state.ChartRefreshNeeded);
    EXPECT_FALSE(state.TablesBusy);
    EXPECT_NEAR(TimePart(controls.EndDayTime), EncodeTime(19, 0, 0, 0), 1e-7);

    EXPECT_EQ(CalendarRecords(), 2);
    testing::ExpectSameCalendar(StoredCalendar(3), RecordFromControls(controls, workId, 3));
    EXPECT_EQ(StoredCalendar(3).THOURSDY, 11);
    EXPECT_FALSE(StoredCalendar(7).SATURDAY);  // the other calendar is untouched
}

TEST_F(WorkCalendarTabTest, ARefusedSaveWritesNothingAndRecomputesNothing)
{
    tab.FillCalendarResourceList(true);
    CalendarControls controls = tab.ShowWorkCalendar(0)->Controls;
    const CalendarRecord before = StoredCalendar(0);
    controls.Weekdays.fill(false);
    controls.StartDayTime += EncodeTime(0, 5, 0, 0);

    EXPECT_FALSE(tab.CalendarOkClick(controls, 0));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "No working days are checked");
    EXPECT_EQ(ui.Messages[0].caption, "Work calendar error");
    EXPECT_EQ(ui.Messages[0].icon, data::MessageIcon::Stop);
    EXPECT_EQ(StoredCalendar(0), before);
    EXPECT_EQ(recomputations, 0);
    EXPECT_EQ(ui.Status[1], "");
    EXPECT_FALSE(state.ChartRefreshNeeded);
    // The pickers keep their rounded times.
    EXPECT_NEAR(TimePart(controls.StartDayTime), EncodeTime(8, 15, 0, 0), 1e-7);
}

TEST_F(WorkCalendarTabTest, SavingWithNoEntrySelectedIsRefused)
{
    tab.FillCalendarResourceList(true);
    CalendarControls controls = tab.ShowWorkCalendar(0)->Controls;
    EXPECT_FALSE(tab.CalendarOkClick(controls, -1));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].caption, "Work calendar error");
    EXPECT_EQ(recomputations, 0);
    EXPECT_FALSE(state.TablesBusy);
}

TEST_F(WorkCalendarTabTest, SavingWithTheTablesClosedSaysSo)
{
    tab.FillCalendarResourceList(true);
    CalendarControls controls = tab.ShowWorkCalendar(0)->Controls;
    tables.CalendarTable.close();
    EXPECT_FALSE(tab.CalendarOkClick(controls, 0));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text,
              "The work calendar cannot be saved: the schedule database's tables are not open");
    EXPECT_EQ(recomputations, 0);
}

TEST_F(WorkCalendarTabTest, ACalendarDeletedSinceItWasShownIsSavedAnew)
{
    tab.FillCalendarResourceList(true);
    CalendarControls controls = tab.ShowWorkCalendar(0)->Controls;
    ASSERT_TRUE(tables.CalendarTable.locate("CREWID", 0.0));
    tables.CalendarTable.deleteRecord();
    controls.Weekdays[0] = true;

    ASSERT_TRUE(tab.CalendarOkClick(controls, 0));
    EXPECT_EQ(CalendarRecords(), 1);
    EXPECT_TRUE(StoredCalendar(0).SUNDAY);
    EXPECT_NE(StoredCalendar(0).WORKID, 0);
    EXPECT_EQ(ui.Status[1], "Work calendar saved");
}

TEST_F(WorkCalendarTabTest, HolidaysAreAddedOnceAndRemovedWithTheirStatusTexts)
{
    const TDateTime christmas = EncodeDate(2026, 12, 25) + 0.4;
    tab.SetHolidayClick(christmas);
    EXPECT_EQ(ui.Status[0], "12/25/2026 added as holiday");
    EXPECT_EQ(StoredHolidays(), std::vector<std::string>{"12/25/2026"});
    EXPECT_EQ(holidays.Texts(), std::vector<std::string>{"12/25/2026"});
    EXPECT_TRUE(holidays.IsHoliday(EncodeDate(2026, 12, 25)));

    ui.Status[1] = "something";
    tab.SetHolidayClick(christmas);
    EXPECT_EQ(ui.Status[0], "");
    EXPECT_EQ(ui.Status[1], "");
    EXPECT_EQ(StoredHolidays().size(), 1u);

    tab.SetHolidayClick(EncodeDate(2027, 1, 1));
    tab.ClearHolidayClick(christmas);
    EXPECT_EQ(ui.Status[0], "12/25/2026 removed as holiday");
    EXPECT_EQ(StoredHolidays(), std::vector<std::string>{"1/1/2027"});
    EXPECT_EQ(holidays.Texts(), std::vector<std::string>{"1/1/2027"});
    EXPECT_FALSE(holidays.IsHoliday(EncodeDate(2026, 12, 25)));

    ui.Status[0] = "something";
    tab.ClearHolidayClick(christmas);
    EXPECT_EQ(ui.Status[0], "");

    // No date selected: the buttons do nothing.
    tab.SetHolidayClick(0.5);
    tab.ClearHolidayClick(0);
    EXPECT_EQ(ui.Status[0], "");
    EXPECT_EQ(StoredHolidays().size(), 1u);
}

TEST_F(WorkCalendarTabTest, RemoveAllHolidaysEmptiesTableAndList)
{
    tables.AddHoliday(1, EncodeDate(2026, 12, 24));
    tables.AddHoliday(2, EncodeDate(2026, 12, 31));
    tab.LoadHolidays();
    EXPECT_EQ(holidays.Texts(), (std::vector<std::string>{"12/24/2026", "12/31/2026"}));

    tab.ClearAllHolidaysClick();
    EXPECT_TRUE(StoredHolidays().empty());
    EXPECT_TRUE(holidays.Texts().empty());
    EXPECT_EQ(ui.Status[0], "All holidays removed");
}

TEST_F(WorkCalendarTabTest, TwentyFourSevenTakesTheHolidaysAtOnceAndTheCalendarOnSave)
{
    tables.AddHoliday(1, EncodeDate(2026, 12, 24));
    tab.LoadHolidays();
    tab.FillCalendarResourceList(true);
    CalendarControls controls = tab.ShowWorkCalendar(0)->Controls;
    const CalendarRecord before = StoredCalendar(0);

    tab.Create247Click(controls);
    EXPECT_TRUE(StoredHolidays().empty());
    EXPECT_TRUE(holidays.Texts().empty());
    EXPECT_EQ(StoredCalendar(0), before);

    ASSERT_TRUE(tab.CalendarOkClick(controls, 0));
    WorkCalendar loaded;
    loaded.Load(StoredCalendar(0));
    EXPECT_EQ(loaded.HoursPerDay(), 24);
    EXPECT_EQ(loaded.HoursPerWeek(), 168);
}

TEST_F(WorkCalendarTabTest, LoadHolidaysDoesNothingWhileTheTableIsClosed)
{
    holidays.Assign({DayNumber(EncodeDate(2027, 1, 1))});
    tables.HolidaysTable.close();
    tab.LoadHolidays();
    EXPECT_EQ(holidays.Texts(), std::vector<std::string>{"1/1/2027"});
}

TEST_F(WorkCalendarTabTest, BoldDaysAreTheHolidaysOfTheShownMonth)
{
    holidays.Assign({DayNumber(EncodeDate(2026, 12, 24)), DayNumber(EncodeDate(2026, 12, 31)),
                     DayNumber(EncodeDate(2027, 1, 1)), DayNumber(EncodeDate(2025, 12, 24))});
    EXPECT_EQ(tab.HolidayDaysOfMonth(2026, 12), (std::vector<std::uint8_t>{24, 31}));
    EXPECT_EQ(tab.HolidayDaysOfMonth(2027, 1), std::vector<std::uint8_t>{1});
    EXPECT_TRUE(tab.HolidayDaysOfMonth(2027, 2).empty());

    state.StartupDone = false;
    EXPECT_TRUE(tab.HolidayDaysOfMonth(2026, 12).empty());
}

}  // namespace
}  // namespace tw::schedule
