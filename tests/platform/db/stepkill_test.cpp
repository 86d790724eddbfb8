// A writer killed at each I/O step of an edit, an append, a batch over one
// table and a batch over two tables, each step also with its write torn at a
// sector boundary. After every kill: our engine opened read-only (reading
// through the journal it may not apply), then opened for writing (which
// finishes or drops it), then python3-dbfread: no record mixes two versions
// and every batch is all or nothing.
#include <filesystem>
#include <map>
#include <set>

#include "cutoff_util.h"
#include "process_util.h"

using namespace tw::db;
using namespace tw::db::test;

namespace {

void MakeTables(const TempDir& dir)
{
    for (const char* name : {"big", "big2"}) {
        CreateTable(dir.path(), name, BigFields());
        Table t;
        OpenTable(t, dir.path(), name);
        FillBig(t, 3);
    }
}

// ID -> version of every live record, each checked to be whole.
std::map<long, long> Versions(const std::string& folder, const std::string& name, bool readOnly)
{
    std::map<long, long> out;
    Table t;
    t.setReadOnly(readOnly);
    OpenTable(t, folder, name);
    for (t.first(); !t.eof(); t.next()) {
        EXPECT_EQ(MixedVersion(t), "") << name << " record " << t.fieldByName("ID").asInteger();
        out[t.fieldByName("ID").asInteger()] = t.fieldByName("VER").asInteger();
    }
    return out;
}

void ExpectConsistent(const std::string& folder, const std::string& what, bool readOnly, bool completed)
{
    const auto big = Versions(folder, "big", readOnly);
    const auto big2 = Versions(folder, "big2", readOnly);
    std::set<long> versions;
    for (const auto* t : {&big, &big2})
        for (const auto& [id, v] : *t)
            if (what == "batch2" || (t == &big && what == "batch"))
                versions.insert(v);
    if (what == "batch" || what == "batch2") {
        EXPECT_EQ(versions.size(), 1U) << "the batch is half done";
        EXPECT_EQ(big.count(99) == 1, versions == std::set<long>{1}) << "the append left the batch";
    }
    if (completed) {
        EXPECT_EQ(big.count(99) == 1, what != "edit");
        EXPECT_EQ(big.at(2), what == "append" ? 0 : 1);
    }
    EXPECT_EQ(big2.at(1), what == "batch2" && !versions.count(0) ? 1 : 0);
}

}  // namespace

TEST(StepKill, EveryWriteIsWholeAndEveryBatchAllOrNothingWhereverTheWriterDies)
{
    int kills = 0;
    for (const std::string what : {"edit", "append", "batch", "batch2"}) {
        for (const bool tear : {false, true}) {
            for (int step = 1;; ++step) {
                SCOPED_TRACE(what + (tear ? " torn" : "") + " killed at step " + std::to_string(step));
                TempDir dir;
                MakeTables(dir);
                const int rc = Wait(
                    Spawn({"step-kill", dir.path(), what, std::to_string(step), tear ? "tear" : "whole"}));
                ASSERT_TRUE(rc == 0 || rc == 9) << "the writer failed: " << rc;
                const bool completed = rc == 0;
                kills += rc == 9;
                {
                    FailingFs readOnlyMount;
                    readOnlyMount.readOnly = true;
                    SetFileSystem(&readOnlyMount);
                    ExpectConsistent(dir.path(), what, true, completed);
                    SetFileSystem(nullptr);
                }
                ExpectConsistent(dir.path(), what, false, completed);
                for (const auto& f : std::filesystem::directory_iterator(dir.path()))
                    EXPECT_NE(f.path().extension(), ".twb") << "a batch journal stays behind";
                const std::string check = std::string("/usr/bin/python3 ") + TW_DB_TEST_DIR
                    + "/step_check.py " + (what == "batch" || what == "batch2" ? "--batch " : "")
                    + dir.file("big.dbf") + (what == "batch2" ? " " + dir.file("big2.dbf") : "");
                EXPECT_EQ(std::system(check.c_str()), 0);
                if (completed || HasFailure())
                    break;
            }
        }
    }
    EXPECT_GT(kills, 30);
}
