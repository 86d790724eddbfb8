// Several processes on one table: appends and edits at once, a test-and-set
// race, exclusive opens, and a writer killed at random instants.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "db_test_util.h"
#include "process_util.h"

using namespace tw::db;
using namespace tw::db::test;

TEST(MultiProcess, ConcurrentAppendsAndEdits)
{
    TempDir dir;
    CreateTable(dir.path(), "mp", MpFields(), {{"IDDESC", "ID", true}});
    // A cursor of this process is open the whole time; its refresh must
    // bring in everything the other processes wrote.
    Table watcher;
    watcher.setIndexName("IDDESC");
    OpenTable(watcher, dir.path(), "mp");
    EXPECT_EQ(watcher.recordCount(), 0);
    const int writers = 4, count = 150;
    std::vector<pid_t> pids;
    for (int w = 1; w <= writers; ++w)
        pids.push_back(Spawn({"append", dir.path(), "mp", std::to_string(w), std::to_string(count)}));
    for (pid_t p : pids)
        EXPECT_EQ(Wait(p), 0);
    watcher.refresh();
    EXPECT_EQ(watcher.recordCount(), writers * count);
    double prevId = 1e18;
    long inOrder = 0;
    for (watcher.first(); !watcher.eof(); watcher.next(), ++inOrder) {
        double id = watcher.fieldByName("ID").asFloat();
        EXPECT_LT(id, prevId);
        prevId = id;
    }
    EXPECT_EQ(inOrder, writers * count);
    EXPECT_TRUE(watcher.locate("ID", Value(4 * 100000.0 + 149)));
    Table t;
    OpenTable(t, dir.path(), "mp");
    EXPECT_EQ(t.recordCount(), writers * count);
    std::set<long> seen;
    double edits = 0;
    for (t.first(); !t.eof(); t.next()) {
        long id = t.fieldByName("ID").asInteger();
        EXPECT_TRUE(seen.insert(id).second) << "twice: " << id;
        int w = t.fieldByName("WRITER").asInteger();
        int seq = t.fieldByName("SEQ").asInteger();
        EXPECT_EQ(id, w * 100000L + seq);
        EXPECT_EQ(t.fieldByName("NOTE").asString(), "note " + std::to_string(w) + " " + std::to_string(seq));
        edits += t.fieldByName("EDITS").asFloat();
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(writers * count));
    EXPECT_EQ(edits, writers * (count / 5));
}

TEST(MultiProcess, TestAndSetRaceNeverHasTwoHolders)
{
    TempDir dir;
    CreateTable(dir.path(), "access",
                {{"ACCID", FieldType::Float, 0, 0},
                 {"USE", FieldType::Logical, 0, 0},
                 {"OWNER", FieldType::Smallint, 0, 0},
                 {"COUNT", FieldType::Float, 0, 0}});
    {
        Table t;
        OpenTable(t, dir.path(), "access");
        t.append();
        t.fieldByName("ACCID").setAsFloat(1);
        t.fieldByName("USE").setAsBoolean(false);
        t.fieldByName("COUNT").setAsFloat(0);
        t.post();
    }
    const std::string log = dir.file("lock.log");
    const int procs = 4, rounds = 40;
    std::vector<pid_t> pids;
    for (int i = 1; i <= procs; ++i)
        pids.push_back(Spawn({"tas", dir.path(), "access", std::to_string(i), std::to_string(rounds), log}));
    for (pid_t p : pids)
        EXPECT_EQ(Wait(p), 0);
    std::ifstream in(log);
    std::string kind;
    int id = 0, holder = 0, entries = 0;
    while (in >> kind >> id) {
        if (kind == "E") {
            EXPECT_EQ(holder, 0) << "lock held by " << holder << " and " << id;
            holder = id;
            ++entries;
        } else {
            EXPECT_EQ(holder, id);
            holder = 0;
        }
    }
    EXPECT_EQ(entries, procs * rounds);
    Table t;
    OpenTable(t, dir.path(), "access");
    EXPECT_EQ(t.fieldByName("COUNT").asInteger(), procs * rounds);
    EXPECT_FALSE(t.fieldByName("USE").asBoolean());
}

