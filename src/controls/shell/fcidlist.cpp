#include "controls/shell/fcidlist.h"

#include "controls/shell/fcshellnamespace.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tw::controls::shell {

namespace {

std::uint16_t ReadCount(const IdList* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void WriteCount(IdList* p, std::size_t n)
{
    p[0] = static_cast<IdList>(n & 0xFF);
    p[1] = static_cast<IdList>((n >> 8) & 0xFF);
}

// Bytes of the items alone, without the terminator.
std::size_t ItemsLen(const IdList* list)
{
    const std::size_t len = IdListLen(list);
    return len > 2 ? len - 2 : 0;
}

IdList* AllocList(std::size_t itemBytes)
{
    auto* out = static_cast<IdList*>(ShellMemAlloc(itemBytes + 2));
    if (out)
        WriteCount(out + itemBytes, 0);
    return out;
}

}  // namespace

void* ShellMemAlloc(std::size_t size)
{
    return std::malloc(size ? size : 1);
}

void* ShellMemRealloc(void* p, std::size_t size)
{
    return p ? std::realloc(p, size ? size : 1) : nullptr;
}

void ShellMemFree(void* p)
{
    std::free(p);
}

std::size_t IdListLen(const IdList* list)
{
    if (!list)
        return 0;
    std::size_t len = 0;
    for (std::uint16_t n = ReadCount(list); n != 0; n = ReadCount(list + len))
        len += n;
    return len + 2;
}

IdList* CopyIdList(const IdList* list)
{
    const std::size_t n = ItemsLen(list);
    IdList* out = AllocList(n);
    if (out && n)
        std::memcpy(out, list, n);
    return out;
}

IdList* ConcatIdLists(const IdList* first, const IdList* second)
{
    const std::size_t a = ItemsLen(first);
    const std::size_t b = ItemsLen(second);
    IdList* out = AllocList(a + b);
    if (!out)
        return nullptr;
    if (a)
        std::memcpy(out, first, a);
    if (b)
        std::memcpy(out + a, second, b);
    return out;
}

int CompareAbsIdLists(const IdList* first, const IdList* second)
{
    // A null list is the Desktop, as the empty list is.
    const bool firstEmpty = ItemsLen(first) == 0;
    const bool secondEmpty = ItemsLen(second) == 0;
    if (firstEmpty && secondEmpty)
        return 0;
    if (firstEmpty || secondEmpty)
        return -1;
    const ShResult r = DesktopCompareAbsolute(first, second);
    return Succeeded(r) ? CompareValue(r) : kCannotCompare;
}

int IdListItemCount(const IdList* list)
{
    int count = 0;
    for (const IdList* p = list; p && ReadCount(p) != 0; p += ReadCount(p))
        ++count;
    return count;
}

const IdList* NextItem(const IdList* item)
{
    if (!item || ReadCount(item) == 0)
        return nullptr;
    return item + ReadCount(item);
}

const IdList* LastItem(const IdList* list)
{
    const IdList* last = nullptr;
    for (const IdList* p = list; p && ReadCount(p) != 0; p += ReadCount(p))
        last = p;
    return last;
}

std::size_t ItemSize(const IdList* item)
{
    return item ? ReadCount(item) : 0;
}

ItemKind ItemKindOf(const IdList* item)
{
    return static_cast<ItemKind>(ReadCount(item) >= 3 ? item[2] : 0);
}

QString ItemName(const IdList* item)
{
    const std::uint16_t n = ReadCount(item);
    if (n <= 3)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(item + 3), n - 3);
}

bool IsSafeItemName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

