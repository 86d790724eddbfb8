#include "platform/db/aliases.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/db/types.h"

namespace tw::db {

using aliases_detail::Alias;
using aliases_detail::Change;

namespace {

constexpr const char* kStandardType = "STANDARD";

std::string_view KeyOf(std::string_view line)
{
    return line.substr(0, line.find('='));
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

Alias* Find(std::vector<Alias>& aliases, std::string_view name)
{
    for (Alias& a : aliases) {
        if (NamesEqual(a.name, name))
            return &a;
    }
    return nullptr;
}

const Alias* Find(const std::vector<Alias>& aliases, std::string_view name)
{
    return Find(const_cast<std::vector<Alias>&>(aliases), name);
}

void MergeParams(std::vector<std::string>& into, const std::vector<std::string>& params)
{
    for (const std::string& line : params) {
        bool replaced = false;
        for (std::string& existing : into) {
            if (NamesEqual(KeyOf(existing), KeyOf(line))) {
                existing = line;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            into.push_back(line);
    }
}

// Applied to whatever the file holds when the change is saved, which may be
// another copy's newer version: an addition wins over an alias of the same
// name added meanwhile, a modification touches only the lines it names.
void Apply(std::vector<Alias>& aliases, const Change& change)
{
    Alias* existing = Find(aliases, change.alias.name);
    if (existing == nullptr)
        aliases.push_back(change.alias);
    else if (change.add)
        *existing = change.alias;
    else
        MergeParams(existing->params, change.alias.params);
}

std::string SystemError(int error)
{
    return std::strerror(error);
}

[[noreturn]] void Corrupt(const std::string& path, int line, const std::string& what)
{
    throw DbError(ErrorCode::CorruptFile,
                  "The database names file " + path + " cannot be read, line " + std::to_string(line) + ": "
                      + what,
                  path);
}

std::vector<Alias> ReadFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return {};
    if (status.type() == std::filesystem::file_type::directory)
        throw DbError(ErrorCode::IoError, "The database names file " + path + " is a folder", path);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DbError(ErrorCode::IoError,
                      "The database names file " + path
                          + " cannot be opened: " + SystemError(errno != 0 ? errno : EIO),
                      path);
    std::vector<Alias> aliases;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#' || line[first] == ';')
            continue;
        if (line[first] == '[') {
            const std::size_t close = line.find(']', first);
            if (close == std::string::npos || close == first + 1
                || line.find_first_not_of(" \t", close + 1) != std::string::npos)
                Corrupt(path, number, "a database name in brackets was expected");
            const std::string name = line.substr(first + 1, close - first - 1);
            if (Find(aliases, name) != nullptr)
                Corrupt(path, number, "the database name " + name + " appears twice");
            aliases.push_back({name, {}, {}});
            continue;
        }
        if (aliases.empty())
            Corrupt(path, number, "a line outside any [database name]");
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == first)
            Corrupt(path, number, "KEY=value expected");
        std::string entry = line.substr(first);
        if (NamesEqual(KeyOf(entry), "TYPE") && aliases.back().type.empty())
            aliases.back().type = entry.substr(entry.find('=') + 1);
        else
            aliases.back().params.push_back(std::move(entry));
    }
    if (in.bad())
        throw DbError(ErrorCode::IoError,
                      "The database names file " + path + " cannot be read: " + SystemError(errno), path);
    return aliases;
}

std::string Serialize(const std::vector<Alias>& aliases)
{
    std::ostringstream out;
    out << "# Tarnwick database names. Each [name] holds its TYPE and its parameter lines.\n";
    for (const Alias& a : aliases) {
        out << "\n[" << a.name << "]\n";
        out << "TYPE=" << (a.type.empty() ? kStandardType : a.type) << '\n';
        for (const std::string& p : a.params)
            out << p << '\n';
    }
    return out.str();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

[[noreturn]] void SaveFailed(const std::string& path, const std::string& step, int error)
{
    throw DbError(
        ErrorCode::IoError,
        "The database names could not be saved to " + path + " (" + step + "): " + SystemError(error), path);
}

// Held for the whole read-change-write of a save, so that two savers never
// both start from the same old file. An open-file-description lock, so a
// second AliasConfig in this very process is kept out as well.
FileDescriptor LockForSaving(const std::string& path)
{
    const std::string lockPath = path + ".lock";
    FileDescriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0)
        SaveFailed(path, "lock file " + lockPath, errno);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    while (::fcntl(fd.get(), F_OFD_SETLKW, &lock) != 0) {
        if (errno != EINTR)
            SaveFailed(path, "locking " + lockPath, errno);
    }
    return fd;
}

void WriteAll(int fd, const std::string& data, const std::string& path)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SaveFailed(path, "writing", errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

// A new file beside the old one, flushed to disk and then renamed over it: a
// crash leaves either the old or the new configuration, never a torn one.
void ReplaceFile(const std::string& path, const std::string& content)
{
    const std::filesystem::path target(path);
    const std::string folder = target.parent_path().empty() ? "." : target.parent_path().string();
    std::string temp = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        SaveFailed(path, "creating a temporary file", errno);
    try {
        if (::fchmod(fd.get(), 0644) != 0)
            SaveFailed(path, "setting permissions", errno);
        WriteAll(fd.get(), content, path);
        if (::fsync(fd.get()) != 0)
            SaveFailed(path, "flushing", errno);
        if (::close(fd.release()) != 0)
            SaveFailed(path, "closing", errno);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            SaveFailed(path, "replacing the file", errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // The rename itself becomes durable with the folder.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

void CheckStorable(const std::string& what, std::string_view text)
{
    if (text.empty() || HasLineBreak(text))
        throw DbError(ErrorCode::InvalidArgument,
                      "The " + what + " \"" + std::string(text)
                          + "\" cannot be stored: it is empty or holds a line break");
}

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string DefaultAliasConfigPath()
{
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw != nullptr ? pw->pw_dir : "/";
        }
        base = std::filesystem::path(home) / ".config";
    }
    return (base / "tarnwick" / "aliases.conf").string();
}

AliasConfig::AliasConfig(std::string path) : path_(std::move(path))
{
    aliases_ = ReadFile(path_);
}

void AliasConfig::Reload()
{
    std::vector<Alias> aliases = ReadFile(path_);
    std::lock_guard guard(mutex_);
    for (const Change& c : pending_)
        Apply(aliases, c);
    aliases_ = std::move(aliases);
}

bool AliasConfig::AliasExists(std::string_view name) const
{
    std::lock_guard guard(mutex_);
    return Find(aliases_, name) != nullptr;
}

std::vector<std::string> AliasConfig::GetAliasNames() const
{
    std::lock_guard guard(mutex_);
    std::vector<std::string> names;
    for (const Alias& a : aliases_)
        names.push_back(a.name);
    return names;
}

std::vector<std::string> AliasConfig::GetAliasParams(std::string_view name) const
{
    std::lock_guard guard(mutex_);
    const Alias* alias = Find(aliases_, name);
    if (alias == nullptr)
        throw DbError(ErrorCode::InvalidAlias, "Unknown database name (alias) \"" + std::string(name) + "\"");
    return alias->params;
}

void AliasConfig::AddStandardAlias(const std::string& name, const std::string& path,
                                   const std::string& driver)
{
    CheckStorable("database name", name);
    if (name.find_first_of("[]") != std::string::npos || name.front() == ' ' || name.back() == ' ')
        throw DbError(ErrorCode::InvalidArgument,
                      "The database name \"" + name + "\" cannot be stored: brackets or surrounding blanks");
    CheckStorable("folder", path);
    CheckStorable("driver", driver);
    std::lock_guard guard(mutex_);
    if (Find(aliases_, name) != nullptr)
        throw DbError(ErrorCode::InvalidArgument, "The database name \"" + name + "\" exists already");
    Change change{true, {name, kStandardType, {"PATH=" + path, "DEFAULT DRIVER=" + driver}}};
    Apply(aliases_, change);
    pending_.push_back(std::move(change));
}

void AliasConfig::ModifyAlias(std::string_view name, const std::vector<std::string>& params)
{
    for (const std::string& line : params) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0 || HasLineBreak(line) || line.front() == '['
            || line.front() == '#' || line.front() == ';' || line.front() == ' '
            || NamesEqual(KeyOf(line), "TYPE"))
            throw DbError(ErrorCode::InvalidArgument,
                          "The parameter line \"" + line + "\" cannot be stored: KEY=value expected");
    }
    std::lock_guard guard(mutex_);
    Alias* alias = Find(aliases_, name);
    if (alias == nullptr)
        throw DbError(ErrorCode::InvalidAlias, "Unknown database name (alias) \"" + std::string(name) + "\"");
    Change change{false, {alias->name, alias->type, params}};
    Apply(aliases_, change);
    pending_.push_back(std::move(change));
}

void AliasConfig::Save()
{
    std::lock_guard guard(mutex_);
    const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    if (ec)
        SaveFailed(path_, "creating the folder " + folder.string(), ec.value());

    const FileDescriptor lock = LockForSaving(path_);
    std::vector<Alias> aliases = ReadFile(path_);
    for (const Change& c : pending_)
        Apply(aliases, c);
    ReplaceFile(path_, Serialize(aliases));
    aliases_ = std::move(aliases);
    pending_.clear();
}

}  // namespace tw::db
