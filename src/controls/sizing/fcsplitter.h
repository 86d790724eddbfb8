#pragma once
// TFcSplitter: two panes, upper-left and lower-right, with a bar between them
// that the user drags. The split is a pixel position from the upper-left
// edge, optionally a percentage that the split follows on a resize, kept
// within margins; one pane can keep its size when the splitter is resized,
// and a pane squeezed by a smaller window grows back to the size the user
// chose. A hot spot on the bar collapses a pane with one click and restores
// it with the next. Dragging shows a checkerboard outline (on an overlay
// above the panes) or, with RealTimeDrag, re-lays out the panes as it goes.
//
//   auto* split = new TFcSplitter(dialog);
//   split->SetPosition(160);
//   split->SetSplitterWidth(7);
//   split->SetHotSpotVisible(true);
//   tree->setParent(split->UpperLeftPane());   // place children in the panes
//   TFcCustomPanel::SetAlign(tree, alClient);

#include "controls/panels/fcpanel.h"
#include "controls/sizing/fcsplitdraw.h"
#include "controls/sizing/fcsplittermodel.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace tw::controls {

class TFcSplitter;

enum TSelectedPane { spUpperLeft, spLowerRight };

class TFcSplitterPane : public TFcCustomPanel {
    Q_OBJECT
public:
    explicit TFcSplitterPane(QWidget* parent = nullptr);
    TFcSplitter* Splitter() const { return splitter_; }
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool value) { dockSite_ = value; }
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool value) { showDockClientCaptions_ = value; }

private:
    TFcSplitter* splitter_ = nullptr;
    bool dockSite_ = false;
    bool showDockClientCaptions_ = true;
};

// One pane's settings, read from and written to the pane.
class TFcPaneData {
public:
    explicit TFcPaneData(TFcSplitterPane* pane) : pane_(pane) {}
    TFcSplitterPane* Pane() const { return pane_; }

    TColor BorderColor() const { return pane_->BorderColor(); }
    void SetBorderColor(TColor value) { pane_->SetBorderColor(value); }
    TFrameStyle BorderInner() const { return pane_->BorderInner(); }
    void SetBorderInner(TFrameStyle value) { pane_->SetBorderInner(value); }
    TFrameStyle BorderOuter() const { return pane_->BorderOuter(); }
    void SetBorderOuter(TFrameStyle value) { pane_->SetBorderOuter(value); }
    int BorderWidth() const { return pane_->BorderWidth(); }
    void SetBorderWidth(int value) { pane_->SetBorderWidth(value); }
    TColor Color() const { return pane_->Color(); }
    void SetColor(TColor value) { pane_->SetColor(value); }
    TColor FlatColor() const { return pane_->FlatColor(); }
    void SetFlatColor(TColor value) { pane_->SetFlatColor(value); }
    bool DockSite() const { return pane_->DockSite(); }
    void SetDockSite(bool value) { pane_->SetDockSite(value); }
    bool ShowDockClientCaptions() const { return pane_->ShowDockClientCaptions(); }
    void SetShowDockClientCaptions(bool value) { pane_->SetShowDockClientCaptions(value); }
    bool Visible() const { return !pane_->isHidden(); }
    void SetVisible(bool value) { pane_->setVisible(value); }

    // Copies every setting of source into this pane.
    void Assign(const TFcPaneData& source);

private:
    QPointer<TFcSplitterPane> pane_;
};

class TFcSplitter : public TFcCustomPanel {
    Q_OBJECT
public:
    explicit TFcSplitter(QWidget* parent = nullptr);
    ~TFcSplitter() override;

    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    int Position() const { return model_.Position(); }
    virtual void SetPosition(int value);
    // As the user sets it: the bar moves and the choice is remembered.
    virtual void SetLockedPosition(int value);
    int Percent() const { return model_.Percent(); }
    virtual void SetPercent(int value);
    bool UsePercent() const { return model_.UsePercent(); }
    virtual void SetUsePercent(bool value);
    int PercentMin() const { return model_.PercentMin(); }
    virtual void SetPercentMin(int value);
    int PercentMax() const { return model_.PercentMax(); }
    virtual void SetPercentMax(int value);
    int MarginMin() const { return model_.MarginMin(); }
    virtual void SetMarginMin(int value);
    int MarginMax() const { return model_.MarginMax(); }
    virtual void SetMarginMax(int value);
    TFixedPane FixedPane() const { return model_.FixedPane(); }
    virtual void SetFixedPane(TFixedPane value);
    TSelectedPane SelectedPane() const { return selectedPane_; }
    void SetSelectedPane(TSelectedPane value) { selectedPane_ = value; }
    TSplitterStyle SplitterStyle() const { return splitterStyle_; }
    virtual void SetSplitterStyle(TSplitterStyle value);
    int SplitterWidth() const { return splitterWidth_; }
    virtual void SetSplitterWidth(int value);
    bool LockBar() const { return lockBar_; }
    void SetLockBar(bool value) { lockBar_ = value; }
    bool RealTimeDrag() const { return realTimeDrag_; }
    void SetRealTimeDrag(bool value) { realTimeDrag_ = value; }
    bool HotSpotVisible() const { return hotSpotVisible_; }
    virtual void SetHotSpotVisible(bool value);
    THotSpotDirection HotSpotDirection() const { return hotSpotDirection_; }
    virtual void SetHotSpotDirection(THotSpotDirection value);
    TColor HotSpotHighlight() const { return hotSpotHighlight_; }
    virtual void SetHotSpotHighlight(TColor value);
    bool HotSpotIgnoreMargins() const { return model_.HotSpotIgnoreMargins; }
    void SetHotSpotIgnoreMargins(bool value) { model_.HotSpotIgnoreMargins = value; }
    int HotSpotSizePercent() const { return hotSpotSizePercent_; }
    virtual void SetHotSpotSizePercent(int value);

