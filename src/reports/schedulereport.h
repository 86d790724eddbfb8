#pragma once
// The text schedule report: a group line per customer and job, then per task
// its description, current start, end, length (the labour of all its
// resources) and labour cost, optionally the original values beside them,
// its notes and its resources, and the grand totals at the end.

#include "reports/reportbase.h"

namespace tw::reports {

class TPrintScheduleReport : public ReportBase {
public:
    TPrintScheduleReport(ReportTables& tables, const ReportServices& services,
                         const SelectionState& selection, const ReportOptions& options);

    // False when the description column would be narrower than 100.
    bool PrepareScheduleReport(int paperCode, const QString& company, int pageCount);

    bool Prepare(int totalPages) override { return PrepareScheduleReport(PaperCode, Company, totalPages); }
    void Print(BandWriter& writer) override;

    // The column lefts and widths the preparation worked out.
    struct Columns {
        double Start = 0, End = 0, Length = 0, Total = 0;
        double OSD = 0, OED = 0, OLength = 0, OTotal = 0;
        double OriginalLabel = 0, CurrentLabel = 0;
        double CustomerJobWidth = 0, DescWidth = 0;
    };
    const Columns& Layout() const { return c_; }
    Money OriginalGrandTotal() const { return originalTotal_; }
    Money CurrentGrandTotal() const { return currentTotal_; }

private:
    Band Header() const;

    Columns c_;
    Money originalTotal_ = 0, currentTotal_ = 0;
};

}  // namespace tw::reports
