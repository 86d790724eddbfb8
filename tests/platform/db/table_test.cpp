#include <cmath>
#include <cstring>
#include <map>

#include "db_test_util.h"
#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"

using namespace tw::db;
using namespace tw::db::test;

TEST(TableRoundTrip, EveryFieldType)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    const double when = tw::EncodeDate(2026, 12, 10);
    Bytes pic = {0, 1, 2, 0x1A, 0xFF, 0x1F, 7};
    {
        Table t;
        OpenTable(t, dir.path(), "PEOPLE.DBF");
        t.append();
        t.fieldByName("ID").setAsFloat(4294967295.0);
        t.fieldByName("NAME").setAsString("Zoë  ");
        t.fieldByName("QTY").setAsInteger(-32768);
        t.fieldByName("DAY").setAsDateTime(when + 0.75);
        t.fieldByName("OK").setAsBoolean(true);
        t.fieldByName("NOTES").setAsString("line 1\r\nline 2");
        t.fieldByName("PIC").setAsBytes(pic);
        t.post();
        t.append();
        t.post();  // all blank
    }
    Table t;
    OpenTable(t, dir.path(), "people");
    ASSERT_EQ(t.recordCount(), 2);
    t.first();
    EXPECT_EQ(t.fieldByName("ID").asFloat(), 4294967295.0);
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Zoë");
    EXPECT_EQ(t.fieldByName("QTY").asInteger(), -32768);
    EXPECT_EQ(t.fieldByName("DAY").asDateTime(), when);
    EXPECT_TRUE(t.fieldByName("OK").asBoolean());
    EXPECT_EQ(t.fieldByName("NOTES").asString(), "line 1\r\nline 2");
    EXPECT_EQ(t.fieldByName("PIC").asBytes(), pic);
    t.next();
    EXPECT_TRUE(t.fieldByName("ID").isNull());
    EXPECT_EQ(t.fieldByName("ID").asFloat(), 0.0);
    EXPECT_TRUE(t.fieldByName("NAME").isNull());
    EXPECT_EQ(t.fieldByName("NAME").asString(), "");
    EXPECT_TRUE(t.fieldByName("DAY").isNull());
    EXPECT_EQ(t.fieldByName("DAY").asDateTime(), 0.0);
    EXPECT_FALSE(t.fieldByName("OK").asBoolean());
    EXPECT_TRUE(t.fieldByName("NOTES").isNull());
    EXPECT_TRUE(t.fieldByName("PIC").asBytes().empty());
}

TEST(TableRoundTrip, FieldDefsFollowTheMapping)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields(), {{"NAME", "UPPER(NAME)", false}, {"ID", "ID", true}});
    Table t;
    OpenTable(t, dir.path(), "people");
    const auto& f = t.fieldDefs();
    ASSERT_EQ(f.size(), 7u);
    EXPECT_EQ(f[0].type, FieldType::Float);
    EXPECT_EQ(f[0].width, 20);
    EXPECT_EQ(f[0].decimals, 8);
    EXPECT_EQ(f[2].type, FieldType::Smallint);
    EXPECT_EQ(f[2].width, 6);
    EXPECT_EQ(f[5].type, FieldType::Memo);
    EXPECT_EQ(f[6].type, FieldType::Binary);
    ASSERT_EQ(t.indexDefs().size(), 2u);
    EXPECT_EQ(t.indexDefs()[0].expression, "UPPER(NAME)");
    EXPECT_TRUE(t.indexDefs()[1].descending);
    auto bytes = ReadBytes(dir.file("people.dbf"));
    EXPECT_EQ(bytes[0], 0x8B);
    EXPECT_EQ(bytes[28], 0);  // no production index claimed
}

