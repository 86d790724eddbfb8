#include "app/features/printingfeature.h"

#include <array>

#include "app/features/emailfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/queryfeature.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "data/jobstatus.h"
#include "data/services/recordservices.h"
#include "reports/pageformat.h"
#include "reports/printpreview.h"
#include "reports/racchartpages.h"

namespace tw::app {

PrintingFeature::PrintingFeature(const FeatureContext& context, const MainFeatures& features)
    : context_(context),
      features_(features)
{}

PrintingFeature::~PrintingFeature() = default;

void PrintingFeature::Open(const PrintRequest& r)
{
    if (!printPreview_)
        Create();
    printPreview_->Open(r.HelpLevel, r.SpanDays, r.GridInterval, r.GridCount, r.Start, r.End);
}

void PrintingFeature::Create()
{
    AppSession& s = context_.Session;
    data::TEstimateData& d = s.Data();
    RunSettings& settings = s.Settings;
    WindowLayout& layout = context_.Layout;
    pageFormat_ = new reports::TPageFormat(&context_.Window);
    pageFormat_->SetHost({&settings.PaperSize, &settings.PaperOrientation, &settings.PaperCode,
                          [&d]() -> db::Table* { return d.ParamsTable.active() ? &d.ParamsTable : nullptr; }});
    printPreview_ = new reports::TPrintPreview(&context_.Window);
    printPreview_->SetPageFormatDialog(pageFormat_);
    reports::PrintPreviewHost host;
    host.Tables = [&d] {
        return reports::ReportTables{d.ChartsTable3,   d.ICrewsTable2,   d.CrewsTable2,   d.CrewsTable3,
                                     d.CustomersTable, d.MyCompanyTable, &d.PrinterTable, &d.PrinterTable2};
    };
    host.Services.WorkingHoursBetween = [&s](std::int32_t id, TDateTime start, TDateTime end) {
        return s.Calendars().WorkingHoursBetween(id, start, end);
    };
    host.Services.LoadWorkCalendar = [&s](std::int32_t id) {
        s.Calendars().LoadWorkCalendar(true, id);
        return s.Calendars().Loaded().Hours();
    };
    host.Services.JobStatusName = [&settings](int status) {
        std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
        for (std::size_t i = 0; i < texts.size() && static_cast<int>(i) < settings.JobStatusTexts.size(); ++i)
            texts[i] = settings.JobStatusTexts[static_cast<int>(i)].toStdString();
        return data::JobStatusTexts(texts).JobStatusName(status);
    };
    host.Services.UniqueKeyValue = [&s](db::Table& table, const char* field) {
        return data::UniqueKeyValue(s.State.Keys, table, field);
    };
    // The rows, header and mode the chart shows, and the query's title.
    host.Selection = [this, &s] {
        return features_.Query->Page()->ReportSelection(s.Chart.ChartSortBy, s.State.CurrentResourceId);
    };
    host.Chart = [this]() -> reports::ChartPages* {
        chartPages_ = std::make_shared<reports::RacChartPages>(*features_.Visualize->Page()->RAC());
        return chartPages_.get();
    };
    host.PageFormatCode = [&settings] { return settings.PaperCode; };
    host.Caption = [this] { return features_.Query->Page()->ReportTitle(context_.Window.windowTitle()); };
    host.MailThroughClient = [&settings] { return settings.Email.UseMailProgram; };
    host.SendEmail = [this](int helpLevel, int, const reports::ChartPeriod& period, const QString& message) {
        features_.Email->OpenScheduleEmail(printPreview_, helpLevel, period, message);
    };
    host.Position = [&layout] { return QPoint(layout.PrintLeft, layout.PrintTop); };
    host.StorePosition = [&layout](const QPoint& topLeft) {
        layout.PrintLeft = topLeft.x();
        layout.PrintTop = topLeft.y();
    };
    host.ShowError = [this](const QString& text) {
        context_.UI.ShowMessage(text.toStdString(), "Tarnwick", data::MessageIcon::Stop);
    };
    printPreview_->SetHost(std::move(host));
}

}  // namespace tw::app
