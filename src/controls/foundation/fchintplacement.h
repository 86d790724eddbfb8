#pragma once
// Where a balloon hint goes: the window-free geometry of the hint window, so
// that the corner rules and screen-edge flips can be tested without a screen.

#include "controls/foundation/fctypes.h"

namespace tw::controls {

// Where the balloon lies relative to the point it refers to.
enum TFcHintCorner { hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight };

inline constexpr int kMinHintWidth = 55;
// The band the tail takes above or below the body.
inline constexpr int kBalloonTailBand = 28;

inline bool IsLowerCorner(TFcHintCorner c)
{
    return c == hcLowerRight || c == hcLowerLeft;
}

// The text rectangle grown to the window's rectangle: room for the tail (and
// the shadow) when a balloon is shown, then 2 pixels on every side.
TRect BalloonWindowRect(TRect textRect, TFcHintCorner corner, bool balloon, bool shadow);

struct THintPlacement {
    int x = 0;
    int y = 0;
    TFcHintCorner corner = hcLowerRight;
    friend bool operator==(const THintPlacement&, const THintPlacement&) = default;
};

// A w by h window for anchor point p, on the preferred corner unless an edge
// of the screen (its rectangle, in the same coordinates) is in the way.
THintPlacement PlaceHint(TPoint p, int w, int h, TFcHintCorner preferred, const TRect& screen);

// The body of the balloon inside its window's client rectangle.
TRect BalloonBodyRect(const TRect& client, TFcHintCorner corner, bool balloon, bool shadow);

}  // namespace tw::controls
