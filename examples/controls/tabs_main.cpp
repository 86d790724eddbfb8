// The tab family of the component library on one page: the four tab styles,
// tabs on every side and in both sequences, vertical captions, several
// justified rows, a row too long for its control with the scroller and the
// close button, and a page control with its pages.
//
//   controls_tabs_example                      the page in a window
//   controls_tabs_example --screenshot FILE    writes the page to FILE and quits

#include "controls/base/fcformkeys.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/tabs/fccollectiontabcontrol.h"
#include "controls/tabs/fcpagecontrol.h"
#include "examplepage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace tw::controls;

using tw::examples::Heading;

namespace {

TFcTabControl* Strip(QWidget* parent, const QRect& place, const QStringList& captions)
{
    auto* strip = new TFcTabControl(parent);
    strip->setGeometry(place);
    for (const QString& caption : captions)
        strip->Tabs().Add()->SetCaption(caption);
    strip->SetTabIndex(0);
    return strip;
}

const QStringList kThree = {QStringLiteral("&Customer"), QStringLiteral("Sch&edule"),
                            QStringLiteral("Ca&lendar")};

class TabsPage : public QWidget {
public:
    TabsPage()
    {
        setWindowTitle(QStringLiteral("Component library: tabs"));
        setFixedSize(1010, 760);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(212, 208, 200));
        setPalette(palette);

        const char* const styleNames[] = {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners"};
        for (int s = 0; s < 4; ++s) {
            const int x = 10 + s * 250;
            Heading(this, x, 8, QString::fromLatin1(styleNames[s]));
            auto* strip = Strip(this, QRect(x, 28, 238, 90), kThree);
            strip->SetTabStyle(static_cast<TFcTabStyle>(s));
            strip->SetTabIndex(1);
            strip->Tabs().Items(2)->SetEnabled(s != 0);
        }

        Heading(this, 10, 130, QStringLiteral("Left"));
        auto* left = Strip(this, QRect(10, 150, 238, 170), kThree);
        left->SetTabOrientation(toLeft);
        left->SetTabStyle(tsCutCorner);

        Heading(this, 260, 130, QStringLiteral("Bottom"));
        auto* bottom = Strip(this, QRect(260, 150, 238, 170), kThree);
        bottom->SetTabOrientation(toBottom);
        bottom->SetTabStyle(tsRoundCorners);
        bottom->SetTabIndex(2);

        Heading(this, 510, 130, QStringLiteral("Right, vertical captions, scrolled"));
        auto* right = Strip(this, QRect(510, 150, 238, 170), kThree);
        right->SetTabOrientation(toRight);
        right->SetTextOrientation(orVertical);

        Heading(this, 760, 130, QStringLiteral("Top, reverse sequence"));
        auto* reverse = Strip(this, QRect(760, 150, 238, 170), kThree);
        reverse->SetTabSequence(tsReverse);
        reverse->SetTabStyle(tsDoubleSlant);
        reverse->SetShowShadow(false);

        Heading(this, 10, 334, QStringLiteral("Several rows, justified (the selected row lies on the card)"));
        QStringList many;
        for (const char* c : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
                              "Holidays", "Down times", "Overrides"})
            many << QString::fromLatin1(c);
        auto* rows = Strip(this, QRect(10, 354, 488, 170), many);
        rows->SetMultiLine(true);
        rows->SetAlignTabs(true);
        // Rows stacked edge to edge keep the farther captions whole.
        rows->SetRowOverlap(0);
        rows->SetTabIndex(8);

        Heading(this, 510, 334, QStringLiteral("One row too long: scroller and close button"));
        QStringList jobs;
        for (int i = 1; i <= 9; ++i)
            jobs << QStringLiteral("Job %1").arg(i);
        auto* scrolled = Strip(this, QRect(510, 354, 488, 90), jobs);
        scrolled->SetShowCloseButton(true);
        scrolled->OnClose = [](TFcCustomTabControl*, bool& allow) { allow = true; };
        scrolled->SetTabIndex(5);
        scrolled->SetTabHints(true);
        for (int i = 0; i < scrolled->Tabs().Count(); ++i)
            scrolled->Tabs().Items(i)->SetHint(QStringLiteral("Close with the box at the end of the row"));

        Heading(this, 510, 456, QStringLiteral("Hot tracking in text colour"));
        auto* hot = Strip(this, QRect(510, 476, 488, 48), kThree);
        hot->SetHotTrackStyle(htsText);
        hot->SetShowCard(false);

        Heading(this, 10, 538, QStringLiteral("Page control (Ctrl+Tab, arrows and Alt+letter switch pages)"));
        auto* pages = new TFcPageControl(this);
        pages->setGeometry(10, 558, 988, 190);
        pages->SetTabHints(true);
        for (const char* caption :
             {"&Customer", "&Select", "Sc&hedule", "C&alendar", "&My Company", "&Utilities"}) {
            auto* sheet = new TFcTabSheet(pages);
            sheet->SetCaption(QString::fromLatin1(caption));
            sheet->SetHint(QStringLiteral("The %1 page").arg(QString::fromLatin1(caption).remove('&')));
            auto* text = new QLabel(
                QStringLiteral("Contents of the %1 page").arg(QString::fromLatin1(caption).remove('&')),
                sheet);
            text->move(16, 16);
            auto* edit = new QLineEdit(sheet);
            edit->setGeometry(16, 44, 220, 22);
        }
        pages->SetActivePageIndex(2);
        TFcFormKeys::Install(this);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The classic look, the same on every machine.
    SetVisualStylesEnabled(false);
    TabsPage page;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size()) {
        page.show();
        QApplication::processEvents();
        return page.grab().save(args[at + 1]) ? 0 : 1;
    }
    page.show();
    return app.exec();
}
