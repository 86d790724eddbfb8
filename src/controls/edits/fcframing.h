#pragma once
// TFcFraming: the frame, hot tracking and state colours that every framed
// control of the edit and list family shares. The framed controls derive from
// Qt's own edits, list and tree views, so the framing is one object per
// control rather than a second base class:
//
//   class TFcHotKeyEdit : public QKeySequenceEdit, public TFcFramed { ... };
//   TFcHotKeyEdit::TFcHotKeyEdit(QWidget* parent) : QKeySequenceEdit(parent), TFcFramed(this)
//   {
//       Framing().ApplyFrameMode = [this](bool custom) { ... native frame off, inset ... };
//       Framing().ApplyFraming();
//   }
//
// It keeps the normal colour apart from Color (Color is rewritten on every
// focus and enabling change), the focused and mouse-over flags and the frame
// settings. An event filter on the host feeds focus, mouse entry and exit,
// enabling, resizing and palette changes into UpdateFrame and UpdateColors;
// the current colour is the host palette's Base.
//
// Qt has no non-client area: with FrameVisible on and the visual style not in
// charge (UseThemes false), the host's own frame is switched off, its content
// inset by 2 pixels, and an overlay child that lets the mouse through paints
// the library frame (DrawFrame) on top of everything.
//
// TFcFramed is the mix-in that gives a control the framing's settings under
// the names the frame controller writes through Qt's property system
// (Color, FocusColor, FrameStyle, FrameSides, ...). Each control repeats the
// Q_PROPERTY lines, since moc reads them per class.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/foundation/fctypes.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace tw::controls {

class TFcFraming;

// The frame sides as a Qt flag type: the frame controller writes FrameSides
// only into a property that is a set of an enumeration.
namespace framing {
Q_NAMESPACE
enum Side { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Sides, Side)
Q_FLAG_NS(Sides)
}  // namespace framing

// Paints the library frame over its host; invisible to the mouse and to
// screen readers.
class TFcFrameOverlay : public QWidget {
    Q_OBJECT
public:
    explicit TFcFrameOverlay(TFcFraming* framing, QWidget* host);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TFcFraming* framing_;
};

class TFcFraming : public QObject {
    Q_OBJECT
public:
    explicit TFcFraming(QWidget* host);
    ~TFcFraming() override;

    QWidget* Host() const { return host_; }
    TFcFrameOverlay* Overlay() const { return overlay_; }

    // Hooks of the control. ApplyFrameMode switches the host's own frame off
    // (custom true) or on and sets the content inset; FrameUpdated replaces
    // UpdateFrame's default repaint (the frame while hot tracking);
    // EnabledChanged and Resized run before the framing's own handling.
    std::function<void(bool custom)> ApplyFrameMode;
    std::function<void()> FrameUpdated;
    std::function<void()> EnabledChanged;
    std::function<void()> Resized;
    std::function<void()> MouseEntered;
    std::function<void()> MouseLeft;

    // The controls that keep no focused flag of their own ask the window.
    void SetAskWindowForFocus(bool value) { askWindowForFocus_ = value; }

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor NormalColor() const { return normalColor_; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference value);
    TFcFrameController* FrameController() const { return controller_; }
    void SetFrameController(TFcFrameController* value);
    bool NotUsingController() const { return controller_.isNull(); }

    bool Focused() const;
    bool MouseOver() const { return mouseOver_; }
    // The visual style draws the border: FramingPreference is fpXPThemes and
    // visual styles are on.
    bool UseThemes() const;
    // The library draws the frame (through the overlay).
    bool CustomFrame() const { return frameVisible_ && !UseThemes(); }
    // The frame shows its hot style now.
    bool Hot() const { return frameHotTrack_ && (Focused() || mouseOver_); }

    void UpdateColors();
    void UpdateFrame(bool viaMouse, bool inControl);
    void RepaintFrame();
    // Re-reads whether the library or the host draws the frame.
    void ApplyFraming();
    // The end of building a window: colours and frame as the state is now.
    void Loaded();
    // The frame as the overlay paints it, over (0, 0, width, height).
    void PaintFrame(TFcCanvas& canvas, int width, int height) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyColor();

    QWidget* host_;
    TFcFrameOverlay* overlay_;
    TColor color_ = clWindow;
    TColor normalColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor focusColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = kAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    QPointer<TFcFrameController> controller_;
    bool updatingColors_ = false;
    bool focused_ = false;
    bool mouseOver_ = false;
    bool askWindowForFocus_ = false;
};

