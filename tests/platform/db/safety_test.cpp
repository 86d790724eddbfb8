// Faults a hostile tester found in the table engine: names that leave the
// database folder, journals that act on other files, buffer overruns on
// foreign field layouts, a trusted memo pointer, litter on a full disk,
// an uncounted record, error texts that say too little.
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "db_test_util.h"
#include "failing_fs.h"
#include "platform/db/dbf_format.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

namespace {

// A table with the given raw fields (type letter, width, decimals), as a
// foreign or damaged file may declare them, and an empty dBase IV memo file.
void WriteForeignTable(const std::string& folder, const std::string& base,
                       const std::vector<std::tuple<std::string, char, int, int>>& fields)
{
    TableLayout l;
    std::uint32_t off = 1;
    for (const auto& [name, type, width, decimals] : fields) {
        FieldLayout f;
        f.def.name = name;
        f.dbfType = type;
        f.def.width = width;
        f.def.decimals = decimals;
        f.offset = off;
        off += static_cast<std::uint32_t>(width);
        l.fields.push_back(f);
    }
    l.recordLength = static_cast<std::uint16_t>(off);
    l.headerLength = static_cast<std::uint16_t>(kHeaderPrefix + kDescriptorSize * fields.size() + 1);
    l.version = kVersionDb4Memo;
    auto h = BuildHeader(l, {});
    h.push_back(0x1A);
    WriteBytes(folder + "/" + base + ".dbf", h);
    MemoFile::Create(folder + "/" + base + ".dbt", MemoKind::Db4, base);
}

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const DbError& e) {
        return e.what();
    }
    return "(no error)";
}

bool HasTemporaryFiles(const std::string& folder)
{
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".twtmp")
            return true;
    return false;
}

}  // namespace

TEST(TableNames, NamesThatAreNotPlainFileNamesAreRefusedEverywhere)
{
    TempDir root;
    const std::string db = root.file("db");
    fs::create_directory(db);
    CreateTable(root.path(), "victim", PeopleFields());
    CreateTable(db, "people", PeopleFields());
    const auto before = ReadBytes(root.file("victim.dbf"));
    for (const std::string bad :
         {"../victim", "../victim.dbf", "sub/x", "/etc/passwd", "..", ".", "a\\b", ""}) {
        SCOPED_TRACE(bad);
        auto expectRefused = [&](const std::function<void()>& f) {
            try {
                f();
                ADD_FAILURE() << "accepted";
            } catch (const DbError& e) {
                EXPECT_EQ(e.code(), ErrorCode::InvalidArgument) << e.what();
            }
        };
        expectRefused([&] { CreateTable(db, bad, PeopleFields(), {}, true); });
        expectRefused([&] { CopyTable(db, "people", db, bad); });
        expectRefused([&] { CopyTable(db, bad, db, "copy"); });
        expectRefused([&] { PackTable(db, bad); });
        expectRefused([&] { SortTable(db, bad, {1}); });
        expectRefused([&] { DeleteTable(db, bad); });
        expectRefused([&] { TableExists(db, bad); });
        if (!bad.empty())  // an empty name has its own message
            expectRefused([&] {
                Table t;
                OpenTable(t, db, bad);
            });
    }
    EXPECT_EQ(ReadBytes(root.file("victim.dbf")), before);
    EXPECT_FALSE(fs::exists(db + "/copy.dbf"));
}

TEST(ReplaceJournal, NamesOutsideTheTableAreRefusedAndNothingIsDone)
{
    TempDir root;
    const std::string db = root.file("db");
    fs::create_directory(db);
    CreateTable(db, "people", PeopleFields());
    CreateTable(db, "other", PeopleFields());
    WriteBytes(root.file("victim.txt"), {'x'});
    const std::string outside = root.file("victim.txt");
    for (const std::string journal :
         std::vector<std::string>{"TARNWICK-REPLACE 2\nR\t../victim.txt\nEND\t\n",
                                  "TARNWICK-REPLACE 2\nR\t" + outside + "\nEND\t\n",
                                  "TARNWICK-REPLACE 2\nM\tpeople.dbf\t../moved.dbf\nEND\t\n",
                                  "TARNWICK-REPLACE 2\nR\tother.dbf\nEND\t\n",
                                  // the old layout with absolute paths
                                  "TARNWICK-REPLACE 1\nR\t" + db + "/people.dbt\nEND\t\n"}) {
        SCOPED_TRACE(journal);
        WriteBytes(db + "/people.twj", std::vector<std::uint8_t>(journal.begin(), journal.end()));
        Table t;
        const std::string err = ErrorOf([&] { OpenTable(t, db, "people"); });
        EXPECT_NE(err.find("people.twj"), std::string::npos) << err;
        EXPECT_NE(err.find("not applied"), std::string::npos) << err;
        EXPECT_THROW(PackTable(db, "people"), DbError);
        EXPECT_TRUE(fs::exists(outside));
        EXPECT_TRUE(fs::exists(db + "/people.dbf"));
        EXPECT_TRUE(fs::exists(db + "/people.dbt"));
        EXPECT_TRUE(fs::exists(db + "/other.dbf"));
        EXPECT_FALSE(fs::exists(root.file("moved.dbf")));
        EXPECT_TRUE(fs::exists(db + "/people.twj"));  // left as it is for someone to look at
    }
}

