#pragma once
// The database names (aliases) of this workstation and the folders they stand
// for, kept in a plain text file of our own, one section per alias:
//
//   [DOZOrez]
//   TYPE=STANDARD
//   PATH=/srv/tarnwick/data
//   DEFAULT DRIVER=DBASE
//
// Lines after TYPE are the alias's parameter lines, PATH first.
//
//   AliasConfig aliases;                          // loads the user's file
//   if (!aliases.AliasExists("TWUXData"))
//       aliases.AddStandardAlias("TWUXData", folder);
//   else
//       aliases.ModifyAlias("TWUXData", {"PATH=" + folder});
//   aliases.Save();                               // throws DbError on failure
//
// Several copies of the program may change the file at the same time (the
// database-name dialogs save from a worker thread). Changes are therefore kept
// until Save, which, holding a lock on a sidecar file, re-reads the file,
// applies this object's changes to what it finds there and renames a complete
// new file into place: one copy's save never drops another copy's alias, and
// a reader never sees half a file.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tw::db {

// Database names, alias names and parameter keys ignore letter case.
bool NamesEqual(std::string_view a, std::string_view b);

// $XDG_CONFIG_HOME/tarnwick/aliases.conf, or ~/.config/tarnwick/aliases.conf.
std::string DefaultAliasConfigPath();

namespace aliases_detail {
struct Alias {
    std::string name;
    std::string type;
    std::vector<std::string> params;
};
struct Change {
    bool add = false;  // else a modification of the parameter lines
    Alias alias;
};
}  // namespace aliases_detail

class AliasConfig {
public:
    // Loads the file at path; a missing file is an empty configuration.
    // Throws DbError (IoError, CorruptFile) naming the file when it cannot be
    // read.
    explicit AliasConfig(std::string path = DefaultAliasConfigPath());

    const std::string& path() const { return path_; }

    // Re-reads the file; changes not yet saved are applied again on top.
    void Reload();

    // Alias names compare without regard to letter case.
    bool AliasExists(std::string_view name) const;
    // As written when they were added, in file order.
    std::vector<std::string> GetAliasNames() const;
    // The parameter lines ("PATH=<folder>", ...). Throws DbError(InvalidAlias)
    // for an unknown name.
    std::vector<std::string> GetAliasParams(std::string_view name) const;

    // Throws DbError(InvalidArgument) when the name exists already or a text
    // cannot be stored (empty, or holding a line break or bracket).
    void AddStandardAlias(const std::string& name, const std::string& path,
                          const std::string& driver = "DBASE");
    // Each "KEY=value" line replaces the alias's line with that key (keys
    // ignore case) or is added at the end. Throws DbError(InvalidAlias) for
    // an unknown name, DbError(InvalidArgument) for a line without a key.
    void ModifyAlias(std::string_view name, const std::vector<std::string>& params);

    // Writes the configuration with this object's changes. Throws DbError
    // (IoError) naming the file when the file could not be replaced; the
    // changes are then kept for another try.
    void Save();

private:
    std::string path_;
    mutable std::mutex mutex_;
    std::vector<aliases_detail::Alias> aliases_;  // the file as last read, with pending_ applied
    std::vector<aliases_detail::Change> pending_;
};

}  // namespace tw::db
