#pragma once
// The toolbox under the shell controls: folders from id lists and paths,
// names, special folders, shortcuts, positional formatting and command-line
// splitting.
//
// On this platform: the version tests answer for a fixed, current system;
// there is no class registry, so FcClsidFromFileType answers false;
// shortcuts are symbolic links, or ".desktop" links when the link file's name
// ends so, and keep only what those can hold (target, description, icon and
// start-in folder for a ".desktop" link; the target alone for a symbolic
// link).

#include "controls/shell/fcidlist.h"
#include "controls/shell/fcshellnamespace.h"
#include "controls/shell/fcshelltypes.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tw::controls::shell {

// Version tests: constants here.
constexpr bool IsWin95()
{
    return false;
}
constexpr bool IsOSR2OrGreater()
{
    return false;
}
constexpr bool IsWinNT()
{
    return true;
}
constexpr bool IsWin2000()
{
    return true;
}
constexpr bool HasWin95Shell()
{
    return true;
}
struct TFcModuleVersion {
    std::uint32_t ls = 0;
    std::uint32_t ms = 0;
};
// There are no version resources to read.
inline bool GetModuleVersion(const QString&, TFcModuleVersion&)
{
    return false;
}

ShellError ShellGetDesktopFolder(ShellFolderPtr& folder);
// A null or empty list gives the Desktop.
ShellError ShellGetFolderFromIdList(const IdList* abs, ShellFolderPtr& folder);
ShellError ShellGetIdListFromPath(const QString& path, IdListPtr& abs);
QString ShellGetPathFromIdList(const IdList* abs);
// The path as the namespace spells it (cleaned); empty when it does not parse.
QString ShellGetDisplayPathName(const QString& path);

// Special folders; one with no counterpart here gives a null list, a failure
// and an empty path.
ShellError ShellGetSpecialFolderIdList(TCSIDL csidl, IdListPtr& abs);
QString ShellGetSpecialFolderPath(TCSIDL csidl);
TCSIDL ShellFindCSIDLFromIdList(const IdList* abs);
bool ShellCSIDLEqualsIdList(const IdList* abs, TCSIDL csidl);

// A null folder means the Desktop.
QString ShellGetFriendlyNameFromIdList(const ShellFolder* folder, const IdList* rel, unsigned flags);
QString ShellGetFriendlyNameForLastIdListElement(const IdList* abs);

// Strings. A character of UTF-16 text is never split, so the double-byte
// cases of these routines do not arise.
QString EnsureTrailingCharDB(const QString& s, QChar c);
QString TrimRightDB(const QString& s);
void CopyCharDB(int& index, const QString& s, QString& dest);  // index is 1-based
void ParametizeCmdLineDB(const QString& cmdLine, QStringList& list);
// %1 ... %99 stand for the arguments by position; "%%" is a percent sign,
// "%n" a line break and "%0" ends the text. An insert with no argument gives
// an empty result. More than 50 arguments throw.
QString FormatStrPos(const QString& format, const QStringList& args);

enum TLinkDataOption : std::uint8_t {
    ldoUseDesc = 1 << 0,
    ldoUseArgs = 1 << 1,
    ldoUseIcon = 1 << 2,
    ldoUseWorkDir = 1 << 3,
    ldoUseHotKey = 1 << 4,
    ldoUseShowCmd = 1 << 5,
};
using TLinkDataOptions = std::uint8_t;
constexpr TLinkDataOptions kAllLinkDataOptions = 0x3F;

struct TLinkData {
    QString PathName;
    TLinkDataOptions Options = 0;
    QString Description;
    QString Arguments;
    QString IconLocation;
    std::int32_t IconIndex = 0;
    QString WorkingDirectory;
    std::int32_t ShowCmd = 0;
    std::uint16_t HotKey = 0;
    std::uint8_t ResolveMode = 0;
    IdListPtr IdList;
};

ShResult CreateShortcut(const QString& linkFile, const TLinkData& linkData);
ShResult CreateQuickShortcut(const QString& linkFile, const QString& target);
ShResult ResolveShortcut(const QString& linkFile, TLinkData& linkData, bool getIdList);
// No class registry on this platform.
inline bool FcClsidFromFileType(const QString&, QString&)
{
    return false;
}

}  // namespace tw::controls::shell