TEST(TableRoundTrip, InstantsKeysAndMoney)
{
    TempDir dir;
    CreateTable(dir.path(), "t", {{"V", FieldType::Float, 0, 0}});
    Table t;
    OpenTable(t, dir.path(), "t");
    std::vector<double> values;
    for (int q = 0; q < 96 * 3; q += 7)
        values.push_back(46000.0 + q / 96.0);                    // quarter-hour instants
    values.push_back(46000.0 + 123456789.0 / tw::kMSecsPerDay);  // odd milliseconds
    values.push_back(2147483647.0);
    values.push_back(-2147483648.0);
    values.push_back(12345.6789);
    for (double v : values) {
        t.append();
        t.fieldByName("V").setAsFloat(v);
        t.post();
    }
    t.close();
    OpenTable(t, dir.path(), "t");
    std::size_t i = 0;
    for (t.first(); !t.eof(); t.next(), ++i) {
        double got = t.fieldByName("V").asFloat();
        EXPECT_LT(std::fabs(got - values[i]) * tw::kMSecsPerDay, 1.0) << i;
        EXPECT_EQ(std::llround(got * 96), std::llround(values[i] * 96)) << i;
    }
    EXPECT_EQ(i, values.size());
    t.first();
    for (std::size_t k = 0; k + 3 < values.size(); ++k)
        t.next();
    EXPECT_EQ(t.fieldByName("V").asFloat(), 2147483647.0);
    t.next();
    EXPECT_EQ(t.fieldByName("V").asInteger(), -2147483647 - 1);
    t.next();
    EXPECT_EQ(t.fieldByName("V").asCurrency(), 12345.6789);
}

TEST(TableRoundTrip, ValuesThatDoNotFitAreRefused)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    t.append();
    try {
        t.fieldByName("NAME").setAsString(std::string(21, 'x'));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::ValueDoesNotFit);
        EXPECT_NE(std::string(e.what()).find("people.dbf"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("NAME"), std::string::npos);
    }
    EXPECT_THROW(t.fieldByName("QTY").setAsInteger(40000), DbError);
    EXPECT_THROW(t.fieldByName("ID").setAsFloat(1e15), DbError);
    EXPECT_THROW(t.fieldByName("ID").setAsFloat(NAN), DbError);
    t.cancel();
    EXPECT_EQ(t.recordCount(), 0);
}

TEST(TableRoundTrip, DateTimeWithDayZeroIsBlank)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    t.append();
    t.fieldByName("DAY").setAsDateTime(0.5);
    t.post();
    EXPECT_TRUE(t.fieldByName("DAY").isNull());
}

TEST(TableNames, CaseAndExtensionDoNotMatter)
{
    TempDir dir;
    CreateTable(dir.path(), "ICharts.DBF", {{"A", FieldType::Float, 0, 0}});
    for (const char* n : {"ICharts.DBF", "ICharts.dbf", "icharts.dbf", "ICHARTS"}) {
        Table t;
        OpenTable(t, dir.path(), n);
        EXPECT_TRUE(t.active()) << n;
    }
    CreateTable(dir.path(), "wo1", {{"A", FieldType::Float, 0, 0}});
    EXPECT_TRUE(std::filesystem::exists(dir.file("wo1.dbf")));
    Table t;
    t.setFolder(dir.path());
    t.setTableName("missing");
    try {
        t.open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::NotFound);
        EXPECT_NE(std::string(e.what()).find("missing.dbf"), std::string::npos);
    }
}

TEST(TableNames, RepeatedFieldNameFindsTheFirst)
{
    TempDir dir;
    CreateTable(dir.path(), "bid",
                {{"CONTACT1", FieldType::Char, 10, 0}, {"CONTACT1", FieldType::Smallint, 0, 0}});
    Table t;
    OpenTable(t, dir.path(), "bid");
    t.append();
    t.fieldByName("CONTACT1").setAsString("Ann");
    t.field(1).setAsInteger(5);
    t.post();
    EXPECT_EQ(t.fieldByName("contact1").asString(), "Ann");
    EXPECT_EQ(t.field(1).asInteger(), 5);
}

TEST(TableNames, DatabaseNamesGoThroughTheResolver)
{
    TempDir dir;
    CreateTable(dir.path(), "x", {{"A", FieldType::Float, 0, 0}});
    SetDatabaseResolver(nullptr);
    Table t;
    t.setDatabaseName("scheduler");
    t.setTableName("x");
    try {
        t.open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::InvalidAlias);
        EXPECT_NE(std::string(e.what()).find("scheduler"), std::string::npos);
    }
    std::string folder = dir.path();
    SetDatabaseResolver([folder](const std::string& n) { return n == "scheduler" ? folder : std::string(); });
    t.open();
    EXPECT_TRUE(t.active());
    Table u;
    u.setDatabaseName("estimator");
    u.setTableName("x");
    EXPECT_THROW(u.open(), DbError);
    SetDatabaseResolver(nullptr);
}

