#pragma once
// The Utilities tab without its window: the backup medium box, the folder it
// shows, the free space of that drive, deleting a backup file and the help
// pages of the main window. The window implements UtilitiesView over its
// widgets, tests over plain values.
//
//   UtilitiesTab tab(view, volumes, state, ui);
//   tab.Start(startDrive);              // once, when the tab is built
//   tab.DriveComboBoxChange();          // the user picked a volume

#include <string>

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "settings/volumes.h"

namespace tw::settings {

class UtilitiesView {
public:
    virtual ~UtilitiesView() = default;

    // The volumes offered by the drive box, by mount point.
    virtual void SetDrives(const std::vector<Volume>& volumes) = 0;
    virtual std::string ChosenDrive() const = 0;
    // Selects a volume in the drive box without reporting a change.
    virtual void SetChosenDrive(const std::string& root) = 0;
    // Roots the folder tree at root and shows folder in it and in the file list.
    virtual void ShowFolder(const std::string& root, const std::string& folder) = 0;
    // The folder the file list shows.
    virtual std::string ShownFolder() const = 0;
    // The full path of the file selected in the file list; empty when none.
    virtual std::string SelectedFile() const = 0;
    virtual void RefreshFiles() = 0;
    virtual void ShowSpace(const DriveSpace& space, const std::string& text) = 0;
    virtual void SetBackupStatus(const std::string& text) = 0;
};

// The help page of the main window's page at pageIndex (customer, select,
// visualize, calendar, company, utilities); empty when it has none.
std::string HelpPageOf(int pageIndex);
inline constexpr const char* kContentsPage = "Table_of_contents.htm";
inline constexpr const char* kTutorialPage = "TW_tutorial.htm";

class UtilitiesTab {
public:
    UtilitiesTab(UtilitiesView& view, const VolumeList& volumes, data::MainScreenState& state,
                 data::UserInterface& ui);

    // Fills the drive box and shows the backup folder (the start drive when
    // the setting names none or a folder that is gone).
    void Start(const std::string& startDrive);
    const std::string& StartDrive() const { return startDrive_; }
    // The volumes the drive box offers.
    const VolumeList& Volumes() const { return volumes_; }

    void DriveComboBoxChange();
    // The tree or the list moved to another folder: it becomes the backup folder.
    void FolderChange();
    void UpClick();
    void RemoveFileClick();
    // Free space of the volume that holds the backup folder.
    void ShowDriveSpace();
    // After the backup, a restore or the setup: the list and the free space again.
    void Refresh();

private:
    bool Guarded() const { return !state_.TablesBusy; }

    UtilitiesView& view_;
    const VolumeList& volumes_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    std::string startDrive_;
    std::string root_;
};

}  // namespace tw::settings
