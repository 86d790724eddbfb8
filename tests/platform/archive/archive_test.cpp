#include "platform/archive/archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace tw::archive;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Bytes that deflate neither to nothing nor to themselves.
std::string SampleBytes(std::size_t size, unsigned seed)
{
    std::string s(size, '\0');
    unsigned x = seed;
    for (std::size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = static_cast<char>(i % 7 == 0 ? (x >> 16) : 'A' + (i / 97) % 26);
    }
    return s;
}

// A medium that takes bytes up to its capacity and then is full; or one that
// hands back a different byte at one offset (a failing stick).
class TestOutput : public ArchiveOutput {
public:
    explicit TestOutput(std::string path, std::uint64_t capacity = UINT64_MAX,
                        std::uint64_t damageAt = UINT64_MAX)
        : file_(path),
          capacity_(capacity),
          damageAt_(damageAt)
    {}
    void Write(const void* data, std::size_t size) override
    {
        if (offset_ + size > capacity_) {
            const std::size_t fits = static_cast<std::size_t>(capacity_ - offset_);
            file_.Write(data, fits);
            offset_ += fits;
            throw ArchiveError("Cannot write: No space left on device");
        }
        std::string bytes(static_cast<const char*>(data), size);
        if (damageAt_ >= offset_ && damageAt_ < offset_ + size)
            bytes[damageAt_ - offset_] ^= 0x5a;
        file_.Write(bytes.data(), size);
        offset_ += size;
    }
    void Finish() override { file_.Finish(); }
    std::uint64_t offset_ = 0;

private:
    FileOutput file_;
    std::uint64_t capacity_;
    std::uint64_t damageAt_;
};

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path().toStdString();
        source_ = root_ / "db";
        fs::create_directory(source_);
        WriteFile(source_ / "ICharts.DBF", SampleBytes(300000, 1));
        WriteFile(source_ / "ICharts.dbt", SampleBytes(70000, 2));
        WriteFile(source_ / "params.dbf", SampleBytes(900, 3));
        WriteFile(source_ / "empty.twi", "");
    }
    std::vector<ArchiveSource> Sources() const
    {
        std::vector<ArchiveSource> files;
        for (const std::string& name : ListFolder(source_.string()))
            files.push_back({name, (source_ / name).string()});
        return files;
    }

    QTemporaryDir dir_;
    fs::path root_;
    fs::path source_;
};

TEST_F(ArchiveTest, ListFolderGivesOnlyRegularFilesSorted)
{
    fs::create_directory(source_ / "sub");
    fs::create_symlink(source_ / "params.dbf", source_ / "link.dbf");
    ASSERT_EQ(::mkfifo((source_ / "pipe").c_str(), 0644), 0);
    EXPECT_EQ(ListFolder(source_.string()),
              (std::vector<std::string>{"ICharts.DBF", "ICharts.dbt", "empty.twi", "params.dbf"}));
    EXPECT_THROW(ListFolder((root_ / "missing").string()), ArchiveError);
}

TEST_F(ArchiveTest, WrittenZipReadsBackInPythonAndExpandsWhole)
{
    const std::string zip = (root_ / "b.zip").string();
    std::vector<std::string> seen;
    std::vector<ArchiveEntry> written;
    {
        FileOutput out(zip);
        written = WriteZip(out, Sources(), [&](const std::string& n) {
            seen.push_back(n);
            return true;
        });
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"ICharts.DBF", "ICharts.dbt", "empty.twi", "params.dbf"}));
    EXPECT_NO_THROW(VerifyArchive(zip, written));
    EXPECT_EQ(written[0].size, 300000u);

    // Another program reads it as a plain deflated ZIP with the names as they are.
    const std::string script = "import zipfile,sys\n"
                               "z=zipfile.ZipFile(sys.argv[1])\n"
                               "assert z.testzip() is None\n"
                               "for i in z.infolist(): print(i.filename, i.file_size, i.compress_type)\n";
    WriteFile(root_ / "check.py", script);
    const std::string cmd = "/usr/bin/python3 " + (root_ / "check.py").string() + " " + zip + " > "
        + (root_ / "out.txt").string();
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(ReadFile(root_ / "out.txt"),
              "ICharts.DBF 300000 8\nICharts.dbt 70000 8\nempty.twi 0 8\nparams.dbf 900 8\n");

    const fs::path target = root_ / "restore";
    fs::create_directory(target);
    WriteFile(target / "params.dbf", "old");
    EXPECT_EQ(ExpandArchive(zip, target.string()).size(), 4u);
    for (const std::string& name : ListFolder(source_.string()))
        EXPECT_EQ(ReadFile(target / name), ReadFile(source_ / name)) << name;
    EXPECT_EQ(ListFolder(target.string()).size(), 4u) << "no temporary file left behind";
}