TEST(TableCursor, NavigationDeleteAndCount)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    EXPECT_TRUE(t.isEmpty());
    for (int i = 1; i <= 5; ++i)
        AddPerson(t, i, "P" + std::to_string(i));
    EXPECT_EQ(t.recordCount(), 5);
    t.first();
    EXPECT_TRUE(t.bof());
    t.next();
    t.next();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "P3");
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "P4");
    EXPECT_EQ(t.recordCount(), 4);
    t.last();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.fieldByName("NAME").asString(), "P5");
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "P4");
    t.prior();
    t.prior();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.fieldByName("NAME").asString(), "P1");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"P1", "P2", "P4"}));
    // Deleting everything from the start ends at eof.
    t.first();
    while (!t.eof())
        t.deleteRecord();
    EXPECT_EQ(t.recordCount(), 0);
}

TEST(TableCursor, EditPostCancel)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    AddPerson(t, 1, "Ann");
    t.edit();
    t.fieldByName("NAME").setAsString("Bob");
    t.fieldByName("NOTES").setAsString("memo");
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Bob");
    t.cancel();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Ann");
    EXPECT_TRUE(t.fieldByName("NOTES").isNull());
    t.edit();
    t.fieldByName("NAME").setAsString("Bob");
    t.fieldByName("NOTES").setAsString("memo");
    t.post();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Bob");
    EXPECT_EQ(t.fieldByName("NOTES").asString(), "memo");
    EXPECT_THROW(t.fieldByName("NAME").setAsString("x"), DbError);
    t.append();
    t.cancel();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Bob");
    EXPECT_EQ(t.recordCount(), 1);
}

TEST(TableCursor, ReadOnlyRefusesWrites)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table w;
    OpenTable(w, dir.path(), "people");
    AddPerson(w, 1, "Ann");
    Table r;
    r.setReadOnly(true);
    OpenTable(r, dir.path(), "people");
    EXPECT_THROW(r.append(), DbError);
    EXPECT_THROW(r.edit(), DbError);
    EXPECT_THROW(r.deleteRecord(), DbError);
}

TEST(TableCursor, TwoCursorsSeeEachOtherAndLockRecords)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    OpenTable(a, dir.path(), "people");
    OpenTable(b, dir.path(), "people");
    AddPerson(a, 1, "Ann");
    b.refresh();
    b.first();
    EXPECT_EQ(b.fieldByName("NAME").asString(), "Ann");
    a.edit();
    try {
        b.edit();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::Locked);
    }
    a.fieldByName("NAME").setAsString("Anne");
    a.post();
    b.refresh();
    EXPECT_EQ(b.fieldByName("NAME").asString(), "Anne");
    b.edit();
    b.cancel();
}

TEST(TableCursor, CallbackFilter)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    for (int i = 1; i <= 6; ++i)
        AddPerson(t, i, "P" + std::to_string(i), i);
    t.setOnFilterRecord(
        [](const Table& x) { return const_cast<Table&>(x).fieldByName("QTY").asInteger() % 2 == 0; });
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"P2", "P4", "P6"}));
    EXPECT_FALSE(t.locate("ID", Value(3.0)));
    EXPECT_TRUE(t.locate("ID", Value(4.0)));
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 6);
}

