#pragma once
// The program's registry: keys and string values kept in one settings file,
// in place of the system registry that the program was designed around.
//
// Keys are paths under a root ("HKEY_LOCAL_MACHINE",
// "Software\Fernhollow\TarnwickX\7.0"); a key exists once it was created.
// Like the registry, a key can be opened without being created, and a missing
// key is a normal answer, not an error. The file lives in the user's config
// folder ($XDG_CONFIG_HOME/tarnwick/registry.ini), so two program folders with
// two config folders are two independent workstations.
//
// Every write goes to the file at once, through a temporary file renamed into
// place, so a crash never leaves half a settings file.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tw::registry {

enum class RootKey { LocalMachine, CurrentUser };

// The settings file in use: $XDG_CONFIG_HOME (or ~/.config) + /tarnwick/registry.ini.
std::string DefaultRegistryPath();

class TRegistry {
public:
    // file: the settings file; empty means DefaultRegistryPath().
    explicit TRegistry(std::string file = {});

    void SetRootKey(RootKey root) { root_ = root; }
    RootKey GetRootKey() const { return root_; }

    // Opens key (relative to the root), creating it when canCreate is set.
    // False when it does not exist and may not be created, or the file could
    // not be written.
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    const std::string& CurrentPath() const { return current_; }

    bool ValueExists(const std::string& name) const;
    // The value's text, empty when the value is missing.
    std::string ReadString(const std::string& name) const;
    // Throws std::runtime_error when the value is missing or not a whole number.
    int ReadInteger(const std::string& name) const;
    // Writes and saves at once. Throws std::runtime_error when no key is open,
    // the key was opened read-only, or the file cannot be written.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    bool DeleteValue(const std::string& name);

private:
    using Values = std::map<std::string, std::string>;
    std::string FullKey(const std::string& key) const;
    void Load();
    void Save() const;
    Values* CurrentValues();
    const Values* CurrentValues() const;

    std::string file_;
    RootKey root_ = RootKey::CurrentUser;
    std::string current_;  // full key of the open key, empty when none
    bool readOnly_ = false;
    std::map<std::string, Values> keys_;  // by full key, compared case-insensitively (stored lower case)
};

}  // namespace tw::registry
