// The framed edits of the component library on one page: the library frame
// in each style and on chosen sides, hot tracking, the focus and disabled
// colours, the drop-down button in its looks, the memo reporting its caret,
// the rich edit and the hot-key edit.
//
//   controls_edits_example                      the page in a window
//   controls_edits_example --screenshot FILE    writes the page to FILE and quits

#include "controls/edits/fcedit.h"
#include "controls/edits/fcmemo.h"
#include "controls/foundation/fcthemesrv.h"
#include "examplepage.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>

using namespace tw::controls;

using tw::examples::Heading;
using tw::examples::Hover;
using tw::examples::Note;

namespace {

TFcEdit* Edit(QWidget* page, int x, int y, const QString& text, int width = 110)
{
    auto* e = new TFcEdit(page);
    e->setGeometry(x, y, width, 21);
    e->SetText(text);
    e->setCursorPosition(0);
    return e;
}

struct EditsPage : QWidget {
    EditsPage()
    {
        tw::examples::PrepareClassicPage(*this, QStringLiteral("Framed edits"));
        resize(760, 520);

        Heading(this, 10, 10, "The library frame in each style");
        const std::pair<TFrameStyle, const char*> styles[] = {
            {fsFlat, "fsFlat"},       {fsFlatBold, "fsFlatBold"}, {fsLowered, "fsLowered"},
            {fsRaised, "fsRaised"},   {fsGroove, "fsGroove"},     {fsBump, "fsBump"},
            {fsStatus, "fsStatus"},   {fsPopup, "fsPopup"},       {fsButtonDown, "fsButtonDown"},
            {fsButtonUp, "fsButtonUp"},
        };
        int i = 0;
        for (const auto& [style, name] : styles) {
            TFcEdit* e = Edit(this, 10 + (i % 5) * 148, 32 + (i / 5) * 28, name, 136);
            e->SetFrameVisible(true);
            e->SetFrameStyle(style);
            ++i;
        }

        Heading(this, 10, 96, "Sides, hot tracking and colours");
        TFcEdit* sides = Edit(this, 10, 118, "Left and bottom", 136);
        sides->SetFrameVisible(true);
        sides->SetFrameStyle(fsFlatBold);
        sides->SetFrameColor(cl3DDkShadow);
        sides->SetFrameSides(SideBit(sdLeft) | SideBit(sdBottom));
        TFcEdit* top = Edit(this, 158, 118, "Top only", 136);
        top->SetFrameVisible(true);
        top->SetFrameStyle(fsFlatBold);
        top->SetFrameColor(cl3DDkShadow);
        top->SetFrameSides(SideBit(sdTop));
        TFcEdit* native = Edit(this, 306, 118, "Own frame", 136);
        (void)native;
        Note(this, 306, 142, "FrameVisible off");

        const TColor focusColour = RGB(255, 255, 200);
        TFcEdit* cold = Edit(this, 10, 168, "Hot track, idle", 136);
        cold->SetFrameHotTrack(true);
        TFcEdit* hovered = Edit(this, 158, 168, "Under the mouse", 136);
        hovered->SetFrameHotTrack(true);
        hover_ = hovered;
        focused_ = Edit(this, 306, 168, "Focused", 136);
        focused_->SetFrameHotTrack(true);
        focused_->SetFocusColor(focusColour);
        Note(this, 306, 192, "focus colour");
        TFcEdit* coloured = Edit(this, 454, 168, "Color set", 136);
        coloured->SetFrameVisible(true);
        coloured->SetFrameStyle(fsLowered);
        coloured->SetColor(RGB(200, 230, 255));
        TFcEdit* disabled = Edit(this, 602, 168, "Disabled", 136);
        disabled->SetFrameVisible(true);
        disabled->setEnabled(false);

        Heading(this, 10, 218, "The drop-down button");
        struct Look {
            const char* name;
            bool flat;
            TColor face;
            bool hot;
            bool enabled;
        };
        const Look looks[] = {
            {"Classic", false, clBtnFace, false, true},
            {"Flat, idle", true, clBtnFace, false, true},
            {"Flat, hot", true, clBtnFace, true, true},
            {"Flat, coloured", true, RGB(120, 170, 230), true, true},
            {"Disabled", false, clBtnFace, false, false},
        };
        i = 0;
        for (const Look& look : looks) {
            TFcEdit* e = Edit(this, 10 + i * 148, 240, look.name, 136);
            e->SetFrameVisible(true);
            e->SetDropButtonVisible(true);
            e->SetFlatButtons(look.flat);
            e->SetFlatButtonColor(look.face);
            e->setEnabled(look.enabled);
            if (look.hot)
                hotButtons_.push_back(e);
            ++i;
        }
        TFcEdit* rtl = Edit(this, 10, 268, QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd"), 136);
        rtl->setLayoutDirection(Qt::RightToLeft);
        rtl->SetFrameVisible(true);
        rtl->SetDropButtonVisible(true);
        Note(this, 158, 272, "right to left: the button moves to the left");

        Heading(this, 10, 304, "Memo, rich edit and hot-key edit");
        auto* memo = new TFcMemo(this);
        memo->setGeometry(10, 326, 260, 120);
        memo->SetFrameVisible(true);
        memo->setPlainText(QStringLiteral("Measure the kitchen walls.\nOrder the worktop.\n"
                                          "Book the plumber for Tuesday morning, before the fitters arrive."));
        auto* position = Note(this, 10, 452, QString());
        memo->OnLineColChange = [position](QWidget*, int line, int column) {
            position->setText(QStringLiteral("Line %1, column %2").arg(line).arg(column));
            position->adjustSize();
        };
        memo->JumpTo(3, 10);

        auto* rich = new TFcRichEdit(this);
        rich->setGeometry(282, 326, 260, 120);
        rich->SetFrameVisible(true);
        rich->SetFrameStyle(fsLowered);
        rich->setHtml(QStringLiteral("<b>Site notes</b><br>Access through the <i>side gate</i>."));

        auto* hotKey = new TFcHotKeyEdit(this);
        hotKey->move(554, 326);
        hotKey->resize(180, hotKey->height());
        hotKey->SetFrameVisible(true);
        hotKey->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Shift+J")));
        Note(this, 554, 352, "21 pixels high when made");
    }

    void ShowStates()
    {
        Hover(hover_);
        for (TFcEdit* e : hotButtons_)
            Hover(e);
    }

    TFcEdit* hover_ = nullptr;
    TFcEdit* focused_ = nullptr;
    std::vector<TFcEdit*> hotButtons_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetVisualStylesEnabled(false);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);
    EditsPage page;
    page.show();
    page.activateWindow();
    page.focused_->setFocus();
    QApplication::processEvents();
    page.ShowStates();
    QApplication::processEvents();

    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size())
        return page.grab().save(args[at + 1]) ? 0 : 1;
    return app.exec();
}
