#include "schedule/sync/schedulesync.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "data/services/busyscopes.h"
#include "schedule/sync/recordcopier.h"

namespace tw::schedule {

namespace {

bool Editing(const db::Table& table)
{
    return table.state() == db::Table::State::Edit || table.state() == db::Table::State::Insert;
}

bool LocateKey(db::Table& table, std::int32_t key)
{
    return table.locate("CHARTSID", db::Value(static_cast<double>(key)));
}

// Writes source's current record into target by CHARTSID: appended when
// missing, rewritten when it differs, left alone when it already holds the
// same. Two cases are left alone besides, because writing would undo another
// workstation's work:
//  - the key was shared and is gone: it was deleted elsewhere (only for the
//    schedule items, which deleting parts delete in the shared table); the
//    next removal of obsolete items deletes it here too;
//  - the shared record changed since the two were last in step and the
//    working one did not: the change made elsewhere is newer, and the next
//    pull brings it here.
class KeyedWriter {
public:
    KeyedWriter(db::Table& source, db::Table& target, const RecordCopier& copier, SharedMemory& memory,
                bool guardDeleted)
        : source_(source),
          target_(target),
          copier_(copier),
          memory_(memory),
          guardDeleted_(guardDeleted),
          sourceUpdate_(source.fieldIndex("UPDATE")),
          targetUpdate_(target.fieldIndex("UPDATE"))
    {}

    void Write(std::int32_t key)
    {
        const float ours = static_cast<float>(source_.field(sourceUpdate_).asFloat());
        if (LocateKey(target_, key)) {
            memory_.See(key);
            if (copier_.Same(source_, target_)) {
                memory_.InStep(key, ours);
                return;
            }
            const float theirs = static_cast<float>(target_.field(targetUpdate_).asFloat());
            const auto inStep = memory_.inStep.find(key);
            if (inStep != memory_.inStep.end() && ours == inStep->second && theirs != inStep->second)
                return;
            target_.edit();
        } else {
            if (guardDeleted_ && memory_.seen.count(key) != 0)
                return;
            target_.append();
        }
        copier_.Copy(source_, target_);
        target_.post();
        memory_.See(key);
        memory_.InStep(key, ours);
    }

