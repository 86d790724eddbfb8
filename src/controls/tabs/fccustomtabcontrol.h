#pragma once
// TFcCustomTabControl: the owner-drawn tab strip the page control and the
// collection tab control share. The layout, hit test and selection rules live
// in TFcTabLayout (window-free); this widget keeps them up to date, paints the
// strip and its cards into the control's image, and turns mouse, keys and
// accelerators into selections under the OnChanging veto. A single row that is
// too long gets a scroller; ShowCloseButton adds a close box for the selected
// tab.

#include "controls/base/fccontrol.h"
#include "controls/tabs/fctablayout.h"
#include "controls/tabs/fctabpaintmodel.h"

#include <QPointer>
#include <QTimer>

#include <functional>

namespace tw::controls {

class TFcImageList;
class TFcTabScroller;
class TFcTabCloseButton;

struct TFcTabColors {
    TColor HighlightBar = clHighlight;
    TColor Shadow = clBtnFace;
    TColor Unselected = clWindow;
    friend bool operator==(const TFcTabColors&, const TFcTabColors&) = default;
};

struct TFcTextColors {
    TColor DisabledHighlight = clBtnHighlight;
    TColor DisabledShadow = clBtnShadow;
    TColor Selected = clBtnText;
    TColor Unselected = clBtnText;
    friend bool operator==(const TFcTextColors&, const TFcTextColors&) = default;
};

class TFcCustomTabControl : public TFcControl {
    Q_OBJECT
public:
    explicit TFcCustomTabControl(QWidget* parent = nullptr);
    ~TFcCustomTabControl() override;

    // Options that change the layout (each marks it stale and repaints).
    const TFcTabOptions& Options() const { return layout_.Options; }
    void SetAlignTabs(bool v);
    void SetBoldCurrentTab(bool v);
    void SetCutCornerSize(int v);
    void SetImageAlignment(TFcHorizontalAlignment v);
    void SetImageAlignmentVertical(TFcVerticalAlignment v);
    void SetImageMargin(int v);
    void SetImagePosition(TFcImagePosition v);
    void SetMargin(int v);
    void SetMultiLine(bool v);
    void SetRowIndent(int v);
    void SetRowOverlap(int v);
    void SetShowCard(bool v);
    void SetShowCardFrame(bool v);
    void SetShowCloseButton(bool v);
    // False also clears ShowShadow; ShowShadow also sets ShowFullFrame.
    void SetShowFullFrame(bool v);
    void SetShowShadow(bool v);
    void SetTabHeight(int v);
    void SetTabWidth(int v);
    void SetTabOrientation(TFcTabOrientation v);
    void SetTabSequence(TFcTabSequence v);
    void SetTabStyle(TFcTabStyle v);
    void SetTextAlignment(TFcHorizontalAlignment v);
    void SetTextAlignmentVertical(TFcVerticalAlignment v);
    void SetTextOrientation(TOrientation v);
    TFcImageList* Images() const { return images_; }
    void SetImages(TFcImageList* images);

    // Options that only repaint.
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor v);
    bool ParentBackgroundColor() const { return parentBackgroundColor_; }
    void SetParentBackgroundColor(bool v);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor v);
    TFcHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TFcHotTrackColorType v);
    TFcHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TFcHotTrackStyle v);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool v);
    bool TabHints() const { return tabHints_; }
    void SetTabHints(bool v);
    const TFcTabColors& TabColors() const { return tabColors_; }
    void SetTabColors(const TFcTabColors& v);
    const TFcTextColors& TextColors() const { return textColors_; }
    void SetTextColors(const TFcTextColors& v);
    bool UseColoredTabs() const { return useColoredTabs_; }
    virtual void SetUseColoredTabs(bool v);
    bool UseGradients() const { return useGradients_; }
    void SetUseGradients(bool v);
    int TabRegionCacheSize() const { return layout_.RegionCache().Capacity(); }
    // Anything but -1 or a positive number is ignored.
    void SetTabRegionCacheSize(int v);

    // Selection.
    int TabIndex() const { return layout_.TabIndex(); }
    virtual void SetTabIndex(int index);
    int TabCount() const { return layout_.Tabs.Count(); }
    const TFcTabData& Tab(int index) const { return *layout_.Tabs.Items(index); }
    int FirstTabIndex() const { return layout_.FirstTabIndex(); }
    int HotTabIndex() const { return layout_.HotTabIndex(); }
    int RowExtent();
    // The thickness of one row of tabs as the layout computes it.
    int FixedDimension();

    // Queries in client pixels; each brings a stale layout up to date first.
    int TabAtPos(int x, int y);
    TRect TabRect(int index);
    TRect DisplayRect();
    TRect IndexRect();
    bool TabInView(int index);
    bool ScrollerNeeded();

    // Commands.
    void ScrollTabs(bool forward);
    // With a selected tab that OnClose lets go: DestroyActiveTab.
    void CloseActiveTab();
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}
    // Marks the tab list stale: descendants refill it, then call this.
    virtual void Rebuild();
    // Brings a stale layout up to date (also runs before every paint).
    void CheckCalcNeeded();

    TFcTabScroller* Scroller() const;
    TFcTabCloseButton* CloseButton() const;
    // The window-free half, for tests and the accessibility interface.
    TFcTabLayout& Layout() { return layout_; }

    std::function<void(TFcCustomTabControl*)> OnChange;
    std::function<void(TFcCustomTabControl*, int newIndex, bool& allowChange)> OnChanging;
    std::function<void(TFcCustomTabControl*, bool& allowClose)> OnClose;
    std::function<void(TFcCustomTabControl*, int tabIndex, TFcTextStyle style, TColor& color, bool& handled)>
        OnGetTextColor;
    std::function<void(TFcCustomTabControl*, TFcCanvas&, const TRect&, bool& handled)> OnPaintBackground;
    std::function<void(TFcCustomTabControl*, TFcCanvas&, int row, const TRect&, bool& handled)>
        OnPaintCardBackground;
    std::function<void(TFcCustomTabControl*, TFcCanvas&, int tabIndex, const TRect&, bool& handled)>
        OnPaintTabBackground;
    std::function<void(TFcCustomTabControl*)> OnTabClick;

    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;
    void Loaded() override;

