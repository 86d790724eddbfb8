#include "controls/tabs/fctablayout.h"

#include <QPolygon>
#include <QStringList>

#include <algorithm>
#include <stdexcept>

namespace tw::controls {

namespace {

// Where each visible tab lands in a flowing layout: its row and its start
// along the row (standard sequence; the reverse sequence mirrors it).
struct Slot {
    int row = 0;
    int x = 0;
};

struct Flow {
    std::vector<Slot> places;
    int rows = 1;
    int end = 0;  // the running position after the last tab
};

// A tab that does not fit the rest of its row starts a new one; a tab that
// does not fit even an empty row sits there alone and the next tab breaks.
Flow FlowTabs(const std::vector<int>& lengths, int avail, int margin, int offset, bool multiLine)
{
    Flow flow;
    int x = margin;
    int row = 0;
    bool empty = true;
    bool forceBreak = false;
    for (const int len : lengths) {
        if (multiLine && (forceBreak || (!(x + len < avail) && !empty))) {
            ++row;
            x = margin;
            forceBreak = false;
        }
        const bool fits = x + len < avail;
        flow.places.push_back({row, x});
        x += len - offset + 1;
        if (multiLine && !fits)
            forceBreak = true;
        empty = false;
    }
    flow.rows = row + 1;
    flow.end = x;
    return flow;
}

}  // namespace

QChar CaptionAccelerator(const QString& caption)
{
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= caption.size() || caption[at + 1] == QLatin1Char('&'))
        return {};
    return caption[at + 1];
}

QString StripTabAccelerator(const QString& caption)
{
    // A trailing "&" is not drawn but still takes room.
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= caption.size())
        return caption;
    QString shown = caption;
    shown.remove(at, 1);
    return shown;
}

QStringList ParseTextLines(const QString& text)
{
    return text.split(QStringLiteral("\r\n"));
}

TFcTabLayout::TFcTabLayout(const TFcTextMeasure& measure) : measure_(&measure) {}

void TFcTabLayout::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    calcNeeded_ = true;
}

TFcSize TFcTabLayout::CalcTextExtent(const QString& text, bool horizontal, bool bold) const
{
    QFont font = Options.Font;
    if (bold)
        font.setBold(true);
    int widest = 0;
    int sum = 0;
    const int lineHeight = measure_->TextHeight(font);
    for (const QString& line : ParseTextLines(text)) {
        widest = std::max(widest, measure_->TextWidth(font, StripTabAccelerator(line)));
        sum += lineHeight;
    }
    if (horizontal)
        return {widest, sum};
    return {sum, widest};
}

TFcSize TFcTabLayout::CalcImageExtent(int imageIndex) const
{
    if (imageIndex == -1 || !Options.HasImages)
        return {};
    return Options.ImageSize;
}

TFcSize TFcTabLayout::CalcDefaultTabFaceExtent() const
{
    const QString sample = Options.TabStyle == tsRoundCorners ? QStringLiteral("AAA") : QStringLiteral("A");
    QFont font = Options.Font;
    if (Options.BoldCurrentTab)
        font.setBold(true);
    const int textWidth = measure_->TextWidth(font, sample);
    const int fontHeight = measure_->TextHeight(font);
    if (Options.TextOrientation == orHorizontal)
        return {textWidth, fontHeight};
    return {fontHeight, textWidth};
}

TFcSize TFcTabLayout::CalcTabFaceExtent(const TFcTabData& tab) const
{
    const TFcSize image = CalcImageExtent(tab.ImageIndex);
    const TFcSize text =
        CalcTextExtent(tab.Caption, Options.TextOrientation == orHorizontal, Options.BoldCurrentTab);
    TFcSize face;
    switch (Options.ImagePosition) {
    case ipLeft:
    case ipRight: face = {Options.ImageMargin + image.cx + text.cx, std::max(image.cy, text.cy)}; break;
    case ipTop:
    case ipBottom: face = {std::max(image.cx, text.cx), Options.ImageMargin + image.cy + text.cy}; break;
    case ipBack: face = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)}; break;
    case ipStretch: face = text; break;
    }
    const TFcSize least = CalcDefaultTabFaceExtent();
    if (Options.TabWidth == 0)
        face.cx = std::max(face.cx, least.cx);
    if (Options.TabHeight == 0)
        face.cy = std::max(face.cy, least.cy);
    return face;
}

