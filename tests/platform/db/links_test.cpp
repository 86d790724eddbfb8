// Links and other planted files in a database folder: whoever may write the
// folder must not make another workstation read, write or wipe a file
// outside it. Each planted name is refused as damage of the table, the file
// outside stays as it was byte for byte, and once the planted name is gone
// the table reads whole in our engine and in python3-dbfread.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "cutoff_util.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A database folder with two tables (people has a memo file, index
// definitions and a record journal) beside a file outside it.
struct PlantedFolder {
    TempDir root;
    std::string db = root.file("db"), other = root.file("other"), outside = root.file("outside.bin");
    std::vector<std::uint8_t> outsideBytes;

    PlantedFolder()
    {
        fs::create_directory(db);
        fs::create_directory(other);
        CreateTable(db, "people", PeopleFields(), {{"NAME", "NAME", false}});
        CreateTable(db, "club", PeopleFields());
        Table t;
        OpenTable(t, db, "people");
        AddPerson(t, 1, "one");
        t.first();
        t.edit();
        t.fieldByName("NOTES").setAsString("a memo");
        t.post();
        AddPerson(t, 2, "two");
        t.close();
        // What is outside: a valid table, so that nothing is refused only
        // because it does not read as one.
        outsideBytes = ReadBytes(file("people.dbf"));
        WriteBytes(outside, outsideBytes);
    }
    std::string file(const std::string& name) const { return db + "/" + name; }

    // Puts a link to the file outside in place of name; gives back what was there.
    std::vector<std::uint8_t> plant(const std::string& name, bool dangling = false) const
    {
        std::vector<std::uint8_t> was;
        if (fs::exists(file(name)))
            was = ReadBytes(file(name));
        fs::remove(file(name));
        fs::create_symlink(dangling ? root.file("nowhere.bin") : outside, file(name));
        return was;
    }

    void expectOutsideUntouched() const
    {
        EXPECT_EQ(ReadBytes(outside), outsideBytes);
        EXPECT_FALSE(fs::exists(root.file("nowhere.bin")));
    }

    // Once the planted name is gone, the table is whole for every reader.
    void expectWhole() const
    {
        {
            FailingFs readOnlyMount;
            readOnlyMount.readOnly = true;
            SetFileSystem(&readOnlyMount);
            Table r;
            r.setReadOnly(true);
            EXPECT_NO_THROW(OpenTable(r, db, "people"));
            if (r.active()) {
                EXPECT_EQ(Names(r), (std::vector<std::string>{"one", "two"}));
                r.first();
                EXPECT_EQ(r.fieldByName("NOTES").asString(), "a memo");
            }
            SetFileSystem(nullptr);
        }
        EXPECT_EQ(DbfRead(file("people.dbf")), "2\n1 one\n2 two\n");
        Table t;
        OpenTable(t, db, "people");
        AddPerson(t, 3, "three");
        EXPECT_EQ(t.recordCount(), 3);
    }
};

void ExpectRefusedAsDamage(const std::function<void()>& operation, const std::string& table,
                           const std::string& planted, const char* why)
{
    try {
        operation();
        ADD_FAILURE() << "done through " << planted << " without a word";
    } catch (const DbError& e) {
        const std::string text = e.what();
        EXPECT_EQ(e.code(), ErrorCode::CorruptFile) << text;
        EXPECT_NE(text.find("Table " + table + " is damaged"), std::string::npos) << text;
        EXPECT_NE(text.find(planted + " " + why), std::string::npos) << text;
    }
}

}  // namespace

