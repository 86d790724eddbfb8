// "Smart restore" of a 50 MB backup into a schedule database that lacks
// 20,000 of its schedule records (expansion, checks, the merge into staged
// copies, the swap), and "Empty database" on the same 50 MB.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "data/layouts/layouts.h"
#include "data/services/userinterface.h"
#include "support/recordinguserinterface.h"
#include "platform/archive/archive.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "settings/emptydatabase.h"
#include "settings/restore.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

constexpr std::uintmax_t kDatabaseBytes = 50ull * 1024 * 1024;
constexpr int kMissingRecords = 20000;

std::uintmax_t FolderSize(const std::string& folder)
{
    std::uintmax_t total = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file())
            total += e.file_size();
    return total;
}

std::string TempFolder(const char* prefix)
{
    std::string pattern = std::string("/tmp/") + prefix + "XXXXXX";
    return ::mkdtemp(pattern.data());
}

// The schedule database with 50 MB of schedule items with notes (the
// backup), and the same without its last 20,000 items (the live database).
struct Databases {
    std::string root, backup, live, archive;
    int items = 0;
    Databases()
    {
        root = TempFolder("twrestorebench");
        backup = root + "/backup";
        live = root + "/live";
        fs::create_directories(backup);
        for (const data::TableLayout& layout : data::Layouts(data::Database::Scheduler))
            db::CreateTable(backup, layout.fileName, layout.fields, layout.indexes, true);
        db::Table t;
        t.setFolder(backup);
        t.setTableName("ICharts.DBF");
        t.open();
        unsigned x = 20261211;
        while (FolderSize(backup) < kDatabaseBytes) {
            db::WriteBatch batch;
            for (int i = 0; i < 1000; ++i) {
                x = x * 1103515245u + 12345u;
                t.append();
                t.fieldByName("CHARTSID").setAsInteger(++items);
                t.fieldByName("DESC").setAsString("Task " + std::to_string(items) + " of job "
                                                  + std::to_string(x % 7919));
                t.fieldByName("HOURS").setAsFloat((x >> 8) % 4000 / 4.0);
                t.fieldByName("NOTES").setAsString("Call " + std::to_string(x % 100000)
                                                   + " before arriving; the key is with the neighbour at "
                                                   + std::to_string((x >> 9) % 300));
                t.post();
            }
            batch.commit();
        }
        t.close();
        archive = root + "/backup.zip";
        std::vector<archive::ArchiveSource> sources;
        for (const std::string& name : archive::ListFolder(backup))
            sources.push_back({name, backup + "/" + name});
        archive::FileOutput out(archive);
        archive::WriteZip(out, sources);
        out.Finish();

        fs::copy(backup, live);
        db::Table l;
        l.setFolder(live);
        l.setTableName("ICharts.DBF");
        l.open();
        db::WriteBatch batch;
        for (l.last(); !l.bof() && l.recordCount() > items - kMissingRecords;) {
            l.deleteRecord();
            l.last();
        }
        batch.commit();
        l.close();
        db::PackTable(live, "ICharts.DBF");
    }
    ~Databases() { fs::remove_all(root); }
};

const Databases& Fixture()
{
    static const Databases d;
    return d;
}

class QuietRestoreHost : public settings::RestoreHost {
public:
    std::string archive, restore, database;
    std::string SelectedBackupFile() const override { return archive; }
    std::string RestoreFolder() const override { return restore; }
    std::string DatabaseFolder() const override { return database; }
    std::string ProgramFolder() const override { return restore; }
    bool SharedTablesUsable() const override { return true; }
    bool Question(const std::string&, const std::string&) override { return true; }
    bool& TablesBusy() override { return busy_; }
    bool busy_ = false;
    void SetBackingUp(bool) override {}
    void CloseAllTables() override {}
    void OpenAllTables() override {}
    bool ConvertChartsTable(const std::string&) override { return false; }
    void PullChartUpdates(bool) override {}
    void ReindexDatabase() override {}
    bool TableUpgraded() const override { return false; }
    void RebuildCrewIndex() override {}
    void ShowRestoredCalendar() override {}
    void RefreshAfterRestore() override {}
    void SetCustomersLabel(const std::string&) override {}
    void CloseMainWindow() override {}
};

