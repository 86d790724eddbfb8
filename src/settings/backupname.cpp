#include "settings/backupname.h"

#include "platform/datetime/localetexts.h"

namespace tw::settings {

std::string BackupArchiveName(const std::string& databaseName, TDateTime instant)
{
    std::string name = databaseName + "_";
    for (char c : locale::DateTimeToStr(instant))
        name += (c == '/' || c == ' ' || c == ':') ? '_' : c;
    return name + ".zip";
}

std::string BackupFileName(const std::string& databaseName, const std::string& backupFolder,
                           TDateTime instant)
{
    // Every folder gets its separator, short ones too ("/a"), so that the
    // archive lands inside the folder and not beside it.
    const bool separated = !backupFolder.empty() && backupFolder.back() == '/';
    return backupFolder + (separated ? "" : "/") + BackupArchiveName(databaseName, instant);
}

}  // namespace tw::settings
