#include "controls/shell/fcshelllocator.h"

#include "controls/shell/fcshellutils.h"

#include <cstring>
#include <stdexcept>

namespace tw::controls::shell {

const IdList* TFcShellLocator::GetIdList()
{
    if (kind_ == BySpecialFolder && !list_) {
        IdListPtr resolved;
        if (ShellGetSpecialFolderIdList(csidl_, resolved).ok() && IdListItemCount(resolved.get()) > 0)
            list_ = std::move(resolved);
    }
    return list_.get();
}

QString TFcShellLocator::GetPathName()
{
    return ShellGetPathFromIdList(GetIdList());
}

void TFcShellLocator::SetIdList(const IdList* list)
{
    bool changed = kind_ != ByIdList;
    if (list_) {
        if (kind_ == ByIdList) {
            const int c = CompareAbsIdLists(list_.get(), list);
            changed = c != 0 && c != kCannotCompare;
        }
        list_.reset();
    } else {
        changed = changed || (list && ItemSize(list) != 0);
    }
    kind_ = ByIdList;
    if (list && IdListLen(list) > 2)
        list_.reset(CopyIdList(list));
    csidl_ = csidlNone;
    if (changed)
        Changed();
}

void TFcShellLocator::SetCSIDL(TCSIDL csidl)
{
    list_.reset();
    const bool changed = kind_ != BySpecialFolder || csidl_ != csidl;
    kind_ = BySpecialFolder;
    csidl_ = csidl;
    if (changed)
        Changed();
}

void TFcShellLocator::SetPathName(const QString& path)
{
    IdListPtr list;
    if (ShellGetIdListFromPath(path, list).ok())
        SetIdList(list.get());
    else
        SetIdList(nullptr);
}

bool TFcShellLocator::IsEqual(const TFcShellLocator& other) const
{
    if (kind_ != other.kind_)
        return false;
    if (&other == this)
        return true;
    if (kind_ == ByIdList)
        return CompareAbsIdLists(list_.get(), other.list_.get()) == 0;
    return csidl_ == other.csidl_;
}

void TFcShellLocator::Assign(const TFcShellLocator* source)
{
    if (!source) {
        Clear();
        return;
    }
    if (IsEqual(*source))
        return;
    list_.reset();
    kind_ = source->kind_;
    if (kind_ == BySpecialFolder) {
        csidl_ = source->csidl_;
    } else {
        csidl_ = csidlNone;
        if (source->list_)
            list_.reset(CopyIdList(source->list_.get()));
    }
    Changed();
}

QByteArray TFcShellLocator::WriteData() const
{
    QByteArray out;
    out.append(static_cast<char>(kind_));
    if (kind_ == BySpecialFolder) {
        out.append(static_cast<char>(csidl_));
        return out;
    }
    const auto len = static_cast<std::uint32_t>(IdListLen(list_.get()));
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((len >> (8 * i)) & 0xFF));
    if (list_)
        out.append(reinterpret_cast<const char*>(list_.get()), static_cast<qsizetype>(len));
    return out;
}

void TFcShellLocator::ReadData(const QByteArray& data)
{
    if (data.isEmpty())
        throw std::runtime_error("Stream read error");
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    if (bytes[0] != 0) {
        if (data.size() < 2)
            throw std::runtime_error("Stream read error");
        list_.reset();
        kind_ = BySpecialFolder;
        csidl_ = bytes[1] <= csidlNone ? static_cast<TCSIDL>(bytes[1]) : csidlNone;
        return;
    }
    if (data.size() < 5)
        throw std::runtime_error("Stream read error");
    const std::uint32_t len =
        bytes[1] | (bytes[2] << 8) | (bytes[3] << 16) | (static_cast<std::uint32_t>(bytes[4]) << 24);
    list_.reset();
    if (len == 0) {
        kind_ = BySpecialFolder;
        csidl_ = csidlDesktop;
        return;
    }
    if (len < 2 || static_cast<std::uint64_t>(data.size()) < 5 + static_cast<std::uint64_t>(len))
        throw std::runtime_error("Stream read error");
    // The items must end exactly at the stored terminator.
    std::uint32_t at = 0;
    while (at + 2 <= len) {
        const std::uint32_t n = bytes[5 + at] | (bytes[5 + at + 1] << 8);
        if (n == 0)
            break;
        if (n < 2)
            throw std::runtime_error("Stream read error: malformed item id list");
        at += n;
    }
    if (at + 2 != len)
        throw std::runtime_error("Stream read error: malformed item id list");
    auto* list = static_cast<IdList*>(ShellMemAlloc(len));
    std::memcpy(list, bytes + 5, len);
    kind_ = ByIdList;
    csidl_ = csidlNone;
    if (len > 2)
        list_.reset(list);
    else
        ShellMemFree(list);
}

void TFcShellLocator::Changed()
{
    if (OnChange)
        OnChange(this);
}

}  // namespace tw::controls::shell
