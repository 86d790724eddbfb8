// The status bar with its panes, the progress bar, the splitter and the size
// panel on one page, in the classic look.
//
//   controls_status_example                      the page in a window
//   controls_status_example --screenshot FILE    writes the page to FILE and quits

#include "controls/base/fccontrol.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/labels/fclabel.h"
#include "controls/panels/fcpanel.h"
#include "controls/sizing/fcsizepanel.h"
#include "controls/sizing/fcsplitter.h"
#include "controls/status/fcglyphstatus.h"
#include "controls/status/fcprogressbar.h"
#include "controls/status/fcstatusbar.h"

#include "examplepage.h"

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>

using namespace tw::controls;

namespace {

constexpr TColor kPage = RGB(212, 208, 200);

template <typename T>
T* Place(QWidget* parent, int x, int y, int w, int h)
{
    auto* control = new T(parent);
    control->setGeometry(x, y, w, h);
    return control;
}

void Heading(QWidget* page, int x, int y, const QString& text)
{
    auto* label = Place<TFcLabel>(page, x, y, 420, 16);
    label->SetColor(kPage);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->SetCaption(text);
}

void Caption(QWidget* page, int x, int y, int w, const QString& text)
{
    auto* label = Place<TFcLabel>(page, x, y, w, 14);
    label->SetColor(kPage);
    label->SetCaption(text);
}

// A small disk glyph: two cells, the second the disabled picture.
QImage DiskGlyph()
{
    QImage glyph = MakeBitmap(32, 16, RGB(255, 0, 255));
    for (int cell = 0; cell < 2; ++cell) {
        const QRgb body = ToRgb32(cell == 0 ? RGB(0, 0, 128) : RGB(128, 128, 128));
        const QRgb label = ToRgb32(clWhite);
        for (int y = 2; y < 14; ++y) {
            for (int x = 2; x < 14; ++x)
                glyph.setPixel(cell * 16 + x, y, body);
        }
        for (int y = 3; y < 8; ++y) {
            for (int x = 4; x < 12; ++x)
                glyph.setPixel(cell * 16 + x, y, label);
        }
    }
    return glyph;
}

void StatusBars(QWidget* page)
{
    Heading(page, 12, 10, QStringLiteral("Status bars"));
    // A window's bar: fixed panes, a glyph pane and a progress bar in the last one.
    auto* frame = Place<TFcPanel>(page, 12, 32, 520, 64);
    frame->SetBorderOuter(fsLowered);
    frame->SetColor(clWindow);
    auto* bar = new TFcStatusBar(frame);
    bar->Loaded();
    bar->SetShowSizeGrip(false);
    bar->AddPane(110)->SetCaption(QStringLiteral("Backing up"));
    bar->AddPane(130)->SetCaption(QStringLiteral("Record 12 of 300"));
    auto* disk = new TFcGlyphStatus;
    bar->AddPane(disk, 120);
    disk->SetGlyph(DiskGlyph());
    disk->SetCaption(QStringLiteral("/srv/schedule"));
    TFcStatusPane* last = bar->AddPane(0);
    auto* progress = new TFcProgressBar(last);
    progress->setGeometry(3, 2, 140, 15);
    progress->SetBorderOuter(fsNone);
    progress->SetTotalParts(300);
    progress->SetPartsComplete(12);
    frame->Realign();

    // Simple mode: one text, the panes hidden.
    auto* frame2 = Place<TFcPanel>(page, 12, 106, 520, 40);
    frame2->SetBorderOuter(fsLowered);
    frame2->SetColor(clWindow);
    auto* simple = new TFcStatusBar(frame2);
    simple->Loaded();
    simple->SetShowSizeGrip(false);
    simple->AddPane(100)->SetCaption(QStringLiteral("hidden"));
    simple->SetSimpleCaption(QStringLiteral("Waiting for network access"));
    simple->SetSimpleStatus(true);
    frame2->Realign();

    // Pane frames side by side.
    const struct {
        TFrameStyle style;
        const char* text;
    } frames[] = {{fsFlat, "Flat"}, {fsLowered, "Lowered"}, {fsStatus, "Status"}, {fsGroove, "Groove"}};
    int x = 12;
    for (const auto& f : frames) {
        auto* pane = Place<TFcStatusPane>(page, x, 156, 122, 20);
        pane->SetColor(kPage);
        pane->SetFrameStyle(f.style);
        pane->SetCaption(QString::fromLatin1(f.text));
        pane->SetAlignment(taCenter);
        x += 132;
    }
}

void ProgressBars(QWidget* page)
{
    Heading(page, 560, 10, QStringLiteral("Progress bars"));
    auto* plain = Place<TFcProgressBar>(page, 560, 32, 200, 24);
    plain->SetPercent(57);
    auto* led = Place<TFcProgressBar>(page, 560, 64, 200, 24);
    led->SetBarStyle(bsLED);
    led->SetPercent(57);
    auto* flat = Place<TFcProgressBar>(page, 560, 96, 200, 24);
    flat->SetBorderOuter(fsFlat);
    flat->SetBorderInner(fsFlat);
    flat->SetInteriorOffset(2);
    flat->SetBarColor(RGB(0, 128, 0));
    flat->SetTotalParts(8);
    flat->SetPartsComplete(3);  // 37.5 rounds to 38
    auto* standing = Place<TFcProgressBar>(page, 780, 32, 24, 120);
    standing->SetBounds(780, 32, 24, 120);
    standing->SetPercent(70);
    standing->SetShowPercent(false);
    auto* standingLed = Place<TFcProgressBar>(page, 814, 32, 24, 120);
    standingLed->SetBounds(814, 32, 24, 120);
    standingLed->SetBarStyle(bsLED);
    standingLed->SetNumSegments(10);
    standingLed->SetPercent(40);
    Caption(page, 560, 128, 210, QStringLiteral("3 of 8 parts: 38% (half to even)"));
}

void Splitter(QWidget* page)
{
    Heading(page, 12, 196, QStringLiteral("Splitter"));
    auto* split = Place<TFcSplitter>(page, 12, 218, 520, 220);
    split->SetBorderOuter(fsLowered);
    split->SetPosition(160);
    split->SetSplitterWidth(7);
    split->SetHotSpotVisible(true);
    split->SetHotSpotDirection(hsdBoth);
    auto* tree = new QTreeWidget(split->UpperLeftPane());
    tree->setHeaderHidden(true);
    for (const char* name : {"Schedule", "Backups", "Reports", "Photos"}) {
        auto* item = new QTreeWidgetItem(tree, {QString::fromLatin1(name)});
        if (QString::fromLatin1(name) == QStringLiteral("Backups")) {
            new QTreeWidgetItem(item, {QStringLiteral("Daily")});
            new QTreeWidgetItem(item, {QStringLiteral("Weekly")});
            item->setExpanded(true);
        }
    }
    TFcCustomPanel::SetAlign(tree, alClient);
    auto* list = new QListWidget(split->LowerRightPane());
    for (const char* name : {"customer.dbf", "jobs.dbf", "resources.dbf", "tasks.dbf", "eparams.dbf",
                             "calendar.dbf", "status.dbf"})
        list->addItem(QString::fromLatin1(name));
    TFcCustomPanel::SetAlign(list, alClient);
}

void SizePanels(QWidget* page)
{
    Heading(page, 560, 196, QStringLiteral("Size panels"));
    auto* host = Place<TFcPanel>(page, 560, 218, 368, 220);
    host->SetBorderOuter(fsLowered);
    host->SetColor(clWindow);
    auto* left = new TFcSizePanel(host);
    left->resize(130, 200);
    left->SetSizeBarStyle(ssBump);
    left->SetHotSpotVisible(true);
    left->SetCaption(QStringLiteral("Left, dragged by its bar"));
    auto* bottom = new TFcSizePanel(host);
    bottom->SetAlign(alBottom);
    bottom->resize(200, 70);
    bottom->SetSizeBarStyle(ssGroove);
    bottom->SetHotSpotVisible(true);
    bottom->SetCaption(QStringLiteral("Bottom"));
    host->Realign();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The classic look, the same on every machine.
    SetVisualStylesEnabled(false);
    QWidget page;
    page.resize(940, 480);
    tw::examples::PrepareClassicPage(page, QStringLiteral("Component library: status and sizing"));
    StatusBars(&page);
    ProgressBars(&page);
    Splitter(&page);
    SizePanels(&page);
    // The page's own bar, with its grip in the corner.
    auto* bar = new TFcStatusBar(&page);
    bar->Loaded();
    bar->setGeometry(0, 461, 940, 19);
    bar->AddPane(200)->SetCaption(QStringLiteral("Ready"));
    bar->AddPane(0)->SetCaption(QStringLiteral("Drag a bar, or click a hot spot"));
    NotifyLoaded(&page);

    return tw::examples::ShowOrSaveScreenshot(app, page);
}
