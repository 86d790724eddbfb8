#pragma once
// TFcLabel: a label with a frame of its own (outer and inner style, a solid
// band, chosen sides), raised, recessed and shadowed text, text turned by any
// angle or laid along an arc, a fly-by colour while the mouse is over it, and
// blinking between its font colour and a blink colour on the library's one
// shared blinking timer. TFcURLLabel adds a link that opens its target with
// the desktop's handler.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fcblinking.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"
#include "controls/labels/fclabelgeometry.h"
#include "controls/panels/fcframes.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace tw::controls {

class TFcLabel : public TFcControl, public IFcBlinkingControl {
    Q_OBJECT
public:
    explicit TFcLabel(QWidget* parent = nullptr);
    ~TFcLabel() override;

    // The label base (caption, colour, transparency from TFcControl).
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return layout_; }
    virtual void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control the caption's accelerator gives the focus to; the caption
    // is its name for a screen reader when it has none of its own.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control);
    // The font colour; the label's normal colour follows it unless blinking.
    void SetFontColor(TColor value);

    int Angle() const { return angle_; }
    void SetAngle(int value);
    TRotation Rotation() const { return rotation_; }
    void SetRotation(TRotation value);
    TCenterPoint CenterPoint() const { return centerPoint_; }
    void SetCenterPoint(TCenterPoint value);
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool value);
    TColor BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(TColor value);
    // The shared list's intervals: they set the rhythm of every blinking control.
    static std::uint16_t BlinkIntervalOn();
    static void SetBlinkIntervalOn(std::uint16_t ms);
    static std::uint16_t BlinkIntervalOff();
    static void SetBlinkIntervalOff(std::uint16_t ms);
    int BevelWidth() const { return frames_.BevelWidth; }
    void SetBevelWidth(int value);
    TFrameStyle BorderInner() const { return frames_.Inner; }
    void SetBorderInner(TFrameStyle value);
    TFrameStyle BorderOuter() const { return frames_.Outer; }
    void SetBorderOuter(TFrameStyle value);
    TSides BorderSides() const { return frames_.Sides; }
    void SetBorderSides(TSides value);
    int BorderWidth() const { return frames_.BorderWidth; }
    void SetBorderWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(TColor value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    TColor FlyByColor() const { return flyByColor_; }
    void SetFlyByColor(TColor value);
    bool FlyByEnabled() const { return flyByEnabled_; }
    void SetFlyByEnabled(bool value);
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int value);

    // The colour the main text is drawn in now (the font colour, or the
    // blink colour in the blink phase).
    TColor TextColor() const { return textColor_; }
    bool NormalPhase() const { return normalPhase_; }

    bool GetBlinking() const override { return blinking_; }
    void Blink(TBlinkState state) override;

    // Auto-size: fits the label to its text, frames and rotation; in a layout
    // the size hint asks for the same extent.
    virtual void AdjustBounds();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // After the window has built the label: an angle without a rotation turns
    // flat, and the normal colour is the font colour.
    void Loaded() override;
    // The caption's accelerator gives FocusControl the focus.
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;

protected:
    void Paint(TFcCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void FontChanged() override;
    void TextChanged() override;
    void EnabledChanged() override { update(); }
    unsigned TextFlags() const;
    void Draw3DText(TFcCanvas& canvas);
    void DrawArcText(TFcCanvas& canvas);
    TRect AdjustForLayout(TFcCanvas& canvas, const QString& text, unsigned flags, TRect r) const;
    // The font colour changed: the normal colour follows unless blinking.
    void FontColorChanged();

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Switches a font that cannot turn to one that can.
    void EnsureTrueTypeFont();
    QSize AutoSizeExtent() const;

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    QPointer<QWidget> focusControl_;
    int angle_ = 0;
    TRotation rotation_ = roNone;
    TCenterPoint centerPoint_ = cpCenter;
    bool blinking_ = false;
    TColor blinkColor_ = clHighlight;
    TFcLabelFrames frames_ = kNoLabelFrames;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TColor flatColor_ = clBtnShadow;
    TColor flyByColor_ = clHighlight;
    bool flyByEnabled_ = false;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    int shadowDepth_ = 2;
    TColor normalColor_ = clWindowText;
    TColor textColor_ = clWindowText;
    TColor savedFontColor_ = clWindowText;
    bool normalPhase_ = true;
    TFcClickTracker click_;
};

// Opens a link; true when it opened. The program's opener hands the URL to
// the desktop (QDesktopServices::openUrl); tests install their own.
using TUrlOpener = std::function<bool(const QUrl& url)>;
void SetUrlOpener(TUrlOpener opener);
const TUrlOpener& UrlOpener();

class TFcURLLabel : public TFcLabel {
    Q_OBJECT
public:
    explicit TFcURLLabel(QWidget* parent = nullptr);

    QString URL() const { return url_; }
    void SetURL(const QString& url) { url_ = url; }
    bool Visited() const { return visited_; }
    void SetVisited(bool value);
    TColor UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(TColor value);
    TColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(TColor value);

    // Raises OnClick, then opens URL (or the caption when URL is blank).
    void Click() override;

private:
    void UpdateFontColor();

    QString url_;
    bool visited_ = false;
    TColor unvisitedColor_ = clHighlight;
    TColor visitedColor_ = 0x800080;
};

}  // namespace tw::controls