TEST(PlantedLinks, EveryFileOfATableThatIsALinkIsRefusedAndWhatItNamesStaysAsItWas)
{
    // Each operation with the files it opens (a pack leaves the index
    // definitions alone; a sort and a delete, the memo file too).
    struct Operation {
        const char* name;
        std::vector<std::string> opens;
        std::function<void(const PlantedFolder&)> run;
    };
    const std::vector<std::string> all = {"people.dbf", "people.dbt", "people.twi", "people.twr"};
    const Operation operations[] = {
        {"open and append", all,
         [](const PlantedFolder& f) {
             Table t;
             OpenTable(t, f.db, "people");
             AddPerson(t, 9, "nine");
         }},
        {"read-only open", all,
         [](const PlantedFolder& f) {
             FailingFs readOnlyMount;
             readOnlyMount.readOnly = true;
             SetFileSystem(&readOnlyMount);
             struct Restore {
                 ~Restore() { SetFileSystem(nullptr); }
             } restore;
             Table t;
             t.setReadOnly(true);
             OpenTable(t, f.db, "people");
         }},
        {"pack",
         {"people.dbf", "people.dbt", "people.twr"},
         [](const PlantedFolder& f) { PackTable(f.db, "people"); }},
        {"sort",
         {"people.dbf", "people.twr"},
         [](const PlantedFolder& f) { SortTable(f.db, "people", {2}); }},
        {"copy out", all, [](const PlantedFolder& f) { CopyTable(f.db, "people", f.other, "people"); }},
        {"create over",
         {"people.dbf", "people.twr"},
         [](const PlantedFolder& f) { CreateTable(f.db, "people", PeopleFields(), {}, true); }},
        {"delete", {"people.dbf", "people.twr"}, [](const PlantedFolder& f) { DeleteTable(f.db, "people"); }},
    };
    struct Planted {
        const char* name;
        bool dangling;
    };
    const Planted planted[] = {
        {"people.twr", false}, {"people.twr", true},  {"people.dbf", false},
        {"people.dbt", false}, {"people.twi", false},
    };
    for (const auto& p : planted) {
        for (const auto& op : operations) {
            const std::string opName = op.name;
            if (std::find(op.opens.begin(), op.opens.end(), p.name) == op.opens.end())
                continue;
            SCOPED_TRACE(std::string(p.name) + (p.dangling ? " (leading nowhere)" : "") + ", " + opName);
            PlantedFolder f;
            const auto was = f.plant(p.name, p.dangling);
            ExpectRefusedAsDamage([&] { op.run(f); }, f.file("people.dbf"), f.file(p.name),
                                  "is a symbolic link");
            f.expectOutsideUntouched();
            EXPECT_FALSE(fs::exists(f.other + "/people.dbf"));
            fs::remove(f.file(p.name));
            if (!was.empty())
                WriteBytes(f.file(p.name), was);
            f.expectWhole();
        }
    }
}

TEST(PlantedLinks, ALinkPlantedUnderAnOpenTableIsRefusedByItsNextWrite)
{
    // The table was opened before the link appeared, with no record journal:
    // its next journaled write would once have made the journal and wiped
    // the file the link names.
    PlantedFolder f;
    fs::remove(f.file("people.twr"));
    Table t;
    OpenTable(t, f.db, "people");
    f.plant("people.twr");
    ExpectRefusedAsDamage([&] { AddPerson(t, 9, "nine"); }, f.file("people.dbf"), f.file("people.twr"),
                          "is a symbolic link");
    t.cancel();
    f.expectOutsideUntouched();
    t.close();
    fs::remove(f.file("people.twr"));
    f.expectWhole();
}