TEST(ReplaceJournal, AnInterruptedReplaceIsFinishedThroughAnotherPathToTheFolder)
{
    TempDir root;
    const std::string db = root.file("db");
    fs::create_directory(db);
    fs::create_directory_symlink(db, root.file("link"));
    CreateTable(db, "people", PeopleFields());
    {
        Table t;
        OpenTable(t, db, "people");
        AddPerson(t, 1, "old");
    }
    // The new files of a pack and its committed journal, written through one
    // path; the renames never happened.
    TempDir other;
    CreateTable(other.path(), "people", PeopleFields());
    {
        Table t;
        OpenTable(t, other.path(), "people");
        AddPerson(t, 2, "new");
    }
    fs::copy_file(other.file("people.dbf"), db + "/people.dbf.1.1.twtmp");
    fs::copy_file(other.file("people.dbt"), db + "/people.dbt.1.2.twtmp");
    const std::string j =
        "TARNWICK-REPLACE "
        "2\nM\tpeople.dbt.1.2.twtmp\tpeople.dbt\nM\tpeople.dbf.1.1.twtmp\tpeople.dbf\nEND\t\n";
    WriteBytes(db + "/people.twj", std::vector<std::uint8_t>(j.begin(), j.end()));
    // Finished through a symbolic link and through a relative path.
    for (const std::string via : {root.file("link"), std::string("link")}) {
        ASSERT_EQ(::chdir(root.path().c_str()), 0);
        Table t;
        OpenTable(t, via, "people");
        EXPECT_EQ(Names(t), std::vector<std::string>{"new"});
        EXPECT_FALSE(fs::exists(db + "/people.twj"));
        EXPECT_FALSE(HasTemporaryFiles(db));
    }
    ASSERT_EQ(::chdir("/"), 0);
}

TEST(ForeignLayouts, WideMemoFieldsAndHugeNumbersStayInTheirBuffers)
{
    TempDir dir;
    WriteForeignTable(dir.path(), "wide",
                      {{"ID", 'N', 4, 0},
                       {"NOTES", 'M', 20, 0},
                       {"AMT", 'F', 20, 255},
                       {"SMALL", 'M', 1, 0},
                       {"SHORTD", 'D', 4, 0}});
    Table t;
    OpenTable(t, dir.path(), "wide");
    t.append();
    t.fieldByName("ID").setAsInteger(7);
    t.fieldByName("NOTES").setAsString("a memo in a wide field");
    t.post();
    t.close();
    const auto bytes = ReadBytes(dir.file("wide.dbf"));
    const std::size_t rec =
        bytes.size() - 1 - 1 - 4 - 20 - 20 - 1 - 4;  // flag, ID, NOTES, AMT, SMALL, SHORTD
    const std::string notes(bytes.begin() + static_cast<std::ptrdiff_t>(rec + 5),
                            bytes.begin() + static_cast<std::ptrdiff_t>(rec + 25));
    EXPECT_EQ(notes, "00000000000000000001");
    OpenTable(t, dir.path(), "wide");
    EXPECT_EQ(t.fieldByName("NOTES").asString(), "a memo in a wide field");
    // 1e308 with 255 decimals does not fit 20 bytes: refused, not overrun.
    t.edit();
    EXPECT_THROW(t.fieldByName("AMT").setAsFloat(1e308), DbError);
    // A memo pointer with more digits than its field is refused too.
    for (int k = 0; k < 10; ++k) {
        t.fieldByName("NOTES").setAsString("grow the memo file " + std::to_string(k));
        t.post();
        t.edit();
    }
    const std::string err = ErrorOf([&] {
        t.fieldByName("SMALL").setAsString("x");
        t.post();
    });
    t.cancel();
    EXPECT_NE(err.find("SMALL"), std::string::npos) << err;
    EXPECT_NE(err.find("wide.dbf"), std::string::npos) << err;
    // A date field narrower than a date is refused, not overrun.
    t.edit();
    EXPECT_THROW(t.fieldByName("SHORTD").setAsDate(46000), DbError);
    t.cancel();
    // Rounding 1e308 for a 255-decimal field while locating.
    EXPECT_FALSE(t.locate("AMT", std::vector<Value>{1e308}));
}

