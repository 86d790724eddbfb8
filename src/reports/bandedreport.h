#pragma once
// What every report is to the two-pass frame: a preparation that takes the
// page total (0 before the dry run) and may refuse, and a print run that
// hands its bands to a BandWriter. The frame (RunReport) prepares, dry-runs
// to count the pages, prepares again with the count and runs for real.

#include <functional>

#include "reports/bandwriter.h"
#include "reports/pagemodel.h"

namespace tw::reports {

class BandedReport {
public:
    virtual ~BandedReport() = default;
    // False when the layout does not fit the page ("Use Landscape page format").
    virtual bool Prepare(int totalPages) = 0;
    virtual void Print(BandWriter& writer) = 0;

    PageSetup Page;
    // 1 at the report start, one more at every page end: after a run it is
    // the number of pages plus one.
    int PageCounter = 0;
    // The metrics of the device the pages go to; set by the frame.
    const TextMeasure* Measure = nullptr;
    // Set while the frame only counts the pages: work that changes nothing
    // but the pictures may be left out.
    bool DryRun = false;
};

// The frame. beforePainting receives the page setup once the report is
// prepared, so the device can take its paper before the first page. False
// when the report refused.
bool RunReport(BandedReport& report, const TextMeasure& measure, PageSink& sink,
               const std::function<void(const PageSetup&)>& beforePainting = {});

}  // namespace tw::reports
