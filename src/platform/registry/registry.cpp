#include "platform/registry/registry.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::registry {

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string TrimSlashes(const std::string& key)
{
    size_t b = 0;
    size_t e = key.size();
    while (b < e && (key[b] == '\\' || key[b] == '/'))
        ++b;
    while (e > b && (key[e - 1] == '\\' || key[e - 1] == '/'))
        --e;
    return key.substr(b, e - b);
}

// Values are stored one per line; backslash escapes keep line breaks and
// leading blanks intact.
std::string Escape(const std::string& s)
{
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '=': out += "\\e"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'e' ? '=' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

void MakeFolders(const std::string& file)
{
    for (size_t pos = file.find('/', 1); pos != std::string::npos; pos = file.find('/', pos + 1)) {
        const std::string dir = file.substr(0, pos);
        if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
            throw std::runtime_error("Cannot create the settings folder " + dir + ": "
                                     + std::strerror(errno));
    }
}

// Serialises read-modify-write cycles of several processes on one file.
class FileLock {
public:
    explicit FileLock(const std::string& file)
    {
        try {
            MakeFolders(file);
        } catch (const std::exception&) {
            return;  // the write that follows reports the failure
        }
        fd_ = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

std::string DefaultRegistryPath()
{
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    else
        base = ".";
    return base + "/tarnwick/registry.ini";
}

TRegistry::TRegistry(std::string file) : file_(file.empty() ? DefaultRegistryPath() : std::move(file))
{
    Load();
}

std::string TRegistry::FullKey(const std::string& key) const
{
    const char* root = root_ == RootKey::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    const std::string rel = TrimSlashes(key);
    return rel.empty() ? root : std::string(root) + "\\" + rel;
}

void TRegistry::Load()
{
    keys_.clear();
    std::ifstream in(file_);
    if (!in)
        return;
    std::string line;
    Values* section = nullptr;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = &keys_[Lower(line.substr(1, line.size() - 2))];
            continue;
        }
        const size_t eq = line.find('=');
        if (section && eq != std::string::npos)
            (*section)[Unescape(line.substr(0, eq))] = Unescape(line.substr(eq + 1));
    }
}

void TRegistry::Save() const
{
    MakeFolders(file_);
    std::ostringstream text;
    for (const auto& [key, values] : keys_) {
        text << '[' << key << "]\n";
        for (const auto& [name, value] : values)
            text << Escape(name) << '=' << Escape(value) << '\n';
    }
    const std::string data = text.str();
    const std::string tmp = file_ + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("Cannot write the settings file " + file_ + ": " + std::strerror(errno));
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            throw std::runtime_error("Cannot write the settings file " + file_ + ": " + std::strerror(err));
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(tmp.c_str(), file_.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw std::runtime_error("Cannot write the settings file " + file_ + ": " + std::strerror(err));
    }
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    std::optional<FileLock> lock;
    if (canCreate)
        lock.emplace(file_);
    Load();
    const std::string full = Lower(FullKey(key));
    if (keys_.find(full) == keys_.end()) {
        if (!canCreate)
            return false;
        keys_[full];
        try {
            Save();
        } catch (const std::exception&) {
            keys_.erase(full);
            return false;
        }
    }
    current_ = full;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    if (!OpenKey(key, false))
        return false;
    readOnly_ = true;
    return true;
}

void TRegistry::CloseKey()
{
    current_.clear();
    readOnly_ = false;
}

bool TRegistry::KeyExists(const std::string& key)
{
    Load();
    return keys_.count(Lower(FullKey(key))) != 0;
}

TRegistry::Values* TRegistry::CurrentValues()
{
    auto it = current_.empty() ? keys_.end() : keys_.find(current_);
    return it == keys_.end() ? nullptr : &it->second;
}

const TRegistry::Values* TRegistry::CurrentValues() const
{
    auto it = current_.empty() ? keys_.end() : keys_.find(current_);
    return it == keys_.end() ? nullptr : &it->second;
}

bool TRegistry::ValueExists(const std::string& name) const
{
    const Values* v = CurrentValues();
    return v && v->count(name) != 0;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    const Values* v = CurrentValues();
    if (!v)
        return {};
    auto it = v->find(name);
    return it == v->end() ? std::string() : it->second;
}

int TRegistry::ReadInteger(const std::string& name) const
{
    if (!ValueExists(name))
        throw std::runtime_error("Invalid data type for '" + name + "'");
    const std::string text = ReadString(name);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        throw std::runtime_error("Invalid data type for '" + name + "'");
    return static_cast<int>(v);
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (current_.empty())
        throw std::runtime_error("Failed to set data for '" + name + "': no key is open");
    if (readOnly_)
        throw std::runtime_error("Failed to set data for '" + name + "': the key is open for reading only");
    // Another process may have written since we read: merge into the file's
    // current contents, not into our old copy.
    const std::string key = current_;
    FileLock lock(file_);
    Load();
    const std::string before = keys_[key].count(name) ? keys_[key][name] : std::string();
    const bool existed = keys_[key].count(name) != 0;
    keys_[key][name] = value;
    try {
        Save();
    } catch (...) {
        if (existed)
            keys_[key][name] = before;
        else
            keys_[key].erase(name);
        throw;
    }
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    WriteString(name, std::to_string(value));
}

bool TRegistry::DeleteValue(const std::string& name)
{
    if (current_.empty() || readOnly_)
        return false;
    FileLock lock(file_);
    Load();
    Values* v = CurrentValues();
    if (!v || v->erase(name) == 0)
        return false;
    Save();
    return true;
}

}  // namespace tw::registry
