#pragma once
// Fills the chart control from the working copy of the schedule and writes
// the bars back into it: job summaries, the physical sort by the chosen chart
// order, one captioned row per shown record (a heading row per job, one row
// shared by the occurrences of a repeating task), the links of dependency
// groups, and the recomputation of a task after its bar was moved or
// stretched. The chart is rebuilt after every change, poll and sort change,
// so the build reads each table once and looks records up by key, never by
// walking one table per record of another.

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "schedule/visualize/chartdates.h"
#include "schedule/visualize/sortorder.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

// Row colours (0x00BBGGRR).
inline constexpr TColor kPlainRowColour = 0xCCFFCC;
inline constexpr TColor kGroupedRowColour = 0x0E6DCE;
inline constexpr TColor kGroupFirstColour = 0x0000FF;
inline constexpr TColor kGroupDependentColour = 0xD6BDB3;
inline constexpr int kSortByDependentGroup = 6;

class ChartBuilder {
public:
    ChartBuilder(VisualizeContext& ctx, ChartDates& dates) : ctx_(ctx), dates_(dates) {}

    void BuildChart(bool writeBack);
    void SaveAndClearAllocations(bool recompute);
    void UpdateJobSummaries();
    void SortWorkTables();
    void PopulateChart(bool isJob, TDateTime start, TDateTime end);
    std::string RowCaption(db::Table& table);
    TRACResource* AddHeadingRow(const std::string& caption, TColor colour);
    TResourceAllocation* AddRowWithBar(const std::string& caption, TColor colour, bool isJob, TDateTime start,
                                       TDateTime end);
    TResourceAllocation* AddBarToRow(TRACResource* row, TDateTime start, TDateTime end);
    void AlignLinkedBars(TResourceAllocation* bar);
    void AlignLinkedBar(TResourceAllocation* previous, TResourceAllocation* next);
    // The task's working hours after its bar moved (keepHours) or changed
    // length; 0 when nothing was written.
    float RecalcTaskTimes(bool keepHours, TResourceAllocation* bar);

    static TColor RowColour(int dgn, int sortChoice);
    // The four sort keys (1-based field numbers of Charts.DBF) of a chart
    // order; empty for an unknown order.
    static std::vector<int> SortFields(int sortChoice);

private:
    // The working copy's fields a build reads from every record, looked up
    // by name once per build rather than once per record.
    struct WorkFields;
    TResourceAllocation* RegisterBar(TResourceAllocation* bar);
    void KeepSyncLevels(const std::function<void()>& change);
    // The records whose times a write-back or a group's alignment wrote go to
    // the shared table together: a time written only here would be taken back
    // by the next start's pull, and written again at the next write-back.
    void PushWrittenTimes();
    void PopulateChart(const WorkFields& fields, bool isJob, TDateTime start, TDateTime end);
    std::string RowCaption(const WorkFields& fields);

    VisualizeContext& ctx_;
    ChartDates& dates_;
    std::set<std::int32_t> writtenTimes_;
    // Tells a build whether the working copy needs sorting at all.
    SortOrderCheck sortOrder_;
};

}  // namespace tw::visualize
