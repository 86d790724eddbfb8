// Journals with a valid checksum but contents this program never writes:
// each is reported as damage naming the table, nothing of it reaches the
// table, and it is dropped so that the table opens again.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "cutoff_util.h"
#include "platform/db/record_journal.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

namespace {

void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Offsets in a record journal of a write of one table: the new header, the
// first write's offset.
constexpr std::size_t kNewHeader = 64;
constexpr std::size_t kFirstWrite = 128;

void ExpectRefused(const std::string& folder, const std::string& dbf, const std::string& why)
{
    const auto before = ReadBytes(dbf);
    const auto size = fs::file_size(dbf);
    Table t;
    try {
        OpenTable(t, folder, "big");
        ADD_FAILURE() << "applied without a word";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::CorruptFile);
        EXPECT_NE(std::string(e.what()).find(dbf), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
    }
    EXPECT_EQ(fs::file_size(dbf), size);
    EXPECT_EQ(ReadBytes(dbf), before);
    EXPECT_NO_THROW(OpenTable(t, folder, "big")) << "the journal was not dropped";
}

}  // namespace

TEST(CraftedJournals, AJournalThatCannotBeTrustedIsReportedAndDropped)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> craft;
        const char* why;
    };
    const Case cases[] = {
        {"count set to 0", [](auto& j) { Put(j, kNewHeader + 4, 0, 4); }, "not one this program writes"},
        {"count set to 2^28", [](auto& j) { Put(j, kNewHeader + 4, 1u << 28, 4); }, "counts records"},
        {"version byte", [](auto& j) { j[kNewHeader] ^= 0x80; }, "header does not match"},
        {"byte 28 (.mdx flag)", [](auto& j) { j[kNewHeader + 28] = 1; }, "header does not match"},
        {"byte 29 (language)", [](auto& j) { j[kNewHeader + 29] ^= 1; }, "header does not match"},
        {"offset that wraps", [](auto& j) { Put(j, kFirstWrite, ~0ULL - 100, 8); }, "outside the table"},
        {"offset inside the header", [](auto& j) { Put(j, kFirstWrite, 8, 8); }, "outside the table"},
        {"length past the records", [](auto& j) { Put(j, kFirstWrite + 8, 1u << 30, 4); }, "damaged"},
        {"more writes than it holds", [](auto& j) { Put(j, 24, 5, 4); }, "damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CutOffEdit e;
        auto j = ReadBytes(e.cut.file("big.twr"));
        c.craft(j);
        detail::SealRecordJournal(j);
        WriteBytes(e.cut.file("big.twr"), j);
        ExpectRefused(e.cut.path(), e.dbf(), c.why);
    }
}

TEST(CraftedJournals, AnAppendJournalOfAnotherTableIsNotApplied)
{
    // Two tables alike in layout, count and change counter, not in records.
    TempDir a, b;
    for (const auto* d : {&a, &b}) {
        CreateTable(d->path(), "big", BigFields());
        Table t;
        OpenTable(t, d->path(), "big");
        FillBig(t, d == &a ? 2 : 1);
        if (d == &b) {
            t.append();
            t.fieldByName("ID").setAsFloat(7);
            t.fieldByName("VER").setAsFloat(0);
            t.post();
        }
    }
    ASSERT_EQ(HeaderWord(a.file("big.dbf"), 16), HeaderWord(b.file("big.dbf"), 16));
    // An append to a, cut off once its journal is on disk.
    FailingFs failing;
    failing.dieAt = [&](const std::string& p) { return p == a.file("big.dbf"); };
    SetFileSystem(&failing);
    {
        Table t;
        OpenTable(t, a.path(), "big");
        t.append();
        t.fieldByName("ID").setAsFloat(3);
        EXPECT_THROW(t.post(), DbError);
        t.cancel();
    }
    SetFileSystem(nullptr);
    fs::copy_file(a.file("big.twr"), b.file("big.twr"), fs::copy_options::overwrite_existing);
    ExpectRefused(b.path(), b.file("big.dbf"), "another table");
    Table t;
    OpenTable(t, b.path(), "big");
    EXPECT_EQ(t.recordCount(), 2);
}

TEST(CraftedJournals, ADamagedJournalOverATornTableIsReported)
{
    CutOffEdit e;
    e.tear(e.offset, (e.offset / 512 + 2) * 512);
    auto j = ReadBytes(e.cut.file("big.twr"));
    j[j.size() - 100] ^= 0x55;  // in the record's new bytes: the checksum no longer holds
    WriteBytes(e.cut.file("big.twr"), j);
    ExpectRefused(e.cut.path(), e.dbf(), "damaged although the write had begun");
}

