// A second workstation that pushes its whole working copy in a loop, every
// schedule item and task-list record rewritten to the next version each time,
// while the test process makes backups of the shared folder.
//
//   tw_backup_pusher <program folder> <schedule folder>
//
// Runs until it is killed; exits with 3 when its lock was broken (it would
// stop pushing, and the test would prove nothing).
#include <chrono>
#include <string>
#include <thread>

#include "platform/db/table.h"
#include "workstation.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

void Rewrite(db::Table& t, int version)
{
    const std::string v = "v" + std::to_string(version);
    db::WriteBatch batch;
    for (t.first(); !t.eof(); t.next()) {
        t.edit();
        t.fieldByName("DESC").setAsString(v);
        t.fieldByName("UPDATE").setAsFloat(version);
        if (auto notes = t.findField("NOTES"))
            notes->setAsString("notes " + v);
        t.post();
    }
    batch.commit();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 1;
    Workstation ws(argv[1], argv[2]);
    // Refusals 500 ms apart: the backup holds the lock for milliseconds, but on
    // a loaded machine an archive can take over a second, and ten refusals
    // break the lock.
    ws.ui.OnSleep = [] { std::this_thread::sleep_for(std::chrono::milliseconds(500)); };
    for (int version = 1;; ++version) {
        Rewrite(ws.ChartsTable5, version);
        Rewrite(ws.TasksTable3, version);
        ws.sync.PushChartUpdates();
        if (!ws.state.SharedTablesUsable)
            return 3;
    }
}
