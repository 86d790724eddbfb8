// The reports on a schedule of 5,000 tasks (50 resources, one assignment row
// per task, one customer and job per ten tasks) with nothing restricted, as
// the print dialog makes them from "Show all": the text schedule (every task
// with its resource lines and totals), the bar chart of 63 days, and the
// Gantt report of the chart with all 5,000 rows drawn (Letter portrait, some
// 130 pages). Each as a whole PDF, with its layout pass (the dry run) and its
// painting measured apart. "peak_MB" is the process's peak so far: run one
// benchmark a process (bench/reports/before-after.sh does) to read it.
//
// GanttPngPages measures the design weighed against the Gantt report's
// vector pages: every page painted into a 254-dpi bitmap, kept as PNG bytes
// in printer.dbf page by page, read back and placed into the PDF.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>

#include <memory>

#include <sys/resource.h>

#include "chart/resourceallocationchart.h"
#include "reportfixture.h"
#include "reports/barchartreport.h"
#include "reports/pagerenderer.h"
#include "reports/racchartpages.h"
#include "reports/reportframe.h"
#include "reports/schedulereport.h"

using namespace tw;
using namespace tw::reports;

namespace {

constexpr int kTasks = 5000;
constexpr int kResources = 50;

struct Schedule : testing::ReportFixture {
    Schedule()
    {
        for (int r = 1; r <= kResources; ++r)
            AddResource(r, "Crew " + std::to_string(r), 30 + r);
        for (int i = 1; i <= kTasks; ++i) {
            const int crew = 1 + i % kResources;
            const int day = (i / kResources) % 60;
            testing::TaskRow t;
            t.Id = i;
            t.Customer = "Customer " + std::to_string(i / 10);
            t.Job = "Job " + std::to_string(i / 10);
            t.Description = "Task " + std::to_string(i);
            t.Crew = crew;
            t.Start = At(day, 8);
            t.End = At(day, 12);
            t.Hours = 4;
            AddTask(t);
        }
        options.IncludeTotals = true;
        options.IncludeResources = true;
        period = {At(0, 0), At(63, 0), 63, 7, 9};
        // The chart as the Gantt report paints it: one row per task.
        chart = std::make_unique<chart::TResourceAllocationChart>();
        chart->resize(1000, 600);
        chart->BeginUpdate();
        for (int i = 1; i <= kTasks; ++i) {
            const int day = (i / kResources) % 60;
            chart->AddResource(QStringLiteral("Task %1").arg(i), chart::clLime, chart::rsBlock)
                ->AddSlot(At(day, 8), At(day, 12));
        }
        chart->EndUpdate();
        chart->SetDateTime(period.Start, period.End);
        pages = std::make_unique<RacChartPages>(*chart);
    }
    ReportRequest Request(int type) const
    {
        ReportRequest request;
        request.Type = type;
        request.Options = options;
        request.Period = period;
        return request;
    }
    ChartPeriod period;
    std::unique_ptr<chart::TResourceAllocationChart> chart;
    std::unique_ptr<RacChartPages> pages;
};

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

Schedule& TheSchedule()
{
    static int argc = 1;
    static char name[] = "reports_bench";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    (void)application;
    static Schedule schedule;
    return schedule;
}

// The whole PDF: both passes and the painting of every page.
void WholePdf(benchmark::State& state, int type)
{
    Schedule& s = TheSchedule();
    for (auto _ : state) {
        const ReportRequest request = s.Request(type);
        const PdfResult pdf = SchedulePdf(s.tables, s.services, s.selection, s.pages.get(), request);
        if (!pdf.Ok())
            state.SkipWithError("the report refused");
        benchmark::DoNotOptimize(pdf.Pdf.size());
        state.counters["bytes"] = pdf.Pdf.size();
    }
    state.counters["peak_MB"] = PeakMegabytes();
}

// The report prepared once, measuring against a PDF device.
struct Prepared {
    Prepared(Schedule& s, int type)
        : device(QStringLiteral("/dev/null")),
          measure(&device),
          request(s.Request(type)),
          report(MakeReport(s.tables, s.services, s.selection, s.pages.get(), request))
    {
        report->Measure = &measure;
        report->Prepare(0);
    }
    QPdfWriter device;
    const TextMeasure measure;
    const ReportRequest request;
    std::unique_ptr<BandedReport> report;
};

// The layout pass alone, as the dry run makes it: counting the pages.
void DryRun(benchmark::State& state, int type)
{
    Prepared prepared(TheSchedule(), type);
    BandedReport* report = prepared.report.get();
    const TextMeasure& measure = prepared.measure;
    for (auto _ : state) {
        CountingSink sink;
        report->DryRun = true;
        BandWriter writer(report->Page, measure, sink);
        report->Print(writer);
        state.counters["pages"] = sink.Pages;
    }
}

// Painting alone: the pages of one layout pass painted onto a PDF.
void Painting(benchmark::State& state, int type)
{
    Prepared prepared(TheSchedule(), type);
    BandedReport* report = prepared.report.get();
    const TextMeasure& measure = prepared.measure;
    CollectingSink collected;
    {
        BandWriter writer(report->Page, measure, collected);
        report->Print(writer);
    }
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(report->Page.Layout());
        PaintingSink sink(pdf);
        for (const ReportPage& page : collected.Pages)
            sink.PageDone(page);
        sink.End();
        benchmark::DoNotOptimize(bytes.size());
    }
    state.counters["pages"] = static_cast<double>(collected.Pages.size());
}

