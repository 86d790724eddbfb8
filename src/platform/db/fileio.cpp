#include "platform/db/fileio.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/db/types.h"

namespace tw::db {

namespace {

std::string SysText(int err)
{
    return std::strerror(err);
}

[[noreturn]] void RefuseNotPlain(const std::string& path, const std::string& what)
{
    throw NotAPlainFile(path + " " + what
                            + ". A file of a database folder is never opened through a link "
                              "or as anything but a plain file, so nothing was read or written through it; "
                              "remove it from the folder",
                        path);
}

class PosixFile final : public File {
public:
    PosixFile(std::string path, int fd, bool writable) : File(std::move(path)), fd_(fd), writable_(writable)
    {}
    ~PosixFile() override { ::close(fd_); }

    std::size_t readAt(std::uint64_t off, void* buf, std::size_t n) override
    {
        std::size_t done = 0;
        auto* p = static_cast<char*>(buf);
        while (done < n) {
            ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(off + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                throw DbError(ErrorCode::IoError, "Cannot read " + path() + ": " + SysText(errno), path());
            }
            if (r == 0)
                break;
            done += static_cast<std::size_t>(r);
        }
        return done;
    }

    void writeAt(std::uint64_t off, const void* buf, std::size_t n) override
    {
        std::size_t done = 0;
        auto* p = static_cast<const char*>(buf);
        while (done < n) {
            ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(off + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                throw DbError(ErrorCode::IoError, "Cannot write " + path() + ": " + SysText(errno), path());
            }
            if (r == 0)
                throw DbError(ErrorCode::IoError, "Cannot write " + path() + ": no space", path());
            done += static_cast<std::size_t>(r);
        }
    }

    std::uint64_t size() override
    {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            throw DbError(ErrorCode::IoError, "Cannot read the size of " + path() + ": " + SysText(errno),
                          path());
        return static_cast<std::uint64_t>(st.st_size);
    }

    void truncate(std::uint64_t size) override
    {
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
            throw DbError(ErrorCode::IoError, "Cannot truncate " + path() + ": " + SysText(errno), path());
    }

    void sync() override
    {
        if (::fdatasync(fd_) != 0)
            throw DbError(ErrorCode::IoError, "Cannot flush " + path() + ": " + SysText(errno), path());
    }

    bool lock(std::uint64_t off, std::uint64_t len, LockKind kind, bool wait) override
    {
        struct flock fl {};
        fl.l_type = kind == LockKind::Shared ? F_RDLCK : F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(off);
        fl.l_len = static_cast<off_t>(len);
        for (;;) {
            if (::fcntl(fd_, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0)
                return true;
            if (errno == EINTR)
                continue;
            if (!wait && (errno == EAGAIN || errno == EACCES))
                return false;
            throw DbError(ErrorCode::IoError, "Cannot lock " + path() + ": " + SysText(errno), path());
        }
    }

    void unlock(std::uint64_t off, std::uint64_t len) override
    {
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(off);
        fl.l_len = static_cast<off_t>(len);
        while (::fcntl(fd_, F_OFD_SETLK, &fl) != 0 && errno == EINTR) {
        }
    }

    bool writable() const override { return writable_; }

    std::pair<std::uint64_t, std::uint64_t> identity() override
    {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            return {0, 0};
        return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    }

private:
    int fd_;
    bool writable_;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override
    {
        // O_NOFOLLOW: a link in place of the file is refused, never followed;
        // O_NONBLOCK: a planted pipe answers at once instead of hanging the
        // open (plain files ignore it).
        constexpr int kSafe = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
        int fd = -1;
        bool writable = true;
        if (mode == OpenMode::CreateNew) {
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kSafe, 0666);
        } else if (mode == OpenMode::OpenOrCreate) {
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | kSafe, 0666);
        } else if (mode == OpenMode::ReadWrite) {
            fd = ::open(path.c_str(), O_RDWR | kSafe);
            if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
                fd = ::open(path.c_str(), O_RDONLY | kSafe);
                writable = false;
            }
        } else {
            fd = ::open(path.c_str(), O_RDONLY | kSafe);
            writable = false;
        }
        if (fd < 0) {
            int err = errno;
            struct stat st {};
            if (err == ELOOP || (err == EEXIST && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)))
                RefuseNotPlain(path, "is a symbolic link");
            if (err == EISDIR)
                RefuseNotPlain(path, "is not a plain file");
            if (err == ENOENT)
                throw DbError(ErrorCode::NotFound, "File not found: " + path, path);
            if (err == EEXIST)
                throw DbError(ErrorCode::IoError,
                              "Cannot create " + path + ": a file of that name appeared meanwhile", path);
            throw DbError(ErrorCode::IoError, "Cannot open " + path + ": " + SysText(err), path);
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            RefuseNotPlain(path, "is not a plain file");
        }
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0)
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        return std::make_unique<PosixFile>(path, fd, writable);
    }

    bool exists(const std::string& path) override
    {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0;
    }

    bool isDirectory(const std::string& path) override
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    std::vector<std::string> list(const std::string& folder) override
    {
        std::vector<std::string> out;
        DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
        if (!d)
            return out;
        while (dirent* e = ::readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != "..")
                out.push_back(n);
        }
        ::closedir(d);
        return out;
    }

    void rename(const std::string& from, const std::string& to) override
    {
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw DbError(ErrorCode::IoError, "Cannot rename " + from + " to " + to + ": " + SysText(errno),
                          to);
    }

    void remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw DbError(ErrorCode::IoError, "Cannot delete " + path + ": " + SysText(errno), path);
    }

    void syncFolder(const std::string& folder) override
    {
        int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    }

    std::pair<std::uint64_t, std::uint64_t> identity(const std::string& path) override
    {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return {0, 0};
        return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    }
};

FileSystem* g_fs = nullptr;

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

}  // namespace

FileSystem& RealFileSystem()
{
    static PosixFileSystem fs;
    return fs;
}

FileSystem& Fs()
{
    return g_fs ? *g_fs : RealFileSystem();
}

void SetFileSystem(FileSystem* fs)
{
    g_fs = fs;
}

std::unique_ptr<File> OpenIfPresent(const std::string& path, OpenMode mode)
{
    try {
        return Fs().open(path, mode);
    } catch (const DbError& e) {
        if (e.code() == ErrorCode::NotFound)
            return nullptr;
        throw;
    }
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string FolderOf(const std::string& path)
{
    auto p = path.find_last_of('/');
    if (p == std::string::npos)
        return std::string();
    if (p == 0)
        return "/";
    return path.substr(0, p);
}

std::string FileNameOf(const std::string& path)
{
    auto p = path.find_last_of('/');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string FindFileNoCase(const std::string& folder, const std::string& name)
{
    if (Fs().exists(JoinPath(folder, name)))
        return name;
    for (const auto& n : Fs().list(folder))
        if (EqualNoCase(n, name))
            return n;
    return std::string();
}

}  // namespace tw::db
