#include "settings/restore.h"

#include <stdlib.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <unordered_set>

#include "data/layouts/layouts.h"
#include "data/services/recordservices.h"
#include "platform/db/tableops.h"
#include "data/records/scheduleitemrecord.h"
#include "settings/leftovers.h"
#include "data/services/busyscopes.h"
#include "settings/pathcase.h"
#include "settings/restoreswap.h"

namespace fs = std::filesystem;

namespace tw::settings {

namespace {

const char* const kFailedCaption = "Restore failed";
const char* const kBadArchiveText = "Check backup file selection";
// The progress text changes with every record; painting it that often would
// cost more than the copying.
constexpr std::int64_t kRepaintEvery = 256;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string BaseName(const std::string& entry)
{
    const std::size_t slash = entry.find_last_of("/\\");
    return slash == std::string::npos ? entry : entry.substr(slash + 1);
}

// The name of the table file in folder that is name without regard to case
// (the exact name first); empty when there is none or it is a folder.
std::string FindNoCase(const std::string& folder, const std::string& name)
{
    std::error_code error;
    const fs::path path = (fs::absolute(folder, error) / name).lexically_normal();
    const std::string found = FindPathIgnoringCase(path.string());
    if (found.empty() || found.back() == '/')
        return {};
    return fs::path(found).filename().string();
}

bool Writable(const std::string& folder)
{
    return !folder.empty() && fs::is_directory(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::uint64_t VolumeFree(const std::string& folder)
{
    struct statvfs s {};
    if (::statvfs(folder.c_str(), &s) != 0)
        return 0;
    return static_cast<std::uint64_t>(s.f_bavail) * s.f_frsize;
}

bool IsRestoredTable(const std::string& baseName)
{
    for (const RestoreRow& row : RestoreTableList())
        if (Lower(baseName) == row.file)
            return true;
    return false;
}

bool SameLayout(const std::vector<db::FieldDef>& a, const std::vector<db::FieldDef>& b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const db::FieldDef& x, const db::FieldDef& y) {
            return x.name == y.name && x.type == y.type && x.width == y.width && x.decimals == y.decimals;
        });
}

// A table of the restore failed in a way that must not leave half a result.
struct TableFailure : std::runtime_error {
    TableFailure(const std::string& file, const std::string& detail)
        : std::runtime_error("The table " + file + " could not be restored: " + detail
                             + "\nThe database was left as it was.")
    {}
};

// The swap was decided but could not be finished now.
struct SwapUnfinished : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The backup's table or the live one cannot be used for this row; the row is skipped.
struct SkipRow {};

}  // namespace

const std::vector<RestoreRow>& RestoreTableList()
{
    using data::ScheduleItemRecord;
    const char* const itemKey = data::ScheduleItemFieldName(&ScheduleItemRecord::CHARTSID);
    static const std::vector<RestoreRow> rows = {
        {"mycomp.dbf", "CID", RestoreMode::Replace, false},
        {"icharts.dbf", itemKey, RestoreMode::SharedRule, true},
        {"itasks.dbf", itemKey, RestoreMode::SharedRule, true},
        {"calendar.dbf", "workid", RestoreMode::Replace, false},
        {"holidays.dbf", "holiid", RestoreMode::Merge, false},
        {"customers.dbf", "cid", RestoreMode::SharedRule, false},
        {"custom.dbf", "id", RestoreMode::SharedRule, false},
        {"jobs.dbf", "jid", RestoreMode::SharedRule, false},
        {"icrews.dbf", "icrewid", RestoreMode::SharedRule, false},
        {"crews.dbf", "crewid", RestoreMode::SharedRule, false},
    };
    return rows;
}

std::vector<archive::ArchiveEntry> CheckBackupArchive(const std::string& path, std::uint64_t freeBytes)
{
    std::vector<archive::ArchiveEntry> entries;
    try {
        entries = archive::ListArchive(path);
    } catch (const archive::ArchiveError& e) {
        throw InvalidBackup(e.what());
    }
    std::set<std::string> names;
    std::uint64_t total = 0;
    bool anyTable = false;
    for (const archive::ArchiveEntry& e : entries) {
        const bool folder = !e.regularFile && !e.name.empty() && e.name.back() == '/';
        if (!e.regularFile && !folder)
            throw InvalidBackup(path + " holds a link or device entry: " + e.name);
        std::string normal = e.name;
        std::replace(normal.begin(), normal.end(), '\\', '/');
        if (normal.empty() || normal.front() == '/' || normal.find(':') != std::string::npos)
            throw InvalidBackup(path + " holds an entry outside its own folder: " + e.name);
        for (std::size_t start = 0; start <= normal.size();) {
            const std::size_t end = std::min(normal.find('/', start), normal.size());
            if (normal.compare(start, end - start, "..") == 0)
                throw InvalidBackup(path + " holds an entry outside its own folder: " + e.name);
            start = end + 1;
        }
        if (folder)
            continue;
        const std::string base = BaseName(normal);
        if (base.empty() || base == "." || base == "..")
            continue;
        if (!names.insert(Lower(base)).second)
            throw InvalidBackup(path + " holds two files named " + base);
        anyTable = anyTable || IsRestoredTable(base);
        total += e.size;
    }
    if (!anyTable)
        throw InvalidBackup(path + " is not a Tarnwick backup: it holds none of the database tables");
    if (total > freeBytes)
        throw InvalidBackup(path + " needs " + std::to_string(total)
                            + " bytes, more than the volume has free");
    return entries;
}

void copy_record(bool appendAndPost, db::Table& source, db::Table& target, data::UserInterface& ui)
{
    for (const db::FieldDef& def : source.fieldDefs()) {
        switch (def.type) {
        case db::FieldType::Char:
        case db::FieldType::Memo:
        case db::FieldType::Binary:
        case db::FieldType::Smallint:
        case db::FieldType::Date:
        case db::FieldType::Logical:
        case db::FieldType::Float: continue;
        }
        ui.ShowMessage("Undefined data type in copy_record", "Programming error", data::MessageIcon::Stop);
    }
    data::copy_record(appendAndPost, source, target);
}

// One restore from the expanded archive to the swap: the folders it made
// are gone again on every way out.
class SmartRestore::Work {
public:
    Work(SmartRestore& owner, bool sharedUsable) : owner_(owner), sharedUsable_(sharedUsable) {}
    void Expand(const std::string& archivePath, const std::string& restoreFolder)
    {
        try {
            folder_ = std::make_unique<RunFolder>(restoreFolder, "restore");
        } catch (const std::runtime_error& e) {
            throw InvalidBackup(e.what());
        }
        expanded_ = folder_->path();
        try {
            archive::ExpandArchive(archivePath, expanded_);
        } catch (const archive::ArchiveError& e) {
            throw InvalidBackup(e.what());
        }
    }
    const std::string& ExpandedFolder() const { return expanded_; }

