// A resource allocation chart with a week of sample bars, to try by hand:
// drag a bar along its row or onto another row, stretch its ends, drag the
// empty plot to scroll the week, Ctrl+drag for a rubber band. The status line
// shows the last event.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>

#include "chart/charttime.h"
#include "chart/resourceallocationchart.h"

using namespace tw::chart;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Resource allocation chart"));
    auto* layout = new QVBoxLayout(&window);
    auto* chart = new TResourceAllocationChart(&window);
    auto* status = new QLabel(&window);
    layout->addWidget(chart, 1);
    layout->addWidget(status);

    const TDateTime monday = std::floor(tw::Now()) - (tw::DayOfWeek(tw::Now()) + 5) % 7;
    chart->BeginUpdate();
    chart->SetOptions(chart->Options()
                          .With(racAllowAllocationSwitchResources)
                          .With(racMultiSelect)
                          .With(racDateAxisAtBottom)
                          .With(racScrollBarOnlyIfNecessary));
    chart->SetDateTime(monday, monday + 7);
    TResourceAllocationChartAppearance& ap = chart->ChartAppearance();
    ap.SetPlotBackAlternateInterval(1.0);
    ap.SetResourceSeparatorLineStyle(Qt::SolidLine);
    const struct {
        const char* name;
        TColor color;
        TResourceDisplayStyle style;
    } crews[] = {
        {"Ann's crew", 0xCCFFCC, rsBlockArrow},  {"Bob", 0x0E6DCE, rsBlock},
        {"Carpet team", 0xD6BDB3, rsRoundRect},  {"Dan", 0x99FFFF, rsPointedBlock},
        {"Electricians", 0xFFCC99, rsLineArrow}, {"Painters", 0x9999FF, rsEllipse},
        {"Plumbers", 0xCC99FF, rsUpCalliper},    {"Roofers", 0x99CCCC, rsDownCalliper},
        {"Window cleaners", 0x66CC66, rsLine},   {"Yard work", 0xCCCC66, rsBlock},
    };
    int n = 0;
    for (const auto& crew : crews) {
        TRACResource* row = chart->AddResource(QString::fromUtf8(crew.name), crew.color, crew.style);
        for (int day = 0; day < 7; day += 1 + n % 2) {
            const double start = monday + day + (8 + (n + day) % 4) / 24.0;
            row->AddSlot(start, start + (2 + (n * 3 + day) % 7) / 24.0);
        }
        ++n;
    }
    chart->EndUpdate();

    const auto report = [status](const QString& text) { status->setText(text); };
    chart->OnAllocationDragEnd = [&](TChart* sender, TRACResource* row, TResourceAllocation* bar) {
        report(
            QStringLiteral("Moved in %1 to %2")
                .arg(row->Name(), MyDateToStr(bar->StartAt(), {}) + " " + MyTimeToStr(bar->StartAt(), {})));
        (void)sender;
    };
    chart->OnAllocationSwitchResource = [&](TChart*, TRACResource* from, TRACResource* to,
                                            TResourceAllocation*) {
        report(QStringLiteral("Moved from %1 to %2").arg(from->Name(), to->Name()));
    };
    chart->OnAllocationStretchEnd = [&](TChart*, TRACResource* row, TResourceAllocation*) {
        report(QStringLiteral("Stretched in %1").arg(row->Name()));
    };
    chart->OnAllocationDragCancel = [&](TChart*, TRACResource*, TResourceAllocation*) {
        report(QStringLiteral("Move refused"));
    };
    chart->OnResourceNameClick = [&](TChart*, TRACResource* row) { report(row->Name()); };
    chart->OnDragPlotEnd = [&](TCustomResourceAllocationChart* sender) {
        report(QStringLiteral("Period from %1").arg(MyDateToStr(sender->StartAt(), {})));
    };

    window.resize(1000, 400);
    window.show();
    return app.exec();
}
