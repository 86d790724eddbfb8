// Panels, group boxes, borders, radio buttons and check boxes, radio and check
// groups and labels on one page, in the classic look.
//
//   controls_panels_example                      the page in a window
//   controls_panels_example --screenshot FILE    writes the page to FILE and quits

#include "controls/base/fcformkeys.h"
#include "controls/choices/fcchoicegroup.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/labels/fclabel.h"
#include "controls/panels/fcborder.h"
#include "controls/panels/fcgroupbox.h"

#include "examplepage.h"

#include <QApplication>

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

TFcLabel* Heading(QWidget* page, int x, int y, const QString& text)
{
    auto* label = Place<TFcLabel>(page, x, y, 300, 16);
    label->SetColor(kPage);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->SetCaption(text);
    return label;
}

void Panels(QWidget* page)
{
    Heading(page, 10, 8, QStringLiteral("Panels: frames on chosen sides, band, grid, caption"));
    auto* raised = Place<TFcPanel>(page, 10, 30, 130, 70);
    raised->SetCaption(QStringLiteral("Raised"));
    auto* framed = Place<TFcPanel>(page, 150, 30, 130, 70);
    framed->SetBorderInner(fsLowered);
    framed->SetBorderWidth(3);
    framed->SetCaption(QStringLiteral("Band and inner frame"));
    auto* sides = Place<TFcPanel>(page, 290, 30, 130, 70);
    sides->SetBorderOuter(fsFlatBold);
    sides->SetBorderSides(SideBit(sdLeft) | SideBit(sdBottom));
    sides->SetAlignmentVertical(avBottom);
    sides->SetCaption(QStringLiteral("Left and bottom"));
    auto* grid = Place<TFcPanel>(page, 430, 30, 130, 70);
    grid->SetBorderOuter(fsLowered);
    grid->SetColor(RGB(255, 255, 255));
    grid->SetShowGrid(true);
    grid->SetGridStyle(gsDottedLines);
    grid->SetAlignmentVertical(avTop);
    grid->SetCaption(QStringLiteral("Dotted grid"));
    auto* disabled = Place<TFcPanel>(page, 570, 30, 130, 70);
    disabled->SetBorderOuter(fsStatus);
    disabled->SetCaption(QStringLiteral("Disabled"));
    disabled->setEnabled(false);

    Heading(page, 720, 8, QStringLiteral("Borders"));
    const TFrameStyle styles[] = {fsGroove, fsBump, fsStatus, fsFlat};
    for (int i = 0; i < 4; ++i) {
        auto* border = Place<TFcBorder>(page, 720 + i * 55, 30, 48, 70);
        border->SetBorderOuter(styles[i]);
        if (i == 1) {
            border->SetBorderWidth(3);
            border->SetBorderColor(RGB(96, 140, 200));
            border->SetBorderInner(fsLowered);
        }
        if (i == 3)
            border->SetBorderSides(SideBit(sdTop) | SideBit(sdBottom));
    }
}

void GroupBoxes(QWidget* page)
{
    Heading(page, 10, 112, QStringLiteral("Group boxes: standard, custom, top line, flat, disabled"));
    const std::pair<TFcGroupBoxStyle, const char*> styles[] = {
        {gsStandard, "Standard"}, {gsCustom, "Custom"}, {gsTopLine, "Top line"}, {gsFlat, "Flat"}};
    int x = 10;
    for (const auto& [style, name] : styles) {
        auto* box = Place<TFcGroupBox>(page, x, 134, 160, 80);
        box->SetGroupBoxStyle(style);
        if (style == gsCustom) {
            box->SetBorderOuter(fsRaised);
            box->SetAlignment(taCenter);
            box->SetAlignmentVertical(avCenter);
        }
        box->SetCaption(QString::fromLatin1(name));
        x += 172;
    }
    auto* disabled = Place<TFcGroupBox>(page, x, 134, 160, 80);
    disabled->SetCaption(QStringLiteral("Disabled"));
    auto* inside = Place<TFcCheckBox>(disabled, 10, 30, 140, 17);
    inside->SetCaption(QStringLiteral("Kept disabled"));
    disabled->setEnabled(false);
}

