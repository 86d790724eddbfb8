#pragma once
// What the splitter and the size panel draw alike: the grooved or bumped bar,
// the hot spot with its arrows and grip dots, the checkerboard outline of a
// drag (on an overlay above the control, since we cannot invert the screen)
// and the cursors over the bar.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fctypes.h"
#include "controls/sizing/fcsplittermodel.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

namespace tw::controls {

// The bar's grooves or bumps (nothing of its own for ssStandard).
// standingBar: the bar runs top to bottom (panes side by side).
void DrawSplitBarStyle(TFcCanvas& canvas, const TRect& bar, bool standingBar, TSplitterStyle style,
                       TColor color);

enum THotSpotFill { hfPlain, hfWhole, hfFirstHalf, hfSecondHalf };

struct THotSpotLook {
    bool StandingBar = true;
    THotSpotFill Fill = hfPlain;
    TColor HighlightColor = clWindow;
    // The line through the middle of a two-way hot spot.
    bool Divider = false;
    // Arrows toward the minimum (left or up) or not; first is at the top or
    // left end.
    bool FirstTowardMin = true;
    bool SecondTowardMin = true;
    // A two-way hot spot keeps its dots away from the middle.
    bool SkipCentreDots = false;
};
void DrawHotSpot(TFcCanvas& canvas, const TRect& h, const THotSpotLook& look);

// The checkerboard every drag outline is made of: grey where x + y is odd.
QImage OutlineImage(int width, int height);

// The drag outline: a child above its parent's other children that lets the
// mouse through and shows the checkerboard in one rectangle.
class TFcSplitOutline : public QWidget {
public:
    explicit TFcSplitOutline(QWidget* parent);
    // Shows the outline at r (parent coordinates); an empty r hides it.
    void ShowAt(const TRect& r);
    TRect Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TRect shown_;
};

// Cursors over the bar: Qt's split cursors, and ours over the hot spot.
// standingBar gives the left-right cursors.
QCursor SplitCursor(bool standingBar, bool overHotSpot);

}  // namespace tw::controls
