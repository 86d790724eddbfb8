#include "reports/bandedreport.h"

namespace tw::reports {

bool RunReport(BandedReport& report, const TextMeasure& measure, PageSink& sink,
               const std::function<void(const PageSetup&)>& beforePainting)
{
    report.Measure = &measure;
    if (!report.Prepare(0))
        return false;
    {
        report.DryRun = true;
        CountingSink dry;
        BandWriter writer(report.Page, measure, dry);
        report.Print(writer);
        report.DryRun = false;
    }
    if (!report.Prepare(report.PageCounter - 1))
        return false;
    if (beforePainting)
        beforePainting(report.Page);
    BandWriter writer(report.Page, measure, sink);
    report.Print(writer);
    return true;
}

}  // namespace tw::reports
