#include "schedule/sync/resourceoverlap.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/quartergrid.h"

namespace tw::schedule {

namespace {

// The tasks of each resource by start, kept level with the assignment rows
// and the working copy: each check reads only what was written since the one
// before (the tables' write logs), and walks only the resource's tasks that
// start early enough to reach into the span. A check once costed a read of
// every task of the resource.
class OverlapIndex {
public:
    struct Conflict {
        std::uint32_t row = 0;  // the assignment row: the first in the table wins, as a walk finds it
        std::int32_t item = 0;
    };

    // Brings the index level with the two cursors (refreshed by the caller).
    void Update(db::Table& charts, db::Table& rows);

    bool HasRows(std::int32_t resource) const
    {
        const auto it = rowCount_.find(resource);
        return it != rowCount_.end() && it->second > 0;
    }
    // The chain of a stored item; -1 when it is not in the working copy.
    double GroupOf(std::int32_t item) const
    {
        const std::uint32_t record = RecordOf(item);
        return record == 0 ? -1.0 : recordAt_[record].group;
    }
    // The first task of the resource (not a job row, not `self`, not of the
    // chain `ownGroup`) whose quarter-hour span overlaps [s, e) strictly.
    std::optional<Conflict> FirstOverlap(std::int32_t resource, TDateTime s, TDateTime e, std::int32_t self,
                                         double ownGroup) const;

private:
    struct Record {  // a live record of the working copy
        bool live = false;
        bool job = false;
        std::int32_t key = 0;
        TDateTime start = 0, end = 0;  // rounded up to the quarter hour, as the check compares them
        double group = 0;
    };
    struct Row {  // a live assignment row
        bool live = false;
        std::int32_t resource = 0, item = 0;
    };
    struct Placed {
        TDateTime end;
        double group;
        std::int32_t item;
        std::uint32_t row;
    };
    struct Resource {
        std::multimap<TDateTime, Placed> byStart;
        // No placed task is longer: only grows between full reads, which
        // keeps it an upper bound without tracking every length.
        TDateTime longest = -std::numeric_limits<TDateTime>::infinity();
    };

    std::uint32_t RecordOf(std::int32_t item) const
    {
        const auto it = recordsOf_.find(item);
        return it == recordsOf_.end() || it->second.empty() ? 0 : it->second.front();
    }
    void ReadRecord(db::Table& charts, std::uint32_t recno);
    void ReadRow(db::Table& rows, std::uint32_t recno);
    void Unplace(std::int32_t item);
    void Place(std::int32_t item);
    void ReadAll(db::Table& table, bool isCharts);

    const db::Table *charts_ = nullptr, *rows_ = nullptr;
    db::Table::ChangeMark chartsMark_, rowsMark_;
    int key_ = -1, start_ = -1, end_ = -1, group_ = -1, job_ = -1, rowResource_ = -1, rowItem_ = -1;

