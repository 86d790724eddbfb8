#pragma once
// The texts of the shell layer, in one translatable table.

#include <QString>
#include <QStringList>

namespace tw::controls::shell {

enum ShellStringId {
    SFileExistsReplace, SSaveIn, SSaveButton, SSaveAsCaption, SOpenCaption, SSaveAsType,
    SDriveDoesNotExist, SCannotReadDrive, SRemovableDiskHasChanged, SFileNotFound, SPathDoesNotExist,
    SFilenameIsInvalid, SFileAlreadyInUse, SFileCannotBeAccessed, SExistsAndIsReadOnly,
    SFilenameIsReservedDeviceName, SDiskIsWriteProtected, SInsufficientDiskSpace, SDoesNotExistCreate,
    SThereCanBeOnlyOne, SUpOneLevelHint, SCreateNewFolderHint, SClose, SLookIn, SFileName, SFilesOfType,
    SOpenButton, SCancelButton, SHelpButton, SOpenAsReadOnly, SOKButton, SViewLargeIconsMenu,
    SViewSmallIconsMenu, SViewListMenu, SViewDetailsMenu, SEditCutMenu, SEditCopyMenu, SEditPasteMenu,
    SDeleteMenu, SRenameMenu, SPropertiesMenu, SViewMenu, SArrangeIconsMenu, SLineUpIconsMenu,
    SPasteShortcutMenu, SSelectAllMenu, SInvertSelectionMenu, SNewMenu, SNewFolderMenu, SNewShortcutMenu,
    SCreateFolder, SCreateFolderContext, SBytes, SFilesizeKB, SFilesizeMB, SFilesizeGB, SFilesizeTB,
    SFilesizeX_YBytes, SYouMustTypeFilename, SFolderDoesNotExist, SNewFolder, SNewShortcut,
    SNewDocFilePrefix, SNewPopupContext, SNewFolderContext, SNewShortcutContext, SCannotCreateFolder,
    SUnableToCreateFolder, SUnableToCreateFile, SColumnName, SColumnInFolder, SColumnSize, SColumnType,
    SColumnModified, SColumnStatus, SColumnSynchCopyIn, SColumnComment, SColumnLocation,
    SColumnOriginalLocation, SColumnDateDeleted, SColumnAttributes, SAttributesChars, SSystemFolder,
    SDeleteHint, SPropertiesHint, SCutHint, SCopyHint, SPasteHint, SUndoHint, SDeleteContext,
    SPropertiesContext, SCutContext, SCopyContext, SPasteContext, SSendToContext, SNewContext,
    SViewContext, SViewLargeIconsContext, SViewSmallIconsContext, SViewListContext, SViewDetailsContext,
    SViewLargeIconsHint, SViewSmallIconsHint, SViewListHint, SViewDetailsHint, SBrowseForFolder,
    SShowTreeHint, SShKey_SelectAll, SShKey_Delete, SShKey_Copy, SShKey_Cut, SShKey_Paste,
    SShKey_Refresh, SShKey_Edit, SDialogFontName,
    // The names of the namespace's own places.
    SDesktop, SHome, SComputer, SNetwork,
    kShellStringCount
};

// The text in the user's language (the "Shell" translation context).
QString ShellString(ShellStringId id);
// The untranslated text.
const char* ShellStringSource(ShellStringId id);

// Fills "%s", "%c" and "%d" in order from args; "%%" is a percent sign.
QString FormatS(const QString& format, const QStringList& args);

}  // namespace tw::controls::shell
