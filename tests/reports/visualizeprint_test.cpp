// The Visualize page's print button in the main window: it opens the print
// dialog with the chart's period, and the Gantt report paints the chart's
// own rows into printer.dbf.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "controls/choices/fcglyphbutton.h"
#include "pdftools.h"
#include "platform/datetime/localetexts.h"
#include "reports/printpreview.h"
#include "sampleschedule.h"
#include "samplewindow.h"

using namespace tw;
using namespace tw::app;

namespace {

class VisualizePrint : public app::testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        const std::int32_t ann = examples::AddSampleResource(window, "Ann");
        const TDateTime monday = EncodeDate(2026, 12, 7);
        for (int i = 0; i < 3; ++i)
            examples::AddSampleTask(
                window, ann,
                {"Ames", "Kitchen", "Task " + std::to_string(i), monday + i + EncodeTime(9, 0, 0, 0), 2});
        ShowOn(TMainScreen::SchedulePage);
        window.Features().Visualize->BuildChart(true);
    }
    void ClickPrint() { window.Features().Visualize->Page()->PrintPreviewButton()->Click(); }
};

TEST_F(VisualizePrint, PrintButtonOpensTheDialogForTheChartsPeriod)
{
    window.Session().State.DependencySetupMode = true;
    ClickPrint();
    EXPECT_EQ(window.Features().Printing->Dialog(), nullptr) << "not while dependencies are being set up";
    window.Session().State.DependencySetupMode = false;

    ClickPrint();
    reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsOpen());
    const reports::ChartPeriod period = dialog->Request().Period;
    EXPECT_EQ(period.Start, window.Session().Chart.ShownStart());
    EXPECT_EQ(period.End, window.Session().Chart.ShownEnd());
    EXPECT_EQ(period.SpanDays, window.Session().Chart.ChartSpanDays);
    // The period the chart shows.
    const chart::TResourceAllocationChart* rac = window.Features().Visualize->Page()->RAC();
    EXPECT_EQ(period.Start, rac->StartAt());
    EXPECT_EQ(period.End, rac->EndAt());
    EXPECT_EQ(dialog->Request().Options.Title, window.windowTitle());
    dialog->close();
}

// With no task to fit it to, the chart shows the period it was given (on the
// quarter-hour grid), and the print dialog opens on that period.
class EmptyChartPrint : public app::testing::SampleWindowTest {};

TEST_F(EmptyChartPrint, ThePrintDialogOpensOnThePeriodTheChartShows)
{
    ShowOn(TMainScreen::SchedulePage);
    const TDateTime monday = EncodeDate(2026, 12, 7);
    window.Features().Visualize->SetChartDateRange(true, monday + EncodeTime(8, 7, 0, 0), monday + 7);
    window.Features().Visualize->BuildChart(true);
    window.Features().Visualize->Page()->PrintPreviewButton()->Click();
    reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
    ASSERT_NE(dialog, nullptr);
    const reports::ChartPeriod period = dialog->Request().Period;
    const chart::TResourceAllocationChart* rac = window.Features().Visualize->Page()->RAC();
    EXPECT_EQ(period.Start, rac->StartAt());
    EXPECT_EQ(period.End, rac->EndAt());
    EXPECT_NEAR(period.Start, monday + EncodeTime(8, 15, 0, 0), 1e-9);
    dialog->close();
}

TEST_F(VisualizePrint, GanttReportPaintsTheChartsRows)
{
    ClickPrint();
    reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
    ASSERT_NE(dialog, nullptr);
    dialog->SetChartTypeIndex(reports::GanttChart);
    const reports::PdfResult pdf = dialog->ChosenReportPdf();
    ASSERT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
    EXPECT_EQ(reports::testing::ReadPdf(pdf.Pdf).Pages, 1);

    db::Table& printer = window.Session().Data().PrinterTable;
    printer.refresh();
    ASSERT_EQ(printer.recordCount(), 1);
    printer.first();
    EXPECT_EQ(printer.fieldByName("INDEX").asInteger(), window.Features().Visualize->Page()->RAC()->Count());
    EXPECT_TRUE(printer.fieldByName("IMAGE").asBytes().empty()) << "the page is drawn, not kept as pixels";
    // The chart's rows are on the page as text and bars.
    const reports::testing::PdfFacts facts = reports::testing::ReadPdf(pdf.Pdf);
    for (const char* name : {"Task 0", "Task 1", "Task 2", "Ames : Kitchen"})
        EXPECT_TRUE(facts.Text.contains(QString::fromUtf8(name))) << name << "\n" << facts.Text.toStdString();
    const QImage page = reports::testing::RenderPage(pdf.Pdf, 1, 50);
    ASSERT_FALSE(page.isNull());
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            coloured += QColor(page.pixel(x, y)) != QColor(Qt::white);
    EXPECT_GT(coloured, page.width() * page.height() / 10);
}

// The sample schedule printed from the Visualize page as a user prints it,
// in either display mode.
class SampleSchedulePrint : public app::testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
        ShowOn(TMainScreen::SchedulePage);
        window.Features().Visualize->BuildChart(true);
    }
    void ShowJobsOnly(bool jobs)
    {
        auto* mode = window.Features().Visualize->Page()->findChild<controls::TFcRadioButton*>(
            jobs ? QStringLiteral("ShowJobsOnlyJobs") : QStringLiteral("ShowJobsOnlyTasks"));
        ASSERT_NE(mode, nullptr);
        mode->SetChecked(true);
    }
    // The text of the report the Print button's dialog makes.
    QString PrintedText(int type)
    {
        window.Features().Visualize->Page()->PrintPreviewButton()->Click();
        reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return {};
        dialog->SetChartTypeIndex(type);
        const reports::PdfResult pdf = dialog->ChosenReportPdf();
        dialog->close();
        EXPECT_TRUE(pdf.Ok()) << pdf.Message.toStdString();
        return reports::testing::ReadPdf(pdf.Pdf).Text;
    }
};

// A second customer's job of the same name as another's: a job of its own,
// with a summary row of its own in "Overall jobs only".
TEST_F(SampleSchedulePrint, OverallJobsOnlyBarChartPrintsAJobNamedAsAnotherCustomersJob)
{
    const std::int32_t crew = examples::AddSampleResource(window, "Glaziers");
    ASSERT_NE(examples::AddSampleTask(window, crew,
                                      {"Young, Alice", "Kitchen refit", "Measure up",
                                       EncodeDate(2026, 12, 21) + EncodeTime(9, 0, 0, 0), 2}),
              0);
    // The query shows the current customer's current job: Alice Young's kitchen.
    ShowJobsOnly(true);
    const QString text = PrintedText(reports::AnnotatedBarChart);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\n\\s*Job\\s")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Young, Alice : Kitchen refit"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral(" to ")), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(
        QRegularExpression(QStringLiteral("12/21/2026 [0-9:]+ AM to 12/21/2026 .* 2.00 hours"))))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Measure up"))) << "no task rows";

    ShowJobsOnly(false);
    const QString tasks = PrintedText(reports::AnnotatedBarChart);
    EXPECT_TRUE(tasks.contains(QStringLiteral("Measure up"))) << tasks.toStdString();
}

}  // namespace