    TFcSplitterPane* UpperLeftPane() const { return panes_[0]; }
    TFcSplitterPane* LowerRightPane() const { return panes_[1]; }
    TFcPaneData* UpperLeft() const { return data_[0].get(); }
    TFcPaneData* LowerRight() const { return data_[1].get(); }
    // 1 is the upper-left pane, 2 the lower-right one.
    TFcPaneData* GetPaneData(int index) const;
    void SetPaneData(int index, const TFcPaneData& value);

    void CloseHotSpot() { CloseHotSpot(hotSpotDirection_ == hsdMin); }
    void CloseHotSpot(bool toMin);
    void RestoreHotSpot();
    void ResetHotSpot();
    bool HotSpotClosed() const { return model_.HotSpotClosed(); }
    bool HotSpotClosedToMin() const { return model_.HotSpotClosedToMin(); }
    bool HotSpotClosedToMax() const { return model_.HotSpotClosedToMax(); }
    int HotSpotPosition() const { return model_.HotSpotPosition(); }
    int ManualPosition() const { return model_.ManualPosition(); }

    TRect BarRect() const { return bar_; }
    TRect HotSpotBounds() const { return hotSpot_; }
    bool Dragging() const { return dragging_; }
    // The outline of a drag (hidden when none is shown).
    const TFcSplitOutline* Outline() const { return outline_; }
    int GetBorderOffset() const;
    // Places the panes and the bar now.
    virtual void ResizePanes();
    // Runs the hot spot as a click on it would.
    void ClickHotSpot();

    void SetBorderInner(TFrameStyle value) override;
    void SetBorderOuter(TFrameStyle value) override;
    void SetBorderSides(TSides value) override;
    void Realign() override;

    std::function<void(TFcSplitter*)> OnChange;
    // Veto before the position changes: clear allow to keep the bar.
    std::function<void(TFcSplitter*, int newPosition, bool& allow)> OnChanging;
    std::function<void(TFcSplitter*)> OnHotSpotClick;

protected:
    virtual bool CanChange(int newPosition);
    virtual void Change();
    virtual void HotSpotClick();
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawSplitterBar(TFcCanvas& canvas);
    void DrawMask(int position);

    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseLeave() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SyncModel();
    int AxisSize() const { return orientation_ == orHorizontal ? width() : height(); }
    int Along(const QPoint& p) const { return orientation_ == orHorizontal ? p.x() : p.y(); }
    bool InBar(const QPoint& p) const;
    bool InHotSpot(const QPoint& p) const;
    void TrackHotSpot(const QPoint& p, bool inside);
    THotSpotLook Look() const;

    TFcSplitterModel model_;
    TOrientation orientation_ = orHorizontal;
    TSelectedPane selectedPane_ = spUpperLeft;
    TSplitterStyle splitterStyle_ = ssStandard;
    int splitterWidth_ = 4;
    bool lockBar_ = false;
    bool realTimeDrag_ = false;
    bool hotSpotVisible_ = false;
    THotSpotDirection hotSpotDirection_ = hsdMin;
    TColor hotSpotHighlight_ = clWindow;
    int hotSpotSizePercent_ = 40;
    TFcSplitterPane* panes_[2] = {nullptr, nullptr};
    std::unique_ptr<TFcPaneData> data_[2];
    TFcSplitOutline* outline_ = nullptr;
    TRect bar_;
    TRect hotSpot_;
    bool hotSpotPressed_ = false;
    bool hotSpotHover_ = false;
    QPoint hoverPoint_;
    bool dragging_ = false;
    int dragStartPosition_ = 0;
    int dragOffset_ = 0;
    int lastMaskPosition_ = 0;
    bool laying_ = false;
    // The size along the axis that the last resize was laid out for.
    int resizedSize_ = 200;
};

}  // namespace tw::controls