TEST_F(ArchiveTest, FullMediumAtAnyOffsetFailsWithTheReason)
{
    // The whole archive is about 109 000 bytes: full in the headers, in the data
    // of the first and the second file, and in the central directory.
    for (std::uint64_t capacity : {0ull, 1ull, 30ull, 65536ull, 100000ull, 109300ull}) {
        const std::string zip = (root_ / ("full" + std::to_string(capacity) + ".zip")).string();
        TestOutput out(zip, capacity);
        try {
            WriteZip(out, Sources());
            ADD_FAILURE() << "no failure at " << capacity;
        } catch (const ArchiveError& e) {
            EXPECT_NE(std::string(e.what()).find("No space left"), std::string::npos) << e.what();
        }
        EXPECT_EQ(out.offset_, capacity);
    }
}

TEST_F(ArchiveTest, VerifyFindsDamagedBytesAndMissingEntries)
{
    std::vector<ArchiveEntry> written;
    const std::string good = (root_ / "good.zip").string();
    {
        FileOutput out(good);
        written = WriteZip(out, Sources());
    }
    // Compressed data of each file, and a name in the central directory.
    const std::uint64_t nameInDirectory = ReadFile(good).rfind("ICharts.dbt");
    for (std::uint64_t at : std::initializer_list<std::uint64_t>{200, 5000, 90000, nameInDirectory}) {
        const std::string zip = (root_ / ("bad" + std::to_string(at) + ".zip")).string();
        TestOutput out(zip, UINT64_MAX, at);
        const auto claimed = WriteZip(out, Sources());
        EXPECT_THROW(VerifyArchive(zip, claimed), ArchiveError) << "damage at " << at;
    }
    auto fewer = written;
    fewer.pop_back();
    EXPECT_THROW(VerifyArchive(good, fewer), ArchiveError);
    auto otherCrc = written;
    otherCrc[1].crc ^= 1;
    EXPECT_THROW(VerifyArchive(good, otherCrc), ArchiveError);
}

TEST_F(ArchiveTest, CancelFromTheCallbackStopsWriting)
{
    const std::string zip = (root_ / "c.zip").string();
    FileOutput out(zip);
    int calls = 0;
    EXPECT_THROW(WriteZip(out, Sources(), [&](const std::string&) { return ++calls < 2; }), ArchiveCancelled);
    EXPECT_EQ(calls, 2);
}

TEST_F(ArchiveTest, FileOutputRefusesAnExistingFile)
{
    WriteFile(root_ / "there.zip", "x");
    EXPECT_THROW(FileOutput((root_ / "there.zip").string()), ArchiveError);
    EXPECT_EQ(ReadFile(root_ / "there.zip"), "x");
}

