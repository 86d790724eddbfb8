#pragma once
// The program's named databases ("scheduler", "Parameters", "estimator"),
// each bound to a database name (alias) of the AliasConfig whose PATH is the
// folder that holds its tables.
//
//   Database scheduler("scheduler", aliases);
//   scheduler.setAliasName("DOZOrez");
//   const std::string folder = scheduler.folder();  // throws DbError
//
// The table engine finds a table's folder through a hook of the shape
// std::string(const std::string&), given a database name or a bare alias:
//
//   auto resolve = [&](const std::string& name) {
//       return ResolveDatabaseFolder(name, {&scheduler, &parameters}, aliases);
//   };

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/aliases.h"

namespace tw::db {

// The folder of an alias: the value of its PATH line. Throws DbError
// (InvalidAlias) naming the alias when it is unknown or has no PATH, and
// DbError (NotFound) naming the folder when that is not an existing folder.
std::string AliasFolder(const AliasConfig& aliases, std::string_view alias);

class Database {
public:
    // The configuration must outlive the database.
    Database(std::string name, const AliasConfig& aliases);

    const std::string& name() const { return name_; }
    const std::string& aliasName() const { return alias_; }
    void setAliasName(std::string alias) { alias_ = std::move(alias); }

    // Resolved on every call, so that a repointed alias takes effect at once.
    std::string folder() const;

private:
    std::string name_;
    std::string alias_;
    const AliasConfig& aliases_;
};

// The folder of a database name (compared without regard to letter case) of
// one of the databases, or else of the alias of that name.
std::string ResolveDatabaseFolder(const std::string& name, const std::vector<const Database*>& databases,
                                  const AliasConfig& aliases);

}  // namespace tw::db
