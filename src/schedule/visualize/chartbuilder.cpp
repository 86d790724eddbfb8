#include "schedule/visualize/chartbuilder.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_set>

#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "data/updatecount.h"
#include "platform/db/tableops.h"
#include "data/records/scheduleitemrecord.h"
#include "schedule/visualize/pagesupport.h"
#include "schedule/visualize/sortorder.h"

namespace tw::visualize {

namespace {

using data::ScheduleItemField;
using Item = data::ScheduleItemRecord;

// The working-copy cursors in the order in which the sort closes them, and the
// order in which it opens them again.
std::vector<db::Table*> CursorsToClose(ChartTables& t)
{
    return {&t.ChartsTable,  &t.ChartsTable2, &t.ChartsTable3, &t.ChartsTable5, &t.ChartsTable6,
            &t.ChartsTable7, &t.ChartsTable8, &t.ChartsTable9, &t.ChartsTable4};
}

std::vector<db::Table*> CursorsToOpen(ChartTables& t)
{
    return {&t.ChartsTable4, &t.ChartsTable5, &t.ChartsTable6, &t.ChartsTable7, &t.ChartsTable8,
            &t.ChartsTable9, &t.ChartsTable3, &t.ChartsTable2, &t.ChartsTable};
}

void RefreshIfOpen(db::Table& table)
{
    if (table.active())
        table.refresh();
}

QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// Currency keeps four decimals: amounts are counted in ten-thousandths.
std::int64_t ToCurrency(double value)
{
    return static_cast<std::int64_t>(std::llround(value * 10000.0));
}

// Numbers are stored with 8 decimals: a value that differs by less was not changed.
bool SameStoredNumber(double stored, double value)
{
    return std::abs(stored - value) < 5e-9;
}

struct JobTotals {
    bool HasTask = false;
    float Hours = 0;
    std::int64_t Cost = 0;
    double LastRate = 0;
    TDateTime Earliest = 0;
    TDateTime Latest = 0;
    std::uint32_t SummaryRecNo = 0;
    std::int32_t SummaryKey = 0;
    // The summary row as stored: most builds find it current and leave it.
    TDateTime StoredStart = 0;
    TDateTime StoredEnd = 0;
    double StoredStartDate = 0;
    double StoredEndDate = 0;
    double StoredHours = 0;
    double StoredCost = 0;

    bool SummaryCurrent(double cost) const
    {
        return SameStoredNumber(StoredStart, Earliest) && SameStoredNumber(StoredEnd, Latest)
            && StoredStartDate == DatePart(Earliest) && StoredEndDate == DatePart(Latest)
            && SameStoredNumber(StoredHours, Hours) && SameStoredNumber(StoredCost, cost);
    }
    // The job's records in table order: the key, and whether it is the summary row.
    std::vector<std::pair<std::int32_t, bool>> Records;
};

// The assignment rows of ICrews.DBF, indexed by schedule item and by
// resource, job and kind, and kept current as rows are added and deleted.
class AssignmentIndex {
public:
    explicit AssignmentIndex(db::Table& table) : table_(table)
    {
        if (!table_.active())
            return;
        db::Field item = table_.fieldByName("CHARTSID"), crew = table_.fieldByName("CREWID"),
                  job = table_.fieldByName("JID"), kind = table_.fieldByName("JOB");
        for (table_.first(); !table_.eof(); table_.next())
            Add(table_.recNo(), static_cast<std::int32_t>(item.asFloat()),
                static_cast<std::int32_t>(crew.asFloat()), static_cast<std::int32_t>(job.asFloat()),
                kind.asBoolean());
    }

    struct Row {
        std::uint32_t RecNo;
        std::int32_t CrewId;
        std::int32_t JobId;
        bool Job;
        bool Deleted = false;
    };

