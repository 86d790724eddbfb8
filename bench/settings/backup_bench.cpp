// "Backup all data" and the backup at exit of a 50 MB schedule database (every table in its layout,
// the shared schedule filled with 50 MB of items with notes): the tables taken
// through the engine, compressed, written, flushed and read back whole.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "data/layouts/layouts.h"
#include "data/services/userinterface.h"
#include "support/recordinguserinterface.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "settings/databasebackup.h"
#include "settings/exitbackup.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

constexpr std::uintmax_t kDatabaseBytes = 50ull * 1024 * 1024;

class QuietHost : public settings::BackupHost {
public:
    std::string folder, database;
    std::string BackupFolder() const override { return folder; }
    std::string DatabaseFolder() const override { return database; }
    std::string DatabaseName() const override { return "TWBench"; }
    TDateTime Now() const override { return EncodeDate(2026, 12, 8) + EncodeTime(6, 24, 6, 0); }
    void StoreBackupFolder(const std::string&) override {}
    void PushChartUpdates() override {}
    void CloseAllTables() override {}
    void OpenAllTables() override {}
    bool TakeNetworkLock(int) override { return true; }
    void ReleaseNetworkLock() override {}
    bool& TablesBusy() override { return busy_; }
    bool busy_ = false;
    void SetBackingUp(bool) override {}
    void RefreshBackupView() override {}
    void CloseMainWindow() override {}
};

std::uintmax_t FolderSize(const std::string& folder)
{
    std::uintmax_t total = 0;
    for (const auto& e : fs::directory_iterator(folder))
        total += e.file_size();
    return total;
}

struct Scratch {
    std::string folder;
    ~Scratch() { fs::remove_all(folder); }
};

// Made once per run: varied texts, so that deflate has real work to do.
const std::string& Database()
{
    static const Scratch scratch{[] {
        char pattern[] = "/tmp/twbackupbenchXXXXXX";
        const std::string f = ::mkdtemp(pattern);
        for (const data::TableLayout& layout : data::Layouts(data::Database::Scheduler))
            db::CreateTable(f, layout.fileName, layout.fields, layout.indexes, true);
        db::Table t;
        t.setFolder(f);
        t.setTableName("ICharts.DBF");
        t.open();
        unsigned x = 20261208;
        for (int key = 1; FolderSize(f) < kDatabaseBytes;) {
            db::WriteBatch batch;
            for (int i = 0; i < 1000; ++i, ++key) {
                x = x * 1103515245u + 12345u;
                t.append();
                t.fieldByName("CHARTSID").setAsInteger(key);
                t.fieldByName("DESC").setAsString("Job " + std::to_string(x % 9973) + " task "
                                                  + std::to_string(key));
                t.fieldByName("HOURS").setAsFloat((x >> 8) % 4000 / 4.0);
                t.fieldByName("SD").setAsFloat(46000 + (x >> 4) % 900 + ((x >> 12) % 96) / 96.0);
                t.fieldByName("NOTES").setAsString("Customer asked for a call " + std::to_string(x % 100000)
                                                   + " before the crew arrives; gate code "
                                                   + std::to_string((x >> 7) % 10000));
                t.post();
            }
            batch.commit();
        }
        t.close();
        return f;
    }()};
    return scratch.folder;
}

// One backup of the benchmark database per iteration, into a folder of its
// own; backup(host, ui) makes it and returns its outcome.
template <typename Backup>
void BackupEachIteration(benchmark::State& state, Backup backup)
{
    locale::PinLocale("en_US");
    QuietHost host;
    host.database = Database();
    char pattern[] = "/tmp/twbackuptargetXXXXXX";
    host.folder = ::mkdtemp(pattern);
    data::RecordingUserInterface ui;
    for (auto _ : state) {
        if (backup(host, ui) != settings::BackupOutcome::Completed)
            state.SkipWithError(ui.Status[1].c_str());
    }
    state.counters["database_MB"] = static_cast<double>(FolderSize(host.database)) / (1024 * 1024);
    for (const auto& e : fs::directory_iterator(host.folder))
        state.counters["archive_MB"] = static_cast<double>(e.file_size()) / (1024 * 1024);
    fs::remove_all(host.folder);
}

void BM_BackupAllData50MB(benchmark::State& state)
{
    BackupEachIteration(state, [](QuietHost& host, data::UserInterface& ui) {
        return settings::DatabaseBackup(host, ui).BackupDatabase(false);
    });
}
BENCHMARK(BM_BackupAllData50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The window of the backup at exit, answering at once and never skipped.
class QuietWindow : public settings::ExitBackupView {
public:
    void ShowWindow(const std::string&) override {}
    void ShowProgress(const std::string&, int, int) override {}
    void ShowNote(const std::string&) override {}
    bool Wait(int) override { return false; }
    void CloseWindow() override {}
};

void BM_BackupAtExit50MB(benchmark::State& state)
{
    BackupEachIteration(state, [](QuietHost& host, data::UserInterface& ui) {
        QuietWindow window;
        return *settings::ExitBackup(host, ui, window).Run(false);
    });
}
BENCHMARK(BM_BackupAtExit50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