    std::vector<Record> recordAt_;  // by record number
    std::vector<Row> rowAt_;        // by record number
    // Live records of an item, ascending: a locate finds the first.
    std::unordered_map<std::int32_t, std::vector<std::uint32_t>> recordsOf_;
    std::unordered_map<std::int32_t, std::vector<std::uint32_t>> rowsOf_;  // live rows of an item
    std::unordered_map<std::int32_t, int> rowCount_;                       // live rows of a resource
    std::unordered_map<std::int32_t, Resource> resources_;
    std::unordered_map<std::int32_t, TDateTime> placedAt_;  // the start each placed item was filed under
};

template <typename T>
void EraseOne(std::vector<T>& v, T value)
{
    const auto it = std::find(v.begin(), v.end(), value);
    if (it != v.end())
        v.erase(it);
}

void OverlapIndex::ReadRecord(db::Table& charts, std::uint32_t recno)
{
    if (recordAt_.size() <= recno)
        recordAt_.resize(recno + 1);
    Record& r = recordAt_[recno];
    if (r.live)
        EraseOne(recordsOf_[r.key], recno);
    r.live = false;
    try {
        charts.goTo(recno);
    } catch (const db::DbError&) {
        return;  // deleted since
    }
    r.live = true;
    r.key = charts.field(key_).asInteger();
    r.start = data::RoundUpToQuarterHour(charts.field(start_).asFloat());
    r.end = data::RoundUpToQuarterHour(charts.field(end_).asFloat());
    r.group = charts.field(group_).asFloat();
    r.job = charts.field(job_).asBoolean();
    auto& of = recordsOf_[r.key];
    of.insert(std::upper_bound(of.begin(), of.end(), recno), recno);
}

void OverlapIndex::ReadRow(db::Table& rows, std::uint32_t recno)
{
    if (rowAt_.size() <= recno)
        rowAt_.resize(recno + 1);
    Row& r = rowAt_[recno];
    if (r.live) {
        EraseOne(rowsOf_[r.item], recno);
        --rowCount_[r.resource];
    }
    r.live = false;
    try {
        rows.goTo(recno);
    } catch (const db::DbError&) {
        return;
    }
    r.live = true;
    r.resource = rows.field(rowResource_).asInteger();
    r.item = rows.field(rowItem_).asInteger();
    auto& of = rowsOf_[r.item];
    of.insert(std::upper_bound(of.begin(), of.end(), recno), recno);
    ++rowCount_[r.resource];
}

void OverlapIndex::Unplace(std::int32_t item)
{
    const auto at = placedAt_.find(item);
    if (at == placedAt_.end())
        return;
    const auto rows = rowsOf_.find(item);
    if (rows != rowsOf_.end())
        for (std::uint32_t row : rows->second) {
            auto& byStart = resources_[rowAt_[row].resource].byStart;
            auto [from, to] = byStart.equal_range(at->second);
            for (auto it = from; it != to; ++it)
                if (it->second.item == item && it->second.row == row) {
                    byStart.erase(it);
                    break;
                }
        }
    placedAt_.erase(at);
}

void OverlapIndex::Place(std::int32_t item)
{
    const std::uint32_t record = RecordOf(item);
    const auto rows = rowsOf_.find(item);
    if (record == 0 || rows == rowsOf_.end() || rows->second.empty())
        return;
    const Record& r = recordAt_[record];
    if (r.job)
        return;  // a job row spans its tasks and never stands in their way
    for (std::uint32_t row : rows->second) {
        Resource& resource = resources_[rowAt_[row].resource];
        resource.byStart.emplace(r.start, Placed{r.end, r.group, item, row});
        resource.longest = std::max(resource.longest, r.end - r.start);
    }
    placedAt_[item] = r.start;
}

void OverlapIndex::ReadAll(db::Table& table, bool isCharts)
{
    if (isCharts) {
        recordAt_.assign(1, Record{});
        recordsOf_.clear();
    } else {
        rowAt_.assign(1, Row{});
        rowsOf_.clear();
        rowCount_.clear();
    }
    for (table.first(); !table.eof(); table.next()) {
        if (isCharts)
            ReadRecord(table, table.recNo());
        else
            ReadRow(table, table.recNo());
    }
}

void OverlapIndex::Update(db::Table& charts, db::Table& rows)
{
    key_ = charts.fieldIndex("CHARTSID");
    start_ = charts.fieldIndex("SD");
    end_ = charts.fieldIndex("ED");
    group_ = charts.fieldIndex("DG");
    job_ = charts.fieldIndex("JOB");
    rowResource_ = rows.fieldIndex("CREWID");
    rowItem_ = rows.fieldIndex("CHARTSID");

    std::optional<std::vector<std::uint32_t>> chartsWritten, rowsWritten;
    // A filter hides records that the write logs still name: a filtered
    // cursor is read whole every time.
    if (charts_ == &charts && rows_ == &rows && !charts.filtered() && !rows.filtered()) {
        chartsWritten = charts.writtenSince(chartsMark_);
        rowsWritten = rows.writtenSince(rowsMark_);
    }
    if (!chartsWritten || !rowsWritten) {
        // Read both whole: the index is filed by both.
        charts_ = &charts;
        rows_ = &rows;
        ReadAll(charts, true);
        ReadAll(rows, false);
        resources_.clear();
        placedAt_.clear();
        for (const auto& [item, itemRows] : rowsOf_)
            Place(item);
    } else if (!chartsWritten->empty() || !rowsWritten->empty()) {
        // Every item a written record held before or holds now is filed
        // again: out under what it held, in under what it holds.
        std::vector<std::int32_t> touched;
        for (std::uint32_t recno : *chartsWritten)
            if (recno < recordAt_.size() && recordAt_[recno].live)
                touched.push_back(recordAt_[recno].key);
        for (std::uint32_t recno : *rowsWritten)
            if (recno < rowAt_.size() && rowAt_[recno].live)
                touched.push_back(rowAt_[recno].item);
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        for (std::int32_t item : touched)
            Unplace(item);
        std::sort(chartsWritten->begin(), chartsWritten->end());
        chartsWritten->erase(std::unique(chartsWritten->begin(), chartsWritten->end()), chartsWritten->end());
        for (std::uint32_t recno : *chartsWritten) {
            ReadRecord(charts, recno);
            if (recordAt_[recno].live)
                touched.push_back(recordAt_[recno].key);
        }
        std::sort(rowsWritten->begin(), rowsWritten->end());
        rowsWritten->erase(std::unique(rowsWritten->begin(), rowsWritten->end()), rowsWritten->end());
        for (std::uint32_t recno : *rowsWritten) {
            ReadRow(rows, recno);
            if (rowAt_[recno].live)
                touched.push_back(rowAt_[recno].item);
        }
        std::sort(touched.begin(), touched.end());
        touched.erase(std::unique(touched.begin(), touched.end()), touched.end());
        for (std::int32_t item : touched) {
            Unplace(item);
            Place(item);
        }
    }
    chartsMark_ = charts.changeMark();
    rowsMark_ = rows.changeMark();
}

std::optional<OverlapIndex::Conflict> OverlapIndex::FirstOverlap(std::int32_t resource, TDateTime s, TDateTime e,
                                                                 std::int32_t self, double ownGroup) const
{
    const auto found = resources_.find(resource);
    if (found == resources_.end())
        return std::nullopt;
    const Resource& r = found->second;
    // A minute of slack against the rounding of start + length.
    constexpr TDateTime kSlack = 1.0 / (24 * 60);
    std::optional<Conflict> first;
    for (auto it = r.byStart.lower_bound(e); it != r.byStart.begin();) {
        --it;
        if (it->first + r.longest + kSlack <= s)
            break;  // neither this task nor any that starts earlier reaches s
        const Placed& p = it->second;
        if (p.item == self || (ownGroup > 0 && p.group == ownGroup))
            continue;
        if (it->first >= e || s >= p.end)
            continue;
        if (!first || p.row < first->row)
            first = Conflict{p.row, p.item};
    }
    return first;
}

std::string ResourceName(db::Table& crews, std::int32_t resourceId)
{
    if (crews.active() && crews.locate("CREWID", db::Value(static_cast<double>(resourceId))))
        return crews.fieldByName("DESC").asString();
    return "unknown";
}

// The values of `wanted` in the rows whose `field` equals value, in table
// order. The cursor walks the tag on `field`, so only those rows are read;
// its own index and position are put back.
std::vector<std::int32_t> RowsWhere(db::Table& table, const char* field, std::int32_t value,
                                    const char* wanted)
{
    std::vector<std::int32_t> out;
    const std::string savedIndex = table.indexName();
    table.setIndexName(field);
    table.refresh();
    if (table.locate(field, db::Value(static_cast<double>(value)))) {
        const int f = table.fieldIndex(field);
        const int w = table.fieldIndex(wanted);
        for (; !table.eof() && table.field(f).asInteger() == value; table.next())
            out.push_back(table.field(w).asInteger());
    }
    table.setIndexName(savedIndex);
    return out;
}

}  // namespace

bool ResourcesAreFree(ScheduleTables& t, data::UserInterface& ui, bool quiet, std::int32_t resourceId,
                      TDateTime start, TDateTime end, std::int32_t taskKey)
{
    static OverlapIndex index;
    db::Table& charts = t.ChartsTable7;
    db::Table& rows = t.ICrewsTable3;
    charts.refresh();
    rows.refresh();
    index.Update(charts, rows);
    const TDateTime s = data::RoundUpToQuarterHour(start);
    const TDateTime e = data::RoundUpToQuarterHour(end);

    if (!index.HasRows(resourceId))
        return true;

    // A chain is known by its DG; DGN is only the task's place in it.
    const double ownGroup = index.GroupOf(taskKey);

    std::vector<std::int32_t> resources{resourceId};
    for (std::int32_t crew : RowsWhere(t.ICrewsTable2, "CHARTSID", taskKey, "CREWID"))
        if (crew != resources.back())
            resources.push_back(crew);

    for (std::int32_t resource : resources) {
        const auto conflict = index.FirstOverlap(resource, s, e, taskKey, ownGroup);
        if (!conflict)
            continue;
        if (!quiet) {
            charts.locate("CHARTSID", db::Value(static_cast<double>(conflict->item)));
            ui.ShowMessage("Task dates overlap customer " + charts.fieldByName("CUSTNAME").asString()
                               + "\nTask:  " + charts.fieldByName("DESC").asString()
                               + "\nResource:  " + ResourceName(t.CrewsTable2, resource),
                           "Choose a different resource or time", data::MessageIcon::Stop);
        }
        return false;
    }
    return true;
}

}  // namespace tw::schedule
