// Both path-case lookups on trees whose names differ from the typed ones in case.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "settings/pathcase.h"

namespace tw::settings {
namespace {

namespace fs = std::filesystem;

TEST(FindPathIgnoringCase, GivesTheStoredCaseOrNothing)
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
        EXPECT_EQ(FindPathIgnoringCase(typed), stored) << typed;
}

TEST(SpellPathAsOnDisk, EachComponentTakesTheCaseItHasOnDiskAndAMissingTailStays)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString r = dir.path();
    fs::create_directories((r + "/Data/Sched").toStdString());
    fs::create_directories((r + "/Two").toStdString());
    fs::create_directories((r + "/TWO").toStdString());
    std::ofstream((r + "/Data/Sched/ICharts.DBF").toStdString()) << "x";

    const struct {
        const char* name;
        const char* given;
        const char* expected;
    } cases[] = {
        {"spelt as on disk", "/Data/Sched", "/Data/Sched"},
        {"folders in another case", "/data/SCHED", "/Data/Sched"},
        {"a file too", "/DATA/sched/icharts.dbf", "/Data/Sched/ICharts.DBF"},
        {"a trailing slash stays", "/data/", "/Data/"},
        {"a missing component and the rest stay as given", "/data/Missing/sched", "/Data/Missing/sched"},
        {"an exact match wins over another case", "/Two", "/Two"},
        {"of several matches the first by name", "/two", "/TWO"},
        {"dot components pass", "/data/./sched/../SCHED", "/Data/./Sched/../Sched"},
        {"doubled slashes stay", "/data//sched", "/Data//Sched"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpellPathAsOnDisk(r + QLatin1String(c.given)), r + QLatin1String(c.expected)) << c.name;
    EXPECT_EQ(SpellPathAsOnDisk(QString()), QString());
}

}  // namespace
}  // namespace tw::settings
