// Helper program for the table engine's multi-process, crash and
// interoperability checks. Modes:
//   append <folder> <table> <writer> <count>     appends and edits records
//   tas <folder> <table> <id> <rounds> <log>      test-and-set lock race
//   crash <folder> <table> <progress> <start>     appends until killed
//   interop-write <folder>                        writes INTEROP.dbf + expected.json
//   dump <folder> <table>                         prints records as JSON lines
//   big-crash <folder> <table> <progress> <seed>  edits, appends, deletes,
//                                                 batches, packs and sorts
//                                                 records of ~4 KB until killed
//   churn <folder> <table> <millis>               edits records of ~4 KB
//   step-kill <folder> <what> <step> <tear>       one write (edit, append, batch
//                                                 or batch2: over two tables)
//                                                 of the big tables, killed at
//                                                 its step-th I/O step
// Built a second time with Qt (tw_db_locale_tool), it has one more mode:
//   locale-write <folder> <locale>                interop-write in a process
//                                                 started under the locale,
//                                                 QApplication constructed
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <clocale>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"

#include "../failing_fs.h"

#ifdef TW_DB_TOOL_QT
#include <QApplication>
#endif

using namespace tw::db;

namespace {

void WriteAll(int fd, const std::string& s)
{
    const char* p = s.data();
    std::size_t n = s.size();
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w <= 0)
            std::exit(3);
        p += w;
        n -= static_cast<std::size_t>(w);
    }
}

std::string JsonText(const std::string& s)
{
    std::string o = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            o += '\\';
            o += static_cast<char>(c);
        } else if (c == '\n')
            o += "\\n";
        else if (c == '\r')
            o += "\\r";
        else if (c < 0x20) {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04x", c);
            o += b;
        } else
            o += static_cast<char>(c);
    }
    return o + "\"";
}

// Numbers for the JSON files the checks read: never in the C locale's words.
std::string Number(double v, int decimals = -1)
{
    char b[64];
    const auto r = decimals < 0 ? std::to_chars(b, b + sizeof b, v, std::chars_format::general, 10)
                                : std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, decimals);
    return std::string(b, r.ptr);
}

std::string Iso(double days)
{
    tw::DateFields d = tw::DecodeDate(days);
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.year, d.month, d.day);
    return b;
}

int Append(const std::string& folder, const std::string& table, int writer, int count)
{
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.open();
    for (int i = 0; i < count; ++i) {
        t.append();
        t.fieldByName("ID").setAsFloat(writer * 100000.0 + i);
        t.fieldByName("WRITER").setAsInteger(writer);
        t.fieldByName("SEQ").setAsFloat(i);
        t.fieldByName("EDITS").setAsFloat(0);
        t.fieldByName("NOTE").setAsString("note " + std::to_string(writer) + " " + std::to_string(i));
        t.post();
        if (i % 5 == 4) {
            // Edit an earlier record of this writer (others may edit nearby ones).
            t.refresh();
            if (!t.locate("ID", Value(writer * 100000.0 + (i - 2))))
                return 4;
            for (;;) {
                try {
                    t.edit();
                    break;
                } catch (const DbError& e) {
                    if (e.code() != ErrorCode::Locked)
                        throw;
                    ::usleep(100);
                }
            }
            t.fieldByName("EDITS").setAsFloat(t.fieldByName("EDITS").asFloat() + 1);
            t.post();
        }
    }
    return 0;
}

int Tas(const std::string& folder, const std::string& table, int id, int rounds, const std::string& log)
{
    int fd = ::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return 5;
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.open();
    for (int i = 0; i < rounds; ++i) {
        for (;;) {
            t.first();
            bool got = t.testAndSet([&](Table& x) {
                if (x.fieldByName("USE").asBoolean())
                    return false;
                x.fieldByName("USE").setAsBoolean(true);
                x.fieldByName("OWNER").setAsInteger(id);
                x.fieldByName("COUNT").setAsFloat(x.fieldByName("COUNT").asFloat() + 1);
                return true;
            });
            if (got)
                break;
            ::usleep(50);
        }
        WriteAll(fd, "E " + std::to_string(id) + "\n");
        ::usleep(300);
        WriteAll(fd, "L " + std::to_string(id) + "\n");
        t.first();
        t.testAndSet([&](Table& x) {
            x.fieldByName("USE").setAsBoolean(false);
            x.fieldByName("OWNER").setAsInteger(0);
            return true;
        });
    }
    ::close(fd);
    return 0;
}