TEST(TableLocate, OneAndSeveralFields)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    for (int i = 1; i <= 100; ++i)
        AddPerson(t, i * 10.0, "N" + std::to_string(i % 7), i % 3);
    EXPECT_TRUE(t.locate("ID", Value(500.0)));
    EXPECT_EQ(t.fieldByName("ID").asInteger(), 500);
    EXPECT_TRUE(t.locate("ID", Value(std::string("500"))));
    EXPECT_FALSE(t.locate("ID", Value(501.0)));
    EXPECT_EQ(t.fieldByName("ID").asInteger(), 500);  // stays put
    EXPECT_TRUE(t.locate("NAME;QTY", {Value(std::string("N3")), Value(1.0)}));
    EXPECT_EQ(t.fieldByName("ID").asInteger(), 100);           // first match: i = 10
    EXPECT_FALSE(t.locate("NAME", Value(std::string("n3"))));  // case-sensitive
    // The key map follows edits, appends and deletes.
    t.edit();
    t.fieldByName("ID").setAsFloat(7777);
    t.post();
    EXPECT_FALSE(t.locate("ID", Value(100.0)));
    EXPECT_TRUE(t.locate("ID", Value(7777.0)));
    t.deleteRecord();
    EXPECT_FALSE(t.locate("ID", Value(7777.0)));
    AddPerson(t, 8888, "New");
    t.first();
    EXPECT_TRUE(t.locate("ID", Value(8888.0)));
    EXPECT_THROW(t.locate("NOPE", Value(1.0)), DbError);
}

TEST(TableLocate, IgnoringCaseMatchesWholeValuesOnly)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    AddPerson(t, 1, "Smith", 1);
    AddPerson(t, 2, "smith jr", 2);
    AddPerson(t, 3, "\xC3\x89mile", 3);  // a letter beyond a-z keeps its case, as UPPER() keeps it
    struct Case {
        const char* name;
        double found;  // 0: none
    };
    const Case cases[] = {
        {"SMITH", 1}, {"smith", 1}, {"sMiTh  ", 1},  // trailing blanks are the field's padding
        {"smi", 0},                                   // no prefix match
        {"Smith Jr", 2}, {"\xC3\x89MILE", 3}, {"\xC3\xA9mile", 0}, {"", 0},
    };
    for (const Case& c : cases) {
        t.first();
        EXPECT_EQ(t.locateIgnoringCase("NAME", Value(std::string(c.name))), c.found != 0) << c.name;
        if (c.found != 0)
            EXPECT_EQ(t.fieldByName("ID").asFloat(), c.found) << c.name;
    }
    EXPECT_FALSE(t.locate("NAME", Value(std::string("SMITH"))));  // the exact locate stays exact
    EXPECT_TRUE(t.locateIgnoringCase("NAME;QTY", {Value(std::string("SMITH JR")), Value(2.0)}));
    EXPECT_FALSE(t.locateIgnoringCase("NAME;QTY", {Value(std::string("SMITH JR")), Value(1.0)}));
    // The folded key map follows edits and appends, also those still pending in a write batch.
    {
        WriteBatch batch;
        t.locate("ID", Value(1.0));
        t.edit();
        t.fieldByName("NAME").setAsString("Jones");
        t.post();
        AddPerson(t, 4, "Brown");
        EXPECT_FALSE(t.locateIgnoringCase("NAME", Value(std::string("smith"))));
        EXPECT_TRUE(t.locateIgnoringCase("NAME", Value(std::string("JONES"))));
        EXPECT_TRUE(t.locateIgnoringCase("NAME", Value(std::string("brown"))));
        EXPECT_EQ(t.fieldByName("ID").asInteger(), 4);
        batch.commit();
    }
}

TEST(TableLocate, SeesOtherCursorsAfterRefresh)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    OpenTable(a, dir.path(), "people");
    OpenTable(b, dir.path(), "people");
    AddPerson(a, 1, "A");
    EXPECT_TRUE(b.locate("ID", Value(1.0)));
    AddPerson(a, 2, "B");
    b.refresh();
    EXPECT_TRUE(b.locate("ID", Value(2.0)));
}

