// The namespace over a temporary tree: listing, binding, ordering, names,
// attributes, parsing and renaming.

#include "shellfixture.h"

#include "controls/shell/fcshellutils.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tw::controls::shell {
namespace {

using testing::ShellTree;

class NamespaceTest : public ShellTree {
protected:
    IdListPtr Parse(const QString& path)
    {
        IdListPtr list;
        const ShellError e = ShellGetIdListFromPath(path, list);
        EXPECT_TRUE(e.ok()) << path.toStdString() << ": " << e.text.toStdString();
        return list;
    }
    ShellFolderPtr Folder(const QString& path)
    {
        IdListPtr list = Parse(path);
        ShellFolderPtr folder;
        EXPECT_TRUE(ShellGetFolderFromIdList(list.get(), folder).ok());
        return folder;
    }
    std::uint32_t Attributes(const QString& dir, const QString& name, std::uint32_t mask = kTreeAttributeMask)
    {
        ShellFolderPtr folder = Folder(dir);
        IdListPtr item(MakeItemIdList(ItemKind::Entry, name));
        const IdList* items[] = {item.get()};
        std::uint32_t a = mask;
        EXPECT_TRUE(folder->GetAttributesOf(1, items, a).ok()) << name.toStdString();
        return a;
    }
    QStringList Names(const ShellFolder& folder, unsigned flags)
    {
        std::vector<IdListPtr> items;
        EXPECT_TRUE(folder.EnumObjects(flags, items).ok());
        QStringList names;
        for (const auto& i : items) {
            QString n;
            folder.GetDisplayNameOf(i.get(), fnInFolder, n);
            names << n;
        }
        names.sort();
        return names;
    }
};

TEST_F(NamespaceTest, PathsRoundTripThroughIdLists)
{
    MakeDir(QStringLiteral("a b/Ünïcode dir/c"));
    struct Case {
        const char* name;
        QString given;
        QString expected;
    } cases[] = {
        {"plain", root_ + QStringLiteral("/a b"), root_ + QStringLiteral("/a b")},
        {"trailing separator", root_ + QStringLiteral("/a b/"), root_ + QStringLiteral("/a b")},
        {"doubled separators", root_ + QStringLiteral("//a b///Ünïcode dir"),
         root_ + QStringLiteral("/a b/Ünïcode dir")},
        {"dot dot", root_ + QStringLiteral("/a b/Ünïcode dir/c/../.."), root_ + QStringLiteral("/a b")},
        {"dot", root_ + QStringLiteral("/./a b/."), root_ + QStringLiteral("/a b")},
        {"the root", QStringLiteral("/"), QStringLiteral("/")},
    };
    for (const Case& c : cases) {
        IdListPtr list = Parse(c.given);
        EXPECT_EQ(ShellGetPathFromIdList(list.get()), c.expected) << c.name;
        // Each element is one item: Computer, the drive, then the entries.
        EXPECT_EQ(IdListItemCount(list.get()),
                  2 + c.expected.count(QLatin1Char('/')) - (c.expected == QLatin1String("/")))
            << c.name;
    }
    IdListPtr missing;
    EXPECT_FALSE(ShellGetIdListFromPath(root_ + QStringLiteral("/nope"), missing).ok());
    EXPECT_EQ(missing, nullptr);
    EXPECT_FALSE(ShellGetIdListFromPath(QString(), missing).ok());
}

TEST_F(NamespaceTest, ThePathOfAListNeverLeavesItsFolder)
{
    // A crafted list with ".." in an entry names nothing.
    IdListPtr head = Parse(root_);
    QByteArray bytes(reinterpret_cast<const char*>(head.get()), static_cast<int>(IdListLen(head.get()) - 2));
    bytes.append(char(5))
        .append(char(0))
        .append(char(ItemKind::Entry))
        .append("..")
        .append(char(0))
        .append(char(0));
    EXPECT_TRUE(ShellGetPathFromIdList(reinterpret_cast<const IdList*>(bytes.constData())).isEmpty());
    ShellFolderPtr folder;
    EXPECT_FALSE(ShellGetFolderFromIdList(reinterpret_cast<const IdList*>(bytes.constData()), folder).ok());
    // Nor does a relative parse.
    ShellFolderPtr here = Folder(root_);
    IdListPtr rel;
    EXPECT_FALSE(here->ParseDisplayName(QStringLiteral("../etc"), rel).ok());
    IdListPtr renamed;
    MakeFile(QStringLiteral("f.txt"));
    IdListPtr f(MakeItemIdList(ItemKind::Entry, QStringLiteral("f.txt")));
    EXPECT_FALSE(here->SetNameOf(f.get(), QStringLiteral("../escaped"), renamed).ok());
    EXPECT_FALSE(here->SetNameOf(f.get(), QStringLiteral("a/b"), renamed).ok());
}

TEST_F(NamespaceTest, DisplayNamesOfEachNodeKind)
{
    MakeFile(QStringLiteral("home/Desktop/note.txt"));
    MakeFile(QStringLiteral("docs/report.dbf"));
    ShellFolderPtr desktop = DesktopFolder();
    IdListPtr home(MakeItemIdList(ItemKind::Home, QString()));
    IdListPtr computer(MakeItemIdList(ItemKind::Computer, QString()));
    IdListPtr network(MakeItemIdList(ItemKind::Network, QString()));
    IdListPtr note(MakeItemIdList(ItemKind::Entry, QStringLiteral("note.txt")));
    IdListPtr rootDrive(MakeItemIdList(ItemKind::Drive, QStringLiteral("/")));
    IdListPtr file = Parse(root_ + QStringLiteral("/docs/report.dbf"));
    ShellFolderPtr computerFolder;
    ASSERT_TRUE(desktop->BindToObject(computer.get(), computerFolder).ok());
    ShellFolderPtr docs = Folder(root_ + QStringLiteral("/docs"));
    IdListPtr report(MakeItemIdList(ItemKind::Entry, QStringLiteral("report.dbf")));
    struct Case {
        const char* name;
        const ShellFolder* folder;
        const IdList* item;
        unsigned flags;
        QString expected;
    } cases[] = {
        {"desktop", desktop.get(), nullptr, fnNormal, QStringLiteral("Desktop")},
        {"home", desktop.get(), home.get(), fnNormal, QStringLiteral("Home")},
        {"home parsing", desktop.get(), home.get(), fnForParsing, home_},
        {"computer", desktop.get(), computer.get(), fnNormal, QStringLiteral("Computer")},
        {"network", desktop.get(), network.get(), fnInFolder, QStringLiteral("Network")},
        {"desktop entry", desktop.get(), note.get(), fnInFolder, QStringLiteral("note.txt")},
        {"desktop entry parsing", desktop.get(), note.get(), fnForParsing,
         home_ + QStringLiteral("/Desktop/note.txt")},
        {"drive", computerFolder.get(), rootDrive.get(), fnNormal, QStringLiteral("/")},
        {"drive parsing", computerFolder.get(), rootDrive.get(), fnForParsing, QStringLiteral("/")},
        {"entry", docs.get(), report.get(), fnNormal, QStringLiteral("report.dbf")},
        {"entry in folder", docs.get(), report.get(), fnInFolder, QStringLiteral("report.dbf")},
        {"entry for editing", docs.get(), report.get(), fnForEditing, QStringLiteral("report.dbf")},
        {"entry for parsing", docs.get(), report.get(), fnForParsing,
         root_ + QStringLiteral("/docs/report.dbf")},
        {"entry parsing in folder", docs.get(), report.get(), fnForParsing | fnInFolder,
         QStringLiteral("report.dbf")},
        {"entry for the address bar", docs.get(), report.get(), fnForAddressBar,
         root_ + QStringLiteral("/docs/report.dbf")},
        {"absolute from the desktop", desktop.get(), file.get(), fnForParsing,
         root_ + QStringLiteral("/docs/report.dbf")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShellGetFriendlyNameFromIdList(c.folder, c.item, c.flags), c.expected) << c.name;
    EXPECT_EQ(ShellGetFriendlyNameForLastIdListElement(file.get()), QStringLiteral("report.dbf"));
    EXPECT_EQ(ShellGetFriendlyNameForLastIdListElement(home.get()), QStringLiteral("Home"));
}

TEST_F(NamespaceTest, DesktopListsItsPlacesThenItsDirectory)
{
    MakeFile(QStringLiteral("home/Desktop/note.txt"));
    MakeFile(QStringLiteral("home/Desktop/.secret"));
    ShellFolderPtr desktop = DesktopFolder();
    std::vector<IdListPtr> items;
    ASSERT_TRUE(desktop->EnumObjects(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items).ok());
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(ItemKindOf(items[0].get()), ItemKind::Home);
    EXPECT_EQ(ItemKindOf(items[1].get()), ItemKind::Computer);
    EXPECT_EQ(ItemKindOf(items[2].get()), ItemKind::Network);
    EXPECT_EQ(ItemName(items[3].get()), QStringLiteral("note.txt"));
    ASSERT_TRUE(desktop->EnumObjects(SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items).ok());
    EXPECT_EQ(items.size(), 2u);
    ShellFolderPtr computer;
    IdListPtr c(MakeItemIdList(ItemKind::Computer, QString()));
    ASSERT_TRUE(desktop->BindToObject(c.get(), computer).ok());
    ASSERT_TRUE(computer->EnumObjects(SHCONTF_FOLDERS, items).ok());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(ItemName(items[0].get()), QStringLiteral("/"));
}

TEST_F(NamespaceTest, EnumerationSplitsFoldersFilesAndHidden)
{
    MakeDir(QStringLiteral("t/sub"));
    MakeDir(QStringLiteral("t/.hiddendir"));
    MakeFile(QStringLiteral("t/file.txt"));
    MakeFile(QStringLiteral("t/.hiddenfile"));
    ::symlink("sub", QFile::encodeName(root_ + QStringLiteral("/t/linktodir")).constData());
    ShellFolderPtr t = Folder(root_ + QStringLiteral("/t"));
    EXPECT_EQ(Names(*t, SHCONTF_FOLDERS), (QStringList{QStringLiteral("linktodir"), QStringLiteral("sub")}));
    EXPECT_EQ(Names(*t, SHCONTF_NONFOLDERS), QStringList{QStringLiteral("file.txt")});
    EXPECT_EQ(Names(*t, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN).size(), 5);
    std::vector<IdListPtr> items;
    ShellFolderPtr gone;
    EXPECT_TRUE(
        Folder(root_)
            ->BindToObject(IdListPtr(MakeItemIdList(ItemKind::Entry, QStringLiteral("t"))).get(), gone)
            .ok());
    const ShellError e = Folder(root_)->BindToObject(
        IdListPtr(MakeItemIdList(ItemKind::Entry, QStringLiteral("missing"))).get(), gone);
    EXPECT_FALSE(e.ok());
    EXPECT_FALSE(e.text.isEmpty());  // the system's text
}

TEST_F(NamespaceTest, AttributeMasksOnATemporaryTree)
{
    MakeDir(QStringLiteral("t/withsub/inner"));
    MakeDir(QStringLiteral("t/empty"));
    MakeDir(QStringLiteral("t/unreadable"));
    MakeFile(QStringLiteral("t/plain.txt"));
    MakeFile(QStringLiteral("t/.hidden"));
    MakeFile(QStringLiteral("t/readonly.txt"));
    const QByteArray t = QFile::encodeName(root_ + QStringLiteral("/t/"));
    ::chmod((t + "readonly.txt").constData(), 0444);
    ::chmod((t + "unreadable").constData(), 0);
    ::symlink("plain.txt", (t + "link").constData());
    ::symlink("loop", (t + "loop").constData());
    const QString dir = root_ + QStringLiteral("/t");
    struct Case {
        const char* name;
        std::uint32_t set;
        std::uint32_t clear;
    } cases[] = {
        {"plain.txt",
         SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE | SFGAO_CANLINK,
         SFGAO_FOLDER | SFGAO_HIDDEN | SFGAO_READONLY | SFGAO_LINK | SFGAO_SHARE | SFGAO_HASSUBFOLDER},
        {".hidden", SFGAO_HIDDEN, SFGAO_FOLDER},
        {"readonly.txt", SFGAO_READONLY | SFGAO_CANCOPY, SFGAO_FOLDER},
        {"withsub", SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER, SFGAO_LINK},
        {"empty", SFGAO_FOLDER, SFGAO_HASSUBFOLDER},
        {"unreadable", SFGAO_FOLDER | SFGAO_READONLY, SFGAO_CANCOPY},
        {"link", SFGAO_LINK | SFGAO_FILESYSTEM, SFGAO_FOLDER},
        {"loop", SFGAO_LINK, SFGAO_FOLDER | SFGAO_CANCOPY},
    };
    for (const Case& c : cases) {
        const std::uint32_t a = Attributes(dir, QString::fromLatin1(c.name));
        EXPECT_EQ(a & c.set, c.set) << c.name;
        EXPECT_EQ(a & c.clear, 0u) << c.name;
    }
    // Only what was asked for comes back.
    EXPECT_EQ(Attributes(dir, QStringLiteral("withsub"), SFGAO_FOLDER), std::uint32_t(SFGAO_FOLDER));
    // A read-only folder forbids renaming its entries.
    MakeFile(QStringLiteral("locked/inside.txt"));
    ::chmod(QFile::encodeName(root_ + QStringLiteral("/locked")).constData(), 0555);
    EXPECT_EQ(Attributes(root_ + QStringLiteral("/locked"), QStringLiteral("inside.txt")) & SFGAO_CANRENAME,
              0u);
    ::chmod(QFile::encodeName(root_ + QStringLiteral("/locked")).constData(), 0755);
    ::chmod((t + "unreadable").constData(), 0755);
}

TEST_F(NamespaceTest, ComparisonPutsFoldersFirstThenNamesWithoutCase)
{
    MakeDir(QStringLiteral("c/zeta"));
    MakeFile(QStringLiteral("c/Alpha.txt"), QByteArray(10, 'x'));
    MakeFile(QStringLiteral("c/beta.txt"), QByteArray(5, 'x'));
    MakeFile(QStringLiteral("c/alpha.txt"), QByteArray(1, 'x'));
    ShellFolderPtr c = Folder(root_ + QStringLiteral("/c"));
    auto item = [](const char* n) {
        return IdListPtr(MakeItemIdList(ItemKind::Entry, QString::fromLatin1(n)));
    };
    auto cmp = [&](int column, const char* a, const char* b) {
        return CompareValue(c->CompareIDs(column, item(a).get(), item(b).get()));
    };
    EXPECT_LT(cmp(0, "zeta", "Alpha.txt"), 0);
    EXPECT_LT(cmp(0, "Alpha.txt", "beta.txt"), 0);
    EXPECT_LT(cmp(0, "alpha.txt", "beta.txt"), 0);
    EXPECT_NE(cmp(0, "alpha.txt", "Alpha.txt"), 0);
    EXPECT_EQ(cmp(0, "beta.txt", "beta.txt"), 0);
    EXPECT_LT(cmp(1, "beta.txt", "Alpha.txt"), 0);  // by size
    EXPECT_LT(cmp(1, "zeta", "alpha.txt"), 0);      // folders still first
    // The answer is a success code; only its low 16 bits carry the order.
    EXPECT_TRUE(Succeeded(c->CompareIDs(0, item("beta.txt").get(), item("alpha.txt").get())));
}

TEST_F(NamespaceTest, RenameInPlaceAndDetails)
{
    MakeFile(QStringLiteral("r/old.txt"), QByteArray(1025, 'x'));
    MakeFile(QStringLiteral("r/taken.txt"));
    ShellFolderPtr r = Folder(root_ + QStringLiteral("/r"));
    IdListPtr old(MakeItemIdList(ItemKind::Entry, QStringLiteral("old.txt")));
    IdListPtr renamed;
    const ShellError clash = r->SetNameOf(old.get(), QStringLiteral("taken.txt"), renamed);
    EXPECT_FALSE(clash.ok());
    EXPECT_FALSE(clash.text.isEmpty());
    ASSERT_TRUE(r->SetNameOf(old.get(), QStringLiteral("new name.txt"), renamed).ok());
    EXPECT_EQ(ItemName(renamed.get()), QStringLiteral("new name.txt"));
    EXPECT_TRUE(QFile::exists(root_ + QStringLiteral("/r/new name.txt")));
    EXPECT_EQ(r->GetDetailsOf(nullptr, 0), QStringLiteral("Name"));
    EXPECT_EQ(r->GetDetailsOf(nullptr, 3), QStringLiteral("Modified"));
    EXPECT_EQ(r->GetDetailsOf(nullptr, 4), QString());
    EXPECT_EQ(r->GetDetailsOf(renamed.get(), 0), QStringLiteral("new name.txt"));
    EXPECT_EQ(r->GetDetailsOf(renamed.get(), 1), QStringLiteral("2KB"));
}

TEST_F(NamespaceTest, SpecialFoldersResolveInTheTreeOrNotAtAll)
{
    MakeDir(QStringLiteral("home/Documents"));
    MakeDir(QStringLiteral("home/.local/share/SendTo"));
    MakeFile(QStringLiteral("home/.config/user-dirs.dirs"),
             "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlPersonal), home_ + QStringLiteral("/Documents"));
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlDesktopDirectory), home_ + QStringLiteral("/Desktop"));
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlSendTo), home_ + QStringLiteral("/.local/share/SendTo"));
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlAppData), home_ + QStringLiteral("/.local/share"));
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlDesktop), QString());
    for (TCSIDL none : {csidlRecent, csidlPrinters, csidlBitBucket, csidlWindows, csidlNone}) {
        IdListPtr list;
        EXPECT_FALSE(ShellGetSpecialFolderIdList(none, list).ok()) << int(none);
        EXPECT_EQ(list, nullptr);
        EXPECT_EQ(ShellGetSpecialFolderPath(none), QString());
    }
    IdListPtr empty(CopyIdList(nullptr));
    EXPECT_EQ(ShellFindCSIDLFromIdList(empty.get()), csidlDesktop);
    IdListPtr docs = Parse(home_ + QStringLiteral("/Documents"));
    EXPECT_EQ(ShellFindCSIDLFromIdList(docs.get()), csidlPersonal);
    IdListPtr plain = Parse(MakeFile(QStringLiteral("plain.txt")));
    EXPECT_EQ(ShellFindCSIDLFromIdList(plain.get()), csidlNone);
    EXPECT_TRUE(
        ShellCSIDLEqualsIdList(IdListPtr(MakeItemIdList(ItemKind::Computer, QString())).get(), csidlDrives));
    // Without a documents folder, Personal is the home folder.
    QDir(home_ + QStringLiteral("/Documents")).removeRecursively();
    EXPECT_EQ(ShellGetSpecialFolderPath(csidlPersonal), home_);
}

}  // namespace
}  // namespace tw::controls::shell
