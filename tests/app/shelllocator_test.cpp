#include "app/shelllocator.h"

#include "testapplication.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

TEST(ShellLocatorTest, PointedAtAFolderItSelectsItAndOnlyAFolder)
{
    testing::TestApplication();
    QTemporaryDir dir;
    const QString folder = dir.filePath("Schedule");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(dir.filePath("ICharts.dbf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));

    TFcShellLocator locator;
    QSignalSpy changed(&locator, &TFcShellLocator::PathChanged);
    EXPECT_EQ(locator.GetPathName(), "");
    EXPECT_TRUE(locator.SetPathName(folder));
    EXPECT_EQ(locator.GetPathName(), folder);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toString(), folder);

    const struct {
        const char* name;
        QString path;
    } refused[] = {
        {"a file", dir.filePath("ICharts.dbf")}, {"a missing folder", dir.filePath("Gone")}, {"no path", ""}};
    for (const auto& r : refused) {
        EXPECT_FALSE(locator.SetPathName(r.path)) << r.name;
        EXPECT_EQ(locator.GetPathName(), folder) << r.name;
    }
    EXPECT_TRUE(locator.SetPathName(QDir::rootPath()));
    EXPECT_EQ(locator.GetPathName(), QDir::rootPath());
}

}  // namespace
}  // namespace tw::app
