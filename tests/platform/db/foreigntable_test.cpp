// Tables another dBase program keeps: a file without an extension found by
// its name as given, and the tags a caller knows for a table that comes
// without our index definitions, built in memory and never written.
#include <filesystem>
#include <set>

#include "db_test_util.h"

using namespace tw::db;
using namespace tw::db::test;

namespace {

namespace fs = std::filesystem;

std::set<std::string> Files(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

void AddNames(const std::string& folder, const std::string& table, std::initializer_list<const char*> names)
{
    Table t;
    OpenTable(t, folder, table);
    for (const char* name : names) {
        t.append();
        t.fieldByName("NAME").setAsString(name);
        t.post();
    }
}

std::vector<std::string> NamesInOrder(Table& t)
{
    std::vector<std::string> names;
    for (t.first(); !t.eof(); t.next())
        names.push_back(t.fieldByName("NAME").asString());
    return names;
}

}  // namespace

TEST(ForeignTable, ANameWithoutExtensionIsFirstLookedForAsGiven)
{
    TempDir dir;
    CreateTable(dir.path(), "made.dbf", PeopleFields());
    AddNames(dir.path(), "made.dbf", {"bare"});
    fs::rename(fs::path(dir.path()) / "made.dbf", fs::path(dir.path()) / "wo1");
    fs::rename(fs::path(dir.path()) / "made.dbt", fs::path(dir.path()) / "wo1.dbt");

    for (const char* name : {"wo1", "WO1"}) {
        Table t;
        OpenTable(t, dir.path(), name);
        EXPECT_EQ(NamesInOrder(t), std::vector<std::string>{"bare"}) << name;
        EXPECT_EQ(fs::path(t.path()).filename(), "wo1");
    }
    // Written through that name, it keeps its memo file and gains no other table.
    AddNames(dir.path(), "wo1", {"more"});
    {
        Table t;
        OpenTable(t, dir.path(), "wo1");
        t.last();
        t.edit();
        t.fieldByName("NOTES").setAsString("a memo");
        t.post();
    }
    EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "wo1.dbf"));
    {
        Table t;
        OpenTable(t, dir.path(), "wo1");
        t.last();
        EXPECT_EQ(t.fieldByName("NOTES").asString(), "a memo");
    }

    // With both files there, the name as given wins; "wo1.dbf" names the other.
    CreateTable(dir.path(), "wo1.dbf", PeopleFields());
    AddNames(dir.path(), "wo1.dbf", {"with extension"});
    Table bare, full;
    OpenTable(bare, dir.path(), "wo1");
    OpenTable(full, dir.path(), "wo1.dbf");
    EXPECT_EQ(NamesInOrder(bare), (std::vector<std::string>{"bare", "more"}));
    EXPECT_EQ(NamesInOrder(full), std::vector<std::string>{"with extension"});

    // A folder of that name is no table.
    TempDir other;
    fs::create_directory(fs::path(other.path()) / "wo2");
    CreateTable(other.path(), "wo2.dbf", PeopleFields());
    Table t;
    EXPECT_NO_THROW(OpenTable(t, other.path(), "wo2"));
}

TEST(ForeignTable, KnownTagsAreBuiltInMemoryForATableWithoutDefinitions)
{
    TempDir dir;
    CreateTable(dir.path(), "company.dbf", PeopleFields());
    AddNames(dir.path(), "company.dbf", {"cedar", "Alder", "birch"});
    const std::set<std::string> files = Files(dir.path());

    {
        Table t;
        t.setIndexName("NAME");
        EXPECT_THROW(OpenTable(t, dir.path(), "company.dbf"), DbError) << "no tag without a definition";
    }
    Table byName, plain;
    byName.setKnownIndexes({{"NAME", "UPPER(NAME)", false}, {"ID", "ID", false}});
    byName.setIndexName("NAME");
    OpenTable(byName, dir.path(), "company.dbf");
    EXPECT_EQ(NamesInOrder(byName), (std::vector<std::string>{"Alder", "birch", "cedar"}));
    // A second cursor on the file sees the tag too, and its writes move the order.
    plain.setKnownIndexes({{"NAME", "UPPER(NAME)", false}});
    OpenTable(plain, dir.path(), "company.dbf");
    plain.append();
    plain.fieldByName("NAME").setAsString("Aspen");
    plain.post();
    EXPECT_EQ(NamesInOrder(byName), (std::vector<std::string>{"Alder", "Aspen", "birch", "cedar"}));
    byName.setIndexName("ID");
    EXPECT_EQ(byName.indexDefs().size(), 2u);
    byName.close();
    plain.close();
    // Only the table's own files: nothing of the tags reached the folder.
    std::set<std::string> after = Files(dir.path());
    for (const std::string& name : after)
        EXPECT_TRUE(files.count(name) || name.ends_with(".twr")) << name;

    // A known tag over a field this copy of the table lacks is not there:
    // the table opens, and only a cursor that asks for that tag is refused.
    Table lacking;
    lacking.setKnownIndexes({{"CITY", "CITY", false}, {"NAME", "UPPER(NAME)", false}});
    OpenTable(lacking, dir.path(), "company.dbf");
    EXPECT_THROW(lacking.setIndexName("CITY"), DbError);
    lacking.setIndexName("NAME");
    EXPECT_EQ(NamesInOrder(lacking).front(), "Alder");
    lacking.close();

    // Definitions beside the table win over the known ones.
    CreateTable(dir.path(), "own.dbf", PeopleFields(), {{"NAME", "NAME", true}});
    AddNames(dir.path(), "own.dbf", {"a", "c", "b"});
    Table own;
    own.setKnownIndexes({{"NAME", "UPPER(NAME)", false}, {"QTY", "QTY", false}});
    own.setIndexName("NAME");
    OpenTable(own, dir.path(), "own.dbf");
    EXPECT_EQ(NamesInOrder(own), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_THROW(own.setIndexName("QTY"), DbError);
}
