// The table engine on a generated Charts.DBF of 100,000 records (the 53 fields
// of the working copy's layout), each operation beside the raw read (or write) of the bytes
// it must touch: the physical floor.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "db/failing_fs.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

using namespace tw::db;

namespace {

constexpr int kRecords = 100000;

std::vector<FieldDef> ChartsFields()
{
    using T = FieldType;
    std::vector<FieldDef> f;
    auto F = [&](const char* n) { f.push_back({n, T::Float, 0, 0}); };
    auto C = [&](const char* n, int w) { f.push_back({n, T::Char, w, 0}); };
    auto L = [&](const char* n) { f.push_back({n, T::Logical, 0, 0}); };
    auto D = [&](const char* n) { f.push_back({n, T::Date, 0, 0}); };
    auto S = [&](const char* n) { f.push_back({n, T::Smallint, 0, 0}); };
    F("CHARTSID");
    F("HOURS");
    F("SD");
    F("ED");
    C("DESC", 80);
    F("COST");
    F("BIDID");
    F("TCOST");
    F("PTR");
    F("OFFSET");
    F("CHILD");
    L("PARENT");
    L("SHOWIT");
    F("ORDER");
    F("PID");
    L("USED");
    F("TID");
    F("CID");
    F("JID");
    D("SDD");
    D("EDD");
    F("CREWID");
    C("TDESC", 80);
    C("CUSTNAME", 80);
    C("JOBNAME", 80);
    F("OSD");
    F("OED");
    F("OHOURS");
    L("JOB");
    C("LISTID", 25);
    C("JLID", 25);
    f.push_back({"NOTES", T::Memo, 0, 0});
    F("UPDATE");
    F("DG");
    F("DGN");
    L("NEW");
    F("PIN");
    F("LINK");
    F("CHAIN");
    F("RESOURCE");
    L("ROOT");
    S("RPERIOD");
    S("RCOUNT");
    F("REPEAT");
    F("CREPEATH");
    for (int i = 1; i <= 7; ++i)
        C(("CFV" + std::to_string(i)).c_str(), 40);
    L("S2");
    return f;
}

struct Fixture {
    std::string folder;
    std::string dbf;
    Fixture()
    {
        char tmpl[] = "/tmp/twbenchXXXXXX";
        folder = ::mkdtemp(tmpl);
        CreateTable(folder, "Charts.DBF", ChartsFields(),
                    {{"DESC", "UPPER(DESC)", false},
                     {"HOURS", "HOURS", false},
                     {"SD", "SD", false},
                     {"ED", "ED", false},
                     {"ORDER", "ORDER", false},
                     {"CUSTNAME", "CUSTNAME", false},
                     {"JOBNAME", "JOBNAME", false}});
        dbf = folder + "/Charts.DBF";
        Table t;
        t.setFolder(folder);
        t.setTableName("Charts.DBF");
        t.open();
        std::mt19937 rng(7);
        Field id = t.fieldByName("CHARTSID"), sd = t.fieldByName("SD"), ed = t.fieldByName("ED"),
              desc = t.fieldByName("DESC"), cust = t.fieldByName("CUSTNAME"), hours = t.fieldByName("HOURS");
        auto batch = std::make_unique<WriteBatch>();
        for (int i = 0; i < kRecords; ++i) {
            if (i % 5000 == 0)
                batch = std::make_unique<WriteBatch>();  // commits the one before
            t.append();
            id.setAsFloat(1000000 + i);
            double start = 46000 + (rng() % 20000) / 96.0;
            sd.setAsFloat(start);
            ed.setAsFloat(start + (rng() % 64) / 96.0);
            hours.setAsFloat((rng() % 64) / 4.0);
            desc.setAsString("Task " + std::to_string(i));
            cust.setAsString("Customer " + std::to_string(rng() % 500));
            t.post();
        }
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Data()
{
    static Fixture f;
    return f;
}

void OpenCharts(Table& t)
{
    t.setFolder(Data().folder);
    t.setTableName("charts");
    t.open();
}

std::size_t RawRead(const std::string& path, std::size_t limit)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buf(1 << 20);
    std::size_t total = 0;
    while (total < limit) {
        ssize_t n = ::pread(fd, buf.data(), std::min(buf.size(), limit - total), static_cast<off_t>(total));
        if (n <= 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return total;
}

void BM_RawReadWholeFile(benchmark::State& s)
{
    auto& d = Data();
    for (auto _ : s)
        benchmark::DoNotOptimize(RawRead(d.dbf, SIZE_MAX));
    s.SetBytesProcessed(static_cast<std::int64_t>(s.iterations() * std::filesystem::file_size(d.dbf)));
}
BENCHMARK(BM_RawReadWholeFile)->Unit(benchmark::kMillisecond);

void BM_FullScanTwoNumbers(benchmark::State& s)
{
    Table t;
    OpenCharts(t);
    Field sd = t.fieldByName("SD"), ed = t.fieldByName("ED");
    for (auto _ : s) {
        t.refresh();
        double sum = 0;
        long n = 0;
        for (t.first(); !t.eof(); t.next()) {
            sum += ed.asFloat() - sd.asFloat();
            ++n;
        }
        benchmark::DoNotOptimize(sum);
        if (n != t.recordCount())
            s.SkipWithError("scan count mismatch");
    }
    s.SetBytesProcessed(static_cast<std::int64_t>(s.iterations() * std::filesystem::file_size(Data().dbf)));
}
BENCHMARK(BM_FullScanTwoNumbers)->Unit(benchmark::kMillisecond);

void BM_RawReadHeader(benchmark::State& s)
{
    auto& d = Data();
    int fd = ::open(d.dbf.c_str(), O_RDONLY);
    char buf[32];
    for (auto _ : s)
        benchmark::DoNotOptimize(::pread(fd, buf, sizeof buf, 0));
    ::close(fd);
}
BENCHMARK(BM_RawReadHeader);

void BM_RawOpenReadHeaderClose(benchmark::State& s)
{
    auto& d = Data();
    char buf[2048];
    for (auto _ : s) {
        int fd = ::open(d.dbf.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::pread(fd, buf, sizeof buf, 0));
        ::close(fd);
    }
}
BENCHMARK(BM_RawOpenReadHeaderClose);

void BM_Open(benchmark::State& s)
{
    auto& d = Data();
    for (auto _ : s) {
        Table t;
        t.setFolder(d.folder);
        t.setTableName("charts");
        t.open();
        benchmark::DoNotOptimize(t.eof());
    }
}
BENCHMARK(BM_Open);

void BM_RefreshUnchanged(benchmark::State& s)
{
    Table t;
    OpenCharts(t);
    for (auto _ : s)
        t.refresh();
}
BENCHMARK(BM_RefreshUnchanged);

void BM_LocateByKey(benchmark::State& s)
{
    Table t;
    OpenCharts(t);
    t.locate("CHARTSID", Value(1000000.0));  // builds the key map once
    std::mt19937 rng(1);
    const long range = s.range(0);
    for (auto _ : s) {
        double key = 1000000.0 + static_cast<double>(rng() % range);
        if (!t.locate("CHARTSID", Value(key)))
            s.SkipWithError("key not found");
    }
}
// The floor of a locate that misses the record cache: one record read.
void BM_RawReadOneRandomRecord(benchmark::State& s)
{
    auto& d = Data();
    int fd = ::open(d.dbf.c_str(), O_RDONLY);
    std::vector<char> buf(1500);
    std::mt19937 rng(1);
    for (auto _ : s)
        benchmark::DoNotOptimize(
            ::pread(fd, buf.data(), buf.size(), static_cast<off_t>(2000 + (rng() % kRecords) * 1400)));
    ::close(fd);
}
BENCHMARK(BM_RawReadOneRandomRecord);

// Keys drawn from the first 1,000 or from all 100,000 records: no scan either
// way; the larger range only misses the record cache more often.
BENCHMARK(BM_LocateByKey)->Arg(1000)->Arg(kRecords);

void BM_RawWrite1000Records(benchmark::State& s)
{
    auto& d = Data();
    const std::string path = d.folder + "/raw.bin";
    std::vector<char> rec(1500, ' ');
    for (auto _ : s) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(::pwrite(fd, rec.data(), rec.size(), static_cast<off_t>(i) * 1500));
        ::close(fd);
    }
}
BENCHMARK(BM_RawWrite1000Records)->Unit(benchmark::kMillisecond);

// 1,000 appends, one post each; with a batch, as the appends of one
// operation (one journal, one flush).
void Append1000(benchmark::State& s, bool batched, double next)
{
    Table t;
    OpenCharts(t);
    Field id = t.fieldByName("CHARTSID"), desc = t.fieldByName("DESC"), sd = t.fieldByName("SD");
    for (auto _ : s) {
        std::unique_ptr<WriteBatch> batch;
        if (batched)
            batch = std::make_unique<WriteBatch>();
        for (int i = 0; i < 1000; ++i) {
            t.append();
            id.setAsFloat(next++);
            desc.setAsString("Appended");
            sd.setAsFloat(46000.5);
            t.post();
        }
        if (batch)
            batch->commit();
    }
}

void BM_Append1000(benchmark::State& s)
{
    Append1000(s, false, 5000000);
}
BENCHMARK(BM_Append1000)->Unit(benchmark::kMillisecond);

// Durable writes: every post is on disk (and whole) when it returns. The
// floor is the raw write of the same bytes followed by fdatasync.
constexpr std::size_t kChartsRecord = 1235;

void RawDurableWrites(benchmark::State& s, int records, bool flushEach)
{
    auto& d = Data();
    const std::string path = d.folder + "/raw.bin";
    std::vector<char> rec(kChartsRecord, ' ');
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int i = 0; i < records; ++i)
        benchmark::DoNotOptimize(::pwrite(fd, rec.data(), rec.size(), static_cast<off_t>(i) * kChartsRecord));
    ::fdatasync(fd);
    int at = 0;
    for (auto _ : s) {
        for (int i = 0; i < records; ++i) {
            benchmark::DoNotOptimize(
                ::pwrite(fd, rec.data(), rec.size(), static_cast<off_t>(at++ % 4096) * kChartsRecord));
            if (flushEach)
                ::fdatasync(fd);
        }
        if (!flushEach)
            ::fdatasync(fd);
    }
    ::close(fd);
}

void BM_RawDurableWriteOneRecord(benchmark::State& s)
{
    RawDurableWrites(s, 1, true);
}
BENCHMARK(BM_RawDurableWriteOneRecord)->Unit(benchmark::kMicrosecond);

void BM_EditOneRecord(benchmark::State& s)
{
    Table t;
    OpenCharts(t);
    Field sd = t.fieldByName("SD");
    std::mt19937 rng(3);
    double v = 46000;
    for (auto _ : s) {
        t.locate("CHARTSID", std::vector<Value>{1000000.0 + rng() % kRecords});
        t.edit();
        sd.setAsFloat(v += 0.25);
        t.post();
    }
}
BENCHMARK(BM_EditOneRecord)->Unit(benchmark::kMicrosecond);

void BM_RawDurableWrite1000RecordsEach(benchmark::State& s)
{
    RawDurableWrites(s, 1000, true);
}
BENCHMARK(BM_RawDurableWrite1000RecordsEach)->Unit(benchmark::kMillisecond);

void BM_RawDurableWrite1000RecordsOnce(benchmark::State& s)
{
    RawDurableWrites(s, 1000, false);
}
BENCHMARK(BM_RawDurableWrite1000RecordsOnce)->Unit(benchmark::kMillisecond);

void BM_Append1000InOneBatch(benchmark::State& s)
{
    Append1000(s, true, 7000000);
}
BENCHMARK(BM_Append1000InOneBatch)->Unit(benchmark::kMillisecond);

// The same 1,000 appends in one batch, half to each of two tables: one write
// over both (two journals and a batch journal).
void BM_Append1000InOneBatchOverTwoTables(benchmark::State& s)
{
    auto& d = Data();
    if (!TableExists(d.folder, "Charts2.DBF"))
        CreateTable(d.folder, "Charts2.DBF", ChartsFields());
    Table a, b;
    OpenCharts(a);
    b.setFolder(d.folder);
    b.setTableName("Charts2.DBF");
    b.open();
    double next = 9000000;
    for (auto _ : s) {
        WriteBatch batch;
        for (int i = 0; i < 1000; ++i) {
            Table& t = i % 2 ? b : a;
            t.append();
            t.fieldByName("CHARTSID").setAsFloat(next++);
            t.fieldByName("DESC").setAsString("Appended");
            t.post();
        }
        batch.commit();
    }
}
BENCHMARK(BM_Append1000InOneBatchOverTwoTables)->Unit(benchmark::kMillisecond);

// A read-only scan of 2,000 records, with no journal pending and through the
// journal of an edit of 200 records that a killed writer left.
void ScanSmall(benchmark::State& s, bool pending)
{
    auto& d = Data();
    const std::string name = pending ? "Pending.DBF" : "Clean.DBF";
    const std::string dbf = d.folder + "/" + name;
    if (!TableExists(d.folder, name)) {
        CreateTable(d.folder, name, ChartsFields());
        Table t;
        t.setFolder(d.folder);
        t.setTableName(name);
        t.open();
        WriteBatch batch;
        for (int i = 0; i < 2000; ++i) {
            t.append();
            t.fieldByName("CHARTSID").setAsFloat(i);
            t.post();
        }
        batch.commit();
        if (pending) {
            // The writer dies once its journal is on disk.
            tw::db::test::FailingFs dying;
            dying.dieAt = [&](const std::string& p) { return p == dbf; };
            SetFileSystem(&dying);
            try {
                WriteBatch edits;
                for (t.first(); !t.eof() && t.recNo() <= 200; t.next()) {
                    t.edit();
                    t.fieldByName("HOURS").setAsFloat(8);
                    t.post();
                }
                edits.commit();
            } catch (const DbError&) {
            }
            SetFileSystem(nullptr);
        }
    }
    tw::db::test::FailingFs readOnlyMount;
    readOnlyMount.readOnly = true;
    SetFileSystem(&readOnlyMount);
    Table t;
    t.setFolder(d.folder);
    t.setTableName(name);
    t.setReadOnly(true);
    t.open();
    Field hours = t.fieldByName("HOURS");
    for (auto _ : s) {
        double sum = 0;
        for (t.first(); !t.eof(); t.next())
            sum += hours.asFloat();
        if (pending && sum != 1600)
            s.SkipWithError("the scan did not read through the journal");
        t.refresh();
    }
    t.close();
    SetFileSystem(nullptr);
}

void BM_ScanReadOnly(benchmark::State& s)
{
    ScanSmall(s, false);
}
BENCHMARK(BM_ScanReadOnly)->Unit(benchmark::kMicrosecond);

void BM_ScanReadOnlyThroughPendingJournal(benchmark::State& s)
{
    ScanSmall(s, true);
}
BENCHMARK(BM_ScanReadOnlyThroughPendingJournal)->Unit(benchmark::kMicrosecond);

}  // namespace
