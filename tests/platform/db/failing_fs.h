#pragma once
// A file system in front of the real one that fails chosen writes, for the
// tests of what a failed write (a full disk, an I/O error) leaves behind, and
// that can make reads slow, for the tests of reads that overlap writes.

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "platform/db/fileio.h"
#include "platform/db/types.h"

namespace tw::db::test {

class FailingFs final : public FileSystem {
public:
    // Writes allowed before one fails; -1 = never fail by count.
    int budget = -1;
    // When set, every write to a file whose path it accepts fails ("No space
    // left on device", as the real file system words it).
    std::function<bool(const std::string& path)> diskFullFor;
    // When set, the write it accepts is where the process dies (a kill): that
    // write and every later write, truncation and flush of any file are
    // lost, and the caller sees them fail.
    std::function<bool(const std::string& path)> dieAt;
    bool dead = false;
    // When above 0, the process really ends (exit code 9, as a kill) at this
    // step: the n-th write, truncation, rename or removal, which is not done
    // (or, with tearAtExit, a write is done in part: up to the file's last
    // 512-byte sector boundary in its first half).
    int exitAtStep = 0;
    bool tearAtExit = false;
    void step()
    {
        if (exitAtStep > 0 && --exitAtStep == 0)
            ::_exit(9);
    }
    // A read-only mount: every file opens read-only, nothing can be created.
    bool readOnly = false;
    // Names the folder listing leaves out (a file that appears only after
    // someone looked), and what happens right after a rename (another
    // process acting in between).
    std::function<bool(const std::string& name)> hideFromList;
    std::function<void(const std::string& from, const std::string& to)> afterRename;
    std::function<void(const std::string& path)> beforeOpen;
    // When above 0, a read of more than one header reads its two halves with
    // this pause between them, as a slow disk or a preempted reader would.
    int pauseInReadsMicros = 0;

    std::unique_ptr<File> open(const std::string& p, OpenMode m) override
    {
        if (beforeOpen)
            beforeOpen(p);
        const bool creates = m == OpenMode::CreateNew || m == OpenMode::OpenOrCreate;
        if (dead && creates)
            throw DbError(ErrorCode::IoError, "the process died", p);
        if (readOnly && creates)
            throw DbError(ErrorCode::IoError, "Cannot open " + p + ": Read-only file system", p);
        if (readOnly)
            m = OpenMode::ReadOnly;
        return std::make_unique<FailingFile>(RealFileSystem().open(p, m), *this);
    }
    bool exists(const std::string& p) override { return RealFileSystem().exists(p); }
    bool isDirectory(const std::string& p) override { return RealFileSystem().isDirectory(p); }
    std::vector<std::string> list(const std::string& f) override
    {
        auto names = RealFileSystem().list(f);
        if (hideFromList)
            names.erase(std::remove_if(names.begin(), names.end(), hideFromList), names.end());
        return names;
    }
    void rename(const std::string& a, const std::string& b) override
    {
        if (dead)
            throw DbError(ErrorCode::IoError, "the process died", b);
        step();
        RealFileSystem().rename(a, b);
        if (afterRename)
            afterRename(a, b);
    }
    void remove(const std::string& p) override
    {
        if (dead)
            throw DbError(ErrorCode::IoError, "the process died", p);
        step();
        RealFileSystem().remove(p);
    }
    void syncFolder(const std::string& f) override { RealFileSystem().syncFolder(f); }
    std::pair<std::uint64_t, std::uint64_t> identity(const std::string& p) override
    {
        return RealFileSystem().identity(p);
    }

private:
    class FailingFile final : public File {
    public:
        FailingFile(std::unique_ptr<File> inner, FailingFs& fs)
            : File(inner->path()),
              inner_(std::move(inner)),
              fs_(fs)
        {}
        std::size_t readAt(std::uint64_t o, void* b, std::size_t n) override
        {
            if (fs_.pauseInReadsMicros <= 0 || n <= 32)
                return inner_->readAt(o, b, n);
            const std::size_t half = n / 2;
            const std::size_t got = inner_->readAt(o, b, half);
            if (got < half)
                return got;
            ::usleep(static_cast<useconds_t>(fs_.pauseInReadsMicros));
            return got + inner_->readAt(o + half, static_cast<char*>(b) + half, n - half);
        }
        void writeAt(std::uint64_t o, const void* b, std::size_t n) override
        {
            if (!fs_.dead && fs_.dieAt && fs_.dieAt(path()))
                fs_.dead = true;
            if (fs_.dead)
                throw DbError(ErrorCode::IoError, "the process died writing " + path(), path());
            if (fs_.exitAtStep == 1 && fs_.tearAtExit) {
                const std::uint64_t cut = (o + n / 2) / 512 * 512;  // a sector boundary of the file
                if (cut > o)
                    inner_->writeAt(o, b, static_cast<std::size_t>(cut - o));
            }
            fs_.step();
            if (fs_.budget >= 0 && fs_.budget-- == 0)
                throw DbError(ErrorCode::IoError, "injected failure writing " + path(), path());
            if (fs_.diskFullFor && fs_.diskFullFor(path()))
                throw DbError(ErrorCode::IoError, "Cannot write " + path() + ": No space left on device",
                              path());
            inner_->writeAt(o, b, n);
        }
        std::uint64_t size() override { return inner_->size(); }
        void truncate(std::uint64_t s) override
        {
            if (fs_.dead)
                throw DbError(ErrorCode::IoError, "the process died", path());
            fs_.step();
            inner_->truncate(s);
        }
        void sync() override
        {
            if (fs_.dead)
                throw DbError(ErrorCode::IoError, "the process died", path());
            inner_->sync();
        }
        bool lock(std::uint64_t o, std::uint64_t l, LockKind k, bool w) override
        {
            return inner_->lock(o, l, k, w);
        }
        void unlock(std::uint64_t o, std::uint64_t l) override { inner_->unlock(o, l); }
        bool writable() const override { return inner_->writable(); }
        std::pair<std::uint64_t, std::uint64_t> identity() override { return inner_->identity(); }

    private:
        std::unique_ptr<File> inner_;
        FailingFs& fs_;
    };
};

}  // namespace tw::db::test
