#include "reports/printpreview.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "controls/base/fcformkeys.h"
#include "data/services/busyscopes.h"
#include "reports/pageformat.h"
#include "reports/pagerenderer.h"
#include "ui_printpreview.h"

namespace tw::reports {

namespace {

// The hourglass while a report is made, and the dialog minimised meanwhile.
class Working {
public:
    Working(QWidget* dialog, data::UserInterface& ui) : dialog_(dialog), hourglass_(ui)
    {
        dialog_->showMinimized();
    }
    ~Working()
    {
        hourglass_.Release();
        dialog_->showNormal();
    }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;

private:
    QWidget* dialog_;
    data::BusyScope hourglass_;
};

}  // namespace

struct TPrintPreview::Chosen {
    Chosen(ReportTables tables, SelectionState selection, ReportRequest request)
        : Tables(tables),
          Selection(std::move(selection)),
          Request(std::move(request))
    {}
    ReportTables Tables;
    SelectionState Selection;
    ReportRequest Request;
    std::unique_ptr<BandedReport> Report;
};

std::unique_ptr<TPrintPreview::Chosen> TPrintPreview::Choose()
{
    auto chosen = std::make_unique<Chosen>(host_->Tables(), host_->Selection(), Request());
    if (chosen->Request.Type == GanttChart)
        SetStatus(QStringLiteral("Creating print image"));
    chosen->Report =
        MakeReport(chosen->Tables, host_->Services(), chosen->Selection, host_->Chart(), chosen->Request);
    return chosen;
}

TPrintPreview::TPrintPreview(QWidget* parent) : QDialog(parent), ui(new Ui::TPrintPreview)
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    ui->StatusBar->AddPane(0);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    chartTypes_[GanttChart] = ui->GanttChartItem;
    chartTypes_[AnnotatedBarChart] = ui->AnnotatedBarChartItem;
    chartTypes_[TextReport] = ui->TextReportItem;
    chartTypes_[ResourceSummary] = ui->ResourceSummaryItem;
    for (controls::TFcRadioButton* item : chartTypes_)
        connect(item, &controls::TFcControl::clicked, this, [this] { SelectionClick(); });
    connect(ui->IncludeResources, &controls::TFcControl::clicked, this, &TPrintPreview::EnforceResourceNotes);
    connect(ui->IncludeResourceNotes, &controls::TFcControl::clicked, this, &TPrintPreview::EnforceResourceNotes);
    connect(ui->PageFormatButton, &controls::TFcControl::clicked, this, &TPrintPreview::PageFormatButtonClick);
    connect(ui->PreviewEstimate, &controls::TFcControl::clicked, this, &TPrintPreview::PreviewEstimateClick);
    connect(ui->PrintEstimate, &controls::TFcControl::clicked, this, &TPrintPreview::PrintEstimateClick);
    connect(ui->CallSendEMail, &controls::TFcControl::clicked, this, &TPrintPreview::CallSendEMailClick);
    ShowPreview = [](QPrintPreviewDialog& preview) { preview.exec(); };
    SetChartTypeIndex(AnnotatedBarChart);
}

TPrintPreview::~TPrintPreview()
{
    delete ui;
}

int TPrintPreview::ChartTypeIndex() const
{
    for (int i = 0; i < 4; ++i)
        if (chartTypes_[i]->Checked())
            return i;
    return -1;
}

void TPrintPreview::SetChartTypeIndex(int index)
{
    if (index >= 0 && index < 4) {
        const QSignalBlocker quiet(chartTypes_[index]);
        chartTypes_[index]->SetChecked(true);
    }
    SelectionClick();
}

ReportOptions TPrintPreview::Options() const
{
    ReportOptions o;
    o.Title = ui->Title->text();
    o.IncludeOriginal = ui->IncludeOriginal->Checked();
    o.IncludeNotes = ui->IncludeNotes->Checked();
    o.IncludeTotals = ui->IncludeTotals->Checked();
    o.IncludeResources = ui->IncludeResources->Checked();
    o.IncludeResourceNotes = ui->IncludeResourceNotes->Checked();
    return o;
}

ReportRequest TPrintPreview::Request() const
{
    ReportRequest request;
    request.Type = ChartTypeIndex();
    request.Options = Options();
    request.Period = period_;
    request.PageFormatCode = host_ ? host_->PageFormatCode() : 0;
    return request;
}

PdfResult TPrintPreview::ChosenReportPdf() const
{
    if (!host_)
        return {QByteArray(), QStringLiteral("The schedule tables are not open")};
    ReportTables tables = host_->Tables();
    const SelectionState selection = host_->Selection();
    ChartPages* chart = host_->Chart();
    return SchedulePdf(tables, host_->Services(), selection, chart, Request());
}

QString TPrintPreview::StatusText() const
{
    return ui->StatusBar->PanelText(0);
}

void TPrintPreview::SetStatus(const QString& text)
{
    // Drawn at once: building the report keeps the event loop waiting.
    ui->StatusBar->SetPanelText(0, text);
}