int TFcTabLayout::GetTabOffset(int extent) const
{
    switch (Options.TabStyle) {
    case tsSingleSlant: return extent / 2;
    case tsDoubleSlant: return extent;
    default: return -1;
    }
}

TFcSize TFcTabLayout::CalcTabExtentFromTabFaceExtent(TFcSize face) const
{
    const int w = face.cx;
    const int h = face.cy;
    const int c = Options.CutCornerSize;
    const int th = Options.TabHeight;
    const bool side = Vertical();
    const bool horizontalText = Options.TextOrientation == orHorizontal;
    switch (Options.TabStyle) {
    case tsSingleSlant:
        if (!side)
            return {2 * GetTabOffset(h + 6) + w + 2 + 4 + th / 2, h + 6};
        return {w + 6, 2 * GetTabOffset(w + 6) + h + 2 + 4 + th / 2};
    case tsDoubleSlant:
        if (!side)
            return {2 * GetTabOffset(h + 2) + w + 2 + 4 + th, h + 6};
        return {w + 6, 2 * GetTabOffset(w + 2) + h + 2 + 4 + th};
    case tsCutCorner:
        if (horizontalText)
            return side ? TFcSize{w + 2 + c + 5, h + 10} : TFcSize{2 * c + w + 2 + 6, h + 7};
        return side ? TFcSize{w + 7, 2 * c + h + 2 + 6} : TFcSize{w + 10, h + 2 + c + 5};
    case tsRoundCorners:
        if (horizontalText)
            return {w + 2 + 14, h + 2 + 4};
        return {w + 2 + 4, h + 2 + 14};
    }
    return {};
}

int TFcTabLayout::TabLength(const TFcTabData& tab, TFcSize largestFace) const
{
    TFcSize face = CalcTabFaceExtent(tab);
    if (Vertical())
        face.cx = largestFace.cx;
    else
        face.cy = largestFace.cy;
    TFcSize extent = CalcTabExtentFromTabFaceExtent(face);
    if (Options.TabWidth > 0)
        extent.cx = Options.TabWidth;
    if (Options.TabHeight > 0)
        extent.cy = Options.TabHeight;
    return Vertical() ? extent.cy : extent.cx;
}

int TFcTabLayout::FirstVisibleTab() const
{
    for (int i = 0; i < Tabs.Count(); ++i)
        if (Tabs.Items(i)->Visible)
            return i;
    return -1;
}

int TFcTabLayout::LastVisibleTab() const
{
    for (int i = Tabs.Count() - 1; i >= 0; --i)
        if (Tabs.Items(i)->Visible)
            return i;
    return -1;
}

int TFcTabLayout::CrossPosition(int row) const
{
    return GetIndexHeight() - fixedDimension_ - row * (fixedDimension_ - Options.RowOverlap);
}

int TFcTabLayout::RowCount(const std::vector<int>& lengths) const
{
    if (!Options.MultiLine || lengths.empty())
        return 1;
    const int base = GetIndexWidth() - 2 * Options.Margin;
    const int offset = GetTabOffset(fixedDimension_);
    for (int assumed = 1;; ++assumed) {
        const int avail = base - (assumed - 1) * Options.RowIndent;
        const int clip = Options.TabStyle == tsRoundCorners ? avail - 4 : avail;
        std::vector<int> clipped = lengths;
        for (int& len : clipped)
            len = std::min(len, clip);
        const int rows = FlowTabs(clipped, avail, Options.Margin, offset, true).rows;
        // Every tab alone on a row is the most a layout can need.
        if (rows <= assumed || assumed >= static_cast<int>(lengths.size()))
            return rows;
    }
}

