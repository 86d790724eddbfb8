// The Gantt report of the real main window, for timing it from outside
// (bench/reports/gantt-outside.sh). Each command is one process, as a user's
// session would be.
//
//   ganttprint_tool make <user folder> <tasks>
//     A fresh user whose first start makes the database, then a schedule of
//     <tasks> tasks on 20 resources, one customer and job per resource,
//     four-hour tasks one after another. The first task of each resource is
//     added through the program's own adder; the others are copies of it
//     written straight into the tables (new keys, names and times), because
//     adding tens of thousands of tasks one by one through the adder would
//     take hours.
//   ganttprint_tool show <user folder>
//     Starts the main window on that user's folders, ticks "Show all" and
//     "Individual tasks" and paints the Visualize page once.
//   ganttprint_tool print <user folder> <pdf file>
//     Starts the main window on that user's folders, ticks "Show all" and
//     "Individual tasks" (every task a row on Visualize), opens the print
//     dialog, chooses "Gantt chart" and saves the report as the e-mail
//     window would. The steps' times go to standard error; printer.dbt's
//     size afterwards too.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "schedule/visualize/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "controls/choices/fcglyphbutton.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"
#include "reports/printpreview.h"
#include "largeschedule.h"
#include "sampleschedule.h"

using namespace tw;

namespace {

constexpr int kResources = 20;

// Milliseconds since the kernel started this process (to 10 ms): the user's
// wait counts from the program's start, not from main.
long long ProcessAgeMs()
{
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char text[1024] = {};
    const size_t read = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    // The command name may hold blanks; the fields after it follow its ')'.
    const char* rest = std::strrchr(text, ')');
    if (read == 0 || !rest)
        return -1;
    unsigned long long startTicks = 0;
    // The start time is the 22nd field, the 20th after the name.
    if (std::sscanf(rest + 2,
                    "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                    &startTicks)
        != 1)
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - static_cast<long long>(startTicks * 1000 / sysconf(_SC_CLK_TCK));
}

void UseFolder(const QString& folder)
{
    QDir().mkpath(folder);
    ::setenv("XDG_CONFIG_HOME", (folder + "/config").toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", (folder + "/data").toLocal8Bit().constData(), 1);
}

int Make(const QString& folder, int tasks)
{
    UseFolder(folder);
    app::TMainScreen window;
    window.StartTimer();
    if (!window.Session().State.TablesOpen) {
        std::fprintf(stderr, "The schedule database did not open.\n");
        return 1;
    }
    if (!window.Session().Data().ChartsTable5.isEmpty()) {
        std::fprintf(stderr, "%s has a schedule already.\n", qPrintable(folder));
        return 1;
    }
    app::bench::MakeLargeSchedule(window, tasks, kResources);
    window.FormDestroy();
    std::printf("%d tasks written for %s\n", tasks, qPrintable(folder));
    return 0;
}

// Ticks a check box or a choice of the main window as a click would; false
// when the window has no such control (then the run would not show what it
// says it shows).
bool Tick(QObject& window, const char* name)
{
    auto* box = window.findChild<controls::TFcCustomGlyphButton*>(QString::fromLatin1(name));
    if (!box) {
        std::fprintf(stderr, "The main window has no %s to tick.\n", name);
        return false;
    }
    if (!box->Checked())
        box->SetChecked(true);
    return box->Checked();
}

// The main window started on the user's folders, "Show all" and "Individual
// tasks" ticked (every task a row on Visualize), the chart built. With a PDF
// file the print dialog's Gantt chart is saved there as the e-mail window
// would; without, the page is painted once. The steps' times go to standard
// error.
int Run(const QString& folder, const QString& pdfFile)
{
    UseFolder(folder);
    QElapsedTimer clock;
    clock.start();
    app::TMainScreen window;
    window.resize(1100, 760);
    window.StartTimer();
    if (!window.Session().State.TablesOpen) {
        std::fprintf(stderr, "The schedule database did not open.\n");
        return 1;
    }
    const qint64 started = clock.restart();
    // As a user does it: "Show all" on the Add / Edit / Query page,
    // "Individual tasks" under the chart, then the Visualize page, whose
    // tab builds the chart.
    window.TabControl()->setCurrentIndex(app::TMainScreen::SelectPage);
    if (!Tick(window, "RestrictToActive") || !Tick(window, "ShowJobsOnlyTasks"))
        return 1;
    window.TabControl()->setCurrentIndex(app::TMainScreen::SchedulePage);
    const qint64 charted = clock.restart();
    const long long rows = window.Features().Visualize->Page()->RAC()->Count();

    if (pdfFile.isEmpty()) {
        const QImage drawn = window.grab().toImage();
        const qint64 painted = clock.restart();
        const long long drawnAt = ProcessAgeMs();
        window.FormDestroy();
        std::fprintf(stderr,
                     "start %lld ms, show all %lld ms (%lld rows), painted %lld ms (%dx%d), "
                     "drawn %lld ms after the process started, closing %lld ms\n",
                     static_cast<long long>(started), static_cast<long long>(charted), rows,
                     static_cast<long long>(painted), drawn.width(), drawn.height(), drawnAt,
                     static_cast<long long>(clock.restart()));
        return 0;
    }
    window.Features().Printing->PrintPreviewButtonClick();
    reports::TPrintPreview* dialog = window.Features().Printing->Dialog();
    if (!dialog) {
        std::fprintf(stderr, "The print button opened no dialog.\n");
        return 1;
    }
    dialog->SetChartTypeIndex(reports::GanttChart);
    const reports::PdfResult pdf = dialog->ChosenReportPdf();
    if (!pdf.Ok()) {
        std::fprintf(stderr, "The Gantt report failed: %s\n", qPrintable(pdf.Message));
        return 1;
    }
    QFile file(pdfFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf.Pdf) != pdf.Pdf.size()) {
        std::fprintf(stderr, "%s could not be written\n", qPrintable(pdfFile));
        return 1;
    }
    file.close();
    const qint64 printed = clock.restart();

    db::Table& printer = window.Session().Data().PrinterTable;
    printer.refresh();
    const QString memo = QFileInfo(QString::fromStdString(printer.path())).dir().filePath("printer.dbt");
    std::fprintf(stderr,
                 "start %lld ms, show all %lld ms (%lld rows), gantt pdf %lld ms, %lld pages, "
                 "printer.dbt %lld bytes\n",
                 static_cast<long long>(started), static_cast<long long>(charted), rows,
                 static_cast<long long>(printed), static_cast<long long>(printer.recordCount()),
                 static_cast<long long>(QFileInfo(memo).size()));
    window.FormDestroy();
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3 || (argc < 4 && std::string(argv[1]) != "show")) {
        std::fprintf(stderr,
                     "usage: ganttprint_tool make <user folder> <tasks>\n"
                     "       ganttprint_tool print <user folder> <pdf file>\n"
                     "       ganttprint_tool show <user folder>\n");
        return 2;
    }
    const std::string command = argv[1];
    const QString folder = QString::fromLocal8Bit(argv[2]);
    UseFolder(folder);
    QApplication application(argc, argv);
    locale::PinLocale("en_US");
    if (command == "make")
        return Make(folder, std::atoi(argv[3]));
    if (command == "show")
        return Run(folder, QString());
    if (command == "print")
        return Run(folder, QString::fromLocal8Bit(argv[3]));
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