// An archive from elsewhere with entries that must never leave the target
// folder or become anything but a plain file.
TEST_F(ArchiveTest, ExpandWritesBaseNamesOnlyAndSkipsEverythingElse)
{
    const std::string zip = (root_ / "odd.zip").string();
    {
        archive* a = archive_write_new();
        archive_write_set_format_zip(a);
        ASSERT_EQ(archive_write_open_filename(a, zip.c_str()), ARCHIVE_OK);
        auto add = [&](const char* name, unsigned type, const std::string& data, const char* link = nullptr) {
            archive_entry* e = archive_entry_new();
            archive_entry_set_pathname(e, name);
            archive_entry_set_filetype(e, type);
            archive_entry_set_perm(e, 0644);
            archive_entry_set_size(e, type == AE_IFREG ? static_cast<la_int64_t>(data.size()) : 0);
            if (link)
                archive_entry_set_symlink(e, link);
            archive_write_header(a, e);
            if (type == AE_IFREG)
                archive_write_data(a, data.data(), data.size());
            archive_entry_free(e);
        };
        add("deep/folder/a.dbf", AE_IFREG, "aaa");
        add("../b.dbf", AE_IFREG, "bbb");
        add("/etc/c.dbf", AE_IFREG, "ccc");
        add("sub/", AE_IFDIR, "");
        add("link.dbf", AE_IFLNK, "", "/etc/passwd");
        add("..", AE_IFREG, "x");
        add("dots/.", AE_IFREG, "y");
        add("zero.dbf", AE_IFREG, "");
        archive_write_close(a);
        archive_write_free(a);
    }
    const fs::path target = root_ / "t";
    fs::create_directory(target);
    EXPECT_EQ(ExpandArchive(zip, target.string()),
              (std::vector<std::string>{"a.dbf", "b.dbf", "c.dbf", "zero.dbf"}));
    EXPECT_EQ(ListFolder(target.string()), (std::vector<std::string>{"a.dbf", "b.dbf", "c.dbf", "zero.dbf"}));
    EXPECT_EQ(ReadFile(target / "b.dbf"), "bbb");
    EXPECT_FALSE(fs::exists(root_ / "b.dbf"));
    EXPECT_FALSE(fs::exists(target / "sub"));
}

// A level-0 LHA archive as older versions wrote them (stored, "-lh0-").
std::string LhaArchive(const std::vector<std::pair<std::string, std::string>>& files)
{
    auto crc16 = [](const std::string& data) {
        unsigned crc = 0;
        for (unsigned char c : data) {
            crc ^= c;
            for (int i = 0; i < 8; ++i)
                crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        }
        return crc;
    };
    auto le32 = [](std::string& s, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xff);
    };
    std::string out;
    for (const auto& [name, data] : files) {
        std::string h;
        h += "-lh0-";
        le32(h, static_cast<std::uint32_t>(data.size()));
        le32(h, static_cast<std::uint32_t>(data.size()));
        le32(h, (0x5021u << 16) | 0x0000u);  // 1 January 2020
        h += static_cast<char>(0x20);
        h += static_cast<char>(0);  // level 0
        h += static_cast<char>(name.size());
        h += name;
        const unsigned crc = crc16(data);
        h += static_cast<char>(crc & 0xff);
        h += static_cast<char>(crc >> 8);
        unsigned sum = 0;
        for (unsigned char c : h)
            sum += c;
        out += static_cast<char>(h.size());
        out += static_cast<char>(sum & 0xff);
        out += h;
        out += data;
    }
    out += '\0';
    return out;
}

TEST_F(ArchiveTest, LegacyLhaArchiveIsToldApartByContentAndExpands)
{
    // Named .zip as the old versions named them.
    const fs::path lha = root_ / "old_backup.zip";
    WriteFile(lha, LhaArchive({{"CREWS.DBF", "crew bytes"}, {"ICHARTS.DBF", SampleBytes(5000, 9)}}));
    const auto entries = ListArchive(lha.string());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "CREWS.DBF");
    EXPECT_EQ(entries[1].size, 5000u);
    const fs::path target = root_ / "lha";
    fs::create_directory(target);
    EXPECT_EQ(ExpandArchive(lha.string(), target.string()),
              (std::vector<std::string>{"CREWS.DBF", "ICHARTS.DBF"}));
    EXPECT_EQ(ReadFile(target / "ICHARTS.DBF"), SampleBytes(5000, 9));

    WriteFile(root_ / "junk.zip", "this is no archive at all");
    EXPECT_THROW(ListArchive((root_ / "junk.zip").string()), ArchiveError);
    EXPECT_THROW(ExpandArchive((root_ / "junk.zip").string(), target.string()), ArchiveError);
}

}  // namespace
