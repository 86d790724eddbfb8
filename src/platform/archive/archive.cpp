#include "platform/archive/archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace tw::archive {

namespace {

constexpr std::size_t kChunk = 256 * 1024;

std::string SystemText(int error)
{
    return std::strerror(error);
}

struct ReadHandle {
    ::archive* a = archive_read_new();
    ~ReadHandle() { archive_read_free(a); }
};

struct WriteHandle {
    ::archive* a = archive_write_new();
    ~WriteHandle() { archive_write_free(a); }
};

struct EntryHandle {
    archive_entry* e = archive_entry_new();
    ~EntryHandle() { archive_entry_free(e); }
};

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::string ArchiveText(::archive* a)
{
    const char* text = archive_error_string(a);
    return text ? text : "unknown error";
}

// libarchive calls back into C++ here; an exception must not cross it, so
// the first failure is kept and reported once the call returns.
struct WriteContext {
    ArchiveOutput* out = nullptr;
    std::string failure;
};

la_ssize_t WriteCallback(::archive* a, void* data, const void* buffer, size_t length)
{
    auto* context = static_cast<WriteContext*>(data);
    try {
        context->out->Write(buffer, length);
        return static_cast<la_ssize_t>(length);
    } catch (const std::exception& error) {
        if (context->failure.empty())
            context->failure = error.what();
        archive_set_error(a, EIO, "%s", error.what());
        return -1;
    }
}

std::string EntryName(archive_entry* entry)
{
    const char* utf8 = archive_entry_pathname_utf8(entry);
    if (utf8)
        return utf8;
    const char* raw = archive_entry_pathname(entry);
    return raw ? raw : std::string();
}

void OpenForReading(ReadHandle& r, const std::string& path)
{
    archive_read_support_format_zip(r.a);
    archive_read_support_format_lha(r.a);
    if (archive_read_open_filename(r.a, path.c_str(), kChunk) != ARCHIVE_OK)
        throw ArchiveError("Cannot read archive " + path + ": " + ArchiveText(r.a));
}

// Reads the current entry's data to its end; sink gets every piece.
template <typename Sink>
void ReadData(ReadHandle& r, const std::string& path, const std::string& name, Sink&& sink)
{
    std::vector<char> buffer(kChunk);
    for (;;) {
        const la_ssize_t n = archive_read_data(r.a, buffer.data(), buffer.size());
        if (n < 0)
            throw ArchiveError("Cannot read " + name + " from archive " + path + ": " + ArchiveText(r.a));
        if (n == 0)
            return;
        sink(buffer.data(), static_cast<std::size_t>(n));
    }
}

// Calls visit for every entry of the archive; visit reads the data it needs.
template <typename Visit>
void ForEachEntry(const std::string& path, Visit&& visit)
{
    ReadHandle r;
    OpenForReading(r, path);
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(r.a, &entry);
        if (status == ARCHIVE_EOF)
            return;
        if (status < ARCHIVE_WARN)
            throw ArchiveError("Cannot read archive " + path + ": " + ArchiveText(r.a));
        visit(r, entry);
    }
}