TEST(MemoFile, ANextFreePointerPastTheEndIsDamageNotAGiantFile)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    auto memo = ReadBytes(dir.file("people.dbt"));
    const std::uint32_t huge = 0x7FFFFFFF;
    std::memcpy(memo.data(), &huge, 4);
    WriteBytes(dir.file("people.dbt"), memo);
    Table t;
    OpenTable(t, dir.path(), "people");
    t.append();
    t.fieldByName("NOTES").setAsString("memo");
    try {
        t.post();
        ADD_FAILURE() << "posted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::MemoCorrupt);
        EXPECT_NE(std::string(e.what()).find("people.dbt"), std::string::npos) << e.what();
    }
    t.cancel();
    EXPECT_EQ(fs::file_size(dir.file("people.dbt")), memo.size());
    EXPECT_EQ(t.recordCount(), 0);
}

TEST(FullDisk, AFailedJournalWriteLeavesNoTemporaryFilesAndNamesTheTable)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    {
        Table t;
        OpenTable(t, dir.path(), "people");
        for (int i = 0; i < 5; ++i)
            AddPerson(t, i, "p" + std::to_string(i));
    }
    TempDir src;
    CreateTable(src.path(), "people", PeopleFields());
    const auto before = ReadBytes(dir.file("people.dbf"));
    FailingFs failing;
    failing.diskFullFor = [](const std::string& p) { return p.find(".twj.") != std::string::npos; };
    SetFileSystem(&failing);
    const std::vector<std::pair<std::string, std::function<void()>>> ops = {
        {"pack", [&] { PackTable(dir.path(), "people"); }},
        {"sort", [&] { SortTable(dir.path(), "people", {2}); }},
        {"copy over", [&] { CopyTable(src.path(), "people", dir.path(), "people"); }},
        {"create", [&] { CreateTable(dir.path(), "people", PeopleFields(), {}, true); }},
    };
    for (const auto& [what, op] : ops) {
        SCOPED_TRACE(what);
        const std::string err = ErrorOf(op);
        EXPECT_NE(err.find("Cannot " + what + " table "), std::string::npos) << err;
        EXPECT_NE(err.find("people.dbf"), std::string::npos) << err;
        EXPECT_NE(err.find("No space left"), std::string::npos) << err;
        EXPECT_EQ(err.find(".twtmp"), std::string::npos) << err;
        EXPECT_FALSE(HasTemporaryFiles(dir.path()));
        EXPECT_FALSE(fs::exists(dir.file("people.twj")));
    }
    // The new files' own writes failing: the same.
    failing.diskFullFor = [](const std::string& p) { return p.find(".dbf.") != std::string::npos; };
    const std::string err = ErrorOf([&] { PackTable(dir.path(), "people"); });
    EXPECT_NE(err.find("Cannot pack table "), std::string::npos) << err;
    EXPECT_EQ(err.find(".twtmp"), std::string::npos) << err;
    EXPECT_FALSE(HasTemporaryFiles(dir.path()));
    SetFileSystem(nullptr);
    EXPECT_EQ(ReadBytes(dir.file("people.dbf")), before);
}

TEST(ErrorTexts, NameTheTableAndSayWhatIsWrong)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    {
        Table t;
        OpenTable(t, dir.path(), "people");
        AddPerson(t, 1e10, "big");
    }
    // A memo pointer that is not a number.
    auto b = ReadBytes(dir.file("people.dbf"));
    const std::size_t notes = b.size() - 1 - 10 - 10;  // NOTES, then PIC, then the end mark
    std::memcpy(&b[notes], "12ab      ", 10);
    WriteBytes(dir.file("people.dbf"), b);
    Table t;
    OpenTable(t, dir.path(), "people");
    std::string err = ErrorOf([&] { (void)t.fieldByName("NOTES").asString(); });
    EXPECT_NE(err.find("people.dbf"), std::string::npos) << err;
    EXPECT_NE(err.find("NOTES"), std::string::npos) << err;
    EXPECT_NE(err.find("12ab"), std::string::npos) << err;
    EXPECT_EQ(err.find("4294967295"), std::string::npos) << err;
    err = ErrorOf([&] { (void)t.fieldByName("ID").asInteger(); });
    EXPECT_NE(err.find("people.dbf"), std::string::npos) << err;
    EXPECT_NE(err.find("integer range"), std::string::npos) << err;
    err = ErrorOf([&] { t.setFilter("NAME = "); });
    EXPECT_NE(err.find("people.dbf"), std::string::npos) << err;
    t.close();
    t.setFilter("NOSUCH = 1");
    t.setFiltered(true);
    err = ErrorOf([&] { t.open(); });
    EXPECT_NE(err.find("people.dbf"), std::string::npos) << err;
    EXPECT_EQ(err.find("(no error)"), std::string::npos) << err;
}