void TPrintPreview::Refuse(const QString& text)
{
    if (host_)
        host_->ShowError(text);
    else
        QMessageBox::critical(this, QStringLiteral("Tarnwick"), text);
}

void TPrintPreview::Open(int helpLevel, double spanDays, double gridInterval, double gridCount,
                         TDateTime chartStart, TDateTime chartEnd)
{
    if (open_) {
        showNormal();
        raise();
        return;
    }
    if (host_) {
        move(host_->Position());
        ui->Title->setText(host_->Caption());
    }
    open_ = true;
    helpLevel_ = helpLevel;
    period_ = {chartStart, chartEnd, spanDays, gridInterval, gridCount};
    const bool hints = helpLevel == 0;
    ui->CallSendEMail->setToolTip(hints ? QStringLiteral("Send schedule via E-Mail") : QString());
    ui->PreviewEstimate->setToolTip(hints ? QStringLiteral("Preview schedule") : QString());
    ui->PrintEstimate->setToolTip(hints ? QStringLiteral("Print schedule") : QString());
    ui->CallSendEMail->setEnabled(host_ != nullptr);
    SetStatus(QString());
    show();
}

void TPrintPreview::SelectionClick()
{
    const IncludeBoxes enabled = IncludeBoxesEnabled(ChartTypeIndex());
    ui->IncludeOriginal->setEnabled(enabled.Original);
    ui->IncludeNotes->setEnabled(enabled.Notes);
    ui->IncludeTotals->setEnabled(enabled.Totals);
    ui->IncludeResources->setEnabled(enabled.Resources);
    ui->IncludeResourceNotes->setEnabled(enabled.ResourceNotes);
}

void TPrintPreview::EnforceResourceNotes()
{
    if (!ui->IncludeResources->Checked())
        ui->IncludeResourceNotes->SetChecked(false);
}

void TPrintPreview::PageFormatButtonClick()
{
    if (!pageFormat_)
        return;
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    show();
    pageFormat_->Execute();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
}

void TPrintPreview::PreviewEstimateClick()
{
    if (!host_)
        return;
    Working working(this, host_->Interface());
    const std::unique_ptr<Chosen> chosen = Choose();
    const ReportRequest& request = chosen->Request;
    BandedReport* report = chosen->Report.get();

    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    PageSetup setup;
    setup.ApplyPageFormatCode(
        EffectivePageFormatCode(request.PageFormatCode, request.Type, request.Options.IncludeOriginal));
    printer.setPageLayout(setup.Layout());
    // Only the text report refuses a page; ask before the preview opens.
    {
        const TextMeasure measure(&printer);
        report->Measure = &measure;
        if (request.Type != GanttChart && !report->Prepare(0)) {
            SetStatus(QString::fromLatin1(kUseLandscape));
            return;
        }
    }
    bool refused = false;
    // Not a child of this dialog, which stays minimised meanwhile.
    QPrintPreviewDialog preview(&printer, parentWidget());
    preview.setWindowTitle(QString::fromLatin1(ReportTitle(static_cast<ChartType>(request.Type))));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        const TextMeasure measure(target);
        PaintingSink sink(*target);
        refused = !RunReport(*report, measure, sink,
                             [target](const PageSetup& page) { target->setPageLayout(page.Layout()); });
        sink.End();
    });
    preview.setWindowState(Qt::WindowMaximized);
    ShowPreview(preview);
    SetStatus(refused ? QString::fromLatin1(kUseLandscape) : QString());
}

void TPrintPreview::PrintEstimateClick()
{
    if (!host_)
        return;
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (standard.isNull()) {
        Refuse(
            QStringLiteral("No printer is set up on this computer. Set one up, or preview the schedule and "
                           "print it to a PDF file from the preview."));
        return;
    }
    Working working(this, host_->Interface());
    const std::unique_ptr<Chosen> chosen = Choose();
    QPrinter printer(standard, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(chosen->Request.Options.Title);
    const TextMeasure measure(&printer);
    PaintingSink sink(printer);
    if (!RunReport(*chosen->Report, measure, sink,
                   [&printer](const PageSetup& page) { printer.setPageLayout(page.Layout()); })) {
        SetStatus(QString::fromLatin1(kUseLandscape));
        return;
    }
    if (!sink.End()) {
        SetStatus(QString());
        Refuse(QStringLiteral("The printer ") + standard.printerName()
               + QStringLiteral(" did not accept the schedule."));
        return;
    }
    SetStatus(QString());
}

void TPrintPreview::CallSendEMailClick()
{
    const bool client = host_ && host_->MailThroughClient();
    SetStatus(client ? QStringLiteral("Accessing the mail program")
                     : QStringLiteral("Connecting to SMTP server"));
    if (host_)
        host_->SendEmail(helpLevel_, period_, QStringLiteral("schedule.pdf is attached"));
    SetStatus(QString());
}

void TPrintPreview::FormClose()
{
    if (!open_)
        return;
    open_ = false;
    if (host_)
        host_->StorePosition(pos());
}

void TPrintPreview::reject()
{
    FormClose();
    QDialog::reject();
}

void TPrintPreview::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

}  // namespace tw::reports
