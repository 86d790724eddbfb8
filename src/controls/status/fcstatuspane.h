#pragma once
// TFcCustomStatusPane: one caption in a frame, normally a cell of a
// TFcStatusBar but usable on any parent. Frame or style background, caption
// alignment and offset, automatic width, blinking on the shared blinking
// timer, and a strip at the bar's right edge that still acts as the bar's
// size grip. A caption change repaints at once: long work runs on the GUI
// thread and every status text must be on screen before the work goes on.
// TFcStatusPane is the pane the windows use.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fcblinking.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/foundation/fctypes.h"

#include <QPointer>

#include <cstdint>

namespace tw::controls {

class TFcStatusBar;

class TFcCustomStatusPane : public TFcControl,
                            public IFcBlinkingControl,
                            public IFcCustomFramingNotification {
    Q_OBJECT
public:
    explicit TFcCustomStatusPane(QWidget* parent = nullptr);
    ~TFcCustomStatusPane() override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    int CaptionOffset() const { return captionOffset_; }
    virtual void SetCaptionOffset(int value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    int DefaultWidth() const { return defaultWidth_; }
    virtual void SetDefaultWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    // The margin outside the frame takes the parent's colour.
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFcFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TFcFrameController* controller);
    void CustomFramingChanged() override;

    bool Blinking() const { return blinking_; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    virtual void SetBlinkColor(TColor value);
    // Held by the shared blinking list, so common to every blinking control.
    static std::uint16_t BlinkIntervalOn();
    static void SetBlinkIntervalOn(std::uint16_t ms);
    static std::uint16_t BlinkIntervalOff();
    static void SetBlinkIntervalOff(std::uint16_t ms);
    // The colour the caption is drawn in now (the blink colour in the off phase).
    TColor CaptionColor() const { return blinkOff_ ? blinkColor_ : FontColor(); }

    bool GetBlinking() const override { return blinking_; }
    void Blink(TBlinkState state) override;

    virtual int GetMinWidth() const;
    virtual TRect GetCaptionRect() const;
    // The caption is wider than the pane shows; the pane's hint then holds
    // the whole caption (unless the window gave the pane a hint of its own),
    // so a message cut at the pane's edge can still be read in full.
    bool CaptionCut() const;
    // True when r's right edge reaches the status bar's client right edge
    // (always false on any other parent).
    virtual bool UnderSizeGrip(const TRect& r) const;
    // The point (pane coordinates) lies in the strip that acts as the grip.
    bool InGripStrip(const QPoint& p) const;
    // Width = GetMinWidth() when AutoSize is set.
    virtual void AdjustBounds();
    // The parent, when it is a status bar.
    TFcStatusBar* StatusBar() const;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawStatusBorder(TFcCanvas& canvas);
    virtual void DrawCaption(TFcCanvas& canvas, const QString& text);
    bool UseThemes() const;
    TColor MarginColor() const;

    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateCutHint();

    TAlignment alignment_ = taLeftJustify;
    int captionOffset_ = 2;
    bool autoSize_ = false;
    int defaultWidth_ = 40;
    int borderWidth_ = 1;
    TFrameStyle frameStyle_ = fsFlat;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TColor fillColor_ = clBtnFace;
    bool parentColor_ = true;
    QPointer<TFcFrameController> frameController_;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    bool blinkOff_ = false;
    QString cutHint_;  // the hint the pane set itself for a cut caption
};

class TFcStatusPane : public TFcCustomStatusPane {
    Q_OBJECT
public:
    explicit TFcStatusPane(QWidget* parent = nullptr) : TFcCustomStatusPane(parent) {}
};

}  // namespace tw::controls
