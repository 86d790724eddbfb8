#pragma once
// A schedule database folder on disk with tables (one with a memo file),
// other files and the engine's working files, a backup folder, and the
// program around them (RecordingHost, a recording user interface).

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "data/services/userinterface.h"
#include "support/recordinguserinterface.h"
#include "platform/archive/archive.h"
#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "recordinghost.h"
#include "settings/databasebackup.h"

namespace tw::settings::test {

namespace fs = std::filesystem;

inline void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every file of a folder with its bytes.
inline std::map<std::string, std::string> FolderBytes(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = ReadFile(e.path());
    return files;
}

class CursorRecordingUi : public data::RecordingUserInterface {
public:
    void SetBusyCursor(bool busy) override { hourglass = busy; }
    bool hourglass = false;
};

// A medium that is full after capacity bytes, or that hands back another
// byte at damageAt.
class TestMedium : public archive::ArchiveOutput {
public:
    TestMedium(const std::string& path, std::uint64_t capacity, std::uint64_t damageAt)
        : file_(path),
          capacity_(capacity),
          damageAt_(damageAt)
    {}
    void Write(const void* data, std::size_t size) override
    {
        std::string bytes(static_cast<const char*>(data), size);
        if (damageAt_ >= offset_ && damageAt_ < offset_ + size)
            bytes[damageAt_ - offset_] ^= 0x20;
        if (offset_ + size > capacity_) {
            file_.Write(bytes.data(), static_cast<std::size_t>(capacity_ - offset_));
            offset_ = capacity_;
            throw archive::ArchiveError("Cannot write: No space left on device");
        }
        file_.Write(bytes.data(), size);
        offset_ += size;
    }
    void Finish() override { file_.Finish(); }

private:
    archive::FileOutput file_;
    std::uint64_t offset_ = 0, capacity_, damageAt_;
};

class BackupFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        locale::PinLocale("en_US");
        root_ = dir_.path().toStdString();
        db_ = root_ / "db";
        target_ = root_ / "backup";
        fs::create_directories(db_);
        fs::create_directories(target_);
        MakeDatabase(db_.string(), 300);
        host_.databaseFolder = db_.string();
        host_.backupFolder = target_.string();
        host_.now = EncodeDate(2026, 12, 8) + EncodeTime(6, 24, 6, 0);
    }

    static void MakeDatabase(const std::string& folder, int records)
    {
        using db::FieldDef;
        using db::FieldType;
        db::CreateTable(folder, "ICharts.DBF",
                        {{"CHARTSID", FieldType::Float, 20, 8},
                         {"DESC", FieldType::Char, 40, 0},
                         {"NOTES", FieldType::Memo, 10, 0}},
                        {{"CHARTSID", "CHARTSID", false}});
        db::CreateTable(folder, "params.dbf", {{"BUDIR", FieldType::Char, 120, 0}});
        db::Table t;
        t.setFolder(folder);
        t.setTableName("ICharts.DBF");
        t.open();
        db::WriteBatch batch;
        for (int i = 1; i <= records; ++i) {
            t.append();
            t.fieldByName("CHARTSID").setAsInteger(i);
            t.fieldByName("DESC").setAsString("item " + std::to_string(i));
            t.fieldByName("NOTES").setAsString("notes of item " + std::to_string(i));
            t.post();
        }
        batch.commit();
        t.close();
        WriteFile(fs::path(folder) / "Setup.INI", "[tarnwick]\nx=1\n");
        WriteFile(fs::path(folder) / "empty.txt", "");
        // The engine's working files, of a table that is not there any more.
        WriteFile(fs::path(folder) / "gone.twr", "journal");
        WriteFile(fs::path(folder) / "gone.twj", "replace");
        WriteFile(fs::path(folder) / "gone.dbf.77.1.twtmp", "being written");
        fs::create_directory(fs::path(folder) / "subfolder");
    }

    std::string ArchivePath() const { return (target_ / "DOZOrez_12_8_2026_6_24_06_AM.zip").string(); }

    QTemporaryDir dir_;
    fs::path root_, db_, target_;
    RecordingHost host_;
    CursorRecordingUi ui_;
};

}  // namespace tw::settings::test
