#pragma once
// A schedule database with every table a restore or an emptying touches, a
// program folder with the working copies, a restore folder, and the program
// around them: a host that records what was asked and answers the questions
// as a test says.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "backupfixture.h"
#include "data/layouts/layouts.h"
#include "platform/archive/archive.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "settings/restore.h"
#include "settings/restorehost.h"
#include "settings/restoreswap.h"

namespace tw::settings::test {

using Calls = std::vector<std::string>;
using Fields = std::map<std::string, db::Value>;

class RestoreRecordingHost : public RestoreHost {
public:
    std::string selected, restoreFolder, databaseFolder, programFolder;
    bool sharedUsable = true;
    bool oldWindows = true;
    bool tableUpgraded = false;
    bool busy = false;
    std::deque<bool> answers;  // Yes or No, in the order the questions come
    std::vector<std::string> questions;
    Calls calls;
    std::string customersLabel;
    std::string failOn;

    std::string SelectedBackupFile() const override { return selected; }
    std::string RestoreFolder() const override { return restoreFolder; }
    std::string DatabaseFolder() const override { return databaseFolder; }
    std::string ProgramFolder() const override { return programFolder; }
    bool SharedTablesUsable() const override { return sharedUsable; }
    bool OldWindows() const override { return oldWindows; }
    bool Question(const std::string& text, const std::string& caption) override
    {
        questions.push_back(caption + ": " + text);
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    bool& TablesBusy() override { return busy; }
    void SetBackingUp(bool) override {}
    void CloseAllTables() override { Call("CloseAllTables"); }
    void OpenAllTables() override { Call("OpenAllTables"); }
    bool ConvertChartsTable(const std::string&) override
    {
        Call("ConvertChartsTable");
        return false;
    }
    void PullChartUpdates(bool) override { Call("PullChartUpdates"); }
    void ReindexDatabase() override { Call("ReindexDatabase"); }
    bool TableUpgraded() const override { return tableUpgraded; }
    void RebuildCrewIndex() override { Call("RebuildCrewIndex"); }
    void ShowRestoredCalendar() override { Call("ShowRestoredCalendar"); }
    void RefreshAfterRestore() override { Call("RefreshAfterRestore"); }
    void SetCustomersLabel(const std::string& text) override { customersLabel = text; }
    void CloseMainWindow() override { Call("CloseMainWindow"); }

private:
    void Call(const std::string& name)
    {
        calls.push_back(name);
        if (failOn == name)
            throw std::runtime_error(name + " failed");
    }
};

inline void CreateLayoutTable(const std::string& folder, data::Database database, const std::string& file)
{
    const data::TableLayout* layout = data::FindLayout(database, file);
    ASSERT_NE(layout, nullptr) << file;
    db::CreateTable(folder, layout->fileName, layout->fields, layout->indexes, true);
}

// Appends one record per entry of rows.
inline void Put(const std::string& folder, const std::string& file, const std::vector<Fields>& rows)
{
    db::Table t;
    t.setFolder(folder);
    t.setTableName(file);
    t.open();
    db::WriteBatch batch;
    for (const Fields& row : rows) {
        t.append();
        for (const auto& [name, value] : row)
            t.fieldByName(name).setValue(value);
        t.post();
    }
    batch.commit();
}

// Every record of a table as text, in table order.
inline std::vector<std::string> Dump(const std::string& folder, const std::string& file)
{
    db::Table t;
    t.setFolder(folder);
    t.setTableName(file);
    t.setReadOnly(true);
    t.open();
    std::vector<std::string> rows;
    for (t.first(); !t.eof(); t.next()) {
        std::string row;
        for (int i = 0; i < t.fieldCount(); ++i)
            row += t.field(i).name() + "=" + t.field(i).asString() + "|";
        rows.push_back(row);
    }
    return rows;
}

// One field of every record, in table order.
inline std::vector<std::string> Column(const std::string& folder, const std::string& file,
                                       const std::string& field)
{
    db::Table t;
    t.setFolder(folder);
    t.setTableName(file);
    t.setReadOnly(true);
    t.open();
    std::vector<std::string> values;
    for (t.first(); !t.eof(); t.next())
        values.push_back(t.fieldByName(field).asString());
    return values;
}

// Every regular file of a folder into one ZIP, under the same names.
inline void ZipFolder(const std::string& folder, const std::string& zipPath)
{
    std::vector<archive::ArchiveSource> sources;
    for (const std::string& name : archive::ListFolder(folder))
        sources.push_back({name, folder + "/" + name});
    archive::FileOutput out(zipPath);
    archive::WriteZip(out, sources);
    out.Finish();
}

class RestoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        locale::PinLocale("en_US");
        root_ = dir_.path().toStdString();
        db_ = root_ / "db";
        program_ = root_ / "program";
        restore_ = root_ / "restore";
        backups_ = root_ / "backups";
        source_ = root_ / "source";
        for (const fs::path* p : {&db_, &program_, &restore_, &backups_, &source_})
            fs::create_directories(*p);
        MakeSchedule(db_.string());
        MakeSchedule(source_.string());
        for (const char* file : {"Charts.DBF", "Tasks.DBF"})
            CreateLayoutTable(program_.string(), data::Database::Parameters, file);
        host_.databaseFolder = db_.string();
        host_.programFolder = program_.string();
        host_.restoreFolder = restore_.string();
    }

    static void MakeSchedule(const std::string& folder)
    {
        for (const RestoreRow& row : RestoreTableList())
            CreateLayoutTable(folder, data::Database::Scheduler, row.file);
        for (const char* file : {"Access.dbf", "photos.dbf"})
            CreateLayoutTable(folder, data::Database::Scheduler, file);
    }

    // The source folder as a backup archive, selected in the file list.
    std::string Archive(const std::string& name = "backup.zip")
    {
        const std::string path = (backups_ / name).string();
        ZipFolder(source_.string(), path);
        host_.selected = path;
        return path;
    }

    RestoreOutcome Restore(std::deque<bool> answers = {true, true}, RestoreOptions options = {})
    {
        host_.answers = std::move(answers);
        return SmartRestore(host_, ui_, std::move(options)).RestoreClick();
    }

    // Nothing the restore made is left behind.
    void ExpectNoLeftovers()
    {
        EXPECT_TRUE(fs::is_empty(restore_));
        for (const auto& e : fs::directory_iterator(db_))
            EXPECT_TRUE(e.is_regular_file()) << e.path();
        EXPECT_FALSE(fs::exists(db_ / kSwapJournalName));
    }

    std::string Db() const { return db_.string(); }
    std::string Src() const { return source_.string(); }

    QTemporaryDir dir_;
    fs::path root_;
    fs::path db_, program_, restore_, backups_, source_;
    RestoreRecordingHost host_;
    CursorRecordingUi ui_;
};

}  // namespace tw::settings::test
