// What a cursor learns of the writes since a mark: every record this process
// wrote through any cursor, or nothing when that would not tell everything.
#include "db_test_util.h"

using namespace tw::db;
using namespace tw::db::test;

TEST(WriteLog, NamesThisProcesssWritesAndNothingOnceItCannotTellAll)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    OpenTable(a, dir.path(), "people");
    OpenTable(b, dir.path(), "people");
    AddPerson(a, 1, "Ann");
    AddPerson(a, 2, "Bob");

    const Table::ChangeMark mark = b.changeMark();
    EXPECT_EQ(b.writtenSince(mark), std::vector<std::uint32_t>{});
    {
        WriteBatch batch;  // gathered writes count before they reach the file
        a.first();
        a.edit();
        a.fieldByName("NAME").setAsString("Anne");
        a.post();
        AddPerson(b, 3, "Cy");
        EXPECT_EQ(b.writtenSince(mark), (std::vector<std::uint32_t>{1, 3}));
    }
    a.first();
    a.deleteRecord();
    EXPECT_EQ(a.writtenSince(mark), (std::vector<std::uint32_t>{1, 3, 1}));

    // Another program writes: the next refresh that sees it starts anew.
    const Table::ChangeMark before = a.changeMark();
    std::vector<std::uint8_t> bytes = ReadBytes(dir.file("people.dbf"));
    ++bytes[16];  // the header's change counter
    WriteBytes(dir.file("people.dbf"), bytes);
    b.refresh();
    EXPECT_FALSE(a.writtenSince(before));
    EXPECT_FALSE(a.writtenSince(mark));
    const Table::ChangeMark after = a.changeMark();
    AddPerson(a, 4, "Di");
    EXPECT_EQ(b.writtenSince(after), std::vector<std::uint32_t>{4});

    // Closed and opened again: the marks of the old opening say nothing.
    a.close();
    b.close();
    OpenTable(a, dir.path(), "people");
    EXPECT_FALSE(a.writtenSince(after));
}
