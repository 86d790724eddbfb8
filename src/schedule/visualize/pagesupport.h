#pragma once
// Small services that every part of the Visualize page's logic shares: the
// record behind a bar, the offset a bar carries, the working-time engine on a
// resource's calendar, and the length text of a task.

#include <cstdint>
#include <string>

#include "data/records/scheduleitemrecord.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

// Moves cursor onto the record that the bar shows (its key and its PTR);
// false when the cursor has no such record (a pull reset its PTR, a query
// filters it out, or the record was deleted).
bool LocateBarRecord(VisualizeContext& ctx, db::Table& cursor, const TResourceAllocation* bar);

// The offset a group bar carries; 0 when it carries none.
double CarriedOffsetOf(const TResourceAllocation* bar);
bool CarriesOffset(const TResourceAllocation* bar);
void SetCarriedOffset(ChartState& chart, TResourceAllocation* bar, double offset);

// The next bar of a dependency group (the bar's AnyObject), nullptr at its end.
TResourceAllocation* NextGroupBar(const TResourceAllocation* bar);

// The end of a task of `hours` working hours from start on the resource's
// calendar; start moves to the first working quarter hour.
TDateTime ComputeTaskEnd(VisualizeContext& ctx, std::int32_t crewId, TDateTime& start, float hours);
float WorkingHoursBetween(VisualizeContext& ctx, std::int32_t crewId, TDateTime start, TDateTime end);
bool ResourcesAreFree(VisualizeContext& ctx, std::int32_t crewId, TDateTime start, TDateTime end,
                      std::int32_t chartsId);

// "8.00 hours", "2.5 days": the hours in the unit on the resource's calendar.
std::string LengthText(VisualizeContext& ctx, std::int32_t crewId, int unit, float hours);

// SD, ED and their dates SDD, EDD of the record being edited.
void WriteTaskPeriod(db::Table& table, TDateTime start, TDateTime end);

std::int32_t IntField(db::Table& table, const char* name);
std::int32_t IntField(db::Table& table, std::int32_t data::ScheduleItemRecord::*member);

}  // namespace tw::visualize
