#pragma once
// The working-time engine fed from the tables: a resource's record of
// calendar.DBF becomes the loaded calendar, and every task of the working
// copy can be laid onto its resource's calendar again. The holiday list is
// the main window's, which the work calendar tab fills from holidays.dbf.
//
// Which record is a resource's depends on WorkCalendarMode: 0 means the one
// calendar with CREWID 0 for everybody.

#include <cstdint>
#include <optional>

#include "data/services/mainstate.h"
#include "platform/db/table.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendar.h"

namespace tw::schedule {

class CalendarTables {
public:
    CalendarTables(db::Table& calendarTable, const HolidayList& holidays, const data::MainScreenState& state);

    // With locate, moves CalendarTable to the resource's record (or the
    // common one in mode 0) and loads it, or the defaults when there is
    // none; without, loads the record CalendarTable stands on.
    void LoadWorkCalendar(bool locate, std::int32_t resourceId);
    // The engine on the resource's calendar, which is loaded afterwards.
    TDateTime ComputeTaskEnd(std::int32_t resourceId, TDateTime& startOut, TDateTime start, float hours);
    float WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end);

    // Lays every record of the working copy (through chartsTable5, job rows
    // included) onto its resource's calendar: SD, ED, SDD, EDD. UPDATE and
    // NOTES stay; nothing is pushed. chartsTable is put back on the item it
    // showed.
    void RecomputeAllTaskEnds(db::Table& chartsTable5, db::Table& chartsTable);

    const WorkCalendar& Loaded() const { return loaded_; }

private:
    // The resource's record, CalendarTable positioned on it; none when absent.
    std::optional<CalendarRecord> LocateCalendar(std::int32_t resourceId);

    db::Table& calendar_;
    const HolidayList& holidays_;
    const data::MainScreenState& state_;
    WorkCalendar loaded_;
};

}  // namespace tw::schedule
