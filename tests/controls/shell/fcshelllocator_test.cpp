// The locator's change rules, equality, assignment and its stream.

#include "shellfixture.h"

#include "controls/shell/fcshelllocator.h"
#include "controls/shell/fcshellutils.h"

#include <stdexcept>

namespace tw::controls::shell {
namespace {

class LocatorTest : public testing::ShellTree {
protected:
    void SetUp() override
    {
        ShellTree::SetUp();
        a_.OnChange = [this](TFcShellLocator* sender) {
            EXPECT_EQ(sender, &a_);
            ++changes_;
        };
    }
    TFcShellLocator a_;
    int changes_ = 0;
};

TEST_F(LocatorTest, OneChangePerRealChange)
{
    const QString dir = MakeDir(QStringLiteral("x"));
    struct Step {
        const char* name;
        std::function<void()> act;
        int changes;
    } steps[] = {
        {"desktop by id list to the empty list", [&] { a_.SetIdList(IdListPtr(CopyIdList(nullptr)).get()); },
         0},
        {"desktop to null", [&] { a_.SetIdList(nullptr); }, 0},
        {"clear on the desktop", [&] { a_.Clear(); }, 0},
        {"a path", [&] { a_.SetPathName(dir); }, 1},
        {"the same path again", [&] { a_.SetPathName(dir); }, 0},
        {"the same path spelled otherwise", [&] { a_.SetPathName(dir + QStringLiteral("/")); }, 0},
        {"a path that does not resolve goes to the desktop",
         [&] { a_.SetPathName(dir + QStringLiteral("/nope")); }, 1},
        {"a special folder", [&] { a_.SetCSIDL(csidlDrives); }, 1},
        {"the same special folder", [&] { a_.SetCSIDL(csidlDrives); }, 0},
        {"another special folder", [&] { a_.SetCSIDL(csidlNetwork); }, 1},
        {"the same place by id list still changes the kind",
         [&] { a_.SetIdList(IdListPtr(MakeItemIdList(ItemKind::Network, QString())).get()); }, 1},
        {"assign null clears", [&] { a_.Assign(nullptr); }, 1},
        {"assign null on the desktop", [&] { a_.Assign(nullptr); }, 0},
        {"desktop special folder", [&] { a_.SetCSIDL(csidlDesktop); }, 1},
        {"assign null from a special folder", [&] { a_.Assign(nullptr); }, 1},
    };
    for (const Step& s : steps) {
        changes_ = 0;
        s.act();
        EXPECT_EQ(changes_, s.changes) << s.name;
    }
    EXPECT_EQ(a_.GetIdList(), nullptr);
    EXPECT_EQ(a_.GetKind(), TFcShellLocator::ByIdList);
}

TEST_F(LocatorTest, SpecialFoldersResolveLazilyAndAssignCopiesTheId)
{
    a_.SetCSIDL(csidlPersonal);
    EXPECT_EQ(a_.GetPathName(), home_);  // no documents folder: the home folder
    const IdList* first = a_.GetIdList();
    EXPECT_EQ(a_.GetIdList(), first);  // kept until the id changes
    a_.SetCSIDL(csidlRecent);          // not on this machine
    EXPECT_EQ(a_.GetIdList(), nullptr);
    EXPECT_EQ(a_.GetPathName(), QString());

    TFcShellLocator b;
    int bChanges = 0;
    b.OnChange = [&](TFcShellLocator*) { ++bChanges; };
    b.SetCSIDL(csidlRecent);
    bChanges = 0;
    EXPECT_TRUE(b.IsEqual(a_));
    b.Assign(&a_);
    EXPECT_EQ(bChanges, 0);
    a_.SetCSIDL(csidlDrives);
    EXPECT_FALSE(b.IsEqual(a_));
    b.Assign(&a_);
    EXPECT_EQ(bChanges, 1);
    EXPECT_EQ(b.GetCSIDL(), csidlDrives);
    EXPECT_TRUE(b.IsEqual(a_));
    EXPECT_TRUE(a_.IsEqual(a_));

    TFcShellLocator byList;
    byList.SetIdList(IdListPtr(MakeItemIdList(ItemKind::Computer, QString())).get());
    EXPECT_FALSE(byList.IsEqual(a_));  // same place, other kind
    b.Assign(&byList);
    EXPECT_TRUE(b.IsEqual(byList));
    EXPECT_EQ(b.GetCSIDL(), csidlNone);
}

TEST_F(LocatorTest, StreamBytesBothWays)
{
    TFcShellLocator l;
    EXPECT_FALSE(l.ShouldWriteData());  // the desktop by id list writes nothing
    l.SetCSIDL(csidlPersonal);
    EXPECT_EQ(l.WriteData(), QByteArray::fromHex("0105"));
    l.SetIdList(IdListPtr(MakeItemIdList(ItemKind::Computer, QString())).get());
    // Kind 0, length 5 (one 3-byte item and the terminator), the list.
    EXPECT_EQ(l.WriteData(), QByteArray::fromHex("00050000000300020000"));

    struct Case {
        const char* name;
        QByteArray data;
        TFcShellLocator::Kind kind;
        TCSIDL csidl;
        int items;
    } cases[] = {
        {"special folder", QByteArray::fromHex("0111"), TFcShellLocator::BySpecialFolder, csidlDrives, 1},
        {"any non-zero kind reads as a special folder", QByteArray::fromHex("0712"),
         TFcShellLocator::BySpecialFolder, csidlNetwork, 1},
        {"id list", QByteArray::fromHex("00050000000300020000"), TFcShellLocator::ByIdList, csidlNone, 1},
        {"length 0 is the desktop special folder", QByteArray::fromHex("0000000000"),
         TFcShellLocator::BySpecialFolder, csidlDesktop, 0},
    };
    for (const Case& c : cases) {
        TFcShellLocator r;
        int changes = 0;
        r.OnChange = [&](TFcShellLocator*) { ++changes; };
        r.ReadData(c.data);
        EXPECT_EQ(changes, 0) << c.name;
        EXPECT_EQ(r.GetKind(), c.kind) << c.name;
        EXPECT_EQ(r.GetCSIDL(), c.kind == TFcShellLocator::ByIdList ? csidlNone : c.csidl) << c.name;
        EXPECT_EQ(IdListItemCount(r.GetIdList()), c.items) << c.name;
    }
    // A path streams out and back to the same path.
    const QString dir = MakeDir(QStringLiteral("Straße mit Leerzeichen"));
    TFcShellLocator out;
    out.SetPathName(dir);
    TFcShellLocator in;
    in.ReadData(out.WriteData());
    EXPECT_EQ(in.GetPathName(), dir);
    EXPECT_TRUE(in.IsEqual(out));
}

TEST_F(LocatorTest, ShortOrMalformedStreamsThrow)
{
    for (const char* hex :
         {"", "01", "0005", "0005000000030002", "000500000001000200", "00050000000900020000"}) {
        TFcShellLocator r;
        EXPECT_THROW(r.ReadData(QByteArray::fromHex(hex)), std::runtime_error) << hex;
    }
}

}  // namespace
}  // namespace tw::controls::shell
