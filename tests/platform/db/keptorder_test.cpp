// A table sorted with SortTableKeptInOrder: records appended later are read
// in their sorted place, without the table being rewritten, and whatever
// goes wrong between the table's write and its read order's never loses or
// repeats a record.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>

#include "db_test_util.h"
#include "failing_fs.h"
#include "platform/db/fileio.h"

using namespace tw::db;
using namespace tw::db::test;

namespace {

// NAME, then ID: "d", "b", "f", "B", "h" with IDs 1..5 (two equal names).
void MakeNames(const std::string& folder)
{
    CreateTable(folder, "names", PeopleFields());
    Table t;
    OpenTable(t, folder, "names");
    const char* names[] = {"d", "b", "f", "B", "h"};
    for (int i = 0; i < 5; ++i) {
        t.append();
        t.fieldByName("ID").setAsFloat(i + 1);
        t.fieldByName("NAME").setAsString(names[i]);
        t.post();
    }
}

void Append(Table& t, int id, const std::string& name)
{
    t.append();
    t.fieldByName("ID").setAsFloat(id);
    t.fieldByName("NAME").setAsString(name);
    t.post();
}

std::vector<int> IdsInReadOrder(Table& t)
{
    std::vector<int> ids;
    for (t.first(); !t.eof(); t.next())
        ids.push_back(t.fieldByName("ID").asInteger());
    return ids;
}

std::vector<int> IdsOf(const std::string& folder, bool readOnly = false)
{
    Table t;
    t.setReadOnly(readOnly);
    OpenTable(t, folder, "names");
    return IdsInReadOrder(t);
}

// The IDs in the order the records lie in the file, as any dBase reader
// reads them.
std::vector<int> IdsInFile(const std::string& dbf)
{
    const auto bytes = ReadBytes(dbf);
    const std::uint32_t count = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24;
    const std::size_t header = bytes[8] | bytes[9] << 8, length = bytes[10] | bytes[11] << 8;
    std::vector<int> ids;
    for (std::uint32_t r = 0; r < count; ++r)
        ids.push_back(std::stoi(std::string(reinterpret_cast<const char*>(&bytes[header + r * length + 1]), 20)));
    return ids;
}

}  // namespace

