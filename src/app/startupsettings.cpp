#include "app/startupsettings.h"

#include "app/windowlayout.h"
#include "platform/registry/registry.h"

#include <stdexcept>

namespace tw::app {

StartupRegistry ReadStartupRegistry(registry::TRegistry& reg)
{
    StartupRegistry result;
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (!reg.OpenKey(kProductKey, false))
        return result;
    if (reg.OpenKey(kInstallKey, false) && reg.ReadString("Completed") == "No") {
        result.FirstRun = true;
        result.Paths.Database = reg.ReadString("Database_path");
        result.Paths.ProgramFiles = reg.ReadString("Program_files_path");
        result.Paths.Restore = reg.ReadString("Restore_path");
        result.Paths.Backups = reg.ReadString("Backups");
    }
    if (!reg.OpenKey(kVersionKey, false))
        return result;
    result.VersionKeyOpen = true;
    result.ScheduleAlias = reg.ReadString("TW alias name");
    result.EstimatorAlias = reg.ReadString("QM alias name");
    return result;
}

bool WriteInstallDefaults(registry::TRegistry& reg, const std::string& programFolder)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (reg.OpenKey(kInstallKey, false) && reg.ValueExists("Completed"))
        return false;
    if (!reg.OpenKey(kProductKey, true) || !reg.OpenKey(kVersionKey, true))
        throw std::runtime_error("The settings key " + std::string(kVersionKey) + " cannot be created");
    if (!reg.ValueExists("TW alias name"))
        reg.WriteString("TW alias name", kDefaultScheduleAlias);
    if (!reg.OpenKey(kInstallKey, true))
        throw std::runtime_error("The settings key " + std::string(kInstallKey) + " cannot be created");
    reg.WriteString("Database_path", programFolder + "/Database");
    reg.WriteString("Program_files_path", programFolder);
    reg.WriteString("Restore_path", programFolder + "/Restore");
    reg.WriteString("Backups", programFolder + "/Backups");
    // Written last: a start that fails half-way here tries again next time.
    reg.WriteString("Completed", "No");
    return true;
}

void MarkInstallationCompleted(registry::TRegistry& reg)
{
    reg.SetRootKey(registry::RootKey::LocalMachine);
    if (reg.OpenKey(kInstallKey, false))
        reg.WriteString("Completed", "Yes");
}

}  // namespace tw::app
