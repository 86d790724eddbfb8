// Backups of a shared folder while another workstation pushes in a loop:
// every archive's tables, read back by another program (python3-dbfread),
// hold whole records and both shared schedule tables from one push.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "backupfixture.h"
#include "data/services/networklock.h"
#include "support/childprocess.h"
#include "workstation.h"

namespace tw::settings::test {
namespace {

using schedule::test::CreateProgramFolder;
using schedule::test::CreateScheduleFolder;
using schedule::test::Item;
using schedule::test::PutItem;
using schedule::test::TempFolder;
using schedule::test::Workstation;

// The backup's side of the network lock: the real lock record, waited for
// without ever breaking the other workstation's hold.
class LockingHost : public RecordingHost {
public:
    explicit LockingHost(const std::string& shared) { Workstation::Open(access_, shared, "Access.dbf"); }
    bool TakeNetworkLock(int) override
    {
        for (;;) {
            state_.LockRefusals = 0;
            if (lock_.UpdateAccessRecord(true))
                return state_.SharedTablesUsable;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    void ReleaseNetworkLock() override { lock_.UpdateAccessRecord(false); }

private:
    db::Table access_;
    data::MainScreenState state_;
    data::RecordingUserInterface ui_;
    data::NetworkLock lock_{access_, state_, ui_};
};

std::string SharedVersion(const std::string& shared)
{
    db::Table t;
    Workstation::Open(t, shared, "ICharts.DBF");
    t.first();
    return t.fieldByName("DESC").asString();
}

TEST(BackupConsistency, ArchivesTakenDuringPushesHoldOnePushEach)
{
    locale::PinLocale("en_US");
    TempFolder shared, prog, target;
    CreateScheduleFolder(shared.path());
    CreateProgramFolder(prog.path());
    const int items = 150;
    {
        Workstation ws(prog.path(), shared.path());
        db::WriteBatch batch;
        for (int k = 1; k <= items; ++k) {
            PutItem(ws.ChartsTable5, {k, "v0", 0.0f, "notes v0"});
            PutItem(ws.TasksTable3, {k, "v0", 0.0f});
        }
        batch.commit();
        ASSERT_TRUE(ws.sync.PushChartUpdates());
    }
    const pid_t pusher = tw::testing::SpawnTool(TW_BACKUP_PUSHER, {prog.path(), shared.path()});

    LockingHost host(shared.path());
    host.databaseFolder = shared.path();
    host.backupFolder = target.path();
    data::RecordingUserInterface ui;
    std::vector<std::string> archives;
    std::string last = SharedVersion(shared.path());
    for (int i = 0; i < 6; ++i) {
        // Wait for the next push, so that every archive meets another one.
        for (int wait = 0; wait < 400 && SharedVersion(shared.path()) == last; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        last = SharedVersion(shared.path());
        host.now = EncodeDate(2026, 12, 8) + EncodeTime(6, 24, i, 0);
        DatabaseBackup backup(host, ui);
        ASSERT_EQ(backup.BackupDatabase(true), BackupOutcome::Completed) << ui.Status[1];
        archives.push_back(backup.LastArchivePath());
    }
    ::kill(pusher, SIGKILL);
    EXPECT_EQ(tw::testing::WaitExitCode(pusher), -1) << "the pusher stopped on its own (its lock was broken)";

    const std::string script = R"(
import os, sys, tempfile, zipfile
from dbfread import DBF
items = int(sys.argv[1])
seen = set()
for path in sys.argv[2:]:
    folder = tempfile.mkdtemp()
    zipfile.ZipFile(path).extractall(folder)
    versions = set()
    for name in ('ICharts.DBF', 'ITasks.dbf'):
        records = list(DBF(os.path.join(folder, name), char_decode_errors='strict'))
        assert len(records) == items, (path, name, len(records))
        for r in records:
            desc = r['DESC'].strip()
            assert float(r['UPDATE']) == float(desc[1:]), (path, name, r)
            if 'NOTES' in r and r['NOTES']:
                assert r['NOTES'] == 'notes ' + desc, (path, name, r)
            versions.add(desc)
    assert len(versions) == 1, (path, sorted(versions))
    seen |= versions
assert len(seen) >= 2, seen
print(' '.join(sorted(seen)))
)";
    const std::string scriptPath = target.path() + "/check.py";
    WriteFile(scriptPath, script);
    std::string cmd = "/usr/bin/python3 " + scriptPath + " " + std::to_string(items);
    for (const std::string& a : archives)
        cmd += " " + a;
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

}  // namespace
}  // namespace tw::settings::test
