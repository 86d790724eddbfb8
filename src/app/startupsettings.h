#pragma once
// The registry values that the start-up reads before it opens any database:
// the installer's paths and first-run marker under
// "Software\Fernhollow\TarnwickX\Install", and the two database names under
// "Software\Fernhollow\TarnwickX\7.0" (all under HKEY_LOCAL_MACHINE).
//
// There is no installer on this platform, so the program writes the
// installer's values itself the first time it runs for a program folder
// (WriteInstallDefaults); the start-up then takes its ordinary first-run path.

#include <string>

namespace tw::registry {
class TRegistry;
}

namespace tw::app {

inline constexpr const char* kProductKey = "Software\\Fernhollow\\TarnwickX";
inline constexpr const char* kInstallKey = "Software\\Fernhollow\\TarnwickX\\Install";
inline constexpr const char* kDefaultScheduleAlias = "DOZOrez";
inline constexpr const char* kDefaultEstimatorAlias = "VAZOdiz";

struct InstallPaths {
    std::string Database;      // "Database_path": folder of the schedule database
    std::string ProgramFiles;  // "Program_files_path": the program folder
    std::string Restore;       // "Restore_path"
    std::string Backups;       // "Backups"
};

struct StartupRegistry {
    bool FirstRun = false;        // "Completed" read exactly "No"
    bool VersionKeyOpen = false;  // the first-run work needs the version key
    InstallPaths Paths;           // read on a first run only
    std::string ScheduleAlias = kDefaultScheduleAlias;
    std::string EstimatorAlias = kDefaultEstimatorAlias;
};

// Reads the first-run marker, the installer's paths and the database names.
// The names keep their defaults when the product key or the version key does
// not open; when the version key opens, a missing value reads as "".
StartupRegistry ReadStartupRegistry(registry::TRegistry& reg);

// The installer's part, done once per settings file: unless the "Install" key
// holds "Completed" already, writes "Completed" = "No" and the four paths under
// programFolder, and gives the version key the schedule database name
// "DOZOrez" unless it holds one. The estimating database name stays unset:
// no estimating database is installed with the program. Returns whether it
// wrote anything. Throws std::runtime_error when the file cannot be written.
bool WriteInstallDefaults(registry::TRegistry& reg, const std::string& programFolder);

// "Completed" = "Yes": the next start is an ordinary one.
void MarkInstallationCompleted(registry::TRegistry& reg);

}  // namespace tw::app