TEST(TableIndex, AscendingDescendingUpper)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields(),
                {{"NAME", "UPPER(NAME)", false},
                 {"RAWNAME", "NAME", false},
                 {"IDDESC", "ID", true},
                 {"DAY", "DAY", false}});
    Table t;
    OpenTable(t, dir.path(), "people");
    AddPerson(t, 3, "bravo");
    AddPerson(t, 1, "Charlie");
    AddPerson(t, 2, "alpha");
    AddPerson(t, 5, "Alpha");
    t.setIndexName("NAME");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"alpha", "Alpha", "bravo", "Charlie"}));
    t.setIndexName("RAWNAME");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"Alpha", "Charlie", "alpha", "bravo"}));
    t.setIndexName("IDDESC");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"Alpha", "bravo", "alpha", "Charlie"}));
    // Kept current on writes.
    t.first();
    t.edit();
    t.fieldByName("ID").setAsFloat(0);
    t.post();
    AddPerson(t, 4, "delta");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"delta", "bravo", "alpha", "Charlie", "Alpha"}));
    t.setIndexName("");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"bravo", "Charlie", "alpha", "Alpha", "delta"}));
    EXPECT_THROW(t.setIndexName("NOSUCH"), DbError);
    // Another cursor's writes show after refresh.
    Table u;
    u.setIndexName("NAME");
    OpenTable(u, dir.path(), "people");
    AddPerson(t, 9, "aardvark");
    u.refresh();
    u.first();
    EXPECT_EQ(u.fieldByName("NAME").asString(), "aardvark");
    // Locate in index order picks the first in that order.
    t.setIndexName("IDDESC");
    AddPerson(t, 10, "alpha");
    EXPECT_TRUE(t.locate("NAME", Value(std::string("alpha"))));
    EXPECT_EQ(t.fieldByName("ID").asInteger(), 10);
}

TEST(TableRefresh, KeepsPositionAndSeesChanges)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    OpenTable(a, dir.path(), "people");
    for (int i = 1; i <= 3; ++i)
        AddPerson(a, i, "P" + std::to_string(i));
    OpenTable(b, dir.path(), "people");
    b.next();
    EXPECT_EQ(b.fieldByName("NAME").asString(), "P2");
    a.locate("ID", Value(2.0));
    a.deleteRecord();
    b.refresh();
    EXPECT_EQ(b.fieldByName("NAME").asString(), "P3");
    EXPECT_EQ(b.recordCount(), 2);
}

TEST(TableSharing, ExclusiveInOneProcessIsShared)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    a.setExclusive(true);
    OpenTable(a, dir.path(), "people");
    OpenTable(b, dir.path(), "people");
    AddPerson(a, 1, "x");
    b.refresh();
    EXPECT_EQ(b.recordCount(), 1);
}

TEST(TableTestAndSet, ChangesOnlyWhenTheCallbackSays)
{
    TempDir dir;
    CreateTable(dir.path(), "access", {{"ACCID", FieldType::Float, 0, 0}, {"USE", FieldType::Logical, 0, 0}});
    Table t;
    OpenTable(t, dir.path(), "access");
    t.append();
    t.fieldByName("ACCID").setAsFloat(1);
    t.post();
    auto take = [](Table& x) {
        if (x.fieldByName("USE").asBoolean())
            return false;
        x.fieldByName("USE").setAsBoolean(true);
        return true;
    };
    EXPECT_TRUE(t.testAndSet(take));
    EXPECT_FALSE(t.testAndSet(take));
    EXPECT_TRUE(t.fieldByName("USE").asBoolean());
    EXPECT_EQ(t.state(), Table::State::Browse);
}

// ------------------------------------------------- filters in the cursor

namespace {

void FilterFill(Table& t)
{
    for (int i = 1; i <= 8; ++i) {
        t.append();
        t.fieldByName("ID").setAsFloat(i);
        t.fieldByName("NAME").setAsString("N" + std::to_string(i));
        t.fieldByName("QTY").setAsInteger(i % 3);
        t.fieldByName("OK").setAsBoolean(i % 2 == 0);
        t.fieldByName("DAY").setAsDateTime(tw::EncodeDate(2026, 12, i));
        t.post();
    }
}

}  // namespace

TEST(TableFilter, CountAndNavigationSkipFilteredRecords)
{
    tw::locale::PinLocale("en_US");
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields(), {{"IDDESC", "ID", true}});
    Table t;
    OpenTable(t, dir.path(), "people");
    FilterFill(t);
    t.setFilter("NOT OK");
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 4);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"N1", "N3", "N5", "N7"}));
    t.last();
    t.prior();
    EXPECT_EQ(t.fieldByName("NAME").asString(), "N5");
    t.setFilter("(ID = 2) OR (ID = 5) OR (ID = 7)");
    EXPECT_EQ(t.recordCount(), 3);
    t.setIndexName("IDDESC");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"N7", "N5", "N2"}));
    t.setIndexName("");
    t.setFilter("(DAY >= '12/3/2026') AND (DAY <= '12/5/2026') AND QTY <> 0");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"N4", "N5"}));
    EXPECT_FALSE(t.locate("ID", Value(3.0)));  // filtered out
    EXPECT_TRUE(t.locate("ID", Value(5.0)));
    // Filter text and callback together.
    t.setOnFilterRecord(
        [](const Table& x) { return const_cast<Table&>(x).fieldByName("ID").asInteger() != 4; });
    EXPECT_EQ(Names(t), (std::vector<std::string>{"N5"}));
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 8);
}

