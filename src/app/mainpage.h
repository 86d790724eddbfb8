#pragma once
// The main window's pages, by the index the settings keep.

namespace tw::app {

// Pages of the main window's page control, by index.
enum MainPage {
    CustomerTabPage = 0,  // "Customer details"
    SelectPage = 1,       // "Add / Edit / Query"
    SchedulePage = 2,     // "Visualize"
    CalendarPage = 3,     // "Work calendar"
    MyCompanyPage = 4,    // "My company"
    UtilitiesPage = 5,    // "Utilities"
};

}  // namespace tw::app