// The framing settings of a control, under the names its Q_PROPERTY lines
// publish. Derive from it after the Qt base.
class TFcFramed {
public:
    explicit TFcFramed(QWidget* host);
    virtual ~TFcFramed();
    TFcFramed(const TFcFramed&) = delete;
    TFcFramed& operator=(const TFcFramed&) = delete;

    TFcFraming& Framing() const { return *framing_; }

    TColor Color() const { return framing_->Color(); }
    void SetColor(TColor value) { framing_->SetColor(value); }
    TColor DisabledColor() const { return framing_->DisabledColor(); }
    void SetDisabledColor(TColor value) { framing_->SetDisabledColor(value); }
    TColor FocusColor() const { return framing_->FocusColor(); }
    void SetFocusColor(TColor value) { framing_->SetFocusColor(value); }
    TColor FrameColor() const { return framing_->FrameColor(); }
    void SetFrameColor(TColor value) { framing_->SetFrameColor(value); }
    TColor FrameHotColor() const { return framing_->FrameHotColor(); }
    void SetFrameHotColor(TColor value) { framing_->SetFrameHotColor(value); }
    bool FrameHotTrack() const { return framing_->FrameHotTrack(); }
    void SetFrameHotTrack(bool value) { framing_->SetFrameHotTrack(value); }
    TFrameStyle FrameHotStyle() const { return framing_->FrameHotStyle(); }
    void SetFrameHotStyle(TFrameStyle value) { framing_->SetFrameHotStyle(value); }
    TSides FrameSides() const { return framing_->FrameSides(); }
    void SetFrameSides(TSides value) { framing_->SetFrameSides(value); }
    TFrameStyle FrameStyle() const { return framing_->FrameStyle(); }
    void SetFrameStyle(TFrameStyle value) { framing_->SetFrameStyle(value); }
    bool FrameVisible() const { return framing_->FrameVisible(); }
    void SetFrameVisible(bool value) { framing_->SetFrameVisible(value); }
    TFramingPreference FramingPreference() const { return framing_->FramingPreference(); }
    void SetFramingPreference(TFramingPreference value) { framing_->SetFramingPreference(value); }
    TFcFrameController* FrameController() const { return framing_->FrameController(); }
    void SetFrameController(TFcFrameController* value) { framing_->SetFrameController(value); }
    bool NotUsingController() const { return framing_->NotUsingController(); }
    bool UseThemes() const { return framing_->UseThemes(); }
    void UpdateColors() { framing_->UpdateColors(); }
    void RepaintFrame() { framing_->RepaintFrame(); }

    std::function<void(QWidget*)> OnMouseEnter;
    std::function<void(QWidget*)> OnMouseLeave;

protected:
    virtual void MouseEnter();
    virtual void MouseLeave();

    // The property-system side of the settings (see the Q_PROPERTY lines).
    uint ColorValue() const { return Color(); }
    void SetColorValue(uint value) { SetColor(value); }
    uint DisabledColorValue() const { return DisabledColor(); }
    void SetDisabledColorValue(uint value) { SetDisabledColor(value); }
    uint FocusColorValue() const { return FocusColor(); }
    void SetFocusColorValue(uint value) { SetFocusColor(value); }
    uint FrameColorValue() const { return FrameColor(); }
    void SetFrameColorValue(uint value) { SetFrameColor(value); }
    uint FrameHotColorValue() const { return FrameHotColor(); }
    void SetFrameHotColorValue(uint value) { SetFrameHotColor(value); }
    int FrameHotStyleValue() const { return FrameHotStyle(); }
    void SetFrameHotStyleValue(int value);
    framing::Sides FrameSidesValue() const { return framing::Sides(FrameSides()); }
    void SetFrameSidesValue(framing::Sides value) { SetFrameSides(static_cast<TSides>(int(value) & kAllSides)); }
    int FrameStyleValue() const { return FrameStyle(); }
    void SetFrameStyleValue(int value);
    int FramingPreferenceValue() const { return FramingPreference(); }
    void SetFramingPreferenceValue(int value);

private:
    std::unique_ptr<TFcFraming> framing_;
};

}  // namespace tw::controls

Q_DECLARE_OPERATORS_FOR_FLAGS(tw::controls::framing::Sides)
