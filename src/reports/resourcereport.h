#pragma once
// The resource summary: per resource of the resource cursor that works on a
// task of the selection, its customers and tasks with their dates, the
// resource's working hours in them and the labour charge, then the total
// hours and charges.

#include "reports/reportbase.h"

namespace tw::reports {

class TPrintResourceReport : public ReportBase {
public:
    TPrintResourceReport(ReportTables& tables, const ReportServices& services,
                         const SelectionState& selection, const ReportOptions& options);

    bool PrepareResourceReport(int paperCode, const QString& company, int pageCount);

    bool Prepare(int totalPages) override { return PrepareResourceReport(PaperCode, Company, totalPages); }
    void Print(BandWriter& writer) override;

    float TotalHours() const { return totalHours_; }
    Money TotalCharges() const { return totalCharges_; }

private:
    Band Header() const;

    double valueLeft_ = 637, hoursLeft_ = 544, datesLeft_ = 368;
    double clientWidth_ = 123, appointmentLeft_ = 149, appointmentWidth_ = 246;
    float totalHours_ = 0;
    Money totalCharges_ = 0;
};

// The resource cursor of the summary: the resource search's filter while one
// is in force, else the current resource when the tasks are restricted to
// it, else every resource assigned to a task of the selection ("" = all).
std::string ResourceSummaryFilter(db::Table& charts, db::Table& assignments, const SelectionState& selection);
// Refreshes, closes, filters, opens and goes first.
void SetResourceCursor(db::Table& resources, const std::string& filter);

}  // namespace tw::reports
