#pragma once
// The marquee pane's cycle: the caption scrolls until it has left the pane
// completely, then starts again. The timer runs exactly while Scrolling is set
// and the type is not stNone.
#include "controls/foundation/fctypes.h"
namespace tw::controls {
struct TFcMarqueeCycle {
    int Position = 0;
    int Length = 0;  // caption width + pane width
    // One tick of step pixels (0 counts as 1); true when the cycle restarted.
    bool Advance(int step)
    {
        Position += step < 1 ? 1 : step;
        if (Position >= Length) {
            Position = 0;
            return true;
        }
        return false;
    }
};
inline bool MarqueeTimerRuns(bool scrolling, TFcScrollType type)
{
    return scrolling && type != stNone;
}
// Where the caption is drawn for the position.
inline int MarqueeTextX(TFcScrollType type, int paneWidth, int position, int textWidth)
{
    return type == stLeftToRight ? position - textWidth : paneWidth - position;
}
}  // namespace tw::controls
