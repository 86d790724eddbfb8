#pragma once
// The table engine's one seam to the file system. Every byte the engine reads
// or writes goes through File and FileSystem, so tests can put a file system
// in front that fails or shortens writes (SetFileSystem).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/types.h"

namespace tw::db {

enum class LockKind { Shared, Exclusive };

class File {
public:
    explicit File(std::string path) : path_(std::move(path)) {}
    virtual ~File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Reads up to n bytes at off; fewer only at the end of the file.
    virtual std::size_t readAt(std::uint64_t off, void* buf, std::size_t n) = 0;
    // Writes all n bytes at off or throws DbError(IoError) naming the file.
    virtual void writeAt(std::uint64_t off, const void* buf, std::size_t n) = 0;
    virtual std::uint64_t size() = 0;
    virtual void truncate(std::uint64_t size) = 0;
    virtual void sync() = 0;
    // Open-file-description byte-range locks (F_OFD_SETLK / F_OFD_SETLKW).
    // False when another holder refuses a lock and wait is false.
    virtual bool lock(std::uint64_t off, std::uint64_t len, LockKind kind, bool wait) = 0;
    virtual void unlock(std::uint64_t off, std::uint64_t len) = 0;
    virtual bool writable() const = 0;
    // Device and inode: tells whether a path still names this open file.
    virtual std::pair<std::uint64_t, std::uint64_t> identity() = 0;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Every mode refuses a path whose last part is a symbolic link, and anything
// but a plain file, with NotAPlainFile: anyone who may write a database
// folder could otherwise point a table's file at any file of the machine
// that opens it. No mode empties an existing file.
enum class OpenMode {
    ReadWrite,     // existing file; falls back to read-only when it may not be written
    ReadOnly,      // existing file
    CreateNew,     // a file that must not exist yet (a temporary), read-write
    OpenOrCreate,  // an existing file as it is, or a new empty one, read-write
};

// A path of a database folder that names a link or something other than a
// plain file; nothing was read or written through it.
class NotAPlainFile : public DbError {
public:
    NotAPlainFile(const std::string& message, const std::string& path)
        : DbError(ErrorCode::CorruptFile, message, path)
    {}
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Throws DbError(NotFound) for a missing file, NotAPlainFile for a link
    // or anything but a plain file, DbError(IoError) otherwise.
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    // Whether the folder holds anything of that name (a link counts, even
    // one that leads nowhere).
    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    virtual std::vector<std::string> list(const std::string& folder) = 0;
    virtual void rename(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;  // no error when missing
    virtual void syncFolder(const std::string& folder) = 0;
    // Device and inode of a path; {0,0} when it does not exist.
    virtual std::pair<std::uint64_t, std::uint64_t> identity(const std::string& path) = 0;
};

// The file system in use (the real one unless a test installed another).
FileSystem& Fs();
// Installs a file system for tests; nullptr restores the real one.
void SetFileSystem(FileSystem* fs);
FileSystem& RealFileSystem();

// Opens an existing file; nullptr when it is not there (another process
// may remove a journal between a look at the folder and the open).
std::unique_ptr<File> OpenIfPresent(const std::string& path, OpenMode mode = OpenMode::ReadWrite);

// Path helpers.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);

// The name of the file in folder that equals name without regard to case
// (the exact name when it exists); empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

}  // namespace tw::db
