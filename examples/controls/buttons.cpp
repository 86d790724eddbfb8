// The button family of the component library on one page: the bitmap button
// in its classic and hot-track looks and their states, the stock kinds, the
// 3-D caption styles, the four image layouts, latching groups, the menu
// button, control buttons, shape buttons and the dialog button panel, and a
// row drawn with visual styles on.
//
//   controls_buttons_example                      the page in a window
//   controls_buttons_example --screenshot FILE    writes the page to FILE and quits

#include "controls/base/fcformkeys.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/buttons/fccontrolbutton.h"
#include "controls/buttons/fcdialogbuttons.h"
#include "controls/buttons/fcmenubutton.h"
#include "controls/buttons/fcshapebutton.h"
#include "controls/foundation/fcthemesrv.h"
#include "examplepage.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

using namespace tw::controls;

using tw::examples::Heading;
using tw::examples::Hover;
using tw::examples::Note;

namespace {

// A button held in its pressed look, for the page.
class HeldButton : public TFcBitBtn {
public:
    using TFcBitBtn::TFcBitBtn;
    void Hold() { SetPressedMark(true); }
};

TFcBitBtn* Button(QWidget* page, int x, int y, const QString& caption, int width = 90)
{
    auto* b = new TFcBitBtn(page);
    b->SetCaption(caption);
    b->setGeometry(x, y, width, 25);
    return b;
}

// A disc with a darker rim, on an olive outside, for a round shape button.
QImage Disc(int size, QColor colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 0));
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c);
            if (d <= c - 3)
                image.setPixel(x, y, colour.lighter(100 + int(40 * (1 - d / c))).rgb());
        }
    return image;
}

// A five-pointed star, for an irregular shape button.
QImage Star(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 0));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? size / 2.0 - 3 : size / 5.0;
        const double a = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(size / 2.0 + r * std::cos(a), size / 2.0 + r * std::sin(a));
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (star.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill))
                image.setPixel(x, y, qRgb(240, 200, 40));
    return image;
}

class ButtonsPage : public QWidget {
public:
    ButtonsPage()
    {
        setWindowTitle(QStringLiteral("Component library: buttons"));
        setFixedSize(860, 640);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(212, 208, 200));
        setPalette(palette);
        Build();
        TFcFormKeys::Install(this);
    }

