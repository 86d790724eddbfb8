#pragma once
// The Work calendar page's work on the tables: showing a calendar record
// (made with the default calendar when the identifier has none), saving the
// page's entries after their checks, the list of calendars to choose from,
// and the company holidays with the status texts that report them.
//
// The page owns the controls and hands their values in and out
// (CalendarControls); this class owns no table. It works on the data
// module's cursors, and a saved calendar moves the schedule's tasks through
// CalendarSchedule (the feature unit answers with the session's recompute):
//
//   WorkCalendarTab tab({CalendarTable, CalendarTable2, HolidaysTable, HolidaysTable2, CrewsTable2},
//                       state, holidayList, userInterface, schedule);
//   if (auto shown = tab.ShowWorkCalendar(0)) ...

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendartab/calendarcontrols.h"

namespace tw::schedule {

inline constexpr const char* kWorkCalendarErrorCaption = "Work calendar error";

// The schedule whose tasks follow the calendars.
class CalendarSchedule {
public:
    virtual ~CalendarSchedule() = default;
    // Recomputes the start and end of every task of the working copy from
    // its resource's calendar.
    virtual void RecomputeAllTaskEnds() = 0;
};

class WorkCalendarTab {
public:
    struct Tables {
        db::Table& CalendarTable;
        db::Table& CalendarTable2;  // drawing WORKID keys
        db::Table& HolidaysTable;
        db::Table& HolidaysTable2;  // drawing HOLIID keys
        db::Table& CrewsTable2;     // resource names
    };

    WorkCalendarTab(Tables tables, data::MainScreenState& state, HolidayList& holidays,
                    data::UserInterface& ui, CalendarSchedule& schedule);

    // The entries of ResourceList and the identifier each one shows.
    void FillCalendarResourceList(bool allResources);
    const std::vector<std::string>& ResourceNames() const { return names_; }
    const std::vector<std::int32_t>& CalendarResourceIds() const { return ids_; }
    // The first entry showing that identifier; nothing when none does.
    std::optional<int> SelectCalendarResource(double resourceId) const;

    struct ShownCalendar {
        CalendarControls Controls;
        std::string HoursPanel;        // "Working hours for " + name
        std::string WorkingDaysPanel;  // "Working days for " + name
    };
    // Nothing when the record could not be found even after it was made.
    // More than one calendar for all resources are all kept; the first is
    // shown and used, and status panel 0 says so.
    std::optional<ShownCalendar> ShowWorkCalendar(double resourceId);

    // Saves the entries under the calendar of the selected entry of the list
    // (nothing selected: -1). The pickers are rounded in place first. False
    // when a check refused it; its message has been shown.
    bool CalendarOkClick(CalendarControls& controls, int selectedEntry);

    // The page's 24/7 button: the controls change, the holidays go at once.
    void Create247Click(CalendarControls& controls);

    // Holidays on the date the month calendar has selected; a date whose
    // whole-day part is 0 or less is no date.
    void SetHolidayClick(TDateTime date);
    void ClearHolidayClick(TDateTime date);
    void ClearAllHolidaysClick();
    // HolidayList from holidays.dbf; nothing when the table is closed.
    void LoadHolidays();
    // The holidays' day numbers in the shown month (at most 31), for the
    // month calendar's bold days; none before the start-up has loaded the
    // settings.
    std::vector<std::uint8_t> HolidayDaysOfMonth(int year, int month) const;

    const HolidayList& Holidays() const { return holidays_; }

private:
    std::string CalendarName(double resourceId);
    bool LocateHoliday(TDateTime date);
    void ReportHoliday(const std::string& text);

    Tables t_;
    data::MainScreenState& state_;
    HolidayList& holidays_;
    data::UserInterface& ui_;
    CalendarSchedule& schedule_;
    std::vector<std::string> names_;
    std::vector<std::int32_t> ids_;
};

}  // namespace tw::schedule
