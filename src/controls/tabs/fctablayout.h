#pragma once
// The window-free half of the tab controls: the options that shape a tab
// strip, the layout of its tabs in rows along any side, the mapping between
// layout and control coordinates, tab shapes and the hit test that follows
// them, the scroll state of a single row, and the selection with its veto and
// keyboard rules. The tab control widget owns one and delegates to it; tests
// drive it with fixed text metrics.
//
// Layout coordinates run along the row (x) and across it (y, towards the card
// at larger y); the control's side and sequence decide where they land.

#include "controls/foundation/fctextmetrics.h"
#include "controls/tabs/fctabdata.h"

#include <QFont>
#include <QStringList>

#include <functional>
#include <vector>

namespace tw::controls {

enum TFcTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners };
enum TFcTabOrientation { toTop, toLeft, toBottom, toRight };
enum TFcTabSequence { tsStandard, tsReverse };
enum TFcHotTrackStyle { htsTab, htsText };
enum TFcImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TFcHorizontalAlignment { haLeft, haCenter, haRight };
enum TFcVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TFcTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

// What shapes the layout. Change through the control's setters, which mark
// the layout stale.
struct TFcTabOptions {
    bool AlignTabs = false;
    bool BoldCurrentTab = false;
    int CutCornerSize = 6;
    TFcHorizontalAlignment ImageAlignment = haCenter;
    TFcVerticalAlignment ImageAlignmentVertical = vaCenter;
    int ImageMargin = 2;
    TFcImagePosition ImagePosition = ipLeft;
    // The size of one image of the control's image list; 0 x 0 without one.
    TFcSize ImageSize;
    bool HasImages = false;
    int Margin = 0;
    bool MultiLine = false;
    int RowIndent = 5;
    int RowOverlap = 5;
    bool ShowCard = true;
    bool ShowCardFrame = true;
    bool ShowCloseButton = false;
    bool ShowFullFrame = true;
    bool ShowShadow = true;
    int TabHeight = 0;
    int TabWidth = 0;
    TFcTabOrientation TabOrientation = toTop;
    TFcTabSequence TabSequence = tsStandard;
    TFcTabStyle TabStyle = tsSingleSlant;
    TFcHorizontalAlignment TextAlignment = haCenter;
    TFcVerticalAlignment TextAlignmentVertical = vaCenter;
    TOrientation TextOrientation = orHorizontal;
    QFont Font;
};

// The keys the strip answers.
enum class TFcTabKey { Home, End, Left, Right, Up, Down };

class TFcTabLayout {
public:
    // measure must outlive the layout.
    explicit TFcTabLayout(const TFcTextMeasure& measure);

    TFcTabOptions Options;
    TFcTabDataList Tabs;

    void SetMeasure(const TFcTextMeasure& measure) { measure_ = &measure; }
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Selection and scroll state.
    int TabIndex() const { return tabIndex_; }
    int FirstTabIndex() const { return firstTabIndex_; }
    bool ScrollerNeeded() const { return scrollerNeeded_; }
    int RowExtent() const { return rowExtent_; }
    int FixedDimension() const { return fixedDimension_; }
    int HotTabIndex() const { return hotTabIndex_; }
    void SetHotTabIndex(int index) { hotTabIndex_ = index; }

    // The veto (newIndex, allow) and the notice of a changed index; both may
    // be empty. The veto runs only for a different, selectable tab.
    std::function<void(int, bool&)> Changing;
    std::function<void()> Changed;

    // Layout state.
    bool CalcNeeded() const { return calcNeeded_; }
    void SetCalcNeeded() { calcNeeded_ = true; }
    // Rebuilds a stale layout, adjusts the first shown tab and moves the
    // selection off a tab that can no longer be selected. True when it ran.
    bool CheckCalcNeeded();
    void CalcMetrics();

    // Measuring.
    TFcSize CalcTextExtent(const QString& text, bool horizontal, bool bold = false) const;
    TFcSize CalcImageExtent(int imageIndex) const;
    TFcSize CalcDefaultTabFaceExtent() const;
    TFcSize CalcTabFaceExtent(const TFcTabData& tab) const;
    TFcSize CalcTabExtentFromTabFaceExtent(TFcSize face) const;
    int GetTabOffset(int extent) const;
    int GetExtraTopMargin() const { return Options.TabStyle == tsRoundCorners ? 3 : 0; }
    int GetScrollerSize() const;
    int GetCloseButtonSize() const;

    // Geometry, in client pixels unless said otherwise.
    bool Vertical() const { return Options.TabOrientation == toLeft || Options.TabOrientation == toRight; }
    TRect GetIndexRect() const;
    int GetIndexWidth() const;
    int GetIndexHeight() const;
    TRect CalcWholeRect() const { return {0, 0, width_ - 1, height_ - 1}; }
    TRect CalcMappedCardRect(int row) const;
    TRect GetDisplayRect() const;
    int GetInitialTabOffset() const;
    TPoint CalcMapPoint(TPoint p) const;
    TRect CalcMapRect(const TRect& r) const;
    // Layout coordinates.
    TRect CalcTabRect(int index) const;
    TRect CalcMappedTabRect(int index) const { return CalcMapRect(CalcTabRect(index)); }
    // The outline of a tab, in layout and in client coordinates.
    std::vector<TPoint> CalcTabRegionPts(int index) const;
    std::vector<TPoint> CalcMappedTabRegionPts(int index) const;
    const QRegion& CalcTabRegion(int index);
    void SetRegionCacheCapacity(int capacity) { regions_.SetCapacity(capacity); }
    const TFcTabRegionCache& RegionCache() const { return regions_; }

    int TabAtPos(int x, int y);
    bool TabInView(int index) const;
    void CalcScrollerNeeded();
    // True when the first shown tab moved.
    bool ScrollTabs(bool forward);
    // Whether the scroller's up/right half scrolls forward for this side and
    // sequence.
    bool UpRightScrollsForward() const;
    int FirstVisibleTab() const;
    int LastVisibleTab() const;

    // Selection. Refused (false) by the veto, a hidden or disabled tab.
    bool CanSelectTab(int index);
    // Applies index as the selection; internal skips the veto. Returns true
    // when the index or the first shown tab changed.
    bool SetTabIndex(int index, bool internal = false);
    // Only stores (while the owner is loading).
    void StoreTabIndex(int index) { tabIndex_ = index; }
    void BringTabToFrontRow(int index);
    // The tab a key leads to, asking the veto on the way; -1 for none.
    int TabForKey(TFcTabKey key);
    // The first enabled, visible tab whose caption carries accelerator c.
    int TabForAccelerator(QChar c) const;

private:
    int TabLength(const TFcTabData& tab, TFcSize largestFace) const;
    int RowCount(const std::vector<int>& lengths) const;
    void Justify();
    int CrossPosition(int row) const;
    int ScrollRoom() const;

    const TFcTextMeasure* measure_;
    int width_ = 300;
    int height_ = 100;
    int tabIndex_ = -1;
    int firstTabIndex_ = 0;
    int hotTabIndex_ = -1;
    int rowExtent_ = 1;
    int fixedDimension_ = 0;
    bool scrollerNeeded_ = false;
    bool calcNeeded_ = true;
    TFcTabRegionCache regions_;
};

// The accelerator of a caption (the character after the first single "&"),
// or a null character.
QChar CaptionAccelerator(const QString& caption);
// The caption as shown: the first "&" dropped, "&&" as one "&".
QString StripTabAccelerator(const QString& caption);
// Lines of a caption split at CR LF.
QStringList ParseTextLines(const QString& text);

}  // namespace tw::controls
