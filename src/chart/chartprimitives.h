#pragma once
// Plain types shared by the chart's model and its widget: colours, integer
// rectangles in the chart's own convention, small enum sets and the one
// exception the chart raises. Nothing here knows about a window.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>

#include "platform/datetime/datetime.h"
#include "platform/drawing/drawtypes.h"

namespace tw::chart {

using TDateTime = tw::TDateTime;

// The program's one drawing vocabulary (platform/drawing/drawtypes.h).
// Values of TColor with the top bit set name a colour of the user's desktop
// theme; the widget resolves them through its palette.
using TColor = drawing::TColor;
using TPoint = drawing::TPoint;
// Right and bottom lie just outside the area, as everywhere in the chart.
using TRect = drawing::TRect;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor clInfoBk = clSystemColor | 24;

inline constexpr TRect kUnsetRect{-1, -1, -1, -1};
inline constexpr TPoint kUnsetPoint{-1, -1};

// Base of everything an application may hang on a row, a bar or the chart
// (AnyObject), so that an owning reference can free it.
class TObject {
public:
    virtual ~TObject() = default;
};

// The application's object hung on a bar, a row or the chart; freed with its
// holder when the holder owns it.
class TAnyObjectHolder {
public:
    TObject* AnyObject() const { return anyObject_; }
    void SetAnyObject(TObject* Object) { anyObject_ = Object; }
    bool OwnsAnyObject() const { return ownsAnyObject_; }
    void SetOwnsAnyObject(bool Owns) { ownsAnyObject_ = Owns; }

protected:
    void FreeAnyObject()
    {
        if (ownsAnyObject_)
            delete anyObject_;
        anyObject_ = nullptr;
    }

private:
    TObject* anyObject_ = nullptr;
    bool ownsAnyObject_ = false;
};

class EBadValueException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace msg {
inline constexpr const char* kTimeRangeNotAvailable = "Specified time range is not available.";
inline constexpr const char* kEndAtAfterStartAt = "EndAt must be after StartAt";
inline constexpr const char* kStartAtBeforeEndAt = "StartAt must be before EndAt";
inline constexpr const char* kStartDateAfterEndDate = "StartDate cannot be after EndDate";
inline constexpr const char* kStartTimeAfterEndTime = "StartTime cannot be after EndTime";
inline constexpr const char* kStartTimeDatePart = "StartTime cannot include a date part";
inline constexpr const char* kEndTimeDatePart = "EndTime cannot include a date part";
inline constexpr const char* kTimeIncrementPositive = "TimeIncrement must be greater than 0.0";
inline constexpr const char* kDurationBetween = "Duration must be between 0.0 and 1.0";
inline constexpr const char* kDurationPositive = "Duration must be greater than 0.0";
inline constexpr const char* kStartTimePlusDuration = "StartTime + Duration cannot be greater than EndTime";
inline constexpr const char* kDaysEmpty = "Days cannot be empty";
}  // namespace msg

// A set of up to 32 members of an enumeration that counts from 0.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (E m : members)
            bits_ |= Bit(m);
    }
    constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E m)
    {
        bits_ |= Bit(m);
        return *this;
    }
    constexpr TSet& Exclude(E m)
    {
        bits_ &= ~Bit(m);
        return *this;
    }
    constexpr TSet With(E m) const
    {
        TSet s = *this;
        return s.Include(m);
    }
    constexpr TSet Without(E m) const
    {
        TSet s = *this;
        return s.Exclude(m);
    }
    friend constexpr bool operator==(const TSet&, const TSet&) = default;

private:
    static constexpr std::uint32_t Bit(E m) { return std::uint32_t{1} << static_cast<unsigned>(m); }
    std::uint32_t bits_ = 0;
};

enum TResourceDisplayStyle {
    rsLineArrow,
    rsBlock,
    rsBlockArrow,
    rsUpCalliper,
    rsDownCalliper,
    rsRoundRect,
    rsEllipse,
    rsPointedBlock,
    rsLine
};

enum TDateTimeStyle {
    dtTimeOnly,
    dtDateOnly,
    dtTimeAndDate,
    dtDateAndTime,
    dtNone,
    dtFirstDateAndTime,
    dtTimeAndFirstDate
};

enum TDrawProgress {
    dpBeforeStart,
    dpFrameDone,
    dpBackgroundDone,
    dpLabelsDone,
    dpShadowsDone,
    dpAllocationsDone,
    dpAllDone
};

enum TResourceAllocationChartOption {
    racAllowDragAllocation,
    racAllowDragScroll,
    racAllowAllocationSwitchResources,
    racAllowStretchAllocation,
    racAutoHint,
    racShowFocusRect,
    racWantArrowKeys,
    racWantTabKeys,
    racDateAxisAtTop,
    racDateAxisAtBottom,
    racOwnerDrawAllocations,
    racOwnerDrawDateLabels,
    racOwnerDrawResourceNames,
    racMultiSelect,
    racSortAllocations,
    racScrollBarOnlyIfNecessary
};
using TResourceAllocationChartOptions = TSet<TResourceAllocationChartOption>;

enum TDay { daSunday, daMonday, daTuesday, daWednesday, daThursday, daFriday, daSaturday };
using TDays = TSet<TDay>;

inline constexpr TDays kAllDays{daSunday, daMonday, daTuesday, daWednesday, daThursday, daFriday, daSaturday};

}  // namespace tw::chart