    // Every table of the archive that the restore reads opens and reads to
    // its last record, memo texts included: a damaged one refuses the whole
    // archive, before anything of the database changes, rather than leaving
    // that table out of a restore that says it completed.
    void CheckTables(const std::string& archivePath)
    {
        for (const RestoreRow& row : RestoreTableList()) {
            const std::string found = FindNoCase(expanded_, row.file);
            if (found.empty())
                continue;
            try {
                db::Table table;
                table.setFolder(expanded_);
                table.setTableName(found);
                table.setReadOnly(true);
                table.open();
                for (table.first(); !table.eof(); table.next())
                    for (int i = 0; i < table.fieldCount(); ++i)
                        (void)table.field(i).asString();
            } catch (const std::exception& e) {
                throw InvalidBackup("The table " + found + " in " + archivePath + " is damaged: " + e.what());
            }
        }
    }

    void RestoreAll(const std::string& databaseFolder)
    {
        swap_ = std::make_unique<TableSwap>(databaseFolder);
        databaseFolder_ = databaseFolder;
        for (const RestoreRow& row : RestoreTableList()) {
            const bool replace =
                row.mode == RestoreMode::Replace || (row.mode == RestoreMode::SharedRule && !sharedUsable_);
            if (std::string(row.file) == "crews.dbf")
                upgraded_ = false;
            try {
                RestoreTable(row, replace);
            } catch (const SkipRow&) {
                RemoveStaged(row.file);
            } catch (const TableFailure&) {
                throw;
            } catch (const std::exception& e) {
                throw TableFailure(row.file, e.what());
            }
        }
    }

    // A step that fails once the swap is decided is tried once more; the
    // tables then are all new, or the next restore finishes the swap first.
    void Commit(const std::function<void(const std::string&)>& onStep)
    {
        try {
            if (!swap_->Empty())
                swap_->Commit(onStep);
        } catch (const std::exception& e) {
            if (!swap_->Committed())
                throw std::runtime_error(std::string(e.what()) + "\nThe database was left as it was.");
            try {
                FinishPendingSwap(databaseFolder_);
            } catch (const std::exception&) {
                throw SwapUnfinished(
                    std::string(e.what())
                    + "\nThe restored tables are put in place when the restore is tried again.");
            }
        }
        swap_.reset();
    }

