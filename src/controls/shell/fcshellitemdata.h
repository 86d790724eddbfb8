#pragma once
// The records that tree nodes, list items and combo items of the shell
// controls carry, and the helpers the controls share: splitting an absolute
// list, the size, type and modified texts, and new folders.
//
// Every list a record holds is its own copy; folders are shared pointers
// that the record drops in Flush or when it ends. A null absolute list is the
// Desktop.

#include "controls/shell/fcidlist.h"
#include "controls/shell/fcshellnamespace.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace tw::controls::shell {

// Splits an absolute list into its parent folder, a copy of the parent's
// absolute list (null for the Desktop) and a copy of the last item. The empty
// list stands for the desktop directory here.
ShellError SplitAbsIdList(const IdList* abs, ShellFolderPtr& folder, IdListPtr& parentAbs, IdListPtr& rel);

// Size text (files only) and modified text of an item; both empty for an
// item without a path.
void GetFileSizeAndModified(const IdList* abs, QString& size, QString& modified);
// The type name of a file-system item, "System Folder" for a virtual one.
QString GetFileTypeName(const IdList* abs, std::uint32_t attributes);

// Creates "New Folder", else "New Folder (2)", "New Folder (3)", ... up to 50,
// else "fldr", "fldr2", ... in path (the current folder when empty). Stops at
// the first failure other than "exists" and shows it once through warn;
// running out of names shows one last box. False when nothing was created.
bool FcShCreateNewFolder(const QString& path, QString& newName,
                         const std::function<void(const QString&)>& warn);

class TFcShellTreeData {
public:
    TFcShellTreeData() = default;
    TFcShellTreeData(const TFcShellTreeData&) = delete;
    TFcShellTreeData& operator=(const TFcShellTreeData&) = delete;

    // With a parent, list is relative to it; without, list is absolute (a
    // root node).
    void SetData(TFcShellTreeData* parent, const IdList* list);
    // After an in-place rename.
    void SetRelPidl(const IdList* rel);
    const IdList* RelPidl() const { return rel_.get(); }
    TFcShellTreeData* Parent() const { return parent_; }
    const IdList* GetAbsPidl();
    ShellFolderPtr GetParentIShf();
    // Null when the item cannot be bound.
    ShellFolderPtr GetThisIShf();
    std::uint32_t GetAttributes();
    bool GetEditable();
    QString GetPathName();
    void Flush();
    // A root here is a mount point.
    bool IsRootDir();

private:
    TFcShellTreeData* parent_ = nullptr;
    IdListPtr rel_;
    IdListPtr abs_;
    ShellFolderPtr this_;
    ShellFolderPtr rootParent_;
};

// What a list item asks of its list: the folder it shows.
class ShellListOwner {
public:
    virtual ~ShellListOwner() = default;
    virtual const IdList* CurrentFolderIdList() const = 0;
    virtual ShellFolderPtr CurrentFolder() const = 0;
};

class TFcShellListData {
public:
    explicit TFcShellListData(const ShellListOwner& owner) : owner_(owner) {}
    TFcShellListData(const TFcShellListData&) = delete;
    TFcShellListData& operator=(const TFcShellListData&) = delete;

    // Takes the relative list.
    void SetData(IdList* rel);
    const IdList* RelIdList() const { return rel_.get(); }
    void Flush();
    const IdList* GetAbsoluteIdList();
    std::uint32_t GetAttributes();
    bool IsFolder() { return GetAttributes() & SFGAO_FOLDER; }
    bool IsFileSystem() { return GetAttributes() & SFGAO_FILESYSTEM; }
    bool GetEditable() { return GetAttributes() & SFGAO_CANRENAME; }
    bool IsValid();
    // A shortcut file here is a ".desktop" link.
    bool IsLnkShortcut();
    QString GetDisplayName();
    QString GetPathName();
    QString GetFilename();
    QString GetSize();
    QString GetFileType();
    QString GetModified();
    QString GetColText(int column);

private:
    void FetchExtra();

    const ShellListOwner& owner_;
    IdListPtr rel_;
    IdListPtr abs_;
    QString displayName_;
    bool extraFetched_ = false;
    QString size_, type_, modified_;
};

class TFcShellComboData {
public:
    TFcShellComboData() = default;
    TFcShellComboData(const TFcShellComboData&) = delete;
    TFcShellComboData& operator=(const TFcShellComboData&) = delete;

    void SetData(ShellFolderPtr parentFolder, const IdList* parentAbs, const IdList* rel);
    const IdList* AbsIdList() const { return abs_.get(); }
    const IdList* RelIdList() const { return rel_.get(); }
    const IdList* ParentAbsIdList() const { return parentAbs_.get(); }
    // Throws with the system's text when the item cannot be bound.
    ShellFolderPtr GetThisIShf();

private:
    ShellFolderPtr parent_;
    ShellFolderPtr this_;
    IdListPtr parentAbs_;
    IdListPtr rel_;
    IdListPtr abs_;
};

}  // namespace tw::controls::shell
