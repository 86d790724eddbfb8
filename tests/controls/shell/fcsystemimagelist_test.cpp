// Stable icon indexes and their images, without a window.

#include "controls/shell/fcsystemimagelist.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tw::controls::shell {
namespace {

QGuiApplication& GuiApplication()
{
    static int argc = 1;
    static char name[] = "tw_fcshellicons_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    return *app;
}

TEST(SystemImageListTest, IndexesAreStableAndSharedByExtension)
{
    GuiApplication();
    SystemImageList list;
    const int txt = list.IconIndexFromExt(QStringLiteral(".txt"));
    EXPECT_EQ(list.IconIndexFromExt(QStringLiteral("notes.TXT")), txt);
    EXPECT_EQ(list.IconIndexFromExt(QStringLiteral("/no/such/dir/readme.txt")), txt);
    const int folder = list.FolderIconIndex();
    const int open = list.FolderIconIndex(IconVariant::Open);
    const int selected = list.FolderIconIndex(IconVariant::Selected);
    EXPECT_NE(folder, open);
    EXPECT_NE(folder, selected);
    EXPECT_NE(folder, txt);
    EXPECT_EQ(list.FolderIconIndex(), folder);
    const int before = list.Count();
    list.IconIndexFromExt(QStringLiteral("b.txt"));
    list.FolderIconIndex(IconVariant::Open);
    EXPECT_EQ(list.Count(), before);

    QTemporaryDir dir;
    EXPECT_EQ(list.IconIndexFromPath(dir.path()), folder);
    for (int size : {SystemImageList::kSmall, SystemImageList::kLarge}) {
        EXPECT_EQ(list.Image(txt, size).size(), QSize(size, size));
        EXPECT_EQ(list.Overlay(SystemImageList::kLinkOverlay, size).size(), QSize(size, size));
    }
    EXPECT_TRUE(list.Image(-1, 16).isNull());
    EXPECT_TRUE(list.Image(list.Count(), 16).isNull());
}

TEST(SystemImageListTest, GhostedHalvesTheOpacity)
{
    GuiApplication();
    QImage solid(4, 4, QImage::Format_ARGB32_Premultiplied);
    solid.fill(QColor(200, 0, 0, 255));
    const QImage ghost = SystemImageList::Ghosted(solid);
    EXPECT_NEAR(qAlpha(ghost.pixel(1, 1)), 128, 2);
    EXPECT_EQ(ghost.size(), solid.size());
}

}  // namespace
}  // namespace tw::controls::shell
