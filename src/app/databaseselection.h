#pragma once
// The two database-name dialogs: TTWDatabaseSelection picks or creates the
// name of the shared schedule database ("scheduler"), TDatabaseSelection that
// of the estimating database ("estimator"). One form serves both; what
// differs is in DatabaseNameRules and in the few members each overrides.
//
// Created once at start-up and shown modally each time:
//
//   TTWDatabaseSelection names(&mainScreen, host, session, schedulerDatabase);   // host: DatabaseDialogHost
//   names.Execute(mainScreen.HelpLevel);
//
// Saving the names after Create runs on a worker thread; the WaitOnSave timer
// reports the outcome once the worker has one, every 3000 ms until then.

#include "app/databasedialoghost.h"
#include "app/databasenames.h"
#include "data/services/busyscopes.h"
#include "data/services/sessionsettings.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class DatabaseSelection;
}

namespace tw::db {
class AliasConfig;
class Database;
}  // namespace tw::db

class QLineEdit;
class QTimer;

namespace tw::app {

// On this platform the drives are the mounted volumes. The root folder is
// always one of them: a container's mount table may name no volume at "/".
QStringList VolumeRoots(const QStringList& mountPoints);
QStringList MountPoints();

class TMainScreen;

// Where the main window keeps a dialog's database: its name, its folder and
// the Utilities page's edit that shows both.
struct MainScreenDatabase {
    std::string data::SessionSettings::*Alias;
    std::string data::SessionSettings::*Folder;
    QLineEdit* (TMainScreen::*InUseEdit)() const;
};

class DatabaseSelection : public QDialog, private DatabaseSwitchHost {
    Q_OBJECT
public:
    ~DatabaseSelection() override;

    bool AliasExisted = false;  // the last Create repointed a name ("updated") rather than adding one
    bool SavePending = false;   // a save was started and its outcome not yet reported
    BackgroundSave SaveThread;
    QString StartFolder;  // refused as the folder of a new name: the program folder
    QTimer* WaitOnSave = nullptr;

    // Fills the dialog for a showing without showing it.
    void Fill(int helpLevel);
    void ShowAliasPath(const QString& alias);
    QString StatusText() const;

    void ChangeDefaultsClick();
    void CreateNewAliasClick();
    void AliasComboChange();
    void DriveComboBoxChange();
    void HelpClick();
    void WaitOnSaveTimer();

protected:
    DatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host, const MainScreenDatabase& members,
                      const DatabaseNameRules& rules, db::AliasConfig& session, db::Database& database,
                      const QString& caption, const QString& helpPage, QWidget* parent);

    QString DatabaseAlias() const;
    QString DatabaseFolder() const;
    // What follows a switch once the name is written (or not) to the registry.
    virtual void AfterSwitch(bool registryWritten) = 0;
    virtual void SaveInBackground() = 0;

    void StartSave();
    void SetStatusText(const QString& text);
    void ReportSwitch();
    void ReportRegistryFailure();

    TMainScreen* mainScreen_;
    DatabaseDialogHost& host_;
    MainScreenDatabase members_;

private:
    DatabaseInUse InUse() const override;
    void SetInUse(const DatabaseInUse& inUse) override;
    void CloseAllTables() override;
    void OpenAllTables(bool rebuildAllowed) override;
    void FillAliasList();
    void RestoreCursor();
    // Errors of the names file reach the user as an "Error" box.
    void ReportError(const QString& text);

    std::unique_ptr<Ui::DatabaseSelection> ui;
    const DatabaseNameRules& rules_;
    db::AliasConfig& session_;
    db::Database& database_;
    QString helpPage_;
    QString savingName_;
    // The hourglass from the start of a save to its end, two events apart.
    std::optional<data::BusyScope> saveHourglass_;
};

class TTWDatabaseSelection final : public DatabaseSelection {
    Q_OBJECT
public:
    TTWDatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host, db::AliasConfig& session,
                         db::Database& schedulerDatabase, QWidget* parent = nullptr);

    int Execute(int helpLevel);
    void SaveConfigInBackground();

protected:
    void AfterSwitch(bool registryWritten) override;
    void SaveInBackground() override { SaveConfigInBackground(); }
};

class TDatabaseSelection final : public DatabaseSelection {
    Q_OBJECT
public:
    TDatabaseSelection(TMainScreen* mainScreen, DatabaseDialogHost& host, db::AliasConfig& session,
                       db::Database& estimatorDatabase, QWidget* parent = nullptr);

    int Open(int helpLevel);
    void SaveDatabaseName();

protected:
    void AfterSwitch(bool registryWritten) override;
    void SaveInBackground() override { SaveDatabaseName(); }
};

}  // namespace tw::app