TEST(KeptOrder, AppendedRecordsReadWhereASortWouldPutThem)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> appends;
    };
    const Case cases[] = {
        {"before every record", {{6, "a"}}},
        {"after equal names, ignoring case", {{6, "b"}}},
        {"between", {{6, "e"}}},
        {"last", {{6, "z"}}},
        {"several, one sorting before another appended", {{6, "g"}, {7, "c"}, {8, "G"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir kept, sorted;
        MakeNames(kept.path());
        MakeNames(sorted.path());
        SortTableKeptInOrder(kept.path(), "names", {2, 0, 0, 0});
        const auto sizeBefore = std::filesystem::file_size(kept.file("names.dbf"));
        std::map<int, std::string> names{{1, "d"}, {2, "b"}, {3, "f"}, {4, "B"}, {5, "h"}};
        std::vector<int> appended;
        for (const auto& [id, name] : c.appends) {
            names[id] = name;
            appended.push_back(id);
        }
        {
            Table s;
            OpenTable(s, sorted.path(), "names");
            for (const auto& [id, name] : c.appends)
                Append(s, id, name);
        }
        SortTable(sorted.path(), "names", {2, 0, 0, 0});
        const std::vector<int> want = IdsOf(sorted.path());
        {
            Table t;
            OpenTable(t, kept.path(), "names");
            Table other;  // a second cursor of the process sees it at once
            OpenTable(other, kept.path(), "names");
            for (const auto& [id, name] : c.appends)
                Append(t, id, name);
            EXPECT_EQ(IdsInReadOrder(t), want);
            EXPECT_EQ(IdsInReadOrder(other), want);
            // A locate finds the first match in that order.
            const auto firstB = std::find_if(want.begin(), want.end(), [&](int id) {
                return names[id] == "b" || names[id] == "B";
            });
            ASSERT_TRUE(other.locateIgnoringCase("NAME", Value(std::string("b"))));
            EXPECT_EQ(other.fieldByName("ID").asInteger(), *firstB);
        }
        // Opened afresh, for writing and read-only, the order is the same.
        EXPECT_EQ(IdsOf(kept.path()), want);
        EXPECT_EQ(IdsOf(kept.path(), true), want);
        // The records were appended, not moved: dBase readers find them last.
        const std::vector<int> inFile = IdsInFile(kept.file("names.dbf"));
        ASSERT_EQ(inFile.size(), 5 + appended.size());
        EXPECT_EQ(std::vector<int>(inFile.begin(), inFile.begin() + 5), (std::vector<int>{2, 4, 1, 3, 5}));
        EXPECT_EQ(std::vector<int>(inFile.begin() + 5, inFile.end()), appended);
        const auto bytes = ReadBytes(kept.file("names.dbf"));
        EXPECT_EQ(std::filesystem::file_size(kept.file("names.dbf")),
                  sizeBefore + appended.size() * static_cast<std::size_t>(bytes[10] | bytes[11] << 8));
    }
}

// A write that fails leaves the old records in the old order; a writer that
// dies between the table's write and its order's leaves every record, read
// once each, in file order (the next sort puts them right); an edit leaves a
// record where it is; another sort or a pack ends the kept order.
TEST(KeptOrder, FailedAndCutOffWritesNeverLoseOrRepeatARecord)
{
    TempDir dir;
    MakeNames(dir.path());
    SortTableKeptInOrder(dir.path(), "names", {2, 0, 0, 0});
    const std::vector<int> sorted{2, 4, 1, 3, 5};
    const std::string dbf = dir.file("names.dbf");
    {
        // The disk fills at the record's write: nothing happened.
        FailingFs full;
        int writes = 0;
        full.diskFullFor = [&](const std::string& p) { return p == dbf && ++writes == 2; };
        SetFileSystem(&full);
        Table t;
        OpenTable(t, dir.path(), "names");
        t.append();
        t.fieldByName("ID").setAsFloat(6);
        t.fieldByName("NAME").setAsString("c");
        EXPECT_THROW(t.post(), DbError);
        SetFileSystem(nullptr);
        t.cancel();
        EXPECT_EQ(IdsInReadOrder(t), sorted);
    }
    EXPECT_EQ(IdsOf(dir.path()), sorted);
    EXPECT_EQ(IdsOf(dir.path(), true), sorted);
    {
        // The process dies once the record is whole, as it writes the order.
        FailingFs dies;
        dies.dieAt = [](const std::string& p) { return p.find(".two") != std::string::npos; };
        SetFileSystem(&dies);
        Table t;
        OpenTable(t, dir.path(), "names");
        Append(t, 6, "c");
        SetFileSystem(nullptr);
    }
    EXPECT_EQ(IdsOf(dir.path(), true), (std::vector<int>{2, 4, 1, 3, 5, 6}));
    EXPECT_EQ(IdsOf(dir.path()), (std::vector<int>{2, 4, 1, 3, 5, 6}));
    EXPECT_EQ(IdsInFile(dbf), (std::vector<int>{2, 4, 1, 3, 5, 6}));
    // The next sort keeps it again.
    SortTableKeptInOrder(dir.path(), "names", {2, 0, 0, 0});
    {
        Table t;
        OpenTable(t, dir.path(), "names");
        Append(t, 7, "a");
        ASSERT_TRUE(t.locate("ID", Value(5.0)));
        t.edit();
        t.fieldByName("NAME").setAsString("A");  // stays where it is
        t.post();
    }
    EXPECT_EQ(IdsOf(dir.path()), (std::vector<int>{7, 2, 4, 6, 1, 3, 5}));
    SortTable(dir.path(), "names", {1, 0, 0, 0});
    {
        Table t;
        OpenTable(t, dir.path(), "names");
        Append(t, 0, "a");
    }
    EXPECT_EQ(IdsOf(dir.path()), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("names.two")));
}
