#pragma once
// Moves schedule records between this workstation's working copy (Charts.DBF,
// Tasks.DBF in the program folder) and the shared tables (ICharts.DBF,
// ITasks.dbf in the schedule database), always by CHARTSID and always under
// the network lock.
//
//   ScheduleSync sync(tables, state, ui);
//   sync.PushChartRecord(key);          // after a drag, a nudge, a saved task
//   if (sync.RemoveObsoleteTasks() | sync.PullChartUpdates(false))
//       ... apply the query and rebuild the chart ...
//
// A failure anywhere releases the lock, puts TablesBusy back, puts the cursors
// back into browse mode and reaches the user as a message box; a pull or
// removal still reports what it changed before the failure, so that the
// chart is rebuilt over it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/userinterface.h"
#include "schedule/sync/changestamp.h"
#include "schedule/sync/scheduletables.h"

namespace tw::schedule {

// What one workstation knows of the shared records it has been in step with,
// so that a push of its whole working copy does not undo another
// workstation's deletion or newer change.
struct SharedMemory {
    // Every key seen in the shared table (pulled, pushed or found there) and
    // not deleted here since.
    std::unordered_set<std::int32_t> seen;
    // The change counter both sides had when they were last in step.
    std::unordered_map<std::int32_t, float> inStep;

    // Changes go through these while an operation may still be rolled back:
    // each notes what the key had before, so that undoing costs what the
    // operation changed, not a copy of everything remembered.
    void See(std::int32_t key);
    void InStep(std::int32_t key, float counter);
    void Forget(std::int32_t key);
    // Where the note of changes stands; UndoTo puts back every change
    // noted since. Settle drops the notes once no operation can fail any more.
    std::size_t Mark() const { return undo_.size(); }
    void UndoTo(std::size_t mark);
    void Settle() { undo_.clear(); }

private:
    struct Before {
        std::int32_t key;
        bool seen;
        std::optional<float> inStep;
    };
    void Note(std::int32_t key);
    std::vector<Before> undo_;
};

class SharedTablesHeld;

class ScheduleSync {
public:
    ScheduleSync(ScheduleTables& tables, data::MainScreenState& state, data::UserInterface& ui);

    // Writes every working schedule item and task-list record into the
    // shared tables; records that already hold the same values are left
    // alone, and so is an item that another workstation deleted, or changed
    // while it did not change here, since the two were last in step. Nothing
    // on a read-only copy. False when the shared tables were not reached
    // (read-only copy, lock broken, failure).
    bool PushChartUpdates();
    // Whether each working table and its shared twin are as the last push
    // left them, read before a change to the working copy: a push after the
    // change then needs to write only what the change wrote.
    struct PushLevel {
        std::optional<std::array<ChangeStamp, 2>> Charts, Tasks;
    };
    PushLevel LevelBeforeChange();
    // PushChartUpdates after a change that wrote only the working records
    // with these keys (in either working table): when the pair was level
    // before it, only those records are compared and written, which comes
    // to the same as comparing every record.
    bool PushChartUpdates(const PushLevel& before, const std::set<std::int32_t>& changed);
    // Runs a change of the working schedule items that no push, pull or
    // removal carries anywhere (the records' order, this workstation's bar
    // and row numbers): whichever of them found the tables level before it
    // finds them level after it, and need not compare every record again.
    void KeepLevelsThrough(const std::function<void()>& change);
    // Runs adds of many items that push none of them (SingleAdd off) with
    // their writes gathered into one write batch, then pushes the items whose
    // keys it returns in one push: one write per table instead of a journal
    // and a flush per record and a push per item.
    void AddThenPush(const std::function<std::set<std::int32_t>()>& adds);
    // Writes the one working schedule item with that key into ICharts.DBF.
    bool PushChartRecord(std::int32_t key);
    // Writes the working schedule items with these keys into ICharts.DBF
    // under one take of the lock. False when the shared tables were not
    // written (read-only copy, lock broken, failure).
    bool PushChartRecords(const std::set<std::int32_t>& keys);

