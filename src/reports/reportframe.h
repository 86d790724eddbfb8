#pragma once
// The print dialog's frame, window-free: one page-format rule and one
// resource rule for preview, print and PDF, and the chosen report made
// ready for RunReport.

#include <memory>

#include "reports/bandedreport.h"
#include "reports/chartimagereport.h"
#include "reports/reportinputs.h"
#include "reports/reportpdf.h"

namespace tw::reports {

// Landscape (the lowest bit of the code) only for the text report with the
// original schedule information; every other report keeps the chosen code.
int EffectivePageFormatCode(int code, int chartType, bool includeOriginal);

// The chosen report with its page format code, company line and period;
// for the resource summary the resource cursor is set first.
std::unique_ptr<BandedReport> MakeReport(ReportTables& tables, const ReportServices& services,
                                         const SelectionState& selection, ChartPages* chart,
                                         const ReportRequest& request);

inline const char* const kUseLandscape = "Use Landscape page format";

}  // namespace tw::reports

namespace tw::reports {

// Which include boxes a chart type enables; the others keep their ticks but
// are disabled.
struct IncludeBoxes {
    bool Original = false, Notes = false, Totals = false, Resources = false, ResourceNotes = false;
};
IncludeBoxes IncludeBoxesEnabled(int chartType);

}  // namespace tw::reports
