// The toolbar and display controls on one page, in the classic look: a
// toolbar of tool buttons with a grooved spacer and a split button, the
// colour picker with every strip and the system colours, an LED sign,
// meters of each kind, and a row of status panes that keep themselves
// current (clock, Caps Lock, Insert, free memory, a marquee, the version).
//
//   controls_toolbar_display_example                      the page in a window
//   controls_toolbar_display_example --screenshot FILE    writes the page to FILE and quits

#include "controls/display/fccolorpicker.h"
#include "controls/display/fcleddisplay.h"
#include "controls/display/fcmeter.h"
#include "controls/foundation/fcthemesrv.h"
#include <QLabel>
#include "controls/panels/fcpanel.h"
#include "controls/statuspanes/fcmarqueestatus.h"
#include "controls/statuspanes/fcpollingstatus.h"
#include "controls/statuspanes/fcversioninfostatus.h"
#include "controls/toolbar/fctoolbar.h"
#include "controls/toolbar/fctoolbutton.h"
#include "platform/datetime/localetexts.h"

#include "examplepage.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>

using namespace tw::controls;

namespace {

// Small glyphs drawn here, so the page needs no picture files.
QImage Glyph(QColor colour, const QString& letter)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(colour.darker(150));
    p.setBrush(colour);
    p.drawRect(1, 1, 13, 13);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, letter);
    return image;
}

QLabel* Caption(QWidget* page, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, page);
    label->move(x, y);
    return label;
}

void Toolbar(QWidget* page, TFcImageList* images, QMenu* menu)
{
    const QStringList letters{"N", "O", "S", "P", "W", "M"};
    const QList<QColor> colours{QColor(40, 110, 190), QColor(200, 150, 30), QColor(40, 150, 80),
                                QColor(120, 120, 120), QColor(170, 60, 60), QColor(110, 70, 160)};
    for (int i = 0; i < letters.size(); ++i)
        images->AddMasked(QImage(Glyph(colours[i], letters[i]).convertToFormat(QImage::Format_RGB32)), clNone);
    auto* bar = new TFcToolbar(page);
    bar->setObjectName("MainToolbar");
    bar->setGeometry(0, 0, 620, 32);
    bar->SetImages(images);
    bar->SetTextOptions(ttoSelectiveTextOnRight);
    const QStringList captions{"New", "Open", "Save", "", "Week", "Month"};
    for (int i = 0; i < captions.size(); ++i) {
        if (i == 3) {
            auto* spacer = new TFcSpacer(bar);
            spacer->SetGrooved(true);
        }
        auto* b = new TFcToolButton(bar);
        b->setObjectName(QStringLiteral("Button%1").arg(i));
        b->SetCaption(captions[i].isEmpty() ? QStringLiteral("Print") : captions[i]);
        b->SetImageIndex(i);
        if (i >= 4) {
            b->SetGroupIndex(1);
            b->SetDown(i == 4);
        }
        if (i == 3) {
            b->SetToolStyle(tsDropDown);
            b->SetDropDownMenu(menu);
            b->OnClick = [](TFcControl*) {};
        }
    }
    bar->PositionControls();
}

void Displays(QWidget* page)
{
    Caption(page, "Colour picker", 16, 48);
    auto* picker = new TFcColorPicker(page);
    picker->move(16, 68);
    picker->SetShowNoColor(true);
    picker->SetShowDefaultColor(true);
    picker->SetShowCustomColor(true);
    picker->SetShowSystemColors(true);
    picker->SetSelectedColor(0x00FF0000);
    picker->SetHighlightColorIndex(26);

    Caption(page, "LED display", 220, 48);
    auto* led = new TFcLEDDisplay(page);
    led->setGeometry(220, 68, 380, 40);
    led->SetCaption("Tarnwick");
    led->SetScrollType(stRightToLeft);
    led->SetScrolling(true);
    // Part way through its pass, so the sign reads at once.
    for (int i = 0; i < 70; ++i)
        led->Tick();

    Caption(page, "Meters", 220, 124);
    const TFcMeterType types[] = {mtLED, mtNormal, mtBar3D};
    for (int i = 0; i < 3; ++i) {
        auto* meter = new TFcMeter(page);
        meter->setGeometry(220, 144 + i * 38, 180, 30);
        meter->SetMeterType(types[i]);
        meter->SetValue(30 + i * 25);
        if (types[i] != mtLED) {
            meter->SetBackColor(0xFFFFFF);
            meter->SetBarColor(0xC08040);
        }
    }
    auto* trapezoid = new TFcMeter(page);
    trapezoid->setGeometry(420, 144, 180, 30);
    trapezoid->SetMeterShape(msTrapezoidal);
    trapezoid->SetMeterType(mtNormal);
    trapezoid->SetBorderOuter(fsLowered);
    trapezoid->SetValue(70);
    auto* up = new TFcMeter(page);
    up->setGeometry(420, 182, 40, 68);
    up->SetDirection(dirUp);
    up->SetValue(90);
    up->SetShowPercent(false);
}

void Panes(QWidget* page, TFcVersionInfo* version)
{
    auto* row = new TFcPanel(page);
    row->setGeometry(0, 316, 620, 24);
    row->SetBorderOuter(fsNone);
    auto* clock = new TFcClockStatus(row);
    clock->setGeometry(2, 2, 150, 20);
    auto* caps = new TFcKeyStatus(row);
    caps->setGeometry(154, 2, 45, 20);
    auto* insert = new TFcKeyStatus(row);
    insert->SetKey(tkInsert);
    insert->setGeometry(201, 2, 60, 20);
    auto* memory = new TFcResourceStatus(row);
    memory->setGeometry(263, 2, 90, 20);
    memory->SetShowPercent(true);
    memory->TimerExpired();
    auto* marquee = new TFcMarqueeStatus(row);
    marquee->setGeometry(355, 2, 130, 20);
    marquee->SetCaption("Backup done");
    for (int i = 0; i < 100; ++i)
        marquee->Tick();
    auto* pane = new TFcVersionInfoStatus(row);
    pane->setGeometry(487, 2, 131, 20);
    pane->SetFieldLabel("Version");
    pane->SetVersionInfo(version);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetVisualStylesEnabled(false);
    tw::locale::PinLocale("en_US");
    QWidget page;
    page.setFixedSize(620, 340);
    tw::examples::PrepareClassicPage(page, QStringLiteral("Component library: toolbar and display controls"));
    TFcImageList images(16, 16);
    QMenu menu;
    menu.addAction("Print the day");
    menu.addAction("Print the week");
    TFcVersionInfo version;
    Toolbar(&page, &images, &menu);
    Displays(&page);
    Panes(&page, &version);

    return tw::examples::ShowOrSaveScreenshot(app, page);
}
