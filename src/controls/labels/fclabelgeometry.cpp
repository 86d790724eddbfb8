#include "controls/labels/fclabelgeometry.h"

#include "controls/panels/fcpanellayout.h"

#include <cmath>
#include <numbers>

namespace tw::controls {

int NormalizeAngle(int angle)
{
    // Reduce first: a magnitude past a full turn must not leave the angle
    // negative.
    const int reduced = angle % 360;
    return reduced < 0 ? reduced + 360 : reduced;
}

TRect LabelTextRect(TRect r, const TFcLabelFrames& frames, bool shrinkByBand)
{
    return InsetByFrames(r, {frames.Outer, frames.Inner, frames.Sides, frames.BorderWidth, frames.BevelWidth},
                         shrinkByBand, 0);
}

TRect AdjustForBorders(TRect r, const TFcLabelFrames& frames, const TFcLabelShape& shape)
{
    const int horizontal = (HasSide(frames.Sides, sdLeft) ? 1 : 0) + (HasSide(frames.Sides, sdRight) ? 1 : 0);
    const int vertical = (HasSide(frames.Sides, sdTop) ? 1 : 0) + (HasSide(frames.Sides, sdBottom) ? 1 : 0);
    const auto grow = [&](int n) {
        r.Right += n * horizontal;
        r.Bottom += n * vertical;
    };
    grow(FrameStyleWidth(frames.Outer, frames.BevelWidth, 0));
    grow(frames.BorderWidth);
    grow(FrameStyleWidth(frames.Inner, frames.BevelWidth, 0));
    if (shape.Rotation == roNone && shape.TextStyle == tsShadow) {
        r.Right += shape.ShadowDepth;
        r.Bottom += shape.ShadowDepth;
    }
    if (shape.Rotation == roFlat && shape.Angle != 0 && shape.Angle != 180) {
        if (shape.TextStyle == tsShadow) {
            r.Right += shape.ShadowDepth / 2;
            r.Bottom += shape.ShadowDepth / 2;
        }
        const double w = r.Right;
        const double h = r.Bottom;
        double a = (shape.Angle % 90) * std::numbers::pi / 180.0;
        if (shape.Angle == 90 || shape.Angle == 270)
            a += std::numbers::pi / 2;
        r.Right = static_cast<int>(std::lround(std::sin(a) * h + std::cos(a) * w));
        r.Bottom = static_cast<int>(std::lround(std::cos(a) * h + std::sin(a) * w));
    }
    return r;
}

TPoint LabelCenterPoint(TCenterPoint where, TRotation rotation, int width, int height, int borderWidth)
{
    const int b = borderWidth;
    if (rotation == roFlat)
        return {width / 2, height / 2};
    switch (where) {
    case cpUpperLeft: return {b, b};
    case cpUpperCenter: return {width / 2, b};
    case cpUpperRight: return {width, b};
    case cpLeftCenter: return {b, height / 2};
    case cpCenter: return {width / 2, height / 2};
    case cpRightCenter: return {width - b, height / 2};
    case cpLowerLeft: return {b, height - b};
    case cpLowerCenter: return {width / 2, height - b};
    case cpLowerRight: return {width - b, height - b};
    }
    return {width / 2, height / 2};
}

TPoint LabelArcRadius(TCenterPoint where, int width, int height, int borderWidth)
{
    const int d = 2 * borderWidth;
    switch (where) {
    case cpUpperCenter:
    case cpLowerCenter: return {width / 2 - d, height - d};
    case cpLeftCenter:
    case cpRightCenter: return {width - d, height / 2 - d};
    case cpCenter: return {width / 2 - d, height / 2 - d};
    default: return {width - d, height - d};
    }
}

TFcTextAnchor FlatTextAnchor(int angle, unsigned flags, const TRect& r, TPoint centre, int textWidth,
                             int textHeight, int shadow)
{
    const double t = angle * std::numbers::pi / 180.0 + std::numbers::pi / 2;
    const int q = textHeight / 4;
    const int w = textWidth + shadow;
    const int h = textHeight + shadow;
    const bool centred = (flags & DT_CENTER) != 0;
    const bool right = !centred && (flags & DT_RIGHT) != 0;
    const int cosQ = static_cast<int>(std::lround(std::cos(t) * q));
    const int sinQ = static_cast<int>(std::lround(std::sin(t) * q));
    TFcTextAnchor a;
    TPoint& p = a.Point;
    p = centre;
    const int s = shadow;
    switch (angle) {
    case 0:
        if (centred) {
            a.TextAlign = TA_CENTER | TA_TOP;
            a.AlignChanged = true;
        } else if (right) {
            p.x = r.Right - w - s;
        } else {
            p.x = r.Left + s;
        }
        p.y -= h / 2;
        break;
    case 90:
        p.x -= cosQ;
        p.y = centred ? r.Bottom - (r.Bottom - w) / 2 : right ? r.Top + w + s : r.Bottom - s;
        a.TextAlign = TA_LEFT | TA_BASELINE;
        a.AlignChanged = true;
        break;
    case 180:
        p.x = centred ? r.Right - (r.Right - w) / 2 : right ? r.Left + w : r.Right - s;
        p.y -= h / 4;
        a.TextAlign = TA_LEFT | TA_BASELINE;
        a.AlignChanged = true;
        break;
    case 270:
        p.x -= cosQ;
        p.y = centred ? (r.Bottom - w) / 2 : right ? r.Bottom - w - s : r.Top + s;
        a.TextAlign = TA_LEFT | TA_BASELINE;
        a.AlignChanged = true;
        break;
    default:
        p.x -= cosQ;
        p.y += sinQ;
        a.TextAlign = TA_CENTER | TA_BASELINE;
        a.AlignChanged = true;
        break;
    }
    return a;
}

std::vector<TFcArcGlyph> ArcGlyphs(int characters, int angle, TPoint centre, TPoint radius, int textHeight,
                                   int advance)
{
    std::vector<TFcArcGlyph> glyphs;
    double t = angle * std::numbers::pi / 180.0;
    for (int i = 0; i < characters; ++i) {
        TFcArcGlyph g;
        g.X = centre.x - static_cast<int>(std::lround(std::sin(t) * (radius.x - textHeight)));
        g.Y = centre.y - static_cast<int>(std::lround(std::cos(t) * (radius.y - textHeight)));
        g.Escapement = static_cast<int>(std::lround(t * 1800.0 / std::numbers::pi));
        glyphs.push_back(g);
        if (radius.x != 0)
            t -= static_cast<double>(advance) / radius.x;
    }
    return glyphs;
}

}  // namespace tw::controls
