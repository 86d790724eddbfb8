// The drawing foundation of the component library on one page: every frame
// style (system colours and derived from a base colour), bevels, arrows,
// percent and LED bars, gradients, focus border, drop shadow, tab trapezoids
// and a balloon hint. Hover a frame for its balloon hint.
//
//   controls_example                      the page in a window
//   controls_example --screenshot FILE    writes the page to FILE and quits

#include "controls/foundation/fcbhints.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcthemesrv.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QWidget>

#include <array>

using namespace tw::controls;

namespace {

constexpr TColor kPage = RGB(212, 208, 200);
constexpr TColor kBase = RGB(96, 140, 200);

const char* const kStyleNames[kFrameStyleCount] = {"fsNone",    "fsFlat",       "fsGroove",  "fsBump",
                                                   "fsLowered", "fsButtonDown", "fsRaised",  "fsButtonUp",
                                                   "fsStatus",  "fsPopup",      "fsFlatBold"};
const char* const kGradientNames[] = {"DiagonalUp",    "DiagonalDown", "HorizontalEnd",  "HorizontalCenter",
                                      "HorizontalBox", "VerticalEnd",  "VerticalCenter", "VerticalBox",
                                      "SquareBox",     "BigSquareBox"};

class Gallery : public QWidget {
public:
    Gallery()
    {
        setWindowTitle(QStringLiteral("Component library: drawing foundation"));
        setFixedSize(1050, 700);
        setMouseTracking(true);
    }

    // The picture of the balloon hint shown on the page.
    void SetBalloon(const QImage& image) { balloon_ = image; }

    QImage Page() const
    {
        QImage image = MakeBitmap(width(), height(), kPage);
        TFcCanvas c(image);
        c.BkMode = TBkMode::Transparent;
        Heading(c, 10, 8, "Frame styles (system colours)");
        for (int i = 0; i < kFrameStyleCount; ++i) {
            const TRect r = FrameBox(i, 0);
            c.Brush.Color = clBtnFace;
            c.FillRect(r);
            DrawBorder(c, r, static_cast<TFrameStyle>(i));
            Caption(c, r, kStyleNames[i]);
        }
        Heading(c, 10, 88, "Frame styles derived from one base colour");
        for (int i = 0; i < kFrameStyleCount; ++i) {
            const TRect r = FrameBox(i, 1);
            c.Brush.Color = kBase;
            c.FillRect(r);
            DrawColorBorder(c, r, kBase, static_cast<TFrameStyle>(i));
            Caption(c, r, kStyleNames[i], clWhite);
        }

        Heading(c, 10, 168, "Bevels, 3-D and button borders, focus border, drop shadow");
        int x = 10;
        for (int width = 1; width <= 3; ++width, x += 94) {
            const TRect r{x, 190, x + 88, 230};
            DrawBevel(c, r, clBtnHighlight, clBtnShadow, width, kAllSides);
            Caption(c, r, QStringLiteral("bevel %1").arg(width));
        }
        const std::array<std::pair<const char*, int>, 4> borders{
            {{"3-D raised", 0}, {"3-D lowered", 1}, {"button up", 2}, {"button down", 3}}};
        for (const auto& [name, kind] : borders) {
            const TRect r{x, 190, x + 88, 230};
            if (kind < 2)
                DrawCtl3DBorder(c, r, kind == 1);
            else
                DrawButtonBorder(c, r, kind == 3);
            Caption(c, r, name);
            x += 94;
        }
        {
            const TRect r{x, 190, x + 88, 230};
            c.Brush.Color = clWindow;
            c.FillRect(r);
            DrawFocusBorder(c, r.Inflated(-3, -3));
            Caption(c, r, "focus");
            x += 94;
        }
        {
            const TRect r{x, 190, x + 80, 224};
            c.Brush.Color = clWindow;
            c.FillRect(r);
            DrawSides(c, r, clBtnShadow, clBtnShadow, kAllSides);
            DrawDropShadow(c, r, 5, clBlack);
            Caption(c, r, "shadow");
        }

        Heading(c, 10, 248, "Arrows: drop-down and spin, classic and XP look, down, disabled");
        x = 10;
        for (TFcUIStyle ui : {uiWindows95, uiWindowsXP}) {
            for (int state = 0; state < 3; ++state) {
                const TRect r{x, 270, x + 18, 290};
                c.Brush.Color = clBtnFace;
                c.FillRect(r);
                DrawButtonBorder(c, r, state == 1);
                DrawDropDownArrow(c, r, ui, state == 1, state != 2);
                x += 24;
            }
            for (TDirection d : {dirUp, dirDown, dirLeft, dirRight}) {
                const TRect r{x, 270, x + 18, 290};
                c.Brush.Color = clBtnFace;
                c.FillRect(r);
                DrawButtonBorder(c, r, false);
                DrawSpinArrow(c, r, ui, d, false, true);
                x += 24;
            }
            x += 20;
        }

        Heading(c, 10, 308, "Percent bars and LED bars");
        x = 10;
        for (int percent : {0, 35, 100}) {
            const TRect r{x, 330, x + 150, 350};
            DrawPercentBar(c, r, orHorizontal, RGB(10, 36, 106), clWindow,
                           static_cast<std::uint16_t>(percent), true);
            DrawSides(c, r.Inflated(1, 1), clBtnShadow, clBtnHighlight, kAllSides);
            x += 162;
        }
        {
            const TRect r{x, 330, x + 24, 400};
            DrawPercentBar(c, r, orVertical, RGB(10, 36, 106), clWindow, 60, false);
            DrawSides(c, r.Inflated(1, 1), clBtnShadow, clBtnHighlight, kAllSides);
            x += 36;
        }
        DrawLEDBar(c, {x, 330, x + 24, 400}, orVertical, RGB(230, 160, 0), RGB(60, 40, 0), 8, 50, false);
        x += 36;
        for (int percent : {30, 80}) {
            const TRect r{x, 330, x + 150, 350};
            DrawLEDBar(c, r, orHorizontal, RGB(0, 220, 0), RGB(0, 50, 0), 15, percent, false);
            x += 162;
        }

        Heading(c, 10, 410, "Gradients");
        for (int i = 0; i < 10; ++i) {
            const TRect r{10 + (i % 5) * 206, 432 + (i / 5) * 86, 10 + (i % 5) * 206 + 196,
                          432 + (i / 5) * 86 + 60};
            PaintGradient(c, r, static_cast<TGradientDirection>(i), RGB(10, 36, 106), RGB(166, 202, 240), 1);
            c.FontColor = clBlack;
            TRect label{r.Left, r.Bottom + 2, r.Right, r.Bottom + 18};
            c.DrawText(QString::fromLatin1(kGradientNames[i]), label,
                       DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }

        Heading(c, 10, 612, "Tab trapezoids and a balloon hint");
        x = 10;
        for (TTrapBevelStyle style : {bsRaised, bsLowered}) {
            TTrap t;
            SetTrapezoid(t, {x, 636, x + 120, 664}, 90, tsCenter, dirUp, tdLargeToSmall);
            c.Pen.Style = TPenStyle::Clear;
            c.Brush.Color = clWindow;
            c.Polygon({t[0], t[1], t[2], t[3]});
            c.Pen.Style = TPenStyle::Solid;
            DrawTrapezoidBorder(c, t, style, 2);
            Caption(c, {x, 636, x + 120, 664}, style == bsRaised ? "raised" : "lowered");
            x += 140;
        }
        if (!balloon_.isNull()) {
            QPainter& p = c.BeginPainter();
            p.drawImage(320, 700 - balloon_.height() - 6, balloon_);
            c.EndPainter();
        }
        return image;
    }

    // The frame box under a point, or -1.
    int FrameAt(QPoint p, int& row) const
    {
        for (row = 0; row < 2; ++row) {
            for (int i = 0; i < kFrameStyleCount; ++i) {
                const TRect r = FrameBox(i, row);
                if (p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom)
                    return i;
            }
        }
        return -1;
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, Page()); }

