#pragma once
// The main window's handlers that tie the Visualize page and the page control
// to the schedule: the Refresh button reloads every table and rebuilds the
// chart, the sort choice rebuilds the chart in another order, and a change of
// page prepares the page the user turns to (the chart is written back and
// cleared when the Visualize page is left, and built when it is shown).
//
//   TabHandlers handlers(tables, state, session.Query, chart, ui, view);   // view: the pages (tabview.h)
//   handlers.TabControlChange(tabs->currentIndex());

#include "app/mainpage.h"
#include "app/tabs/tabview.h"
#include "data/services/chartdisplay.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "query/querystate.h"

namespace tw::app {

// The data module's cursors that the handlers move and write themselves.
struct TabTables {
    db::Table& CustomersTable;   // the current customer, kept across a refresh
    db::Table& CustomersTable2;  // walked for the customers' names
    db::Table& ChartsTable;      // the Add / Edit / Query page's view of the working copy
    db::Table& ChartsTable2;     // the working copy without a query filter
};

class TabHandlers {
public:
    // query: the item the Add / Edit / Query page returns to, read only.
    TabHandlers(const TabTables& tables, data::MainScreenState& state, const query::QueryState& query,
                data::ChartDisplay& chart, data::UserInterface& ui, TabView& view)
        : tables_(tables),
          state_(state),
          query_(query),
          chart_(chart),
          ui_(ui),
          view_(view)
    {}

    void RefreshChartClick();
    void ChartSortByClick();
    void TabControlChange(int page);

    // CUSTNAME of every working schedule item from the NAME of its customer.
    void RewriteCustomerNames();

private:
    TabTables tables_;
    data::MainScreenState& state_;
    const query::QueryState& query_;
    data::ChartDisplay& chart_;  // the Visualize page's: its zoom
    data::UserInterface& ui_;
    TabView& view_;
};

}  // namespace tw::app
