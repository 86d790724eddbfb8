#include "settings/removebackupfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include "data/services/busyscopes.h"

namespace tw::settings {

namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

bool RemoveBackupFile(const std::string& selectedPath, data::UserInterface& ui)
{
    if (selectedPath.empty()) {
        ui.ShowMessage("Please select the backup file", "No selection", data::MessageIcon::Stop);
        return false;
    }
    data::BusyScope hourglass(ui);
    struct stat st {};
    // Only files: a folder in the list is never taken for a backup.
    if (::lstat(selectedPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        ::unlink(selectedPath.c_str());
    const bool gone = !Exists(selectedPath);
    hourglass.Release();
    if (!gone)
        ui.ShowMessage("Unable to remove file", "Remove file failed", data::MessageIcon::Stop);
    return gone;
}

}  // namespace tw::settings
