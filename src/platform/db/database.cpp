#include "platform/db/database.h"

#include <filesystem>

#include "platform/db/types.h"

namespace tw::db {

std::string AliasFolder(const AliasConfig& aliases, std::string_view alias)
{
    std::string folder;
    for (const std::string& line : aliases.GetAliasParams(alias)) {
        if (NamesEqual(line.substr(0, line.find('=')), "PATH")) {
            folder = line.substr(line.find('=') + 1);
            break;
        }
    }
    if (folder.empty())
        throw DbError(ErrorCode::InvalidAlias,
                      "The database name (alias) \"" + std::string(alias) + "\" has no folder (PATH)");
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw DbError(ErrorCode::NotFound,
                      "The folder " + folder + " of the database name (alias) \"" + std::string(alias)
                          + "\" does not exist",
                      folder);
    return folder;
}

Database::Database(std::string name, const AliasConfig& aliases) : name_(std::move(name)), aliases_(aliases)
{}

std::string Database::folder() const
{
    if (alias_.empty())
        throw DbError(ErrorCode::InvalidAlias, "The database " + name_ + " has no database name (alias)");
    return AliasFolder(aliases_, alias_);
}

std::string ResolveDatabaseFolder(const std::string& name, const std::vector<const Database*>& databases,
                                  const AliasConfig& aliases)
{
    for (const Database* database : databases) {
        if (database != nullptr && NamesEqual(database->name(), name))
            return database->folder();
    }
    return AliasFolder(aliases, name);
}

}  // namespace tw::db