TEST(TableFilter, RefreshWithAFilterSeesOtherCursorsChanges)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table a, b;
    OpenTable(a, dir.path(), "people");
    FilterFill(a);
    b.setFilter("QTY = 1");
    b.setFiltered(true);
    OpenTable(b, dir.path(), "people");
    EXPECT_EQ(b.recordCount(), 3);  // 1, 4, 7
    EXPECT_EQ(b.fieldByName("NAME").asString(), "N1");
    a.first();  // N1 leaves the filter
    a.edit();
    a.fieldByName("QTY").setAsInteger(2);
    a.post();
    AddPerson(a, 9, "N9", 1);
    b.refresh();
    EXPECT_EQ(b.recordCount(), 3);  // 4, 7, 9
    EXPECT_EQ(b.fieldByName("NAME").asString(), "N4");
    EXPECT_EQ(Names(b), (std::vector<std::string>{"N4", "N7", "N9"}));
}

TEST(TableFilter, MalformedFilterIsRefused)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    try {
        t.setFilter("(ID = ");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::InvalidFilter);
    }
    Table u;
    u.setFilter("NOSUCH = 1");
    u.setFiltered(true);
    u.setFolder(dir.path());
    u.setTableName("people");
    EXPECT_THROW(u.open(), DbError);
    EXPECT_FALSE(u.active());
}

TEST(TableFields, TextsOfNumbersAndConversions)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    t.post();  // nothing to post: no error
    t.append();
    t.fieldByName("ID").setAsString("1234.5678");
    t.fieldByName("NAME").setAsFloat(12.5);
    t.fieldByName("QTY").setAsFloat(2.5);  // rounds half to even
    t.fieldByName("OK").setAsString("True");
    t.post();
    EXPECT_EQ(t.fieldByName("ID").asString(), "1234.5678");
    EXPECT_EQ(t.fieldByName("NAME").asString(), "12.5");
    EXPECT_EQ(t.fieldByName("NAME").asFloat(), 12.5);
    EXPECT_EQ(t.fieldByName("QTY").asInteger(), 2);
    EXPECT_EQ(t.fieldByName("OK").asString(), "True");
    EXPECT_EQ(t.fieldByName("ID").asInteger(), 1235);
    t.edit();
    EXPECT_THROW(t.fieldByName("ID").setAsString("abc"), DbError);
    t.fieldByName("ID").setAsString("");
    t.post();
    EXPECT_TRUE(t.fieldByName("ID").isNull());
    EXPECT_THROW(t.fieldByName("NOPE"), DbError);
    EXPECT_FALSE(t.findField("NOPE").has_value());
}

