#include "reports/unit/printingfeature.h"

#include <array>

#include "reports/email/unit/emailunit.h"
#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "chart/resourceallocationchart.h"
#include "data/jobstatus.h"
#include "data/services/recordservices.h"
#include "reports/pageformat.h"
#include "reports/printpreview.h"
#include "reports/racchartpages.h"

namespace tw::app {

PrintingFeature::PrintingFeature(const FeatureContext& context, ChartButtons& buttons, ChartSelection& chart,
                                 QuerySelection& query, ScheduleEmail& email)
    : context_(context),
      chart_(chart),
      query_(query),
      email_(email)
{
    buttons.OnPrint([this] { PrintPreviewButtonClick(); });
}

PrintingFeature::~PrintingFeature() = default;

void PrintingFeature::PrintPreviewButtonClick()
{
    const AppSession& s = context_.Session;
    if (const std::optional<PrintRequest> request = ChartPrintRequest(s.State, s.Chart))
        ShowingErrors(context_.UI, [&] { Open(*request); });
}

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
    pageFormat_ = new reports::TPageFormat(&context_.Window);
    pageFormat_->SetHost({&settings.PaperSize, &settings.PaperOrientation, &settings.PaperCode,
                          [&d]() -> db::Table* { return d.ParamsTable.active() ? &d.ParamsTable : nullptr; }});
    printPreview_ = new reports::TPrintPreview(&context_.Window);
    printPreview_->SetPageFormatDialog(pageFormat_);
    services_.WorkingHoursBetween = [&s](std::int32_t id, TDateTime start, TDateTime end) {
        return s.Calendars().WorkingHoursBetween(id, start, end);
    };
    services_.LoadWorkCalendar = [&s](std::int32_t id) {
        s.Calendars().LoadWorkCalendar(true, id);
        return s.Calendars().Loaded().Hours();
    };
    services_.JobStatusName = [&settings](int status) {
        std::array<std::string, data::JobStatusTexts::kStatusCount> texts;
        for (std::size_t i = 0; i < texts.size() && static_cast<int>(i) < settings.JobStatusTexts.size(); ++i)
            texts[i] = settings.JobStatusTexts[static_cast<int>(i)].toStdString();
        return data::JobStatusTexts(texts).JobStatusName(status);
    };
    services_.UniqueKeyValue = [&s](db::Table& table, const char* field) {
        return data::UniqueKeyValue(s.State.Keys, table, field);
    };
    printPreview_->SetHost(this);
}

reports::ReportTables PrintingFeature::Tables()
{
    data::TEstimateData& d = context_.Session.Data();
    return reports::ReportTables{d.ChartsTable3,   d.ICrewsTable2,   d.CrewsTable2,   d.CrewsTable3,
                                 d.CustomersTable, d.MyCompanyTable, &d.PrinterTable, &d.PrinterTable2};
}

reports::SelectionState PrintingFeature::Selection()
{
    const AppSession& s = context_.Session;
    return query_.ReportSelection(s.Chart.ChartSortBy, s.State.CurrentResourceId);
}

reports::ChartPages* PrintingFeature::Chart()
{
    chartPages_ = std::make_shared<reports::RacChartPages>(chart_.PrintedChart());
    return chartPages_.get();
}

int PrintingFeature::PageFormatCode() const
{
    return context_.Session.Settings.PaperCode;
}

QString PrintingFeature::Caption() const
{
    return query_.ReportTitle(context_.Window.windowTitle());
}

bool PrintingFeature::MailThroughClient() const
{
    return context_.Session.Settings.Email.UseMailProgram;
}

void PrintingFeature::SendEmail(int helpLevel, const reports::ChartPeriod& period, const QString& message)
{
    email_.OpenScheduleEmail(printPreview_, helpLevel, period, message);
}

QPoint PrintingFeature::Position() const
{
    return QPoint(context_.Layout.PrintLeft, context_.Layout.PrintTop);
}

void PrintingFeature::StorePosition(const QPoint& topLeft)
{
    context_.Layout.PrintLeft = topLeft.x();
    context_.Layout.PrintTop = topLeft.y();
}

void PrintingFeature::ShowError(const QString& text)
{
    context_.UI.ShowMessage(text.toStdString(), "Tarnwick", data::MessageIcon::Stop);
}

}  // namespace tw::app