    // Rows of the item in table order (the caller skips deleted ones).
    std::vector<Row>* RowsOf(std::int32_t chartsId)
    {
        auto it = byItem_.find(chartsId);
        return it == byItem_.end() ? nullptr : &it->second;
    }
    bool Has(std::int32_t crewId, std::int32_t jobId, bool job) const
    {
        auto it = kinds_.find({crewId, jobId, job});
        return it != kinds_.end() && it->second > 0;
    }
    void Append(data::RecordKeys& keys, db::Table& keySource, std::int32_t chartsId, std::int32_t crewId,
                std::int32_t jobId)
    {
        const std::int32_t key = data::UniqueKeyValue(keys, keySource, "ICREWID");
        table_.append();
        table_.fieldByName("ICREWID").setAsFloat(key);
        table_.fieldByName("CHARTSID").setAsFloat(chartsId);
        table_.fieldByName("CREWID").setAsFloat(crewId);
        table_.fieldByName("JID").setAsFloat(jobId);
        table_.fieldByName("JOB").setAsBoolean(true);
        table_.post();
        Add(table_.recNo(), chartsId, crewId, jobId, true);
    }
    void Delete(Row& row)
    {
        table_.goTo(row.RecNo);
        table_.deleteRecord();
        row.Deleted = true;
        --kinds_[{row.CrewId, row.JobId, row.Job}];
    }

private:
    void Add(std::uint32_t recNo, std::int32_t chartsId, std::int32_t crewId, std::int32_t jobId, bool job)
    {
        byItem_[chartsId].push_back({recNo, crewId, jobId, job});
        ++kinds_[{crewId, jobId, job}];
    }

