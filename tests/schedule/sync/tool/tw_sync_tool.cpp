// A workstation in a process of its own, for the tests that need several
// processes on one schedule folder or one that is killed in the middle of a
// push.
//
//   tw_sync_tool sync <program folder> <schedule folder> <workstation> <rounds>
//   tw_sync_tool customers <schedule folder> <first key> <count>
//   tw_sync_tool pushloop <program folder> <schedule folder> <first version>
//   tw_sync_tool writebackloop <program folder> <schedule folder> <first version>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>

#include "data/updatecount.h"
#include "workstation.h"
#include "support/recordinguserinterface.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

// Waits for real, but briefly: the other processes hold the lock for
// milliseconds, and a refusal that came too fast would break it.
class WaitingUserInterface : public data::RecordingUserInterface {
public:
    // Ten refusals 200 ms apart break the lock: longer than a durable push takes on a loaded machine.
    void Sleep(int) override { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }
};

struct Station {
    Station(const std::string& prog, const std::string& shared) : ws(prog, shared) {}
    Workstation ws;
    WaitingUserInterface ui;
    ScheduleSync sync{ws.tables, ws.state, ui};
};

void PutBoth(Workstation& ws, const Item& item)
{
    PutItem(ws.ChartsTable5, item);
    PutItem(ws.TasksTable3, item);
}

int Sync(const std::string& prog, const std::string& shared, int station, int rounds)
{
    Station s(prog, shared);
    data::NetworkLock lock(s.ws.AccessTable, s.ws.state, s.ui);
    float counter = 2.0f;
    for (int r = 1; r <= rounds; ++r) {
        counter = data::NextUpdateCount(counter);
        const std::int32_t key = station * 100000 + r;
        PutBoth(s.ws, {key, "added", counter, "notes of " + std::to_string(key)});
        if (r % 3 == 0)
            PutBoth(s.ws, {key - 1, "edited", counter});
        s.sync.PushChartUpdates();
        if (r % 5 == 0) {
            // Deleting parts delete in the shared table; the removal of
            // obsolete records carries it into every working copy.
            lock.WithSharedTables([&] {
                db::Table& shared = s.ws.IChartsTable;
                shared.refresh();
                if (shared.locate("CHARTSID", db::Value(static_cast<double>(key - 4))))
                    shared.deleteRecord();
            });
        }
        s.sync.RemoveObsoleteTasks();
        s.sync.PullChartUpdates(false);
        if (!s.ws.state.SharedTablesUsable || !s.ui.Messages.empty()) {
            std::fprintf(stderr, "workstation %d lost the shared tables in round %d\n", station, r);
            return 2;
        }
    }
    return 0;
}

int Customers(const std::string& shared, int firstKey, int count)
{
    db::Table customers;
    Workstation::Open(customers, shared, "customers.dbf");
    for (int i = 0; i < count; ++i) {
        customers.append();
        customers.fieldByName("CID").setAsInteger(firstKey + i);
        customers.fieldByName("NAME").setAsString("Customer " + std::to_string(firstKey + i));
        customers.post();
    }
    return 0;
}

// Rewrites every working item to the next version and pushes, for ever.
int PushLoop(const std::string& prog, const std::string& shared, int version)
{
    Station s(prog, shared);
    for (;; ++version) {
        db::Table& w = s.ws.ChartsTable5;
        for (w.first(); !w.eof(); w.next()) {
            w.edit();
            w.fieldByName("DESC").setAsString("v" + std::to_string(version));
            w.fieldByName("HOURS").setAsFloat(version);
            w.fieldByName("NOTES").setAsString("notes v" + std::to_string(version));
            w.fieldByName("UPDATE").setAsFloat(version);
            w.post();
        }
        s.sync.PushChartUpdates();
    }
}

// Writes new times into every working item as the chart's write-back does
// (the change counter stays) and pushes them by their keys, for ever.
int WriteBackLoop(const std::string& prog, const std::string& shared, int version)
{
    Station s(prog, shared);
    std::set<std::int32_t> keys;
    for (;; ++version) {
        db::Table& w = s.ws.ChartsTable5;
        w.refresh();
        db::WriteBatch batch;
        for (w.first(); !w.eof(); w.next()) {
            keys.insert(w.fieldByName("CHARTSID").asInteger());
            w.edit();
            w.fieldByName("DESC").setAsString("v" + std::to_string(version));
            w.fieldByName("HOURS").setAsFloat(version);
            w.fieldByName("SD").setAsFloat(46000 + version);
            w.post();
        }
        batch.commit();
        s.sync.PushChartRecords(keys);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "sync" && argc == 6)
        return Sync(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
    if (command == "customers" && argc == 5)
        return Customers(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "pushloop" && argc == 5)
        return PushLoop(argv[2], argv[3], std::atoi(argv[4]));
    if (command == "writebackloop" && argc == 5)
        return WriteBackLoop(argv[2], argv[3], std::atoi(argv[4]));
    std::fprintf(stderr, "usage: tw_sync_tool sync|customers|pushloop|writebackloop ...\n");
    return 1;
}