std::string BaseName(const std::string& name)
{
    const std::size_t cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

void WriteAll(int fd, const char* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw ArchiveError("Cannot write " + path + ": " + SystemText(errno));
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

std::uint64_t Le(const std::string& bytes, std::size_t at, int width)
{
    if (at + static_cast<std::size_t>(width) > bytes.size())
        throw ArchiveError("truncated");
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

std::string ReadRange(int fd, std::uint64_t offset, std::uint64_t size)
{
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw ArchiveError("truncated");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

// The central directory as another program reads it (libarchive takes names
// and sizes from the local headers): name, CRC and size of every entry. Only
// archives as WriteZip makes them (no comment, one disk) are understood.
std::vector<ArchiveEntry> CentralDirectory(const std::string& path)
{
    Fd in;
    in.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || st.st_size < 22)
        throw ArchiveError("truncated");
    const std::uint64_t fileSize = static_cast<std::uint64_t>(st.st_size);
    const std::string end = ReadRange(in.fd, fileSize - 22, 22);
    if (Le(end, 0, 4) != 0x06054b50)
        throw ArchiveError("no end record");
    std::uint64_t count = Le(end, 10, 2), size = Le(end, 12, 4), offset = Le(end, 16, 4);
    if (count == 0xffff || size == 0xffffffff || offset == 0xffffffff) {
        if (fileSize < 22 + 20)
            throw ArchiveError("truncated");
        const std::string locator = ReadRange(in.fd, fileSize - 22 - 20, 20);
        if (Le(locator, 0, 4) != 0x07064b50)
            throw ArchiveError("no zip64 locator");
        const std::string end64 = ReadRange(in.fd, Le(locator, 8, 8), 56);
        if (Le(end64, 0, 4) != 0x06064b50)
            throw ArchiveError("no zip64 end record");
        count = Le(end64, 32, 8);
        size = Le(end64, 40, 8);
        offset = Le(end64, 48, 8);
    }
    if (offset + size > fileSize)
        throw ArchiveError("truncated");
    const std::string dir = ReadRange(in.fd, offset, size);
    std::vector<ArchiveEntry> entries;
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (Le(dir, at, 4) != 0x02014b50)
            throw ArchiveError("bad central directory");
        ArchiveEntry e;
        e.crc = static_cast<std::uint32_t>(Le(dir, at + 16, 4));
        e.size = Le(dir, at + 24, 4);
        const std::size_t nameLength = Le(dir, at + 28, 2), extraLength = Le(dir, at + 30, 2);
        const std::size_t commentLength = Le(dir, at + 32, 2);
        if (at + 46 + nameLength + extraLength > dir.size())
            throw ArchiveError("truncated");
        e.name = dir.substr(at + 46, nameLength);
        if (e.size == 0xffffffff) {
            // The zip64 extra field holds the real size first.
            std::size_t x = at + 46 + nameLength;
            const std::size_t xEnd = x + extraLength;
            bool found = false;
            while (x + 4 <= xEnd && !found) {
                const std::uint64_t id = Le(dir, x, 2), length = Le(dir, x + 2, 2);
                if (id == 0x0001) {
                    e.size = Le(dir, x + 4, 8);
                    found = true;
                }
                x += 4 + length;
            }
            if (!found)
                throw ArchiveError("bad zip64 field");
        }
        entries.push_back(e);
        at += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

}  // namespace

FileOutput::FileOutput(const std::string& path) : path_(path)
{
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw ArchiveError("Cannot create " + path + ": " + SystemText(errno));
}

FileOutput::~FileOutput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileOutput::Write(const void* data, std::size_t size)
{
    if (fd_ < 0)
        throw ArchiveError("Cannot write " + path_ + ": closed");
    WriteAll(fd_, static_cast<const char*>(data), size, path_);
}

void FileOutput::Finish()
{
    if (fd_ < 0)
        return;
    const int fd = fd_;
    fd_ = -1;
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed)
        throw ArchiveError("Cannot write " + path_ + ": " + SystemText(synced ? errno : syncError));
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        throw ArchiveError("Cannot read folder " + folder + ": " + SystemText(errno));
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* d = ::readdir(dir.get())) {
        const std::string name = d->d_name;
        struct stat st {};
        if (::fstatat(::dirfd(dir.get()), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
        errno = 0;
    }
    if (errno != 0)
        throw ArchiveError("Cannot read folder " + folder + ": " + SystemText(errno));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<ArchiveEntry> WriteZip(ArchiveOutput& out, const std::vector<ArchiveSource>& files,
                                   const EntryCallback& afterEach)
{
    WriteHandle w;
    WriteContext context{&out, {}};
    auto fail = [&](const std::string& what) -> ArchiveError {
        return ArchiveError(context.failure.empty() ? what + ": " + ArchiveText(w.a) : context.failure);
    };
    if (archive_write_set_format_zip(w.a) != ARCHIVE_OK
        || archive_write_zip_set_compression_deflate(w.a) != ARCHIVE_OK
        || archive_write_set_options(w.a, "zip:hdrcharset=UTF-8") != ARCHIVE_OK)
        throw fail("Cannot prepare the archive");
    // One write per 64 KiB and no padding after the last byte of the archive.
    archive_write_set_bytes_per_block(w.a, 64 * 1024);
    archive_write_set_bytes_in_last_block(w.a, 1);
    if (archive_write_open2(w.a, &context, nullptr, WriteCallback, nullptr, nullptr) != ARCHIVE_OK)
        throw fail("Cannot start the archive");

    std::vector<ArchiveEntry> written;
    std::vector<char> buffer(kChunk);
    for (const ArchiveSource& file : files) {
        Fd in;
        in.fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (in.fd < 0 || ::fstat(in.fd, &st) != 0)
            throw ArchiveError("Cannot read " + file.path + ": " + SystemText(errno));
        EntryHandle entry;
        archive_entry_set_pathname_utf8(entry.e, file.entryName.c_str());
        archive_entry_set_filetype(entry.e, AE_IFREG);
        archive_entry_set_perm(entry.e, 0644);
        archive_entry_set_size(entry.e, st.st_size);
        archive_entry_set_mtime(entry.e, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        if (archive_write_header(w.a, entry.e) != ARCHIVE_OK)
            throw fail("Cannot write " + file.entryName + " into the archive");
        ArchiveEntry done{file.entryName, 0, static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0)), true};
        for (;;) {
            const ssize_t n = ::read(in.fd, buffer.data(), buffer.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw ArchiveError("Cannot read " + file.path + ": " + SystemText(errno));
            }
            if (n == 0)
                break;
            done.crc = static_cast<std::uint32_t>(
                crc32(done.crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(n)));
            done.size += static_cast<std::uint64_t>(n);
            if (archive_write_data(w.a, buffer.data(), static_cast<size_t>(n)) != n)
                throw fail("Cannot write " + file.entryName + " into the archive");
        }
        if (done.size != static_cast<std::uint64_t>(st.st_size))
            throw ArchiveError("The file " + file.path + " changed while it was archived");
        if (archive_write_finish_entry(w.a) != ARCHIVE_OK)
            throw fail("Cannot write " + file.entryName + " into the archive");
        written.push_back(done);
        if (afterEach && !afterEach(file.entryName))
            throw ArchiveCancelled();
    }
    if (archive_write_close(w.a) != ARCHIVE_OK)
        throw fail("Cannot complete the archive");
    out.Finish();
    return written;
}

std::vector<ArchiveEntry> ListArchive(const std::string& path)
{
    std::vector<ArchiveEntry> entries;
    ForEachEntry(path, [&](ReadHandle& r, archive_entry* entry) {
        ArchiveEntry e{EntryName(entry), 0, static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0)),
                       archive_entry_filetype(entry) == AE_IFREG};
        ReadData(r, path, e.name, [&](const char* data, std::size_t n) {
            e.crc = static_cast<std::uint32_t>(
                crc32(e.crc, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(n)));
            e.size += n;
        });
        entries.push_back(e);
    });
    return entries;
}

void VerifyArchive(const std::string& path, const std::vector<ArchiveEntry>& expected)
{
    const std::vector<ArchiveEntry> found = ListArchive(path);
    if (found.size() != expected.size())
        throw ArchiveError("The archive " + path + " holds " + std::to_string(found.size())
                           + " files instead of " + std::to_string(expected.size()));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const ArchiveEntry& f = found[i];
        const ArchiveEntry& e = expected[i];
        if (f.name != e.name || f.size != e.size || f.crc != e.crc || !f.regularFile)
            throw ArchiveError("The archive " + path + " does not hold " + e.name + " as it was written");
    }
    std::vector<ArchiveEntry> directory;
    try {
        directory = CentralDirectory(path);
    } catch (const ArchiveError& e) {
        throw ArchiveError("The directory of the archive " + path + " is damaged (" + e.what() + ")");
    }
    bool same = directory.size() == expected.size();
    for (std::size_t i = 0; same && i < directory.size(); ++i)
        same = directory[i].name == expected[i].name && directory[i].size == expected[i].size
            && directory[i].crc == expected[i].crc;
    if (!same)
        throw ArchiveError("The directory of the archive " + path
                           + " does not list the files as they were written");
}

