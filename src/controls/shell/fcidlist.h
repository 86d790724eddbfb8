#pragma once
// Item id lists: the binary names of the namespace's objects.
//
// Layout: a run of items, each opening with an unsigned 16-bit little-endian
// byte count that includes the count itself, closed by a 16-bit zero. The
// list holding only the terminator is the empty list, the Desktop. A null
// pointer is distinct from the empty list, but every routine here reads a
// null list as the empty one except where a routine says otherwise.
//
// An item here is the count, one kind byte and the item's name in UTF-8.
// Lists are allocated with ShellMemAlloc and freed with ShellMemFree;
// IdListPtr does the freeing for owners in C++ code.

#include "controls/shell/fcshelltypes.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tw::controls::shell {

class ShellFolder;

using IdList = std::uint8_t;

void* ShellMemAlloc(std::size_t size);
void* ShellMemRealloc(void* p, std::size_t size);
void ShellMemFree(void* p);

struct IdListFree {
    void operator()(IdList* p) const { ShellMemFree(p); }
};
using IdListPtr = std::unique_ptr<IdList, IdListFree>;

// The kinds of item the namespace knows.
enum class ItemKind : std::uint8_t {
    Home = 1,      // the user's home folder, a child of the Desktop
    Computer = 2,  // every mounted volume
    Network = 3,   // network mounts
    Drive = 4,     // one mounted volume; its name is its mount point
    Entry = 5,     // a directory entry; its name is the entry's file name
};

// Sum of the item counts plus the terminator; 0 for null.
std::size_t IdListLen(const IdList* list);
// A new list with the items of list (a new empty list for null or empty);
// null when allocation fails.
IdList* CopyIdList(const IdList* list);
IdList* ConcatIdLists(const IdList* first, const IdList* second);
// 0 equal; -1 when only one is null or empty; else the namespace's order
// (negative or positive); 0x7FFFFFFF when the lists cannot be compared.
int CompareAbsIdLists(const IdList* first, const IdList* second);
constexpr int kCannotCompare = 0x7FFFFFFF;

// Item-level access.
int IdListItemCount(const IdList* list);
const IdList* NextItem(const IdList* item);  // null at the terminator
const IdList* LastItem(const IdList* list);  // null for an empty list
ItemKind ItemKindOf(const IdList* item);
QString ItemName(const IdList* item);
std::size_t ItemSize(const IdList* item);
// A one-item list; null when the name cannot be an item of that kind.
IdList* MakeItemIdList(ItemKind kind, const QString& name);
// The rule on names that come from a folder or a user: no "", ".", "..",
// "/" or NUL, so no name leads out of the folder it was given in.
bool IsSafeItemName(const QString& name);

// Read-only view of one list; each result belongs to the view until the next
// call or the view's end.
class TFcIdListArray {
public:
    explicit TFcIdListArray(const IdList* list) : list_(list) {}
    ~TFcIdListArray() { ShellMemFree(result_); }
    TFcIdListArray(const TFcIdListArray&) = delete;
    TFcIdListArray& operator=(const TFcIdListArray&) = delete;

    int GetCount() const { return list_ ? IdListItemCount(list_) : 0; }
    const IdList* GetItem(int index);
    const IdList* GoUp(int levels);

private:
    const IdList* list_;
    IdList* result_ = nullptr;
};

enum class TDuplicates { dupIgnore = 0, dupAccept = 1, dupError = 2 };

// A list of (id list, object) pairs, in insertion order or sorted by bytes or
// by an ordering folder. It stores the pointers it is given; with OwnsLists
// set it frees them on Delete and Clear.
class TFcPidlList {
public:
    TFcPidlList() = default;
    virtual ~TFcPidlList() { Clear(); }
    TFcPidlList(const TFcPidlList&) = delete;
    TFcPidlList& operator=(const TFcPidlList&) = delete;

    virtual int Add(IdList* list) { return AddObject(list, nullptr); }
    virtual int AddObject(IdList* list, void* object);
    void Insert(int index, IdList* list) { InsertObject(index, list, nullptr); }
    void InsertObject(int index, IdList* list, void* object);
    void Delete(int index);
    void Clear();
    int IndexOf(const IdList* list) const;
    bool BinarySearch(const IdList* list, int& index) const;
    bool LinearSearch(const IdList* list, int& index) const;
    void Sort();

    IdList* GetPIDL(int index) const { return entries_.at(static_cast<std::size_t>(index)).list; }
    void SetPIDL(int index, IdList* list) { entries_.at(static_cast<std::size_t>(index)).list = list; }
    void* GetObject(int index) const { return entries_.at(static_cast<std::size_t>(index)).object; }
    void SetObject(int index, void* object) { entries_.at(static_cast<std::size_t>(index)).object = object; }
    int GetCount() const { return static_cast<int>(entries_.size()); }
    int GetCapacity() const { return static_cast<int>(entries_.capacity()); }
    void SetCapacity(int capacity) { entries_.reserve(static_cast<std::size_t>(capacity)); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    ShellFolder* OrderingFolder = nullptr;
    bool OwnsLists = false;
    TDuplicates Duplicates = TDuplicates::dupError;

private:
    struct Entry {
        IdList* list;
        void* object;
    };
    int Compare(const IdList* a, const IdList* b) const;

    std::vector<Entry> entries_;
    bool sorted_ = false;
};

// Byte order of two lists over their full length: the first differing byte
// decides; a list that is a prefix of the other is the smaller.
int CompareIdListBytes(const IdList* a, const IdList* b);

}  // namespace tw::controls::shell
