// Panels, choices and labels: a captioned group box's paint, a 16-item radio
// group's layout and paint, an arc label's paint, and a page of group boxes,
// radio groups and check boxes laid out like the Add / Edit / Query page
// (its three choices, its status restriction, its framed sections) repainted
// as a whole.

#include "controls/choices/fcchoicegroup.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/labels/fclabel.h"
#include "controls/panels/fcgroupbox.h"

#include <QApplication>
#include <QGridLayout>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

using namespace tw::controls;

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_fcpanels_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        SetVisualStylesEnabled(false);
        return a;
    }();
    return *app;
}

QStringList Items(int n)
{
    QStringList items;
    for (int i = 0; i < n; ++i)
        items << QStringLiteral("Choice %1").arg(i + 1);
    return items;
}

void BM_GroupBoxPaint(benchmark::State& state)
{
    App();
    TFcGroupBox box;
    box.resize(300, 100);
    box.SetCaption(QStringLiteral("Resource display"));
    for (auto _ : state) {
        QImage image = box.RenderImage();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_GroupBoxPaint)->Unit(benchmark::kMicrosecond);

void BM_RadioGroupLayout(benchmark::State& state)
{
    App();
    TFcRadioGroup group;
    group.resize(400, 200);
    group.SetCaption(QStringLiteral("Sort order"));
    group.SetColumns(4);
    group.SetItems(Items(16));
    for (auto _ : state)
        group.Arrange();
}
BENCHMARK(BM_RadioGroupLayout)->Unit(benchmark::kMicrosecond);

void BM_RadioGroupPaint(benchmark::State& state)
{
    App();
    TFcRadioGroup group;
    group.resize(400, 200);
    group.SetCaption(QStringLiteral("Sort order"));
    group.SetColumns(4);
    group.SetItems(Items(16));
    group.SetItemIndex(5);
    QImage image(group.size(), QImage::Format_RGB32);
    // The group and every item, as a repaint of the window shows them.
    for (auto _ : state) {
        group.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RadioGroupPaint)->Unit(benchmark::kMicrosecond);

void BM_ArcLabelPaint(benchmark::State& state)
{
    App();
    TFcLabel label;
    label.SetAutoSize(false);
    label.resize(160, 160);
    label.SetRotation(roCurve);
    label.SetAngle(90);
    label.SetCaption(QStringLiteral("Twenty characters ok"));
    for (auto _ : state) {
        QImage image = label.RenderImage();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ArcLabelPaint)->Unit(benchmark::kMicrosecond);

// The Add / Edit / Query page's framed choices: the status, resource display
// and sort radio groups, the status restriction check box and the section
// group boxes around the lists, about 900 x 560.
void BM_QueryPageRepaint(benchmark::State& state)
{
    App();
    QWidget page;
    page.resize(900, 560);
    auto* grid = new QGridLayout(&page);
    const char* sections[] = {"Customers", "Jobs", "Tasks", "Selection"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new TFcGroupBox(&page);
        box->SetCaption(QString::fromLatin1(sections[i]));
        grid->addWidget(box, i / 2, i % 2);
    }
    auto* status = new TFcRadioGroup(&page);
    status->SetCaption(QStringLiteral("Task status"));
    status->SetColumns(2);
    status->SetItems({QStringLiteral("Awarded"), QStringLiteral("Closed"), QStringLiteral("In progress"),
                      QStringLiteral("None"), QStringLiteral("Not awarded"), QStringLiteral("Pending")});
    status->SetItemIndex(0);
    grid->addWidget(status, 2, 0);
    auto* display = new TFcRadioGroup(&page);
    display->SetCaption(QStringLiteral("Resource display"));
    display->SetItems({QStringLiteral("All resources"), QStringLiteral("Assigned resources")});
    grid->addWidget(display, 2, 1);
    auto* sort = new TFcRadioGroup(&page);
    sort->SetCaption(QStringLiteral("Sort by"));
    sort->SetColumns(3);
    sort->SetItems({QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Date")});
    grid->addWidget(sort, 3, 0);
    auto* restrict = new TFcCheckBox(&page);
    restrict->SetCaption(QStringLiteral("Restrict to selected status"));
    grid->addWidget(restrict, 3, 1);
    page.show();
    QApplication::processEvents();
    QImage image(page.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        page.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_QueryPageRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
