#pragma once
// The real file system with every flush to disk counted, for tests that make
// sure a bulk operation writes once per table and not once per record.

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/fileio.h"

namespace tw::testing {

// The real file system with every flush to disk counted, file by file: a
// File::sync is one fdatasync, a folder sync one fsync of the folder.
class SyncCountingFs final : public db::FileSystem {
public:
    std::map<std::string, int> Syncs;
    int Total() const
    {
        int total = 0;
        for (const auto& [path, count] : Syncs)
            total += count;
        return total;
    }
    std::string Listing() const
    {
        std::ostringstream out;
        for (const auto& [path, count] : Syncs)
            out << count << "  " << path << "\n";
        return out.str();
    }

    std::unique_ptr<db::File> open(const std::string& p, db::OpenMode m) override
    {
        return std::make_unique<CountingFile>(db::RealFileSystem().open(p, m), *this);
    }
    bool exists(const std::string& p) override { return db::RealFileSystem().exists(p); }
    bool isDirectory(const std::string& p) override { return db::RealFileSystem().isDirectory(p); }
    std::vector<std::string> list(const std::string& f) override { return db::RealFileSystem().list(f); }
    void rename(const std::string& a, const std::string& b) override { db::RealFileSystem().rename(a, b); }
    void remove(const std::string& p) override { db::RealFileSystem().remove(p); }
    void syncFolder(const std::string& f) override
    {
        ++Syncs[f + "/"];
        db::RealFileSystem().syncFolder(f);
    }
    std::pair<std::uint64_t, std::uint64_t> identity(const std::string& p) override
    {
        return db::RealFileSystem().identity(p);
    }

private:
    class CountingFile final : public db::File {
    public:
        CountingFile(std::unique_ptr<db::File> inner, SyncCountingFs& fs)
            : File(inner->path()),
              inner_(std::move(inner)),
              fs_(fs)
        {}
        std::size_t readAt(std::uint64_t o, void* b, std::size_t n) override
        {
            return inner_->readAt(o, b, n);
        }
        void writeAt(std::uint64_t o, const void* b, std::size_t n) override { inner_->writeAt(o, b, n); }
        std::uint64_t size() override { return inner_->size(); }
        void truncate(std::uint64_t s) override { inner_->truncate(s); }
        void sync() override
        {
            ++fs_.Syncs[path()];
            inner_->sync();
        }
        bool lock(std::uint64_t o, std::uint64_t l, db::LockKind k, bool w) override
        {
            return inner_->lock(o, l, k, w);
        }
        void unlock(std::uint64_t o, std::uint64_t l) override { inner_->unlock(o, l); }
        bool writable() const override { return inner_->writable(); }
        std::pair<std::uint64_t, std::uint64_t> identity() override { return inner_->identity(); }

    private:
        std::unique_ptr<db::File> inner_;
        SyncCountingFs& fs_;
    };
};

// Counts the flushes while it lives: the engine goes back to the real file
// system at its end.
class CountSyncs {
public:
    CountSyncs() { db::SetFileSystem(&fs_); }
    ~CountSyncs() { db::SetFileSystem(nullptr); }
    CountSyncs(const CountSyncs&) = delete;
    CountSyncs& operator=(const CountSyncs&) = delete;
    const SyncCountingFs& Counted() const { return fs_; }

private:
    SyncCountingFs fs_;
};

}  // namespace tw::testing
