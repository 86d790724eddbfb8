#include "controls/tabs/fctabpaintmodel.h"

#include <stdexcept>

namespace tw::controls {

void AddCommand(TFcTabCommands& list, int code)
{
    list.push_back(code);
}

void AddCommandPt(TFcTabCommands& list, int code, TPoint p)
{
    list.push_back(code);
    list.push_back(p.x);
    list.push_back(p.y);
}

namespace {

// Builds a command list with short names for the outline tables below.
struct Pen {
    TFcTabCommands list;
    void Color() { AddCommand(list, tcPenColor); }
    void Move(TPoint p) { AddCommandPt(list, tcMoveTo, p); }
    void Line(TPoint p) { AddCommandPt(list, tcLineTo, p); }
    void Dark(TPoint p) { AddCommandPt(list, tcShadowDark, p); }
    void Light(TPoint p) { AddCommandPt(list, tcShadowLight, p); }
};

TPoint At(TPoint p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

}  // namespace

TFcTabCommands CalcTabDrawCommands(const TFcTabLayout& layout, int index)
{
    const std::vector<TPoint> m = layout.CalcMappedTabRegionPts(index);
    const TFcTabStyle style = layout.Options.TabStyle;
    const size_t need = style == tsDoubleSlant ? 4 : style == tsRoundCorners ? 6 : 5;
    if (m.size() != need)
        throw std::runtime_error("Incorrect number of points in tab shape");
    Pen pen;
    AddCommandPt(pen.list, tcStart, {0, index});
    pen.Color();
    if (style != tsRoundCorners) {
        pen.Move(m[0]);
        for (size_t k = 1; k < m.size(); ++k)
            pen.Line(m[k]);
    } else {
        // Round corners are drawn as three strokes from the end of the tab
        // that meets the card last.
        using Strokes = std::vector<std::vector<size_t>>;
        const Strokes strokes = layout.Options.TabOrientation != toLeft
            ? Strokes{{4, 5}, {4, 3}, {3, 2, 1, 0}}
            : Strokes{{1, 0}, {1, 2}, {2, 3, 4, 5}};
        for (const std::vector<size_t>& stroke : strokes) {
            pen.Move(m[stroke.front()]);
            for (size_t k = 1; k < stroke.size(); ++k)
                pen.Line(m[stroke[k]]);
        }
    }
    return pen.list;
}

TFcTabCommands CalcCardDrawCommands(const TFcTabLayout& layout, int row, bool withShadow)
{
    const TFcTabOptions& o = layout.Options;
    const TRect card = layout.CalcMappedCardRect(row);
    const TPoint k0{card.Left, card.Top};
    const TPoint k1{card.Right, card.Top};
    const TPoint k2{card.Right, card.Bottom};
    const TPoint k3{card.Left, card.Bottom};
    const bool full = o.ShowFullFrame;
    const bool topShadow = o.TabOrientation == toTop && o.TabSequence == tsStandard && o.ShowShadow;

    Pen pen;
    AddCommandPt(pen.list, tcStart, {1, row});
    auto shadow = [&] {
        // Only the front card casts the shadow: a farther row's card sticks
        // out beside it by the row indent, and its own shadow would run there
        // as a stray second line.
        if (!withShadow || row != 0)
            return;
        pen.Move(At(k1, -1, 1));
        pen.Dark(At(k2, -1, -1));
        pen.Dark(At(k3, 0, -1));
        pen.Move(At(k1, -1, 0));
        pen.Light(k1);
        pen.Light(k2);
        pen.Light(k3);
        pen.Light(At(k3, 0, -1));
    };

    const int selected = layout.TabIndex();
    const bool gap = row == 0 && selected >= 0 && layout.TabInView(selected);
    if (!gap) {
        pen.Color();
        pen.Move(k0);
        if (topShadow) {
            pen.Line(At(k1, -2, 0));
            pen.Line(At(k2, -2, -2));
            pen.Line(At(k3, 0, -2));
            pen.Line(k0);
            shadow();
        } else {
            pen.Line(k1);
            if (full) {
                pen.Line(k2);
                pen.Line(k3);
                pen.Line(k0);
            }
        }
        return pen.list;
    }

    const std::vector<TPoint> p = layout.CalcTabRegionPts(selected);
    TPoint g1 = layout.CalcMapPoint({p.front().x + 1, p.front().y});
    TPoint g2 = layout.CalcMapPoint(p.back());

    if (o.TabStyle != tsRoundCorners) {
        pen.Color();
        switch (o.TabOrientation) {
        case toTop:
            pen.Move(k0);
            pen.Line(g1);
            pen.Move(g2);
            if (topShadow) {
                pen.Line(At(k1, -2, 0));
                if (full) {
                    pen.Line(At(k2, -2, -2));
                    pen.Line(At(k3, 0, -2));
                    pen.Line(At(k0, 0, -1));
                }
                shadow();
            } else {
                pen.Line(k1);
                if (full) {
                    pen.Line(k2);
                    pen.Line(k3);
                    pen.Line(At(k0, 0, -1));
                }
            }
            break;
        case toLeft:
            if (full) {
                pen.Move(k0);
                pen.Line(k1);
                pen.Line(k2);
                pen.Line(At(k3, -1, 0));
            }
            pen.Move(k3);
            pen.Line(g1);
            pen.Move(g2);
            pen.Line(k0);
            break;
        case toBottom:
            if (full) {
                pen.Move(k0);
                pen.Line(k1);
                pen.Line(At(k2, 0, 1));
            }
            pen.Move(k2);
            pen.Line({g2.x - 1, g2.y});
            pen.Move({g1.x - 1, g2.y});
            pen.Line(k3);
            if (full)
                pen.Line(k0);
            break;
        case toRight:
            if (full) {
                pen.Move(k0);
                pen.Line(At(k1, 1, 0));
            }
            pen.Move(k1);
            pen.Line(g1);
            pen.Move(g2);
            pen.Line(k2);
            if (full) {
                pen.Line(k3);
                pen.Line(k0);
            }
            break;
        }
        return pen.list;
    }

    switch (o.TabOrientation) {
    case toTop:
        if (topShadow) {
            pen.Color();
            pen.Move(At(k3, 0, -2));
            pen.Line(k0);
            pen.Line(g1);
            pen.Move(g2);
            pen.Line(At(k1, -2, 0));
            pen.Line(At(k2, -2, -2));
            pen.Line(At(k3, -1, -2));
            shadow();
            pen.Color();
        } else {
            if (full)
                pen.Move(k3);
            pen.Color();
            if (full)
                pen.Line(k0);
            else
                pen.Move(k0);
            pen.Line(g1);
            pen.Move(g2);
            pen.Line(k1);
            if (full) {
                pen.Line(k2);
                pen.Line(At(k3, -1, 0));
            }
        }
        pen.Move(g2);
        pen.Line(g2);
        pen.Line(At(g2, 1, 0));
        break;
    case toLeft:
        pen.Move(k3);
        pen.Color();
        pen.Line(g1);
        pen.Move(g2);
        pen.Line(k0);
        if (full) {
            pen.Line(k1);
            pen.Line(k2);
            pen.Line(At(k3, -1, 0));
        }
        break;
    case toBottom:
        g1.x -= 1;
        g2.x -= 1;
        if (full)
            pen.Move(k3);
        pen.Color();
        if (full) {
            pen.Line(k0);
            pen.Line(k1);
            pen.Line(k2);
        } else {
            pen.Move(k2);
        }
        pen.Line(g2);
        pen.Move(g1);
        pen.Line(k3);
        break;
    case toRight:
        if (full)
            pen.Move(k3);
        pen.Color();
        if (full) {
            pen.Line(k0);
            pen.Line(At(k1, 1, 0));
        }
        pen.Move(k1);
        pen.Line(g1);
        pen.Move(g2);
        pen.Line(k2);
        if (full)
            pen.Line(At(k3, -1, 0));
        break;
    }
    return pen.list;
}

TRect CalcTabFaceRect(const TFcTabLayout& layout, const TRect& tabRect)
{
    const TFcTabOptions& o = layout.Options;
    const TFcTabOrientation side = o.TabOrientation;
    const bool across = side == toLeft || side == toRight;
    const int w = tabRect.Width();
    const int h = tabRect.Height();
    const int c = o.CutCornerSize;
    TRect f = tabRect;
    auto inset = [&f](int dx, int dy) { f = f.Inflated(-dx, -dy); };
    auto shift = [&f](int dx, int dy) { f = f.Moved(dx, dy); };
    // Every style moves the face off the card's side by k and pushes bottom
    // and right tabs one pixel further out.
    auto offCard = [&](int k) {
        switch (side) {
        case toTop: f.Top += k; break;
        case toBottom:
            f.Bottom -= k;
            shift(0, 1);
            break;
        case toLeft: f.Left += k; break;
        case toRight:
            f.Right -= k;
            shift(1, 0);
            break;
        }
    };
    switch (o.TabStyle) {
    case tsSingleSlant:
        inset(1, 1);
        if (!across) {
            f.Right -= 2 * layout.GetTabOffset(h) + 2;
            shift(3, 0);
        } else {
            if (side == toLeft) {
                f.Top += 2 * layout.GetTabOffset(w) + 2;
                shift(0, -2);
            } else {
                f.Bottom -= 2 * layout.GetTabOffset(w) + 2;
                shift(0, 2);
            }
            shift(0, 1);
        }
        offCard(2);
        break;
    case tsDoubleSlant:
        if (!across) {
            inset(-1, 1);
            inset(layout.GetTabOffset(h), 0);
            shift(1, 0);
        } else {
            inset(1, -1);
            inset(0, layout.GetTabOffset(w));
            f.Bottom += 2;
            shift(0, 1);
        }
        offCard(2);
        break;
    case tsCutCorner:
        if (o.TextOrientation == orHorizontal) {
            inset(across ? 1 : c + 3, across ? 4 : 1);
            offCard(across ? c + 5 : 3);
        } else {
            inset(across ? 1 : 4, across ? c + 3 : 1);
            offCard(across ? 5 : c + 3);
        }
        break;
    case tsRoundCorners:
        if (o.TextOrientation == orHorizontal)
            inset(4, 2);
        else
            inset(2, 4);
        break;
    }
    inset(1, 1);
    return f;
}

TFcCaptionPieces SplitCaption(const QString& line)
{
    TFcCaptionPieces pieces;
    const qsizetype at = line.indexOf(QLatin1Char('&'));
    if (at < 0) {
        pieces.Before = line;
    } else if (at + 1 >= line.size()) {
        pieces.Before = line.left(at);
    } else if (line[at + 1] == QLatin1Char('&')) {
        pieces.Before = line.left(at + 1);
        pieces.Rest = line.mid(at + 2);
    } else {
        pieces.Before = line.left(at);
        pieces.Accelerator = line[at + 1];
        pieces.Rest = line.mid(at + 2);
    }
    return pieces;
}

TFcTabFace CalcTabFace(const TFcTabLayout& layout, int index, const TRect& tabRect)
{
    const TFcTabOptions& o = layout.Options;
    const TFcTabData& tab = *layout.Tabs.Items(index);
    TFcTabFace face;
    face.Face = CalcTabFaceRect(layout, tabRect);
    const TRect& f = face.Face;
    const TFcSize image = layout.CalcImageExtent(tab.ImageIndex);
    const int margin = tab.ImageIndex != -1 ? o.ImageMargin : 0;

    TRect t = f;
    TRect ir = f;
    switch (o.ImagePosition) {
    case ipLeft:
        t.Left += image.cx + margin;
        ir.Right = f.Left + image.cx;
        break;
    case ipTop:
        t.Top += image.cy + margin;
        ir.Bottom = f.Top + image.cy;
        break;
    case ipRight:
        t.Right -= image.cx + margin;
        ir.Left = f.Right - image.cx;
        break;
    case ipBottom:
        t.Bottom -= image.cy + margin;
        ir.Top = f.Bottom - image.cy;
        break;
    default: break;
    }
    face.TextRect = t;
    face.ImageRect = ir;
    if (o.HasImages && tab.ImageIndex != -1) {
        face.DrawImage = true;
        if (o.ImagePosition == ipStretch) {
            face.ImageAt = {f.Left, f.Top};
        } else {
            const int x = o.ImageAlignment == haLeft ? ir.Left
                : o.ImageAlignment == haCenter       ? ir.Left + (ir.Width() - image.cx) / 2
                                                     : ir.Right - image.cx;
            const int y = o.ImageAlignmentVertical == vaTop ? ir.Top
                : o.ImageAlignmentVertical == vaCenter      ? ir.Top + (ir.Height() - image.cy) / 2
                                                            : ir.Bottom - image.cy;
            face.ImageAt = {x, y};
        }
    }

    if (tab.Caption.isEmpty())
        return face;
    face.Bold = o.BoldCurrentTab && index == layout.TabIndex();
    const bool horizontal = o.TextOrientation == orHorizontal;
    const bool rightTabs = o.TabOrientation == toRight;
    const TFcSize block = layout.CalcTextExtent(tab.Caption, horizontal, face.Bold);
    TRect r = t;
    if (horizontal) {
        if (o.TextAlignmentVertical == vaCenter) {
            const int d = (r.Height() - block.cy) / 2;
            r.Top += d;
            r.Bottom -= d;
        } else if (o.TextAlignmentVertical == vaBottom) {
            r.Top = r.Bottom - block.cy;
        }
    } else if (o.TextAlignment == haCenter) {
        const int d = (r.Width() - block.cx) / 2;
        r.Left += d;
        r.Right -= d;
    } else if (!rightTabs && o.TextAlignment == haRight) {
        r.Left = r.Right - block.cx;
    } else if (rightTabs && o.TextAlignment == haLeft) {
        r.Right = r.Left + block.cx;
    }

    int before = 0;
    for (const QString& line : ParseTextLines(tab.Caption)) {
        const TFcSize e = layout.CalcTextExtent(line, horizontal, face.Bold);
        TPoint at;
        if (horizontal) {
            const int dx = o.TextAlignment == haLeft ? 0
                : o.TextAlignment == haCenter        ? (r.Width() - e.cx) / 2
                                                     : r.Width() - e.cx;
            at = {r.Left + dx, r.Top + before};
            before += e.cy;
        } else if (!rightTabs) {
            const int dy = o.TextAlignmentVertical == vaTop ? r.Height() - e.cy
                : o.TextAlignmentVertical == vaCenter       ? (r.Height() - e.cy) / 2
                                                            : 0;
            at = {r.Left + before, r.Bottom - dy};
            before += e.cx;
        } else {
            const int dy = o.TextAlignmentVertical == vaTop ? 0
                : o.TextAlignmentVertical == vaCenter       ? (r.Height() - e.cy) / 2
                                                            : r.Height() - e.cy;
            at = {r.Right - before, r.Top + dy};
            before += e.cx;
        }
        face.Lines.push_back({line, at});
    }
    return face;
}

TRect HotTrackBarRect(TFcTabOrientation side, const TRect& mappedTab)
{
    const TRect r = mappedTab.Inflated(1, 1);
    switch (side) {
    case toTop: return {r.Left, r.Top, r.Right, r.Top + 6};
    case toLeft: return {r.Left, r.Top, r.Left + 6, r.Bottom};
    case toBottom: return {r.Left, r.Bottom - 4, r.Right, r.Bottom};
    case toRight: return {r.Right - 4, r.Top, r.Right, r.Bottom};
    }
    return r;
}

TRect FocusRectOfFace(const TFcTabLayout& layout, const TRect& face)
{
    TRect r = face;
    r.Left -= 1;
    r.Right += 1;
    if (layout.Options.TabStyle == tsRoundCorners) {
        switch (layout.Options.TabOrientation) {
        case toTop: r.Top += 1; break;
        case toBottom: r.Bottom -= 1; break;
        case toLeft: r.Left += 2; break;
        case toRight: r.Right -= 2; break;
        }
    }
    return r;
}

}  // namespace tw::controls