    // The crew table of the backup had an older layout.
    bool CrewsUpgraded() const { return upgraded_; }

private:
    void RestoreTable(const RestoreRow& row, bool replace)
    {
        data::UserInterface& ui = owner_.ui_;
        owner_.Status(std::string("Checking ") + row.file, "", ui.StatusText(2));

        // Only this archive's files count; a table it lacks is skipped.
        const std::string found = FindNoCase(expanded_, row.file);
        if (found.empty())
            throw SkipRow{};
        std::string sourceFolder = expanded_, sourceName = found;
        std::int64_t n = 0;
        const data::TableLayout* layout = data::FindLayout(data::Database::Scheduler, row.file);
        try {
            Conform(sourceFolder, sourceName, layout, row);
            db::Table source;
            source.setFolder(sourceFolder);
            source.setTableName(sourceName);
            source.setReadOnly(true);
            source.open();
            n = source.recordCount();
        } catch (const db::DbError&) {
            throw SkipRow{};
        }

        const std::string liveFound = FindNoCase(databaseFolder_, row.file);
        const std::string liveName = !liveFound.empty() ? liveFound : layout ? layout->fileName : row.file;
        std::vector<db::FieldDef> liveFields;
        std::vector<db::IndexDef> liveIndexes;
        bool liveOpens = !liveFound.empty();
        if (liveOpens) {
            try {
                db::Table live;
                live.setFolder(databaseFolder_);
                live.setTableName(liveFound);
                live.setReadOnly(true);
                live.open();
                liveFields = live.fieldDefs();
                liveIndexes = live.indexDefs();
            } catch (const db::DbError&) {
                liveOpens = false;
            }
        }
        const std::string staging = swap_->StagingFolder();
        if (!liveOpens) {
            owner_.Status("Loading ", row.file, "");
            db::CopyTable(sourceFolder, sourceName, staging, liveName);
            Verify(liveName, n, nullptr);
            swap_->Replace(liveName);
            return;
        }
        // A backup table without records leaves the live one as it is.
        if (replace && n == 0)
            throw SkipRow{};

        std::int64_t expected = 0;
        if (replace) {
            db::CreateTable(staging, liveName, liveFields, liveIndexes, true);
        } else {
            db::CopyTable(databaseFolder_, liveFound, staging, liveName);
        }
        owner_.Status(std::string("Appending ") + row.file, "", ui.StatusText(2));
        const std::int64_t appended =
            CopyRecords(row, replace, sourceFolder, sourceName, staging, liveName, n, expected);
        if (!replace && appended == 0)
            throw SkipRow{};
        Verify(liveName, expected, &liveFields);
        swap_->Replace(liveName);
    }

    // Brings the backup's table to the current layout in a folder of its
    // own, with its records copied, when its fields differ.
    void Conform(std::string& folder, std::string& name, const data::TableLayout* layout,
                 const RestoreRow& row)
    {
        if (!layout)
            return;
        db::Table source;
        source.setFolder(folder);
        source.setTableName(name);
        source.setReadOnly(true);
        source.open();
        if (SameLayout(source.fieldDefs(), layout->fields))
            return;
        const std::string conformed = expanded_ + "/conformed";
        fs::create_directories(conformed);
        db::CreateTable(conformed, layout->fileName, layout->fields, layout->indexes, true);
        db::Table target;
        target.setFolder(conformed);
        target.setTableName(layout->fileName);
        target.setExclusive(true);
        target.open();
        {
            db::WriteBatch batch;
            for (source.first(); !source.eof(); source.next())
                copy_record(true, source, target, owner_.ui_);
            batch.commit();
        }
        folder = conformed;
        name = layout->fileName;
        if (std::string(row.file) == "crews.dbf")
            upgraded_ = true;
    }

