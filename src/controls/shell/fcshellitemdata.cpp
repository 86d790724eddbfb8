#include "controls/shell/fcshellitemdata.h"

#include "controls/shell/fcdrivetable.h"
#include "controls/shell/fcshellconsts.h"
#include "controls/shell/fcshellutils.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>

namespace tw::controls::shell {

namespace {

constexpr int kNamesPerPass = 50;

QString SystemText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

}  // namespace

ShellError SplitAbsIdList(const IdList* abs, ShellFolderPtr& folder, IdListPtr& parentAbs, IdListPtr& rel)
{
    folder.reset();
    parentAbs.reset();
    rel.reset();
    IdListPtr desktopDir;
    if (IdListItemCount(abs) == 0) {
        const ShellError e = ShellGetSpecialFolderIdList(csidlDesktopDirectory, desktopDir);
        if (!e.ok())
            return e;
        abs = desktopDir.get();
    }
    TFcIdListArray view(abs);
    const int count = view.GetCount();
    if (count == 1) {
        rel.reset(CopyIdList(abs));
        return ShellGetDesktopFolder(folder);
    }
    parentAbs.reset(CopyIdList(view.GoUp(1)));
    rel.reset(CopyIdList(view.GetItem(count - 1)));
    return ShellGetFolderFromIdList(parentAbs.get(), folder);
}

void GetFileSizeAndModified(const IdList* abs, QString& size, QString& modified)
{
    size.clear();
    modified.clear();
    const QString path = ShellGetPathFromIdList(abs);
    if (path.isEmpty())
        return;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode))
        size = FormatFileSizeKB(st.st_size);
    const auto& t = st.st_mtim.tv_sec != 0 ? st.st_mtim : st.st_ctim;
    modified = ModifiedText(static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000);
}

QString GetFileTypeName(const IdList* abs, std::uint32_t attributes)
{
    if (!(attributes & SFGAO_FILESYSTEM))
        return ShellString(SSystemFolder);
    return FileTypeName(ShellGetPathFromIdList(abs), attributes & SFGAO_FOLDER);
}

bool FcShCreateNewFolder(const QString& path, QString& newName,
                         const std::function<void(const QString&)>& warn)
{
    const QString dir = EnsureTrailingCharDB(path.isEmpty() ? QDir::currentPath() : path, QLatin1Char('/'));
    auto show = [&](int err, const QString& name) {
        if (warn)
            warn(FormatStrPos(ShellString(SUnableToCreateFolder), {SystemText(err), name}));
    };
    const QString passes[2][2] = {{ShellString(SNewFolder), QStringLiteral(" (%1)")},
                                  {QStringLiteral("fldr"), QStringLiteral("%1")}};
    for (const auto& pass : passes) {
        for (int n = 1; n <= kNamesPerPass; ++n) {
            const QString candidate = n == 1 ? pass[0] : pass[0] + pass[1].arg(n);
            if (::mkdir(QFile::encodeName(dir + candidate).constData(), 0777) == 0) {
                newName = candidate;
                return true;
            }
            if (errno != EEXIST) {
                show(errno, candidate);
                return false;
            }
        }
    }
    show(EEXIST, ShellString(SNewFolder));
    return false;
}

void TFcShellTreeData::SetData(TFcShellTreeData* parent, const IdList* list)
{
    Flush();
    parent_ = parent;
    if (parent) {
        rel_.reset(CopyIdList(list));
        return;
    }
    const IdList* last = LastItem(list);
    if (last) {
        TFcIdListArray view(list);
        rel_.reset(CopyIdList(view.GetItem(view.GetCount() - 1)));
    } else {
        rel_.reset(CopyIdList(list));
    }
    abs_.reset(CopyIdList(list));
}

void TFcShellTreeData::SetRelPidl(const IdList* rel)
{
    const bool root = parent_ == nullptr;
    IdListPtr parentAbs;
    if (root && abs_) {
        TFcIdListArray view(abs_.get());
        parentAbs.reset(CopyIdList(view.GoUp(1)));
    }
    Flush();
    rel_.reset(CopyIdList(rel));
    if (root)
        abs_.reset(ConcatIdLists(parentAbs.get(), rel_.get()));
}

const IdList* TFcShellTreeData::GetAbsPidl()
{
    if (!abs_)
        abs_.reset(parent_ ? ConcatIdLists(parent_->GetAbsPidl(), rel_.get()) : CopyIdList(rel_.get()));
    return abs_.get();
}

ShellFolderPtr TFcShellTreeData::GetParentIShf()
{
    if (parent_)
        return parent_->GetThisIShf();
    rootParent_.reset();
    IdListPtr parentAbs, rel;
    SplitAbsIdList(GetAbsPidl(), rootParent_, parentAbs, rel);
    return rootParent_;
}

ShellFolderPtr TFcShellTreeData::GetThisIShf()
{
    if (this_)
        return this_;
    if (IdListItemCount(GetAbsPidl()) == 0) {
        ShellGetDesktopFolder(this_);
        return this_;
    }
    ShellFolderPtr parent = GetParentIShf();
    if (parent && !parent->BindToObject(rel_.get(), this_).ok())
        this_.reset();
    return this_;
}

