#pragma once
// A write cut off as a kill would cut it: the fixture of the journal tests.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "db_test_util.h"
#include "failing_fs.h"

namespace tw::db::test {

inline std::uint32_t HeaderWord(const std::string& dbf, int at)
{
    const auto b = ReadBytes(dbf);
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

inline std::size_t RecordLength(const std::string& dbf)
{
    const auto b = ReadBytes(dbf);
    return static_cast<std::size_t>(b[10] | (b[11] << 8));
}

inline void FillBig(Table& t, int n)
{
    for (int id = 1; id <= n; ++id) {
        t.append();
        t.fieldByName("ID").setAsFloat(id);
        t.fieldByName("VER").setAsFloat(0);
        for (int i = 1; i <= 16; ++i)
            t.field(1 + i).setAsString(std::string(250, 'A'));
        t.post();
    }
}

inline void EditToVersion1(Table& t, double id)
{
    ASSERT_TRUE(t.locate("ID", std::vector<Value>{id}));
    t.edit();
    t.fieldByName("VER").setAsFloat(1);
    for (int i = 1; i <= 16; ++i)
        t.field(1 + i).setAsString(std::string(250, 'B'));
    t.post();
}

// Two equal tables: in `cut` the edit of record 2 stops after its journal is
// on disk (the record write fails, as a kill would stop it); in `done` it
// completes. Gives the record's offset and length.
struct CutOffEdit {
    TempDir cut, done;
    std::uint64_t offset = 0;
    std::size_t length = 0;
    std::string dbf() const { return cut.file("big.dbf"); }

    // dieAtDbfWrite: 1 before the table is touched, 2 after the header that
    // says a write has begun.
    explicit CutOffEdit(int dieAtDbfWrite = 2)
    {
        for (const auto* d : {&cut, &done}) {
            CreateTable(d->path(), "big", BigFields());
            Table t;
            OpenTable(t, d->path(), "big");
            FillBig(t, 3);
        }
        {
            Table t;
            OpenTable(t, done.path(), "big");
            EditToVersion1(t, 2);
        }
        length = RecordLength(dbf());
        const auto head = ReadBytes(dbf());
        const std::uint16_t hlen = static_cast<std::uint16_t>(head[8] | (head[9] << 8));
        offset = hlen + length;
        FailingFs failing;
        int dbfWrites = 0;
        failing.dieAt = [&](const std::string& p) { return p == dbf() && ++dbfWrites == dieAtDbfWrite; };
        SetFileSystem(&failing);
        {
            Table t;
            OpenTable(t, cut.path(), "big");
            EXPECT_THROW(EditToVersion1(t, 2), DbError);
            t.cancel();
        }
        SetFileSystem(nullptr);
        EXPECT_GT(std::filesystem::file_size(cut.file("big.twr")), 100U);
    }

    // Puts the finished table's bytes of [from, to) into the cut-off one.
    void tear(std::uint64_t from, std::uint64_t to)
    {
        auto a = ReadBytes(dbf());
        const auto b = ReadBytes(done.file("big.dbf"));
        std::memcpy(a.data() + from, b.data() + from, static_cast<std::size_t>(to - from));
        WriteBytes(dbf(), a);
    }
};

// What python3-dbfread reads in a table (table_dump.py): the count, then a
// line per record; the error text when the count does not match the file.
inline std::string DbfRead(const std::string& dbf)
{
    const std::string command =
        std::string("/usr/bin/python3 ") + TW_DB_TEST_DIR + "/table_dump.py '" + dbf + "' 2>&1";
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[512];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

inline long VersionOf(Table& t, double id)
{
    EXPECT_TRUE(t.locate("ID", std::vector<Value>{id}));
    EXPECT_EQ(MixedVersion(t), "");
    return t.fieldByName("VER").asInteger();
}

}  // namespace tw::db::test
