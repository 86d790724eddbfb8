#include "app/pathcase.h"

#include "testfolder.h"

#include <fstream>

namespace tw::app {
namespace {

class PathCaseTest : public testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        std::filesystem::create_directories(dir_ / "Data" / "Sched");
        std::filesystem::create_directories(dir_ / "Two");
        std::filesystem::create_directories(dir_ / "TWO");
        std::ofstream(dir_ / "Data" / "Sched" / "ICharts.DBF") << "x";
    }
    QString Path(const char* rest) const { return QString::fromStdString(dir_.string()) + rest; }
};

TEST_F(PathCaseTest, EachComponentTakesTheCaseItHasOnDisk)
{
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
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizePathCase(Path(c.given)), Path(c.expected)) << c.name;
    EXPECT_EQ(NormalizePathCase(QString()), QString());
}

}  // namespace
}  // namespace tw::app
