#pragma once
// The namespace over this machine's file system that every shell control
// names its folders in.
//
//   Desktop (the root, the empty id list)
//     Home                the user's home folder
//     Computer            one Drive per mounted volume, "/" first
//     Network             the network mounts, as Drives
//     <entries>           the desktop directory's own entries
//
// A Drive item is named by its mount point; below it every item is a
// directory entry named by its file name. A folder answers for the items
// directly below it: listing, binding, ordering, attributes, names, parsing,
// renaming and the detail columns. Failures carry the system's text.

#include "controls/shell/fcidlist.h"
#include "controls/shell/fcshelltypes.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace tw::controls::shell {

// Where the namespace's fixed places are. The system's answer comes from
// HOME and the XDG settings; tests put a temporary tree in place.
struct NamespaceEnvironment {
    QString home;
    QString configHome;  // holds user-dirs.dirs
    QString dataHome;    // application data
};
NamespaceEnvironment SystemNamespaceEnvironment();
const NamespaceEnvironment& CurrentNamespaceEnvironment();
void SetNamespaceEnvironment(const NamespaceEnvironment& environment);

// A folder named in user-dirs.dirs (XDG_DOCUMENTS_DIR and the like); empty
// when unset.
QString UserDirectory(const QString& xdgKey);
// The desktop directory when it exists, else empty.
QString DesktopDirectory();

class ShellFolder;
using ShellFolderPtr = std::shared_ptr<ShellFolder>;

class ShellFolder {
public:
    virtual ~ShellFolder() = default;

    // Items directly below, relative one-item lists, in the folder's order of
    // reading (not sorted).
    virtual ShellError EnumObjects(unsigned flags, std::vector<IdListPtr>& items) const = 0;
    // The folder of a relative list (one or more items below this one).
    ShellError BindToObject(const IdList* rel, ShellFolderPtr& folder) const;
    // Column 0 name (folders first, then case-insensitive), 1 size, 2 type,
    // 3 modified; the answer in the low 16 bits (see CompareValue).
    ShResult CompareIDs(int column, const IdList* a, const IdList* b) const;
    // inOut holds the attributes asked for and receives those that all the
    // items have.
    ShellError GetAttributesOf(int count, const IdList* const* items, std::uint32_t& inOut) const;
    ShellError GetDisplayNameOf(const IdList* rel, unsigned flags, QString& name) const;
    // A relative list for a name or a relative path below this folder.
    virtual ShellError ParseDisplayName(const QString& text, IdListPtr& rel) const;
    // Renames one item in place and gives its new relative list.
    ShellError SetNameOf(const IdList* rel, const QString& newName, IdListPtr& newRel) const;
    // The four default columns (Name, Size, Type, Modified); a null item gives
    // the column's heading. Empty past the last column.
    QString GetDetailsOf(const IdList* rel, int column) const;
    static constexpr int kColumnCount = 4;

    // This folder's absolute list and file-system path (empty when virtual).
    const IdList* AbsoluteIdList() const { return abs_.get(); }
    const QString& Path() const { return path_; }

protected:
    explicit ShellFolder(const IdList* abs, QString path);
    // The folder of one child item; null with an error when it is no folder.
    virtual ShellError BindToChild(const IdList* item, ShellFolderPtr& folder) const = 0;
    // The file-system path of one child item, empty when it has none.
    virtual QString ChildPath(const IdList* item) const = 0;
    virtual bool OwnsItem(const IdList* item) const = 0;
    virtual std::uint32_t ChildAttributes(const IdList* item, std::uint32_t mask) const;
    virtual QString ChildName(const IdList* item, unsigned flags) const;
    virtual int KindRank(const IdList* item) const;

    IdListPtr abs_;
    QString path_;
};

ShellFolderPtr DesktopFolder();
// Compares two absolute lists item by item without touching the disk.
ShResult DesktopCompareAbsolute(const IdList* first, const IdList* second);

// The file-system path of an absolute list; empty for virtual items.
QString PathOfIdList(const IdList* abs);
// An absolute list for an absolute path: Computer, the volume holding the
// path, then its entries. ".", ".." and repeated or trailing separators are
// resolved first; the path must exist.
ShellError IdListFromPath(const QString& path, IdListPtr& abs);

// Texts of the detail columns.
QString FormatFileSizeKB(std::int64_t size);
QString FileTypeName(const QString& path, bool isFolder);
QString ModifiedText(std::int64_t msecsSinceEpoch);

}  // namespace tw::controls::shell