    db::Table& table_;
    std::unordered_map<std::int32_t, std::vector<Row>> byItem_;
    std::map<std::tuple<std::int32_t, std::int32_t, bool>, int> kinds_;
};

}  // namespace

TColor ChartBuilder::RowColour(int dgn, int sortChoice)
{
    if (sortChoice == kSortByDependentGroup) {
        if (dgn == 1)
            return kGroupFirstColour;
        if (dgn >= 2)
            return kGroupDependentColour;
        return kPlainRowColour;
    }
    return dgn == 0 ? kPlainRowColour : kGroupedRowColour;
}

std::vector<int> ChartBuilder::SortFields(int sortChoice)
{
    // TDESC 23, DESC 5, CUSTNAME 24, JOBNAME 25, SD 3, HOURS 2, DG 34, DGN 35.
    switch (sortChoice) {
    case 0: return {23, 5, 24, 25};
    case 1: return {5, 3, 24, 25};
    case 2: return {3, 2, 24, 25};
    case 3: return {2, 3, 24, 25};
    case 4: return {24, 3, 2, 25};
    case 5: return {24, 25, 3, 2};
    case 6: return {34, 35, 24, 3};
    default: return {};
    }
}

struct ChartBuilder::WorkFields {
    explicit WorkFields(db::Table& t)
        : Table(t),
          DGN(ScheduleItemField(t, &Item::DGN)),
          CHAIN(ScheduleItemField(t, &Item::CHAIN)),
          CHARTSID(ScheduleItemField(t, &Item::CHARTSID)),
          PTR(ScheduleItemField(t, &Item::PTR)),
          RESOURCE(ScheduleItemField(t, &Item::RESOURCE)),
          OFFSET(ScheduleItemField(t, &Item::OFFSET)),
          JOB(ScheduleItemField(t, &Item::JOB)),
          DESC(ScheduleItemField(t, &Item::DESC)),
          JID(ScheduleItemField(t, &Item::JID)),
          CREWID(ScheduleItemField(t, &Item::CREWID))
    {}
    db::Table& Table;
    db::Field DGN, CHAIN, CHARTSID, PTR, RESOURCE, OFFSET, JOB, DESC, JID, CREWID;
};

void ChartBuilder::BuildChart(bool writeBack)
{
    data::BusyScope busy(ctx_.UI);
    ctx_.RAC.BeginUpdate();
    if (writeBack)
        SaveAndClearAllocations(true);
    if (ctx_.Controls.ShowJobsOnly == 0)
        UpdateJobSummaries();
    SortWorkTables();

    db::Table& t = ctx_.Tables.ChartsTable3;
    if (t.active() && !t.isEmpty()) {
        // Every record whose bar or row is new takes its PTR and RESOURCE:
        // one write for the whole build, not a flush to disk per record (the
        // first build after "Show all" writes nearly every record).
        KeepSyncLevels([&] {
            db::WriteBatch batch;
            db::Field showIt = ScheduleItemField(t, &Item::SHOWIT), job = ScheduleItemField(t, &Item::JOB),
                      sd = ScheduleItemField(t, &Item::SD), ed = ScheduleItemField(t, &Item::ED);
            const int display = ctx_.Controls.ShowJobsOnly;
            const WorkFields fields(t);
            for (t.first(); !t.eof(); t.next()) {
                if (!showIt.asBoolean())
                    continue;
                const bool isJob = job.asBoolean();
                if (!((display == 0 && isJob) || (display == 1 && !isJob)))
                    continue;
                const TDateTime start = sd.asFloat();
                TDateTime end = ed.asFloat();
                if (end <= start)
                    end = start + 1.0 / 24.0;
                PopulateChart(fields, isJob, start, end);
            }
            batch.commit();
        });
        dates_.FitChartPeriod(false, false);
    }
    db::WriteBatch batch;  // the group's later bars' times in one write
    // Aligning a group from its first bar places every later one; starting
    // again from each of them would only place the rest once more.
    std::unordered_set<const TResourceAllocation*> linked;
    for (const TResourceAllocation* bar : ctx_.Chart.ChartBars)
        if (const TResourceAllocation* next = NextGroupBar(bar))
            linked.insert(next);
    for (TResourceAllocation* bar : ctx_.Chart.ChartBars)
        if (linked.count(bar) == 0)
            AlignLinkedBars(bar);
    batch.commit();
    PushWrittenTimes();
    ctx_.RAC.EndUpdate();
    RefreshIfOpen(ctx_.Tables.ChartsTable);
}

void ChartBuilder::SaveAndClearAllocations(bool recompute)
{
    ChartTables& tables = ctx_.Tables;
    ChartState& chart = ctx_.Chart;
    std::optional<data::BusyScope> busy(std::in_place, ctx_.State);
    chart.SelectedBar = nullptr;
    chart.HighlightedBar = nullptr;
    ctx_.Controls.TaskControlsEnabled = false;
    for (db::Table* t : {&tables.ChartsTable5, &tables.ChartsTable4, &tables.ChartsTable3,
                         &tables.ChartsTable, &tables.ChartsTable2})
        RefreshIfOpen(*t);

    db::Table& t = tables.ChartsTable2;
    if (recompute && t.active() && !chart.ChartBars.empty()) {
        // One pass in table order finds every bar's record: looking each one up
        // would read the table record by record.
        std::unordered_map<double, const TResourceAllocation*> barOf;
        barOf.reserve(chart.BarLinks.size());
        for (const auto& [bar, link] : chart.BarLinks)
            barOf.emplace(link.Ptr, bar);
        db::WriteBatch batch;  // the moved bars' records in one write
        db::Field hoursField = ScheduleItemField(t, &Item::HOURS), crew = ScheduleItemField(t, &Item::CREWID),
                  job = ScheduleItemField(t, &Item::JOB), offset = ScheduleItemField(t, &Item::OFFSET),
                  sd = ScheduleItemField(t, &Item::SD), ed = ScheduleItemField(t, &Item::ED),
                  sdd = ScheduleItemField(t, &Item::SDD), edd = ScheduleItemField(t, &Item::EDD),
                  ptr = ScheduleItemField(t, &Item::PTR), key = ScheduleItemField(t, &Item::CHARTSID);
        for (t.first(); !t.eof(); t.next()) {
            const double id = ptr.asFloat();
            if (id == 0)
                continue;
            const auto found = barOf.find(id);
            if (found == barOf.end() || job.asBoolean())
                continue;
            const TResourceAllocation* bar = found->second;
            if (static_cast<std::int32_t>(key.asFloat()) != chart.BarLinks[bar].ChartsId)
                continue;
            const float hours = static_cast<float>(hoursField.asFloat());
            TDateTime start = bar->StartAt();
            const TDateTime end =
                ComputeTaskEnd(ctx_, static_cast<std::int32_t>(crew.asFloat()), start, hours);
            // Only a group bar knows the offset; in any other order the
            // record keeps its own, or the group would fall apart.
            const bool newOffset =
                CarriesOffset(bar) && !SameStoredNumber(offset.asFloat(), CarriedOffsetOf(bar));
            // Most bars were not touched since the build: their records stay as they are.
            if (!newOffset && SameStoredNumber(sd.asFloat(), start) && SameStoredNumber(ed.asFloat(), end)
                && sdd.asDate() == DatePart(start) && edd.asDate() == DatePart(end))
                continue;
            t.edit();
            if (newOffset)
                offset.setAsFloat(CarriedOffsetOf(bar));
            WriteTaskPeriod(t, start, end);
            t.post();
            writtenTimes_.insert(chart.BarLinks[bar].ChartsId);
        }
        batch.commit();
    }
    for (TResourceAllocation* bar : chart.ChartBars)
        if (CarriesOffset(bar))
            bar->SetTag(0);
    chart.Offsets.clear();

    busy.reset();
    PushWrittenTimes();
    chart.LastCaptionJob = 0;
    chart.ChartBars.clear();
    chart.HeadingRows.clear();
    chart.HeadingCaptions.clear();
    chart.BarLinks.clear();
    chart.RowIds.clear();
    chart.ChainRows.clear();
    ctx_.RAC.Clear();
    chart.LastGroupBar = nullptr;
    RefreshIfOpen(tables.ChartsTable2);
    RefreshIfOpen(tables.ChartsTable);
}

void ChartBuilder::UpdateJobSummaries()
{
    ChartTables& tables = ctx_.Tables;
    db::Table& charts = tables.ChartsTable2;
    db::Table& jobs = tables.JobsTable2;
    if (!charts.active() || !jobs.active())
        return;
    data::BusyScope busy(ctx_.State);

    // One pass over the working copy gives every job its sums.
    std::unordered_map<std::int32_t, JobTotals> totals;
    {
        db::Field jid = ScheduleItemField(charts, &Item::JID), job = ScheduleItemField(charts, &Item::JOB),
                  hours = ScheduleItemField(charts, &Item::HOURS),
                  cost = ScheduleItemField(charts, &Item::COST), sd = ScheduleItemField(charts, &Item::SD),
                  ed = ScheduleItemField(charts, &Item::ED), tid = ScheduleItemField(charts, &Item::TID),
                  key = ScheduleItemField(charts, &Item::CHARTSID),
                  sdd = ScheduleItemField(charts, &Item::SDD), edd = ScheduleItemField(charts, &Item::EDD),
                  totalCost = ScheduleItemField(charts, &Item::TCOST);
        for (charts.first(); !charts.eof(); charts.next()) {
            JobTotals& sums = totals[static_cast<std::int32_t>(jid.asFloat())];
            const auto chartsId = static_cast<std::int32_t>(key.asFloat());
            if (job.asBoolean()) {
                sums.SummaryKey = static_cast<std::int32_t>(tid.asFloat());
                sums.SummaryRecNo = charts.recNo();
                sums.StoredStart = sd.asFloat();
                sums.StoredEnd = ed.asFloat();
                sums.StoredStartDate = sdd.asDate();
                sums.StoredEndDate = edd.asDate();
                sums.StoredHours = hours.asFloat();
                sums.StoredCost = totalCost.asFloat();
                sums.Records.emplace_back(chartsId, true);
                continue;
            }
            const float h = static_cast<float>(hours.asFloat());
            const double rate = cost.asFloat();
            const TDateTime start = sd.asFloat();
            const TDateTime end = ed.asFloat();
            if (!sums.HasTask) {
                sums.HasTask = true;
                sums.Earliest = start;
                sums.Latest = end;
            }
            sums.Hours += h;
            sums.Cost += ToCurrency(h) * ToCurrency(rate) / 10000;
            sums.LastRate = static_cast<double>(ToCurrency(rate)) / 10000.0;
            if (start < sums.Earliest)
                sums.Earliest = start;
            if (end > sums.Latest)
                sums.Latest = end;
            sums.Records.emplace_back(chartsId, false);
        }
    }

    // The summaries and assignment rows of every job in one write.
    db::WriteBatch batch;
    AssignmentIndex assignments(tables.ICrewsTable2);
    for (jobs.first(); !jobs.eof(); jobs.next()) {
        const std::int32_t jobId = IntField(jobs, "JID");
        const auto found = totals.find(jobId);
        // A job without tasks has no period to summarise.
        if (found == totals.end() || !found->second.HasTask)
            continue;
        JobTotals& sums = found->second;
        ctx_.State.AverageRate = sums.LastRate;
        const double cost = static_cast<double>(sums.Cost) / 10000.0;

        if (sums.SummaryKey > 0) {
            if (!sums.SummaryCurrent(cost)) {
                charts.goTo(sums.SummaryRecNo);
                charts.edit();
                WriteTaskPeriod(charts, sums.Earliest, sums.Latest);
                ScheduleItemField(charts, &Item::HOURS).setAsFloat(sums.Hours);
                ScheduleItemField(charts, &Item::TCOST).setAsCurrency(cost);
                charts.post();
            }
            std::int32_t summaryId = 0;
            for (const auto& [key, isSummary] : sums.Records)
                if (isSummary)
                    summaryId = key;
            for (const auto& [key, isSummary] : sums.Records) {
                std::vector<AssignmentIndex::Row>* rows = assignments.RowsOf(key);
                if (rows == nullptr)
                    continue;
                if (!isSummary) {
                    // One missing job row is added per task and build.
                    for (std::size_t i = 0; i < rows->size(); ++i) {
                        const AssignmentIndex::Row row = (*rows)[i];
                        if (row.Deleted || assignments.Has(row.CrewId, jobId, true))
                            continue;
                        assignments.Append(ctx_.State.Keys, tables.ICrewsTable3, summaryId, row.CrewId,
                                           jobId);
                        break;
                    }
                } else {
                    for (AssignmentIndex::Row& row : *rows)
                        if (!row.Deleted && !assignments.Has(row.CrewId, jobId, false))
                            assignments.Delete(row);
                }
            }
        } else if (!ctx_.State.InsertTimePending) {
            // While inserted time waits for its timer nothing new is pushed, so a summary
            // made now would leave assignment rows naming an item no other workstation
            // has (for good, when the insert is taken back): the first build after it makes it.
            const std::int32_t summaryId = data::UniqueKeyValue(ctx_.State.Keys, charts, "CHARTSID");
            {
                JobSummaryRow row;
                row.ChartsId = summaryId;
                row.CustomerName = data::TrimBlanks(jobs.fieldByName("CUSTNAME").asString());
                row.JobName = data::TrimBlanks(jobs.fieldByName("DESC").asString());
                row.Description = row.JobName;
                row.Start = sums.Earliest;
                row.End = sums.Latest;
                row.Hours = sums.Hours;
                row.Rate = ctx_.State.AverageRate;
                row.TotalCost = cost;
                row.JobId = jobId;
                row.CustomerId = IntField(jobs, "CID");
                // A refused summary has no key for assignment rows to name.
                if (!ctx_.Schedule.AddTaskToSchedule(row))
                    continue;
            }
            for (const auto& [key, isSummary] : sums.Records) {
                std::vector<AssignmentIndex::Row>* rows = isSummary ? nullptr : assignments.RowsOf(key);
                if (rows == nullptr)
                    continue;
                for (std::size_t i = 0; i < rows->size(); ++i) {
                    const AssignmentIndex::Row row = (*rows)[i];
                    if (row.Deleted)
                        continue;
                    if (assignments.Has(row.CrewId, jobId, true))
                        break;
                    assignments.Append(ctx_.State.Keys, tables.ICrewsTable3, summaryId, row.CrewId, jobId);
                }
            }
        }
    }
    batch.commit();
    RefreshIfOpen(tables.ICrewsTable3);
    RefreshIfOpen(charts);
    RefreshIfOpen(tables.ChartsTable);
}

void ChartBuilder::SortWorkTables()
{
    ChartTables& tables = ctx_.Tables;
    const std::vector<int> fields = SortFields(ctx_.Controls.ChartSortBy);
    if (fields.empty() || !tables.ChartsTable4.active())
        return;
    const std::filesystem::path file(tables.ChartsTable4.path());
    if (sortOrder_.InOrder(file, fields))
        return;
    data::BusyScope busy(ctx_.State);

    // Sorting moves records, it changes none.
    KeepSyncLevels([&] {
        std::unordered_set<db::Table*> wasOpen;
        for (db::Table* t : CursorsToClose(tables)) {
            if (!t->active())
                continue;
            wasOpen.insert(t);
            t->refresh();
            t->close();
        }
        try {
            db::SortTableKeptInOrder(file.parent_path().string(), file.filename().string(), fields);
        } catch (const db::DbError& e) {
            ctx_.UI.ShowMessage(e.what(), "Dbi error", data::MessageIcon::Stop);
        }
        for (db::Table* t : CursorsToOpen(tables))
            if (wasOpen.count(t) != 0)
                t->open();
    });
    RefreshIfOpen(tables.ChartsTable);
}

void ChartBuilder::PushWrittenTimes()
{
    // Taken first: a failed push is not tried again by every later build; the
    // next push of the whole working copy carries the records.
    const std::set<std::int32_t> keys = std::move(writtenTimes_);
    writtenTimes_.clear();
    // While inserted time waits to be kept or taken back, the working copy's
    // times are tentative: keeping pushes them all, taking back pulls them.
    if (keys.empty() || ctx_.State.InsertTimePending)
        return;
    ctx_.Schedule.PushChartRecords(keys);
}

void ChartBuilder::KeepSyncLevels(const std::function<void()>& change)
{
    ctx_.Schedule.KeepSyncLevels(change);
}

TResourceAllocation* ChartBuilder::RegisterBar(TResourceAllocation* bar)
{
    if (bar == nullptr)
        return nullptr;
    ctx_.Chart.ChartBars.push_back(bar);
    bar->SetTag(0);
    return bar;
}

void ChartBuilder::PopulateChart(bool isJob, TDateTime start, TDateTime end)
{
    PopulateChart(WorkFields(ctx_.Tables.ChartsTable3), isJob, start, end);
}

void ChartBuilder::PopulateChart(const WorkFields& f, bool isJob, TDateTime start, TDateTime end)
{
    db::Table& t = f.Table;
    ChartState& chart = ctx_.Chart;
    const auto dgn = static_cast<int>(f.DGN.asFloat());
    const TColor colour = RowColour(dgn, ctx_.Controls.ChartSortBy);

    TResourceAllocation* bar = nullptr;
    const auto series = static_cast<std::int32_t>(f.CHAIN.asFloat());
    if (series > 0 && dgn == 0) {
        const auto shared = chart.ChainRows.find(series);
        if (shared != chart.ChainRows.end())
            bar = AddBarToRow(shared->second, start, end);
    }
    if (bar == nullptr)
        bar = AddRowWithBar(RowCaption(f), colour, isJob, start, end);
    TRACResource* row = bar->Resource();
    if (series > 0)
        chart.ChainRows.emplace(series, row);

    if (ctx_.Controls.ChartSortBy == kSortByDependentGroup) {
        if (dgn == 1) {
            chart.LastGroupBar = bar;
        } else if (dgn > 1) {
            if (chart.LastGroupBar != nullptr)
                chart.LastGroupBar->SetAnyObject(bar);
            SetCarriedOffset(chart, bar, f.OFFSET.asFloat());
            chart.LastGroupBar = bar;
        }
    }

    const auto key = static_cast<std::int32_t>(f.CHARTSID.asFloat());
    const double barId = key;
    const double rowId = chart.RowIds.emplace(row, barId).first->second;
    chart.BarLinks[bar] = {barId, key};
    if (f.PTR.asFloat() != barId || f.RESOURCE.asFloat() != rowId) {
        t.edit();
        db::Field ptr = f.PTR, rowField = f.RESOURCE;
        ptr.setAsFloat(barId);
        rowField.setAsFloat(rowId);
        t.post();
    }
}

std::string ChartBuilder::RowCaption(db::Table& table)
{
    return RowCaption(WorkFields(table));
}

std::string ChartBuilder::RowCaption(const WorkFields& f)
{
    ChartTables& tables = ctx_.Tables;
    const bool isJob = f.JOB.asBoolean();
    const std::string desc = data::TrimBlanks(f.DESC.asString());
    const auto jobId = static_cast<std::int32_t>(f.JID.asFloat());
    const auto crewId = static_cast<std::int32_t>(f.CREWID.asFloat());

    if (jobId != ctx_.Chart.LastCaptionJob) {
        ctx_.Chart.LastCaptionJob = jobId;
        if (tables.JobsTable.locate("JID", db::Value(static_cast<double>(jobId)))
            && tables.CustomersTable2.locate("CID", tables.JobsTable.fieldByName("CID").value())) {
            std::string heading = data::TrimBlanks(tables.CustomersTable2.fieldByName("NAME").asString());
            if (!isJob)
                heading += " : " + data::TrimBlanks(tables.JobsTable.fieldByName("DESC").asString());
            AddHeadingRow(heading, kGroupDependentColour);
        }
    }
    if (!isJob && ctx_.Controls.ResourceCaptionMode == 1
        && tables.CrewsTable.locate("CREWID", db::Value(static_cast<double>(crewId))))
        return data::TrimBlanks(tables.CrewsTable.fieldByName("DESC").asString()) + " : " + desc;
    return desc;
}

TRACResource* ChartBuilder::AddHeadingRow(const std::string& caption, TColor colour)
{
    ctx_.RAC.BeginUpdate();
    TRACResource* row = ctx_.RAC.AddResource(QString(), colour, chart::rsBlockArrow);
    ctx_.Chart.HeadingRows.push_back(row);
    ctx_.Chart.HeadingCaptions.push_back(caption);
    ctx_.RAC.EndUpdate();
    return row;
}

TResourceAllocation* ChartBuilder::AddRowWithBar(const std::string& caption, TColor colour, bool isJob,
                                                 TDateTime start, TDateTime end)
{
    ctx_.RAC.BeginUpdate();
    TRACResource* row =
        ctx_.RAC.AddResource(ToQString(caption), colour, isJob ? chart::rsPointedBlock : chart::rsBlockArrow);
    TResourceAllocation* bar = RegisterBar(row->AddSlot(start, end));
    ctx_.RAC.EndUpdate();
    return bar;
}

TResourceAllocation* ChartBuilder::AddBarToRow(TRACResource* row, TDateTime start, TDateTime end)
{
    try {
        return RegisterBar(row->AddSlot(start, end));
    } catch (const chart::EBadValueException&) {
        return nullptr;
    }
}

void ChartBuilder::AlignLinkedBars(TResourceAllocation* bar)
{
    // A chain that leads back to a bar already placed would never end.
    std::unordered_set<const TResourceAllocation*> visited{bar};
    TResourceAllocation* previous = bar;
    for (TResourceAllocation* next = NextGroupBar(previous); next != nullptr && visited.insert(next).second;
         next = NextGroupBar(previous)) {
        AlignLinkedBar(previous, next);
        previous = next;
    }
}

void ChartBuilder::AlignLinkedBar(TResourceAllocation* previous, TResourceAllocation* next)
{
    db::Table& t = ctx_.Tables.ChartsTable2;
    if (!LocateBarRecord(ctx_, t, next))
        return;
    const std::int32_t crewId = IntField(t, &Item::CREWID);
    const bool fromStart = ScheduleItemField(t, &Item::USED).asBoolean();
    const float hours = static_cast<float>(ScheduleItemField(t, &Item::HOURS).asFloat());
    TDateTime start = (fromStart ? previous->StartAt() : previous->EndAt()) + CarriedOffsetOf(next);
    const TDateTime end = ComputeTaskEnd(ctx_, crewId, start, hours);
    dates_.SetAllocationTimes(next, true, start, end);
    if (SameStoredNumber(ScheduleItemField(t, &Item::SD).asFloat(), start)
        && SameStoredNumber(ScheduleItemField(t, &Item::ED).asFloat(), end)
        && ScheduleItemField(t, &Item::SDD).asDate() == DatePart(start)
        && ScheduleItemField(t, &Item::EDD).asDate() == DatePart(end))
        return;
    t.edit();
    WriteTaskPeriod(t, start, end);
    t.post();
    writtenTimes_.insert(IntField(t, &Item::CHARTSID));
}

float ChartBuilder::RecalcTaskTimes(bool keepHours, TResourceAllocation* bar)
{
    db::Table& t = ctx_.Tables.ChartsTable2;
    if (!LocateBarRecord(ctx_, t, bar))
        return 0;
    const std::int32_t chartsId = IntField(t, &Item::CHARTSID);
    const std::int32_t crewId = IntField(t, &Item::CREWID);
    ctx_.State.UpdateCounter = static_cast<float>(
        data::NextUpdateCount(static_cast<float>(ScheduleItemField(t, &Item::UPDATE).asFloat())));

    TDateTime start = bar->StartAt();
    TDateTime end = bar->EndAt();
    if (!ResourcesAreFree(ctx_, crewId, start, end, chartsId))
        return 0;
    float hours = 0;
    if (keepHours) {
        hours = static_cast<float>(ScheduleItemField(t, &Item::HOURS).asFloat());
        end = ComputeTaskEnd(ctx_, crewId, start, hours);
    } else {
        hours = WorkingHoursBetween(ctx_, crewId, start, end);
    }
    // A task with no working hours would collapse at the next write-back:
    // leave the record as it is and let the caller put the bar back.
    if (hours <= 0)
        return 0;
    if (!dates_.SetAllocationTimes(bar, true, start, end)) {
        dates_.SetAllocationTimes(bar, true, ctx_.Chart.DragSavedStart, ctx_.Chart.DragSavedEnd);
        return hours;
    }
    t.edit();
    if (CarriesOffset(bar))
        ScheduleItemField(t, &Item::OFFSET).setAsFloat(CarriedOffsetOf(bar));
    WriteTaskPeriod(t, start, end);
    ScheduleItemField(t, &Item::HOURS).setAsFloat(hours);
    ScheduleItemField(t, &Item::UPDATE).setAsFloat(ctx_.State.UpdateCounter);
    t.post();
    return hours;
}

}  // namespace tw::visualize
