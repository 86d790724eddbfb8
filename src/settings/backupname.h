#pragma once
// The name of a backup archive: the database name, "_", the date and time of
// the backup as the user reads them (the date alone at midnight) with every
// "/", blank and ":" made "_", and ".zip"; in the backup folder.
//
//   BackupFileName("DOZOrez", "/media/stick", instant)
//       -> "/media/stick/DOZOrez_12_8_2026_6_24_06_AM.zip"   (en_US)
//
// Two backups within one second get one name: the later replaces the earlier.

#include <string>

#include "platform/datetime/datetime.h"

namespace tw::settings {

// The file name alone.
std::string BackupArchiveName(const std::string& databaseName, TDateTime instant);

// The full path: the folder, a "/" unless the folder ends with one, the name.
std::string BackupFileName(const std::string& databaseName, const std::string& backupFolder,
                           TDateTime instant);

}  // namespace tw::settings
