// Archives a restore must refuse before anything changes: every file of the
// database is byte for byte as before, the restore folder holds nothing new,
// and the user reads "Check backup file selection".
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "restorefixture.h"

namespace tw::settings::test {
namespace {

struct CraftedEntry {
    std::string name;
    std::string bytes;
    unsigned type = AE_IFREG;
    std::string linkTarget;
};

// An archive written entry by entry, in any format libarchive writes.
void WriteCrafted(const std::string& path, bool tar, const std::vector<CraftedEntry>& entries)
{
    struct archive* a = archive_write_new();
    if (tar)
        archive_write_set_format_pax_restricted(a);
    else
        archive_write_set_format_zip(a);
    ASSERT_EQ(archive_write_open_filename(a, path.c_str()), ARCHIVE_OK);
    for (const CraftedEntry& e : entries) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, e.linkTarget.c_str());
        archive_entry_set_size(entry, e.type == AE_IFREG ? static_cast<la_int64_t>(e.bytes.size()) : 0);
        ASSERT_EQ(archive_write_header(a, entry), ARCHIVE_OK) << archive_error_string(a);
        if (e.type == AE_IFREG && !e.bytes.empty())
            archive_write_data(a, e.bytes.data(), e.bytes.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
}

class RestoreBadInputTest : public RestoreFixture {
protected:
    // The files of a good backup, to put into bad archives.
    std::vector<CraftedEntry> GoodEntries()
    {
        std::vector<CraftedEntry> entries;
        for (const std::string& name : archive::ListFolder(Src()))
            entries.push_back({name, ReadFile(source_ / name)});
        return entries;
    }

