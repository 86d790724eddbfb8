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

// The tasks of each resource that a check asked about, filed by start and
// kept level with the assignment rows and the working copy: each check reads
// only the records written since the check before (the tables' write logs)
// and walks only the tasks that start early enough to reach into the span.
// A resource is filed at its first check, by one walk of its assignment rows
// (what every check used to cost); when a log cannot tell what changed
// (another program wrote, a table was reopened), everything is filed again.
class OverlapIndex {
public:
    struct Conflict {
        std::uint32_t row = 0;  // the first assignment row in the table wins, as a walk meets it
        std::int32_t item = 0;
    };

    // Brings the filed resources level with the two cursors (refreshed by
    // the caller).
    void Update(db::Table& charts, db::Table& rows);
    // After a failure half way.
    void Reset()
    {
        Forget();
        charts_ = rows_ = nullptr;
    }
    // Files the resource's tasks unless they are filed already.
    void File(db::Table& charts, db::Table& rows, std::int32_t resource);
    bool HasRows(std::int32_t resource) const
    {
        const auto it = resources_.find(resource);
        return it != resources_.end() && it->second.rows > 0;
    }
    // The first task of a filed resource (not a job row, not `self`, not of
    // the chain `ownGroup`) whose quarter-hour span overlaps [s, e) strictly.
    std::optional<Conflict> FirstOverlap(std::int32_t resource, TDateTime s, TDateTime e, std::int32_t self,
                                         double ownGroup) const;

private:
    struct Entry {
        TDateTime end;
        double group;
        std::int32_t item;
        std::uint32_t row;
    };
    struct Resource {
        std::multimap<TDateTime, Entry> byStart;
        // No filed task is longer: it only grows until everything is filed
        // again, which keeps it an upper bound without tracking each length.
        TDateTime longest = -std::numeric_limits<TDateTime>::infinity();
        int rows = 0;
    };
    struct Row {
        std::int32_t resource, item;
    };
    // An item's record in the working copy as the check finds it (a locate
    // on the check's own cursor), with its times rounded up to the quarter
    // hour as the check compares them.
    struct Placement {
        std::uint32_t record;
        TDateTime start, end;
        double group;
        bool job;  // a job row spans its tasks and never stands in their way
    };

    void Forget();
    void Track(db::Table& charts, std::uint32_t row, std::int32_t resource, std::int32_t item);
    void Untrack(std::uint32_t row);
    void Place(db::Table& charts, std::int32_t item);
    void Unplace(std::int32_t item);
    void AddEntry(std::uint32_t row, const Row& r);
    void RemoveEntry(std::uint32_t row, const Row& r);

    const db::Table *charts_ = nullptr, *rows_ = nullptr;
    db::Table::ChangeMark chartsMark_, rowsMark_;
    std::string chartsIndex_;
    int key_ = -1, start_ = -1, end_ = -1, group_ = -1, job_ = -1, rowResource_ = -1, rowItem_ = -1;

    std::unordered_map<std::int32_t, Resource> resources_;                 // the filed resources
    std::unordered_map<std::uint32_t, Row> rowAt_;                         // their assignment rows
    std::unordered_map<std::int32_t, std::vector<std::uint32_t>> rowsOf_;  // an item's rows among them
    std::unordered_map<std::int32_t, Placement> placed_;                   // by item
    std::unordered_map<std::uint32_t, std::int32_t> itemAt_;               // placed records' items
};

void OverlapIndex::Forget()
{
    resources_.clear();
    rowAt_.clear();
    rowsOf_.clear();
    placed_.clear();
    itemAt_.clear();
}

void OverlapIndex::AddEntry(std::uint32_t row, const Row& r)
{
    const auto p = placed_.find(r.item);
    if (p == placed_.end() || p->second.job)
        return;
    Resource& resource = resources_[r.resource];
    resource.byStart.emplace(p->second.start, Entry{p->second.end, p->second.group, r.item, row});
    resource.longest = std::max(resource.longest, p->second.end - p->second.start);
}

void OverlapIndex::RemoveEntry(std::uint32_t row, const Row& r)
{
    const auto p = placed_.find(r.item);
    if (p == placed_.end() || p->second.job)
        return;
    auto& byStart = resources_[r.resource].byStart;
    auto [from, to] = byStart.equal_range(p->second.start);
    for (auto it = from; it != to; ++it)
        if (it->second.item == r.item && it->second.row == row) {
            byStart.erase(it);
            return;
        }
}

void OverlapIndex::Place(db::Table& charts, std::int32_t item)
{
    Unplace(item);
    const auto rows = rowsOf_.find(item);
    if (rows == rowsOf_.end() || !charts.locate("CHARTSID", db::Value(static_cast<double>(item))))
        return;
    const Placement p{charts.recNo(), data::RoundUpToQuarterHour(charts.field(start_).asFloat()),
                      data::RoundUpToQuarterHour(charts.field(end_).asFloat()), charts.field(group_).asFloat(),
                      charts.field(job_).asBoolean()};
    placed_.emplace(item, p);
    itemAt_[p.record] = item;
    for (std::uint32_t row : rows->second)
        AddEntry(row, rowAt_.at(row));
}