namespace {

// What reaches the disk of a write whose journal was whole and armed and
// whose record was torn at a sector boundary (the kill came in the record
// write), and of one whose journal was whole but never armed (the kill came
// before its magic was written).
struct TornWrite {
    std::vector<std::uint8_t> dbf, journal;
    std::string torn;  // python3-dbfread's reading of the torn table
    TornWrite()
    {
        CutOffEdit e;
        e.tear(e.offset, (e.offset / 512 + 2) * 512);
        dbf = ReadBytes(e.dbf());
        journal = ReadBytes(e.cut.file("big.twr"));
        torn = DbfRead(e.dbf());
    }
};

}  // namespace

TEST(CraftedJournals, ADamagedHeadOverATornRecordIsReportedNeverTakenForAWriteThatNeverBegan)
{
    const TornWrite w;
    ASSERT_EQ(w.torn, "3\n1 0\n2 1 torn\n3 0\n");
    struct Case {
        std::string name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    std::vector<Case> cases;
    // Cut off inside the head, and one byte of the head flipped: in the
    // magic, the length, the old size, the counts, both headers, the hashes
    // of the descriptors and of the last record, the batch number, the
    // head's own hash.
    for (std::size_t at : {1, 4, 7, 8, 9, 16, 31, 32, 64, 100, 127})
        cases.push_back({"cut at " + std::to_string(at), [at](auto& j) { j.resize(at); }});
    for (std::size_t at :
         {0, 3, 4, 7, 8, 15, 16, 24, 28, 31, 32, 47, 48, 63, 64, 80, 95, 96, 104, 112, 120, 127})
        for (std::uint8_t bits : {0x01, 0x80})
            cases.push_back({"byte " + std::to_string(at) + " ^ " + std::to_string(bits),
                             [at, bits](auto& j) { j[at] ^= bits; }});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.file("big.dbf"), w.dbf);
        auto j = w.journal;
        c.damage(j);
        WriteBytes(dir.file("big.twr"), j);
        // A reader that may not write reads the table as it stands, touching nothing.
        {
            FailingFs readOnlyMount;
            readOnlyMount.readOnly = true;
            SetFileSystem(&readOnlyMount);
            Table r;
            r.setReadOnly(true);
            OpenTable(r, dir.path(), "big");
            EXPECT_EQ(r.recordCount(), 3);
            SetFileSystem(nullptr);
        }
        EXPECT_EQ(ReadBytes(dir.file("big.twr")), j);
        ExpectRefused(dir.path(), dir.file("big.dbf"), "first bytes are damaged");
        EXPECT_EQ(ReadBytes(dir.file("big.dbf")), w.dbf);
        EXPECT_EQ(DbfRead(dir.file("big.dbf")), w.torn);
    }
}

TEST(CraftedJournals, AJournalNeverArmedIsIgnoredAndTheStoredFormatStaysTheFormerOne)
{
    // Whole but never armed: its magic is still zero, the table untouched.
    {
        CutOffEdit e(1);
        const auto before = ReadBytes(e.dbf());
        auto j = ReadBytes(e.cut.file("big.twr"));
        ASSERT_GT(j.size(), 128U);
        std::fill(j.begin(), j.begin() + 8, 0);
        WriteBytes(e.cut.file("big.twr"), j);
        Table t;
        OpenTable(t, e.cut.path(), "big");
        EXPECT_EQ(VersionOf(t, 2), 0);
        EXPECT_EQ(ReadBytes(e.dbf()), before);
        EditToVersion1(t, 3);
        EXPECT_EQ(VersionOf(t, 3), 1);
        EXPECT_EQ(DbfRead(e.dbf()), "3\n1 0\n2 0\n3 1\n");
    }
    // Cut off before anything but zero reached it (a new journal file).
    for (std::size_t length : {1, 7, 8, 100}) {
        SCOPED_TRACE(length);
        CutOffEdit e(1);
        WriteBytes(e.cut.file("big.twr"), std::vector<std::uint8_t>(length, 0));
        Table t;
        OpenTable(t, e.cut.path(), "big");
        EXPECT_EQ(VersionOf(t, 2), 0);
    }
    // The stored format is the one earlier versions write and read: only the
    // order of the writes changed.
    {
        CutOffEdit e;
        const auto j = ReadBytes(e.cut.file("big.twr"));
        const std::uint8_t magic[8] = {'T', 'W', 'R', 'J', 2, 0, 0, 0};
        ASSERT_GT(j.size(), 8U);
        EXPECT_TRUE(std::equal(magic, magic + 8, j.begin()));
        e.tear(e.offset, (e.offset / 512 + 2) * 512);
        Table t;
        OpenTable(t, e.cut.path(), "big");
        EXPECT_EQ(VersionOf(t, 2), 1);
        EXPECT_EQ(DbfRead(e.dbf()), "3\n1 0\n2 1\n3 0\n");
    }
}