TEST(MultiProcess, ExclusiveOpensAcrossProcesses)
{
    TempDir dir;
    CreateTable(dir.path(), "mp", MpFields());
    // A child holds the table open (shared) while it appends slowly.
    {
        Table mine;
        mine.setExclusive(true);
        OpenTable(mine, dir.path(), "mp");
        pid_t p = Spawn({"append", dir.path(), "mp", "1", "1"});
        EXPECT_NE(Wait(p), 0);  // its shared open is refused
    }
    int pipefd[2];
    ASSERT_EQ(::pipe(pipefd), 0);
    pid_t child = ::fork();
    if (child == 0) {
        ::close(pipefd[0]);
        Table t;
        OpenTable(t, dir.path(), "mp");
        char c = 'x';
        (void)::write(pipefd[1], &c, 1);
        ::sleep(30);
        ::_exit(0);
    }
    ::close(pipefd[1]);
    char c;
    ASSERT_EQ(::read(pipefd[0], &c, 1), 1);
    Table t;
    t.setExclusive(true);
    t.setFolder(dir.path());
    t.setTableName("mp");
    try {
        t.open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), ErrorCode::TableInUse);
    }
    EXPECT_THROW(PackTable(dir.path(), "mp"), DbError);
    ::kill(child, SIGKILL);
    Wait(child);
    ::close(pipefd[0]);
    t.open();  // the killed process's locks are gone
    EXPECT_TRUE(t.active());
}

TEST(CrashSafety, WriterKilledAtRandomInstants)
{
    TempDir dir;
    CreateTable(dir.path(), "crash", MpFields());
    const std::string progress = dir.file("progress.txt");
    std::mt19937 rng(42);
    long next = 0;
    for (int round = 0; round < 20; ++round) {
        pid_t p = Spawn({"crash", dir.path(), "crash", progress, std::to_string(next)});
        // Posts flush to disk, which a loaded machine may make slow: kill
        // once the writer has posted something this round, at a random
        // instant after that.
        const auto sizeBefore = std::filesystem::exists(progress) ? std::filesystem::file_size(progress) : 0;
        for (int w = 0; w < 1000; ++w) {
            if (std::filesystem::exists(progress) && std::filesystem::file_size(progress) > sizeBefore)
                break;
            ::usleep(5000);
        }
        ::usleep(rng() % 20000);
        ::kill(p, SIGKILL);
        Wait(p);
        // Every record whose post returned is there with its memo.
        std::ifstream in(progress);
        std::map<long, bool> posted;  // id -> edited
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty())
                continue;
            if (line[0] == 'e')
                posted[std::stol(line.substr(1))] = true;
            else
                posted.emplace(std::stol(line), false);
        }
        Table t;
        OpenTable(t, dir.path(), "crash");
        std::map<long, std::string> notes;
        std::map<long, int> times;
        for (t.first(); !t.eof(); t.next()) {
            long id = t.fieldByName("ID").asInteger();
            ++times[id];
            notes[id] = t.fieldByName("NOTE").asString();
        }
        for (auto& [id, edited] : posted) {
            ASSERT_EQ(times[id], 1) << "record " << id << " round " << round;
            if (edited)
                EXPECT_EQ(notes[id], "edited #" + std::to_string(id));
            else
                EXPECT_TRUE(notes[id]
                                == std::string(static_cast<std::size_t>(id % 700), 'x') + "#"
                                    + std::to_string(id)
                            || notes[id] == "edited #" + std::to_string(id))
                    << id;
        }
        next = notes.empty() ? 0 : notes.rbegin()->first + 1;
        if (!posted.empty())
            next = std::max(next, posted.rbegin()->first + 1);
        // Records beyond the posted ones (post did not return) may exist once.
        for (auto& [id, n] : times)
            EXPECT_EQ(n, 1) << id;
    }
    Table t;
    OpenTable(t, dir.path(), "crash");
    EXPECT_GT(t.recordCount(), 0);
}
