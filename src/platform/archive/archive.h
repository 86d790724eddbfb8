#pragma once
// Archives of whole folders of files, over libarchive: list the files of a
// folder, write them into one ZIP (deflate), list an archive's entries and
// expand them into a folder.
//
//   std::vector<ArchiveSource> files = ...;            // entry name + file to read
//   FileOutput out(tempPath);                          // or any ArchiveOutput
//   auto written = WriteZip(out, files, [](const std::string& name) { ...; return true; });
//   VerifyArchive(tempPath, written);                  // reads every entry back
//
// Every byte of an archive being written goes through an ArchiveOutput, so a
// test can make the medium full, or hand back other bytes than were written,
// at any offset. Reading tells ZIP and the older LHA archives apart by their
// content, never by the file name.
//
// Failures throw ArchiveError with a text that names the file concerned.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::archive {

class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the bytes of an archive being written go.
class ArchiveOutput {
public:
    virtual ~ArchiveOutput() = default;
    // Writes all of the bytes or throws ArchiveError.
    virtual void Write(const void* data, std::size_t size) = 0;
    // Makes what was written durable and closes; throws ArchiveError.
    virtual void Finish() = 0;
};

// A new file (refused when one of that name exists), written with write(2)
// and flushed with fsync(2) by Finish. A file that was not finished is
// closed, not removed: the caller decides what becomes of it.
class FileOutput : public ArchiveOutput {
public:
    explicit FileOutput(const std::string& path);
    ~FileOutput() override;
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    void Write(const void* data, std::size_t size) override;
    void Finish() override;

private:
    std::string path_;
    int fd_ = -1;
};

// One file to archive: the name it gets in the archive and the file it is read from.
struct ArchiveSource {
    std::string entryName;
    std::string path;
};

// What an archive holds, or what was written into one.
struct ArchiveEntry {
    std::string name;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;  // CRC-32 of the data (zlib's)
    bool regularFile = true;
};

// Called after each file; false abandons the work (ArchiveCancelled is thrown).
using EntryCallback = std::function<bool(const std::string& entryName)>;

class ArchiveCancelled : public ArchiveError {
public:
    ArchiveCancelled() : ArchiveError("Abandoned") {}
};

// The regular files of a folder (no links, folders or devices), by name,
// sorted. Throws ArchiveError when the folder cannot be read.
std::vector<std::string> ListFolder(const std::string& folder);

// Writes a ZIP archive (deflate) of the files in the given order; returns
// the entries as written (size and CRC of the bytes read). A file that
// changes size while it is read is a failure.
std::vector<ArchiveEntry> WriteZip(ArchiveOutput& out, const std::vector<ArchiveSource>& files,
                                   const EntryCallback& afterEach = {});

// The entries of an archive (ZIP or LHA), their data read to the end so that
// size and CRC are those of the data actually stored.
std::vector<ArchiveEntry> ListArchive(const std::string& path);

// Reads the archive back and throws ArchiveError unless it holds exactly the
// expected entries, in order, each with its size and CRC: once through the
// data as libarchive expands it, once through the central directory that
// other ZIP readers go by.
void VerifyArchive(const std::string& path, const std::vector<ArchiveEntry>& expected);

// Expands an archive (ZIP or LHA) into folder. Only regular files are
// written, each under its base name (any folder part of the entry name is
// dropped); links, devices, folders, and entries whose base name is empty,
// "." or ".." are skipped. A file is written beside its final name and
// renamed over it once whole. Returns the names written.
std::vector<std::string> ExpandArchive(const std::string& path, const std::string& folder,
                                       const EntryCallback& afterEach = {});

}  // namespace tw::archive
