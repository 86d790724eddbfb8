#include "schedule/slots/insertslot.h"
#include "data/records/scheduleitemrecord.h"

#include <algorithm>
#include <utility>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/services/recordservices.h"
#include "data/updatecount.h"
#include "schedule/repeat/repeatdates.h"

namespace tw::timeblocks {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

std::int32_t Int(db::Table& t, const char* name)
{
    return t.fieldByName(name).asInteger();
}

double Real(db::Table& t, const char* name)
{
    return t.fieldByName(name).asFloat();
}

}  // namespace

std::string InsertSlotStatusText(bool allResources, const std::string& resourceName)
{
    return allResources ? std::string("Push back all resources") : "Push back " + resourceName + " resource";
}

SlotOutcome DecideSlotOutcome(TDateTime a, TDateTime b, TDateTime s, TDateTime e)
{
    auto eq = [](TDateTime x, TDateTime y) { return SameInstant(x, y); };
    auto lt = [&](TDateTime x, TDateTime y) { return x < y && !eq(x, y); };
    auto gt = [&](TDateTime x, TDateTime y) { return x > y && !eq(x, y); };
    auto ne = [&](TDateTime x, TDateTime y) { return !eq(x, y); };

    if (eq(a, s) && ne(a, e) && eq(b, e) && ne(b, s))
        return SlotOutcome::Delay;
    if (lt(a, s) && lt(a, e) && gt(b, s) && gt(b, e))
        return SlotOutcome::SplitAtStart;
    if (gt(a, s) && lt(a, e) && gt(b, s) && lt(b, e))
        return SlotOutcome::Delay;
    if (lt(a, s) && lt(a, e) && gt(b, s) && lt(b, e))
        return SlotOutcome::SplitAtStart;
    if (gt(a, s) && lt(a, e) && gt(b, s) && gt(b, e))
        return SlotOutcome::Delay;
    if (lt(a, s) && lt(a, e) && eq(b, s) && lt(b, e))
        return SlotOutcome::Protect;
    if (eq(a, e) && gt(a, s) && gt(b, s) && gt(b, e))
        return SlotOutcome::None;
    if (lt(a, s) && lt(a, e) && lt(b, s) && lt(b, e))
        return SlotOutcome::Protect;
    if (gt(a, s) && gt(a, e) && gt(b, s) && gt(b, e))
        return SlotOutcome::None;
    if (eq(a, s) && lt(a, e) && gt(b, s) && lt(b, e))
        return SlotOutcome::Delay;
    if (gt(a, s) && lt(a, e) && gt(b, s) && eq(b, e))
        return SlotOutcome::Delay;
    if (eq(a, s) && lt(a, e) && gt(b, s) && gt(b, e))
        return SlotOutcome::Delay;
    if (lt(a, s) && lt(a, e) && gt(b, s) && eq(b, e))
        return SlotOutcome::SplitRemainder;
    return SlotOutcome::None;
}

InsertSlot::InsertSlot(SlotServices services, PendingInsertState& pending)
    : s_(std::move(services)),
      pending_(pending),
      charts_(s_.Tables.ChartsTable5),
      other_(s_.Tables.ChartsTable3)
{}

bool InsertSlot::IsProtected(std::int32_t key) const
{
    return protectedSet_.count(key) > 0;
}

void InsertSlot::Protect(std::int32_t key)
{
    if (protectedSet_.insert(key).second)
        ProtectedTasks.push_back(key);
}

std::string InsertSlot::NoteLine(const std::string& text) const
{
    return data::DateTimeText(s_.Time.Now()) + ":  " + text;
}

