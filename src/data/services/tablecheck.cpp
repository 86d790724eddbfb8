// The structure check of a live table against its reference twin, the upgrade
// into the twin's layout, and the rebuild of assignment rows after crews.dbf
// was upgraded.
//
// An upgrade never loses a record: the records are carried over into the twin
// first, and the twin replaces the live table's files only when every one of
// them made it (the engine's copy renames the new files into place, so the old
// files stay until the new ones are complete). A table that exists but cannot
// be read is reported, never replaced; only a missing table gets the empty twin.

#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "data/nametexts.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/services/tablecreation.h"
#include "data/services/tableoperations.h"
#include "platform/db/tableops.h"

namespace tw::data {

namespace {

std::string UpperCase(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string FolderOf(const db::Table& table)
{
    return table.folder().empty() ? db::ResolveDatabase(table.databaseName()) : table.folder();
}

bool HasFieldLike(const std::vector<db::FieldDef>& fields, const db::FieldDef& wanted)
{
    for (const db::FieldDef& f : fields)
        if (f.name == wanted.name && f.type == wanted.type)
            return true;
    return false;
}

bool SameLayout(const db::Table& live, const db::Table& reference)
{
    const auto& a = live.fieldDefs();
    const auto& b = reference.fieldDefs();
    for (const db::FieldDef& f : a)
        if (!HasFieldLike(b, f))
            return false;
    for (const db::FieldDef& f : b)
        if (!HasFieldLike(a, f))
            return false;
    return live.indexDefs().size() == reference.indexDefs().size();
}

// Fields the live table does not fill start empty, false or 0.
void PresetByType(db::Table& reference, const std::vector<bool>& carried)
{
    for (int i = 0; i < reference.fieldCount(); ++i) {
        if (carried[static_cast<size_t>(i)])
            continue;
        db::Field f = reference.field(i);
        switch (f.type()) {
        case db::FieldType::Logical: f.setAsBoolean(false); break;
        case db::FieldType::Date:
        case db::FieldType::Char: f.clear(); break;
        case db::FieldType::Smallint:
        case db::FieldType::Float: f.setAsFloat(0); break;
        case db::FieldType::Memo:
        case db::FieldType::Binary: break;
        }
    }
}

void CopyByLiveType(db::Field from, db::Field to)
{
    switch (from.type()) {
    case db::FieldType::Char: to.setAsString(from.asString()); break;
    case db::FieldType::Smallint: to.setAsInteger(from.asInteger()); break;
    case db::FieldType::Date: {
        const double day = from.asDateTime();
        if (std::trunc(day) == 0)
            to.clear();
        else
            to.setAsDateTime(day);
        break;
    }
    case db::FieldType::Logical: to.setAsBoolean(from.asBoolean()); break;
    case db::FieldType::Float: to.setAsFloat(from.asFloat()); break;
    case db::FieldType::Memo:
    case db::FieldType::Binary:
        if (to.type() == db::FieldType::Memo || to.type() == db::FieldType::Binary)
            to.setAsBytes(from.asBytes());
        else
            to.setAsString(from.asString());
        break;
    }
}

// Reads a component in natural order and unfiltered for a while; its own
// index and filter come back afterwards.
class NaturalOrder {
public:
    explicit NaturalOrder(db::Table& t) : t_(t), index_(t.indexName()), filtered_(t.filtered())
    {
        t_.setIndexName("");
        t_.setFiltered(false);
    }
    ~NaturalOrder()
    {
        try {
            t_.setFiltered(filtered_);
            t_.setIndexName(index_);
        } catch (...) {
        }
    }
    NaturalOrder(const NaturalOrder&) = delete;
    NaturalOrder& operator=(const NaturalOrder&) = delete;

private:
    db::Table& t_;
    std::string index_;
    bool filtered_;
};

}  // namespace

bool TableOperations::CheckTableStructure(db::Table& table, db::Table& reference, const std::string& folder)
{
    const std::string programFolder = FolderOf(reference);
    CreateMissingReferenceTable(programFolder, reference.tableName());

    bool missing = false;
    bool opened = true;
    try {
        table.open();
    } catch (const db::DbError&) {
        opened = false;
        missing = !db::TableExists(folder, table.tableName());
        // A table of an older release may lack the index this component
        // uses: that is an outdated table, not a damaged one.
        if (!missing) {
            NaturalOrder natural(table);
            table.open();
            table.close();
        }
    }
    if (opened) {
        bool same = false;
        try {
            reference.open();
            same = SameLayout(table, reference);
        } catch (const db::DbError&) {
        }
        CloseTable(reference, false);
        if (same)
            return true;
    }
    return UpgradeTable(table, reference, folder);
}

bool TableOperations::UpgradeTable(db::Table& table, db::Table& reference, const std::string& folder)
{
    const std::string name = table.tableName();
    ui_.SetStatusText(0, "Updating file:");
    ui_.SetStatusText(1, name);
    ui_.RepaintStatus();

    if (IsNetworkPath(folder)) {
        if (!state_.TableMessageShown) {
            ui_.ShowMessage("Update server Tarnwick before running this local copy",
                            "Your server " + name + " requires an update", MessageIcon::Stop);
            state_.TableMessageShown = true;
        }
        state_.SharedTablesUsable = false;
        if (PageControlView* pages = data_.Views().Pages)
            pages->TerminateApplication();
        CloseTable(table, false);
        return false;
    }

    // "Errors here go to the caller": the hourglass goes back with them.
    BusyScope hourglass(ui_);
    const std::string programFolder = FolderOf(reference);
    const bool missing = !db::TableExists(folder, name);
    {
        NaturalOrder natural(table);
        CloseTable(table, false);
        CloseTable(reference, false);

        // The twin keeps the records of its last upgrade; start it empty (a
        // twin that is empty already, as a new one is, is not made again).
        // Errors here go to the caller, which reports the table.
        reference.open();
        if (reference.recordCount() != 0) {
            const std::vector<db::FieldDef> fields = reference.fieldDefs();
            const std::vector<db::IndexDef> indexes = reference.indexDefs();
            reference.close();
            db::CreateTable(programFolder, reference.tableName(), fields, indexes, true);
            reference.open();
        }

        bool carried = true;
        if (!missing) {
            try {
                table.open();
                table.first();
                CarryOverRecords(table, reference);
            } catch (const std::exception&) {
                carried = false;
            }
            CloseTable(table, false);
        }

        if (!carried) {
            ReportDamagedDatabase();
        } else {
            bool done = false;
            for (int attempt = 0; attempt < 2 && !done; ++attempt) {
                try {
                    CloseTable(table, false);
                    db::CopyTable(programFolder, reference.tableName(), folder, name);
                    table.open();
                    FixUpAfterUpgrade(table);
                    if (missing)
                        AddSettingsRecordWhenEmpty(table);
                    done = true;
                } catch (const std::exception&) {
                }
            }
            if (!done)
                ReportDamagedDatabase();
        }
        CloseTable(reference, false);
        CloseTable(table, false);
    }
    try {
        table.open();
        table.first();
    } catch (const std::exception&) {
    }
    ui_.SetStatusText(0, "");
    ui_.SetStatusText(1, "");
    hourglass.Release();
    return true;
}

void TableOperations::CarryOverRecords(db::Table& live, db::Table& reference)
{
    const std::int64_t expected = live.recordCount();
    std::int64_t carried = 0;
    const std::vector<db::FieldDef> liveFields = live.fieldDefs();
    std::vector<int> targets;
    std::vector<bool> filled(static_cast<size_t>(reference.fieldCount()), false);
    for (const db::FieldDef& f : liveFields) {
        targets.push_back(reference.fieldIndex(f.name));
        if (targets.back() >= 0)
            filled[static_cast<size_t>(targets.back())] = true;
    }
    {
        // One flush for the whole table rather than one per record: the twin
        // replaces the live table only once every record is in it, so the
        // records need not reach the disk one by one.
        db::WriteBatch batch;
        for (live.first(); !live.eof(); live.next()) {
            reference.append();
            PresetByType(reference, filled);
            for (size_t i = 0; i < liveFields.size(); ++i) {
                if (targets[i] >= 0)
                    CopyByLiveType(live.field(static_cast<int>(i)), reference.field(targets[i]));
            }
            reference.post();
            ++carried;
        }
        batch.commit();
    }
    reference.refresh();
    if (carried != expected || reference.recordCount() != expected)
        throw std::runtime_error("Not every record of " + live.tableName() + " was carried over");
}

void TableOperations::FixUpAfterUpgrade(db::Table& live)
{
    const std::string name = UpperCase(live.tableName());
    if (name == "CREWS.DBF") {
        state_.RebuildAssignments = true;
    } else if (name == "CUSTOMERS.DBF") {
        std::string first, last;
        db::WriteBatch batch;
        for (live.first(); !live.eof(); live.next()) {
            SplitPersonName(live.fieldByName("NAME").asString(), first, last);
            live.edit();
            live.fieldByName("FIRST").setAsString(first);
            live.fieldByName("LAST").setAsString(last);
            live.post();
        }
        batch.commit();
    }
}

void TableOperations::ReportDamagedDatabase()
{
    if (!state_.TableMessageShown) {
        ui_.ShowMessage(
            "Your database may be damaged- use Smart restore to load a backup file or switch to a "
            "different database",
            "Tarnwick", MessageIcon::Stop);
        state_.TableMessageShown = true;
    }
    state_.SharedTablesUsable = false;
}

void TableOperations::RebuildCrewIndex()
{
    db::Table& crews = data_.CrewsTable2;
    db::Table& charts = data_.ChartsTable5;
    db::Table& assignments = data_.ICrewsTable2;

    // The rows there are, read once rather than searched for every record.
    std::set<std::pair<double, double>> assigned;
    for (assignments.first(); !assignments.eof(); assignments.next())
        assigned.emplace(assignments.fieldByName("CREWID").asInteger(),
                         assignments.fieldByName("CHARTSID").asInteger());
    std::map<double, std::string> crewNames;
    for (crews.first(); !crews.eof(); crews.next())
        crewNames[crews.fieldByName("CREWID").asInteger()] = crews.fieldByName("DESC").asString();

    // The resource names and the missing rows in one write over both tables:
    // all of it reaches the files or none.
    db::WriteBatch batch;
    using Item = ScheduleItemRecord;
    db::Field isJob = ScheduleItemField(charts, &Item::JOB),
              itemCrew = ScheduleItemField(charts, &Item::CREWID),
              itemCrewName = ScheduleItemField(charts, &Item::TDESC),
              itemKey = ScheduleItemField(charts, &Item::CHARTSID),
              itemJob = ScheduleItemField(charts, &Item::JID);
    for (charts.first(); !charts.eof(); charts.next()) {
        if (isJob.asBoolean())
            continue;
        const double crewId = itemCrew.asInteger();
        const auto crew = crewNames.find(crewId);
        if (crew == crewNames.end())
            continue;
        if (itemCrewName.asString() != crew->second) {
            charts.edit();
            itemCrewName.setAsString(crew->second);
            charts.post();
        }
        const double chartsId = itemKey.asInteger();
        if (!assigned.emplace(crewId, chartsId).second)
            continue;
        const double jobId = itemJob.asFloat();
        const std::int32_t key = UniqueKeyValue(state_.Keys, data_.ICrewsTable3, "ICREWID");
        assignments.append();
        assignments.fieldByName("JOB").setAsBoolean(false);
        assignments.fieldByName("ICREWID").setAsInteger(key);
        assignments.fieldByName("CHARTSID").setAsFloat(chartsId);
        assignments.fieldByName("CREWID").setAsFloat(crewId);
        assignments.fieldByName("JID").setAsFloat(jobId);
        assignments.post();
    }
    batch.commit();
    for (db::Table* t : {&charts, &data_.ChartsTable, &assignments, &data_.ICrewsTable})
        if (t->active())
            t->refresh();
    state_.RebuildAssignments = false;
}

}  // namespace tw::data