    bool event(QEvent* e) override
    {
        // Each frame box has its own hint, shown by the balloon hints.
        if (e->type() == QEvent::ToolTip) {
            int row = 0;
            const int i = FrameAt(static_cast<QHelpEvent*>(e)->pos(), row);
            setToolTip(i < 0 ? QString()
                             : QStringLiteral("%1 drawn %2")
                                   .arg(QString::fromLatin1(kStyleNames[i]),
                                        row == 0 ? QStringLiteral("with system colours")
                                                 : QStringLiteral("from a base colour")));
        }
        return QWidget::event(e);
    }

private:
    static TRect FrameBox(int i, int row)
    {
        const int left = 10 + i * 94;
        const int top = 30 + row * 80;
        return {left, top, left + 88, top + 48};
    }
    static void Heading(TFcCanvas& c, int x, int y, const char* text)
    {
        c.FontColor = clBlack;
        QFont bold = c.Font;
        bold.setBold(true);
        const QFont saved = c.Font;
        c.Font = bold;
        c.TextOut(x, y, QString::fromLatin1(text));
        c.Font = saved;
    }
    static void Caption(TFcCanvas& c, const TRect& r, const QString& text, TColor colour = clBlack)
    {
        c.FontColor = colour;
        TRect inner = r;
        c.DrawText(text, inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    static void Caption(TFcCanvas& c, const TRect& r, const char* text, TColor colour = clBlack)
    {
        Caption(c, r, QString::fromLatin1(text), colour);
    }

    QImage balloon_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The classic look, the same on every machine.
    SetVisualStylesEnabled(false);
    Gallery gallery;
    TFcBalloonHints hints;
    hints.SetShadow(true);

    // A balloon as the hints show it, pinned on the page.
    auto* window = hints.HintWindow();
    window->move(0, 400);
    window->ActivateHint(window->CalcHintRect(190,
                                              QStringLiteral("A balloon hint: its tail points at the "
                                                             "mouse, flipping at the screen's edges")),
                         QStringLiteral("A balloon hint: its tail points at the mouse, flipping at the "
                                        "screen's edges"));
    gallery.SetBalloon(window->Render());
    window->ReleaseHint();

    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0 && at + 1 < args.size())
        return gallery.Page().save(args[at + 1]) ? 0 : 1;
    gallery.show();
    return app.exec();
}
