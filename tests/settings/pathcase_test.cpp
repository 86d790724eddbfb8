// The strict path-case lookup on a tree whose names differ from the typed ones in case.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "settings/pathcase.h"

namespace tw::settings {
namespace {

namespace fs = std::filesystem;

TEST(NormalizePathCase, GivesTheStoredCaseOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string r = dir.path().toStdString();
    fs::create_directories(r + "/Program Files/Tarnwick");
    fs::create_directories(r + "/data/Sched");
    std::ofstream(r + "/Program Files/X.DBF") << "x";
    std::ofstream(r + "/data/Sched/ICharts.DBF") << "x";
    // Two names that equal the typed one without regard to case: the first in name order.
    std::ofstream(r + "/data/Sched/Crews.dbf") << "x";
    std::ofstream(r + "/data/Sched/crews.DBF") << "x";
    std::ofstream(r + "/data/Sched/exact.dbf") << "x";
    std::ofstream(r + "/data/Sched/EXACT.dbf") << "x";

    const std::pair<std::string, std::string> cases[] = {
        {r + "/program files/x.dbf", r + "/Program Files/X.DBF"},
        {r + "/PROGRAM FILES/tarnwick", r + "/Program Files/Tarnwick/"},  // a folder ends with "/"
        {r + "/program files/tarnwick/", r + "/Program Files/Tarnwick/"},
        {r + "/data//sched/./icharts.dbf", r + "/data/Sched/ICharts.DBF"},
        {r + "/data/sched/CREWS.DBF", r + "/data/Sched/Crews.dbf"},
        {r + "/data/sched/exact.dbf", r + "/data/Sched/exact.dbf"},  // an exact name wins
        {r + "/missing/x.dbf", ""},
        {r + "/data/sched/missing.dbf", ""},
        {r + "/program files/x.dbf/more", ""},  // a file followed by more path
        {r + "/program files/x.dbf/", ""},
        {r + "/data/../data/sched/", ""},
        {"relative/path", ""},
        {"", ""},
        {"/", "/"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(NormalizePathCase(typed), stored) << typed;
}

}  // namespace
}  // namespace tw::settings