void TFcTabLayout::CalcMetrics()
{
    std::vector<int> visible;
    for (int i = 0; i < Tabs.Count(); ++i)
        if (Tabs.Items(i)->Visible)
            visible.push_back(i);

    TFcSize largestFace;
    TFcSize largestTab;
    const TFcSize least = CalcDefaultTabFaceExtent();
    for (const int i : visible) {
        TFcSize face = CalcTabFaceExtent(*Tabs.Items(i));
        largestFace = {std::max(largestFace.cx, face.cx), std::max(largestFace.cy, face.cy)};
        face = {std::max(face.cx, least.cx), std::max(face.cy, least.cy)};
        const TFcSize tab = CalcTabExtentFromTabFaceExtent(face);
        largestTab = {std::max(largestTab.cx, tab.cx), std::max(largestTab.cy, tab.cy)};
    }
    if (!visible.empty()) {
        if (Options.TabWidth > 0)
            largestTab.cx = Options.TabWidth;
        if (Options.TabHeight > 0)
            largestTab.cy = Options.TabHeight;
    }
    fixedDimension_ = Vertical() ? largestTab.cx : largestTab.cy;

    std::vector<int> lengths;
    lengths.reserve(visible.size());
    for (const int i : visible)
        lengths.push_back(TabLength(*Tabs.Items(i), largestFace));
    rowExtent_ = RowCount(lengths);

    const int r = fixedDimension_;
    int avail = GetIndexWidth() - 2 * Options.Margin;
    if (Options.MultiLine) {
        avail -= (rowExtent_ - 1) * Options.RowIndent;
        const int clip = Options.TabStyle == tsRoundCorners ? avail - 4 : avail;
        for (int& len : lengths)
            len = std::min(len, clip);
    }
    const Flow flow = FlowTabs(lengths, avail, Options.Margin, GetTabOffset(r), Options.MultiLine);
    const bool reverse = Options.TabSequence == tsReverse;
    const int shift = Options.MultiLine ? width_ : flow.end;
    for (size_t k = 0; k < visible.size(); ++k) {
        TFcTabData& tab = *Tabs.Items(visible[k]);
        const Slot& slot = flow.places[k];
        const int y = CrossPosition(slot.row);
        tab.Row = slot.row;
        if (!reverse)
            tab.Rect = {slot.x, y, slot.x + lengths[k], y + r};
        else
            tab.Rect = {-(slot.x + lengths[k]) + shift, y, -slot.x + shift, y + r};
    }
    const bool fixedLength = Vertical() ? Options.TabHeight != 0 : Options.TabWidth != 0;
    if (Options.MultiLine && Options.AlignTabs && !fixedLength)
        Justify();
}

void TFcTabLayout::Justify()
{
    const bool reverse = Options.TabSequence == tsReverse;
    const int rowLength = GetIndexWidth() - 2 * Options.Margin - (rowExtent_ - 1) * Options.RowIndent;
    std::vector<TFcTabData*> group;
    auto flush = [&] {
        if (group.empty())
            return;
        const int span = reverse ? group.front()->Rect.Right - group.back()->Rect.Left
                                 : group.back()->Rect.Right - group.front()->Rect.Left;
        const int extra = rowLength - (span + (Options.TabStyle == tsRoundCorners ? 4 : 0));
        if (extra >= 1) {
            const int count = static_cast<int>(group.size());
            int before = 0;
            for (int k = 0; k < count; ++k) {
                const int share = extra / count + (k < extra % count ? 1 : 0);
                TRect& r = group[static_cast<size_t>(k)]->Rect;
                if (!reverse) {
                    r.Left += before;
                    r.Right += before + share;
                } else {
                    r.Right -= before;
                    r.Left -= before + share;
                }
                before += share;
            }
        }
        group.clear();
    };
    for (int i = 0; i < Tabs.Count(); ++i) {
        TFcTabData* tab = Tabs.Items(i);
        if (!tab->Visible)
            continue;
        if (!group.empty() && group.back()->Row != tab->Row)
            flush();
        group.push_back(tab);
    }
    // Also when trailing tabs are hidden: the last row is justified like the others.
    flush();
}

