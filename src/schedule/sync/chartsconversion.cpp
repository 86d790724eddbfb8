#include "schedule/sync/chartsconversion.h"
#include "data/records/scheduleitemrecord.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "data/layouts/layouts.h"
#include "data/services/busyscopes.h"
#include "data/updatecount.h"
#include <cctype>
#include <cmath>

namespace tw::schedule {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

namespace fs = std::filesystem;

bool SameFolder(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The files of the folder named so, whatever their letter case.
std::vector<fs::path> FilesNamed(const std::string& folder, const std::string& name)
{
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec) && EqualNoCase(entry.path().filename().string(), name))
            found.push_back(entry.path());
    return found;
}

void WriteConverted(db::Table& old, db::Table& working, double update)
{
    auto whole = [&](const char* name) {
        working.fieldByName(name).setAsInteger(old.fieldByName(name).asInteger());
    };
    auto real = [&](const char* name) {
        working.fieldByName(name).setAsFloat(old.fieldByName(name).asFloat());
    };
    for (auto n : {"CHARTSID", "TID", "JID", "CID", "PID", "CREWID", "CHILD", "BIDID", "ORDER"})
        whole(n);
    for (auto n : {"OFFSET", "SD", "ED", "OSD", "OED", "HOURS", "OHOURS"})
        real(n);
    for (auto n : {"COST", "TCOST"})
        working.fieldByName(n).setAsFloat(std::nearbyint(old.fieldByName(n).asFloat() * 10000.0) / 10000.0);
    for (auto n : {"SDD", "EDD"})
        working.fieldByName(n).setAsDate(old.fieldByName(n).asDate());
    for (auto n : {"PARENT", "SHOWIT", "USED", "JOB"})
        working.fieldByName(n).setAsBoolean(old.fieldByName(n).asBoolean());
    for (auto n : {"DESC", "CUSTNAME", "JOBNAME"})
        working.fieldByName(n).setAsString(old.fieldByName(n).asString());
    for (auto n : {"PIN", "DGN", "PTR", "LINK", "CHAIN", "RESOURCE", "RPERIOD", "REPEAT", "CREPEATH"})
        working.fieldByName(n).setAsInteger(0);
    ScheduleItemField(working, &ScheduleItemRecord::DG).setAsFloat(0.0);
    ScheduleItemField(working, &ScheduleItemRecord::RCOUNT).setAsInteger(1);
    ScheduleItemField(working, &ScheduleItemRecord::NEW).setAsBoolean(false);
    ScheduleItemField(working, &ScheduleItemRecord::ROOT).setAsBoolean(false);
    ScheduleItemField(working, &ScheduleItemRecord::LISTID).setAsString("");
    ScheduleItemField(working, &ScheduleItemRecord::JLID).setAsString("");
    ScheduleItemField(working, &ScheduleItemRecord::NOTES).clear();
    ScheduleItemField(working, &ScheduleItemRecord::UPDATE).setAsFloat(update);
}

}  // namespace

bool HasOldChartsLayout(const std::vector<db::FieldDef>& fields)
{
    // A number field reads as Smallint or Float by its width alone; older
    // releases may have written ORDER wider than we do.
    auto kind = [](db::FieldType t) { return t == db::FieldType::Smallint ? db::FieldType::Float : t; };
    const data::TableLayout* old = data::FindLayout(data::Database::Scheduler, "Charts.DBF");
    if (!old || fields.size() != old->fields.size())
        return false;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name != old->fields[i].name || kind(fields[i].type) != kind(old->fields[i].type))
            return false;
    return true;
}

bool ConvertChartsTable(ScheduleTables& t, data::MainScreenState& state, data::UserInterface& ui,
                        ScheduleSync& sync, const std::string& alias, const std::string& folder)
{
    // Names match without regard to case, so in the program folder
    // "charts.dbf" is the working copy itself.
    const std::string workingFolder =
        t.ChartsTable5.active() ? fs::path(t.ChartsTable5.path()).parent_path().string() : std::string();
    if (FilesNamed(folder, "charts.dbf").empty() || SameFolder(folder, state.ProgramFolder)
        || SameFolder(folder, workingFolder))
        return false;

    db::Table& old = t.OChartsTable;
    db::Table& working = t.ChartsTable5;
    std::set<std::int32_t> converted;
    try {
        old.close();
        old.setDatabaseName(alias);
        old.setFolder(folder);
        old.setTableName("charts.dbf");
        old.setReadOnly(true);
        old.open();
        if (!HasOldChartsLayout(old.fieldDefs())) {
            old.close();
            return false;
        }
        {
            data::BusyScope busy(state);
            const double update = data::NextUpdateCount(state.UpdateCounter);
            working.refresh();
            for (old.first(); !old.eof(); old.next()) {
                const std::int32_t key = old.fieldByName("CHARTSID").asInteger();
                if (working.locate("CHARTSID", db::Value(static_cast<double>(key))))
                    working.edit();
                else
                    working.append();
                WriteConverted(old, working, update);
                working.post();
                converted.insert(key);
            }
        }
        for (db::Table* view : {&working, &t.ChartsTable, &t.ChartsTable2, &t.ChartsTable3})
            if (view->active())
                view->refresh();
        for (db::Table* view : t.FurtherChartViews)
            if (view->active())
                view->refresh();
        old.close();
    } catch (const std::exception& e) {
        if (working.state() != db::Table::State::Browse && working.state() != db::Table::State::Inactive)
            working.cancel();
        old.close();
        ui.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
        return false;
    }

    // Deleting the old files is only safe once every converted record is
    // shared; otherwise the next start converts them again.
    if (!sync.PushChartRecords(converted))
        return true;
    std::error_code ec;
    for (const char* name : {"charts.dbf", "charts.mdx", "charts.dbt"})
        for (const fs::path& file : FilesNamed(folder, name))
            fs::remove(file, ec);
    for (const fs::path& file : FilesNamed(folder, "charts.twi"))
        fs::remove(file, ec);
    return true;
}

}  // namespace tw::schedule
