#include "data/services/networklock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "data/layouts/layouts.h"
#include "data/services/recordservices.h"
#include "platform/db/tableops.h"
#include "support/recordinguserinterface.h"

namespace tw::data {
namespace {

namespace fs = std::filesystem;

// One workstation's view of the lock: its own cursor on Access.dbf, its own
// run state and status bar.
struct Workstation {
    Workstation(const std::string& folder)
    {
        access.setFolder(folder);
        access.setTableName("Access.dbf");
        access.open();
    }
    db::Table access;
    MainScreenState state;
    RecordingUserInterface ui;
    NetworkLock lock{access, state, ui};

    bool Use()
    {
        access.refresh();
        access.first();
        return access.fieldByName("USE").asBoolean();
    }
};

class NetworkLockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/twlockXXXXXX";
        folder_ = ::mkdtemp(tmpl);
        const TableLayout* layout = FindLayout(Database::Scheduler, "Access.dbf");
        ASSERT_NE(layout, nullptr);
        db::CreateTable(folder_, "Access.dbf", layout->fields, layout->indexes);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string folder_;
};

TEST_F(NetworkLockTest, AnEmptyLockTableGetsItsRecordTakenOrFree)
{
    for (bool take : {true, false}) {
        db::Table reset;
        reset.setFolder(folder_);
        reset.setTableName("Access.dbf");
        reset.open();
        EmptyTable(reset);
        Workstation ws(folder_);
        EXPECT_TRUE(ws.lock.UpdateAccessRecord(take));
        ASSERT_EQ(ws.access.recordCount(), 1);
        EXPECT_EQ(ws.Use(), take);
        EXPECT_EQ(ws.access.fieldByName("COUNT").asInteger(), 0);
        EXPECT_FLOAT_EQ(static_cast<float>(ws.access.fieldByName("UPDATE").asFloat()), 1.1f);
        EXPECT_NE(ws.access.fieldByName("ACCID").asInteger(), 0);
    }
}

TEST_F(NetworkLockTest, TheTenthRefusalBreaksTheLockAndTheSharedTablesAreLeftAlone)
{
    Workstation holder(folder_);
    Workstation waiter(folder_);
    ASSERT_TRUE(holder.lock.UpdateAccessRecord(true));
    for (int i = 1; i <= 9; ++i)
        EXPECT_FALSE(waiter.lock.UpdateAccessRecord(true)) << "try " << i;
    EXPECT_EQ(waiter.state.LockRefusals, 9);
    EXPECT_TRUE(waiter.lock.UpdateAccessRecord(true));  // broken, not taken
    EXPECT_FALSE(waiter.Use());
    EXPECT_FALSE(waiter.state.SharedTablesUsable);
    EXPECT_EQ(waiter.state.LockRefusals, 0);
    EXPECT_FLOAT_EQ(static_cast<float>(waiter.access.fieldByName("UPDATE").asFloat()), 1.1f);

    // From now on the waiter takes and gives back at once and copies nothing.
    bool worked = false;
    EXPECT_FALSE(waiter.lock.WithSharedTables([&] { worked = true; }));
    EXPECT_FALSE(worked);
    EXPECT_FALSE(waiter.Use());
}

TEST_F(NetworkLockTest, ASuccessBetweenRefusalsStartsTheCountAgain)
{
    Workstation a(folder_);
    Workstation b(folder_);
    ASSERT_TRUE(a.lock.UpdateAccessRecord(true));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(b.lock.UpdateAccessRecord(true));
    ASSERT_TRUE(a.lock.UpdateAccessRecord(false));
    ASSERT_TRUE(b.lock.UpdateAccessRecord(true));
    EXPECT_EQ(b.state.LockRefusals, 0);
    ASSERT_TRUE(b.lock.UpdateAccessRecord(false));
    ASSERT_TRUE(a.lock.UpdateAccessRecord(true));
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(b.lock.UpdateAccessRecord(true));
    EXPECT_TRUE(b.state.SharedTablesUsable);
}

TEST_F(NetworkLockTest, ACopyNeverReleasesAnotherCopysLock)
{
    Workstation holder(folder_);
    Workstation other(folder_);
    ASSERT_TRUE(holder.lock.UpdateAccessRecord(true));
    // The other copy shuts down and releases as it always does.
    EXPECT_TRUE(other.lock.UpdateAccessRecord(false));
    EXPECT_TRUE(holder.Use());
    // Releasing a free lock succeeds and leaves it free.
    ASSERT_TRUE(holder.lock.UpdateAccessRecord(false));
    EXPECT_TRUE(holder.lock.UpdateAccessRecord(false));
    EXPECT_FALSE(holder.Use());
}

TEST_F(NetworkLockTest, WaitingShowsTheStatusTextAndTheLockIsReleasedWhenTheWorkFails)
{
    Workstation holder(folder_);
    Workstation waiter(folder_);
    ASSERT_TRUE(holder.lock.UpdateAccessRecord(true));
    int sleeps = 0;
    waiter.ui.OnSleep = [&] {
        EXPECT_EQ(waiter.ui.StatusText(0), "Waiting for network access");
        if (++sleeps == 3)
            holder.lock.UpdateAccessRecord(false);
    };
    EXPECT_THROW(waiter.lock.WithSharedTables([&] {
        EXPECT_TRUE(waiter.Use());
        throw std::runtime_error("disk full");
    }),
                 std::runtime_error);
    EXPECT_EQ(sleeps, 3);
    EXPECT_EQ(waiter.ui.Sleeps, std::vector<int>(3, 2000));
    EXPECT_EQ(waiter.ui.StatusText(0), "");
    EXPECT_FALSE(waiter.Use());
    EXPECT_FALSE(waiter.state.LockHeld);
}

TEST_F(NetworkLockTest, AnUnreadableLockTableStopsTheWaitAndTheSharedTables)
{
    Workstation ws(folder_);
    ws.state.TablesOpen = true;
    ws.access.close();  // refreshing a closed cursor fails
    EXPECT_TRUE(ws.lock.UpdateAccessRecord(true));
    EXPECT_FALSE(ws.state.SharedTablesUsable);
    EXPECT_FALSE(ws.state.TablesOpen);
}

// Several processes count in one shared file, read-sleep-write, each step
// under the lock: a lost count means two held the lock at once.
TEST_F(NetworkLockTest, ProcessesNeverHoldTheLockTogether)
{
    const std::string counter = folder_ + "/counter.txt";
    std::ofstream(counter) << 0;
    constexpr int kProcesses = 4;
    constexpr int kRounds = 15;
    for (int p = 0; p < kProcesses; ++p) {
        if (::fork() == 0) {
            int status = 0;
            try {
                Workstation ws(folder_);
                ws.ui.OnSleep = [] { ::usleep(150000); };
                for (int r = 0; r < kRounds; ++r) {
                    ws.lock.WithSharedTables([&] {
                        int value = 0;
                        std::ifstream(counter) >> value;
                        ::usleep(300);
                        std::ofstream(counter, std::ios::trunc) << value + 1;
                    });
                    if (!ws.state.SharedTablesUsable)
                        status = 2;  // a lock held only for microseconds was never worth breaking
                }
            } catch (...) {
                status = 1;
            }
            std::_Exit(status);
        }
    }
    // Each round holds the lock for well under a millisecond, some 60 rounds in
    // all, while a waiter needs ten refusals 150 ms apart to break it: even on a
    // loaded machine nobody breaks it here.
    for (int p = 0; p < kProcesses; ++p) {
        int status = 0;
        ::wait(&status);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    int value = 0;
    std::ifstream(counter) >> value;
    Workstation ws(folder_);
    EXPECT_EQ(ws.access.recordCount(), 1);
    EXPECT_FALSE(ws.Use());
    EXPECT_EQ(value, kProcesses * kRounds);
}

}  // namespace
}  // namespace tw::data