    void WriteAll()
    {
        const int key = source_.fieldIndex("CHARTSID");
        for (source_.first(); !source_.eof(); source_.next())
            Write(source_.field(key).asInteger());
    }

private:
    db::Table& source_;
    db::Table& target_;
    const RecordCopier& copier_;
    SharedMemory& memory_;
    bool guardDeleted_;
    int sourceUpdate_;
    int targetUpdate_;
};

// The shared records into the working copy: those whose counters differ in
// single precision, or every one when forced. True when one was written.
//
// The working counters are read in one pass in file order first, so that the
// walk over the shared table touches a working record only when it copies;
// a look-up per shared record would read the working records in random order.
bool PullByCounter(db::Table& shared, db::Table& working, const RecordCopier& copier, bool force,
                   SharedMemory& memory, bool keepRowNumbers = false)
{
    db::WriteBatch batch;  // one journal and flush for the whole pull
    const int workingKey = working.fieldIndex("CHARTSID");
    const int workingUpdate = working.fieldIndex("UPDATE");
    std::unordered_map<std::int32_t, float> counters;
    counters.reserve(static_cast<std::size_t>(working.recordCount()) + 1);
    for (working.first(); !working.eof(); working.next())
        counters.emplace(working.field(workingKey).asInteger(),
                         static_cast<float>(working.field(workingUpdate).asFloat()));

    bool copied = false;
    const int key = shared.fieldIndex("CHARTSID");
    const int sharedUpdate = shared.fieldIndex("UPDATE");
    for (shared.first(); !shared.eof(); shared.next()) {
        const std::int32_t k = shared.field(key).asInteger();
        const float theirs = static_cast<float>(shared.field(sharedUpdate).asFloat());
        memory.See(k);
        memory.InStep(k, theirs);
        const auto known = counters.find(k);
        if (known != counters.end()) {
            if (!force && known->second == theirs)
                continue;
            copied = true;
            known->second = theirs;
            if (!LocateKey(working, k))
                throw std::logic_error("Working record " + std::to_string(k) + " vanished during the pull");
            if (copier.Same(shared, working, keepRowNumbers))
                continue;  // forced, and already what the copy would write
            working.edit();
        } else {
            counters.emplace(k, theirs);
            working.append();
        }
        copier.Copy(shared, working);
        working.post();
        copied = true;
    }
    return copied;
}

}  // namespace

void SharedMemory::Note(std::int32_t key)
{
    const auto counter = inStep.find(key);
    undo_.push_back({key, seen.count(key) != 0,
                     counter == inStep.end() ? std::nullopt : std::optional<float>(counter->second)});
}

void SharedMemory::See(std::int32_t key)
{
    if (seen.count(key) != 0)
        return;
    Note(key);
    seen.insert(key);
}

void SharedMemory::InStep(std::int32_t key, float counter)
{
    const auto found = inStep.find(key);
    if (found != inStep.end() && found->second == counter)
        return;
    Note(key);
    inStep[key] = counter;
}

void SharedMemory::Forget(std::int32_t key)
{
    Note(key);
    seen.erase(key);
    inStep.erase(key);
}

void SharedMemory::UndoTo(std::size_t mark)
{
    while (undo_.size() > mark) {
        const Before& before = undo_.back();
        if (before.seen)
            seen.insert(before.key);
        else
            seen.erase(before.key);
        if (before.inStep)
            inStep[before.key] = *before.inStep;
        else
            inStep.erase(before.key);
        undo_.pop_back();
    }
}

CursorForWork::CursorForWork(db::Table& table) : table_(table)
{
    if (!table_.active()) {
        table_.open();
        opened_ = true;
    }
}

CursorForWork::~CursorForWork()
{
    try {
        if (Editing(table_))
            table_.cancel();
        if (opened_) {
            table_.refresh();
            table_.close();
        }
    } catch (...) {
    }
}

SharedTablesHeld::SharedTablesHeld() = default;
SharedTablesHeld::~SharedTablesHeld() = default;
SharedTablesHeld::SharedTablesHeld(SharedTablesHeld&&) noexcept = default;
SharedTablesHeld& SharedTablesHeld::operator=(SharedTablesHeld&&) noexcept = default;

float SingleCounter(db::Table& table)
{
    return static_cast<float>(table.fieldByName("UPDATE").asFloat());
}

ScheduleSync::ScheduleSync(ScheduleTables& tables, data::MainScreenState& state, data::UserInterface& ui)
    : t_(tables),
      state_(state),
      ui_(ui),
      lock_(tables.AccessTable, state, ui)
{}

bool ScheduleSync::RunShared(const std::function<void()>& work)
{
    // A failed write batch leaves the tables as they were, so what this
    // workstation remembers of the shared tables must go back too: a key
    // remembered as pushed but rolled back would read as deleted elsewhere
    // and never be pushed again.
    const std::size_t chartsMark = charts_.Mark();
    const std::size_t tasksMark = tasks_.Mark();
    struct Running {
        ScheduleSync& sync;
        explicit Running(ScheduleSync& s) : sync(s) { ++sync.running_; }
        ~Running()
        {
            if (--sync.running_ == 0) {
                sync.charts_.Settle();
                sync.tasks_.Settle();
            }
        }
    } running(*this);
    try {
        return lock_.WithSharedTables(work);
    } catch (const db::DbError& e) {
        charts_.UndoTo(chartsMark);
        tasks_.UndoTo(tasksMark);
        RecoverFromFailure();
        ui_.ShowMessage(e.what(), "Dbi error", data::MessageIcon::Stop);
    } catch (const std::exception& e) {
        charts_.UndoTo(chartsMark);
        tasks_.UndoTo(tasksMark);
        RecoverFromFailure();
        ui_.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
    return false;
}

bool ScheduleSync::StillLevel(Level& level, const db::Table& working, const db::Table& shared)
{
    if (level && level == ReadChangeStamps<2>({&working, &shared}))
        return true;
    level.reset();
    return false;
}

void ScheduleSync::TakeLevel(Level& level, const db::Table& working, const db::Table& shared)
{
    level = ReadChangeStamps<2>({&working, &shared});
}

void ScheduleSync::RecoverFromFailure()
{
    for (Level* level : {&pushedCharts_, &pushedTasks_, &pulledCharts_, &pulledTasks_, &removed_})
        level->reset();
    for (db::Table* table :
         {&t_.ChartsTable, &t_.ChartsTable2, &t_.ChartsTable3, &t_.ChartsTable5, &t_.TasksTable,
          &t_.TasksTable3, &t_.IChartsTable, &t_.IChartsTable3, &t_.ITasksTable2}) {
        try {
            if (Editing(*table))
                table->cancel();
        } catch (...) {
        }
    }
    try {
        RefreshWorkingViews();
    } catch (...) {
    }
}

void ScheduleSync::RefreshWorkingViews()
{
    for (db::Table* table : {&t_.ChartsTable5, &t_.ChartsTable3, &t_.ChartsTable2})
        if (table->active())
            table->refresh();
    for (db::Table* table : t_.FurtherChartViews)
        if (table->active())
            table->refresh();
    if (t_.ChartsTable.active())
        t_.ChartsTable.refresh();
}

void ScheduleSync::CopyChartRecordToShared(db::Table& source)
{
    RecordCopier::ChartToShared(source, t_.IChartsTable).Copy(source, t_.IChartsTable);
}

void ScheduleSync::CopyChartRecordToLocal(db::Table& source)
{
    RecordCopier::ChartToLocal(source, t_.ChartsTable5).Copy(source, t_.ChartsTable5);
}

void ScheduleSync::PushChartItems(const std::set<std::int32_t>* keys, bool fromWorkingCopy)
{
    db::WriteBatch batch;  // one journal and flush for the whole push
    CursorForWork shared(t_.IChartsTable);
    t_.IChartsTable.refresh();
    if (!keys) {
        const RecordCopier copier = RecordCopier::ChartToShared(t_.ChartsTable5, t_.IChartsTable);
        KeyedWriter(t_.ChartsTable5, t_.IChartsTable, copier, charts_, true).WriteAll();
        return;
    }
    db::Table& source = fromWorkingCopy ? t_.ChartsTable5 : t_.ChartsTable2;
    const RecordCopier copier = RecordCopier::ChartToShared(source, t_.IChartsTable);
    KeyedWriter writer(source, t_.IChartsTable, copier, charts_, true);
    for (std::int32_t key : *keys)
        if (LocateKey(source, key))
            writer.Write(key);
}

void ScheduleSync::PushTaskList(const std::set<std::int32_t>* keys)
{
    db::WriteBatch batch;
    CursorForWork shared(t_.ITasksTable2);
    t_.ITasksTable2.refresh();
    t_.TasksTable3.refresh();
    const RecordCopier copier = RecordCopier::TaskList(t_.TasksTable3, t_.ITasksTable2, false);
    KeyedWriter writer(t_.TasksTable3, t_.ITasksTable2, copier, tasks_, false);
    if (!keys) {
        writer.WriteAll();
        return;
    }
    for (std::int32_t key : *keys)
        if (LocateKey(t_.TasksTable3, key))
            writer.Write(key);
}

ScheduleSync::PushLevel ScheduleSync::LevelBeforeChange()
{
    PushLevel level;
    t_.ChartsTable5.refresh();
    t_.TasksTable3.refresh();
    if (StillLevel(pushedCharts_, t_.ChartsTable5, t_.IChartsTable))
        level.Charts = pushedCharts_;
    if (StillLevel(pushedTasks_, t_.TasksTable3, t_.ITasksTable2))
        level.Tasks = pushedTasks_;
    return level;
}

void ScheduleSync::KeepLevelsThrough(const std::function<void()>& change)
{
    const bool pushed = StillLevel(pushedCharts_, t_.ChartsTable5, t_.IChartsTable);
    const bool pulled = StillLevel(pulledCharts_, t_.ChartsTable5, t_.IChartsTable);
    const bool removed = StillLevel(removed_, t_.ChartsTable5, t_.IChartsTable);
    change();
    for (const auto& [level, was] : {std::pair{&pushedCharts_, pushed}, std::pair{&pulledCharts_, pulled},
                                     std::pair{&removed_, removed}})
        if (was)
            TakeLevel(*level, t_.ChartsTable5, t_.IChartsTable);
}

bool ScheduleSync::PushChartUpdates()
{
    return PushChartUpdates(PushLevel{}, {});
}

bool ScheduleSync::PushChartUpdates(const PushLevel& before, const std::set<std::int32_t>& changed)
{
    if (state_.ReadOnlyCopy)
        return false;
    return RunShared([&] {
        CursorForWork sharedCharts(t_.IChartsTable);
        CursorForWork sharedTasks(t_.ITasksTable2);
        {
            data::BusyScope busy(state_);
            t_.ChartsTable.refresh();
            t_.ChartsTable5.refresh();
            t_.TasksTable3.refresh();
            // A pair that was level before the change, and that nothing
            // else pushed since, differs by the changed records at most: the
            // rest would compare the same.
            const bool chartsFew = before.Charts && before.Charts == pushedCharts_;
            const bool tasksFew = before.Tasks && before.Tasks == pushedTasks_;
            const bool charts = !StillLevel(pushedCharts_, t_.ChartsTable5, t_.IChartsTable);
            const bool tasks = !StillLevel(pushedTasks_, t_.TasksTable3, t_.ITasksTable2);
            {
                // Both shared tables take the push together or not at all, so
                // another workstation never pulls items without their task-list
                // twins (or the other way round).
                db::WriteBatch batch;
                if (charts)
                    PushChartItems(chartsFew ? &changed : nullptr, true);
                if (tasks)
                    PushTaskList(tasksFew ? &changed : nullptr);
                batch.commit();
            }
            if (charts)
                TakeLevel(pushedCharts_, t_.ChartsTable5, t_.IChartsTable);
            if (tasks)
                TakeLevel(pushedTasks_, t_.TasksTable3, t_.ITasksTable2);
        }
        t_.ChartsTable.refresh();
    });
}

SharedTablesHeld ScheduleSync::HoldSharedTables()
{
    SharedTablesHeld held;
    if (state_.ReadOnlyCopy)
        return held;
    // Opened under the lock, as every operation opens them: an open may
    // finish another workstation's interrupted write.
    RunShared([&] {
        held.charts_ = std::make_unique<CursorForWork>(t_.IChartsTable);
        held.tasks_ = std::make_unique<CursorForWork>(t_.ITasksTable2);
    });
    return held;
}

void ScheduleSync::AddThenPush(const std::function<std::set<std::int32_t>()>& adds)
{
    const PushLevel level = state_.InsertTimePending ? PushLevel{} : LevelBeforeChange();
    std::set<std::int32_t> added;
    {
        db::WriteBatch batch;
        added = adds();
        batch.commit();
    }
    // An inserted block of time waiting for its timer is pushed with these by the timer.
    if (!added.empty() && !state_.InsertTimePending)
        PushChartUpdates(level, added);
}

bool ScheduleSync::PushChartRecord(std::int32_t key)
{
    return PushChartRecords({key});
}

bool ScheduleSync::PushChartRecords(const std::set<std::int32_t>& keys)
{
    if (state_.ReadOnlyCopy)
        return false;
    return RunShared([&] {
        data::BusyScope busy(state_);
        t_.ChartsTable2.refresh();
        PushChartItems(&keys);
    });
}

bool ScheduleSync::PullChartUpdates(bool force, bool keepRowNumbers)
{
    if (state_.InsertTimePending)
        return false;
    bool copied = false;
    RunShared([&] {
        data::BusyScope busy(state_);
        CursorForWork sharedCharts(t_.IChartsTable);
        CursorForWork sharedTasks(t_.ITasksTable2);
        if (force || !StillLevel(pulledCharts_, t_.ChartsTable5, t_.IChartsTable)) {
            t_.IChartsTable.refresh();
            t_.ChartsTable5.refresh();
            const RecordCopier copier = RecordCopier::ChartToLocal(t_.IChartsTable, t_.ChartsTable5);
            copied = PullByCounter(t_.IChartsTable, t_.ChartsTable5, copier, force, charts_, keepRowNumbers);
            t_.ChartsTable5.refresh();
            t_.ChartsTable.refresh();
            TakeLevel(pulledCharts_, t_.ChartsTable5, t_.IChartsTable);
        }
        if (force || !StillLevel(pulledTasks_, t_.TasksTable3, t_.ITasksTable2)) {
            t_.ITasksTable2.refresh();
            t_.TasksTable3.refresh();
            PullByCounter(t_.ITasksTable2, t_.TasksTable3,
                          RecordCopier::TaskList(t_.ITasksTable2, t_.TasksTable3, true), force, tasks_);
            t_.TasksTable3.refresh();
            t_.TasksTable.refresh();
            TakeLevel(pulledTasks_, t_.TasksTable3, t_.ITasksTable2);
        }
    });
    return copied;
}

void ScheduleSync::PullChartRecord(std::int32_t key, bool single)
{
    if (state_.InsertTimePending)
        return;
    RunShared([&] {
        std::optional<data::BusyScope> busy(std::in_place, state_);
        CursorForWork shared(t_.IChartsTable3);
        t_.IChartsTable3.refresh();
        t_.ChartsTable5.refresh();
        if (!LocateKey(t_.IChartsTable3, key) || !LocateKey(t_.ChartsTable5, key)
            || SingleCounter(t_.IChartsTable3) == SingleCounter(t_.ChartsTable5))
            return;
        const RecordCopier copier = RecordCopier::ChartToLocal(t_.IChartsTable3, t_.ChartsTable5);
        const int linkField = t_.IChartsTable3.fieldIndex("LINK");
        // A chain that leads back to an item already copied would go round
        // for ever; each item is copied once.
        std::set<std::int32_t> copied{key};
        for (;;) {
            const std::int32_t link = t_.IChartsTable3.field(linkField).asInteger();
            const std::int32_t current = t_.IChartsTable3.fieldByName("CHARTSID").asInteger();
            t_.ChartsTable5.edit();
            copier.Copy(t_.IChartsTable3, t_.ChartsTable5);
            t_.ChartsTable5.post();
            charts_.See(current);
            charts_.InStep(current, SingleCounter(t_.IChartsTable3));
            if (single || link <= 0 || !copied.insert(link).second)
                break;
            if (!LocateKey(t_.IChartsTable3, link) || !LocateKey(t_.ChartsTable5, link))
                break;
        }
        busy.reset();  // the refreshed views may run their handlers again
        RefreshWorkingViews();
    });
}

bool ScheduleSync::RemoveObsoleteTasks()
{
    if (state_.InsertTimePending)
        return false;
    int removed = 0;
    RunShared([&] {
        CursorForWork shared(t_.IChartsTable);
        if (StillLevel(removed_, t_.ChartsTable5, t_.IChartsTable))
            return;
        t_.IChartsTable.refresh();
        t_.ChartsTable5.refresh();
        // One pass over the shared keys: far cheaper than a locate per
        // working record once another workstation's write made the shared
        // table read afresh.
        std::unordered_set<std::int32_t> sharedKeys;
        sharedKeys.reserve(static_cast<std::size_t>(t_.IChartsTable.recordCount()) + 1);
        const int sharedKey = t_.IChartsTable.fieldIndex("CHARTSID");
        for (t_.IChartsTable.first(); !t_.IChartsTable.eof(); t_.IChartsTable.next())
            sharedKeys.insert(t_.IChartsTable.field(sharedKey).asInteger());
        const int key = t_.ChartsTable5.fieldIndex("CHARTSID");
        std::unordered_set<std::int32_t> removedKeys;
        t_.ChartsTable5.first();
        while (!t_.ChartsTable5.eof()) {
            const std::int32_t k = t_.ChartsTable5.field(key).asInteger();
            if (sharedKeys.count(k) != 0) {
                charts_.See(k);
                t_.ChartsTable5.next();
            } else {
                charts_.Forget(k);
                removedKeys.insert(k);
                // The cursor moves on to the next record, or back to the one
                // before after the last: that one was kept and is kept again.
                t_.ChartsTable5.deleteRecord();
                ++removed;
            }
        }
        t_.ChartsTable5.refresh();
        if (t_.ChartsTable.active())
            t_.ChartsTable.refresh();
        // An item made here and never shared (a piece of inserted time taken
        // back, a job summary of a run that ended before its push) leaves no
        // assignment rows behind: every row names an item the shared table holds.
        if (!removedKeys.empty() && !state_.ReadOnlyCopy)
            RemoveAssignmentRows(removedKeys);
        TakeLevel(removed_, t_.ChartsTable5, t_.IChartsTable);
    });
    if (removed > 0)
        ShowStatus(std::to_string(removed) + " obsolete tasks removed");
    return removed > 0;
}

void ScheduleSync::RemoveAssignmentRows(const std::unordered_set<std::int32_t>& items)
{
    db::Table& rows = t_.ICrewsTable3;
    CursorForWork open(rows);
    rows.refresh();
    const int item = rows.fieldIndex("CHARTSID");
    bool deleted = false;
    rows.first();
    while (!rows.eof()) {
        if (items.count(rows.field(item).asInteger()) == 0) {
            rows.next();
            continue;
        }
        // As in the removal above: the cursor moves on, or back to a kept row.
        rows.deleteRecord();
        deleted = true;
    }
    if (!deleted)
        return;
    for (db::Table* t : {&t_.ICrewsTable, &t_.ICrewsTable2, &t_.ICrewsTable3})
        if (t->active())
            t->refresh();
}

void ScheduleSync::ShowStatus(const std::string& text)
{
    ui_.SetStatusText(0, "");
    ui_.SetStatusText(2, "");
    ui_.SetStatusText(1, text);
    ui_.RepaintStatus();
}

}  // namespace tw::schedule
