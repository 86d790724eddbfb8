#pragma once
// What the print dialog reaches outside itself: the report cursors and the
// services the reports compute with, what the chart and the query show, the
// page format, the e-mail, where the dialog stands and the hourglass. The
// printing unit implements it over the session and the pages, tests over
// plain values.

#include <QPoint>
#include <QString>

#include "reports/reportinputs.h"

namespace tw::data {
class UserInterface;
}

namespace tw::reports {

class ChartPages;

class PrintPreviewHost {
public:
    virtual ~PrintPreviewHost() = default;

    virtual ReportTables Tables() = 0;
    virtual const ReportServices& Services() const = 0;
    // The rows, header and mode the chart shows.
    virtual SelectionState Selection() = 0;
    // The chart's pages for the Gantt chart report; null when there is no chart.
    virtual ChartPages* Chart() = 0;
    virtual int PageFormatCode() const = 0;
    // The first title: the main window's caption with the query's.
    virtual QString Caption() const = 0;
    virtual bool MailThroughClient() const = 0;
    // The schedule e-mail with the chosen report attached.
    virtual void SendEmail(int helpLevel, const ChartPeriod& period, const QString& message) = 0;
    // The dialog's remembered top left.
    virtual QPoint Position() const = 0;
    virtual void StorePosition(const QPoint& topLeft) = 0;
    // A refusal for the user ("Tarnwick" box).
    virtual void ShowError(const QString& text) = 0;
    // The program's user interface, which shows the hourglass while a report is made.
    virtual data::UserInterface& Interface() = 0;
};

}  // namespace tw::reports
