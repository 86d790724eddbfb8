// Kept numbers do not follow the desktop's locale: a process started under
// a locale with a decimal comma, QApplication constructed as in the program,
// writes every field type, and python3-dbfread reads the same values back.
#include <cstdlib>

#include "db_test_util.h"
#include "process_util.h"

using namespace tw::db;
using namespace tw::db::test;

TEST(Locale, NumbersAreWrittenTheSameUnderADecimalCommaLocale)
{
#ifndef TW_DB_LOCALE_TOOL
    GTEST_SKIP() << "built without Qt Widgets";
#else
    for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(locale);
        TempDir dir;
        const pid_t p = tw::testing::SpawnTool(TW_DB_LOCALE_TOOL, {"locale-write", dir.path(), locale});
        ASSERT_EQ(Wait(p), 0) << "7: the locale was not in effect; 8: our engine read another value";
        const std::string check =
            std::string("/usr/bin/python3 ") + TW_DB_TEST_DIR + "/locale_check.py " + dir.path();
        EXPECT_EQ(std::system(check.c_str()), 0);
    }
#endif
}

TEST(Locale, AStoredDecimalCommaIsNotANumber)
{
    TempDir dir;
    CreateTable(dir.path(), "people", PeopleFields());
    Table t;
    OpenTable(t, dir.path(), "people");
    AddPerson(t, 1.5, "one");
    t.close();
    // The ID field (F 20,8) as a writer under a decimal-comma locale leaves it.
    auto b = ReadBytes(dir.file("people.dbf"));
    const std::string text = "          1.50000000";
    const auto at = std::search(b.begin(), b.end(), text.begin(), text.end());
    ASSERT_NE(at, b.end());
    at[11] = ',';
    WriteBytes(dir.file("people.dbf"), b);
    OpenTable(t, dir.path(), "people");
    EXPECT_FALSE(t.locate("ID", Value(1.5)));
    t.first();
    EXPECT_NE(t.fieldByName("ID").value(), Value(1.5));
}
