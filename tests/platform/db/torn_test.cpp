// What a cut-off or failed write leaves, as everyone else sees it: a reader
// that may not write, a reader that had the table open before, an edit, a
// pack and a copy never see or keep a torn record; a write that reported
// failure never happens later; a race with a pack reports no error for
// nothing.
#include <filesystem>

#include "cutoff_util.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

namespace {

// A cut-off edit of record 2, its record torn at a sector boundary.
struct TornEdit : CutOffEdit {
    TornEdit() { tear(offset, (offset / 512 + 2) * 512); }
};

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A table of three records at version 0, as `cut` was before its edit.
void MakeBig(const TempDir& dir)
{
    CreateTable(dir.path(), "big", BigFields());
    Table t;
    OpenTable(t, dir.path(), "big");
    FillBig(t, 3);
}

// What the cut-off edit left, put into a table that others have open (the
// same file, rewritten in place, as the killed process left it).
void Crash(const TornEdit& e, const TempDir& into)
{
    WriteBytes(into.file("big.dbf"), ReadBytes(e.dbf()));
    WriteBytes(into.file("big.twr"), ReadBytes(e.cut.file("big.twr")));
}

}  // namespace

TEST(TornRecords, AReaderThatMayNotWriteReadsThroughThePendingJournal)
{
    TornEdit e;
    const auto dbf = ReadBytes(e.dbf()), journal = ReadBytes(e.cut.file("big.twr"));
    FailingFs readOnlyMount;
    readOnlyMount.readOnly = true;
    SetFileSystem(&readOnlyMount);
    {
        Table t;
        t.setReadOnly(true);
        OpenTable(t, e.cut.path(), "big");
        EXPECT_EQ(t.recordCount(), 3);
        EXPECT_EQ(VersionOf(t, 2), 1);
        EXPECT_EQ(VersionOf(t, 1), 0);
        t.refresh();
        EXPECT_EQ(VersionOf(t, 2), 1);
    }
    SetFileSystem(nullptr);
    EXPECT_EQ(ReadBytes(e.dbf()), dbf);  // it wrote nothing
    EXPECT_EQ(ReadBytes(e.cut.file("big.twr")), journal);
}

TEST(TornRecords, AReaderThatOpenedBeforeTheKillSeesTheJournalsBytes)
{
    TornEdit e;
    TempDir live;
    MakeBig(live);
    Table r;
    OpenTable(r, live.path(), "big");
    EXPECT_EQ(VersionOf(r, 2), 0);
    Crash(e, live);
    r.refresh();
    EXPECT_EQ(VersionOf(r, 2), 1);
    r.first();
    EXPECT_EQ(MixedVersion(r), "");
}

TEST(TornRecords, AnEditStartsFromTheJournalsBytesAndNeverPostsOverAChangedRecord)
{
    {
        // Begun after the kill: the edit reads the finished record.
        TornEdit e;
        TempDir live;
        MakeBig(live);
        Table r;
        OpenTable(r, live.path(), "big");
        Crash(e, live);
        r.refresh();
        ASSERT_TRUE(r.locate("ID", Value(2.0)));
        r.edit();
        r.fieldByName("P01").setAsString(std::string(250, 'B'));
        r.post();
        Table fresh;
        OpenTable(fresh, live.path(), "big");
        EXPECT_EQ(VersionOf(fresh, 2), 1);
    }
    {
        // Begun before the kill: the record changed under it.
        TornEdit e;
        TempDir live;
        MakeBig(live);
        Table r;
        OpenTable(r, live.path(), "big");
        ASSERT_TRUE(r.locate("ID", Value(2.0)));
        r.edit();
        Crash(e, live);
        r.fieldByName("P01").setAsString(std::string(250, 'A'));
        try {
            r.post();
            ADD_FAILURE() << "posted over a record that changed since it was read";
        } catch (const DbError& err) {
            EXPECT_EQ(err.code(), ErrorCode::Locked);
            EXPECT_NE(std::string(err.what()).find("was changed since it was read"), std::string::npos);
        }
        r.cancel();
        r.refresh();
        EXPECT_EQ(VersionOf(r, 2), 1);
    }
}

