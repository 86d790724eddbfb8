#pragma once
// The vocabulary every part of the shell layer shares: result codes, item
// attributes, display-name kinds and the special-folder ids.
//
// Platform rules of this namespace: "/" is the only separator; paths are never
// upper-cased and compare case-sensitively (file-name filters stay
// case-insensitive); the root of a drive is its mount point, so names like
// "X:" do not occur; there are no third-party shell extensions and no class
// registry.

#include <QString>

#include <cstdint>

namespace tw::controls::shell {

// A result as the shell reports it: zero or positive is success; a failure
// has the top bit set. A comparison's value sits in the low 16 bits.
using ShResult = std::int32_t;

constexpr ShResult S_OK_ = 0;
constexpr ShResult E_FAIL_ = static_cast<ShResult>(0x80004005u);
constexpr ShResult E_INVALIDARG_ = static_cast<ShResult>(0x80070057u);
constexpr ShResult E_NOTFOUND_ = static_cast<ShResult>(0x80070002u);
constexpr ShResult E_ACCESSDENIED_ = static_cast<ShResult>(0x80070005u);
constexpr ShResult E_ALREADYEXISTS_ = static_cast<ShResult>(0x800700B7u);

constexpr bool Succeeded(ShResult r)
{
    return r >= 0;
}
constexpr bool Failed(ShResult r)
{
    return r < 0;
}
// A failure built from an errno value, in the system's own numbering.
constexpr ShResult ResultFromErrno(int err)
{
    return static_cast<ShResult>(0x80070000u | (static_cast<unsigned>(err) & 0xFFFFu));
}
// A comparison's answer packed as a success code; read back with CompareValue.
constexpr ShResult MakeCompareResult(int value)
{
    return static_cast<ShResult>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value < 0       ? -1
                                                                                          : value > 0 ? 1
                                                                                                      : 0)));
}
constexpr int CompareValue(ShResult r)
{
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(r) & 0xFFFFu);
}

// A failure with the system's text, as a folder reports it.
struct ShellError {
    ShResult code = S_OK_;
    QString text;
    bool ok() const { return Succeeded(code); }
};
ShellError ErrorFromErrno(int err);

// Item attributes (in/out mask of GetAttributesOf).
enum : std::uint32_t {
    SFGAO_CANCOPY = 0x00000001,
    SFGAO_CANMOVE = 0x00000002,
    SFGAO_CANLINK = 0x00000004,
    SFGAO_CANRENAME = 0x00000010,
    SFGAO_CANDELETE = 0x00000020,
    SFGAO_LINK = 0x00010000,
    SFGAO_SHARE = 0x00020000,
    SFGAO_READONLY = 0x00040000,
    SFGAO_HIDDEN = 0x00080000,
    SFGAO_VALIDATE = 0x01000000,
    SFGAO_REMOVABLE = 0x02000000,
    SFGAO_FILESYSANCESTOR = 0x10000000,
    SFGAO_FOLDER = 0x20000000,
    SFGAO_FILESYSTEM = 0x40000000,
    SFGAO_HASSUBFOLDER = 0x80000000,
};
constexpr std::uint32_t kTreeAttributeMask = 0xF00F0037u;
constexpr std::uint32_t kListAttributeMask = 0x700F0037u;
constexpr std::uint32_t kEditableAttributeMask = 0x40000177u;

// What EnumObjects lists.
enum : unsigned {
    SHCONTF_FOLDERS = 0x20,
    SHCONTF_NONFOLDERS = 0x40,
    SHCONTF_INCLUDEHIDDEN = 0x80,
};

// Display-name kinds.
enum TFcFriendlyNameFlags : unsigned {
    fnNormal = 0x0000,
    fnInFolder = 0x0001,
    fnForEditing = 0x1001,
    fnForAddressBar = 0x4000,
    fnForParsing = 0x8000,
};

// Special folders; each ordinal is the number the folder has always had.
enum TCSIDL : std::uint8_t {
    csidlDesktop = 0,
    csidl_None1,
    csidlPrograms,
    csidlControls,
    csidlPrinters,
    csidlPersonal,
    csidlFavorites,
    csidlStartup,
    csidlRecent,
    csidlSendTo,
    csidlBitBucket,
    csidlStartMenu,
    csidl_None2,
    csidl_None3,
    csidl_None4,
    csidl_None5,
    csidlDesktopDirectory,
    csidlDrives,
    csidlNetwork,
    csidlNethood,
    csidlFonts,
    csidlTemplates,
    csidlCommonStartMenu,
    csidlCommonPrograms,
    csidlCommonStartup,
    csidlCommonDesktopDirectory,
    csidlAppData,
    csidlPrintHood,
    csidlLocalAppData,
    csidlAltStartup,
    csidlCommonAltStartup,
    csidlCommonFavorites,
    csidlInternetCache,
    csidlCookies,
    csidlHistory,
    csidlCommonAppData,
    csidlWindows,
    csidlSystem,
    csidlProgramFiles,
    csidlMyPictures,
    csidlProfile,
    csidlSystemX86,
    csidlProgramFilesX86,
    csidlProgramFilesCommon,
    csidlProgramFilesCommonX86,
    csidlCommonTemplates,
    csidlCommonDocuments,
    csidlCommonAdminTools,
    csidlAdminTools,
    csidlConnections,
    csidlNone
};

}  // namespace tw::controls::shell