std::uint32_t TFcShellTreeData::GetAttributes()
{
    ShellFolderPtr parent = GetParentIShf();
    if (!parent || IdListItemCount(rel_.get()) != 1)
        return 0;
    std::uint32_t a = kTreeAttributeMask;
    const IdList* items[] = {rel_.get()};
    return parent->GetAttributesOf(1, items, a).ok() ? a : 0;
}

bool TFcShellTreeData::GetEditable()
{
    if (!parent_ || IdListItemCount(GetAbsPidl()) == 0)
        return false;
    ShellFolderPtr parent = GetParentIShf();
    std::uint32_t a = kEditableAttributeMask;
    const IdList* items[] = {rel_.get()};
    return parent && parent->GetAttributesOf(1, items, a).ok() && (a & SFGAO_CANRENAME);
}

QString TFcShellTreeData::GetPathName()
{
    return ShellGetPathFromIdList(GetAbsPidl());
}

void TFcShellTreeData::Flush()
{
    abs_.reset();
    this_.reset();
}

bool TFcShellTreeData::IsRootDir()
{
    const QString path = GetPathName();
    return !path.isEmpty() && CurrentDriveTable()->FindByMountPoint(path) != nullptr;
}

void TFcShellListData::SetData(IdList* rel)
{
    rel_.reset(rel);
    Flush();
}

void TFcShellListData::Flush()
{
    abs_.reset();
    displayName_.clear();
    extraFetched_ = false;
}

const IdList* TFcShellListData::GetAbsoluteIdList()
{
    if (!abs_)
        abs_.reset(ConcatIdLists(owner_.CurrentFolderIdList(), rel_.get()));
    return abs_.get();
}

std::uint32_t TFcShellListData::GetAttributes()
{
    ShellFolderPtr folder = owner_.CurrentFolder();
    std::uint32_t a = kListAttributeMask;
    const IdList* items[] = {rel_.get()};
    return folder && folder->GetAttributesOf(1, items, a).ok() ? a : 0;
}

bool TFcShellListData::IsValid()
{
    ShellFolderPtr folder = owner_.CurrentFolder();
    std::uint32_t a = SFGAO_VALIDATE;
    const IdList* items[] = {rel_.get()};
    return folder && folder->GetAttributesOf(1, items, a).ok();
}

bool TFcShellListData::IsLnkShortcut()
{
    return GetPathName().endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

QString TFcShellListData::GetDisplayName()
{
    if (displayName_.isEmpty()) {
        ShellFolderPtr folder = owner_.CurrentFolder();
        if (folder)
            folder->GetDisplayNameOf(rel_.get(), fnNormal, displayName_);
    }
    return displayName_;
}

QString TFcShellListData::GetPathName()
{
    return ShellGetPathFromIdList(GetAbsoluteIdList());
}

QString TFcShellListData::GetFilename()
{
    return GetPathName().section(QLatin1Char('/'), -1);
}

void TFcShellListData::FetchExtra()
{
    if (extraFetched_)
        return;
    GetFileSizeAndModified(GetAbsoluteIdList(), size_, modified_);
    type_ = GetFileTypeName(GetAbsoluteIdList(), GetAttributes());
    extraFetched_ = true;
}

QString TFcShellListData::GetSize()
{
    FetchExtra();
    return size_;
}

QString TFcShellListData::GetFileType()
{
    FetchExtra();
    return type_;
}

QString TFcShellListData::GetModified()
{
    FetchExtra();
    return modified_;
}

QString TFcShellListData::GetColText(int column)
{
    if (column == 0)
        return {};
    ShellFolderPtr folder = owner_.CurrentFolder();
    if (folder)
        return folder->GetDetailsOf(rel_.get(), column);
    switch (column) {
    case 1: return GetSize();
    case 2: return GetFileType();
    case 3: return GetModified();
    default: return {};
    }
}

void TFcShellComboData::SetData(ShellFolderPtr parentFolder, const IdList* parentAbs, const IdList* rel)
{
    parent_ = std::move(parentFolder);
    this_.reset();
    parentAbs_.reset(parentAbs ? CopyIdList(parentAbs) : nullptr);
    rel_.reset(CopyIdList(rel));
    abs_.reset(ConcatIdLists(parentAbs_.get(), rel_.get()));
}

ShellFolderPtr TFcShellComboData::GetThisIShf()
{
    if (this_)
        return this_;
    if (IdListItemCount(abs_.get()) == 0) {
        ShellGetDesktopFolder(this_);
        return this_;
    }
    if (!parent_)
        throw std::runtime_error("The folder has no parent");
    const ShellError e = parent_->BindToObject(rel_.get(), this_);
    if (!e.ok())
        throw std::runtime_error(e.text.toStdString());
    return this_;
}

}  // namespace tw::controls::shell
