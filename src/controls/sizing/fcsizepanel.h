#pragma once
// TFcCustomSizePanel: a framed panel on one edge of its parent with its own
// size bar on the inner edge. Dragging the bar makes the panel wider (or
// taller) within margins against the parent's free area; an optional hot
// spot collapses the panel to its bar with one click and restores it with
// the next. Bar, outline, hot spot and cursors are the splitter's, turned to
// one edge. TFcSizePanel is the one windows use.
//
//   auto* side = new TFcSizePanel(page);     // a TFcCustomPanel parent
//   side->SetAlign(alLeft);
//   side->resize(180, side->height());
//   side->SetHotSpotVisible(true);

#include "controls/panels/fcpanel.h"
#include "controls/sizing/fcsizepanelgeometry.h"
#include "controls/sizing/fcsplitdraw.h"
#include "controls/sizing/fcsplittermodel.h"

#include <QPointer>

#include <functional>

namespace tw::controls {

class TFcCustomSizePanel : public TFcCustomPanel {
    Q_OBJECT
public:
    explicit TFcCustomSizePanel(QWidget* parent = nullptr);
    ~TFcCustomSizePanel() override;

    // The edge it keeps to; setting it re-lays out the parent.
    TAlign Align() const { return TFcCustomPanel::Align(this); }
    virtual void SetAlign(TAlign value);
    int SizeBarWidth() const { return sizeBarWidth_; }
    virtual void SetSizeBarWidth(int value);
    TSplitterStyle SizeBarStyle() const { return sizeBarStyle_; }
    virtual void SetSizeBarStyle(TSplitterStyle value);
    int MarginMin() const { return marginMin_; }
    virtual void SetMarginMin(int value);
    int MarginMax() const { return marginMax_; }
    virtual void SetMarginMax(int value);
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool value) { lockBar_ = value; }
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
    bool HotSpotVisible() const { return hotSpotVisible_; }
    virtual void SetHotSpotVisible(bool value);
    TColor HotSpotHighlight() const { return hotSpotHighlight_; }
    virtual void SetHotSpotHighlight(TColor value);
    bool HotSpotIgnoreMargins() const { return hotSpotIgnoreMargins_; }
    void SetHotSpotIgnoreMargins(bool value) { hotSpotIgnoreMargins_ = value; }
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    virtual void SetHotSpotSizePercent(int value);
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool value);

    bool HotSpotClosed() const { return hotSpotClosed_; }
    int HotSpotPosition() const { return hotSpotPosition_; }
    // Collapses to MarginMin plus the bar (margins always count here).
    void CloseHotSpot();
    void RestoreHotSpot();
    // Forgets the collapse, leaving the size as it is.
    void ResetHotSpot() { hotSpotClosed_ = false; }
    // Runs the hot spot as a click on it would.
    void ClickHotSpot();

    TRect GetSizeBarRect() const;
    TRect HotSpotBounds() const { return SizeHotSpotRect(GetSizeBarRect(), Align(), hotSpotSizePercent_); }
    // The parent's client area less its aligned children (this one too).
    // Throws EFcError("No parent specified") without a parent.
    TRect GetParentWorkingRect() const;
    int GetMarginExtent() const;
    void CheckPosition(int& p) const;
    TRect ClientAreaForChildren() const override;
    // The frames are drawn inside the bar.
    TRect FramedRect() const;
    bool Dragging() const { return dragging_; }
    const TFcSplitOutline* Outline() const { return outline_; }

    std::function<void(TFcCustomSizePanel*)> OnHotSpotClick;

protected:
    virtual void HotSpotClick();
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawSizeBar(TFcCanvas& canvas);
    void DrawMask(int p);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseLeave() override;

private:
    TFcPanelBox Box() const { return {x(), y(), width(), height()}; }
    int AlongAxis(const QPoint& p) const { return LyingBar(Align()) ? p.y() : p.x(); }
    bool InRect(const TRect& r, const QPoint& p) const;
    // The panel's width (or height, on the top and bottom edges).
    void SetExtent(int extent);
    void ToggleHotSpot();

    int sizeBarWidth_ = 4;
    TSplitterStyle sizeBarStyle_ = ssStandard;
    int marginMin_ = 0;
    int marginMax_ = 0;
    bool lockBar_ = false;
    bool realTimeDrag_ = false;
    bool hotSpotVisible_ = false;
    TColor hotSpotHighlight_ = clWindow;
    bool hotSpotIgnoreMargins_ = false;
    int hotSpotSizePercent_ = 40;
    bool dockSite_ = false;
    bool hotSpotClosed_ = false;
    int hotSpotPosition_ = 100;
    bool hotSpotPressed_ = false;
    bool hotSpotHover_ = false;
    bool dragging_ = false;
    int dragStart_ = 0;
    TFcPanelBox pressBox_;
    int dragOffset_ = 0;
    int lastMask_ = 0;
    QPointer<TFcSplitOutline> outline_;
};

class TFcSizePanel : public TFcCustomSizePanel {
    Q_OBJECT
public:
    explicit TFcSizePanel(QWidget* parent = nullptr) : TFcCustomSizePanel(parent) {}
};

}  // namespace tw::controls