signals:
    void currentChanged(int index);

protected:
    virtual void Change();
    virtual void Changing(int newIndex, bool& allowChange);
    virtual void GetTextColor(int tabIndex, TFcTextStyle style, TColor& color, bool& handled);
    virtual void TabClick();
    virtual void PaintBackground(TFcCanvas& canvas, const TRect& rect, bool& handled);
    virtual void PaintCardBackground(TFcCanvas& canvas, int row, const TRect& rect, bool& handled);
    virtual void PaintTabBackground(TFcCanvas& canvas, int tabIndex, const TRect& rect, bool& handled);
    virtual void DestroyActiveTab() {}
    // Gives the children the display rectangle (after placing the scroller
    // and close button); runs when the rectangle changed.
    virtual void AlignChildren(const QRect& display);
    bool CanClose();
    // The tab list descendants fill in Rebuild.
    TFcTabDataList& TabList() { return layout_.Tabs; }
    // True while a window is being built and selections are only stored.
    bool loading_ = false;

    void Paint(TFcCanvas& canvas) override;
    void EraseBackground(TFcCanvas& canvas) override;
    void FontChanged() override;
    void ColorChanged() override;

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Relayout();
    void AfterSelection(bool changed);
    void DoRealign();
    void AlignScroller();
    void AlignCloseButton();
    void StopHotTracking();
    void HotTrackTick();
    TColor LineColor() const;
    TColor ParentColor() const;

    void DrawTabs(TFcCanvas& canvas);
    void DrawCard(TFcCanvas& canvas, int row);
    void DrawTab(TFcCanvas& canvas, int index);
    void DrawTabBackground(TFcCanvas& canvas, int index, const TRect& rect);
    void DrawTabFace(TFcCanvas& canvas, int index, const TRect& rect);
    void DoTextOut(TFcCanvas& canvas, TPoint at, const QString& line, bool horizontal, TColor color);
    void ProcessCommands(TFcCanvas& canvas, const TFcTabCommands& commands);

    TFcTabLayout layout_;
    TFcImageList* images_ = nullptr;
    TColor backgroundColor_ = clBtnFace;
    bool parentBackgroundColor_ = true;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 0;
    bool hotTrack_ = true;
    TColor hotTrackColor_ = clHighlight;
    TFcHotTrackColorType hotTrackColorType_ = htctComplement;
    TFcHotTrackStyle hotTrackStyle_ = htsTab;
    bool showFocusRect_ = true;
    bool tabHints_ = false;
    TFcTabColors tabColors_;
    TFcTextColors textColors_;
    bool useColoredTabs_ = false;
    bool useGradients_ = true;

    bool inLayout_ = false;
    bool relayoutPosted_ = false;
    bool hotRepaint_ = false;
    QTimer hotTimer_;
    QString savedHint_;
    bool hintSaved_ = false;
    QRect lastDisplay_;
    QPointer<TFcTabScroller> scroller_;
    QPointer<TFcTabCloseButton> closeButton_;
    // The parent's picture behind the control, made for a paint with shadow.
    QImage parentImage_;
    bool parentImageMade_ = false;
};

}  // namespace tw::controls
