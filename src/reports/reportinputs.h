#pragma once
// What a report reads besides its own layout: the data module's cursors, the
// services of the main window (working time, calendars, status texts, record
// keys), the main window's selection state and the print dialog's choices.
// The reports take them as plain values and callbacks so that they run, and
// are tested, without a window.

#include <cstdint>
#include <functional>
#include <string>

#include <QColor>
#include <QString>

#include "data/durationtext.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::reports {

// The data module's cursors the reports read; only the Gantt report writes
// (printer.dbf).
struct ReportTables {
    db::Table& ChartsTable3;             // the working copy as the query presents it
    db::Table& ICrewsTable2;             // assignment rows, walked whole
    db::Table& CrewsTable2;              // resources, for their rates and names
    db::Table& CrewsTable3;              // resources, the resource summary's master
    db::Table& CustomersTable;           // the current customer
    db::Table& MyCompanyTable;           // the letterhead
    db::Table* PrinterTable = nullptr;   // page images of the Gantt report
    db::Table* PrinterTable2 = nullptr;  // their key look-up
};

struct ReportServices {
    // Working hours of a resource's calendar between two instants.
    std::function<float(std::int32_t resourceId, TDateTime start, TDateTime end)> WorkingHoursBetween;
    // Loads the resource's work calendar and gives its hours per day, week,
    // month and year.
    std::function<data::CalendarHours(std::int32_t resourceId)> LoadWorkCalendar;
    std::function<std::string(int status)> JobStatusName;
    // A new key for the table's integer key field.
    std::function<std::int32_t(db::Table& table, const char* field)> UniqueKeyValue;
};

// What the reports read of the main window.
struct SelectionState {
    bool JobsOnly = false;  // ShowJobsOnly on "Overall jobs only"
    int ChartSortBy = 0;    // 6 "Dependent group"
    bool RestrictToActive = false;
    bool RestrictTasksToCrew = false;
    bool RestrictByDate = false;
    bool RestrictToSelectedStatus = false;
    bool RestrictToCustomer = false;
    bool CustomerSearchActive = false;
    bool ResourceSearchActive = false;
    bool TaskSearchActive = false;
    std::string ResourceSearchFilter;
    std::int32_t CurrentResourceId = 0;
    // The chart's bar colours.
    QColor PlainBar{204, 255, 204};
    QColor GroupedBar{206, 109, 14};
    QColor FirstGroupBar{255, 0, 0};
    QColor LaterGroupBar{179, 189, 214};
    QColor PlotBackColor{Qt::white};
};

// The print dialog's choices.
struct ReportOptions {
    QString Title = QStringLiteral("Title");
    bool IncludeOriginal = false;
    bool IncludeNotes = false;
    bool IncludeTotals = false;
    bool IncludeResources = false;
    bool IncludeResourceNotes = false;
};

// The chart period the print dialog copied when it opened.
struct ChartPeriod {
    TDateTime Start = 0;
    TDateTime End = 0;
    double SpanDays = 0;
    double GridInterval = 0;
    double GridCount = 0;
};

// Chart types of the dialog's "Chart type" group, by index.
enum ChartType { GanttChart = 0, AnnotatedBarChart = 1, TextReport = 2, ResourceSummary = 3 };

// The title each report's preview window carries.
inline const char* ReportTitle(ChartType type)
{
    switch (type) {
    case GanttChart: return "Gantt chart report";
    case AnnotatedBarChart: return "Bar chart report";
    case TextReport: return "Text chart report";
    case ResourceSummary: return "Resource summary report";
    }
    return "";
}

}  // namespace tw::reports
