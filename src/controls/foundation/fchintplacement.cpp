#include "controls/foundation/fchintplacement.h"

namespace tw::controls {

TRect BalloonWindowRect(TRect r, TFcHintCorner corner, bool balloon, bool shadow)
{
    if (balloon) {
        if (IsLowerCorner(corner)) {
            r.Top -= kBalloonTailBand;
            if (shadow) {
                r.Right += 2;
                r.Bottom += 2;
            }
        } else {
            r.Bottom += kBalloonTailBand;
            if (shadow)
                r.Right += 2;
        }
    }
    return r.Inflated(2, 2);
}

THintPlacement PlaceHint(TPoint p, int w, int h, TFcHintCorner preferred, const TRect& screen)
{
    THintPlacement out;
    out.corner = preferred;
    switch (preferred) {
    case hcLowerRight:
        out.x = p.x + 1;
        out.y = p.y;
        break;
    case hcLowerLeft:
        out.x = p.x - w - 1;
        out.y = p.y;
        break;
    case hcUpperLeft:
        out.x = p.x - w - 1;
        out.y = p.y - h;
        break;
    case hcUpperRight:
        out.x = p.x + 1;
        out.y = p.y - h;
        break;
    }
    if (out.y < screen.Top) {
        out.corner = out.corner == hcUpperRight ? hcLowerRight : hcLowerLeft;
        out.y = p.y;
    }
    if (out.y + h > screen.Bottom) {
        out.corner = out.corner == hcLowerRight ? hcUpperRight : hcUpperLeft;
        out.y = p.y - h;
    }
    if (out.x + w > screen.Right) {
        out.corner = out.corner == hcLowerRight ? hcLowerLeft : hcUpperLeft;
        out.x = p.x - w - 1;
    }
    if (out.x < screen.Left) {
        out.corner = out.corner == hcLowerLeft ? hcLowerRight : hcUpperRight;
        out.x = p.x + 1;
    }
    return out;
}

TRect BalloonBodyRect(const TRect& client, TFcHintCorner corner, bool balloon, bool shadow)
{
    TRect r = client;
    if (!balloon)
        return r;
    if (IsLowerCorner(corner)) {
        r.Top += 20;
        if (shadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else {
        r.Bottom -= 20;
        if (shadow)
            r.Right -= 2;
    }
    return r;
}

}  // namespace tw::controls