bool InsertSlot::InsertBlock(const SlotBlock& block, std::int32_t selectedResourceId)
{
    SelectedResourceId = selectedResourceId;
    ProtectedTasks.clear();
    protectedSet_.clear();
    ChangedResources.clear();
    std::vector<std::pair<TDateTime, TDateTime>> ends;  // old end, new end of each changed record
    const TDateTime S = block.Start;
    const TDateTime E = block.End;
    // The whole insert reaches the files with one flush per table.
    db::WriteBatch batch;

    for (std::uint32_t recno : StoredRecordNumbers(charts_)) {
        charts_.goTo(recno);
        // Job summary rows follow their tasks; splitting one would make a
        // task out of a summary.
        if (ScheduleItemField(charts_, &ScheduleItemRecord::JOB).asBoolean())
            continue;
        const std::int32_t key = Int(charts_, "CHARTSID");
        const std::int32_t crew = Int(charts_, "CREWID");
        if (selectedResourceId != 0 && crew != selectedResourceId) {
            Protect(key);
            continue;
        }
        const TDateTime a = data::RoundUpToQuarterHour(Real(charts_, "SD"));
        const TDateTime b = data::RoundUpToQuarterHour(Real(charts_, "ED"));
        // Stored order is no time order: a task before the block may come after one of its
        // resource's changed tasks, and the push-back would otherwise move it onto the block.
        if (b < S || SameInstant(b, S)) {
            Protect(key);
            continue;
        }
        if (std::find(ChangedResources.begin(), ChangedResources.end(), crew) != ChangedResources.end())
            continue;
        const float h = static_cast<float>(Real(charts_, "HOURS"));
        const int rcount = Int(charts_, "RCOUNT");

        switch (DecideSlotOutcome(a, b, S, E)) {
        case SlotOutcome::Protect: Protect(key); break;
        case SlotOutcome::Delay: {
            TDateTime start = E;
            const TDateTime end = s_.Time.ComputeTaskEnd(crew, start, E, h);
            Protect(key);
            ChangedResources.push_back(crew);
            DelayOrSplitTask(false, rcount, a, start, end, h);
            ends.emplace_back(b, end);
            break;
        }
        case SlotOutcome::SplitAtStart:
        case SlotOutcome::SplitRemainder: {
            const bool remainder = DecideSlotOutcome(a, b, S, E) == SlotOutcome::SplitRemainder;
            const float h1 = s_.Time.WorkingHoursBetween(crew, a, S);
            const float h2 = remainder ? h - h1 : s_.Time.WorkingHoursBetween(crew, S, b);
            const std::int32_t newKey = data::UniqueKeyValue(s_.State.Keys, other_, "CHARTSID");
            const std::int32_t repeat = Int(charts_, "REPEAT");
            const int rperiod = Int(charts_, "RPERIOD");
            const std::int32_t crepeath = Int(charts_, "CREPEATH");
            Protect(key);
            ChangedResources.push_back(crew);
            DelayOrSplitTask(true, rcount + 1, a, a, S, h1);
            charts_.goTo(recno);
            const TDateTime end = AppendSplitOffTask(repeat, newKey, E, h2, rperiod, rcount + 1, crepeath);
            ends.emplace_back(b, end);
            break;
        }
        case SlotOutcome::None: break;
        }
    }

    if (ends.empty())
        return false;
    for (const auto& [oldEnd, newEnd] : ends)
        PushBackDependants(oldEnd, newEnd);
    batch.commit();
    for (db::Table* t : {&charts_, &other_, &s_.Tables.ChartsTable, &s_.Tables.ChartsTable2})
        t->refresh();
    pending_.PendingInsertStart = S;
    pending_.PendingInsertHours = block.Hours;
    pending_.PendingInsertUnit = block.Unit;
    pending_.PendingInsert = true;
    return true;
}

void InsertSlot::DelayOrSplitTask(bool split, int rcount, TDateTime oldStart, TDateTime newStart,
                                  TDateTime newEnd, float hours)
{
    const std::int32_t crew = Int(charts_, "CREWID");
    std::string line;
    if (split) {
        line = NoteLine("This task has been split to accomodate an inserted slot");
    } else {
        const float d = s_.Time.WorkingHoursBetween(crew, oldStart, newStart);
        line = NoteLine("This task has been delayed " + ShortestNumberText(d)
                        + " hours to accomodate an inserted slot");
    }
    WriteMovedRecord(charts_, s_.State, newStart, newEnd, line, hours, rcount);
}

TDateTime InsertSlot::AppendSplitOffTask(std::int32_t repeat, std::int32_t newKey, TDateTime start,
                                         float hours, int rperiod, int rcount, std::int32_t crepeath)
{
    const std::int32_t crew = Int(charts_, "CREWID");
    TDateTime movedStart = start;
    const TDateTime end = s_.Time.ComputeTaskEnd(crew, movedStart, start, hours);
    Protect(newKey);

    schedule::NewScheduleItem item;
    item.Key = newKey;
    item.ResourceId = crew;
    item.ResourceName = ScheduleItemField(charts_, &ScheduleItemRecord::TDESC).asString();
    item.CustomerName = ScheduleItemField(charts_, &ScheduleItemRecord::CUSTNAME).asString();
    item.JobName = ScheduleItemField(charts_, &ScheduleItemRecord::JOBNAME).asString();
    item.Description = ScheduleItemField(charts_, &ScheduleItemRecord::DESC).asString();
    item.Notes = std::vector<std::string>{NoteLine("This task has been split off from " + item.Description)};
    item.Start = movedStart;
    item.End = end;
    item.Hours = hours;
    item.HourlyRate = Real(charts_, "COST");
    item.TotalCost = Real(charts_, "TCOST");
    item.RepeatRule = repeat;
    item.RepeatHours = crepeath;
    item.RepeatPeriod = rperiod;
    item.RepeatCount = rcount;
    const std::int32_t chain = Int(charts_, "CHAIN");
    item.Chain = chain;
    item.JobStatus = Int(charts_, "BIDID");
    item.LengthUnit = Int(charts_, "PIN");
    item.Link = 0;
    item.Root = false;
    item.Row = 0;
    item.New = false;
    item.Active = true;
    item.JobRow = false;
    item.SingleAdd = false;
    item.FindOrCreate = true;
    s_.Adder.AddTaskToSchedule(item);

    if (chain > 0)
        RelinkChain(chain);
    return end;
}