private:
    void Build()
    {
        // Classic look and its states.
        Heading(this, 10, 8,
                QStringLiteral("Classic look: normal, default (the focus is in the box), pressed, disabled, "
                               "coloured"));
        Button(this, 10, 30, QStringLiteral("&Normal"));
        Button(this, 110, 30, QStringLiteral("&Default"))->SetDefault(true);
        auto* held = new HeldButton(this);
        held->SetCaption(QStringLiteral("&Pressed"));
        held->setGeometry(210, 30, 90, 25);
        held->Hold();
        Button(this, 310, 30, QStringLiteral("Disab&led"))->setEnabled(false);
        auto* coloured = Button(this, 410, 30, QStringLiteral("Co&loured"));
        coloured->SetColor(RGB(160, 190, 230));
        // With the focus on a box, the default buttons show their mark.
        focused_ = new QLineEdit(QStringLiteral("Enter clicks Default"), this);
        focused_->setGeometry(510, 31, 150, 23);

        Heading(this, 10, 66, QStringLiteral("Hot-track look: normal, hot, default, pressed, disabled"));
        const char* hotNames[] = {"Normal", "Hot", "Default", "Pressed", "Disabled"};
        for (int i = 0; i < 5; ++i) {
            TFcBitBtn* b = i == 3 ? new HeldButton(this) : new TFcBitBtn(this);
            b->SetCaption(QString::fromLatin1(hotNames[i]));
            b->setGeometry(10 + i * 100, 88, 90, 25);
            b->SetHotTrack(true);
            if (i == 1)
                Hover(b);
            if (i == 2)
                b->SetDefault(true);
            if (i == 3)
                static_cast<HeldButton*>(b)->Hold();
            if (i == 4)
                b->setEnabled(false);
        }

        Heading(this, 10, 124,
                QStringLiteral("Stock kinds, with their glyphs of two cells (normal, disabled)"));
        for (int k = bkOK; k <= bkAll; ++k) {
            auto* b = new TFcBitBtn(this);
            b->SetKind(static_cast<TBitBtnKind>(k));
            b->setGeometry(10 + ((k - 1) % 5) * 100, 146 + ((k - 1) / 5) * 32, 90, 26);
        }
        auto* disabledOk = new TFcBitBtn(this);
        disabledOk->SetKind(bkOK);
        disabledOk->setGeometry(510, 146, 90, 26);
        disabledOk->setEnabled(false);

        Heading(this, 10, 216, QStringLiteral("3-D caption styles"));
        const char* styles[] = {"tsNormal", "tsRaised", "tsRecessed", "tsShadow"};
        for (int i = 0; i < 4; ++i) {
            auto* b = Button(this, 10 + i * 100, 238, QString::fromLatin1(styles[i]));
            b->SetTextStyle(static_cast<TTextStyle>(i));
        }

        Heading(this, 420, 216, QStringLiteral("Image left, right, top, bottom; Margin -1"));
        const char* layouts[] = {"Left", "Right", "Top", "Bottom"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TFcBitBtn(this);
            b->SetCaption(QString::fromLatin1(layouts[i]));
            b->SetGlyph(GetBitBtnGlyph(i < 2 ? bkRetry : bkIgnore));
            b->SetLayout(static_cast<TButtonLayout>(i));
            b->setGeometry(420 + i * 86, 238, 80, i < 2 ? 26 : 46);
        }
        auto* centred = new TFcBitBtn(this);
        centred->SetCaption(QStringLiteral("Centred"));
        centred->SetGlyph(GetBitBtnGlyph(bkHelp));
        centred->SetMargin(-1);
        centred->setGeometry(420, 270, 166, 26);

        Heading(this, 10, 296, QStringLiteral("Latching group (AllowAllUp off) and a menu button"));
        const char* days[] = {"Day", "Week", "Month"};
        for (int i = 0; i < 3; ++i) {
            auto* b = Button(this, 10 + i * 70, 318, QString::fromLatin1(days[i]), 66);
            b->SetGroupIndex(1);
            if (i == 1)
                b->SetDown(true);
        }
        auto* menu = new QMenu(this);
        menu->addAction(QStringLiteral("Print"));
        menu->addAction(QStringLiteral("Preview"));
        menu->addAction(QStringLiteral("Save as PDF"));
        auto* menuButton = new TFcMenuButton(this);
        menuButton->SetCaption(QStringLiteral("&Output"));
        menuButton->SetDropDownMenu(menu);
        menuButton->setGeometry(230, 318, 110, 25);

        Heading(this, 10, 356,
                QStringLiteral("Control buttons: spin halves, drop-down, glyph, flat and hot"));
        const TFcControlButtonStyle controlStyles[] = {cbsUp,    cbsDown,     cbsLeft,
                                                       cbsRight, cbsDropDown, cbsNone};
        for (int i = 0; i < 6; ++i) {
            auto* c = new TFcControlButton(this);
            c->SetStyle(controlStyles[i]);
            c->setGeometry(10 + i * 24, 378, 17, 21);
            if (controlStyles[i] == cbsNone)
                c->SetGlyph(GetBitBtnGlyph(bkOK).copy(0, 0, 16, 16).scaled(12, 12));
        }
        auto* flat = new TFcControlButton(this);
        flat->SetStyle(cbsDropDown);
        flat->SetFlat(true);
        flat->setGeometry(160, 378, 17, 21);
        auto* flatHot = new TFcControlButton(this);
        flatHot->SetStyle(cbsDropDown);
        flatHot->SetFlat(true);
        flatHot->setGeometry(184, 378, 17, 21);
        Hover(flatHot);
        auto* disabledSpin = new TFcControlButton(this);
        disabledSpin->SetStyle(cbsUp);
        disabledSpin->setEnabled(false);
        disabledSpin->setGeometry(208, 378, 17, 21);

        Heading(this, 420, 296, QStringLiteral("Shape buttons: bevel 2 with border, bevel 1, none"));
        const int bevels[] = {2, 1, 0};
        for (int i = 0; i < 3; ++i) {
            auto* s = new TFcShapeButton(this);
            s->SetBevelWidth(bevels[i]);
            s->SetBorderSingle(i == 0);
            s->SetBitmap(Disc(52, QColor(70, 130, 200)));
            s->SetCaption(QStringLiteral("&Go"));
            s->SetFontColor(RGB(255, 255, 255));
            s->move(420 + i * 66, 318);
        }
        auto* star = new TFcShapeButton(this);
        star->SetBitmap(Star(56));
        star->move(620, 316);

        Heading(this, 10, 420, QStringLiteral("Visual styles on (the desktop style draws the faces)"));
        styledRow_ = new QLabel(this);
        styledRow_->move(10, 442);

        Heading(this, 10, 490,
                QStringLiteral("Dialog button panel: a row with Help and a divider, a column"));
        auto* frame = new QWidget(this);
        frame->setGeometry(10, 512, 420, 110);
        frame->setAutoFillBackground(true);
        QPalette white = frame->palette();
        white.setColor(QPalette::Window, QColor(232, 230, 226));
        frame->setPalette(white);
        auto* row = new TFcDialogButtons(frame);
        row->SetShowButton(TFcDialogButtons::Help, true);
        row->SetShowDivider(true);
        row->SetShowGlyphs(true);
        auto* columnFrame = new QWidget(this);
        columnFrame->setGeometry(450, 512, 260, 110);
        columnFrame->setAutoFillBackground(true);
        columnFrame->setPalette(white);
        auto* column = new TFcDialogButtons(columnFrame);
        column->SetAlign(alRight);
        column->SetShowDivider(true);
        Note(columnFrame, 10, 10, QStringLiteral("Aligned right:\nOK above Cancel"));
    }

