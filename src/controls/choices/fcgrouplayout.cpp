#include "controls/choices/fcgrouplayout.h"

#include <algorithm>

namespace tw::controls {

int ClampGroupColumns(int columns)
{
    return std::clamp(columns, 1, kMaxGroupColumns);
}

namespace {

bool IsBevelStyle(TFrameStyle style)
{
    switch (style) {
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp: return true;
    default: return false;
    }
}

}  // namespace

int GroupItemsTop(TFcGroupBoxStyle style, bool captionEmpty, int fontHeight, int startY, int borderWidth,
                  TFrameStyle borderOuter, TFrameStyle borderInner)
{
    if (style == gsStandard)
        return captionEmpty ? fontHeight / 2 + 2 + startY : fontHeight + startY;
    int edge = borderWidth + 1;
    if (IsBevelStyle(borderOuter))
        edge += 2;
    if (IsBevelStyle(borderInner))
        edge += 2;
    return captionEmpty ? edge + startY : edge + fontHeight + startY;
}

int GroupRows(int count, int columns)
{
    const int c = ClampGroupColumns(columns);
    return (count + c - 1) / c;
}

std::vector<TRect> ArrangeGroupItems(const TFcGroupLayout& layout)
{
    const int count = static_cast<int>(layout.TextWidths.size());
    std::vector<TRect> bounds;
    if (count == 0)
        return bounds;
    const int columns = ClampGroupColumns(layout.Columns);
    const int rows = GroupRows(count, columns);
    const int evenWidth = (layout.Width - layout.StartX - 2 * layout.BorderWidth - 10) / columns;

    std::vector<int> columnWidths(columns, 0);
    if (!layout.SpaceEvenly) {
        for (int i = 0; i < count; ++i) {
            int& w = columnWidths[i / rows];
            w = std::max(w, layout.TextWidths[i] + layout.GlyphWidth + 4 + 8);
        }
    }
    for (int i = 0; i < count; ++i) {
        const int col = i / rows;
        const int row = i % rows;
        const int y = layout.Top + row * (layout.ItemHeight + layout.VerticalSpacing);
        int x = 0;
        int width = 0;
        if (layout.SpaceEvenly) {
            width = evenWidth;
            x = layout.RightToLeft ? layout.ClientWidth - col * evenWidth - evenWidth - layout.StartX
                                   : col * evenWidth + layout.StartX;
        } else {
            int before = 0;
            for (int c = 0; c < col; ++c)
                before += columnWidths[c];
            width = columnWidths[col] - 4;
            x = layout.RightToLeft ? layout.ClientWidth - before - columnWidths[col] + 4 - layout.StartX
                                   : before + layout.StartX;
        }
        bounds.push_back({x, y, x + width, y + layout.ItemHeight});
    }
    return bounds;
}

}  // namespace tw::controls
