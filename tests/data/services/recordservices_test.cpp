#include "data/services/recordservices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "platform/datetime/datetime.h"
#include "platform/db/tableops.h"

namespace tw::data {
namespace {

namespace fs = std::filesystem;
using db::FieldType;

class RecordServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/twrecXXXXXX";
        folder_ = ::mkdtemp(tmpl);
        db::CreateTable(folder_, "keys.dbf",
                        {{"KEY", FieldType::Float, 20, 8}, {"NAME", FieldType::Char, 10, 0}});
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Open(db::Table& t, const std::string& name)
    {
        t.setFolder(folder_);
        t.setTableName(name);
        t.open();
    }
    void AddKeys(std::initializer_list<int> keys)
    {
        db::Table t;
        Open(t, "keys.dbf");
        for (int k : keys) {
            t.append();
            t.fieldByName("KEY").setAsInteger(k);
            t.post();
        }
    }

    std::string folder_;
};

// A clock standing at 0:00:01.000, so the n-th key of the run is 1000 + n.
TDateTime OneSecondPastMidnight()
{
    return EncodeDate(2026, 12, 10) + EncodeTime(0, 0, 1, 0);
}

TEST_F(RecordServicesTest, AKeyThatIsTakenIsDrawnAgainAndTheCursorComesBack)
{
    AddKeys({1001, 1002, 1003, 5});
    db::Table t;
    Open(t, "keys.dbf");
    ASSERT_TRUE(t.locate("KEY", db::Value(5.0)));
    RecordKeys keys(&OneSecondPastMidnight);
    EXPECT_EQ(UniqueKeyValue(keys, t, "KEY"), 1004);
    EXPECT_TRUE(t.active());
    EXPECT_EQ(t.fieldByName("KEY").asInteger(), 5);
}

TEST_F(RecordServicesTest, AnEmptyOrClosedTableIsLeftAsItWasFound)
{
    db::Table t;
    t.setFolder(folder_);
    t.setTableName("keys.dbf");
    RecordKeys keys(&OneSecondPastMidnight);
    EXPECT_EQ(UniqueKeyValue(keys, t, "KEY"), 1001);  // empty: no lookup
    EXPECT_FALSE(t.active());
    AddKeys({1002});
    EXPECT_EQ(UniqueKeyValue(keys, t, "KEY"), 1003);
    EXPECT_FALSE(t.active());
}

TEST_F(RecordServicesTest, AClockThatKeepsMeetingTakenKeysEndsInAnErrorNotADuplicate)
{
    AddKeys({7000});
    db::Table t;
    Open(t, "keys.dbf");
    // Each reading of the clock is one millisecond earlier than the last, so
    // time plus counter stays 7000: every candidate is the taken key.
    int calls = 0;
    RecordKeys keys([&] { return EncodeDate(2026, 12, 10) + (7000.0 - ++calls) / kMSecsPerDay; });
    EXPECT_THROW(UniqueKeyValue(keys, t, "KEY"), std::runtime_error);
}

TEST_F(RecordServicesTest, CopyRecordCarriesFieldsByNameAndSkipsWhatTheTargetCannotHold)
{
    db::CreateTable(folder_, "src.dbf",
                    {{"ID", FieldType::Float, 20, 8},
                     {"DESC", FieldType::Char, 30, 0},
                     {"SD", FieldType::Date, 8, 0},
                     {"DONE", FieldType::Logical, 1, 0},
                     {"NOTES", FieldType::Memo, 10, 0},
                     {"EXTRA", FieldType::Char, 5, 0},
                     {"N", FieldType::Smallint, 6, 0}});
    db::CreateTable(folder_, "dst.dbf",
                    {{"DESC", FieldType::Char, 10, 0},
                     {"ID", FieldType::Float, 20, 8},
                     {"SD", FieldType::Date, 8, 0},
                     {"DONE", FieldType::Logical, 1, 0},
                     {"NOTES", FieldType::Memo, 10, 0},
                     {"N", FieldType::Smallint, 6, 0}});
    db::Table src;
    db::Table dst;
    Open(src, "src.dbf");
    Open(dst, "dst.dbf");
    src.append();
    src.fieldByName("ID").setAsInteger(42);
    src.fieldByName("DESC").setAsString("far too long for ten");
    src.fieldByName("DONE").setAsBoolean(true);
    src.fieldByName("NOTES").setAsString("line one\r\nline two");
    src.fieldByName("EXTRA").setAsString("x");
    src.fieldByName("N").setAsInteger(-3);
    src.post();

    copy_record(true, src, dst);
    ASSERT_EQ(dst.recordCount(), 1);
    dst.first();
    EXPECT_EQ(dst.fieldByName("ID").asInteger(), 42);
    EXPECT_TRUE(dst.fieldByName("DESC").isNull());  // did not fit: skipped
    EXPECT_TRUE(dst.fieldByName("SD").isNull());    // no date stays no date
    EXPECT_TRUE(dst.fieldByName("DONE").asBoolean());
    EXPECT_EQ(dst.fieldByName("NOTES").asString(), "line one\r\nline two");
    EXPECT_EQ(dst.fieldByName("N").asInteger(), -3);

    // Without append the caller edits and posts.
    src.edit();
    src.fieldByName("DESC").setAsString("short");
    src.fieldByName("SD").setAsDateTime(EncodeDate(2026, 12, 8));
    src.post();
    dst.edit();
    copy_record(false, src, dst);
    dst.post();
    EXPECT_EQ(dst.recordCount(), 1);
    EXPECT_EQ(dst.fieldByName("DESC").asString(), "short");
    EXPECT_DOUBLE_EQ(dst.fieldByName("SD").asDateTime(), EncodeDate(2026, 12, 8));
}

TEST_F(RecordServicesTest, EmptyTableDeletesEveryRecord)
{
    AddKeys({1, 2, 3});
    db::Table t;
    Open(t, "keys.dbf");
    EmptyTable(t);
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.eof());
}

TEST(IsNetworkPath, UncPathsAreNetworkAndLocalFoldersAreNot)
{
    EXPECT_TRUE(IsNetworkPath("//server/share/schedule"));
    EXPECT_TRUE(IsNetworkPath("\\\\server\\share"));
    EXPECT_FALSE(IsNetworkPath("/tmp"));
    EXPECT_FALSE(IsNetworkPath("/"));
}

}  // namespace
}  // namespace tw::data
