#pragma once
// What a tab strip paints, worked out without painting: the outline command
// lists of tabs and cards, the face of a tab with its image and text places,
// and the pieces of a caption around its accelerator. The widget runs the
// commands on its canvas; tests read them directly.

#include "controls/tabs/fctablayout.h"

#include <vector>

namespace tw::controls {

// Outline commands: a code, and for codes 2 and above two numbers.
enum TFcTabCommand {
    tcPenColor = 0,  // pen to the current line colour
    tcNothing = 1,
    tcStart = 2,       // (kind: 0 tab, 1 card; index or row)
    tcMoveTo = 3,      // (x, y)
    tcLineTo = 4,      // (x, y), end pixel not drawn
    tcShadowDark = 5,  // shadow run to (x, y), weight 30
    tcShadowLight = 6  // shadow run to (x, y), weight 15
};

using TFcTabCommands = std::vector<int>;

void AddCommand(TFcTabCommands& list, int code);
void AddCommandPt(TFcTabCommands& list, int code, TPoint p);

// Throws std::runtime_error "Incorrect number of points in tab shape" when a
// tab's outline does not have the points its style needs.
TFcTabCommands CalcTabDrawCommands(const TFcTabLayout& layout, int index);
// withShadow is false while only the tab band is repainted for hot tracking;
// the cards of farther rows never have one.
TFcTabCommands CalcCardDrawCommands(const TFcTabLayout& layout, int row, bool withShadow = true);

// The face inside a tab's client rectangle.
TRect CalcTabFaceRect(const TFcTabLayout& layout, const TRect& tabRect);

struct TFcTextLinePlace {
    QString Text;  // with its accelerator marker
    TPoint At;
};

struct TFcTabFace {
    TRect Face;
    TRect TextRect;
    TRect ImageRect;
    // Where the image's top-left corner goes, when there is one to draw.
    bool DrawImage = false;
    TPoint ImageAt;
    std::vector<TFcTextLinePlace> Lines;
    bool Bold = false;
};

// The face of tab index drawn in tabRect (client coordinates).
TFcTabFace CalcTabFace(const TFcTabLayout& layout, int index, const TRect& tabRect);

// A caption line cut at its first "&": the text before, the accelerator (null
// when there is none) and the rest. "&&" leaves one "&" and no accelerator; a
// trailing "&" is dropped.
struct TFcCaptionPieces {
    QString Before;
    QChar Accelerator;
    QString Rest;
};
TFcCaptionPieces SplitCaption(const QString& line);

// The bar's rectangle of the hot-track mark on a tab (client coordinates).
TRect HotTrackBarRect(TFcTabOrientation side, const TRect& mappedTab);
// The focus rectangle of the selected tab's face.
TRect FocusRectOfFace(const TFcTabLayout& layout, const TRect& face);

}  // namespace tw::controls
