// The main window's side of printing: the print and preview dialog and the
// page format dialog, made once at the first opening, reach the data
// module's cursors, the working-time engine, the chart control and the page
// format kept on the main window through the host filled here.
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "data/jobstatus.h"
#include "data/services/recordservices.h"
#include "reports/pageformat.h"
#include "reports/printpreview.h"
#include "reports/racchartpages.h"

namespace tw::app {

void TMainScreen::OpenPrintPreview(int helpLevel, double spanDays, double gridInterval, double gridCount,
                                   TDateTime chartStart, TDateTime chartEnd)
{
    if (!printPreview_) {
        data::TEstimateData& d = *data_;
        pageFormat_ = new reports::TPageFormat(this);
        pageFormat_->SetHost(
            {&Settings.PaperSize, &Settings.PaperOrientation, &Settings.PaperCode,
             [&d]() -> db::Table* { return d.ParamsTable.active() ? &d.ParamsTable : nullptr; }});
        printPreview_ = new reports::TPrintPreview(this);
        printPreview_->SetPageFormatDialog(pageFormat_);
        reports::PrintPreviewHost host;
        host.Tables = [&d] {
            return reports::ReportTables{d.ChartsTable3,  d.ICrewsTable2,   d.CrewsTable2,
                                         d.CrewsTable3,   d.CustomersTable, d.MyCompanyTable,
                                         &d.PrinterTable, &d.PrinterTable2};
        };
        host.Services.WorkingHoursBetween = [this](std::int32_t id, TDateTime start, TDateTime end) {
            return calendarTables_->WorkingHoursBetween(id, start, end);
        };
        host.Services.LoadWorkCalendar = [this](std::int32_t id) {
            calendarTables_->LoadWorkCalendar(true, id);
            return calendarTables_->Loaded().Hours();
        };
        host.Services.JobStatusName = [this](int status) {
            std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
            for (std::size_t i = 0; i < texts.size() && static_cast<int>(i) < Settings.JobStatusTexts.size();
                 ++i)
                texts[i] = Settings.JobStatusTexts[static_cast<int>(i)].toStdString();
            return data::JobStatusTexts(texts).JobStatusName(status);
        };
        host.Services.UniqueKeyValue = [this](db::Table& table, const char* field) {
            return data::UniqueKeyValue(State.Keys, table, field);
        };
        // The rows, header and mode the chart shows, and the query's title.
        host.Selection = [this] {
            return queryPage_->ReportSelection(Chart.ChartSortBy, State.CurrentResourceId);
        };
        host.Chart = [this]() -> reports::ChartPages* {
            chartPages_ = std::make_shared<reports::RacChartPages>(*visualizePage_->RAC());
            return chartPages_.get();
        };
        host.PageFormatCode = [this] { return Settings.PaperCode; };
        host.Caption = [this] { return queryPage_->ReportTitle(windowTitle()); };
        host.MailThroughClient = [this] { return Settings.Email.UseMailProgram; };
        host.SendEmail = [this](int helpLevel, int, const reports::ChartPeriod& period,
                                const QString& message) { OpenScheduleEmail(helpLevel, period, message); };
        host.Position = [this] { return QPoint(Layout.PrintLeft, Layout.PrintTop); };
        host.StorePosition = [this](const QPoint& topLeft) {
            Layout.PrintLeft = topLeft.x();
            Layout.PrintTop = topLeft.y();
        };
        host.ShowError = [this](const QString& text) {
            userInterface_->ShowMessage(text.toStdString(), "Tarnwick", data::MessageIcon::Stop);
        };
        printPreview_->SetHost(std::move(host));
    }
    printPreview_->Open(helpLevel, spanDays, gridInterval, gridCount, chartStart, chartEnd);
}

}  // namespace tw::app
