#pragma once
// Latching in groups, shared by the speed buttons and the tool buttons (each
// family groups only with itself): whether Down may change, what a sibling's
// group notice does, and the checkerboard face of a latched button.
#include "controls/foundation/fccanvas.h"
namespace tw::controls {
// Down only with a group; the last down button of a group stays down
// unless all may be up. Adjusts value and tells whether Down changes.
inline bool LatchChangeAllowed(int groupIndex, bool allowAllUp, bool down, bool& value)
{
    if (groupIndex == 0)
        value = false;
    if (value == down)
        return false;
    return !(down && !value && !allowAllUp);
}
// A sibling of the same group went down: this one is released (true when it
// was down) and takes the sibling's AllowAllUp.
template <typename Button>
bool ReleaseForSibling(const Button* other, int group, int groupIndex, bool& down, bool& allowAllUp)
{
    if (!other || group != groupIndex || groupIndex == 0)
        return false;
    allowAllUp = other->AllowAllUp();
    if (other->Down() && down) {
        down = false;
        return true;
    }
    return false;
}
// Button face and highlight, alternate pixels.
inline TFcBrush LatchedPatternBrush()
{
    TFcBrush pattern;
    pattern.Style = TBrushStyle::Pattern;
    pattern.Color = clBtnHighlight;
    pattern.PatternBackground = clBtnFace;
    for (int i = 0; i < 8; ++i)
        pattern.Pattern[i] = (i % 2) ? 0xAA : 0x55;
    return pattern;
}
}  // namespace tw::controls
