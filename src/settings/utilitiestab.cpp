#include "settings/utilitiestab.h"

#include <array>
#include <filesystem>

#include "data/services/busyscopes.h"
#include "settings/removebackupfile.h"

namespace tw::settings {

namespace fs = std::filesystem;

std::string HelpPageOf(int pageIndex)
{
    static const std::array<const char*, 6> pages = {
        "Customer_details_tab.htm", "Add_select_tasks_tab.htm", "Show_tasks_and_schedule_tab.htm",
        "Work_calendar_tab.htm",    "My_company_tab.htm",       "Utilities_tab.htm"};
    if (pageIndex < 0 || pageIndex >= static_cast<int>(pages.size()))
        return {};
    return pages[static_cast<std::size_t>(pageIndex)];
}

UtilitiesTab::UtilitiesTab(UtilitiesView& view, const VolumeList& volumes, data::MainScreenState& state,
                           data::UserInterface& ui)
    : view_(view), volumes_(volumes), state_(state), ui_(ui)
{
}

void UtilitiesTab::Start(const std::string& startDrive)
{
    startDrive_ = startDrive;
    view_.SetDrives(volumes_.Volumes());
    std::error_code error;
    std::string folder = state_.BackupFolder;
    if (folder.empty() || !fs::is_directory(folder, error))
        folder = startDrive;
    const std::optional<Volume> volume = volumes_.VolumeOf(folder);
    root_ = volume ? volume->rootPath : startDrive;
    view_.SetChosenDrive(root_);
    view_.ShowFolder(root_, folder);
    state_.BackupFolder = view_.ShownFolder();
    view_.SetBackupStatus(state_.BackupFolder);
    ShowDriveSpace();
}

void UtilitiesTab::DriveComboBoxChange()
{
    if (!Guarded())
        return;
    data::BusyScope busy(state_);
    const DriveChoice choice = ChooseDrive(volumes_, view_.ChosenDrive(), startDrive_);
    if (choice.fellBack) {
        view_.SetChosenDrive(startDrive_);
        root_ = startDrive_;
        view_.ShowFolder(root_, choice.folder);
        state_.BackupFolder = choice.folder;
        view_.SetBackupStatus(choice.statusText);
        ShowDriveSpace();
        return;
    }
    root_ = view_.ChosenDrive();
    view_.ShowFolder(root_, choice.folder);
    // The space shown is that of the folder now chosen, so the folder comes first.
    state_.BackupFolder = view_.ShownFolder();
    ShowDriveSpace();
    view_.SetBackupStatus(state_.BackupFolder);
}

void UtilitiesTab::FolderChange()
{
    if (!Guarded())
        return;
    const std::string folder = view_.ShownFolder();
    if (folder.empty())
        return;  // the backup folder keeps what it had
    state_.BackupFolder = folder;
    view_.SetBackupStatus(folder);
}

void UtilitiesTab::UpClick()
{
    const fs::path shown(view_.ShownFolder());
    std::string parent = shown.parent_path().string();
    // Above the volume's root the tree stays at the root.
    if (shown.string() == root_ || parent.size() < root_.size() || parent.rfind(root_, 0) != 0)
        parent = root_;
    view_.ShowFolder(root_, parent);
    FolderChange();
}

void UtilitiesTab::RemoveFileClick()
{
    data::BusyScope hourglass(ui_);
    RemoveBackupFile(view_.SelectedFile(), ui_);
    Refresh();
}

void UtilitiesTab::ShowDriveSpace()
{
    const std::optional<Volume> volume = volumes_.VolumeOf(state_.BackupFolder);
    const DriveSpace space = volume ? SpaceOf(*volume) : DriveSpace{};
    view_.ShowSpace(space, FreeSpaceText(space.freeBytes));
}

void UtilitiesTab::Refresh()
{
    view_.RefreshFiles();
    ShowDriveSpace();
}

}  // namespace tw::settings