void BM_SmartRestore50MB(benchmark::State& state)
{
    const Databases& d = Fixture();
    QuietRestoreHost host;
    host.archive = d.archive;
    host.restore = TempFolder("twrestorefolder");
    host.database = d.root + "/work";
    data::RecordingUserInterface ui;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(host.database);
        fs::copy(d.live, host.database);
        state.ResumeTiming();
        if (settings::SmartRestore(host, ui).RestoreClick() != settings::RestoreOutcome::Completed)
            state.SkipWithError(ui.Messages.empty() ? "failed" : ui.Messages.back().text.c_str());
    }
    state.counters["archive_MB"] = static_cast<double>(fs::file_size(d.archive)) / (1024 * 1024);
    state.counters["database_MB"] = static_cast<double>(FolderSize(host.database)) / (1024 * 1024);
    state.counters["appended"] = kMissingRecords;
    fs::remove_all(host.restore);
    fs::remove_all(host.database);
}
BENCHMARK(BM_SmartRestore50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

class QuietEmptyHost : public settings::EmptyDatabaseHost {
public:
    std::map<std::string, std::unique_ptr<db::Table>> components;
    bool Question(const std::string&, const std::string&) override { return true; }
    bool SharedTablesUsable() const override { return true; }
    db::Table& Component(const std::string& name) override { return *components.at(name); }
    void SetCalendarPanelEnabled(bool) override {}
    void SaveAndClearAllocations(bool) override {}
    bool UpdateAccessRecord(bool) override { return true; }
    void RefreshTables() override {}
    void SetChangeCounter(float) override {}
    void ShowDefaultCalendar() override {}
    void ReindexDatabase() override {}
    void ShowEmptyScreens() override {}
    bool& TablesBusy() override { return busy_; }
    bool busy_ = false;
};

void BM_EmptyDatabase50MB(benchmark::State& state)
{
    const Databases& d = Fixture();
    const std::string work = d.root + "/empty";
    data::RecordingUserInterface ui;
    for (auto _ : state) {
        state.PauseTiming();
        QuietEmptyHost host;
        fs::remove_all(work);
        fs::copy(d.backup, work);
        for (const char* file : {"Charts.DBF", "Tasks.DBF", "printer.dbf"}) {
            const data::TableLayout* layout = data::FindLayout(data::Database::Parameters, file);
            db::CreateTable(work, "w" + std::string(file), layout->fields, layout->indexes, true);
        }
        auto add = [&](const std::string& component, const std::string& file) {
            auto t = std::make_unique<db::Table>();
            t->setFolder(work);
            t->setTableName(file);
            host.components[component] = std::move(t);
        };
        for (const settings::EmptiedTable& t : settings::EmptiedTableList()) {
            const bool program = std::string(t.file) == "Charts.DBF" || std::string(t.file) == "Tasks.DBF"
                || std::string(t.file) == "printer.dbf";
            add(t.component, program ? "w" + std::string(t.file) : t.file);
        }
        add("MyCompanyTable", "mycomp.dbf");
        state.ResumeTiming();
        if (settings::EmptyDatabase(host, ui).EmptyDatabaseClick() != settings::EmptyOutcome::Completed)
            state.SkipWithError(ui.Messages.empty() ? "failed" : ui.Messages.back().text.c_str());
        state.PauseTiming();
        host.components.clear();
        state.ResumeTiming();
    }
    state.counters["database_MB"] = static_cast<double>(FolderSize(d.backup)) / (1024 * 1024);
    state.counters["records"] = d.items;
    fs::remove_all(work);
}
BENCHMARK(BM_EmptyDatabase50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