// A dBase III table (0x83) with a memo, laid out by hand as another program
// writes it: read, then extended in the dBase III memo layout.
TEST(TableDbase3, ReadAndExtendADbase3TableWithMemo)
{
    TempDir dir;
    std::vector<std::uint8_t> h(32 + 2 * 32 + 1, 0);
    h[0] = 0x83;
    h[4] = 1;  // one record
    h[8] = static_cast<std::uint8_t>(h.size());
    h[10] = 1 + 10 + 10;  // record length
    auto field = [&](int i, const char* n, char type, int w) {
        std::memcpy(&h[32 + 32 * i], n, std::strlen(n));
        h[32 + 32 * i + 11] = static_cast<std::uint8_t>(type);
        h[32 + 32 * i + 16] = static_cast<std::uint8_t>(w);
    };
    field(0, "NAME", 'C', 10);
    field(1, "NOTES", 'M', 10);
    h.back() = 0x0D;
    std::string rec = " Old       " + std::string("         1");
    std::vector<std::uint8_t> dbf = h;
    dbf.insert(dbf.end(), rec.begin(), rec.end());
    dbf.push_back(0x1A);
    WriteBytes(dir.file("OLD.DBF"), dbf);
    std::vector<std::uint8_t> dbt(1024, 0);
    dbt[0] = 2;
    const std::string memo = "dBase III memo";
    std::memcpy(&dbt[512], memo.data(), memo.size());
    dbt[512 + memo.size()] = 0x1A;
    dbt[513 + memo.size()] = 0x1A;
    WriteBytes(dir.file("OLD.DBT"), dbt);

    Table t;
    OpenTable(t, dir.path(), "old");
    EXPECT_EQ(t.fieldByName("NAME").asString(), "Old");
    EXPECT_EQ(t.fieldByName("NOTES").asString(), memo);
    t.append();
    t.fieldByName("NAME").setAsString("New");
    t.fieldByName("NOTES").setAsString("second memo");
    t.post();
    t.close();
    auto bytes = ReadBytes(dir.file("OLD.DBF"));
    EXPECT_EQ(bytes[0], 0x83);  // stays dBase III
    auto m = ReadBytes(dir.file("OLD.DBT"));
    ASSERT_GE(m.size(), 1024u + 13);
    EXPECT_EQ(std::string(m.begin() + 1024, m.begin() + 1035), "second memo");
    EXPECT_EQ(m[1035], 0x1A);
    OpenTable(t, dir.path(), "OLD.dbf");
    t.last();
    EXPECT_EQ(t.fieldByName("NOTES").asString(), "second memo");
    t.first();
    EXPECT_EQ(t.fieldByName("NOTES").asString(), memo);
}

// A table larger than a process keeps in memory (about 37 MB of records):
// walks forwards and back, again and again, see every record as written,
// also one edited by another cursor and one appended in the middle of a
// walk, however the runs beyond the memory budget are read.
TEST(TableCache, WalksOverATableLargerThanTheCacheSeeEveryRecordAsWritten)
{
    TempDir dir;
    CreateTable(dir.path(), "big", {{"ID", FieldType::Float, 0, 0}, {"TEXT", FieldType::Char, 250, 0},
                                   {"MORE", FieldType::Char, 250, 0}, {"REST", FieldType::Char, 250, 0}});
    const int records = 48000;
    std::map<int, std::string> expected;
    Table a, b;
    OpenTable(a, dir.path(), "big");
    {
        WriteBatch batch;
        for (int id = 1; id <= records; ++id) {
            a.append();
            a.fieldByName("ID").setAsInteger(id);
            expected[id] = "record " + std::to_string(id);
            a.fieldByName("TEXT").setAsString(expected[id]);
            a.fieldByName("REST").setAsString(expected[id]);
            a.post();
        }
        batch.commit();
    }
    OpenTable(b, dir.path(), "big");
    auto check = [&](Table& t, int id) {
        ASSERT_EQ(t.fieldByName("ID").asInteger(), id);
        ASSERT_EQ(t.fieldByName("TEXT").asString(), expected[id]) << id;
        ASSERT_EQ(t.fieldByName("REST").asString(), "record " + std::to_string(id)) << id;
    };
    for (int walk = 0; walk < 3; ++walk) {
        SCOPED_TRACE(walk);
        int id = 0;
        for (a.first(); !a.eof(); a.next()) {
            check(a, ++id);
            if (walk == 1 && id == records / 2) {
                // Another cursor edits a record ahead of the walk and one behind it.
                for (int edited : {id - 3000, id + 3000}) {
                    ASSERT_TRUE(b.locate("ID", Value(static_cast<double>(edited))));
                    b.edit();
                    expected[edited] = "edited " + std::to_string(edited);
                    b.fieldByName("TEXT").setAsString(expected[edited]);
                    b.post();
                }
                b.append();
                b.fieldByName("ID").setAsInteger(records + 1);
                expected[records + 1] = "record " + std::to_string(records + 1);
                b.fieldByName("TEXT").setAsString(expected[records + 1]);
                b.fieldByName("REST").setAsString(expected[records + 1]);
                b.post();
            }
        }
        EXPECT_EQ(id, static_cast<int>(expected.size()));
        for (b.last(); !b.bof(); b.prior())
            check(b, id--);
        EXPECT_EQ(id, 0);
    }
}
