// Makes the report samples of the documentation: the sample schedule in a
// fresh program folder, the four reports of it as PDF files, and a picture
// of the print preview.
//
//   QT_QPA_PLATFORM=offscreen reportsamples_tool docs/samples docs/screenshots/print-preview.png

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "platform/datetime/localetexts.h"
#include "reports/printpreview.h"
#include "sampleschedule.h"

using namespace tw;

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: reportsamples_tool <pdf folder> <preview picture>\n");
        return 2;
    }
    QTemporaryDir user;
    ::setenv("XDG_CONFIG_HOME", (user.path() + "/config").toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", (user.path() + "/data").toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    locale::PinLocale("en_US");

    app::TMainScreen window;
    window.StartTimer();
    if (!window.Session().State.TablesOpen) {
        std::fprintf(stderr, "The schedule database did not open.\n");
        return 1;
    }
    const TDateTime monday = EncodeDate(2026, 12, 7);
    examples::FillSampleSchedule(window, monday);
    data::TEstimateData& d = window.Session().Data();
    // Rates and a letterhead, so that the charges and the footer read as real.
    double rate = 38;
    for (d.CrewsTable2.first(); !d.CrewsTable2.eof(); d.CrewsTable2.next()) {
        d.CrewsTable2.edit();
        d.CrewsTable2.fieldByName("RATE").setAsFloat(rate);
        d.CrewsTable2.fieldByName("NOTES").setAsString("Full-time");
        d.CrewsTable2.post();
        rate += 4.5;
    }
    db::Table& company = d.MyCompanyTable;
    company.first();
    if (company.eof())
        company.append();
    else
        company.edit();
    company.fieldByName("MYCOMPY").setAsString("Fernhollow Home Services");
    company.fieldByName("MYADDR1").setAsString("14 Mill Road");
    company.fieldByName("MYCITY").setAsString("Springfield");
    company.fieldByName("MYSTATE").setAsString("IL");
    company.fieldByName("MYPHONE").setAsString("(217) 555-0142");
    company.post();
    window.Features().Visualize->SetChartDateRange(true, monday, monday + 14);
    window.Features().Visualize->BuildChart(false);
    window.resize(1100, 760);

    // The print button, with the chart's period as the chart shows it.
    window.Features().Printing->PrintPreviewButtonClick();
    reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
    if (!dialog) {
        std::fprintf(stderr, "The print button opened no dialog.\n");
        return 1;
    }
    const QString names[] = {"gantt-chart.pdf", "bar-chart.pdf", "text-schedule.pdf", "resource-summary.pdf"};
    QDir().mkpath(argv[1]);
    for (int type = reports::GanttChart; type <= reports::ResourceSummary; ++type) {
        dialog->SetChartTypeIndex(type);
        for (const char* box :
             {"IncludeTotals", "IncludeResources", "IncludeResourceNotes", "IncludeOriginal"})
            if (auto* check = dialog->findChild<QAbstractButton*>(box))
                check->setChecked(true);
        const reports::PdfResult pdf = dialog->ChosenReportPdf();
        if (!pdf.Ok()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(names[type]), qPrintable(pdf.Message));
            return 1;
        }
        QFile file(QDir(argv[1]).filePath(names[type]));
        if (!file.open(QIODevice::WriteOnly) || file.write(pdf.Pdf) != pdf.Pdf.size()) {
            std::fprintf(stderr, "%s could not be written\n", qPrintable(file.fileName()));
            return 1;
        }
    }

    dialog->SetChartTypeIndex(reports::AnnotatedBarChart);
    bool saved = false;
    dialog->ShowPreview = [&](QPrintPreviewDialog& preview) {
        preview.setWindowState(Qt::WindowNoState);
        preview.resize(900, 1000);
        preview.show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        saved = preview.grab().save(QString::fromLocal8Bit(argv[2]));
        preview.close();
    };
    dialog->PreviewEstimateClick();
    window.FormDestroy();
    if (!saved) {
        std::fprintf(stderr, "The preview picture could not be saved.\n");
        return 1;
    }
    std::printf("Report samples written.\n");
    return 0;
}
