// The record journal: a write cut off at any point is finished by the next
// opener, a journal cut off itself is dropped, a table written by another
// program since is reported rather than overwritten; write batches; the
// uncounted record a killed append of an older version left.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "cutoff_util.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

TEST(RecordJournal, AWriteCutOffAnywhereIsFinishedByTheNextOpener)
{
    // Nothing of the record written yet, or torn at a page or sector
    // boundary, or all written but the header.
    for (int tornAt : {0, 512, 1024, 4096 - 1, -1}) {
        SCOPED_TRACE(tornAt);
        CutOffEdit e;
        const std::uint64_t end = e.offset + e.length;
        if (tornAt == -1) {
            e.tear(e.offset, end);
        } else if (tornAt > 0) {
            const std::uint64_t boundary =
                (e.offset / 512 + 1) * 512 + static_cast<std::uint64_t>(tornAt / 512) * 512;
            if (boundary < end)
                e.tear(e.offset, boundary);
        }
        const auto counter = HeaderWord(e.dbf(), 16);
        Table t;
        OpenTable(t, e.cut.path(), "big");
        EXPECT_EQ(t.recordCount(), 3);
        EXPECT_EQ(VersionOf(t, 2), 1);
        EXPECT_EQ(VersionOf(t, 1), 0);
        EXPECT_EQ(VersionOf(t, 3), 0);
        EXPECT_GT(HeaderWord(e.dbf(), 16), counter - (tornAt == -1 ? 1 : 0));
        const auto j = ReadBytes(e.cut.file("big.twr"));
        EXPECT_TRUE(j.size() < 8
                    || std::all_of(j.begin(), j.begin() + 8, [](std::uint8_t c) { return c == 0; }));
    }
}

TEST(RecordJournal, AJournalCutOffItselfIsDropped)
{
    CutOffEdit e(1);
    fs::resize_file(e.cut.file("big.twr"), fs::file_size(e.cut.file("big.twr")) - 5);
    Table t;
    OpenTable(t, e.cut.path(), "big");
    EXPECT_EQ(VersionOf(t, 2), 0);  // the write never began
    EditToVersion1(t, 3);           // and the table is writable as usual
    EXPECT_EQ(VersionOf(t, 3), 1);
}

TEST(RecordJournal, ATableWrittenByAnotherProgramSinceIsReportedNotRolledBack)
{
    CutOffEdit e;
    // Another dBase program rewrites part of the record after the crash.
    auto b = ReadBytes(e.dbf());
    std::memset(b.data() + e.offset + 600, 'Z', 250);
    WriteBytes(e.dbf(), b);
    Table t;
    try {
        OpenTable(t, e.cut.path(), "big");
        ADD_FAILURE() << "opened without a word";
    } catch (const DbError& err) {
        EXPECT_EQ(err.code(), ErrorCode::CorruptFile);
        EXPECT_NE(std::string(err.what()).find("big.dbf"), std::string::npos) << err.what();
        EXPECT_NE(std::string(err.what()).find("another program"), std::string::npos) << err.what();
    }
    EXPECT_EQ(ReadBytes(e.dbf()), b);   // nothing rolled over it
    OpenTable(t, e.cut.path(), "big");  // reported once; the table stands as the other program left it
    ASSERT_TRUE(t.locate("ID", std::vector<Value>{2.0}));
    EXPECT_NE(MixedVersion(t), "");
    // A header count changed by another program is caught the same way.
    CutOffEdit e2;
    auto h = ReadBytes(e2.dbf());
    h[4] = 2;
    WriteBytes(e2.dbf(), h);
    Table u;
    EXPECT_THROW(OpenTable(u, e2.cut.path(), "big"), DbError);
}

TEST(RecordJournal, AnUncountedRecordIsTrimmedByTheNextWriter)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    AddPerson(t, 1, "one");
    AddPerson(t, 2, "two");
    const std::size_t rl = RecordLength(dir.file("people.dbf"));
    t.close();
    // An append of an older version killed before its header write.
    auto b = ReadBytes(dir.file("people.dbf"));
    const std::size_t counted = b.size();
    b.pop_back();
    b.insert(b.end(), rl, 'X');
    b.push_back(0x1A);
    WriteBytes(dir.file("people.dbf"), b);
    OpenTable(t, dir.path(), "people");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"one", "two"}));
    t.first();
    t.edit();
    t.fieldByName("NAME").setAsString("uno");
    t.post();
    EXPECT_EQ(fs::file_size(dir.file("people.dbf")), counted);
    EXPECT_EQ(ReadBytes(dir.file("people.dbf")).back(), 0x1A);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"uno", "two"}));
}

TEST(WriteBatches, GatherEveryTablesWritesAndCommitThemAsOne)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields(), {{"NAME", "NAME", false}});
    CreateTable(dir.path(), "other", PeopleFields());
    const std::string people = dir.file("people.dbf"), other = dir.file("other.dbf");
    Table a, b, view;
    OpenTable(a, dir.path(), "people");
    OpenTable(b, dir.path(), "other");
    view.setIndexName("NAME");
    OpenTable(view, dir.path(), "people");
    const auto counter = HeaderWord(people, 16);
    {
        WriteBatch batch;
        for (int i = 0; i < 30; ++i)
            AddPerson(a, i, "p" + std::to_string(100 + i));
        a.first();
        a.edit();
        a.fieldByName("NOTES").setAsString("a memo in a batch");
        a.fieldByName("NAME").setAsString("p999");
        a.post();
        // This process sees what the batch gathered; the file does not yet.
        EXPECT_EQ(HeaderWord(people, 4), 0U);
        view.refresh();
        EXPECT_EQ(view.recordCount(), 30);
        view.last();
        EXPECT_EQ(view.fieldByName("NAME").asString(), "p999");
        EXPECT_EQ(view.fieldByName("NOTES").asString(), "a memo in a batch");
        ASSERT_TRUE(view.locate("NAME", std::vector<Value>{std::string("p105")}));
        // Writing another table joins it to the batch: neither file shows
        // anything until the batch ends.
        AddPerson(b, 1, "other");
        EXPECT_EQ(HeaderWord(people, 4), 0U);
        EXPECT_EQ(HeaderWord(other, 4), 0U);
    }
    EXPECT_EQ(HeaderWord(people, 4), 30U);
    EXPECT_EQ(HeaderWord(other, 4), 1U);
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_NE(e.path().extension(), ".twb") << "the batch journal stays behind";
    EXPECT_EQ(HeaderWord(people, 16), counter + 2);  // one operation, one change for the readers
    Table fresh;
    OpenTable(fresh, dir.path(), "people");
    EXPECT_EQ(fresh.recordCount(), 30);
    fresh.first();
    EXPECT_EQ(fresh.fieldByName("NOTES").asString(), "a memo in a batch");
}
