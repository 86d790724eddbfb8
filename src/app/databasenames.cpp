#include "app/databasenames.h"

#include "app/windowlayout.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "platform/db/types.h"
#include "platform/registry/registry.h"
#include "settings/pathcase.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace tw::app {

const DatabaseNameRules& ScheduleDatabaseRules()
{
    static const DatabaseNameRules rules{
        QStringLiteral("TW alias name"),
        {"estimator", "scheduler", "Parameters", "TWDbRestore", "Quillmark1", "TWUXData", "TWParams",
         "TWDbRs"},
        {"estimator", "scheduler", "DOZOrez", "Tarnwick1", "Parameters", "Quillmark1", "TWParams", "TWUXData",
         "TWDbRs", "TWDbRestore"},
        true,
        QStringLiteral("ICharts.dbf"),
    };
    return rules;
}

const DatabaseNameRules& EstimatingDatabaseRules()
{
    static const QStringList reserved{"estimator", "scheduler", "Parameters", "TWDbRs",     "Tarnwick1",
                                      "DOZOrez",   "TWUXData",  "TWParams",   "TWDbRestore"};
    static const DatabaseNameRules rules{QStringLiteral("QM alias name"), reserved, reserved, false, {}};
    return rules;
}

bool IsReservedName(const QStringList& reserved, const QString& name)
{
    return reserved.contains(name, Qt::CaseSensitive);
}

bool FolderHoldsFile(const QString& folder, const QString& fileName)
{
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    return files.contains(fileName, Qt::CaseInsensitive);
}

QString AliasPath(const db::AliasConfig& session, const QString& alias)
{
    for (const std::string& line : session.GetAliasParams(alias.toStdString())) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && db::NamesEqual(line.substr(0, equals), "PATH"))
            return settings::SpellPathAsOnDisk(QString::fromStdString(line.substr(equals + 1)));
    }
    throw db::DbError(db::ErrorCode::InvalidAlias,
                      "The database name (alias) \"" + alias.toStdString() + "\" has no folder (PATH)");
}

namespace {

// The registry value is written only under a version key that exists: the
// start-up owns the key, and a name written elsewhere would never be read.
bool WriteDatabaseName(const QString& value, const QString& alias, const std::string& registryFile)
{
    try {
        registry::TRegistry reg(registryFile);
        reg.SetRootKey(registry::RootKey::LocalMachine);
        if (!reg.OpenKey(kVersionKey, false))
            return false;
        reg.WriteString(value.toStdString(), alias.toStdString());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

SwitchResult SwitchDatabaseName(const DatabaseNameRules& rules, const QString& chosen,
                                db::AliasConfig& session, db::Database& database, DatabaseSwitchHost& host,
                                const std::string& registryFile)
{
    SwitchResult result;
    if (chosen.isEmpty())
        return result;
    if (IsReservedName(rules.SwitchReserved, chosen)) {
        result.Outcome = SwitchOutcome::Reserved;
        return result;
    }
    const DatabaseInUse previous = host.InUse();
    const std::string previousConnection = database.aliasName();
    try {
        const std::string chosenFolder = db::AliasFolder(session, chosen.toStdString());
        host.SetInUse({previous.Alias, QString::fromStdString(chosenFolder)});
        host.CloseAllTables();
        database.setAliasName(chosen.toStdString());
        const QString folder = QString::fromStdString(database.folder());
        if (!rules.RequiredTable.isEmpty() && !FolderHoldsFile(folder, rules.RequiredTable))
            throw db::DbError(db::ErrorCode::NotFound,
                              "The folder " + folder.toStdString() + " holds no "
                                  + rules.RequiredTable.toStdString());
        host.SetInUse({chosen, folder});
        host.OpenAllTables(rules.RebuildOnReopen);
    } catch (const std::exception& e) {
        // Tables reopened from the failed folder would be no database at all:
        // name and folder go back together.
        result.Outcome = SwitchOutcome::Failed;
        result.Error = QString::fromLocal8Bit(e.what());
        host.SetInUse(previous);
        host.CloseAllTables();
        database.setAliasName(previousConnection);
        host.OpenAllTables(false);
        return result;
    }
    result.Outcome = SwitchOutcome::Switched;
    result.RegistryWritten = WriteDatabaseName(rules.RegistryValue, chosen, registryFile);
    return result;
}

namespace {

bool SameFolder(const QString& a, const QString& b)
{
    const auto canonical = [](const QString& path) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        return resolved.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : resolved;
    };
    return canonical(a) == canonical(b);
}

}  // namespace

CreateOutcome CreateDatabaseName(const DatabaseNameRules& rules, const QString& name, const QString& folder,
                                 const QString& programFolder, db::AliasConfig& session)
{
    if (IsReservedName(rules.CreateReserved, name))
        return CreateOutcome::Reserved;
    if (SameFolder(folder, programFolder))
        return CreateOutcome::IllegalLocation;
    if (name.isEmpty())
        return CreateOutcome::NothingNamed;
    if (!session.AliasExists(name.toStdString())) {
        session.AddStandardAlias(name.toStdString(), folder.toStdString());
        return CreateOutcome::Added;
    }
    session.ModifyAlias(name.toStdString(), {"PATH=" + folder.toStdString()});
    return CreateOutcome::Repointed;
}

std::string SaveConfigThreadProc(db::AliasConfig& session)
{
    try {
        session.Save();
        return {};
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "The database names could not be saved";
    }
}

BackgroundSave::~BackgroundSave()
{
    Wait();
}

void BackgroundSave::Start(db::AliasConfig& session)
{
    Wait();
    worker_ = std::async(std::launch::async, [&session] { return SaveConfigThreadProc(session); });
}

bool BackgroundSave::Finished() const
{
    return worker_.valid() && worker_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void BackgroundSave::Wait() const
{
    if (worker_.valid())
        worker_.wait();
}

QString BackgroundSave::Take()
{
    return QString::fromLocal8Bit(worker_.get());
}

QString SavedNameStatus(const QString& name, bool aliasExisted)
{
    return "Database name " + name + (aliasExisted ? " updated" : " created");
}

}  // namespace tw::app
