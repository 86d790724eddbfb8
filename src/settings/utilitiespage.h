#pragma once
// The Utilities tab's window: the backup medium and folder with the drive's
// free space, the backup, restore, delete, re-index and empty buttons. What
// the buttons do is the Utilities unit's (they go through the session); what
// the medium controls do is settings::UtilitiesTab's.

#include <QWidget>

#include <memory>

#include "settings/utilitiestab.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListView;
class QTreeView;

namespace tw::controls {
class TFcBitBtn;
class TFcLabel;
class TFcStatusBar;
}
namespace tw::settings {
class TSpacePie;
}

namespace tw::app {

// What the page's buttons ask for.
class UtilitiesPageActions {
public:
    virtual ~UtilitiesPageActions() = default;
    virtual void BackupAll() = 0;
    virtual void Restore() = 0;
    virtual void EmptyDatabase() = 0;
    virtual void ReindexDatabase() = 0;
    // "Setup": the setup dialog on the page last shown.
    virtual void ShowSetup() = 0;
};

class TUtilitiesPage : public QWidget, private settings::UtilitiesView {
public:
    TUtilitiesPage(const settings::VolumeList& volumes, data::MainScreenState& state,
                   data::UserInterface& ui, UtilitiesPageActions& actions, QWidget* parent = nullptr);
    ~TUtilitiesPage() override;

    settings::UtilitiesTab& Logic() { return *logic_; }
    // Offers these volumes from now on instead of the ones it was made with
    // (a demonstration or a test that must not show this machine's mounts).
    void UseVolumes(const settings::VolumeList& volumes);
    std::string SelectedFile() const override;

private:
    void SetDrives(const std::vector<settings::Volume>& volumes) override;
    std::string ChosenDrive() const override;
    void SetChosenDrive(const std::string& root) override;
    void ShowFolder(const std::string& root, const std::string& folder) override;
    std::string ShownFolder() const override;
    void RefreshFiles() override;
    void ShowSpace(const settings::DriveSpace& space, const std::string& text) override;
    void SetBackupStatus(const std::string& text) override;

    controls::TFcBitBtn* Button(const char* name, const char* caption, const char* hint,
                                void (UtilitiesPageActions::*work)());

    QComboBox* drives_;
    settings::TSpacePie* pie_;
    controls::TFcLabel* sizeLabel_;
    QTreeView* folders_;
    QFileSystemModel* folderModel_;
    QListView* files_;
    QFileSystemModel* fileModel_;
    controls::TFcStatusBar* backupStatus_;
    bool showing_ = false;  // the page itself moves the controls
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    UtilitiesPageActions& actions_;
    std::unique_ptr<settings::UtilitiesTab> logic_;
};

}  // namespace tw::app
