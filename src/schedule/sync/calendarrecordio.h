#pragma once
// A calendar.DBF record to and from the scheduling core's CalendarRecord.

#include "platform/db/table.h"
#include "schedule/workcalendar.h"

namespace tw::schedule {

// The current record of an open calendar table.
CalendarRecord ReadCalendarRecord(db::Table& table);

// Writes every field into the current record; the caller has put it into
// edit or append state and posts it afterwards. WORKID and CREWID go in as
// whole numbers, as keys are.
void SaveWorkCalendar(db::Table& table, const CalendarRecord& record);

}  // namespace tw::schedule