int TFcTabLayout::GetIndexHeight() const
{
    if (Options.ShowCard)
        return fixedDimension_ + (rowExtent_ - 1) * (fixedDimension_ - Options.RowOverlap)
            + GetExtraTopMargin();
    int h = (Vertical() ? width_ : height_) - 1;
    if (Options.TabStyle == tsRoundCorners
        && (Options.TabOrientation == toBottom || Options.TabOrientation == toRight))
        --h;
    return h;
}

TRect TFcTabLayout::GetIndexRect() const
{
    const int h = GetIndexHeight();
    switch (Options.TabOrientation) {
    case toTop: return {0, 0, width_ - 1 - (Options.ShowShadow ? 2 : 0), h};
    case toLeft: return {0, 0, h, height_ - 1};
    case toBottom: return {0, height_ - 1 - h, width_ - 1, height_ - 1};
    case toRight: return {width_ - 1 - h, 0, width_ - 1, height_ - 1};
    }
    return {};
}

int TFcTabLayout::GetIndexWidth() const
{
    const TRect r = GetIndexRect();
    return Vertical() ? r.Height() : r.Width();
}

int TFcTabLayout::GetInitialTabOffset() const
{
    const int gap = Options.Margin + (Options.TabStyle == tsRoundCorners ? 2 : 0);
    if (firstTabIndex_ < 0 || firstTabIndex_ >= Tabs.Count())
        return Options.TabSequence == tsStandard ? -gap : gap;
    const TRect& r = Tabs.Items(firstTabIndex_)->Rect;
    return Options.TabSequence == tsStandard ? r.Left - gap : r.Right + gap;
}

TPoint TFcTabLayout::CalcMapPoint(TPoint p) const
{
    const TRect i = GetIndexRect();
    const int s = GetInitialTabOffset();
    if (Options.TabSequence == tsStandard) {
        switch (Options.TabOrientation) {
        case toTop: return {p.x - s + i.Left, i.Top + p.y};
        case toBottom: return {p.x - s + i.Left, i.Bottom - p.y};
        case toLeft: return {i.Left + p.y, i.Bottom - (p.x - s)};
        case toRight: return {i.Right - p.y, p.x - s + i.Top};
        }
    }
    switch (Options.TabOrientation) {
    case toTop: return {i.Right - (s - p.x), i.Top + p.y};
    case toBottom: return {i.Right - (s - p.x), i.Bottom - p.y};
    case toLeft: return {i.Left + p.y, i.Top + (s - p.x)};
    case toRight: return {i.Right - p.y, i.Bottom - (s - p.x)};
    }
    return p;
}

