#pragma once
// The splitter's position arithmetic without a window: the split as pixels
// and as a percentage, the margins (in pixels or percentages), the pane that
// keeps its size on a resize, the position the user chose (a squeezed pane
// grows back to it), and the hot spot's collapse and restore. Every rounding
// is to nearest with halves to even. TFcSplitter holds one and re-lays out
// its panes when it reports a change.

#include "controls/foundation/fctypes.h"

#include <functional>

namespace tw::controls {

enum TFixedPane { fpUpperLeft, fpLowerRight };
enum THotSpotDirection { hsdMin, hsdMax, hsdBoth };
enum TSplitterStyle { ssStandard, ssGroove, ssBump };

inline constexpr int kFarPosition = 2147483647;

class TFcSplitterModel {
public:
    // Size along the split axis (the splitter's width when the panes lie side
    // by side); the bar's thickness; the frames' offset (GetBorderOffset).
    int Size = 200;
    int SplitterWidth = 4;
    int BorderOffset = 0;
    // Both panes shown; with one hidden nothing limits the position.
    bool BothVisible = true;
    bool Loading = false;
    bool HotSpotIgnoreMargins = true;

    // Asked before every change of the position (a veto stops it).
    std::function<bool(int)> CanChange;
    // After the position was stored: re-lay out and tell the owner.
    std::function<void()> Changed;

    int Position() const { return position_; }
    int Percent() const { return percent_; }
    bool UsePercent() const { return usePercent_; }
    int PercentMin() const { return percentMin_; }
    int PercentMax() const { return percentMax_; }
    int MarginMin() const { return marginMin_; }
    int MarginMax() const { return marginMax_; }
    TFixedPane FixedPane() const { return fixedPane_; }
    int FixedSize() const { return fixedSize_; }
    int ManualPosition() const { return manualPosition_; }
    bool HotSpotClosed() const { return closed_; }
    bool HotSpotClosedToMin() const { return closedToMin_; }
    bool HotSpotClosedToMax() const { return closedToMax_; }
    int HotSpotPosition() const { return hotSpotPosition_; }
    bool Resizing() const { return resizing_; }

    // Size minus half the bar: what percentages are taken of.
    int S() const { return Size - SplitterWidth / 2; }
    // The position within the margins (none while a pane is hidden; none
    // while collapsed when the hot spot ignores them).
    void CheckPosition(int& pos) const;
    // Limits, asks, stores; false when nothing was stored.
    bool SetPosition(int value);
    // As the user sets it: the position and the remembered choice.
    void SetLockedPosition(int value);
    void UpdateManualPosition(int pos);
    void UpdateFixedSize();
    void SetFixedPane(TFixedPane value);
    void SetUsePercent(bool value);
    void SetPercent(int value);
    void SetPercentMin(int value);
    void SetPercentMax(int value);
    void SetMarginMin(int value);
    void SetMarginMax(int value);
    // The splitter has a new size along its axis.
    void Resize(int newSize);
    // The axis turned: the new size along it (with percentages the
    // position follows; otherwise only the panes move).
    void Reorient(int newSize);

    void CloseHotSpot(bool toMin);
    void RestoreHotSpot();
    // Forgets the collapse without moving the bar.
    void ResetHotSpot();
    // A click released on the hot spot: collapses (toward the minimum when
    // toMin) or restores.
    void ToggleHotSpot(bool toMin);
    // A drag cancels a collapse and the pending click.
    void ClearHotSpotFlags();

private:
    int position_ = 100;
    int percent_ = 50;
    bool usePercent_ = false;
    int percentMin_ = 0;
    int percentMax_ = 100;
    int marginMin_ = 0;
    int marginMax_ = 0;
    TFixedPane fixedPane_ = fpUpperLeft;
    int fixedSize_ = 100;
    int manualPosition_ = 100;
    bool closed_ = false;
    bool closedToMin_ = false;
    bool closedToMax_ = false;
    int hotSpotPosition_ = 100;
    bool resizing_ = false;
};

// Where the panes and the bar go in the client rectangle.
struct TFcSplitLayout {
    TRect UpperLeft;
    TRect Bar;
    TRect LowerRight;
};
TFcSplitLayout SplitLayout(const TRect& client, TOrientation orientation, int position, int splitterWidth,
                           bool upperLeftVisible, bool lowerRightVisible);

// The hot spot on the bar: centred along the bar, sizePercent of its length.
TRect HotSpotRect(const TRect& bar, TOrientation orientation, int sizePercent);

// Pixels the frames take before the client area (see the splitter).
int SplitBorderOffset(int borderWidth, int outerWidth, int innerWidth, TSides sides);

}  // namespace tw::controls
