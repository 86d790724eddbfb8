// A restore killed at each step of its swap, as a power cut would stop it:
// once the next run has finished what was decided, the database holds every
// restored table as it was or every one as restored, never a mixture, and
// another program (python3-dbfread) reads every table.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

#include "restorefixture.h"

namespace tw::settings::test {
namespace {

const std::vector<std::string> kChanged = {"customers.dbf", "jobs.dbf", "ICharts.DBF", "mycomp.dbf",
                                           "holidays.dbf"};

std::map<std::string, std::vector<std::string>> DumpChanged(const std::string& folder)
{
    std::map<std::string, std::vector<std::string>> dumps;
    for (const std::string& file : kChanged)
        dumps[file] = Dump(folder, file);
    return dumps;
}

// Every table of the folder read by dbfread; empty when all went well.
std::string ReadWithDbfread(const fs::path& folder)
{
    const std::string script = (folder.parent_path() / "read.py").string();
    WriteFile(script, R"(
import sys, glob, os
from dbfread import DBF
folder = sys.argv[1]
for path in sorted(glob.glob(os.path.join(folder, '*.[dD][bB][fF]'))):
    list(DBF(path, char_decode_errors='strict'))
)");
    const std::string cmd = "/usr/bin/python3 " + script + " " + folder.string() + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pipe ? ::pclose(pipe) : -1;
    return status == 0 ? std::string() : "dbfread failed: " + output;
}

class RestoreCrashTest : public RestoreFixture {};

TEST_F(RestoreCrashTest, KilledAtEachStepOfTheSwapAllOldOrAllNew)
{
    host_.sharedUsable = false;  // replace mode: every listed table changes
    Put(Db(), "customers.dbf",
        {{{"CID", 1.0}, {"NAME", std::string("Live one")}},
         {{"CID", 2.0}, {"NAME", std::string("Live two")}}});
    Put(Db(), "jobs.dbf", {{{"JID", 1.0}, {"DESC", std::string("live job")}}});
    Put(Db(), "ICharts.DBF", {{{"CHARTSID", 7.0}, {"NOTES", std::string("live notes")}}});
    Put(Db(), "mycomp.dbf", {{{"CID", 1.0}, {"MYCOMPY", std::string("Live company")}}});
    Put(Src(), "customers.dbf", {{{"CID", 5.0}, {"NAME", std::string("Backup five")}}});
    Put(Src(), "jobs.dbf", {{{"JID", 3.0}, {"DESC", std::string("backup job")}}});
    Put(Src(), "ICharts.DBF", {{{"CHARTSID", 8.0}, {"NOTES", std::string("backup notes, longer")}}});
    Put(Src(), "mycomp.dbf", {{{"CID", 2.0}, {"MYCOMPY", std::string("Backup company")}}});
    Put(Src(), "holidays.dbf", {{{"HOLIID", 4.0}, {"DESC", std::string("backup holiday")}}});
    Archive();

    const fs::path pristine = root_ / "pristine";
    fs::copy(db_, pristine);
    const auto oldTables = DumpChanged(Db());
    ASSERT_EQ(Restore(), RestoreOutcome::Completed);
    const auto newTables = DumpChanged(Db());
    ASSERT_NE(oldTables, newTables);

    int oldSeen = 0, newSeen = 0;
    for (int killAt = 1;; ++killAt) {
        SCOPED_TRACE(killAt);
        fs::remove_all(db_);
        fs::copy(pristine, db_);
        for (const auto& e : fs::directory_iterator(restore_))
            fs::remove_all(e.path());
        const pid_t child = ::fork();
        if (child == 0) {
            int step = 0;
            RestoreOptions options;
            options.onSwapStep = [&](const std::string&) {
                if (++step == killAt)
                    ::raise(SIGKILL);
            };
            host_.answers = {true, true};
            const RestoreOutcome outcome = SmartRestore(host_, ui_, options).RestoreClick();
            ::_exit(outcome == RestoreOutcome::Completed ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        ASSERT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;

        // What the next start (or restore) does first.
        FinishPendingSwap(Db());
        const auto tables = DumpChanged(Db());
        EXPECT_TRUE(tables == oldTables || tables == newTables);
        oldSeen += tables == oldTables;
        newSeen += tables == newTables;
        EXPECT_EQ(ReadWithDbfread(db_), "");
        for (const auto& e : fs::directory_iterator(db_))
            EXPECT_TRUE(e.is_regular_file()) << e.path();
        EXPECT_FALSE(fs::exists(db_ / kSwapJournalName));
        if (!killed)
            break;
        ASSERT_LT(killAt, 200);
    }
    // Killed before the decision and after it, and the last run went through.
    EXPECT_GE(oldSeen, 2);
    // One step per file of the five tables put in place, and the journal's own.
    EXPECT_GE(newSeen, 5 + 4);
}

}  // namespace
}  // namespace tw::settings::test