    std::int64_t CopyRecords(const RestoreRow& row, bool replace, const std::string& sourceFolder,
                             const std::string& sourceName, const std::string& staging,
                             const std::string& liveName, std::int64_t n, std::int64_t& expected)
    {
        data::UserInterface& ui = owner_.ui_;
        db::Table source, target;
        source.setFolder(sourceFolder);
        source.setTableName(sourceName);
        source.setReadOnly(true);
        source.open();
        target.setFolder(staging);
        target.setTableName(liveName);
        target.setExclusive(true);
        target.open();
        expected = target.recordCount();

        // Keys compare as whole numbers: two float keys that round alike are one record.
        std::unordered_set<std::int32_t> keys;
        try {
            if (!replace)
                for (target.first(); !target.eof(); target.next())
                    keys.insert(target.fieldByName(row.key).asInteger());
        } catch (const db::DbError&) {
            throw SkipRow{};
        }
        const std::string total = std::to_string(n);
        // The change counter a pull takes as newer than its own copy.
        data::ScheduleItemRecord pulledStamp;
        pulledStamp.UPDATE = 1.1;
        std::int64_t i = 0, appended = 0;
        db::WriteBatch batch;
        for (source.first(); !source.eof(); source.next()) {
            bool found = false;
            if (!replace) {
                std::int32_t key = 0;
                try {
                    key = source.fieldByName(row.key).asInteger();
                } catch (const db::DbError&) {
                    throw SkipRow{};
                }
                found = !keys.insert(key).second;
            }
            if (!found) {
                target.append();
                copy_record(false, source, target, ui);
                if (row.stampUpdate)
                    data::WriteScheduleItemFields(target, pulledStamp,
                                                      &data::ScheduleItemRecord::UPDATE);
                target.post();
                ++appended;
            }
            ++i;
            ui.SetStatusText(1, "Record " + std::to_string(i) + " of " + total);
            if (i % kRepaintEvery == 0 || i == n)
                ui.RepaintStatus();
        }
        batch.commit();
        expected += appended;
        return appended;
    }

    // The staged table opens, has the layout it is to have and the records it should.
    void Verify(const std::string& name, std::int64_t records, const std::vector<db::FieldDef>* fields)
    {
        db::Table staged;
        staged.setFolder(swap_->StagingFolder());
        staged.setTableName(name);
        staged.setReadOnly(true);
        staged.open();
        if (fields && !SameLayout(staged.fieldDefs(), *fields))
            throw std::runtime_error("its restored copy has another layout");
        if (staged.recordCount() != records)
            throw std::runtime_error("its restored copy holds " + std::to_string(staged.recordCount())
                                     + " records instead of " + std::to_string(records));
    }

    void RemoveStaged(const std::string& file)
    {
        if (!swap_)
            return;
        const std::string stem = Lower(fs::path(file).stem().string());
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(swap_->StagingFolder(), ignored))
            if (Lower(entry.path().stem().string()) == stem)
                fs::remove(entry.path(), ignored);
    }

    SmartRestore& owner_;
    bool sharedUsable_;
    bool upgraded_ = false;
    std::string expanded_;
    std::string databaseFolder_;
    std::unique_ptr<TableSwap> swap_;
    // Last, so that it goes first: the expanded archive is removed on every way out.
    std::unique_ptr<RunFolder> folder_;
};

SmartRestore::SmartRestore(RestoreHost& host, data::UserInterface& ui, RestoreOptions options)
    : host_(host),
      ui_(ui),
      options_(std::move(options))
{
    if (!options_.freeBytes)
        options_.freeBytes = VolumeFree;
}

void SmartRestore::Status(const std::string& panel0, const std::string& panel1, const std::string& panel2)
{
    ui_.SetStatusText(0, panel0);
    ui_.SetStatusText(1, panel1);
    ui_.SetStatusText(2, panel2);
    ui_.RepaintStatus();
}