    // Copies shared records whose change counter differs (all of them when
    // forced) into the working copy. True when a schedule item was copied (a
    // forced pull counts every shared item it covered). keepRowNumbers: while
    // no chart is drawn (the start), a record that differs from the shared
    // one only in its bar and row numbers (PTR, RESOURCE) is left as it is;
    // they name nothing then, and the first build writes what it draws.
    bool PullChartUpdates(bool force, bool keepRowNumbers = false);
    // Refreshes one working item, and unless single the items chained to it
    // by LINK, from ICharts.DBF. Never appends.
    void PullChartRecord(std::int32_t key, bool single);
    // Deletes working schedule items whose key is no longer shared. True when
    // one was deleted.
    bool RemoveObsoleteTasks();
    // Keeps the shared tables open while the result lives (they are opened
    // only for the work on them otherwise), so that the pushes of many
    // single adds in a row, an import's, find their keys without reading
    // every shared record again each time.
    SharedTablesHeld HoldSharedTables();
    // Puts text into the middle panel of the status bar, empties the other two and paints it at once.
    void ShowStatus(const std::string& text);

    // The copy routines of one current record each; the target is in edit or
    // append state and is not posted.
    void CopyChartRecordToShared(db::Table& source);
    void CopyChartRecordToLocal(db::Table& source);

private:
    // Runs work under the lock. Any failure is cleaned up and reported here;
    // the result is false then, or when the shared tables are not usable.
    bool RunShared(const std::function<void()>& work);
    void RecoverFromFailure();
    void RefreshWorkingViews();
    // Deletes the ICrews.DBF rows naming these schedule items.
    void RemoveAssignmentRows(const std::unordered_set<std::int32_t>& items);
    // keys: only these working records, looked up in ChartsTable5 (from
    // ChartsTable5) or ChartsTable2; none: every record of ChartsTable5.
    void PushChartItems(const std::set<std::int32_t>* keys, bool fromWorkingCopy = false);
    void PushTaskList(const std::set<std::int32_t>* keys = nullptr);
    // A working table and its shared twin as one operation last left them.
    using Level = std::optional<std::array<ChangeStamp, 2>>;
    // True when neither table changed since level was taken; otherwise the
    // level is forgotten until the caller takes it again (TakeLevel).
    static bool StillLevel(Level& level, const db::Table& working, const db::Table& shared);
    static void TakeLevel(Level& level, const db::Table& working, const db::Table& shared);

    ScheduleTables& t_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    data::NetworkLock lock_;
    // The pairs of tables as the last complete push, pull or removal left
    // them: while neither table of a pair has changed since, doing it again
    // would change nothing.
    Level pushedCharts_, pushedTasks_, pulledCharts_, pulledTasks_, removed_;
    SharedMemory charts_, tasks_;
    int running_ = 0;  // operations under way (one may run inside another)
};

// Opens a cursor for the length of one operation when it is closed, and on
// leaving drops an unposted edit and closes it again when it was opened here.
class CursorForWork {
public:
    explicit CursorForWork(db::Table& table);
    ~CursorForWork();
    CursorForWork(const CursorForWork&) = delete;
    CursorForWork& operator=(const CursorForWork&) = delete;

private:
    db::Table& table_;
    bool opened_ = false;
};

class SharedTablesHeld {
public:
    SharedTablesHeld();
    ~SharedTablesHeld();
    SharedTablesHeld(SharedTablesHeld&&) noexcept;
    SharedTablesHeld& operator=(SharedTablesHeld&&) noexcept;

private:
    friend class ScheduleSync;
    std::unique_ptr<CursorForWork> charts_, tasks_;
};

// The change counter as the schedule compares it: in single precision.
float SingleCounter(db::Table& table);

}  // namespace tw::schedule
