// Item records and their helpers: size texts, new folders, the records of
// tree nodes, list items and combo items.

#include "shellfixture.h"

#include "controls/shell/fcshellitemdata.h"
#include "controls/shell/fcshellutils.h"

#include <QLocale>

#include <array>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>

namespace tw::controls::shell {
namespace {

class ItemDataTest : public testing::ShellTree {
protected:
    void SetUp() override
    {
        ShellTree::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    IdListPtr Parse(const QString& path)
    {
        IdListPtr list;
        EXPECT_TRUE(ShellGetIdListFromPath(path, list).ok()) << path.toStdString();
        return list;
    }
};

TEST_F(ItemDataTest, SizeTextsRoundUpAtTheKilobyteBorders)
{
    struct Case {
        std::int64_t size;
        const char* text;
    } cases[] = {
        {0, "0KB"},           {1, "1KB"},
        {1023, "1KB"},        {1024, "1KB"},
        {1025, "2KB"},        {2048, "2KB"},
        {1048575, "1,024KB"}, {1048576, "1,024KB"},
        {1048577, "1,025KB"}, {5368709120LL, "5,242,880KB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFileSizeKB(c.size), QString::fromLatin1(c.text)) << c.size;
}

TEST_F(ItemDataTest, NewFolderNamesFillTheFirstGap)
{
    const QString dir = MakeDir(QStringLiteral("nf"));
    QStringList warnings;
    auto warn = [&](const QString& w) { warnings << w; };
    struct Step {
        const char* name;
        QStringList existing;
        QString expected;
    } steps[] = {
        {"an empty folder", {}, QStringLiteral("New Folder")},
        {"the first taken", {}, QStringLiteral("New Folder (2)")},
        {"the first two taken", {}, QStringLiteral("New Folder (3)")},
        {"a gap is filled", {}, QStringLiteral("New Folder (5)")},
    };
    QString made;
    ASSERT_TRUE(FcShCreateNewFolder(dir, made, warn));
    EXPECT_EQ(made, steps[0].expected);
    ASSERT_TRUE(FcShCreateNewFolder(dir + QLatin1Char('/'), made, warn));
    EXPECT_EQ(made, steps[1].expected);
    ASSERT_TRUE(FcShCreateNewFolder(dir, made, warn));
    EXPECT_EQ(made, steps[2].expected);
    QDir().mkpath(dir + QStringLiteral("/New Folder (4)"));
    QDir().mkpath(dir + QStringLiteral("/New Folder (6)"));
    ASSERT_TRUE(FcShCreateNewFolder(dir, made, warn));
    EXPECT_EQ(made, steps[3].expected);
    // A file of the name counts as taken too.
    MakeFile(QStringLiteral("nf/New Folder (7)"));
    ASSERT_TRUE(FcShCreateNewFolder(dir, made, warn));
    EXPECT_EQ(made, QStringLiteral("New Folder (8)"));
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(ItemDataTest, NewFolderStopsAtTheFirstRealErrorAndRunsOutOfNamesOnce)
{
    QStringList warnings;
    auto warn = [&](const QString& w) { warnings << w; };
    QString made = QStringLiteral("untouched");
    EXPECT_FALSE(FcShCreateNewFolder(root_ + QStringLiteral("/no/such/folder"), made, warn));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Unable to create the folder 'New Folder'\n\n")));
    EXPECT_EQ(made, QStringLiteral("untouched"));

    warnings.clear();
    const QString full = MakeDir(QStringLiteral("full"));
    for (int n = 1; n <= 50; ++n) {
        QDir().mkpath(full
                      + (n == 1 ? QStringLiteral("/New Folder") : QStringLiteral("/New Folder (%1)").arg(n)));
        QDir().mkpath(full + (n == 1 ? QStringLiteral("/fldr") : QStringLiteral("/fldr%1").arg(n)));
    }
    EXPECT_FALSE(FcShCreateNewFolder(full, made, warn));
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Unable to create the folder 'New Folder'")));
    QDir(full + QStringLiteral("/fldr17")).removeRecursively();
    EXPECT_TRUE(FcShCreateNewFolder(full, made, warn));
    EXPECT_EQ(made, QStringLiteral("fldr17"));
}

TEST_F(ItemDataTest, TreeRecordsBuildTheirListsFromTheirParents)
{
    MakeDir(QStringLiteral("tree/child/grandchild"));
    TFcShellTreeData desktop;
    desktop.SetData(nullptr, IdListPtr(CopyIdList(nullptr)).get());
    EXPECT_EQ(IdListItemCount(desktop.GetAbsPidl()), 0);
    EXPECT_EQ(desktop.GetPathName(), QString());
    ASSERT_NE(desktop.GetThisIShf(), nullptr);
    EXPECT_EQ(desktop.GetThisIShf(), DesktopFolder());
    EXPECT_FALSE(desktop.GetEditable());

    TFcShellTreeData root;
    root.SetData(nullptr, Parse(root_ + QStringLiteral("/tree")).get());
    EXPECT_EQ(root.GetPathName(), root_ + QStringLiteral("/tree"));
    EXPECT_FALSE(root.GetEditable());  // a root node is never edited
    TFcShellTreeData child;
    child.SetData(&root, IdListPtr(MakeItemIdList(ItemKind::Entry, QStringLiteral("child"))).get());
    EXPECT_EQ(child.GetPathName(), root_ + QStringLiteral("/tree/child"));
    EXPECT_TRUE(child.GetEditable());
    const std::uint32_t a = child.GetAttributes();
    EXPECT_EQ(a & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM),
              std::uint32_t(SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM));
    ASSERT_NE(child.GetThisIShf(), nullptr);
    EXPECT_EQ(child.GetThisIShf()->Path(), root_ + QStringLiteral("/tree/child"));

    // A rename in place: the record follows the new name.
    IdListPtr renamed;
    ASSERT_TRUE(root.GetThisIShf()->SetNameOf(child.RelPidl(), QStringLiteral("renamed"), renamed).ok());
    child.SetRelPidl(renamed.get());
    EXPECT_EQ(child.GetPathName(), root_ + QStringLiteral("/tree/renamed"));
    EXPECT_EQ(child.GetThisIShf()->Path(), root_ + QStringLiteral("/tree/renamed"));

    TFcShellTreeData slash;
    slash.SetData(nullptr, Parse(QStringLiteral("/")).get());
    EXPECT_TRUE(slash.IsRootDir());
    EXPECT_FALSE(root.IsRootDir());
}

class FolderOwner final : public ShellListOwner {
public:
    explicit FolderOwner(const IdList* abs) : abs_(CopyIdList(abs))
    {
        ShellGetFolderFromIdList(abs, folder_);
    }
    const IdList* CurrentFolderIdList() const override { return abs_.get(); }
    ShellFolderPtr CurrentFolder() const override { return folder_; }

private:
    IdListPtr abs_;
    ShellFolderPtr folder_;
};

TEST_F(ItemDataTest, ListRecordsGiveTheProgramItsPathAndColumns)
{
    MakeFile(QStringLiteral("list/company.dbf"), QByteArray(3000, 'x'));
    MakeFile(QStringLiteral("list/Shortcut.desktop"));
    MakeDir(QStringLiteral("list/sub"));
    ::utimensat(AT_FDCWD, QFile::encodeName(root_ + QStringLiteral("/list/company.dbf")).constData(),
                std::array<timespec, 2>{timespec{0, UTIME_OMIT}, timespec{1700000000, 0}}.data(), 0);
    IdListPtr dir = Parse(root_ + QStringLiteral("/list"));
    FolderOwner owner(dir.get());
    TFcShellListData file(owner);
    file.SetData(MakeItemIdList(ItemKind::Entry, QStringLiteral("company.dbf")));
    EXPECT_EQ(file.GetPathName(), root_ + QStringLiteral("/list/company.dbf"));
    EXPECT_EQ(file.GetFilename(), QStringLiteral("company.dbf"));
    EXPECT_EQ(file.GetDisplayName(), QStringLiteral("company.dbf"));
    EXPECT_FALSE(file.IsFolder());
    EXPECT_TRUE(file.IsFileSystem());
    EXPECT_TRUE(file.GetEditable());
    EXPECT_TRUE(file.IsValid());
    EXPECT_FALSE(file.IsLnkShortcut());
    EXPECT_EQ(file.GetSize(), QStringLiteral("3KB"));
    EXPECT_EQ(file.GetModified(), QStringLiteral("11/14/23 10:13 PM"));  // TZ=UTC in the test runs
    EXPECT_EQ(file.GetColText(0), QString());
    EXPECT_EQ(file.GetColText(1), QStringLiteral("3KB"));
    EXPECT_EQ(file.GetColText(3), file.GetModified());
    TFcShellListData link(owner);
    link.SetData(MakeItemIdList(ItemKind::Entry, QStringLiteral("Shortcut.desktop")));
    EXPECT_TRUE(link.IsLnkShortcut());
    TFcShellListData sub(owner);
    sub.SetData(MakeItemIdList(ItemKind::Entry, QStringLiteral("sub")));
    EXPECT_TRUE(sub.IsFolder());
    EXPECT_EQ(sub.GetSize(), QString());
    QFile::remove(root_ + QStringLiteral("/list/company.dbf"));
    EXPECT_FALSE(file.IsValid());

    IdListPtr computer(MakeItemIdList(ItemKind::Computer, QString()));
    QString size, modified;
    GetFileSizeAndModified(computer.get(), size, modified);
    EXPECT_TRUE(size.isEmpty() && modified.isEmpty());
    EXPECT_EQ(GetFileTypeName(computer.get(), SFGAO_FOLDER), QStringLiteral("System Folder"));
}

TEST_F(ItemDataTest, SplitAndComboRecords)
{
    MakeDir(QStringLiteral("combo/inner"));
    IdListPtr inner = Parse(root_ + QStringLiteral("/combo/inner"));
    ShellFolderPtr folder;
    IdListPtr parentAbs, rel;
    ASSERT_TRUE(SplitAbsIdList(inner.get(), folder, parentAbs, rel).ok());
    EXPECT_EQ(folder->Path(), root_ + QStringLiteral("/combo"));
    EXPECT_EQ(ShellGetPathFromIdList(parentAbs.get()), root_ + QStringLiteral("/combo"));
    EXPECT_EQ(ItemName(rel.get()), QStringLiteral("inner"));

    IdListPtr home(MakeItemIdList(ItemKind::Home, QString()));
    ASSERT_TRUE(SplitAbsIdList(home.get(), folder, parentAbs, rel).ok());
    EXPECT_EQ(folder, DesktopFolder());
    EXPECT_EQ(parentAbs, nullptr);
    EXPECT_EQ(CompareIdListBytes(rel.get(), home.get()), 0);
    // The empty list is the desktop directory.
    ASSERT_TRUE(SplitAbsIdList(nullptr, folder, parentAbs, rel).ok());
    EXPECT_EQ(ItemName(rel.get()), QStringLiteral("Desktop"));

    TFcShellComboData combo;
    ASSERT_TRUE(SplitAbsIdList(inner.get(), folder, parentAbs, rel).ok());
    combo.SetData(folder, parentAbs.get(), rel.get());
    EXPECT_EQ(CompareAbsIdLists(combo.AbsIdList(), inner.get()), 0);
    EXPECT_EQ(combo.GetThisIShf()->Path(), root_ + QStringLiteral("/combo/inner"));
    TFcShellComboData gone;
    gone.SetData(folder, parentAbs.get(),
                 IdListPtr(MakeItemIdList(ItemKind::Entry, QStringLiteral("missing"))).get());
    EXPECT_THROW(gone.GetThisIShf(), std::runtime_error);
}

}  // namespace
}  // namespace tw::controls::shell