void OverlapIndex::Unplace(std::int32_t item)
{
    const auto p = placed_.find(item);
    if (p == placed_.end())
        return;
    const auto rows = rowsOf_.find(item);
    if (rows != rowsOf_.end())
        for (std::uint32_t row : rows->second)
            RemoveEntry(row, rowAt_.at(row));
    itemAt_.erase(p->second.record);
    placed_.erase(p);
}

void OverlapIndex::Track(db::Table& charts, std::uint32_t row, std::int32_t resource, std::int32_t item)
{
    const Row r{resource, item};
    rowAt_[row] = r;
    auto& of = rowsOf_[item];
    of.insert(std::upper_bound(of.begin(), of.end(), row), row);
    ++resources_[resource].rows;
    if (placed_.count(item))
        AddEntry(row, r);
    else
        Place(charts, item);
}

void OverlapIndex::Untrack(std::uint32_t row)
{
    const auto at = rowAt_.find(row);
    if (at == rowAt_.end())
        return;
    const Row r = at->second;
    RemoveEntry(row, r);
    --resources_[r.resource].rows;
    rowAt_.erase(at);
    auto& of = rowsOf_[r.item];
    of.erase(std::find(of.begin(), of.end(), row));
    if (of.empty()) {
        Unplace(r.item);
        rowsOf_.erase(r.item);
    }
}

void OverlapIndex::File(db::Table& charts, db::Table& rows, std::int32_t resource)
{
    if (resources_.count(resource))
        return;
    resources_[resource];
    // The rows of the resource only: the cursor walks its tag on CREWID.
    const std::string savedIndex = rows.indexName();
    rows.setIndexName("CREWID");
    if (rows.locate("CREWID", db::Value(static_cast<double>(resource))))
        for (; !rows.eof() && rows.field(rowResource_).asInteger() == resource; rows.next())
            Track(charts, rows.recNo(), resource, rows.field(rowItem_).asInteger());
    rows.setIndexName(savedIndex);
}

// Moves to a record that a log named; false when it was deleted since.
bool GoTo(db::Table& table, std::uint32_t recno)
{
    try {
        table.goTo(recno);
        return true;
    } catch (const db::DbError& e) {
        if (e.code() != db::ErrorCode::NoCurrentRecord)
            throw;
        return false;
    }
}

template <typename T>
void SortUnique(std::vector<T>& v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
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

    // A filter may hide what the logs name, and the cursor's index decides
    // which of two records of one item a locate finds: a filtered cursor, or
    // another index, files everything again.
    std::optional<std::vector<std::uint32_t>> chartsWritten, rowsWritten;
    if (charts_ == &charts && rows_ == &rows && chartsIndex_ == charts.indexName() && !charts.filtered()
        && !rows.filtered()) {
        chartsWritten = charts.writtenSince(chartsMark_);
        rowsWritten = rows.writtenSince(rowsMark_);
    }
    if (!chartsWritten || !rowsWritten) {
        Forget();
        charts_ = &charts;
        rows_ = &rows;
        chartsIndex_ = charts.indexName();
    } else {
        // A written row leaves the resource it was filed under and joins the
        // one it names now, if that one is filed.
        SortUnique(*rowsWritten);
        for (std::uint32_t row : *rowsWritten) {
            Untrack(row);
            if (!GoTo(rows, row))
                continue;  // deleted since
            const std::int32_t resource = rows.field(rowResource_).asInteger();
            if (resources_.count(resource))
                Track(charts, row, resource, rows.field(rowItem_).asInteger());
        }
        // A written record moves the item it held and the item it holds.
        SortUnique(*chartsWritten);
        std::vector<std::int32_t> items;
        for (std::uint32_t record : *chartsWritten) {
            if (const auto was = itemAt_.find(record); was != itemAt_.end())
                items.push_back(was->second);
            if (!GoTo(charts, record))
                continue;
            const std::int32_t item = charts.field(key_).asInteger();
            if (rowsOf_.count(item))
                items.push_back(item);
        }
        SortUnique(items);
        for (std::int32_t item : items)
            Place(charts, item);
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
        const Entry& entry = it->second;
        if (entry.item == self || (ownGroup > 0 && entry.group == ownGroup))
            continue;
        if (it->first >= e || s >= entry.end)
            continue;
        if (!first || entry.row < first->row)
            first = Conflict{entry.row, entry.item};
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
    const TDateTime s = data::RoundUpToQuarterHour(start);
    const TDateTime e = data::RoundUpToQuarterHour(end);

    std::vector<std::int32_t> resources{resourceId};
    double ownGroup = -1.0;
    try {
        index.Update(charts, rows);
        index.File(charts, rows, resourceId);
        if (!index.HasRows(resourceId))
            return true;

        // A chain is known by its DG; DGN is only the task's place in it.
        if (charts.locate("CHARTSID", db::Value(static_cast<double>(taskKey))))
            ownGroup = charts.fieldByName("DG").asFloat();

        for (std::int32_t crew : RowsWhere(t.ICrewsTable2, "CHARTSID", taskKey, "CREWID"))
            if (crew != resources.back()) {
                resources.push_back(crew);
                index.File(charts, rows, crew);
            }
    } catch (...) {
        index.Reset();  // half filed: the next check files everything again
        throw;
    }

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