std::vector<std::string> ExpandArchive(const std::string& path, const std::string& folder,
                                       const EntryCallback& afterEach)
{
    std::vector<std::string> names;
    ForEachEntry(path, [&](ReadHandle& r, archive_entry* entry) {
        const std::string name = BaseName(EntryName(entry));
        if (archive_entry_filetype(entry) != AE_IFREG || name.empty() || name == "." || name == "..")
            return;
        const std::string target = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
        std::string temp = target + ".XXXXXX";
        Fd out;
        out.fd = ::mkstemp(temp.data());
        if (out.fd < 0)
            throw ArchiveError("Cannot write " + target + ": " + SystemText(errno));
        try {
            ReadData(r, path, name,
                     [&](const char* data, std::size_t n) { WriteAll(out.fd, data, n, target); });
            if (::fchmod(out.fd, 0644) != 0 || ::fsync(out.fd) != 0)
                throw ArchiveError("Cannot write " + target + ": " + SystemText(errno));
            ::close(out.fd);
            out.fd = -1;
            if (::rename(temp.c_str(), target.c_str()) != 0)
                throw ArchiveError("Cannot write " + target + ": " + SystemText(errno));
        } catch (...) {
            ::unlink(temp.c_str());
            throw;
        }
        names.push_back(name);
        if (afterEach && !afterEach(name))
            throw ArchiveCancelled();
    });
    return names;
}

}  // namespace tw::archive
