// Id-list arithmetic, the indexed view and the list of id lists.

#include "controls/shell/fcidlist.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tw::controls::shell {
namespace {

IdListPtr Entries(std::initializer_list<const char*> names)
{
    IdListPtr out(CopyIdList(nullptr));
    for (const char* n : names) {
        IdListPtr item(MakeItemIdList(ItemKind::Entry, QString::fromUtf8(n)));
        out.reset(ConcatIdLists(out.get(), item.get()));
    }
    return out;
}

IdListPtr Abs(std::initializer_list<const char*> names)
{
    IdListPtr computer(MakeItemIdList(ItemKind::Computer, QString()));
    IdListPtr drive(MakeItemIdList(ItemKind::Drive, QStringLiteral("/")));
    IdListPtr head(ConcatIdLists(computer.get(), drive.get()));
    IdListPtr rest = Entries(names);
    return IdListPtr(ConcatIdLists(head.get(), rest.get()));
}

TEST(IdListTest, LengthsAndCopiesKeepTheBinaryShape)
{
    EXPECT_EQ(IdListLen(nullptr), 0u);
    IdListPtr empty(CopyIdList(nullptr));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(IdListLen(empty.get()), 2u);
    // One item "ab": count 2 + kind 1 + name 2 = 5, plus the terminator.
    IdListPtr one = Entries({"ab"});
    EXPECT_EQ(IdListLen(one.get()), 7u);
    EXPECT_EQ(one.get()[0], 5);
    EXPECT_EQ(one.get()[1], 0);
    EXPECT_EQ(one.get()[5], 0);
    EXPECT_EQ(one.get()[6], 0);
    IdListPtr both(ConcatIdLists(one.get(), one.get()));
    EXPECT_EQ(IdListLen(both.get()), 12u);
    EXPECT_EQ(IdListItemCount(both.get()), 2);
    IdListPtr withNull(ConcatIdLists(nullptr, one.get()));
    EXPECT_EQ(CompareIdListBytes(withNull.get(), one.get()), 0);
    // Non-ASCII names keep their UTF-8 bytes.
    IdListPtr accents = Entries({"Übersicht"});
    EXPECT_EQ(ItemName(accents.get()), QStringLiteral("Übersicht"));
}

TEST(IdListTest, NamesThatWouldLeaveTheirFolderAreNoItems)
{
    for (const QString& bad :
         {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("/"),
          QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b")}) {
        EXPECT_FALSE(IsSafeItemName(bad)) << bad.toStdString();
        EXPECT_EQ(MakeItemIdList(ItemKind::Entry, bad), nullptr) << bad.toStdString();
    }
    for (const QString& good :
         {QStringLiteral("..."), QStringLiteral(".hidden"), QStringLiteral("a b"), QStringLiteral("x..y")})
        EXPECT_TRUE(IsSafeItemName(good)) << good.toStdString();
    EXPECT_EQ(MakeItemIdList(ItemKind::Drive, QStringLiteral("media/x")), nullptr);
    EXPECT_EQ(MakeItemIdList(ItemKind::Drive, QStringLiteral("/media/../etc")), nullptr);
}

TEST(IdListTest, CompareAbsIdListsTable)
{
    IdListPtr empty(CopyIdList(nullptr));
    IdListPtr empty2(CopyIdList(nullptr));
    IdListPtr a = Abs({"a"});
    IdListPtr a2 = Abs({"a"});
    IdListPtr b = Abs({"b"});
    IdListPtr aDeeper = Abs({"a", "x"});
    IdListPtr bigA = Abs({"A"});
    struct Case {
        const char* name;
        const IdList* first;
        const IdList* second;
        int expected;  // sign
    } cases[] = {
        {"null null", nullptr, nullptr, 0},
        {"empty empty", empty.get(), empty2.get(), 0},
        {"null is the empty list", nullptr, empty.get(), 0},
        {"null against a list", nullptr, a.get(), -1},
        {"a list against null", a.get(), nullptr, -1},
        {"empty against a list", empty.get(), a.get(), -1},
        {"equal lists", a.get(), a2.get(), 0},
        {"a before b", a.get(), b.get(), -1},
        {"b after a", b.get(), a.get(), 1},
        {"parent before child", a.get(), aDeeper.get(), -1},
        {"case differs: never equal", a.get(), bigA.get(), 99},
    };
    for (const Case& c : cases) {
        const int r = CompareAbsIdLists(c.first, c.second);
        if (c.expected == 99)
            EXPECT_NE(r, 0) << c.name;
        else
            EXPECT_EQ((r > 0) - (r < 0), c.expected) << c.name;
        EXPECT_NE(r, kCannotCompare) << c.name;
    }
}

TEST(IdListTest, IdListArrayViewsItemsAndParents)
{
    IdListPtr three = Entries({"a", "b", "c"});
    TFcIdListArray view(three.get());
    EXPECT_EQ(view.GetCount(), 3);
    IdListPtr ab = Entries({"a", "b"});
    EXPECT_EQ(CompareIdListBytes(view.GoUp(1), ab.get()), 0);
    EXPECT_EQ(IdListLen(view.GoUp(3)), 2u);  // the Desktop
    EXPECT_EQ(view.GoUp(4), nullptr);
    EXPECT_EQ(view.GoUp(-1), nullptr);
    EXPECT_EQ(CompareIdListBytes(view.GoUp(0), three.get()), 0);
    IdListPtr c = Entries({"c"});
    EXPECT_EQ(CompareIdListBytes(view.GetItem(2), c.get()), 0);
    EXPECT_EQ(view.GetItem(3), nullptr);
    EXPECT_EQ(view.GetItem(-1), nullptr);

    IdListPtr empty(CopyIdList(nullptr));
    TFcIdListArray onEmpty(empty.get());
    ASSERT_NE(onEmpty.GetItem(0), nullptr);
    EXPECT_EQ(IdListLen(onEmpty.GetItem(0)), 2u);
    EXPECT_EQ(onEmpty.GetItem(1), nullptr);
    TFcIdListArray onNull(nullptr);
    EXPECT_EQ(onNull.GetCount(), 0);
    EXPECT_EQ(onNull.GetItem(0), nullptr);
    EXPECT_EQ(onNull.GoUp(0), nullptr);
}

class PidlListTest : public ::testing::Test {
protected:
    IdList* Keep(const char* name)
    {
        kept_.push_back(Entries({name}));
        return kept_.back().get();
    }
    std::vector<IdListPtr> kept_;
};

TEST_F(PidlListTest, SortedListFollowsTheDuplicatesRule)
{
    TFcPidlList list;
    list.SetSorted(true);
    list.Duplicates = TDuplicates::dupIgnore;
    list.Add(Keep("m"));
    list.Add(Keep("c"));
    list.Add(Keep("x"));
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(ItemName(list.GetPIDL(0)), QStringLiteral("c"));
    const int existing = list.IndexOf(Keep("m"));
    EXPECT_EQ(existing, 1);
    EXPECT_EQ(list.Add(Keep("m")), 1);
    EXPECT_EQ(list.GetCount(), 3);

    list.Duplicates = TDuplicates::dupAccept;
    IdList* second = Keep("m");
    const int at = list.Add(second);
    EXPECT_EQ(list.GetCount(), 4);
    // The duplicate goes before the equal entry.
    EXPECT_EQ(at, 1);
    EXPECT_EQ(list.GetPIDL(1), second);

    list.Duplicates = TDuplicates::dupError;
    try {
        list.Add(Keep("c"));
        FAIL() << "a duplicate was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "TFcPidlList: Duplicate PIDL");
    }
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.IndexOf(Keep("zz")), -1);
}

TEST_F(PidlListTest, UnsortedListAppendsAndSortsWhenAsked)
{
    TFcPidlList list;
    list.Add(Keep("b"));
    list.Add(Keep("a"));
    list.Add(Keep("b"));  // no duplicate rule while unsorted
    EXPECT_EQ(list.GetCount(), 3);
    int index = 7;
    EXPECT_FALSE(list.LinearSearch(Keep("q"), index));
    EXPECT_EQ(index, 7);
    EXPECT_TRUE(list.LinearSearch(Keep("b"), index));
    EXPECT_EQ(index, 0);
    list.SetSorted(true);
    EXPECT_EQ(ItemName(list.GetPIDL(0)), QStringLiteral("a"));
    // A list that is a prefix of another is the smaller.
    IdListPtr ab = Entries({"a", "b"});
    EXPECT_LT(CompareIdListBytes(list.GetPIDL(0), ab.get()), 0);
}

TEST_F(PidlListTest, OwningListFreesWhatItHolds)
{
    // Run under a leak checker this shows the frees; here it must not crash.
    TFcPidlList list;
    list.OwnsLists = true;
    list.Add(CopyIdList(Keep("a")));
    list.Add(CopyIdList(Keep("b")));
    list.Delete(0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_THROW(list.Delete(5), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
}  // namespace tw::controls::shell