public:
    // The styled row, drawn by the desktop style while visual styles are on.
    void RenderStyledRow()
    {
        SetVisualStylesEnabled(true);
        QImage row(620, 30, QImage::Format_RGB32);
        row.fill(qRgb(212, 208, 200));
        QPainter painter(&row);
        const char* names[] = {"Normal", "Default", "Hot", "Disabled"};
        for (int i = 0; i < 4; ++i) {
            TFcBitBtn b;
            b.setFont(font());
            b.SetCaption(QString::fromLatin1(names[i]));
            b.resize(90, 25);
            if (i == 1)
                b.SetDefault(true);
            if (i == 2)
                Hover(&b);
            if (i == 3)
                b.setEnabled(false);
            painter.drawImage(i * 100, 2, b.RenderImage());
        }
        const TFcControlButtonStyle styles[] = {cbsUp, cbsDown, cbsDropDown, cbsNone};
        for (int i = 0; i < 4; ++i) {
            TFcControlButton c;
            c.SetStyle(styles[i]);
            c.resize(17, 21);
            painter.drawImage(410 + i * 24, 4, c.RenderImage());
        }
        painter.end();
        SetVisualStylesEnabled(false);
        styledRow_->setPixmap(QPixmap::fromImage(row));
        styledRow_->adjustSize();
    }

    QLineEdit* focused_ = nullptr;
    QLabel* styledRow_ = nullptr;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetVisualStylesEnabled(false);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);
    ButtonsPage page;
    page.RenderStyledRow();
    page.show();
    page.activateWindow();
    page.focused_->setFocus();
    QApplication::processEvents();

    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size())
        return page.grab().save(args[at + 1]) ? 0 : 1;
    return app.exec();
}
