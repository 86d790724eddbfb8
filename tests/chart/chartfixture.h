#pragma once
// What the widget tests share: one QApplication for the test program and an
// appearance whose colours and fonts do not depend on the desktop.

#include <QApplication>
#include <QFont>
#include <QFontMetrics>

#include "chart/resourceallocationchart.h"
#include "platform/datetime/datetime.h"

namespace charttest {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "chart_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: input devices that QTest creates outlive any order of
    // static destruction we could choose.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Declared before any widget member, so the application exists first.
struct WithApp {
    WithApp() { App(); }
};

inline constexpr tw::chart::TColor kFace = 0xC0C0C0;
inline constexpr tw::chart::TColor kPlot = 0xFFFFFF;
inline constexpr tw::chart::TColor kBorder = 0x000000;
inline constexpr tw::chart::TColor kShadow = 0x808080;
inline constexpr tw::chart::TColor kLine = 0xFF0000;       // blue
inline constexpr tw::chart::TColor kAlternate = 0x00FFFF;  // yellow
inline constexpr tw::chart::TColor kText = 0x000000;

inline QFont TestFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

inline void UsePlainAppearance(tw::chart::TResourceAllocationChartAppearance& ap)
{
    ap.SetColor(kFace);
    ap.SetPlotBackColor(kPlot);
    ap.SetPlotBorderColor(kBorder);
    ap.SetShadowColor(kShadow);
    ap.SetDateLineColor(kLine);
    ap.SetDateLineStyle(Qt::SolidLine);
    ap.SetPlotBackAlternateColor(kAlternate);
    ap.SetDateTimeFont(TestFont());
    ap.SetResourceNameFont(TestFont());
    ap.SetDateTimeFontColor(kText);
    ap.SetResourceNameFontColor(kText);
    ap.SetDateFormat(QStringLiteral("d/m"));
    ap.SetTimeFormat(QStringLiteral("hh:nn"));
}

// Monday 2 March 2026, plus days.
inline tw::TDateTime Day(double days)
{
    return tw::EncodeDate(2026, 3, 2) + days;
}

inline QRgb Rgb(tw::chart::TColor c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace charttest

namespace charttest {

// Opens the few protected corners a test needs.
class TestChart : public tw::chart::TResourceAllocationChart {
public:
    using TResourceAllocationChart::SetPeriodUnchecked;
};

}  // namespace charttest