int Crash(const std::string& folder, const std::string& table, const std::string& progress, long start)
{
    int fd = ::open(progress.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return 5;
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.open();
    for (long i = start;; ++i) {
        t.append();
        t.fieldByName("ID").setAsFloat(static_cast<double>(i));
        t.fieldByName("WRITER").setAsInteger(1);
        t.fieldByName("SEQ").setAsFloat(static_cast<double>(i));
        t.fieldByName("EDITS").setAsFloat(0);
        t.fieldByName("NOTE").setAsString(std::string(static_cast<std::size_t>(i % 700), 'x') + "#"
                                          + std::to_string(i));
        t.post();
        WriteAll(fd, std::to_string(i) + "\n");
        if (i % 3 == 0) {
            t.edit();
            t.fieldByName("EDITS").setAsFloat(1);
            t.fieldByName("NOTE").setAsString("edited #" + std::to_string(i));
            t.post();
            WriteAll(fd, "e" + std::to_string(i) + "\n");
        }
    }
}

int InteropWrite(const std::string& folder)
{
    std::vector<FieldDef> fields = {
        {"NAME", FieldType::Char, 30, 0},   {"AMOUNT", FieldType::Float, 0, 0},
        {"QTY", FieldType::Smallint, 0, 0}, {"DAY", FieldType::Date, 0, 0},
        {"OK", FieldType::Logical, 0, 0},   {"NOTES", FieldType::Memo, 0, 0},
        {"KEY", FieldType::Float, 0, 0},
    };
    CreateTable(folder, "INTEROP", fields, {{"NAME", "UPPER(NAME)", false}}, true);
    Table t;
    t.setFolder(folder);
    t.setTableName("interop");
    t.open();
    struct Row {
        const char* name;
        double amount;
        int qty;
        int y, m, d;
        int ok;  // -1 blank
        const char* notes;
        double key;
    };
    const Row rows[] = {
        {"Alpha", 1234.5678, 12, 2026, 12, 1, 1, "First memo\r\nwith two lines", 4294967295.0},
        {"beta", -0.25, -7, 1999, 2, 28, 0, "", 1.0},
        {"", 0, 0, 0, 0, 0, -1,
         "A longer memo "
         "that spans more than one block of the memo file. ",
         2147483647.0},
        {"Gamma delta", 46000.0104166667, 32767, 2000, 2, 29, 1, "short", 12345.0},
    };
    std::string json = "[\n";
    bool firstRow = true;
    for (const Row& r : rows) {
        std::string notes = r.notes;
        if (notes.rfind("A longer memo", 0) == 0)
            for (int i = 0; i < 30; ++i)
                notes += "Line " + std::to_string(i) + " of the long memo. ";
        t.append();
        if (*r.name)
            t.fieldByName("NAME").setAsString(r.name);
        t.fieldByName("AMOUNT").setAsFloat(r.amount);
        t.fieldByName("QTY").setAsInteger(r.qty);
        if (r.y)
            t.fieldByName("DAY").setAsDateTime(tw::EncodeDate(r.y, r.m, r.d));
        if (r.ok >= 0)
            t.fieldByName("OK").setAsBoolean(r.ok == 1);
        if (!notes.empty())
            t.fieldByName("NOTES").setAsString(notes);
        t.fieldByName("KEY").setAsFloat(r.key);
        t.post();
        const std::string amount = Number(r.amount, 8), key = Number(r.key, 0);
        json += std::string(firstRow ? "" : ",\n") + "{\"NAME\": " + JsonText(r.name)
            + ", \"AMOUNT\": " + amount + ", \"QTY\": " + std::to_string(r.qty)
            + ", \"DAY\": " + (r.y ? JsonText(Iso(tw::EncodeDate(r.y, r.m, r.d))) : "null") + ", \"OK\": "
            + (r.ok == 1 ? "true" : "false") + ", \"NOTES\": " + JsonText(notes) + ", \"KEY\": " + key + "}";
        firstRow = false;
    }
    json += "\n]\n";
    FILE* f = std::fopen((folder + "/expected.json").c_str(), "w");
    if (!f)
        return 6;
    std::fputs(json.c_str(), f);
    std::fclose(f);
    return 0;
}

#ifdef TW_DB_TOOL_QT
// As the program starts: the locale from the environment, then QApplication,
// which sets the C library's locale from it.
int LocaleWrite(int argc, char** argv)
{
    ::setenv("LC_ALL", argv[3], 1);
    ::setenv("LANG", argv[3], 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qargc = 1;
    QApplication app(qargc, argv);
    (void)argc;
    if (std::string(std::localeconv()->decimal_point) != ",")
        return 7;  // the locale is not in effect: the check would prove nothing
    if (const int rc = InteropWrite(argv[2]))
        return rc;
    Table t;
    t.setFolder(argv[2]);
    t.setTableName("interop");
    t.setReadOnly(true);
    t.open();
    t.first();
    if (t.fieldByName("AMOUNT").asFloat() != 1234.5678 || t.fieldByName("AMOUNT").asString() != "1234.5678")
        return 8;
    return 0;
}
#endif

int Dump(const std::string& folder, const std::string& table)
{
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.setReadOnly(true);
    t.open();
    for (t.first(); !t.eof(); t.next()) {
        std::string line = "{";
        for (int i = 0; i < t.fieldCount(); ++i) {
            Field f = t.field(i);
            line += (i ? ", " : "") + JsonText(f.name()) + ": ";
            Value v = f.value();
            if (std::holds_alternative<std::monostate>(v)) {
                line += f.type() == FieldType::Logical ? "false" : "null";
            } else if (auto* s = std::get_if<std::string>(&v)) {
                line += JsonText(*s);
            } else if (auto* d = std::get_if<double>(&v)) {
                line += Number(*d);
            } else if (auto* b = std::get_if<bool>(&v)) {
                line += *b ? "true" : "false";
            } else if (auto* dv = std::get_if<DateValue>(&v)) {
                line += JsonText(Iso(dv->days));
            } else if (auto* by = std::get_if<Bytes>(&v)) {
                line += JsonText(std::string(by->begin(), by->end()));
            }
        }
        std::cout << line << "}\n";
    }
    return 0;
}

// Records of the "big" table (see BigFields in the tests) hold one version
// in every one of their sixteen 250-byte texts, so that a record that is half
// one version and half another shows.
std::string BigText(long version)
{
    return std::string(250, static_cast<char>('A' + version % 26));
}

void SetBigVersion(Table& t, long version)
{
    t.fieldByName("VER").setAsFloat(static_cast<double>(version));
    for (int i = 1; i <= 16; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "P%02d", i);
        t.fieldByName(name).setAsString(BigText(version));
    }
}

// Moves to a random visible record; false when there is none.
bool PickRecord(Table& t, std::mt19937& rng)
{
    const auto n = t.recordCount();
    if (n <= 0)
        return false;
    t.first();
    for (auto k = rng() % static_cast<unsigned>(n); k > 0 && !t.eof(); --k)
        t.next();
    return !t.eof();
}

long EditBig(Table& t)
{
    const long v = t.fieldByName("VER").asInteger() + 1;
    t.edit();
    SetBigVersion(t, v);
    t.post();
    return v;
}

int BigCrash(const std::string& folder, const std::string& table, const std::string& progress, unsigned seed)
{
    int fd = ::open(progress.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return 5;
    std::mt19937 rng(seed);
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.open();
    long nextId = 1;
    for (t.first(); !t.eof(); t.next())
        nextId = std::max<long>(nextId, t.fieldByName("ID").asInteger() + 1);
    for (;;) {
        const unsigned r = rng() % 100;
        if (r < 3) {
            t.close();
            PackTable(folder, table);
            t.open();
        } else if (r < 5) {
            t.close();
            SortTable(folder, table, {2});
            t.open();
        } else if (r < 20 || t.recordCount() < 5) {
            if (t.recordCount() >= 120)
                continue;
            const long id = nextId++;
            t.append();
            t.fieldByName("ID").setAsFloat(static_cast<double>(id));
            SetBigVersion(t, 0);
            t.post();
            WriteAll(fd, "a " + std::to_string(id) + " 0\n");
        } else if (r < 26) {
            if (!PickRecord(t, rng))
                continue;
            const long id = t.fieldByName("ID").asInteger();
            WriteAll(fd, "D " + std::to_string(id) + "\n");  // may be done without being acknowledged
            t.deleteRecord();
            WriteAll(fd, "d " + std::to_string(id) + "\n");
        } else if (r < 40) {
            // A push: many records, one journal.
            std::string done;
            WriteBatch batch;
            for (int k = 0; k < 15; ++k) {
                if (!PickRecord(t, rng))
                    break;
                const long id = t.fieldByName("ID").asInteger();
                done += "e " + std::to_string(id) + " " + std::to_string(EditBig(t)) + "\n";
            }
            batch.commit();
            WriteAll(fd, done);
        } else {
            if (!PickRecord(t, rng))
                continue;
            const long id = t.fieldByName("ID").asInteger();
            WriteAll(fd, "e " + std::to_string(id) + " " + std::to_string(EditBig(t)) + "\n");
        }
    }
}

int Churn(const std::string& folder, const std::string& table, long millis)
{
    std::mt19937 rng(7);
    Table t;
    t.setFolder(folder);
    t.setTableName(table);
    t.open();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    while (std::chrono::steady_clock::now() < end) {
        if (rng() % 2 == 0) {
            // Every record in one batch: long runs of writes for a reader to
            // run into.
            WriteBatch batch;
            for (t.first(); !t.eof(); t.next())
                EditBig(t);
        } else if (PickRecord(t, rng)) {
            EditBig(t);
        }
    }
    return 0;
}

// Every record of the big tables to the next version, in one write: what
// "batch" and "batch2" do; "edit" moves record 2 alone, "append" adds one.
int StepKill(const std::string& folder, const std::string& what, int step, bool tear)
{
    tw::db::test::FailingFs killing;
    killing.exitAtStep = step;
    killing.tearAtExit = tear;
    SetFileSystem(&killing);
    Table big, big2;
    big.setFolder(folder);
    big.setTableName("big");
    big.open();
    if (what == "edit") {
        big.first();
        big.next();
        EditBig(big);
    } else if (what == "append") {
        big.append();
        big.fieldByName("ID").setAsFloat(99);
        SetBigVersion(big, 1);
        big.post();
    } else {
        WriteBatch batch;
        for (big.first(); !big.eof(); big.next())
            EditBig(big);
        big.append();
        big.fieldByName("ID").setAsFloat(99);
        SetBigVersion(big, 1);
        big.post();
        if (what == "batch2") {
            big2.setFolder(folder);
            big2.setTableName("big2");
            big2.open();
            for (big2.first(); !big2.eof(); big2.next())
                EditBig(big2);
        }
        batch.commit();
    }
    SetFileSystem(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "append" && argc == 6)
            return Append(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
        if (mode == "tas" && argc == 7)
            return Tas(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]), argv[6]);
        if (mode == "crash" && argc == 6)
            return Crash(argv[2], argv[3], argv[4], std::atol(argv[5]));
#ifdef TW_DB_TOOL_QT
        if (mode == "locale-write" && argc == 4)
            return LocaleWrite(argc, argv);
#endif
        if (mode == "interop-write" && argc == 3)
            return InteropWrite(argv[2]);
        if (mode == "dump" && argc == 4)
            return Dump(argv[2], argv[3]);
        if (mode == "big-crash" && argc == 6)
            return BigCrash(argv[2], argv[3], argv[4], static_cast<unsigned>(std::atol(argv[5])));
        if (mode == "step-kill" && argc == 6)
            return StepKill(argv[2], argv[3], std::atoi(argv[4]), std::string(argv[5]) == "tear");
        if (mode == "churn" && argc == 5)
            return Churn(argv[2], argv[3], std::atol(argv[4]));
        std::cerr << "usage: tw_db_tool append|tas|crash|interop-write|dump|big-crash|churn|step-kill ...\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tw_db_tool: " << e.what() << "\n";
        return 1;
    }
}