void InsertSlot::RelinkChain(std::int32_t chain)
{
    std::vector<std::uint32_t> members;
    for (std::uint32_t recno : StoredRecordNumbers(other_)) {
        other_.goTo(recno);
        if (Int(other_, "CHAIN") == chain)
            members.push_back(recno);
    }
    std::vector<std::int32_t> keys;
    for (std::uint32_t recno : members) {
        other_.goTo(recno);
        keys.push_back(Int(other_, "CHARTSID"));
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        other_.goTo(members[i]);
        const double update = data::NextUpdateCount(static_cast<float>(Real(other_, "UPDATE")));
        s_.State.UpdateCounter = static_cast<float>(update);
        other_.edit();
        ScheduleItemField(other_, &ScheduleItemRecord::UPDATE).setAsFloat(update);
        ScheduleItemField(other_, &ScheduleItemRecord::LINK).setAsInteger(i + 1 < keys.size() ? keys[i + 1] : 0);
        ScheduleItemField(other_, &ScheduleItemRecord::ROOT).setAsBoolean(i != 0);
        other_.post();
    }
    charts_.refresh();
}

void InsertSlot::PushBackDependants(TDateTime oldEnd, TDateTime newEnd)
{
    const std::vector<std::uint32_t> records = StoredRecordNumbers(charts_);
    // After the first call every record is protected: the later calls of one
    // insert have nothing left to move.
    if (protectedSet_.size() >= records.size())
        return;
    for (std::uint32_t recno : records) {
        charts_.goTo(recno);
        const std::int32_t key = Int(charts_, "CHARTSID");
        if (IsProtected(key) || ScheduleItemField(charts_, &ScheduleItemRecord::JOB).asBoolean())
            continue;
        const std::int32_t crew = Int(charts_, "CREWID");
        const std::int32_t repeat = Int(charts_, "REPEAT");
        const int rperiod = Int(charts_, "RPERIOD");
        const std::int32_t crepeath = Int(charts_, "CREPEATH");
        std::int32_t link = Int(charts_, "LINK");
        const float d = s_.Time.WorkingHoursBetween(crew, oldEnd, newEnd);
        Protect(key);

        const float h = static_cast<float>(Real(charts_, "HOURS"));
        const TDateTime s = data::RoundUpToQuarterHour(Real(charts_, "SD"));
        TDateTime ignored = s;
        const TDateTime x = s_.Time.ComputeTaskEnd(crew, ignored, s, d);
        TDateTime start = x;
        const TDateTime end = s_.Time.ComputeTaskEnd(crew, start, x, h);
        const std::string line = NoteLine("This task has been pushed back " + ShortestNumberText(d)
                                          + " hours to accomodate an inserted slot");
        WriteMovedRecord(charts_, s_.State, start, end, line);

        // A series without a known period has no rule to re-date by.
        if (repeat <= 0 || rperiod < schedule::kRepeatDaily || rperiod > schedule::kRepeatCustom)
            continue;
        // The later occurrences follow the moved one by their rule, not by d.
        schedule::RepeatCalendar calendar;
        calendar.ComputeTaskEnd = [&](TDateTime& startOut, TDateTime from, float hours) {
            return s_.Time.ComputeTaskEnd(crew, startOut, from, hours);
        };
        calendar.LoadedHoursPerDay = s_.Time.LoadedHoursPerDay();
        TDateTime prevStart = start;
        TDateTime prevEnd = end;
        other_.refresh();
        // A chain that loops back on itself ends at the first key seen twice.
        std::vector<std::int32_t> walked{key};
        while (link > 0 && std::find(walked.begin(), walked.end(), link) == walked.end()) {
            if (!other_.locate("CHARTSID", db::Value(static_cast<double>(link))))
                break;
            walked.push_back(link);
            Protect(link);
            link = Int(other_, "LINK");
            const float hours = static_cast<float>(Real(other_, "HOURS"));
            TDateTime nextStart = prevStart;
            TDateTime nextEnd = prevEnd;
            if (!schedule::NextRepeatDate(calendar, true, crepeath, prevEnd, prevStart, rperiod, hours,
                                          nextStart, nextEnd))
                continue;
            WriteMovedRecord(other_, s_.State, nextStart, nextEnd, line);
            prevStart = nextStart;
            prevEnd = nextEnd;
        }
        charts_.refresh();
    }
}

}  // namespace tw::timeblocks