TEST(PlantedLinks, ALinkThatAppearsWhereTheEngineCreatesAFileIsNeverFollowed)
{
    // The link appears at the moment the engine creates the file: a
    // temporary of a pack, copy or create, a replace journal's temporary, a
    // batch journal, a table's first record journal.
    struct Case {
        const char* name;
        std::function<bool(const std::string& path)> at;
        std::function<void(const PlantedFolder&)> run;
    };
    const Case cases[] = {
        {"pack, the new table",
         [](const std::string& p) {
             return EndsWith(p, ".twtmp") && p.find("people.dbf.") != std::string::npos;
         },
         [](const PlantedFolder& f) { PackTable(f.db, "people"); }},
        {"pack, the new memo file",
         [](const std::string& p) {
             return EndsWith(p, ".twtmp") && p.find("people.dbt.") != std::string::npos;
         },
         [](const PlantedFolder& f) { PackTable(f.db, "people"); }},
        {"pack, the replace journal",
         [](const std::string& p) {
             return EndsWith(p, ".twtmp") && p.find("people.twj.") != std::string::npos;
         },
         [](const PlantedFolder& f) { PackTable(f.db, "people"); }},
        {"create over, the index definitions",
         [](const std::string& p) {
             return EndsWith(p, ".twtmp") && p.find("people.twi.") != std::string::npos;
         },
         [](const PlantedFolder& f) {
             CreateTable(f.db, "people", PeopleFields(), {{"NAME", "NAME", false}}, true);
         }},
        {"batch journal", [](const std::string& p) { return EndsWith(p, ".twb"); },
         [](const PlantedFolder& f) {
             Table a, b;
             OpenTable(a, f.db, "people");
             OpenTable(b, f.db, "club");
             try {
                 WriteBatch batch;
                 AddPerson(a, 9, "nine");
                 AddPerson(b, 1, "member");
                 batch.commit();
             } catch (...) {
                 a.cancel();
                 b.cancel();
                 throw;
             }
         }},
        {"first record journal", [](const std::string& p) { return EndsWith(p, "people.twr"); },
         [](const PlantedFolder& f) {
             fs::remove(f.file("people.twr"));
             Table t;
             OpenTable(t, f.db, "people");
             try {
                 AddPerson(t, 9, "nine");
             } catch (...) {
                 t.cancel();
                 throw;
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlantedFolder f;
        std::string planted;
        FailingFs racing;
        racing.beforeOpen = [&](const std::string& p) {
            if (planted.empty() && c.at(p)) {
                planted = p;
                fs::create_symlink(f.outside, p);
            }
        };
        SetFileSystem(&racing);
        try {
            c.run(f);
            ADD_FAILURE() << "done through a link without a word";
        } catch (const DbError& e) {
            const std::string text = e.what();
            EXPECT_EQ(e.code(), ErrorCode::CorruptFile) << text;
            EXPECT_NE(text.find(" is damaged: " + planted + " is a symbolic link"), std::string::npos)
                << text;
        }
        SetFileSystem(nullptr);
        ASSERT_FALSE(planted.empty());
        f.expectOutsideUntouched();
        if (fs::is_symlink(planted))
            fs::remove(planted);
        f.expectWhole();
        Table club;
        OpenTable(club, f.db, "club");
        EXPECT_EQ(club.recordCount(), 0) << "half a batch was written";
    }
}

TEST(PlantedLinks, APipeOrAFolderInPlaceOfAFileIsRefusedWithoutWaiting)
{
    for (const bool pipe : {true, false}) {
        for (const char* name : {"people.twr", "people.dbt"}) {
            SCOPED_TRACE(std::string(name) + (pipe ? " as a pipe" : " as a folder"));
            PlantedFolder f;
            const auto was = ReadBytes(f.file(name));
            fs::remove(f.file(name));
            if (pipe)
                ASSERT_EQ(::mkfifo(f.file(name).c_str(), 0600), 0);
            else
                fs::create_directory(f.file(name));
            // A reader that may not write would open a pipe for reading only,
            // which waits for a writer that never comes unless it is refused.
            for (const bool readOnly : {false, true}) {
                FailingFs mount;
                mount.readOnly = readOnly;
                SetFileSystem(&mount);
                ExpectRefusedAsDamage(
                    [&] {
                        Table t;
                        OpenTable(t, f.db, "people");
                    },
                    f.file("people.dbf"), f.file(name), "is not a plain file");
                SetFileSystem(nullptr);
            }
            fs::remove(f.file(name));
            WriteBytes(f.file(name), was);
            f.expectWhole();
        }
    }
}
