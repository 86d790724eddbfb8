// A writer killed at random instants, and a reader racing a writer, on
// records of about 4 KB that straddle page boundaries: every record is one
// version or another, never a mix, in our engine and in python3-dbfread.
// TW_DB_CRASH_ROUNDS sets the number of kills (scripts/db-crash-loop.sh runs
// many; the normal test run a few).
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "cutoff_util.h"
#include "process_util.h"

using namespace tw::db;
using namespace tw::db::test;
namespace fs = std::filesystem;

namespace {

int Rounds(int normal)
{
    const char* env = std::getenv("TW_DB_CRASH_ROUNDS");
    return env && std::atoi(env) > 0 ? std::atoi(env) : normal;
}

struct Acknowledged {
    bool deleted = false;
    bool deleting = false;  // a delete begun, not acknowledged: either state is right
    long version = 0;
};

std::map<long, Acknowledged> ReadProgress(const std::string& path)
{
    std::map<long, Acknowledged> acked;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string op;
        long id = 0, version = 0;
        ls >> op >> id >> version;
        if (op == "d")
            acked[id].deleted = true;
        else if (op == "D")
            acked[id].deleting = true;
        else if (op == "a" || op == "e")
            acked[id] = {false, false, version};
    }
    return acked;
}

void KillAfterProgress(pid_t p, const std::string& progress, std::mt19937& rng)
{
    // The writer flushes every operation to disk, which a loaded machine
    // makes slow: kill once it has done something, at a random instant.
    const auto before = fs::exists(progress) ? fs::file_size(progress) : 0;
    for (int w = 0; w < 1000; ++w) {
        if (fs::exists(progress) && fs::file_size(progress) > before)
            break;
        ::usleep(5000);
    }
    ::usleep(rng() % 30000);
    ::kill(p, SIGKILL);
    Wait(p);
}

}  // namespace

TEST(CrashSafety, LargeRecordsStayWholeThroughKilledEditsBatchesPacksAndSorts)
{
    TempDir dir;
    CreateTable(dir.path(), "big", BigFields());
    const std::string progress = dir.file("progress.txt");
    std::mt19937 rng(11);
    const int rounds = Rounds(6);
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        KillAfterProgress(Spawn({"big-crash", dir.path(), "big", progress, std::to_string(round + 1)}),
                          progress, rng);
        {
            // Our engine (its open finishes a write the kill cut off).
            Table t;
            OpenTable(t, dir.path(), "big");
            std::map<long, long> live;
            for (t.first(); !t.eof(); t.next()) {
                const long id = t.fieldByName("ID").asInteger();
                EXPECT_EQ(MixedVersion(t), "") << "record " << id;
                EXPECT_TRUE(live.emplace(id, t.fieldByName("VER").asInteger()).second)
                    << "record " << id << " twice";
            }
            for (const auto& [id, ack] : ReadProgress(progress)) {
                auto it = live.find(id);
                if (ack.deleted) {
                    EXPECT_EQ(it, live.end()) << "deleted record " << id << " is back";
                } else if (!ack.deleting || it != live.end()) {
                    ASSERT_NE(it, live.end()) << "record " << id << " is lost";
                    EXPECT_GE(it->second, ack.version) << "record " << id << " lost an edit";
                }
            }
        }
        // Another dBase reader: the count matches the file, no record is mixed.
        const std::string check =
            std::string("/usr/bin/python3 ") + TW_DB_TEST_DIR + "/crash_check.py " + dir.file("big.dbf");
        EXPECT_EQ(std::system(check.c_str()), 0);
    }
}

TEST(Concurrency, AReaderNeverSeesARecordHalfWritten)
{
    TempDir dir;
    CreateTable(dir.path(), "big", BigFields());
    Table t;
    OpenTable(t, dir.path(), "big");
    {
        WriteBatch batch;
        FillBig(t, 40);
    }
    t.close();
    // A slow reader: a torn read would be seen at every overlap.
    FailingFs slow;
    slow.pauseInReadsMicros = 2000;
    SetFileSystem(&slow);
    OpenTable(t, dir.path(), "big");
    const pid_t writer = Spawn({"churn", dir.path(), "big", "1500"});
    int scans = 0, mixed = 0;
    std::set<long> versions;
    for (;;) {
        int status = 0;
        const bool done = ::waitpid(writer, &status, WNOHANG) == writer;
        t.refresh();
        for (t.first(); !t.eof(); t.next()) {
            if (!MixedVersion(t).empty())
                ++mixed;
            versions.insert(t.fieldByName("VER").asInteger());
        }
        ++scans;
        if (done) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            break;
        }
    }
    t.close();
    SetFileSystem(nullptr);
    EXPECT_EQ(mixed, 0) << "in " << scans << " scans";
    EXPECT_GT(versions.size(), 2U);  // the reader did see the writer's work
}
