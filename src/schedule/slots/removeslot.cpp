#include "schedule/slots/removeslot.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/records/scheduleitemrecord.h"
#include "data/updatecount.h"
#include "platform/datetime/localetexts.h"

namespace tw::timeblocks {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

RemoveSlot::RemoveSlot(SlotServices services) : s_(std::move(services)), charts_(s_.Tables.ChartsTable5) {}

std::string RemoveSlotStatusText(bool allResources, const std::string& resourceName, TDateTime start)
{
    const std::string when = locale::DateTimeToStr(start);
    if (allResources)
        return "Push up all tasks to " + when;
    return "Push up " + resourceName + " tasks to " + when;
}

RemoveSlot::Result RemoveSlot::RemoveBlock(const SlotBlock& block, std::int32_t selectedResourceId,
                                           const std::string& resourceName, std::string& refusal)
{
    const TDateTime S = block.Start;
    const TDateTime E = block.End;
    struct Considered {
        std::uint32_t recno;
        std::int32_t key;
        TDateTime a;
    };
    std::vector<Considered> considered;
    const std::vector<std::uint32_t> stored = StoredRecordNumbers(charts_);
    const db::Field crewId = ScheduleItemField(charts_, &ScheduleItemRecord::CREWID),
                    sd = ScheduleItemField(charts_, &ScheduleItemRecord::SD),
                    ed = ScheduleItemField(charts_, &ScheduleItemRecord::ED),
                    chartsId = ScheduleItemField(charts_, &ScheduleItemRecord::CHARTSID),
                    taskHours = ScheduleItemField(charts_, &ScheduleItemRecord::HOURS);
    for (std::uint32_t recno : stored) {
        charts_.goTo(recno);
        if (selectedResourceId != 0 && crewId.asInteger() != selectedResourceId)
            continue;
        const TDateTime a = data::RoundUpToQuarterHour(sd.asFloat());
        const TDateTime b = data::RoundUpToQuarterHour(ed.asFloat());
        const bool assigned = (a < E && !SameInstant(a, E) && b > S && !SameInstant(b, S))
            || (SameInstant(a, S) && SameInstant(b, E));
        if (assigned) {
            refusal = selectedResourceId == 0 ? "One or more resources are assigned during this period"
                                              : resourceName + " is assigned during this period";
            return Result::Refused;
        }
        considered.push_back({recno, chartsId.asInteger(), a});
    }

    TDateTime N = EncodeDate(9999, 12, 31);
    for (const Considered& c : considered)
        if ((c.a > E || SameInstant(c.a, E)) && c.a < N)
            N = c.a;
    const double T = N - S;
    TasksToMove.clear();
    for (const Considered& c : considered)
        if (c.a > N || SameInstant(c.a, N))
            TasksToMove.push_back(c.key);
    if (TasksToMove.empty())
        return Result::NothingToMove;

    const std::unordered_set<std::int32_t> moving(TasksToMove.begin(), TasksToMove.end());
    db::WriteBatch batch;  // one flush for the whole move
    for (const Considered& c : considered) {
        if (moving.count(c.key) == 0)
            continue;
        charts_.goTo(c.recno);
        const std::int32_t crew = crewId.asInteger();
        const float hours = static_cast<float>(taskHours.asFloat());
        TDateTime start = data::RoundUpToQuarterHour(c.a - T);
        const TDateTime end = s_.Time.ComputeTaskEnd(crew, start, start, hours);
        MoveTaskUp(c.a, start, end);
    }
    batch.commit();
    for (db::Table* t : {&charts_, &s_.Tables.ChartsTable, &s_.Tables.ChartsTable2, &s_.Tables.ChartsTable3})
        t->refresh();
    return Result::Moved;
}

void RemoveSlot::MoveTaskUp(TDateTime oldStart, TDateTime newStart, TDateTime newEnd)
{
    const std::int32_t crew = ScheduleItemField(charts_, &ScheduleItemRecord::CREWID).asInteger();
    const float m = s_.Time.WorkingHoursBetween(crew, newStart, oldStart);
    const std::string line = data::DateTimeText(s_.Time.Now()) + ":  This task has been moved up "
        + ShortestNumberText(m) + " hours.";
    WriteMovedRecord(charts_, s_.State, newStart, newEnd, line);
}

}  // namespace tw::timeblocks