    // A restore of the file at path that must be refused; the box gives the
    // usual advice and then the reason, which holds why.
    void ExpectRefused(const std::string& path, RestoreOptions options = {}, const std::string& why = "")
    {
        Put(Db(), "customers.dbf", {{{"CID", 1.0}, {"NAME", std::string("Live")}}});
        const auto before = FolderBytes(db_);
        host_.selected = path;
        EXPECT_EQ(Restore({true, true}, std::move(options)), RestoreOutcome::Refused);
        ASSERT_EQ(ui_.Messages.size(), 1u);
        EXPECT_EQ(ui_.Messages[0].text.rfind("Check backup file selection\n\n", 0), 0u) << ui_.Messages[0].text;
        EXPECT_NE(ui_.Messages[0].text.find(why), std::string::npos) << ui_.Messages[0].text;
        EXPECT_EQ(ui_.Messages[0].caption, "Restore failed");
        EXPECT_EQ(ui_.Messages[0].icon, data::MessageIcon::Stop);
        EXPECT_EQ(ui_.Status[0], "Invalid backup file");
        EXPECT_EQ(ui_.Status[1], "");
        EXPECT_TRUE(host_.calls.empty()) << host_.calls.front();
        EXPECT_FALSE(host_.busy);
        EXPECT_FALSE(ui_.hourglass);
        EXPECT_EQ(FolderBytes(db_), before);
        ExpectNoLeftovers();
    }
};

TEST_F(RestoreBadInputTest, RefusedBeforeAnythingChanges)
{
    std::vector<Fields> customers;
    for (int cid = 1; cid <= 300; ++cid)
        customers.push_back({{"CID", double(cid)}, {"NAME", "Customer " + std::to_string(cid * 7919)}});
    Put(Src(), "customers.dbf", customers);
    const std::string good = (backups_ / "good.zip").string();
    ZipFolder(Src(), good);
    const std::string goodBytes = ReadFile(good);

    struct Case {
        const char* name;
        std::function<void(const std::string& path)> make;
        std::string why;  // part of the reason the check gives; libarchive's own texts vary
        std::uint64_t freeBytes = UINT64_MAX;
    };
    const std::vector<Case> cases = {
        {"damaged",
         [&](const std::string& p) {
             std::string bytes = goodBytes;
             // Inside the compressed data of the first entry.
             bytes[bytes.size() / 3] ^= 0x55;
             bytes[bytes.size() / 3 + 1] ^= 0x55;
             WriteFile(p, bytes);
         },
         ""},
        {"cut off",
         [&](const std::string& p) { WriteFile(p, goodBytes.substr(0, goodBytes.size() * 2 / 3)); }, ""},
        {"not an archive", [&](const std::string& p) { WriteFile(p, "Dear customer,\nthis is a letter.\n"); },
         ""},
        {"empty file", [&](const std::string& p) { WriteFile(p, ""); }, ""},
        {"another program's ZIP",
         [&](const std::string& p) {
             WriteCrafted(p, false, {{"readme.txt", "hello"}, {"setup.exe", std::string(3000, 'M')}});
         },
         "none of the database tables"},
        {"a tar of the tables", [&](const std::string& p) { WriteCrafted(p, true, GoodEntries()); }, ""},
        {"an entry outside its folder",
         [&](const std::string& p) {
             auto entries = GoodEntries();
             entries.push_back({"../../customers.dbf", ReadFile(source_ / "customers.dbf")});
             WriteCrafted(p, false, entries);
         },
         "outside its own folder"},
        {"an absolute entry",
         [&](const std::string& p) {
             auto entries = GoodEntries();
             entries.push_back({"/tmp/jobs.dbf", ReadFile(source_ / "jobs.dbf")});
             WriteCrafted(p, false, entries);
         },
         "outside its own folder"},
        {"two names alike but for case",
         [&](const std::string& p) {
             auto entries = GoodEntries();
             entries.push_back({"CUSTOMERS.DBF", ReadFile(source_ / "customers.dbf")});
             WriteCrafted(p, false, entries);
         },
         "two files named"},
        {"a link entry",
         [&](const std::string& p) {
             auto entries = GoodEntries();
             entries.push_back({"Setup.INI", "", AE_IFLNK, "/etc/passwd"});
             WriteCrafted(p, false, entries);
         },
         "link or device"},
        {"too big for the volume", [&](const std::string& p) { WriteFile(p, goodBytes); },
         "more than the volume", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (backups_ / (std::string(c.name) + ".zip")).string();
        c.make(path);
        try {
            CheckBackupArchive(path, c.freeBytes);
            ADD_FAILURE() << "accepted";
        } catch (const InvalidBackup& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
        }
        RestoreOptions options;
        options.freeBytes = [&](const std::string&) { return c.freeBytes; };
        host_.calls.clear();
        ui_ = CursorRecordingUi();
        ExpectRefused(path, options, c.why);
    }
}

// An archive that lists and expands well but holds a table the engine
// refuses: the whole archive is refused naming that table, and none of the
// good tables beside it is restored.
TEST_F(RestoreBadInputTest, ADamagedTableRefusesTheWholeArchiveNamingIt)
{
    Put(Src(), "customers.dbf", {{{"CID", 2.0}, {"NAME", std::string("Backup customer")}}});
    Put(Src(), "jobs.dbf", {{{"JID", 3.0}, {"DESC", std::string("Backup job")}}});
    Put(Src(), "ICharts.DBF", {{{"CHARTSID", 8.0}, {"NOTES", std::string(600, 'n')}}});
    struct Case {
        const char* name;
        std::string file;  // as it lies in the source folder
        std::function<void(std::string& bytes)> damage;
    };
    const std::vector<Case> cases = {
        {"a broken header", "customers.dbf",
         [](std::string& bytes) {
             // The header length, past the end of the file.
             bytes[8] = '\xff';
             bytes[9] = '\x7f';
         }},
        {"records cut off", "customers.dbf", [](std::string& bytes) { bytes.resize(bytes.size() - 40); }},
        {"no fields", "jobs.dbf",
         [](std::string& bytes) {
             // The first field descriptor ends the list.
             bytes[32] = '\x0d';
         }},
        {"a damaged memo", "ICharts.dbt",
         [](std::string& bytes) {
             // The length in the first block's head, far past the end of the file.
             for (std::size_t i = 516; i < bytes.size() && i < 520; ++i)
                 bytes[i] = '\x7e';
         }},
    };
    const fs::path good = root_ / "good-source";
    fs::copy(source_, good);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(source_);
        fs::copy(good, source_);
        std::string bytes = ReadFile(source_ / c.file);
        c.damage(bytes);
        WriteFile(source_ / c.file, bytes);
        const std::string path = Archive(std::string(c.name) + ".zip");
        host_.calls.clear();
        ui_ = CursorRecordingUi();
        const std::string table = fs::path(c.file).stem().string();
        ExpectRefused(path, {}, "The table " + table);
        if (ui_.Messages.empty())
            continue;
        EXPECT_NE(ui_.Messages[0].text.find("damaged"), std::string::npos) << ui_.Messages[0].text;
        EXPECT_NE(ui_.Messages[0].text.find(path), std::string::npos) << ui_.Messages[0].text;
    }
}

// Run as an ordinary user even when the tests run as root, for whom no
// folder is without rights.
TEST_F(RestoreBadInputTest, AFolderWithoutRightsIsNamedAndNothingChanges)
{
    Put(Src(), "customers.dbf", {{{"CID", 2.0}}});
    const std::string path = Archive();
    for (const fs::path& p : {root_, db_, restore_, backups_, source_}) {
        fs::permissions(p,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                            | fs::perms::others_read | fs::perms::others_exec);
        for (const auto& e : fs::directory_iterator(p))
            fs::permissions(e.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    }
    const auto before = FolderBytes(db_);
    for (const fs::path& readOnly : {db_, restore_}) {
        // The other one is open to all, so only this folder is refused.
        for (const fs::path& p : {db_, restore_})
            fs::permissions(p,
                            p == readOnly
                                ? fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec
                                : fs::perms::all);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(10);
            host_.answers = {true, true};
            const RestoreOutcome outcome = SmartRestore(host_, ui_).RestoreClick();
            const bool told = ui_.Messages.size() == 1 && ui_.Messages[0].caption == "Restore failed"
                && ui_.Messages[0].text.find(readOnly.string()) != std::string::npos;
            ::_exit(outcome == RestoreOutcome::Refused && told && host_.questions.empty() ? 0 : 11);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readOnly << " " << status;
        EXPECT_EQ(FolderBytes(db_), before);
    }
    fs::permissions(db_, fs::perms::owner_all);
    fs::permissions(restore_, fs::perms::owner_all);
    ExpectNoLeftovers();
}

}  // namespace
}  // namespace tw::settings::test
