#include "controls/sizing/fcsplittermodel.h"

#include "controls/status/fcstatusgeometry.h"

#include <algorithm>

namespace tw::controls {

namespace {

int PercentOf(int percent, int s)
{
    return RoundHalfEven(percent / 100.0 * s);
}

}  // namespace

void TFcSplitterModel::CheckPosition(int& pos) const
{
    if (!BothVisible)
        return;
    int min = marginMin_;
    int max = marginMax_;
    if (closed_ && HotSpotIgnoreMargins)
        min = max = 0;
    if (pos < min)
        pos = min;
    const int upper = Size - max - SplitterWidth - 2 * BorderOffset;
    if (pos > upper)
        pos = upper;
}

bool TFcSplitterModel::SetPosition(int value)
{
    if (!resizing_ && value == position_)
        return false;
    CheckPosition(value);
    if (CanChange && !CanChange(value))
        return false;
    position_ = value;
    const int s = S();
    percent_ = s == 0 ? 0 : RoundHalfEven(static_cast<double>(position_) / s * 100.0);
    UpdateFixedSize();
    if (Changed)
        Changed();
    return true;
}

void TFcSplitterModel::SetLockedPosition(int value)
{
    if (value == position_)
        return;
    SetPosition(value);
    UpdateManualPosition(position_);
}

void TFcSplitterModel::UpdateManualPosition(int pos)
{
    manualPosition_ = fixedPane_ == fpUpperLeft ? pos : Size - pos;
}

void TFcSplitterModel::UpdateFixedSize()
{
    fixedSize_ = fixedPane_ == fpUpperLeft ? position_ : Size - position_;
}

void TFcSplitterModel::SetFixedPane(TFixedPane value)
{
    if (fixedPane_ == value)
        return;
    fixedPane_ = value;
    if (value == fpLowerRight)
        usePercent_ = false;
    UpdateManualPosition(position_);
    UpdateFixedSize();
}

void TFcSplitterModel::SetUsePercent(bool value)
{
    if (usePercent_ == value)
        return;
    usePercent_ = value;
    if (value) {
        fixedPane_ = fpUpperLeft;
        SetPercentMin(percentMin_);
        SetPercentMax(percentMax_);
    }
    SetPosition(position_);
}

void TFcSplitterModel::SetPercent(int value)
{
    if (percent_ == value)
        return;
    percent_ = value;
    if (Loading)
        return;
    SetUsePercent(true);
    SetPosition(PercentOf(percent_, S()));
}

void TFcSplitterModel::SetPercentMin(int value)
{
    percentMin_ = std::max(0, value);
    if (!Loading && usePercent_)
        marginMin_ = PercentOf(percentMin_, S());
}

void TFcSplitterModel::SetPercentMax(int value)
{
    percentMax_ = std::min(100, value);
    if (!Loading && usePercent_)
        marginMax_ = S() - PercentOf(percentMax_, S());
}

void TFcSplitterModel::SetMarginMin(int value)
{
    marginMin_ = std::max(0, value);
    if (marginMin_ + marginMax_ > Size)
        marginMin_ = Size - marginMax_;
}

void TFcSplitterModel::SetMarginMax(int value)
{
    marginMax_ = std::max(0, value);
    if (marginMin_ + marginMax_ > Size)
        marginMax_ = Size - marginMin_;
}

void TFcSplitterModel::Resize(int newSize)
{
    Size = newSize;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(resizing_);
    const int s = S();
    if (fixedPane_ == fpUpperLeft) {
        if (usePercent_) {
            marginMin_ = PercentOf(percentMin_, s);
            marginMax_ = s - PercentOf(percentMax_, s);
            if (closed_)
                SetPosition(closedToMin_ ? 0 : s);
            else
                SetPosition(PercentOf(percent_, s));
        } else {
            SetPosition(position_);
            if (manualPosition_ > position_ && !closed_)
                SetPosition(manualPosition_);
        }
        return;
    }
    SetPosition(Size - fixedSize_);
    if (manualPosition_ > position_ && !closed_)
        SetPosition(Size - manualPosition_);
    if (closed_)
        hotSpotPosition_ = Size - manualPosition_;
}

void TFcSplitterModel::Reorient(int newSize)
{
    Size = newSize;
    if (usePercent_) {
        const int s = S();
        SetPosition(PercentOf(percent_, s));
        marginMin_ = PercentOf(percentMin_, s);
        marginMax_ = s - PercentOf(percentMax_, s);
    }
}

void TFcSplitterModel::CloseHotSpot(bool toMin)
{
    if (closed_)
        return;
    closed_ = true;
    hotSpotPosition_ = position_;
    closedToMin_ = toMin;
    closedToMax_ = !toMin;
    SetPosition(toMin ? 0 : kFarPosition);
}

void TFcSplitterModel::RestoreHotSpot()
{
    if (!closed_)
        return;
    closed_ = closedToMin_ = closedToMax_ = false;
    SetPosition(hotSpotPosition_);
    UpdateManualPosition(position_);
}

void TFcSplitterModel::ResetHotSpot()
{
    closed_ = closedToMin_ = closedToMax_ = false;
}

void TFcSplitterModel::ToggleHotSpot(bool toMin)
{
    closed_ = !closed_;
    if (closed_) {
        hotSpotPosition_ = position_;
        closedToMin_ = toMin;
        closedToMax_ = !toMin;
        SetPosition(toMin ? 0 : kFarPosition);
    } else {
        closedToMin_ = closedToMax_ = false;
        SetPosition(hotSpotPosition_);
        UpdateManualPosition(position_);
    }
}

void TFcSplitterModel::ClearHotSpotFlags()
{
    closed_ = closedToMin_ = closedToMax_ = false;
}

TFcSplitLayout SplitLayout(const TRect& r, TOrientation orientation, int position, int splitterWidth,
                           bool upperLeftVisible, bool lowerRightVisible)
{
    TFcSplitLayout l;
    const int w = r.Width();
    const int h = r.Height();
    const bool horizontal = orientation == orHorizontal;
    if (upperLeftVisible && lowerRightVisible) {
        if (horizontal) {
            l.UpperLeft = {r.Left, r.Top, r.Left + position, r.Bottom};
            l.Bar = {r.Left + position, r.Top, r.Left + position + splitterWidth, r.Bottom};
            l.LowerRight = {l.Bar.Right, r.Top, l.Bar.Right + (w - position - splitterWidth), r.Top + h};
        } else {
            l.UpperLeft = {r.Left, r.Top, r.Right, r.Top + position};
            l.Bar = {r.Left, r.Top + position, r.Right, r.Top + position + splitterWidth};
            l.LowerRight = {r.Left, l.Bar.Bottom, r.Right, l.Bar.Bottom + (h - position - splitterWidth)};
        }
        return l;
    }
    const TRect none = horizontal ? TRect{r.Left, r.Top, r.Left, r.Bottom} : TRect{r.Left, r.Top, r.Right, r.Top};
    l.Bar = horizontal ? TRect{r.Left, r.Top, r.Left, r.Top} : TRect{r.Left, r.Top, r.Left, r.Top};
    l.UpperLeft = upperLeftVisible ? r : none;
    l.LowerRight = lowerRightVisible ? r : none;
    return l;
}

TRect HotSpotRect(const TRect& b, TOrientation orientation, int sizePercent)
{
    if (orientation == orHorizontal) {
        const int mid = b.Top + b.Height() / 2;
        const int half = RoundHalfEven(sizePercent / 100.0 * b.Height()) / 2;
        return {b.Left, mid - half, b.Right, mid + half};
    }
    const int mid = b.Left + b.Width() / 2;
    const int half = RoundHalfEven(sizePercent / 100.0 * b.Width()) / 2;
    return {mid - half, b.Top, mid + half, b.Bottom};
}

int SplitBorderOffset(int borderWidth, int outerWidth, int innerWidth, TSides sides)
{
    int offset = borderWidth;
    for (int w : {outerWidth, innerWidth}) {
        if (HasSide(sides, sdLeft))
            offset += w;
        if (HasSide(sides, sdTop))
            offset += w;
    }
    return offset;
}

}  // namespace tw::controls