void Choices(QWidget* page)
{
    Heading(page, 10, 226, QStringLiteral("Radio buttons and check boxes: classic mark, hot-track mark"));
    auto* classic = Place<TFcGroupBox>(page, 10, 248, 200, 130);
    classic->SetCaption(QStringLiteral("Classic"));
    auto* a = Place<TFcRadioButton>(classic, 10, 22, 180, 17);
    a->SetCaption(QStringLiteral("&One-off job"));
    auto* b = Place<TFcRadioButton>(classic, 10, 42, 180, 17);
    b->SetCaption(QStringLiteral("&Repeating job"));
    b->SetChecked(true);
    auto* c = Place<TFcCheckBox>(classic, 10, 66, 180, 17);
    c->SetCaption(QStringLiteral("&Print on save"));
    c->SetChecked(true);
    auto* d = Place<TFcCheckBox>(classic, 10, 86, 180, 17);
    d->SetCaption(QStringLiteral("Some selected (grayed)"));
    d->SetAllowGrayed(true);
    d->InitState(cbGrayed);
    auto* e = Place<TFcCheckBox>(classic, 10, 106, 180, 17);
    e->SetCaption(QStringLiteral("Disabled"));
    e->setEnabled(false);

    auto* hot = Place<TFcGroupBox>(page, 222, 248, 200, 130);
    hot->SetCaption(QStringLiteral("Hot-track mark"));
    const char* captions[] = {"Unchecked", "Checked", "Disabled"};
    for (int i = 0; i < 3; ++i) {
        auto* r = Place<TFcRadioButton>(hot, 10, 22 + i * 20, 85, 17);
        r->SetHotTrack(true);
        r->SetCaption(QString::fromLatin1(captions[i]));
        auto* k = Place<TFcCheckBox>(hot, 100, 22 + i * 20, 95, 17);
        k->SetHotTrack(true);
        k->SetCaption(QString::fromLatin1(captions[i]));
        // One radio button of the set is checked; the disabled one is not.
        if (i > 0)
            k->InitState(cbChecked);
        if (i == 1)
            r->SetChecked(true);
        if (i == 2) {
            r->setEnabled(false);
            k->setEnabled(false);
        }
    }
    auto* styled = Place<TFcCheckBox>(hot, 10, 88, 180, 17);
    styled->SetHotTrack(true);
    styled->SetTextStyle(tsRaised);
    styled->SetCaption(QStringLiteral("Raised caption"));
    auto* grayed = Place<TFcCheckBox>(hot, 10, 108, 180, 17);
    grayed->SetHotTrack(true);
    grayed->SetAllowGrayed(true);
    grayed->InitState(cbGrayed);
    grayed->SetCaption(QStringLiteral("Grayed"));

    auto* status = Place<TFcRadioGroup>(page, 434, 248, 250, 90);
    status->SetCaption(QStringLiteral("Task &status"));
    status->SetColumns(2);
    status->SetItemHotTrack(true);
    status->SetItems({QStringLiteral("Awarded"), QStringLiteral("Closed"), QStringLiteral("In progress"),
                      QStringLiteral("None"), QStringLiteral("Not awarded"), QStringLiteral("Pending")});
    status->SetItemIndex(2);

    auto* sort = Place<TFcRadioGroup>(page, 434, 344, 250, 50);
    sort->SetCaption(QStringLiteral("Sort by (spread evenly)"));
    sort->SetGroupBoxStyle(gsTopLine);
    sort->SetColumns(3);
    sort->SetSpaceEvenly(true);
    sort->SetItems({QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Date")});
    sort->SetItemIndex(0);

    auto* checks = Place<TFcCheckGroup>(page, 696, 248, 230, 130);
    checks->SetCaption(QStringLiteral("Check group"));
    checks->SetGroupBoxStyle(gsStandard);
    checks->SetAllowGrayed(true);
    checks->SetItems({QStringLiteral("Show weekends"), QStringLiteral("Show holidays"),
                      QStringLiteral("Show assigned resources"), QStringLiteral("Print in colour")});
    checks->SetItemState(0, cbChecked);
    checks->SetItemState(2, cbGrayed);
    checks->SetItemEnabled(3, false);
}

void Labels(QWidget* page)
{
    Heading(page, 10, 400, QStringLiteral("Labels: 3-D text, frames, rotation, arc text, link"));
    QFont big = page->font();
    big.setPixelSize(18);
    big.setBold(true);
    const std::pair<TTextStyle, const char*> styles[] = {
        {tsRaised, "Raised"}, {tsRecessed, "Recessed"}, {tsShadow, "Shadow"}};
    int y = 424;
    for (const auto& [style, name] : styles) {
        auto* label = Place<TFcLabel>(page, 10, y, 150, 26);
        label->SetAutoSize(false);
        label->setFont(big);
        label->SetColor(kPage);
        label->SetFontColor(RGB(40, 80, 160));
        label->SetTextStyle(style);
        label->SetCaption(QString::fromLatin1(name));
        y += 30;
    }
    auto* framed = Place<TFcLabel>(page, 10, y + 4, 150, 24);
    framed->SetAutoSize(false);
    framed->SetBorderOuter(fsLowered);
    framed->SetBorderWidth(2);
    framed->SetColor(RGB(255, 255, 230));
    framed->SetAlignment(taCenter);
    framed->SetLayout(tlCenter);
    framed->SetCaption(QStringLiteral("Framed, centred"));

    const int angles[] = {90, 45, 180, 270};
    int x = 180;
    for (int angle : angles) {
        auto* turned = Place<TFcLabel>(page, x, 424, 90, 110);
        turned->SetAutoSize(false);
        turned->SetBorderOuter(fsFlat);
        turned->SetAlignment(taCenter);
        turned->SetAngle(angle);
        turned->SetCaption(QStringLiteral("Turned %1").arg(angle));
        x += 100;
    }
    auto* arc = Place<TFcLabel>(page, 590, 414, 150, 150);
    arc->SetAutoSize(false);
    arc->SetRotation(roCurve);
    arc->SetAngle(80);
    arc->SetBorderOuter(fsFlat);
    arc->SetTextStyle(tsRaised);
    arc->SetCaption(QStringLiteral("Text laid along an arc"));

    auto* link = Place<TFcURLLabel>(page, 760, 430, 160, 17);
    link->SetCaption(QStringLiteral("example.com (a link)"));
    link->SetURL(QStringLiteral("https://example.com"));
    auto* visited = Place<TFcURLLabel>(page, 760, 452, 160, 17);
    visited->SetCaption(QStringLiteral("A visited link"));
    visited->SetVisited(true);
    auto* disabled = Place<TFcLabel>(page, 760, 478, 160, 17);
    disabled->SetCaption(QStringLiteral("A disabled label"));
    disabled->setEnabled(false);
    auto* blinking = Place<TFcLabel>(page, 760, 500, 160, 17);
    blinking->SetCaption(QStringLiteral("Blinking (on the shared timer)"));
    blinking->SetBlinking(true);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The classic look, the same on every machine.
    SetVisualStylesEnabled(false);
    QWidget page;
    page.setFixedSize(940, 580);
    tw::examples::PrepareClassicPage(page, QStringLiteral("Component library: panels and choices"));
    Panels(&page);
    GroupBoxes(&page);
    Choices(&page);
    Labels(&page);
    TFcFormKeys::Install(&page);

    return tw::examples::ShowOrSaveScreenshot(app, page);
}