IdList* MakeItemIdList(ItemKind kind, const QString& name)
{
    if (kind == ItemKind::Entry && !IsSafeItemName(name))
        return nullptr;
    // A drive is named by its mount point: an absolute, clean path.
    if (kind == ItemKind::Drive
        && (!name.startsWith(QLatin1Char('/')) || name.contains(QChar(0))
            || name.split(QLatin1Char('/'), Qt::SkipEmptyParts).contains(QLatin1String(".."))))
        return nullptr;
    const QByteArray utf8 = name.toUtf8();
    const std::size_t itemBytes = 3 + static_cast<std::size_t>(utf8.size());
    if (itemBytes > 0xFFFF)
        return nullptr;
    IdList* out = AllocList(itemBytes);
    if (!out)
        return nullptr;
    WriteCount(out, itemBytes);
    out[2] = static_cast<IdList>(kind);
    std::memcpy(out + 3, utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return out;
}

const IdList* TFcIdListArray::GetItem(int index)
{
    ShellMemFree(result_);
    result_ = nullptr;
    if (!list_ || index < 0)
        return nullptr;
    const int count = GetCount();
    if (count == 0) {
        if (index == 0)
            result_ = AllocList(0);
        return result_;
    }
    if (index >= count)
        return nullptr;
    const IdList* p = list_;
    for (int i = 0; i < index && p; ++i)
        p = NextItem(p);
    if (!p || ReadCount(p) == 0)
        return nullptr;
    const std::size_t n = ReadCount(p);
    result_ = AllocList(n);
    if (result_)
        std::memcpy(result_, p, n);
    return result_;
}

const IdList* TFcIdListArray::GoUp(int levels)
{
    ShellMemFree(result_);
    result_ = nullptr;
    if (!list_)
        return nullptr;
    const int target = GetCount() - levels;
    if (levels < 0 || target < 0)
        return nullptr;
    std::size_t bytes = 0;
    for (int i = 0; i < target; ++i)
        bytes += ReadCount(list_ + bytes);
    result_ = AllocList(bytes);
    if (result_ && bytes)
        std::memcpy(result_, list_, bytes);
    return result_;
}

int CompareIdListBytes(const IdList* a, const IdList* b)
{
    const std::size_t la = IdListLen(a);
    const std::size_t lb = IdListLen(b);
    const std::size_t n = std::min(la, lb);
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return static_cast<int>(a[i]) - static_cast<int>(b[i]);
    }
    return la < lb ? -1 : la > lb ? 1 : 0;
}

int TFcPidlList::Compare(const IdList* a, const IdList* b) const
{
    if (OrderingFolder)
        return CompareValue(OrderingFolder->CompareIDs(0, a, b));
    return CompareIdListBytes(a, b);
}

bool TFcPidlList::BinarySearch(const IdList* list, int& index) const
{
    bool found = false;
    int low = 0;
    int high = GetCount() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = Compare(entries_[static_cast<std::size_t>(middle)].list, list);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

bool TFcPidlList::LinearSearch(const IdList* list, int& index) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (Compare(entries_[static_cast<std::size_t>(i)].list, list) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}

int TFcPidlList::IndexOf(const IdList* list) const
{
    int index = -1;
    const bool found = sorted_ ? BinarySearch(list, index) : LinearSearch(list, index);
    return found ? index : -1;
}

int TFcPidlList::AddObject(IdList* list, void* object)
{
    if (!sorted_) {
        entries_.push_back({list, object});
        return GetCount() - 1;
    }
    int index = 0;
    if (BinarySearch(list, index)) {
        if (Duplicates == TDuplicates::dupIgnore)
            return index;
        if (Duplicates == TDuplicates::dupError)
            throw std::runtime_error("TFcPidlList: Duplicate PIDL");
    }
    InsertObject(index, list, object);
    return index;
}

void TFcPidlList::InsertObject(int index, IdList* list, void* object)
{
    if (index < 0 || index > GetCount())
        throw std::out_of_range("TFcPidlList: index out of range");
    entries_.insert(entries_.begin() + index, Entry{list, object});
}

void TFcPidlList::Delete(int index)
{
    if (index < 0 || index >= GetCount())
        throw std::out_of_range("TFcPidlList: index out of range");
    if (OwnsLists)
        ShellMemFree(entries_[static_cast<std::size_t>(index)].list);
    entries_.erase(entries_.begin() + index);
}

void TFcPidlList::Clear()
{
    if (OwnsLists) {
        for (Entry& e : entries_)
            ShellMemFree(e.list);
    }
    entries_.clear();
}

void TFcPidlList::Sort()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [this](const Entry& a, const Entry& b) { return Compare(a.list, b.list) < 0; });
}

void TFcPidlList::SetSorted(bool sorted)
{
    if (sorted && !sorted_)
        Sort();
    sorted_ = sorted;
}

}  // namespace tw::controls::shell
