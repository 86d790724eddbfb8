#pragma once
// An in-memory file system behind the engine's I/O seam, so that the fuzz
// targets never touch the disk. One folder, "/mem"; locks always succeed.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/fileio.h"
#include "platform/db/types.h"

namespace tw::db::fuzz {

inline constexpr const char* kFolder = "/mem";

class MemFs final : public FileSystem {
public:
    using Bytes = std::vector<std::uint8_t>;

    void put(const std::string& name, Bytes bytes)
    {
        files_[Path(name)] = {std::make_shared<Bytes>(std::move(bytes)), ++inode_};
    }

    // The bytes of a file, to craft them in place; nullptr when missing.
    Bytes* bytes(const std::string& name)
    {
        auto it = files_.find(Path(name));
        return it == files_.end() ? nullptr : it->second.data.get();
    }
    // A read-only mount: every file opens read-only.
    bool readOnly = false;

    std::unique_ptr<File> open(const std::string& p, OpenMode m) override
    {
        const bool creates = m == OpenMode::CreateNew || m == OpenMode::OpenOrCreate;
        if (readOnly && creates)
            throw DbError(ErrorCode::IoError, "Cannot open " + p + ": Read-only file system", p);
        if (readOnly)
            m = OpenMode::ReadOnly;
        auto it = files_.find(p);
        if (m == OpenMode::CreateNew && it != files_.end())
            throw DbError(ErrorCode::IoError, "Cannot create " + p + ": File exists", p);
        if (creates && it == files_.end()) {
            files_[p] = {std::make_shared<Bytes>(), ++inode_};
            it = files_.find(p);
        } else if (it == files_.end()) {
            throw DbError(ErrorCode::NotFound, "File not found: " + p, p);
        }
        return std::make_unique<MemFile>(p, it->second, m != OpenMode::ReadOnly);
    }
    bool exists(const std::string& p) override { return files_.count(p) > 0 || p == kFolder; }
    bool isDirectory(const std::string& p) override { return p == kFolder; }
    std::vector<std::string> list(const std::string& folder) override
    {
        std::vector<std::string> out;
        if (folder != kFolder)
            return out;
        for (const auto& [p, f] : files_)
            out.push_back(FileNameOf(p));
        return out;
    }
    void rename(const std::string& a, const std::string& b) override
    {
        auto it = files_.find(a);
        if (it == files_.end())
            throw DbError(ErrorCode::IoError, "Cannot rename " + a, a);
        auto f = it->second;
        files_.erase(it);
        files_[b] = f;
    }
    void remove(const std::string& p) override { files_.erase(p); }
    void syncFolder(const std::string&) override {}
    std::pair<std::uint64_t, std::uint64_t> identity(const std::string& p) override
    {
        auto it = files_.find(p);
        return it == files_.end() ? std::pair<std::uint64_t, std::uint64_t>{0, 0}
                                  : std::pair<std::uint64_t, std::uint64_t>{1, it->second.inode};
    }

    static std::string Path(const std::string& name) { return std::string(kFolder) + "/" + name; }

private:
    struct Entry {
        std::shared_ptr<Bytes> data;
        std::uint64_t inode = 0;
    };

    class MemFile final : public File {
    public:
        MemFile(std::string path, Entry e, bool writable)
            : File(std::move(path)),
              e_(std::move(e)),
              writable_(writable)
        {}
        std::size_t readAt(std::uint64_t off, void* buf, std::size_t n) override
        {
            const auto& d = *e_.data;
            if (off >= d.size())
                return 0;
            const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(n, d.size() - off));
            std::copy(d.begin() + static_cast<std::ptrdiff_t>(off),
                      d.begin() + static_cast<std::ptrdiff_t>(off + k), static_cast<std::uint8_t*>(buf));
            return k;
        }
        void writeAt(std::uint64_t off, const void* buf, std::size_t n) override
        {
            if (!writable_)
                throw DbError(ErrorCode::IoError, "Cannot write " + path(), path());
            // A sparse file of gigabytes is a fault the engine must not commit.
            if (off + n > (64u << 20))
                throw DbError(ErrorCode::IoError, "Cannot write " + path() + ": file too large", path());
            auto& d = *e_.data;
            if (d.size() < off + n)
                d.resize(static_cast<std::size_t>(off + n));
            std::copy(static_cast<const std::uint8_t*>(buf), static_cast<const std::uint8_t*>(buf) + n,
                      d.begin() + static_cast<std::ptrdiff_t>(off));
        }
        std::uint64_t size() override { return e_.data->size(); }
        void truncate(std::uint64_t s) override { e_.data->resize(static_cast<std::size_t>(s)); }
        void sync() override {}
        bool lock(std::uint64_t, std::uint64_t, LockKind, bool) override { return true; }
        void unlock(std::uint64_t, std::uint64_t) override {}
        bool writable() const override { return writable_; }
        std::pair<std::uint64_t, std::uint64_t> identity() override { return {1, e_.inode}; }

    private:
        Entry e_;
        bool writable_;
    };

    std::map<std::string, Entry> files_;
    std::uint64_t inode_ = 0;
};

// Splits fuzz input into parts at a marker no table needs.
inline std::vector<std::vector<std::uint8_t>> SplitInput(const std::uint8_t* data, std::size_t size,
                                                         std::size_t parts)
{
    static const std::string kMarker = "#TWSPLIT#";
    std::vector<std::vector<std::uint8_t>> out;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (out.size() + 1 < parts) {
        const auto at = rest.find(kMarker);
        if (at == std::string_view::npos)
            break;
        out.emplace_back(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(at));
        rest.remove_prefix(at + kMarker.size());
    }
    out.emplace_back(rest.begin(), rest.end());
    while (out.size() < parts)
        out.emplace_back();
    return out;
}

}  // namespace tw::db::fuzz
