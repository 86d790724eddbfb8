// The poll's look at a closed table: a link or a pipe planted in place of
// the table gives no stamp (the open that follows reports it) instead of
// reading a file outside the folder or hanging the poll.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/db/tableops.h"
#include "schedule/sync/changestamp.h"

namespace {

namespace fs = std::filesystem;

TEST(ChangeStamp, IsReadFromThePlainTableFileOnly)
{
    char tmpl[] = "/tmp/twstampXXXXXX";
    const fs::path root = ::mkdtemp(tmpl);
    const fs::path db = root / "db";
    fs::create_directory(db);
    tw::db::CreateTable(db.string(), "people", {{"ID", tw::db::FieldType::Float, 0, 0}});
    tw::db::Table table;
    table.setFolder(db.string());
    table.setTableName("people");
    EXPECT_TRUE(tw::schedule::ReadChangeStamp(table).has_value());

    fs::rename(db / "people.dbf", root / "outside.dbf");
    fs::create_symlink(root / "outside.dbf", db / "people.dbf");
    EXPECT_FALSE(tw::schedule::ReadChangeStamp(table).has_value());

    fs::remove(db / "people.dbf");
    ASSERT_EQ(::mkfifo((db / "people.dbf").c_str(), 0600), 0);
    EXPECT_FALSE(tw::schedule::ReadChangeStamp(table).has_value());
    fs::remove_all(root);
}

}  // namespace
