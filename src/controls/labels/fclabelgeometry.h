#pragma once
// The window-free geometry of the label: its angle kept in 0..359, the
// rectangle its text gets inside its frames, the room auto-size adds for the
// frames, shadow and rotation, the turning point of rotated and arc text,
// where flat-rotated text is anchored, and where each character of arc text
// goes.

#include "controls/foundation/fctypes.h"

#include <QString>

#include <vector>

namespace tw::controls {

enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TRotation { roNone, roFlat, roCurve };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Any angle in degrees as 0..359 (-30 is 330, -390 is 330, 450 is 90).
int NormalizeAngle(int angle);

struct TFcLabelFrames {
    TFrameStyle Outer = fsNone;
    TFrameStyle Inner = fsNone;
    TSides Sides = kAllSides;
    int BorderWidth = 0;
    int BevelWidth = 1;
};

// The text's rectangle inside the frames (fsFlatBold takes no room here).
TRect LabelTextRect(TRect r, const TFcLabelFrames& frames, bool shrinkByBand);

struct TFcLabelShape {
    TRotation Rotation = roNone;
    int Angle = 0;
    TTextStyle TextStyle = tsNormal;
    int ShadowDepth = 2;
};

// Auto-size: the measured text rectangle grown by the frames on the chosen
// sides, the shadow, and for flat rotation the rotated extent.
TRect AdjustForBorders(TRect r, const TFcLabelFrames& frames, const TFcLabelShape& shape);

// The point text turns about.
TPoint LabelCenterPoint(TCenterPoint where, TRotation rotation, int width, int height, int borderWidth);
// The horizontal (x) and vertical (y) radius of arc text.
TPoint LabelArcRadius(TCenterPoint where, int width, int height, int borderWidth);

// Where flat-rotated text is drawn and how it is aligned to that point.
struct TFcTextAnchor {
    TPoint Point;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    bool AlignChanged = false;  // false: the canvas keeps the alignment it had
};
// r is the text rectangle, centre the turning point, flags the text-drawing
// flags (their centre or right bit counts), textWidth and textHeight the
// caption's width and the height of "Pp", shadow the shadow offset s.
TFcTextAnchor FlatTextAnchor(int angle, unsigned flags, const TRect& r, TPoint centre, int textWidth,
                             int textHeight, int shadow);

// One character of arc text: where it is drawn (centre-baseline) and its
// escapement in tenths of a degree.
struct TFcArcGlyph {
    int X = 0;
    int Y = 0;
    int Escapement = 0;
    friend bool operator==(const TFcArcGlyph&, const TFcArcGlyph&) = default;
};
// textHeight is the height of "Yy", advance the width of "w" + 2: every
// character moves the same angle on, clockwise.
std::vector<TFcArcGlyph> ArcGlyphs(int characters, int angle, TPoint centre, TPoint radius, int textHeight,
                                   int advance);

}  // namespace tw::controls
