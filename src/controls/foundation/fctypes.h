#pragma once
// The shared value types of the component library: rectangles with exclusive
// right and bottom edges (every drawing routine counts on that), the frame
// enumerations and the small ranges that the controls' properties use.

#include <cstdint>

#include "platform/drawing/drawtypes.h"

namespace tw::controls {

// The program's one drawing vocabulary (platform/drawing/drawtypes.h).
using TColor = drawing::TColor;
using TPoint = drawing::TPoint;
using TRect = drawing::TRect;

enum TFrameStyle {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold
};
inline constexpr int kFrameStyleCount = 11;

enum TSide { sdLeft, sdTop, sdRight, sdBottom };

// One bit per side in the order of TSide.
using TSides = std::uint8_t;
inline constexpr TSides SideBit(TSide side)
{
    return static_cast<TSides>(1u << side);
}
inline constexpr TSides kAllSides = 15;
inline constexpr bool HasSide(TSides sides, TSide side)
{
    return (sides & SideBit(side)) != 0;
}

enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TFcUIStyle { uiWindows95, uiWindowsXP };
enum TDirection { dirUp, dirDown, dirLeft, dirRight };
enum TOrientation { orHorizontal, orVertical };
enum TBarStyle { bsTraditional, bsLED };
enum TLineStyle { lsNone, lsFlat, lsGroove, lsBump };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TBlinkState { bsOn, bsOff };
enum TFcScrollStyle { scsNone, scsLeft, scsUp, scsRight, scsDown };
enum TFcScrollType { stNone, stRightToLeft, stLeftToRight };
enum TFcHotTrackColorType { htctComplement, htctActual };
enum TExpandOnType { etMouseButton2Click, etFocus, etNone };

// The toolkit's horizontal alignment, in its order.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Text-drawing flags (the values the routines and stored settings use).
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Text-alignment flags of TextOut / TextRect.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

inline constexpr unsigned DrawTextAlignments[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
inline constexpr unsigned SetTextAlignments[3] = {TA_LEFT, TA_RIGHT, TA_CENTER};

using TPositiveByte = std::uint8_t;      // 1..255
using TPositiveSmallint = std::int16_t;  // 1..32767
using TPositiveInteger = std::int32_t;   // 1..2147483647
using TUnsignedSmallint = std::int16_t;  // 0..32767

}  // namespace tw::controls