TEST(TornRecords, PackAndCopyTakeTheJournalUnderTheirOwnLock)
{
    for (const bool pack : {true, false}) {
        SCOPED_TRACE(pack ? "pack" : "copy");
        TornEdit e;
        TempDir target;
        // The writer dies after the operation looked for its journal.
        FailingFs late;
        late.hideFromList = [](const std::string& name) { return EndsWith(name, ".twr"); };
        SetFileSystem(&late);
        if (pack)
            PackTable(e.cut.path(), "big");
        else
            CopyTable(e.cut.path(), "big", target.path(), "big");
        SetFileSystem(nullptr);
        Table t;
        OpenTable(t, pack ? e.cut.path() : target.path(), "big");
        EXPECT_EQ(t.recordCount(), 3);
        for (double id : {1.0, 2.0, 3.0})
            EXPECT_EQ(VersionOf(t, id), id == 2.0 ? 1 : 0);
    }
}

TEST(FailedWrites, AFailedPostHasNotHappenedAndWillNotHappenLater)
{
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append ? "append" : "edit");
        TempDir dir;
        MakeBig(dir);
        const std::string dbf = dir.file("big.dbf");
        // The disk fills after the journal is on disk, at the first record write.
        FailingFs full;
        int dbfWrites = 0;
        full.diskFullFor = [&](const std::string& p) { return p == dbf && ++dbfWrites == 2; };
        SetFileSystem(&full);
        Table t;
        OpenTable(t, dir.path(), "big");
        if (append) {
            t.append();
            t.fieldByName("ID").setAsFloat(4);
            t.fieldByName("VER").setAsFloat(1);
            for (int i = 1; i <= 16; ++i)
                t.field(1 + i).setAsString(std::string(250, 'B'));
        } else {
            ASSERT_TRUE(t.locate("ID", Value(2.0)));
            t.edit();
            t.fieldByName("VER").setAsFloat(1);
            for (int i = 1; i <= 16; ++i)
                t.field(1 + i).setAsString(std::string(250, 'B'));
        }
        try {
            t.post();
            ADD_FAILURE() << "the full disk went unreported";
        } catch (const DbError& err) {
            EXPECT_NE(std::string(err.what()).find("No space left on device"), std::string::npos);
            EXPECT_NE(std::string(err.what()).find("Nothing of the change was written"), std::string::npos)
                << err.what();
        }
        SetFileSystem(nullptr);
        // Nothing happened, and nothing is left to happen later.
        EXPECT_EQ(HeaderWord(dbf, 4), 3U);
        const auto journal = ReadBytes(dir.file("big.twr"));
        EXPECT_TRUE(
            journal.size() < 8
            || std::all_of(journal.begin(), journal.begin() + 8, [](std::uint8_t c) { return c == 0; }));
        {
            Table other;
            OpenTable(other, dir.path(), "big");
            EXPECT_EQ(other.recordCount(), 3);
            EXPECT_EQ(VersionOf(other, 2), 0);
        }
        // The user's retry happens once.
        t.post();
        Table after;
        OpenTable(after, dir.path(), "big");
        EXPECT_EQ(after.recordCount(), append ? 4 : 3);
        EXPECT_EQ(VersionOf(after, append ? 4.0 : 2.0), 1);
    }
}

TEST(PackRaces, NoFileNotFoundForAJournalSomeoneElseFinishedOrRemoved)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    {
        Table t;
        OpenTable(t, dir.path(), "people");
        AddPerson(t, 1, "one");
        AddPerson(t, 2, "two");
        t.first();
        t.deleteRecord();
    }
    ASSERT_TRUE(fs::exists(dir.file("people.twr")));
    FailingFs racing;
    // An open that listed the record journal just before a pack removed it.
    racing.beforeOpen = [&](const std::string& p) {
        if (EndsWith(p, "people.twr"))
            fs::remove(p);
    };
    SetFileSystem(&racing);
    {
        Table t;
        EXPECT_NO_THROW(OpenTable(t, dir.path(), "people"));
    }
    // A pack whose replace journal an opener finished first.
    racing.beforeOpen = nullptr;
    bool finished = false;
    racing.afterRename = [&](const std::string&, const std::string& to) {
        if (!finished && EndsWith(to, ".twj")) {
            finished = true;
            RecoverTable(dir.path(), "people");
        }
    };
    EXPECT_NO_THROW(PackTable(dir.path(), "people"));
    SetFileSystem(nullptr);
    EXPECT_TRUE(finished);
    Table t;
    OpenTable(t, dir.path(), "people");
    EXPECT_EQ(Names(t), std::vector<std::string>{"two"});
    EXPECT_EQ(HeaderWord(dir.file("people.dbf"), 4), 1U);
}
