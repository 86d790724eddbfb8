#pragma once
// Where the radio and check groups put their items: rows and columns (items
// fill a column top to bottom, then the next), column widths fitted to the
// captions or spread evenly, and the mirrored placement of right-to-left
// groups. Window-free: the group measures its captions and hands the widths in.

#include "controls/foundation/fctypes.h"
#include "controls/panels/fcpanellayout.h"

#include <vector>

namespace tw::controls {

inline constexpr int kMaxGroupColumns = 16;

// 1..16.
int ClampGroupColumns(int columns);

// The top of the first row. fontHeight is GetMinFontHeight of the group's font.
int GroupItemsTop(TFcGroupBoxStyle style, bool captionEmpty, int fontHeight, int startY, int borderWidth,
                  TFrameStyle borderOuter, TFrameStyle borderInner);

struct TFcGroupLayout {
    int Columns = 1;
    bool SpaceEvenly = false;
    int Width = 0;        // the group's width
    int ClientWidth = 0;  // the group's client width (right-to-left placement)
    int StartX = 8;
    int Top = 0;
    int BorderWidth = 0;
    int ItemHeight = 17;
    int VerticalSpacing = 3;
    int GlyphWidth = 13;
    bool RightToLeft = false;
    // One per item: the width of its caption in the item font.
    std::vector<int> TextWidths;
};

// The rows the items take.
int GroupRows(int count, int columns);
// Each item's bounds, in item order.
std::vector<TRect> ArrangeGroupItems(const TFcGroupLayout& layout);

}  // namespace tw::controls
