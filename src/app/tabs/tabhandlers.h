#pragma once
// The main window's handlers that tie the Visualize page and the page control
// to the schedule: the Refresh button reloads every table and rebuilds the
// chart, the print button opens the print and preview dialog for the chart's
// period, the sort choice rebuilds the chart in another order, and a change of
// page prepares the page the user turns to (the chart is written back and
// cleared when the Visualize page is left, and built when it is shown).
//
//   TabHandlers handlers(tables, state, ui);
//   handlers.Hooks.BuildChart = [&](bool writeBack) { page.Builder.BuildChart(writeBack); };
//   ...                                  // the main window fills the others
//   handlers.TabControlChange(tabs->currentIndex());

#include <cstdint>
#include <functional>
#include <string>

#include "app/mainpage.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::app {

// The data module's cursors that the handlers move and write themselves.
struct TabTables {
    db::Table& CustomersTable;   // the current customer, kept across a refresh
    db::Table& CustomersTable2;  // walked for the customers' names
    db::Table& ChartsTable;      // the Add / Edit / Query page's view of the working copy
    db::Table& ChartsTable2;     // the working copy without a query filter
};

// What the handlers reach in the main window, its pages and the
// synchronisation. Each hook may be empty: it then does nothing, or answers
// false (SortChoiceRestored); an empty ActivePage shows no page.
struct TabHooks {
    // The index of the page the page control shows.
    std::function<int()> ActivePage;
    // Tables and synchronisation.
    std::function<void()> CloseAllTables;
    std::function<void(bool rebuildAllowed)> OpenAllTables;
    std::function<void()> PushChartUpdates;
    // The chart.
    std::function<void(bool recompute)> SaveAndClearAllocations;
    std::function<void(bool writeBack)> BuildChart;
    std::function<TDateTime()> ChartStartAt;
    std::function<TDateTime()> ChartEndAt;
    std::function<void(TDateTime start, TDateTime end)> SetChartPeriod;
    std::function<void()> ShowTaskStatusBar;
    std::function<void(bool enabled)> SetResetDependenciesEnabled;
    // The sort choice on the Visualize page, and its twin on the Add / Edit /
    // Query page; the start-up says when it has put the saved choice in.
    std::function<int()> ChartSortBy;
    std::function<void(int index)> SetChartSortBy2;
    std::function<bool()> SortChoiceRestored;
    // The work calendar tab.
    std::function<void(bool allResources)> FillCalendarResourceList;
    std::function<void(std::int32_t resourceId)> SelectCalendarResource;
    std::function<void(std::int32_t resourceId)> ShowWorkCalendar;
    std::function<void()> LoadHolidays;
    // The customer and query pages.
    std::function<void()> ApplyCustomerQuery;
    std::function<void()> ShowCustomerPhoto;
    // The insert-time dialog's own pending flag, and the InsertSpace and
    // RemoveSpace buttons.
    std::function<void()> ClearInsertSlotPending;
    std::function<void(bool enabled)> SetTimeSlotButtonsEnabled;
    // TPrintPreview::Open.
    std::function<void(int helpLevel, double periodDays, double gridInterval, double gridCount,
                       TDateTime periodStart, TDateTime periodEnd)>
        OpenPrintPreview;
    // The Utilities page: the drive box (drive is the first character of the
    // backup folder, empty when the folder is), the folder list, the drive's
    // free space and the backup status bar.
    std::function<void(const std::string& drive, const std::string& folder)> ShowBackupFolder;
};

class TabHandlers {
public:
    TabHandlers(const TabTables& tables, data::MainScreenState& state, data::UserInterface& ui)
        : tables_(tables),
          state_(state),
          ui_(ui)
    {}

    void RefreshChartClick();
    void PrintPreviewButtonClick();
    void ChartSortByClick();
    void TabControlChange(int page);

    // CUSTNAME of every working schedule item from the NAME of its customer.
    void RewriteCustomerNames();

    TabHooks Hooks;

private:
    TabTables tables_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
};

}  // namespace tw::app
