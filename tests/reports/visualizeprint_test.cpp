// The Visualize page's print button in the main window: it opens the print
// dialog with the chart's period, and the Gantt report paints the chart's
// own rows into printer.dbf.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTabWidget>
#include <QTimer>

#include "app/mainscreen.h"
#include "app/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "pdftools.h"
#include "platform/datetime/localetexts.h"
#include "reports/bitmapbytes.h"
#include "reports/printpreview.h"
#include "sampleschedule.h"
#include "testapplication.h"

using namespace tw;
using namespace tw::app;

namespace {

class VisualizePrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.State.TablesOpen);
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        const TDateTime monday = EncodeDate(2026, 12, 7);
        for (int i = 0; i < 3; ++i)
            examples::AddSampleTask(
                window, ann,
                {"Ames", "Kitchen", "Task " + std::to_string(i), monday + i + EncodeTime(9, 0, 0, 0), 2});
        window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
        window.resize(1100, 760);
        window.show();
        window.Start->stop();
        window.BuildChart(true);
    }
    void ClickPrint() { window.VisualizePage()->PrintPreviewButton()->click(); }

    app::testing::ApplicationInUse application;
    app::testing::FreshUser user;
    app::testing::Recorder recorder;
    TMainScreen window;
};

TEST_F(VisualizePrint, PrintButtonOpensTheDialogForTheChartsPeriod)
{
    window.State.DependencySetupMode = true;
    ClickPrint();
    EXPECT_EQ(window.PrintPreview(), nullptr) << "not while dependencies are being set up";
    window.State.DependencySetupMode = false;

    ClickPrint();
    reports::TPrintPreview* dialog = window.PrintPreview();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsOpen());
    const reports::ChartPeriod period = dialog->Request().Period;
    EXPECT_EQ(period.Start, window.State.ChartPeriodStart);
    EXPECT_EQ(period.End, window.State.ChartPeriodEnd);
    EXPECT_EQ(period.SpanDays, window.State.ChartSpanDays);
    EXPECT_EQ(dialog->Request().Options.Title, window.windowTitle());
    dialog->close();
}

TEST_F(VisualizePrint, GanttReportPaintsTheChartsRows)
{
    ClickPrint();
    reports::TPrintPreview* dialog = window.PrintPreview();
    ASSERT_NE(dialog, nullptr);
    dialog->SetChartTypeIndex(reports::GanttChart);
    const reports::PdfResult pdf = dialog->ChosenReportPdf();
    ASSERT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
    EXPECT_EQ(reports::testing::ReadPdf(pdf.Pdf).Pages, 1);

    db::Table& printer = window.Data().PrinterTable;
    printer.refresh();
    ASSERT_EQ(printer.recordCount(), 1);
    printer.first();
    EXPECT_EQ(printer.fieldByName("INDEX").asInteger(), window.VisualizePage()->RAC()->Count());
    const QImage image = reports::ImageFromBitmapBytes(printer.fieldByName("IMAGE").asBytes());
    ASSERT_EQ(image.width(), 1905);
    // Something of the chart is on it: its bars are not white.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            coloured += QColor(image.pixel(x, y)) != QColor(Qt::white);
    EXPECT_GT(coloured, 1000);
}

}  // namespace