RestoreOutcome SmartRestore::RestoreClick()
{
    const std::string databaseFolder = host_.DatabaseFolder();
    const std::string restoreFolder = host_.RestoreFolder();
    // Writing in both folders is what restoring needs; there is no elevation to ask for.
    for (const std::string& folder : {databaseFolder, restoreFolder}) {
        if (!Writable(folder)) {
            ui_.ShowMessage("Tarnwick cannot write in the folder " + folder
                                + ". Restoring a backup needs the right to change files there.",
                            kFailedCaption, data::MessageIcon::Stop);
            return RestoreOutcome::Refused;
        }
    }
    host_.SetBackingUp(false);
    const std::string archivePath = host_.SelectedBackupFile();
    if (archivePath.empty()) {
        ui_.ShowMessage("Select a backup file", "Use right pane", data::MessageIcon::Stop);
        return RestoreOutcome::Declined;
    }
    if (!host_.Question("Restore " + fs::absolute(archivePath).string(), "Restore"))
        return RestoreOutcome::Declined;
    if (!host_.Question("Are all other Tarnwick copies closed down ?", "Restore advisory")) {
        ui_.SetStatusText(0, "Shutdown other Tarnwicks");
        ui_.SetStatusText(1, "on the network before restoring.");
        ui_.RepaintStatus();
        return RestoreOutcome::Declined;
    }

    ui_.SetStatusText(0, "");
    ui_.SetStatusText(1, "");
    ui_.RepaintStatus();
    data::BusyScope busy(host_.TablesBusy(), ui_);
    Work work(*this, host_.SharedTablesUsable());

    // Whatever fails from here on is told, and the rest still runs.
    auto attempt = [&](const std::function<void()>& step) {
        try {
            step();
            return true;
        } catch (const std::exception& e) {
            ui_.ShowMessage(e.what(), kFailedCaption, data::MessageIcon::Stop);
            return false;
        }
    };
    // What a killed restore left would take the room this one needs.
    const std::string leftovers = LeftoversRemovedText(RemoveLeftovers(restoreFolder));
    auto finish = [&](RestoreOutcome outcome, const std::string& panel0) {
        busy.Release();
        Status(panel0, "", leftovers);
        return outcome;
    };

    // A swap an earlier run left decided is finished before this one looks at the tables.
    if (!attempt([&] { FinishPendingSwap(databaseFolder); }))
        return finish(RestoreOutcome::Failed, kFailedCaption);

    Status("Scanning", "backup file", "");
    try {
        CheckBackupArchive(archivePath, options_.freeBytes(restoreFolder));
        work.Expand(archivePath, restoreFolder);
        work.CheckTables(archivePath);
    } catch (const std::exception& e) {
        busy.ReleaseHourglass();
        // The reason under the usual advice: a damaged table or entry is named.
        ui_.ShowMessage(std::string(kBadArchiveText) + "\n\n" + e.what(), kFailedCaption,
                        data::MessageIcon::Stop);
        return finish(RestoreOutcome::Refused, "Invalid backup file");
    }
    Status("Completed backup file scan", "", "");

    if (!attempt([&] { host_.CloseAllTables(); })) {
        attempt([&] { host_.OpenAllTables(); });
        return finish(RestoreOutcome::Failed, kFailedCaption);
    }
    try {
        work.RestoreAll(databaseFolder);
        work.Commit(options_.onSwapStep);
    } catch (const std::exception& e) {
        busy.ReleaseHourglass();
        ui_.ShowMessage(e.what(), kFailedCaption, data::MessageIcon::Stop);
        attempt([&] { host_.OpenAllTables(); });
        return finish(RestoreOutcome::Failed, kFailedCaption);
    }

    attempt([&] { host_.OpenAllTables(); });
    if (!host_.SharedTablesUsable()) {
        attempt([&] {
            host_.CloseAllTables();
            const std::string program = host_.ProgramFolder();
            for (const char* table : {"Charts.dbf", "Tasks.dbf"})
                if (db::TableExists(program, table))
                    db::DeleteTable(program, table);
        });
        attempt([&] { host_.OpenAllTables(); });
    }
    attempt([&] {
        if (!host_.ConvertChartsTable(work.ExpandedFolder()))
            host_.PullChartUpdates(false);
    });
    attempt([&] { host_.ReindexDatabase(); });
    if (host_.TableUpgraded() || work.CrewsUpgraded())
        attempt([&] { host_.RebuildCrewIndex(); });
    attempt([&] { host_.ShowRestoredCalendar(); });
    busy.ReleaseFlag();
    attempt([&] { host_.RefreshAfterRestore(); });
    Status("", "Completed database update", leftovers);
    // Every calendar of the backup is back; more than one for all resources
    // stay as they were backed up, and the user learns which one is used.
    attempt([&] {
        const std::string calendars = FindNoCase(databaseFolder, "calendar.dbf");
        if (calendars.empty())
            return;
        db::Table t;
        t.setFolder(databaseFolder);
        t.setTableName(calendars);
        t.setReadOnly(true);
        t.open();
        int defaults = 0;
        for (t.first(); !t.eof(); t.next())
            defaults += t.fieldByName("CREWID").asFloat() == 0;
        if (defaults > 1) {
            std::string text = std::to_string(defaults)
                               + " calendars for all resources restored: the first one is used";
            if (!leftovers.empty())
                text = leftovers + "; " + text;
            ui_.SetStatusText(2, text);
        }
    });
    attempt([&] {
        const std::string customers = FindNoCase(databaseFolder, "customers.dbf");
        if (customers.empty())
            return;
        db::Table t;
        t.setFolder(databaseFolder);
        t.setTableName(customers);
        t.setReadOnly(true);
        t.open();
        if (t.recordCount() > 0)
            host_.SetCustomersLabel("All customers");
    });
    busy.ReleaseHourglass();
    if (!host_.OldWindows()) {
        ui_.ShowMessage("Please restart Tarnwick normally", "Advisory", data::MessageIcon::Warning);
        attempt([&] { host_.CloseMainWindow(); });
    }
    return RestoreOutcome::Completed;
}

}  // namespace tw::settings
