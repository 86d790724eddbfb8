#pragma once
// What the four reports share beyond the frame: their inputs, the first
// steps of every preparation (page total, paper, company line, the
// customer's address), the start of a run (page counter, header and footer
// of every page) and the resource lines under a task.

#include <cstdint>
#include <functional>

#include "reports/bandedreport.h"
#include "reports/reportcommon.h"
#include "reports/reportinputs.h"

namespace tw::reports {

class ReportBase : public BandedReport {
public:
    ReportBase(ReportTables& tables, const ReportServices& services, const SelectionState& selection,
               const ReportOptions& options);

    // The page format code and company line of the frame's two preparations.
    int PaperCode = 0;
    QString Company;

protected:
    void PreparePage(int paperCode, const QString& company, int pageCount);
    void StartRun(BandWriter& writer, std::function<Band()> header);
    // One line per resource assigned to the task, in description order, with
    // its notes and weekly hours when they are asked for; nothing when
    // resources are not included or the task has no assignment rows.
    void PrintResourceLines(BandWriter& writer, const ResourceDirectory& directory, std::int32_t chartsId,
                            double left);

    // The last customer and job a group line was printed for.
    struct GroupKeys {
        QString Customer, Job;
        bool Started = false;
    };
    // "customer : job" at each change of customer or job among the shown records.
    void PrintGroupLine(BandWriter& writer, GroupKeys& keys, const QString& customer, const QString& job,
                        double top, double minimumHeight);
    // The length in the task's unit on the resource's calendar, with its word.
    QString LengthText(std::int32_t resourceId, int unit, float hours) const;
    // The instant on the quarter-hour grid, as the notes write it.
    static QString InstantText(TDateTime instant);

    ReportTables& tables_;
    const ReportServices& services_;
    const SelectionState& selection_;
    const ReportOptions& options_;
    QString pageOf_;
    double width_ = 720;  // printable width
    AddressBlock address_;
};

}  // namespace tw::reports