TRect TFcTabLayout::CalcMapRect(const TRect& r) const
{
    const TPoint a = CalcMapPoint({r.Left, r.Top});
    const TPoint b = CalcMapPoint({r.Right, r.Bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

TRect TFcTabLayout::CalcTabRect(int index) const
{
    const TFcTabData& tab = *Tabs.Items(index);
    TRect r = tab.Rect;
    const int indent = tab.Row * Options.RowIndent;
    r = r.Moved(Options.TabSequence == tsStandard ? indent : -indent, 0);
    if (Options.TabStyle == tsRoundCorners && index == tabIndex_) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

TRect TFcTabLayout::CalcMappedCardRect(int row) const
{
    TRect r = CalcWholeRect();
    bool anyVisible = FirstVisibleTab() >= 0;
    if (!anyVisible && Options.ShowCard)
        return r;
    const int step = fixedDimension_ - Options.RowOverlap;
    const int tabSide = GetIndexHeight() - row * step;
    const int farSide = row * step;
    int start = row * Options.RowIndent;
    int end = (rowExtent_ - row - 1) * Options.RowIndent;
    if (Options.TabSequence == tsReverse)
        std::swap(start, end);
    switch (Options.TabOrientation) {
    case toTop:
        r.Top += tabSide;
        r.Bottom -= farSide;
        r.Left += start;
        r.Right -= end;
        break;
    case toBottom:
        r.Bottom -= tabSide;
        r.Top += farSide;
        r.Left += start;
        r.Right -= end;
        break;
    case toLeft:
        r.Left += tabSide;
        r.Right -= farSide;
        r.Bottom -= start;
        r.Top += end;
        break;
    case toRight:
        r.Right -= tabSide;
        r.Left += farSide;
        r.Top += start;
        r.Bottom -= end;
        break;
    }
    if (r.Right < r.Left || r.Bottom < r.Top)
        return {};
    if (!Options.ShowCard) {
        r.Left -= Options.TabOrientation == toLeft ? 0 : 3;
        r.Top -= Options.TabOrientation == toTop ? 0 : 3;
        r.Right += Options.TabOrientation == toRight ? 0 : 3;
        r.Bottom += Options.TabOrientation == toBottom ? 0 : 3;
    }
    return r;
}

TRect TFcTabLayout::GetDisplayRect() const
{
    if (!Options.ShowCard)
        return {-2, -2, -1, -1};
    TRect r = CalcMappedCardRect(0);
    if (!Options.ShowCardFrame) {
        r.Right += 1;
        r.Bottom += 1;
    } else if (Options.ShowFullFrame) {
        r.Left += 1;
        r.Top += 1;
        if (Options.TabOrientation == toTop && Options.TabSequence == tsStandard && Options.ShowShadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else {
        r.Top += 1;
        r.Right += 1;
        r.Bottom += 1;
    }
    return r;
}

std::vector<TPoint> TFcTabLayout::CalcTabRegionPts(int index) const
{
    const TRect t = CalcTabRect(index);
    const int l = t.Left, top = t.Top, r = t.Right, b = t.Bottom;
    switch (Options.TabStyle) {
    case tsSingleSlant: return {{l, b}, {l, top + 2}, {l + 2, top}, {r - (b - top), top}, {r, b}};
    case tsDoubleSlant: return {{l, b}, {l + (b - top), top}, {r - (b - top), top}, {r, b}};
    case tsCutCorner: {
        const int c = Options.CutCornerSize;
        return {{l, b}, {l, top}, {r - c, top}, {r, top + c}, {r, b}};
    }
    case tsRoundCorners: return {{l, b}, {l, top + 2}, {l + 2, top}, {r - 2, top}, {r, top + 2}, {r, b}};
    }
    return {};
}

std::vector<TPoint> TFcTabLayout::CalcMappedTabRegionPts(int index) const
{
    std::vector<TPoint> points = CalcTabRegionPts(index);
    for (TPoint& p : points)
        p = CalcMapPoint(p);
    return points;
}

const QRegion& TFcTabLayout::CalcTabRegion(int index)
{
    const TRect key = CalcMappedTabRect(index);
    if (const QRegion* found = regions_.Find(key)) {
        QRegion region = *found;
        return regions_.Add(key, std::move(region));
    }
    const std::vector<TPoint> points = CalcMappedTabRegionPts(index);
    QRegion region;
    if (points.size() >= 3) {
        QPolygon polygon;
        for (const TPoint& p : points)
            polygon << QPoint(p.x, p.y);
        region = QRegion(polygon, Qt::OddEvenFill);
    }
    return regions_.Add(key, std::move(region));
}

int TFcTabLayout::TabAtPos(int x, int y)
{
    const int n = Tabs.Count();
    if (n == 0 || firstTabIndex_ < 0)
        return -1;
    auto hits = [&](int i) {
        if (!TabInView(i))
            return false;
        const TRect r = CalcMappedTabRect(i);
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom)
            return false;
        return CalcTabRegion(i).contains(QPoint(x, y));
    };
    // The selected tab overlaps its neighbours.
    if (tabIndex_ >= 0 && tabIndex_ < n && hits(tabIndex_))
        return tabIndex_;
    for (int k = 0; k < n; ++k) {
        const int i = (firstTabIndex_ + k) % n;
        if (i != tabIndex_ && hits(i))
            return i;
    }
    return -1;
}

int TFcTabLayout::ScrollRoom() const
{
    return GetIndexWidth() - 2 * Options.Margin - GetCloseButtonSize();
}

bool TFcTabLayout::TabInView(int index) const
{
    if (index < 0 || index >= Tabs.Count() || !Tabs.Items(index)->Visible)
        return false;
    if (!scrollerNeeded_)
        return true;
    const int room = ScrollRoom() - 2 * GetScrollerSize();
    const int s = GetInitialTabOffset();
    const TRect r = CalcTabRect(index);
    if (Options.TabSequence == tsStandard)
        return r.Left >= s && r.Right - s <= room + Options.Margin;
    return r.Right <= s && s - r.Left <= room + Options.Margin;
}

void TFcTabLayout::CalcScrollerNeeded()
{
    scrollerNeeded_ = false;
    const int first = FirstVisibleTab();
    if (Options.MultiLine || first < 0)
        return;
    const int last = LastVisibleTab();
    const TRect& a = Tabs.Items(first)->Rect;
    const TRect& b = Tabs.Items(last)->Rect;
    const int span = Options.TabSequence == tsStandard ? b.Right - a.Left : a.Right - b.Left;
    scrollerNeeded_ = span > ScrollRoom();
}

int TFcTabLayout::GetScrollerSize() const
{
    const int add = Options.TextOrientation == orVertical ? 2 : 4;
    return std::min(measure_->TextHeight(Options.Font) + add, fixedDimension_ - 2);
}

int TFcTabLayout::GetCloseButtonSize() const
{
    if (!Options.ShowCloseButton || Tabs.Count() == 0)
        return 0;
    return GetScrollerSize();
}

bool TFcTabLayout::ScrollTabs(bool forward)
{
    const int old = firstTabIndex_;
    const int n = Tabs.Count();
    if (forward) {
        if (firstTabIndex_ + 1 < n && !TabInView(LastVisibleTab())) {
            do
                ++firstTabIndex_;
            while (firstTabIndex_ < n && !TabInView(firstTabIndex_));
            if (firstTabIndex_ >= n)
                firstTabIndex_ = old;
        }
    } else if (firstTabIndex_ > 0 && !TabInView(FirstVisibleTab())) {
        do
            --firstTabIndex_;
        while (firstTabIndex_ >= 0 && !TabInView(firstTabIndex_));
        if (firstTabIndex_ < 0)
            firstTabIndex_ = old;
    }
    return firstTabIndex_ != old;
}

bool TFcTabLayout::UpRightScrollsForward() const
{
    if (Options.TabSequence == tsStandard)
        return Options.TabOrientation != toRight;
    return Options.TabOrientation == toRight;
}

bool TFcTabLayout::CheckCalcNeeded()
{
    if (!calcNeeded_)
        return false;
    calcNeeded_ = false;
    CalcMetrics();
    regions_.Clear();
    CalcScrollerNeeded();
    const int n = Tabs.Count();
    if (scrollerNeeded_) {
        const int old = firstTabIndex_;
        int found = -1;
        for (int k = std::max(old, 0); k < n && found < 0; ++k) {
            firstTabIndex_ = k;
            if (TabInView(k))
                found = k;
        }
        for (int k = std::min(old, n) - 1; k >= 0 && found < 0; --k) {
            firstTabIndex_ = k;
            if (TabInView(k))
                found = k;
        }
        firstTabIndex_ = found >= 0 ? found : FirstVisibleTab();
    } else {
        firstTabIndex_ = FirstVisibleTab();
    }
    if (Options.MultiLine && tabIndex_ >= 0 && tabIndex_ < n)
        BringTabToFrontRow(tabIndex_);

    int selection = -1;
    if (FirstVisibleTab() >= 0 && tabIndex_ != -1) {
        for (int k = tabIndex_; k < n && selection < 0; ++k)
            if (CanSelectTab(k))
                selection = k;
        for (int k = std::min(tabIndex_, n - 1); k >= 0 && selection < 0; --k)
            if (CanSelectTab(k))
                selection = k;
    }
    if (selection != tabIndex_)
        SetTabIndex(selection, true);
    return true;
}

bool TFcTabLayout::CanSelectTab(int index)
{
    if (index < 0 || index >= Tabs.Count())
        return false;
    const TFcTabData& tab = *Tabs.Items(index);
    if (!tab.Visible || !tab.Enabled)
        return false;
    bool allow = true;
    if (index != tabIndex_ && Changing)
        Changing(index, allow);
    return allow;
}

bool TFcTabLayout::SetTabIndex(int index, bool internal)
{
    if (index < 0 || index >= Tabs.Count()) {
        const bool changed = tabIndex_ != -1;
        tabIndex_ = -1;
        return changed;
    }
    if (index != tabIndex_ && !internal && !CanSelectTab(index))
        return false;
    const int oldIndex = tabIndex_;
    const int oldFirst = firstTabIndex_;
    tabIndex_ = index;
    if (!scrollerNeeded_) {
        BringTabToFrontRow(index);
    } else if (index < firstTabIndex_) {
        firstTabIndex_ = index;
    } else {
        while (!TabInView(index) && firstTabIndex_ < index)
            ++firstTabIndex_;
    }
    if (oldIndex != tabIndex_ && Changed)
        Changed();
    return oldIndex != tabIndex_ || oldFirst != firstTabIndex_;
}

void TFcTabLayout::BringTabToFrontRow(int index)
{
    if (!Options.MultiLine || index < 0 || index >= Tabs.Count() || !Tabs.Items(index)->Visible)
        return;
    int highest = 0;
    for (int i = 0; i < Tabs.Count(); ++i)
        if (Tabs.Items(i)->Visible)
            highest = std::max(highest, Tabs.Items(i)->Row);
    const int n = highest + 1;
    const int selectedRow = Tabs.Items(index)->Row;
    if (selectedRow == 0)
        return;
    for (int i = 0; i < Tabs.Count(); ++i) {
        TFcTabData& tab = *Tabs.Items(i);
        if (!tab.Visible)
            continue;
        tab.Row = (tab.Row + (n - selectedRow)) % n;
        tab.Rect.Top = CrossPosition(tab.Row);
        tab.Rect.Bottom = tab.Rect.Top + fixedDimension_;
    }
    regions_.Clear();
}

int TFcTabLayout::TabForKey(TFcTabKey key)
{
    const int n = Tabs.Count();
    const int current = tabIndex_;
    if (n == 0)
        return -1;
    if (key == TFcTabKey::Home || key == TFcTabKey::End) {
        const bool up = key == TFcTabKey::Home;
        for (int k = 0; k < n; ++k) {
            const int i = up ? k : n - 1 - k;
            if (i == current)
                return current;
            if (CanSelectTab(i))
                return i;
        }
        return current;
    }
    const bool standard = Options.TabSequence == tsStandard;
    const bool ahead = key == TFcTabKey::Right || key == TFcTabKey::Down;
    const bool forward = standard ? ahead : !ahead;
    int i = current;
    for (int k = 0; k < n; ++k) {
        if (forward)
            i = i + 1 >= n ? 0 : i + 1;
        else
            i = i - 1 < 0 ? n - 1 : i - 1;
        if (i == current)
            return current;
        if (CanSelectTab(i))
            return i;
    }
    return current;
}

int TFcTabLayout::TabForAccelerator(QChar c) const
{
    const QChar wanted = c.toUpper();
    for (int i = 0; i < Tabs.Count(); ++i) {
        const TFcTabData& tab = *Tabs.Items(i);
        const QChar accel = CaptionAccelerator(tab.Caption);
        if (!accel.isNull() && accel.toUpper() == wanted && tab.Enabled && tab.Visible)
            return i;
    }
    return -1;
}

}  // namespace tw::controls
