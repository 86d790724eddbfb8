// Journals with a valid checksum but contents this program never writes:
// each is reported as damage naming the table, nothing of it reaches the
// table, and it is dropped so that the table opens again.
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
