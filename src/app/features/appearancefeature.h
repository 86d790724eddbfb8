#pragma once
// The main window's look as a feature unit: the entry fields' colour and the
// one the dialogs take from it, the balloons every hint of the program shows
// in, and the help level that sets their width and pause; level 1 silences
// every hint of the window but the chart's.
//
//   AppearanceFeature look(state, window, chartArea, visualizePage, chart);
//   look.ApplyColourScheme();   // after SetFieldColour
//   look.ApplyHelpLevel();      // after the settings are read

#include <QColor>
#include <QObject>

#include "app/features/appearanceunit.h"
#include "app/features/featurecontext.h"
#include "data/services/mainstate.h"

class QWidget;

namespace tw::chart {
class TResourceAllocationChart;
}

namespace tw::controls {
class TFcBalloonHints;
}

namespace tw::app {

class AppearanceFeature final : public QObject, public Appearance, public ExchangeWindow {
public:
    // window: the main window, whose hints the help level governs; chartArea:
    // the Visualize page's place for the chart, whose hints always show;
    // chartPage: that page, whose buttons' hints the help level governs.
    AppearanceFeature(const data::MainScreenState& state, QWidget& window, QWidget* chartArea,
                      QWidget* chartPage, chart::TResourceAllocationChart* chart);

    void SetFieldColour(const QColor& colour) { fieldColour_ = colour; }
    QColor FieldColour() const override { return fieldColour_; }
    QColor DialogFieldColour() const override { return dialogFieldColour_; }
    void ApplyColourScheme();
    // The hints' caption width and hide pause by help level and chart hint mode.
    void ApplyHelpLevel() override;
    // Every hint of the program shows as a balloon through this component.
    controls::TFcBalloonHints* BalloonHints() const { return balloons_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ShowsChartHints(const QWidget* widget) const;

    const data::MainScreenState& state_;
    QWidget& window_;
    QWidget* chartArea_;
    QWidget* page_;
    chart::TResourceAllocationChart* chart_;
    QColor fieldColour_;
    QColor dialogFieldColour_;
    bool hintsShown_ = true;
    controls::TFcBalloonHints* balloons_ = nullptr;
};

}  // namespace tw::app
