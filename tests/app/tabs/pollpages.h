#pragma once
// The Visualize and query units as the poll reaches them: it clears and builds
// the chart and applies the query's filters, and asks nothing else of them. A
// test answers the three; any other call fails it.

#include <gtest/gtest.h>

#include <string>

#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"

namespace tw::app {

class PollPagesDouble : public ChartPage, public QueryFilters {
public:
    bool Attached() const override
    {
        Unasked("Attached");
        return true;
    }
    void Attach() override { Unasked("Attach"); }
    void RebuildFromRecords() override { Unasked("RebuildFromRecords"); }
    void KeepChartPeriod() override { Unasked("KeepChartPeriod"); }
    void ShowTaskStatusBar() override { Unasked("ShowTaskStatusBar"); }
    void SetResetDependenciesEnabled(bool) override { Unasked("SetResetDependenciesEnabled"); }
    void ApplyCustomerQuery() override { Unasked("ApplyCustomerQuery"); }
    void UpdateSelectControls() override { Unasked("UpdateSelectControls"); }
    void RestrictToCustomer() override { Unasked("RestrictToCustomer"); }
    void RestrictTasksToCrew() override { Unasked("RestrictTasksToCrew"); }
    void SetCustomersLabel(const std::string&) override { Unasked("SetCustomersLabel"); }

private:
    static void Unasked(const char* call) { ADD_FAILURE() << "the poll asked the pages: " << call; }
};

}  // namespace tw::app
