#pragma once
// The work behind the two database-name dialogs, kept apart from the windows:
// which names are reserved, switching a database to another name, adding or
// repointing a name, and saving the names on a worker thread.
//
// The schedule database ("scheduler") and the estimating database
// ("estimator") are chosen the same way; DatabaseNameRules holds what differs.
//
//   const SwitchResult r =
//       SwitchDatabaseName(ScheduleDatabaseRules(), "Branch2", session, schedulerDatabase, host);
//   if (r.Outcome == SwitchOutcome::Switched && !r.RegistryWritten) ...

#include <QString>
#include <QStringList>

#include <future>
#include <string>

namespace tw::db {
class AliasConfig;
class Database;
}  // namespace tw::db

namespace tw::app {

struct DatabaseNameRules {
    QString RegistryValue;       // the value under the version key that the start-up reads
    QStringList SwitchReserved;  // names the program keeps for itself, compared exactly
    QStringList CreateReserved;
    bool RebuildOnReopen;   // tables reopened after a switch may be rebuilt in the current layout
    QString RequiredTable;  // a folder without it holds no database of this kind; empty: any folder
};

const DatabaseNameRules& ScheduleDatabaseRules();
const DatabaseNameRules& EstimatingDatabaseRules();

// Exact comparison, letter case included: "dozorez" may be created where
// "DOZOrez" may not.
bool IsReservedName(const QStringList& reserved, const QString& name);

// True when folder holds fileName in any letter case.
bool FolderHoldsFile(const QString& folder, const QString& fileName);

// The folder of a database name as the disk spells it. Throws DbError for a
// name that is unknown or has no PATH.
QString AliasPath(const db::AliasConfig& session, const QString& alias);

// The name a database is reached under and its folder.
struct DatabaseInUse {
    QString Alias;
    QString Folder;
};

// The rest of the program as a switch of database name sees it: the main
// window's name and folder of the database, which the tables read when they
// open, and the tables themselves.
class DatabaseSwitchHost {
public:
    virtual ~DatabaseSwitchHost() = default;
    virtual DatabaseInUse InUse() const = 0;
    virtual void SetInUse(const DatabaseInUse& inUse) = 0;
    virtual void CloseAllTables() = 0;
    virtual void OpenAllTables(bool rebuildAllowed) = 0;
};

enum class SwitchOutcome {
    NothingChosen,  // empty name: nothing happens
    Reserved,       // refused before anything changed
    Failed,         // the database is back on the name and folder it had
    Switched,
};

struct SwitchResult {
    SwitchOutcome Outcome = SwitchOutcome::NothingChosen;
    bool RegistryWritten = false;  // the name is kept for the next start
    QString Error;                 // why a switch failed
};

// Points database at chosen: the tables are closed, the database reconnected
// and the tables reopened from the new folder. Any failure, a folder without
// the rules' RequiredTable included, reconnects the database to the name it
// had, gives the host back its name and folder and reopens the tables without
// rebuilding; the registry is then left alone. After a switch the name is
// written to the registry value of the rules, under a version key that must
// exist already. registryFile: the settings file; empty means the program's.
SwitchResult SwitchDatabaseName(const DatabaseNameRules& rules, const QString& chosen,
                                db::AliasConfig& session, db::Database& database, DatabaseSwitchHost& host,
                                const std::string& registryFile = {});

enum class CreateOutcome {
    Reserved,         // refused; the names are unchanged
    IllegalLocation,  // the program folder cannot hold a database; refused
    NothingNamed,     // empty name: nothing happens
    Added,            // a new name, to be saved
    Repointed,        // an existing name now names folder, to be saved
};

// Adds name for folder, or repoints it when the session knows it already.
// programFolder is refused as the folder. Throws DbError when the session
// refuses the name or folder.
CreateOutcome CreateDatabaseName(const DatabaseNameRules& rules, const QString& name, const QString& folder,
                                 const QString& programFolder, db::AliasConfig& session);

// The worker's whole job: saves the session's names. Returns the error text,
// empty when the names were saved.
std::string SaveConfigThreadProc(db::AliasConfig& session);

// One save of the names on a worker thread whose outcome the GUI thread picks
// up when it is ready, never guessed.
class BackgroundSave {
public:
    BackgroundSave() = default;
    // Waits for a save still running: the session must outlive its worker.
    ~BackgroundSave();
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

    // Starts saving session; a save still running is waited for first.
    void Start(db::AliasConfig& session);
    // A save was started and its outcome not yet taken.
    bool Started() const { return worker_.valid(); }
    // Started and done; Take will not block.
    bool Finished() const;
    void Wait() const;
    // The error text of the finished save, empty when it succeeded; the save
    // is no longer Started afterwards.
    QString Take();

private:
    std::future<std::string> worker_;
};

// The status text once a save succeeded: "Database name <name> updated" for a
// repointed name, "... created" for a new one.
QString SavedNameStatus(const QString& name, bool aliasExisted);

}  // namespace tw::app