// The Gantt report's first pass: the chart laid out into pages, one
// printer.dbf record each.
void GanttImages(benchmark::State& state)
{
    Schedule& s = TheSchedule();
    TPrintChartReport report(s.tables, s.services, s.selection, s.options, s.pages.get());
    for (auto _ : state)
        report.PrepareChartImageReport(0, QStringLiteral("Acme"), 0, true);
    s.printer.refresh();
    state.counters["pages"] = static_cast<double>(s.printer.recordCount());
}

void GanttPngPages(benchmark::State& state)
{
    Schedule& s = TheSchedule();
    TPrintChartReport report(s.tables, s.services, s.selection, s.options, s.pages.get());
    report.PrepareChartImageReport(0, QStringLiteral("Acme"), 0, true);
    const QSize size = report.ImageSize();
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(report.Page.Layout());
        QPainter out(&pdf);
        const double dpi = pdf.logicalDpiX();
        const QRectF area(dpi / 2, dpi / 2 + dpi * 100 / 96, size.width() * dpi / 254,
                          size.height() * dpi / 254);
        double memo = 0;
        int firstRow = 0;
        bool firstPage = true;
        for (s.printer.first(); !s.printer.eof(); s.printer.next()) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                s.pages->PaintTo(painter, QRect(QPoint(0, 0), size), firstRow);
            }
            QByteArray png;
            QBuffer pngBuffer(&png);
            pngBuffer.open(QIODevice::WriteOnly);
            image.save(&pngBuffer, "PNG");
            image = QImage();
            s.printer.edit();
            s.printer.fieldByName("IMAGE").setAsBytes(db::Bytes(png.begin(), png.end()));
            s.printer.post();
            memo += png.size();
            const db::Bytes back = s.printer.fieldByName("IMAGE").asBytes();
            const QImage page = QImage::fromData(back.data(), static_cast<int>(back.size()), "PNG");
            if (!firstPage)
                pdf.newPage();
            firstPage = false;
            out.drawImage(area, page);
            firstRow = s.printer.fieldByName("INDEX").asInteger();
        }
        out.end();
        state.counters["bytes"] = bytes.size();
        state.counters["memo_bytes"] = memo;
    }
    state.counters["peak_MB"] = PeakMegabytes();
    // The next first pass empties the table again.
    report.PrepareChartImageReport(0, QStringLiteral("Acme"), 0, true);
}

}  // namespace

BENCHMARK_CAPTURE(WholePdf, TextSchedule, static_cast<int>(TextReport))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(DryRun, TextSchedule, static_cast<int>(TextReport))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Painting, TextSchedule, static_cast<int>(TextReport))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(WholePdf, BarChart, static_cast<int>(AnnotatedBarChart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(DryRun, BarChart, static_cast<int>(AnnotatedBarChart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Painting, BarChart, static_cast<int>(AnnotatedBarChart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(GanttImages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(DryRun, Gantt, static_cast<int>(GanttChart))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Painting, Gantt, static_cast<int>(GanttChart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(WholePdf, Gantt, static_cast<int>(GanttChart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(GanttPngPages)->Unit(benchmark::kMillisecond)->Iterations(1);
