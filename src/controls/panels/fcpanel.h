#pragma once
// TFcCustomPanel: the framed container of the library. An outer and an inner
// frame of any frame style on chosen sides with a solid band between them, an
// optional dot or line grid, a caption with horizontal and vertical alignment
// (embossed when disabled), transparency, and its own placement of children
// that carry an alignment (SetAlign), inside the frames. Children without an
// alignment, and Qt layouts, are left alone. When it is disabled it remembers
// which children were enabled and gives that back when it is enabled again.
// Frame settings can come from a shared TFcFrameController.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/foundation/fctypes.h"
#include "controls/panels/fcpanellayout.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace tw::controls {

enum TFcGridStyle { gsDots, gsDottedLines, gsSolidLines };

class TFcCustomPanel : public TFcControl, public IFcCustomFramingNotification {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
public:
    explicit TFcCustomPanel(QWidget* parent = nullptr);
    ~TFcCustomPanel() override;

    // A child's alignment inside its TFcCustomPanel parent; the parent
    // re-lays its children out.
    static void SetAlign(QWidget* child, TAlign align);
    static TAlign Align(const QWidget* child);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    TFrameStyle BorderOuter() const { return frames_.Outer; }
    virtual void SetBorderOuter(TFrameStyle value);
    TFrameStyle BorderInner() const { return frames_.Inner; }
    virtual void SetBorderInner(TFrameStyle value);
    TSides BorderSides() const { return frames_.Sides; }
    virtual void SetBorderSides(TSides value);
    int BorderWidth() const { return frames_.BorderWidth; }
    void SetBorderWidth(int value);
    int BevelWidth() const { return frames_.BevelWidth; }
    void SetBevelWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    TColor GridColor() const { return gridColor_; }
    virtual void SetGridColor(TColor value);
    TFcGridStyle GridStyle() const { return gridStyle_; }
    virtual void SetGridStyle(TFcGridStyle value);
    int GridXSize() const { return gridXSize_; }
    virtual void SetGridXSize(int value);
    int GridYSize() const { return gridYSize_; }
    virtual void SetGridYSize(int value);
    void SetGridSize(int x, int y);
    bool ShowGrid() const { return showGrid_; }
    virtual void SetShowGrid(bool value);
    void SetTransparent(bool value) override;
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFcFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TFcFrameController* controller);
    void CustomFramingChanged() override;

    // The panel's own alignment in its parent, for growing towards the inside.
    void SetBounds(int left, int top, int width, int height);

    // The whole control, (0, 0, Width, Height).
    TRect GetControlRect() const { return {0, 0, width(), height()}; }
    // The area aligned children share.
    virtual TRect ClientAreaForChildren() const;
    // The rectangle inside the frames (with shrinkByBorder, inside the band).
    TRect FixClientRect(const TRect& r, bool shrinkByBorder) const;
    TFcFrameSet Frames() const { return frames_; }
    // Places the aligned children now.
    virtual void Realign();

    // Raised at the end of every paint of the panel's own frame.
    std::function<void(TFcControl*)> OnPaint;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawCaption(TFcCanvas& canvas, TRect r);
    virtual void DrawGrid(TFcCanvas& canvas, const TRect& r);
    // A frame by style onto canvas; returns the rectangle inside.
    TRect DrawFrame(TFcCanvas& canvas, const TRect& r, TFrameStyle style, TSides sides);
    // The background behind a transparent control.
    void PaintParentImage(TFcCanvas& canvas);

    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    // Qt's own enabled handling has run; keeps or gives back the children's.
    void EnabledChanged() override;

private:
    TAlignment alignment_ = taCenter;
    TAlignmentVertical alignmentVertical_ = avCenter;
    TFcFrameSet frames_{fsRaised, fsNone, kAllSides, 0, 1};
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor gridColor_ = clBtnShadow;
    TFcGridStyle gridStyle_ = gsDots;
    int gridXSize_ = 8;
    int gridYSize_ = 8;
    bool showGrid_ = false;
    bool themeAware_ = true;
    bool parentColor_ = false;
    QPointer<TFcFrameController> frameController_;
    // The children's enabled state when the panel was last disabled.
    QList<QPair<QPointer<QWidget>, bool>> enabledStates_;
    bool realigning_ = false;
};

class TFcPanel : public TFcCustomPanel {
    Q_OBJECT
public:
    explicit TFcPanel(QWidget* parent = nullptr) : TFcCustomPanel(parent) {}
};

}  // namespace tw::controls
