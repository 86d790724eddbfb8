#pragma once
// TFcControl: the widget every control of the library derives from. It gives
// the controls the hooks their classic counterparts had and Qt spreads over
// several events, so that a control overrides one named function per notice:
//
//   MouseEnter / MouseLeave   the pointer entered or left (raise OnMouseEnter,
//                             OnMouseLeave and the mouseEntered / mouseLeft signals;
//                             call the base when overriding)
//   EnabledChanged            setEnabled or a parent's enabling changed it
//   FontChanged               the font changed (set or inherited)
//   TextChanged               SetCaption stored a different caption
//   ColorChanged              SetColor stored a different colour
//   ActionChange              the linked action changed (caption, enabling, ...)
//   Loaded                    the window finished building itself (NotifyLoaded)
//   DialogKey / DialogChar    keys the form's routing hands round (fcformkeys.h)
//   FocusChanged              the focus moved inside the form (fcformkeys.h)
//   GroupNotice               a sibling broadcast its group (BroadcastGroupNotice)
//
// Painting: override Paint(TFcCanvas&). The widget paints into an image
// through the foundation's canvas and blits it, so PaintTo(canvas) draws the
// same pixels off screen (tests, printing) without showing anything.
// EraseBackground fills Color, or with Transparent set shows the parent.
// Invalidate() schedules a paint, Repaint() paints at once.
//
// Clicks: Click() runs OnClick when set, otherwise triggers the linked action,
// and always emits clicked(), so windows connect either way:
//
//   auto* b = new TFcBitBtn(dialog);
//   b->OnClick = [&](TFcControl*) { save(); };    // or
//   connect(b, &TFcControl::clicked, dialog, &Dialog::save);
//
// In a .ui file a control is a custom widget; its own properties are set as
// dynamic ones, which reach the setters through Q_PROPERTY:
//   <property name="caption" stdset="0"><string>&amp;Save</string></property>
//
// Accessibility: every control answers QAccessible with its caption (without
// the marker) as name and its hint as description; a family registers a
// richer interface with RegisterAccessible (fcaccessible.h).

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;

namespace tw::controls {

class TFcControl : public QWidget {
    Q_OBJECT
    // For .ui files, which set these with <property name="caption" stdset="0">.
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool transparent READ Transparent WRITE SetTransparent)
public:
    explicit TFcControl(QWidget* parent = nullptr);
    ~TFcControl() override;

    // The caption with its '&' accelerator marker ("&OK"); "&&" is a plain '&'.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The colour captions are drawn in (the classic font colour).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);

    // The parent shows through wherever Paint leaves the erased background.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);

    QString Hint() const { return toolTip(); }
    void SetHint(const QString& hint) { setToolTip(hint); }

    // The pointer is over the control (between MouseEnter and MouseLeave).
    bool MouseInControl() const { return mouseInControl_; }

    // Enabled, and neither it nor a parent up to its window is hidden.
    bool CanFocus() const;

    void Invalidate() { update(); }
    void Repaint();

    // Erases and paints the whole control onto canvas, whose origin is the
    // control's top-left corner.
    void PaintTo(TFcCanvas& canvas);
    // The control as PaintTo draws it, at its current size.
    QImage RenderImage();

    // The action the control follows: caption (its text), enabling, visibility,
    // hint; clicking triggers it when OnClick is not set. Not owned.
    QAction* Action() const { return action_; }
    void SetAction(QAction* action);

    // Runs the click: OnClick, or else the action; then emits clicked().
    virtual void Click();

    // Hooks of the form's key routing (fcformkeys.h). Return true when handled.
    virtual bool DialogKey(int key, Qt::KeyboardModifiers modifiers);
    virtual bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers);
    virtual void FocusChanged(QWidget* focused);
    // A sibling's group broadcast (BroadcastGroupNotice); sender is never this.
    virtual void GroupNotice(int group, TFcControl* sender);
    // Called by NotifyLoaded once the window has built its controls.
    virtual void Loaded() {}

    std::function<void(TFcControl*)> OnClick;
    std::function<void(TFcControl*)> OnMouseEnter;
    std::function<void(TFcControl*)> OnMouseLeave;

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    virtual void Paint(TFcCanvas& canvas);
    virtual void EraseBackground(TFcCanvas& canvas);
    // Sets up a canvas before Paint: the control's font and font colour.
    void PrepareCanvas(TFcCanvas& canvas) const;
    // For controls that re-track the pointer themselves (after a release).
    void SetMouseInControl(bool inside) { mouseInControl_ = inside; }

    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void EnabledChanged() { update(); }
    virtual void FontChanged() { update(); }
    virtual void TextChanged() { Repaint(); }
    virtual void ColorChanged() { update(); }
    virtual void ActionChange(QAction* action);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBtnText;
    bool transparent_ = false;
    bool mouseInControl_ = false;
    QPointer<QAction> action_;
    QMetaObject::Connection actionLink_;
    QImage buffer_;
};

// The accelerator character of a caption ("&Save" gives 's', lower case), or
// a null QChar; "&&" is a literal ampersand, not a marker.
QChar AcceleratorOf(const QString& caption);
// True when character (any case) is the caption's accelerator.
bool IsAccel(QChar character, const QString& caption);
// The caption without its marker, as screen readers and measurements want it.
QString StripAccelerator(const QString& caption);

// Calls GroupNotice(group, sender) on every TFcControl that is a direct child
// of sender's parent, sender excepted. A group index of 0 sends nothing.
void BroadcastGroupNotice(TFcControl* sender, int group);

// Calls Loaded() on every control of the library inside form's window (not
// inside other windows it parents). Windows call it at the end of building.
void NotifyLoaded(QWidget* form);

}  // namespace tw::controls
