#include "controls/shell/fcshellconsts.h"

#include <QCoreApplication>

#include <array>

namespace tw::controls::shell {

namespace {

// In the order of ShellStringId.
constexpr std::array<const char*, kShellStringCount> kTexts = {
    QT_TRANSLATE_NOOP("Shell", "%s already exists.\nDo you want to replace it?"),
    QT_TRANSLATE_NOOP("Shell", "Save &in:"),
    QT_TRANSLATE_NOOP("Shell", "&Save"),
    QT_TRANSLATE_NOOP("Shell", "Save As"),
    QT_TRANSLATE_NOOP("Shell", "Open"),
    QT_TRANSLATE_NOOP("Shell", "Save as &type:"),
    QT_TRANSLATE_NOOP("Shell", "Drive %c: does not exist.\nPlease verify the appropriate drive was given."),
    QT_TRANSLATE_NOOP("Shell",
                      "Windows NT is unable to read drive %c:. Make sure the drive door is closed and that "
                      "the disk is formatted and free of errors."),
    QT_TRANSLATE_NOOP("Shell",
                      "A different disk is expected in drive %c:.  Please insert the appropriate disk."),
    QT_TRANSLATE_NOOP("Shell", "%s\nFile not found.\nPlease verify the correct file name was given."),
    QT_TRANSLATE_NOOP("Shell", "%s\nPath does not exist.\nPlease verify the correct path was given."),
    QT_TRANSLATE_NOOP("Shell", "%s\nThe above file name is invalid."),
    QT_TRANSLATE_NOOP("Shell",
                      "%s\nThis file is already in use.\nSelect a new name or close the file in use by "
                      "another application."),
    QT_TRANSLATE_NOOP("Shell",
                      "%s\nCannot access this file.\nCheck security privileges over the network drive."),
    QT_TRANSLATE_NOOP("Shell",
                      "%s\nThis file exists with Read Only attributes.\nPlease use a different file name."),
    QT_TRANSLATE_NOOP("Shell", "%s\nThis file name is a reserved device name.\nPlease choose another name."),
    QT_TRANSLATE_NOOP("Shell",
                      "Disk %c: is write-protected.\nA file cannot be saved on a write-protected disk."),
    QT_TRANSLATE_NOOP("Shell", "This directory of disk %c: is full.\nChoose another directory or disk."),
    QT_TRANSLATE_NOOP("Shell", "%s\nThis file does not exist.\n\nCreate the file?"),
    QT_TRANSLATE_NOOP("Shell", "More than one file has the name '%s'.\n\nChoose one from the list of files."),
    QT_TRANSLATE_NOOP("Shell", "Up One Level"),
    QT_TRANSLATE_NOOP("Shell", "Create New Folder"),
    QT_TRANSLATE_NOOP("Shell", "Close"),
    QT_TRANSLATE_NOOP("Shell", "Look &in:"),
    QT_TRANSLATE_NOOP("Shell", "File &name:"),
    QT_TRANSLATE_NOOP("Shell", "Files of &type:"),
    QT_TRANSLATE_NOOP("Shell", "&Open"),
    QT_TRANSLATE_NOOP("Shell", "Cancel"),
    QT_TRANSLATE_NOOP("Shell", "&Help"),
    QT_TRANSLATE_NOOP("Shell", "Open as &read-only"),
    QT_TRANSLATE_NOOP("Shell", "OK"),
    QT_TRANSLATE_NOOP("Shell", "Lar&ge Icons"),
    QT_TRANSLATE_NOOP("Shell", "S&mall Icons"),
    QT_TRANSLATE_NOOP("Shell", "&List"),
    QT_TRANSLATE_NOOP("Shell", "&Details"),
    QT_TRANSLATE_NOOP("Shell", "Cu&t"),
    QT_TRANSLATE_NOOP("Shell", "&Copy"),
    QT_TRANSLATE_NOOP("Shell", "&Paste"),
    QT_TRANSLATE_NOOP("Shell", "&Delete"),
    QT_TRANSLATE_NOOP("Shell", "Rena&me"),
    QT_TRANSLATE_NOOP("Shell", "P&roperties"),
    QT_TRANSLATE_NOOP("Shell", "&View"),
    QT_TRANSLATE_NOOP("Shell", "Arrange &Icons"),
    QT_TRANSLATE_NOOP("Shell", "Lin&e up Icons"),
    QT_TRANSLATE_NOOP("Shell", "&Paste"),
    QT_TRANSLATE_NOOP("Shell", "Select &All"),
    QT_TRANSLATE_NOOP("Shell", "&Invert Selection"),
    QT_TRANSLATE_NOOP("Shell", "Ne&w"),
    QT_TRANSLATE_NOOP("Shell", "&Folder"),
    QT_TRANSLATE_NOOP("Shell", "&Shortcut"),
    QT_TRANSLATE_NOOP("Shell", "Create Folder"),
    QT_TRANSLATE_NOOP("Shell", "Creates a new, empty folder."),
    QT_TRANSLATE_NOOP("Shell", "%s bytes"),
    QT_TRANSLATE_NOOP("Shell", "%sKB"),
    QT_TRANSLATE_NOOP("Shell", "%sMB"),
    QT_TRANSLATE_NOOP("Shell", "%sGB"),
    QT_TRANSLATE_NOOP("Shell", "%sTB"),
    QT_TRANSLATE_NOOP("Shell", "%1 (%2 bytes)"),
    QT_TRANSLATE_NOOP("Shell", "You must type a filename."),
    QT_TRANSLATE_NOOP("Shell", "The folder '%1' does not exist.\n\nCheck the folder name and try again."),
    QT_TRANSLATE_NOOP("Shell", "New Folder"),
    QT_TRANSLATE_NOOP("Shell", "New Shortcut"),
    QT_TRANSLATE_NOOP("Shell", "New "),
    QT_TRANSLATE_NOOP("Shell", "Contains commands for creating new items."),
    QT_TRANSLATE_NOOP("Shell", "Creates a new, empty folder."),
    QT_TRANSLATE_NOOP("Shell", "Creates a new, empty shortcut."),
    QT_TRANSLATE_NOOP("Shell", "Cannot create folder %2: %1"),
    QT_TRANSLATE_NOOP("Shell", "Unable to create the folder '%2'\n\n%1"),
    QT_TRANSLATE_NOOP("Shell", "Unable to create the file '%2'\n\n%1"),
    QT_TRANSLATE_NOOP("Shell", "Name"),
    QT_TRANSLATE_NOOP("Shell", "In Folder"),
    QT_TRANSLATE_NOOP("Shell", "Size"),
    QT_TRANSLATE_NOOP("Shell", "Type"),
    QT_TRANSLATE_NOOP("Shell", "Modified"),
    QT_TRANSLATE_NOOP("Shell", "Status"),
    QT_TRANSLATE_NOOP("Shell", "Sync Copy In"),
    QT_TRANSLATE_NOOP("Shell", "Comment"),
    QT_TRANSLATE_NOOP("Shell", "Location"),
    QT_TRANSLATE_NOOP("Shell", "Original Location"),
    QT_TRANSLATE_NOOP("Shell", "Date Deleted"),
    QT_TRANSLATE_NOOP("Shell", "Attributes"),
    QT_TRANSLATE_NOOP("Shell", "RHSAC"),
    QT_TRANSLATE_NOOP("Shell", "System Folder"),
    QT_TRANSLATE_NOOP("Shell", "Delete"),
    QT_TRANSLATE_NOOP("Shell", "Properties"),
    QT_TRANSLATE_NOOP("Shell", "Cut"),
    QT_TRANSLATE_NOOP("Shell", "Copy"),
    QT_TRANSLATE_NOOP("Shell", "Paste"),
    QT_TRANSLATE_NOOP("Shell", "Undo"),
    QT_TRANSLATE_NOOP("Shell", "Deletes the selected items."),
    QT_TRANSLATE_NOOP("Shell", "Displays the properties of the selected items."),
    QT_TRANSLATE_NOOP("Shell", "Removes the selected items and copies them onto the Clipboard."),
    QT_TRANSLATE_NOOP(
        "Shell", "Copies the selected items to the Clipboard. Use Paste to put them in the new location."),
    QT_TRANSLATE_NOOP("Shell", "Inserts the items you have copied or cut into the selected location."),
    QT_TRANSLATE_NOOP("Shell", "Contains items that you can copy or send the selected file or folder to."),
    QT_TRANSLATE_NOOP("Shell", "Contains commands for creating new items."),
    QT_TRANSLATE_NOOP("Shell", "Contains commands for customizing this window."),
    QT_TRANSLATE_NOOP("Shell", "Displays items by using large icons."),
    QT_TRANSLATE_NOOP("Shell", "Displays items by using small icons."),
    QT_TRANSLATE_NOOP("Shell", "Displays items in a list."),
    QT_TRANSLATE_NOOP("Shell", "Displays information about each item in the window."),
    QT_TRANSLATE_NOOP("Shell", "Large Icons"),
    QT_TRANSLATE_NOOP("Shell", "Small Icons"),
    QT_TRANSLATE_NOOP("Shell", "List"),
    QT_TRANSLATE_NOOP("Shell", "Details"),
    QT_TRANSLATE_NOOP("Shell", "Browse for Folder"),
    QT_TRANSLATE_NOOP("Shell", "Show Tree (F12)"),
    QT_TRANSLATE_NOOP("Shell", "Ctrl+A"),
    QT_TRANSLATE_NOOP("Shell", "Del"),
    QT_TRANSLATE_NOOP("Shell", "Ctrl+C"),
    QT_TRANSLATE_NOOP("Shell", "Ctrl+X"),
    QT_TRANSLATE_NOOP("Shell", "Ctrl+V"),
    QT_TRANSLATE_NOOP("Shell", "F5"),
    QT_TRANSLATE_NOOP("Shell", "F2"),
    QT_TRANSLATE_NOOP("Shell", "MS Sans Serif"),
    QT_TRANSLATE_NOOP("Shell", "Desktop"),
    QT_TRANSLATE_NOOP("Shell", "Home"),
    QT_TRANSLATE_NOOP("Shell", "Computer"),
    QT_TRANSLATE_NOOP("Shell", "Network"),
};

}  // namespace

const char* ShellStringSource(ShellStringId id)
{
    return kTexts.at(static_cast<std::size_t>(id));
}

QString ShellString(ShellStringId id)
{
    return QCoreApplication::translate("Shell", ShellStringSource(id));
}

QString FormatS(const QString& format, const QStringList& args)
{
    QString out;
    out.reserve(format.size() + 16);
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('%') && i + 1 < format.size()) {
            const QChar k = format[i + 1];
            if (k == QLatin1Char('%')) {
                out.append(k);
                ++i;
                continue;
            }
            if (k == QLatin1Char('s') || k == QLatin1Char('c') || k == QLatin1Char('d')) {
                if (next < args.size())
                    out.append(args[next]);
                ++next;
                ++i;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

}  // namespace tw::controls::shell
